#include "common/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace veltrane::assetgen {

namespace {

const char* FacePath(FontFace face) {
    switch (face) {
    case FontFace::Sans:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case FontFace::SansBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case FontFace::SansCondensedBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
    case FontFace::Serif:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case FontFace::SerifBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case FontFace::Mono:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    }
    return "";
}

// Decodes one UTF-8 character at text[i], advancing i.
char32_t NextChar(const std::string& text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(k < text.size() ? text[k] : 0); };
    const unsigned char c = byte(i);
    if (c < 0x80) return ++i, c;
    if ((c >> 5) == 6) {
        const char32_t r = ((c & 0x1fu) << 6) | (byte(i + 1) & 0x3fu);
        i += 2;
        return r;
    }
    if ((c >> 4) == 14) {
        const char32_t r = ((c & 0x0fu) << 12) | ((byte(i + 1) & 0x3fu) << 6) | (byte(i + 2) & 0x3fu);
        i += 3;
        return r;
    }
    const char32_t r = ((c & 0x07u) << 18) | ((byte(i + 1) & 0x3fu) << 12) | ((byte(i + 2) & 0x3fu) << 6) |
                       (byte(i + 3) & 0x3fu);
    i += 4;
    return r;
}

} // namespace

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Font::Font(FontFace face, int pixelSize) : impl_(std::make_unique<Impl>()), pixelSize_(pixelSize) {
    if (FT_Init_FreeType(&impl_->library)) throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(impl_->library, FacePath(face), 0, &impl_->face)) {
        FT_Done_FreeType(impl_->library);
        throw std::runtime_error(std::string("cannot open font ") + FacePath(face));
    }
    FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(pixelSize));
}

Font::~Font() {
    FT_Done_Face(impl_->face);
    FT_Done_FreeType(impl_->library);
}

float Font::Ascent() const {
    return static_cast<float>(impl_->face->size->metrics.ascender) / 64.0f;
}
float Font::Descent() const {
    return -static_cast<float>(impl_->face->size->metrics.descender) / 64.0f;
}

Font::Glyph Font::Render(char32_t ch) const {
    Glyph g;
    if (FT_Load_Char(impl_->face, ch, FT_LOAD_RENDER)) return g;
    const FT_GlyphSlot slot = impl_->face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<float>(slot->advance.x) / 64.0f;
    if (bm.width == 0 || bm.rows == 0) return g;
    g.mask = Canvas(static_cast<int>(bm.width), static_cast<int>(bm.rows));
    for (unsigned y = 0; y < bm.rows; ++y)
        for (unsigned x = 0; x < bm.width; ++x) {
            const float a = static_cast<float>(bm.buffer[y * static_cast<unsigned>(bm.pitch) + x]) / 255.0f;
            g.mask.Set(static_cast<int>(x), static_cast<int>(y), {1, 1, 1, a});
        }
    return g;
}

float Font::Measure(const std::string& text) const {
    float width = 0;
    for (size_t i = 0; i < text.size();) {
        const char32_t ch = NextChar(text, i);
        if (!FT_Load_Char(impl_->face, ch, FT_LOAD_DEFAULT))
            width += static_cast<float>(impl_->face->glyph->advance.x) / 64.0f;
    }
    return width;
}

float Font::Draw(Canvas& canvas, float x, float y, const std::string& text, Colour colour) const {
    const float start = x;
    for (size_t i = 0; i < text.size();) {
        const Glyph g = Render(NextChar(text, i));
        const int ox = static_cast<int>(x) + g.left, oy = static_cast<int>(y) - g.top;
        for (int my = 0; my < g.mask.Height(); ++my)
            for (int mx = 0; mx < g.mask.Width(); ++mx)
                canvas.Blend(ox + mx, oy + my, colour, g.mask.Get(mx, my).a);
        x += g.advance;
    }
    return x - start;
}

float Font::DrawCentred(Canvas& canvas, float centreX, float y, const std::string& text,
                        Colour colour) const {
    return Draw(canvas, centreX - Measure(text) / 2, y, text, colour);
}

} // namespace veltrane::assetgen

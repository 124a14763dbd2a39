#include "render/Font.h"

#include "platform/TextReader.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/TextureLoader.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace veltrane {

using namespace gfx;

namespace {

struct TRgb {
    uint8_t r, g, b;
};

constexpr std::array<TRgb, kTextColourCount> kColours = {
    TRgb{115, 0, 153}, TRgb{255, 255, 255}, TRgb{255, 255, 255}, TRgb{255, 255, 255},
    TRgb{0, 255, 255}, TRgb{255, 0, 0},     TRgb{0, 0, 0}};

constexpr std::string_view kPunctuation = ":,!<>'-.+/|=?@$";

// The numbers of one row line; fails on the reader at that line for anything else.
void ReadRow(const TTextReader& reader, int line, const std::string& text, int width, int row, int rows,
             TFontMetrics& metrics) {
    const char* p = text.data();
    const char* end = p + text.size();
    auto skipBlanks = [&] {
        while (p != end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
    };
    bool first = true;
    int32_t previous = 0;
    for (skipBlanks(); p != end; skipBlanks()) {
        int32_t boundary = 0;
        const auto [next, ec] = std::from_chars(p, end, boundary);
        if (ec != std::errc() || (next != end && *next != ' ' && *next != '\t' && *next != '\r')) {
            const char* tokenEnd = std::find_if(p, end, [](char c) { return c == ' ' || c == '\t'; });
            reader.FailAt(line, "number expected, found \"" + std::string(p, tokenEnd) + "\"");
        }
        p = next;
        if (boundary < 0 || boundary > width)
            reader.FailAt(line, "glyph boundary " + std::to_string(boundary) + " outside the picture width " +
                                    std::to_string(width));
        if (!first) {
            if (boundary < previous) reader.FailAt(line, "glyph boundaries must not decrease");
            if (metrics.Count == kMaxGlyphs)
                reader.FailAt(line, "more than " + std::to_string(kMaxGlyphs) + " glyphs");
            metrics.Glyphs[size_t(metrics.Count++)] =
                TGlyph{float(previous) / float(width), float(row + 1) / float(rows),
                       float(boundary) / float(width), float(row) / float(rows), boundary - previous};
        }
        previous = boundary;
        first = false;
    }
}

// Rewrites range 1 as the quad of one glyph: its right edge at x = 0, its left at x = -1.
HRESULT WriteGlyphQuad(IVertexBuffer& vertexBuffer, const TGlyph& g, uint32_t colour) {
    uint8_t* bytes = nullptr;
    if (HRESULT hr = vertexBuffer.Lock(0, 6 * sizeof(TVertex), &bytes, 0); Failed(hr)) return hr;
    const float corners[6][4] = {{0, -0.5f, g.ULeft, g.VBottom},   {-1, -0.5f, g.URight, g.VBottom},
                                 {0, 0.5f, g.ULeft, g.VTop},       {0, 0.5f, g.ULeft, g.VTop},
                                 {-1, -0.5f, g.URight, g.VBottom}, {-1, 0.5f, g.URight, g.VTop}};
    auto* v = reinterpret_cast<TVertex*>(bytes);
    for (int i = 0; i < 6; ++i)
        v[i] = TVertex{corners[i][0], corners[i][1], 0, 0, 0, 1, colour, corners[i][2], corners[i][3]};
    return vertexBuffer.Unlock();
}

// Text and flat quads take the texture times the vertex colour, in colour and in alpha, unlit and
// blended. The colour stage is set here too: the menu's pictures leave it on the texture alone,
// which would draw every text white.
void SetBlendedQuadStates(IDevice& device) {
    device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device.SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device.SetRenderState(D3DRS_LIGHTING, FALSE);
}

} // namespace

TFontMetrics ReadFontMetrics(const std::string& fileName) {
    TTextReader reader = TTextReader::OpenFile(fileName);
    reader.ReadLn();
    const int32_t width = reader.ReadInt();
    if (width <= 0) reader.Fail("picture width must be positive");
    reader.ReadLn();
    reader.ReadLn();
    const int32_t rows = reader.ReadInt();
    if (rows <= 0) reader.Fail("number of glyph rows must be positive");
    reader.ReadLn();
    TFontMetrics metrics;
    for (int row = 0; row < rows; ++row) {
        if (reader.Eof())
            reader.Fail("glyph row " + std::to_string(row + 1) + " of " + std::to_string(rows) + " missing");
        const int line = reader.Line();
        ReadRow(reader, line, reader.ReadLine(), width, row, rows, metrics);
    }
    return metrics;
}

void LoadFontMetrics(TFonts& fonts) {
    std::array<TFontMetrics, kFontCount> read;
    for (int f = 0; f < kFontCount; ++f) read[size_t(f)] = ReadFontMetrics(kFontMetricsFiles[size_t(f)]);
    for (int f = 0; f < kFontCount; ++f) fonts[size_t(f)].Metrics = read[size_t(f)];
}

void LoadFontTextures(IDevice& device, TFonts& fonts) {
    for (int f = 0; f < kFontCount; ++f)
        LoadTexture(device, kFontPictureFiles[size_t(f)], fonts[size_t(f)].Texture, D3DX_FILTER_LINEAR,
                    D3DX_FILTER_NONE);
}

void FreeFontTextures(TFonts& fonts) {
    for (TFont& font : fonts) font.Texture.reset();
}

int GlyphNumber(char c) {
    if (c >= '0' && c <= '9') return c - '0' + 1;
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c - 'A' + 11;
    if (c == '\0') return 0;
    const size_t at = kPunctuation.find(c);
    return at == std::string_view::npos ? 0 : int(at) + 37;
}

uint32_t TextColour(int colour, int alpha) {
    const TRgb rgb =
        colour >= 1 && colour <= kTextColourCount ? kColours[size_t(colour - 1)] : TRgb{255, 255, 255};
    const uint32_t a = uint32_t(std::clamp(alpha, 0, 255));
    return a << 24 | uint32_t(rgb.r) << 16 | uint32_t(rgb.g) << 8 | rgb.b;
}

float DrawText(IDevice& device, IVertexBuffer& vertexBuffer, const TFonts& fonts, int font, int colour,
               int32_t size, float x, float y, std::string_view text, float z, int alpha) {
    if (font < 1 || font > kFontCount) return x;
    const TFont& f = fonts[size_t(font - 1)];
    SetBlendedQuadStates(device);
    device.SetTexture(0, f.Texture);

    const float s = float(size) * 0.001f;
    const uint32_t argb = TextColour(colour, alpha);
    TMatrix world = veltrane::MatrixIdentity();
    world(1, 1) = float(kGlyphHeight) * s;
    world(3, 1) = y;
    world(3, 2) = z;
    for (const char c : text) {
        if (c == ' ') {
            x -= float(kBlankAdvance) * s;
            continue;
        }
        const TGlyph* glyph = f.Metrics.Glyph(GlyphNumber(c));
        if (!glyph) continue;
        const float w = float(glyph->Width) * s;
        if (Succeeded(WriteGlyphQuad(vertexBuffer, *glyph, argb))) {
            world(0, 0) = w;
            world(3, 0) = x;
            device.SetTransform(D3DTS_WORLD, ToD3D(world));
            DrawMeshRange(device, kRangeQuad);
        }
        x -= w;
    }

    device.SetTexture(0, nullptr);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device.SetRenderState(D3DRS_LIGHTING, TRUE);
    return x;
}

float TextWidth(const TFonts& fonts, int font, int32_t size, std::string_view text) {
    if (font < 1 || font > kFontCount) return 0;
    const TFont& f = fonts[size_t(font - 1)];
    const float s = float(size) * 0.001f;
    float width = 0;
    for (const char c : text) {
        if (c == ' ') {
            width += float(kBlankAdvance) * s;
            continue;
        }
        if (const TGlyph* glyph = f.Metrics.Glyph(GlyphNumber(c))) width += float(glyph->Width) * s;
    }
    return width;
}

void DrawFlatQuad(IDevice& device, IVertexBuffer& vertexBuffer, float x, float y, float width, float height,
                  float z, uint32_t argb) {
    // Without a texture stage 0 reads white, so texture times vertex colour is the colour alone.
    device.SetTexture(0, nullptr);
    SetBlendedQuadStates(device);
    if (Succeeded(WriteGlyphQuad(vertexBuffer, TGlyph{}, argb))) {
        TMatrix world = veltrane::MatrixIdentity();
        world(0, 0) = width;
        world(1, 1) = height;
        world(3, 0) = x;
        world(3, 1) = y;
        world(3, 2) = z;
        device.SetTransform(D3DTS_WORLD, ToD3D(world));
        DrawMeshRange(device, kRangeQuad);
    }
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device.SetRenderState(D3DRS_LIGHTING, TRUE);
}

} // namespace veltrane

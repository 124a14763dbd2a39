// The two bitmap fonts and the text routine: each letter is one textured quad in the scene,
// cut from the font's picture by the boundaries of its metrics file.
#pragma once

#include "platform/gfx/Device.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

inline constexpr int kFontCount = 2;
inline constexpr int kMaxGlyphs = 100;     // glyphs a font's table holds
inline constexpr int kGlyphHeight = 40;    // pixels, every glyph of both fonts
inline constexpr int kBlankAdvance = 22;   // pixels a blank moves the text on
inline constexpr int kTextColourCount = 7; // colours 1..7

// Texture coordinates of one letter in the font picture and its width in picture pixels.
struct TGlyph {
    float ULeft = 0, VBottom = 0, URight = 0, VTop = 0;
    int32_t Width = 0;
    friend bool operator==(const TGlyph&, const TGlyph&) = default;
};

// Glyphs 1..Count of a font; Glyphs[g - 1] is glyph g.
struct TFontMetrics {
    std::array<TGlyph, kMaxGlyphs> Glyphs{};
    int Count = 0;
    const TGlyph* Glyph(int number) const {
        return number >= 1 && number <= Count ? &Glyphs[size_t(number - 1)] : nullptr;
    }
};

struct TFont {
    TFontMetrics Metrics;
    gfx::TextureHandle Texture; // empty: the font draws untextured
};

// Fonts 1 and 2 (fonts[0] is font 1). The main window loads and owns them (TFormMain::Fonts)
// and lends them to whatever draws text.
using TFonts = std::array<TFont, kFontCount>;

// The files of font 1 and font 2, relative to the working folder.
inline constexpr std::array<const char*, kFontCount> kFontMetricsFiles = {"data\\font.dat",
                                                                          "data\\font1.dat"};
inline constexpr std::array<const char*, kFontCount> kFontPictureFiles = {"data\\font.tga",
                                                                          "data\\font1.tga"};

// Reads one metrics file: line 1 ignored, line 2 starts with the picture width W, line 3
// ignored, line 4 starts with the number of glyph rows R, then R lines of x boundaries, the top
// row first. Throws TFileError naming the file and line for a missing or malformed file and for
// a font of more than kMaxGlyphs glyphs.
TFontMetrics ReadFontMetrics(const std::string& fileName);

// Reads both metrics files into fonts; they change only when both files read correctly.
void LoadFontMetrics(TFonts& fonts);
// Loads both pictures (full mipmap chain, no mipmap filtering); a missing picture leaves its
// font untextured.
void LoadFontTextures(gfx::IDevice& device, TFonts& fonts);
void FreeFontTextures(TFonts& fonts);

// The glyph number of a character after upper-casing: "0".."9" 1..10, "A".."Z" 11..36, then
// ":,!<>'-.+/|=?@$" 37..51. 0 for a blank and for characters the fonts do not have.
int GlyphNumber(char c);

// The ARGB colour of text colour 1..7 with the given alpha (0..255); colours outside 1..7 are
// drawn white.
uint32_t TextColour(int colour, int alpha);

// Draws text in font 1 or 2 of fonts now, one quad per letter, rewriting mesh range 1 of
// vertexBuffer for each. The text's left end is at (x, y, z); letters run towards -x (to the right
// on the screen), size / 1000 world units per picture pixel. A blank advances 22 pixels;
// characters the fonts do not have are skipped without a gap. Returns the x at which the next
// letter would start. A font other than 1 or 2 draws nothing and returns x.
float DrawText(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts, int font,
               int colour, int32_t size, float x, float y, std::string_view text, float z, int alpha);

// The width in world units of text as DrawText would set it (the distance it moves x by).
float TextWidth(const TFonts& fonts, int font, int32_t size, std::string_view text);

// Draws a flat rectangle of one ARGB colour now, untextured and unlit, rewriting mesh range 1 of
// vertexBuffer: its left end on the screen at x, running width towards -x like text, centred on
// y, height high, at depth z. For panels behind text.
void DrawFlatQuad(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, float x, float y, float width,
                  float height, float z, uint32_t argb);

// Draws the floating score labels, oldest first, each with its rounded alpha.
void DrawScoreLabels(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts);

} // namespace veltrane

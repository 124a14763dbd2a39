// The game's two bitmap fonts: a picture of white letters with alpha (so any colour tints them)
// and a metrics file with the letters' x boundaries, row by row.
#pragma once

#include "common/Canvas.h"
#include "common/Text.h"

#include <filesystem>
#include <string>
#include <vector>

namespace veltrane::assetgen::ui {

inline constexpr int kGlyphRowHeight = 40;
// The letters in the order the game numbers them (glyph 1 is "0").
inline constexpr const char* kGlyphOrder = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ:,!<>'-.+/|=?@$";

struct BitmapFont {
    Canvas picture{1, 1};
    int width = 0;                      // picture width in pixels
    std::vector<std::vector<int>> rows; // x boundaries of the glyphs of each row, top row first
    std::string MetricsText(const std::string& title) const; // the .dat file, CR LF lines
};

// Renders the glyphs of kGlyphOrder at pixelSize into rows of kGlyphRowHeight pixels,
// packed left to right into a picture pictureWidth wide.
BitmapFont BuildBitmapFont(FontFace face, int pixelSize, int pictureWidth);

// data/font.dat + data/font.tga (font 1) and data/font1.dat + data/font1.tga (font 2).
void MakeFonts(const std::filesystem::path& gameDir);

} // namespace veltrane::assetgen::ui

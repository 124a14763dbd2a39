#include "ui/Fonts.h"

#include "ui/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace veltrane::assetgen::ui {

namespace {

struct Cell {
    Font::Glyph glyph;
    int width = 0; // the cell's width: the letter's advance, widened to keep a clear pixel each side
    int inkX = 0;  // where the letter's ink starts inside the cell
};

Cell MakeCell(const Font& font, char ch) {
    Cell cell;
    cell.glyph = font.Render(static_cast<char32_t>(static_cast<unsigned char>(ch)));
    const int ink = cell.glyph.mask.Width();
    cell.width = static_cast<int>(std::lround(cell.glyph.advance));
    cell.inkX = std::max(1, cell.glyph.left);
    cell.width = std::max(cell.width, cell.inkX + ink + 1);
    return cell;
}

} // namespace

std::string BitmapFont::MetricsText(const std::string& title) const {
    std::string text = title + "\r\n";
    text += std::to_string(width) + "\r\n";
    text += "glyph rows, top row first: pixel x boundaries of the glyphs\r\n";
    text += std::to_string(rows.size()) + "\r\n";
    for (const auto& row : rows) {
        std::string line;
        for (int x : row) line += (line.empty() ? "" : " ") + std::to_string(x);
        text += line + "\r\n";
    }
    return text;
}

BitmapFont BuildBitmapFont(FontFace face, int pixelSize, int pictureWidth) {
    const Font font(face, pixelSize);
    const size_t count = std::strlen(kGlyphOrder);
    std::vector<Cell> cells;
    int maxTop = 0, maxBelow = 0;
    for (size_t i = 0; i < count; ++i) {
        cells.push_back(MakeCell(font, kGlyphOrder[i]));
        const Font::Glyph& g = cells.back().glyph;
        maxTop = std::max(maxTop, g.top);
        maxBelow = std::max(maxBelow, g.mask.Height() - g.top);
        if (cells.back().width > pictureWidth) throw std::runtime_error("glyph wider than the font picture");
    }
    // Capitals centred in the row, moved only as far as needed to keep every letter inside it
    // with a clear pixel above and below.
    const int capHeight = font.Render(U'H').top;
    int baseline = kGlyphRowHeight / 2 + capHeight / 2;
    baseline = std::max(baseline, 1 + maxTop);
    baseline = std::min(baseline, kGlyphRowHeight - 1 - maxBelow);
    if (baseline - maxTop < 1) throw std::runtime_error("font size too large for 40-pixel rows");

    BitmapFont out;
    out.width = pictureWidth;
    std::vector<std::vector<size_t>> members;
    int x = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (out.rows.empty() || x + cells[i].width > pictureWidth) {
            out.rows.push_back({0});
            members.emplace_back();
            x = 0;
        }
        x += cells[i].width;
        out.rows.back().push_back(x);
        members.back().push_back(i);
    }
    const int height = static_cast<int>(out.rows.size()) * kGlyphRowHeight;
    // White everywhere so that filtering at the letters' edges never darkens them.
    out.picture = Canvas(pictureWidth, height, {1, 1, 1, 0});
    for (size_t r = 0; r < out.rows.size(); ++r)
        for (size_t k = 0; k < members[r].size(); ++k) {
            const Cell& cell = cells[members[r][k]];
            const int ox = out.rows[r][k] + cell.inkX;
            const int oy = static_cast<int>(r) * kGlyphRowHeight + baseline - cell.glyph.top;
            for (int my = 0; my < cell.glyph.mask.Height(); ++my)
                for (int mx = 0; mx < cell.glyph.mask.Width(); ++mx) {
                    const float a = cell.glyph.mask.Get(mx, my).a;
                    if (a > 0) out.picture.Set(ox + mx, oy + my, {1, 1, 1, a});
                }
        }
    return out;
}

void MakeFonts(const std::filesystem::path& gameDir) {
    // Font 1: messages and the high-score table. Font 2: the head-up numbers and points, whose
    // digits are 25 pixels wide so that the score line stays centred as it grows.
    const BitmapFont font1 = BuildBitmapFont(FontFace::SansCondensedBold, 37, 512);
    font1.picture.WriteTga(gameDir / "data" / "font.tga");
    WriteTextFile(
        gameDir / "data" / "font.dat",
        font1.MetricsText("Veltrane font 1: DejaVu Sans Condensed Bold, 51 glyphs in rows of 40 pixels"));
    const BitmapFont font2 = BuildBitmapFont(FontFace::SansBold, 36, 512);
    font2.picture.WriteTga(gameDir / "data" / "font1.tga");
    WriteTextFile(gameDir / "data" / "font1.dat",
                  font2.MetricsText("Veltrane font 2: DejaVu Sans Bold, 51 glyphs in rows of 40 pixels"));
}

} // namespace veltrane::assetgen::ui

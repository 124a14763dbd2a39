// The two bitmap fonts as the game reads them: metrics lines, 51 glyphs in 40-pixel rows, each
// glyph's ink inside its own cell, white letters with alpha.
#include "UiAssetsTest.h"

#include "render/Font.h"

#include <gtest/gtest.h>

#include <sstream>

namespace veltrane::assetgen {
namespace {

using testing::Picture;
using testing::ReadTga;
using testing::UiGameFolder;

struct Metrics {
    int width = 0;
    std::vector<std::vector<int>> rows;
};

Metrics ReadMetrics(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << "line without CR LF: " << line;
        lines.push_back(line);
    }
    Metrics m;
    if (lines.size() < 4) return m;
    m.width = std::stoi(lines[1]);
    const int rows = std::stoi(lines[3]);
    EXPECT_EQ(lines.size(), 4u + static_cast<size_t>(rows));
    for (int r = 0; r < rows && 4u + r < lines.size(); ++r) {
        std::istringstream row(lines[4 + static_cast<size_t>(r)]);
        std::vector<int> xs;
        for (int x; row >> x;) xs.push_back(x);
        m.rows.push_back(xs);
    }
    return m;
}

class UiFont : public ::testing::TestWithParam<const char*> {};

TEST_P(UiFont, MetricsDescribeTheGlyphPicture) {
    const std::string name = GetParam();
    const Metrics m =
        ReadMetrics(testing::ReadText(UiGameFolder(testing::UiPart::Fonts) / "data" / (name + ".dat")));
    const Picture picture = ReadTga(UiGameFolder(testing::UiPart::Fonts) / "data" / (name + ".tga"));
    ASSERT_EQ(m.width, picture.width);
    ASSERT_EQ(picture.height, static_cast<int>(m.rows.size()) * 40) << "rows of 40 pixels";
    size_t glyphs = 0;
    for (const auto& row : m.rows) {
        ASSERT_GE(row.size(), 2u);
        for (size_t k = 1; k < row.size(); ++k) EXPECT_LT(row[k - 1], row[k]);
        EXPECT_GE(row.front(), 0);
        EXPECT_LE(row.back(), picture.width);
        glyphs += row.size() - 1;
    }
    EXPECT_EQ(glyphs, 51u);
}

TEST_P(UiFont, EveryGlyphHasInkInsideItsOwnCellAndIsWhite) {
    const std::string name = GetParam();
    const Metrics m =
        ReadMetrics(testing::ReadText(UiGameFolder(testing::UiPart::Fonts) / "data" / (name + ".dat")));
    const Picture picture = ReadTga(UiGameFolder(testing::UiPart::Fonts) / "data" / (name + ".tga"));
    for (size_t r = 0; r < m.rows.size(); ++r) {
        const int top = static_cast<int>(r) * 40;
        for (size_t k = 1; k < m.rows[r].size(); ++k) {
            const int x0 = m.rows[r][k - 1], x1 = m.rows[r][k];
            int ink = 0;
            for (int y = top; y < top + 40; ++y)
                for (int x = x0; x < x1; ++x) {
                    const uint8_t a = picture.Alpha(x, y);
                    ink += a > 0;
                    // Filtering at a cell's edge must not pick up the next glyph or row.
                    const bool edge = x == x0 || x == x1 - 1 || y == top || y == top + 39;
                    if (edge) {
                        ASSERT_EQ(a, 0)
                            << name << " glyph at x " << x0 << " row " << r << " touches its edge";
                    }
                    if (a > 0) {
                        const uint8_t* p = picture.Pixel(x, y);
                        ASSERT_EQ(p[0] & p[1] & p[2], 255) << "glyph pixels are white, so colours tint them";
                    }
                }
            EXPECT_GT(ink, 10) << name << " glyph at x " << x0 << " row " << r << " is empty";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothFonts, UiFont, ::testing::Values("font", "font1"));

// The head-up score is placed 0.15 units further left per digit at size 12 (0.012 units per
// pixel), which keeps it centred only with digits 25 pixels wide.
TEST(UiFontDigits, SecondFontDigitsAreAllTwentyFivePixelsWide) {
    const Metrics m =
        ReadMetrics(testing::ReadText(UiGameFolder(testing::UiPart::Fonts) / "data" / "font1.dat"));
    std::vector<int> widths;
    for (const auto& row : m.rows)
        for (size_t k = 1; k < row.size(); ++k) widths.push_back(row[k] - row[k - 1]);
    ASSERT_GE(widths.size(), 10u);
    for (int d = 0; d < 10; ++d) EXPECT_EQ(widths[static_cast<size_t>(d)], 25) << "digit " << d;
    // Glyph 39 is "!" and glyph 33 is "W".
    EXPECT_LT(widths[38], widths[32]);
}

// The game's own reader takes both files and finds a glyph for every character it can draw.
TEST(UiFontGameReader, ReadsBothFontsWithEveryCharacter) {
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ:,!<>'-.+/|=?@$";
    for (const char* name : {"font.dat", "font1.dat"}) {
        const TFontMetrics metrics =
            ReadFontMetrics((UiGameFolder(testing::UiPart::Fonts) / "data" / name).string());
        EXPECT_EQ(metrics.Count, 51) << name;
        for (char c : characters) {
            const TGlyph* glyph = metrics.Glyph(GlyphNumber(c));
            ASSERT_NE(glyph, nullptr) << name << " has no glyph for " << c;
            EXPECT_GT(glyph->Width, 3) << name << " " << c;
            EXPECT_LT(glyph->ULeft, glyph->URight);
            EXPECT_LT(glyph->VTop, glyph->VBottom);
        }
    }
}

} // namespace
} // namespace veltrane::assetgen

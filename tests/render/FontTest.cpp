// The bitmap font: reading metrics files, and what DrawText puts on the screen.
#include "render/Font.h"

#include "render/ScoreLabels.h"

#include "DrawCapture.h"
#include "TempDir.h"
#include "platform/TextReader.h"
#include "platform/gfx/D3DX.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace veltrane {
namespace {

using drawtest::TDraw;
using drawtest::TDrawDevice;
using ::testing::AllOf;
using ::testing::FloatEq;
using ::testing::HasSubstr;
using ::testing::Pointwise;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A row of n glyphs of the given widths starting at x = 0.
std::string Row(std::initializer_list<int> widths) {
    std::string line = "0";
    int x = 0;
    for (int w : widths) line += " " + std::to_string(x += w);
    return line;
}

std::string MetricsText(int width, const std::vector<std::string>& rows) {
    std::string text = "Test font\r\n" + std::to_string(width) + " picture width\r\n\r\n" +
                       std::to_string(rows.size()) + " rows\r\n";
    for (const std::string& row : rows) text += row + "\r\n";
    return text;
}

TEST(FontMetrics, GlyphsRunOnFromRowToRowWithTheirPictureCoordinates) {
    TempDir dir;
    WriteFile(dir.path() / "f.dat", MetricsText(200, {Row({10, 30}), Row({50})}));
    const TFontMetrics m = ReadFontMetrics((dir.path() / "f.dat").string());
    ASSERT_EQ(m.Count, 3);
    EXPECT_EQ(*m.Glyph(1), (TGlyph{0.0f, 0.5f, 0.05f, 0.0f, 10}));
    EXPECT_EQ(*m.Glyph(2), (TGlyph{0.05f, 0.5f, 0.2f, 0.0f, 30}));
    EXPECT_EQ(*m.Glyph(3), (TGlyph{0.0f, 1.0f, 0.25f, 0.5f, 50}));
    EXPECT_EQ(m.Glyph(4), nullptr);
}

TEST(FontMetrics, BadFilesAreRefusedNamingFileAndLine) {
    TempDir dir;
    const std::string file = (dir.path() / "f.dat").string();
    auto failure = [&](const std::string& text) -> std::string {
        WriteFile(file, text);
        try {
            ReadFontMetrics(file);
        } catch (const TFileError& e) {
            return e.what();
        }
        return "no error";
    };
    // 60 + 41 glyphs: the 101st does not fit the table and is refused on its own line; exactly
    // 100 fit.
    std::string row60 = "0", row40 = "0";
    for (int i = 1; i <= 60; ++i) row60 += " " + std::to_string(i * 5);
    for (int i = 1; i <= 40; ++i) row40 += " " + std::to_string(i * 5);
    EXPECT_THAT(failure(MetricsText(512, {row60, row40 + " 205"})),
                AllOf(HasSubstr(file), HasSubstr("line 6")));
    EXPECT_EQ(failure(MetricsText(512, {row60, row40})), "no error");
    EXPECT_THAT(failure(MetricsText(100, {"0 10 x3 20"})), AllOf(HasSubstr("line 5"), HasSubstr("x3")));
    EXPECT_THAT(failure(MetricsText(100, {"0 30 20"})), HasSubstr("line 5"));
    EXPECT_THAT(failure(MetricsText(100, {"0 10 120"})), HasSubstr("line 5"));
    EXPECT_THAT(failure("Test font\n100\n\n3\n0 10\n0 20\n"), HasSubstr("missing"));
    EXPECT_THAT(failure("Test font\n0\n\n1\n0 10\n"), HasSubstr("line 2"));
    EXPECT_THAT(failure("Test font\n"), HasSubstr(file));
    EXPECT_THAT(failure(""), HasSubstr(file));
}

TEST(FontMetrics, BothFontsChangeOnlyWhenBothFilesRead) {
    TempDir dir;
    CurrentDir cwd(dir.path());
    TFonts fonts;
    WriteFile(dir.path() / "data" / "font.dat", MetricsText(100, {Row({10, 20})}));
    WriteFile(dir.path() / "data" / "font1.dat", MetricsText(100, {"0 10 oops"}));
    EXPECT_THROW(LoadFontMetrics(fonts), TFileError);
    EXPECT_EQ(fonts[0].Metrics.Count, 0);
    WriteFile(dir.path() / "data" / "font1.dat", MetricsText(100, {Row({30})}));
    LoadFontMetrics(fonts);
    EXPECT_EQ(fonts[0].Metrics.Count, 2);
    ASSERT_EQ(fonts[1].Metrics.Count, 1);
    EXPECT_EQ(fonts[1].Metrics.Glyph(1)->Width, 30);
}

// Font 1 has glyphs 1..51 with width 10 + glyph number, so every letter is told apart by its
// width; font 2 only the ten digits.
class DrawTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int g = 1; g <= 51; ++g)
            fonts[0].Metrics.Glyphs[size_t(g - 1)] = {0, 1, float(g) / 100, 0, 10 + g};
        fonts[0].Metrics.Count = 51;
        for (int g = 1; g <= 10; ++g) fonts[1].Metrics.Glyphs[size_t(g - 1)] = {0, 1, 0.1f, 0, 20};
        fonts[1].Metrics.Count = 10;
    }

    float Draw(std::string_view text, int font = 1, int colour = 2, int size = 10, float x = 1,
               int alpha = 255) {
        return DrawText(device, device.Quads, fonts, font, colour, size, x, 2, text, 0.5f, alpha);
    }
    // The glyph numbers drawn, read back from the widths of the world matrices.
    std::vector<int> Glyphs(int size = 10) const {
        std::vector<int> glyphs;
        for (const TDraw& d : device.Draws)
            glyphs.push_back(int(std::lround(d.World.m[0][0] / (size * 0.001f))) - 10);
        return glyphs;
    }
    std::vector<float> Lefts() const {
        std::vector<float> x;
        for (const TDraw& d : device.Draws) x.push_back(d.World.m[3][0]);
        return x;
    }

    TDrawDevice device;
    TFonts fonts;
};

TEST_F(DrawTextTest, CharactersMapToTheirGlyphsWithLowerCaseAsCapitals) {
    Draw("09AZaz:,!<>'-.+/|=?@$");
    EXPECT_EQ(Glyphs(), (std::vector<int>{1,  10, 11, 36, 11, 36, 37, 38, 39, 40, 41,
                                          42, 43, 44, 45, 46, 47, 48, 49, 50, 51}));
}

TEST_F(DrawTextTest, LettersRunTowardsMinusXAndTheReturnedXIsWhereTheNextWouldStart) {
    const float s = 0.01f;
    const float next = Draw("AB");
    EXPECT_THAT(Lefts(), Pointwise(FloatEq(), std::vector<float>{1.0f, 1.0f - 21 * s}));
    EXPECT_FLOAT_EQ(next, 1.0f - (21 + 22) * s);
    for (const TDraw& d : device.Draws) {
        EXPECT_FLOAT_EQ(d.World.m[1][1], 40 * s); // every glyph 40 pixels high
        EXPECT_FLOAT_EQ(d.World.m[3][1], 2.0f);
        EXPECT_FLOAT_EQ(d.World.m[3][2], 0.5f);
    }
    // The quad spans from the pen position (x = 0) to one glyph width towards -x.
    const drawtest::TQuad& q = device.Draws[1].Quad;
    EXPECT_FLOAT_EQ(q[0].x, 0);
    EXPECT_FLOAT_EQ(q[1].x, -1);
    EXPECT_FLOAT_EQ(q[5].x, -1);
    EXPECT_FLOAT_EQ(q[0].u, 0);     // u left at the pen
    EXPECT_FLOAT_EQ(q[1].u, 0.12f); // glyph 12's u right
    EXPECT_FLOAT_EQ(q[0].v, 1);     // v bottom at the bottom edge
    EXPECT_FLOAT_EQ(q[2].v, 0);
}

TEST_F(DrawTextTest, BlanksAdvanceTwentyTwoPixelsAndUnknownCharactersLeaveNoGap) {
    const float s = 0.01f;
    // "Bonus  +5": two blanks, 44 pixels between the word and the plus sign.
    Draw("Bonus  +5");
    const std::vector<float> x = Lefts();
    ASSERT_EQ(x.size(), 7u);
    EXPECT_FLOAT_EQ(x[5], x[4] - (10 + 29) * s - 44 * s); // after "S" (glyph 29)
    EXPECT_EQ(Glyphs()[0], 12);                           // "B" as a capital

    device.Draws.clear();
    const float withHash = Draw("A#B\x80~");
    const std::vector<int> glyphs = Glyphs();
    EXPECT_EQ(glyphs, (std::vector<int>{11, 12}));
    EXPECT_FLOAT_EQ(Lefts()[1], 1.0f - 21 * s);
    EXPECT_FLOAT_EQ(withHash, 1.0f - 43 * s);
}

TEST_F(DrawTextTest, GlyphsTheFontLacksAreSkippedAndOtherFontsDrawNothing) {
    const float next = Draw("1A2", 2, 2, 10, 0);
    EXPECT_EQ(device.Draws.size(), 2u);
    EXPECT_FLOAT_EQ(next, -0.4f);
    device.Draws.clear();
    EXPECT_FLOAT_EQ(Draw("123", 3), 1.0f);
    EXPECT_FLOAT_EQ(Draw("123", 0), 1.0f);
    EXPECT_TRUE(device.Draws.empty());
}

TEST_F(DrawTextTest, ColoursTintTheLettersWithTheGivenAlpha) {
    Draw("A", 1, 1, 10, 1, 200);
    Draw("A", 1, 5, 10, 1, 255);
    Draw("A", 1, 6, 10, 1, 0);
    Draw("A", 1, 7, 10, 1, 128);
    ASSERT_EQ(device.Draws.size(), 4u);
    const std::vector<uint32_t> want = {0xC8730099, 0xFF00FFFF, 0x00FF0000, 0x80000000};
    for (size_t i = 0; i < want.size(); ++i)
        for (const TVertex& v : device.Draws[i].Quad) EXPECT_EQ(v.Colour, want[i]) << "draw " << i;
}

TEST_F(DrawTextTest, LettersAreBlendedUnlitWithTheFontPictureAndTheStateIsRestored) {
    gfx::TextureHandle picture;
    const uint32_t pixel = 0xFFFFFFFF;
    device.CreateTexture(gfx::MakeTextureImage(1, 1, &pixel, gfx::D3DFMT_A8R8G8B8, gfx::D3DX_FILTER_NONE),
                         picture);
    fonts[0].Texture = picture;
    Draw("AB");
    for (const TDraw& d : device.Draws) {
        EXPECT_EQ(d.Texture, picture);
        EXPECT_EQ(d.AlphaBlend, gfx::TRUE);
        EXPECT_EQ(d.SrcBlend, gfx::D3DBLEND_SRCALPHA);
        EXPECT_EQ(d.DestBlend, gfx::D3DBLEND_INVSRCALPHA);
        EXPECT_EQ(d.Lighting, gfx::FALSE);
        EXPECT_EQ(d.AlphaOp, gfx::D3DTOP_MODULATE);
    }
    const gfx::TDeviceState& after = device.Inner.State();
    EXPECT_EQ(after.Texture, nullptr);
    EXPECT_EQ(after.RenderState(gfx::D3DRS_ALPHABLENDENABLE), gfx::FALSE);
    EXPECT_EQ(after.RenderState(gfx::D3DRS_LIGHTING), gfx::TRUE);
    FreeFontTextures(fonts);
    EXPECT_EQ(fonts[0].Texture, nullptr);
}

TEST_F(DrawTextTest, ScoreLabelsAreDrawnInOrderWhereTheyFloatWithTheirRoundedAlpha) {
    ClearScoreLabels();
    AddScoreLabel({3, 4, 0}, 1, 5, "12", 10);
    AddScoreLabel({-1, 0, 0}, 2, 6, "7", 20);
    UpdateScoreLabels(4); // alpha 254.6
    const TVector first = ScoreLabel(1).Position;
    DrawScoreLabels(device, device.Quads, fonts);
    ClearScoreLabels();
    ASSERT_EQ(device.Draws.size(), 3u);
    EXPECT_FLOAT_EQ(device.Draws[0].World.m[3][0], first.x);
    EXPECT_FLOAT_EQ(device.Draws[0].World.m[3][1], first.y);
    EXPECT_FLOAT_EQ(device.Draws[0].World.m[3][2], 1);
    EXPECT_EQ(device.Draws[1].Quad[0].Colour, 0xFF00FFFFu); // label 1's second letter, cyan, alpha 255
    EXPECT_EQ(device.Draws[2].Quad[0].Colour, 0xFFFF0000u); // label 2 in font 2, red
    EXPECT_FLOAT_EQ(device.Draws[2].World.m[0][0], 20 * 0.02f);
}

} // namespace
} // namespace veltrane

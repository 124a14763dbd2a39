#include "common/Canvas.h"
#include "common/Text.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace veltrane::assetgen {
namespace {

TEST(Canvas, SourceOverBlendKeepsStraightColour) {
    Canvas c(2, 1, {0, 0, 1, 1});
    c.Blend(0, 0, {1, 0, 0, 1}, 0.25f);
    EXPECT_NEAR(c.Get(0, 0).r, 0.25f, 1e-6f);
    EXPECT_NEAR(c.Get(0, 0).b, 0.75f, 1e-6f);
    EXPECT_NEAR(c.Get(0, 0).a, 1.0f, 1e-6f);
    // Half-covered over transparent keeps the colour and halves alpha.
    Canvas t(1, 1);
    t.Blend(0, 0, {0, 1, 0, 1}, 0.5f);
    EXPECT_NEAR(t.Get(0, 0).g, 1.0f, 1e-6f);
    EXPECT_NEAR(t.Get(0, 0).a, 0.5f, 1e-6f);
}

TEST(Canvas, TgaIsTopDownBgraWithAlpha) {
    TempDir dir;
    Canvas c(3, 2, {0, 0, 0, 0});
    c.Set(0, 0, {1, 0, 0, 1});    // top-left red
    c.Set(2, 1, {0, 0, 1, 0.5f}); // bottom-right half-transparent blue
    c.WriteTga(dir.path() / "p.tga");
    std::ifstream in(dir.path() / "p.tga", std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(b.size(), 18u + 3 * 2 * 4);
    EXPECT_EQ(b[2], 2);     // uncompressed true colour
    EXPECT_EQ(b[12], 3);    // width
    EXPECT_EQ(b[14], 2);    // height
    EXPECT_EQ(b[16], 32);   // bits per pixel
    EXPECT_EQ(b[17], 0x28); // top-left origin, 8 alpha bits
    EXPECT_EQ(b[18 + 2], 255);
    EXPECT_EQ(b[18 + 3], 255);
    const size_t last = 18 + (1 * 3 + 2) * 4;
    EXPECT_EQ(b[last], 255);     // blue
    EXPECT_EQ(b[last + 3], 128); // alpha
}

TEST(Font, DrawsInkWhereTheTextIs) {
    Canvas c(120, 40);
    const Font font(FontFace::SansBold, 24);
    const float advance = font.Draw(c, 4, 30, "Veltrane", {1, 1, 1, 1});
    EXPECT_GT(advance, 60.0f);
    EXPECT_NEAR(advance, font.Measure("Veltrane"), 0.01f);
    float ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) ink += c.Get(x, y).a;
    EXPECT_GT(ink, 100.0f);
    EXPECT_EQ(c.Get(118, 2).a, 0.0f);
}

} // namespace
} // namespace veltrane::assetgen

#include "common/Noise.h"
#include "common/Shapes.h"
#include "common/Text.h"
#include "common/TextLayout.h"
#include "scene/CubeFace.h"

#include <gtest/gtest.h>

namespace veltrane::assetgen {
namespace {

float Area(const Canvas& c) {
    float sum = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) sum += c.Get(x, y).a;
    return sum;
}

TEST(SceneDrawing, FilledShapesCoverTheirAreaWithSoftEdges) {
    Canvas square(64, 64);
    FillShape(square, {{10.25f, 10.5f}, {40.75f, 10.5f}, {40.75f, 30.5f}, {10.25f, 30.5f}}, {1, 1, 1, 1});
    EXPECT_NEAR(Area(square), 30.5f * 20.0f, 0.5f);
    EXPECT_NEAR(square.Get(10, 20).a, 0.75f, 0.01f); // a quarter of the pixel lies outside
    EXPECT_FLOAT_EQ(square.Get(20, 20).a, 1.0f);
    EXPECT_FLOAT_EQ(square.Get(45, 20).a, 0.0f);

    Canvas triangle(64, 64);
    FillShape(triangle, {{0, 0}, {40, 0}, {0, 40}}, {1, 1, 1, 1});
    EXPECT_NEAR(Area(triangle), 800.0f, 8.0f);

    // A regular polygon with many corners is nearly its circle.
    Canvas round(64, 64);
    FillShape(round, RegularPolygon(32, 32, 20, 64), {1, 1, 1, 1});
    EXPECT_NEAR(Area(round), 3.14159f * 400.0f, 15.0f);

    // A five-pointed star: tips on the outer circle, the middle filled, between tips empty.
    Canvas star(64, 64);
    FillShape(star, StarPolygon(32, 32, 28, 11, 5), {1, 1, 1, 1});
    EXPECT_GT(star.Get(32, 6).a, 0.5f); // the top tip
    EXPECT_FLOAT_EQ(star.Get(32, 32).a, 1.0f);
    EXPECT_FLOAT_EQ(star.Get(44, 10).a, 0.0f); // between the first two tips
}

TEST(SceneDrawing, WrappedLinesFitTheirWidthAndKeepEveryWord) {
    const Font font(FontFace::Sans, 20);
    const std::string text = "Gather four cubes of one colour into a 2 x 2 square: they vanish and score.";
    const auto lines = WrapText(font, text, 200);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const auto& line : lines) {
        EXPECT_LE(font.Measure(line), 200.0f) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
    // A word longer than the width still gets a line of its own rather than vanishing.
    EXPECT_EQ(WrapText(font, "a Veltranesquelongword b", 30).size(), 3u);
}

TEST(SceneDrawing, NoiseStaysInRangeAndIsSmooth) {
    for (int i = 0; i < 200; ++i) {
        const float x = static_cast<float>(i) * 0.37f, y = static_cast<float>(i) * 0.11f;
        const float n = FractalNoise(7u, x, y, 4);
        EXPECT_GE(n, 0.0f);
        EXPECT_LE(n, 1.0f);
        EXPECT_NEAR(ValueNoise(7u, x, y), ValueNoise(7u, x + 0.001f, y), 0.01f);
        EXPECT_EQ(ValueNoise(7u, x, y), ValueNoise(7u, x, y));
    }
    EXPECT_NE(ValueNoise(1u, 0.5f, 0.5f), ValueNoise(2u, 0.5f, 0.5f));
}

TEST(SceneDrawing, FacesLeaveTheirEdgesToTheMeshesRoundedAndChamferedRims) {
    using namespace scene;
    // On the cube the flat top spans 0.091 .. 0.909 of the picture; beyond it the picture lies on
    // the rounded edge and is shaded as such: the lit top edge brighter, the bottom edge darker.
    const Canvas cube = ColourFace(256, 1, SkinStyle::Glossy);
    const auto luma = [](Colour c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; };
    const float top = luma(cube.Get(128, 12)), middle = luma(cube.Get(128, 180)),
                bottom = luma(cube.Get(128, 244));
    EXPECT_GT(top, middle);
    EXPECT_LT(bottom, middle * 0.8f);
    // The block's chamfer (flat at 0.12 .. 0.88) has one shade per side facet.
    const Canvas block = BlockFace(256);
    const float leftFacet = luma(block.Get(10, 128)), rightFacet = luma(block.Get(245, 128));
    EXPECT_GT(leftFacet, rightFacet + 0.1f);
    // The bomb model takes its collar and wick from the top tenth: brass, not the dark body.
    const Canvas bomb = BombTexture(256);
    const Colour collar = bomb.Get(100, 18), body = bomb.Get(100, 60);
    EXPECT_GT(collar.r, 0.4f);
    EXPECT_GT(collar.r, collar.b + 0.15f);
    EXPECT_LT(luma(body), 0.2f);
}

} // namespace
} // namespace veltrane::assetgen

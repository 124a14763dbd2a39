#include "render/Placement.h"

#include <gtest/gtest.h>

#include <numbers>

namespace veltrane {
namespace {

void ExpectNear(TVector got, TVector want) {
    EXPECT_NEAR(got.x, want.x, 1e-5f);
    EXPECT_NEAR(got.y, want.y, 1e-5f);
    EXPECT_NEAR(got.z, want.z, 1e-5f);
}

TEST(MakeWorld, ZeroScaleMapsEveryPointToThePosition) {
    const TVector pos{1.5f, -2.0f, 0.4f};
    const TMatrix w = MakeWorld({0, 0, 0}, pos, {0.3f, 1.1f, -0.7f});
    ExpectNear(TransformCoord({1, 0, 0}, w), pos);
    ExpectNear(TransformCoord({-3, 7, 2}, w), pos);
}

TEST(MakeWorld, LeftHandedRotationsAboutEachAxis) {
    const float a = 0.6f;
    const TVector p{3, -1, 2};
    ExpectNear(TransformCoord({1, 0, 0}, MakeWorld({1, 1, 1}, p, {0, 0, a})),
               p + TVector{std::cos(a), std::sin(a), 0});
    ExpectNear(TransformCoord({0, 1, 0}, MakeWorld({1, 1, 1}, {}, {a, 0, 0})), {0, std::cos(a), std::sin(a)});
    // About y the left-handed turn carries +x towards -z.
    ExpectNear(TransformCoord({1, 0, 0}, MakeWorld({1, 1, 1}, {}, {0, a, 0})),
               {std::cos(a), 0, -std::sin(a)});
}

TEST(MakeWorld, ScalesFirstThenTurnsZYXThenMoves) {
    const float h = std::numbers::pi_v<float> / 2;
    // Scale x by 2: (1,0,0) -> (2,0,0); RotZ 90: -> (0,2,0); RotX 90: -> (0,0,2); then move.
    const TMatrix w = MakeWorld({2, 1, 1}, {10, 20, 30}, {h, 0, h});
    ExpectNear(TransformCoord({1, 0, 0}, w), {10, 20, 32});
    // Turning about y after z: (0,1,0) scaled (0,3,0), RotZ 90 -> (-3,0,0), RotY 90 -> (0,0,3).
    const TMatrix w2 = MakeWorld({1, 3, 1}, {}, {0, h, h});
    ExpectNear(TransformCoord({0, 1, 0}, w2), {0, 0, 3});
}

TEST(Matrix, ProductIsRowVectorOrder) {
    const TMatrix a = MatrixTranslation({1, 2, 3});
    const TMatrix b = MatrixScaling({2, 2, 2});
    // v * (T x S): translate, then scale.
    ExpectNear(TransformCoord({0, 0, 0}, MatrixMultiply(a, b)), {2, 4, 6});
    ExpectNear(TransformCoord({0, 0, 0}, MatrixMultiply(b, a)), {1, 2, 3});
}

TEST(Vector, CrossFollowsTheAxes) {
    ExpectNear(Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
    EXPECT_FLOAT_EQ(Length({3, 4, 0}), 5.0f);
    EXPECT_FLOAT_EQ(Dot({1, 2, 3}, {4, 5, 6}), 32.0f);
}

} // namespace
} // namespace veltrane

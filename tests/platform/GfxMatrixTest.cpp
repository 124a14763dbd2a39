// The camera matrices against matrices worked out by hand, and their failure cases.
#include "platform/gfx/D3DX.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrane::gfx {
namespace {

void ExpectMatrix(const D3DMATRIX& actual, const float (&expected)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual.m[r][c], expected[r][c], 1e-5f) << "row " << r << " col " << c;
}

D3DMATRIX Marker() {
    D3DMATRIX m;
    m.m[0][0] = 42;
    return m;
}

TEST(GfxLookAtTest, BuildsTheLeftHandedViewMatrix) {
    D3DMATRIX m;
    ASSERT_EQ(MatrixLookAtLH(m, {0, 0, -5}, {0, 0, 0}, {0, 1, 0}), D3D_OK);
    ExpectMatrix(m, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 5, 1}});

    // Looking along +x with z up (its length does not matter): view z = (1, 0, 0),
    // x = up x z = (0, 1, 0), y = z x x = (0, 0, 1).
    ASSERT_EQ(MatrixLookAtLH(m, {-3, 0, 0}, {0, 0, 0}, {0, 0, 2}), D3D_OK);
    ExpectMatrix(m, {{0, 0, 1, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 3, 1}});
}

TEST(GfxLookAtTest, UpParallelToTheViewFallsBackToYThenZ) {
    // The game's rest camera looks straight down with up = z: world y becomes up and the
    // screen's right is world -x.
    D3DMATRIX m;
    ASSERT_EQ(MatrixLookAtLH(m, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1}), D3D_OK);
    ExpectMatrix(m, {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {-1.8f, 0.25f, 12.7f, 1}});

    // Looking down the y axis with up = y: y is parallel too, so z is used.
    ASSERT_EQ(MatrixLookAtLH(m, {0, 5, 0}, {0, 0, 0}, {0, 1, 0}), D3D_OK);
    ExpectMatrix(m, {{1, 0, 0, 0}, {0, 0, -1, 0}, {0, 1, 0, 0}, {0, 0, 5, 1}});

    // A zero up vector is as good as none.
    ASSERT_EQ(MatrixLookAtLH(m, {0, 0, -5}, {0, 0, 0}, {0, 0, 0}), D3D_OK);
    ExpectMatrix(m, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 5, 1}});
}

TEST(GfxLookAtTest, EyeOnTheTargetIsRefusedAndLeavesTheResultAlone) {
    D3DMATRIX m = Marker();
    EXPECT_EQ(MatrixLookAtLH(m, {1, 2, 3}, {1, 2, 3}, {0, 0, 1}), E_INVALIDARG);
    EXPECT_EQ(MatrixLookAtLH(m, {1, 2, 3}, {1, 2, 3 + 5e-7f}, {0, 0, 1}), E_INVALIDARG);
    EXPECT_EQ(MatrixLookAtLH(m, {0, 0, 0}, {NAN, 0, 0}, {0, 0, 1}), E_INVALIDARG);
    EXPECT_EQ(m, Marker());
    EXPECT_EQ(MatrixLookAtLH(m, {0, 0, 0}, {0, 0, 2e-6f}, {0, 1, 0}), D3D_OK);
}

TEST(GfxPerspectiveTest, XScaleIsAspectTimesCotangent) {
    D3DMATRIX m;
    ASSERT_EQ(MatrixPerspectiveFovLH(m, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
    const float cot = 1 / std::tan(0.4f);
    ExpectMatrix(m, {{0.75f * cot, 0, 0, 0},
                     {0, cot, 0, 0},
                     {0, 0, 200 / 199.99f, 1},
                     {0, 0, -0.01f * 200 / 199.99f, 0}});
    // Near and far land on depth 0 and 1.
    auto depth = [&](float z) { return (z * m.m[2][2] + m.m[3][2]) / z; };
    EXPECT_NEAR(depth(0.01f), 0, 1e-5f);
    EXPECT_NEAR(depth(200), 1, 1e-5f);
}

TEST(GfxPerspectiveTest, DegenerateVolumesAreRefused) {
    D3DMATRIX m = Marker();
    EXPECT_EQ(MatrixPerspectiveFovLH(m, 0.8f, 0.75f, 1, 1.005f), E_INVALIDARG);     // planes 0.005 apart
    EXPECT_EQ(MatrixPerspectiveFovLH(m, 0.8f, 0.75f, 5, 4.995f), E_INVALIDARG);     // either way round
    EXPECT_EQ(MatrixPerspectiveFovLH(m, 0.015f, 0.75f, 0.01f, 200), E_INVALIDARG);  // sin(fov/2) 0.0075
    EXPECT_EQ(MatrixPerspectiveFovLH(m, 6.2832f, 0.75f, 0.01f, 200), E_INVALIDARG); // sin(pi) ~ 0
    EXPECT_EQ(m, Marker());
    EXPECT_EQ(MatrixPerspectiveFovLH(m, 0.03f, 0.75f, 1, 1.02f), D3D_OK);
}

TEST(GfxD3DXTest, MaterialFromColourAndErrorTexts) {
    const D3DMATERIAL8 material = MaterialFromColor({0.5f, 0.25f, 1, 0});
    EXPECT_EQ(material.Diffuse, (D3DCOLORVALUE{0.5f, 0.25f, 1, 0}));
    EXPECT_EQ(material.Ambient, material.Diffuse);
    EXPECT_EQ(material.Specular, (D3DCOLORVALUE{1, 1, 1, 1}));

    EXPECT_STREQ(ErrorDescription(D3D_OK), "No error occurred.");
    EXPECT_STREQ(ErrorDescription(D3DERR_INVALIDCALL),
                 "The method call is invalid. For example, a method's parameter may have an invalid value.");
    EXPECT_STREQ(ErrorDescription(E_INVALIDARG),
                 "An invalid parameter was passed to the returning function.");
    EXPECT_STREQ(ErrorDescription(static_cast<HRESULT>(0x8000FFFFu)), "Unknown error.");
    EXPECT_EQ(D3DERR_INVALIDCALL, static_cast<HRESULT>(0x8876086Cu));
    EXPECT_TRUE(Failed(E_FAIL));
    EXPECT_FALSE(Failed(D3D_OK));
}

} // namespace
} // namespace veltrane::gfx

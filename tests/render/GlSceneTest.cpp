// The shared geometry and sprites drawn by the OpenGL device with the game's fixed states,
// lights and rest camera, read back as a player would see them.
#include "hosts/gfx/GlTestDevice.h"

#include "PictureFiles.h"
#include "TempDir.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"
#include "render/RestSceneStates.h"
#include "render/Sprite.h"
#include "render/TextureLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace veltrane {
namespace {

using namespace gfx;
using gfxtest::ReadFrame;
using gfxtest::TFrame;

class GlSceneTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 200, kHeight = 150;

    void SetUp() override {
        device = gfxtest::MakeGlDevice(kWidth, kHeight);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(InitVertices(*device, vb, collector), D3D_OK);
        ASSERT_TRUE(SetRestSceneStates(*device, view, projection));
        standard.Diffuse = standard.Ambient = {1, 1, 1, 0};
        standard.Specular = {1, 1, 1, 1};
        standard.Power = 10;
        device->SetMaterial(standard);
    }

    // Where a world point lands on the screen, in pixels.
    std::pair<int, int> Pixel(TVector p) const {
        TMatrix v, pr;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                v(r, c) = view.m[r][c];
                pr(r, c) = projection.m[r][c];
            }
        const TVector ndc = TransformCoord(p, MatrixMultiply(v, pr));
        return {int(std::floor((ndc.x + 1) / 2 * kWidth)), int(std::floor((1 - ndc.y) / 2 * kHeight))};
    }

    TFrame Frame(const std::function<void()>& draw, D3DCOLOR background = 0xFF000000) {
        EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background, 1.0f, 0), D3D_OK);
        EXPECT_EQ(device->BeginScene(), D3D_OK);
        draw();
        EXPECT_EQ(device->EndScene(), D3D_OK);
        return ReadFrame(*device);
    }

    TextureHandle Solid(uint32_t argb) {
        TextureHandle texture;
        EXPECT_EQ(device->CreateTexture(gfxtest::SolidImage(16, 16, argb), texture), D3D_OK);
        return texture;
    }

    std::unique_ptr<TGlDevice> device;
    VertexBufferHandle vb;
    TCollector collector;
    D3DMATRIX view, projection;
    D3DMATERIAL8 standard;
    TempDir dir;
};

TEST_F(GlSceneTest, LitTexturedCubeAtTheBoardCentreShowsItsTextureShaded) {
    const TextureHandle texture = Solid(0xFFC87828); // (200, 120, 40)
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTexture(0, texture);
    device->SetTransform(D3DTS_WORLD, ToD3D(MakeWorld({0.8f, 0.8f, 0.8f}, {0, 0, 0.4f}, {0, 0, 0})));
    auto draw = [&] { ASSERT_EQ(DrawMeshRange(*device, kRangeCube), D3D_OK); };
    const auto [cx, cy] = Pixel({0, 0, 0.8f});

    // Only the global ambient (0x66 = 0.4) when the lights are off.
    device->LightEnable(0, false);
    device->LightEnable(1, false);
    TFrame frame = Frame(draw);
    EXPECT_NEAR(frame.Red(cx, cy), 80, 2);
    EXPECT_NEAR(frame.Green(cx, cy), 48, 2);
    EXPECT_NEAR(frame.Blue(cx, cy), 16, 2);
    EXPECT_EQ(frame.At(5, 5), 0xFF000000u);

    // With the room light: ambient 0.4 + 0.3, diffuse 0.3 N.L, and a highlight of power 10 on
    // top, worked out at the corners of the top's flat and averaged (lighting is per vertex).
    device->LightEnable(0, true);
    device->LightEnable(1, true);
    frame = Frame(draw);
    float lit = 0, highlight = 0;
    for (float x : {-0.32f, 0.32f})
        for (float y : {-0.32f, 0.32f}) {
            const TVector p{x, y, 0.8f};
            const TVector l = (kRoomLightPosition - p) / Length(kRoomLightPosition - p);
            const TVector v = (kRestEye - p) / Length(kRestEye - p);
            const TVector h = (l + v) / Length(l + v);
            lit += std::min(1.0f, 0.7f + 0.3f * l.z) / 4;
            highlight += 0.3f * std::pow(h.z, 10.0f) / 4;
        }
    EXPECT_NEAR(frame.Red(cx, cy), std::min(255.0f, 200 * lit + 255 * highlight), 6);
    EXPECT_NEAR(frame.Green(cx, cy), 120 * lit + 255 * highlight, 6);
    EXPECT_NEAR(frame.Blue(cx, cy), 40 * lit + 255 * highlight, 6);
}

TEST_F(GlSceneTest, AllThreeMeshesFaceTheCamera) {
    const TextureHandle texture = Solid(0xFF808080);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    const auto [cx, cy] = Pixel({0, 0, 0.8f});
    for (int range : {kRangeCube, kRangeBomb, kRangeBlock}) {
        device->SetTransform(D3DTS_WORLD, ToD3D(MakeWorld({0.8f, 0.8f, 0.8f}, {0, 0, 0.4f}, {0, 0, 0})));
        const TFrame frame = Frame([&] { DrawMeshRange(*device, range); });
        EXPECT_GT(frame.Red(cx, cy), 40) << "range " << range;
        EXPECT_EQ(frame.At(cx + 30, cy), 0xFF000000u) << "range " << range;
    }
}

TEST_F(GlSceneTest, HalfTransparentSpriteBlendsOverTheBackground) {
    picturetest::WritePng(dir.path() / "glass.png", 8, 8, [](int, int) { return 0x80FF0000u; });
    T3DSprite sprite(device.get(), (dir.path() / "glass.png").string());
    ASSERT_NE(sprite.Texture, nullptr);
    sprite.Scale = {2, 2, 1};
    sprite.Position = {-1.8f, -0.25f, 0.01f};
    D3DMATERIAL8 matte = standard;
    matte.Specular = {0, 0, 0, 0};
    device->SetMaterial(matte);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    const TFrame frame = Frame([&] { EXPECT_EQ(sprite.Draw(), D3D_OK); }, 0xFF0000FF);
    EXPECT_NEAR(frame.Red(kWidth / 2, kHeight / 2), 128, 2);
    EXPECT_NEAR(frame.Blue(kWidth / 2, kHeight / 2), 127, 2);
    EXPECT_EQ(frame.At(2, 2), 0xFF0000FFu);

    // A zero scale draws nothing visible.
    sprite.Scale = {0, 0, 0};
    EXPECT_EQ(Frame([&] { sprite.Draw(); }, 0xFF0000FF).At(kWidth / 2, kHeight / 2), 0xFF0000FFu);
}

TEST_F(GlSceneTest, PicturesReadTheRightWayRoundFromTheRestCamera) {
    // The quads store the picture mirrored in x and the camera looks down with world +x on the
    // screen's left, so the picture shows as drawn: red top left, green top right, blue bottom
    // left, yellow bottom right.
    picturetest::WritePng(dir.path() / "quarters.png", 8, 8, [](int x, int y) {
        return y < 4 ? (x < 4 ? 0xFFFF0000u : 0xFF00FF00u) : (x < 4 ? 0xFF0000FFu : 0xFFFFFF00u);
    });
    T3DSprite sprite(device.get(), (dir.path() / "quarters.png").string());
    sprite.Scale = {4, 3, 1};
    sprite.Position = {-1.8f, -0.25f, 0};
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_NONE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_NONE);
    D3DMATERIAL8 matte = standard;
    matte.Specular = {0, 0, 0, 0};
    device->SetMaterial(matte);
    const TFrame frame = Frame([&] { sprite.Draw(); });
    const int left = kWidth / 2 - 20, right = kWidth / 2 + 20, top = kHeight / 2 - 15,
              bottom = kHeight / 2 + 15;
    EXPECT_EQ(frame.At(left, top), 0xFFFF0000u);
    EXPECT_EQ(frame.At(right, top), 0xFF00FF00u);
    EXPECT_EQ(frame.At(left, bottom), 0xFF0000FFu);
    EXPECT_EQ(frame.At(right, bottom), 0xFFFFFF00u);

    // So does the top of a cube at the board centre (its rounded rim aside).
    device->SetTexture(0, sprite.Texture);
    device->SetTransform(D3DTS_WORLD, ToD3D(MakeWorld({3, 3, 3}, {-1.8f, -0.25f, -1.5f}, {0, 0, 0})));
    const TFrame cube = Frame([&] { DrawMeshRange(*device, kRangeCube); });
    const auto [cx, cy] = Pixel({-1.8f, -0.25f, 0});
    const int d = 8;
    EXPECT_EQ(cube.At(cx - d, cy - d) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(cube.At(cx + d, cy - d) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(cube.At(cx - d, cy + d) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(cube.At(cx + d, cy + d) & 0xFFFFFF, 0xFFFF00u);

    // The tiled quad repeats it twice each way.
    device->SetTexture(0, sprite.Texture);
    device->SetTransform(D3DTS_WORLD, ToD3D(MakeWorld({4, 3, 1}, {-1.8f, -0.25f, 0}, {0, 0, 0})));
    const TFrame tiled = Frame([&] { DrawMeshRange(*device, kRangeTiledQuad); });
    // The quad spans pixels 72..128 across: four half-pictures of 14 pixels; rows 54..96 down.
    const int row = 59;
    EXPECT_EQ(tiled.At(79, row), 0xFFFF0000u);
    EXPECT_EQ(tiled.At(93, row), 0xFF00FF00u);
    EXPECT_EQ(tiled.At(107, row), 0xFFFF0000u);
    EXPECT_EQ(tiled.At(121, row), 0xFF00FF00u);
    EXPECT_EQ(tiled.At(79, row + 11), 0xFF0000FFu);
}

TEST_F(GlSceneTest, BlinkingScoreLineMaterialShowsItsColour) {
    // The score line under white ambient with the blink material: diffuse = ambient = (|sin k|,
    // |cos k|, 0, 0), power 256. Its red and green follow the material.
    const TextureHandle white = Solid(0xFFFFFFFF);
    device->SetRenderState(D3DRS_AMBIENT, 0x00FFFFFF);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTexture(0, white);
    device->SetTransform(D3DTS_WORLD, ToD3D(MakeWorld({4, 0.42f, 1}, {-1.8f, -0.25f, 0.01f}, {0, 0, 0})));
    D3DMATERIAL8 blink;
    blink.Diffuse = blink.Ambient = {0.9f, 0.1f, 0, 0};
    blink.Specular = {1, 1, 1, 1};
    blink.Power = 256;
    device->SetMaterial(blink);
    TFrame frame = Frame([&] { DrawMeshRange(*device, kRangeSprite); });
    const int x = kWidth / 2, y = kHeight / 2;
    EXPECT_GT(frame.Red(x, y), 200);
    EXPECT_LT(frame.Green(x, y), 80);
    EXPECT_LT(frame.Blue(x, y), 40);
    blink.Diffuse = blink.Ambient = {0.1f, 0.9f, 0, 0};
    device->SetMaterial(blink);
    frame = Frame([&] { DrawMeshRange(*device, kRangeSprite); });
    EXPECT_LT(frame.Red(x, y), 80);
    EXPECT_GT(frame.Green(x, y), 200);
}

} // namespace
} // namespace veltrane

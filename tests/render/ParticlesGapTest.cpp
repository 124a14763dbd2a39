// A burst of sparks on the OpenGL device, seen from the game's rest camera: each spark shows
// where it has flown to, in its picture's colour added to what lies behind, and the spot they
// flew from is left clear.
#include "render/Particles.h"

#include "hosts/gfx/GlTestDevice.h"
#include "platform/gfx/D3DX.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veltrane {
namespace {

using namespace gfx;
using gfxtest::TFrame;

constexpr int kWidth = 400, kHeight = 300;
constexpr uint32_t kBackdrop = 0xFF102060; // dark blue
constexpr uint32_t kSpark = 0xFFFF8000;    // orange

class ParticlesGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = gfxtest::MakeGlDevice(kWidth, kHeight);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(InitVertices(*device, vb, collector), D3D_OK);
        // The states the board drawing leaves behind it.
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        ASSERT_EQ(MatrixLookAtLH(view, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1}), D3D_OK);
        ASSERT_EQ(MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
        device->SetTransform(D3DTS_VIEW, view);
        device->SetTransform(D3DTS_PROJECTION, projection);
        // Every slot an opaque orange square, so whichever slot a type uses shows the same.
        for (TextureHandle& slot : particles.Textures)
            ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(8, 8, kSpark), slot), D3D_OK);
    }

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

    TFrame Frame(int list) {
        EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackdrop, 1.0f, 0), D3D_OK);
        EXPECT_EQ(device->BeginScene(), D3D_OK);
        DrawParticles(*device, *vb, particles, list);
        EXPECT_EQ(device->EndScene(), D3D_OK);
        return gfxtest::ReadFrame(*device);
    }

    std::unique_ptr<TGlDevice> device;
    TParticles particles; // after the device: its pictures go first
    VertexBufferHandle vb;
    TCollector collector;
    D3DMATRIX view, projection;
};

TEST_F(ParticlesGlTest, ABurstShowsItsSparksWhereTheyFlewAddedToTheBackground) {
    // Eight sparks of type 0 (additive) fly out of one point in a ring.
    const TVector centre{-1.8f, -0.25f, 1};
    for (int k = 0; k < 8; ++k) {
        const float a = float(k) * 0.785398f;
        ASSERT_TRUE(SpawnParticle(particles, 1, 0, centre, 256, {40 * std::cos(a), 40 * std::sin(a), 0}));
    }
    UpdateParticles(particles, 1, 400);
    std::vector<TParticle> sparks;
    particles.Lists[0].ForEach([&](const TParticle& p) { sparks.push_back(p); });
    ASSERT_EQ(sparks.size(), 8u);

    const TFrame frame = Frame(1);
    const int bgRed = int((kBackdrop >> 16) & 0xFF), bgGreen = int((kBackdrop >> 8) & 0xFF),
              bgBlue = int(kBackdrop & 0xFF);
    for (const TParticle& p : sparks) {
        const auto [x, y] = Pixel(p.Position);
        SCOPED_TRACE("spark at " + std::to_string(x) + "," + std::to_string(y));
        ASSERT_TRUE(x > 2 && x < kWidth - 2 && y > 2 && y < kHeight - 2);
        const float alpha = float(std::min(p.Life, 255)) / 255;
        // Added, not covering: the blue behind stays; red and green grow by the spark's share.
        EXPECT_NEAR(frame.Red(x, y), std::min(255.0f, float(bgRed) + alpha * 255), 12);
        EXPECT_NEAR(frame.Green(x, y), float(bgGreen) + alpha * 128, 12);
        EXPECT_NEAR(frame.Blue(x, y), bgBlue, 6);
    }
    // The sparks have left the spot they came from, and the corners are untouched.
    const auto [cx, cy] = Pixel(centre);
    for (const auto& [x, y] : {std::pair{cx, cy}, std::pair{0, 0}, std::pair{kWidth - 1, kHeight - 1}}) {
        EXPECT_EQ(frame.Red(x, y), bgRed) << x << "," << y;
        EXPECT_EQ(frame.Blue(x, y), bgBlue) << x << "," << y;
    }

    // Once faded out the burst leaves its list and nothing more is drawn.
    UpdateParticles(particles, 1, 2000);
    EXPECT_TRUE(particles.Lists[0].Empty());
    const TFrame after = Frame(1);
    for (const TParticle& p : sparks) {
        const auto [x, y] = Pixel(p.Position);
        EXPECT_EQ(after.Red(x, y), bgRed);
    }
}

} // namespace
} // namespace veltrane

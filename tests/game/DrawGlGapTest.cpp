// The board drawn by the OpenGL device with plain pictures made here: a red and a blue kind laid
// out unevenly, so a cube drawn on the wrong cell, mirrored, or with the other kind's picture
// shows up as a wrong colour where the test looks.
#include "GameFixture.h"
#include "game/Game.h"
#include "game/Scenery.h"
#include "hosts/gfx/GlTestDevice.h"
#include "render/D3DConvert.h"
#include "render/Font.h"
#include "render/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace veltrane {
namespace {

using namespace gfx;

constexpr int kWidth = 400, kHeight = 300;
constexpr uint32_t kRed = 0xFFE02020, kBlue = 0xFF2040E0;

class DrawBoardGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = gfxtest::MakeGlDevice(kWidth, kHeight);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(InitVertices(*device, vb, collector), D3D_OK);
        // Unlit, so each cube shows its picture's colour as it is.
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        ASSERT_EQ(MatrixLookAtLH(view, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1}), D3D_OK);
        ASSERT_EQ(MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
        device->SetTransform(D3DTS_VIEW, view);
        device->SetTransform(D3DTS_PROJECTION, projection);
        ASSERT_EQ(
            device->CreateTexture(gfxtest::SolidImage(8, 8, kRed), scene.KindTextures[KindTextureSlot(1)]),
            D3D_OK);
        ASSERT_EQ(
            device->CreateTexture(gfxtest::SolidImage(8, 8, kBlue), scene.KindTextures[KindTextureSlot(2)]),
            D3D_OK);
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

    std::unique_ptr<TGlDevice> device;
    TScene scene; // the game's pictures, freed before the device
    VertexBufferHandle vb;
    TCollector collector;
    D3DMATRIX view, projection;
};

TEST_F(DrawBoardGlTest, CubesOfTwoKindsShowTheirOwnColourOnTheirOwnCells) {
    const testing::TPicture board = {"1........", "......2..", ".........", "..2......", ".........",
                                     ".........", "1......1.", ".........", "2........"};
    auto game = testing::GameWithBoard(board);
    game->Device = device.get();
    game->Scene = scene;
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    game->Draw(*vb, TFonts{}); // fonts without glyphs: no numbers over the cubes
    ASSERT_EQ(device->EndScene(), D3D_OK);
    const gfxtest::TFrame frame = gfxtest::ReadFrame(*device);

    int cubes = 0;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) {
            const char c = board[size_t(y - 1)][size_t(x - 1)];
            // The middle of the cell at the height of a resting cube's top.
            const auto [px, py] = Pixel({float(x - 5), float(y - 5), c == '.' ? 0.0f : 0.8f});
            SCOPED_TRACE(std::string("cell ") + std::to_string(x) + "," + std::to_string(y) + " pixel " +
                         std::to_string(px) + "," + std::to_string(py));
            ASSERT_TRUE(px >= 0 && px < kWidth && py >= 0 && py < kHeight);
            const int r = frame.Red(px, py), g = frame.Green(px, py), b = frame.Blue(px, py);
            if (c == '.') {
                EXPECT_LT(r + g + b, 30); // nothing drawn there
                continue;
            }
            ++cubes;
            const uint32_t want = c == '1' ? kRed : kBlue;
            EXPECT_NEAR(r, int((want >> 16) & 0xFF), 8);
            EXPECT_NEAR(g, int((want >> 8) & 0xFF), 8);
            EXPECT_NEAR(b, int(want & 0xFF), 8);
        }
    EXPECT_EQ(cubes, 6);
}

} // namespace
} // namespace veltrane

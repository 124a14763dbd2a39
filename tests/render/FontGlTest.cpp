// Text on the OpenGL device, seen from the game's rest camera: ink where the letters are, in
// the colour asked for, and nothing for transparent glyphs or blanks.
#include "render/Font.h"

#include "TempDir.h"
#include "hosts/gfx/GlTestDevice.h"
#include "platform/DebugLog.h"
#include "platform/gfx/D3DX.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/PictureFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace veltrane {
namespace {

using namespace gfx;
using gfxtest::TFrame;

constexpr int kWidth = 200, kHeight = 150;

// A 64 x 80 font picture of two rows of two 32-pixel glyphs: "0" and "3" are white in their
// upper half, "1" and "2" fully transparent.
void WriteFont(const std::filesystem::path& data, const std::string& picture, const std::string& metrics) {
    std::filesystem::create_directories(data);
    // White everywhere, opaque only where there is ink.
    picturetest::WriteTga(data / picture, 64, 80, [](int x, int y) {
        return (y % 40 < 20) && (y < 40) == (x < 32) ? 0xFFFFFFFFu : 0x00FFFFFFu;
    });
    std::ofstream(data / metrics, std::ios::binary) << "Test font\r\n64\r\n\r\n2\r\n0 32 64\r\n0 32 64\r\n";
}

class FontGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogFile((dir.path() / "debug.txt").string());
        device = gfxtest::MakeGlDevice(kWidth, kHeight);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(InitVertices(*device, vb, collector), D3D_OK);
        // The game's fixed states, with the colour modulated as the board drawing leaves it.
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        ASSERT_EQ(MatrixLookAtLH(view, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1}), D3D_OK);
        ASSERT_EQ(MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
        device->SetTransform(D3DTS_VIEW, view);
        device->SetTransform(D3DTS_PROJECTION, projection);

        CurrentDir cwd(dir.path());
        WriteFont(dir.path() / "data", "font.tga", "font.dat");
        WriteFont(dir.path() / "data", "font1.tga", "font1.dat");
        LoadFontTextures(*device, fonts);
        LoadFontMetrics(fonts);
        ASSERT_NE(fonts[0].Texture, nullptr);
    }
    void TearDown() override { SetDebugLogFile(""); }

    // Where a world point lands on the screen, in pixels.
    std::pair<int, int> Pixel(float x, float y, float z) const {
        TMatrix v, p;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                v(r, c) = view.m[r][c];
                p(r, c) = projection.m[r][c];
            }
        const TVector ndc = TransformCoord({x, y, z}, MatrixMultiply(v, p));
        return {int(std::floor((ndc.x + 1) / 2 * kWidth)), int(std::floor((1 - ndc.y) / 2 * kHeight))};
    }

    TFrame Frame(const std::function<void()>& draw) {
        EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
        EXPECT_EQ(device->BeginScene(), D3D_OK);
        draw();
        EXPECT_EQ(device->EndScene(), D3D_OK);
        return gfxtest::ReadFrame(*device);
    }

    TempDir dir;
    std::unique_ptr<TGlDevice> device;
    TFonts fonts; // after the device: its pictures go first
    VertexBufferHandle vb;
    TCollector collector;
    D3DMATRIX view, projection;
};

TEST_F(FontGlTest, LettersShowInTheirColourLeftToRightOnTheScreen) {
    // Size 20: each glyph 0.64 units wide and 0.8 high; a blank 0.44.
    const float x0 = 0, y = 0, z = 0.1f, w = 0.64f;
    float end = 0;
    const TFrame frame = Frame([&] {
        end = DrawText(*device, *vb, fonts, 1, 6, 20, x0, y, "0 13", z, 255);
        DrawText(*device, *vb, fonts, 1, 5, 20, x0, y - 1.5f, "3", z, 128);
    });
    EXPECT_FLOAT_EQ(end, x0 - 3 * w - 0.44f);
    auto at = [&](float x, float yy) {
        const auto [px, py] = Pixel(x, yy, z);
        return frame.At(px, py);
    };
    const uint32_t red = 0xFFFF0000, black = 0xFF000000;
    const float ink = y + 0.2f;                           // the letters' upper half carries their ink
    EXPECT_EQ(at(x0 - w / 2, ink), red);                  // "0"
    EXPECT_EQ(at(x0 - w / 2, y - 0.2f), black);           // ...the lower half none: not upside down
    EXPECT_EQ(at(x0 - w - 0.22f, ink), black);            // the blank
    EXPECT_EQ(at(x0 - w - 0.44f - w / 2, ink), black);    // "1": a transparent glyph
    EXPECT_EQ(at(x0 - 2 * w - 0.44f - w / 2, ink), red);  // "3", from the picture's second row
    EXPECT_EQ(at(x0 - 3 * w - 0.44f - 0.3f, ink), black); // past the end
    EXPECT_EQ(at(x0 - w / 2, y + 0.6f), black);           // above the letters
    EXPECT_EQ(at(x0 + 0.3f, ink), black);                 // before the start
    // The first letter is left of the last on the screen.
    EXPECT_LT(Pixel(x0 - w / 2, y, z).first, Pixel(x0 - 2 * w - 0.44f - w / 2, y, z).first);
    // Half alpha: cyan at half strength over black.
    const uint32_t half = at(x0 - w / 2, y - 1.5f + 0.2f);
    EXPECT_EQ(half >> 16 & 0xFF, 0u);
    EXPECT_NEAR(int(half >> 8 & 0xFF), 128, 3);
    EXPECT_NEAR(int(half & 0xFF), 128, 3);
}

TEST_F(FontGlTest, TextKeepsItsColourWhateverTheColourStageWasLeftAt) {
    // The menu's pictures leave the stage on the texture alone; the high-score table draws next.
    for (const uint32_t op : {D3DTOP_SELECTARG1, D3DTOP_SELECTARG2, D3DTOP_MODULATE}) {
        const TFrame frame = Frame([&] {
            device->SetTextureStageState(0, D3DTSS_COLOROP, op);
            DrawText(*device, *vb, fonts, 1, 5, 20, 0, 0, "0", 0.1f, 255);
        });
        const auto [px, py] = Pixel(-0.32f, 0.2f, 0.1f);
        EXPECT_EQ(frame.At(px, py), 0xFF00FFFFu) << "colour stage " << op; // cyan
    }
}

} // namespace
} // namespace veltrane

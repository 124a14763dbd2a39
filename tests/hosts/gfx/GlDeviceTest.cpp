// The OpenGL device against what a player would see: drawn frames read back pixel by pixel.
// Transforms are identity unless a test says otherwise, so x and y are screen positions
// (-1..1, y up) and z is the depth 0..1.
#include "hosts/gfx/GlTestDevice.h"

#include "platform/gfx/D3DX.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>

namespace veltrane::gfx {
namespace {

using gfxtest::ReadFrame;
using gfxtest::TFrame;

struct TVertex {
    float x, y, z, nx, ny, nz;
    uint32_t colour;
    float u, v;
};

// A rectangle as two triangles, clockwise on the screen (the way the scene's faces look).
void Rectangle(TVertex* out, float x0, float y0, float x1, float y1, float z, uint32_t colour = 0xFFFFFFFF,
               float nz = -1) {
    const TVertex bl{x0, y0, z, 0, 0, nz, colour, 0, 1}, br{x1, y0, z, 0, 0, nz, colour, 1, 1},
        tl{x0, y1, z, 0, 0, nz, colour, 0, 0}, tr{x1, y1, z, 0, 0, nz, colour, 1, 0};
    const TVertex corners[6] = {bl, tl, tr, bl, tr, br};
    std::memcpy(out, corners, sizeof corners);
}

class GlDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = gfxtest::MakeGlDevice();
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(device->CreateVertexBuffer(256 * kGameVertexSize, 0, kGameFVF, D3DPOOL_MANAGED, vb),
                  D3D_OK);
        ASSERT_EQ(device->SetStreamSource(0, vb, kGameVertexSize), D3D_OK);
        ASSERT_EQ(device->SetVertexShader(kGameFVF), D3D_OK);
    }

    // Writes rectangles into the buffer from vertex 6 * slot.
    void Put(int slot, float x0, float y0, float x1, float y1, float z, uint32_t colour = 0xFFFFFFFF,
             float nz = -1) {
        uint8_t* bytes = nullptr;
        ASSERT_EQ(vb->Lock(uint32_t(slot) * 6 * kGameVertexSize, 6 * kGameVertexSize, &bytes, 0), D3D_OK);
        Rectangle(reinterpret_cast<TVertex*>(bytes), x0, y0, x1, y1, z, colour, nz);
        ASSERT_EQ(vb->Unlock(), D3D_OK);
    }

    void Unlit() {
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    }

    TFrame Frame(const std::function<void()>& draw, D3DCOLOR background = 0xFF000000) {
        EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background, 1.0f, 0), D3D_OK);
        EXPECT_EQ(device->BeginScene(), D3D_OK);
        draw();
        EXPECT_EQ(device->EndScene(), D3D_OK);
        return ReadFrame(*device);
    }

    std::unique_ptr<TGlDevice> device;
    VertexBufferHandle vb;
};

TEST_F(GlDeviceTest, ClearsAndReadsBackTopRowFirst) {
    ASSERT_EQ(device->Width(), 160);
    ASSERT_EQ(device->Height(), 120);
    Unlit();
    Put(0, -1, 0, 1, 1, 0.5f, 0xFFFF0000); // the upper half of the screen, red
    const TFrame frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); }, 0xFF0000FF);
    EXPECT_EQ(frame.At(80, 10), 0xFFFF0000u);
    EXPECT_EQ(frame.At(80, 110), 0xFF0000FFu);
    EXPECT_EQ(device->Present(), D3D_OK);
}

TEST_F(GlDeviceTest, CullModeClockwiseHidesFacesClockwiseOnScreen) {
    Unlit();
    Put(0, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f, 0xFFFFFFFF);
    auto centreWith = [&](uint32_t mode) {
        device->SetRenderState(D3DRS_CULLMODE, mode);
        return Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); }).At(80, 60);
    };
    EXPECT_EQ(centreWith(D3DCULL_CW), 0xFF000000u);
    EXPECT_EQ(centreWith(D3DCULL_CCW), 0xFFFFFFFFu);
    EXPECT_EQ(centreWith(D3DCULL_NONE), 0xFFFFFFFFu);
}

TEST_F(GlDeviceTest, DepthTestKeepsTheNearerSurfaceOnlyWhileEnabled) {
    Unlit();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    Put(0, -0.5f, -0.5f, 0.5f, 0.5f, 0.2f, 0xFFFF0000); // near
    Put(1, -0.8f, -0.8f, 0.8f, 0.8f, 0.8f, 0xFF00FF00); // far, drawn second
    auto draw = [&] {
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 6, 2);
    };
    EXPECT_EQ(Frame(draw).At(80, 60), 0xFFFF0000u);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    EXPECT_EQ(Frame(draw).At(80, 60), 0xFF00FF00u);
    // Depth beyond the far plane (1) is clipped.
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    Put(0, -0.5f, -0.5f, 0.5f, 0.5f, 1.5f, 0xFFFF0000);
    EXPECT_EQ(Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); }).At(80, 60), 0xFF000000u);
}

TEST_F(GlDeviceTest, HalfTransparentTextureBlendsWithSourceAlpha) {
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(4, 4, 0x80FF0000), texture), D3D_OK);
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Put(0, -1, -1, 1, 1, 0.5f);
    auto draw = [&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); };

    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    TFrame frame = Frame(draw, 0xFF0000FF);
    EXPECT_NEAR(frame.Red(80, 60), 128, 2);
    EXPECT_NEAR(frame.Blue(80, 60), 127, 2);

    // Additive: the destination keeps all of its colour.
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    frame = Frame(draw, 0xFF0000FF);
    EXPECT_NEAR(frame.Red(80, 60), 128, 2);
    EXPECT_EQ(frame.Blue(80, 60), 255);

    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    frame = Frame(draw, 0xFF0000FF);
    EXPECT_EQ(frame.Red(80, 60), 255);
    EXPECT_EQ(frame.Blue(80, 60), 0);
}

TEST_F(GlDeviceTest, AlphaModulatesTextureAndVertexColour) {
    // Text and particles: alpha = texture alpha x diffuse alpha, lighting off.
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(4, 4, 0xFFFFFFFF), texture), D3D_OK);
    device->SetTexture(0, texture);
    Put(0, -1, -1, 1, 1, 0.5f, 0x8000FF00); // half-transparent green
    const TFrame frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); }, 0xFFFF0000);
    EXPECT_NEAR(frame.Green(80, 60), 128, 2);
    EXPECT_NEAR(frame.Red(80, 60), 127, 2);
}

TEST_F(GlDeviceTest, PointLightFollowsAttenuationAndEndsAtItsRange) {
    // Lighting is worked out at the vertices, so the surface is a row of twenty narrow strips.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_AMBIENT, 0);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE); // no texture: white x lit colour
    D3DMATERIAL8 material;
    material.Diffuse = {1, 1, 1, 0};
    device->SetMaterial(material);
    D3DLIGHT8 light;
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {0.8f, 0.8f, 0.8f, 0};
    light.Position = {-0.5f, 0, 0.3f};
    light.Range = 0.5f;
    light.Attenuation0 = 0.6f;
    light.Attenuation2 = 3.0f;
    ASSERT_EQ(device->SetLight(1, light), D3D_OK);
    ASSERT_EQ(device->LightEnable(1, true), D3D_OK);
    for (int i = 0; i < 20; ++i) Put(i, -1 + 0.1f * float(i), -0.05f, -0.9f + 0.1f * float(i), 0.05f, 0.5f);
    auto draw = [&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 40); };
    const TFrame frame = Frame(draw);

    // The light at a vertex x: 0.8 (N.L) / (0.6 + 3 d^2), nothing beyond the range.
    auto lit = [&](float x) {
        const float dx = x + 0.5f, dy = 0.05f, dz = 0.2f;
        const float d = std::sqrt(dx * dx + dy * dy + dz * dz);
        return d > 0.5f ? 0.0f : std::min(1.0f, 0.8f * (dz / d) / (0.6f + 3 * d * d));
    };
    for (int i = 0; i < 20; ++i) {
        const float x0 = -1 + 0.1f * float(i), x1 = x0 + 0.1f;
        const float expected = 255 * (lit(x0) + lit(x1)) / 2;
        EXPECT_NEAR(frame.Red(8 * i + 4, 60), expected, 6) << "strip " << i;
    }
    // The strips past x = -0.04 lie wholly out of range and stay black.
    EXPECT_EQ(frame.Red(8 * 10 + 4, 60), 0);
    EXPECT_EQ(frame.Red(8 * 18 + 4, 60), 0);
    EXPECT_GT(frame.Red(8 * 5 + 4, 60), 200);

    ASSERT_EQ(device->LightEnable(1, false), D3D_OK);
    EXPECT_EQ(Frame(draw).Red(8 * 5 + 4, 60), 0);
}

TEST_F(GlDeviceTest, AmbientLightShowsTheMaterialColour) {
    // A material's ambient colour shows under a white global ambient even with no light on:
    // the blinking score line depends on it.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_AMBIENT, 0x00FFFFFF);
    D3DMATERIAL8 material;
    material.Diffuse = material.Ambient = {0.8f, 0.3f, 0, 0};
    device->SetMaterial(material);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    Put(0, -1, -1, 1, 1, 0.5f);
    TFrame frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); });
    EXPECT_NEAR(frame.Red(80, 60), 204, 2);
    EXPECT_NEAR(frame.Green(80, 60), 77, 2);
    EXPECT_EQ(frame.Blue(80, 60), 0);

    // 0x666666 scales it.
    device->SetRenderState(D3DRS_AMBIENT, 0x00666666);
    frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); });
    EXPECT_NEAR(frame.Red(80, 60), 82, 2);
}

TEST_F(GlDeviceTest, PointAndLinearFilteringDiffer) {
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    const uint32_t checker[4] = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000};
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(MakeTextureImage(2, 2, checker, D3DFMT_X8R8G8B8, D3DX_DEFAULT), texture),
              D3D_OK);
    EXPECT_EQ(texture->Levels(), 2u);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
    Put(0, -1, -1, 1, 1, 0.5f);
    auto greys = [&](uint32_t filter) {
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
        const TFrame frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); });
        int between = 0;
        for (int x = 0; x < frame.Width; ++x) {
            const int r = frame.Red(x, 30);
            between += r > 20 && r < 235;
        }
        return std::pair{between, frame.Red(20, 30)};
    };
    const auto [noneBetween, noneLeft] = greys(D3DTEXF_NONE);
    EXPECT_EQ(noneBetween, 0);
    EXPECT_EQ(noneLeft, 0); // top-left texel is black
    const auto [linearBetween, linearLeft] = greys(D3DTEXF_LINEAR);
    EXPECT_GT(linearBetween, 60);
    (void)linearLeft;
}

TEST_F(GlDeviceTest, MatricesArriveRowMajorAndLeftHanded) {
    // The rest camera of the game looks straight down; world +x appears on the screen's left.
    Unlit();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DMATRIX view, projection;
    ASSERT_EQ(MatrixLookAtLH(view, {0, 0, 10}, {0, 0, 0}, {0, 0, 1}), D3D_OK);
    ASSERT_EQ(MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
    device->SetTransform(D3DTS_VIEW, view);
    device->SetTransform(D3DTS_PROJECTION, projection);
    D3DMATRIX world = MatrixIdentity();
    world.m[3][0] = 2; // translation in the fourth row
    device->SetTransform(D3DTS_WORLD, world);
    Put(0, -0.5f, -0.5f, 0.5f, 0.5f, 0, 0xFFFFFFFF);
    const TFrame frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); });
    // x = 2 at distance 10: screen x = -(2 / 10) * 0.75 * cot(0.4) = -0.3545 -> pixel 51.6.
    EXPECT_EQ(frame.At(52, 60), 0xFFFFFFFFu);
    EXPECT_EQ(frame.At(108, 60), 0xFF000000u);
    // half size 0.5 -> 0.0886 of the half width = 7 pixels each side.
    EXPECT_EQ(frame.At(52 + 10, 60), 0xFF000000u);
}

TEST_F(GlDeviceTest, BadCallsAnswerInvalidCall) {
    Unlit();
    Put(0, -1, -1, 1, 1, 0.5f);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3DERR_INVALIDCALL); // outside a scene
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 252, 2), D3DERR_INVALIDCALL); // past the buffer end
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 86), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_EQ(device->SetRenderState(D3DRS_SRCBLEND, 99), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetLight(kMaxLights, D3DLIGHT8{}), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Present(), D3DERR_INVALIDCALL); // scene still open
    EXPECT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    uint8_t* bytes = nullptr;
    EXPECT_EQ(vb->Lock(vb->Length() - 10, 36, &bytes, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(vb->Unlock(), D3DERR_INVALIDCALL);
    ASSERT_EQ(vb->Lock(0, 0, &bytes, 0), D3D_OK);
    EXPECT_EQ(vb->Lock(0, 0, &bytes, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(vb->Unlock(), D3D_OK);
}

// A back buffer of another shape shows the 4:3 picture as large as fits, centred, with black bars
// where the clear colour was: the scene keeps its proportions on wide and tall screens.
TEST_F(GlDeviceTest, OtherShapesGetTheCentredFourByThreePictureBetweenDarkBars) {
    struct TCase {
        int W, H;
        int Left, Top, Width, Height; // the picture
    };
    for (const TCase c : {TCase{320, 120, 80, 0, 160, 120}, TCase{160, 200, 0, 40, 160, 120}}) {
        SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H));
        vb.reset();
        device = gfxtest::MakeGlDevice(c.W, c.H);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(device->CreateVertexBuffer(6 * kGameVertexSize, 0, kGameFVF, D3DPOOL_MANAGED, vb), D3D_OK);
        device->SetStreamSource(0, vb, kGameVertexSize);
        device->SetVertexShader(kGameFVF);
        Unlit();
        Put(0, -1, -1, 1, 1, 0.5f, 0xFFFF0000); // the whole picture, red
        const TFrame frame = Frame([&] { device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2); }, 0xFF0000FF);
        ASSERT_EQ(frame.Width, c.W);
        for (int y = 0; y < c.H; ++y)
            for (int x = 0; x < c.W; ++x) {
                const bool inside = x >= c.Left && x < c.Left + c.Width && y >= c.Top && y < c.Top + c.Height;
                const uint32_t expected = inside ? 0xFFFF0000u : 0xFF000000u;
                if (frame.At(x, y) != expected) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << frame.At(x, y);
                    return;
                }
            }
    }
}

TEST_F(GlDeviceTest, TexturesMayBeReleasedOnAnotherThread) {
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(8, 8, 0xFFFFFFFF), texture), D3D_OK);
    std::thread([t = std::move(texture)]() mutable { t.reset(); }).join();
    ASSERT_EQ(device->BeginScene(), D3D_OK); // deletes it here, on the device's thread
    EXPECT_EQ(device->EndScene(), D3D_OK);
}

TEST_F(GlDeviceTest, TexturesAndBuffersMayOutliveTheDevice) {
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(8, 8, 0xFFFFFFFF), texture), D3D_OK);
    device->SetStreamSource(0, nullptr, kGameVertexSize);
    device.reset();
    EXPECT_EQ(texture->Width(), 8u);
    uint8_t* bytes = nullptr;
    ASSERT_EQ(vb->Lock(0, 36, &bytes, 0), D3D_OK);
    EXPECT_EQ(vb->Unlock(), D3DERR_DEVICELOST);
    texture.reset();
    vb.reset();
}

} // namespace
} // namespace veltrane::gfx

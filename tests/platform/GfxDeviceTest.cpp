// The recording device and the texture chain builder: what the drawing code's tests rely on.
#include "platform/gfx/D3DX.h"
#include "platform/gfx/RecordingDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace veltrane::gfx {
namespace {

using ::testing::ElementsAre;

TEST(GfxRecordingDeviceTest, RecordsCallsInDesignTermsAndKeepsTheState) {
    TRecordingDevice device;
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device.SetRenderState(D3DRS_AMBIENT, 0x00666666);
    device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device.SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_NONE);
    device.LightEnable(1, true);
    EXPECT_THAT(device.Log(), ElementsAre("SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE)",
                                          "SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE)",
                                          "SetRenderState(D3DRS_AMBIENT, 0x00666666)",
                                          "SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE)",
                                          "SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_NONE)",
                                          "LightEnable(1, TRUE)"));
    EXPECT_EQ(device.State().RenderState(D3DRS_DESTBLEND), D3DBLEND_ONE);
    EXPECT_EQ(device.State().StageState(D3DTSS_MAGFILTER), D3DTEXF_NONE);
    EXPECT_TRUE(device.State().LightEnabled[1]);
}

TEST(GfxRecordingDeviceTest, DrawsNeedAnOpenSceneAndAStreamThatHoldsTheVertices) {
    TRecordingDevice device;
    VertexBufferHandle vb;
    ASSERT_EQ(device.CreateVertexBuffer(12 * kGameVertexSize, 0, kGameFVF, D3DPOOL_MANAGED, vb), D3D_OK);
    EXPECT_EQ(device.DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL); // no stream
    device.SetStreamSource(0, vb, kGameVertexSize);
    device.SetVertexShader(kGameFVF);
    EXPECT_EQ(device.DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL); // no scene
    device.BeginScene();
    EXPECT_EQ(device.DrawPrimitive(D3DPT_TRIANGLELIST, 6, 2), D3D_OK);
    EXPECT_EQ(device.DrawPrimitive(D3DPT_TRIANGLELIST, 7, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device.DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device.Present(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device.EndScene(), D3D_OK);
    EXPECT_EQ(device.Present(), D3D_OK);
}

TEST(GfxRecordingDeviceTest, InjectedFailuresReachTheCallerUntilCleared) {
    TRecordingDevice device;
    VertexBufferHandle vb;
    device.FailCalls("CreateVertexBuffer", D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(device.CreateVertexBuffer(360, 0, kGameFVF, D3DPOOL_MANAGED, vb), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(vb, nullptr);
    device.FailCalls("CreateVertexBuffer", D3D_OK);
    ASSERT_EQ(device.CreateVertexBuffer(360, 0, kGameFVF, D3DPOOL_MANAGED, vb), D3D_OK);
    device.FailCalls("Lock", D3DERR_INVALIDCALL);
    uint8_t* bytes = nullptr;
    EXPECT_EQ(vb->Lock(0, 0, &bytes, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device.Calls().back().Text, "Lock(0, 0)");
}

TEST(GfxTextureImageTest, BuildsTheFullMipmapChain) {
    // 5 x 3: then 2 x 1 and 1 x 1.
    std::vector<uint32_t> pixels(15, 0xFF102030);
    pixels[0] = 0x00000000;
    TTextureImage image = MakeTextureImage(5, 3, pixels.data(), D3DFMT_A8R8G8B8, D3DX_DEFAULT);
    ASSERT_EQ(image.Levels.size(), 3u);
    EXPECT_EQ(image.Levels[1].Width, 2u);
    EXPECT_EQ(image.Levels[1].Height, 1u);
    EXPECT_EQ(image.Levels[2].Width, 1u);
    EXPECT_EQ(image.Levels[2].Height, 1u);
    // The averaged top-left texel: three of (FF,10,20,30) and one transparent black.
    EXPECT_EQ(image.Levels[1].Pixels[0], 0xBF0C1824u);

    // No mipmap filter: a pixel is picked, not averaged.
    image = MakeTextureImage(5, 3, pixels.data(), D3DFMT_A8R8G8B8, D3DX_FILTER_NONE);
    EXPECT_EQ(image.Levels[1].Pixels[0], 0x00000000u);
    EXPECT_EQ(image.Levels[1].Pixels[1], 0xFF102030u);

    // A picture without alpha is opaque.
    image = MakeTextureImage(5, 3, pixels.data(), D3DFMT_X8R8G8B8, D3DX_DEFAULT);
    EXPECT_EQ(image.Levels[0].Pixels[0], 0xFF000000u);
    EXPECT_EQ(image.Levels[0].Pixels.size(), 15u);

    // 256 x 1 has nine levels.
    std::vector<uint32_t> row(256, 0xFFFFFFFF);
    EXPECT_EQ(MakeTextureImage(256, 1, row.data(), D3DFMT_A8R8G8B8, D3DX_DEFAULT).Levels.size(), 9u);
}

} // namespace
} // namespace veltrane::gfx

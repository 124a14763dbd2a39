// The device's shader variants draw exactly what the general program draws, state by state:
// each row of the table is drawn both ways and the frames are compared pixel by pixel.
#include "hosts/gfx/GlTestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace veltrane::gfx {
namespace {

struct TVertex {
    float x, y, z, nx, ny, nz;
    uint32_t colour;
    float u, v;
};

struct TStateRow {
    const char* Name;
    bool Lighting, Specular, LocalViewer, ColourVertex, Texture;
    uint32_t ColourOp, ColourArg1, ColourArg2, AlphaOp, AlphaArg1, AlphaArg2;
    uint32_t AlphaFunc; // 0: no alpha test
};

constexpr uint32_t kTex = D3DTA_TEXTURE, kDif = D3DTA_DIFFUSE, kFac = D3DTA_TFACTOR, kSpec = D3DTA_SPECULAR;

const TStateRow kRows[] = {
    {"lit cube", true, true, false, true, true, D3DTOP_MODULATE, kTex, kDif, D3DTOP_MODULATE, kTex, kDif, 0},
    {"lit, local viewer, no vertex colour", true, true, true, false, true, D3DTOP_MODULATE, kTex, kDif,
     D3DTOP_SELECTARG1, kTex, kDif, D3DCMP_LESSEQUAL},
    {"sprite with alpha test", false, false, false, true, true, D3DTOP_SELECTARG1, kTex, kDif,
     D3DTOP_SELECTARG1, kTex, kDif, D3DCMP_GREATER},
    {"no texture bound", false, false, false, true, false, D3DTOP_MODULATE, kTex, kDif, D3DTOP_MODULATE, kTex,
     kDif, 0},
    {"factor and complement", false, false, false, true, true, D3DTOP_SELECTARG2, kTex, kFac,
     D3DTOP_SELECTARG1, kFac | D3DTA_COMPLEMENT, kDif, D3DCMP_NOTEQUAL},
    {"stage off", true, true, false, true, true, D3DTOP_DISABLE, kTex, kDif, D3DTOP_MODULATE, kTex, kDif, 0},
    {"add, subtract and replicate", true, true, false, true, true, D3DTOP_ADD, kTex | D3DTA_ALPHAREPLICATE,
     kSpec, D3DTOP_SUBTRACT, kTex, kDif | D3DTA_COMPLEMENT, D3DCMP_GREATEREQUAL},
    {"modulate 2x, signed add", true, false, false, true, true, D3DTOP_MODULATE2X, kTex, kDif,
     D3DTOP_ADDSIGNED, kTex, kDif, D3DCMP_EQUAL},
    {"unknown operation passes the diffuse colour", false, false, false, true, true, 12, kTex, kDif,
     D3DTOP_MODULATE4X, kTex, kDif, D3DCMP_LESS},
};

TEST(GlShaderVariantsTest, EveryStateDrawsAsTheGeneralProgram) {
    auto device = gfxtest::MakeGlDevice(64, 48);
    ASSERT_NE(device, nullptr);
    VertexBufferHandle vb;
    ASSERT_EQ(device->CreateVertexBuffer(6 * kGameVertexSize, 0, kGameFVF, D3DPOOL_MANAGED, vb), D3D_OK);
    uint8_t* bytes = nullptr;
    ASSERT_EQ(vb->Lock(0, 0, &bytes, 0), D3D_OK);
    // The whole screen, facing the viewer, with colours and alphas that differ at each corner.
    const TVertex bl{-1, -1, 0.5f, 0, 0, -1, 0x20FF0000, 0, 1}, br{1, -1, 0.5f, 0, 0, -1, 0x9000FF00, 1, 1},
        tl{-1, 1, 0.5f, 0, 0, -1, 0xE00000FF, 0, 0}, tr{1, 1, 0.5f, 0, 0, -1, 0xFFFFFF80, 1, 0};
    const TVertex corners[6] = {bl, tl, tr, bl, tr, br};
    std::memcpy(bytes, corners, sizeof corners);
    ASSERT_EQ(vb->Unlock(), D3D_OK);
    device->SetStreamSource(0, vb, kGameVertexSize);
    device->SetVertexShader(kGameFVF);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_AMBIENT, 0x00404040);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, 0x60A0C0E0);
    device->SetRenderState(D3DRS_ALPHAREF, 0x80);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = light.Specular = {0.9f, 0.8f, 0.7f, 0};
    light.Ambient = {0.2f, 0.2f, 0.2f, 0};
    light.Position = {0.3f, 0.2f, -1.5f};
    light.Range = 10;
    light.Attenuation0 = 1;
    device->SetLight(0, light);
    device->LightEnable(0, true);
    D3DMATERIAL8 material{};
    material.Diffuse = material.Ambient = {1, 1, 1, 0};
    material.Specular = {1, 1, 1, 0};
    material.Emissive = {0.1f, 0, 0, 0};
    material.Power = 8;
    device->SetMaterial(material);
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(8, 8, 0xC0FFA040, 0x4020C0FF), texture), D3D_OK);

    for (const TStateRow& row : kRows) {
        device->SetRenderState(D3DRS_LIGHTING, row.Lighting);
        device->SetRenderState(D3DRS_SPECULARENABLE, row.Specular);
        device->SetRenderState(D3DRS_LOCALVIEWER, row.LocalViewer);
        device->SetRenderState(D3DRS_COLORVERTEX, row.ColourVertex);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, row.AlphaFunc != 0);
        if (row.AlphaFunc) device->SetRenderState(D3DRS_ALPHAFUNC, row.AlphaFunc);
        device->SetTexture(0, row.Texture ? texture : nullptr);
        device->SetTextureStageState(0, D3DTSS_COLOROP, row.ColourOp);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, row.ColourArg1);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, row.ColourArg2);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, row.AlphaOp);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, row.AlphaArg1);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, row.AlphaArg2);
        std::vector<uint32_t> frames[2];
        for (bool variants : {false, true}) {
            device->UseShaderVariants(variants);
            device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF304050, 1, 0);
            device->BeginScene();
            ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
            ASSERT_EQ(device->EndScene(), D3D_OK);
            frames[variants ? 1 : 0] = device->ReadPixels();
        }
        size_t differ = 0;
        for (size_t i = 0; i < frames[0].size(); ++i) differ += frames[0][i] != frames[1][i];
        EXPECT_EQ(differ, 0u) << row.Name;
        // The row draws something other than the background, so the comparison means something.
        EXPECT_TRUE(std::any_of(frames[1].begin(), frames[1].end(), [](uint32_t p) {
            return p != 0xFF304050;
        })) << row.Name;
    }
}

} // namespace
} // namespace veltrane::gfx

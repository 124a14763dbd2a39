// Frames through the OpenGL device offscreen: 300 small draws of the shared geometry, each with
// its own world matrix and some with a texture or material change, as a full game screen makes
// them (81 board cubes and 12 figure cubes, the rest quads); the same with quads only and with
// lighting off; and a burst of tinted particles (one quad rewrite and one draw each).
#include "hosts/gfx/GlDevice.h"
#include "platform/gfx/D3DX.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace veltrane {
namespace {

using namespace gfx;

struct TBenchScene {
    std::unique_ptr<TGlDevice> Device;
    VertexBufferHandle VB;
    TCollector Collector;
    std::vector<TextureHandle> Textures;
    std::vector<D3DMATRIX> Worlds;
    D3DMATERIAL8 Standard, Bomb;

    bool Open(benchmark::State& state) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        std::string error;
        Device = TGlDevice::CreateOffscreen(800, 600, error);
        if (!Device || Failed(InitVertices(*Device, VB, Collector))) {
            state.SkipWithError(("no OpenGL device: " + error).c_str());
            return false;
        }
        Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
        Device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
        Device->SetRenderState(D3DRS_AMBIENT, 0x00666666);
        Device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
        Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        Device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        Device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        D3DLIGHT8 room;
        room.Diffuse = room.Specular = room.Ambient = {0.3f, 0.3f, 0.3f, 0};
        room.Position = {-1.8f, -0.25f, 10};
        room.Range = 16;
        room.Attenuation0 = 1;
        Device->SetLight(0, room);
        Device->LightEnable(0, true);
        D3DMATRIX view, projection;
        MatrixLookAtLH(view, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1});
        MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200);
        Device->SetTransform(D3DTS_VIEW, view);
        Device->SetTransform(D3DTS_PROJECTION, projection);
        for (uint32_t k = 0; k < 8; ++k) {
            std::vector<uint32_t> pixels(64 * 64, 0xFF203040u + k * 0x00101010u);
            TextureHandle texture;
            Device->CreateTexture(MakeTextureImage(64, 64, pixels.data(), D3DFMT_X8R8G8B8, D3DX_DEFAULT),
                                  texture);
            Textures.push_back(texture);
        }
        for (int i = 0; i < 300; ++i)
            Worlds.push_back(
                ToD3D(MakeWorld({0.8f, 0.8f, 0.8f}, {float(i % 9) - 4, float((i / 9) % 9) - 4, 0.4f},
                                {0, 0, float(i) * 0.1f})));
        Standard.Diffuse = Standard.Ambient = {1, 1, 1, 0};
        Standard.Specular = {1, 1, 1, 1};
        Standard.Power = 10;
        Bomb = Standard;
        Bomb.Power = 255;
        return true;
    }
};

// state.range(0): 1 = the game's mix of quads and meshes, 0 = quads only, 2 = the mix unlit.
void BM_Frame300Draws(benchmark::State& state) {
    const bool meshes = state.range(0) != 0;
    TBenchScene scene;
    if (!scene.Open(state)) return;
    IDevice& device = *scene.Device;
    if (state.range(0) == 2) device.SetRenderState(D3DRS_LIGHTING, FALSE);
    for (auto _ : state) {
        device.Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1, 0);
        device.BeginScene();
        for (int i = 0; i < 300; ++i) {
            if (i % 10 == 0) device.SetTexture(0, scene.Textures[size_t(i / 10) % scene.Textures.size()]);
            const bool bomb = i % 17 == 0;
            if (bomb || i % 17 == 1) device.SetMaterial(bomb ? scene.Bomb : scene.Standard);
            device.SetTransform(D3DTS_WORLD, scene.Worlds[size_t(i)]);
            DrawMeshRange(device, i >= 93 || !meshes ? kRangeSprite : bomb ? kRangeBomb : kRangeCube);
        }
        device.SetTexture(0, nullptr);
        device.EndScene();
        device.Present();
    }
    state.SetItemsProcessed(state.iterations() * 300);
}
BENCHMARK(BM_Frame300Draws)->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_TintedParticles144(benchmark::State& state) {
    TBenchScene scene;
    if (!scene.Open(state)) return;
    IDevice& device = *scene.Device;
    device.SetRenderState(D3DRS_LIGHTING, FALSE);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device.SetTexture(0, scene.Textures[0]);
    for (auto _ : state) {
        device.Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1, 0);
        device.BeginScene();
        for (int i = 0; i < 144; ++i) {
            TintQuad(*scene.VB, uint32_t(255 - i) << 24 | 0x00FFFFFF, 0);
            device.SetTransform(D3DTS_WORLD, scene.Worlds[size_t(i)]);
            DrawMeshRange(device, kRangeQuad);
        }
        device.EndScene();
        device.Present();
    }
    state.SetItemsProcessed(state.iterations() * 144);
}
BENCHMARK(BM_TintedParticles144)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace veltrane

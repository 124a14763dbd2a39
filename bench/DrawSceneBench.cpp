// One frame of the game screen (DrawPlayScene with the board, markers, figure preview, numbers,
// labels and particles): on a device that only accepts the calls, which measures the drawing
// code alone and fails when it allocates, and on the OpenGL device offscreen.
#include "AllocationCounter.h"
#include "game/DrawScene.h"
#include "game/Game.h"
#include "game/Scenery.h"
#include "hosts/gfx/GlDevice.h"
#include "platform/gfx/D3DX.h"
#include "render/D3DConvert.h"
#include "render/Font.h"
#include "render/Geometry.h"
#include "render/Particles.h"
#include "render/PointerPosition.h"
#include "render/ScoreLabels.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace veltrane {
namespace {

using namespace gfx;

// Accepts every call and draws nothing.
class TNullVertexBuffer final : public IVertexBuffer {
public:
    HRESULT Lock(uint32_t, uint32_t, uint8_t** data, uint32_t) override {
        *data = bytes_;
        return D3D_OK;
    }
    HRESULT Unlock() override { return D3D_OK; }
    uint32_t Length() const override { return sizeof bytes_; }

private:
    alignas(16) uint8_t bytes_[kSharedBufferBytes];
};

class TNullDevice final : public IDevice {
public:
    HRESULT CreateVertexBuffer(uint32_t, uint32_t, uint32_t, D3DPOOL, VertexBufferHandle& vb) override {
        vb = std::make_shared<TNullVertexBuffer>();
        return D3D_OK;
    }
    HRESULT CreateTexture(const TTextureImage&, TextureHandle&) override { return D3DERR_INVALIDCALL; }
    HRESULT SetStreamSource(uint32_t, const VertexBufferHandle&, uint32_t) override { return D3D_OK; }
    HRESULT SetVertexShader(uint32_t) override { return D3D_OK; }
    HRESULT SetTexture(uint32_t, const TextureHandle&) override { return D3D_OK; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX&) override { return D3D_OK; }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE, D3DMATRIX& m) const override {
        m = gfx::MatrixIdentity();
        return D3D_OK;
    }
    HRESULT GetViewport(D3DVIEWPORT8& v) const override {
        v = {0, 0, 800, 600, 0, 1};
        return D3D_OK;
    }
    HRESULT SetMaterial(const D3DMATERIAL8&) override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, uint32_t) override { return D3D_OK; }
    HRESULT SetTextureStageState(uint32_t, D3DTEXTURESTAGESTATETYPE, uint32_t) override { return D3D_OK; }
    HRESULT SetLight(uint32_t, const D3DLIGHT8&) override { return D3D_OK; }
    HRESULT LightEnable(uint32_t, bool) override { return D3D_OK; }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE, uint32_t, uint32_t) override {
        ++Draws;
        return D3D_OK;
    }
    HRESULT Clear(uint32_t, const D3DRECT*, uint32_t, D3DCOLOR, float, uint32_t) override { return D3D_OK; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Present() override { return D3D_OK; }
    long Draws = 0;
};

// Two fonts of 51 glyphs, 20 pixels wide each, without pictures.
TFonts BenchFonts() {
    TFonts fonts;
    for (TFont& font : fonts) {
        font.Metrics.Count = 51;
        for (TGlyph& g : font.Metrics.Glyphs) g = {0, 1, 0.02f, 0, 20};
    }
    return fonts;
}

// A busy game screen: 60 cubes of every kind, a path of 12 markers, a 3 x 3 figure, a score of
// six digits, five labels and two bursts of particles.
std::unique_ptr<TGame> BusyGame(IDevice& device) {
    ClearScoreLabels();

    auto game = std::make_unique<TGame>(&device);
    TScene& scene = game->Scene;
    for (TBackPlane& plane : scene.Room) plane.Device = &device;
    for (TBackPlane* plane :
         {static_cast<TBackPlane*>(&scene.BackPlane), static_cast<TBackPlane*>(&scene.BonusLight),
          static_cast<TBackPlane*>(&scene.PlugBonus), static_cast<TBackPlane*>(&scene.ScoreLine)})
        plane->Device = &device;
    scene.ScoreLine.Cap.Device = &device;
    scene.BonusLight.LampCount = 5;
    game->LevelCount = 1;
    game->Level = 1;
    game->Levels[1].Goal[1] = 1000;
    game->Levels[1].Progress = 400;
    game->ClearBoard();
    game->CubeCount = 60;
    for (int i = 1; i <= 60; ++i) {
        TCube& cube = game->Cubes[i];
        cube.Kind = uint8_t(1 + i % 18);
        cube.Position = {float((i - 1) % 9 - 4), float((i - 1) / 9 - 4), 0.4f};
        cube.Scale = {0.8f, 0.8f, 0.8f};
        cube.State = csResting;
    }
    for (int k = 0; k < 12; ++k) game->AddDot(CellWord(1 + k % 9, 8 + k / 9), k == 0 ? 2 : 1);
    game->FigureCount = 1;
    game->Figure = 1;
    game->Figures[1].Width = game->Figures[1].Height = 3;
    for (int b = 1; b <= 3; ++b)
        for (int d = 1; d <= 3; ++d) game->Figures[1].Cubes[b][d].ShownKind = uint8_t(b + d);
    game->Figures[1].Value = 250.5;
    game->TotalScore = 123456.5;
    for (int k = 0; k < 5; ++k) AddScoreLabel({float(k), 0, 1}, 1, 2, "DOUBLE SCORE", 20);
    for (int k = 0; k < 40; ++k) {
        SpawnParticle(game->Particles, 1, 0, {0, 0, 1}, 256, {float(k), 1, 0});
        SpawnParticle(game->Particles, 2, 3, {1, 0, 1}, 256, {0, float(k), 0});
    }
    game->PointerStyle = kPointerGame;
    return game;
}

void BM_DrawPlaySceneDrawingCodeOnly(benchmark::State& state) {
    TNullDevice device;
    TNullVertexBuffer buffer;
    auto game = BusyGame(device);
    const TFonts fonts = BenchFonts();
    DrawPlayScene(*game, buffer, fonts, 1000); // the first frame may set things up
    const long before = bench::AllocationCount();
    for (auto _ : state) DrawPlayScene(*game, buffer, fonts, 1000);
    const long made = bench::AllocationCount() - before;
    state.counters["draws_per_frame"] = double(device.Draws) / double(state.iterations() + 1);
    state.counters["allocations"] = double(made);
    if (made != 0) state.SkipWithError("a frame of the game screen allocated");
}
BENCHMARK(BM_DrawPlaySceneDrawingCodeOnly);

void BM_DrawPlaySceneOpenGl(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string error;
    std::unique_ptr<TGlDevice> device = TGlDevice::CreateOffscreen(800, 600, error);
    VertexBufferHandle vb;
    TCollector collector;
    if (!device || Failed(InitVertices(*device, vb, collector))) {
        state.SkipWithError(("no OpenGL device: " + error).c_str());
        return;
    }
    D3DMATRIX view, projection;
    MatrixLookAtLH(view, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1});
    MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200);
    device->SetTransform(D3DTS_VIEW, view);
    device->SetTransform(D3DTS_PROJECTION, projection);
    auto game = BusyGame(*device);
    const TFonts fonts = BenchFonts();
    // The renderer makes its code for each new state in the first frames (and allocates then).
    for (int i = 0; i < 3; ++i) {
        device->BeginScene();
        DrawPlayScene(*game, *vb, fonts, 1000);
        device->EndScene();
        device->Finish();
    }
    long frames = 0;
    long made = 0;
    for (auto _ : state) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        device->BeginScene();
        const long before = bench::AllocationCount();
        DrawPlayScene(*game, *vb, fonts, 1000);
        made += bench::AllocationCount() - before;
        device->EndScene();
        device->Present();
        ++frames;
    }
    state.counters["allocations_per_frame"] = frames ? double(made) / double(frames) : 0;
}
BENCHMARK(BM_DrawPlaySceneOpenGl)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace veltrane

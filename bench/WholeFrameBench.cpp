// Whole frames of the real main window (TFormMain after its loading sequence over the game
// folder) on the OpenGL device offscreen, with Mesa's software renderer on 2 threads: the menu,
// a plain game and the busiest game screen (81 cubes in mixed states, a move under way, 144
// particles, labels and text), at 800x600, 1280x1024 and 1920x1080. Each runs with the shader
// variants and with the one general program, so the ratio comes from one run. Counters: frames
// per second and heap allocations per frame (game, drawing and device together).
#include "AllocationCounter.h"
#include "app/FormMain.h"
#include "app/WindowHost.h"
#include "game/Flow.h"
#include "game/Game.h"
#include "hosts/gfx/GlDevice.h"
#include "menu/Menu.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/MessageBox.h"
#include "platform/VirtualKeys.h"
#include "render/Particles.h"
#include "render/ScoreLabels.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace veltrane {
namespace {

namespace fs = std::filesystem;
using namespace gfx;

class TBenchCursor final : public ICursorHost {
public:
    int32_t ClientWidth() const override { return Width; }
    int32_t ClientHeight() const override { return Height; }
    TScreenRect WindowRect() const override { return {0, 0, Width, Height}; }
    TScreenPoint CursorPos() const override { return Pos; }
    void SetCursorPos(int32_t x, int32_t y) override { Pos = {x, y}; }
    int32_t Width = 800, Height = 600;
    TScreenPoint Pos;
};

// Hands out offscreen OpenGL devices of the size asked for.
class TBenchHost final : public IWindowHost {
public:
    int32_t ScreenWidth() const override { return Cursor.Width; }
    int32_t ScreenHeight() const override { return Cursor.Height; }
    std::unique_ptr<IDevice> CreateDevice(const TDeviceRequest& request, std::string& error) override {
        auto device = TGlDevice::CreateOffscreen(request.Width, request.Height, error, Samples);
        Device = device.get();
        Cursor.Width = request.Width;
        Cursor.Height = request.Height;
        return device;
    }
    bool Minimized() const override { return false; }
    void Minimize() override {}
    void ShowNormal() override {}
    void Maximize() override {}
    void ShowSystemCursor(bool) override {}
    ICursorHost& CursorHost() override { return Cursor; }
    void* MessageOwner() override { return nullptr; }
    IMixer& Mixer() override { return Silent; }
    void ProcessMessages() override {}
    void RequestClose() override {}
    void Terminate() override {}

    TGlDevice* Device = nullptr;
    int Samples = 0; // multisampling of the next device
    TBenchCursor Cursor;
    TSilentMixer Silent;
};

// The main window over a copy of the game folder's data (pictures and sounds read in place).
struct TWindow {
    TWindow() {
        const fs::path game = VELTRANE_GAME_DIR;
        fs::copy(game / "data", Dir / "data", fs::copy_options::recursive);
        for (const char* folder : {"Images", "Music", "Sounds"})
            fs::create_directory_symlink(game / folder, Dir / folder);
        OldDir = fs::current_path();
        fs::current_path(Dir);
        SetResourceFolder(Dir.string() + "/");
        SetSoundProgramDir(Dir.string());
        SetDebugLogFile((Dir / "debug.txt").string());
        SetMessageBoxHandler([](void*, const std::string& caption, const std::string& text, TMessageIcon) {
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        });
        Options.Fullscreen = false;
        Options.Desktop = false;
        Options.Help = false;
        Options.Resolution = 9;
        Form.Tick = [this] { return Now; };
    }
    ~TWindow() {
        Form.CloseDGfx();
        fs::current_path(OldDir);
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }

    // Loads everything for a window of width x height and waits in the main menu.
    bool Open(int width, int height, int samples) {
        if (width == Width && height == Height && samples == Host.Samples) return Host.Device != nullptr;
        Width = width;
        Height = height;
        Host.Samples = samples;
        Options.ResolutionTable[9] = {width, height};
        if (!created_) {
            Form.FormCreate();
            created_ = true;
        } else {
            Form.CloseDGfx();
        }
        if (!Form.FormShow()) return false;
        SetGameState(gsLaunch);
        Form.FormActivate();
        Pass(); // geometry and loading bar
        Pass(); // the loading sequence and the first menu frame
        return GameState == gsMenu;
    }
    void Pass(uint32_t ms = 50) {
        Now += ms;
        bool done = true;
        Form.ApplicationEvents1Idle(done);
    }
    void Settle() {
        for (int i = 0; i < 8; ++i) Pass(100);
    }

    static fs::path MakeDir() {
        char pattern[] = "/tmp/veltrane-bench-XXXXXX";
        return mkdtemp(pattern);
    }

    fs::path Dir = MakeDir(), OldDir;
    TOptions Options{(Dir / "settings.ini").string()};
    TBenchHost Host;
    TFormMain Form{Host, Options};
    uint32_t Now = 10000;
    int Width = 0, Height = 0;

private:
    bool created_ = false;
};

TWindow* Window = nullptr;

// 81 cubes: every cell holds one, in mixed states and kinds (blocks too); the cube on (9,6) is
// moving towards (9,9) over two announced cubes; 144 particles and five labels fly.
void MakeBusiest(TGame& game) {
    game.ClearBoard();
    game.CubeCount = 0;
    static const std::array<TCubeState, 8> states = {csResting, csTurning, csResting,   csTwitching,
                                                     csGrowing, csResting, csVanishing, csResting};
    int moving = 0;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) {
            const int i = ++game.CubeCount;
            TCube& cube = game.Cubes[i];
            cube = TCube{};
            cube.Kind = uint8_t(1 + (x * 7 + y * 3) % 18);
            cube.SetCell(CellWord(x, y));
            cube.Position = {float(x - 5), float(y - 5), 0.4f};
            cube.Scale = {0.8f, 0.8f, 0.8f};
            cube.Rotation = {0, 0, float(x + y) * 0.1f};
            cube.Anim = 0.5f;
            TCubeState state = states[size_t(x + 2 * y) % states.size()];
            if (x == 9 && y >= 7) state = csAnnounced;
            if (x == 9 && y == 6) moving = i;
            if (state == csAnnounced) cube.Scale = {0.3f, 0.3f, 0.3f};
            game.InitCubeState(i, state);
            game.BoardAt(CellWord(x, y)) = {state == csAnnounced ? ocReserved : ocOccupied, uint8_t(i)};
        }
    game.FreeCount = 0;
    game.Selected = 0;
    game.DotCount = 0;
    game.AddDot(CellWord(9, 9), 2);
    game.AddDot(CellWord(9, 8), 1);
    game.AddDot(CellWord(9, 7), 1);
    game.AddDot(CellWord(9, 6), 1);
    TCube& mover = game.Cubes[moving];
    game.SetCubeState(moving, csMoving);
    mover.MoveStart = 4;
    mover.MovePos = 2.5f;
    mover.Position = {4, 2.5f, 0.4f};
    game.BoardIdle = false;
    game.TotalScore = 123456.5;
    game.PendingScore = 500;
    game.Combo = 3;
    InitParticles(game.Particles);
    for (int k = 0; k < 72; ++k) {
        SpawnParticle(game.Particles, 1, 0, {float(k % 9) - 4, float(k / 9) - 4, 1}, 1000000,
                      {0.001f, 0, 0.001f});
        SpawnParticle(game.Particles, 2, 3, {float(k % 9) - 4, 4 - float(k / 9), 1}, 1000000,
                      {0, 0.001f, 0.001f});
    }
    ClearScoreLabels();
    for (int k = 0; k < 5; ++k) AddScoreLabel({float(k) - 2, 0, 1}, 1, 2, "DOUBLE SCORE", 20);
}

enum TScene { kMenu, kGame, kBusiest };

void BM_WholeFrame(benchmark::State& state, int width, int height, TScene scene, bool variants, int samples) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LP_NUM_THREADS", "2", 0);
    if (!fs::exists(fs::path(VELTRANE_GAME_DIR) / "data" / "Menu.dat")) {
        state.SkipWithError("the game folder has no assets");
        return;
    }
    if (!Window) Window = new TWindow;
    TWindow& w = *Window;
    if (!w.Open(width, height, samples)) {
        state.SkipWithError("the main window did not load");
        return;
    }
    TFormMain& form = w.Form;
    if (scene == kMenu && GameState != gsMenu) {
        SetGameState(gsMenu);
        EnterMenu();
        w.Settle();
    }
    if (scene != kMenu && GameState != gsGame) {
        form.Game->Phase = phPlay;
        EnterMenu();
        w.Settle();
        form.FormKeyDown(VK_RETURN); // new game
        w.Settle();
        form.FormKeyDown(VK_RETURN); // game mode 1
        w.Settle();
        if (GameState != gsGame) {
            state.SkipWithError("no game started");
            return;
        }
    }
    if (scene == kBusiest) MakeBusiest(*form.Game);
    w.Host.Device->UseShaderVariants(variants);
    // New programs, and the renderer's own code for new states, are made in the first frames.
    for (int i = 0; i < 3; ++i) {
        form.RenderFrame();
        w.Host.Device->Finish();
    }
    long made = 0;
    for (auto _ : state) {
        const long before = bench::AllocationCount();
        form.RenderFrame();
        made += bench::AllocationCount() - before;
        w.Host.Device->Finish();
    }
    const double frames = double(state.iterations());
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["samples"] = w.Host.Device->Samples();
    state.counters["programs"] = double(w.Host.Device->ProgramCount());
    state.counters["allocations_per_frame"] = double(made) / frames;
}

// Resolution by resolution (each loads the window once), every scene with and without variants.
const bool Registered = [] {
    const struct { int Width, Height; } sizes[] = {{800, 600}, {1280, 1024}, {1920, 1080}};
    const char* sceneNames[] = {"menu", "game", "busiest"};
    for (const auto& size : sizes)
        for (TScene scene : {kMenu, kGame, kBusiest})
            for (bool variants : {false, true}) {
                const std::string name = std::string("BM_WholeFrame/") + sceneNames[scene] + "/" +
                                         std::to_string(size.Width) + "x" + std::to_string(size.Height) +
                                         (variants ? "/variants" : "/general");
                benchmark::RegisterBenchmark(name.c_str(), BM_WholeFrame, size.Width, size.Height, scene,
                                             variants, 0)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
    // What 4x multisampling costs the software renderer (compare with the lines above).
    for (TScene scene : {kMenu, kBusiest})
        benchmark::RegisterBenchmark(
            (std::string("BM_WholeFrame/") + sceneNames[scene] + "/1280x1024/variants/msaa4x").c_str(),
            BM_WholeFrame, 1280, 1024, scene, true, 4)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();

} // namespace
} // namespace veltrane

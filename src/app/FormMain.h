// The main window's logic: the graphics device and its fall-back, the fixed render states and
// lights, the frame for each game state, the frame loop with the loading sequence, the window
// events and the routing of keys and mouse to the game, the menu, the high-score table and the
// pointer. The real window around it is an IWindowHost, so all of this runs without a display.
#pragma once

#include "app/LoadingBar.h"
#include "app/WindowHost.h"
#include "game/Flow.h"
#include "menu/Menu.h"
#include "overlays/Pointer.h"
#include "platform/MessageBox.h"
#include "platform/VirtualKeys.h"
#include "platform/gfx/Device.h"
#include "render/Font.h"
#include "render/Geometry.h"
#include "scores/HiScores.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace veltrane {

class TGame;
class TOptions;

// The fixed camera target; the loading picture, the pointer plane and the room light stand
// above the same point.
inline constexpr float LookAtX = -1.8f;
inline constexpr float LookAtY = -0.25f;

class TFormMain final : public ILoadingSteps, public IMenuHost {
public:
    static constexpr const char* Caption = "Veltrane";

    // options: the settings of the run; they must outlive the main window.
    TFormMain(IWindowHost& host, TOptions& options);
    ~TFormMain() override;
    TFormMain(const TFormMain&) = delete;
    TFormMain& operator=(const TFormMain&) = delete;

    // ---- Window life (FormMain.cpp) ------------------------------------------------------------
    // Seeds the generator, gsLaunch, hides the cursor, starts a new trace.
    void FormCreate();
    // Makes the device at the chosen mode, with the software fall-back; false when no device
    // could be made (the program is then told to end).
    bool FormShow();
    void FormActivate();
    // Trace, settings saved, sound shut down, trace, graphics released, program ended.
    void FormClose();
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1Minimize();
    void ApplicationEvents1Restore();
    // Alt+Enter and F11: full screen at the desktop's size <-> a window, stored in the settings
    // and made through the restore path's rebuild (back to the main menu). Ignored while loading.
    void ToggleFullscreen();

    // ---- Device (Device.cpp) ------------------------------------------------------------------
    bool InitD3D(bool fullscreen, bool hardware, bool depthBuffer, int32_t backBufferCount, int32_t bits,
                 int32_t height, int32_t width);
    void InitRenderStates();
    void InitLights();
    // Releases fonts, the shared buffer and the device, each with its trace line.
    void CloseDGfx();
    void ReportError(const std::string& caption, gfx::HRESULT code);
    void FatalError(const std::string& text);
    // Stops the music and starts the music of the current state.
    void RestoreMusic();

    // ---- Frames (RenderFrame.cpp, FrameLoop.cpp) ------------------------------------------------
    gfx::HRESULT RenderFrame();
    // One idle pass; done stays untouched when the next pass may wait for a window event.
    void ApplicationEvents1Idle(bool& done);
    void RunLoadingSequence();
    // ILoadingSteps: the game's resource loading lights the bar.
    void Step(uint8_t n, const std::string& text) override;

    // ---- Input (InputRouting.cpp) ---------------------------------------------------------------
    void FormKeyDown(uint16_t key);
    void FormMouseMove(int32_t x, int32_t y);
    void FormMouseDown(int button);
    void FormMouseUp(int button);

    // IMenuHost: the exit item, the clock of the menu's settle time, the bar for a late load, the
    // window the menu's message boxes belong to.
    void CloseProgram() override;
    double MenuClock() const override { return TotalMs; }
    ILoadingSteps* LoadingSteps() override { return LoadingBar ? this : nullptr; }
    void* MessageOwner() override { return host_.MessageOwner(); }

    // ---- State -----------------------------------------------------------------------------------
    // The settings: the mode to show, the volumes, the trace switch; saved on close.
    TOptions& Options;
    bool Active = false;
    uint32_t LastTick = 0;
    uint32_t PrevTick = 0;
    // The message boxes counted by the last frame: the time a box is open is not played.
    unsigned BoxesSeen = MessageBoxesShown();
    uint32_t FpsStart = 0;
    int32_t FrameCount = 0;

    std::unique_ptr<gfx::IDevice> D3DDevice;
    TPointer Pointer; // made on the device by the loading sequence, freed before it
    // The game's text, the score labels and the high-score table draw with these; loaded by the
    // loading sequence, their pictures freed with the device.
    TFonts Fonts;
    gfx::VertexBufferHandle VB;
    TCollector Collector;
    uint32_t ElapsedMs = 0;
    double TotalMs = 0; // the running sum of ElapsedMs
    gfx::D3DLIGHT8 RoomLight;
    gfx::D3DLIGHT8 PointerLight;

    // Made by the loading sequence.
    std::unique_ptr<TLoadingBar> LoadingBar;
    std::unique_ptr<TD3DMenu> Menu;
    std::unique_ptr<TGame> Game;
    std::unique_ptr<THiScores> HiScores;

    // The tick source of the frame clock (tests drive it).
    std::function<uint32_t()> Tick;

private:
    void HiScoreTransition();
    // Before a rebuild that ends in the main menu: a game in progress is saved, so "continue"
    // takes it up again. False while its cubes move or a sequence runs (it cannot be saved then)
    // or when the save fails, which the trace tells.
    bool SaveGameBeforeRebuild(const char* refused);
    void SetPointerLight();
    // Draws the states other than gsLoading between BeginScene and EndScene.
    void DrawState();

    IWindowHost& host_;
    TWindowMode mode_ = TWindowMode::Windowed;
    bool soundStarted_ = false;
    // Set while the window is inactive: the frame clock starts afresh when frames come again, so
    // time spent away neither drains the timed bank nor jumps the animations.
    bool clockHeld_ = false;
};

} // namespace veltrane

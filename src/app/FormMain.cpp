#include "app/FormMain.h"

#include "game/Game.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <cstdlib>
#include <string>

namespace veltrane {

namespace {

// VELTRANE_SEED fixes the generator's seed, so a run can be replayed for a test or a bug report.
void SeedGenerator() {
    Randomize();
    const char* seed = std::getenv("VELTRANE_SEED");
    if (!seed || !*seed) return;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(seed, &end, 0);
    if (end && *end == '\0') RandSeed = static_cast<uint32_t>(value);
}

const char* BoolText(bool value) {
    return value ? "True" : "False";
}

} // namespace

TFormMain::TFormMain(IWindowHost& host, TOptions& options)
    : Options(options), Tick(GetTickCount), host_(host) {}

TFormMain::~TFormMain() {
    BindMenu({});
}

void TFormMain::FormCreate() {
    SeedGenerator();
    SetGameState(gsLaunch);
    Collector.Clear();
    host_.ShowSystemCursor(false);
    TotalMs = 0;
    DebugLog(true, " Main form created");
}

bool TFormMain::FormShow() {
    DebugLog(false, " Showing main form ");
    VB.reset();
    D3DDevice.reset();

    TOptions& options = Options;
    if (options.Fullscreen && options.Desktop) {
        options.Resolution = 9;
        options.ResolutionTable[9] = {host_.ScreenWidth(), host_.ScreenHeight()};
        DebugLog(false, " use desktop settings");
    }
    // Pseudo full screen refines full screen: a windowed game keeps its size and its border.
    const bool pseudo = options.Fullscreen && options.PseudoFullscreen;
    if (pseudo) {
        options.Resolution = 9;
        options.ResolutionTable[9] = {host_.ScreenWidth(), host_.ScreenHeight()};
        DebugLog(false, " use desktop settings with pseudofullscreen mode");
    }
    const TResolution size = options.CurrentResolution();
    const int32_t bits = options.CurrentColorDepth();

    DebugLog(false, std::string(" Fullscreen = ") + BoolText(options.Fullscreen));
    DebugLog(false, " Resolution = " + std::to_string(options.Resolution) + " = " +
                        std::to_string(size.Width) + "x" + std::to_string(size.Height) + "x" +
                        std::to_string(bits));

    mode_ = pseudo               ? TWindowMode::Borderless
            : options.Fullscreen ? TWindowMode::Fullscreen
                                 : TWindowMode::Windowed;
    const bool fullscreen = pseudo ? false : options.Fullscreen;
    if (!InitD3D(fullscreen, true, true, 0, bits, size.Height, size.Width)) {
        DebugLog(false, " Error init 3D");
        ShowMessageBox(nullptr, "Warning.", "Error initializing 3D Hardware.\nNow software will be used...",
                       TMessageIcon::Warning);
        CloseDGfx();
        if (!InitD3D(fullscreen, false, true, 0, bits, size.Height, size.Width)) {
            FatalError(
                "Could not initialize DirectX Graphics.\nYou must have installed DirectX 8 or better ");
            return false;
        }
    }
    InitRenderStates();
    InitLights();
    DebugLog(false, " Main form showed");
    return true;
}

void TFormMain::FormActivate() {
    PrevTick = Tick();
    FpsStart = Tick();
    Active = true;
    DebugLog(false, " Form activated");
}

void TFormMain::FormClose() {
    DebugLog(false, " Closing mainform");
    std::string error;
    if (!Options.Save(&error)) DebugLog(false, " Settings not saved: " + error);
    DoneSound();
    soundStarted_ = false;
    DebugLog(false, " Main form closed");
    CloseDGfx();
    host_.Terminate();
}

void TFormMain::CloseProgram() {
    host_.RequestClose();
}

void TFormMain::ApplicationEvents1Deactivate() {
    Active = false;
    clockHeld_ = true;
    host_.Minimize();
    DebugLog(false, " Application deactivated");
    StopMusic();
    StopSound(TSound::Selected);
}

void TFormMain::ApplicationEvents1Minimize() {
    Active = false;
    clockHeld_ = true;
    DebugLog(false, " Application minimized");
    host_.Minimize();
}

void TFormMain::ApplicationEvents1Restore() {
    DebugLog(false, " Restore application");
    RestoreMusic();
    const TOptions& options = Options;
    if (!options.Fullscreen) {
        host_.ShowNormal();
    } else if (!options.PseudoFullscreen) {
        // A full-screen device does not survive minimising: make a new one and load everything
        // again, back into the main menu. A game at rest or paused is kept in its save; one whose
        // cubes were moving is lost.
        SaveGameBeforeRebuild(" Game not saved before the rebuild: ");
        CloseDGfx();
        FormShow();
        SetGameState(gsLaunch);
        host_.Maximize();
    }
    Active = true;
    DebugLog(false, " Application restored");
}

bool TFormMain::SaveGameBeforeRebuild(const char* refused) {
    if (GameState != gsGame || !Game || Game->Level < 1) return true;
    if (Game->Phase != phMenu && !(Game->Phase == phPlay && Game->BoardIdle)) return false;
    std::string error;
    if (Game->SaveGame(&error)) return true;
    DebugLog(false, refused + error);
    return false;
}

void TFormMain::ToggleFullscreen() {
    // The loading sequence draws on the device it started with.
    if (GameState == gsLaunch || GameState == gsLoading) return;
    // A game that cannot be saved yet waits for a calmer moment.
    if (!SaveGameBeforeRebuild(" Full-screen switch refused, the game could not be saved: ")) return;
    TOptions& options = Options;
    options.Fullscreen = !options.Fullscreen;
    if (options.Fullscreen) {
        options.Desktop = true;
        DebugLog(false, " Switching to full screen");
    } else {
        // A window the desktop's size would hide its own frame: take the largest 4:3 size that
        // leaves room for it.
        if (options.Resolution >= 9) {
            options.Resolution = 0;
            for (uint8_t i = 0; i < 9; ++i) {
                const TResolution r = options.ResolutionTable[i];
                if (r.Width * 3 == r.Height * 4 && r.Width <= host_.ScreenWidth() &&
                    r.Height * 10 <= host_.ScreenHeight() * 9)
                    options.Resolution = i;
            }
        }
        DebugLog(false, " Switching to a window");
    }
    CloseDGfx();
    const bool shown = FormShow();
    // Stored once the window has its size, so the launcher and the next start agree with it.
    std::string error;
    if (!options.Save(&error)) DebugLog(false, " Settings not saved: " + error);
    if (!shown) return;
    SetGameState(gsLaunch);
    Active = true;
}

void TFormMain::RestoreMusic() {
    switch (GameState) {
    case gsLaunch:
        DebugLog(false, " Game = gsLaunch");
        break;
    case gsMenu:
        DebugLog(false, " Game = gsMenu");
        break;
    case gsGame:
        DebugLog(false, " Game = gsGame");
        break;
    case gsLoading:
        DebugLog(false, " Game = gsLoading");
        break;
    default:
        DebugLog(false, " Game = other");
        break;
    }
    if (GameState == gsGame && Game)
        StartGameMusic(Game->GameMode == 2 ? 2 : 1);
    else
        StartMenuMusic();
}

} // namespace veltrane

// The idle pass: activation, the first pass and the loading sequence, one frame, its timing,
// the frames-per-second trace, the game's update and the menu music.
#include "app/FormMain.h"

#include "game/Game.h"
#include "menu/Menu.h"
#include "menu/MenuFile.h"
#include "overlays/Pointer.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/MessageBox.h"
#include "render/Font.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <cstdio>

namespace veltrane {

using namespace gfx;

void TFormMain::ApplicationEvents1Idle(bool& done) {
    if (host_.Minimized()) host_.Minimize();
    if (!Active && !host_.Minimized()) {
        Active = true;
        RestoreMusic();
    }
    host_.ShowSystemCursor(!Active);
    if (!Active) {
        clockHeld_ = true;
        done = false;
        return;
    }
    if (clockHeld_) {
        clockHeld_ = false;
        PrevTick = Tick();
        FpsStart = PrevTick;
        FrameCount = 0;
    }

    if (GameState == gsLaunch && !VB) {
        if (D3DDevice) InitVertices(*D3DDevice, VB, Collector);
        LoadingBar = std::make_unique<TLoadingBar>(
            D3DDevice.get(),
            TLoadingBar::TFrameHost{[this] { RenderFrame(); }, [this] { host_.ProcessMessages(); },
                                    [this] { return Tick(); }});
        SetGameState(gsLoading);
        return;
    }
    if (GameState == gsLoading) RunLoadingSequence();

    FrameCount += 1;
    const HRESULT result = RenderFrame();
    if (Failed(result)) {
        Active = false;
        clockHeld_ = true;
        ReportError("Render", result);
        DebugLog(false, " Render error ");
        return;
    }

    const uint32_t now = Tick();
    LastTick = now;
    // A message box held the loop until the player answered it: the game's clocks, a timed
    // game's bank above all, do not run on while the box is read.
    const bool boxShown = BoxesSeen != MessageBoxesShown();
    BoxesSeen = MessageBoxesShown();
    ElapsedMs = now - PrevTick;
    PrevTick = Tick();
    TotalMs += ElapsedMs;

    if (Options.WriteDebug && LastTick - FpsStart > 1000) {
        if (GameState == gsMenu || GameState == gsGame) {
            char rate[32];
            std::snprintf(rate, sizeof rate, "%6.0f",
                          double(float(FrameCount) * 1000.0f / float(LastTick - FpsStart)));
            DebugLog(false, std::string(GameState == gsMenu ? " gsMenu  FPS:" : " gsGame  FPS:") + rate);
        }
        FrameCount = 0;
        FpsStart = Tick();
    }

    if (GameState == gsGame && Game) Game->Update(boxShown ? 0.0f : float(ElapsedMs));
    if (GameState == gsMenu || GameState == gsHiScores || GameState == gsTutorial) NextMenuMusic();
    done = false;
}

void TFormMain::Step(uint8_t n, const std::string& /*text*/) {
    if (LoadingBar) LoadingBar->SetProgress(n);
}

void TFormMain::RunLoadingSequence() {
    TLoadingBar& bar = *LoadingBar;
    bar.SetProgress(1);
    // A second pass (after a full-screen restore) starts from fresh objects.
    BindMenu({});
    Menu = LoadMenu(D3DDevice.get(), this);
    bar.SetProgress(11);

    Game = std::make_unique<TGame>(D3DDevice.get());
    Game->RestoreMusicHandler = [this] { RestoreMusic(); };

    SetSoundMixer(&host_.Mixer());
    if (soundStarted_) DoneSound(); // a second loading pass starts the mixer afresh
    soundStarted_ = InitSound(host_.MessageOwner());
    if (soundStarted_) {
        bar.SetProgress(12);
        LoadMusic();
        LoadSounds();
        bar.SetProgress(13);
        SetSoundVolume(Options.SoundVol);
        SetMusicVolume(Options.MusicVol);
    } else {
        // Without sound the settings show silence too.
        Options.SoundVol = 0;
        Options.MusicVol = 0;
    }

    Pointer.CreatePointer(*D3DDevice, host_.CursorHost(), Options);
    Game->PointerStyle = kPointerMenu;
    Game->PointerAt = Pointer.PointerPosition();
    bar.SetProgress(14);

    LoadFontTextures(*D3DDevice, Fonts);
    LoadFontMetrics(Fonts);

    HiScores = std::make_unique<THiScores>();

    if (!Game->Loaded) Game->LoadResources(this);
    bar.SetProgress(30);

    BindMenu({Menu.get(), Game.get(), HiScores.get(), D3DDevice.get(), this, &Options});
    EnterMenu();
    LoadingBar.reset();
    DebugLog(false, " ... Loading finished");
    DebugLog(false, "");
    PlaySound(TSound::vQuillomar);

    ICursorHost& cursor = host_.CursorHost();
    const TScreenRect r = cursor.WindowRect();
    cursor.SetCursorPos(r.Left + cursor.ClientWidth() / 2, r.Top + cursor.ClientHeight() / 2);
}

} // namespace veltrane

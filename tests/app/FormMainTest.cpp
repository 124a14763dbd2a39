// The main window without a display: start-up trace and device requests, the software
// fall-back and the fatal error, closing, the music of each state, the frame clock and its
// frames-per-second lines, and the frame renderer's rules.
#include "AppTestSupport.h"
#include "TempDir.h"

#include "game/Game.h"
#include "platform/GameStates.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

namespace veltrane {
namespace {

using apptest::TAppEnvironment;
using apptest::TFakeWindowHost;
using apptest::TraceFrom;
using Lines = std::vector<std::string>;

class FormMainTest : public ::testing::Test {
protected:
    FormMainTest() { host.AudioOut = &env.Mixer; }

    void Show() {
        form.FormCreate();
        ASSERT_TRUE(form.FormShow());
        form.FormActivate();
    }

    TAppEnvironment env;
    TFakeWindowHost host;
    TFormMain form{host, env.Options};
};

TEST_F(FormMainTest, WindowedStartTracesTheModeAndAsksForTheTableSize) {
    Show();
    EXPECT_EQ(env.Trace(), (Lines{" Main form created", " Showing main form ", " Fullscreen = False",
                                  " Resolution = 3 = 800x600x16", " Inintialize D3D", " D3D initialized",
                                  " Main form showed", " Form activated"}));
    ASSERT_EQ(host.Requests.size(), 1u);
    EXPECT_EQ(host.Requests[0].Mode, TWindowMode::Windowed);
    EXPECT_TRUE(host.Requests[0].Hardware);
    EXPECT_EQ(host.Requests[0].Width, 800);
    EXPECT_EQ(host.Requests[0].Height, 600);
    EXPECT_EQ(host.Requests[0].Caption, "Veltrane");
    EXPECT_FALSE(host.CursorShown);
    EXPECT_EQ(GameState, gsLaunch);
    EXPECT_TRUE(form.Active);
}

TEST_F(FormMainTest, VeltraneSeedFixesTheGeneratorsSeed) {
    setenv("VELTRANE_SEED", "1234", 1);
    form.FormCreate();
    unsetenv("VELTRANE_SEED");
    EXPECT_EQ(RandSeed, 1234u);
    setenv("VELTRANE_SEED", "12x", 1); // not a number: the clock's seed stays
    RandSeed = 1234;
    form.FormCreate();
    unsetenv("VELTRANE_SEED");
    EXPECT_NE(RandSeed, 1234u);
}

TEST_F(FormMainTest, DesktopAndPseudoFullScreenTakeTheScreenSize) {
    env.Options.Fullscreen = true;
    env.Options.Desktop = true;
    env.Options.Color = 1;
    Show();
    EXPECT_EQ(env.Options.Resolution, 9);
    EXPECT_EQ(env.Options.ResolutionTable[9].Width, 1024);
    EXPECT_EQ(host.Requests.back().Mode, TWindowMode::Fullscreen);
    EXPECT_EQ(host.Requests.back().Width, 1024);
    EXPECT_EQ(host.Requests.back().Bits, 32);
    EXPECT_EQ(TraceFrom(env.Trace(), " use desktop settings", 3),
              (Lines{" use desktop settings", " Fullscreen = True", " Resolution = 9 = 1024x768x32"}));

    env.Options.Desktop = false;
    env.Options.Resolution = 3;
    env.Options.PseudoFullscreen = true;
    ASSERT_TRUE(form.FormShow());
    // Windowed device in a borderless window over the whole desktop, even with Fullscreen on.
    EXPECT_EQ(host.Requests.back().Mode, TWindowMode::Borderless);
    EXPECT_EQ(host.Requests.back().Height, 768);
    EXPECT_EQ(env.Options.Resolution, 9);
    EXPECT_EQ(TraceFrom(env.Trace(), " use desktop settings with pseudofullscreen mode", 1).size(), 1u);

    // Without full screen the switch means nothing: a bordered window at the chosen size.
    env.Options.Fullscreen = false;
    env.Options.Resolution = 3;
    ASSERT_TRUE(form.FormShow());
    EXPECT_EQ(host.Requests.back().Mode, TWindowMode::Windowed);
    EXPECT_EQ(host.Requests.back().Width, 800);
    EXPECT_EQ(env.Options.Resolution, 3);
}

TEST_F(FormMainTest, AFailedAcceleratedDeviceWarnsReleasesAndTriesSoftware) {
    host.FailCreates = 1;
    Show();
    ASSERT_EQ(host.Requests.size(), 2u);
    EXPECT_TRUE(host.Requests[0].Hardware);
    EXPECT_FALSE(host.Requests[1].Hardware);
    ASSERT_EQ(env.Boxes.size(), 1u);
    EXPECT_EQ(env.Boxes[0].Caption, "Warning.");
    EXPECT_EQ(env.Boxes[0].Text, "Error initializing 3D Hardware.\nNow software will be used...");
    EXPECT_EQ(env.Boxes[0].Icon, TMessageIcon::Warning);
    EXPECT_FALSE(env.Boxes[0].Owned);
    const Lines trace = env.Trace();
    EXPECT_EQ(TraceFrom(trace, " Error init 3D", 8),
              (Lines{" Error init 3D", " Closing DGfx", " Font released", " VB released",
                     " D3DDevice released", " D3D released", " Inintialize D3D", " D3D initialized"}));
    EXPECT_EQ(trace.back(), " Form activated");
}

TEST_F(FormMainTest, NoDeviceAtAllIsFatal) {
    host.FailCreates = 2;
    form.FormCreate();
    EXPECT_FALSE(form.FormShow());
    ASSERT_EQ(env.Boxes.size(), 2u);
    EXPECT_EQ(env.Boxes[1].Caption, "Error");
    EXPECT_EQ(env.Boxes[1].Text,
              "Could not initialize DirectX Graphics.\nYou must have installed DirectX 8 or better ");
    EXPECT_EQ(env.Boxes[1].Icon, TMessageIcon::Error);
    EXPECT_EQ(host.Calls, (Lines{"Terminate"}));
    EXPECT_EQ(GameState, gsLaunch);
    for (const std::string& line : env.Trace()) EXPECT_NE(line, " Main form showed");
}

TEST_F(FormMainTest, ClosingSavesTheSettingsStopsSoundAndReleasesInOrder) {
    Show();
    env.Options.SoundVol = 70;
    form.FormClose();
    EXPECT_EQ(TraceFrom(env.Trace(), " Closing mainform", 8),
              (Lines{" Closing mainform", " Main form closed", " Closing DGfx", " Font released",
                     " VB released", " D3DDevice released", " D3D released"}));
    TOptions reread(env.Options.File());
    reread.Load();
    EXPECT_EQ(reread.SoundVol, 70);
    EXPECT_FALSE(env.Mixer.CallsTo("IMXUninit").empty());
    EXPECT_EQ(form.D3DDevice, nullptr);
    EXPECT_EQ(host.Calls.back(), "Terminate");
}

TEST_F(FormMainTest, RestoreMusicPlaysTheMusicOfTheState) {
    Show();
    form.Game = std::make_unique<TGame>(form.D3DDevice.get());
    struct TCase {
        TGameState State;
        uint8_t Mode;
        std::string Line, Track;
    };
    for (const TCase& c : {TCase{gsLaunch, 1, " Game = gsLaunch", MusicNames[0]},
                           TCase{gsMenu, 1, " Game = gsMenu", MusicNames[0]},
                           TCase{gsLoading, 1, " Game = gsLoading", MusicNames[0]},
                           TCase{gsHiScores, 1, " Game = other", MusicNames[0]},
                           TCase{gsGame, 1, " Game = gsGame", MusicNames[2]},
                           TCase{gsGame, 2, " Game = gsGame", MusicNames[3]}}) {
        SetGameState(c.State);
        form.Game->GameMode = c.Mode;
        SetMenuTrack(2);
        form.RestoreMusic();
        EXPECT_EQ(env.Trace().back(), c.Line);
        EXPECT_NE(env.PlayingMusic().find(c.Track), std::string::npos) << c.Line << " mode " << int(c.Mode);
        if (c.State != gsGame) {
            EXPECT_EQ(MenuTrack(), 1);
        }
    }
}

// A form in the main menu state without a menu loaded: frames draw the backdrop and pointer only.
class FrameClockTest : public FormMainTest {
protected:
    void SetUp() override {
        form.Tick = [this] { return now; };
        Show();
        SetGameState(gsMenu);
        form.Game = std::make_unique<TGame>(form.D3DDevice.get());
    }
    void Pass() {
        bool done = true;
        form.ApplicationEvents1Idle(done);
        EXPECT_FALSE(done);
    }
    Lines FpsLines() const {
        Lines fps;
        for (const std::string& line : env.Trace())
            if (line.find("FPS:") != std::string::npos) fps.push_back(line);
        return fps;
    }
    uint32_t now = 5000;
};

TEST_F(FrameClockTest, ElapsedTimeIsMeasuredFromTheActivationAndSummed) {
    now = 5040;
    Pass();
    EXPECT_EQ(form.ElapsedMs, 40u);
    now = 9040; // a long pause is carried whole
    Pass();
    EXPECT_EQ(form.ElapsedMs, 4000u);
    EXPECT_DOUBLE_EQ(form.TotalMs, 4040.0);
}

TEST_F(FrameClockTest, ATimedGamesBankDoesNotDrainWhileAMessageBoxIsOpen) {
    SetGameState(gsGame);
    TGame& game = *form.Game;
    game.ClearBoard();
    game.GameMode = 2;
    game.Level = 1;
    game.Phase = phPlay;
    game.Levels[1].Progress = 100;
    game.Levels[1].TimeRate = 0.001;
    game.Levels[1].Goal[2] = 900;
    // A box answered after 9 s: the frame after it counts the time but plays none of it.
    SetMessageBoxHandler(
        [this](void*, const std::string&, const std::string&, TMessageIcon) { now += 9000; });
    ShowMessageBox(nullptr, "Veltrane", "read me", TMessageIcon::Warning);
    SetMessageBoxHandler({});
    Pass();
    EXPECT_EQ(form.ElapsedMs, 9000u);
    EXPECT_DOUBLE_EQ(game.Levels[1].Progress, 100);
    now += 1000;
    Pass();
    EXPECT_NEAR(game.Levels[1].Progress, 99, 1e-9);
}

TEST_F(FrameClockTest, TimeAwayFromTheGameIsNotCarriedIntoTheNextFrame) {
    // Focus lost or minimised, with or without an idle pass while away, and a failed frame: the
    // ten seconds away are not counted.
    const std::function<void()> ways[] = {
        [this] {
            form.ApplicationEvents1Deactivate();
            now += 10000;
            form.ApplicationEvents1Restore();
        },
        [this] {
            form.ApplicationEvents1Deactivate();
            host.IsMinimized = true;
            bool done = true;
            form.ApplicationEvents1Idle(done);
            now += 10000;
            host.IsMinimized = false;
            form.ApplicationEvents1Restore();
        },
        [this] {
            form.ApplicationEvents1Minimize();
            now += 10000;
            form.ApplicationEvents1Restore();
        },
        [this] {
            host.Device->FailCalls("Present", gfx::D3DERR_DEVICELOST);
            bool done = true;
            form.ApplicationEvents1Idle(done);
            host.Device->FailCalls("Present", gfx::D3D_OK);
            now += 10000;
            host.IsMinimized = false;
            form.ApplicationEvents1Idle(done); // re-activates and draws at once
        },
    };
    for (size_t i = 0; i < std::size(ways); ++i) {
        now += 40;
        Pass();
        const double before = form.TotalMs;
        ways[i]();
        now += 40;
        Pass();
        EXPECT_TRUE(form.Active) << i;
        // The clock starts again with the first frame back, not at the last one before.
        EXPECT_LE(form.ElapsedMs, 40u) << i;
        EXPECT_LE(form.TotalMs, before + 40) << i;
    }
}

TEST_F(FrameClockTest, TheRateLineIsWrittenOncePerSecondInMenuAndGameOnly) {
    env.Options.WriteDebug = true;
    for (int i = 0; i < 30; ++i) {
        now += 40; // 25 frames a second
        Pass();
    }
    EXPECT_EQ(FpsLines(), (Lines{" gsMenu  FPS:    25"}));

    SetGameState(gsHiScores);
    for (int i = 0; i < 30; ++i) {
        now += 40;
        Pass();
    }
    EXPECT_EQ(FpsLines().size(), 1u);
    // The other state still restarted the window: the first game line counts from there.
    SetGameState(gsGame);
    form.Game.reset(); // no game to advance: only the clock counts here
    for (int i = 0; i < 27; ++i) {
        now += 40;
        Pass();
    }
    ASSERT_EQ(FpsLines().size(), 2u);
    EXPECT_EQ(FpsLines()[1], " gsGame  FPS:    25");
}

TEST_F(FrameClockTest, NoRateLineWithoutWriteDebug) {
    env.Options.WriteDebug = false;
    for (int i = 0; i < 100; ++i) {
        now += 40;
        Pass();
    }
    EXPECT_TRUE(FpsLines().empty());
}

TEST_F(FrameClockTest, AFailedFrameIsReportedAndStopsRenderingUntilReactivated) {
    host.Device->FailCalls("Present", gfx::D3DERR_DEVICELOST);
    now += 40;
    bool done = true;
    form.ApplicationEvents1Idle(done);
    EXPECT_TRUE(done); // the failed pass asks for nothing more
    EXPECT_FALSE(form.Active);
    ASSERT_EQ(env.Boxes.size(), 1u);
    EXPECT_EQ(env.Boxes[0].Caption, "Render");
    EXPECT_EQ(env.Boxes[0].Text, gfx::ErrorDescription(gfx::D3DERR_DEVICELOST));
    EXPECT_TRUE(env.Boxes[0].Owned);
    EXPECT_EQ(env.Trace().back(), " Render error ");
    EXPECT_TRUE(host.CursorShown == false);

    // While minimised the window stays inactive; the next pass after that re-activates.
    host.IsMinimized = true;
    Pass();
    EXPECT_FALSE(form.Active);
    EXPECT_TRUE(host.CursorShown);
    host.IsMinimized = false;
    host.Device->FailCalls("Present", gfx::D3D_OK);
    Pass();
    EXPECT_TRUE(form.Active);
    EXPECT_EQ(TraceFrom(env.Trace(), " Game = gsMenu", 1).size(), 1u);
}

TEST_F(FrameClockTest, TheFirstPassBuildsTheGeometryAndTheBarAndDrawsNothing) {
    SetGameState(gsLaunch);
    form.VB.reset();
    host.Device->ClearLog();
    bool done = true;
    form.ApplicationEvents1Idle(done);
    EXPECT_TRUE(done);
    EXPECT_EQ(GameState, gsLoading);
    ASSERT_NE(form.VB, nullptr);
    EXPECT_EQ(form.VB->Length(), kSharedBufferBytes);
    EXPECT_NE(form.LoadingBar, nullptr);
    EXPECT_EQ(env.Trace().back(), " Vertices initialized");
    for (const std::string& call : host.Device->Log()) EXPECT_EQ(call.find("Present"), std::string::npos);
}

TEST_F(FrameClockTest, RenderFrameDrawsNothingInLaunchAndFailsWithoutDevice) {
    SetGameState(gsLaunch);
    host.Device->ClearLog();
    EXPECT_EQ(form.RenderFrame(), gfx::D3D_OK);
    EXPECT_TRUE(host.Device->Log().empty());
    SetGameState(gsMenu);
    form.CloseDGfx();
    EXPECT_EQ(form.RenderFrame(), gfx::E_FAIL);
}

TEST_F(FrameClockTest, AFrameClearsDepthOnlyAndEndsWithPresent) {
    host.Device->ClearLog();
    ASSERT_EQ(form.RenderFrame(), gfx::D3D_OK);
    const Lines log = host.Device->Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0].rfind("Clear(0, 0x00000002", 0), 0u) << log[0];
    EXPECT_EQ(log[1], "BeginScene()");
    EXPECT_EQ(log[log.size() - 2], "EndScene()");
    EXPECT_EQ(log.back(), "Present()");
    // The depth test is off for the overlays and back on at the end.
    const auto off = std::find(log.begin(), log.end(), "SetRenderState(D3DRS_ZENABLE, FALSE)");
    const auto on = std::find(log.begin(), log.end(), "SetRenderState(D3DRS_ZENABLE, TRUE)");
    EXPECT_NE(off, log.end());
    EXPECT_LT(off, on);
}

TEST_F(FrameClockTest, FailingSceneStepsAreReturned) {
    host.Device->FailCalls("Clear", gfx::D3DERR_INVALIDCALL);
    EXPECT_EQ(form.RenderFrame(), gfx::D3DERR_INVALIDCALL);
    host.Device->FailCalls("Clear", gfx::D3D_OK);
    host.Device->FailCalls("BeginScene", gfx::E_FAIL);
    EXPECT_EQ(form.RenderFrame(), gfx::E_FAIL);
    host.Device->FailCalls("BeginScene", gfx::D3D_OK);
    host.Device->FailCalls("EndScene", gfx::E_FAIL);
    host.Device->ClearLog();
    EXPECT_EQ(form.RenderFrame(), gfx::E_FAIL);
    EXPECT_NE(host.Device->Log().back(), "Present()");
}

TEST_F(FormMainTest, LightsAndStatesAreSetUpOnTheNewDevice) {
    Show();
    EXPECT_FLOAT_EQ(form.RoomLight.Range, 16.0f);
    EXPECT_FLOAT_EQ(form.RoomLight.Position.z, 10.0f);
    EXPECT_FLOAT_EQ(form.PointerLight.Attenuation2, 3.0f);
    const Lines log = host.Device->Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "LightEnable(0, TRUE)"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "LightEnable(1, TRUE)"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "SetRenderState(D3DRS_AMBIENT, 0x00666666)"), log.end());
}

TEST_F(FormMainTest, DeactivationStopsMusicAndMinimises) {
    Show();
    SetGameState(gsMenu);
    form.RestoreMusic();
    form.ApplicationEvents1Deactivate();
    EXPECT_FALSE(form.Active);
    EXPECT_EQ(host.Calls, (Lines{"Minimize"}));
    EXPECT_EQ(env.Mixer.PlayingStream(), 0u);
    EXPECT_EQ(env.Trace().back(), " Application deactivated");

    // Windowed: the restore shows the window again with its music.
    form.ApplicationEvents1Restore();
    EXPECT_TRUE(form.Active);
    EXPECT_EQ(host.Calls.back(), "ShowNormal");
    EXPECT_EQ(TraceFrom(env.Trace(), " Restore application", 3),
              (Lines{" Restore application", " Game = gsMenu", " Application restored"}));
    EXPECT_NE(env.PlayingMusic(), "");
    EXPECT_EQ(host.Requests.size(), 1u); // the same device
}

TEST_F(FormMainTest, AFullScreenRestoreMakesANewDeviceAndLoadsAgain) {
    env.Options.Fullscreen = true;
    Show();
    SetGameState(gsMenu);
    form.ApplicationEvents1Minimize();
    EXPECT_FALSE(form.Active);
    form.ApplicationEvents1Restore();
    EXPECT_EQ(host.Requests.size(), 2u);
    EXPECT_EQ(GameState, gsLaunch);
    EXPECT_EQ(form.VB, nullptr); // the next pass builds the geometry and loads everything
    EXPECT_EQ(host.Calls.back(), "Maximize");
    EXPECT_TRUE(form.Active);
}

TEST_F(FormMainTest, FullScreenSwitchRebuildsAtTheDesktopSizeAndBackAndIsStored) {
    Show();
    form.ToggleFullscreen(); // refused while the loading sequence owns the device
    EXPECT_EQ(host.Requests.size(), 1u);
    EXPECT_FALSE(env.Options.Fullscreen);

    auto stored = [&] {
        TOptions again(env.Options.File());
        again.Load();
        return std::make_tuple(again.Fullscreen, again.Desktop, int(again.Resolution));
    };
    SetGameState(gsMenu);
    form.ToggleFullscreen();
    EXPECT_EQ(host.Requests.back().Mode, TWindowMode::Fullscreen);
    EXPECT_EQ(host.Requests.back().Width, 1024);
    EXPECT_EQ(host.Requests.back().Height, 768);
    EXPECT_EQ(stored(), std::make_tuple(true, true, 9));
    EXPECT_EQ(GameState, gsLaunch); // the next pass loads everything for the new device
    EXPECT_TRUE(form.Active);

    SetGameState(gsMenu);
    form.ToggleFullscreen();
    // Back to a window that fits the 1024 x 768 desktop with its frame.
    EXPECT_EQ(host.Requests.back().Mode, TWindowMode::Windowed);
    EXPECT_EQ(host.Requests.back().Width, 800);
    EXPECT_EQ(host.Requests.back().Height, 600);
    EXPECT_EQ(stored(), std::make_tuple(false, true, 3));
    EXPECT_EQ(host.Requests.size(), 3u);
}

TEST_F(FormMainTest, FullScreenSwitchSavesAGameInProgressOrWaits) {
    TempDir dir;
    CurrentDir cwd(dir.path());
    std::filesystem::create_directory(dir.path() / "data");
    Show();
    SetGameState(gsGame);
    form.Game = std::make_unique<TGame>(form.D3DDevice.get());
    form.Game->GameMode = 1;
    form.Game->Level = 1;
    const auto save = dir.path() / SaveFileName(1);
    // Cubes still moving: the game cannot be saved yet, so nothing happens.
    form.Game->Phase = phPlay;
    form.Game->BoardIdle = false;
    form.ToggleFullscreen();
    EXPECT_EQ(host.Requests.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(save));
    // At rest (or paused) the game is saved before the rebuild ends in the main menu.
    form.Game->BoardIdle = true;
    form.ToggleFullscreen();
    EXPECT_EQ(host.Requests.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(save));
    EXPECT_EQ(GameState, gsLaunch);
}

TEST_F(FormMainTest, AFullScreenRestoreKeepsAGameAtRestInItsSave) {
    // Focus lost in full screen (Alt+Tab) minimises; the restore rebuilds into the main menu.
    TempDir dir;
    CurrentDir cwd(dir.path());
    std::filesystem::create_directory(dir.path() / "data");
    env.Options.Fullscreen = true;
    Show();
    const auto save = dir.path() / SaveFileName(2);
    for (const bool idle : {false, true}) {
        SetGameState(gsGame);
        form.Game = std::make_unique<TGame>(form.D3DDevice.get());
        form.Game->GameMode = 2;
        form.Game->Level = 1;
        form.Game->Phase = phPlay;
        form.Game->BoardIdle = idle;
        form.ApplicationEvents1Deactivate();
        form.ApplicationEvents1Restore();
        EXPECT_EQ(GameState, gsLaunch);
        // Cubes on their way cannot be saved: that game is lost, as before.
        EXPECT_EQ(std::filesystem::exists(save), idle);
    }
}

} // namespace
} // namespace veltrane

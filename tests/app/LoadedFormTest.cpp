// The main window after a real loading sequence over the game folder's files, on a recording
// device: the loading steps and trace, the routing of keys and mouse state by state, and what
// a frame draws in each state.
#include "AppTestSupport.h"
#include "platform/VirtualKeys.h"

#include "game/Flow.h"
#include "game/Game.h"
#include "menu/Menu.h"
#include "menu/MenuFile.h"
#include "overlays/Pointer.h"
#include "platform/GameStates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace veltrane {
namespace {

namespace fs = std::filesystem;
using apptest::TAppEnvironment;
using apptest::TFakeWindowHost;
using Lines = std::vector<std::string>;

struct TLoaded {
    TLoaded() { Host.AudioOut = &Env.Mixer; }

    TAppEnvironment Env;
    TFakeWindowHost Host;
    TFormMain Form{Host, Env.Options};
    std::unique_ptr<CurrentDir> Cwd;
    uint32_t Now = 10000;
    std::vector<int> Steps; // the bar's lights at each step's window events
    Lines TraceAfterLoading;
    std::string OldResourceFolder;
};

class LoadedFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path game = VELTRANE_GAME_DIR;
        if (!fs::exists(game / "data" / "Menu.dat") || !fs::exists(game / "Images")) return;
        s = new TLoaded;
        const fs::path dir = s->Env.dir.path();
        // Pictures and sounds are read in place; the data folder is written to, so it is a copy.
        fs::copy(game / "data", dir / "data", fs::copy_options::recursive);
        for (const char* folder : {"Images", "Music", "Sounds"})
            fs::create_directory_symlink(game / folder, dir / folder);
        s->Cwd = std::make_unique<CurrentDir>(dir);
        s->OldResourceFolder = ResourceFolder();
        SetResourceFolder(dir.string() + "/");
        SetSoundProgramDir(dir.string());

        s->Env.Options.Help = false; // a game starts without the help page
        TFormMain& form = s->Form;
        form.Tick = [] { return s->Now; };
        s->Host.OnProcessMessages = [] {
            s->Steps.push_back(s->Form.LoadingBar ? s->Form.LoadingBar->Lit : -1);
            // Input during loading goes nowhere.
            s->Form.FormKeyDown(VK_RETURN);
            s->Form.FormMouseDown(0);
            s->Form.FormMouseUp(0);
        };
        form.FormCreate();
        form.FormShow();
        form.FormActivate();
        bool done = true;
        form.ApplicationEvents1Idle(done); // geometry and bar
        s->Now += 50;
        form.ApplicationEvents1Idle(done); // the loading sequence and the first menu frame
        s->TraceAfterLoading = s->Env.Trace();
        s->Host.OnProcessMessages = nullptr;
    }
    static void TearDownTestSuite() {
        if (!s) return;
        SetResourceFolder(s->OldResourceFolder);
        SetSoundProgramDir(fs::path(VELTRANE_GAME_DIR).string());
        delete s;
        s = nullptr;
    }

    void SetUp() override {
        if (!s) GTEST_SKIP() << "the game folder has no assets";
        SetGameState(gsMenu);
        form().Active = true;
        form().Game->Phase = phPlay;
        form().HiScores->Editing = false;
        EnterMenu();
        Settle();
    }

    static TFormMain& form() { return s->Form; }
    static TD3DMenu& menu() { return *form().Menu; }
    // Frames pass until the menu's page has settled.
    static void Settle() {
        for (int i = 0; i < 4; ++i) {
            s->Now += 100;
            bool done = true;
            form().ApplicationEvents1Idle(done);
        }
    }
    // The recorded calls of one frame.
    static std::vector<gfx::TRecordedCall> Frame() {
        s->Host.Device->ClearLog();
        EXPECT_EQ(form().RenderFrame(), gfx::D3D_OK);
        return s->Host.Device->Calls();
    }
    static bool Sets(const std::vector<gfx::TRecordedCall>& calls, const gfx::TextureHandle& texture) {
        return texture && std::any_of(calls.begin(), calls.end(), [&](const gfx::TRecordedCall& c) {
                   return c.Texture == texture.get();
               });
    }
    static bool PointerDrawn(const std::vector<gfx::TRecordedCall>& calls) {
        return Sets(calls, s->Form.Pointer.PointerSprites[size_t(s->Form.Game->PointerStyle - 1)]->Texture);
    }
    static size_t IndexOf(const std::vector<gfx::TRecordedCall>& calls, const std::string& text) {
        for (size_t i = 0; i < calls.size(); ++i)
            if (calls[i].Text == text) return i;
        return calls.size();
    }
    void StartGameWithKeys() {
        form().FormKeyDown(VK_RETURN); // "new game"
        Settle();
        form().FormKeyDown(VK_RETURN); // game mode 1
        Settle();
        ASSERT_EQ(GameState, gsGame);
    }

    static TLoaded* s;
};

TLoaded* LoadedFormTest::s = nullptr;

TEST_F(LoadedFormTest, LoadingLightsTheBarStepByStepAndEndsInTheMainMenu) {
    const std::vector<int>& steps = s->Steps;
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), 1);
    EXPECT_EQ(steps.back(), 30);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    for (int n : {2, 10, 11, 12, 13, 14, 15, 29})
        EXPECT_NE(std::find(steps.begin(), steps.end(), n), steps.end()) << "step " << n;

    const Lines& trace = s->TraceAfterLoading;
    const auto at = [&](const std::string& line) {
        return std::find(trace.begin(), trace.end(), line) - trace.begin();
    };
    const auto mouse = std::find_if(trace.begin(), trace.end(),
                                    [](const std::string& l) { return l.rfind("Mouse created at", 0) == 0; });
    ASSERT_NE(mouse, trace.end());
    EXPECT_LT(at(" Vertices initialized"), mouse - trace.begin());
    EXPECT_LT(mouse - trace.begin(), at(" loading gameover"));
    EXPECT_LT(at(" loading gameover"), at(" ... Loading finished"));
    ASSERT_LT(size_t(at(" ... Loading finished")) + 1, trace.size());
    EXPECT_EQ(trace[size_t(at(" ... Loading finished")) + 1], "");

    // The mouse stands in the middle of the window; the menu jingle and music play.
    EXPECT_EQ(s->Host.Cursor.Moves.back(), (TScreenPoint{100 + 400, 50 + 300}));
    const Lines plays = s->Env.Mixer.CallsTo("IMXSamplePlay(");
    ASSERT_FALSE(plays.empty());
    EXPECT_EQ(form().Game->PointerStyle, kPointerMenu);
    EXPECT_EQ(form().LoadingBar, nullptr);
    EXPECT_TRUE(form().Game->Loaded);
}

TEST_F(LoadedFormTest, MenuKeysMoveAndChooseInTheMenuStates) {
    EXPECT_EQ(menu().Page, mpMain);
    const int before = menu().CurrentPage().Selected;
    form().FormKeyDown(VK_DOWN);
    EXPECT_NE(menu().CurrentPage().Selected, before);
    menu().CurrentPage().Selected = 1;
    form().FormKeyDown(VK_RETURN);
    EXPECT_EQ(menu().Page, mpChooseGame);
}

TEST_F(LoadedFormTest, PauseKeysOpenThePauseMenuOnlyInPlay) {
    StartGameWithKeys();
    form().Game->Phase = phPlay;
    ShowMenuPage(mpGame);
    form().FormKeyDown(VK_P);
    EXPECT_EQ(form().Game->Phase, phMenu);
    EXPECT_EQ(menu().Page, mpPause);
    // The pages of a running game answer only to the mouse.
    Settle();
    const int selected = menu().CurrentPage().Selected;
    form().FormKeyDown(VK_DOWN);
    form().FormKeyDown(VK_RETURN);
    EXPECT_EQ(menu().Page, mpPause);
    EXPECT_EQ(menu().CurrentPage().Selected, selected);
    EXPECT_EQ(GameState, gsGame);

    // During the level-completed sequence Escape belongs to the game alone.
    form().Game->Phase = phLevelCompleted;
    ShowMenuPage(mpGame);
    form().FormKeyDown(VK_ESCAPE);
    EXPECT_EQ(form().Game->Phase, phLevelCompleted);
    EXPECT_EQ(menu().Page, mpGame);
}

TEST_F(LoadedFormTest, GameOverGoesToTheTableOnAnyKeyOrRelease) {
    StartGameWithKeys();
    form().Game->Phase = phPlay;
    SetGameState(gsGameOver);
    form().Game->TotalScore = form().HiScores->Entry(1, 10).Score; // equal: not enough
    form().FormKeyDown('A');
    EXPECT_EQ(GameState, gsHiScores);
    EXPECT_EQ(menu().Page, mpHiScores);
    EXPECT_FALSE(form().HiScores->Editing);

    SetGameState(gsGameOver);
    form().Game->TotalScore = form().HiScores->Entry(1, 1).Score + 10.0;
    form().FormMouseUp(2);
    EXPECT_EQ(GameState, gsHiScores);
    EXPECT_TRUE(form().HiScores->Editing);
    EXPECT_EQ(form().HiScores->EditRow, 1);

    // Name entry takes Enter first; the next Enter saves the table and leaves.
    const fs::path file = s->Env.dir.path() / "data" / "Hiscores.dat";
    fs::remove(file);
    form().FormKeyDown('Q');
    form().FormKeyDown(VK_RETURN);
    EXPECT_FALSE(form().HiScores->Editing);
    EXPECT_EQ(GameState, gsHiScores);
    EXPECT_EQ(form().HiScores->Entry(1, 1).NameText(), "Q");
    fs::remove(file);
    form().FormKeyDown(VK_RETURN);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(menu().Page, mpMain);
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(LoadedFormTest, BoardKeysMoveThePointerThePlayerSeesUntilTheMouseMoves) {
    StartGameWithKeys();
    TGame& game = *form().Game;
    game.Phase = phPlay;
    game.BoardIdle = true;
    game.PointerStyle = kPointerGame;
    game.ClearBoard();
    const TScreenPoint inside = s->Host.Cursor.Cursor;
    s->Host.Cursor.Cursor = {0, 0}; // the system cursor outside the window
    EXPECT_FALSE(PointerDrawn(Frame()));

    form().FormKeyDown(VK_UP);
    form().FormKeyDown(VK_LEFT);
    EXPECT_EQ(game.KeyCursor, CellWord(6, 6));
    EXPECT_FLOAT_EQ(form().Pointer.PointerPosition().x, 1);
    EXPECT_FLOAT_EQ(form().Pointer.PointerPosition().y, 1);
    EXPECT_TRUE(PointerDrawn(Frame())) << "the cursor of keyboard play shows wherever the mouse is";

    form().FormMouseMove(400, 300);
    EXPECT_FALSE(PointerDrawn(Frame()));
    EXPECT_FLOAT_EQ(form().Pointer.PointerPosition().x, game.PointerAt.x);
    EXPECT_NE(form().Pointer.PointerPosition().y, 1);
    s->Host.Cursor.Cursor = inside;
}

TEST_F(LoadedFormTest, MouseButtonsFollowTheRoutingTable) {
    // Loading ignores the mouse.
    SetGameState(gsLoading);
    const TVector before = form().Pointer.PointerPosition();
    form().FormMouseMove(10, 10);
    EXPECT_EQ(form().Pointer.PointerPosition(), before);
    SetGameState(gsMenu);

    form().FormMouseMove(10, 10);
    EXPECT_NE(form().Pointer.PointerPosition(), before);
    EXPECT_FLOAT_EQ(form().PointerLight.Position.x, form().Pointer.PointerPosition().x);
    EXPECT_FLOAT_EQ(form().PointerLight.Position.z, 1.05f);
    form().FormMouseDown(0);
    EXPECT_TRUE(menu().Pressed);
    // The middle button lets go of the pressed look without choosing.
    form().FormMouseUp(2);
    EXPECT_FALSE(menu().Pressed);
    EXPECT_EQ(menu().Page, mpMain);

    // During the game-over sequence buttons are ignored.
    form().Game->Phase = phGameOver;
    form().FormMouseDown(0);
    EXPECT_FALSE(menu().Pressed);
    form().Game->Phase = phPlay;

    // The first release after a deactivation only brings the window back.
    form().FormMouseDown(0);
    form().Active = false;
    form().FormMouseUp(0);
    EXPECT_TRUE(form().Active);
    EXPECT_TRUE(menu().Pressed);
    EXPECT_EQ(s->Env.Trace().back(), " Game = gsMenu");
}

TEST_F(LoadedFormTest, EachStateDrawsItsBackgroundThenMenuThenPointer) {
    auto calls = Frame();
    EXPECT_TRUE(Sets(calls, menu().MenuBackground));
    EXPECT_TRUE(PointerDrawn(calls));
    EXPECT_LT(IndexOf(calls, "SetRenderState(D3DRS_ZENABLE, FALSE)"), calls.size());

    SetGameState(gsGameOver);
    calls = Frame();
    EXPECT_TRUE(Sets(calls, form().Game->Scene.GameOverPicture));
    EXPECT_FALSE(Sets(calls, menu().MenuBackground));
    EXPECT_TRUE(PointerDrawn(calls));

    SetGameState(gsHelp);
    EXPECT_TRUE(Sets(Frame(), form().Game->Scene.HelpPicture));

    // In gsLoading only the loading bar would be drawn: without one, nothing at all.
    SetGameState(gsLoading);
    calls = Frame();
    EXPECT_EQ(
        std::count_if(calls.begin(), calls.end(),
                      [](const gfx::TRecordedCall& c) { return c.Text.rfind("DrawPrimitive", 0) == 0; }),
        0);
}

TEST_F(LoadedFormTest, InAGameThePointerShowsOnlyWhileTheBoardWaits) {
    StartGameWithKeys();
    TGame& game = *form().Game;
    game.Phase = phPlay;
    game.BoardIdle = true;
    auto calls = Frame();
    EXPECT_FALSE(Sets(calls, menu().MenuBackground));
    EXPECT_TRUE(PointerDrawn(calls));
    // The pointer is the last thing drawn, after the depth test went off.
    EXPECT_LT(IndexOf(calls, "SetRenderState(D3DRS_ZENABLE, FALSE)"), calls.size());

    game.BoardIdle = false;
    EXPECT_FALSE(PointerDrawn(Frame()));
    game.BoardIdle = true;
    game.Phase = phLevelCompleted;
    EXPECT_FALSE(PointerDrawn(Frame()));
    game.Phase = phGameOver;
    EXPECT_FALSE(PointerDrawn(Frame()));
    game.Phase = phMenu;
    EXPECT_TRUE(PointerDrawn(Frame()));
}

} // namespace
} // namespace veltrane

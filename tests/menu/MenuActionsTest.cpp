#include "game/Game.h"
#include "platform/MessageBox.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/PointerPosition.h"

#include "FileFaults.h"
#include "MenuFixture.h"

#include <cstdio>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

constexpr TMixHandle kMenu1 = TRecordingMixer::FirstStream;

class MenuActionsTest : public MenuFixture {
protected:
    std::string LastMusic() const {
        const auto plays = mixer_.CallsTo("IMXStreamPlay(");
        return plays.empty() ? "" : plays.back();
    }
    static std::string Play(TMixHandle stream, int loop) {
        return "IMXStreamPlay(" + std::to_string(stream) + "," + std::to_string(loop) + ")";
    }
    // From the main menu into a game of the mode, without the help page.
    void StartFromMenu(int mode) {
        options_->Help = false;
        Choose(1);
        Choose(mode);
    }
};

TEST_F(MenuActionsTest, MainMenuOpensItsPagesAndCloses) {
    Key(VK_ESCAPE);
    EXPECT_EQ(menu_->Page, mpMain);

    Choose(1);
    EXPECT_EQ(menu_->Page, mpChooseGame);
    Key(VK_ESCAPE);
    EXPECT_EQ(menu_->Page, mpMain);
    Choose(1);
    Choose(4);
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_EQ(host_.Closed, 0);

    Choose(4);
    EXPECT_EQ(host_.Closed, 1);
}

TEST_F(MenuActionsTest, MouseButtonsChooseTheItemUnderThePointer) {
    Settle();
    const TVector options = Item(1, 2).PressedLook.Position;
    MenuMouseMove(options.x, options.y);
    MenuMouseDown();
    EXPECT_TRUE(menu_->Pressed);
    MenuMouseUp(2, options.x, options.y); // the middle button only lets go
    EXPECT_FALSE(menu_->Pressed);
    EXPECT_EQ(menu_->Page, mpMain);
    MenuMouseDown();
    MenuMouseUp(0, options.x, options.y);
    EXPECT_FALSE(menu_->Pressed);
    EXPECT_EQ(menu_->Page, mpOptions);
    Settle();
    MenuMouseUp(1, 0, -10); // the right button is Escape
    EXPECT_EQ(menu_->Page, mpMain);
}

TEST_F(MenuActionsTest, AFinishedGameReachesTheTableThroughTheMenu) {
    SetGameState(gsGameOver);
    EnterHiScoresAfterGame(*scores_, 2, 5000.0, MenuHiScoreScreen());
    EXPECT_EQ(GameState, gsHiScores);
    EXPECT_EQ(menu_->Page, mpHiScores);
    EXPECT_TRUE(scores_->Editing);
    EXPECT_EQ(scores_->Table, 2);
    EXPECT_FALSE(Item(6, 2).Visible);
    EXPECT_TRUE(Item(6, 3).Visible);
    EXPECT_EQ(Page(6).Selected, 3);
}

TEST_F(MenuActionsTest, HighScorePageSwitchesTablesAndSavesOnlyWhenLeftByItsItem) {
    scores_->Table = 2;
    scores_->Editing = true;
    Item(6, 2).Visible = false;
    Item(6, 3).Visible = true;
    Choose(3);
    EXPECT_EQ(GameState, gsHiScores);
    EXPECT_EQ(menu_->Page, mpHiScores);
    EXPECT_EQ(scores_->Table, 1);
    EXPECT_FALSE(scores_->Editing);
    EXPECT_TRUE(Item(6, 2).Visible);
    EXPECT_FALSE(Item(6, 3).Visible);
    EXPECT_EQ(Page(6).Selected, 2);

    Choose(2);
    EXPECT_EQ(scores_->Table, 2);
    EXPECT_FALSE(Item(6, 2).Visible);
    EXPECT_TRUE(Item(6, 3).Visible);
    EXPECT_EQ(Page(6).Selected, 3);
    Choose(3);
    EXPECT_EQ(scores_->Table, 1);
    // During name entry the switch does nothing.
    scores_->Editing = true;
    Choose(2);
    EXPECT_EQ(scores_->Table, 1);
    scores_->Editing = false;

    // The right button goes back without saving.
    Settle();
    MenuMouseUp(1, 0, 0);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_FALSE(fs::exists(HiScoresFileName));

    Choose(3);
    Settle();
    MenuMouseUp(0, 100, 100); // left button, nothing under it: nothing chosen
    EXPECT_EQ(GameState, gsHiScores);
    Choose(1);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_TRUE(fs::exists(HiScoresFileName));
}

TEST_F(MenuActionsTest, ChoosingAGameShowsHelpFirstAndHelpSwitchesTheSetting) {
    options_->Help = true;
    Choose(1);
    Choose(1);
    EXPECT_EQ(LastMusic(), Play(kMenu1 + 2, 1));
    EXPECT_EQ(game_->GameMode, 1);
    EXPECT_EQ(GameState, gsHelp);
    EXPECT_EQ(menu_->Page, mpHelp);
    EXPECT_TRUE(Item(10, 2).Visible);
    EXPECT_FALSE(Item(10, 3).Visible);

    Choose(2);
    EXPECT_FALSE(options_->Help);
    EXPECT_FALSE(Item(10, 2).Visible);
    EXPECT_TRUE(Item(10, 3).Visible);
    EXPECT_EQ(Page(10).Selected, 3);
    Choose(3);
    EXPECT_TRUE(options_->Help);
    EXPECT_TRUE(Item(10, 2).Visible);
    EXPECT_FALSE(Item(10, 3).Visible);
    Key(VK_ESCAPE);
    EXPECT_EQ(menu_->Page, mpHelp);

    Choose(1);
    EXPECT_EQ(GameState, gsGame);
    EXPECT_EQ(menu_->Page, mpGame);
    EXPECT_EQ(game_->Phase, phPlay);
    EXPECT_EQ(game_->Level, 1);
    EXPECT_GT(game_->CubeCount, 0);
    EXPECT_EQ(game_->CheckBoardInvariants(), "");

    // Without help the timed game starts at once, with its own music.
    EnterMenu();
    StartFromMenu(2);
    EXPECT_EQ(LastMusic(), Play(kMenu1 + 3, 1));
    EXPECT_EQ(game_->GameMode, 2);
    EXPECT_EQ(GameState, gsGame);
}

// Cube pictures whose widths tell skin and slot apart.
void WriteTga(const fs::path& path, int width) {
    fs::create_directories(path.parent_path());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const unsigned char header[18] = {0,
                                      0,
                                      2,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      static_cast<unsigned char>(width & 255),
                                      static_cast<unsigned char>(width >> 8),
                                      1,
                                      0,
                                      32,
                                      8};
    std::fwrite(header, 1, sizeof header, f);
    for (int i = 0; i < width * 4; ++i) std::fputc(200, f);
    std::fclose(f);
}

TEST_F(MenuActionsTest, ANewGameLoadsTheSkinsCubesAndAsksToContinueASavedGame) {
    for (int skin = 1; skin <= 5; ++skin)
        for (int slot = 0; slot <= 17; ++slot)
            WriteTga(dir_.path() / "Images" / ("Skin" + std::to_string(skin)) /
                         ("tex" + std::to_string(slot) + ".tga"),
                     skin * 100 + slot + 1);
    gfx::TRecordingDevice device;
    BindMenu({menu_.get(), game_.get(), scores_.get(), &device, &host_, options_.get()});
    options_->Texture = 3;
    StartFromMenu(2);

    for (int slot = 0; slot <= 17; ++slot) {
        const int skin = (slot == 7 || slot == 8 || slot == 9 || slot == 17) ? 1 : 3;
        ASSERT_NE(game_->Scene.KindTextures[slot], nullptr) << slot;
        EXPECT_EQ(game_->Scene.KindTextures[slot]->Width(), uint32_t(skin * 100 + slot + 1))
            << "slot " << slot;
    }
    EXPECT_EQ(KindTextureName(4, 17), "Images\\Skin1\\tex17.tga");
    EXPECT_EQ(KindTextureName(4, 16), "Images\\Skin4\\tex16.tga");
    EXPECT_EQ(menu_->Page, mpGame);
    EXPECT_EQ(game_->Phase, phPlay);

    // A saved game of the timed mode on disk: the new game waits under the question.
    std::ofstream("data/Save2.dat") << "saved";
    EnterMenu();
    StartFromMenu(2);
    EXPECT_EQ(GameState, gsGame);
    EXPECT_EQ(game_->Phase, phMenu);
    EXPECT_EQ(menu_->Page, mpContinue);
    // Mode 1 has no saved game.
    EnterMenu();
    StartFromMenu(1);
    EXPECT_EQ(menu_->Page, mpGame);
    BindMenu({});
    for (auto& texture : game_->Scene.KindTextures) texture.reset(); // they outlive this device
}

TEST_F(MenuActionsTest, PauseResumeLeaveWithSaveAndContinueTheSavedGame) {
    StartFromMenu(1);
    ASSERT_EQ(menu_->Page, mpGame);

    Choose(1); // the game's menu button
    EXPECT_EQ(game_->Phase, phMenu);
    EXPECT_EQ(menu_->Page, mpPause);
    EXPECT_EQ(game_->PointerStyle, kPointerGame);
    Choose(3); // resume
    EXPECT_EQ(game_->Phase, phPlay);
    EXPECT_EQ(menu_->Page, mpGame);
    Key(VK_ESCAPE); // Escape on the game's pages does nothing
    EXPECT_EQ(menu_->Page, mpGame);

    game_->TotalScore = 1234;
    Choose(1);
    mixer_.Calls.clear();
    Choose(2); // leave, saving the game
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_TRUE(fs::exists("data/Save1.dat"));
    EXPECT_EQ(LastMusic(), Play(kMenu1, 0));
    EXPECT_EQ(MenuTrack(), 1);

    // The next classic game offers to continue it: "new game" keeps the fresh start...
    StartFromMenu(1);
    EXPECT_EQ(menu_->Page, mpContinue);
    EXPECT_EQ(game_->TotalScore, 0);
    Choose(3);
    EXPECT_EQ(game_->Phase, phPlay);
    EXPECT_EQ(menu_->Page, mpGame);
    EXPECT_EQ(game_->TotalScore, 0);

    // ... "continue" brings the saved one back.
    EnterMenu();
    StartFromMenu(1);
    Choose(2);
    EXPECT_EQ(game_->Phase, phPlay);
    EXPECT_EQ(menu_->Page, mpGame);
    EXPECT_EQ(game_->TotalScore, 1234);
}

TEST_F(MenuActionsTest, LeavingWithASaveThatFailsTellsThePlayerAndKeepsTheOldSave) {
    std::ofstream("data/Save1.dat", std::ios::binary) << "the save before";
    std::vector<std::string> boxes;
    SetMessageBoxHandler([&](void*, const std::string& caption, const std::string& text, TMessageIcon) {
        boxes.push_back(caption + ": " + text);
    });
    options_->Help = false;
    Choose(1);
    Choose(1);
    Choose(3); // a new game rather than the one on disk
    ASSERT_EQ(menu_->Page, mpGame);
    Choose(1);
    {
        filefaults::TScopedFault full({"disk full", filefaults::TCall::Write, ENOSPC});
        Choose(2); // leave, saving the game
    }
    SetMessageBoxHandler({});
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(menu_->Page, mpMain);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Game not saved: Your game could not be saved"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("No space left on device"), std::string::npos) << boxes[0];
    EXPECT_EQ(filefaults::ReadAll("data/Save1.dat"), "the save before");

    // A save that succeeds says nothing.
    StartFromMenu(1);
    Choose(3);
    Choose(1);
    SetMessageBoxHandler(
        [&](void*, const std::string&, const std::string& text, TMessageIcon) { boxes.push_back(text); });
    Choose(2);
    SetMessageBoxHandler({});
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_NE(filefaults::ReadAll("data/Save1.dat"), "the save before");
}

TEST_F(MenuActionsTest, ContinuingASaveThatCannotBeReadTellsThePlayerAndPlaysTheNewGame) {
    const std::string damaged = "01/01/26 12:00:00\r\n1\r\n3\r\n0\r\n12.5\r\n 9.9x\r\n0\r\n0\r\n";
    std::ofstream("data/Save1.dat", std::ios::binary) << damaged;
    std::vector<std::string> boxes;
    SetMessageBoxHandler([&](void*, const std::string& caption, const std::string& text, TMessageIcon) {
        boxes.push_back(caption + ": " + text);
    });
    StartFromMenu(1);
    ASSERT_EQ(menu_->Page, mpContinue);
    Choose(2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind(
                  "Saved game not loaded: Your saved game could not be read:\ndata/Save1.dat line 6: ", 0),
              0u)
        << boxes[0];
    EXPECT_EQ(game_->Phase, phPlay);
    EXPECT_EQ(menu_->Page, mpGame);
    EXPECT_EQ(game_->Level, 1);
    EXPECT_EQ(filefaults::ReadAll("data/Save1.dat"), damaged);

    // A saved game that loads, and "new game", say nothing.
    game_->TotalScore = 77;
    Choose(1);
    Choose(2); // leave, saving the game
    for (const int answer : {2, 3}) {
        EnterMenu();
        StartFromMenu(1);
        Choose(answer);
        EXPECT_EQ(game_->TotalScore, answer == 2 ? 77 : 0);
    }
    SetMessageBoxHandler({});
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(MenuActionsTest, TheTutorialIsMadeTurnedAndFreedWithItsArrows) {
    Touch(dir_.path() / "Images" / "Tutorial" / "tut1.bmp");
    Choose(1);
    Choose(3);
    EXPECT_EQ(GameState, gsTutorial);
    EXPECT_EQ(menu_->Page, mpTutorial);
    ASSERT_NE(menu_->Tutorial, nullptr);
    EXPECT_TRUE(Item(9, 2).Visible);
    EXPECT_FALSE(Item(9, 3).Visible);

    for (int i = 0; i < 8; ++i) Choose(2);
    EXPECT_EQ(menu_->Tutorial->Page, 9);
    EXPECT_FALSE(Item(9, 2).Visible);
    EXPECT_TRUE(Item(9, 3).Visible);
    Choose(3);
    EXPECT_EQ(menu_->Tutorial->Page, 8);
    EXPECT_TRUE(Item(9, 2).Visible);
    EXPECT_TRUE(Item(9, 3).Visible);

    Key(VK_ESCAPE);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(menu_->Page, mpChooseGame);
    EXPECT_EQ(menu_->Tutorial, nullptr);

    // A new visit starts on page 1 with its arrows to match.
    Choose(3);
    ASSERT_NE(menu_->Tutorial, nullptr);
    EXPECT_EQ(menu_->Tutorial->Page, 1);
    EXPECT_FALSE(Item(9, 3).Visible);
    Choose(1);
    EXPECT_EQ(menu_->Tutorial, nullptr);
    EXPECT_EQ(menu_->Page, mpChooseGame);

    // Pages that cannot be converted: no tutorial, only the back item.
    fs::remove(dir_.path() / "Images" / "Tutorial" / "tut1.bmp");
    Choose(3);
    EXPECT_EQ(GameState, gsTutorial);
    EXPECT_EQ(menu_->Tutorial, nullptr);
    EXPECT_FALSE(Item(9, 2).Visible);
    Choose(1);
    EXPECT_EQ(GameState, gsMenu);
}

TEST_F(MenuActionsTest, EnterMenuRestsTheCameraAndStartsTheMenuMusic) {
    SetGameState(gsGame);
    game_->PointerStyle = kPointerGame;
    game_->Camera.Eye = TVector{1, 2, 3};
    ShowMenuPage(5);
    EnterMenu();
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(game_->PointerStyle, kPointerMenu);
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_EQ(game_->Camera.Eye, TCamera::RestEye);
    EXPECT_EQ(LastMusic(), Play(kMenu1, 0));
    EXPECT_FALSE(menu_->Ready(host_.Now));
}

} // namespace
} // namespace veltrane

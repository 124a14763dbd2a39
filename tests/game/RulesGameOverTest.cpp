// The end of a game: decided once, with its sound, silence and the saved game of its mode gone.
#include "GameFixture.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace veltrane {
namespace {
using namespace testing;
namespace fs = std::filesystem;

class GameOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_.path() / "data");
        std::ofstream(dir_.path() / "data" / "Save1.dat") << "mode 1";
        std::ofstream(dir_.path() / "data" / "Save2.dat") << "mode 2";
    }
    static bool Saved(int mode) { return fs::exists(SaveFileName(mode)); }

    TempDir dir_;
    CurrentDir cd_{dir_.path()};
    TSoundRecorder sound_;
};

TEST_F(GameOverTest, AFullBoardEndsTheGameOnceAndDeletesOnlyItsModesSave) {
    TPicture full(9, "222222222");
    full[8] = "2222222.2";
    auto game = GameWithBoard(full);
    game->SelectCube(1);
    PlaySound(TSound::Selected); // the highlight loop of the selection
    EXPECT_EQ(game->AddCube(3), 81);
    sound_.Clear();

    EXPECT_TRUE(game->CheckGameOver(true));
    EXPECT_EQ(game->Phase, phGameOver);
    EXPECT_EQ(game->Selected, 0);
    EXPECT_EQ(game->Cubes[1].State, csResting);
    EXPECT_EQ(sound_.Played(), (std::vector<TSound>{TSound::GameOver}));
    const auto stops = sound_.Mixer.CallsTo("IMXChannelStop(");
    EXPECT_EQ(stops.size(), 2u); // the highlight and the music
    EXPECT_FALSE(Saved(1));
    EXPECT_TRUE(Saved(2));

    sound_.Clear();
    std::ofstream("data/Save1.dat") << "saved again";
    EXPECT_TRUE(game->CheckGameOver(true));
    EXPECT_TRUE(game->CheckGameOver(false));
    EXPECT_TRUE(sound_.Mixer.Calls.empty());
    EXPECT_TRUE(Saved(1));
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST_F(GameOverTest, AnEmptyTimeBankEndsTheTimedGameOutsideBonusLevels) {
    auto game = GameWithBoard(EmptyPicture());
    game->GameMode = 2;
    game->CurrentLevel().Progress = -1;
    game->CurrentLevel().LevelType = ltBonus;
    EXPECT_FALSE(game->CheckGameOver(false));
    game->CurrentLevel().LevelType = ltNormal;
    EXPECT_FALSE(game->CheckGameOver(true)); // the board test looks at the board only
    EXPECT_TRUE(game->CheckGameOver(false));
    EXPECT_TRUE(Saved(1));
    EXPECT_FALSE(Saved(2));
    EXPECT_EQ(sound_.Played(), (std::vector<TSound>{TSound::GameOver}));
}

TEST_F(GameOverTest, NoSaveFileIsNoProblem) {
    fs::remove("data/Save1.dat");
    auto game = GameWithBoard(EmptyPicture());
    game->FreeCount = 0;
    game->CubeCount = 82; // crowded beyond the board
    EXPECT_TRUE(game->CheckGameOver(true));
    EXPECT_TRUE(Saved(2));
}

} // namespace
} // namespace veltrane

// A new game, level starts (timed bank, lamps, bonus levels, the wrap after the last level),
// turns, the cubes added at random, and the one-time loading of the game's resources.
#include "FlowFixture.h"

#include "../TempDir.h"
#include "GameTestSupport.h"
#include "platform/DebugLog.h"
#include "platform/gfx/RecordingDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace veltrane {
namespace {
using namespace testing;

using StartGameTest = FlowTest;

TEST_F(StartGameTest, ANewGameAnnouncesTheFirstCubesWithoutBanner) {
    game().Combo = 3;
    game().TotalScore = 999;
    game().StartGame();
    EXPECT_EQ(game().Level, 1);
    EXPECT_EQ(game().TotalScore, 0);
    EXPECT_EQ(game().Combo, 3); // a new game goes on with the combo it found
    EXPECT_EQ(game().CubeCount, 3);
    EXPECT_EQ(CubesIn(csAnnounced), 3);
    EXPECT_EQ(game().FreeCount, 81 - 3);
    EXPECT_EQ(game().PointerStyle, kPointerGame);
    EXPECT_FALSE(game().BoardIdle);
    EXPECT_EQ(sound_.Played(), std::vector<TSound>{TSound::NewLevel});
    EXPECT_TRUE(game().Particles.Lists[kBannerList - 1].Empty());
    EXPECT_EQ(game().Scene.BonusLight.LampCount, 5);
    EXPECT_EQ(game().CheckBoardInvariants(), "");
    for (int i = 1; i <= 3; ++i) {
        const TCube& cube = game().Cubes[i];
        EXPECT_GE(cube.Kind, 1);
        EXPECT_LE(cube.Kind, 5);
        EXPECT_EQ(cube.Position, (TVector{float(cube.X - 5), float(cube.Y - 5), 0.15f}));
        EXPECT_EQ(cube.Scale, (TVector{0.3f, 0.3f, 0.3f}));
    }
}

TEST_F(StartGameTest, LaterLevelsKeepTheBoardShowTheBannerAndSetTheTimedBank) {
    game().GameMode = 2;
    game().StartGame();
    const int cubes = game().CubeCount;
    game().Levels[2].LampsOff = 3;
    game().StartLevel();
    EXPECT_EQ(game().Level, 2);
    EXPECT_EQ(game().CubeCount, cubes);              // no new cubes: the turn brings them
    EXPECT_EQ(game().CurrentLevel().Progress, 5000); // half the bank
    EXPECT_EQ(game().Scene.BonusLight.LampCount, 2);
    const TParticleList& banner = game().Particles.Lists[kBannerList - 1];
    ASSERT_EQ(banner.Count(), 1);
    EXPECT_EQ(banner.First()->Kind, kBannerType);

    game().Levels[3].LampsOff = 7; // more than five lamps off shows all five
    game().PendingScore = 40;
    game().TimeClock = 500;
    game().StartLevel();
    EXPECT_EQ(game().Scene.BonusLight.LampCount, 5);
    EXPECT_EQ(game().PendingScore, 0);
    EXPECT_EQ(game().TimeClock, 0);
}

TEST_F(StartGameTest, ABonusLevelStartsWithBlocksGrowingAndBombsResting) {
    game().GameMode = 2;
    game().StartGame();
    game().Level = 4;
    sound_.Clear();
    game().StartLevel();
    EXPECT_EQ(game().Level, 5);
    EXPECT_EQ(game().CurrentLevel().Progress, 10000); // a full bank
    EXPECT_EQ(sound_.Played(), std::vector<TSound>{TSound::BonusLevel});
    EXPECT_EQ(game().CubeCount, 3 + 2);
    EXPECT_EQ(game().CountKind(ckBlock), 3);
    EXPECT_EQ(game().CountKind(ckBomb), 2);
    EXPECT_EQ(CubesIn(csGrowing), 3);
    EXPECT_EQ(CubesIn(csResting), 2);
    EXPECT_EQ(game().FreeCount, 81 - 5);
    EXPECT_EQ(game().CheckBoardInvariants(), "");

    sound_.Clear();
    game().NextTurn(); // nothing new on a bonus level
    EXPECT_EQ(game().CubeCount, 5);
    EXPECT_TRUE(game().BoardIdle);
    EXPECT_EQ(sound_.Played(), std::vector<TSound>{TSound::NewTurn});
}

TEST_F(StartGameTest, PastTheLastLevelPlayGoesOnAtLevelOneInTheOtherMode) {
    game().StartGame();
    game().Level = 100;
    game().Levels[1].Progress = 123;
    sound_.Clear();
    game().StartLevel();
    EXPECT_EQ(game().Level, 1);
    EXPECT_EQ(game().GameMode, 2);
    EXPECT_EQ(game().CurrentLevel().Progress, 5000);
    // The music of mode 2 (track 3) starts, looping.
    const auto plays = sound_.Mixer.CallsTo("IMXStreamPlay(");
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0], "IMXStreamPlay(" + std::to_string(TRecordingMixer::FirstStream + 3) + ",1)");

    int restored = 0;
    game().RestoreMusicHandler = [&] { ++restored; };
    game().Level = 100;
    game().StartLevel();
    EXPECT_EQ(game().GameMode, 1);
    EXPECT_EQ(restored, 1); // the main window's own music restart is used when it is set
}

using AddRandomCubeTest = FlowTest;

TEST_F(AddRandomCubeTest, DrawsColourThenJokerThenBlockThenTheCell) {
    game().StartGame();
    TLevel& level = game().CurrentLevel();
    level.JokerOdds = 7;
    level.ExtraQuota[1] = 18; // Random(4)
    for (int n = 0; n < 30; ++n) {
        const uint32_t seed = RandSeed;
        const int quota = level.ExtraQuota[1];
        const int freeBefore = game().FreeCount;
        // The same draws, made by hand from the same seed.
        RandSeed = seed;
        uint8_t kind = static_cast<uint8_t>(Random(5) + 1);
        if (Random(7) == 1) kind = ckJoker;
        const bool block = Random(std::abs(40 - 2 * quota)) == 1;
        if (block) kind = ckBlock;
        const int k = Random(freeBefore) + 1;
        const TCellWord cell = game().FreeCells[k];
        RandSeed = seed;

        game().AddRandomCube();
        const TCube& cube = game().Cubes[game().CubeCount];
        ASSERT_EQ(cube.Kind, kind) << "cube " << n;
        EXPECT_EQ(cube.Cell(), cell);
        EXPECT_EQ(level.ExtraQuota[1], block ? quota - 1 : quota);
    }
    EXPECT_EQ(game().CheckBoardInvariants(), "");
}

TEST_F(AddRandomCubeTest, QuotaTwentyNeverBlocksAndOddsOneNeverJokes) {
    game().StartGame();
    TLevel& level = game().CurrentLevel();
    level.JokerOdds = 1;
    level.ExtraQuota[1] = 20; // Random(0) is always 0
    while (game().FreeCount > 1) game().AddRandomCube();
    EXPECT_EQ(game().CountKind(ckBlock), 0);
    EXPECT_EQ(game().CountKind(ckJoker), 0);
    EXPECT_EQ(level.ExtraQuota[1], 20);
}

TEST_F(AddRandomCubeTest, AFullBoardTakesNoCube) {
    game().StartGame();
    while (game().FreeCount > 0) game().AddCube(1);
    // Outside play the board test answers false; still nothing is added.
    game().Phase = phLevelCompleted;
    const int count = game().CubeCount;
    game().AddRandomCube();
    EXPECT_EQ(game().CubeCount, count);
    EXPECT_EQ(game().AddCube(2), 0);
    EXPECT_EQ(game().PlaceCube(2, CellWord(1, 1)), 0);
    // In play it ends the game.
    game().Phase = phPlay;
    game().AddRandomCube();
    EXPECT_EQ(game().Phase, phGameOver);
    EXPECT_EQ(game().CubeCount, count);
    EXPECT_EQ(game().CheckInvariants(), "");
}

// ---- Loading the resources ---------------------------------------------------------------------

class RecordingSteps final : public ILoadingSteps {
public:
    void Step(uint8_t n, const std::string& text) override { Steps.push_back(std::to_string(n) + text); }
    std::vector<std::string> Steps;
};

class LoadResourcesTest : public FlowTest {
protected:
    LoadResourcesTest() : cwd_(dir_.path()) {
        std::filesystem::create_directories(dir_.path() / "data");
        Write("data/Levels.dat", Join(LevelLines(100)));
        Write("data/BonusFigures.dat", Join(FigureLines({TFigureSpec{}})));
        SetDebugLogClock([] { return 7u; });
        SetDebugLogFile((dir_.path() / "debug.txt").string());
        SetResourceFolder(dir_.path().string());
    }
    ~LoadResourcesTest() override {
        SetDebugLogClock(nullptr);
        SetDebugLogFile("");
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_.path() / name, std::ios::binary) << text;
    }
    std::vector<std::string> Trace() {
        std::ifstream in(dir_.path() / "debug.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    TempDir dir_;
    CurrentDir cwd_;
};

TEST_F(LoadResourcesTest, LoadsOnceWithItsTraceAndBarStepsInOrder) {
    RecordingSteps steps;
    SetGameState(gsMenu);
    game().LoadResources(&steps);
    EXPECT_TRUE(game().Loaded);
    EXPECT_EQ(GameState, gsLoading);
    EXPECT_EQ(game().LevelCount, 100);
    EXPECT_EQ(game().FigureCount, 1);
    const std::vector<std::string> trace = {
        "7 loading initialise 1", "7 loading initialise 2", "7 loading gameover",
        "7 loading help",         "7 loading dots",         "7 loading materials",
        "7 loading room 0",       "7 loading room 1",       "7 loading room 2",
        "7 loading room 3",       "7 loading room 4",       "7 loading backplane",
        "7 loading bonuslight",   "7 loading plub bonus",   "7 loading scoreline",
        "7 loading createlevels", "7 loading createbonus",  "7 loading initialise particles"};
    EXPECT_EQ(Trace(), trace);
    EXPECT_EQ(steps.Steps,
              (std::vector<std::string>{"15 loading gameover", "17 loading help", "18 loading dots",
                                        "20 loading room 0", "22 loading room 1", "24 loading room 2",
                                        "25 loading room 3", "26 loading room 4", "27 loading backplane",
                                        "29 loading bonuslight"}));
    // The scene stands where it belongs.
    EXPECT_EQ(game().Scene.Room[3].Position, (TVector{-1.8f, -12.25f, 5.8f}));
    EXPECT_FLOAT_EQ(game().Scene.BonusLight.Lamps[4].x, -6.387875f - 4 * 0.289f);
    EXPECT_EQ(game().Scene.ScoreLine.Cap.Position, (TVector{4.615f, -5.33459375f, 0.01f}));
    EXPECT_EQ(Materials[matStandard].Power, 10);
    EXPECT_EQ(Materials[matBomb].Diffuse, (gfx::D3DCOLORVALUE{1, 1, 1, 0}));

    game().LoadResources(&steps);
    EXPECT_EQ(Trace().size(), trace.size() + 1);
    EXPECT_EQ(Trace().back(), "7 loading initialise 1");
    EXPECT_EQ(steps.Steps.size(), 10u);
}

TEST_F(LoadResourcesTest, PicturesComeFromTheProgramFolderWhateverTheirCase) {
    // A 2 x 2 uncompressed 32-bit TGA, top row first.
    std::string tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 0x28};
    tga += std::string(16, '\x7f');
    std::filesystem::create_directories(dir_.path() / "program" / "IMAGES");
    Write("program/IMAGES/BonusLight.TGA", tga);
    Write("program/IMAGES/dot2.tga", tga);
    SetResourceFolder((dir_.path() / "program").string());
    gfx::TRecordingDevice device;
    const auto owned = std::make_unique<TGame>(&device); // too large for the stack
    TGame& loaded = *owned;
    loaded.LoadResources();
    ASSERT_TRUE(loaded.Loaded);
    EXPECT_TRUE(loaded.Scene.BonusLight.Texture);
    EXPECT_TRUE(loaded.Scene.DotTextures[2]);
    EXPECT_FALSE(loaded.Scene.DotTextures[1]); // missing pictures stay empty
    EXPECT_FALSE(loaded.Scene.ScoreLine.Texture);
    EXPECT_FALSE(loaded.Scene.GameOverPicture);
    EXPECT_EQ(loaded.Scene.BonusLight.Device, &device);
}

TEST_F(LoadResourcesTest, ABadLevelsFileLeavesTheGameUnloaded) {
    Write("data/Levels.dat", "3 levels\r\nLevel 1\r\nnot a number\r\n");
    EXPECT_ANY_THROW(game().LoadResources());
    EXPECT_FALSE(game().Loaded);
}

} // namespace
} // namespace veltrane

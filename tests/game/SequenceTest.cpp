// The end of a level and of a game: the bonus table of a bonus level with its late labels, the
// level-completed sequences of each level type with their timing and gauge, the fly-away with its
// bounce, the camera's flight, the game-over sequence and play halted under a menu.
#include "FlowFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace veltrane {
namespace {
using namespace testing;

int Count(const std::vector<TSound>& played, TSound effect) {
    return static_cast<int>(std::count(played.begin(), played.end(), effect));
}

// A board with n blocks and a colour cube, none of them bombs.
TPicture BlocksLeft(int n) {
    TPicture picture = EmptyPicture();
    for (int k = 0; k < n; ++k) picture[size_t(k)][0] = 'X';
    picture[8][8] = '3';
    return picture;
}

struct TBonusCase {
    int Left;
    double Bonus;
    const char* Line1;
    float X1;
    const char* Line2;
};

class BonusLevelEnd : public FlowTest, public ::testing::WithParamInterface<TBonusCase> {};

TEST_P(BonusLevelEnd, PaysForTheBlocksLeftAndShowsTheLabelsLater) {
    const TBonusCase& c = GetParam();
    game().StartGame();
    game().Level = 4;
    game().StartLevel();
    game().CurrentLevel().ClearBonus = 302;
    SetBoard(BlocksLeft(c.Left)); // no bomb left: the level is done
    ClearScoreLabels();
    sound_.Clear();

    game().Update(100);
    EXPECT_EQ(game().Phase, phLevelCompleted);
    EXPECT_EQ(LabelTexts(), std::vector<std::string>{"LEVEL COMPLETED"});
    EXPECT_EQ(game().TotalScore, c.Bonus); // counted at once
    EXPECT_EQ(game().PendingScore, 0);
    EXPECT_EQ(game().CubeCount, 0); // the board is cleared
    EXPECT_EQ(game().DelayedLabels[0].Text, c.Line1);
    EXPECT_FLOAT_EQ(game().DelayedLabels[0].Position.x, c.X1);
    EXPECT_EQ(game().DelayedLabels[1].Text, c.Line2);
    const auto first = sound_.Played();
    EXPECT_EQ(Count(first, TSound::Message), 1);
    EXPECT_EQ(Count(first, TSound::BonusLevelDone), 1); // in the first frame only
    game().Update(0);
    EXPECT_EQ(Count(sound_.Played(), TSound::BonusLevelDone), 1);

    // The clock runs at half speed: the first slot shows after 2000 ms, the second after 4000.
    RunFrames(19, 100);
    EXPECT_EQ(game().DelayedLabels[0].Active, 1);
    game().Update(100);
    EXPECT_EQ(game().DelayedLabels[0].Active, 0);
    EXPECT_EQ(game().DelayedLabels[0].Text, "");
    EXPECT_EQ(LabelTexts().back(), c.Line1);
    RunFrames(20, 100);
    EXPECT_EQ(LabelTexts().back(), c.Line2);
    EXPECT_EQ(Count(sound_.Played(), TSound::Message), 3);
    EXPECT_NEAR(game().Gauge, 1 - 2000.0 / 3000, 1e-6); // mode 1: the gauge empties

    RunFrames(19, 100);
    EXPECT_EQ(game().Phase, phLevelCompleted);
    game().Update(100);
    EXPECT_EQ(game().Phase, phPlay);
    EXPECT_EQ(game().Level, 6);
    // The level after a bonus level starts empty: its first frames bring the first turn.
    EXPECT_EQ(game().CubeCount, 0);
    RunFrames(2, 16);
    EXPECT_EQ(CubesIn(csGrowing), 3);
    EXPECT_EQ(CubesIn(csAnnounced), 3);
}

INSTANTIATE_TEST_SUITE_P(BlocksLeft, BonusLevelEnd,
                         ::testing::Values(TBonusCase{0, 302, "No cubes left", 3.08f, "Bonus  +302"},
                                           TBonusCase{1, 226, "One cube left", 3.08f,
                                                      "Bonus  +226"}, // 226.5: halves to even
                                           TBonusCase{2, 151, "Two cubes left", 3.47f, "Bonus  +151"},
                                           TBonusCase{3, 76, "Three cubes left", 3.92f, "Bonus  +76"}, // 75.5
                                           TBonusCase{5, 0, "5 cubes left", 2.67f, "No bonus"}));

using LevelEndTest = FlowTest;

TEST_F(LevelEndTest, ATimedBonusLevelEndsWhenItsBankIsEmptyNotTheGame) {
    game().GameMode = 2;
    game().StartGame();
    game().Level = 4;
    game().StartLevel();
    TLevel& level = game().CurrentLevel();
    level.Progress = 50;
    game().PendingScore = 0;
    game().Update(400); // 40 ms of bank left
    EXPECT_EQ(game().Phase, phPlay);
    game().Update(400);
    EXPECT_EQ(game().Phase, phLevelCompleted);
    // Three blocks were left: a quarter of the bonus.
    EXPECT_EQ(game().TotalScore, std::nearbyint(0.25 * level.ClearBonus));
}

struct TWalledCase {
    const char* Name;
    int Mode;
    TPicture Board;
    bool Ends;
};

// A bonus level whose bombs are all walled in by blocks and the board's edge leaves no move: it
// ends as if the bombs were used up (mode 1 has no clock to end it). One bomb with a free cell
// beside it keeps the level going.
TEST_F(LevelEndTest, ABonusLevelEndsWhenNoBombCanMove) {
    const TWalledCase cases[] = {
        {"bomb in a corner",
         1,
         {"BX.......", "X........", ".........", ".........", ".........", ".........", ".........",
          ".........", "....X...."},
         true},
        {"two bombs walling each other",
         1,
         {"BBX......", "XX.......", ".........", ".........", ".........", ".........", ".........",
          ".........", "........."},
         true},
        {"timed mode too",
         2,
         {"BX.......", "X........", ".........", ".........", ".........", ".........", ".........",
          ".........", "....X...."},
         true},
        {"a second bomb can move",
         1,
         {"BX.......", "X........", ".........", ".........", "....B....", ".........", ".........",
          ".........", "....X...."},
         false},
        {"a bomb beside a gap",
         1,
         {"BX.......", ".X.......", "X........", ".........", ".........", ".........", ".........",
          ".........", "....X...."},
         false},
    };
    for (const TWalledCase& c : cases) {
        SCOPED_TRACE(c.Name);
        game().GameMode = static_cast<uint8_t>(c.Mode);
        game().Phase = phPlay; // the case before may have ended its level
        game().StartGame();
        game().Level = 4;
        game().StartLevel();
        SetBoard(c.Board);
        game().Update(16);
        EXPECT_EQ(game().Phase, c.Ends ? phLevelCompleted : phPlay);
        if (c.Ends) {
            EXPECT_EQ(game().DelayedLabels[0].Text, "Three cubes left");
        }
    }
}

TEST_F(LevelEndTest, ANormalLevelEndsQuicklyWithTheCameraAtRest) {
    game().StartGame();
    game().Update(16);
    game().CurrentLevel().Progress = 999;
    game().PendingScore = 20;
    game().Update(16);
    ASSERT_EQ(game().Phase, phLevelCompleted);
    EXPECT_DOUBLE_EQ(game().Levels[1].Progress, 1019); // all pending points at once
    EXPECT_DOUBLE_EQ(game().TotalScore, 20);
    const int cubes = game().CubeCount;
    int frames = 1;
    frames += RunFrames(200, 16, [&] {
        EXPECT_EQ(game().Camera.Eye, (TVector{-1.8f, -0.25f, 12.7f}));
        return game().Phase == phPlay;
    });
    // 3000 / 5.5 ms of sequence.
    EXPECT_EQ(frames, 35);
    EXPECT_EQ(game().Level, 2);
    EXPECT_EQ(game().CubeCount, cubes); // the board stays
}

TEST_F(LevelEndTest, BeforeABonusLevelTheCubesFlyAndTheCameraCircles) {
    game().GameMode = 2;
    game().StartGame();
    game().Update(16);
    game().Level = 3;
    game().StartLevel();
    ASSERT_EQ(game().CurrentLevel().LevelType, ltBeforeBonus);
    game().CurrentLevel().Progress = 10010; // a full bank completes it, after this frame's drain
    sound_.Clear();
    game().Update(16);
    ASSERT_EQ(game().Phase, phLevelCompleted);
    EXPECT_EQ(Count(sound_.Played(), TSound::FlyingBy), 1);
    bool flying = false;
    for (int i = 1; i <= game().CubeCount; ++i) flying |= game().Cubes[i].FlyVelocity.z != 0;
    EXPECT_TRUE(flying);

    TVector lowest = game().Camera.Eye;
    int frames = 1;
    frames += RunFrames(1000, 16, [&] {
        if (game().Camera.Eye.z < lowest.z) lowest = game().Camera.Eye;
        EXPECT_NEAR(game().Gauge, game().PhaseClock / 3000, 1e-6); // timed mode: the bank fills
        return game().Phase == phPlay;
    });
    EXPECT_NEAR(frames * 16, 3000 / 0.8, 16);
    EXPECT_NEAR(lowest.z, 1.7f, 0.05f); // down at the sides of the room
    EXPECT_EQ(game().Camera.Eye, (TVector{-1.8f, -0.25f, 12.7f}));
    EXPECT_EQ(game().Level, 5);
    EXPECT_EQ(Count(sound_.Played(), TSound::FlyingBy), 1);
}

TEST_F(LevelEndTest, FlyingCubesBounceOffTheFloorLosingAFifth) {
    game().StartGame();
    SetBoard(BlocksLeft(1));
    TCube& cube = game().Cubes[1];
    cube.Position = {-4, -4, 0.41f};
    cube.FlyVelocity = {0.1f, 0.005f, -0.05f};
    cube.FlyAccel = {0, 0, -0.005f};
    cube.FlySpin = {0.02f, 0.005f, 0};
    game().StepFlyAway();
    EXPECT_FLOAT_EQ(cube.Position.x, -3.9f);
    EXPECT_EQ(cube.Position.z, 0.4f);
    EXPECT_FLOAT_EQ(cube.FlyVelocity.x, 0.08f);
    EXPECT_EQ(cube.FlyVelocity.y, 0); // too slow to notice
    EXPECT_FLOAT_EQ(cube.FlyVelocity.z, 0.055f * 0.8f);
    EXPECT_FLOAT_EQ(cube.FlySpin.x, 0.016f);
    EXPECT_EQ(cube.FlySpin.y, 0);
    EXPECT_FLOAT_EQ(cube.Rotation.x, 0.02f);
    // In the air nothing is damped.
    game().StepFlyAway();
    EXPECT_FLOAT_EQ(cube.FlyVelocity.x, 0.08f);
    EXPECT_FLOAT_EQ(cube.Position.z, 0.4f + 0.044f);
}

TEST_F(LevelEndTest, FlyAwayPatternsThrowOutwardsCrosswiseOrSlideRows) {
    game().StartGame();
    SetBoard({"1........", "1........", ".........", ".........", "....1....", ".........", ".........",
              ".........", "........1"});
    // Cubes at (-4, -4), (-4, -3), (0, 0) and (4, 4).
    game().StartFlyAway(3);
    EXPECT_FLOAT_EQ(game().Cubes[1].FlyVelocity.x, 0.07f);
    EXPECT_FLOAT_EQ(game().Cubes[2].FlyVelocity.x, -0.07f);
    EXPECT_EQ(game().Cubes[1].FlyAccel, (TVector{0, 0, 0}));

    game().StartFlyAway(4);
    EXPECT_NEAR(game().Cubes[1].FlyVelocity.x, -0.07f, 0.025f);
    EXPECT_NEAR(game().Cubes[3].FlyVelocity.x, 0.035f, 0.025f);
    EXPECT_NEAR(game().Cubes[4].FlyVelocity.y, 0.07f, 0.025f);
    EXPECT_EQ(game().Cubes[4].FlyAccel, (TVector{0, 0, -0.005f}));

    SetBoard({"1........", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........1"});
    game().Cubes[1].Position = {-4, 3, 0.4f};
    game().StartFlyAway(2); // x follows y
    EXPECT_NEAR(game().Cubes[1].FlyVelocity.x, 0.07f, 0.025f);
    EXPECT_NEAR(game().Cubes[1].FlyVelocity.y, -0.07f, 0.025f);
}

TEST_F(LevelEndTest, TheCameraBacksAwayCirclesAndComesBack) {
    TVector& eye = game().Camera.Eye;
    auto at = [&](double t) {
        game().Camera.Reset();
        game().SwingCamera(t);
        return eye;
    };
    game().Phase = phLevelCompleted;
    EXPECT_EQ(at(0), (TVector{-1.8f, -0.25f, 12.7f}));
    EXPECT_FLOAT_EQ(at(100).y, -5.25f);
    EXPECT_FLOAT_EQ(at(200).y, -10.25f);
    const TVector side = at(200 + 2600 / 4.0);
    EXPECT_NEAR(side.x, 8.2f, 1e-4);
    EXPECT_NEAR(side.y, -0.25f, 1e-4);
    EXPECT_NEAR(side.z, 1.7f, 1e-4);
    EXPECT_NEAR(at(1500).y, 9.75f, 1e-4);
    EXPECT_FLOAT_EQ(at(2800).y, -10.25f);
    EXPECT_FLOAT_EQ(at(3000).y, -0.25f);
    EXPECT_FLOAT_EQ(at(3000).z, 12.7f);

    game().Phase = phGameOver; // a slower, longer circle
    EXPECT_NEAR(at(200 + 5600 / 4.0).z, 1.7f, 1e-4);
    EXPECT_FLOAT_EQ(at(5800).y, -10.25f);
    EXPECT_FLOAT_EQ(at(6000).y, -0.25f);
}

TEST_F(LevelEndTest, AfterTheGameOverFlightTheHighScoresFollow) {
    game().StartGame();
    game().Update(16);
    while (game().FreeCount > 0) game().AddCube(static_cast<uint8_t>(1 + game().FreeCount % 5));
    ASSERT_TRUE(game().CheckGameOver(true));
    sound_.Clear();

    int frames = RunFrames(1000, 16, [&] { return GameState == gsGameOver; });
    EXPECT_NEAR(frames * 16, 6000 / 0.9, 16);
    EXPECT_EQ(game().Phase, phPlay);
    EXPECT_EQ(game().PhaseClock, 0);
    EXPECT_EQ(game().CubeCount, 0);
    EXPECT_EQ(game().Camera.Eye, (TVector{-1.8f, -0.25f, 12.7f}));
    const auto music = sound_.Mixer.CallsTo("IMXStreamPlay(");
    ASSERT_EQ(music.size(), 1u);
    EXPECT_EQ(music[0], "IMXStreamPlay(" + std::to_string(TRecordingMixer::FirstStream + 1) + ",0)");
    EXPECT_EQ(MenuTrack(), 2); // the menu's next pick is track 0
}

TEST_F(LevelEndTest, TheCubesStayWhereTheyAreDuringTheGameOverFlight) {
    game().StartGame();
    game().Update(16);
    RunFrames(20, 16);
    while (game().FreeCount > 0) game().AddCube(ckBlock);
    ASSERT_TRUE(game().CheckGameOver(true));
    std::vector<TVector> places;
    for (int i = 1; i <= game().CubeCount; ++i) places.push_back(game().Cubes[i].Position);
    RunFrames(200, 16);
    ASSERT_EQ(game().Phase, phGameOver);
    for (int i = 1; i <= game().CubeCount; ++i) {
        EXPECT_FLOAT_EQ(game().Cubes[i].Position.x, places[size_t(i - 1)].x);
        EXPECT_FLOAT_EQ(game().Cubes[i].Position.y, places[size_t(i - 1)].y);
    }
}

TEST_F(LevelEndTest, AGameThatIsOverTakesNoMoreTurns) {
    game().StartGame();
    game().Update(16);
    while (game().FreeCount > 0) game().AddCube(ckBlock);
    for (int i = 1; i <= game().CubeCount; ++i) game().Cubes[i].Kind = ckBlock; // no colour cube left
    ASSERT_TRUE(game().CheckGameOver(true));
    sound_.Clear();
    RunFrames(10, 16);
    EXPECT_EQ(Count(sound_.Played(), TSound::NewTurn), 0); // no "NewTurn" while the camera flies
}

TEST_F(LevelEndTest, UnderAMenuTheSelectionIsDroppedEveryFrame) {
    game().StartGame();
    SetBoard(BlocksLeft(0));
    game().SelectCube(1);
    game().Phase = phMenu;
    const double clock = game().PhaseClock;
    game().Update(16);
    EXPECT_EQ(game().Selected, 0);
    EXPECT_EQ(game().Cubes[1].State, csResting);
    EXPECT_EQ(game().PhaseClock, clock + 8);
}

} // namespace
} // namespace veltrane

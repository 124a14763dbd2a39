// The frame update: the first frame of a game, growth, turns under the pointer, moves that do
// and do not end the turn, removal, particles, the gauge and the timed mode's bank.
#include "FlowFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane {
namespace {
using namespace testing;

constexpr float Pi = std::numbers::pi_v<float>;

int Particles(const TGame& game, int list) {
    return game.Particles.Lists[size_t(list - 1)].Count();
}

bool Played(const TSoundRecorder& sound, TSound effect) {
    const auto played = sound.Played();
    return std::find(played.begin(), played.end(), effect) != played.end();
}

using UpdateTest = FlowTest;

TEST_F(UpdateTest, TheFirstFrameOfANewGameRevealsTheCubesAndAnnouncesTheNext) {
    game().StartGame();
    sound_.Clear();
    game().Update(16);
    EXPECT_EQ(CubesIn(csGrowing), 3);
    EXPECT_EQ(CubesIn(csAnnounced), 3);
    EXPECT_EQ(sound_.Played(), std::vector<TSound>{TSound::NewTurn});
    EXPECT_FALSE(game().BoardIdle);

    // About 200 ms later the first three stand on the board, blocking their cells.
    const int frames = RunFrames(100, 16, [&] { return CubesIn(csGrowing) == 0; });
    EXPECT_EQ(frames, 13);
    EXPECT_TRUE(game().BoardIdle);
    for (int i = 1; i <= 3; ++i) {
        const TCube& cube = game().Cubes[i];
        if (cube.State == csVanishing) continue; // a square may have formed
        EXPECT_EQ(cube.Scale, (TVector{0.8f, 0.8f, 0.8f}));
        EXPECT_EQ(cube.Position.z, 0.4f);
        EXPECT_EQ(game().BoardAt(cube.Cell()).Occupancy, ocOccupied);
    }
    EXPECT_EQ(CubesIn(csAnnounced), 3); // no further turn
    EXPECT_EQ(game().CheckBoardInvariants(), "");
}

TEST_F(UpdateTest, AGrowingCubeRestsTheFrameAfterItsGrowthPassesOne) {
    game().StartGame();
    SetBoard({"*........", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........1"});
    game().RevealAnnounced();
    game().Cubes[1].Anim = 0.99f;
    game().Update(4);
    EXPECT_EQ(game().Cubes[1].State, csGrowing);
    EXPECT_FLOAT_EQ(game().Cubes[1].Scale.x, 1.01f * 0.5f + 0.3f);
    EXPECT_FLOAT_EQ(game().Cubes[1].Position.z, 1.01f * 0.65f + 0.15f);
    game().Update(4);
    EXPECT_EQ(game().Cubes[1].State, csResting);
    EXPECT_EQ(game().Board[1][1].Occupancy, ocOccupied);
}

TEST_F(UpdateTest, AMoveThatScoresDoesNotEndTheTurn) {
    game().StartGame();
    SetBoard({"11.......", "1.1......", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    ASSERT_TRUE(StartMove(game(), CellWord(3, 2), CellWord(2, 2)));
    sound_.Clear();
    RunFrames(200, 16, [&] { return CubesIn(csMoving) == 0; });
    EXPECT_EQ(CubesIn(csVanishing), 4);
    EXPECT_EQ(CubesIn(csAnnounced), 0);
    EXPECT_FALSE(Played(sound_, TSound::NewTurn));
    EXPECT_EQ(game().Combo, 1);
    EXPECT_EQ(Particles(game(), 1), 4 * 36); // one burst for the four colour cubes
    game().Update(16);
    EXPECT_FALSE(game().BoardIdle); // while the square vanishes

    // The square shrinks away; the player moves again.
    RunFrames(200, 16, [&] { return game().CubeCount == 1; });
    EXPECT_EQ(game().CubeCount, 1);
    EXPECT_EQ(game().Cubes[1].Kind, 5);
    EXPECT_EQ(CubesIn(csAnnounced), 0);
    EXPECT_TRUE(game().BoardIdle);
    EXPECT_EQ(game().FreeCount, 80);
    EXPECT_EQ(game().CheckBoardInvariants(), "");
}

TEST_F(UpdateTest, AMoveThatScoresNothingEndsTheTurnAndTheCombo) {
    game().StartGame();
    SetBoard({"12.......", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    game().Combo = 2;
    ASSERT_TRUE(StartMove(game(), CellWord(2, 1), CellWord(2, 4)));
    sound_.Clear();
    RunFrames(200, 16, [&] { return CubesIn(csMoving) == 0; });
    EXPECT_EQ(game().Combo, 0);
    EXPECT_EQ(CubesIn(csAnnounced), 3);
    EXPECT_EQ(sound_.Played().back(), TSound::NewTurn);
    EXPECT_TRUE(game().BoardIdle);
    EXPECT_EQ(game().CheckBoardInvariants(), "");
}

TEST_F(UpdateTest, ACubeThatTakesTheRemovedOnesPlaceWaitsAFrame) {
    game().StartGame();
    SetBoard({"12*......", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    game().RevealAnnounced();
    game().SetCubeState(1, csGone);
    game().SetCubeState(2, csGrowing);
    game().Cubes[2].Anim = 0.5f;
    game().Cubes[3].Anim = 0.5f;
    game().Update(10);
    ASSERT_EQ(game().CubeCount, 3);
    EXPECT_EQ(game().Cubes[1].Kind, 2);
    EXPECT_EQ(game().Cubes[1].Anim, 0.5f);  // moved into the removed cube's place: not stepped
    EXPECT_EQ(game().Cubes[2].Anim, 0.55f); // the one after it is
    EXPECT_EQ(game().FreeCount, 81 - 3);
    EXPECT_EQ(game().CheckBoardInvariants(), "");
}

TEST_F(UpdateTest, ThePointerTurnsCubesButNotBlocksAndSpinsBombsOnce) {
    game().StartGame();
    SetBoard({"1BX......", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    PointerOver(CellWord(1, 1));
    game().Update(0);
    TCube& cube = game().Cubes[1];
    ASSERT_EQ(cube.State, csTurning);
    ASSERT_GE(cube.TurnAxis, 1);
    ASSERT_LE(cube.TurnAxis, 3);
    EXPECT_FLOAT_EQ(std::abs(cube.TurnTarget), Pi / 2); // a quarter turn from rest

    // Away from the pointer the turn runs out and stops exactly on its target.
    PointerOff();
    const float target = cube.TurnTarget;
    RunFrames(1000, 16, [&] { return cube.State == csResting; });
    const float angle = cube.TurnAxis == 1   ? cube.Rotation.x
                        : cube.TurnAxis == 2 ? cube.Rotation.y
                                             : cube.Rotation.z;
    EXPECT_EQ(angle, target);
    EXPECT_EQ(cube.Scale, (TVector{0.8f, 0.8f, 0.8f}));

    PointerOver(CellWord(2, 1));
    game().Update(0);
    EXPECT_EQ(game().Cubes[2].State, csTurning);
    EXPECT_EQ(game().Cubes[2].TurnAxis, 3);
    EXPECT_FLOAT_EQ(game().Cubes[2].TurnTarget, 2 * Pi);
    PointerOver(CellWord(3, 1));
    game().Update(0);
    EXPECT_EQ(game().Cubes[3].State, csResting);

    // Only in play.
    PointerOver(CellWord(9, 9));
    game().Phase = phLevelCompleted;
    game().Update(0);
    EXPECT_EQ(game().Cubes[4].State, csResting);
}

TEST_F(UpdateTest, ATwitchUnderThePointerRunsTenTimesAsFast) {
    game().StartGame();
    SetBoard({"1........", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    TCube& cube = game().Cubes[1];
    cube.TurnAxis = 3;
    cube.TurnDir = 1;
    cube.TurnTarget = Pi / 2;
    game().SetCubeState(1, csTwitching);
    game().Update(1);
    const float slow = cube.Rotation.z;
    cube.Rotation.z = 0;
    PointerOver(CellWord(1, 1));
    game().Update(1);
    EXPECT_NEAR(slow, 0.02f / Pi * (Pi / 2 + 0.01f), 1e-6);
    EXPECT_NEAR(cube.Rotation.z, 10 * slow, 1e-5);
}

TEST_F(UpdateTest, CubesThatStartVanishingTogetherBurstOnceEachByKind) {
    game().StartGame();
    SetBoard({"1JBXa2...", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    for (int i = 1; i <= 5; ++i) game().SetCubeState(i, csVanishing);
    game().Update(0);
    EXPECT_EQ(Particles(game(), 1), 36 + 36 + 36); // colour, joker, block
    EXPECT_EQ(Particles(game(), 2), 2 * 72);       // the bomb's ring and scatter
    EXPECT_EQ(Particles(game(), 3), 72);           // the colorize cube
    EXPECT_EQ(Particles(game(), 4), 17);           // the bomb's fuse, every frame
    // One more cube starting while the others still vanish gives no burst.
    game().SetCubeState(6, csVanishing);
    game().Update(0);
    EXPECT_EQ(Particles(game(), 1), 108);
    EXPECT_EQ(Particles(game(), 4), 34);
    // Fuse sparks go on in the sequences too.
    game().Phase = phGameOver;
    game().Update(0);
    EXPECT_EQ(Particles(game(), 4), 51);
}

TEST_F(UpdateTest, PointsFlowIntoTheGaugeAtAFifthOfAPointAMillisecond) {
    game().StartGame();
    game().PendingScore = 10;
    game().CountScore(false, 16);
    EXPECT_DOUBLE_EQ(game().PendingScore, 10 - 3.2);
    EXPECT_DOUBLE_EQ(game().TotalScore, 3.2);
    EXPECT_DOUBLE_EQ(game().CurrentLevel().Progress, 3.2);
    game().CountScore(false, 1000); // never more than is pending
    EXPECT_DOUBLE_EQ(game().PendingScore, 0);
    EXPECT_DOUBLE_EQ(game().TotalScore, 10);

    // On a bonus level of the timed mode points score but never refill the bank.
    game().GameMode = 2;
    game().Level = 5;
    game().CurrentLevel().Progress = 100;
    game().PendingScore = 50;
    game().CountScore(true, 0);
    EXPECT_DOUBLE_EQ(game().CurrentLevel().Progress, 100);
    EXPECT_DOUBLE_EQ(game().TotalScore, 60);
}

TEST_F(UpdateTest, TheTimedBankDrainsFasterAfterAMinuteAndEveryFifteenSeconds) {
    game().GameMode = 2;
    game().StartGame();
    SetBoard({"1........", ".........", ".........", ".........", ".........", ".........", ".........",
              ".........", "........5"});
    TLevel& level = game().CurrentLevel();
    level.Goal[2] = 1e12;
    level.Progress = 1e9;
    RunFrames(59, 1000);
    EXPECT_DOUBLE_EQ(level.TimeRate, 0.1);
    game().Update(1000);
    EXPECT_DOUBLE_EQ(level.TimeRate, 0.1 * 1.1);
    EXPECT_DOUBLE_EQ(game().TimeClock, 45000);
    RunFrames(14, 1000);
    EXPECT_DOUBLE_EQ(level.TimeRate, 0.1 * 1.1);
    game().Update(1000);
    EXPECT_DOUBLE_EQ(level.TimeRate, 0.1 * 1.1 * 1.1);
    EXPECT_DOUBLE_EQ(game().TimeClock, 45000);
    // The drain of each frame uses the rate before that frame's step.
    EXPECT_NEAR(level.Progress, 1e9 - 60 * 100 - 15 * 110, 1e-6);

    // An empty bank ends the game in the next frame.
    level.Progress = 50;
    sound_.Clear();
    game().Update(1000);
    EXPECT_EQ(game().Phase, phPlay);
    game().Update(16);
    EXPECT_EQ(game().Phase, phGameOver);
    EXPECT_EQ(sound_.Played().front(), TSound::GameOver);
}

} // namespace
} // namespace veltrane

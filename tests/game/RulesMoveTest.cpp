// A cube travelling along its path: motion, step sounds and arrival.
#include "GameFixture.h"

#include "platform/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veltrane {
namespace {
using namespace testing;

TPicture Row1(const std::string& row) {
    TPicture picture = EmptyPicture();
    picture[0] = row;
    return picture;
}

TEST(StepMove, InterpolatesBetweenMarkersAndHops) {
    auto game = GameWithBoard(Row1("1........"));
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(4, 1)));
    // Markers: (4,1) (3,1) (2,1) and the cube's own cell; MovePos runs from 4 down to 1.
    ASSERT_EQ(game->DotCount, 4);
    TCube& cube = game->Cubes[1];
    EXPECT_EQ(cube.MovePos, 4);

    game->StepMove(1, 50); // at MovePos 4: on its own cell
    EXPECT_FLOAT_EQ(cube.Position.x, -4);
    EXPECT_FLOAT_EQ(cube.MovePos, 4 - 0.7f);
    game->StepMove(1, 0); // MovePos 3.3: 0.3 of the way from (2,1) back to (1,1)
    EXPECT_FLOAT_EQ(cube.Position.x, -4 * 0.3f + -3 * 0.7f);
    EXPECT_FLOAT_EQ(cube.Position.y, -4); // same row: taken as it is
    EXPECT_NEAR(cube.Position.z, std::abs(std::sin(M_PI * 3.3 / 2)) + 0.4, 1e-5);
    EXPECT_EQ(game->Dots[3].Position.z, -1); // the marker left behind is hidden
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(StepMove, PlaysAStepSoundPerMarkerAndTheLastOneOnArrival) {
    TSoundRecorder sound;
    auto game = GameWithBoard(Row1("1B......."));
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(1, 4)));
    sound.Clear();
    RunMove(*game, 10);
    // Steps at MovePos 4, 3 and 2; the third brings StepMark to 1: "Moved".
    EXPECT_EQ(sound.Played(), (std::vector<TSound>{TSound::MoveCube, TSound::MoveCube, TSound::Moved}));

    ASSERT_TRUE(StartMove(*game, CellWord(2, 1), CellWord(2, 3)));
    sound.Clear();
    RunMove(*game, 10);
    EXPECT_EQ(sound.Played()[0], TSound::MoveBomb); // a bomb rolls with its own sound
}

TEST(StepMove, ArrivalTakesTheTargetFreesTheStartAndDropsTheSelection) {
    auto game = GameWithBoard(Row1("1........"));
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(3, 2)));
    const int frames = RunMove(*game, 16);
    EXPECT_EQ(frames, 14); // 3 steps at 0.014 positions per ms
    const TCube& cube = game->Cubes[1];
    EXPECT_EQ(cube.Cell(), CellWord(3, 2));
    EXPECT_EQ(cube.State, csResting);
    EXPECT_EQ(cube.Position, (TVector{-2, -3, 0.4f}));
    EXPECT_EQ(game->Selected, 0);
    EXPECT_EQ(game->DotCount, 0);
    EXPECT_EQ(game->Board[1][1].Occupancy, ocFree);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(StepMove, AnAnnouncedCubeOnTheTargetMakesWay) {
    auto game = GameWithBoard(Row1("1.*......"));
    RandSeed = 77;
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(3, 1)));
    RunMove(*game);
    EXPECT_EQ(game->Cubes[1].Cell(), CellWord(3, 1));
    const TCube& announced = game->Cubes[2];
    EXPECT_NE(announced.Cell(), CellWord(3, 1));
    EXPECT_EQ(announced.State, csAnnounced);
    EXPECT_FLOAT_EQ(announced.Position.z, 0.25f);
    EXPECT_FLOAT_EQ(announced.Position.x, static_cast<float>(announced.X - 5));
    EXPECT_EQ(game->BoardAt(announced.Cell()),
              (TBoardCell{ocReserved, 2, game->BoardAt(announced.Cell()).Distance}));
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(StepMove, AnnouncedCubeOnAFullBoardSwapsWithTheMover) {
    // Outside play the game-over test does not stop a move on a full board.
    TPicture picture(9, "XXXXXXXXX");
    picture[0] = "1*XXXXXXX";
    auto game = GameWithBoard(picture);
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(2, 1)));
    game->Phase = phMenu;
    RunMove(*game);
    EXPECT_EQ(game->Cubes[1].Cell(), CellWord(2, 1));
    EXPECT_EQ(game->Cubes[2].Cell(), CellWord(1, 1));
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(StepMove, AFullBoardEndsTheGameBeforeTheCubeMoves) {
    TPicture picture(9, "XXXXXXXXX");
    picture[0] = "1*XXXXXXX";
    auto game = GameWithBoard(picture);
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(2, 1)));
    game->StepMove(1, 10000);
    EXPECT_EQ(game->Phase, phGameOver);
    EXPECT_EQ(game->Cubes[1].Cell(), CellWord(1, 1));
}

TEST(StepMove, AnyFrameLengthStaysWithinTheMarkers) {
    // An endless frame arrives at once; nonsense lengths move nothing; none reads a marker
    // outside the list (the marker array throws on a bad index).
    for (float dt : {1e9f, std::numeric_limits<float>::infinity(), -500.0f, std::nanf("")}) {
        auto game = GameWithBoard(Row1("1........"));
        ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(9, 1)));
        game->Cubes[1].MovePos = 1e6f; // a position far past the markers
        ASSERT_NO_THROW(game->StepMove(1, dt)) << dt;
        if (dt > 0) {
            EXPECT_EQ(game->Cubes[1].Cell(), CellWord(9, 1)) << dt;
        } else {
            EXPECT_EQ(game->Cubes[1].State, csMoving) << dt;
            EXPECT_FLOAT_EQ(game->Cubes[1].Position.x, -4) << dt;
        }
        EXPECT_EQ(game->CheckBoardInvariants(), "");
    }
}

} // namespace
} // namespace veltrane

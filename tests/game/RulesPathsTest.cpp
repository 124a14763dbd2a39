// Selecting a cube, the distance waves and the path markers.
#include "GameFixture.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {
using namespace testing;

std::vector<TCellWord> MarkerCells(const TGame& game) {
    std::vector<TCellWord> cells;
    for (int k = 0; k < game.DotCount; ++k) cells.push_back(game.Dots[k].Cell);
    return cells;
}

TEST(SelectCube, SelectsOneCubeAndPutsTheFormerOneBack) {
    TSoundRecorder sound;
    auto game = GameWithBoard({"12.......", ".........", ".........", ".........", ".........", ".........",
                               ".........", ".........", "........."});
    game->SelectCube(1);
    game->Cubes[1].Position.z = 0.55f; // bobbing
    game->Cubes[1].Rotation.z = 1;
    game->SelectCube(2);
    EXPECT_EQ(game->Selected, 2);
    EXPECT_EQ(game->Cubes[2].State, csSelected);
    EXPECT_EQ(game->Cubes[1].State, csResting);
    EXPECT_EQ(game->Cubes[1].Position.z, 0.4f);
    EXPECT_EQ(game->Cubes[1].Rotation, (TVector{0, 0, 0}));
    EXPECT_EQ(sound.Played(), (std::vector<TSound>{TSound::SelectCube, TSound::SelectCube}));
    EXPECT_EQ(game->CheckBoardInvariants(), "");

    game->SelectCube(0);
    EXPECT_EQ(game->Selected, 0);
    EXPECT_EQ(game->StateCount[TGame::StateSlot(csSelected)], 0);
    EXPECT_EQ(sound.Played().size(), 2u); // deselecting is silent
}

TEST(SelectCube, DroppingTheSelectionLeavesAMovingCubeOnItsWay) {
    auto game = GameWithBoard({"1........", ".........", ".........", ".........", ".........", ".........",
                               ".........", ".........", "........."});
    ASSERT_TRUE(StartMove(*game, CellWord(1, 1), CellWord(4, 1)));
    game->StepMove(1, 50);
    game->SelectCube(0);
    EXPECT_EQ(game->Cubes[1].State, csMoving);
    RunMove(*game);
    EXPECT_EQ(game->Cubes[1].Cell(), CellWord(4, 1));
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(FindPaths, WavesGoAroundCubesAndThroughAnnouncedOnes) {
    auto game = GameWithBoard({"1X.......", ".X.......", "*X.......", ".........", ".........", ".........",
                               ".........", ".........", "........."});
    game->SelectCube(1);
    game->FindPaths();
    EXPECT_EQ(game->Board[1][1].Distance, 0); // the selected cube's own cell
    EXPECT_EQ(game->Board[1][2].Distance, 1);
    EXPECT_EQ(game->Board[1][3].Distance, 2); // announced: passable
    EXPECT_EQ(game->Board[1][3].Occupancy, ocReserved);
    EXPECT_EQ(game->Board[2][4].Distance, 4);
    EXPECT_EQ(game->Board[2][1].Distance, 0); // blocks stay unvisited
    EXPECT_EQ(game->Board[3][1].Distance, 8); // round the wall of blocks
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(FindPaths, CellsBeyondThirtyStepsAreUnreachable) {
    // A corridor that snakes from (1, 1) across the board.
    auto game = GameWithBoard({"1........", "XXXXXXXX.", ".........", ".XXXXXXXX", ".........", "XXXXXXXX.",
                               ".........", ".XXXXXXXX", "........."});
    game->SelectCube(1);
    game->FindPaths();
    EXPECT_EQ(game->Board[9][1].Distance, 8);
    EXPECT_EQ(game->Board[9][3].Distance, 10);
    EXPECT_EQ(game->Board[1][5].Distance, 20);
    EXPECT_EQ(game->Board[9][7].Distance, 30);
    EXPECT_EQ(game->Board[8][7].Distance, 0); // 31 steps away
    EXPECT_EQ(game->Board[1][9].Distance, 0);

    game->HoverCell = CellWord(9, 7);
    game->ShowPath();
    EXPECT_EQ(game->DotCount, 30);
    EXPECT_EQ(game->Dots[0].Kind, 2);
    EXPECT_EQ(game->Dots[29].Cell, CellWord(2, 1));
    game->HoverCell = CellWord(8, 7);
    game->ShowPath();
    ASSERT_EQ(game->DotCount, 1);
    EXPECT_EQ(game->Dots[0].Kind, 3);
    EXPECT_FALSE(StartMove(*game, CellWord(1, 1), CellWord(8, 7)));
}

TEST(ShowPath, StepsBackThroughRightThenLeftThenUpThenDown) {
    // Two cells from the cube at (5, 5), each target has two neighbours one step from it.
    auto game = GameWithBoard({".........", ".........", ".........", ".........", "....1....", ".........",
                               ".........", ".........", "........."});
    game->SelectCube(1);
    game->FindPaths();
    auto pathTo = [&](int x, int y) {
        game->HoverCell = CellWord(x, y);
        game->ShowPath();
        return MarkerCells(*game);
    };
    EXPECT_EQ(pathTo(4, 6), (std::vector<TCellWord>{CellWord(4, 6), CellWord(5, 6)})); // X + 1 before Y - 1
    EXPECT_EQ(pathTo(6, 6), (std::vector<TCellWord>{CellWord(6, 6), CellWord(5, 6)})); // X - 1 before Y - 1
    EXPECT_EQ(pathTo(4, 4), (std::vector<TCellWord>{CellWord(4, 4), CellWord(5, 4)})); // X + 1 before Y + 1
    EXPECT_EQ(pathTo(6, 4), (std::vector<TCellWord>{CellWord(6, 4), CellWord(5, 4)})); // X - 1 before Y + 1
    EXPECT_EQ(pathTo(4, 3), (std::vector<TCellWord>{CellWord(4, 3), CellWord(5, 3), CellWord(5, 4)}));
    EXPECT_EQ(game->Dots[1].Kind, 1);
    EXPECT_EQ(game->Dots[2].Position, (TVector{0, -1, 0.05f}));
    EXPECT_EQ(game->Dots[2].Scale, (TVector{0.9f, 0.9f, 1.0f}));

    game->HoverCell = CellWord(5, 5); // over a cube: no markers
    game->ShowPath();
    EXPECT_EQ(game->DotCount, 0);
}

} // namespace
} // namespace veltrane

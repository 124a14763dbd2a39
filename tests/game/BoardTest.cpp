#include "game/Game.h"
#include "platform/Random.h"

#include "GameTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace veltrane {
namespace {
using testing::NewGame;
using testing::PutCube;

TEST(ClearBoard, FreesEveryCellColumnByColumn) {
    auto game = NewGame();
    game->ClearBoard();
    PutCube(*game, CellWord(3, 4), 2, csSelected);
    game->Selected = 1;
    PutCube(*game, CellWord(5, 5), 8, csAnnounced);
    game->DotCount = 7;
    game->Board[6][2].Distance = 9;

    game->ClearBoard();
    EXPECT_EQ(game->CubeCount, 0);
    EXPECT_EQ(game->DotCount, 0);
    EXPECT_EQ(game->Selected, 0);
    ASSERT_EQ(game->FreeCount, 81);
    EXPECT_EQ(game->FreeCells[1], CellWord(1, 1));
    EXPECT_EQ(game->FreeCells[2], CellWord(1, 2));
    EXPECT_EQ(game->FreeCells[9], CellWord(1, 9));
    EXPECT_EQ(game->FreeCells[10], CellWord(2, 1));
    EXPECT_EQ(game->FreeCells[81], CellWord(9, 9));
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_EQ(game->StateCount[slot], 0);
        EXPECT_EQ(game->PrevStateCount[slot], 0);
    }
    EXPECT_EQ(game->Board[3][4], (TBoardCell{ocFree, 0, 0}));
    EXPECT_EQ(game->Board[5][5], (TBoardCell{ocFree, 0, 0}));
    EXPECT_EQ(game->Board[6][2].Distance, 9); // the last path search's waves stay
    EXPECT_EQ(game->CheckInvariants(), "");
}

TEST(CellWord, HoldsXInTheLowByteAndYInTheHighByte) {
    EXPECT_EQ(CellWord(3, 7), 0x0703);
    EXPECT_EQ(CellX(0x0703), 3);
    EXPECT_EQ(CellY(0x0703), 7);
    EXPECT_TRUE(CellOnBoard(CellWord(9, 1)));
    EXPECT_FALSE(CellOnBoard(CellWord(0, 5)));
    EXPECT_FALSE(CellOnBoard(CellWord(4, 10)));
    EXPECT_EQ(KindTextureSlot(1), 0);
    EXPECT_EQ(KindTextureSlot(17), 16);
    EXPECT_EQ(KindTextureSlot(18), 17);
    EXPECT_EQ(KindTextureSlot(0), 17);
}

TEST(TakeFreeCell, DrawsAnEntryAndShiftsTheRestDown) {
    auto game = NewGame();
    game->ClearBoard();
    RandSeed = 4242;
    // The draw, replayed from the same seed: Random(81) picks the entry.
    const uint32_t next = 4242u * 134775813u + 1u;
    const int k = static_cast<int>((uint64_t{next} * 81) >> 32) + 1;

    const TCellWord cell = game->TakeFreeCell();
    EXPECT_EQ(cell, CellWord((k - 1) / 9 + 1, (k - 1) % 9 + 1));
    EXPECT_EQ(RandSeed, next);
    ASSERT_EQ(game->FreeCount, 80);
    // Entries before k are untouched, entries after it moved down one place.
    for (int j = 1; j < k; ++j) EXPECT_EQ(game->FreeCells[j], CellWord((j - 1) / 9 + 1, (j - 1) % 9 + 1));
    for (int j = k; j <= 80; ++j) EXPECT_EQ(game->FreeCells[j], CellWord(j / 9 + 1, j % 9 + 1)) << j;
}

TEST(TakeFreeCell, GivesEveryCellOnceThenEndsTheGame) {
    auto game = NewGame();
    game->ClearBoard();
    RandSeed = 99;
    std::set<TCellWord> taken;
    for (int n = 1; n <= 81; ++n) {
        const TCellWord cell = game->TakeFreeCell();
        ASSERT_TRUE(CellOnBoard(cell)) << n;
        ASSERT_TRUE(taken.insert(cell).second) << "cell given twice";
        EXPECT_EQ(game->FreeCount, 81 - n);
        PutCube(*game, cell); // keeps cube and free counts adding up
        ASSERT_EQ(game->CheckInvariants(), "") << n;
    }
    EXPECT_EQ(game->Phase, phPlay);

    // The board is full: the next take ends the game and changes nothing, not even the seed.
    const uint32_t seed = RandSeed;
    EXPECT_EQ(game->TakeFreeCell(), 0);
    EXPECT_EQ(game->Phase, phGameOver);
    EXPECT_EQ(game->FreeCount, 0);
    EXPECT_EQ(RandSeed, seed);
    EXPECT_EQ(game->TakeFreeCell(), 0);
}

TEST(TakeFreeCell, LastCellIsReturnedThenNothingOutsidePlay) {
    auto game = NewGame();
    game->ClearBoard();
    for (int k = 81; k >= 2; --k) game->DropFreeCell(k);
    game->DropFreeCell(0); // entries outside the list are ignored
    game->DropFreeCell(2);
    ASSERT_EQ(game->FreeCount, 1);
    EXPECT_EQ(game->TakeFreeCell(), CellWord(1, 1));
    EXPECT_EQ(game->FreeCount, 0);

    // During a level-end sequence the game-over test does not look at the board; a full board
    // still gives no cell and the free list stays empty.
    game->Phase = phLevelCompleted;
    EXPECT_EQ(game->TakeFreeCell(), 0);
    EXPECT_EQ(game->FreeCount, 0);
    EXPECT_EQ(game->Phase, phLevelCompleted);
}

class RemoveCubeTest : public ::testing::Test {
protected:
    void SetUp() override {
        game->ClearBoard();
        PutCube(*game, CellWord(1, 1), 1, csResting);
        PutCube(*game, CellWord(2, 2), 2, csGone);
        PutCube(*game, CellWord(3, 3), 3, csSelected);
        PutCube(*game, CellWord(4, 4), 4, csAnnounced);
        game->Selected = 3;
        ASSERT_EQ(game->CheckInvariants(), "");
    }
    std::unique_ptr<TGame> game = NewGame();
};

TEST_F(RemoveCubeTest, LastCubeMovesNothingAndFreesItsCellAtTheEnd) {
    game->RemoveCube(4);
    EXPECT_EQ(game->CubeCount, 3);
    EXPECT_EQ(game->FreeCount, 78);
    EXPECT_EQ(game->FreeCells[78], CellWord(4, 4));
    EXPECT_EQ(game->Board[4][4], (TBoardCell{ocFree, 0, 0}));
    EXPECT_EQ(game->StateCount[1], 0);
    EXPECT_EQ(game->Cubes[3].Kind, 3);
    EXPECT_EQ(game->Selected, 3);
    EXPECT_EQ(game->CheckInvariants(), "");
}

TEST_F(RemoveCubeTest, MiddleCubeShiftsTheRestAndKeepsTheirBoardEntriesAndSelection) {
    game->Board[2][2].Distance = 5;
    game->RemoveCube(2);
    ASSERT_EQ(game->CubeCount, 3);
    EXPECT_EQ(game->Cubes[1].Kind, 1);
    EXPECT_EQ(game->Cubes[2].Kind, 3);
    EXPECT_EQ(game->Cubes[3].Kind, 4);
    EXPECT_EQ(game->FreeCells[game->FreeCount], CellWord(2, 2));
    EXPECT_EQ(game->Board[2][2], (TBoardCell{ocFree, 0, 5}));
    EXPECT_EQ(game->StateCount[9], 0);
    // The moved cubes are still found from their cells, and the selection follows its cube.
    EXPECT_EQ(game->Board[3][3].Cube, 2);
    EXPECT_EQ(game->Board[4][4].Cube, 3);
    EXPECT_EQ(game->Board[4][4].Occupancy, ocReserved);
    EXPECT_EQ(game->Selected, 2);
    EXPECT_EQ(game->CheckInvariants(), "");
}

TEST_F(RemoveCubeTest, RemovingTheSelectedCubeDropsTheSelection) {
    game->RemoveCube(3);
    EXPECT_EQ(game->Selected, 0);
    EXPECT_EQ(game->StateCount[5], 0);
    EXPECT_EQ(game->CheckInvariants(), "");
}

TEST_F(RemoveCubeTest, AnIndexOutsideTheListChangesNothing) {
    game->RemoveCube(0);
    game->RemoveCube(5);
    EXPECT_EQ(game->CubeCount, 4);
    EXPECT_EQ(game->FreeCount, 77);
}

TEST(CubeStates, EveryChangeMovesOneCount) {
    auto game = NewGame();
    game->ClearBoard();
    PutCube(*game, CellWord(5, 5), 1, csAnnounced);
    PutCube(*game, CellWord(6, 5), 1, csAnnounced);
    EXPECT_EQ(game->StateCount[1], 2);
    game->SetCubeState(1, csGrowing);
    game->SetCubeState(1, csResting);
    game->SetCubeState(2, csVanishing);
    game->SetCubeState(2, csGone);
    EXPECT_EQ(game->StateCount[1], 0);
    EXPECT_EQ(game->StateCount[2], 0);
    EXPECT_EQ(game->StateCount[3], 1);
    EXPECT_EQ(game->StateCount[9], 1);
    // Any state past 8 is counted with 8.
    game->SetCubeState(2, static_cast<TCubeState>(200));
    EXPECT_EQ(game->StateCount[9], 1);
    EXPECT_EQ(game->Cubes[2].State, 200);
    EXPECT_EQ(game->CheckInvariants(), "");
    game->RemoveCube(2);
    EXPECT_EQ(game->StateCount[9], 0);
}

TEST(CheckGameOver, BoardTestEndsTheGameOnAFullBoardOnly) {
    auto game = NewGame();
    game->ClearBoard();
    for (int k = 1; k <= 80; ++k) PutCube(*game, game->FreeCells[1]);
    EXPECT_FALSE(game->CheckGameOver(true));
    PutCube(*game, game->FreeCells[1]);
    ASSERT_EQ(game->FreeCount, 0);
    EXPECT_FALSE(game->CheckGameOver(false)); // mode 1 has no time bank
    EXPECT_EQ(game->Phase, phPlay);
    game->PhaseClock = 1234;
    EXPECT_TRUE(game->CheckGameOver(true));
    EXPECT_EQ(game->Phase, phGameOver);
    EXPECT_EQ(game->PhaseClock, 0);
    // Once over, every call answers at once and changes nothing.
    game->PhaseClock = 50;
    EXPECT_TRUE(game->CheckGameOver(false));
    EXPECT_TRUE(game->CheckGameOver(true));
    EXPECT_EQ(game->PhaseClock, 50);

    // More cubes than cells also ends it.
    auto crowded = NewGame();
    crowded->ClearBoard();
    crowded->CubeCount = 82;
    EXPECT_TRUE(crowded->CheckGameOver(true));
}

TEST(CheckGameOver, SequencesAndMenusAreNeverEnded) {
    auto game = NewGame();
    game->ClearBoard();
    game->FreeCount = 0;
    for (TPhase phase : {phLevelCompleted, phMenu}) {
        game->Phase = phase;
        EXPECT_FALSE(game->CheckGameOver(true));
        EXPECT_EQ(game->Phase, phase);
    }
}

TEST(CheckGameOver, TimedModeEndsWhenTheBankIsEmptyOutsideBonusLevels) {
    auto game = NewGame();
    game->ClearBoard();
    game->GameMode = 2;
    game->Level = 3;
    game->Levels[3].Progress = 0;
    EXPECT_FALSE(game->CheckGameOver(false));
    game->Levels[5].LevelType = ltBonus;
    game->Levels[5].Progress = -1;
    game->Level = 5;
    EXPECT_FALSE(game->CheckGameOver(false)); // the bonus level ends its own way
    game->Levels[3].Progress = -0.001;
    game->Level = 3;
    EXPECT_FALSE(game->CheckGameOver(true)); // the board test looks at the board only
    game->GameMode = 1;
    EXPECT_FALSE(game->CheckGameOver(false));
    game->GameMode = 2;
    EXPECT_TRUE(game->CheckGameOver(false));
    EXPECT_EQ(game->Phase, phGameOver);
}

TEST(CheckInvariants, NamesTheFirstBrokenRule) {
    auto game = NewGame();
    game->ClearBoard();
    PutCube(*game, CellWord(2, 3));
    PutCube(*game, CellWord(4, 5));
    ASSERT_EQ(game->CheckInvariants(), "");

    auto broken = [&](auto change) {
        auto copy = NewGame();
        copy->ClearBoard();
        PutCube(*copy, CellWord(2, 3));
        PutCube(*copy, CellWord(4, 5));
        change(*copy);
        return copy->CheckInvariants();
    };
    EXPECT_EQ(broken([](TGame& g) { g.FreeCount -= 1; }), "CubeCount 2 + FreeCount 78 is not 81");
    EXPECT_EQ(broken([](TGame& g) { g.Cubes[2].SetCell(CellWord(2, 3)); }),
              "cubes 1 and 2 share the cell (2, 3)");
    EXPECT_EQ(broken([](TGame& g) { g.FreeCells[1] = CellWord(4, 5); }),
              "FreeCells[1] holds (4, 5) of cube 2");
    EXPECT_EQ(broken([](TGame& g) { g.FreeCells[2] = g.FreeCells[1]; }), "FreeCells holds (1, 1) twice");
    EXPECT_EQ(broken([](TGame& g) { g.Cubes[1].State = csMoving; }),
              "StateCount[3] is 2 but 1 cubes are in that state");
    EXPECT_EQ(broken([](TGame& g) {
                  g.SetCubeState(1, csSelected);
                  g.SetCubeState(2, csSelected);
                  g.Selected = 1;
              }),
              "more than one cube is selected");
    EXPECT_EQ(broken([](TGame& g) { g.SetCubeState(2, csSelected); }),
              "cube 2 is selected but Selected is 0");
    EXPECT_EQ(broken([](TGame& g) { g.Cubes[1].X = 0; }), "cube 1 stands on (0, 3), off the board");
}

TEST(TLevel, LampCountFollowsLampsOff) {
    TLevel level;
    const std::pair<int, int> cases[] = {{0, 5}, {3, 2}, {5, 0}, {6, 5}, {7, 5}, {255, 5}};
    for (auto [off, lamps] : cases) {
        level.LampsOff = static_cast<uint8_t>(off);
        EXPECT_EQ(level.LampCount(), lamps) << off;
    }
}

TEST(TRangeArray, IndexesFromItsLowBoundAndRejectsOthers) {
    TRangeArray<int, 0, 80> dots;
    dots[0] = 1;
    dots[80] = 2;
    EXPECT_EQ(*dots.begin(), 1);
    EXPECT_EQ(*(dots.end() - 1), 2);
    EXPECT_THROW(dots[81], std::out_of_range);
    TRangeArray<int, 1, 9> counts;
    EXPECT_THROW(counts[0], std::out_of_range);
    EXPECT_NO_THROW(counts[9]);
}

} // namespace
} // namespace veltrane

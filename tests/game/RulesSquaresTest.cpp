// The square search: which windows count, points, labels, sounds and the combo over moves.
#include "GameFixture.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {
using namespace testing;

TPicture Picture(std::initializer_list<std::string> firstRows) {
    TPicture picture = EmptyPicture();
    size_t y = 0;
    for (const std::string& row : firstRows) picture[y++] = row;
    return picture;
}

int Vanishing(const TGame& game) {
    return game.StateCount[TGame::StateSlot(csVanishing)];
}

TEST(FindSquares, OneSquareAfterAMoveStartsTheCombo) {
    TSoundRecorder sound;
    auto game = GameWithBoard(Picture({"33.......", "3........", "....3...."}));
    ASSERT_TRUE(PlayMove(*game, CellWord(5, 3), CellWord(2, 2)));
    EXPECT_EQ(Vanishing(*game), 4);
    EXPECT_EQ(game->Combo, 1);
    EXPECT_EQ(game->PendingScore, 40);
    EXPECT_FALSE(game->MoveBarren);
    EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"40"}));
    EXPECT_EQ(ScoreLabel(1).Position, (TVector{-5, -4, 1})); // the window at (1, 1)
    EXPECT_EQ(sound.Played().back(), TSound::FigureDone);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(FindSquares, OverlappingWindowsEachCount) {
    auto block = GameWithBoard(Picture({"222......", "222......", "222......"}));
    block->FindSquares();
    EXPECT_EQ(Vanishing(*block), 9);
    EXPECT_EQ(block->PendingScore, 4 * 40);
    EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"160"}));

    auto twoByThree = GameWithBoard(Picture({"55.......", "55.......", "55......."}));
    twoByThree->FindSquares();
    EXPECT_EQ(twoByThree->PendingScore, 2 * 40);
}

TEST(FindSquares, JokersStandInButSpecialsAndBlocksNever) {
    struct TCase {
        TPicture board;
        bool square;
    };
    const TCase cases[] = {
        {Picture({"2J", "22"}), true},  {Picture({"JJ", "J5"}), true},  {Picture({"JJ", "JJ"}), true},
        {Picture({"JB", "JJ"}), false}, {Picture({"XX", "XX"}), false}, {Picture({"BB", "BB"}), false},
        {Picture({"2J", "32"}), false}, {Picture({"22", "2*"}), false},
    };
    for (const TCase& c : cases) {
        TPicture board = c.board;
        for (size_t y = 0; y < 2; ++y) board[y] += std::string(7, '.');
        auto game = GameWithBoard(board);
        EXPECT_EQ(game->FindSquares(), c.square) << board[0] << "/" << board[1];
        EXPECT_EQ(Vanishing(*game), c.square ? 4 : 0) << board[0] << "/" << board[1];
    }
}

TEST(FindSquares, ConsecutiveScoringMovesRaiseTheCombo) {
    TSoundRecorder sound;
    // Five corners of colour 1, each waiting for a fourth cube brought in from row 9.
    auto game = GameWithBoard({"11.11.11.", "1..1..1..", ".........", "11.11....", "1..1.....", ".........",
                               ".........", ".........", "111111111"});
    const TCellWord targets[] = {CellWord(2, 2), CellWord(5, 2), CellWord(8, 2), CellWord(2, 5),
                                 CellWord(5, 5)};
    const int specialsDue[] = {0, 0, 1, 1, 2};
    const char* labels[] = {"40", "40x2", "40x3", "40x4", "40x5"};
    const char* messages[] = {"", "Double score", "Triple score", "Quadro score", "5x score"};
    const TSound sounds[] = {TSound::FigureDone, TSound::vDouble, TSound::vTriple, TSound::vQuadro,
                             TSound::vExcellent};
    double pending = 0;
    for (int move = 1; move <= 5; ++move) {
        ClearScoreLabels();
        sound.Clear();
        ASSERT_TRUE(PlayMove(*game, CellWord(move, 9), targets[move - 1])) << move;
        EXPECT_EQ(game->Combo, move);
        pending += 40 * move;
        EXPECT_EQ(game->PendingScore, pending) << move;
        EXPECT_EQ(game->SpecialsDue, specialsDue[move - 1]) << move;
        const auto texts = LabelTexts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0], labels[move - 1]);
        if (move > 1) {
            ASSERT_EQ(texts.size(), 2u);
            EXPECT_EQ(texts[1], messages[move - 1]);
            EXPECT_EQ(ScoreLabel(2).Font, 1);
            EXPECT_EQ(ScoreLabel(2).Colour, 3);
        }
        EXPECT_EQ(sound.Played().back(), sounds[move - 1]) << move;
        RemoveVanished(*game);
        EXPECT_EQ(game->CheckBoardInvariants(), "");
    }
}

TEST(FindSquares, TwoSquaresAtComboTwoShowTheirSumTimesTheCombo) {
    auto game = GameWithBoard(Picture({"11.......", "11.......", "11......."}));
    game->Combo = 1;
    game->StateCount[TGame::StateSlot(csMoving)] = 0;
    game->PrevStateCount[TGame::StateSlot(csMoving)] = 1; // a move has just ended
    game->FindSquares();
    EXPECT_EQ(game->Combo, 2);
    EXPECT_EQ(game->PendingScore, 160);
    EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"80x2", "Double score"}));
}

TEST(FindSquares, ABarrenMoveEndsTheComboButABombKeepsIt) {
    auto game = GameWithBoard(Picture({"1........", ".........", ".........", "B2......."}));
    game->Combo = 3;
    ASSERT_TRUE(PlayMove(*game, CellWord(1, 4), CellWord(1, 2))); // the bomb clears MoveBarren
    EXPECT_EQ(game->Combo, 3);
    EXPECT_EQ(game->PendingScore, 2 * 15);
    RemoveVanished(*game);

    game->AddCube(4);
    const TCellWord from = game->Cubes[game->CubeCount].Cell();
    TCellWord to = 0;
    for (int k = 1; k <= game->FreeCount && to == 0; ++k) {
        game->SelectCube(game->CubeCount);
        game->FindPaths();
        if (game->BoardAt(game->FreeCells[k]).Distance != 0) to = game->FreeCells[k];
    }
    ASSERT_TRUE(PlayMove(*game, from, to));
    EXPECT_EQ(game->Combo, 0);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(FindSquares, SquaresOfGrowingCubesScoreWithoutRaisingTheCombo) {
    auto game = GameWithBoard(Picture({"66.......", "66......."}));
    game->Combo = 2;
    game->FindSquares(); // no move has ended
    EXPECT_EQ(game->Combo, 2);
    EXPECT_EQ(game->PendingScore, 80);
    EXPECT_EQ(game->SpecialsDue, 0);
}

} // namespace
} // namespace veltrane

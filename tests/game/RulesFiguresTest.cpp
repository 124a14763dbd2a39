// The bonus figure: finding it on the board and choosing the next one.
#include "GameFixture.h"

#include "platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace veltrane {
namespace {
using namespace testing;

// Figure k of the game: its grid as rows from row 1 up, '0' for no cube.
void SetFigure(TGame& game, int k, const std::vector<std::string>& rows, int colours, double value) {
    TBonusFigure& f = game.Figures[k];
    f = TBonusFigure{};
    f.Height = static_cast<uint8_t>(rows.size());
    f.Width = static_cast<uint8_t>(rows[0].size());
    f.Colours = static_cast<uint8_t>(colours);
    f.BaseValue = value;
    f.Value = value;
    for (int r = 1; r <= f.Height; ++r)
        for (int c = 1; c <= f.Width; ++c) {
            const uint8_t kind =
                static_cast<uint8_t>(rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)] - '0');
            f.Cubes[c][r].Kind = kind;
            f.Cubes[c][r].ShownKind = kind;
        }
    game.FigureCount = std::max(game.FigureCount, k);
}

TEST(MatchFigure, FindsTheFigureWithJokersAndScoresItsValue) {
    TSoundRecorder sound;
    // The figure "12" over "3." rebuilt at (5, 6) with a joker for the 3; the lone 2 beside it
    // is no part of it.
    auto game = GameWithBoard({".........", ".........", ".........", ".........", ".........", "....12...",
                               "....J.2..", ".........", "........."});
    SetFigure(*game, 1, {"12", "30"}, 3, 250);
    game->Figure = 1;
    game->CurrentLevel().FigureFirst = 1;
    game->CurrentLevel().FigureLast = 1;
    EXPECT_FALSE(game->FindSquares());
    EXPECT_EQ(game->StateCount[TGame::StateSlot(csVanishing)], 3);
    EXPECT_EQ(game->Cubes[game->CubeOn(CellWord(7, 7))].State, csResting);
    EXPECT_EQ(game->PendingScore, 250);
    EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"BONUS", "250"}));
    EXPECT_EQ(ScoreLabel(1).Position, (TVector{0, 2, 1})); // the last place, (6, 6)
    EXPECT_EQ(game->SpecialsDue, 1);                       // a new figure is announced
    const auto played = sound.Played();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_TRUE(played[0] == TSound::vExcellent || played[0] == TSound::vQuillomar);
    EXPECT_EQ(played[1], TSound::ShowBonus);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(MatchFigure, WrongColoursOrNoFigureFindNothing) {
    auto game = GameWithBoard({"12.......", "4........", ".........", ".........", ".........", ".........",
                               ".........", ".........", "........."});
    EXPECT_FALSE(game->MatchFigure()); // no figures read
    SetFigure(*game, 1, {"12", "30"}, 3, 250);
    game->Figure = 1;
    EXPECT_FALSE(game->MatchFigure());
    // A figure whose every place was shifted out asks for nothing and is never found.
    for (auto& column : game->Figures[1].Cubes)
        for (auto& place : column) place.ShownKind = 0;
    EXPECT_FALSE(game->MatchFigure());
    EXPECT_EQ(game->PendingScore, 0);
}

TEST(PickFigure, ShiftsColoursWithinTheLevelAndRoundsTheValueHalvesToEven) {
    auto game = GameWithBoard(EmptyPicture());
    SetFigure(*game, 1, {"12", "30"}, 3, 252.5);
    TLevel& level = game->CurrentLevel();
    level.FigureFirst = 1;
    level.FigureLast = 1;
    level.Colours[1] = 5;
    std::set<int> shifts;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        RandSeed = seed;
        game->PickFigure(false);
        const TBonusFigure& f = game->Figures[1];
        const int s = f.Cubes[1][1].ShownKind - 1;
        shifts.insert(s);
        EXPECT_EQ(f.Cubes[2][1].ShownKind, 2 + s);
        EXPECT_EQ(f.Cubes[1][2].ShownKind, 3 + s);
        EXPECT_EQ(f.Cubes[2][2].ShownKind, 0);
    }
    EXPECT_EQ(shifts, (std::set<int>{0, 1})); // five colours, a figure of three: shift 0 or 1
    EXPECT_EQ(game->Figures[1].Value, 252);   // 252.5 to the even neighbour
    level.FigureRate = 0.2;
    game->Figures[1].BaseValue = 250;
    game->PickFigure(false);
    EXPECT_EQ(game->Figures[1].Value, 300);
    level.FigureRate = 0;
    game->Figures[1].BaseValue = 253.5;
    game->PickFigure(false);
    EXPECT_EQ(game->Figures[1].Value, 254);
}

TEST(PickFigure, ColoursBeyondTheLevelGiveNoShiftAndPlacesPastSevenStayEmpty) {
    auto game = GameWithBoard(EmptyPicture());
    SetFigure(*game, 1, {"1234"}, 4, 100);
    SetFigure(*game, 2, {"67"}, 2, 100);
    TLevel& level = game->CurrentLevel();
    level.Colours[1] = 3;
    level.FigureFirst = level.FigureLast = 1;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        RandSeed = seed;
        game->PickFigure(false);
        EXPECT_EQ(game->Figures[1].Cubes[4][1].ShownKind, 4);
    }
    // A shift that pushes a colour past 7 leaves that place empty.
    level.Colours[1] = 7;
    level.FigureFirst = level.FigureLast = 2;
    bool shiftedOut = false;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        RandSeed = seed;
        game->PickFigure(false);
        const auto& f = game->Figures[2];
        if (f.Cubes[1][1].ShownKind == 7) {
            EXPECT_EQ(f.Cubes[2][1].ShownKind, 0);
            shiftedOut = true;
        }
    }
    EXPECT_TRUE(shiftedOut);
}

TEST(PickFigure, TheLevelsRangeIsKeptWithinTheFiguresRead) {
    auto game = GameWithBoard(EmptyPicture());
    for (int k = 1; k <= 3; ++k) SetFigure(*game, k, {"1"}, 1, 10);
    TLevel& level = game->CurrentLevel();
    level.FigureFirst = 2;
    level.FigureLast = 30;
    std::set<int> picked;
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        RandSeed = seed;
        game->PickFigure(false);
        picked.insert(game->Figure);
    }
    EXPECT_EQ(level.FigureLast, 3); // lowered in the level table
    EXPECT_EQ(picked, (std::set<int>{2, 3}));

    level.FigureFirst = 9; // above the figures read
    game->PickFigure(false);
    EXPECT_EQ(game->Figure, 3);

    game->FigureCount = 0;
    game->SpecialsDue = 0;
    game->PickFigure(true);
    EXPECT_EQ(game->Figure, 0);
    EXPECT_EQ(game->SpecialsDue, 1);
    EXPECT_FALSE(game->MatchFigure());
}

} // namespace
} // namespace veltrane

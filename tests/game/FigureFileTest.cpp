#include "game/Game.h"
#include "platform/TextReader.h"

#include "GameTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace veltrane {
namespace {
using testing::FigureLines;
using testing::Join;
using testing::NewGame;
using testing::TFigureSpec;

void LoadFigureText(TGame& game, const std::string& text) {
    TTextReader reader = TTextReader::FromText("data/BonusFigures.dat", text);
    game.LoadFigures(reader);
}

// The kinds of a figure's grid, row by row, as digits.
std::string GridOf(const TBonusFigure& figure) {
    std::string text;
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) text += char('0' + figure.Cubes[column][row].Kind);
        if (row < 4) text += '/';
    }
    return text;
}

std::string RejectedFigures(const std::string& text) {
    auto game = NewGame();
    LoadFigureText(*game, Join(FigureLines({TFigureSpec{}, TFigureSpec{}})));
    try {
        LoadFigureText(*game, text);
    } catch (const TFileError& e) {
        EXPECT_EQ(game->FigureCount, 2);
        EXPECT_EQ(GridOf(game->Figures[2]), "0110/1221/0000/0000") << "table changed by a rejected file";
        EXPECT_EQ(game->Figures[3].Width, 0);
        return e.what();
    }
    ADD_FAILURE() << "file accepted";
    return "";
}

TEST(FigureFile, ReadsValuesAndTheFullGrid) {
    TFigureSpec small;
    small.Colours = 3;
    small.Width = 2;
    small.Height = 3;
    small.Value = "1.25e2";
    small.Grid = {"0110 trailing", "7890", "3300", "0004"};
    auto game = NewGame();
    LoadFigureText(*game, Join(FigureLines({TFigureSpec{}, small})));

    ASSERT_EQ(game->FigureCount, 2);
    const TBonusFigure& f = game->Figures[2];
    EXPECT_EQ(f.Colours, 3);
    EXPECT_EQ(f.Width, 2);
    EXPECT_EQ(f.Height, 3);
    EXPECT_DOUBLE_EQ(f.BaseValue, 125.0);
    // "0110": empty, colour 1, colour 1, empty; 8, 9 and 0 are empty places. Places outside the
    // used width and height are read all the same.
    EXPECT_EQ(GridOf(f), "0110/7000/3300/0004");
    EXPECT_EQ(f.Cubes[2][1].ShownKind, 1);
    EXPECT_EQ(f.Cubes[4][4].ShownKind, 4);
    EXPECT_EQ(GridOf(game->Figures[1]), "0110/1221/0000/0000");
    EXPECT_DOUBLE_EQ(game->Figures[1].BaseValue, 250.0);
}

TEST(FigureFile, PlacesTheFigureLeftOfTheBoard) {
    TFigureSpec figure;
    figure.Width = 2;
    figure.Height = 3;
    auto game = NewGame();
    LoadFigureText(*game, Join(FigureLines({figure})));
    const TBonusFigure& f = game->Figures[1];
    const TBonusCube& low = f.Cubes[1][1];
    EXPECT_NEAR(low.Position.x, -7.14, 1e-6);
    EXPECT_NEAR(low.Position.y, (1 - 1.5) * 0.46 - 2.32, 1e-6);
    EXPECT_FLOAT_EQ(low.Position.z, 0.2f);
    EXPECT_EQ(low.Scale, MakeVector(0.46f, 0.46f, 0.46f));
    const TBonusCube& high = f.Cubes[2][3];
    EXPECT_NEAR(high.Position.x, 0.46 - 7.14, 1e-6);
    EXPECT_NEAR(high.Position.y, 1.5 * 0.46 - 2.32, 1e-6);
    // The world matrix is built: scale on the diagonal, position in the fourth row.
    EXPECT_FLOAT_EQ(high.World(0, 0), 0.46f);
    EXPECT_FLOAT_EQ(high.World(3, 0), high.Position.x);
    EXPECT_FLOAT_EQ(high.World(3, 1), high.Position.y);
}

// A file of a plain figure and one changed by change.
std::string with(void (*change)(TFigureSpec&)) {
    std::vector<TFigureSpec> figures(2);
    change(figures[1]);
    return Join(FigureLines(figures));
}

TEST(FigureFile, BadFilesNameTheLineAndLeaveTheTableAlone) {
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Grid[2] = "01a0"; })),
              "data/BonusFigures.dat line 18: figure grid digit expected, found \"a\"");
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Grid[0] = "01"; })),
              "data/BonusFigures.dat line 16: figure grid digit expected, found the line end");
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Grid[1] = " 110"; })),
              "data/BonusFigures.dat line 17: figure grid digit expected, found \" \"");
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Width = 5; })),
              "data/BonusFigures.dat line 13: figure width 5 outside 1..4");
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Height = 0; })),
              "data/BonusFigures.dat line 14: figure height 0 outside 1..4");
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Colours = 9; })),
              "data/BonusFigures.dat line 12: figure colour count 9 outside 1..7");
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) { s.Value = "lots"; })),
              "data/BonusFigures.dat line 15: number expected, found \"lots\"");
    // Cubes only outside the used part leave nothing to build.
    EXPECT_EQ(RejectedFigures(with([](TFigureSpec& s) {
                  s.Width = 1;
                  s.Grid = {"0111", "0800", "0000", "0000"};
              })),
              "data/BonusFigures.dat line 16: figure 2 has no cube in its used part");

    auto count = [](const std::string& first) {
        auto lines = FigureLines({TFigureSpec{}});
        lines[0] = first;
        return Join(lines);
    };
    EXPECT_EQ(RejectedFigures(count("0")), "data/BonusFigures.dat line 1: figure count 0 outside 1..30");
    EXPECT_EQ(RejectedFigures(count("31")), "data/BonusFigures.dat line 1: figure count 31 outside 1..30");
    EXPECT_EQ(RejectedFigures(count("2")),
              "data/BonusFigures.dat line 11: number expected, found the end of the file");

    std::string cut = Join(FigureLines({TFigureSpec{}}));
    cut.resize(cut.size() - 4); // the last grid line loses "00\r\n"
    EXPECT_EQ(RejectedFigures(cut),
              "data/BonusFigures.dat line 10: character expected, found the end of the file");
}

TEST(FigureFile, ReadsTheDataFolderThroughTheResolver) {
    TempDir dir;
    CurrentDir here(dir.path());
    std::filesystem::create_directories("data");
    std::vector<TFigureSpec> figures(30);
    figures[29].Grid = {"7777", "0000", "0000", "0000"};
    std::ofstream("data/bonusfigures.dat", std::ios::binary) << Join(FigureLines(figures), "\n");
    auto game = NewGame();
    game->LoadFigures();
    EXPECT_EQ(game->FigureCount, 30);
    EXPECT_EQ(GridOf(game->Figures[30]), "7777/0000/0000/0000");
}

} // namespace
} // namespace veltrane

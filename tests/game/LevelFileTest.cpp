#include "game/Game.h"
#include "platform/TextReader.h"

#include "GameTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace veltrane {
namespace {
using testing::Join;
using testing::LevelLine;
using testing::LevelLines;
using testing::NewGame;

void LoadLevelText(TGame& game, const std::string& text) {
    TTextReader reader = TTextReader::FromText("data/Levels.dat", text);
    game.LoadLevels(reader);
}

// The error a bad levels text gives; the table must be left as it was.
std::string RejectedLevels(const std::string& text) {
    auto game = NewGame();
    LoadLevelText(*game, Join(LevelLines(50)));
    const auto before = game->Levels;
    try {
        LoadLevelText(*game, text);
    } catch (const TFileError& e) {
        EXPECT_TRUE(game->Levels == before) << "table changed by a rejected file";
        EXPECT_EQ(game->LevelCount, 50);
        return e.what();
    }
    ADD_FAILURE() << "file accepted";
    return "";
}

TEST(LevelFile, ReadsEveryFieldOfABlock) {
    auto lines = LevelLines(50);
    lines[LevelLine(7, 2)] = "263"; // byte fields keep the low 8 bits
    lines[LevelLine(7, 5)] = "258 cubes";
    lines[LevelLine(7, 13)] = "-3";
    lines[LevelLine(7, 9)] = "1.5e3 points";
    auto game = NewGame();
    LoadLevelText(*game, Join(lines));

    EXPECT_EQ(game->LevelCount, 50);
    const TLevel& level = game->Levels[7];
    EXPECT_EQ(level.LampsOff, 7);
    EXPECT_EQ(level.Colours[1], 6);
    EXPECT_EQ(level.Colours[2], 4);
    EXPECT_EQ(level.CubesPerTurn[1], 2);
    EXPECT_EQ(level.CubesPerTurn[2], 4);
    EXPECT_EQ(level.FigureFirst, 1);
    EXPECT_EQ(level.FigureLast, 12);
    EXPECT_DOUBLE_EQ(level.Goal[1], 1500.0);
    EXPECT_DOUBLE_EQ(level.Goal[2], 1007.0);
    EXPECT_DOUBLE_EQ(level.TimeRate, 0.008);
    EXPECT_EQ(level.JokerOdds, 27);
    EXPECT_EQ(level.ExtraQuota[1], -3);
    EXPECT_EQ(level.ExtraQuota[2], 14);
    EXPECT_TRUE(level.AllowBomb);
    EXPECT_FALSE(level.AllowShot);
    EXPECT_TRUE(level.AllowColorize);
    EXPECT_TRUE(game->Levels[8].AllowShot);
    EXPECT_DOUBLE_EQ(game->Levels[8].Goal[1], 800.5);
}

TEST(LevelFile, DerivedValuesFollowTheLevelNumber) {
    auto game = NewGame();
    LoadLevelText(*game, Join(LevelLines(50), "\n"));
    struct Expected {
        int level, type, cubePoints, squarePoints, clearBonus;
        double figureRate;
    };
    const Expected cases[] = {
        {1, 0, 15, 40, 300, 0.0},   {4, 1, 15, 40, 300, 0.0},   {5, 2, 20, 45, 400, 0.2},
        {9, 1, 20, 45, 400, 0.2},   {10, 2, 25, 50, 500, 0.4},  {11, 0, 25, 50, 500, 0.4},
        {49, 1, 60, 85, 1200, 1.8}, {50, 2, 65, 90, 1300, 2.0},
    };
    for (const auto& e : cases) {
        const TLevel& level = game->Levels[e.level];
        EXPECT_EQ(level.LevelType, e.type) << e.level;
        EXPECT_EQ(level.CubePoints, e.cubePoints) << e.level;
        EXPECT_EQ(level.SquarePoints, e.squarePoints) << e.level;
        EXPECT_EQ(level.ClearBonus, e.clearBonus) << e.level;
        EXPECT_DOUBLE_EQ(level.FigureRate, e.figureRate) << e.level;
        EXPECT_EQ(level.Progress, 0);
    }
}

TEST(LevelFile, BonusLevelGoalCountsItsCubes) {
    auto lines = LevelLines(50);
    lines[LevelLine(5, 5)] = "12";
    lines[LevelLine(5, 9)] = "99999";
    auto game = NewGame();
    LoadLevelText(*game, Join(lines));
    EXPECT_DOUBLE_EQ(game->Levels[5].Goal[1], 240.0); // 12 cubes of 20 points
    EXPECT_DOUBLE_EQ(game->Levels[5].Goal[2], 1005.0);
    // Level 10: 2 + 10 mod 3 = 3 cubes of 25 points.
    EXPECT_DOUBLE_EQ(game->Levels[10].Goal[1], 75.0);
    EXPECT_DOUBLE_EQ(game->Levels[4].Goal[1], 400.5); // not a bonus level
}

TEST(LevelFile, FiftyLevelsAreCompletedToAHundred) {
    auto game = NewGame();
    LoadLevelText(*game, Join(LevelLines(50)));
    ASSERT_EQ(game->LevelCount, 50);

    // Level 51 copies level 1 with every colour, more cubes and doubled goals.
    const TLevel& first = game->Levels[1];
    const TLevel& l51 = game->Levels[51];
    EXPECT_EQ(l51.Colours[1], 7);
    EXPECT_EQ(l51.Colours[2], 7);
    EXPECT_EQ(l51.CubesPerTurn[1], 6);
    EXPECT_EQ(l51.CubesPerTurn[2], 5);
    EXPECT_DOUBLE_EQ(l51.Goal[1], 2 * first.Goal[1]);
    EXPECT_DOUBLE_EQ(l51.Goal[2], 2 * first.Goal[2]);
    EXPECT_EQ(l51.LampsOff, first.LampsOff);
    EXPECT_EQ(l51.JokerOdds, first.JokerOdds);
    EXPECT_EQ(l51.ExtraQuota, first.ExtraQuota);
    EXPECT_EQ(l51.CubePoints, 15); // derived values come with the copy
    EXPECT_EQ(l51.ClearBonus, 300);

    // Level 60 copies bonus level 10 and keeps its cubes per turn and goals.
    const TLevel& tenth = game->Levels[10];
    const TLevel& l60 = game->Levels[60];
    EXPECT_EQ(l60.LevelType, ltBonus);
    EXPECT_EQ(l60.Colours[1], 7);
    EXPECT_EQ(l60.CubesPerTurn, tenth.CubesPerTurn);
    EXPECT_EQ(l60.Goal, tenth.Goal);
    EXPECT_EQ(l60.CubePoints, 25);

    EXPECT_EQ(game->Levels[99].CubesPerTurn[1], 10);
    EXPECT_EQ(game->Levels[99].CubesPerTurn[2], 9);
    EXPECT_EQ(game->Levels[99].LevelType, ltBeforeBonus);
    EXPECT_EQ(game->Levels[100].LevelType, ltBonus);
    EXPECT_EQ(game->Levels[100].CubePoints, 65);
}

TEST(LevelFile, LongerFilesCopyOnlyWhatTheyLack) {
    auto game = NewGame();
    LoadLevelText(*game, Join(LevelLines(60)));
    EXPECT_EQ(game->LevelCount, 60);
    EXPECT_EQ(game->Levels[55].CubePoints, 70); // read, with its own derived values
    EXPECT_EQ(game->Levels[55].Colours[1], 3 + 55 % 4);
    EXPECT_EQ(game->Levels[60].JokerOdds, 80);
    // Level 61 copies level 11.
    EXPECT_EQ(game->Levels[61].JokerOdds, 31);
    EXPECT_EQ(game->Levels[61].CubesPerTurn[1], 7);
    EXPECT_DOUBLE_EQ(game->Levels[61].Goal[1], 2 * 1100.5);

    auto full = NewGame();
    LoadLevelText(*full, Join(LevelLines(100)));
    EXPECT_EQ(full->Levels[100].JokerOdds, 120);
    EXPECT_EQ(full->Levels[99].Colours[1], 3 + 99 % 4);
}

TEST(LevelFile, FlagsAreTrueOnlyForALeadingOne) {
    const std::pair<std::string, bool> cases[] = {
        {"1", true},     {"1 and more text", true},
        {"10", true},    {"0", false},
        {"x1", false},   {" 1", false},
        {"\t1", false},  {"", false},
        {"true", false},
    };
    for (const auto& [line, expected] : cases) {
        auto lines = LevelLines(50);
        lines[LevelLine(3, 15)] = line;
        lines[LevelLine(3, 16)] = line;
        lines[LevelLine(3, 17)] = line;
        auto game = NewGame();
        LoadLevelText(*game, Join(lines));
        EXPECT_EQ(game->Levels[3].AllowBomb, expected) << '"' << line << '"';
        EXPECT_EQ(game->Levels[3].AllowShot, expected) << '"' << line << '"';
        EXPECT_EQ(game->Levels[3].AllowColorize, expected) << '"' << line << '"';
        // The flag line, even an empty one, does not swallow the next block's title.
        EXPECT_EQ(game->Levels[4].LampsOff, 4);
    }
}

TEST(LevelFile, BadFilesNameTheLineAndLeaveTheTableAlone) {
    auto with = [](int level, int line, const std::string& text) {
        auto lines = LevelLines(50);
        lines[LevelLine(level, line)] = text;
        return Join(lines);
    };
    EXPECT_EQ(RejectedLevels(with(2, 1, "Level\r\n12abc")),
              "data/Levels.dat line 20: number expected, found \"12abc\"");
    EXPECT_EQ(RejectedLevels(with(1, 3, "3x")), "data/Levels.dat line 4: number expected, found \"3x\"");
    EXPECT_EQ(RejectedLevels(with(1, 9, "1.5.0")),
              "data/Levels.dat line 10: number expected, found \"1.5.0\"");
    // Numbers skip line ends, so an empty value line shifts the values until a type clash.
    EXPECT_EQ(RejectedLevels(with(1, 12, "")), "data/Levels.dat line 27: number expected, found \"200.5\"");
    EXPECT_EQ(RejectedLevels(with(1, 3, "0")), "data/Levels.dat line 4: colour count 0 outside 1..7");
    EXPECT_EQ(RejectedLevels(with(50, 4, "8")), "data/Levels.dat line 838: colour count 8 outside 1..7");
    EXPECT_EQ(RejectedLevels(with(3, 7, "0")), "data/Levels.dat line 42: first figure 0 outside 1..30");
    EXPECT_EQ(RejectedLevels(with(3, 8, "256")),
              "data/Levels.dat line 43: last figure 0 below the first figure 1");

    auto count = [](const std::string& first) {
        auto lines = LevelLines(50);
        lines[0] = first;
        return Join(lines);
    };
    EXPECT_EQ(RejectedLevels(count("49")), "data/Levels.dat line 1: level count 49 outside 50..100");
    EXPECT_EQ(RejectedLevels(count("101")), "data/Levels.dat line 1: level count 101 outside 50..100");
    EXPECT_EQ(RejectedLevels(count("fifty")), "data/Levels.dat line 1: number expected, found \"fifty\"");
    EXPECT_EQ(RejectedLevels(""), "data/Levels.dat line 1: number expected, found the end of the file");

    // Early ends: a block cut after its title, and a file that stops before its last flag.
    auto lines = LevelLines(50);
    lines.resize(LevelLine(50, 1) + 1);
    EXPECT_EQ(RejectedLevels(Join(lines)),
              "data/Levels.dat line 836: number expected, found the end of the file");
    std::string text = Join(LevelLines(50));
    text.resize(text.size() - std::string("1 colorize\r\n").size());
    EXPECT_EQ(RejectedLevels(text),
              "data/Levels.dat line 851: character expected, found the end of the file");
    // Without its last line end the file is complete.
    text = Join(LevelLines(50));
    text.resize(text.size() - 2);
    auto game = NewGame();
    EXPECT_NO_THROW(LoadLevelText(*game, text));
}

TEST(LevelFile, ReadsTheDataFolderThroughTheResolver) {
    TempDir dir;
    CurrentDir here(dir.path());
    std::filesystem::create_directories("Data");
    std::ofstream("Data/levels.DAT", std::ios::binary) << Join(LevelLines(50));
    auto game = NewGame();
    game->LoadLevels();
    EXPECT_EQ(game->LevelCount, 50);
    EXPECT_EQ(game->Levels[12].JokerOdds, 32);

    auto fresh = NewGame();
    std::filesystem::remove_all("Data");
    try {
        fresh->LoadLevels();
        ADD_FAILURE() << "missing file accepted";
    } catch (const TFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("data/Levels.dat: cannot open file", 0), 0u) << e.what();
    }
    EXPECT_EQ(fresh->LevelCount, 0);
}

} // namespace
} // namespace veltrane

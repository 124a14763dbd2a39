// The level and bonus figure files: their exact shape, sane values, a difficulty curve that
// rises, features introduced one at a time, neighbouring levels that play differently, and the
// game's own reader accepting them.
#include "data/DataFiles.h"
#include "data/LevelTable.h"

#include "game/Game.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace veltrane::assetgen {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Level k's line j (both 1-based) as the file holds it.
struct LevelsFile {
    std::vector<std::string> lines = Lines(LevelsFileText());
    const std::string& At(int k, int j) const { return lines.at(static_cast<std::size_t>((k - 1) * 17 + j)); }
    double Number(int k, int j) const { return std::stod(At(k, j)); }
};

constexpr int kLevelCount = 100;

// The size_t index of level k (1-based) in DesignedLevels().
std::size_t At(int k) {
    return static_cast<std::size_t>(k - 1);
}

TEST(DataLevels, FileHasAHundredBlocksOfSeventeenLines) {
    const std::string text = LevelsFileText();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_EQ(text.back(), '\n');
    const LevelsFile f;
    ASSERT_EQ(DesignedLevels().size(), static_cast<std::size_t>(kLevelCount));
    ASSERT_EQ(f.lines.size(), 1u + kLevelCount * 17);
    EXPECT_EQ(f.lines[0], "100 levels");
    for (int k = 1; k <= kLevelCount; ++k) {
        EXPECT_EQ(f.At(k, 1).rfind("Level " + std::to_string(k), 0), 0u) << "title of level " << k;
        for (int j = 2; j <= 14; ++j) {
            std::size_t used = 0;
            EXPECT_NO_THROW((void)std::stod(f.At(k, j), &used)) << "level " << k << " line " << j;
        }
        for (int j = 15; j <= 17; ++j) EXPECT_TRUE(f.At(k, j)[0] == '0' || f.At(k, j)[0] == '1');
        // The lamp row fills up towards the bonus level.
        EXPECT_EQ(f.Number(k, 2), 4 - (k - 1) % 5) << "lamps of level " << k;
    }
}

TEST(DataLevels, EveryFifthLevelIsABonusLevelOfBlocksAndBombs) {
    const auto levels = DesignedLevels();
    for (int k = 1; k <= kLevelCount; ++k) {
        const LevelDesign& l = levels[At(k)];
        if (!IsBonusLevel(k)) continue;
        for (int m = 0; m < 2; ++m) {
            EXPECT_GE(l.CubesPerTurn[m], 4) << "blocks of bonus level " << k;
            EXPECT_LE(l.CubesPerTurn[m], 30) << "blocks of bonus level " << k;
            EXPECT_GE(l.ExtraQuota[m], 3) << "bombs of bonus level " << k;
            EXPECT_LE(l.ExtraQuota[m] * 4, l.CubesPerTurn[m] + 12) << "too many bombs on level " << k;
        }
        EXPECT_TRUE(l.AllowBomb);
        EXPECT_EQ(l.JokerOdds, 0);
        // Mode 2: the full bank drains away in a playable time (Goal over TimeRate, in seconds).
        const double seconds = l.Goal[1] / l.TimeRate / 1000;
        EXPECT_GE(seconds, 40) << "bonus level " << k;
        EXPECT_LE(seconds, 90) << "bonus level " << k;
    }
}

// Levels 1..50 climb one step at a time; from level 51 on each band of five brings its own mix, so
// there only the ranges hold.
TEST(DataLevels, NormalLevelsStayInSaneRangesAndGetHarder) {
    const auto levels = DesignedLevels();
    const LevelDesign* previous = nullptr;
    for (int k = 1; k <= kLevelCount; ++k) {
        const LevelDesign& l = levels[At(k)];
        if (IsBonusLevel(k)) continue;
        for (int m = 0; m < 2; ++m) {
            EXPECT_GE(l.Colours[m], 3) << k;
            EXPECT_LE(l.Colours[m], 7) << k;
            EXPECT_GE(l.CubesPerTurn[m], 2) << k;
            EXPECT_LE(l.CubesPerTurn[m], 6) << k;
            EXPECT_GE(l.ExtraQuota[m], 0) << k;
            EXPECT_LT(l.ExtraQuota[m], 20) << k; // 20 or more would never place a block
            EXPECT_GT(l.Goal[m], 0) << k;
        }
        // Mode 2 starts half full: points must refill at least a few hundred.
        EXPECT_GE(l.Goal[1], 400) << k;
        EXPECT_GT(l.TimeRate, 0) << k;
        EXPECT_LT(l.TimeRate, 0.02) << k;
        EXPECT_TRUE(l.JokerOdds == 0 || l.JokerOdds >= 5) << k;
        EXPECT_GE(l.FigureFirst, 1) << k;
        EXPECT_LE(l.FigureFirst, l.FigureLast) << k;
        EXPECT_LE(l.FigureLast, static_cast<int>(DesignedFigures().size())) << k;
        if (previous && k <= 50) {
            for (int m = 0; m < 2; ++m)
                EXPECT_GE(l.Colours[m], previous->Colours[m]) << "colours drop at " << k;
            EXPECT_GE(l.Goal[0], previous->Goal[0]) << "mode 1 goal drops at " << k;
            EXPECT_GE(l.TimeRate, previous->TimeRate) << "time rate drops at " << k;
            EXPECT_GE(l.FigureFirst, previous->FigureFirst) << k;
        }
        previous = &l;
    }
    const LevelDesign& first = levels[0];
    for (int k : {49, 99}) {
        const LevelDesign& last = levels[At(k)];
        EXPECT_GT(last.CubesPerTurn[0], first.CubesPerTurn[0]) << k;
        EXPECT_GT(last.Colours[0], first.Colours[0]) << k;
        EXPECT_GT(last.TimeRate, 5 * first.TimeRate) << k;
    }
    EXPECT_EQ(levels[At(99)].Colours, (std::array<int, 2>{7, 7})) << "the last levels bring every colour";
}

// What a player notices of a level besides its goal and its drain: colours and cubes a turn in
// either mode, jokers, blocks, the special cubes allowed and the figures offered.
auto PlayedMix(const LevelDesign& l) {
    return std::tuple(l.Colours, l.CubesPerTurn, l.JokerOdds, l.ExtraQuota, l.AllowBomb, l.AllowShot,
                      l.AllowColorize, l.FigureFirst, l.FigureLast);
}

TEST(DataLevels, NeighbouringNormalLevelsDifferInMoreThanTheGoal) {
    const auto levels = DesignedLevels();
    int previous = 0;
    for (int k = 1; k <= kLevelCount; ++k) {
        if (IsBonusLevel(k)) continue;
        if (previous) {
            EXPECT_NE(PlayedMix(levels[At(previous)]), PlayedMix(levels[At(k)])) << previous << " and " << k;
        }
        previous = k;
    }
}

// A new element or combination up to the last level: every band of ten levels holds a normal level
// whose colours, cubes a turn (both modes), jokers on or off, blocks (none, some, a storm of ten or
// more) and allowed special cubes were not played before; and the bonus levels get harder.
int Blocks(int quota) {
    return quota == 0 ? 0 : quota < 10 ? 1 : 2;
}

TEST(DataLevels, EveryTenLevelsBringANewCombination) {
    const auto levels = DesignedLevels();
    std::set<std::tuple<std::array<int, 2>, std::array<int, 2>, bool, int, bool, bool, bool>> seen;
    for (int band = 0; band < kLevelCount / 10; ++band) {
        bool fresh = false;
        for (int k = band * 10 + 1; k <= band * 10 + 10; ++k) {
            const LevelDesign& l = levels[At(k)];
            if (!IsBonusLevel(k))
                fresh |= seen.insert({l.Colours, l.CubesPerTurn, l.JokerOdds > 1, Blocks(l.ExtraQuota[0]),
                                      l.AllowBomb, l.AllowShot, l.AllowColorize})
                             .second;
        }
        EXPECT_TRUE(fresh) << "nothing new in levels " << band * 10 + 1 << ".." << band * 10 + 10;
    }
    // After level 50 each bonus level gives at least as many blocks per bomb as the one before it.
    for (int k = 55; k <= kLevelCount; k += 5)
        for (int m = 0; m < 2; ++m) {
            const LevelDesign& bonus = levels[At(k)];
            const LevelDesign& before = levels[At(k - 5)];
            EXPECT_GE(bonus.CubesPerTurn[m] * before.ExtraQuota[m],
                      before.CubesPerTurn[m] * bonus.ExtraQuota[m])
                << "bonus level " << k << " in mode " << m + 1;
        }
}

TEST(DataLevels, FeaturesArriveOneAtATime) {
    const auto levels = DesignedLevels();
    auto firstWith = [&](auto has) {
        for (int k = 1; k <= kLevelCount; ++k)
            if (!IsBonusLevel(k) && has(levels[At(k)])) return k;
        return 99;
    };
    const int bombs = firstWith([](const LevelDesign& l) { return l.AllowBomb; });
    const int jokers = firstWith([](const LevelDesign& l) { return l.JokerOdds > 1; });
    const int colorize = firstWith([](const LevelDesign& l) { return l.AllowColorize; });
    const int blocks = firstWith([](const LevelDesign& l) { return l.ExtraQuota[0] > 0; });
    const int shots = firstWith([](const LevelDesign& l) { return l.AllowShot; });
    const std::set<int> distinct{bombs, jokers, colorize, blocks, shots};
    EXPECT_EQ(distinct.size(), 5u) << "two features arrive on the same level";
    EXPECT_GT(bombs, 1);
    EXPECT_LT(bombs, blocks) << "blocks need bombs to clear them";
    EXPECT_LE(shots, 15);
}

// The figures a level offers must fit its colours in both modes.
TEST(DataLevels, OfferedFiguresFitTheLevelsColours) {
    const auto levels = DesignedLevels();
    const auto figures = DesignedFigures();
    for (int k = 1; k <= kLevelCount; ++k) {
        const LevelDesign& l = levels[At(k)];
        for (int f = l.FigureFirst; f <= l.FigureLast; ++f)
            EXPECT_LE(figures[static_cast<std::size_t>(f - 1)].Colours, std::min(l.Colours[0], l.Colours[1]))
                << "figure " << f << " on level " << k;
    }
    EXPECT_LE(levels[0].FigureLast, 4) << "the first level offers only easy figures";
}

TEST(DataFigures, ThirtyWellFormedFiguresFromEasyToHard) {
    const std::vector<std::string> lines = Lines(FiguresFileText());
    ASSERT_EQ(lines.size(), 1u + 30 * 9);
    EXPECT_EQ(lines[0], "30 figures");
    std::vector<double> values;
    for (int k = 1; k <= 30; ++k) {
        auto line = [&](int j) { return lines[static_cast<std::size_t>((k - 1) * 9 + j)]; };
        const int colours = std::stoi(line(2));
        const int width = std::stoi(line(3));
        const int height = std::stoi(line(4));
        const double value = std::stod(line(5));
        ASSERT_TRUE(width >= 1 && width <= 4 && height >= 1 && height <= 4) << k;
        int grid[5][5] = {};
        int cubes = 0;
        std::set<int> used;
        for (int r = 1; r <= 4; ++r) {
            const std::string row = line(5 + r);
            ASSERT_EQ(row.size(), 4u) << "figure " << k << " row " << r;
            for (int c = 1; c <= 4; ++c) {
                ASSERT_TRUE(row[c - 1] >= '0' && row[c - 1] <= '7') << k;
                const int colour = row[c - 1] - '0';
                if (colour == 0) continue;
                EXPECT_TRUE(c <= width && r <= height) << "figure " << k << " has a cube outside its size";
                grid[c][r] = colour;
                used.insert(colour);
                ++cubes;
            }
        }
        EXPECT_GE(cubes, 2) << k;
        // Colours 1..Colours, all of them used: the colour shift of a level then stays in range.
        EXPECT_EQ(static_cast<int>(used.size()), colours) << k;
        EXPECT_EQ(*used.rbegin(), colours) << k;
        // A one-colour 2 x 2 square would vanish before the figure could be matched.
        for (int c = 1; c < 4; ++c)
            for (int r = 1; r < 4; ++r)
                EXPECT_FALSE(grid[c][r] && grid[c][r] == grid[c + 1][r] && grid[c][r] == grid[c][r + 1] &&
                             grid[c][r] == grid[c + 1][r + 1])
                    << "figure " << k << " holds a square";
        EXPECT_GE(value, 10.0 * cubes) << k;
        values.push_back(value);
    }
    auto mean = [&](int from) {
        double sum = 0;
        for (int i = from; i < from + 10; ++i) sum += values[static_cast<std::size_t>(i)];
        return sum / 10;
    };
    EXPECT_LT(mean(0), mean(10));
    EXPECT_LT(mean(10), mean(20));
    EXPECT_EQ(lines[6 + 9 * 0], "1200") << "the first figure's bottom row";
}

TEST(DataFiles, TheGameReadsBothFilesAsWritten) {
    TempDir dir;
    MakeDataFiles(dir.path());
    std::ifstream in(dir.path() / "data" / "Levels.dat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              LevelsFileText());

    const auto owned = std::make_unique<TGame>(nullptr); // too large for the stack
    TGame& game = *owned;
    game.LoadLevels((dir.path() / "data" / "Levels.dat").string());
    game.LoadFigures((dir.path() / "data" / "BonusFigures.dat").string());
    EXPECT_EQ(game.LevelCount, kLevelCount);
    EXPECT_EQ(game.FigureCount, 30);
    const auto levels = DesignedLevels();
    for (int k = 1; k <= kLevelCount; ++k) {
        const LevelDesign& l = levels[At(k)];
        const TLevel& read = game.Levels[k];
        EXPECT_EQ(read.Colours[1], l.Colours[0]) << k;
        EXPECT_EQ(read.CubesPerTurn[2], l.CubesPerTurn[1]) << k;
        EXPECT_DOUBLE_EQ(read.TimeRate, l.TimeRate) << k;
        EXPECT_EQ(read.AllowShot, l.AllowShot) << k;
        EXPECT_EQ(read.ExtraQuota[2], l.ExtraQuota[1]) << k;
        EXPECT_LE(read.FigureLast, game.FigureCount) << k;
    }
    EXPECT_EQ(game.Levels[5].LevelType, 2);
    EXPECT_DOUBLE_EQ(game.Levels[5].Goal[1], levels[4].CubesPerTurn[0] * 20.0);
    // With all hundred levels in the file the reader's fill-up leaves them as designed, and the
    // derived values still follow the level's place.
    EXPECT_EQ(game.Levels[51].Colours[1], levels[50].Colours[0]);
    EXPECT_DOUBLE_EQ(game.Levels[99].Goal[1], levels[98].Goal[0]);
    EXPECT_EQ(game.Levels[99].LevelType, 1);
    EXPECT_EQ(game.Levels[100].LevelType, 2);
    EXPECT_EQ(game.Levels[100].ClearBonus, 100 * 20 + 300);
    EXPECT_DOUBLE_EQ(game.Levels[100].Goal[1], levels[99].CubesPerTurn[0] * (5.0 * 20 + 15));
    EXPECT_EQ(game.Figures[1].Width, 2);
    EXPECT_EQ(game.Figures[1].Cubes[1][1].Kind, 1);
    EXPECT_EQ(game.Figures[2].Cubes[1][2].Kind, 1); // "Tower pair": colour 1 on top
}

} // namespace
} // namespace veltrane::assetgen

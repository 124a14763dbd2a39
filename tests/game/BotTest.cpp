// Whole games played by the bot through the input handlers and the frame update, in both modes,
// with the board checked after every frame: levels are completed, bonus levels come and go,
// special cubes appear and are used, the timed game runs out of time, games end in game over.
#include "Bot.h"

#include "TempDir.h"
#include "data/DataFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <iostream>

namespace veltrane {
namespace {
using namespace bot;

const TBotData& DesignedData() {
    static const std::unique_ptr<TBotData> data =
        LoadBotData(assetgen::LevelsFileText(), assetgen::FiguresFileText());
    return *data;
}

// The CI games: fast frames, a frame cap of a bit over eight minutes of play; in the timed mode
// the bot thinks for a while before some moves, and every twentieth game starts at level 100 to
// wrap into the other mode.
TBotSetup CiSetup(uint32_t seed, int mode) {
    TBotSetup setup;
    setup.Seed = seed;
    setup.GameMode = mode;
    setup.FrameMs = 33;
    setup.MaxFrames = 15000;
    setup.ThinkMs = mode == 2 ? std::array<float, 4>{0, 1500, 4000, 8000}[seed % 4] : 0;
    setup.StartLevel = seed % 20 == 0 ? 100 : 1;
    return setup;
}

// The per-level results tell one story: levels follow each other (after 100: level 1 of the
// other mode), all but the last are completed, their frames add up to the game's.
std::string CheckLevels(const TBotGame& game) {
    if (game.Levels.empty()) return "no level";
    int64_t frames = 0;
    for (size_t k = 0; k < game.Levels.size(); ++k) {
        const TLevelResult& level = game.Levels[k];
        frames += level.Frames;
        if (k + 1 < game.Levels.size()) {
            const TLevelResult& next = game.Levels[k + 1];
            if (!level.Completed)
                return "level " + std::to_string(level.Level) + " left without completing it";
            const bool follows = next.Level == level.Level + 1 && next.GameMode == level.GameMode;
            const bool wraps = level.Level == MaxLevels && next.Level == 1 && next.GameMode != level.GameMode;
            if (!follows && !wraps)
                return "level " + std::to_string(next.Level) + " after " + std::to_string(level.Level);
        } else if (level.Completed) {
            return "the last level is completed";
        }
    }
    if (frames != game.Frames) return "level frames add up to " + std::to_string(frames);
    return "";
}

struct TModeStats {
    int Games = 0, GameOvers = 0, EndedByTime = 0, LevelsCompleted = 0, LevelReached = 0;
    int BonusStarted = 0, BonusCompleted = 0, Specials = 0, Bombs = 0, Colorizes = 0, Shots = 0;
    int Wrapped = 0;
    int FromLevelOne = 0;
};

// The sanitizer build runs several times slower; it plays a fifth of the games.
#ifdef VELTRANE_SANITIZED
constexpr uint32_t SeedsPerMode = 40;
#else
constexpr uint32_t SeedsPerMode = 100;
#endif

TEST(BotTest, PlaysManySeededGamesInBothModesWithoutABrokenInvariant) {
    std::array<TModeStats, 3> stats{};
    int faults = 0;
    for (int mode = 1; mode <= 2; ++mode) {
        for (uint32_t seed = 1; seed <= SeedsPerMode; ++seed) {
            const TBotSetup setup = CiSetup(seed, mode);
            const TBotGame game = PlayBotGame(DesignedData(), setup);
            const std::string story = CheckLevels(game);
            if ((game.End == TBotEnd::Violation || game.End == TBotEnd::Stuck || !story.empty()) &&
                ++faults <= 5)
                ADD_FAILURE() << "mode " << mode << " seed " << seed << ": " << EndName(game.End) << " "
                              << game.Violation << " " << story;
            TModeStats& s = stats[size_t(mode)];
            s.Games += 1;
            s.GameOvers += game.End == TBotEnd::GameOver;
            s.EndedByTime += game.EndedByTime;
            s.LevelsCompleted += game.LevelsCompleted();
            if (setup.StartLevel == 1) {
                s.FromLevelOne += 1;
                s.LevelReached += game.LevelReached();
            }
            s.BonusStarted += game.BonusLevelsStarted;
            s.BonusCompleted += game.BonusLevelsCompleted;
            s.Specials += game.SpecialsSeen;
            s.Bombs += game.BombsUsed;
            s.Colorizes += game.ColorizesUsed;
            s.Shots += game.ShotsFired;
            s.Wrapped += game.Levels.back().GameMode != mode;
        }
    }
    EXPECT_EQ(faults, 0);

    for (int mode = 1; mode <= 2; ++mode) {
        const TModeStats& s = stats[size_t(mode)];
        SCOPED_TRACE("mode " + std::to_string(mode));
        std::cout << "mode " << mode << ": " << s.Games << " games, " << s.GameOvers << " game over ("
                  << s.EndedByTime << " by time), average level reached from level 1 "
                  << double(s.LevelReached) / s.FromLevelOne << ", " << s.LevelsCompleted
                  << " levels completed, " << s.BonusCompleted << "/" << s.BonusStarted << " bonus levels, "
                  << s.Specials << " specials appeared; used " << s.Bombs << " bombs, " << s.Colorizes
                  << " colorize, " << s.Shots << " shots; " << s.Wrapped << " wrapped into the other mode\n";
        EXPECT_GT(s.GameOvers, s.Games / 3);
        EXPECT_GT(s.LevelsCompleted, 5 * s.Games);
        EXPECT_GT(s.BonusStarted, 0);
        EXPECT_GT(s.BonusCompleted, 0);
        EXPECT_GT(s.Specials, 0);
        EXPECT_GT(s.Bombs, 0);
        EXPECT_GT(s.Colorizes, 0);
        EXPECT_GT(s.Wrapped, 0) << "games from level 100 go on at level 1 of the other mode";
    }
    EXPECT_GT(stats[1].Shots + stats[2].Shots, 0);
    EXPECT_EQ(stats[1].EndedByTime, 0) << "only the timed game runs out of time";
    EXPECT_GT(stats[2].EndedByTime, 0);
}

TEST(BotTest, GamesSavedAndResumedInMidPlayGoOnUnharmed) {
    TempDir dir;
    CurrentDir cwd(dir.path());
    std::filesystem::create_directory(dir.path() / "data");
    int cycles = 0, completed = 0;
    for (int mode = 1; mode <= 2; ++mode)
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            TBotSetup setup = CiSetup(seed, mode);
            setup.SaveEvery = 97;
            const TBotGame game = PlayBotGame(DesignedData(), setup);
            EXPECT_NE(game.End, TBotEnd::Violation)
                << "mode " << mode << " seed " << seed << ": " << game.Violation;
            completed += game.LevelsCompleted();
            cycles += game.SaveCycles;
        }
    EXPECT_GT(cycles, 500);
    EXPECT_GT(completed, 40) << "play goes on through levels across the saves";
}

TEST(BotTest, ASeedReplaysTheSameGame) {
    const TBotSetup setup = CiSetup(7, 2);
    const TBotGame first = PlayBotGame(DesignedData(), setup);
    const TBotGame second = PlayBotGame(DesignedData(), setup);
    EXPECT_EQ(first.Frames, second.Frames);
    EXPECT_EQ(first.TotalScore, second.TotalScore);
    EXPECT_EQ(first.Levels.size(), second.Levels.size());
    EXPECT_EQ(first.SquareMoves, second.SquareMoves);
}

} // namespace
} // namespace veltrane

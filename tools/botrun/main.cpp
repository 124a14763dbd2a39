// botrun: plays many seeded games with the test bot and prints what happened per game and per
// level: how often each level is completed, its turns and its play time. Exit status 1 when an
// invariant broke in any game.
//
//   botrun [--games N] [--mode 1|2|both] [--start L] [--seed S] [--frames N] [--frame-ms MS]
//          [--think MS] [--data GAMEDIR] [--quiet] [--sweep FIRST-LAST] [--markdown] [--csv]
//
// --data reads GAMEDIR/data/Levels.dat and BonusFigures.dat instead of the designed tables.
// --sweep plays --games games started at each level FIRST..LAST on an empty board, each stopping
// when that one level ends (or --frames run out), and prints per level and mode how often it was
// completed, the median turns and the median minutes of game time of the completed plays.
// --markdown prints the sweep's table as a Markdown table; --csv prints it as comma-separated
// values (the input of levelplot).
// On a bonus level of mode 1 the sweep also counts the blocks each play left: started on an empty
// board, a play that left n of the level's B blocks scores B - n cubes' points for the blocks it blew
// up (bombs earn nothing there), plus the clear bonus of 20 - 5n cubes' points when n is at most 3.
// It prints how many plays earned that bonus and how many cleared every block.
#include "game/Bot.h"

#include "data/DataFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace veltrane;
using namespace veltrane::bot;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "botrun: cannot read %s\n", path.c_str());
        std::exit(2);
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct TLevelStats {
    int Played = 0, Completed = 0;
    long long Turns = 0, Frames = 0; // over the completed plays
};

template <typename T>
double Median(std::vector<T> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2;
}

// Blocks a mode 1 bonus play left, from its score (see above); B + 2 cubes' points or more can only
// come with the clear bonus.
int BlocksLeft(const TLevel& level, double score) {
    const int blocks = level.CubesPerTurn[1];
    const int points = static_cast<int>(score / level.CubePoints + 0.5);
    if (points >= blocks + 2) return (blocks + 20 - points) / 6;
    return blocks - points;
}

// One level and mode of a sweep.
struct TSweepRow {
    int Played = 0, Completed = 0, ByTime = 0, BoardFull = 0, Capped = 0;
    bool CountsBlocks = false;   // bonus levels of mode 1
    int Earned = 0, Cleared = 0; // plays that left at most three blocks, and none
    std::vector<int> Turns;
    std::vector<double> Minutes;
};

int Sweep(const TBotData& data, const std::string& modes, int firstLevel, int lastLevel, int games,
          uint32_t firstSeed, long long frames, float frameMs, float thinkMs, bool markdown, bool csv) {
    int violations = 0;
    std::map<std::pair<int, int>, TSweepRow> rows; // (level, mode)
    for (int level = firstLevel; level <= lastLevel; ++level)
        for (int mode = 1; mode <= 2; ++mode) {
            if (modes != "both" && modes != std::to_string(mode)) continue;
            TSweepRow& row = rows[{level, mode}];
            const TLevel& design = data.Levels[level];
            row.CountsBlocks = design.LevelType == ltBonus && mode == 1;
            for (int g = 0; g < games; ++g) {
                TBotSetup setup;
                setup.Seed = firstSeed + static_cast<uint32_t>(g);
                setup.GameMode = mode;
                setup.StartLevel = level;
                setup.MaxFrames = frames;
                setup.FrameMs = frameMs;
                setup.ThinkMs = thinkMs;
                setup.StopAfterLevels = 1;
                const TBotGame game = PlayBotGame(data, setup);
                if (game.End == TBotEnd::Violation) {
                    ++violations;
                    std::printf("level %d mode %d seed %u: %s\n", level, mode, setup.Seed,
                                game.Violation.c_str());
                }
                const TLevelResult& played = game.Levels.front();
                row.Played += 1;
                if (played.Completed) {
                    row.Completed += 1;
                    row.Turns.push_back(played.Turns);
                    row.Minutes.push_back(double(played.Frames) * frameMs / 60000);
                    if (row.CountsBlocks) {
                        const int left = BlocksLeft(design, played.ScoreAtEnd);
                        row.Earned += left <= 3;
                        row.Cleared += left == 0;
                    }
                } else if (game.End == TBotEnd::GameOver) {
                    (game.EndedByTime ? row.ByTime : row.BoardFull) += 1;
                } else {
                    row.Capped += 1;
                }
            }
            if (!markdown && !csv) {
                std::printf("level %2d mode %d: %3.0f%% completed, median %5.1f turns, %5.1f min; "
                            "lost %d board full, %d out of time, %d unfinished",
                            level, mode, 100.0 * row.Completed / row.Played, Median(row.Turns),
                            Median(row.Minutes), row.BoardFull, row.ByTime, row.Capped);
                if (row.CountsBlocks)
                    std::printf("; %d earned the clear bonus, %d cleared every block", row.Earned,
                                row.Cleared);
                std::printf("\n");
                std::fflush(stdout);
            }
        }
    if (markdown) {
        std::printf("| level | mode | completed %% | median turns | median minutes |\n");
        std::printf("|---:|---:|---:|---:|---:|\n");
        for (const auto& [key, row] : rows)
            std::printf("| %d%s | %d | %.0f | %.0f | %.1f |\n", key.first, key.first % 5 ? "" : " (bonus)",
                        key.second, 100.0 * row.Completed / row.Played, Median(row.Turns),
                        Median(row.Minutes));
    }
    if (csv) {
        std::printf("level,mode,bonus,played,completed,median_turns,median_minutes,board_full,out_of_time,"
                    "unfinished,bonus_earned,cleared\n");
        for (const auto& [key, row] : rows) {
            std::printf("%d,%d,%d,%d,%d,%.1f,%.2f,%d,%d,%d,%s", key.first, key.second, key.first % 5 ? 0 : 1,
                        row.Played, row.Completed, Median(row.Turns), Median(row.Minutes), row.BoardFull,
                        row.ByTime, row.Capped, row.CountsBlocks ? "" : ",");
            if (row.CountsBlocks) std::printf("%d,%d", row.Earned, row.Cleared);
            std::printf("\n");
        }
    }
    return violations ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    int games = 100, start = 1, first = 1;
    long long frames = 200000;
    float frameMs = 20, thinkMs = 0;
    std::string modes = "both", dataDir;
    bool quiet = false, markdown = false, csv = false;
    int sweepFirst = 0, sweepLast = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "botrun: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--games")
            games = std::atoi(value().c_str());
        else if (arg == "--mode")
            modes = value();
        else if (arg == "--start")
            start = std::atoi(value().c_str());
        else if (arg == "--seed")
            first = std::atoi(value().c_str());
        else if (arg == "--frames")
            frames = std::atoll(value().c_str());
        else if (arg == "--frame-ms")
            frameMs = static_cast<float>(std::atof(value().c_str()));
        else if (arg == "--think")
            thinkMs = static_cast<float>(std::atof(value().c_str()));
        else if (arg == "--data")
            dataDir = value();
        else if (arg == "--quiet")
            quiet = true;
        else if (arg == "--markdown")
            markdown = true;
        else if (arg == "--csv")
            csv = true;
        else if (arg == "--sweep") {
            const std::string range = value();
            const size_t dash = range.find('-');
            sweepFirst = std::atoi(range.c_str());
            sweepLast = dash == std::string::npos ? sweepFirst : std::atoi(range.c_str() + dash + 1);
            if (sweepFirst < 1 || sweepLast < sweepFirst || sweepLast > MaxLevels) {
                std::fprintf(stderr, "botrun: bad level range %s\n", range.c_str());
                return 2;
            }
        } else {
            std::fprintf(stderr, "botrun: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }

    std::unique_ptr<TBotData> data;
    try {
        data = dataDir.empty() ? LoadBotData(assetgen::LevelsFileText(), assetgen::FiguresFileText())
                               : LoadBotData(ReadFile(dataDir + "/data/Levels.dat"),
                                             ReadFile(dataDir + "/data/BonusFigures.dat"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "botrun: %s\n", e.what());
        return 2;
    }

    if (sweepFirst > 0)
        return Sweep(*data, modes, sweepFirst, sweepLast, games, static_cast<uint32_t>(first), frames,
                     frameMs, thinkMs, markdown, csv);

    int violations = 0;
    for (int mode = 1; mode <= 2; ++mode) {
        if (modes != "both" && modes != std::to_string(mode)) continue;
        std::map<std::pair<int, int>, TLevelStats> levels; // (mode, level)
        std::map<std::string, int> ends;
        double reached = 0, score = 0;
        int byTime = 0;
        for (int g = 0; g < games; ++g) {
            TBotSetup setup;
            setup.Seed = static_cast<uint32_t>(first + g);
            setup.GameMode = mode;
            setup.StartLevel = start;
            setup.MaxFrames = frames;
            setup.FrameMs = frameMs;
            setup.ThinkMs = thinkMs;
            const TBotGame game = PlayBotGame(*data, setup);
            ends[EndName(game.End)] += 1;
            reached += game.LevelReached();
            score += game.TotalScore;
            byTime += game.EndedByTime;
            if (game.End == TBotEnd::Violation) {
                ++violations;
                std::printf("mode %d seed %u: %s\n", mode, setup.Seed, game.Violation.c_str());
            }
            for (const TLevelResult& level : game.Levels) {
                TLevelStats& s = levels[{level.GameMode, level.Level}];
                s.Played += 1;
                if (level.Completed) {
                    s.Completed += 1;
                    s.Turns += level.Turns;
                    s.Frames += level.Frames;
                }
            }
            if (!quiet)
                std::printf(
                    "mode %d seed %u: %s after %lld frames, level %d, %d levels completed, score %.0f%s\n",
                    mode, setup.Seed, EndName(game.End), static_cast<long long>(game.Frames),
                    game.LevelReached(), game.LevelsCompleted(), game.TotalScore,
                    game.EndedByTime ? " (out of time)" : "");
        }
        std::printf("\nmode %d: %d games from level %d; average level reached %.2f, average score %.0f, "
                    "%d out of time;",
                    mode, games, start, reached / games, score / games, byTime);
        for (const auto& [name, count] : ends) std::printf(" %s %d", name.c_str(), count);
        std::printf("\n  mode level  played completed  avg turns  avg seconds\n");
        for (const auto& [key, s] : levels)
            std::printf("  %4d %5d %7d %9d %10.1f %12.1f\n", key.first, key.second, s.Played, s.Completed,
                        s.Completed ? double(s.Turns) / s.Completed : 0.0,
                        s.Completed ? double(s.Frames) * frameMs / 1000 / s.Completed : 0.0);
    }
    return violations ? 1 : 0;
}

// botrun: plays many seeded games with the test bot and prints what happened per game and per
// level: how often each level is completed, its turns and its play time. Exit status 1 when an
// invariant broke in any game.
//
//   botrun [--games N] [--mode 1|2|both] [--start L] [--seed S] [--frames N] [--frame-ms MS]
//          [--think MS] [--data GAMEDIR] [--quiet]
//
// --data reads GAMEDIR/data/Levels.dat and BonusFigures.dat instead of the designed tables.
#include "game/Bot.h"

#include "data/DataFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

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

} // namespace

int main(int argc, char** argv) {
    int games = 100, start = 1, first = 1;
    long long frames = 200000;
    float frameMs = 20, thinkMs = 0;
    std::string modes = "both", dataDir;
    bool quiet = false;
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
        else {
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

// The golden replay: seeded bot games in both modes, started across levels 1 to 100 (those from
// level 100 wrap into the other mode), saved and resumed now and then, journal every turn: the
// score, the generator's seed and every cube's cell, kind and state. The journal recorded once
// is kept in tests/game/golden/; the games must replay it to the byte, so a change meant to keep
// the game's behaviour cannot alter a single rule, draw or score unnoticed. The games read the
// level and figure files kept beside the journal, so retuning the shipped levels does not touch it.
//
// To record it anew (only when the game's behaviour is meant to change):
//   VELTRANE_RECORD_GOLDEN=1 build/tests/test_game --gtest_filter='GoldenReplay*'
#include "Bot.h"

#include "TempDir.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace veltrane {
namespace {
using namespace bot;

const std::filesystem::path kGoldenDir = std::filesystem::path(VELTRANE_SOURCE_DIR) / "tests/game/golden";

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

char Digit36(int value) {
    return "0123456789abcdefghijklmnopqrstuvwxyz"[value >= 0 && value < 36 ? value : 35];
}

// One line of the journal: frame, level, mode, phase, scores, combo, seed, selection, then each
// cube as column, row, kind and state.
std::string TurnLine(const TGame& game, int64_t frame) {
    std::array<char, 160> head{};
    std::snprintf(head.data(), head.size(), "%lld L%d M%d P%d S%.17g Q%.17g C%d R%u X%d ",
                  static_cast<long long>(frame), game.Level, game.GameMode, int(game.Phase), game.TotalScore,
                  game.PendingScore, game.Combo, RandSeed, game.Selected);
    std::string line = head.data();
    for (int i = 1; i <= game.CubeCount; ++i) {
        const TCube& cube = game.Cubes[i];
        line += {Digit36(cube.X), Digit36(cube.Y), Digit36(cube.Kind), Digit36(cube.State)};
    }
    return line + "\n";
}

// The games of the journal: two modes, 24 start levels each, think times that let the timed
// bank drain, and a save and resume every 211 frames.
std::string PlayJournal() {
    const std::unique_ptr<TBotData> data =
        LoadBotData(ReadText(kGoldenDir / "Levels.dat"), ReadText(kGoldenDir / "BonusFigures.dat"));
    constexpr std::array<int, 24> kStartLevels = {1,  3,  5,  8,  12, 16, 20, 25, 30, 35, 40, 45,
                                                  50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 99, 100};
    std::string journal;
    for (int mode = 1; mode <= 2; ++mode)
        for (size_t k = 0; k < kStartLevels.size(); ++k) {
            TBotSetup setup;
            setup.Seed = static_cast<uint32_t>(1000 * mode + k);
            setup.GameMode = mode;
            setup.StartLevel = kStartLevels[k];
            setup.FrameMs = 33;
            setup.MaxFrames = 2400;
            setup.ThinkMs = std::array<float, 3>{0, 700, 2000}[k % 3];
            setup.SaveEvery = 211;
            setup.OnTurn = [&journal](const TGame& game, int64_t frame) { journal += TurnLine(game, frame); };
            journal += "game mode " + std::to_string(mode) + " level " + std::to_string(setup.StartLevel) +
                       " seed " + std::to_string(setup.Seed) + "\n";
            const TBotGame game = PlayBotGame(*data, setup);
            journal += "end " + std::string(EndName(game.End)) + " " + game.Violation + "\n";
        }
    return journal;
}

// The first line where two journals part, with the game it belongs to.
std::string FirstDifference(const std::string& want, const std::string& got) {
    std::istringstream a(want), b(got);
    std::string lineA, lineB, game;
    for (int n = 1;; ++n) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB) return "";
        if (lineA.rfind("game ", 0) == 0) game = lineA;
        if (!moreA || !moreB || lineA != lineB)
            return "line " + std::to_string(n) + " (" + game + ")\nrecorded: " + (moreA ? lineA : "<end>") +
                   "\nreplayed: " + (moreB ? lineB : "<end>");
    }
}

TEST(GoldenReplay, SeededGamesReplayTheRecordedJournal) {
    TempDir dir;
    CurrentDir cwd(dir.path());
    std::filesystem::create_directory(dir.path() / "data");
    const std::string journal = PlayJournal();
    const std::filesystem::path file = kGoldenDir / "replay.txt";
    if (std::getenv("VELTRANE_RECORD_GOLDEN")) {
        std::ofstream(file, std::ios::binary) << journal;
        GTEST_SKIP() << "recorded " << file;
    }
    const std::string recorded = ReadText(file);
    ASSERT_FALSE(recorded.empty()) << file << " is missing";
    EXPECT_EQ(journal.size(), recorded.size());
    EXPECT_EQ(FirstDifference(recorded, journal), "");
    EXPECT_EQ(journal.find("invariant broken"), std::string::npos);
}

} // namespace
} // namespace veltrane

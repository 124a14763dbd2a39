// soak: the bot plays game after game with random seeds, modes and start levels until the time
// is up, checking the board's invariants every frame, saving and resuming every so often, while
// the disk fails at random under the saves: creating the temporary file, writing (errors and
// short writes), fsync, close and rename each fail with the given odds. A failed save must leave
// the old file, no temporary file and no descriptor behind; the game plays on. Exit status 1
// when any game broke a rule.
//
//   soak [--minutes M] [--seed S] [--fail-odds P] [--frames N]
//
// It works in a fresh temporary folder (saves in its data/, the trace in debug.txt).
#include "game/Bot.h"

#include "data/DataFiles.h"
#include "platform/DebugLog.h"
#include "platform/FileCalls.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <fcntl.h>
#include <unistd.h>

using namespace veltrane;
using namespace veltrane::bot;

namespace {

// The failing disk, put in the file writers' table of system calls: only the temporary files of
// saves are touched (the descriptor mkstemp returned), so the trace goes on as usual.
struct TFaults {
    bool Armed = false;
    double Odds = 0.1;
    std::mt19937_64 Dice{1};
    int Target = -1;
    long Injected[5] = {}; // mkstemp, write, fsync, close, rename
    long ShortWrites = 0;

    bool Roll() { return Armed && std::uniform_real_distribution<double>(0, 1)(Dice) < Odds; }
    int Errno() { return std::uniform_int_distribution<int>(0, 1)(Dice) ? ENOSPC : EIO; }
};
TFaults Faults;

int FailingMakeTemp(char* pattern) {
    Faults.Target = -1;
    if (Faults.Roll()) {
        ++Faults.Injected[0];
        errno = Faults.Errno();
        return -1;
    }
    Faults.Target = mkstemp(pattern);
    return Faults.Target;
}

int PassOpen(const char* path, int flags, mode_t mode) {
    return open(path, flags, mode);
}

ssize_t FailingWrite(int fd, const void* bytes, size_t size) {
    if (fd == Faults.Target && Faults.Roll()) {
        if (size > 1 && std::uniform_int_distribution<int>(0, 1)(Faults.Dice)) {
            ++Faults.ShortWrites;
            return write(fd, bytes, size / 2);
        }
        ++Faults.Injected[1];
        errno = Faults.Errno();
        return -1;
    }
    return write(fd, bytes, size);
}

int FailingFsync(int fd) {
    if (fd == Faults.Target && Faults.Roll()) {
        ++Faults.Injected[2];
        errno = EIO;
        return -1;
    }
    return fsync(fd);
}

int FailingClose(int fd) {
    const bool target = fd == Faults.Target;
    if (target) Faults.Target = -1;
    const int result = close(fd);
    // A failing close has closed the descriptor all the same, as Linux does.
    if (target && result == 0 && Faults.Roll()) {
        ++Faults.Injected[3];
        errno = EIO;
        return -1;
    }
    return result;
}

int FailingRename(const char* from, const char* to) {
    if (Faults.Roll()) {
        ++Faults.Injected[4];
        errno = Faults.Errno();
        return -1;
    }
    return rename(from, to);
}

const TFileCalls FailingCalls = {FailingMakeTemp, PassOpen,     FailingWrite,
                                 FailingFsync,    FailingClose, FailingRename};

} // namespace

int main(int argc, char** argv) {
    double minutes = 30;
    uint64_t seed = std::random_device{}();
    long long frames = 100000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) {
            std::fprintf(stderr, "soak: %s needs a value\n", arg.c_str());
            return 2;
        }
        ++i;
        if (arg == "--minutes")
            minutes = std::atof(value);
        else if (arg == "--seed")
            seed = std::strtoull(value, nullptr, 10);
        else if (arg == "--fail-odds")
            Faults.Odds = std::atof(value);
        else if (arg == "--frames")
            frames = std::atoll(value);
        else {
            std::fprintf(stderr, "soak: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }

    std::string folder = (std::filesystem::temp_directory_path() / "veltrane-soak-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("soak: no temporary folder");
        return 2;
    }
    std::filesystem::current_path(folder);
    std::filesystem::create_directory("data");
    SetDebugLogFile(folder + "/debug.txt");

    std::unique_ptr<TBotData> data = LoadBotData(assetgen::LevelsFileText(), assetgen::FiguresFileText());
    std::printf("soak: seed %llu, %.1f minutes, fail odds %.2f, in %s\n",
                static_cast<unsigned long long>(seed), minutes, Faults.Odds, folder.c_str());
    std::fflush(stdout);

    std::mt19937_64 rng(seed);
    Faults.Dice.seed(seed ^ 0x5eed);
    Faults.Armed = true;
    SetFileCalls(&FailingCalls);
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::duration<double, std::ratio<60>>(minutes);
    long games = 0, broken = 0, saves = 0, failedSaves = 0;
    long long played = 0;
    while (std::chrono::steady_clock::now() < end) {
        TBotSetup setup;
        setup.Seed = static_cast<uint32_t>(rng());
        setup.GameMode = static_cast<int>(rng() % 2) + 1;
        setup.StartLevel = static_cast<int>(rng() % MaxLevels) + 1;
        setup.MaxFrames = frames;
        setup.SaveEvery = 200 + static_cast<int64_t>(rng() % 2000);
        setup.SavesMayFail = true;
        const TBotGame game = PlayBotGame(*data, setup);
        ++games;
        played += game.Frames;
        saves += game.SaveCycles;
        failedSaves += game.FailedSaves;
        if (game.End == TBotEnd::Violation) {
            ++broken;
            std::printf("game seed %u mode %d from level %d: %s\n", setup.Seed, setup.GameMode,
                        setup.StartLevel, game.Violation.c_str());
            std::fflush(stdout);
        }
    }
    Faults.Armed = false;
    SetFileCalls(nullptr);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "soak: %ld games, %lld frames (%.1f hours of play) in %.1f minutes; %ld saves resumed, %ld failed "
        "as they should; injected: mkstemp %ld, write %ld (and %ld short writes), fsync %ld, close %ld, "
        "rename %ld; %ld games broke a rule\n",
        games, played, double(played) * 20 / 3.6e6, seconds / 60, saves, failedSaves, Faults.Injected[0],
        Faults.Injected[1], Faults.ShortWrites, Faults.Injected[2], Faults.Injected[3], Faults.Injected[4],
        broken);
    std::error_code ec;
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(folder, ec);
    return broken ? 1 : 0;
}

// Listens to the shipped sounds and music (those of the game folder, or a fresh set when the
// folder has none yet): prints the loudness and peak of every file and fails on clipping,
// silence, a missing file or music that is too short or out of step with the other tracks.
#include "audio/AudioAssets.h"
#include "audio/Effects.h"
#include "audio/Mastering.h"
#include "audio/Songs.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace veltrane::assetgen::audio {
namespace {

struct Decoded {
    bool Ok = false;
    double Seconds = 0;
    Loudness Level{};
};

Decoded Decode(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    Stereo s(static_cast<std::size_t>(read));
    for (std::size_t i = 0; i < s.Frames(); ++i) {
        s.Left[i] = frames[i * static_cast<std::size_t>(info.channels)];
        s.Right[i] = frames[i * static_cast<std::size_t>(info.channels) + (info.channels > 1 ? 1 : 0)];
    }
    return {info.samplerate == kSampleRate, static_cast<double>(read) / info.samplerate, Measure(s)};
}

class AudioCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = VELTRANE_GAME_DIR;
        if (!std::filesystem::exists(folder_ / "Music" / "theme2.ogg")) {
            made_ = std::make_unique<TempDir>();
            folder_ = made_->path();
            std::printf("no audio in %s yet: checking a freshly made set\n", VELTRANE_GAME_DIR);
            MakeAudioAssets(folder_);
        }
    }
    static void TearDownTestSuite() { made_.reset(); }

    static Decoded Check(const std::filesystem::path& path) {
        const Decoded d = Decode(path);
        EXPECT_TRUE(d.Ok) << path << " missing or unreadable";
        std::printf("%-28s %6.2f s  loudness %6.1f dBFS  peak %6.2f dBFS\n", path.filename().c_str(),
                    d.Seconds, d.Level.RmsDb, d.Level.PeakDb);
        EXPECT_LE(d.Level.PeakDb, -1.0) << path << " peaks above -1 dBFS";
        EXPECT_GT(d.Level.RmsDb, -40.0) << path << " is (nearly) silent";
        return d;
    }

    static std::filesystem::path folder_;
    static std::unique_ptr<TempDir> made_;
};

std::filesystem::path AudioCheck::folder_;
std::unique_ptr<TempDir> AudioCheck::made_;

TEST_F(AudioCheck, EveryEffectIsPresentAudibleAndUnclipped) {
    for (std::string_view name : kEffectNames) {
        const Decoded d = Check(folder_ / "Sounds" / (std::string(name) + ".ogg"));
        EXPECT_LT(d.Seconds, 4.0) << name << " is far too long for an effect";
        EXPECT_LT(d.Level.RmsDb, -12.0) << name << " is louder than any effect family";
    }
}

TEST_F(AudioCheck, MusicIsLongEnoughAndEvenlyLoud) {
    double quietest = 0;
    double loudest = -100;
    for (std::size_t i = 0; i < kTrackNames.size(); ++i) {
        const Decoded d = Check(folder_ / "Music" / (std::string(kTrackNames[i]) + ".ogg"));
        EXPECT_GE(d.Seconds, i >= 2 ? 60.0 : 40.0) << kTrackNames[i];
        quietest = std::min(quietest, d.Level.RmsDb);
        loudest = std::max(loudest, d.Level.RmsDb);
    }
    EXPECT_LE(loudest - quietest, 3.0) << "the tracks differ too much in loudness";
}

} // namespace
} // namespace veltrane::assetgen::audio

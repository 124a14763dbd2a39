// Listens to the shipped sounds and music (those of the game folder, or a fresh set when the
// folder has none yet): prints the loudness and peak of every file and fails on clipping,
// silence, a missing file or music that is too short or out of step with the other tracks; then
// checks by spectrum and contour that the effects of different moments sound different, that the
// highlight hum reaches small speakers without droning and that cube steps are heard over music.
#include "audio/Analysis.h"
#include "audio/AudioAssets.h"
#include "audio/Effects.h"
#include "audio/Mastering.h"
#include "audio/Songs.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace veltrane::assetgen::audio {
namespace {

struct Decoded {
    bool Ok = false;
    double Seconds = 0;
    Loudness Level{};
    Mono Left; // the first channel, for the spectral checks
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
    return {info.samplerate == kSampleRate, static_cast<double>(read) / info.samplerate, Measure(s),
            std::move(s.Left)};
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
        // A level takes 2-4 minutes: a game theme must not repeat every minute.
        EXPECT_GE(d.Seconds, i >= 2 ? 180.0 : 40.0) << kTrackNames[i];
        quietest = std::min(quietest, d.Level.RmsDb);
        loudest = std::max(loudest, d.Level.RmsDb);
    }
    EXPECT_LE(loudest - quietest, 3.0) << "the tracks differ too much in loudness";
}

Decoded Effect(const std::filesystem::path& folder, std::string_view name) {
    return Decode(folder / "Sounds" / (std::string(name) + ".ogg"));
}

TEST_F(AudioCheck, EffectsOfDifferentMomentsSoundDifferent) {
    // Effects that mark moments of play; the announcer's voices and the short interface clicks
    // are families meant to sound alike.
    const std::string_view moments[] = {"NewLevel",   "BonusLevel",  "FlyingBy", "BonusLevelDone",
                                        "FigureDone", "ExplodeBomb", "Colorize", "Shot",
                                        "ShowBonus",  "GameOver",    "Message"};
    std::vector<Mono> sounds;
    for (std::string_view name : moments) {
        sounds.push_back(Effect(folder_, name).Left);
        std::printf("%-15s centroid %6.0f Hz  bands", std::string(name).c_str(),
                    SpectralCentroid(sounds.back()));
        for (double b : OctaveBands(sounds.back())) std::printf(" %5.1f", b);
        std::printf("\n");
    }
    for (std::size_t a = 0; a < sounds.size(); ++a)
        for (std::size_t b = a + 1; b < sounds.size(); ++b) {
            const double d = Distinctness(sounds[a], sounds[b]);
            // Below about 12 dB two effects read as the same gesture in the same timbre.
            EXPECT_GE(d, 14.0) << moments[a] << " and " << moments[b] << " sound alike";
        }
}

TEST_F(AudioCheck, HighlightHumReachesSmallSpeakersAndPulses) {
    const Mono hum = Effect(folder_, "Selected").Left;
    std::printf("Selected centroid %.0f Hz, %.0f%% of its energy in 300-3000 Hz, pulse %.1f dB\n",
                SpectralCentroid(hum), 100 * BandShare(hum, 300, 3000), PulseDepth(hum));
    // Laptop speakers give little below 300 Hz: most of the tone must lie above it.
    EXPECT_GE(SpectralCentroid(hum), 300.0);
    EXPECT_GE(BandShare(hum, 300, 3000), 0.5);
    // A steady tone turns into a drone on headphones; a clear pulse reads as a signal.
    EXPECT_GE(PulseDepth(hum), 10.0);
}

// Plain RMS over the whole file, tail included: a short tap scores lower than its gated level,
// as it does to the ear.
double PlainRmsDb(const Mono& s) {
    double sum = 0;
    for (float v : s) sum += static_cast<double>(v) * v;
    return GainToDb(std::sqrt(sum / static_cast<double>(std::max<std::size_t>(1, s.size()))));
}

TEST_F(AudioCheck, CubeStepsAreHeardOverTheMusic) {
    double music = -100;
    for (std::string_view track : {"theme1", "theme2"})
        music = std::max(music, PlainRmsDb(Decode(folder_ / "Music" / (std::string(track) + ".ogg")).Left));
    for (std::string_view step : {"MoveCube", "MoveBomb"}) {
        const Decoded d = Effect(folder_, step);
        const double under = music - PlainRmsDb(d.Left);
        std::printf("%s %.1f dB under the music\n", std::string(step).c_str(), under);
        EXPECT_LE(under, 6.0) << step;
        // Mostly above 300 Hz too, or small speakers swallow the step.
        EXPECT_GE(BandShare(d.Left, 300, 6000), 0.5) << step;
    }
}

} // namespace
} // namespace veltrane::assetgen::audio

// The sound generator's building blocks and its promise of reproducible files: mastering hits its
// loudness target without letting a peak through, the Ogg writer gives the same bytes every time,
// and the looping highlight sound joins end to start.
#include "audio/Effects.h"
#include "audio/Mastering.h"
#include "audio/OggWriter.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace veltrane::assetgen::audio {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Mono DecodeOgg(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    Mono samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

TEST(AudioMastering, ReachesTheLoudnessTargetAndHoldsThePeakCeiling) {
    // A quiet tone with a few loud spikes: normalising alone would push the spikes far over.
    Mono s(static_cast<std::size_t>(kSampleRate), 0.0f);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<float>(0.05 * std::sin(2 * kPi * 220 * i / kSampleRate));
    for (std::size_t i = 5000; i < s.size(); i += 9000) s[i] = 0.9f;
    Master(s, -12, -3);
    const Loudness after = Measure(s);
    EXPECT_NEAR(after.RmsDb, -12, 0.5);
    EXPECT_LE(after.PeakDb, -3.0 + 1e-4);
}

TEST(AudioMastering, LeavesSilenceSilent) {
    Mono s(1000, 0.0f);
    Master(s, -12, -3);
    EXPECT_LT(Measure(s).PeakDb, -150);
}

TEST(AudioOgg, TheSameSoundGivesTheSameBytesEveryTime) {
    TempDir dir;
    // One synthesised effect and one spoken line: both must come out byte-identical.
    for (int number : {2, 10}) {
        const auto first = dir.path() / "a.ogg";
        const auto second = dir.path() / "b.ogg";
        WriteOgg(first, MakeEffect(number), 0.6);
        WriteOgg(second, MakeEffect(number), 0.6);
        const std::string a = ReadBytes(first);
        EXPECT_GT(a.size(), 1000u) << kEffectNames[static_cast<std::size_t>(number)];
        EXPECT_TRUE(a == ReadBytes(second)) << kEffectNames[static_cast<std::size_t>(number)] << " differs";
    }
}

TEST(AudioOgg, FixedSerialKeepsTheStreamReadable) {
    TempDir dir;
    Mono tone(static_cast<std::size_t>(kSampleRate / 2));
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(0.3 * std::sin(2 * kPi * 440 * i / kSampleRate));
    const auto path = dir.path() / "tone.ogg";
    WriteOgg(path, tone, 0.5);
    const std::string bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 27u);
    EXPECT_EQ(bytes.compare(0, 4, "OggS"), 0);
    EXPECT_EQ(static_cast<unsigned char>(bytes[14]), 0x54u); // serial "VELT", little-endian
    // The checksums were recomputed: libsndfile decodes every sample back.
    const Mono decoded = DecodeOgg(path);
    ASSERT_EQ(decoded.size(), tone.size());
    EXPECT_NEAR(Measure(decoded).RmsDb, Measure(tone).RmsDb, 0.5);
}

TEST(AudioOgg, RejectsBytesThatAreNotAnOggStream) {
    std::string garbage = "RIFF....WAVEfmt ";
    EXPECT_FALSE(FixOggSerial(garbage, 1));
    std::string truncated = "OggS";
    EXPECT_FALSE(FixOggSerial(truncated, 1));
}

TEST(AudioEffects, SelectedLoopsWithoutASeam) {
    const Mono hum = MakeEffect(24);
    ASSERT_GT(hum.size(), 1000u);
    // The step from the last sample back to the first must look like any other step.
    double largest = 0;
    for (std::size_t i = 1; i < hum.size(); ++i)
        largest = std::max(largest, static_cast<double>(std::fabs(hum[i] - hum[i - 1])));
    EXPECT_LE(std::fabs(hum.front() - hum.back()), largest * 1.01);
    EXPECT_GT(Measure(hum).RmsDb, -40);
}

TEST(AudioEffects, ShortRepeatedEffectsFitBetweenTheirRepeats) {
    // Step sounds come every 70 ms while a cube moves, warning ticks every 150 ms.
    EXPECT_LE(MakeEffect(6).size(), static_cast<std::size_t>(Frames(0.07)));
    EXPECT_LE(MakeEffect(7).size(), static_cast<std::size_t>(Frames(0.07)));
    EXPECT_LE(MakeEffect(25).size(), static_cast<std::size_t>(Frames(0.15)));
    EXPECT_THROW(MakeEffect(27), std::out_of_range);
}

} // namespace
} // namespace veltrane::assetgen::audio

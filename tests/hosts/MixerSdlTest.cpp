// The SDL2_mixer implementation played for real through SDL's "disk" audio driver, which
// writes the mixed output to a file as fast as it can.
#include "hosts/mixer/SdlMixer.h"

#include "TempDir.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int Rate = 44100;

// A quarter of a second of a 440 Hz tone at half scale, Ogg Vorbis.
bool WriteTone(const fs::path& path) {
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    std::vector<float> frames(Rate / 4 * 2);
    for (size_t i = 0; i < frames.size() / 2; ++i)
        frames[2 * i] = frames[2 * i + 1] = 0.5f * std::sin(2 * 3.14159265f * 440 * i / Rate);
    const sf_count_t written = sf_writef_float(file, frames.data(), Rate / 4);
    sf_close(file);
    return written == Rate / 4;
}

void SetAudioDriver(const char* driver, const fs::path& out) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
}

template <typename Pred>
bool WaitFor(Pred pred, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Waits until the output has grown by the given seconds of audio (16-bit stereo).
bool WaitForAudio(const fs::path& out, double seconds) {
    std::error_code ec;
    const auto start = fs::exists(out, ec) ? fs::file_size(out, ec) : 0;
    const auto want = start + static_cast<uintmax_t>(seconds * Rate * 4);
    return WaitFor([&] { return fs::file_size(out, ec) >= want; });
}

std::atomic<int> Ends{0};
void OnEnd(void* user) {
    Ends += 1;
    *static_cast<std::atomic<bool>*>(user) = true;
}

TEST(SdlMixer, PlaysATrackOnceAndReportsOnlyItsRealEnd) {
    TempDir dir;
    const fs::path ogg = dir.path() / "tone.ogg";
    const fs::path out = dir.path() / "out.raw";
    ASSERT_TRUE(WriteTone(ogg));
    SetAudioDriver("disk", out);

    TSdlMixer mixer;
    ASSERT_NE(mixer.IMXInit(nullptr, Rate), 0) << SDL_GetError();
    ASSERT_NE(mixer.IMXStart(), 0);
    const TMixHandle stream = mixer.IMXStreamOpenFile(ogg.string());
    const TMixHandle other = mixer.IMXStreamOpenFile(ogg.string());
    ASSERT_NE(stream, 0u);
    ASSERT_NE(other, stream);
    EXPECT_EQ(mixer.IMXStreamOpenFile((dir.path() / "none.ogg").string()), 0u);

    std::atomic<bool> ended{false}, otherEnded{false};
    Ends = 0;
    mixer.IMXChannelSetSync(stream, &OnEnd, &ended);
    mixer.IMXChannelSetSync(other, &OnEnd, &otherEnded);

    // Stopped, or replaced by another track: neither is an end.
    mixer.IMXStreamPlay(stream, 0);
    mixer.IMXChannelStop(stream);
    mixer.IMXStreamPlay(other, 0);
    mixer.IMXStreamPlay(stream, 0);
    EXPECT_EQ(Ends, 0);

    ASSERT_TRUE(WaitFor([&] { return ended.load(); })) << "no end of track";
    EXPECT_FALSE(otherEnded);
    EXPECT_EQ(Ends, 1);

    // A looping track never ends by itself.
    mixer.IMXStreamPlay(other, 1);
    ASSERT_TRUE(WaitForAudio(out, 1.0));
    EXPECT_FALSE(otherEnded);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    mixer.IMXChannelStop(other);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Ends, 1);
    mixer.IMXUninit();

    // The output holds the tone: 16-bit stereo, with loud samples.
    std::ifstream in(out, std::ios::binary);
    std::vector<int16_t> samples(fs::file_size(out) / 2);
    in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    size_t loud = 0;
    for (int16_t s : samples)
        if (std::abs(s) > 8000) ++loud;
    EXPECT_GT(loud, static_cast<size_t>(Rate / 8)) << "of " << samples.size();
}

TEST(SdlMixer, SamplesPlayAsIndependentInstancesAndLoopsLastUntilStopped) {
    TempDir dir;
    const fs::path ogg = dir.path() / "tone.ogg";
    const fs::path out = dir.path() / "out.raw";
    ASSERT_TRUE(WriteTone(ogg));
    SetAudioDriver("disk", out);

    TSdlMixer mixer;
    ASSERT_NE(mixer.IMXInit(nullptr, Rate), 0) << SDL_GetError();
    ASSERT_NE(mixer.IMXStart(), 0);
    const TMixHandle once = mixer.IMXSampleLoad(ogg.string(), 0);
    const TMixHandle loop = mixer.IMXSampleLoad(ogg.string(), MixSampleLoop);
    ASSERT_NE(once, 0u);
    ASSERT_NE(loop, 0u);

    const TMixHandle a = mixer.IMXSamplePlay(once, 250);
    const TMixHandle b = mixer.IMXSamplePlay(once, 250);
    const TMixHandle l = mixer.IMXSamplePlay(loop, 125);
    ASSERT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(Mix_Playing(-1), 3);

    ASSERT_TRUE(WaitForAudio(out, 1.0)); // four times the tone's length
    EXPECT_EQ(Mix_Playing(-1), 1) << "only the looping instance goes on";

    // A handle of an instance that has ended must not stop the next sound on its channel.
    const TMixHandle c = mixer.IMXSamplePlay(once, 250);
    ASSERT_NE(c, 0u);
    mixer.IMXChannelStop(a);
    mixer.IMXChannelStop(b);
    EXPECT_EQ(Mix_Playing(-1), 2);
    mixer.IMXChannelStop(l);
    mixer.IMXChannelStop(c);
    EXPECT_EQ(Mix_Playing(-1), 0);

    // Zero and unknown handles do nothing.
    mixer.IMXChannelStop(0);
    mixer.IMXStreamPlay(0, 0);
    mixer.IMXChannelSetAttributes(0, 100);
    mixer.IMXChannelSetSync(0, &OnEnd, nullptr);
    EXPECT_EQ(mixer.IMXSamplePlay(0, 100), 0u);
    EXPECT_EQ(mixer.IMXSamplePlay(12345, 100), 0u);
    mixer.IMXUninit();
}

TEST(SdlMixer, WithoutAnAudioDeviceNothingLoadsAndZeroHandlesAreHarmless) {
    TempDir dir;
    SetAudioDriver("no-such-driver", dir.path() / "out.raw");
    TSdlMixer mixer;
    EXPECT_EQ(mixer.IMXInit(nullptr, Rate), 0);
    EXPECT_EQ(mixer.IMXStart(), 0);
    EXPECT_EQ(mixer.IMXStreamOpenFile("Music/menu1.ogg"), 0u);
    EXPECT_EQ(mixer.IMXSampleLoad("Sounds/NewLevel.ogg", 0), 0u);
    mixer.IMXStreamPlay(0, 0);
    mixer.IMXChannelStop(0);
    mixer.IMXChannelSetAttributes(0, 10);
    EXPECT_EQ(mixer.IMXSamplePlay(0, 160), 0u);
    mixer.IMXStop();
    mixer.IMXUninit();
}

} // namespace
} // namespace veltrane

// The sound module over the real SDL2_mixer, through SDL's "disk" audio driver: the menu
// tracks follow each other on the end-of-track call that comes from the audio thread.
#include "sound/Sound.h"

#include "TempDir.h"
#include "hosts/mixer/SdlMixer.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool WriteTone(const fs::path& path, float hz) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const int frames = 44100 / 10;
    std::vector<float> data(frames * 2);
    for (int i = 0; i < frames; ++i)
        data[2 * i] = data[2 * i + 1] = 0.5f * std::sin(6.2831853f * hz * i / 44100);
    const bool ok = sf_writef_float(file, data.data(), frames) == frames;
    sf_close(file);
    return ok;
}

bool WaitUntilFinished(std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!MusicFinished()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(SoundPlayback, MenuTracksFollowEachOtherAndThemesRepeat) {
    TempDir dir;
    fs::create_directories(dir.path() / "Music");
    for (const char* name : MusicNames) ASSERT_TRUE(WriteTone(dir.path() / "Music" / name, 440));
    CurrentDir cd(dir.path());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.path() / "out.raw").c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);

    TSdlMixer mixer;
    SetSoundMixer(&mixer);
    SetSoundProgramDir(dir.path().string());
    ASSERT_TRUE(InitSound(nullptr));
    LoadMusic();
    LoadSounds(); // no effect files here: every handle is 0 and playing them does nothing
    SetSoundVolume(160);
    SetMusicVolume(250);
    PlaySound(TSound::Selected);

    StartMenuMusic();
    EXPECT_FALSE(MusicFinished());
    ASSERT_TRUE(WaitUntilFinished()) << "menu1 never ended";
    NextMenuMusic();
    EXPECT_EQ(MenuTrack(), 2);
    EXPECT_FALSE(MusicFinished());
    ASSERT_TRUE(WaitUntilFinished()) << "menu2 never ended";

    // A stopped track is not a finished one; a theme goes on past its length.
    PlayMusic(0, 0);
    StopMusic();
    StartGameMusic(1);
    EXPECT_FALSE(WaitUntilFinished(300ms));
    DoneSound();
    SetSoundMixer(nullptr);
    SetSoundVolume(0);
    SetMusicVolume(0);
}

} // namespace
} // namespace veltrane

#include "sound/Sound.h"

#include "platform/mixer/RecordingMixer.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

constexpr TMixHandle Menu1 = TRecordingMixer::FirstStream;
constexpr TMixHandle Menu2 = Menu1 + 1;
constexpr TMixHandle Theme1 = Menu1 + 2;
constexpr TMixHandle Theme2 = Menu1 + 3;

TMixHandle SampleOf(int number) {
    return TRecordingMixer::FirstSample + static_cast<TMixHandle>(number);
}
TMixHandle SampleOf(TSound sound) {
    return SampleOf(static_cast<int>(sound));
}

// A game folder with the program beside Music/ and Sounds/, the sound module wired to a
// recording mixer and to volume bytes owned by the test.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_.path() / "Music");
        fs::create_directories(dir_.path() / "Sounds");
        for (const char* name : MusicNames) Touch(dir_.path() / "Music" / name);
        for (const char* name : SoundNames) Touch(dir_.path() / "Sounds" / (std::string(name) + ".wav"));
        SetSoundMixer(&mixer_);
        SetSoundProgramDir(dir_.path().string());
    }
    void TearDown() override {
        SetSoundMixer(nullptr);
        SetSoundVolume(0);
        SetMusicVolume(0);
    }
    static void Touch(const fs::path& p) { std::ofstream(p) << "x"; }

    // The start of the main window: InitSound, and when it runs, loading and volumes.
    bool Start() {
        const bool running = InitSound(nullptr);
        if (running) {
            LoadMusic();
            LoadSounds();
            SetSoundVolume(160);
            SetMusicVolume(120);
        }
        mixer_.Calls.clear();
        return running;
    }

    TempDir dir_;
    CurrentDir cd_{dir_.path()};
    TRecordingMixer mixer_;
};

TEST_F(SoundTest, LoadsTracksAndEffectsInOrderAndOnlyTheHighlightLoops) {
    ASSERT_TRUE(InitSound(nullptr));
    LoadMusic();
    LoadSounds();
    EXPECT_EQ(mixer_.Calls[0], "IMXInit(44100)");
    EXPECT_EQ(mixer_.Calls[1], "IMXStart()");
    EXPECT_EQ(mixer_.PathOf(Menu1), "Music/menu1.ogg");
    EXPECT_EQ(mixer_.PathOf(Theme2), "Music/theme2.ogg");

    const auto loads = mixer_.CallsTo("IMXSampleLoad(");
    ASSERT_EQ(loads.size(), 27u);
    const std::string sounds = dir_.path().string() + "/Sounds/";
    EXPECT_EQ(loads[0], "IMXSampleLoad(" + sounds + "NewLevel.wav,0)");
    EXPECT_EQ(loads[14], "IMXSampleLoad(" + sounds + "vQuillomar.wav,0)");
    EXPECT_EQ(loads[24], "IMXSampleLoad(" + sounds + "Selected.wav,1)");
    EXPECT_EQ(loads[26], "IMXSampleLoad(" + sounds + "Message.wav,0)");
    for (size_t i = 0; i < loads.size(); ++i)
        EXPECT_EQ(loads[i].substr(loads[i].size() - 3), i == 24 ? ",1)" : ",0)") << loads[i];
    EXPECT_EQ(SoundExtension(), ".wav");
}

TEST_F(SoundTest, TheOggNewLevelEffectDecidesForAllEffects) {
    // Folder and file found whatever their case; the other effects exist only as ".wav".
    fs::rename(dir_.path() / "Sounds", dir_.path() / "sounds");
    Touch(dir_.path() / "sounds" / "newlevel.OGG");
    ASSERT_TRUE(InitSound(nullptr));
    LoadSounds();
    const auto loads = mixer_.CallsTo("IMXSampleLoad(");
    ASSERT_EQ(loads.size(), 27u);
    const std::string sounds = dir_.path().string() + "/sounds/";
    EXPECT_EQ(loads[0], "IMXSampleLoad(" + sounds + "newlevel.OGG,0)");
    EXPECT_EQ(loads[1], "IMXSampleLoad(" + sounds + "BonusLevel.ogg,0)"); // missing: the one probe decides
    EXPECT_EQ(loads[25], "IMXSampleLoad(" + sounds + "TimeUp.ogg,0)");
    EXPECT_EQ(SoundExtension(), ".ogg");
}

TEST_F(SoundTest, VolumesComeFromTheSettingsAtEachCall) {
    ASSERT_TRUE(Start());
    struct Case {
        uint8_t setting;
        int passed;
    };
    for (const Case c : {Case{10, 0}, Case{12, 0}, Case{13, 1}, Case{120, 5}, Case{250, 10}, Case{255, 10}}) {
        SetMusicVolume(c.setting);
        for (TMixHandle stream : {Menu1, Menu2, Theme1, Theme2})
            EXPECT_EQ(mixer_.VolumeOf(stream), c.passed) << "MusicVol " << int(c.setting);
    }

    SetSoundVolume(70);
    for (int n = 0; n < SoundCount; ++n) EXPECT_EQ(mixer_.VolumeOf(SampleOf(n)), 70);
    PlaySound(TSound::FigureDone);
    EXPECT_EQ(mixer_.CallsTo("IMXSamplePlay(").back(),
              "IMXSamplePlay(" + std::to_string(SampleOf(TSound::FigureDone)) + ",70)");

    SetSoundVolume(0);
    mixer_.Calls.clear();
    PlaySound(TSound::SelectCube);
    PlaySound(TSound::Selected);
    EXPECT_TRUE(mixer_.Calls.empty());
}

TEST_F(SoundTest, OnlyOneHighlightPlaysAndOnlyItCanBeStopped) {
    ASSERT_TRUE(Start());
    PlaySound(TSound::Selected);
    const TMixHandle first = mixer_.PlayingChannels().at(0);
    PlaySound(TSound::Selected);
    ASSERT_EQ(mixer_.PlayingChannels().size(), 1u);
    const TMixHandle second = mixer_.PlayingChannels()[0];
    EXPECT_NE(first, second);
    EXPECT_EQ(mixer_.SampleOf(second), SampleOf(TSound::Selected));
    // The first instance was stopped before the second one started.
    const std::vector<std::string> expected = {
        "IMXSamplePlay(" + std::to_string(SampleOf(TSound::Selected)) + ",160)",
        "IMXChannelStop(" + std::to_string(first) + ")",
        "IMXSamplePlay(" + std::to_string(SampleOf(TSound::Selected)) + ",160)"};
    EXPECT_EQ(mixer_.Calls, expected);

    PlaySound(TSound::MoveCube);
    PlaySound(TSound::MoveCube); // ordinary effects overlap freely
    EXPECT_EQ(mixer_.PlayingChannels().size(), 3u);
    for (TSound other :
         {TSound::NewLevel, TSound::MoveCube, TSound::MenuKey, TSound::TimeUp, static_cast<TSound>(255)})
        StopSound(other);
    EXPECT_EQ(mixer_.PlayingChannels().size(), 3u);
    StopSound(TSound::Selected);
    EXPECT_EQ(mixer_.PlayingChannels().size(), 2u);
    mixer_.Calls.clear();
    StopSound(TSound::Selected); // nothing left to stop
    EXPECT_TRUE(mixer_.Calls.empty());
}

TEST_F(SoundTest, EffectNumbersOutsideTheTableAreIgnored) {
    ASSERT_TRUE(Start());
    PlaySound(static_cast<TSound>(SoundCount));
    PlaySound(static_cast<TSound>(255));
    PlayMusic(4, 0);
    PlayMusic(-1, 1);
    EXPECT_TRUE(mixer_.Calls.empty());
}

TEST_F(SoundTest, MenuTracksAlternateEachPlayedOnce) {
    ASSERT_TRUE(Start());
    StartMenuMusic();
    EXPECT_EQ(mixer_.PlayingStream(), Menu1);
    EXPECT_EQ(MenuTrack(), 1);
    EXPECT_FALSE(MusicFinished());

    NextMenuMusic(); // still playing: nothing
    EXPECT_EQ(mixer_.CallsTo("IMXStreamPlay(").size(), 1u);

    const TMixHandle expected[] = {Menu2, Menu1, Menu2};
    for (TMixHandle next : expected) {
        ASSERT_TRUE(mixer_.FinishStream());
        EXPECT_TRUE(MusicFinished());
        NextMenuMusic();
        EXPECT_EQ(mixer_.PlayingStream(), next);
        EXPECT_FALSE(MusicFinished());
    }
    const std::vector<std::string> plays = {"IMXStreamPlay(101,0)", "IMXStreamPlay(102,0)",
                                            "IMXStreamPlay(101,0)", "IMXStreamPlay(102,0)"};
    EXPECT_EQ(mixer_.CallsTo("IMXStreamPlay("), plays);
}

TEST_F(SoundTest, GameMusicLoopsAndGameOverHandsBackToTheMenuTracks) {
    ASSERT_TRUE(Start());
    StartMenuMusic();
    StartGameMusic(2);
    EXPECT_EQ(mixer_.PlayingStream(), Theme2);
    EXPECT_FALSE(mixer_.FinishStream()); // the theme repeats
    EXPECT_FALSE(MusicFinished());

    // Game over: the stop leaves the flag as it was, so the menu loop does not take over.
    PlaySound(TSound::GameOver);
    StopSound(TSound::Selected);
    StopMusic();
    EXPECT_EQ(mixer_.PlayingStream(), 0u);
    EXPECT_FALSE(MusicFinished());
    NextMenuMusic();
    EXPECT_EQ(mixer_.PlayingStream(), 0u);

    StartGameOverMusic();
    EXPECT_EQ(mixer_.PlayingStream(), Menu2);
    EXPECT_EQ(MenuTrack(), 2);
    ASSERT_TRUE(mixer_.FinishStream());
    NextMenuMusic(); // back in the menu, menu1 follows menu2
    EXPECT_EQ(mixer_.PlayingStream(), Menu1);
}

TEST_F(SoundTest, AMixerThatFailsToStartLeavesTheGameSilent) {
    for (bool failInit : {true, false}) {
        TRecordingMixer mixer;
        (failInit ? mixer.InitResult : mixer.StartResult) = 0;
        SetSoundMixer(&mixer);
        SetSoundVolume(160);
        SetMusicVolume(120);
        EXPECT_FALSE(InitSound(nullptr));
        EXPECT_EQ(SoundVolume(), 0);
        EXPECT_EQ(MusicVolume(), 0);
        EXPECT_TRUE(mixer.CallsTo("IMXStreamOpenFile(").empty());

        mixer.Calls.clear();
        PlaySound(TSound::SelectCube);
        PlaySound(TSound::Selected);
        StopSound(TSound::Selected);
        StartMenuMusic();
        const std::vector<std::string> zeroHandles = {"IMXChannelStop(0)", "IMXChannelStop(0)",
                                                      "IMXStreamPlay(0,0)", "IMXChannelSetSync(0)"};
        EXPECT_EQ(mixer.Calls, zeroHandles);
        DoneSound();
        EXPECT_EQ(mixer.Calls.back(), "IMXUninit()");
    }
}

TEST_F(SoundTest, DoneSoundStopsThenShutsDown) {
    ASSERT_TRUE(Start());
    StartMenuMusic();
    PlaySound(TSound::Selected);
    mixer_.Calls.clear();
    DoneSound();
    EXPECT_EQ(mixer_.Calls, (std::vector<std::string>{"IMXStop()", "IMXUninit()"}));
    // Calls made while the window closes reach no stale handle.
    StopSound(TSound::Selected);
    StopMusic();
    EXPECT_EQ(mixer_.Calls.back(), "IMXChannelStop(0)");
}

} // namespace
} // namespace veltrane

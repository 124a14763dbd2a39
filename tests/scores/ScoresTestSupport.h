// A game folder for the high-score tests: a temporary current folder with data/, the trace kept
// there with a fixed tick count, and the sound module on a recording mixer with every effect.
#pragma once

#include "platform/DebugLog.h"
#include "platform/mixer/RecordingMixer.h"
#include "scores/HiScores.h"
#include "sound/Sound.h"

#include "TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace veltrane {

class ScoresFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_.path() / "data");
        std::filesystem::create_directories(dir_.path() / "Sounds");
        for (const char* name : SoundNames)
            std::ofstream(dir_.path() / "Sounds" / (std::string(name) + ".wav")) << "x";
        SetDebugLogClock([] { return 7u; });
        SetDebugLogFile((dir_.path() / "debug.txt").string());
        SetSoundMixer(&mixer_);
        SetSoundProgramDir(dir_.path().string());
        ASSERT_TRUE(InitSound(nullptr));
        LoadSounds();
        SetSoundVolume(160);
        SetMusicVolume(120);
        mixer_.Calls.clear();
    }
    void TearDown() override {
        SetSoundMixer(nullptr);
        SetSoundVolume(0);
        SetMusicVolume(0);
        SetDebugLogClock(nullptr);
        SetDebugLogFile("");
    }

    std::filesystem::path FilePath() const { return dir_.path() / "data" / "Hiscores.dat"; }

    std::vector<uint8_t> ReadFile() const {
        std::ifstream in(FilePath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void WriteFile(const std::vector<uint8_t>& bytes) const {
        std::ofstream(FilePath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::string Trace() const {
        std::ifstream in(dir_.path() / "debug.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // How often "MenuKey" has been played.
    int MenuKeySounds() const {
        int count = 0;
        const std::string expected =
            "IMXSamplePlay(" +
            std::to_string(TRecordingMixer::FirstSample + static_cast<int>(TSound::MenuKey)) + ",";
        for (const std::string& call : mixer_.CallsTo("IMXSamplePlay("))
            if (call.rfind(expected, 0) == 0) ++count;
        return count;
    }

    TempDir dir_;
    CurrentDir cd_{dir_.path()};
    TRecordingMixer mixer_;
};

inline std::vector<int32_t> Scores(const THiScoreTable& table) {
    std::vector<int32_t> scores;
    for (const THiScoreEntry& entry : table) scores.push_back(entry.Score);
    return scores;
}

} // namespace veltrane

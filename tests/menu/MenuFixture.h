// A game folder for the menu's tests: the generated menu file read without pictures, the sound
// module on a recording mixer, settings in a temporary file, a game with the generated level
// tables, the high-score tables and a host whose clock the test moves.
#pragma once

#include "game/Game.h"
#include "menu/Menu.h"
#include "menu/MenuFile.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/TextReader.h"
#include "platform/VirtualKeys.h"
#include "platform/mixer/RecordingMixer.h"
#include "scores/HiScores.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {

inline std::string GameFile(const std::string& name) {
    std::ifstream in(std::string(VELTRANE_GAME_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Touch(const std::filesystem::path& p) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

class FakeMenuHost final : public IMenuHost {
public:
    void CloseProgram() override { ++Closed; }
    double MenuClock() const override { return Now; }
    ILoadingSteps* LoadingSteps() override { return nullptr; }
    double Now = 10000;
    int Closed = 0;
};

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const auto& dir = dir_.path();
        SetDebugLogClock([] { return 7u; });
        SetDebugLogFile((dir / "debug.txt").string());
        for (const char* name : MusicNames) Touch(dir / "Music" / name);
        for (const char* name : SoundNames) Touch(dir / "Sounds" / (std::string(name) + ".wav"));
        std::filesystem::create_directories(dir / "data");

        options_ = std::make_unique<TOptions>((dir / "settings.ini").string());
        SetSoundMixer(&mixer_);
        SetSoundProgramDir(dir.string());
        ASSERT_TRUE(InitSound(nullptr));
        LoadMusic();
        LoadSounds();
        SetSoundVolume(options_->SoundVol);
        SetMusicVolume(options_->MusicVol);

        TTextReader reader = TTextReader::FromText("data/Menu.dat", GameFile("data/Menu.dat"));
        menu_ = LoadMenu(nullptr, nullptr, reader);
        game_ = std::make_unique<TGame>(nullptr);
        game_->LoadLevels(std::string(VELTRANE_GAME_DIR) + "/data/Levels.dat");
        game_->LoadFigures(std::string(VELTRANE_GAME_DIR) + "/data/BonusFigures.dat");
        game_->Loaded = true;
        scores_ = std::make_unique<THiScores>();
        BindMenu({menu_.get(), game_.get(), scores_.get(), device_, &host_, options_.get()});
        EnterMenu();
        mixer_.Calls.clear();
    }

    void TearDown() override {
        BindMenu({});
        DoneSound();
        SetSoundMixer(nullptr);
        SetSoundVolume(0);
        SetMusicVolume(0);
        SetDebugLogClock(nullptr);
        SetDebugLogFile("");
        SetGameState(gsLaunch);
    }

    // Lets the settle time of the page pass.
    void Settle() { host_.Now += 300; }
    // A key after the settle time.
    void Key(uint16_t key) {
        Settle();
        MenuAction(key);
    }
    // Highlights an item of the current page and chooses it with Enter.
    void Choose(int item) {
        menu_->CurrentPage().Selected = item;
        Key(VK_RETURN);
    }
    TMenuPage& Page(int p) { return menu_->Pages[p]; }
    TMenuItem& Item(int p, int i) { return menu_->Pages[p].Items[i]; }

    // The effect numbers played since the last clear, in order.
    std::vector<TSound> Effects() const {
        std::vector<TSound> sounds;
        for (const std::string& call : mixer_.CallsTo("IMXSamplePlay(")) {
            const int handle = std::stoi(call.substr(call.find('(') + 1));
            sounds.push_back(static_cast<TSound>(handle - TRecordingMixer::FirstSample));
        }
        return sounds;
    }

    TempDir dir_;
    CurrentDir cd_{dir_.path()};
    TRecordingMixer mixer_;
    FakeMenuHost host_;
    gfx::IDevice* device_ = nullptr;
    std::unique_ptr<TOptions> options_;
    std::unique_ptr<TD3DMenu> menu_;
    std::unique_ptr<TGame> game_;
    std::unique_ptr<THiScores> scores_;
};

} // namespace veltrane

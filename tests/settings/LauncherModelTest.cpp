#include "settings/LauncherModel.h"

#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "settings/Options.h"

#include "TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using ::testing::ElementsAre;

// The launcher window and the program entry, recording what the launcher asks of them in one list.
struct TRecorder final : ILauncherView, ILauncherHost {
    std::vector<std::string> calls;
    bool canCreate = true;
    bool exists = false;

    void SetCaption(const std::string& caption) override { calls.push_back("caption " + caption); }
    void Hide() override { calls.push_back("hide"); }
    void Close() override { calls.push_back("close"); }
    void ShowVideoOptions() override { calls.push_back("options"); }

    bool MainWindowExists() const override { return exists; }
    void CreateMainWindow() override {
        calls.push_back("create");
        exists = canCreate;
    }
    void ShowMainWindow(TBorderStyle border) override {
        calls.push_back(border == TBorderStyle::None ? "show without border" : "show with border");
    }
    void CloseDGfx() override { calls.push_back("release graphics"); }
};

class LauncherModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogFile((dir_.path() / "debug.txt").string());
        SetDebugLogClock([] { return 5u; });
        SetMessageBoxHandler(
            [this](void*, const std::string& caption, const std::string& text, TMessageIcon icon) {
                boxes_.push_back(caption + ": " + text);
                EXPECT_EQ(icon, TMessageIcon::Error);
            });
    }
    void TearDown() override {
        SetMessageBoxHandler({});
        SetDebugLogFile({});
        SetDebugLogClock({});
    }
    std::string SettingsFile() const { return (dir_.path() / "Quillomar" / "settings.ini").string(); }
    void WriteSettings(const std::string& text) {
        std::filesystem::create_directories(dir_.path() / "Quillomar");
        std::ofstream(SettingsFile()) << text;
    }
    std::string Trace() const {
        std::ifstream in(dir_.path() / "debug.txt", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    TempDir dir_;
    TOptions options_{SettingsFile()};
    TRecorder r_;
    std::vector<std::string> boxes_;
};

TEST_F(LauncherModelTest, CreatingLoadsTheSettingsAndWritesDefaultsOnFirstRun) {
    options_.SoundVol = 7;
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate();
    EXPECT_EQ(options_.SoundVol, 160);
    EXPECT_TRUE(std::filesystem::exists(SettingsFile())); // first run: defaults written
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(LauncherModelTest, ABrokenValueIsReportedAndTheLauncherGoesOnWithWhatWasRead) {
    WriteSettings("[Software\\Quillomar]\nFullscreen=0\nResolution=2\nColor=x\n");
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate();
    EXPECT_THAT(boxes_, ElementsAre("Veltrane: Invalid data type for 'Color'"));
    EXPECT_FALSE(options_.Fullscreen);
    EXPECT_EQ(options_.Resolution, 2);
    EXPECT_EQ(options_.Color, 0);

    launcher.FormShow();
    EXPECT_THAT(r_.calls, ElementsAre("caption Veltrane"));
}

TEST_F(LauncherModelTest, EveryShowPutsTheApplicationTitleInTheCaption) {
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate();
    launcher.FormShow();
    launcher.FormShow();
    EXPECT_THAT(r_.calls, ElementsAre("caption Veltrane", "caption Veltrane"));
    EXPECT_STRNE(TLauncherModel::StoredCaption, "Veltrane");
}

TEST_F(LauncherModelTest, StartHidesTheLauncherAndShowsAWindowedGameWithABorder) {
    WriteSettings("[Software\\Quillomar]\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\n"
                  "SoundVol=1\nMusicVol=1\nHelp=1\nWriteDebug=0\nPseudoFullscreen=0\n");
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate();
    launcher.btnStartClick();
    EXPECT_THAT(r_.calls, ElementsAre("create", "hide", "show with border"));
    EXPECT_EQ(Trace(), "5 Fullscreen = False\r\n");
}

TEST_F(LauncherModelTest, StartInFullScreenShowsTheGameWithoutBorder) {
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate(); // defaults: full screen
    launcher.btnStartClick();
    EXPECT_THAT(r_.calls, ElementsAre("create", "hide", "show without border"));
    EXPECT_EQ(Trace(), "5 Fullscreen = True\r\n");
}

TEST_F(LauncherModelTest, HidingWithoutAMainWindowShowsNothing) {
    r_.canCreate = false;
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate();
    launcher.btnStartClick();
    EXPECT_THAT(r_.calls, ElementsAre("create", "hide"));
    EXPECT_EQ(Trace(), "");
}

TEST_F(LauncherModelTest, OptionsOpensTheDialogAndExitReleasesThenCloses) {
    TLauncherModel launcher(r_, r_, "Veltrane", options_);
    launcher.FormCreate();
    launcher.btnOptionsClick();
    launcher.btnExitClick();
    EXPECT_THAT(r_.calls, ElementsAre("options", "release graphics", "close"));
    EXPECT_EQ(Trace(), "");
}

} // namespace
} // namespace veltrane

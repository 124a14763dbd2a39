#include "settings/VideoOptionsModel.h"

#include "platform/KeyValueStore.h"
#include "settings/Options.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

using M = TVideoOptionsModel;

class VideoOptionsModelTest : public ::testing::Test {
protected:
    VideoOptionsModelTest() : options_((dir_.path() / "settings.ini").string()) {}

    std::string FileText() const {
        std::ifstream in(options_.File(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    int32_t Stored(const char* name) const {
        TKeyValueStore store(options_.File(), "Software\\Quillomar");
        store.Load();
        int32_t value = -1;
        EXPECT_EQ(store.ReadInteger(name, value), TKeyValueStore::TReadResult::Ok) << name;
        return value;
    }

    TempDir dir_;
    TOptions options_;
    TVideoOptionsModel model_;
};

TEST_F(VideoOptionsModelTest, DefaultsShowFullScreenOnTheDesktopWith800x600Disabled) {
    model_.FormShow(options_); // Fullscreen, Desktop, Resolution 6, Help
    EXPECT_EQ(model_.FullscreenIndex, M::ItemFullScreen);
    EXPECT_TRUE(model_.DesktopChecked);
    EXPECT_TRUE(model_.DesktopEnabled);
    EXPECT_EQ(model_.ResIndex, 3);
    EXPECT_STREQ(M::ResolutionItems[size_t(model_.ResIndex)], "800x600");
    EXPECT_FALSE(model_.ResEnabled);
    EXPECT_TRUE(model_.ShowHelpChecked);
}

TEST_F(VideoOptionsModelTest, ShowingPutsTheStoredChoicesIntoTheControls) {
    options_.Fullscreen = false;
    options_.Desktop = false;
    options_.Resolution = 2;
    options_.Help = false;
    model_.FormShow(options_);
    EXPECT_EQ(model_.FullscreenIndex, M::ItemWindowed);
    EXPECT_FALSE(model_.DesktopChecked);
    EXPECT_FALSE(model_.DesktopEnabled);
    EXPECT_EQ(model_.ResIndex, 2);
    EXPECT_TRUE(model_.ResEnabled);
    EXPECT_FALSE(model_.ShowHelpChecked);

    // Full screen at a size of its own: the desktop box is offered but not ticked.
    options_.Fullscreen = true;
    options_.Resolution = 8;
    model_.FormShow(options_);
    EXPECT_EQ(model_.FullscreenIndex, M::ItemFullScreen);
    EXPECT_TRUE(model_.DesktopEnabled);
    EXPECT_FALSE(model_.DesktopChecked);
    EXPECT_EQ(model_.ResIndex, 8);
    EXPECT_TRUE(model_.ResEnabled);
}

TEST_F(VideoOptionsModelTest, AStoredDesktopTickDoesNotLockTheListOfAWindow) {
    // Left by a settings load that stopped early: windowed, with the default desktop tick.
    options_.Fullscreen = false;
    options_.Desktop = true;
    options_.Resolution = 1;
    model_.FormShow(options_);
    EXPECT_EQ(model_.FullscreenIndex, M::ItemWindowed);
    EXPECT_FALSE(model_.DesktopChecked);
    EXPECT_FALSE(model_.DesktopEnabled);
    EXPECT_EQ(model_.ResIndex, 1);
    EXPECT_TRUE(model_.ResEnabled);
    ASSERT_TRUE(model_.btnOKClick(options_));
    EXPECT_EQ(options_.Resolution, 1);
    EXPECT_FALSE(options_.Desktop);
}

TEST_F(VideoOptionsModelTest, WindowedClearsAndDisablesTheDesktopBoxAndFullScreenTicksItAgain) {
    model_.FormShow(options_);
    model_.SelectMode(M::ItemWindowed);
    EXPECT_FALSE(model_.DesktopChecked);
    EXPECT_FALSE(model_.DesktopEnabled);
    EXPECT_TRUE(model_.ResEnabled);
    EXPECT_EQ(model_.ResIndex, 3); // the list keeps what it showed

    model_.SelectResolution(5);
    model_.SelectMode(M::ItemFullScreen);
    EXPECT_TRUE(model_.DesktopChecked);
    EXPECT_TRUE(model_.DesktopEnabled);
    EXPECT_FALSE(model_.ResEnabled);
    EXPECT_EQ(model_.ResIndex, 3);
}

TEST_F(VideoOptionsModelTest, TheDesktopBoxSwitchesTheList) {
    model_.FormShow(options_);
    model_.SetDesktop(false);
    EXPECT_TRUE(model_.ResEnabled);
    EXPECT_EQ(model_.ResIndex, 3);
    model_.SelectResolution(7);
    model_.SetDesktop(true);
    EXPECT_FALSE(model_.ResEnabled);
    EXPECT_EQ(model_.ResIndex, 3);
}

TEST_F(VideoOptionsModelTest, PickingTheSelectedModeAgainChangesNothing) {
    model_.FormShow(options_);
    model_.SetDesktop(false);
    model_.SelectResolution(1);
    model_.SelectMode(M::ItemFullScreen); // already selected: no click
    EXPECT_FALSE(model_.DesktopChecked);
    EXPECT_EQ(model_.ResIndex, 1);
    EXPECT_TRUE(model_.ResEnabled);
}

TEST_F(VideoOptionsModelTest, OkStoresTheControlsAlways32BitColourAndSaves) {
    options_.Color = 0;
    model_.FormShow(options_);
    model_.SelectMode(M::ItemWindowed);
    model_.SelectResolution(4);
    model_.ShowHelpChecked = false;
    ASSERT_TRUE(model_.btnOKClick(options_));
    EXPECT_FALSE(options_.Fullscreen);
    EXPECT_EQ(options_.Color, 1);
    EXPECT_EQ(options_.Resolution, 4);
    EXPECT_FALSE(options_.Desktop);
    EXPECT_FALSE(options_.Help);
    EXPECT_EQ(Stored("Fullscreen"), 0);
    EXPECT_EQ(Stored("Color"), 1);
    EXPECT_EQ(Stored("Resolution"), 4);
    EXPECT_EQ(Stored("Desktop"), 0);
    EXPECT_EQ(Stored("Help"), 0);
    EXPECT_EQ(Stored("SoundVol"), 160); // the whole set is written

    // Untouched controls still store 32-bit colour.
    options_.Color = 0;
    model_.FormShow(options_);
    ASSERT_TRUE(model_.btnOKClick(options_));
    EXPECT_EQ(options_.Color, 1);
    EXPECT_EQ(Stored("Color"), 1);
}

TEST_F(VideoOptionsModelTest, OkWithTheDesktopBoxStores800x600AndDesktop) {
    options_.Desktop = false;
    options_.Resolution = 7;
    model_.FormShow(options_);
    EXPECT_EQ(model_.ResIndex, 7);
    model_.SetDesktop(true);
    ASSERT_TRUE(model_.btnOKClick(options_));
    EXPECT_EQ(options_.Resolution, 3);
    EXPECT_TRUE(options_.Desktop);
    EXPECT_TRUE(options_.Fullscreen);
}

TEST_F(VideoOptionsModelTest, TheDesktopEntryShowsNoItemAndOkStores800x600) {
    // Entry 9 is set by the main window (desktop or pseudo full screen); the list has no item for it.
    options_.Fullscreen = false;
    options_.Desktop = false;
    options_.Resolution = 9;
    model_.FormShow(options_);
    EXPECT_EQ(model_.ResIndex, M::NoItem);
    EXPECT_TRUE(model_.ResEnabled);
    ASSERT_TRUE(model_.btnOKClick(options_));
    EXPECT_EQ(options_.Resolution, 3);
    EXPECT_EQ(Stored("Resolution"), 3);
}

TEST_F(VideoOptionsModelTest, WithoutOkNothingChangesAndTheNextShowStartsFromTheSettings) {
    ASSERT_TRUE(options_.Save());
    const std::string before = FileText();
    model_.FormShow(options_);
    model_.SelectMode(M::ItemWindowed);
    model_.SelectResolution(0);
    model_.ShowHelpChecked = false;
    // Cancel or the close box: the dialog just closes.
    EXPECT_TRUE(options_.Fullscreen);
    EXPECT_TRUE(options_.Desktop);
    EXPECT_EQ(options_.Resolution, 6);
    EXPECT_TRUE(options_.Help);
    EXPECT_EQ(FileText(), before);

    model_.FormShow(options_);
    EXPECT_EQ(model_.FullscreenIndex, M::ItemFullScreen);
    EXPECT_TRUE(model_.DesktopChecked);
    EXPECT_TRUE(model_.DesktopEnabled);
    EXPECT_FALSE(model_.ResEnabled);
    EXPECT_TRUE(model_.ShowHelpChecked);
}

TEST_F(VideoOptionsModelTest, OkReportsASettingsFileThatCannotBeWritten) {
    fs::create_directories(dir_.path() / "blocked");
    TOptions options((dir_.path() / "blocked").string()); // a folder where the file should be
    model_.FormShow(options);
    model_.SelectMode(M::ItemWindowed);
    std::string error;
    EXPECT_FALSE(model_.btnOKClick(options, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(options.Fullscreen); // kept in memory for this run
}

} // namespace
} // namespace veltrane

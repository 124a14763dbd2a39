#include "settings/Options.h"

#include "platform/DebugLog.h"
#include "platform/KeyValueStore.h"

#include "FileFaults.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Points the settings store at a fresh folder for the length of a test.
class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
        setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
    }
    void TearDown() override {
        if (oldXdg_.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    }
    fs::path File() const { return dir_.path() / "Quillomar" / "settings.ini"; }
    void WriteFile(const std::string& text) {
        fs::create_directories(File().parent_path());
        std::ofstream(File()) << text;
    }
    std::string LoadError(TOptions& options) {
        try {
            options.Load();
        } catch (const ERegistryException& e) {
            return e.what();
        }
        return "no error";
    }

    TempDir dir_;
    std::string oldXdg_;
};

const char* const AllValues = "[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=1\n"
                              "Resolution=6\nColor=0\nDesktop=1\nTexture=2\nHelp=1\nWriteDebug=0\n"
                              "PseudoFullscreen=0\n";

TEST_F(OptionsTest, FirstRunWritesEveryDefaultInOrder) {
    TOptions options;
    EXPECT_EQ(options.File(), File().string());
    options.SoundVol = 7; // a missing key resets the fields too
    options.Load();
    EXPECT_EQ(ReadAll(File()), AllValues);
    EXPECT_EQ(options.SoundVol, 160);
    EXPECT_EQ(options.MusicVol, 120);
    EXPECT_EQ(options.Texture, 2);
    EXPECT_EQ(options.Resolution, 6);
    EXPECT_EQ(options.Color, 0);
    EXPECT_TRUE(options.Fullscreen && options.Desktop && options.Help);
    EXPECT_FALSE(options.PseudoFullscreen || options.WriteDebug);
}

TEST_F(OptionsTest, ValuesLoadCannotWriteBackAreTraced) {
    const fs::path trace = dir_.path() / "debug.txt";
    SetDebugLogFile(trace.string());
    SetDebugLogClock([] { return 5u; });
    // No key yet: the defaults are written back; then a key without the late switches.
    for (const std::string& stored :
         {std::string(), std::string(AllValues).substr(0, std::string(AllValues).find("WriteDebug"))}) {
        SCOPED_TRACE(stored);
        WriteFile(stored);
        std::ofstream(trace) << "";
        TOptions options;
        {
            filefaults::TScopedFault full({"disk full", filefaults::TCall::Write, ENOSPC});
            EXPECT_EQ(LoadError(options), "no error");
        }
        EXPECT_EQ(filefaults::ReadAll(File()), stored);
        EXPECT_EQ(filefaults::ReadAll(trace).rfind("5 Settings not saved: cannot write ", 0), 0u)
            << filefaults::ReadAll(trace);
        EXPECT_NE(filefaults::ReadAll(trace).find("No space left on device\r\n"), std::string::npos);
    }
    SetDebugLogClock({});
    SetDebugLogFile("");
}

TEST_F(OptionsTest, EveryFailingCallOfASaveIsReportedAndKeepsTheOldFile) {
    WriteFile(AllValues);
    TOptions options;
    options.Load();
    options.SoundVol = 40;
    filefaults::ExpectEachFaultReported(File(), [&](const filefaults::TFault& fault) {
        std::string error;
        const bool ok = options.Save(&error);
        EXPECT_NE(error.find(std::strerror(fault.Error)), std::string::npos) << error;
        return ok;
    });
}

TEST_F(OptionsTest, AFileWithoutTheSectionCountsAsNoKey) {
    WriteFile("[Other]\nSoundVol=3\n");
    TOptions options;
    options.Load();
    EXPECT_EQ(options.SoundVol, 160);
    const std::string text = ReadAll(File());
    EXPECT_NE(text.find("[Other]\nSoundVol=3\n"), std::string::npos) << text;
    EXPECT_NE(text.find(AllValues), std::string::npos) << text;
}

TEST_F(OptionsTest, ReadsStoredValuesKeepingLowBytesAndAnyNonZeroAsTrue) {
    WriteFile("[Software\\Quillomar]\nSoundVol=300\nMusicVol=-1\nFullscreen=0\nResolution=3\n"
              "Color=1\nDesktop=0\nTexture=5\nHelp=7\nWriteDebug=-2\nPseudoFullscreen=0\n");
    TOptions options;
    options.Load();
    EXPECT_EQ(options.SoundVol, 44);
    EXPECT_EQ(options.MusicVol, 255);
    EXPECT_FALSE(options.Fullscreen);
    EXPECT_EQ(options.Resolution, 3);
    EXPECT_EQ(options.Color, 1);
    EXPECT_FALSE(options.Desktop);
    EXPECT_EQ(options.Texture, 5);
    EXPECT_TRUE(options.Help);
    EXPECT_TRUE(options.WriteDebug);
    EXPECT_FALSE(options.PseudoFullscreen);
    EXPECT_EQ(options.CurrentResolution().Width, 800);
    EXPECT_EQ(options.CurrentColorDepth(), 32);
}

TEST_F(OptionsTest, LoadDiscardsChangesMadeInMemory) {
    TOptions options;
    options.Load();
    options.SoundVol = 10;
    options.Help = false;
    options.Texture = 4;
    options.Load();
    EXPECT_EQ(options.SoundVol, 160);
    EXPECT_TRUE(options.Help);
    EXPECT_EQ(options.Texture, 2);

    options.MusicVol = 30;
    ASSERT_TRUE(options.Save());
    TOptions other;
    other.Load();
    EXPECT_EQ(other.MusicVol, 30);
}

TEST_F(OptionsTest, MissingLateSwitchesBecomeFalseAndAreWrittenBack) {
    std::string text = AllValues;
    text.replace(text.find("WriteDebug=0\n"), 13, "");
    text.replace(text.find("PseudoFullscreen=0"), 18, "PseudoFullscreen=1");
    WriteFile(text);
    TOptions options;
    options.WriteDebug = true;
    options.Load();
    EXPECT_FALSE(options.PseudoFullscreen);
    EXPECT_FALSE(options.WriteDebug);

    TKeyValueStore store(File().string(), "Software\\Quillomar");
    store.Load();
    int32_t value = -5;
    EXPECT_EQ(store.ReadInteger("WriteDebug", value), TKeyValueStore::TReadResult::Ok);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(store.ReadInteger("PseudoFullscreen", value), TKeyValueStore::TReadResult::Ok);
    EXPECT_EQ(value, 0);
}

TEST_F(OptionsTest, ALateSwitchThatIsNotANumberAlsoFallsBack) {
    std::string text = AllValues;
    text.replace(text.find("WriteDebug=0"), 12, "WriteDebug=yes");
    text.replace(text.find("PseudoFullscreen=0"), 18, "PseudoFullscreen=1");
    WriteFile(text);
    TOptions options;
    options.Load();
    EXPECT_FALSE(options.PseudoFullscreen);
    EXPECT_NE(ReadAll(File()).find("WriteDebug=0\n"), std::string::npos);
}

TEST_F(OptionsTest, AMissingMainValueStopsLoadAfterTheValuesBeforeIt) {
    // Read order: Fullscreen, Resolution, Color, Desktop, Texture, SoundVol, MusicVol, Help.
    WriteFile("[Software\\Quillomar]\nFullscreen=0\nResolution=2\nColor=1\nDesktop=0\nTexture=4\n"
              "MusicVol=50\nHelp=0\n");
    TOptions options;
    options.SoundVol = 77;
    EXPECT_EQ(LoadError(options), "Failed to get data for 'SoundVol'");
    EXPECT_FALSE(options.Fullscreen);
    EXPECT_EQ(options.Resolution, 2);
    EXPECT_EQ(options.Color, 1);
    EXPECT_FALSE(options.Desktop);
    EXPECT_EQ(options.Texture, 4);
    EXPECT_EQ(options.SoundVol, 77); // untouched from here on
    EXPECT_EQ(options.MusicVol, 120);
    EXPECT_TRUE(options.Help);
}

TEST_F(OptionsTest, AMainValueThatIsNotAnIntegerNamesItself) {
    WriteFile("[Software\\Quillomar]\nFullscreen=0\nResolution=1.5\nColor=1\n");
    TOptions options;
    EXPECT_EQ(LoadError(options), "Invalid data type for 'Resolution'");
    EXPECT_FALSE(options.Fullscreen);
    EXPECT_EQ(options.Resolution, 6);
    EXPECT_EQ(options.Color, 0);

    WriteFile("[Software\\Quillomar]\nFullscreen=99999999999\n");
    EXPECT_EQ(LoadError(options), "Invalid data type for 'Fullscreen'");
}

TEST_F(OptionsTest, IndexesOutsideTheTablesFallBackToTheDefaults) {
    std::string text = AllValues;
    text.replace(text.find("Resolution=6"), 12, "Resolution=10");
    text.replace(text.find("Color=0"), 7, "Color=258"); // low byte 2: still outside
    WriteFile(text);
    TOptions options;
    options.Load();
    EXPECT_EQ(options.Resolution, 6);
    EXPECT_EQ(options.Color, 0);

    // Fields set directly are guarded by the accessors.
    options.Resolution = 200;
    options.Color = 9;
    EXPECT_EQ(options.CurrentResolution().Width, 1280);
    EXPECT_EQ(options.CurrentResolution().Height, 768);
    EXPECT_EQ(options.CurrentColorDepth(), 16);
}

} // namespace
} // namespace veltrane

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

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

TEST(ResolvePath, MatchesEachComponentIgnoringCaseAndTurnsBackslashes) {
    TempDir dir;
    fs::create_directories(dir.path() / "Images" / "Skin1");
    std::ofstream(dir.path() / "Images" / "Skin1" / "tex0.tga") << "x";
    std::ofstream(dir.path() / "Images" / "effect1.tga") << "x";

    const std::string root = dir.path().string();
    EXPECT_EQ(ResolvePath(root + "\\Images\\Skin1\\tex0.tga"), root + "/Images/Skin1/tex0.tga");
    EXPECT_EQ(ResolvePath(root + "\\images\\EFFECT1.TGA"), root + "/Images/effect1.tga");
    // A name that matches nothing comes back as asked, with slashes.
    EXPECT_EQ(ResolvePath(root + "\\images\\none\\x.tga"), root + "/Images/none/x.tga");
}

TEST(ResolvePath, WorksRelativeToTheCurrentFolder) {
    TempDir dir;
    fs::create_directories(dir.path() / "Music");
    std::ofstream(dir.path() / "Music" / "menu1.ogg") << "x";
    CurrentDir cd(dir.path());
    EXPECT_EQ(ResolvePath("music\\MENU1.ogg"), "Music/menu1.ogg");
}

TEST(WriteFileAtomically, ReplacesWholeAndLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path file = dir.path() / "Hiscores.dat";
    std::ofstream(file) << "old contents";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "new"));
    EXPECT_EQ(ReadAll(file), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(WriteFileAtomically, FailureKeepsTheOldFileAndSaysWhy) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically((dir.path() / "missing" / "f.dat").string(), "x", &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(DebugLog, LinesAreTickThenMessageWithCrLf) {
    TempDir dir;
    const fs::path file = dir.path() / "debug.txt";
    SetDebugLogFile(file.string());
    uint32_t tick = 4294967295u;
    SetDebugLogClock([&] { return tick; });
    std::ofstream(file) << "previous run\r\n";

    DebugLog(true, " Main form created");
    tick = 17;
    DebugLog(false, "");
    DebugLog(false, " Vertices initialized");
    EXPECT_EQ(ReadAll(file), "4294967295 Main form created\r\n17\r\n17 Vertices initialized\r\n");

    SetDebugLogClock({});
    SetDebugLogFile("");
}

TEST(DebugLog, AnUnwritableTraceIsDroppedNotFatal) {
    TempDir dir;
    SetDebugLogFile((dir.path() / "no" / "debug.txt").string());
    testing::internal::CaptureStderr();
    DebugLog(true, " one");
    DebugLog(false, " two");
    const std::string err = testing::internal::GetCapturedStderr();
    // Said once, not once per line.
    EXPECT_NE(err.find("cannot write the trace"), std::string::npos);
    EXPECT_EQ(err.find("cannot write the trace"), err.rfind("cannot write the trace"));
    SetDebugLogFile("");
}

} // namespace
} // namespace veltrane

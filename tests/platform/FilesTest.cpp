#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include "FileFaults.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

using filefaults::ReadAll;

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

TEST(WriteFileAtomically, EveryFailingCallIsReportedWithItsErrorAndCleanedUp) {
    using namespace filefaults;
    TempDir dir;
    const fs::path file = dir.path() / "Save1.dat";
    std::ofstream(file) << "old contents";
    ExpectEachFaultReported(file, [&](const TFault& fault) {
        std::string error;
        const bool ok = WriteFileAtomically(file.string(), std::string(100000, 'n'), &error);
        EXPECT_NE(error.find(std::strerror(fault.Error)), std::string::npos) << error;
        return ok;
    });

    // A write that takes only part of the bytes is carried on, not taken for the whole.
    {
        TScopedFault shortWrite({"short write", TCall::Write, 0, true});
        ASSERT_TRUE(WriteFileAtomically(file.string(), "new contents"));
        EXPECT_TRUE(shortWrite.Hit());
    }
    EXPECT_EQ(ReadAll(file), "new contents");
}

TEST(WriteFileAtomically, RemovesOnlyTheTemporaryFilesAKilledSaveLeft) {
    TempDir dir;
    const fs::path file = dir.path() / "Save1.dat";
    const char* const kept[] = {"Save1.dat.bak",    "Save1.dat.abcdefg", "Save1.dat.ab-cde",
                                "Save2.dat.Ab3xYz", "xSave1.dat.Ab3xYz", "Save1.dat.Held01"};
    for (const char* name : {"Save1.dat.Ab3xYz", "Save1.dat.000000"}) std::ofstream(dir.path() / name) << "x";
    for (const char* name : kept) std::ofstream(dir.path() / name) << "x";
    fs::create_directory(dir.path() / "Save1.dat.Dir123");
    // A temporary file another writer is still writing is held locked, and stays.
    const int held = open((dir.path() / "Save1.dat.Held01").c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileAtomically(file.string(), "new"));
    close(held);
    std::set<std::string> expected(std::begin(kept), std::end(kept));
    expected.insert({"Save1.dat", "Save1.dat.Dir123"});
    EXPECT_EQ(filefaults::FolderNames(dir.path()), expected);
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

TEST(DebugLog, EveryFailingCallIsSaidOnStandardErrorAndKeepsTheEarlierLines) {
    using namespace filefaults;
    TempDir dir;
    const fs::path file = dir.path() / "debug.txt";
    const int descriptors = OpenDescriptors();
    for (const TFault& fault : AppendFaults) {
        SCOPED_TRACE(fault.Name);
        SetDebugLogFile(file.string());
        std::ofstream(file, std::ios::binary) << "1 earlier line\r\n";
        testing::internal::CaptureStderr();
        {
            TScopedFault scoped(fault);
            DebugLog(false, " " + std::string(5000, 'x'));
            EXPECT_TRUE(scoped.Hit());
        }
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("cannot write the trace file"), std::string::npos);
        EXPECT_NE(err.find(std::strerror(fault.Error)), std::string::npos) << err;
        EXPECT_EQ(ReadAll(file).rfind("1 earlier line\r\n", 0), 0u);
        EXPECT_EQ(OpenDescriptors(), descriptors);
    }
    SetDebugLogFile("");
}

} // namespace
} // namespace veltrane

#include "platform/KeyValueStore.h"

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

TEST(KeyValueStore, TellsMissingFromNotAnInteger) {
    TempDir dir;
    const fs::path file = dir.path() / "s.ini";
    std::ofstream(file) << "[Key]\nA=12\nB=twelve\nC=-7 \nD=\n";
    TKeyValueStore store(file.string(), "Key");
    EXPECT_FALSE(store.KeyExists()); // nothing read yet
    store.Load();
    EXPECT_TRUE(store.KeyExists());
    int32_t v = 0;
    EXPECT_EQ(store.ReadInteger("a", v), TKeyValueStore::TReadResult::Ok);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(store.ReadInteger("B", v), TKeyValueStore::TReadResult::NotInteger);
    EXPECT_EQ(store.ReadInteger("C", v), TKeyValueStore::TReadResult::Ok);
    EXPECT_EQ(v, -7);
    EXPECT_EQ(store.ReadInteger("D", v), TKeyValueStore::TReadResult::NotInteger);
    EXPECT_EQ(store.ReadInteger("E", v), TKeyValueStore::TReadResult::Missing);

    TKeyValueStore other(file.string(), "Other");
    other.Load();
    EXPECT_FALSE(other.KeyExists());
    EXPECT_EQ(other.ReadInteger("A", v), TKeyValueStore::TReadResult::Missing);
}

TEST(KeyValueStore, ReadsLongAndIndentedLinesAndSavesWhatItRead) {
    struct TCase {
        const char* what;
        std::string text;
    };
    const std::string longValue(1000, '7');
    const TCase cases[] = {
        {"a long comment line",
         "[Key]\n; " + std::string(300, '-') + " Fullscreen=abc\nFullscreen=1\nResolution=3\n"},
        {"indented lines and comments",
         "[Key]\n  ; the display\n  Fullscreen=1\n\tResolution = 3 \n    # done\n[Else]\n  X=text\n"},
        {"a signature, CR LF and comments after values",
         "\xEF\xBB\xBF[Key]\r\nFullscreen=1 ; full screen\r\nResolution=3\r\n"},
        {"a long value and a name given twice",
         "[Key]\nFullscreen=0\nLong=" + longValue + "\n[key]\nfullscreen=1\nResolution=3\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path file = dir.path() / "settings.ini";
        std::ofstream(file, std::ios::binary) << c.text;
        TKeyValueStore store(file.string(), "Key");
        store.Load();
        int32_t fullscreen = 0, resolution = 0;
        EXPECT_EQ(store.ReadInteger("Fullscreen", fullscreen), TKeyValueStore::TReadResult::Ok);
        EXPECT_EQ(store.ReadInteger("Resolution", resolution), TKeyValueStore::TReadResult::Ok);
        EXPECT_EQ(fullscreen, 1);
        EXPECT_EQ(resolution, 3);

        // What a save writes reads back the same, and saving it again changes nothing.
        ASSERT_TRUE(store.Save());
        const std::string saved = ReadAll(file);
        TKeyValueStore again(file.string(), "Key");
        again.Load();
        EXPECT_EQ(again.ReadInteger("Fullscreen", fullscreen), TKeyValueStore::TReadResult::Ok);
        EXPECT_EQ(again.ReadInteger("Resolution", resolution), TKeyValueStore::TReadResult::Ok);
        EXPECT_EQ(fullscreen, 1);
        EXPECT_EQ(resolution, 3);
        ASSERT_TRUE(again.Save());
        EXPECT_EQ(ReadAll(file), saved);
        // Values the program does not know are kept whole, however long.
        const bool hasLong = c.text.find("Long=") != std::string::npos;
        EXPECT_EQ(saved.find("Long=" + longValue + "\n") != std::string::npos, hasLong);
    }
}

TEST(KeyValueStore, SaveReplacesTheFileAndKeepsEveryOtherValue) {
    TempDir dir;
    const fs::path file = dir.path() / "Quillomar" / "settings.ini";
    TKeyValueStore first(file.string(), "Key");
    first.Load(); // no file yet: empty
    first.WriteInteger("Known", 1);
    ASSERT_TRUE(first.Save()); // creates the folder
    std::ofstream(file, std::ios::app) << "Extra=5\n[Else]\nX=text\n";

    TKeyValueStore store(file.string(), "Key");
    store.Load();
    store.WriteInteger("known", 2); // replaces, keeping the stored spelling
    store.WriteInteger("New", 3);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadAll(file), "[Key]\nKnown=2\nExtra=5\nNew=3\n\n[Else]\nX=text\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST(KeyValueStore, AFailedSaveSaysSoAndLeavesTheOldFile) {
    TempDir dir;
    const fs::path blocker = dir.path() / "Quillomar";
    std::ofstream(blocker) << "a file where the folder should be";
    TKeyValueStore store((blocker / "settings.ini").string(), "Key");
    store.WriteInteger("A", 1);
    std::string error;
    EXPECT_FALSE(store.Save(&error));
    EXPECT_NE(error.find("Quillomar"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(blocker), "a file where the folder should be");
}

} // namespace
} // namespace veltrane

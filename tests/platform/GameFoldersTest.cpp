#include "platform/GameFolders.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

TEST(FindGameFolders, DataBesideTheProgramIsPortableElseInstalledUnderXdgDataHome) {
    TempDir dir;
    const fs::path portable = dir.path() / "game";
    fs::create_directories(portable / "data");
    const fs::path bin = dir.path() / "prefix" / "bin";
    fs::create_directories(bin);
    const std::string share = (dir.path() / "prefix" / "share" / "veltrane").string();
    struct {
        fs::path program;
        const char* xdg;
        const char* home;
        bool installed;
        std::string game, player;
    } cases[] = {
        {portable, "/x/data", "/h", false, portable.string(), portable.string()},
        {bin, nullptr, "/h", true, share, "/h/.local/share/veltrane"},
        {bin / "", "/x/data", "/h", true, share, "/x/data/veltrane"},
        // Only an absolute XDG_DATA_HOME counts.
        {bin, "", "/h", true, share, "/h/.local/share/veltrane"},
        {bin, "rel/data", "/h", true, share, "/h/.local/share/veltrane"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program.string() + " " + (c.xdg ? c.xdg : "(unset)"));
        const TGameFolders folders = FindGameFolders(c.program.string(), c.xdg, c.home);
        EXPECT_EQ(folders.Installed, c.installed);
        EXPECT_EQ(folders.Game, c.game);
        EXPECT_EQ(folders.Player, c.player);
    }
}

TEST(SetFileRoots, PlayerFilesComeFromThePlayerFolderEverythingElseFromTheGameFolder) {
    TempDir game, player;
    fs::create_directories(game.path() / "Images" / "Tutorial");
    std::ofstream(game.path() / "Images" / "Tutorial" / "tut1.jpg") << "x";
    fs::create_directories(player.path() / "data");
    std::ofstream(player.path() / "data" / "Save1.dat") << "x";
    SetFileRoots(game.path().string(), player.path().string());
    const std::string g = game.path().string(), p = player.path().string();
    EXPECT_EQ(ResolvePath("images\\tutorial\\TUT1.JPG"), g + "/Images/Tutorial/tut1.jpg");
    EXPECT_EQ(ResolvePath("Images\\Tutorial\\tut1.bmp"), p + "/Images/Tutorial/tut1.bmp");
    EXPECT_EQ(ResolvePath("DATA\\save1.dat"), p + "/data/Save1.dat");
    EXPECT_EQ(ResolvePath("data/Hiscores.dat"), p + "/data/Hiscores.dat");
    EXPECT_EQ(ResolvePath("data/Levels.dat"), g + "/data/Levels.dat");
    EXPECT_EQ(ResolvePath("debug.txt"), p + "/debug.txt");
    // Absolute names stay as they are.
    EXPECT_EQ(ResolvePath(g + "/data/Save1.dat"), g + "/data/Save1.dat");
    SetFileRoots("", "");
    EXPECT_EQ(ResolvePath("data/Save1.dat"), "data/Save1.dat");
}

TEST(PreparePlayerFolder, MakesTheFoldersTheGameWritesOrSaysWhyNot) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(PreparePlayerFolder((dir.path() / "a" / "veltrane").string(), error)) << error;
    EXPECT_TRUE(fs::is_directory(dir.path() / "a" / "veltrane" / "data"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "a" / "veltrane" / "Images" / "Tutorial"));

    // A file where the folder should be is left alone.
    std::ofstream(dir.path() / "veltrane") << "mine";
    EXPECT_FALSE(PreparePlayerFolder((dir.path() / "veltrane").string(), error));
    EXPECT_NE(error.find((dir.path() / "veltrane").string()), std::string::npos) << error;
    std::ifstream in(dir.path() / "veltrane");
    std::string kept;
    in >> kept;
    EXPECT_EQ(kept, "mine");

    EXPECT_FALSE(PreparePlayerFolder("relative/veltrane", error));
}

TEST(DebugLog, WithoutAFolderTheTraceGoesToStandardError) {
    SetDebugLogToStandardError();
    testing::internal::CaptureStderr();
    DebugLog(false, " SaveGame data/Save1.dat: cannot create");
    const std::string err = testing::internal::GetCapturedStderr();
    SetDebugLogFile("");
    EXPECT_NE(err.find(" SaveGame data/Save1.dat: cannot create\n"), std::string::npos) << err;
}

} // namespace
} // namespace veltrane

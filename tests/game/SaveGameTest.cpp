// Saved games: the exact text written, the round trip, and save files that are turned away
// without harm to the running game or to the file.
#include "FileFaults.h"
#include "GameFixture.h"
#include "GameTestSupport.h"
#include "TempDir.h"

#include "game/Scenery.h"
#include "platform/DebugLog.h"
#include "render/PointerPosition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace veltrane {
namespace {
using namespace testing;
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

class SaveGameTest : public ::testing::Test {
protected:
    SaveGameTest() : cwd_(dir_.path()) {
        fs::create_directory(dir_.path() / "data");
        SetDebugLogFile((dir_.path() / "debug.txt").string());
        game_ = GameWithBoard(EmptyPicture());
        // Every level like level 1, with its own quota, in both modes.
        for (int k = 2; k <= MaxLevels; ++k) game_->Levels[k] = game_->Levels[1];
        for (int k = 1; k <= MaxLevels; ++k) game_->Levels[k].ExtraQuota = {};
    }
    ~SaveGameTest() override { SetDebugLogFile(""); }

    fs::path SavePath(int mode) const { return dir_.path() / SaveFileName(mode); }
    std::string Trace() const { return ReadAll(dir_.path() / "debug.txt"); }

    TempDir dir_;
    CurrentDir cwd_;
    TSoundRecorder sound_;
    std::unique_ptr<TGame> game_;
};

TEST_F(SaveGameTest, RealsAreWrittenInTheTwentyThreeCharacterForm) {
    EXPECT_EQ(SavedRealText(450), " 4.50000000000000E+0002");
    EXPECT_EQ(SavedRealText(1234.5), " 1.23450000000000E+0003");
    EXPECT_EQ(SavedRealText(0), " 0.00000000000000E+0000");
    EXPECT_EQ(SavedRealText(-0.0125), "-1.25000000000000E-0002");
    EXPECT_EQ(SavedRealText(1e300), " 1.00000000000000E+0300");
    // Rounding to 15 digits carries into the exponent.
    EXPECT_EQ(SavedRealText(9.9999999999999999e2), " 1.00000000000000E+0003");
    for (double v : {450.0, 1234.5, -0.0125, 1e300, 123456789.25, -3.5e-7})
        EXPECT_EQ(SavedRealText(v).size(), 23u) << v;
}

TEST_F(SaveGameTest, EveryRealItWritesReadsBack) {
    const double max = std::numeric_limits<double>::max();
    for (double v :
         {max, -max, 1.797693134862315e308, std::nextafter(max, 0.0), 1e308,
          std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(), -1e-300}) {
        SCOPED_TRACE(v);
        game_->TotalScore = v;
        ASSERT_TRUE(game_->SaveGame());
        game_->TotalScore = 0;
        ASSERT_TRUE(game_->LoadGame(1)) << Trace();
        EXPECT_NEAR(game_->TotalScore / v, 1.0, 1e-14);
        EXPECT_EQ(SavedRealText(v).size(), 23u);
    }
    EXPECT_EQ(SavedRealText(max), " 1.79769313486231E+0308");
    EXPECT_EQ(SavedRealText(-max), "-1.79769313486231E+0308");
}

TEST_F(SaveGameTest, SavesAndLoadsThreeCubesOneOfThemAnnounced) {
    game_ = GameWithBoard({
        "1........",
        ".....*...",
        ".........",
        ".........",
        "........J",
        ".........",
        ".........",
        ".........",
        ".........",
    });
    for (int k = 2; k <= MaxLevels; ++k) game_->Levels[k] = game_->Levels[1];
    game_->Level = 7;
    game_->Levels[7].ExtraQuota[1] = 12;
    game_->Levels[7].Progress = 312.6;
    game_->TotalScore = 1234.5;
    game_->Figure = 3;
    ASSERT_TRUE(game_->SaveGame());

    const std::vector<std::string> lines = Lines(ReadAll(SavePath(1)));
    ASSERT_EQ(lines.size(), 8u + 12u);
    EXPECT_FALSE(lines[0].empty()); // date and time
    const std::vector<std::string> expected = {"1",
                                               "7",
                                               "12",
                                               " 3.12600000000000E+0002",
                                               " 1.23450000000000E+0003",
                                               "3",
                                               "3",
                                               "1",
                                               "0",
                                               "1",
                                               "1", // colour 1 on (1, 1)
                                               "0",
                                               "0",
                                               "6",
                                               "2", // announced colour 1 on (6, 2)
                                               "1",
                                               "7",
                                               "9",
                                               "5"}; // joker on (9, 5)
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);
    EXPECT_TRUE(fs::is_empty(dir_.path() / "data") == false);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path() / "data"), fs::directory_iterator{}), 1)
        << "no temporary file is left beside the save";

    // Loaded into a game that has moved on: selection, combo and other cubes go.
    auto other = GameWithBoard({
        "22.......",
        "22.......",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
    });
    for (int k = 2; k <= MaxLevels; ++k) other->Levels[k] = other->Levels[1];
    other->SelectCube(2);
    other->Combo = 4;
    other->PendingScore = 80;
    ASSERT_TRUE(other->LoadGame(1));
    EXPECT_EQ(other->Level, 7);
    EXPECT_EQ(other->Levels[7].ExtraQuota[1], 12);
    EXPECT_EQ(other->Levels[7].Progress, 312.6);
    EXPECT_EQ(other->TotalScore, 1234.5);
    EXPECT_EQ(other->CubeCount, 3);
    EXPECT_EQ(other->FreeCount, 78);
    EXPECT_EQ(other->StateCount[csGrowing + 1], 2);
    EXPECT_EQ(other->StateCount[csAnnounced + 1], 1);
    EXPECT_EQ(other->Selected, 0);
    EXPECT_EQ(other->Combo, 0);
    EXPECT_EQ(other->PendingScore, 0);
    EXPECT_EQ(other->DotCount, 0);
    EXPECT_EQ(other->PrevStateCount, other->StateCount);
    EXPECT_EQ(other->Cubes[3].Kind, ckJoker);
    EXPECT_EQ(other->Cubes[3].Cell(), CellWord(9, 5));
    EXPECT_EQ(other->BoardAt(CellWord(6, 2)).Occupancy, ocReserved);
    EXPECT_EQ(other->BoardAt(CellWord(9, 5)).Occupancy, ocOccupied);
    const TCube& grown = other->Cubes[1];
    EXPECT_FLOAT_EQ(grown.Position.z, 0.15f);
    EXPECT_FLOAT_EQ(grown.Scale.x, 0.3f);
    EXPECT_EQ(other->CheckBoardInvariants(), "");
}

TEST_F(SaveGameTest, TimedGameResumesWithItsSavedTimeBank) {
    game_->GameMode = 2;
    game_->Level = 3;
    game_->Levels[3].Goal[2] = 1000;
    game_->Levels[3].Progress = 123.456789012345;
    game_->Levels[3].ExtraQuota[2] = 5;
    ASSERT_TRUE(game_->SaveGame());
    EXPECT_TRUE(fs::exists(SavePath(2)));
    EXPECT_FALSE(fs::exists(SavePath(1)));

    game_->Levels[3].Progress = 500; // what a fresh start of the level would give
    game_->GameMode = 1;
    ASSERT_TRUE(game_->LoadGame(2));
    EXPECT_EQ(game_->GameMode, 2);
    EXPECT_EQ(game_->Levels[3].Progress, 123.456789012345);
    EXPECT_FLOAT_EQ(game_->Gauge, 0.123456789012345f);
    EXPECT_FLOAT_EQ(game_->GaugeStart, 0.123456789012345f);
    EXPECT_EQ(game_->Levels[3].ExtraQuota[2], 5);
}

TEST_F(SaveGameTest, AHugeProgressLoadsWithTheGaugeFull) {
    // Only a hand-edited file gets here; the gauge must stay a number the score line can draw.
    game_->Level = 3;
    game_->Levels[3].Goal[1] = 1000;
    game_->Levels[3].Progress = 1e300;
    ASSERT_TRUE(game_->SaveGame());
    ASSERT_TRUE(game_->LoadGame(1));
    EXPECT_EQ(game_->Gauge, std::numeric_limits<float>::max());
    game_->Levels[3].Progress = -1e300;
    game_->FollowGauge();
    EXPECT_EQ(game_->GaugeStart, -std::numeric_limits<float>::max());
}

TEST_F(SaveGameTest, MissingFileLeavesAnEmptyBoardAtLevelOne) {
    game_->Level = 9;
    PlaceOnBoard(*game_, CellWord(2, 2), 3);
    EXPECT_FALSE(game_->LoadGame(2));
    EXPECT_EQ(game_->Level, 1);
    EXPECT_EQ(game_->GameMode, 2);
    EXPECT_EQ(game_->CubeCount, 0);
    EXPECT_EQ(game_->FreeCount, 81);
}

TEST_F(SaveGameTest, ReplacesTheSaveWholeAndReportsAFailedWrite) {
    game_->TotalScore = 10;
    PlaceOnBoard(*game_, CellWord(4, 4), 5);
    ASSERT_TRUE(game_->SaveGame());
    game_->RemoveCube(1);
    game_->TotalScore = 20;
    ASSERT_TRUE(game_->SaveGame());
    const std::vector<std::string> lines = Lines(ReadAll(SavePath(1)));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], " 2.00000000000000E+0001");

    fs::remove_all(dir_.path() / "data");
    EXPECT_FALSE(game_->SaveGame());
    EXPECT_NE(Trace().find(" SaveGame data/Save1.dat: cannot create a temporary file"), std::string::npos)
        << Trace();
}

TEST_F(SaveGameTest, EveryFailingCallOfASaveIsReportedAndKeepsTheOldSave) {
    WriteAll(SavePath(1), "the save before");
    filefaults::ExpectEachFaultReported(SavePath(1),
                                        [&](const filefaults::TFault&) { return game_->SaveGame(); });
}

TEST_F(SaveGameTest, AnArmedShotCubeIsSavedBackOnItsHomeCell) {
    game_ = GameWithBoard({
        "S1.......",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
        ".........",
    });
    game_->BoardIdle = true;
    game_->PointerStyle = kPointerGame;
    game_->PointerAt = {-4, -4, 0.01f}; // over (1, 1)
    game_->MouseDown(0);
    ASSERT_EQ(game_->PointerStyle, kPointerAiming);
    RemoveVanished(*game_); // the shot cube has gone; the player leaves while aiming
    ASSERT_EQ(game_->CubeCount, 1);
    ASSERT_TRUE(game_->SaveGame());

    const std::vector<std::string> lines = Lines(ReadAll(SavePath(1)));
    ASSERT_EQ(lines.size(), 8u + 8u);
    EXPECT_EQ(lines[7], "2");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"1", "9", "1", "1"}));
    ASSERT_TRUE(game_->LoadGame(1));
    EXPECT_EQ(game_->Cubes[game_->CubeOn(CellWord(1, 1))].Kind, ckShot);
    EXPECT_EQ(game_->CheckBoardInvariants(), "");
}

// A good save of mode 1 as lines, cubes on (1, 1), (2, 1), (3, 1).
std::vector<std::string> GoodLines() {
    return {"07/12/26 09:00:00",
            "1",
            "2",
            "0",
            " 1.00000000000000E+0002",
            " 2.50000000000000E+0002",
            "1",
            "3",
            "1",
            "0",
            "1",
            "1",
            "1",
            "1",
            "2",
            "1",
            "0",
            "2",
            "3",
            "1"};
}

TEST_F(SaveGameTest, AGoodFileOfTheFixtureLoads) {
    WriteAll(SavePath(1), Join(GoodLines()));
    ASSERT_TRUE(game_->LoadGame(1));
    EXPECT_EQ(game_->CubeCount, 3);
    EXPECT_EQ(game_->Cubes[2].Kind, 2);
    EXPECT_EQ(game_->Cubes[3].State, csAnnounced);
    EXPECT_EQ(game_->TotalScore, 250);
}

struct TBadSave {
    const char* What;
    int Line; // 1-based line of the file whose value is replaced
    const char* Value;
    int TraceLine; // the line the trace names
};

TEST_F(SaveGameTest, BadFilesChangeNothingAndStayOnDisk) {
    const std::vector<TBadSave> cases = {
        {"malformed mode", 2, "x", 2},
        {"mode out of range", 2, "3", 2},
        {"the other mode's game", 2, "2", 2},
        {"level 0", 3, "0", 3},
        {"level 101", 3, "101", 3},
        {"quota not a number", 4, "1.5", 4},
        {"progress not a number", 5, "1,5", 5},
        {"progress too large", 5, "1E+9999", 5},
        {"score missing", 6, "", 6},
        {"count above 81", 8, "82", 8},
        {"negative count", 8, "-1", 8},
        {"flag 2", 9, "2", 9},
        {"slot 18", 10, "18", 10},
        {"slot -1", 14, "-1", 14},
        {"column 0", 11, "0", 11},
        {"row 10", 20, "10", 20},
        {"one cell twice", 15, "1", 15},
        {"count beyond the cubes", 8, "4", 21},
    };
    for (const TBadSave& bad : cases) {
        SCOPED_TRACE(bad.What);
        std::vector<std::string> lines = GoodLines();
        lines[size_t(bad.Line - 1)] = bad.Value;
        const std::string text = Join(lines);
        WriteAll(SavePath(1), text);

        game_ = GameWithBoard({
            "1*.......",
            ".........",
            ".........",
            ".........",
            ".........",
            ".........",
            ".........",
            ".........",
            "........4",
        });
        game_->TotalScore = 40;
        game_->Levels[1].Progress = 12;
        game_->SelectCube(1);
        const std::string board = game_->CheckBoardInvariants();
        EXPECT_FALSE(game_->LoadGame(1));
        EXPECT_EQ(game_->Level, 1);
        EXPECT_EQ(game_->CubeCount, 3);
        EXPECT_EQ(game_->FreeCount, 78);
        EXPECT_EQ(game_->Cubes[2].State, csAnnounced);
        EXPECT_EQ(game_->Selected, 1);
        EXPECT_EQ(game_->TotalScore, 40);
        EXPECT_EQ(game_->Levels[1].Progress, 12);
        EXPECT_EQ(game_->CheckBoardInvariants(), board);
        EXPECT_EQ(ReadAll(SavePath(1)), text);
        const std::string trace = Trace();
        const std::string expected =
            " LoadGame rejected data/Save1.dat line " + std::to_string(bad.TraceLine) + ": ";
        EXPECT_NE(trace.find(expected), std::string::npos) << trace;
        fs::remove(dir_.path() / "debug.txt");
    }
}

} // namespace
} // namespace veltrane

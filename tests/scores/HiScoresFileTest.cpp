#include "FileFaults.h"
#include "ScoresTestSupport.h"

#include <algorithm>
#include <cstring>

namespace veltrane {
namespace {

using ::testing::ElementsAre;

using HiScoresFile = ScoresFolder;

TEST_F(HiScoresFile, WithoutAFileBothTablesHoldTheDefaultsAndNothingIsWritten) {
    THiScores scores;
    for (int table = 1; table <= 2; ++table)
        for (int rank = 1; rank <= 10; ++rank) {
            EXPECT_EQ(scores.Entry(table, rank).NameText(), "Anonymous");
            EXPECT_EQ(scores.Entry(table, rank).Score, 1100 - 100 * rank);
        }
    EXPECT_FALSE(std::filesystem::exists(FilePath()));
}

TEST_F(HiScoresFile, SaveWritesTheFourHundredByteLayout) {
    THiScores scores;
    scores.Entry(1, 1).SetName("ZED");
    scores.Entry(1, 2).Score = -2;
    scores.Entry(2, 10).SetName("LAST");
    scores.Entry(2, 10).Score = 0x01020304;
    ASSERT_TRUE(scores.Save());

    const std::vector<uint8_t> file = ReadFile();
    ASSERT_EQ(file.size(), 400u);
    // Rank 1 of mode 1: length, "ZED" over "Anonymous" (its tail kept), 1000 little-endian.
    EXPECT_EQ(file[0], 3);
    EXPECT_EQ(std::string(file.begin() + 1, file.begin() + 10), "ZEDnymous");
    EXPECT_THAT(std::vector<uint8_t>(file.begin() + 16, file.begin() + 20), ElementsAre(0xE8, 0x03, 0, 0));
    EXPECT_THAT(std::vector<uint8_t>(file.begin() + 36, file.begin() + 40),
                ElementsAre(0xFE, 0xFF, 0xFF, 0xFF));
    // Rank 1 of mode 2 starts at 200; rank 10 of mode 2 at 380.
    EXPECT_EQ(file[200], 9);
    EXPECT_EQ(std::string(file.begin() + 201, file.begin() + 210), "Anonymous");
    EXPECT_EQ(file[380], 4);
    EXPECT_THAT(std::vector<uint8_t>(file.begin() + 396, file.end()), ElementsAre(4, 3, 2, 1));
}

TEST_F(HiScoresFile, AFileReadsBackByteForByteIncludingTheBytesBeyondEachName) {
    std::vector<uint8_t> original(400);
    for (size_t i = 0; i < original.size(); ++i) original[i] = static_cast<uint8_t>(i * 37 + 11);
    for (size_t entry = 0; entry < 20; ++entry) original[entry * 20] = static_cast<uint8_t>(entry % 16);
    WriteFile(original);

    THiScores scores;
    EXPECT_EQ(Trace().find("High scores file"), std::string::npos) << Trace();
    EXPECT_EQ(scores.Entry(1, 2).NameLength(), 1);
    EXPECT_EQ(scores.Entry(1, 2).Score, int32_t(uint32_t(original[36]) | uint32_t(original[37]) << 8 |
                                                uint32_t(original[38]) << 16 | uint32_t(original[39]) << 24));
    std::filesystem::remove(FilePath());
    ASSERT_TRUE(scores.Save());
    EXPECT_EQ(ReadFile(), original);
}

TEST_F(HiScoresFile, AShortFileReplacesOnlyItsOwnLength) {
    const THiScoreFileBytes defaults = THiScores().Bytes();
    std::vector<uint8_t> expected(defaults.begin(), defaults.end());
    const std::vector<uint8_t> part = {5, 'S', 'H', 'O', 'R', 'T',  0,    0, 0, 0, 0,
                                       0, 0,   0,   0,   0,   0x10, 0x27, 0, 0, 2, 'X'};
    std::copy(part.begin(), part.end(), expected.begin());
    WriteFile(part);

    THiScores scores;
    EXPECT_EQ(scores.Entry(1, 1).NameText(), "SHORT");
    EXPECT_EQ(scores.Entry(1, 1).Score, 10000);
    // Only the name length and first letter of rank 2 came from the file.
    EXPECT_EQ(scores.Entry(1, 2).NameText(), "Xn");
    EXPECT_EQ(scores.Entry(1, 2).Score, 900);
    const THiScoreFileBytes bytes = scores.Bytes();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.begin()));
    EXPECT_NE(Trace().find(" High scores file data/Hiscores.dat is short (22 of 400 bytes)"),
              std::string::npos)
        << Trace();
}

TEST_F(HiScoresFile, ALongFileIsReadBlockByBlockSoItsLastBlockWins) {
    std::vector<uint8_t> file(1000);
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i < 400 ? 1 : i < 800 ? 2 : 3);
    WriteFile(file);

    THiScores scores;
    const THiScoreFileBytes bytes = scores.Bytes();
    // Bytes 800..999 lie over the first 200; the rest is still the second block.
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.begin() + 200, [](uint8_t b) { return b == 3; }));
    EXPECT_TRUE(std::all_of(bytes.begin() + 200, bytes.end(), [](uint8_t b) { return b == 2; }));
    EXPECT_EQ(scores.Entry(2, 1).Score, 0x02020202);
    EXPECT_NE(Trace().find(" High scores file data/Hiscores.dat is long (1000 bytes, not 400)"),
              std::string::npos)
        << Trace();
}

TEST_F(HiScoresFile, ADamagedLengthByteReadsAsFifteenAndNeverPastTheName) {
    THiScores writer;
    writer.Entry(2, 3).SetName("ABCDEFGHIJKLMNO");
    writer.Entry(2, 3).Score = 777;
    ASSERT_TRUE(writer.Save());
    std::vector<uint8_t> file = ReadFile();
    file[200 + 2 * 20] = 200;
    WriteFile(file);

    THiScores scores;
    EXPECT_EQ(scores.Entry(2, 3).NameLength(), 15);
    EXPECT_EQ(scores.Entry(2, 3).NameText(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(scores.Entry(2, 3).Score, 777);
    EXPECT_EQ(scores.Entry(2, 3).Name[0], 15);
}

TEST_F(HiScoresFile, AFailedSaveKeepsTheTableAndTheOldFileAndIsTraced) {
    THiScores scores;
    ASSERT_TRUE(scores.Save());
    const std::vector<uint8_t> old = ReadFile();
    scores.Entry(1, 1).SetName("KEPT");
    scores.Entry(1, 1).Score = 4242;

    // A plain file now has the data folder's name, so no temporary file can be made in it.
    std::filesystem::rename(dir_.path() / "data", dir_.path() / "saved");
    std::ofstream(dir_.path() / "data") << "not a folder";
    EXPECT_FALSE(scores.Save());
    EXPECT_EQ(scores.Entry(1, 1).NameText(), "KEPT");
    EXPECT_EQ(scores.Entry(1, 1).Score, 4242);
    EXPECT_NE(Trace().find("7 Cannot save the high scores to data/Hiscores.dat: "), std::string::npos)
        << Trace();

    std::filesystem::remove(dir_.path() / "data");
    std::filesystem::rename(dir_.path() / "saved", dir_.path() / "data");
    EXPECT_EQ(ReadFile(), old);
    ASSERT_TRUE(scores.Save());
    THiScores reread;
    EXPECT_EQ(reread.Entry(1, 1).NameText(), "KEPT");
}

TEST_F(HiScoresFile, EveryFailingCallOfASaveIsReportedAndKeepsTheOldFile) {
    THiScores scores;
    ASSERT_TRUE(scores.Save());
    scores.Entry(1, 1).Score = 4242;
    filefaults::ExpectEachFaultReported(FilePath(), [&](const filefaults::TFault& fault) {
        const size_t traced = Trace().size();
        const bool ok = scores.Save();
        EXPECT_NE(Trace().find(std::strerror(fault.Error), traced), std::string::npos);
        return ok;
    });
}

TEST_F(HiScoresFile, AnUnreadableFileIsTracedAndLeavesTheDefaults) {
    std::filesystem::create_directories(FilePath()); // exists, opens, but cannot be read
    THiScores scores;
    EXPECT_THAT(Scores(scores.Tables[0]), ElementsAre(1000, 900, 800, 700, 600, 500, 400, 300, 200, 100));
    EXPECT_EQ(scores.Entry(1, 1).NameText(), "Anonymous");
    EXPECT_NE(Trace().find("7 Cannot read the high scores from data/Hiscores.dat: "), std::string::npos)
        << Trace();
}

} // namespace
} // namespace veltrane

#include "scores/Qualification.h"

#include "ScoresTestSupport.h"

#include <cmath>
#include <limits>

namespace veltrane {
namespace {

using ::testing::ElementsAre;

// The menu and game state as the transition leaves them.
class TScreen final : public IHiScoreScreen {
public:
    void SetGameState(TGameState state) override { Calls.push_back("state " + std::to_string(state)); }
    void SetMenuPage(int page) override { Calls.push_back("page " + std::to_string(page)); }
    void HideMenuItem(int page, int item) override {
        Calls.push_back("hide " + std::to_string(page) + "." + std::to_string(item));
    }
    void ShowAndSelectMenuItem(int page, int item) override {
        Calls.push_back("select " + std::to_string(page) + "." + std::to_string(item));
    }
    std::vector<std::string> Calls;
};

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(1000.5), 1000);
    EXPECT_EQ(RoundHalfEven(1001.5), 1002);
    EXPECT_EQ(RoundHalfEven(100.49), 100);
    EXPECT_EQ(RoundHalfEven(100.51), 101);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0);
    EXPECT_EQ(RoundHalfEven(5e9), 5000000000);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int64_t>::max());
}

using Qualification = ScoresFolder;

TEST_F(Qualification, AQualifyingGameStartsTheNameEntryOnItsRow) {
    THiScores scores;
    TScreen screen;
    EnterHiScoresAfterGame(scores, 1, 1000.5, screen); // rounds to 1000: below the 1000 already there
    EXPECT_EQ(scores.Table, 1);
    EXPECT_TRUE(scores.Editing);
    EXPECT_EQ(scores.EditRow, 2);
    EXPECT_EQ(scores.Entry(1, 2).Score, 1000);
    EXPECT_THAT(screen.Calls, ElementsAre("state 2", "page 6", "hide 6.3", "select 6.2"));

    EnterHiScoresAfterGame(scores, 1, 1001.5, screen);
    EXPECT_EQ(scores.EditRow, 1);
    EXPECT_EQ(scores.Entry(1, 1).Score, 1002);
}

TEST_F(Qualification, RankTensScoreOrLessDoesNotEnter) {
    THiScores scores;
    scores.Editing = true;
    TScreen screen;
    EnterHiScoresAfterGame(scores, 2, 100.5, screen); // rounds to 100, equal to rank 10
    EXPECT_EQ(scores.Table, 2);
    EXPECT_FALSE(scores.Editing);
    EXPECT_THAT(Scores(scores.Tables[1]), ElementsAre(1000, 900, 800, 700, 600, 500, 400, 300, 200, 100));
    EXPECT_THAT(screen.Calls, ElementsAre("state 2", "page 6", "hide 6.2", "select 6.3"));

    EnterHiScoresAfterGame(scores, 2, 101.5, screen); // 102
    EXPECT_TRUE(scores.Editing);
    EXPECT_EQ(scores.EditRow, 10);
    EXPECT_EQ(scores.Entry(2, 10).Score, 102);
    EXPECT_THAT(Scores(scores.Tables[0]), ElementsAre(1000, 900, 800, 700, 600, 500, 400, 300, 200, 100));
}

TEST_F(Qualification, ATotalBeyondThirtyTwoBitsEntersAsTheLargestScoreNotAWrappedOne) {
    THiScores scores;
    TScreen screen;
    EnterHiScoresAfterGame(scores, 1, 4294967396.0, screen); // 2^32 + 100 would wrap to 100
    EXPECT_TRUE(scores.Editing);
    EXPECT_EQ(scores.EditRow, 1);
    EXPECT_EQ(scores.Entry(1, 1).Score, std::numeric_limits<int32_t>::max());

    // Rank 10 already holds the largest score: the game is better but there is no room for it.
    for (int rank = 1; rank <= 10; ++rank) scores.Entry(1, rank).Score = std::numeric_limits<int32_t>::max();
    EnterHiScoresAfterGame(scores, 1, 1e12, screen);
    EXPECT_FALSE(scores.Editing);
}

TEST_F(Qualification, KeysOnTheTableGoToTheNameEntryFirstThenEnterOrEscapeLeave) {
    THiScores scores;
    TScreen screen;
    EnterHiScoresAfterGame(scores, 1, 555, screen);
    screen.Calls.clear();
    // During name entry Enter and Escape are keys of the name (Escape types nothing).
    HiScoresKeyDown(scores, 'A', screen);
    HiScoresKeyDown(scores, 27, screen);
    HiScoresKeyDown(scores, 0x100 | 'B', screen); // only the low byte counts
    EXPECT_EQ(scores.Entry(1, 6).NameText(), "AB");
    HiScoresKeyDown(scores, 13, screen);
    EXPECT_FALSE(scores.Editing);
    EXPECT_TRUE(screen.Calls.empty());
    EXPECT_EQ(MenuKeySounds(), 4);

    // The entry is over: other keys do nothing, Escape saves again and goes back to the menu.
    std::filesystem::remove(FilePath());
    HiScoresKeyDown(scores, 'C', screen);
    EXPECT_TRUE(screen.Calls.empty());
    HiScoresKeyDown(scores, 27, screen);
    EXPECT_THAT(screen.Calls, ElementsAre("state 1", "page 1"));
    EXPECT_EQ(THiScores().Entry(1, 6).NameText(), "AB");
    EXPECT_EQ(MenuKeySounds(), 4);
}

} // namespace
} // namespace veltrane

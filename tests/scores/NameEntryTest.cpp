#include "ScoresTestSupport.h"
#include "platform/VirtualKeys.h"
#include "render/Font.h"

#include <iterator>

namespace veltrane {
namespace {

using ::testing::ElementsAre;

using HiScoresInsert = ScoresFolder;
using NameEntry = ScoresFolder;

TEST_F(HiScoresInsert, EntersAtTheBestLowerRankAndDropsTheLast) {
    THiScores scores;
    EXPECT_EQ(scores.Insert(1500), 1);
    EXPECT_THAT(Scores(scores.Tables[0]), ElementsAre(1500, 1000, 900, 800, 700, 600, 500, 400, 300, 200));
    EXPECT_EQ(scores.Entry(1, 1).NameLength(), 0);
    EXPECT_EQ(scores.Entry(1, 2).NameText(), "Anonymous");

    EXPECT_EQ(scores.Insert(650), 6);
    EXPECT_THAT(Scores(scores.Tables[0]), ElementsAre(1500, 1000, 900, 800, 700, 650, 600, 500, 400, 300));
    EXPECT_EQ(scores.Insert(301), 10);
    EXPECT_THAT(Scores(scores.Tables[0]), ElementsAre(1500, 1000, 900, 800, 700, 650, 600, 500, 400, 301));
    // The other table is untouched.
    EXPECT_THAT(Scores(scores.Tables[1]), ElementsAre(1000, 900, 800, 700, 600, 500, 400, 300, 200, 100));
}

TEST_F(HiScoresInsert, AScoreNotAboveRankTenChangesNothing) {
    THiScores scores;
    const THiScoreFileBytes before = scores.Bytes();
    EXPECT_EQ(scores.Insert(100), 0);
    EXPECT_EQ(scores.Insert(-5), 0);
    EXPECT_EQ(scores.Bytes(), before);
    EXPECT_EQ(scores.Insert(101), 10);
}

TEST_F(HiScoresInsert, EqualScoresGoBelowAllEntriesWithThatScore) {
    THiScores scores;
    scores.Table = 2;
    for (int rank = 3; rank <= 5; ++rank) scores.Entry(2, rank).Score = 800;
    EXPECT_EQ(scores.Insert(800), 6);
    EXPECT_THAT(Scores(scores.Tables[1]), ElementsAre(1000, 900, 800, 800, 800, 800, 500, 400, 300, 200));
    EXPECT_EQ(scores.Insert(1000), 2);
}

TEST_F(NameEntry, TypesCapitalsAndDigitsRemovesWithBackspaceAndStopsAtFifteen) {
    THiScores scores;
    scores.Editing = true;
    scores.EditRow = scores.Insert(950);
    ASSERT_EQ(scores.EditRow, 2);

    scores.KeyPress(VK_BACK); // nothing to remove
    EXPECT_EQ(scores.Entry(1, 2).NameText(), "");
    for (uint8_t key : {'A', 'B', 'X', '7'}) scores.KeyPress(key);
    scores.KeyPress(VK_BACK);
    EXPECT_EQ(scores.Entry(1, 2).NameText(), "ABX");
    for (int i = 0; i < 14; ++i) scores.KeyPress('Z');
    EXPECT_EQ(scores.Entry(1, 2).NameText(), "ABXZZZZZZZZZZZZ");
    EXPECT_EQ(scores.Entry(1, 2).NameLength(), 15);
    scores.KeyPress(VK_BACK);
    EXPECT_EQ(MenuKeySounds(), 1 + 4 + 1 + 14 + 1);
    EXPECT_EQ(scores.Entry(1, 1).NameText(), "Anonymous");
    EXPECT_EQ(scores.Entry(1, 3).NameText(), "Anonymous");
}

TEST_F(NameEntry, KeysTypeOnlyWhatTheFontDraws) {
    THiScores scores;
    scores.Editing = true;
    scores.EditRow = scores.Insert(950);
    // Punctuation and keypad keys type their characters; Shift, arrows, Escape, F1, the
    // semicolon (no letter in the font) and nameless keys are refused but still heard.
    const uint8_t keys[] = {VK_SHIFT,       'R',      VK_OEM_PERIOD, VK_LEFT,   VK_RIGHT,  VK_ESCAPE,
                            VK_F1,          VK_OEM_1, VK_HOME,       VK_NONAME, VK_SPACE,  VK_OEM_MINUS,
                            VK_NUMPAD0 + 7, VK_ADD,   VK_OEM_7,      VK_OEM_2,  VK_DELETE, VK_MULTIPLY};
    for (const uint8_t key : keys) scores.KeyPress(key);
    EXPECT_EQ(scores.Entry(1, 2).NameText(), "R. -7+'/");
    EXPECT_EQ(MenuKeySounds(), static_cast<int>(std::size(keys)));
    for (const char c : scores.Entry(1, 2).NameText()) EXPECT_TRUE(c == ' ' || GlyphNumber(c) != 0) << c;
}

TEST_F(NameEntry, EnterSavesAndEndsTheEntry) {
    THiScores scores;
    scores.Table = 2;
    scores.Editing = true;
    scores.EditRow = scores.Insert(1200);
    for (uint8_t key : {'Q', 'U', 'I'}) scores.KeyPress(key);
    scores.KeyPress(VK_RETURN);
    EXPECT_FALSE(scores.Editing);
    EXPECT_EQ(MenuKeySounds(), 4);

    THiScores reread;
    EXPECT_EQ(reread.Entry(2, 1).NameText(), "QUI");
    EXPECT_EQ(reread.Entry(2, 1).Score, 1200);
    // Once the entry has ended keys no longer reach the name, and make no sound.
    scores.KeyPress('W');
    EXPECT_EQ(scores.Entry(2, 1).NameText(), "QUI");
    EXPECT_EQ(MenuKeySounds(), 4);
}

} // namespace
} // namespace veltrane

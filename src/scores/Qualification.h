// The high-score screen's transitions for the input routing: the step from the game-over picture
// to the table (does the finished game enter the table of its mode, and which menu page and items
// show it), called on any key or mouse release in gsGameOver; and the keys while the table shows.
#pragma once

#include "platform/GameStates.h"
#include "scores/HiScores.h"

#include <cstdint>

namespace veltrane {

// What the transition changes outside the table: the game state and the high-score menu page.
// The main window implements it over the real menu.
class IHiScoreScreen {
public:
    virtual void SetGameState(TGameState state) = 0;
    virtual void SetMenuPage(int page) = 0;
    virtual void HideMenuItem(int page, int item) = 0;
    // Makes the item visible and the highlighted one of its page.
    virtual void ShowAndSelectMenuItem(int page, int item) = 0;

protected:
    ~IHiScoreScreen() = default;
};

// The high-score page and its items: 1 back, 2 "show the other table" while table 1 is shown,
// 3 "show the other table" while table 2 is shown.
constexpr int HiScoresPage = 6;
constexpr int HiScoresBackItem = 1;
constexpr int HiScoresTable2Item = 2;
constexpr int HiScoresTable1Item = 3;

// x rounded to the nearest whole number, halves to the even one (1000.5 -> 1000,
// 1001.5 -> 1002). Not-a-number gives 0; values beyond the 64-bit range saturate.
int64_t RoundHalfEven(double x);

// Shows on page 6 the item that switches to the other table: item 2 while table 1 is shown,
// item 3 while table 2 is; the other one is hidden. The menu's table items use it too.
void ShowTableSwitch(IHiScoreScreen& screen, uint8_t table);

// Table := the game's mode; the total score, rounded half to even, enters the table when it is
// greater than rank 10's score, and the name entry starts on its row; otherwise no name entry.
// Then gsHiScores with page 6 and the switch item of that table.
void EnterHiScoresAfterGame(THiScores& scores, uint8_t gameMode, double totalScore, IHiScoreScreen& screen);

// A key-down in gsHiScores (after the game object has seen it): during name entry the key's low
// byte goes to KeyPress; otherwise Escape or Enter saves the tables and returns to gsMenu with
// page 1, and other keys do nothing.
void HiScoresKeyDown(THiScores& scores, uint16_t key, IHiScoreScreen& screen);

} // namespace veltrane

#include "scores/Qualification.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrane {

int64_t RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    // 2^63 as a double; everything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (x >= limit) return std::numeric_limits<int64_t>::max();
    if (x < -limit) return std::numeric_limits<int64_t>::min();
    double rounded = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5) rounded = 2.0 * std::round(x / 2.0);
    return static_cast<int64_t>(rounded);
}

void ShowTableSwitch(IHiScoreScreen& screen, uint8_t table) {
    if (table == 2) {
        screen.HideMenuItem(HiScoresPage, HiScoresTable2Item);
        screen.ShowAndSelectMenuItem(HiScoresPage, HiScoresTable1Item);
    } else {
        screen.HideMenuItem(HiScoresPage, HiScoresTable1Item);
        screen.ShowAndSelectMenuItem(HiScoresPage, HiScoresTable2Item);
    }
}

void EnterHiScoresAfterGame(THiScores& scores, uint8_t gameMode, double totalScore, IHiScoreScreen& screen) {
    scores.Table = gameMode == 2 ? 2 : 1;
    const int64_t score = RoundHalfEven(totalScore);
    scores.Editing = false;
    if (scores.Shown()[HiScoreRanks - 1].Score < score) {
        // The table holds 32-bit scores: a larger total enters as the largest one it can hold
        // rather than wrapping round to a small or negative number.
        const auto entered = static_cast<int32_t>(std::clamp<int64_t>(
            score, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
        const int rank = scores.Insert(entered);
        if (rank != 0) {
            scores.EditRow = static_cast<uint8_t>(rank);
            scores.Editing = true;
        }
    }
    screen.SetGameState(gsHiScores);
    screen.SetMenuPage(HiScoresPage);
    ShowTableSwitch(screen, scores.Table);
}

void HiScoresKeyDown(THiScores& scores, uint16_t key, IHiScoreScreen& screen) {
    if (scores.Editing) {
        scores.KeyPress(static_cast<uint8_t>(key & 0xFF));
        return;
    }
    if (key != 27 && key != 13) return;
    scores.Save();
    screen.SetGameState(gsMenu);
    screen.SetMenuPage(1);
}

} // namespace veltrane

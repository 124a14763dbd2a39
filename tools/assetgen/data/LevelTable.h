// The designed levels 1..100 and the 30 bonus figures, kept as plain tables so that they are easy to
// retune. With all hundred levels in the file the game's own fill-up of missing levels does nothing.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace veltrane::assetgen {

// One designed level. Two-element arrays hold the value for game mode 1 and game mode 2.
struct LevelDesign {
    std::array<int, 2> Colours;
    // Normal level: new cubes per turn. Bonus level: blocks placed at its start.
    std::array<int, 2> CubesPerTurn;
    int FigureFirst;
    int FigureLast;
    // Mode 1: points that fill the gauge. Mode 2: the full time bank (it starts half full).
    std::array<double, 2> Goal;
    double TimeRate; // time bank drained per millisecond in mode 2
    int JokerOdds;   // one new cube in JokerOdds becomes a joker; 0 = none
    // Normal level: blocks still to be mixed into new cubes. Bonus level: bombs placed at its start.
    std::array<int, 2> ExtraQuota;
    bool AllowBomb;
    bool AllowShot;
    bool AllowColorize;
};

// One bonus figure. Rows are written as the player sees them: the first string is the top row.
// '1'..'7' is a colour, '0' an empty place.
struct FigureDesign {
    std::string_view Title;
    int Colours;
    double BaseValue;
    std::array<std::string_view, 4> Rows; // unused rows are empty
};

std::span<const LevelDesign> DesignedLevels();
std::span<const FigureDesign> DesignedFigures();

// True for every fifth level: its blocks must be cleared with its bombs.
constexpr bool IsBonusLevel(int level) {
    return level % 5 == 0;
}

} // namespace veltrane::assetgen

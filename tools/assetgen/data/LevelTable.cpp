// The level curve. Reasoning behind the numbers (per mode, a player who keeps the board steady):
// a square pays 40 + 5 * (level div 5); a turn must clear about CubesPerTurn / 4 squares; a move
// takes 3 to 6 seconds depending on the colours in play. Mode 1 goals ask for about 1.5 minutes
// at level 1 growing to about 3 minutes at level 49. Mode 2 drains TimeRate per millisecond
// (a tenth more after each further 15 s past the first minute), so its rate starts at about an
// eighth of what a steady player earns (a beginner finishes level 1 with time to spare) and
// grows to about three fifths; its Goal is the full bank, which starts half full.
// Bonus levels (every fifth): CubesPerTurn blocks and ExtraQuota bombs; mode 2's Goal over
// TimeRate is the time allowed (80 s at level 5 down to 50 s at level 50).
// Introduced step by step: bombs at 2, jokers at 3, colorize cubes at 6, blocks at 7, shot cubes
// at 11; 4 colours from 6, 5 from 16, 6 from 31, 7 from 46; bigger figures as levels go on.
#include "data/LevelTable.h"

namespace veltrane::assetgen {

namespace {

constexpr LevelDesign L(int col1, int col2, int cubes1, int cubes2, int figFirst, int figLast, double goal1,
                        double goal2, double timeRate, int jokerOdds, int extra1, int extra2, int bomb,
                        int shot, int colorize) {
    return LevelDesign{{col1, col2}, {cubes1, cubes2}, figFirst,  figLast,   {goal1, goal2}, timeRate,
                       jokerOdds,    {extra1, extra2}, bomb != 0, shot != 0, colorize != 0};
}

// clang-format off
constexpr LevelDesign kLevels[] = {
//    colours cubes  figures  goal          time     joker  extra  bomb shot colorize
    L(3, 3,   3,  3,  1,  4,   400,  500, 0.00059,  0,    0, 0,  0, 0, 0), //  1 three colours, nothing else
    L(3, 3,   3,  3,  1,  4,   450,  500, 0.00064,  0,    0, 0,  1, 0, 0), //  2 bombs as rewards
    L(3, 3,   3,  3,  1,  4,   500,  500, 0.00069, 12,    0, 0,  1, 0, 0), //  3 jokers
    L(3, 3,   3,  3,  1,  4,   550,  500, 0.00074, 12,    0, 0,  1, 0, 0), //  4
    L(3, 3,   6,  6,  1,  4,   120,   60, 0.00074,  0,    4, 4,  1, 0, 0), //  5 bonus: 6 blocks, 4 bombs, 80 s
    L(4, 3,   3,  3,  1,  7,   550,  550, 0.00094, 12,    0, 0,  1, 0, 1), //  6 four colours, colorize cubes
    L(4, 3,   3,  3,  1,  7,   600,  550, 0.00100, 12,    1, 1,  1, 0, 1), //  7 first block
    L(4, 3,   3,  3,  1,  7,   650,  550, 0.00105, 12,    1, 1,  1, 0, 1), //  8
    L(4, 3,   4,  3,  1,  7,   700,  550, 0.00111, 12,    1, 1,  1, 0, 1), //  9 four cubes a turn
    L(4, 3,   8,  8,  1,  7,   200,   80, 0.00111,  0,    4, 4,  1, 0, 0), // 10 bonus: 8 blocks, 4 bombs, 72 s
    L(4, 4,   3,  3,  3, 10,   700,  550, 0.00120, 14,    1, 1,  1, 1, 1), // 11 shot cubes
    L(4, 4,   3,  3,  3, 10,   750,  550, 0.00126, 14,    1, 1,  1, 1, 1), // 12
    L(4, 4,   3,  3,  3, 10,   800,  550, 0.00131, 14,    1, 1,  1, 1, 1), // 13
    L(4, 4,   3,  4,  3, 10,   850,  600, 0.00160, 14,    1, 1,  1, 1, 1), // 14
    L(4, 4,  10,  9,  3, 10,   300,  120, 0.00160,  0,    5, 4,  1, 0, 0), // 15 bonus: 10 blocks, 5 bombs, 75 s
    L(5, 4,   4,  3,  5, 13,   850,  600, 0.00163, 15,    2, 1,  1, 1, 1), // 16 five colours
    L(5, 4,   4,  3,  5, 13,   900,  600, 0.00169, 15,    2, 1,  1, 1, 1), // 17
    L(5, 4,   4,  3,  5, 13,   950,  600, 0.00175, 15,    2, 1,  1, 1, 1), // 18
    L(5, 4,   4,  3,  5, 13,  1000,  600, 0.00181, 15,    2, 1,  1, 1, 1), // 19
    L(5, 4,  12, 11,  5, 13,   420,  130, 0.00181,  0,    5, 5,  1, 0, 0), // 20 bonus: 12 blocks, 5 bombs, 72 s
    L(5, 5,   4,  3,  8, 16,  1000,  600, 0.00189, 16,    2, 1,  1, 1, 1), // 21
    L(5, 5,   4,  3,  8, 16,  1050,  600, 0.00195, 16,    2, 1,  1, 1, 1), // 22
    L(5, 5,   4,  3,  8, 16,  1100,  600, 0.00201, 16,    2, 1,  1, 1, 1), // 23
    L(5, 5,   5,  3,  8, 16,  1150,  600, 0.00207, 16,    2, 1,  1, 1, 1), // 24 five cubes a turn
    L(5, 5,  14, 13,  8, 16,   560,  140, 0.00207,  0,    5, 5,  1, 0, 0), // 25 bonus: 14 blocks, 5 bombs, 68 s
    L(5, 5,   4,  4, 11, 19,  1150,  700, 0.00277, 18,    3, 2,  1, 1, 1), // 26 mode 2: four cubes a turn
    L(5, 5,   4,  4, 11, 19,  1200,  700, 0.00284, 18,    3, 2,  1, 1, 1), // 27
    L(5, 5,   4,  4, 11, 19,  1250,  700, 0.00292, 18,    3, 2,  1, 1, 1), // 28
    L(5, 5,   4,  5, 11, 19,  1300,  750, 0.00332, 18,    3, 2,  1, 1, 1), // 29
    L(5, 5,  16, 14, 11, 19,   720,  210, 0.00332,  0,    6, 5,  1, 0, 0), // 30 bonus: 16 blocks, 6 bombs, 63 s
    L(6, 5,   4,  4, 14, 22,  1300,  750, 0.00338, 20,    3, 2,  1, 1, 1), // 31 six colours
    L(6, 5,   4,  4, 14, 22,  1350,  750, 0.00346, 20,    3, 2,  1, 1, 1), // 32
    L(6, 5,   4,  4, 14, 22,  1400,  750, 0.00354, 20,    3, 2,  1, 1, 1), // 33
    L(6, 5,   4,  4, 14, 22,  1450,  750, 0.00362, 20,    3, 2,  1, 1, 1), // 34
    L(6, 5,  18, 16, 14, 22,   900,  220, 0.00362,  0,    6, 6,  1, 0, 0), // 35 bonus: 18 blocks, 6 bombs, 60 s
    L(6, 6,   5,  4, 17, 25,  1450,  750, 0.00369, 22,    4, 3,  1, 1, 1), // 36
    L(6, 6,   5,  4, 17, 25,  1500,  750, 0.00376, 22,    4, 3,  0, 1, 1), // 37 no bombs this time
    L(6, 6,   5,  4, 17, 25,  1550,  750, 0.00384, 22,    4, 3,  1, 1, 1), // 38
    L(6, 6,   6,  4, 17, 25,  1600,  750, 0.00392, 22,    4, 3,  1, 1, 1), // 39 six cubes a turn
    L(6, 6,  20, 18, 17, 25,  1100,  220, 0.00392,  0,    6, 6,  1, 0, 0), // 40 bonus: 20 blocks, 6 bombs, 56 s
    L(6, 6,   5,  4, 20, 28,  1600,  750, 0.00435, 25,    4, 3,  1, 1, 1), // 41
    L(6, 6,   5,  4, 20, 28,  1650,  750, 0.00443, 25,    4, 3,  0, 1, 1), // 42 no bombs
    L(6, 6,   5,  4, 20, 28,  1700,  750, 0.00452, 25,    4, 3,  1, 1, 1), // 43
    L(6, 6,   5,  5, 20, 28,  1750,  800, 0.00511, 25,    4, 3,  1, 1, 1), // 44
    L(6, 6,  22, 20, 20, 28,  1320,  280, 0.00511,  0,    7, 6,  1, 0, 0), // 45 bonus: 22 blocks, 7 bombs, 55 s
    L(7, 6,   5,  4, 23, 30,  1750,  700, 0.00515, 30,    5, 4,  1, 1, 1), // 46 seven colours
    L(7, 6,   5,  4, 23, 30,  1800,  700, 0.00522, 30,    5, 4,  0, 1, 1), // 47 no bombs
    L(7, 6,   5,  4, 23, 30,  1850,  700, 0.00529, 30,    5, 4,  1, 1, 1), // 48
    L(7, 6,   5,  4, 23, 30,  1900,  700, 0.00536, 30,    5, 4,  1, 1, 1), // 49
    L(7, 6,  24, 22, 23, 30,  1560,  270, 0.00536,  0,    7, 7,  1, 0, 0), // 50 bonus: 24 blocks, 7 bombs, 50 s
};
// clang-format on

// Easy pairs first, 4 x 4 patterns last. No figure holds a one-colour 2 x 2 square (that would
// vanish as a square before it could be matched), and every figure uses colours 1..Colours.
constexpr FigureDesign kFigures[] = {
    {"Pair", 2, 20, {"12"}},
    {"Tower pair", 2, 20, {"1", "2"}},
    {"Sandwich", 2, 30, {"121"}},
    {"Twin and one", 2, 30, {"112"}},
    {"Checker", 2, 50, {"12", "21"}},
    {"Rainbow row", 3, 40, {"123"}},
    {"Hook", 2, 60, {"10", "10", "12"}},
    {"Tee", 2, 70, {"111", "020"}},
    {"Stripe", 2, 60, {"1212"}},
    {"Weave", 2, 90, {"121", "212"}},
    {"Mirror", 3, 100, {"123", "321"}},
    {"Cross", 2, 110, {"020", "212", "020"}},
    {"Stairs", 3, 90, {"100", "020", "003"}},
    {"Spectrum", 4, 100, {"1234"}},
    {"Quartet", 4, 110, {"12", "34"}},
    {"Ring", 1, 160, {"111", "101", "111"}},
    {"Zipper", 2, 180, {"1221", "2112"}},
    {"Latin", 3, 220, {"123", "231", "312"}},
    {"Eye", 2, 200, {"0110", "1221", "0110"}},
    {"Braid", 3, 200, {"1231", "3123"}},
    {"Column", 4, 240, {"12", "23", "34", "41"}},
    {"Diamond", 4, 260, {"1001", "0220", "0330", "4004"}},
    {"Frame", 3, 280, {"121", "232", "121"}},
    {"Shift", 4, 260, {"1234", "2341"}},
    {"Chessboard", 2, 340, {"1212", "2121", "1212"}},
    {"Cycle", 4, 380, {"1234", "4123", "3412"}},
    {"Portrait", 4, 480, {"1221", "2342", "2432", "1221"}},
    {"Terraces", 4, 500, {"1212", "2323", "3434", "4141"}},
    {"Sunset", 5, 560, {"1234", "2345", "3451", "4512"}},
    {"Mosaic", 5, 640, {"1352", "4215", "3541", "2134"}},
};

} // namespace

std::span<const LevelDesign> DesignedLevels() {
    return kLevels;
}
std::span<const FigureDesign> DesignedFigures() {
    return kFigures;
}

} // namespace veltrane::assetgen

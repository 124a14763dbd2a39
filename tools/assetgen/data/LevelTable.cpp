// The level curve, measured with the headless bot (botrun --sweep: 20 or 30 seeded games started
// at each level on an empty board, thinking 2 to 3 s before each move). A square pays 40 + 5 * (level div 5).
// Mode 1 goals take the bot (thinking 2.5 s a move) under 2 minutes at level 1 and about 2.8
// minutes from level 30 on; a player who thinks longer needs a minute or two more. What loses a level is a
// full board, so colours and cubes per turn set the difficulty: three colours and three cubes are always won,
// five colours and four cubes lose about one game in four, six colours and four cubes more than
// half. Seven colours with four cubes a turn were won in only one game of ten, so the designed
// levels stop at six colours; the filled-in levels 51..100 bring seven.
// Mode 2 drains TimeRate per millisecond (a tenth more after each further 15 s past the first
// minute) and refills with the points scored; its Goal is the full bank, which starts half full.
// The time bank is what tells a quick player from a slow one: the drain starts at about a sixth
// of what the bot earns at level 1 (a beginner finishes with time to spare) and grows to about
// half of it by level 49 for a player who thinks 2 s a move, two thirds for one who thinks 3 s.
// The bank grows to 1000 at level 24 and shrinks to 650 by level 49, so that the late levels are
// sprints of about two minutes before the rising drain overtakes the player.
// Bonus levels (every fifth): CubesPerTurn blocks and ExtraQuota bombs; mode 2's Goal over
// TimeRate is the time allowed (80 s at level 5 down to 50 s at level 50).
// Introduced step by step: bombs at 2, jokers at 3, colorize cubes at 6, blocks at 7, shot cubes
// at 11; 4 colours from 6, 5 from 16, 6 from 31; four cubes a turn from 9 in mode 1 and from 26
// in mode 2 (levels 14 and 44 give mode 2 a first taste of four and five); more blocks, rarer jokers and
// bigger figures as levels go on.
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
    L(3, 3,   3,  3,  1,  4,    500,   900, 0.00087,  0,    0,  0,  0, 0, 0), //  1 three colours, nothing else
    L(3, 3,   3,  3,  1,  4,    550,   910, 0.00091,  0,    0,  0,  1, 0, 0), //  2 bombs as rewards
    L(3, 3,   3,  3,  1,  4,    600,   910, 0.00095, 12,    0,  0,  1, 0, 0), //  3 jokers
    L(3, 3,   3,  3,  1,  4,    650,   920, 0.00099, 12,    0,  0,  1, 0, 0), //  4
    L(3, 3,   6,  6,  1,  4,    120,    79, 0.00099,  0,    4,  4,  1, 0, 0), //  5 bonus: 6 blocks, 4 bombs, 80 s
    L(4, 3,   3,  3,  1,  7,    700,   930, 0.00107, 12,    0,  0,  1, 0, 1), //  6 four colours, colorize cubes
    L(4, 3,   3,  3,  1,  7,    750,   940, 0.00112, 12,    1,  1,  1, 0, 1), //  7 first block
    L(4, 3,   3,  3,  1,  7,    800,   940, 0.00117, 12,    1,  1,  1, 0, 1), //  8
    L(4, 3,   4,  3,  1,  7,    850,   950, 0.00122, 12,    1,  1,  1, 0, 1), //  9 four cubes a turn
    L(4, 3,   8,  8,  1,  7,    200,    94, 0.00122,  0,    4,  4,  1, 0, 0), // 10 bonus: 8 blocks, 4 bombs, 72 s
    L(4, 4,   3,  3,  3, 10,    900,   960, 0.00133, 14,    1,  1,  1, 1, 1), // 11 shot cubes
    L(4, 4,   3,  3,  3, 10,    950,   960, 0.00138, 14,    1,  1,  1, 1, 1), // 12
    L(4, 4,   3,  3,  3, 10,   1000,   960, 0.00144, 14,    1,  1,  1, 1, 1), // 13
    L(4, 4,   3,  4,  3, 10,   1050,   970, 0.00151, 14,    1,  1,  1, 1, 1), // 14
    L(4, 4,  10,  9,  3, 10,    300,   111, 0.00151,  0,    5,  4,  1, 0, 0), // 15 bonus: 10 blocks, 5 bombs, 75 s
    L(5, 4,   4,  3,  5, 13,   1050,   970, 0.00164, 15,    2,  1,  1, 1, 1), // 16 five colours
    L(5, 4,   4,  3,  5, 13,   1100,   980, 0.00171, 15,    2,  1,  1, 1, 1), // 17
    L(5, 4,   4,  3,  5, 13,   1100,   980, 0.00178, 15,    2,  1,  1, 1, 1), // 18
    L(5, 4,   4,  3,  5, 13,   1150,   980, 0.00186, 15,    2,  1,  1, 1, 1), // 19
    L(5, 4,  12, 11,  5, 13,    420,   130, 0.00186,  0,    5,  5,  1, 0, 0), // 20 bonus: 12 blocks, 5 bombs, 72 s
    L(5, 5,   4,  3,  8, 16,   1150,   990, 0.00202, 16,    2,  1,  1, 1, 1), // 21
    L(5, 5,   4,  3,  8, 16,   1200,   990, 0.00211, 16,    2,  1,  1, 1, 1), // 22
    L(5, 5,   4,  3,  8, 16,   1250,  1000, 0.00220, 16,    2,  1,  1, 1, 1), // 23
    L(5, 5,   4,  3,  8, 16,   1300,  1000, 0.00230, 16,    2,  1,  1, 1, 1), // 24
    L(5, 5,  14, 13,  8, 16,    560,   153, 0.00230,  0,    5,  5,  1, 0, 0), // 25 bonus: 14 blocks, 5 bombs, 68 s
    L(5, 5,   4,  4, 11, 19,   1300,   970, 0.00250, 18,    3,  2,  1, 1, 1), // 26 mode 2: four cubes a turn
    L(5, 5,   4,  4, 11, 19,   1350,   960, 0.00261, 18,    3,  2,  1, 1, 1), // 27
    L(5, 5,   4,  4, 11, 19,   1400,   940, 0.00272, 18,    3,  2,  1, 1, 1), // 28
    L(5, 5,   4,  4, 11, 19,   1450,   930, 0.00284, 18,    3,  2,  1, 1, 1), // 29
    L(5, 5,  16, 14, 11, 19,    720,   180, 0.00284,  0,    6,  5,  1, 0, 0), // 30 bonus: 16 blocks, 6 bombs, 63 s
    L(6, 5,   4,  4, 14, 22,   1450,   900, 0.00309, 20,    3,  2,  1, 1, 1), // 31 six colours
    L(6, 5,   4,  4, 14, 22,   1500,   890, 0.00322, 20,    3,  2,  1, 1, 1), // 32
    L(6, 5,   4,  4, 14, 22,   1550,   870, 0.00336, 20,    3,  2,  1, 1, 1), // 33
    L(6, 5,   4,  4, 14, 22,   1600,   860, 0.00350, 20,    3,  2,  1, 1, 1), // 34
    L(6, 5,  18, 16, 14, 22,    900,   210, 0.00350,  0,    6,  6,  1, 0, 0), // 35 bonus: 18 blocks, 6 bombs, 60 s
    L(6, 6,   4,  4, 17, 25,   1600,   830, 0.00381, 22,    4,  3,  1, 1, 1), // 36
    L(6, 6,   4,  4, 17, 25,   1600,   820, 0.00398, 22,    4,  3,  0, 1, 1), // 37 no bombs this time
    L(6, 6,   4,  4, 17, 25,   1650,   800, 0.00415, 22,    4,  3,  1, 1, 1), // 38
    L(6, 6,   4,  4, 17, 25,   1650,   790, 0.00433, 22,    4,  3,  1, 1, 1), // 39
    L(6, 6,  20, 18, 17, 25,   1100,   245, 0.00433,  0,    6,  6,  1, 0, 0), // 40 bonus: 20 blocks, 6 bombs, 56 s
    L(6, 6,   4,  4, 20, 28,   1700,   760, 0.00471, 25,    4,  3,  1, 1, 1), // 41
    L(6, 6,   4,  4, 20, 28,   1700,   750, 0.00491, 25,    4,  3,  0, 1, 1), // 42 no bombs
    L(6, 6,   4,  4, 20, 28,   1750,   730, 0.00512, 25,    4,  3,  1, 1, 1), // 43
    L(6, 6,   4,  5, 20, 28,   1750,   720, 0.00534, 25,    4,  3,  1, 1, 1), // 44 mode 2: five cubes a turn
    L(6, 6,  22, 20, 20, 28,   1320,   285, 0.00534,  0,    7,  6,  1, 0, 0), // 45 bonus: 22 blocks, 7 bombs, 55 s
    L(6, 6,   4,  4, 23, 30,   1750,   690, 0.00581, 30,    5,  4,  1, 1, 1), // 46 more blocks, rarer jokers, the biggest figures
    L(6, 6,   4,  4, 23, 30,   1800,   680, 0.00607, 30,    5,  4,  0, 1, 1), // 47 no bombs
    L(6, 6,   4,  4, 23, 30,   1800,   660, 0.00633, 30,    5,  4,  1, 1, 1), // 48
    L(6, 6,   4,  4, 23, 30,   1850,   650, 0.00660, 30,    5,  4,  1, 1, 1), // 49
    L(6, 6,  24, 22, 23, 30,   1560,   330, 0.00660,  0,    7,  7,  1, 0, 0), // 50 bonus: 24 blocks, 7 bombs, 50 s
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

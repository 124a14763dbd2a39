// The level curve, measured with the headless bot (botrun --sweep: 30 to 60 seeded games started
// at each level on an empty board, thinking 2.5 s before each move; docs/level-balance.md). A square
// pays 40 + 5 * (level div 5), so goals are best read in squares: level 1 asks for about 12, level 49
// for about 22, levels 51..99 for 21 to 27.
// What loses a mode 1 level is a full board, so colours, cubes per turn and jokers set the
// difficulty: three colours and three cubes are always won, six colours and four cubes with a joker
// in twenty cubes lose more than half the games. The bot's curve falls from 100 % to about 45 % at
// level 35 and then stays between about 30 and 50 % up to level 99, each band of five bringing a
// new mix instead of a steeper climb; mode 1 levels take the bot 2 to 4 minutes.
// Mode 2 drains TimeRate per millisecond (a tenth more after each further 15 s past the first
// minute) and refills with the points scored; its Goal is the full bank, which starts half full.
// From level 10 on the drain is a real part of the bot's own scoring rate, so the bank decides
// games of a slower player and stretches a level until the board fills; levels 51..99 scale bank
// and drain with the points a square pays.
// Bonus levels (every fifth): CubesPerTurn blocks and ExtraQuota bombs; mode 2's Goal over
// TimeRate is the time allowed (80 s at level 5 down to 40 s at level 100). Their blocks per bomb
// grow from 1.5 to 4.2, so leaving three blocks or fewer (the clear bonus) gets rare towards 100.
// Introduced step by step: bombs at 2, jokers at 3, colorize cubes at 6, blocks at 7, shot cubes
// at 11; 4 colours from 6, 5 from 16, 6 from 31; four cubes a turn from 9 in mode 1 and from 26
// in mode 2 (levels 14 and 44 give mode 2 a first taste of four and five). From level 51 each
// band of five has its own mix (see the notes beside its levels): seven colours with three cubes a
// turn, five colours with five cubes, four colours with six cubes, a block storm, seven colours in
// both modes, levels without bombs, levels without jokers, and a finale with everything; within a
// band neighbouring levels differ in the special cubes allowed, jokers, blocks or figures offered.
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
//    colours cubes figures  goal          time     joker extra  bomb shot colorize
    L(3, 3,   3,  3,  1,  4,    500,    900, 0.00087,  0,    0,  0,  0, 0, 0), //   1 three colours, nothing else
    L(3, 3,   3,  3,  1,  4,    550,    910, 0.00091,  0,    0,  0,  1, 0, 0), //   2 bombs as rewards
    L(3, 3,   3,  3,  1,  4,    600,    910, 0.00095, 12,    0,  0,  1, 0, 0), //   3 jokers
    L(3, 3,   3,  3,  1,  6,    650,    920, 0.00099, 12,    0,  0,  1, 0, 0), //   4 the first three-colour figure
    L(3, 3,   6,  6,  1,  4,    120,     79, 0.00099,  0,    4,  4,  1, 0, 0), //   5 bonus: 6 blocks, 4 bombs, 80 s
    L(4, 3,   3,  3,  1,  7,    700,    930, 0.00107, 12,    0,  0,  1, 0, 1), //   6 four colours, colorize cubes
    L(4, 3,   3,  3,  1,  7,    750,    940, 0.00112, 12,    1,  1,  1, 0, 1), //   7 first block
    L(4, 3,   3,  3,  1,  8,    800,    940, 0.00117, 12,    1,  1,  1, 0, 1), //   8
    L(4, 3,   4,  3,  1,  7,    850,    950, 0.00122, 12,    1,  1,  1, 0, 1), //   9 four cubes a turn
    L(4, 3,   8,  8,  1,  7,    200,    122, 0.00159,  0,    4,  4,  1, 0, 0), //  10 bonus: 8 blocks, 4 bombs, 72 s
    L(4, 4,   3,  3,  3, 10,    900,    960, 0.00173, 14,    1,  1,  1, 1, 1), //  11 shot cubes
    L(4, 4,   3,  3,  3, 11,    950,    960, 0.00179, 14,    1,  1,  1, 1, 1), //  12
    L(4, 4,   3,  3,  3, 10,   1000,    960, 0.00187, 12,    1,  1,  1, 1, 1), //  13
    L(4, 4,   3,  4,  3, 10,   1050,    970, 0.00196, 14,    1,  1,  1, 1, 1), //  14
    L(4, 4,  10,  9,  3, 10,    300,    139, 0.00189,  0,    5,  4,  1, 0, 0), //  15 bonus: 10 blocks, 5 bombs, 75 s
    L(5, 4,   4,  3,  5, 13,   1050,    970, 0.00205, 15,    2,  1,  1, 1, 1), //  16 five colours
    L(5, 4,   4,  3,  5, 14,   1100,    980, 0.00214, 15,    2,  1,  1, 1, 1), //  17
    L(5, 4,   4,  3,  5, 13,   1100,    980, 0.00222, 13,    2,  1,  1, 1, 1), //  18
    L(5, 4,   4,  3,  5, 15,   1150,    980, 0.00233, 15,    2,  1,  1, 1, 1), //  19
    L(5, 4,  12, 11,  5, 13,    420,    162, 0.00233,  0,    5,  5,  1, 0, 0), //  20 bonus: 12 blocks, 5 bombs, 72 s
    L(5, 5,   4,  3,  8, 16,   1150,    990, 0.00253, 16,    2,  1,  1, 1, 1), //  21
    L(5, 5,   4,  3,  8, 17,   1200,    990, 0.00264, 16,    2,  1,  1, 1, 1), //  22
    L(5, 5,   4,  3,  8, 16,   1250,   1000, 0.00275, 14,    2,  1,  1, 1, 1), //  23
    L(5, 5,   4,  3,  8, 18,   1300,   1000, 0.00287, 16,    2,  1,  1, 1, 1), //  24
    L(5, 5,  14, 13,  8, 16,    560,    199, 0.00299,  0,    5,  5,  1, 0, 0), //  25 bonus: 14 blocks, 5 bombs, 68 s
    L(5, 5,   4,  4, 11, 19,   1300,    970, 0.00325, 18,    3,  2,  1, 1, 1), //  26 mode 2: four cubes a turn
    L(5, 5,   4,  4, 11, 20,   1350,    960, 0.00339, 18,    3,  2,  1, 1, 1), //  27
    L(5, 5,   4,  4, 11, 19,   1400,    940, 0.00354, 16,    3,  2,  1, 1, 1), //  28
    L(5, 5,   4,  4, 11, 21,   1450,    930, 0.00369, 20,    3,  2,  1, 1, 1), //  29
    L(5, 5,  16, 14, 11, 19,    720,    216, 0.00341,  0,    6,  5,  1, 0, 0), //  30 bonus: 16 blocks, 6 bombs, 63 s
    L(6, 5,   4,  4, 14, 22,   1450,    960, 0.00371, 11,    3,  2,  1, 1, 1), //  31 six colours
    L(6, 5,   4,  4, 14, 23,   1500,    950, 0.00386, 12,    3,  2,  1, 1, 1), //  32
    L(6, 5,   4,  4, 14, 22,   1550,    930, 0.00403, 14,    3,  2,  1, 1, 1), //  33
    L(6, 5,   4,  4, 14, 24,   1600,    920, 0.00420, 17,    3,  2,  1, 1, 1), //  34
    L(6, 5,  18, 16, 14, 22,    900,    235, 0.00392,  0,    6,  6,  1, 0, 0), //  35 bonus: 18 blocks, 6 bombs, 60 s
    L(6, 6,   4,  4, 17, 25,   1600,    780, 0.00427, 18,    4,  3,  1, 1, 1), //  36
    L(6, 6,   4,  4, 17, 25,   1600,    770, 0.00446, 18,    4,  3,  0, 1, 1), //  37 no bombs this time
    L(6, 6,   4,  4, 17, 25,   1650,    750, 0.00465, 18,    4,  3,  1, 1, 1), //  38
    L(6, 6,   4,  4, 17, 26,   1650,    740, 0.00485, 17,    4,  3,  1, 1, 1), //  39
    L(6, 6,  20, 18, 17, 25,   1100,    257, 0.00455,  0,    6,  6,  1, 0, 0), //  40 bonus: 20 blocks, 6 bombs, 56 s
    L(6, 6,   4,  4, 20, 28,   1700,    760, 0.00495, 19,    4,  3,  1, 1, 1), //  41
    L(6, 6,   4,  4, 20, 28,   1700,    750, 0.00516, 19,    4,  3,  0, 1, 1), //  42 no bombs
    L(6, 6,   4,  4, 20, 28,   1750,    730, 0.00538, 19,    4,  3,  1, 1, 1), //  43
    L(6, 6,   4,  5, 20, 28,   1750,    620, 0.00561, 19,    4,  3,  1, 1, 1), //  44 mode 2: five cubes a turn
    L(6, 6,  22, 20, 20, 28,   1320,    285, 0.00534,  0,    7,  6,  1, 0, 0), //  45 bonus: 22 blocks, 7 bombs, 55 s
    L(6, 6,   4,  4, 23, 30,   1750,    690, 0.00581, 21,    5,  4,  1, 1, 1), //  46 more blocks, rarer jokers, the biggest figures
    L(6, 6,   4,  4, 23, 30,   1800,    680, 0.00607, 21,    5,  4,  0, 1, 1), //  47 no bombs
    L(6, 6,   4,  4, 23, 30,   1800,    660, 0.00633, 21,    5,  4,  1, 1, 1), //  48
    L(6, 6,   4,  4, 23, 30,   1850,    650, 0.00660, 20,    5,  4,  1, 1, 1), //  49
    L(6, 6,  24, 22, 23, 30,   1560,    330, 0.00660,  0,    7,  7,  1, 0, 0), //  50 bonus: 24 blocks, 7 bombs, 50 s
    L(7, 6,   3,  4, 23, 30,   2160,    690, 0.00685, 24,    4,  3,  1, 1, 1), //  51 seven colours with three cubes a turn
    L(7, 6,   3,  4, 21, 28,   2250,    690, 0.00699, 20,    4,  3,  1, 1, 0), //  52 no colour changers
    L(7, 6,   3,  4, 24, 30,   2250,    690, 0.00713, 22,    4,  3,  0, 1, 1), //  53 no bombs
    L(7, 6,   3,  4, 22, 30,   2250,    690, 0.00685, 20,    6,  4,  1, 1, 1), //  54 more blocks
    L(7, 6,  24, 23, 22, 30,   1680,    343, 0.00685,  0,    7,  7,  1, 0, 0), //  55 bonus: 24 blocks, 7 bombs, 50 s
    L(5, 5,   5,  5, 16, 29,   2380,    730, 0.01018,  8,    5,  4,  1, 1, 1), //  56 five colours, five cubes a turn
    L(5, 5,   5,  5, 18, 29,   2380,    730, 0.00959, 10,    5,  4,  1, 0, 1), //  57 no shots
    L(5, 5,   5,  5, 16, 29,   2470,    730, 0.00959,  8,    7,  5,  1, 1, 0), //  58 more blocks, no colour changers
    L(5, 5,   5,  5, 20, 29,   2470,    730, 0.00974,  9,    5,  4,  1, 1, 1), //  59
    L(5, 5,  25, 24, 20, 29,   1875,    478, 0.00974,  0,    7,  7,  1, 0, 0), //  60 bonus: 25 blocks, 7 bombs, 49 s
    L(4, 4,   6,  5, 14, 28,   2400,    760, 0.01072, 18,    5,  4,  1, 1, 1), //  61 four colours, six cubes a turn (mode 2: five)
    L(4, 4,   6,  5, 15, 28,   2400,    760, 0.01072, 16,    5,  4,  0, 1, 1), //  62 no bombs
    L(4, 4,   6,  5, 14, 26,   2500,    760, 0.01087, 18,    5,  4,  1, 1, 0), //  63 no colour changers
    L(4, 4,   6,  5, 16, 28,   2400,    760, 0.01087, 16,    7,  5,  1, 1, 1), //  64 more blocks
    L(4, 4,  22, 21, 16, 28,   1760,    522, 0.01087,  0,    6,  6,  1, 0, 0), //  65 bonus: 22 blocks, 6 bombs, 48 s
    L(6, 6,   4,  4, 17, 30,   2310,    800, 0.00856, 10,   12, 10,  1, 1, 1), //  66 block storm: a block in every sixteenth new cube
    L(6, 6,   4,  4, 19, 30,   2310,    800, 0.00872, 11,   12, 10,  1, 0, 1), //  67 no shots
    L(6, 6,   4,  4, 17, 30,   2520,    800, 0.00889, 12,   11,  9,  1, 1, 0), //  68 no colour changers
    L(6, 6,   4,  4, 21, 30,   2520,    800, 0.00856, 11,   13, 11,  1, 1, 1), //  69
    L(6, 6,  26, 25, 21, 30,   2210,    403, 0.00856,  0,    7,  7,  1, 0, 0), //  70 bonus: 26 blocks, 7 bombs, 47 s
    L(7, 7,   4,  4, 23, 30,   2640,    840, 0.00854,  8,    5,  4,  1, 1, 1), //  71 seven colours in mode 2 too, jokers every eighth cube
    L(7, 7,   4,  4, 25, 30,   2640,    840, 0.00871,  8,    5,  4,  1, 1, 0), //  72 no colour changers
    L(7, 7,   4,  4, 23, 30,   2640,    840, 0.00888,  8,    5,  4,  0, 1, 1), //  73 no bombs
    L(7, 7,   4,  4, 26, 30,   2750,    840, 0.00871,  8,    6,  4,  1, 1, 1), //  74
    L(7, 7,  23, 22, 26, 30,   2070,    401, 0.00871,  0,    6,  6,  1, 0, 0), //  75 bonus: 23 blocks, 6 bombs, 46 s
    L(6, 6,   4,  4, 20, 30,   2640,    880, 0.00938, 12,    5,  4,  0, 1, 1), //  76 no bombs: shots and colour changers only
    L(6, 6,   4,  4, 22, 30,   2760,    880, 0.00964, 11,    5,  4,  0, 1, 0), //  77 shots only
    L(6, 6,   4,  4, 20, 30,   2760,    880, 0.00893, 12,    5,  4,  0, 0, 1), //  78 colour changers only
    L(6, 6,   4,  4, 24, 30,   2880,    880, 0.00911, 11,    6,  5,  0, 1, 1), //  79
    L(6, 6,  27, 26, 24, 30,   2565,    410, 0.00911,  0,    7,  7,  1, 0, 0), //  80 bonus: 27 blocks, 7 bombs, 45 s
    L(6, 6,   3,  4, 14, 28,   2880,    920, 0.00839,  0,   10,  8,  1, 1, 1), //  81 six colours without jokers, three cubes a turn in mode 1
    L(6, 6,   3,  4, 16, 28,   2880,    920, 0.00857,  0,   10,  8,  1, 0, 1), //  82 no shots
    L(6, 6,   3,  4, 14, 27,   2880,    920, 0.00876,  0,   12,  9,  1, 1, 0), //  83 more blocks, no colour changers
    L(6, 6,   3,  4, 18, 28,   3000,    920, 0.00894,  0,   10,  8,  0, 1, 1), //  84 no bombs
    L(6, 6,  24, 23, 18, 28,   2400,    394, 0.00894,  0,    6,  6,  1, 0, 0), //  85 bonus: 24 blocks, 6 bombs, 44 s
    L(7, 7,   3,  3, 21, 30,   2620,    960, 0.00767,  0,    5,  4,  1, 1, 1), //  86 seven colours and no jokers, three cubes a turn in both modes
    L(7, 7,   3,  3, 23, 30,   2750,    960, 0.00776,  0,    5,  4,  1, 1, 0), //  87 no colour changers
    L(7, 7,   3,  3, 21, 30,   2880,    960, 0.00786,  0,    6,  5,  0, 1, 1), //  88 no bombs
    L(7, 7,   3,  3, 25, 30,   2880,    960, 0.00796,  0,    5,  4,  1, 0, 1), //  89 no shots
    L(7, 7,  20, 23, 25, 30,   2100,    343, 0.00796,  0,    5,  6,  1, 0, 0), //  90 bonus: 20 blocks, 5 bombs, 43 s
    L(5, 5,   5,  5, 18, 29,   3380,    990, 0.01413,  7,   10,  8,  1, 1, 1), //  91 five cubes a turn and many blocks
    L(5, 5,   5,  5, 20, 29,   3380,    990, 0.01433,  7,   10,  8,  1, 0, 1), //  92 no shots
    L(5, 5,   5,  5, 18, 29,   3510,    990, 0.01454,  7,   11,  9,  1, 1, 0), //  93 no colour changers
    L(5, 5,   5,  5, 22, 29,   3510,    990, 0.01373,  7,   10,  8,  1, 1, 1), //  94
    L(5, 5,  25, 24, 22, 29,   2750,    577, 0.01373,  0,    6,  6,  1, 0, 0), //  95 bonus: 25 blocks, 6 bombs, 42 s
    L(7, 7,   4,  4, 25, 30,   3380,   1030, 0.01090,  8,    6,  5,  1, 1, 1), //  96 the finale: seven colours, four cubes, everything
    L(7, 7,   4,  4, 27, 30,   3380,   1030, 0.01111,  8,    6,  5,  1, 1, 0), //  97 no colour changers
    L(7, 7,   4,  4, 25, 30,   3380,   1030, 0.01132,  8,    7,  5,  0, 1, 1), //  98 no bombs
    L(7, 7,   4,  4, 28, 30,   3510,   1030, 0.01153,  8,    6,  5,  1, 1, 1), //  99 the last normal level
    L(7, 7,  21, 20, 28, 30,   2415,    462, 0.01153,  0,    5,  5,  1, 0, 0), // 100 bonus: 21 blocks, 5 bombs, 40 s
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

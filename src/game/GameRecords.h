// The records the game object is made of: cubes, board cells, path markers, bonus figures and
// levels, with the cell words, cube kinds and cube states they use.
#pragma once

#include "game/RangeArray.h"
#include "render/Placement.h"
#include "render/Vector.h"

#include <cstdint>

namespace veltrane {

// ---- Cells -------------------------------------------------------------------------------
// A board cell (X, Y), X and Y in 1..9, as one 16-bit word: X in the low byte, Y in the high
// byte. The centre of cell (X, Y) is at world (X - 5, Y - 5).
using TCellWord = uint16_t;

constexpr TCellWord CellWord(int x, int y) {
    return static_cast<TCellWord>((x & 0xFF) | ((y & 0xFF) << 8));
}
constexpr int CellX(TCellWord cell) {
    return cell & 0xFF;
}
constexpr int CellY(TCellWord cell) {
    return cell >> 8;
}
constexpr bool CellOnBoard(TCellWord cell) {
    return CellX(cell) >= 1 && CellX(cell) <= 9 && CellY(cell) >= 1 && CellY(cell) <= 9;
}

// ---- Cube kinds and states ---------------------------------------------------------------
// The kinds beyond the colours: a cube's Kind is a colour 1..7 or one of these.
enum TCubeKind : uint8_t {
    ckJoker = 8,
    ckBomb = 9,
    ckShot = 10,
    ckColorize = 11, // 11..17: colorize cube for colour Kind - 10
    ckColorizeLast = 17,
    ckBlock = 18,
};

// The texture slot of a kind: kind - 1 for 1..17, slot 17 (the block) for anything else.
constexpr int KindTextureSlot(int kind) {
    return kind >= 1 && kind <= 17 ? kind - 1 : 17;
}

enum TCubeState : uint8_t {
    csAnnounced = 0, // placed for the next turn, drawn small; its cell stays passable
    csGrowing = 1,
    csResting = 2,
    csTurning = 3, // a hover turn
    csSelected = 4,
    csTwitching = 5, // an idle quarter turn
    csMoving = 6,
    csVanishing = 7,
    csGone = 8, // removed by the next frame's update
};

// ---- Board ---------------------------------------------------------------------------------
// One cube on the board. Its first four fields are those of TTexMatrix; the texture comes from
// its kind.
struct TCube {
    TVector Scale{1, 1, 1};
    TVector Position{};
    TVector Rotation{};
    TMatrix World = MatrixIdentity();
    TCubeState State = csAnnounced;
    float Anim = 0;       // progress while growing, phase while turning or selected, share while vanishing
    uint8_t TurnAxis = 0; // 1 x, 2 y, 3 z
    int8_t TurnDir = 0;   // +1 or -1
    float TurnTarget = 0;
    float MoveStart = 0; // path markers when the move began
    float MovePos = 0;   // counts down from the marker count to 1
    float StepMark = 0;  // next path position that plays a step sound
    TVector FlyVelocity{};
    TVector FlyAccel{};
    TVector FlySpin{};
    uint8_t Kind = 0;
    uint8_t X = 0;
    uint8_t Y = 0;

    TCellWord Cell() const { return CellWord(X, Y); }
    void SetCell(TCellWord cell) {
        X = static_cast<uint8_t>(CellX(cell));
        Y = static_cast<uint8_t>(CellY(cell));
    }
};

// Board cell occupancy.
enum TOccupancy : uint8_t {
    ocFree = 0,
    ocReserved = 1, // an announced cube: passable
    ocOccupied = 2, // blocks paths
};

struct TBoardCell {
    TOccupancy Occupancy = ocFree;
    uint8_t Cube = 0;     // index into Cubes, 0 when free
    uint8_t Distance = 0; // wave number of the last path search, 0 = not visited

    friend bool operator==(const TBoardCell&, const TBoardCell&) = default;
};

// A path marker: kind 1 path step, 2 reachable target, 3 unreachable target.
struct TDot : TTexMatrix {
    uint8_t Kind = 0;
    TCellWord Cell = 0;
};

// ---- Bonus figures -------------------------------------------------------------------------
struct TBonusCube : TTexMatrix {
    uint8_t Kind = 0;      // colour 1..7 from the file, 0 = no cube here
    uint8_t ShownKind = 0; // colour to build in the current level, 0 = no cube
};

struct TBonusFigure {
    uint8_t Width = 0;                                      // columns used, 1..4
    uint8_t Height = 0;                                     // rows used, 1..4
    uint8_t Colours = 0;                                    // colours the figure uses
    TRangeArray<TRangeArray<TBonusCube, 1, 4>, 1, 4> Cubes; // [column][row]; row 1 is the lowest
    double BaseValue = 0;
    double Value = 0; // points in the current level
};

// ---- Levels --------------------------------------------------------------------------------
// A value per game mode, indexed by GameMode (1 or 2).
template <class T>
using TPerMode = TRangeArray<T, 1, 2>;

enum TLevelType : uint8_t {
    ltNormal = 0,
    ltBeforeBonus = 1, // level number mod 5 = 4
    ltBonus = 2,       // level number mod 5 = 0
};

struct TLevel {
    TPerMode<uint8_t> CubesPerTurn;
    TPerMode<uint8_t> Colours;
    int32_t JokerOdds = 0;
    TPerMode<int32_t> ExtraQuota; // blocks still to mix in; on a bonus level the bombs placed
    bool AllowBomb = false;
    bool AllowShot = false;
    bool AllowColorize = false;
    uint8_t FigureFirst = 0;
    uint8_t FigureLast = 0;
    double Progress = 0; // the gauge: points (mode 1) or the time bank (mode 2)
    TPerMode<double> Goal;
    double TimeRate = 0; // time bank drained per millisecond in mode 2
    TLevelType LevelType = ltNormal;
    uint8_t LampsOff = 0;
    int32_t CubePoints = 0;
    int32_t SquarePoints = 0;
    double FigureRate = 0;
    int32_t ClearBonus = 0;

    // Lamps the bonus lamp row shows during this level.
    int LampCount() const { return LampsOff > 5 ? 5 : 5 - LampsOff; }

    friend bool operator==(const TLevel&, const TLevel&) = default;
};

} // namespace veltrane

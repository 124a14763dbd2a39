// The game object: the board and its cubes, path markers, the level table and bonus figures,
// scores, level, mode and play phase. Rules, turns, saved games, input, the per-frame update
// and drawing are operations of this object, each group in its own source file.
#pragma once

#include "game/GameRecords.h"
#include "game/RangeArray.h"

#include <cstdint>
#include <string>

namespace veltrane::gfx {
class IDevice;
}

namespace veltrane {

class TTextReader;

constexpr int MaxCubes = 81;
constexpr int MaxLevels = 100;
constexpr int MaxFigures = 30;

constexpr const char* LevelsFileName = "data/Levels.dat";
constexpr const char* FiguresFileName = "data/BonusFigures.dat";

// Play phases.
constexpr uint8_t phPlay = 0;
constexpr uint8_t phLevelCompleted = 1;
constexpr uint8_t phGameOver = 2;
constexpr uint8_t phMenu = 3; // play halted under a menu page

class TGame final {
public:
    // ---- Fields, in the game's order ----------------------------------------------------------
    gfx::IDevice* Device = nullptr;
    int32_t Level = 0;      // current level 1..100
    int32_t LevelCount = 0; // level records read from the levels file
    TRangeArray<TLevel, 1, MaxLevels> Levels;
    double TimeClock = 0; // milliseconds of play in the current level
    uint8_t GameMode = 1; // 1, or 2 for the timed game; the menu sets it before a game starts
    double TotalScore = 0;
    double PendingScore = 0; // earned, not yet counted into TotalScore
    int32_t Combo = 0;
    int32_t CubeCount = 0;
    int32_t Selected = 0; // index of the selected cube, 0 = none
    TRangeArray<TCube, 1, MaxCubes> Cubes;
    TRangeArray<int32_t, 1, 9> StateCount; // cubes per state; index state + 1, index 9 for 8 and above
    TRangeArray<int32_t, 1, 9> PrevStateCount;
    int8_t FreeCount = 0;
    TRangeArray<TCellWord, 1, MaxCubes> FreeCells; // cells without a cube, in no particular order
    int32_t DotCount = 0;
    TRangeArray<TDot, 0, 80> Dots;                          // path markers; entry 0 is the target
    TRangeArray<TRangeArray<TBoardCell, 1, 9>, 1, 9> Board; // [X][Y]
    TCellWord HoverCell = 0;
    TCellWord ShotHome = 0;
    int32_t FigureCount = 0; // bonus figures read from the figures file
    int32_t Figure = 0;      // current bonus figure
    TRangeArray<TBonusFigure, 1, MaxFigures> Figures;
    int32_t SpecialsDue = 0;
    bool MoveBarren = false;
    uint8_t Phase = phPlay;
    double PhaseClock = 0;
    bool BoardIdle = false;
    bool Loaded = false;

    // ---- Creation ----------------------------------------------------------------------------
    explicit TGame(gfx::IDevice* device);
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // ---- Access helpers ----------------------------------------------------------------------
    TBoardCell& BoardAt(TCellWord cell) { return Board[CellX(cell)][CellY(cell)]; }
    const TBoardCell& BoardAt(TCellWord cell) const { return Board[CellX(cell)][CellY(cell)]; }
    TLevel& CurrentLevel() { return Levels[Level]; }
    const TLevel& CurrentLevel() const { return Levels[Level]; }

    // ---- Cube states (Game.cpp) ----------------------------------------------------------
    // The StateCount slot of a state: state + 1, and 9 for 8 and anything larger.
    static int StateSlot(uint8_t state) { return state >= 8 ? 9 : state + 1; }
    // The one way to change the state of cube i (1..CubeCount): moves one count in StateCount
    // from its old state to the new one.
    void SetCubeState(int i, uint8_t state);
    // Gives a cube that has just joined the list (i = CubeCount) its first state and counts it.
    void InitCubeState(int i, uint8_t state);

    // ---- Board (Board.cpp) -------------------------------------------------------------------
    // Empties the board: no cubes, no markers, every cell free (FreeCells column by column),
    // state counts 0, no selection.
    void ClearBoard();
    // Draws a random free cell and takes it off the free list; 0 (nothing changed) when the
    // board test of CheckGameOver ends the game.
    TCellWord TakeFreeCell();
    // Removes entry k (1..FreeCount) of FreeCells, keeping the order of the rest.
    void DropFreeCell(int k);
    // Deletes cube i (1..CubeCount) from the list, frees its cell and uncounts its state; later
    // cubes move down one place.
    void RemoveCube(int i);

    // ---- Game over (GameOver.cpp) ------------------------------------------------------------
    // True when the game is over (or already was). boardTest: the board is full; otherwise the
    // timed mode's bank is empty outside bonus levels. Moves Phase from play to game over.
    bool CheckGameOver(bool boardTest);

    // ---- Level and figure files (LevelFile.cpp, FigureFile.cpp) -----------------------------------
    // Read the whole table, complete it and only then replace Levels / Figures and their
    // counts; a bad file throws TFileError naming the file and line and changes nothing.
    void LoadLevels(const std::string& path = LevelsFileName);
    void LoadLevels(TTextReader& reader);
    void LoadFigures(const std::string& path = FiguresFileName);
    void LoadFigures(TTextReader& reader);

    // ---- Checks (Invariants.cpp) -------------------------------------------------------------
    // The first broken board invariant as a sentence, or "" when all hold: cube and free counts
    // add up to 81, every cube stands on its own cell that is not in FreeCells, StateCount
    // matches the cubes, at most one cube is selected and it is Cubes[Selected].
    std::string CheckInvariants() const;
};

} // namespace veltrane

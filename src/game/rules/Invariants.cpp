// A self-check of the board bookkeeping for tests and traces.
#include "game/Game.h"

#include <array>

namespace veltrane {

namespace {

std::string CellText(TCellWord cell) {
    return "(" + std::to_string(CellX(cell)) + ", " + std::to_string(CellY(cell)) + ")";
}

} // namespace

std::string TGame::CheckInvariants() const {
    if (CubeCount < 0 || CubeCount > MaxCubes)
        return "CubeCount " + std::to_string(CubeCount) + " outside 0..81";
    if (FreeCount < 0 || FreeCount > MaxCubes)
        return "FreeCount " + std::to_string(FreeCount) + " outside 0..81";
    if (CubeCount + FreeCount != MaxCubes)
        return "CubeCount " + std::to_string(CubeCount) + " + FreeCount " + std::to_string(FreeCount) +
               " is not 81";

    // Who holds each cell: a cube index, -1 for the free list, 0 for nobody yet.
    std::array<std::array<int, 10>, 10> owner{};
    std::array<int32_t, 10> counted{};
    int selectedCubes = 0;
    for (int i = 1; i <= CubeCount; ++i) {
        const TCube& cube = Cubes[i];
        const TCellWord cell = cube.Cell();
        if (!CellOnBoard(cell))
            return "cube " + std::to_string(i) + " stands on " + CellText(cell) + ", off the board";
        int& holder = owner[cube.X][cube.Y];
        if (holder != 0)
            return "cubes " + std::to_string(holder) + " and " + std::to_string(i) + " share the cell " +
                   CellText(cell);
        holder = i;
        counted[StateSlot(cube.State)] += 1;
        if (cube.State == csSelected) {
            if (++selectedCubes > 1) return "more than one cube is selected";
            if (Selected != i)
                return "cube " + std::to_string(i) + " is selected but Selected is " +
                       std::to_string(Selected);
        }
    }
    for (int k = 1; k <= FreeCount; ++k) {
        const TCellWord cell = FreeCells[k];
        if (!CellOnBoard(cell))
            return "FreeCells[" + std::to_string(k) + "] is " + CellText(cell) + ", off the board";
        int& holder = owner[CellX(cell)][CellY(cell)];
        if (holder > 0)
            return "FreeCells[" + std::to_string(k) + "] holds " + CellText(cell) + " of cube " +
                   std::to_string(holder);
        if (holder < 0) return "FreeCells holds " + CellText(cell) + " twice";
        holder = -1;
    }
    for (int slot = 1; slot <= 9; ++slot) {
        if (StateCount[slot] != counted[slot])
            return "StateCount[" + std::to_string(slot) + "] is " + std::to_string(StateCount[slot]) +
                   " but " + std::to_string(counted[slot]) + " cubes are in that state";
    }
    if (Selected < 0 || Selected > CubeCount)
        return "Selected " + std::to_string(Selected) + " outside 0.." + std::to_string(CubeCount);
    return "";
}

std::string TGame::CheckBoardInvariants() const {
    if (std::string fault = CheckInvariants(); !fault.empty()) return fault;

    // The board names every cube on its cell: announced cubes reserve it, growing ones reserve
    // or occupy it (a path search counts them as blocking), all others occupy it.
    for (int i = 1; i <= CubeCount; ++i) {
        const TCube& cube = Cubes[i];
        const TBoardCell& entry = BoardAt(cube.Cell());
        if (entry.Cube != i)
            return "the board names cube " + std::to_string(entry.Cube) + " on " + CellText(cube.Cell()) +
                   " of cube " + std::to_string(i);
        const bool reserved = entry.Occupancy == ocReserved;
        const bool occupied = entry.Occupancy == ocOccupied;
        bool fits = occupied;
        if (cube.State == csAnnounced) fits = reserved;
        if (cube.State == csGrowing) fits = reserved || occupied;
        if (!fits)
            return "cube " + std::to_string(i) + " in state " + std::to_string(cube.State) +
                   " has occupancy " + std::to_string(entry.Occupancy) + " on " + CellText(cube.Cell());
    }
    for (int k = 1; k <= FreeCount; ++k) {
        const TBoardCell& entry = BoardAt(FreeCells[k]);
        if (entry.Occupancy != ocFree || entry.Cube != 0)
            return "free cell " + CellText(FreeCells[k]) + " has occupancy " +
                   std::to_string(entry.Occupancy) + " and cube " + std::to_string(entry.Cube);
    }
    if (DotCount < 0 || DotCount > Dots.Size)
        return "DotCount " + std::to_string(DotCount) + " outside 0.." + std::to_string(Dots.Size);
    return "";
}

} // namespace veltrane

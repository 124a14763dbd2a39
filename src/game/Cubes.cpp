// Adding resting cubes: on a random free cell, or on a given one.
#include "game/Game.h"

namespace veltrane {

int TGame::AddCube(uint8_t kind) {
    if (FreeCount <= 0) return 0;
    const TCellWord cell = TakeFreeCell();
    if (cell == 0) return 0; // the game has just ended
    return StandCube(kind, cell);
}

int TGame::PlaceCube(uint8_t kind, TCellWord cell) {
    if (FreeCount <= 0) return 0;
    int entry = 0;
    for (int k = 1; k <= FreeCount; ++k)
        if (FreeCells[k] == cell) entry = k;
    if (entry != 0) {
        DropFreeCell(entry);
    } else {
        // The cell was taken meanwhile: one cube per cell, so another free cell serves.
        cell = TakeFreeCell();
        if (cell == 0) return 0;
    }
    return StandCube(kind, cell);
}

int TGame::StandCube(uint8_t kind, TCellWord cell) {
    CubeCount += 1;
    const int i = CubeCount;
    TCube& cube = Cubes[i];
    cube = TCube{};
    cube.Kind = kind;
    cube.SetCell(cell);
    cube.Position = {static_cast<float>(CellX(cell) - 5), static_cast<float>(CellY(cell) - 5), 0.4f};
    cube.Scale = {0.8f, 0.8f, 0.8f};
    cube.Rotation = {0, 0, 0};
    InitCubeState(i, csResting);
    BoardAt(cell) = {ocOccupied, static_cast<uint8_t>(i), BoardAt(cell).Distance};
    return i;
}

} // namespace veltrane

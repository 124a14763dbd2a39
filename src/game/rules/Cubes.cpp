// Adding resting cubes: on a random free cell, or on a given one.
#include "game/Game.h"

namespace veltrane {

int TGame::AddCube(uint8_t kind) {
    if (FreeCount <= 0) return 0;
    const TCellWord cell = TakeFreeCell();
    if (cell == 0) return 0; // the game has just ended
    return AppendCube(kind, cell, csResting);
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
    return AppendCube(kind, cell, csResting);
}

int TGame::AppendCube(uint8_t kind, TCellWord cell, TCubeState state) {
    // A resting cube stands full size on the board; an announced one waits small, its cell
    // reserved but passable.
    const bool announced = state == csAnnounced;
    CubeCount += 1;
    const int i = CubeCount;
    TCube& cube = Cubes[i];
    cube = TCube{};
    cube.Kind = kind;
    cube.SetCell(cell);
    const float size = announced ? 0.3f : 0.8f;
    cube.Position = {static_cast<float>(CellX(cell) - 5), static_cast<float>(CellY(cell) - 5),
                     announced ? 0.15f : 0.4f};
    cube.Scale = {size, size, size};
    cube.Rotation = {0, 0, 0};
    InitCubeState(i, state);
    BoardAt(cell) = {announced ? ocReserved : ocOccupied, static_cast<uint8_t>(i), BoardAt(cell).Distance};
    return i;
}

} // namespace veltrane

// The board's bookkeeping: the free-cell list and the packed cube list.
#include "game/Game.h"

#include "platform/Random.h"
#include "sound/Sound.h"

namespace veltrane {

void TGame::ClearBoard() {
    CubeCount = 0;
    DotCount = 0;
    FreeCount = MaxCubes;
    StateCount.Fill(0);
    int k = 1;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) FreeCells[k++] = CellWord(x, y);
    for (auto& column : Board) {
        for (auto& cell : column) {
            cell.Occupancy = ocFree;
            cell.Cube = 0;
        }
    }
    PrevStateCount = StateCount;
    // With the cube list empty, dropping the selection is all there is to do: the records
    // behind the old index no longer belong to the board.
    if (Selected != 0) StopSound(TSound::Selected);
    Selected = 0;
    KeyCursor = CellWord(5, 5);
}

TCellWord TGame::TakeFreeCell() {
    if (CheckGameOver(true)) return 0;
    // Outside play (a level-end sequence or a menu) the test above answers false even on a
    // full board; there is still no cell to give.
    if (FreeCount <= 0) return 0;
    const int k = Random(FreeCount) + 1;
    const TCellWord cell = FreeCells[k];
    DropFreeCell(k);
    return cell;
}

void TGame::DropFreeCell(int k) {
    if (k < 1 || k > FreeCount) return;
    for (int j = k; j < FreeCount; ++j) FreeCells[j] = FreeCells[j + 1];
    FreeCount -= 1;
}

void TGame::RemoveCube(int i) {
    if (i < 1 || i > CubeCount) return;
    const TCellWord cell = Cubes[i].Cell();
    // A cube that never got a cell took nothing from the free list.
    if (CellOnBoard(cell)) {
        FreeCount += 1;
        FreeCells[FreeCount] = cell;
        TBoardCell& entry = BoardAt(cell);
        entry.Occupancy = ocFree;
        entry.Cube = 0;
    }
    StateCount[StateSlot(Cubes[i].State)] -= 1;

    for (int j = i; j < CubeCount; ++j) {
        Cubes[j] = Cubes[j + 1];
        // Keep the board naming the moved cube, so arrival and selection find the right one.
        const TCellWord moved = Cubes[j].Cell();
        if (CellOnBoard(moved) && BoardAt(moved).Cube == j + 1) BoardAt(moved).Cube = static_cast<uint8_t>(j);
    }
    CubeCount -= 1;

    if (Selected == i) {
        Selected = 0;
        StopSound(TSound::Selected);
    } else if (Selected > i)
        Selected -= 1;
}

} // namespace veltrane

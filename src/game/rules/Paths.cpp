// The path search from the selected cube and the markers of the path to the hovered cell.
#include "game/Game.h"

namespace veltrane {

namespace {

// Paths longer than this many steps do not exist.
constexpr int PathLimit = 30;

} // namespace

int TGame::CubeOn(TCellWord cell) const {
    if (!CellOnBoard(cell)) return 0;
    const int named = BoardAt(cell).Cube;
    if (named >= 1 && named <= CubeCount && Cubes[named].Cell() == cell) return named;
    // The board entry is stale: ask the cube list.
    for (int i = 1; i <= CubeCount; ++i)
        if (Cubes[i].Cell() == cell) return i;
    return 0;
}

void TGame::FindPaths() {
    if (Selected < 1 || Selected > CubeCount) return;

    for (auto& column : Board)
        for (auto& cell : column) cell = {ocFree, 0, 0};
    for (int i = 1; i <= CubeCount; ++i) {
        const TCube& cube = Cubes[i];
        if (!CellOnBoard(cube.Cell())) continue;
        // Announced cubes do not block a path.
        BoardAt(cube.Cell()) = {cube.State != csAnnounced ? ocOccupied : ocReserved, static_cast<uint8_t>(i),
                                0};
    }

    // One wave step: the free, unvisited neighbours of (x, y) get distance w, in the order
    // right, left, up, down.
    auto spread = [this](int x, int y, uint8_t w) {
        bool marked = false;
        auto visit = [&](int nx, int ny) {
            if (nx < 1 || nx > 9 || ny < 1 || ny > 9) return;
            TBoardCell& next = Board[nx][ny];
            if (next.Occupancy == ocOccupied || next.Distance != 0) return;
            next.Distance = w;
            marked = true;
        };
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
        return marked;
    };

    const TCube& from = Cubes[Selected];
    if (!CellOnBoard(from.Cell())) return;
    spread(from.X, from.Y, 1);
    for (int w = 2; w <= PathLimit; ++w) {
        bool marked = false;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const TBoardCell& cell = Board[x][y];
                if (cell.Occupancy != ocOccupied && cell.Distance == w - 1)
                    marked = spread(x, y, static_cast<uint8_t>(w)) || marked;
            }
        if (!marked) break;
    }
}

TCellWord TGame::StepBack(TCellWord cell) const {
    const int x = CellX(cell);
    const int y = CellY(cell);
    const int b = Board[x][y].Distance;
    if (x <= 8 && Board[x + 1][y].Distance == b - 1) return CellWord(x + 1, y);
    if (x >= 2 && Board[x - 1][y].Distance == b - 1) return CellWord(x - 1, y);
    if (y <= 8 && Board[x][y + 1].Distance == b - 1) return CellWord(x, y + 1);
    if (y >= 2 && Board[x][y - 1].Distance == b - 1) return CellWord(x, y - 1);
    return cell;
}

void TGame::ShowPath() {
    if (Selected == 0) return;
    DotCount = 0;
    TCellWord target = HoverCell;
    if (!CellOnBoard(target)) return;
    const TBoardCell& cell = BoardAt(target);
    if (cell.Occupancy == ocOccupied) return; // no markers over a cube
    const int d = cell.Distance;
    if (d == 0) {
        AddDot(target, 3);
        return;
    }
    // From the target back to the cell next to the selected cube.
    AddDot(target, 2);
    for (int k = 1; k < d; ++k) {
        target = StepBack(target);
        AddDot(target, 1);
    }
}

void TGame::AddDot(TCellWord cell, uint8_t kind) {
    if (DotCount < 0 || DotCount > Dots.High) return; // the marker list is full
    TDot& dot = Dots[DotCount];
    dot.Kind = kind;
    dot.Cell = cell;
    dot.Position = {static_cast<float>(CellX(cell) - 5), static_cast<float>(CellY(cell) - 5), 0.05f};
    dot.Scale = {0.9f, 0.9f, 1.0f};
    dot.Rotation = {0, 0, 0};
    dot.Texture = kind >= 1 && kind <= 3 ? Scene.DotTextures[kind] : nullptr;
    dot.UpdateWorld();
    DotCount += 1;
}

} // namespace veltrane

// A cube travelling along the path markers, and what happens when it arrives.
#include "game/Game.h"

#include "platform/Random.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane {

namespace {

// Path positions per millisecond.
constexpr double MoveSpeed = 0.014;

int FreeEntryOf(const TGame& game, TCellWord cell) {
    for (int k = 1; k <= game.FreeCount; ++k)
        if (game.FreeCells[k] == cell) return k;
    return 0;
}

} // namespace

void TGame::StartMove() {
    MoveBarren = true;
    StopSound(TSound::Selected);
    TCube& cube = Cubes[Selected];
    SetCubeState(Selected, csMoving);
    cube.Anim = 0;
    cube.Position = {static_cast<float>(cube.X - 5), static_cast<float>(cube.Y - 5), 0.4f};
    AddDot(cube.Cell(), 1);
    cube.MoveStart = cube.MovePos = cube.StepMark = static_cast<float>(DotCount);
}

void TGame::StepMove(int i, float dt) {
    if (CheckGameOver(true)) return;
    if (i < 1 || i > CubeCount) return;
    TCube& cube = Cubes[i];
    // A frame of unknown length moves nothing; an endless one arrives.
    if (std::isnan(dt) || dt < 0) dt = 0;
    if (std::isnan(cube.MovePos)) cube.MovePos = 1;

    // Between markers a and a - 1, read only from the markers in use: at the start of the move
    // (MovePos = DotCount) the cube stands on the last marker, its own cell.
    if (DotCount >= 2) {
        const double pos =
            std::clamp(static_cast<double>(cube.MovePos), 1.0, static_cast<double>(DotCount - 1));
        const int a = std::min(static_cast<int>(pos), DotCount - 1);
        const float f = static_cast<float>(std::clamp(static_cast<double>(cube.MovePos) - a, 0.0, 1.0));
        const TVector& A = Dots[a].Position;
        const TVector& B = Dots[a - 1].Position;
        cube.Position.x = A.x == B.x ? A.x : A.x * f + B.x * (1 - f);
        cube.Position.y = A.y == B.y ? A.y : A.y * f + B.y * (1 - f);
        // The marker the cube has just left disappears.
        const double whole = std::trunc(static_cast<double>(cube.MovePos));
        if (whole >= 0 && whole < DotCount) Dots[static_cast<int>(whole)].Position.z = -1;
    }
    cube.Position.z = static_cast<float>(std::abs(std::sin(std::numbers::pi * cube.MovePos / 2)) + 0.4);

    if (cube.MovePos <= cube.StepMark) {
        cube.StepMark -= 1;
        if (cube.StepMark == 1)
            PlaySound(TSound::Moved);
        else if (cube.Kind == ckBomb)
            PlaySound(TSound::MoveBomb);
        else
            PlaySound(TSound::MoveCube);
    }

    cube.MovePos = static_cast<float>(cube.MovePos - MoveSpeed * dt);
    if (cube.MovePos <= 1) DotCount = 0;
    if (DotCount != 0) return;
    Arrive(i);
}

void TGame::Arrive(int i) {
    TCube& cube = Cubes[i];
    const TCellWord from = cube.Cell();
    TCellWord target = Dots[0].Cell;
    if (!CellOnBoard(target)) target = from;

    if (target != from && BoardAt(target).Occupancy == ocReserved) {
        // An announced cube stands on the target: it makes way to a random free cell, or, on
        // a board without one, to the cell this cube leaves.
        const int j = CubeOn(target);
        if (j != 0 && j != i) {
            TCube& announced = Cubes[j];
            TCellWord away = from;
            if (FreeCount > 0) {
                const int k = Random(FreeCount) + 1;
                away = FreeCells[k];
                FreeCells[k] = target;
            }
            announced.SetCell(away);
            announced.Position = {static_cast<float>(CellX(away) - 5), static_cast<float>(CellY(away) - 5),
                                  0.25f};
            BoardAt(away) = {ocReserved, static_cast<uint8_t>(j), BoardAt(away).Distance};
            BoardAt(target) = {ocFree, 0, BoardAt(target).Distance};
        }
    }

    if (target != from) {
        const int entry = FreeEntryOf(*this, target);
        if (entry != 0) {
            FreeCells[entry] = from;
            if (BoardAt(from).Cube == i) BoardAt(from) = {ocFree, 0, BoardAt(from).Distance};
        } else if (CubeOn(target) == 0) {
            // The announced cube took this cube's old cell; both stay off the free list.
        } else {
            target = from; // the target is taken after all: the cube stays where it was
        }
    }

    cube.SetCell(target);
    cube.Position = {static_cast<float>(CellX(target) - 5), static_cast<float>(CellY(target) - 5), 0.4f};
    BoardAt(target) = {ocOccupied, static_cast<uint8_t>(i), BoardAt(target).Distance};
    SetCubeState(i, csResting);
    SelectCube(0);

    if (cube.Kind == ckBomb)
        ExplodeBomb(target);
    else if (cube.Kind >= ckColorize && cube.Kind <= ckColorizeLast)
        Colorize(target, cube.Kind - ckColorize);
}

} // namespace veltrane

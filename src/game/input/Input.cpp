// The player's input during a game: hovering shows the path, clicks select cubes, start moves,
// arm a shot cube, shoot a colour or put the shot cube back. The pointer position is the world
// position of the pointer sprite on the board plane.
#include "game/Game.h"

#include "render/PointerPosition.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

// Nearest whole number, halves to the even one, limited to 1..9 once shifted onto the board.
int BoardIndex(float p) {
    return std::clamp(static_cast<int>(std::nearbyint(p)) + 5, 1, 9);
}

// Cubes growing, moving or vanishing. NextTurn declares the board idle while the new cubes only
// begin to grow; a move started then could be caught in a square that forms around its old
// cell when they have grown, so the counts are asked as well.
bool BoardBusy(const TGame& game) {
    return !game.BoardIdle || game.StateCount[TGame::StateSlot(csGrowing)] != 0 ||
           game.StateCount[TGame::StateSlot(csMoving)] != 0 ||
           game.StateCount[TGame::StateSlot(csVanishing)] != 0;
}

} // namespace

bool TGame::PointerOnBoard() const {
    const float px = PointerAt.x, py = PointerAt.y;
    return -4.5f <= px && px < 4.5f && -4.5f <= py && py < 4.5f;
}

TCellWord TGame::PointerCell() const {
    if (!PointerOnBoard()) return 0;
    return CellWord(BoardIndex(PointerAt.x), BoardIndex(PointerAt.y));
}

bool TGame::PointerOverCube(int i) const {
    if (i < 1 || i > std::min(CubeCount, MaxCubes)) return false;
    const float px = PointerAt.x, py = PointerAt.y;
    const float x = Cubes[i].X, y = Cubes[i].Y;
    return x - 5.5f <= px && px < x - 4.5f && y - 5.5f <= py && py < y - 4.5f;
}

uint8_t TGame::DropSelection() {
    const int former = Selected;
    DotCount = 0;
    SelectCube(0);
    return static_cast<uint8_t>(former);
}

void TGame::MouseMove() {
    if (Phase != phPlay) return;
    if (PointerOnBoard()) KeyCursor = PointerCell();
    if (BoardBusy(*this)) return;
    if (PointerOnBoard()) {
        HoverCell = PointerCell();
        ShowPath();
    } else {
        DotCount = 0;
    }
}

void TGame::MouseDown(int button) {
    if (Phase != phPlay) return;
    const int count = std::min(CubeCount, MaxCubes);

    // Aiming waits only for the cubes that are going away (the armed shot cube among them), so
    // a shot cube put back takes its own cell again.
    if (PointerStyle == kPointerAiming && StateCount[StateSlot(csVanishing)] == 0 &&
        StateCount[StateSlot(csGone)] == 0) {
        if (button == kLeftButton) {
            // The colour cube turning under the pointer; a cube still finishing its turn after
            // the pointer has left it is not the one aimed at.
            for (int i = 1; i <= count; ++i) {
                const TCube& cube = Cubes[i];
                if (cube.State == csTurning && cube.Kind >= 1 && cube.Kind <= 7 && PointerOverCube(i)) {
                    ShootKind(cube.Kind);
                    PointerStyle = kPointerGame;
                    return;
                }
            }
        } else if (button == kRightButton) {
            PlaceCube(ckShot, ShotHome);
            PointerStyle = kPointerGame;
        }
        return;
    }
    if (PointerStyle == kPointerAiming || BoardBusy(*this)) return;

    if (button == kRightButton) DropSelection();

    if (DotCount > 0) {
        if (Selected >= 1 && Selected <= count && Dots[0].Kind == 2) StartMove();
        return;
    }

    const int before = Selected;
    SelectCube(0);
    if (!PointerOnBoard()) StopSound(TSound::Selected);
    for (int i = 1; i <= count; ++i) {
        const TCube& cube = Cubes[i];
        if (cube.Kind == ckBlock || cube.State == csAnnounced || !PointerOverCube(i)) continue;
        if (i == before)
            StopSound(TSound::Selected); // a click on the selected cube lets it go
        else
            SelectCube(i);
    }
    if (Selected == before) return;

    if (Selected == 0) StopSound(TSound::Selected);
    if (Selected != 0 && Cubes[Selected].Kind != ckShot) PlaySound(TSound::Selected);
    FindPaths();

    if (Selected != 0 && Cubes[Selected].Kind == ckShot) {
        // The shot cube leaves its cell and the pointer aims; the cell is kept to put it back.
        const int shot = Selected;
        ShotHome = Cubes[shot].Cell();
        SelectCube(0);
        Cubes[shot].Anim = 0;
        SetCubeState(shot, csVanishing);
        PointerStyle = kPointerAiming;
    }
}

} // namespace veltrane

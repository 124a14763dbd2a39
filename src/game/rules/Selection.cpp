// Selecting a cube and dropping the selection.
#include "game/Game.h"

#include "sound/Sound.h"

#include <algorithm>

namespace veltrane {

namespace {

// A resting cube again: on the floor, full size, square to the board.
void PutBackPose(TCube& cube) {
    cube.Position.z = 0.4f;
    cube.Scale = {0.8f, 0.8f, 0.8f};
    cube.Rotation = {0, 0, 0};
}

} // namespace

void TGame::SelectCube(int i) {
    // A crowded list (the count past 81 ends the game) holds no more than 81 cubes.
    const int count = std::min(CubeCount, MaxCubes);
    if (i < 0 || i > count) i = 0;
    if (i == 0) {
        for (int j = 1; j <= count; ++j) {
            if (Cubes[j].State != csSelected) continue;
            PutBackPose(Cubes[j]);
            SetCubeState(j, csResting);
        }
    }
    // The former selection rests again. Only while it is still bobbing: a selected cube that
    // has started moving (or is vanishing) keeps going, or it would be stranded between cells.
    if (Selected >= 1 && Selected <= count && Cubes[Selected].State == csSelected) {
        PutBackPose(Cubes[Selected]);
        SetCubeState(Selected, csResting);
    }
    // The highlight loop belongs to a selection: it ends whenever the selection does.
    if (i == 0 && Selected != 0) StopSound(TSound::Selected);
    Selected = i;
    if (i == 0) return;

    TCube& cube = Cubes[i];
    cube.Scale = {0.8f, 0.8f, 0.8f};
    cube.Rotation = {0, 0, 0};
    cube.Anim = 0;
    SetCubeState(i, csSelected);
    PlaySound(TSound::SelectCube);
}

} // namespace veltrane

#include "game/Game.h"

namespace veltrane {

TGame::TGame(gfx::IDevice* device) : Device(device) {
    Loaded = false;
}

void TGame::SetCubeState(int i, TCubeState state) {
    TCube& cube = Cubes[i];
    StateCount[StateSlot(cube.State)] -= 1;
    StateCount[StateSlot(state)] += 1;
    cube.State = state;
}

void TGame::InitCubeState(int i, TCubeState state) {
    Cubes[i].State = state;
    StateCount[StateSlot(state)] += 1;
}

} // namespace veltrane

// The parts the full-screen pictures share: the room behind everything and the game's name.
#pragma once

#include "common/Canvas.h"

namespace veltrane::assetgen::ui {

// A dark blue-teal room: light from above, a floor grid fading into the dark, a few cubes
// resting in the shadows at the edges, a vignette. Same seed, same picture.
Canvas DrawRoomBackdrop(int width, int height, uint32_t seed);
// "VELTRANE" in gold, centred on (cx, cy), capitals capHeight pixels high.
void DrawLogo(Canvas& canvas, float cx, float cy, float capHeight);

} // namespace veltrane::assetgen::ui

// The parts the full-screen pictures share: the room behind everything and the game's name.
#pragma once

#include "common/Canvas.h"

#include <vector>

namespace veltrane::assetgen::ui {

// A rectangle of a picture, in pixels.
struct PixelBox {
    float x0, y0, x1, y1;
};

// A dark blue-teal room: light from above, a floor grid fading into the dark, a few cubes
// resting in the shadows at the edges, a vignette. Same seed, same picture. The cubes stay out
// of `keepClear`, where a picture puts a panel of its own.
Canvas DrawRoomBackdrop(int width, int height, uint32_t seed, const std::vector<PixelBox>& keepClear = {});
// "VELTRANE" in gold, centred on (cx, cy), capitals capHeight pixels high.
void DrawLogo(Canvas& canvas, float cx, float cy, float capHeight);

} // namespace veltrane::assetgen::ui

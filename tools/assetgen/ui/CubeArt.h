// Small cubes seen from above for the help picture, the skin previews and the title pictures,
// made from the very face pictures the game puts on its cubes.
#pragma once

#include "common/Canvas.h"

namespace veltrane::assetgen::ui {

enum class CubeIcon { Colour, Joker, Bomb, Shot, Colorize, Block };

// The colour of colour kind 1..7, as the cubes show it.
Colour CubeColour(int kind);

// Draws one cube centred on (cx, cy), `size` pixels across, with a soft shadow. `kind` 1..7 is the
// colour of Colour and Colorize cubes; `skin` 1..5 chooses their look. `brightness` below 1
// sinks the cube into the shadows.
void DrawCube(Canvas& canvas, float cx, float cy, float size, CubeIcon icon, int kind = 1, int skin = 1,
              float brightness = 1.0f);

} // namespace veltrane::assetgen::ui

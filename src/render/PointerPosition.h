// The mouse pointer's styles and where it starts. The game object keeps the style in force and
// the position the main window last gave it (TGame::PointerStyle, TGame::PointerAt); the pointer
// module draws the sprite of the style at the mouse.
#pragma once

#include "render/Vector.h"

#include <cstdint>

namespace veltrane {

inline constexpr uint8_t kPointerMenu = 1;
inline constexpr uint8_t kPointerGame = 2;
inline constexpr uint8_t kPointerAiming = 3; // a shot cube is armed

// The camera target just above the board, where the pointer starts.
inline constexpr TVector kPointerStart{-1.8f, -0.25f, 0.01f};

} // namespace veltrane

// Where the mouse pointer is: its style and the world position of its sprite on the plane just
// above the board. The pointer module keeps both up to date; the game's hover tests, the menu
// and the pointer light read them without needing the pointer's sprites.
#pragma once

#include "render/Vector.h"

#include <cstdint>

namespace veltrane {

inline constexpr uint8_t kPointerMenu = 1;
inline constexpr uint8_t kPointerGame = 2;
inline constexpr uint8_t kPointerAiming = 3; // a shot cube is armed

// The style drawn and whose position the menu, the hover tests and the pointer light read.
extern uint8_t PointerStyle;
// The pointer sprite's world position; x and y name the point of the board under the pointer.
extern TVector PointerWorld;

} // namespace veltrane

// SDL key codes turned into the virtual-key codes the game's input handlers are written for
// (Escape 27, Enter 13, arrows 37..40, letters 65..90, digits 48..57, F1 112, ...).
#pragma once

#include <cstdint>

namespace veltrane {

// The virtual-key code of an SDL_Keycode, 0 for keys the game has no code for.
uint16_t VirtualKeyFromSdl(int32_t keycode);

} // namespace veltrane

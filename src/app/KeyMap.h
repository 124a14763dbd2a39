// SDL key codes turned into the virtual-key codes the game's input handlers are written for
// (Escape 27, Enter 13, arrows 37..40, letters 65..90, digits 48..57, F1 112, ...).
#pragma once

#include <cstdint>

namespace veltrane {

// SDL's KMOD_NUM: NumLock is on.
inline constexpr uint16_t kNumLockOn = 0x1000;

// The virtual-key code of an SDL_Keycode with the SDL_Keymod in force: keypad keys with NumLock
// off are their navigation twins (arrows, Home, End, ...); a key the game has no code of its own
// for is VK_NONAME, so it still counts where any key does.
uint16_t VirtualKeyFromSdl(int32_t keycode, uint16_t modifiers = kNumLockOn);

} // namespace veltrane

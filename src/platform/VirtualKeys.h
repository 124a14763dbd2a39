// The virtual-key codes the game's input handlers are written for. The main window turns the
// host's key codes into these (app/KeyMap.cpp); letters and digits are their own characters.
#pragma once

#include <cstdint>

namespace veltrane {

inline constexpr uint16_t VK_BACK = 8;
inline constexpr uint16_t VK_TAB = 9;
inline constexpr uint16_t VK_CLEAR = 12; // keypad 5 with NumLock off
inline constexpr uint16_t VK_RETURN = 13;
inline constexpr uint16_t VK_SHIFT = 16;
inline constexpr uint16_t VK_CONTROL = 17;
inline constexpr uint16_t VK_MENU = 18; // Alt
inline constexpr uint16_t VK_PAUSE = 19;
inline constexpr uint16_t VK_CAPITAL = 20;
inline constexpr uint16_t VK_ESCAPE = 27;
inline constexpr uint16_t VK_SPACE = 32;
inline constexpr uint16_t VK_PRIOR = 33; // Page Up
inline constexpr uint16_t VK_NEXT = 34;  // Page Down
inline constexpr uint16_t VK_END = 35;
inline constexpr uint16_t VK_HOME = 36;
inline constexpr uint16_t VK_LEFT = 37;
inline constexpr uint16_t VK_UP = 38;
inline constexpr uint16_t VK_RIGHT = 39;
inline constexpr uint16_t VK_DOWN = 40;
inline constexpr uint16_t VK_SNAPSHOT = 44; // Print Screen
inline constexpr uint16_t VK_INSERT = 45;
inline constexpr uint16_t VK_DELETE = 46;
inline constexpr uint16_t VK_0 = '0'; // '0'..'9'
inline constexpr uint16_t VK_A = 'A'; // 'A'..'Z'
inline constexpr uint16_t VK_P = 'P';
inline constexpr uint16_t VK_LWIN = 91;
inline constexpr uint16_t VK_RWIN = 92;
inline constexpr uint16_t VK_APPS = 93;    // the context-menu key
inline constexpr uint16_t VK_NUMPAD0 = 96; // 96..105 with NumLock on
inline constexpr uint16_t VK_MULTIPLY = 106;
inline constexpr uint16_t VK_ADD = 107;
inline constexpr uint16_t VK_SUBTRACT = 109;
inline constexpr uint16_t VK_DECIMAL = 110;
inline constexpr uint16_t VK_DIVIDE = 111;
inline constexpr uint16_t VK_F1 = 112;  // 112..123 for F1..F12
inline constexpr uint16_t VK_F13 = 124; // 124..135 for F13..F24
inline constexpr uint16_t VK_NUMLOCK = 144;
inline constexpr uint16_t VK_SCROLL = 145;
inline constexpr uint16_t VK_OEM_1 = 186;      // ;
inline constexpr uint16_t VK_OEM_PLUS = 187;   // = and +
inline constexpr uint16_t VK_OEM_COMMA = 188;  // ,
inline constexpr uint16_t VK_OEM_MINUS = 189;  // -
inline constexpr uint16_t VK_OEM_PERIOD = 190; // .
inline constexpr uint16_t VK_OEM_2 = 191;      // /
inline constexpr uint16_t VK_OEM_3 = 192;      // `
inline constexpr uint16_t VK_OEM_4 = 219;      // [
inline constexpr uint16_t VK_OEM_5 = 220;      // backslash
inline constexpr uint16_t VK_OEM_6 = 221;      // ]
inline constexpr uint16_t VK_OEM_7 = 222;      // '
inline constexpr uint16_t VK_NONAME = 252;     // any other key

} // namespace veltrane

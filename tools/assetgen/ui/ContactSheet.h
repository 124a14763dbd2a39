// Pictures for looking the interface over: each menu page as the player sees it at 800 x 600
// (background, items, and the game's own texts drawn with the bitmap fonts), and one sheet of all.
#pragma once

#include "common/Canvas.h"

#include <string>

namespace veltrane::assetgen::ui {

inline constexpr int kMockWidth = 800;
inline constexpr int kMockHeight = 600;

// The screen of menu page 1..10 (0: the loading screen, 11: the game-over screen).
Canvas ScreenMockup(int page);
// Every screen and the fonts on one sheet.
Canvas UiContactSheet();

} // namespace veltrane::assetgen::ui

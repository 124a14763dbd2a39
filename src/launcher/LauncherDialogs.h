// What the launcher and the video options dialog share in FLTK: their text size and their place
// in the middle of the screen (without a window manager a window would open at 0,0).
#pragma once

class Fl_Window;

namespace veltrane {

// About the height of the small dialog font the layout was drawn for.
inline constexpr int DialogFontSize = 11;

void CentreOnScreen(Fl_Window& window);

} // namespace veltrane

#include "launcher/LauncherDialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace veltrane {

void CentreOnScreen(Fl_Window& window) {
    int x = 0, y = 0, w = 0, h = 0;
    Fl::screen_xywh(x, y, w, h, 0);
    window.position(x + (w - window.w()) / 2, y + (h - window.h()) / 2);
}

} // namespace veltrane

#include "hosts/SdlCursorHost.h"

#include <SDL.h>

namespace veltrane {

int32_t TSdlCursorHost::ClientWidth() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return w;
}

int32_t TSdlCursorHost::ClientHeight() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return h;
}

TScreenRect TSdlCursorHost::WindowRect() const {
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &w, &h);
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    return {x - left, y - top, w + left + right, h + top + bottom};
}

TScreenPoint TSdlCursorHost::CursorPos() const {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
}

void TSdlCursorHost::SetCursorPos(int32_t x, int32_t y) {
    if (SDL_WarpMouseGlobal(x, y) == 0) return;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(window_, &wx, &wy);
    SDL_WarpMouseInWindow(window_, x - wx, y - wy);
}

} // namespace veltrane

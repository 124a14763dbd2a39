// The cursor host over an SDL window: sizes and places from the window, the cursor from the
// global mouse state.
#pragma once

#include "platform/Cursor.h"

struct SDL_Window;

namespace veltrane {

class TSdlCursorHost final : public ICursorHost {
public:
    explicit TSdlCursorHost(SDL_Window* window) : window_(window) {}
    int32_t ClientWidth() const override;
    int32_t ClientHeight() const override;
    TScreenRect WindowRect() const override;
    TScreenPoint CursorPos() const override;
    // Moves the cursor on the screen; where the video driver cannot, within the window instead.
    void SetCursorPos(int32_t x, int32_t y) override;

private:
    SDL_Window* window_;
};

} // namespace veltrane

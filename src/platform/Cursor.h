// What the pointer module needs from the main window and the system cursor: the window's size
// and place on the screen, and the cursor position in screen pixels. The SDL window provides it
// in the game; tests provide a fake.
#pragma once

#include <cstdint>

namespace veltrane {

struct TScreenPoint {
    int32_t X = 0, Y = 0;
    friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

// Outer bounds of a window in screen pixels, frame included.
struct TScreenRect {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

class ICursorHost {
public:
    virtual ~ICursorHost() = default;
    // Size of the window's drawing area in pixels.
    virtual int32_t ClientWidth() const = 0;
    virtual int32_t ClientHeight() const = 0;
    virtual TScreenRect WindowRect() const = 0;
    // The system cursor in screen pixels.
    virtual TScreenPoint CursorPos() const = 0;
    virtual void SetCursorPos(int32_t x, int32_t y) = 0;
};

} // namespace veltrane

// A window and system cursor for pointer tests: sizes and places as set, the cursor where it
// was last put, and every cursor move kept.
#pragma once

#include "platform/Cursor.h"

#include <vector>

namespace veltrane {

class TFakeCursorHost final : public ICursorHost {
public:
    int32_t ClientWidth() const override { return Width; }
    int32_t ClientHeight() const override { return Height; }
    TScreenRect WindowRect() const override { return Window; }
    TScreenPoint CursorPos() const override { return Cursor; }
    void SetCursorPos(int32_t x, int32_t y) override {
        Cursor = {x, y};
        Moves.push_back(Cursor);
    }

    int32_t Width = 800, Height = 600;
    TScreenRect Window{100, 50, 810, 630};
    TScreenPoint Cursor;
    std::vector<TScreenPoint> Moves;
};

} // namespace veltrane

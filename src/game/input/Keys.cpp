// Keyboard play: the arrow keys move a board cursor, Enter or Space clicks on its cell and
// Backspace right-clicks there. The cursor is the pointer put on the centre of its cell, so the
// hover path, the hover turns, selections, moves and shots all go the mouse's way.
#include "game/Game.h"

#include "platform/VirtualKeys.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

} // namespace

void TGame::PointAtCursor() {
    if (!CellOnBoard(KeyCursor)) KeyCursor = CellWord(5, 5);
    PointerAt.x = static_cast<float>(CellX(KeyCursor) - 5);
    PointerAt.y = static_cast<float>(CellY(KeyCursor) - 5);
    MouseMove();
}

bool TGame::KeyDown(uint16_t key) {
    if (Phase != phPlay) return false;
    int dx = 0, dy = 0;
    // Screen right is world -x and screen up world +y.
    switch (key) {
    case VK_LEFT:
        dx = 1;
        break;
    case VK_RIGHT:
        dx = -1;
        break;
    case VK_UP:
        dy = 1;
        break;
    case VK_DOWN:
        dy = -1;
        break;
    case VK_RETURN:
    case VK_SPACE:
        PointAtCursor();
        MouseDown(kLeftButton);
        return true;
    case VK_BACK:
        PointAtCursor();
        MouseDown(kRightButton);
        return true;
    default:
        return false;
    }
    KeyCursor = CellWord(std::clamp(CellX(KeyCursor) + dx, 1, 9), std::clamp(CellY(KeyCursor) + dy, 1, 9));
    PointAtCursor();
    return true;
}

} // namespace veltrane

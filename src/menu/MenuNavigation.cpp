// Moving the menu's highlight: keys with wrap-around over the selectable items, and hover under
// the pointer. Both wait for the settle time after a page was shown.
#include "menu/MenuModel.h"
#include "sound/Sound.h"

#include <algorithm>

namespace veltrane {

namespace {

constexpr uint16_t kEnter = 13;
constexpr uint16_t kEscape = 27;
constexpr uint16_t kSpace = 32;
constexpr uint16_t kLeft = 37;
constexpr uint16_t kUp = 38;
constexpr uint16_t kRight = 39;
constexpr uint16_t kDown = 40;

bool HasSelectable(const TMenuPage& page) {
    for (int i = 1; i <= page.Count; ++i)
        if (page.Selectable(i)) return true;
    return false;
}

// Steps the highlight by delta (-1 or +1) until it stands on a selectable item, wrapping at the
// ends. The page must hold a selectable item.
void StepSelection(TMenuPage& page, int delta) {
    int s = std::clamp(page.Selected, 0, page.Count + 1);
    do {
        s += delta;
        if (s <= 0) s = page.Count;
        if (s > page.Count) s = 1;
    } while (!page.Selectable(s));
    page.Selected = s;
}

bool InRect(const TPlacement& look, float x, float y) {
    const float hx = look.Scale.x / 2;
    const float hy = look.Scale.y / 2;
    return x >= look.Position.x - hx && x <= look.Position.x + hx && y >= look.Position.y - hy &&
           y <= look.Position.y + hy;
}

} // namespace

TMenuKeyResult TD3DMenu::KeyDown(uint16_t key, double nowMs) {
    TMenuKeyResult result;
    result.Page = Page;
    if (!Ready(nowMs) || Page < 1 || Page > PageCount) return result;
    TMenuPage& page = CurrentPage();
    switch (key) {
    case kUp:
    case kLeft:
    case kDown:
    case kRight:
        if (HasSelectable(page)) StepSelection(page, key == kUp || key == kLeft ? -1 : 1);
        result.Action = maMoved;
        if (page.Selected != 0) PlaySound(MenuMoveSound);
        break;
    case kEnter:
    case kSpace:
        result.Action = maChosen;
        if (page.Selected != 0) PlaySound(MenuChooseSound);
        break;
    case kEscape:
        result.Action = maBack;
        if (page.Selected != 0) PlaySound(MenuBackSound);
        break;
    default:
        break;
    }
    result.Item = page.Selected;
    return result;
}

void TD3DMenu::MouseMove(float x, float y, double nowMs) {
    if (!Ready(nowMs) || Page < 1 || Page > PageCount) return;
    TMenuPage& page = CurrentPage();
    page.Selected = 0;
    for (int i = 1; i <= page.Count; ++i) {
        if (!page.Selectable(i) || !InRect(page.Items[i].PressedLook, x, y)) continue;
        page.Selected = i;
        if (i != page.LastSelected) {
            PlaySound(MenuMoveSound);
            page.LastSelected = i;
        }
    }
    if (page.Selected == 0) Pressed = false;
    page.LastSelected = page.Selected;
}

} // namespace veltrane

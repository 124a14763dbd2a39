// Moving the menu's highlight: keys with wrap-around over the selectable items, and hover under
// the pointer. Both wait for the settle time after a page was shown.
#include "menu/MenuModel.h"
#include "platform/VirtualKeys.h"
#include "sound/Sound.h"

#include <algorithm>

namespace veltrane {

namespace {

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
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT:
        if (HasSelectable(page)) StepSelection(page, key == VK_UP || key == VK_LEFT ? -1 : 1);
        result.Action = maMoved;
        if (page.Selected != 0) PlaySound(TSound::MenuMove);
        break;
    case VK_RETURN:
    case VK_SPACE:
        result.Action = maChosen;
        if (page.Selected != 0) PlaySound(TSound::MenuEnter);
        break;
    case VK_ESCAPE:
        result.Action = maBack;
        if (page.Selected != 0) PlaySound(TSound::MenuEsc);
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
            PlaySound(TSound::MenuMove);
            page.LastSelected = i;
        }
    }
    if (page.Selected == 0) Pressed = false;
    page.LastSelected = page.Selected;
}

} // namespace veltrane

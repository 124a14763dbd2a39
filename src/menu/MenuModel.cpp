// Building and changing the menu model: pages, items with their pictures and looks, the page
// shown and its settle time.
#include "menu/MenuModel.h"

#include "platform/Paths.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace veltrane {

namespace {

bool FileExists(const std::string& name) {
    if (name.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(ResolvePath(name), ec);
}

// A sprite for the picture, or none when the file is missing.
TMenuSprite MakeSprite(gfx::IDevice* device, const std::string& picture, const TPlacement& look) {
    if (!FileExists(picture)) return nullptr;
    auto sprite = std::make_shared<T3DSprite>(device, picture);
    PlaceSprite(sprite, look);
    return sprite;
}

} // namespace

void PlaceSprite(const TMenuSprite& sprite, const TPlacement& look) {
    if (!sprite) return;
    sprite->Scale = look.Scale;
    sprite->Position = look.Position;
    sprite->Rotation = look.Rotation;
}

void TD3DMenu::SetPageCount(int n) {
    if (n < 0 || n > MaxMenuPages)
        throw std::out_of_range("menu page count " + std::to_string(n) + " outside 0.." +
                                std::to_string(MaxMenuPages));
    PageCount = n;
    for (int p = 1; p <= n; ++p) Pages[p].Count = 0;
    Page = 1;
}

void TD3DMenu::AddItem(gfx::IDevice* device, int page, const std::string& normalPicture,
                       const std::string& highlightPicture, TVector position, TVector scale, TVector rotation,
                       bool visible, bool enabled) {
    if (page < 1 || page > PageCount)
        throw std::out_of_range("menu page " + std::to_string(page) + " outside 1.." +
                                std::to_string(PageCount));
    TMenuPage& target = Pages[page];
    if (target.Count >= MaxMenuItems)
        throw std::out_of_range("menu page " + std::to_string(page) + " holds more than " +
                                std::to_string(MaxMenuItems) + " items");

    TMenuItem item;
    item.Visible = visible;
    item.Enabled = enabled;
    item.NormalLook = TPlacement{scale, position, rotation};
    item.PressedLook = item.NormalLook;
    item.PressedLook.Position.y = item.NormalLook.Position.y - 0.03f;
    item.PressedLook.Scale.x = 0.98f * item.NormalLook.Scale.x;
    item.PressedLook.Scale.y = 0.98f * item.NormalLook.Scale.y;
    item.Sprite = MakeSprite(device, normalPicture, item.NormalLook);
    item.HighlightSprite = MakeSprite(device, highlightPicture, item.NormalLook);

    target.Count += 1;
    target.Items[target.Count] = std::move(item);
}

void TD3DMenu::SetPage(int p, double nowMs) {
    if (p < 1 || p > PageCount) return;
    Page = p;
    PageStart = nowMs;
    TMenuPage& page = Pages[p];
    for (int i = page.Count; i >= 1; --i) {
        TMenuItem& item = page.Items[i];
        if (item.Visible && item.Enabled) {
            page.Selected = i;
            page.LastSelected = i;
        }
        PlaceSprite(item.Sprite, item.NormalLook);
    }
}

void TD3DMenu::SwapItems(int a, int b) {
    if (Page < 1 || Page > PageCount) return;
    TMenuPage& page = CurrentPage();
    if (a >= 1 && a <= MaxMenuItems) page.Items[a].Visible = false;
    if (b >= 1 && b <= MaxMenuItems) {
        page.Items[b].Visible = true;
        page.Selected = b;
        page.LastSelected = b;
    }
}

bool TD3DMenu::Ready(double nowMs) const {
    return std::fabs(nowMs - PageStart) > MenuSettleMs;
}

} // namespace veltrane

// The in-scene menu: pages of flat picture items placed in front of the menu background, each
// item with a normal and a highlighted picture. Which pages and items exist comes from the menu
// file (MenuFile.h); this is the model with its navigation and drawing. What a chosen item does
// lives in Menu.h.
#pragma once

#include "game/RangeArray.h"
#include "overlays/Tutorial.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"
#include "render/Placement.h"
#include "render/Sprite.h"

#include <cstdint>
#include <memory>
#include <string>

namespace veltrane {

constexpr int MaxMenuPages = 13;
constexpr int MaxMenuItems = 20;
// Keys and hover wait this long after a page was shown.
constexpr double MenuSettleMs = 250.0;

// Sprites are shared: the options page shows a row label's highlighted picture in a spare item.
using TMenuSprite = std::shared_ptr<T3DSprite>;

struct TMenuItem {
    TPlacement PressedLook; // the highlighted item while a mouse button is held
    TPlacement NormalLook;
    TMenuSprite Sprite;          // normal picture, or none
    TMenuSprite HighlightSprite; // highlighted picture, or none
    bool Visible = false;        // only visible items are drawn, hit and reached by keys
    bool Enabled = false;        // a visible, disabled item is a decoration
};

struct TMenuPage {
    int32_t Count = 0;        // items 0..20
    int32_t Selected = 0;     // highlighted item 1..Count, 0 for none
    int32_t LastSelected = 0; // the item the previous mouse move highlighted
    TRangeArray<TMenuItem, 1, MaxMenuItems> Items;

    // Visible, enabled and one of the page's items.
    bool Selectable(int i) const { return i >= 1 && i <= Count && Items[i].Visible && Items[i].Enabled; }
};

// What a key did on the menu.
enum TMenuActionKind : uint8_t { maNone = 0, maMoved = 1, maChosen = 2, maBack = 3 };
struct TMenuKeyResult {
    int32_t Page = 0;
    TMenuActionKind Action = maNone;
    int32_t Item = 0; // the highlighted item, 0 = none
};

// Puts a placement into a sprite (nothing when there is none).
void PlaceSprite(const TMenuSprite& sprite, const TPlacement& look);

class TD3DMenu final {
public:
    // No pages. Times are the frame clock's milliseconds (TotalMs), passed in by the caller.
    TD3DMenu() = default;
    TD3DMenu(const TD3DMenu&) = delete;
    TD3DMenu& operator=(const TD3DMenu&) = delete;

    // n pages (at most 13) with no items; page 1 current.
    void SetPageCount(int n);
    // Appends an item to the page: its sprites from the pictures that exist (none for a missing
    // file), both placed at the normal look; the pressed look is 0.03 lower and 2 % narrower and
    // shorter. Throws std::out_of_range for a page outside 1..PageCount or a full page.
    void AddItem(gfx::IDevice* device, int page, const std::string& normalPicture,
                 const std::string& highlightPicture, TVector position, TVector scale, TVector rotation,
                 bool visible, bool enabled);
    // Shows page p (ignored outside 1..PageCount): restarts the settle time, undoes any pressed
    // look and highlights the first visible, enabled item (keeping the old one when none is).
    void SetPage(int p, double nowMs);
    // On the current page: item a hidden, item b shown and highlighted.
    void SwapItems(int a, int b);
    // The settle time since the page was shown has passed.
    bool Ready(double nowMs) const;

    // The current page, blended and unlit: every visible item but the highlighted one, then the
    // highlighted one's highlight picture (pressed look while Pressed).
    void Draw(gfx::IDevice& device);
    // Up/Left and Down/Right move the highlight with wrap-around over the selectable items,
    // Enter/Space choose, Escape goes back; nothing before the settle time.
    TMenuKeyResult KeyDown(uint16_t key, double nowMs);
    // Hover: the last selectable item whose pressed-look rectangle holds (x, y), with the move
    // sound when it changed; nothing before the settle time.
    void MouseMove(float x, float y, double nowMs);

    TMenuPage& CurrentPage() { return Pages[Page]; }
    const TMenuPage& CurrentPage() const { return Pages[Page]; }
    TMenuItem& Item(int page, int item) { return Pages[page].Items[item]; }

    int32_t PageCount = 0;
    double PageStart = 0; // TotalMs when the current page was shown
    int32_t Page = 1;
    TRangeArray<TMenuPage, 1, MaxMenuPages> Pages;
    bool Pressed = false; // a mouse button went down over the menu and is still held

    // Drawn full-screen behind the menu and the high-score table; empty when its picture (named
    // by the menu file) is missing.
    gfx::TextureHandle MenuBackground;
    // Made when the tutorial is chosen, freed when it is left or the menu is unbound; null
    // otherwise.
    std::unique_ptr<TTutorial> Tutorial;
};

} // namespace veltrane

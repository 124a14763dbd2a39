#include "platform/VirtualKeys.h"
#include "platform/gfx/RecordingDevice.h"

#include "MenuFixture.h"

#include <cmath>

namespace veltrane {
namespace {

using MenuNavigationTest = MenuFixture;

TEST_F(MenuNavigationTest, KeysWrapOverSelectableItemsWithTheirSounds) {
    // Main menu with item 2 hidden and item 4 a decoration: 1 and 3 are left.
    Item(1, 2).Visible = false;
    Item(1, 4).Enabled = false;
    TMenuPage& page = Page(1);
    page.Selected = 3;
    Settle();
    const double now = host_.Now;

    TMenuKeyResult r = menu_->KeyDown(VK_DOWN, now);
    EXPECT_EQ(r.Action, maMoved);
    EXPECT_EQ(r.Item, 1);
    EXPECT_EQ(menu_->KeyDown(VK_RIGHT, now).Item, 3);
    EXPECT_EQ(menu_->KeyDown(VK_UP, now).Item, 1);
    EXPECT_EQ(menu_->KeyDown(VK_LEFT, now).Item, 3); // Left wraps from the first to the last
    page.Selected = 0;
    EXPECT_EQ(menu_->KeyDown(VK_UP, now).Item, 3);
    EXPECT_EQ(Effects(), (std::vector<TSound>{TSound::MenuMove, TSound::MenuMove, TSound::MenuMove,
                                              TSound::MenuMove, TSound::MenuMove}));

    mixer_.Calls.clear();
    r = menu_->KeyDown(VK_RETURN, now);
    EXPECT_EQ(r.Page, 1);
    EXPECT_EQ(r.Action, maChosen);
    EXPECT_EQ(r.Item, 3);
    EXPECT_EQ(menu_->KeyDown(VK_SPACE, now).Action, maChosen);
    EXPECT_EQ(menu_->KeyDown(VK_ESCAPE, now).Action, maBack);
    EXPECT_EQ(menu_->KeyDown('A', now).Action, maNone);
    EXPECT_EQ(Effects(), (std::vector<TSound>{TSound::MenuEnter, TSound::MenuEnter, TSound::MenuEsc}));

    // Nothing highlighted: Enter and Escape act on item 0, silently.
    mixer_.Calls.clear();
    page.Selected = 0;
    EXPECT_EQ(menu_->KeyDown(VK_RETURN, now).Item, 0);
    EXPECT_EQ(menu_->KeyDown(VK_ESCAPE, now).Item, 0);
    EXPECT_TRUE(Effects().empty());
}

TEST_F(MenuNavigationTest, KeysWaitForTheSettleTimeAndEmptyPagesStayPut) {
    ShowMenuPage(2);
    host_.Now += 250;
    TMenuKeyResult r = menu_->KeyDown(VK_DOWN, host_.Now);
    EXPECT_EQ(r.Action, maNone);
    EXPECT_EQ(Page(2).Selected, 1);
    // Escape before the settle time does not leave the page either.
    MenuAction(VK_ESCAPE);
    EXPECT_EQ(menu_->Page, 2);
    EXPECT_TRUE(Effects().empty());

    // Page 8 has no items; page 5 only a decoration once its buttons are disabled.
    ShowMenuPage(8);
    Settle();
    r = menu_->KeyDown(VK_DOWN, host_.Now);
    EXPECT_EQ(r.Action, maMoved);
    EXPECT_EQ(r.Item, 0);
    Item(5, 2).Enabled = false;
    Item(5, 3).Enabled = false;
    ShowMenuPage(5);
    Page(5).Selected = 2;
    Settle();
    EXPECT_EQ(menu_->KeyDown(VK_UP, host_.Now).Item, 2);
    EXPECT_EQ(menu_->KeyDown(VK_DOWN, host_.Now).Item, 2);
}

TEST_F(MenuNavigationTest, HoverUsesThePressedLookRectangleAndSoundsOnlyOnChange) {
    Settle();
    const TPlacement& look = Item(1, 2).PressedLook;
    const float right = look.Position.x + look.Scale.x / 2;
    const float top = look.Position.y + look.Scale.y / 2;

    MenuMouseMove(right, top); // the corner counts
    EXPECT_EQ(Page(1).Selected, 2);
    MenuMouseMove(look.Position.x, look.Position.y);
    EXPECT_EQ(Effects(), (std::vector<TSound>{TSound::MenuMove}));

    // The normal look reaches 0.03 higher than the pressed one: not a hit there.
    menu_->Pressed = true;
    MenuMouseMove(look.Position.x, std::nextafter(top, 10.0f));
    EXPECT_EQ(Page(1).Selected, 0);
    EXPECT_FALSE(menu_->Pressed);
    MenuMouseMove(look.Position.x, look.Position.y);
    EXPECT_EQ(Effects(), (std::vector<TSound>{TSound::MenuMove, TSound::MenuMove}));

    // Overlapping items: the later one wins; hidden ones are not hit.
    Item(1, 3).PressedLook = look;
    MenuMouseMove(look.Position.x, look.Position.y);
    EXPECT_EQ(Page(1).Selected, 3);
    Item(1, 3).Visible = false;
    MenuMouseMove(look.Position.x, look.Position.y);
    EXPECT_EQ(Page(1).Selected, 2);

    // No hover before the settle time.
    ShowMenuPage(1);
    MenuMouseMove(0, -10);
    EXPECT_EQ(Page(1).Selected, 1);
}

TEST_F(MenuNavigationTest, DrawShowsTheHighlightLastInItsPressedLook) {
    gfx::TRecordingDevice device;
    TD3DMenu menu;
    menu.SetPageCount(1);
    const TVector zero{};
    for (int i = 0; i < 3; ++i)
        menu.AddItem(nullptr, 1, "", "", TVector{0, float(i), 0}, TVector{1, 1, 1}, zero, true, true);
    for (int i = 1; i <= 3; ++i) {
        menu.Item(1, i).Sprite = std::make_shared<T3DSprite>(&device, "");
        menu.Item(1, i).HighlightSprite = std::make_shared<T3DSprite>(&device, "");
        PlaceSprite(menu.Item(1, i).Sprite, menu.Item(1, i).NormalLook);
    }
    menu.Item(1, 2).Visible = false;
    menu.Pages[1].Selected = 1;
    menu.Pressed = true;
    menu.Draw(device);

    const auto log = device.Log();
    int draws = 0;
    for (const auto& call : log) draws += call.rfind("DrawPrimitive", 0) == 0;
    EXPECT_EQ(draws, 2); // item 3's picture, item 1's highlight
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], "SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE)");
    EXPECT_EQ(log[1], "SetRenderState(D3DRS_LIGHTING, FALSE)");
    EXPECT_EQ(log[log.size() - 2], "SetRenderState(D3DRS_LIGHTING, TRUE)");
    EXPECT_EQ(log[log.size() - 1], "SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE)");
    EXPECT_EQ(menu.Item(1, 1).HighlightSprite->Position, menu.Item(1, 1).PressedLook.Position);
    EXPECT_EQ(menu.Item(1, 3).HighlightSprite->Position, (TVector{})); // not drawn, not placed

    menu.Pressed = false;
    menu.Draw(device);
    EXPECT_EQ(menu.Item(1, 1).HighlightSprite->Scale, menu.Item(1, 1).NormalLook.Scale);
}

} // namespace
} // namespace veltrane

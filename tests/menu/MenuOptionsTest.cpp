#include "MenuFixture.h"

namespace veltrane {
namespace {

class MenuOptionsTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        options_->Texture = 2;
        Choose(2); // main menu: options
        ASSERT_EQ(menu_->Page, mpOptions);
    }
    std::vector<int> ShownPreviews() {
        std::vector<int> shown;
        for (int i = 15; i <= 19; ++i)
            if (Item(3, i).Visible) shown.push_back(i);
        return shown;
    }
    float BarFixedEnd(int item) {
        const TPlacement& look = Item(3, item).NormalLook;
        return look.Position.x + look.Scale.x / 2;
    }
};

TEST_F(MenuOptionsTest, EnteringShowsTheCurrentSkinAndTheVolumeBars) {
    EXPECT_EQ(ShownPreviews(), std::vector<int>{16});
    EXPECT_EQ(Page(3).Selected, 16);
    EXPECT_FLOAT_EQ(Item(3, 7).NormalLook.Scale.x, 160 * 1.4f / 255);
    EXPECT_FLOAT_EQ(Item(3, 11).NormalLook.Scale.x, 120 * 1.4f / 255);
    EXPECT_FLOAT_EQ(BarFixedEnd(7), -1.06f);
    EXPECT_FLOAT_EQ(BarFixedEnd(11), -1.06f);
}

TEST_F(MenuOptionsTest, VolumeArrowsStepByTenWithin0To250) {
    struct Case {
        int item;
        uint8_t before, after;
    };
    for (const Case c : {Case{6, 160, 170}, Case{6, 250, 250}, Case{6, 245, 250}, Case{4, 5, 0},
                         Case{4, 0, 0}, Case{4, 250, 240}}) {
        options_->SoundVol = c.before;
        Choose(c.item);
        EXPECT_EQ(options_->SoundVol, c.after) << "item " << c.item << " from " << int(c.before);
        EXPECT_EQ(Page(3).Selected, c.item);
    }
    options_->MusicVol = 245;
    Choose(10);
    EXPECT_EQ(options_->MusicVol, 250);
    Choose(8);
    Choose(8);
    EXPECT_EQ(options_->MusicVol, 230);
    EXPECT_FLOAT_EQ(Item(3, 11).NormalLook.Scale.x, 230 * 1.4f / 255);
    EXPECT_EQ(options_->SoundVol, 240);
}

TEST_F(MenuOptionsTest, ClicksOnTheRowsSetTheVolumeFromTheFixedEnd) {
    struct Case {
        float x, y;
        uint8_t sound, music;
    };
    const Case cases[] = {
        {-2.6f, 2.0f, 250, 120},  // 265 limited to 250
        {-1.0f, 1.801f, 1, 120},  // 1.67 truncated
        {-1.01f, 2.201f, 0, 120}, // the bar's zero
        {-1.77f, 0.2f, 0, 126},   // the music row
        {-1.5f, 1.0f, 0, 126},    // between the rows: nothing changes
        {-0.9f, 2.0f, 0, 126},    // right of the range
        {-1.5f, -0.01f, 0, 126},  // below the music row
    };
    for (const Case& c : cases) {
        MenuMouseUp(2, c.x, c.y); // the middle button: no command
        EXPECT_EQ(options_->SoundVol, c.sound) << c.x << "," << c.y;
        EXPECT_EQ(options_->MusicVol, c.music) << c.x << "," << c.y;
    }
    // Laid with the click's scaling: 1.5 units for 250, the end at -1.0.
    EXPECT_FLOAT_EQ(Item(3, 11).NormalLook.Scale.x, 126 * 1.5f / 250);
    EXPECT_FLOAT_EQ(BarFixedEnd(11), -1.0f);
    EXPECT_FLOAT_EQ(BarFixedEnd(7), -1.0f);
    // The mixer got the new music volume (0..10 of the mixer for 0..250).
    EXPECT_EQ(mixer_.VolumeOf(TRecordingMixer::FirstStream), 5);
    // Up from a clicked value: never past 250.
    options_->SoundVol = 0;
    MenuMouseUp(2, -2.5f, 2.0f);
    EXPECT_EQ(options_->SoundVol, 248);
    Choose(6);
    EXPECT_EQ(options_->SoundVol, 250);
}

TEST_F(MenuOptionsTest, SkinArrowsCycleOneToFiveWithTheirPreview) {
    Choose(14);
    EXPECT_EQ(options_->Texture, 3);
    EXPECT_EQ(ShownPreviews(), std::vector<int>{17});
    EXPECT_EQ(Page(3).Selected, 14);
    Choose(14);
    Choose(14);
    EXPECT_EQ(options_->Texture, 5);
    Choose(14);
    EXPECT_EQ(options_->Texture, 1);
    EXPECT_EQ(ShownPreviews(), std::vector<int>{15});
    Choose(12);
    EXPECT_EQ(options_->Texture, 5);
    EXPECT_EQ(ShownPreviews(), std::vector<int>{19});
    EXPECT_EQ(Page(3).Selected, 12);
    Choose(12);
    EXPECT_EQ(options_->Texture, 4);
    EXPECT_EQ(ShownPreviews(), std::vector<int>{18});

    // A skin number the store should never hold is taken as the nearest one.
    Key(VK_ESCAPE);
    options_->Texture = 9;
    Choose(2);
    EXPECT_EQ(ShownPreviews(), std::vector<int>{19});
}

TEST_F(MenuOptionsTest, SaveKeepsTheChangesCancelReloadsTheStoredOnes) {
    options_->SoundVol = 100;
    Choose(1); // save
    EXPECT_EQ(menu_->Page, mpMain);
    TOptions stored(options_->File());
    stored.Load();
    EXPECT_EQ(stored.SoundVol, 100);

    Choose(2);
    Choose(6);
    Choose(14);
    EXPECT_EQ(options_->SoundVol, 110);
    EXPECT_EQ(options_->Texture, 3);
    Choose(2); // cancel
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_EQ(options_->SoundVol, 100);
    EXPECT_EQ(options_->Texture, 2);
    EXPECT_EQ(mixer_.VolumeOf(TRecordingMixer::FirstSample), 100);

    // Escape leaves the changes in effect, unsaved.
    Choose(2);
    Choose(4);
    Key(VK_ESCAPE);
    EXPECT_EQ(menu_->Page, mpMain);
    EXPECT_EQ(options_->SoundVol, 90);
    stored.Load();
    EXPECT_EQ(stored.SoundVol, 100);
}

TEST_F(MenuOptionsTest, AnArrowUnderThePointerLightsItsRowLabel) {
    auto soundHi = std::make_shared<T3DSprite>(nullptr, "");
    Item(3, 5).HighlightSprite = soundHi;
    Page(3).Selected = 6;
    OptionsHover();
    EXPECT_TRUE(Item(3, 3).Visible);
    EXPECT_EQ(Item(3, 3).Sprite, soundHi);
    EXPECT_EQ(Item(3, 3).NormalLook.Position, Item(3, 5).NormalLook.Position);
    EXPECT_FALSE(Item(3, 3).Enabled);
    EXPECT_FALSE(Item(3, 5).Visible);
    EXPECT_TRUE(Item(3, 9).Visible);

    Page(3).Selected = 12;
    OptionsHover();
    EXPECT_TRUE(Item(3, 5).Visible);
    EXPECT_FALSE(Item(3, 13).Visible);
    EXPECT_TRUE(Item(3, 3).Visible);

    Page(3).Selected = 1;
    OptionsHover();
    EXPECT_FALSE(Item(3, 3).Visible);
    for (int label : {5, 9, 13}) EXPECT_TRUE(Item(3, label).Visible) << label;

    // Only on the options page.
    Key(VK_ESCAPE);
    Page(3).Selected = 4;
    OptionsHover();
    EXPECT_FALSE(Item(3, 3).Visible);
}

} // namespace
} // namespace veltrane

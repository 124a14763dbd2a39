// The options page: save or cancel, the sound and music volume rows (arrows, bars, mouse
// clicks on the rows), the skin choice with its previews, and the lit row labels under hover.
//
// Items: 1 save, 2 cancel, 3 spare slot for a lit row label, 4 sound down, 5 sound label, 6 sound
// up, 7 sound bar, 8 music down, 9 music label, 10 music up, 11 music bar, 12 skin previous,
// 13 skin label, 14 skin next, 15..19 previews of skins 1..5.
#include "menu/Menu.h"
#include "menu/MenuCommands.h"
#include "platform/DebugLog.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace veltrane {

namespace {

constexpr int SkinCount = 5;
constexpr int FirstPreview = 15; // the preview of skin s is item 14 + s
constexpr int SoundBar = 7;
constexpr int MusicBar = 11;
constexpr int VolumeStep = 10;
constexpr int VolumeMax = 250;

// The rows a click on the page sets: x from the bar's full end to its fixed end, y per row.
constexpr float SliderLeftX = -2.6f;
constexpr float SliderRightX = -1.0f;
constexpr float SoundRowLow = 1.801f, SoundRowHigh = 2.201f;
constexpr float MusicRowLow = -0.00525f, MusicRowHigh = 0.39475f;

// The settings the page shows and changes; null until the main window binds them.
TOptions* Settings() {
    return MenuLinks().Options;
}

int CurrentSkin() {
    return std::clamp<int>(Settings()->Texture, 1, SkinCount);
}

// Lays a bar out at the volume: scale x = volume x perUnit, the end at fixedEnd stays put.
void LayBar(TMenuPage& page, int bar, uint8_t volume, float perUnit, float fixedEnd) {
    TMenuItem& item = page.Items[bar];
    item.NormalLook.Scale.x = static_cast<float>(volume) * perUnit;
    item.NormalLook.Position.x = fixedEnd - item.NormalLook.Scale.x / 2;
    PlaceSprite(item.Sprite, item.NormalLook);
}

void ApplyVolumes() {
    SetSoundVolume(Settings()->SoundVol);
    SetMusicVolume(Settings()->MusicVol);
}

uint8_t VolumeDown(uint8_t v) {
    return static_cast<uint8_t>(v >= VolumeStep ? v - VolumeStep : 0);
}

// Up in steps of 10, never past 250 (a click may have left the volume between two steps).
uint8_t VolumeUp(uint8_t v) {
    return static_cast<uint8_t>(v < VolumeMax ? std::min(v + VolumeStep, VolumeMax) : v);
}

// The volume a click at x on a row gives: the distance from the bar's fixed end, 250 at most.
uint8_t ClickVolume(float x) {
    const double v = std::trunc(std::fabs(static_cast<double>(x) + 1.01) * VolumeMax / 1.5);
    return static_cast<uint8_t>(std::min<double>(v, VolumeMax));
}

bool OnRow(float x, float y, float low, float high) {
    return x >= SliderLeftX && x <= SliderRightX && y >= low && y <= high;
}

bool OptionsShown() {
    const TD3DMenu* menu = MenuLinks().Menu;
    return menu && Settings() && menu->Page == mpOptions && menucmd::PageOf(mpOptions);
}

} // namespace

void UpdateVolumeBars() {
    if (!OptionsShown()) return;
    TMenuPage& page = *menucmd::PageOf(mpOptions);
    LayBar(page, SoundBar, Settings()->SoundVol, 1.4f / 255.0f, -1.06f);
    LayBar(page, MusicBar, Settings()->MusicVol, 1.4f / 255.0f, -1.06f);
}

void OptionsHover() {
    if (!OptionsShown()) return;
    TMenuPage& page = *menucmd::PageOf(mpOptions);
    page.Items[3].Visible = false;
    const auto row = [&page](int down, int up, int label) {
        if (page.Selected == down || page.Selected == up) {
            page.Items[3] = page.Items[label];
            page.Items[3].Sprite = page.Items[label].HighlightSprite;
            page.Items[label].Visible = false;
            page.Items[3].Visible = true;
        } else {
            page.Items[label].Visible = true;
        }
    };
    row(4, 6, 5);
    row(8, 10, 9);
    row(12, 14, 13);
}

namespace menucmd {

void EnterOptions() {
    ShowMenuPage(mpOptions);
    if (!OptionsShown()) return;
    UpdateVolumeBars();
    TD3DMenu& menu = *MenuLinks().Menu;
    for (int item = FirstPreview + 1; item < FirstPreview + SkinCount; ++item)
        menu.SwapItems(item, FirstPreview);
    menu.SwapItems(FirstPreview, FirstPreview - 1 + CurrentSkin());
}

void OptionsChosen(int item) {
    if (!Settings()) return;
    TOptions& options = *Settings();
    switch (item) {
    case 1: {
        std::string error;
        if (!options.Save(&error)) DebugLog(false, " Options not saved: " + error);
        ShowMenuPage(mpMain);
        break;
    }
    case 2:
        try {
            options.Load();
        } catch (const std::exception& e) {
            DebugLog(false, std::string(" Options not reloaded: ") + e.what());
        }
        ShowMenuPage(mpMain);
        break;
    case 4:
        options.SoundVol = VolumeDown(options.SoundVol);
        break;
    case 6:
        options.SoundVol = VolumeUp(options.SoundVol);
        break;
    case 8:
        options.MusicVol = VolumeDown(options.MusicVol);
        break;
    case 10:
        options.MusicVol = VolumeUp(options.MusicVol);
        break;
    default:
        break;
    }

    UpdateVolumeBars();
    ApplyVolumes();

    TD3DMenu* menu = MenuLinks().Menu;
    int s = CurrentSkin();
    if (item == 12) {
        if (s == 1) {
            menu->SwapItems(FirstPreview, FirstPreview + SkinCount - 1);
            s = SkinCount;
        } else {
            menu->SwapItems(14 + s, 13 + s);
            s -= 1;
        }
    } else if (item == 14) {
        if (s == SkinCount) {
            menu->SwapItems(FirstPreview + SkinCount - 1, FirstPreview);
            s = 1;
        } else {
            menu->SwapItems(14 + s, 15 + s);
            s += 1;
        }
    }
    if (TMenuPage* page = PageOf(mpOptions)) page->Selected = item;
    options.Texture = static_cast<uint8_t>(s);
}

void OptionsSliderClick(float x, float y) {
    if (!OptionsShown()) return;
    TMenuPage& page = *PageOf(mpOptions);
    if (OnRow(x, y, SoundRowLow, SoundRowHigh)) Settings()->SoundVol = ClickVolume(x);
    LayBar(page, SoundBar, Settings()->SoundVol, 1.5f / 250.0f, SliderRightX);
    if (OnRow(x, y, MusicRowLow, MusicRowHigh)) Settings()->MusicVol = ClickVolume(x);
    LayBar(page, MusicBar, Settings()->MusicVol, 1.5f / 250.0f, SliderRightX);
    ApplyVolumes();
}

} // namespace menucmd

} // namespace veltrane

#include "ui/ContactSheet.h"

#include "scene/ScenePictures.h"
#include "ui/Fonts.h"
#include "ui/MenuLayout.h"
#include "ui/MenuPictures.h"
#include "ui/Screens.h"
#include "ui/Style.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace veltrane::assetgen::ui {

namespace {

constexpr float kW = kMockWidth, kH = kMockHeight;

float ScreenX(float worldX) {
    return kW / 2 + (kPlaneCentreX - worldX) / kPlaneWidth * kW;
}
float ScreenY(float worldY) {
    return kH / 2 - (worldY - kPlaneCentreY) / kPlaneHeight * kH;
}

Canvas ScenePicture(const std::string& path) {
    for (const scene::ScenePicture& picture : scene::ScenePictures())
        if (picture.path == path) return picture.make();
    return Canvas(kMockWidth, kMockHeight, {0.3f, 0, 0.3f, 1});
}

// Draws a picture over the world rectangle centred on (x, y), sx by sy units.
void Place(Canvas& screen, const Canvas& picture, float x, float y, float sx, float sy) {
    const int w = std::max(1, static_cast<int>(std::lround(sx / kPlaneWidth * kW)));
    const int h = std::max(1, static_cast<int>(std::lround(sy / kPlaneHeight * kH)));
    const Canvas scaled = picture.Scaled(w, h);
    DrawLayer(screen, scaled, static_cast<int>(std::lround(ScreenX(x) - static_cast<float>(w) / 2)),
              static_cast<int>(std::lround(ScreenY(y) - static_cast<float>(h) / 2)));
}

// The game's text routine: letters of 40 pixel rows scaled by size / 1000, running to -x.
void GameText(Canvas& screen, const BitmapFont& font, Colour colour, float size, float x, float y,
              const std::string& text) {
    const float s = size * 0.001f;
    for (char raw : text) {
        const char ch = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (ch == ' ') {
            x -= 22 * s;
            continue;
        }
        const char* at = std::strchr(kGlyphOrder, ch);
        if (!at || ch == 0) continue;
        int index = static_cast<int>(at - kGlyphOrder);
        size_t row = 0;
        while (index >= static_cast<int>(font.rows[row].size()) - 1)
            index -= static_cast<int>(font.rows[row++].size()) - 1;
        const int x0 = font.rows[row][static_cast<size_t>(index)],
                  x1 = font.rows[row][static_cast<size_t>(index) + 1];
        Canvas cell(x1 - x0, kGlyphRowHeight);
        for (int py = 0; py < kGlyphRowHeight; ++py)
            for (int px = x0; px < x1; ++px) {
                const Colour g = font.picture.Get(px, static_cast<int>(row) * kGlyphRowHeight + py);
                cell.Set(px - x0, py, {colour.r * g.r, colour.g * g.g, colour.b * g.b, g.a});
            }
        const float w = static_cast<float>(x1 - x0) * s;
        Place(screen, cell, x - w / 2, y, w, 40 * s);
        x -= w;
    }
}

void DrawPage(Canvas& screen, const MenuPageSpec& menuPage, int selected) {
    for (size_t i = 0; i < menuPage.items.size(); ++i) {
        const MenuItemSpec& item = menuPage.items[i];
        if (!item.visible || static_cast<int>(i) + 1 == selected) continue;
        Place(screen, DrawMenuItem(item, false), item.x, item.y, item.sx, item.sy);
    }
    if (selected > 0) {
        const MenuItemSpec& item = menuPage.items[static_cast<size_t>(selected - 1)];
        Place(screen, DrawMenuItem(item, true), item.x, item.y, item.sx, item.sy);
    }
}

int FirstSelectable(int page) {
    const MenuPageSpec& menuPage = GameMenu().pages[static_cast<size_t>(page - 1)];
    for (size_t i = 0; i < menuPage.items.size(); ++i)
        if (menuPage.items[i].visible && menuPage.items[i].enabled) return static_cast<int>(i) + 1;
    return 0;
}

void Backdrop(Canvas& screen, const Canvas& picture) {
    screen.Draw(picture.Scaled(kMockWidth, kMockHeight), 0, 0);
}

} // namespace

Canvas ScreenMockup(int page) {
    Canvas screen(kMockWidth, kMockHeight, {0, 0, 0, 1});
    const Colour white{1, 1, 1, 1}, cyan{0, 1, 1, 1}, purple{115 / 255.0f, 0, 153 / 255.0f, 1};
    switch (page) {
    case 0: {
        Backdrop(screen, DrawLoadingPicture());
        const Canvas light = ScenePicture("Images/bonuslight.tga");
        for (int i = 1; i <= 12; ++i)
            Place(screen, light, 1.9f - static_cast<float>(i - 1) * 0.255f, -0.28f, 0.36125f, 0.36125f);
        return screen;
    }
    case 11:
        Backdrop(screen, DrawGameOverPicture());
        return screen;
    case 4:
    case 5:
    case 7: {
        Backdrop(screen, ScenePicture("Images/background.jpg"));
        const BitmapFont hud = BuildBitmapFont(FontFace::SansBold, 36, 512);
        GameText(screen, hud, purple, 12, -6.75f, 3.6f, "12");
        GameText(screen, hud, purple, 12, 0.15f * 5 - 6.9f, 1.93f, "48250");
        GameText(screen, hud, purple, 12, -6.4f, -3.5f, "+500");
        if (page == 4)
            GameText(screen, BuildBitmapFont(FontFace::SansCondensedBold, 37, 512), white, 14, 3.4f, -2,
                     "LEVEL COMPLETED");
        break;
    }
    case 9:
        Backdrop(screen, ScenePicture("Images/Tutorial/tut1.jpg"));
        break;
    case 10:
        Backdrop(screen, DrawHelpPicture());
        break;
    default:
        Backdrop(screen, DrawMenuBackground(1024, 768));
        break;
    }
    if (page == 6) {
        const BitmapFont font = BuildBitmapFont(FontFace::SansCondensedBold, 37, 512);
        const char* names[] = {"ANONYMOUS",        "MARIELLE",  "ANONYMOUS", "JO",        "ANONYMOUS",
                               "KASIMIR VON TALL", "ANONYMOUS", "ANONYMOUS", "ANONYMOUS", "ANONYMOUS"};
        for (int i = 1; i <= 10; ++i) {
            const float y = 2.9f - 0.56f * static_cast<float>(i);
            const Colour colour = i == 4 ? cyan : white;
            GameText(screen, font, colour, 9, 2.0f, y, names[i - 1]);
            GameText(screen, font, colour, 9, -4.5f, y, std::to_string(1100 - 100 * i));
        }
        GameText(screen, font, white, 9, -3.5f, -5.3f, "enter your name");
    }
    MenuPageSpec shown = GameMenu().pages[static_cast<size_t>(page - 1)];
    int selected = FirstSelectable(page);
    if (page == 3) {
        // Entering the options with skin 2 chosen: its preview shows, highlighted.
        shown.items[14].visible = false;
        shown.items[15].visible = true;
        selected = 16;
    }
    DrawPage(screen, shown, selected);
    return screen;
}

Canvas UiContactSheet() {
    constexpr int kThumbW = 640, kThumbH = 480, kColumns = 3, kGap = 12;
    const int screens[] = {0, 1, 2, 3, 6, 10, 4, 5, 7, 9, 11};
    const int count = static_cast<int>(std::size(screens));
    const int rows = (count + 1 + kColumns - 1) / kColumns; // the screens, then one cell of parts
    Canvas sheet(kColumns * (kThumbW + kGap) + kGap, rows * (kThumbH + kGap) + kGap,
                 {0.16f, 0.16f, 0.18f, 1});
    for (int i = 0; i < count; ++i)
        sheet.Draw(ScreenMockup(screens[i]).Scaled(kThumbW, kThumbH),
                   kGap + (i % kColumns) * (kThumbW + kGap), kGap + (i / kColumns) * (kThumbH + kGap));
    // Last cell: the two font pictures, the pointers and the launcher picture, on a dark ground.
    const int x = kGap + (count % kColumns) * (kThumbW + kGap),
              y = kGap + (count / kColumns) * (kThumbH + kGap);
    sheet.FillRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + kThumbW),
                   static_cast<float>(y + kThumbH), {0.05f, 0.08f, 0.12f, 1});
    const BitmapFont font1 = BuildBitmapFont(FontFace::SansCondensedBold, 37, 512);
    const BitmapFont font2 = BuildBitmapFont(FontFace::SansBold, 36, 512);
    sheet.Draw(font1.picture, x + 10, y + 10);
    sheet.Draw(font2.picture, x + 10, y + 30 + font1.picture.Height());
    sheet.Draw(DrawPointerArrow(), x + 10, y + 300);
    sheet.Draw(DrawPointerAim(), x + 150, y + 300);
    sheet.Draw(DrawLauncherPicture(), x + 300, y + 300);
    return sheet;
}

} // namespace veltrane::assetgen::ui

#include "ui/MenuPictures.h"

#include "ui/CubeArt.h"
#include "ui/Paths.h"
#include "ui/Scenery.h"
#include "ui/Style.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace veltrane::assetgen::ui {

namespace {

using namespace palette;

constexpr int kPad = 9; // room around plates for the glow

int Px(float units) {
    return std::max(4, static_cast<int>(std::lround(units * static_cast<float>(kPixelsPerUnit))));
}

// Caps on a plate: pale gold at rest, warm white with a gold glow when lit.
void PlateCaps(Canvas& c, const Font& font, float cx, float cy, const std::string& text, bool lit,
               float tracking) {
    if (lit)
        DrawGlowingCaps(c, font, cx, cy, text, kCream, {1.0f, 0.93f, 0.72f, 1}, WithAlpha(kGold, 0.9f), 4,
                        tracking);
    else
        DrawGlowingCaps(c, font, cx, cy, text, kPaleGold, kGold, {0, 0, 0, 0.8f}, 2, tracking);
}

Canvas Plate(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    DrawPlate(c, kPad, kPad, w - kPad, h - kPad, lit);
    const Font font(FontFace::SansBold, static_cast<int>((h - 2 * kPad) * 0.44f));
    PlateCaps(c, font, w / 2, h / 2, item.text, lit, 2.5f);
    return c;
}

Canvas PlateWithLine(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    DrawPlate(c, kPad, kPad, w - kPad, h - kPad, lit);
    const float inner = h - 2 * kPad;
    const Font title(FontFace::SansBold, static_cast<int>(inner * 0.34f));
    const Font small(FontFace::Sans, static_cast<int>(inner * 0.25f));
    PlateCaps(c, title, w / 2, kPad + inner * 0.33f, item.text, lit, 2.5f);
    DrawCentredCaps(c, small, w / 2, kPad + inner * 0.73f, item.line, lit ? kCream : kMist);
    return c;
}

Canvas Arrow(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float s = static_cast<float>(c.Width());
    DrawArrowButton(c, s / 2, s / 2, s / 2 - 7, item.value, lit);
    return c;
}

// The row name sits at the left end of the picture, up to 1.9 units left of the screen centre;
// the trough sits under the game's slider range (x from -1.0 to -2.6).
Canvas SliderLabel(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float h = static_cast<float>(c.Height());
    const float leftX = item.x + item.sx / 2; // world x of the picture's left edge
    const auto toPx = [&](float worldX) { return (leftX - worldX) * static_cast<float>(kPixelsPerUnit); };
    const Font font(FontFace::SansBold, static_cast<int>(h * 0.4f));
    const std::string& text = item.text;
    const float textRight = toPx(kPlaneCentreX + 1.9f);
    const float width = MeasureTracked(font, text, 2.5f);
    Canvas words(c.Width(), c.Height());
    PlateCaps(words, font, textRight - width / 2, h / 2, text, lit, 2.5f);
    // Trough: a recessed rounded groove with a gold rim.
    const float t0 = toPx(kSliderRightEndX + 0.06f), t1 = toPx(kSliderLeftEndX + 0.04f);
    const float th = h * 0.46f, ty0 = h / 2 - th / 2, ty1 = h / 2 + th / 2;
    Canvas groove(c.Width(), c.Height());
    if (lit) {
        Canvas shape(c.Width(), c.Height());
        shape.FillRoundRect(t0, ty0, t1, ty1, th / 2, {1, 1, 1, 1});
        DrawGlowOf(groove, shape, kGold, 4, 0.9f);
    }
    groove.FillRoundRect(t0, ty0, t1, ty1, th / 2, lit ? Colour{1.0f, 0.86f, 0.45f, 1} : kDeepGold);
    FillRoundGradient(groove, t0 + 2, ty0 + 2, t1 - 2, ty1 - 2, th / 2 - 2, {0.01f, 0.03f, 0.05f, 1},
                      {0.05f, 0.13f, 0.18f, 1});
    DrawLayer(c, groove, 0, 0, 0.95f);
    DrawLayer(c, words, 0, 0);
    return c;
}

Canvas RowLabel(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    const Font font(FontFace::SansBold, static_cast<int>(h * 0.4f));
    const float width = MeasureTracked(font, item.text, 2.5f);
    PlateCaps(c, font, w - 6 - width / 2, h / 2, item.text, lit, 2.5f);
    return c;
}

// Stretched by the game along x: the picture only changes from top to bottom.
Canvas Bar(bool lit) {
    Canvas c(64, 32);
    const Colour top = lit ? Colour{1.0f, 0.95f, 0.75f, 1} : Colour{1.0f, 0.88f, 0.55f, 1};
    c.VerticalGradient(0, 0, 64, 14, top, kGold);
    c.VerticalGradient(0, 14, 64, 32, kGold, kDeepGold);
    c.FillRect(0, 3, 64, 7, {1, 1, 1, 0.35f});
    return c;
}

Canvas SkinPreview(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    DrawPlate(c, kPad, kPad, w - kPad, h - kPad, lit);
    const float size = (h - 2 * kPad) * 0.34f;
    const float gap = size * 1.18f;
    for (int i = 0; i < 7; ++i) {
        const int row = i < 4 ? 0 : 1;
        const int col = row == 0 ? i : i - 4;
        const float count = row == 0 ? 4.0f : 3.0f;
        const float cx = w / 2 + (static_cast<float>(col) - (count - 1) / 2) * gap;
        const float cy = h / 2 + (static_cast<float>(row) - 0.5f) * gap * 0.95f;
        DrawCube(c, cx, cy, size, CubeIcon::Colour, i + 1, item.value);
    }
    return c;
}

Canvas Panel(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    Canvas shape(c.Width(), c.Height());
    shape.FillRoundRect(kPad, kPad, w - kPad, h - kPad, 26, {1, 1, 1, 1});
    DrawGlowOf(c, shape, lit ? kGold : Colour{0, 0, 0, 1}, 6, 0.8f);
    Canvas body(c.Width(), c.Height());
    body.FillRoundRect(kPad, kPad, w - kPad, h - kPad, 26, kDeepGold);
    FillRoundGradient(body, kPad + 3, kPad + 3, w - kPad - 3, h - kPad - 3, 23, {0.06f, 0.2f, 0.27f, 1},
                      {0.02f, 0.06f, 0.1f, 1});
    DrawLayer(c, body, 0, 0, 0.93f);
    // The title as large as fits the panel.
    int size = 40;
    while (size > 16 && MeasureTracked(Font(FontFace::SerifBold, size), item.text, 3) > w - 2 * kPad - 40)
        size -= 2;
    const Font title(FontFace::SerifBold, size);
    DrawGlowingCaps(c, title, w / 2, kPad + 46, item.text, kCream, kGold, WithAlpha(kGold, 0.6f), 5, 3);
    c.DrawLine(w * 0.2f, kPad + 82, w * 0.8f, kPad + 82, 2, WithAlpha(kGold, 0.7f));
    const Font small(FontFace::Sans, 19);
    DrawCentredCaps(c, small, w / 2, h - kPad - 34, item.line, kMist);
    return c;
}

// "HIGH SCORES" and a two-way switch whose lit half is the table on show.
Canvas TableToggle(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    const Font heading(FontFace::SerifBold, static_cast<int>(h * 0.46f));
    const float headingWidth = MeasureTracked(heading, item.text, 3);
    DrawGlowingCaps(c, heading, kPad + 6 + headingWidth / 2, h / 2, item.text, kCream, kGold, {0, 0, 0, 0.8f},
                    2, 3);
    const float x0 = w * 0.47f, x1 = w - kPad, y0 = kPad, y1 = h - kPad;
    DrawPlate(c, x0, y0, x1, y1, lit);
    const float mid = (x0 + x1) / 2;
    // The lit half.
    const float inset = 5;
    const bool classic = item.value == 1;
    FillRoundGradient(c, classic ? x0 + inset : mid, y0 + inset, classic ? mid : x1 - inset, y1 - inset,
                      (y1 - y0) * 0.25f, {1.0f, 0.86f, 0.45f, 0.95f}, {0.78f, 0.58f, 0.2f, 0.95f});
    c.DrawLine(mid, y0 + 4, mid, y1 - 4, 2, WithAlpha(kDeepGold, 0.9f));
    const Font font(FontFace::SansBold, static_cast<int>((y1 - y0) * 0.46f));
    const Colour dark{0.04f, 0.1f, 0.15f, 1};
    DrawCentredCaps(c, font, (x0 + mid) / 2, h / 2, "CLASSIC", classic ? dark : (lit ? kCream : kPaleGold),
                    2);
    DrawCentredCaps(c, font, (mid + x1) / 2, h / 2, "TIMED", classic ? (lit ? kCream : kPaleGold) : dark, 2);
    return c;
}

Canvas HelpToggle(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    DrawPlate(c, kPad, kPad, w - kPad, h - kPad, lit);
    const float box = (h - 2 * kPad) * 0.5f;
    const float bx = kPad + 22, by = h / 2 - box / 2;
    c.FillRoundRect(bx, by, bx + box, by + box, 4, lit ? kCream : kPaleGold);
    c.FillRoundRect(bx + 3, by + 3, bx + box - 3, by + box - 3, 2, {0.03f, 0.09f, 0.13f, 1});
    if (item.value == 1) {
        const Colour tick = lit ? kCream : kGold;
        c.DrawLine(bx + box * 0.2f, by + box * 0.52f, bx + box * 0.42f, by + box * 0.76f, 4, tick);
        c.DrawLine(bx + box * 0.42f, by + box * 0.76f, bx + box * 0.86f, by + box * 0.18f, 4, tick);
    }
    const Font font(FontFace::SansBold, static_cast<int>((h - 2 * kPad) * 0.38f));
    const float left = bx + box + 18;
    PlateCaps(c, font, left + (w - kPad - 14 - left) / 2, h / 2, item.text, lit, 1.5f);
    return c;
}

Canvas GameButton(const MenuItemSpec& item, bool lit) {
    Canvas c(Px(item.sx), Px(item.sy));
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    const float pad = 5; // a small button in a tight slot: less room kept for the glow
    DrawPlate(c, pad, pad, w - pad, h - pad, lit);
    const float bar = (h - 2 * pad) * 0.42f;
    const float ix = pad + 26, iy = h / 2;
    const Colour mark = lit ? kCream : kGold;
    c.FillRoundRect(ix - 8, iy - bar / 2, ix - 3, iy + bar / 2, 1.5f, mark);
    c.FillRoundRect(ix + 3, iy - bar / 2, ix + 8, iy + bar / 2, 1.5f, mark);
    const Font font(FontFace::SansBold, static_cast<int>((h - 2 * pad) * 0.58f));
    PlateCaps(c, font, (ix + 14 + w - pad) / 2, h / 2, item.text, lit, 3);
    return c;
}

} // namespace

Canvas DrawMenuItem(const MenuItemSpec& item, bool highlighted) {
    Canvas c(1, 1);
    switch (item.art) {
    case ItemArt::Plate:
        c = Plate(item, highlighted);
        break;
    case ItemArt::PlateWithLine:
        c = PlateWithLine(item, highlighted);
        break;
    case ItemArt::Arrow:
        c = Arrow(item, highlighted);
        break;
    case ItemArt::SliderLabel:
        c = SliderLabel(item, highlighted);
        break;
    case ItemArt::RowLabel:
        c = RowLabel(item, highlighted);
        break;
    case ItemArt::Bar:
        c = Bar(highlighted);
        break;
    case ItemArt::SkinPreview:
        c = SkinPreview(item, highlighted);
        break;
    case ItemArt::Panel:
        c = Panel(item, highlighted);
        break;
    case ItemArt::TableToggle:
        c = TableToggle(item, highlighted);
        break;
    case ItemArt::HelpToggle:
        c = HelpToggle(item, highlighted);
        break;
    case ItemArt::GameButton:
        c = GameButton(item, highlighted);
        break;
    }
    BleedEdges(c);
    return c;
}

Canvas DrawMenuBackground(int width, int height) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    // The high-score page writes "enter your name" from x = -3.5, y = -5.3 towards the right of
    // the screen, below the table. Every page shares this picture, so it holds no panel for the
    // prompt (an empty one would look like a missing field), only floor: the resting cubes keep
    // clear of where the prompt appears.
    const auto pictureX = [&](float worldX) { return w / 2 + (kPlaneCentreX - worldX) * w / kPlaneWidth; };
    const auto pictureY = [&](float worldY) { return h / 2 - (worldY - kPlaneCentreY) * h / kPlaneHeight; };
    const float unit = w / kPlaneWidth;
    const PixelBox prompt{pictureX(-3.1f), pictureY(-5.3f) - 0.28f * unit, pictureX(-7.35f), h};
    Canvas c = DrawRoomBackdrop(width, height, 11, {{prompt.x0 - 8, prompt.y0 - 8, prompt.x1 + 8, h}});
    DrawLogo(c, w / 2, h * 0.08f, h * 0.08f);
    // A quiet glass panel behind the menu items and the score table.
    c.FillRoundRect(w * 0.2f, h * 0.175f, w * 0.8f, h * 0.9f, 22, {0.02f, 0.07f, 0.11f, 0.42f});
    StrokeRoundRect(c, w * 0.2f, h * 0.175f, w * 0.8f, h * 0.9f, 22, 1.5f, WithAlpha(kGold, 0.45f));
    return c;
}

void MakeMenuPictures(const std::filesystem::path& gameDir, const MenuSpec& menu) {
    DrawMenuBackground(1024, 768).WriteJpeg(GamePath(gameDir, menu.background), 90);
    std::set<std::string> done;
    for (const MenuPageSpec& page : menu.pages)
        for (const MenuItemSpec& item : page.items) {
            if (!done.insert(item.picture).second) continue;
            DrawMenuItem(item, false).WriteTga(GamePath(gameDir, NormalPictureName(item)));
            DrawMenuItem(item, true).WriteTga(GamePath(gameDir, HighlightPictureName(item)));
        }
}

} // namespace veltrane::assetgen::ui

#include "ui/Screens.h"

#include "common/Text.h"
#include "ui/CubeArt.h"
#include "ui/MenuLayout.h"
#include "ui/Scenery.h"
#include "ui/Style.h"

#include <cmath>

namespace veltrane::assetgen::ui {

namespace {

using namespace palette;

constexpr float kW = kScreenWidth, kH = kScreenHeight;

// Picture pixels of a world point on the menu plane (world x grows to the left of the screen).
float PictureX(float worldX) {
    return kW / 2 + (kPlaneCentreX - worldX) * kW / kPlaneWidth;
}
float PictureY(float worldY) {
    return kH / 2 - (worldY - kPlaneCentreY) * kH / kPlaneHeight;
}

} // namespace

Canvas DrawLoadingPicture() {
    Canvas c = DrawRoomBackdrop(kScreenWidth, kScreenHeight, 23);
    DrawLogo(c, kW / 2, kH * 0.3f, kH * 0.11f);
    // The game draws 30 lights at x = 1.9 - (i - 1) * 0.255, y = -0.28, each 0.36125 across:
    // a groove with a dim socket under each.
    const float y = PictureY(-0.28f);
    const float first = PictureX(1.9f), last = PictureX(1.9f - 29 * 0.255f);
    const float cell = 0.36125f * kW / kPlaneWidth;
    const float x0 = first - cell * 0.85f, x1 = last + cell * 0.85f;
    Canvas groove(kScreenWidth, kScreenHeight);
    groove.FillRoundRect(x0, y - cell * 0.85f, x1, y + cell * 0.85f, cell * 0.85f, kDeepGold);
    FillRoundGradient(groove, x0 + 2, y - cell * 0.85f + 2, x1 - 2, y + cell * 0.85f - 2, cell * 0.85f - 2,
                      {0.01f, 0.03f, 0.05f, 1}, {0.04f, 0.11f, 0.16f, 1});
    DrawLayer(c, groove, 0, 0, 0.95f);
    for (int i = 0; i < 30; ++i) {
        const float x = PictureX(1.9f - static_cast<float>(i) * 0.255f);
        c.FillCircle(x, y, cell * 0.3f, {0.1f, 0.22f, 0.27f, 1});
        c.FillCircle(x - cell * 0.08f, y - cell * 0.08f, cell * 0.1f, {0.3f, 0.5f, 0.55f, 0.35f});
    }
    const Font font(FontFace::SansBold, 26);
    DrawGlowingCaps(c, font, kW / 2, y + cell * 2.4f, "LOADING", kPaleGold, kGold, {0, 0, 0, 0.8f}, 2, 8);
    const Font small(FontFace::Sans, 18);
    DrawCentredCaps(c, small, kW / 2, kH * 0.86f,
                    "Move the cubes, build squares of one colour, chase the combos.", kMist);
    return c;
}

Canvas DrawGameOverPicture() {
    Canvas c = DrawRoomBackdrop(kScreenWidth, kScreenHeight, 37);
    // Cubes scattered over the floor, as if thrown off the board.
    AssetRandom random(41);
    for (int i = 0; i < 16; ++i) {
        const float x = kW * (0.08f + 0.84f * random.Unit());
        const float y = kH * (0.66f + 0.3f * random.Unit());
        // One draw per statement: the order of arguments is up to the compiler.
        const float size = kH * (0.045f + 0.03f * random.Unit());
        const int kind = 1 + static_cast<int>(random.Next() % 7);
        DrawCube(c, x, y, size, CubeIcon::Colour, kind, 1, 0.75f);
    }
    SoftSpot(c, kW / 2, kH * 0.4f, kW * 0.35f, {0.95f, 0.65f, 0.25f, 0.12f});
    const Font big(FontFace::SerifBold, 100);
    DrawGlowingCaps(c, big, kW / 2, kH * 0.4f + 4, "GAME OVER", {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 0.9f},
                    6, 10);
    DrawGlowingCaps(c, big, kW / 2, kH * 0.4f, "GAME OVER", {1.0f, 0.95f, 0.78f, 1}, {0.85f, 0.55f, 0.18f, 1},
                    {0.95f, 0.62f, 0.2f, 0.55f}, 12, 10);
    c.DrawLine(kW * 0.3f, kH * 0.5f, kW * 0.7f, kH * 0.5f, 2, WithAlpha(kGold, 0.6f));
    const Font small(FontFace::Sans, 24);
    DrawCentredCaps(c, small, kW / 2, kH * 0.56f, "Click or press any key to see the high scores", kCream);
    return c;
}

Canvas DrawLauncherPicture() {
    // Drawn large and scaled down so that the small picture stays smooth.
    Canvas big = DrawRoomBackdrop(800, 600, 53);
    const float size = 118;
    const float cx = 400, cy = 258;
    DrawCube(big, cx - size * 0.53f, cy - size * 0.53f, size, CubeIcon::Colour, 3);
    DrawCube(big, cx + size * 0.53f, cy - size * 0.53f, size, CubeIcon::Colour, 3);
    DrawCube(big, cx - size * 0.53f, cy + size * 0.53f, size, CubeIcon::Colour, 3);
    DrawCube(big, cx + size * 0.53f, cy + size * 0.53f, size, CubeIcon::Joker);
    DrawCube(big, cx + size * 1.9f, cy + size * 0.2f, size * 0.8f, CubeIcon::Colour, 4);
    DrawCube(big, cx - size * 1.9f, cy + size * 0.3f, size * 0.8f, CubeIcon::Colour, 1);
    SoftSpot(big, cx, cy, size * 1.6f, {1.0f, 0.8f, 0.4f, 0.15f});
    DrawLogo(big, 400, 500, 62);
    return big.Scaled(200, 150);
}

} // namespace veltrane::assetgen::ui

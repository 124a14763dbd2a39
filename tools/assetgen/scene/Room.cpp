// The room around the board (floor and four walls, seen while the camera swings) and the
// background that fills the view during play: the board's 9 x 9 cells, the panel with the level,
// score, bonus lamps and bonus figure, and the groove of the score line.
#include "common/Noise.h"
#include "common/Text.h"
#include "common/TextLayout.h"
#include "scene/Palette.h"
#include "scene/ScenePictures.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace veltrane::assetgen::scene {

namespace {

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// --- background: 14.45 x 10.8375 units centred on (-1.8, -0.25); world x grows to the left.
constexpr int kBackW = 1024, kBackH = 768;
constexpr float kPxPerUnit = static_cast<float>(kBackW) / 14.45f;
float PxX(float worldX) {
    return (5.425f - worldX) * kPxPerUnit;
}
float PxY(float worldY) {
    return (5.16875f - worldY) * kPxPerUnit;
}

void Plaque(Canvas& c, float x0, float y0, float x1, float y1) {
    c.FillRoundRect(x0 - 3, y0 - 3, x1 + 3, y1 + 3, 12, Rgb(kGoldDark));
    c.FillRoundRect(x0 - 1.5f, y0 - 1.5f, x1 + 1.5f, y1 + 1.5f, 11, Rgb(kGold));
    c.FillRoundRect(x0, y0, x1, y1, 10, Rgb(kCream));
    c.FillRoundRect(x0 + 3, y0 + 2, x1 - 3, (y0 + y1) / 2, 8, Rgb(0xFFFFFF, 0.35f));
}

void Caption(Canvas& c, const Font& font, float centreX, float y, const std::string& text) {
    DrawShadowedTextCentred(c, font, centreX, y, text, Rgb(kGold), Rgb(0x000000, 0.7f), 2);
}

Canvas Background() {
    Canvas out(kBackW, kBackH);
    const float bcx = PxX(0), bcy = PxY(0);
    for (int y = 0; y < kBackH; ++y)
        for (int x = 0; x < kBackW; ++x) {
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            Colour c = Mix(Rgb(kNavy), Rgb(kDeepNavy), fy / kBackH * 0.8f);
            const float r = std::hypot(fx - bcx, fy - bcy) / 560.0f;
            c = Mix(c, Rgb(kTeal), 0.45f * Clamp01(1 - r) * Clamp01(1 - r));
            const float n = FractalNoise(5u, fx / 90.0f, fy / 90.0f, 3) - 0.5f;
            c.r += n * 0.03f, c.g += n * 0.035f, c.b += n * 0.04f;
            out.Set(x, y, c);
        }

    // The board: a gold frame round 9 x 9 cells.
    const float bx0 = PxX(4.5f), bx1 = PxX(-4.5f), by0 = PxY(4.5f), by1 = PxY(-4.5f);
    const float cell = (bx1 - bx0) / 9;
    out.FillRoundRect(bx0 - 22, by0 - 22, bx1 + 22, by1 + 22, 22, Rgb(0x000000, 0.35f));
    out.FillRoundRect(bx0 - 17, by0 - 17, bx1 + 17, by1 + 17, 16, Rgb(kGoldDark));
    out.FillRoundRect(bx0 - 14, by0 - 14, bx1 + 14, by1 + 14, 13, Rgb(kGold));
    out.FillRoundRect(bx0 - 11, by0 - 11, bx1 + 11, by1 + 11, 11, Rgb(kGoldLight));
    out.FillRoundRect(bx0 - 9, by0 - 9, bx1 + 9, by1 + 9, 9, Rgb(kGoldDark));
    out.FillRoundRect(bx0 - 6, by0 - 6, bx1 + 6, by1 + 6, 7, Rgb(kDeepNavy));
    for (int j = 0; j < 9; ++j)
        for (int i = 0; i < 9; ++i) {
            const float x0 = bx0 + static_cast<float>(i) * cell, y0 = by0 + static_cast<float>(j) * cell;
            const bool odd = (i + j) % 2 == 1;
            const Colour tile = odd ? Rgb(0x0F2F3B) : Rgb(0x123744);
            out.FillRoundRect(x0 + 3, y0 + 3, x0 + cell - 3, y0 + cell - 3, 8, Rgb(0x04090F));
            out.FillRoundRect(x0 + 4, y0 + 4, x0 + cell - 3.5f, y0 + cell - 3.5f, 7, tile);
            out.FillRoundRect(x0 + 5, y0 + 5, x0 + cell - 5, y0 + cell * 0.45f, 6, Rgb(0xFFFFFF, 0.035f));
            out.FillRoundRect(x0 + 5, y0 + cell - 9, x0 + cell - 5, y0 + cell - 4, 4, Rgb(0x000000, 0.18f));
        }

    // The panel on the right.
    const Font wordmark(FontFace::SansBold, 30);
    const Font caption(FontFace::SansBold, 19);
    out.FillRoundRect(744, 14, 1012, 716, 20, Rgb(0x000000, 0.35f));
    out.FillRoundRect(740, 10, 1008, 712, 18, Rgb(kGoldDark));
    out.FillRoundRect(743, 13, 1005, 709, 16, Rgb(kNavy));
    Canvas glass(kBackW, kBackH);
    glass.VerticalGradient(743, 13, 1005, 360, Rgb(kTealLight, 0.25f), Rgb(kTeal, 0.0f));
    out.Draw(glass, 0, 0);
    DrawShadowedTextCentred(out, wordmark, 874, 52, "VELTRANE", Rgb(kGoldLight), Rgb(0x000000, 0.7f), 2);
    out.FillRect(790, 62, 958, 64, Rgb(kGold, 0.6f));

    // Level number: drawn from x -6.75 at y 3.6.
    Caption(out, caption, 897, 88, "LEVEL");
    Plaque(out, 842, 94, 952, 130);
    // Score: centred near x -6.9 at y 1.93.
    Caption(out, caption, 873, 198, "SCORE");
    Plaque(out, 768, 209, 978, 251);
    // Bonus lamps: five from x -6.39 stepping 0.289, at y 0.527.
    Caption(out, caption, 878, 300, "BONUS LAMPS");
    out.FillRoundRect(818, 311, 938, 347, 18, Rgb(kGoldDark));
    out.FillRoundRect(821, 314, 935, 344, 15, Rgb(kDeepNavy));
    for (int j = 0; j < 5; ++j) {
        const float lx = PxX(-6.387875f - 0.289f * static_cast<float>(j)), ly = PxY(0.5266875f);
        out.FillCircle(lx, ly, 8.5f, Rgb(0x020508));
        out.StrokeCircle(lx, ly, 8.5f, 1.5f, Rgb(kGoldDark));
        out.FillCircle(lx - 2, ly - 2.5f, 2.2f, Rgb(0xFFFFFF, 0.12f));
    }
    // Bonus figure (or, on bonus levels, the bonus-level picture) round x -7.1, y -2.3.
    Caption(out, caption, 882, 392, "BONUS FIGURE");
    out.FillRoundRect(797, 402, 967, 592, 14, Rgb(kGoldDark));
    out.FillRoundRect(800, 405, 964, 589, 12, Rgb(kDeepNavy));
    out.FillRoundRect(803, 408, 961, 586, 10, Rgb(0x0B1D29));
    // The figure's value: drawn from x -6.4 at y -3.5.
    Plaque(out, 824, 597, 956, 632);
    out.FillRect(790, 660, 958, 662, Rgb(kGold, 0.4f));

    // The groove the score line grows in, from x 4.51 to x -4.24 at y -5.33.
    const float gy = PxY(-5.33459375f);
    out.FillRoundRect(PxX(4.8f), gy - 16, PxX(-4.4f), gy + 16, 16, Rgb(kGoldDark));
    out.FillRoundRect(PxX(4.8f) + 3, gy - 13, PxX(-4.4f) - 3, gy + 13, 13, Rgb(0x03080D));
    out.FillRoundRect(PxX(4.8f) + 6, gy + 4, PxX(-4.4f) - 6, gy + 11, 5, Rgb(0xFFFFFF, 0.05f));
    return out;
}

// --- the room: pictures painted per pixel in world units.

// The four walls share the room's colours, rail, skirting and cornice; each has its own design
// between them, so that the camera's swing shows four different sides.
enum class WallDesign {
    Diamonds, // tall panels, each with a gold diamond
    Niches,   // arched niches lit from within, between plain panels
    Frieze,   // lamps with light pools over slatted wainscot, a frieze of little cubes above
    Lattice,  // a gold-framed 9 x 9 lattice in the middle, like the board, between panels
};

// Tall panels with dark grooves between them; returns the position across the panel (0..1).
float Panels(Colour& c, float wx, float width, float panelWidth) {
    const int panels = std::max(4, static_cast<int>(std::lround(width / panelWidth)));
    const float pw = width / static_cast<float>(panels);
    const float px = std::fmod(wx, pw) / pw;
    const float groove = std::min(px, 1 - px) * pw;
    if (groove < 0.06f)
        c = Mix(c, Rgb(0x02060A), 0.7f);
    else if (groove < 0.12f)
        c = Mix(c, Rgb(kTealLight), 0.25f);
    return px;
}

Colour WallAt(float wx, float wz, float width, WallDesign design, uint32_t seed) {
    // wx: 0 at the left end; wz: height above the floor.
    Colour c = Mix(Rgb(kTeal), Rgb(kNavy), Clamp01((wz - 1.0f) / 10.0f));
    const float mid = wx - width / 2;
    if (wz > 1.0f && wz < 10.6f) {
        switch (design) {
        case WallDesign::Diamonds: {
            const int panels = std::max(4, static_cast<int>(std::lround(width / 3.5f)));
            const float pw = width / static_cast<float>(panels);
            const float px = Panels(c, wx, width, 3.5f);
            // A light pool washing down each panel from above.
            const float cx = (px - 0.5f) * pw;
            const float pool = std::exp(-(cx * cx) / 0.9f) * std::exp(-std::pow((10.6f - wz) / 4.0f, 2.0f));
            c = Mix(c, Rgb(0x4FA3A8), 0.35f * pool);
            const float diamond = std::abs(cx) + std::abs(wz - 6.6f);
            if (std::abs(diamond - 0.55f) < 0.035f) c = Mix(c, Rgb(kGold), 0.45f);
            if (diamond < 0.12f) c = Mix(c, Rgb(kGoldLight), 0.5f);
            break;
        }
        case WallDesign::Niches: {
            const float pw = width / 6.0f;
            const float px = Panels(c, wx, width, pw);
            if (static_cast<int>(wx / pw) % 2 == 1) { // every other panel holds a niche
                const float cx = (px - 0.5f) * pw, hw = 0.85f;
                const float top = 8.6f, bottom = 4.0f;
                const float arch = wz > top ? std::hypot(cx, wz - top) : std::abs(cx);
                const bool inside = wz > bottom && arch < hw && wz < top + hw;
                const bool rim = !inside && wz > bottom - 0.08f && arch < hw + 0.08f && wz < top + hw + 0.08f;
                if (inside) {
                    const float lit = std::exp(-std::pow((wz - (top - 0.3f)) / 2.2f, 2.0f));
                    c = Mix(Rgb(kDeepNavy), Rgb(0xD9A35A), 0.55f * lit * (1 - 0.6f * std::abs(cx) / hw));
                } else if (rim) {
                    c = Rgb(kGold);
                }
                if (inside && wz < bottom + 0.12f) c = Rgb(kGoldDark); // the sill
            }
            break;
        }
        case WallDesign::Frieze: {
            if (wz < 3.2f) { // slatted wainscot
                const float slat = std::fmod(wx, 0.35f) / 0.35f;
                if (slat < 0.12f) c = Mix(c, Rgb(0x02060A), 0.55f);
            }
            // Lamps every four units with their pools of warm light.
            const float lx = std::fmod(wx, 4.0f) - 2.0f;
            const float d = std::hypot(lx, (wz - 6.0f) * 0.8f);
            c = Mix(c, Rgb(0xE0B070), 0.4f * std::exp(-d * d / 1.6f));
            if (std::hypot(lx, wz - 6.0f) < 0.22f)
                c = Rgb(0xFFE9B8);
            else if (std::hypot(lx, wz - 6.0f) < 0.3f)
                c = Rgb(kGoldDark);
            // A frieze of little cubes, gold and teal by turns.
            if (wz > 8.6f && wz < 9.4f) {
                const int k = static_cast<int>(std::floor(wx / 0.8f));
                const float fx = std::fmod(wx, 0.8f);
                if (fx > 0.12f && fx < 0.68f && wz > 8.72f && wz < 9.28f)
                    c = k % 2 ? Rgb(kGold) : Rgb(kTealLight);
                else
                    c = Rgb(kDeepNavy);
            }
            break;
        }
        case WallDesign::Lattice: {
            Panels(c, wx, width, 3.0f);
            const float cell = 0.62f, half = 4.5f * cell;
            const float gx = mid + half, gz = wz - 3.9f;
            if (gx > -0.15f && gx < 2 * half + 0.15f && gz > -0.15f && gz < 2 * half + 0.15f) {
                if (gx < 0 || gx > 2 * half || gz < 0 || gz > 2 * half) {
                    c = Rgb(kGold); // the frame
                } else {
                    const float ix = std::fmod(gx, cell), iz = std::fmod(gz, cell);
                    const bool bar = ix < 0.05f || ix > cell - 0.05f || iz < 0.05f || iz > cell - 0.05f;
                    const int i = static_cast<int>(gx / cell), j = static_cast<int>(gz / cell);
                    c = bar ? Rgb(kGoldDark) : ((i + j) % 2 ? Rgb(0x0F2F3B) : Rgb(0x123744));
                }
            }
            break;
        }
        }
    }
    // Gold rail, skirting and cornice.
    if (std::abs(wz - 3.2f) < 0.09f) c = Mix(Rgb(kGold), Rgb(kGoldLight), 1 - std::abs(wz - 3.2f) / 0.09f);
    if (wz < 1.0f) c = Mix(Rgb(0x050B10), Rgb(kNavy), Clamp01(wz));
    if (std::abs(wz - 1.0f) < 0.05f) c = Rgb(kGoldDark);
    if (wz > 10.6f) c = Mix(Rgb(kDeepNavy), Rgb(0x030609), Clamp01((wz - 10.6f) / 1.2f));
    if (std::abs(wz - 10.6f) < 0.07f) c = Rgb(kGold);
    const float n = FractalNoise(seed, wx * 1.5f, wz * 1.5f, 3) - 0.5f;
    c.r += n * 0.03f, c.g += n * 0.03f, c.b += n * 0.035f;
    c.a = 1;
    return c;
}

Canvas Wall(float width, WallDesign design, uint32_t seed) {
    const int w = 1024, h = 512;
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float wx = (static_cast<float>(x) + 0.5f) / static_cast<float>(w) * width;
            const float wz = 11.8f - (static_cast<float>(y) + 0.5f) / static_cast<float>(h) * 12.0f;
            out.Set(x, y, WallAt(wx, wz, width, design, seed));
        }
    return out;
}

// Floor: 28 x 24 units; u = 0 at x 12.2, v = 0 at y 11.75. Dark stone tiles two units wide.
Canvas Floor() {
    const int s = 512;
    Canvas out(s, s);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const float wx = 12.2f - (static_cast<float>(x) + 0.5f) / s * 28.0f;
            const float wy = 11.75f - (static_cast<float>(y) + 0.5f) / s * 24.0f;
            const float tx = std::fmod(std::abs(wx + 100.0f), 2.0f),
                        ty = std::fmod(std::abs(wy + 100.0f), 2.0f);
            const float edge = std::min({tx, 2 - tx, ty, 2 - ty});
            const float n = FractalNoise(17u, wx * 1.2f, wy * 1.2f, 4);
            Colour c = Mix(Rgb(kDeepNavy), Rgb(kNavy), 0.4f + 0.6f * n);
            if (edge < 0.05f)
                c = Rgb(0x020508);
            else if (edge < 0.1f)
                c = Mix(c, Rgb(kTeal), 0.5f);
            // A gold inlay round the place where the board stands.
            const float dx = std::abs(wx + 1.8f) - 7.6f, dy = std::abs(wy + 0.25f) - 5.8f;
            const float d = std::abs(std::max(dx, dy));
            if (d < 0.06f) c = Rgb(kGold);
            // Darker towards the walls.
            const float r = std::hypot((wx + 1.8f) / 14.0f, (wy + 0.25f) / 12.0f);
            c = Mix(c, Rgb(0x010305), Clamp01(r - 0.55f));
            c.a = 1;
            out.Set(x, y, c);
        }
    return out;
}

} // namespace

void AddRoomPictures(std::vector<ScenePicture>& out) {
    out.push_back({"Images/floor.jpg", false, Floor});
    out.push_back({"Images/wall1.jpg", false, [] { return Wall(24, WallDesign::Diamonds, 101u); }});
    out.push_back({"Images/wall2.jpg", false, [] { return Wall(24, WallDesign::Niches, 202u); }});
    out.push_back({"Images/wall3.jpg", false, [] { return Wall(28, WallDesign::Frieze, 303u); }});
    out.push_back({"Images/wall4.jpg", false, [] { return Wall(28, WallDesign::Lattice, 404u); }});
    out.push_back({"Images/background.jpg", false, Background});
}

} // namespace veltrane::assetgen::scene

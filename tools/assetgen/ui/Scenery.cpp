#include "ui/Scenery.h"

#include "common/Text.h"
#include "ui/CubeArt.h"
#include "ui/Style.h"

#include <algorithm>
#include <cmath>

namespace veltrane::assetgen::ui {

using namespace palette;

Canvas DrawRoomBackdrop(int width, int height, uint32_t seed, const std::vector<PixelBox>& keepClear) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Canvas c(width, height, kNight);
    // One pass: the walls' gradient, light falling from above the middle, a vignette.
    const Colour top{0.047f, 0.157f, 0.239f, 1}, middle{0.027f, 0.082f, 0.133f, 1},
        bottom{0.012f, 0.031f, 0.055f, 1};
    const Colour teal{0.16f, 0.45f, 0.5f, 1}, warm{0.9f, 0.75f, 0.45f, 1};
    const auto fall = [](float d) { return d >= 1 ? 0.0f : (1 - d) * (1 - d); };
    for (int y = 0; y < height; ++y) {
        const float fy = (static_cast<float>(y) + 0.5f) / h;
        const Colour row =
            fy < 0.62f ? Mix(top, middle, fy / 0.62f) : Mix(middle, bottom, (fy - 0.62f) / 0.38f);
        for (int x = 0; x < width; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            Colour p = row;
            p = Mix(p, teal, 0.45f * fall(std::hypot(px - w * 0.5f, py - h * 0.28f) / (w * 0.55f)));
            p = Mix(p, warm, 0.1f * fall(std::hypot(px - w * 0.5f, py - h * 0.2f) / (w * 0.25f)));
            const float dx = (px / w - 0.5f) * 1.6f, dy = (py / h - 0.5f) * 1.6f;
            const float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy) / 1.13f);
            p = Mix(p, {0, 0, 0, 1}, 0.55f * d * d * d);
            p.a = 1;
            c.Set(x, y, p);
        }
    }
    // Floor grid in perspective, towards a vanishing point above the picture.
    const float horizon = h * 0.58f, vx = w * 0.5f;
    for (int i = -12; i <= 12; ++i) {
        const float x = vx + static_cast<float>(i) * w * 0.11f;
        c.DrawLine(vx + (x - vx) * 0.12f, horizon, x, h, 1.3f, {0.3f, 0.75f, 0.78f, 0.1f});
    }
    for (int k = 1; k <= 9; ++k) {
        const float t = static_cast<float>(k) / 9.0f;
        const float y = horizon + (h - horizon) * t * t;
        c.DrawLine(0, y, w, y, 1.2f, {0.3f, 0.75f, 0.78f, 0.05f + 0.07f * t});
    }
    // Cubes resting in the shadows at both sides.
    AssetRandom random(seed);
    const auto blocked = [&](float x, float y, float size) {
        return std::any_of(keepClear.begin(), keepClear.end(), [&](const PixelBox& b) {
            return x + size > b.x0 && x - size < b.x1 && y + size > b.y0 && y - size < b.y1;
        });
    };
    for (int i = 0; i < 10; ++i) {
        const bool left = i % 2 == 0;
        // A cube that would stand under a panel looks for another spot, or stays away.
        for (int attempt = 0; attempt < 6; ++attempt) {
            const float x = left ? w * (0.03f + 0.11f * random.Unit()) : w * (0.86f + 0.11f * random.Unit());
            const float y = h * (0.62f + 0.34f * random.Unit());
            const float size = h * (0.05f + 0.035f * random.Unit()) * (0.6f + 0.6f * (y / h));
            const int kind = 1 + static_cast<int>(random.Next() % 7);
            if (blocked(x, y, size)) continue;
            DrawCube(c, x, y, size, CubeIcon::Colour, kind, 1, 0.38f);
            break;
        }
    }
    c.AddNoise(seed, 0.012f, 2.0f);
    return c;
}

void DrawLogo(Canvas& canvas, float cx, float cy, float capHeight) {
    const Font font(FontFace::SerifBold, static_cast<int>(capHeight / 0.73f));
    DrawGlowingCaps(canvas, font, cx, cy + 3, "VELTRANE", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0.9f},
                    static_cast<int>(capHeight * 0.08f) + 1, capHeight * 0.12f);
    DrawGlowingCaps(canvas, font, cx, cy, "VELTRANE", {1.0f, 0.95f, 0.75f, 1}, {0.86f, 0.62f, 0.2f, 1},
                    {0.95f, 0.7f, 0.25f, 0.5f}, static_cast<int>(capHeight * 0.14f) + 1, capHeight * 0.12f);
    const float width = MeasureTracked(font, "VELTRANE", capHeight * 0.12f);
    const float lineY = cy + capHeight * 0.85f;
    canvas.DrawLine(cx - width * 0.5f, lineY, cx - width * 0.08f, lineY, 1.5f, WithAlpha(kGold, 0.7f));
    canvas.DrawLine(cx + width * 0.08f, lineY, cx + width * 0.5f, lineY, 1.5f, WithAlpha(kGold, 0.7f));
    DrawCube(canvas, cx, lineY, capHeight * 0.22f, CubeIcon::Colour, 3);
}

} // namespace veltrane::assetgen::ui

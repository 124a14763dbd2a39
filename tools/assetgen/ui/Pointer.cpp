// The pointer pictures. The game centres the picture on the pointer's position and draws it one
// world unit wide, so the hot spot is the picture's centre.
#include "ui/Screens.h"

#include "ui/Style.h"

#include <algorithm>
#include <vector>

namespace veltrane::assetgen::ui {

namespace {

using namespace palette;
using Points = std::vector<std::pair<float, float>>;

constexpr int kSize = 128;

void FillGradientPolygon(Canvas& c, const Points& points, Colour top, Colour bottom, float y0, float y1) {
    Canvas mask(c.Width(), c.Height());
    mask.FillPolygon(points, {1, 1, 1, 1});
    for (int y = 0; y < c.Height(); ++y) {
        const float t = std::clamp((static_cast<float>(y) - y0) / (y1 - y0), 0.0f, 1.0f);
        for (int x = 0; x < c.Width(); ++x)
            if (mask.Get(x, y).a > 0) c.Blend(x, y, Mix(top, bottom, t), mask.Get(x, y).a);
    }
}

void Outline(Canvas& c, const Points& points, float width, Colour colour) {
    for (size_t i = 0; i < points.size(); ++i) {
        const auto [x0, y0] = points[i];
        const auto [x1, y1] = points[(i + 1) % points.size()];
        c.DrawLine(x0, y0, x1, y1, width, colour);
    }
}

} // namespace

Canvas DrawPointerArrow() {
    Canvas c(kSize, kSize, {0.05f, 0.1f, 0.15f, 0});
    const float tip = kSize / 2.0f, s = 1.3f;
    Points arrow;
    for (auto [x, y] : Points{{0, 0}, {0, 33}, {8, 26}, {14, 39}, {20.5f, 36}, {14.5f, 23.5f}, {25, 23.5f}})
        arrow.emplace_back(tip + x * s, tip + y * s);
    Canvas shadow(kSize, kSize);
    Points offset;
    for (auto [x, y] : arrow) offset.emplace_back(x + 3, y + 4);
    shadow.FillPolygon(offset, {0, 0, 0, 1});
    DrawGlowOf(c, shadow, {0, 0, 0, 1}, 2, 0.7f);
    FillGradientPolygon(c, arrow, {1.0f, 0.97f, 0.86f, 1}, {0.93f, 0.72f, 0.3f, 1}, tip, tip + 40 * s);
    Outline(c, arrow, 2.4f, {0.04f, 0.1f, 0.15f, 1});
    BleedEdges(c);
    return c;
}

Canvas DrawPointerAim() {
    Canvas c(kSize, kSize, {0.05f, 0.1f, 0.15f, 0});
    const float m = kSize / 2.0f;
    const Colour dark{0.04f, 0.08f, 0.12f, 0.85f};
    const Colour red{1.0f, 0.33f, 0.22f, 1};
    // Dark strokes under the red ones keep the sight visible on bright cubes.
    for (int pass = 0; pass < 2; ++pass) {
        const Colour colour = pass == 0 ? dark : red;
        const float width = pass == 0 ? 6.5f : 3.2f;
        c.StrokeCircle(m, m, 25, width, colour);
        c.DrawLine(m - 40, m, m - 13, m, width, colour);
        c.DrawLine(m + 13, m, m + 40, m, width, colour);
        c.DrawLine(m, m - 40, m, m - 13, width, colour);
        c.DrawLine(m, m + 13, m, m + 40, width, colour);
        c.FillCircle(m, m, pass == 0 ? 4.5f : 2.6f, pass == 0 ? dark : Colour{1.0f, 0.9f, 0.6f, 1});
    }
    BleedEdges(c);
    return c;
}

} // namespace veltrane::assetgen::ui

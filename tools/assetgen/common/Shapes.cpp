#include "common/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane::assetgen {

Outline RegularPolygon(float cx, float cy, float radius, int sides, float rotation) {
    Outline out;
    for (int i = 0; i < sides; ++i) {
        const float a =
            rotation + 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(sides);
        out.emplace_back(cx + radius * std::sin(a), cy - radius * std::cos(a));
    }
    return out;
}

Outline StarPolygon(float cx, float cy, float outerRadius, float innerRadius, int points, float rotation) {
    Outline out;
    for (int i = 0; i < points * 2; ++i) {
        const float a =
            rotation + std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(points);
        const float r = (i % 2 == 0) ? outerRadius : innerRadius;
        out.emplace_back(cx + r * std::sin(a), cy - r * std::cos(a));
    }
    return out;
}

Outline HeartPolygon(float cx, float cy, float radius) {
    // The classic parametric heart, scaled so that it spans about 2 * radius.
    Outline out;
    const int steps = 64;
    for (int i = 0; i < steps; ++i) {
        const float t = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(steps);
        const float s = std::sin(t);
        const float x = 16.0f * s * s * s;
        const float y =
            13.0f * std::cos(t) - 5.0f * std::cos(2 * t) - 2.0f * std::cos(3 * t) - std::cos(4 * t);
        out.emplace_back(cx + x * radius / 16.5f, cy - (y + 2.5f) * radius / 15.0f);
    }
    return out;
}

Outline ArrowPolygon(float x0, float y0, float x1, float y1, float width) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::max(std::hypot(dx, dy), 1e-3f);
    const float ux = dx / len, uy = dy / len; // along
    const float nx = -uy, ny = ux;            // across
    const float head = std::min(len * 0.55f, width * 1.8f);
    const float hx = x1 - ux * head, hy = y1 - uy * head;
    const float w = width / 2, hw = width;
    return {{x0 + nx * w, y0 + ny * w},   {hx + nx * w, hy + ny * w}, {hx + nx * hw, hy + ny * hw}, {x1, y1},
            {hx - nx * hw, hy - ny * hw}, {hx - nx * w, hy - ny * w}, {x0 - nx * w, y0 - ny * w}};
}

void FillShape(Canvas& canvas, const Outline& points, Colour c) {
    if (points.size() < 3) return;
    float minX = points[0].first, maxX = minX, minY = points[0].second, maxY = minY;
    for (const auto& [px, py] : points) {
        minX = std::min(minX, px), maxX = std::max(maxX, px);
        minY = std::min(minY, py), maxY = std::max(maxY, py);
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int x1 = std::min(canvas.Width(), static_cast<int>(std::ceil(maxX)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int y1 = std::min(canvas.Height(), static_cast<int>(std::ceil(maxY)) + 1);
    if (x0 >= x1 || y0 >= y1) return;
    constexpr int kSubRows = 4;
    std::vector<float> cover(static_cast<size_t>(x1 - x0));
    std::vector<float> crossings;
    for (int y = y0; y < y1; ++y) {
        std::fill(cover.begin(), cover.end(), 0.0f);
        for (int k = 0; k < kSubRows; ++k) {
            const float sy = static_cast<float>(y) + (static_cast<float>(k) + 0.5f) / kSubRows;
            crossings.clear();
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const auto [xi, yi] = points[i];
                const auto [xj, yj] = points[j];
                if ((yi > sy) != (yj > sy)) crossings.push_back(xi + (sy - yi) * (xj - xi) / (yj - yi));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const float a = std::max(crossings[i], static_cast<float>(x0));
                const float b = std::min(crossings[i + 1], static_cast<float>(x1));
                for (int x = static_cast<int>(std::floor(a)); x < static_cast<int>(std::ceil(b)); ++x) {
                    const float overlap =
                        std::min(b, static_cast<float>(x + 1)) - std::max(a, static_cast<float>(x));
                    if (overlap > 0) cover[static_cast<size_t>(x - x0)] += overlap / kSubRows;
                }
            }
        }
        for (int x = x0; x < x1; ++x) {
            const float k = std::min(1.0f, cover[static_cast<size_t>(x - x0)]);
            if (k > 0) canvas.Blend(x, y, c, k);
        }
    }
}

namespace {

template <typename Apply>
void ForFalloff(Canvas& canvas, float cx, float cy, float radius, float power, Apply apply) {
    const int x0 = std::max(0, static_cast<int>(cx - radius) - 1);
    const int x1 = std::min(canvas.Width(), static_cast<int>(cx + radius) + 2);
    const int y0 = std::max(0, static_cast<int>(cy - radius) - 1);
    const int y1 = std::min(canvas.Height(), static_cast<int>(cy + radius) + 2);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float r = std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy);
            if (r >= radius) continue;
            const float f = 1.0f - r / radius;
            apply(x, y, power == 1.0f ? f : std::pow(f, power));
        }
}

} // namespace

void SoftDisc(Canvas& canvas, float cx, float cy, float radius, Colour c, float power) {
    ForFalloff(canvas, cx, cy, radius, power, [&](int x, int y, float f) { canvas.Blend(x, y, c, f); });
}

void AddGlow(Canvas& canvas, float cx, float cy, float radius, Colour c, float power) {
    ForFalloff(canvas, cx, cy, radius, power, [&](int x, int y, float f) {
        Colour p = canvas.Get(x, y);
        const float k = f * c.a;
        // Light adds to what is there; a transparent pixel takes the glow's own colour.
        const float pa = p.a;
        p.r = std::min(1.0f, p.r * pa + c.r * k);
        p.g = std::min(1.0f, p.g * pa + c.g * k);
        p.b = std::min(1.0f, p.b * pa + c.b * k);
        p.a = std::min(1.0f, pa + k);
        if (p.a > 0) p.r /= p.a, p.g /= p.a, p.b /= p.a;
        p.r = std::min(1.0f, p.r), p.g = std::min(1.0f, p.g), p.b = std::min(1.0f, p.b);
        canvas.Set(x, y, p);
    });
}

} // namespace veltrane::assetgen

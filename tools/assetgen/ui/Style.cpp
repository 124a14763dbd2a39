#include "ui/Style.h"

#include <algorithm>
#include <cmath>

namespace veltrane::assetgen::ui {

Colour WithAlpha(Colour c, float alpha) {
    c.a = alpha;
    return c;
}

Colour Scale(Colour c, float factor) {
    return {std::min(1.0f, c.r * factor), std::min(1.0f, c.g * factor), std::min(1.0f, c.b * factor), c.a};
}

float MeasureTracked(const Font& font, const std::string& text, float tracking) {
    if (text.empty()) return 0;
    float width = 0;
    for (char ch : text) width += font.Measure(std::string(1, ch)) + tracking;
    return width - tracking;
}

float DrawTracked(Canvas& canvas, const Font& font, float x, float baseline, const std::string& text,
                  Colour colour, float tracking) {
    const float start = x;
    for (char ch : text) x += font.Draw(canvas, x, baseline, std::string(1, ch), colour) + tracking;
    return x - start;
}

float CapHeight(const Font& font) {
    return static_cast<float>(font.Render(U'H').top);
}

void DrawCentredCaps(Canvas& canvas, const Font& font, float cx, float cy, const std::string& text,
                     Colour colour, float tracking) {
    const float width = MeasureTracked(font, text, tracking);
    DrawTracked(canvas, font, std::round(cx - width / 2), std::round(cy + CapHeight(font) / 2), text, colour,
                tracking);
}

void DrawGlowingCaps(Canvas& canvas, const Font& font, float cx, float cy, const std::string& text,
                     Colour top, Colour bottom, Colour glow, int glowRadius, float tracking) {
    Canvas layer(canvas.Width(), canvas.Height(), {1, 1, 1, 0});
    DrawCentredCaps(layer, font, cx, cy, text, {1, 1, 1, 1}, tracking);
    // Colour the letters by height: from the top of the capitals to the baseline.
    const float capTop = cy - CapHeight(font) / 2, capBottom = cy + CapHeight(font) / 2;
    for (int y = 0; y < layer.Height(); ++y) {
        const float t =
            std::clamp((static_cast<float>(y) + 0.5f - capTop) / (capBottom - capTop), 0.0f, 1.0f);
        const Colour fill = Mix(top, bottom, t);
        for (int x = 0; x < layer.Width(); ++x) {
            const float a = layer.Get(x, y).a;
            if (a > 0) layer.Set(x, y, WithAlpha(fill, a));
        }
    }
    if (glowRadius > 0) DrawGlowOf(canvas, layer, glow, glowRadius, glow.a);
    canvas.Draw(layer, 0, 0);
}

void SoftSpot(Canvas& canvas, float cx, float cy, float radius, Colour colour) {
    const int x0 = std::max(0, static_cast<int>(cx - radius)),
              x1 = std::min(canvas.Width(), static_cast<int>(cx + radius) + 1);
    const int y0 = std::max(0, static_cast<int>(cy - radius)),
              y1 = std::min(canvas.Height(), static_cast<int>(cy + radius) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float d =
                std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) / radius;
            if (d >= 1) continue;
            const float fall = (1 - d) * (1 - d);
            canvas.Blend(x, y, colour, fall);
        }
}

void DrawGlowOf(Canvas& canvas, const Canvas& layer, Colour glow, int radius, float strength) {
    // Only the box around the layer's visible pixels is blurred.
    int x0 = layer.Width(), y0 = layer.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x)
            if (layer.Get(x, y).a > 0)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    if (x1 < 0) return;
    const int margin = radius * 2 + 1;
    x0 = std::max(0, x0 - margin), y0 = std::max(0, y0 - margin);
    x1 = std::min(layer.Width() - 1, x1 + margin), y1 = std::min(layer.Height() - 1, y1 + margin);
    Canvas halo(x1 - x0 + 1, y1 - y0 + 1, WithAlpha(glow, 0));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) halo.Set(x - x0, y - y0, WithAlpha(glow, layer.Get(x, y).a));
    halo.BoxBlur(radius);
    halo.BoxBlur(radius);
    canvas.Draw(halo, x0, y0, strength);
}

void FillRoundGradient(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Colour top,
                       Colour bottom) {
    Canvas mask(canvas.Width(), canvas.Height());
    mask.FillRoundRect(x0, y0, x1, y1, std::max(0.0f, radius), {1, 1, 1, 1});
    for (int y = std::max(0, static_cast<int>(y0) - 1);
         y < std::min(canvas.Height(), static_cast<int>(y1) + 2); ++y) {
        const float t = std::clamp((static_cast<float>(y) + 0.5f - y0) / std::max(1.0f, y1 - y0), 0.0f, 1.0f);
        const Colour c = Mix(top, bottom, t);
        for (int x = std::max(0, static_cast<int>(x0) - 1);
             x < std::min(canvas.Width(), static_cast<int>(x1) + 2); ++x) {
            const float a = mask.Get(x, y).a;
            if (a > 0) canvas.Blend(x, y, c, a);
        }
    }
}

void StrokeRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float width,
                     Colour colour) {
    Canvas outer(canvas.Width(), canvas.Height()), inner(canvas.Width(), canvas.Height());
    outer.FillRoundRect(x0, y0, x1, y1, radius, {1, 1, 1, 1});
    inner.FillRoundRect(x0 + width, y0 + width, x1 - width, y1 - width, std::max(0.0f, radius - width),
                        {1, 1, 1, 1});
    for (int y = std::max(0, static_cast<int>(y0) - 1);
         y < std::min(canvas.Height(), static_cast<int>(y1) + 2); ++y)
        for (int x = std::max(0, static_cast<int>(x0) - 1);
             x < std::min(canvas.Width(), static_cast<int>(x1) + 2); ++x) {
            const float a = outer.Get(x, y).a - inner.Get(x, y).a;
            if (a > 0) canvas.Blend(x, y, colour, a);
        }
}

void BleedEdges(Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    for (int pass = 0; pass < 3; ++pass) {
        Canvas next = canvas;
        bool changed = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (canvas.Get(x, y).a > 0) continue;
                Colour sum{0, 0, 0, 0};
                float weight = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                        const Colour n = canvas.Get(nx, ny);
                        // Alpha-less pixels that already carry a bled colour count a little.
                        const float wgt = n.a > 0 ? n.a : (n.r + n.g + n.b > 0 ? 0.05f : 0.0f);
                        sum.r += n.r * wgt, sum.g += n.g * wgt, sum.b += n.b * wgt;
                        weight += wgt;
                    }
                if (weight <= 0) continue;
                next.Set(x, y, {sum.r / weight, sum.g / weight, sum.b / weight, 0});
                changed = true;
            }
        canvas = std::move(next);
        if (!changed) break;
    }
}

void DrawPlate(Canvas& canvas, float x0, float y0, float x1, float y1, bool highlighted) {
    using namespace palette;
    const float h = y1 - y0;
    const float radius = h * 0.28f;
    Canvas shape(canvas.Width(), canvas.Height());
    shape.FillRoundRect(x0, y0, x1, y1, radius, {1, 1, 1, 1});
    if (highlighted) {
        DrawGlowOf(canvas, shape, kGold, std::clamp(static_cast<int>(h * 0.12f), 2, 10), 0.85f);
    } else {
        // A soft shadow a little below the plate.
        Canvas shadow(canvas.Width(), canvas.Height());
        shadow.FillRoundRect(x0, y0 + h * 0.06f, x1, y1 + h * 0.06f, radius, {0, 0, 0, 1});
        DrawGlowOf(canvas, shadow, {0, 0, 0, 1}, std::clamp(static_cast<int>(h * 0.06f), 1, 8), 0.55f);
    }
    // Body drawn opaque in its own layer, then laid on with the glass's opacity.
    Canvas body(canvas.Width(), canvas.Height());
    const float rim = std::max(1.5f, h * 0.035f);
    body.FillRoundRect(x0, y0, x1, y1, radius, highlighted ? Colour{1.0f, 0.86f, 0.45f, 1} : kDeepGold);
    FillRoundGradient(body, x0 + rim, y0 + rim, x1 - rim, y1 - rim, radius - rim,
                      highlighted ? Colour{0.137f, 0.431f, 0.502f, 1} : Colour{0.078f, 0.212f, 0.294f, 1},
                      highlighted ? Colour{0.047f, 0.184f, 0.247f, 1} : Colour{0.027f, 0.082f, 0.133f, 1});
    // Gloss on the upper half.
    FillRoundGradient(body, x0 + rim * 2, y0 + rim * 2, x1 - rim * 2, y0 + h * 0.5f, radius - rim * 2,
                      {1, 1, 1, highlighted ? 0.22f : 0.12f}, {1, 1, 1, 0});
    canvas.Draw(body, 0, 0, highlighted ? 0.97f : 0.9f);
}

void DrawTriangle(Canvas& canvas, float cx, float cy, float size, int dir, Colour colour) {
    const float d = static_cast<float>(dir);
    canvas.FillPolygon({{cx + d * size * 0.55f, cy},
                        {cx - d * size * 0.45f, cy - size * 0.6f},
                        {cx - d * size * 0.45f, cy + size * 0.6f}},
                       colour);
}

void DrawArrowButton(Canvas& canvas, float cx, float cy, float radius, int dir, bool highlighted) {
    using namespace palette;
    Canvas disc(canvas.Width(), canvas.Height());
    disc.FillCircle(cx, cy, radius, {1, 1, 1, 1});
    if (highlighted) DrawGlowOf(canvas, disc, kGold, std::max(2, static_cast<int>(radius * 0.22f)), 0.9f);
    Canvas body(canvas.Width(), canvas.Height());
    body.FillCircle(cx, cy, radius, highlighted ? Colour{1.0f, 0.86f, 0.45f, 1} : kDeepGold);
    const float rim = std::max(1.5f, radius * 0.08f);
    Canvas inner(canvas.Width(), canvas.Height());
    inner.FillCircle(cx, cy, radius - rim, {1, 1, 1, 1});
    const Colour top = highlighted ? Colour{0.137f, 0.431f, 0.502f, 1} : Colour{0.078f, 0.212f, 0.294f, 1};
    const Colour bottom = highlighted ? Colour{0.047f, 0.184f, 0.247f, 1} : Colour{0.027f, 0.082f, 0.133f, 1};
    for (int y = 0; y < canvas.Height(); ++y) {
        const float t = std::clamp((static_cast<float>(y) - (cy - radius)) / (2 * radius), 0.0f, 1.0f);
        for (int x = 0; x < canvas.Width(); ++x)
            if (inner.Get(x, y).a > 0) body.Blend(x, y, Mix(top, bottom, t), inner.Get(x, y).a);
    }
    DrawTriangle(body, cx + static_cast<float>(dir) * radius * 0.06f, cy, radius * 0.95f, dir,
                 highlighted ? kCream : kGold);
    canvas.Draw(body, 0, 0, 0.95f);
}

} // namespace veltrane::assetgen::ui

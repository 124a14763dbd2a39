#include "ui/Style.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
    // The letters are set on a small layer round the text only, then laid on the picture.
    const float width = MeasureTracked(font, text, tracking);
    const float cap = CapHeight(font);
    const int margin = 4;
    const int ox = static_cast<int>(std::floor(cx - width / 2)) - margin;
    const int oy = static_cast<int>(std::floor(cy + cap / 2 - font.Ascent())) - margin;
    Canvas layer(static_cast<int>(width) + 2 * margin + 2,
                 static_cast<int>(font.Ascent() + font.Descent()) + 2 * margin + 2, {1, 1, 1, 0});
    const float lcx = cx - static_cast<float>(ox), lcy = cy - static_cast<float>(oy);
    DrawCentredCaps(layer, font, lcx, lcy, text, {1, 1, 1, 1}, tracking);
    // Colour the letters by height: from the top of the capitals to the baseline.
    const float capTop = lcy - cap / 2, capBottom = lcy + cap / 2;
    for (int y = 0; y < layer.Height(); ++y) {
        const float t =
            std::clamp((static_cast<float>(y) + 0.5f - capTop) / (capBottom - capTop), 0.0f, 1.0f);
        const Colour fill = Mix(top, bottom, t);
        for (int x = 0; x < layer.Width(); ++x) {
            const float a = layer.Get(x, y).a;
            if (a > 0) layer.Set(x, y, WithAlpha(fill, a));
        }
    }
    if (glowRadius > 0) DrawGlowOf(canvas, layer, glow, glowRadius, glow.a, ox, oy);
    DrawLayer(canvas, layer, ox, oy);
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

namespace {

// Two passes of a running-sum box blur along rows or columns of an alpha plane (outside is 0).
void BlurPlane(std::vector<float>& plane, int w, int h, int radius) {
    std::vector<float> line;
    const auto pass = [&](bool rows) {
        const int count = rows ? h : w, length = rows ? w : h;
        line.assign(static_cast<size_t>(length), 0);
        const auto at = [&](int i, int k) -> float& {
            return plane[rows ? static_cast<size_t>(i) * w + k : static_cast<size_t>(k) * w + i];
        };
        const float scale = 1.0f / static_cast<float>(2 * radius + 1);
        for (int i = 0; i < count; ++i) {
            float sum = 0;
            for (int k = 0; k < std::min(radius, length); ++k) sum += at(i, k);
            for (int k = 0; k < length; ++k) {
                if (k + radius < length) sum += at(i, k + radius);
                line[static_cast<size_t>(k)] = sum * scale;
                if (k - radius >= 0) sum -= at(i, k - radius);
            }
            for (int k = 0; k < length; ++k) at(i, k) = line[static_cast<size_t>(k)];
        }
    };
    for (int n = 0; n < 2; ++n) pass(true), pass(false);
}

} // namespace

void DrawGlowOf(Canvas& canvas, const Canvas& layer, Colour glow, int radius, float strength, int ox,
                int oy) {
    // Only the box around the layer's visible pixels, widened by the blur's reach, is worked on.
    int x0 = layer.Width(), y0 = layer.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x)
            if (layer.Get(x, y).a > 0)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    if (x1 < 0) return;
    const int margin = radius * 2 + 1;
    x0 -= margin, y0 -= margin, x1 += margin, y1 += margin;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    std::vector<float> plane(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = std::max(0, y0); y <= std::min(layer.Height() - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(layer.Width() - 1, x1); ++x)
            plane[static_cast<size_t>(y - y0) * w + (x - x0)] = layer.Get(x, y).a;
    BlurPlane(plane, w, h, radius);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float a = plane[static_cast<size_t>(y) * w + x] * strength;
            if (a > 1.0f / 1024) canvas.Blend(ox + x0 + x, oy + y0 + y, glow, a);
        }
}

void DrawLayer(Canvas& canvas, const Canvas& layer, int ox, int oy, float opacity) {
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x) {
            const Colour c = layer.Get(x, y);
            if (c.a > 0) canvas.Blend(ox + x, oy + y, c, opacity);
        }
}

namespace {

// The pixel box a shape from (x0, y0) to (x1, y1) can touch, cut to the canvas.
struct Box {
    int x0, y0, x1, y1; // x1, y1 exclusive
    int Width() const { return std::max(1, x1 - x0); }
    int Height() const { return std::max(1, y1 - y0); }
};

Box BoxOf(const Canvas& canvas, float x0, float y0, float x1, float y1) {
    return {std::max(0, static_cast<int>(std::floor(x0)) - 1),
            std::max(0, static_cast<int>(std::floor(y0)) - 1),
            std::min(canvas.Width(), static_cast<int>(std::ceil(x1)) + 1),
            std::min(canvas.Height(), static_cast<int>(std::ceil(y1)) + 1)};
}

} // namespace

void FillRoundGradient(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Colour top,
                       Colour bottom) {
    const Box box = BoxOf(canvas, x0, y0, x1, y1);
    if (box.x1 <= box.x0 || box.y1 <= box.y0) return;
    const float bx = static_cast<float>(box.x0), by = static_cast<float>(box.y0);
    Canvas mask(box.Width(), box.Height());
    mask.FillRoundRect(x0 - bx, y0 - by, x1 - bx, y1 - by, std::max(0.0f, radius), {1, 1, 1, 1});
    for (int y = box.y0; y < box.y1; ++y) {
        const float t = std::clamp((static_cast<float>(y) + 0.5f - y0) / std::max(1.0f, y1 - y0), 0.0f, 1.0f);
        const Colour c = Mix(top, bottom, t);
        for (int x = box.x0; x < box.x1; ++x) {
            const float a = mask.Get(x - box.x0, y - box.y0).a;
            if (a > 0) canvas.Blend(x, y, c, a);
        }
    }
}

void StrokeRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float width,
                     Colour colour) {
    const Box box = BoxOf(canvas, x0, y0, x1, y1);
    if (box.x1 <= box.x0 || box.y1 <= box.y0) return;
    const float bx = static_cast<float>(box.x0), by = static_cast<float>(box.y0);
    Canvas outer(box.Width(), box.Height()), inner(box.Width(), box.Height());
    outer.FillRoundRect(x0 - bx, y0 - by, x1 - bx, y1 - by, radius, {1, 1, 1, 1});
    inner.FillRoundRect(x0 + width - bx, y0 + width - by, x1 - width - bx, y1 - width - by,
                        std::max(0.0f, radius - width), {1, 1, 1, 1});
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            const float a = outer.Get(x - box.x0, y - box.y0).a - inner.Get(x - box.x0, y - box.y0).a;
            if (a > 0) canvas.Blend(x, y, colour, a);
        }
}

void BleedEdges(Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    for (int pass = 0; pass < 2; ++pass) {
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
    // The glow and the shadow must fade out before the picture's edge, or its square shows.
    const float room =
        std::min({x0, y0, static_cast<float>(canvas.Width()) - x1, static_cast<float>(canvas.Height()) - y1});
    const int reach = std::clamp(static_cast<int>(room / 2.4f), 1, 10);
    Canvas shape(canvas.Width(), canvas.Height());
    shape.FillRoundRect(x0, y0, x1, y1, radius, {1, 1, 1, 1});
    if (highlighted) {
        DrawGlowOf(canvas, shape, kGold, reach, 0.95f);
    } else {
        // A soft shadow a little below the plate.
        Canvas shadow(canvas.Width(), canvas.Height());
        shadow.FillRoundRect(x0, y0 + reach * 0.5f, x1, y1 + reach * 0.5f, radius, {0, 0, 0, 1});
        DrawGlowOf(canvas, shadow, {0, 0, 0, 1}, std::max(1, reach - 1), 0.55f);
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
    DrawLayer(canvas, body, 0, 0, highlighted ? 0.97f : 0.9f);
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
    DrawLayer(canvas, body, 0, 0, 0.95f);
}

} // namespace veltrane::assetgen::ui

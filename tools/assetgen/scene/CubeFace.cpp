#include "scene/CubeFace.h"

#include "common/Noise.h"
#include "common/Shapes.h"
#include "scene/Palette.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace veltrane::assetgen::scene {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Where the cube mesh's rounded edge begins, as a share of the picture (its flat top spans
// 0.091 .. 0.909 of every side).
constexpr float kBevel = 0.09f;

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

Colour Scaled(Colour c, float k) {
    return {Clamp01(c.r * k), Clamp01(c.g * k), Clamp01(c.b * k), c.a};
}

Colour Lighter(Colour c, float t) {
    return Mix(c, {1, 1, 1, c.a}, t);
}

struct Look {
    std::function<Colour(float u, float v)> albedo;
    float bevel = kBevel;
    bool chamfer = false;  // flat bevel facets instead of a rounded edge
    float gloss = 0.35f;   // strength of the glossy reflection on the flat top
    float specular = 0.7f; // strength of the highlight on the lit edges
    float tilt = 0.22f;    // light falloff across the flat top
};

// Lights the face as seen with light from the upper left: bevel shading, a soft gradient on the
// flat top, a glossy reflection and a thin dark rim.
Canvas PaintFace(int size, const Look& look) {
    Canvas out(size, size);
    const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
    const float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float Lx = lx / ll, Ly = ly / ll, Lz = lz / ll;
    const float b = look.bevel;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(size);
            float dx = u < b ? -(b - u) / b : (u > 1 - b ? (u - 1 + b) / b : 0.0f);
            float dy = v < b ? -(b - v) / b : (v > 1 - b ? (v - 1 + b) / b : 0.0f);
            if (look.chamfer) {
                // One facet per side, split along the diagonals.
                if (std::abs(dx) >= std::abs(dy))
                    dx = dx == 0 ? 0 : (dx > 0 ? 1.0f : -1.0f), dy = 0;
                else
                    dy = dy > 0 ? 1.0f : -1.0f, dx = 0;
                if (dx == 0 && dy == 0) {
                } else {
                    dx *= 0.62f, dy *= 0.62f;
                }
            } else {
                const float t = std::min(1.0f, std::hypot(dx, dy));
                if (t > 0) {
                    const float s = std::sin(t * kPi / 2 * 0.92f) / t;
                    dx *= s, dy *= s;
                }
            }
            const float nz = std::sqrt(std::max(0.05f, 1.0f - dx * dx - dy * dy));
            const float lambert = std::max(0.0f, dx * Lx + dy * Ly + nz * Lz) / Lz;
            Colour c = look.albedo(u, v);
            const bool flat = dx == 0 && dy == 0;
            float k = 0.30f + 0.70f * lambert;
            if (flat) k *= 1.0f + look.tilt * (0.5f - (u + v) / 2) * 2;
            c = Scaled(c, k);
            if (!flat) {
                const float shine = std::pow(std::max(0.0f, lambert - 0.9f) / 0.45f, 2.0f) * look.specular;
                c = Lighter(c, Clamp01(shine));
            } else if (look.gloss > 0) {
                // A soft reflection band across the upper part of the top.
                const float ex = (u - 0.5f) / 0.40f, ey = (v - 0.30f) / 0.20f;
                const float g = Clamp01(1.0f - ex * ex - ey * ey);
                c = Lighter(c, look.gloss * std::sqrt(g) * Clamp01(1.2f - v * 1.6f));
            }
            // Darken the very rim so neighbouring cubes separate.
            const float e = std::min({u, 1 - u, v, 1 - v});
            if (e < 0.02f) c = Scaled(c, 0.55f + 0.45f * e / 0.02f);
            c.a = 1;
            out.Set(x, y, c);
        }
    return out;
}

Look ColourLook(Colour base, SkinStyle style, int colour) {
    Look look;
    switch (style) {
    case SkinStyle::Glossy:
    case SkinStyle::Symbols:
        look.albedo = [base](float, float) { return base; };
        break;
    case SkinStyle::Gem:
        look.gloss = 0.15f;
        look.albedo = [base](float u, float v) {
            const float cu = u - 0.5f, cv = v - 0.5f;
            const float m = std::max(std::abs(cu), std::abs(cv));
            if (m < 0.17f) return Lighter(base, 0.10f); // the table
            float k;
            if (std::abs(cv) >= std::abs(cu))
                k = cv < 0 ? 1.30f : 0.62f;
            else
                k = cu < 0 ? 1.12f : 0.80f;
            // Bright lines where the facets meet.
            const float edge = std::min(std::abs(std::abs(cu) - std::abs(cv)), std::abs(m - 0.17f));
            Colour c = Scaled(base, k);
            if (edge < 0.012f) c = Lighter(c, 0.35f * (1 - edge / 0.012f));
            return c;
        };
        break;
    case SkinStyle::Marble: {
        const uint32_t seed = 77u + static_cast<uint32_t>(colour) * 13u;
        look.gloss = 0.22f;
        look.albedo = [base, seed](float u, float v) {
            const float n = FractalNoise(seed, u * 4.0f, v * 4.0f, 4);
            const float vein = std::abs(std::sin((u * 2.2f + v * 1.4f + n * 3.2f) * kPi));
            Colour c = Scaled(base, 0.80f + 0.35f * n);
            if (vein < 0.10f) c = Lighter(c, 0.45f * (1 - vein / 0.10f));
            return c;
        };
        break;
    }
    case SkinStyle::Neon:
        look.gloss = 0.12f;
        look.specular = 0.4f;
        look.albedo = [base](float u, float v) {
            // A dark glass top with a glowing rounded square inside.
            const float qx = std::abs(u - 0.5f) - 0.22f, qy = std::abs(v - 0.5f) - 0.22f;
            const float d = std::abs(std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) +
                                     std::min(std::max(qx, qy), 0.0f) - 0.06f);
            const float core = std::exp(-(d / 0.022f) * (d / 0.022f));
            const float glow = std::exp(-d / 0.07f);
            Colour c = Mix(Rgb(kDeepNavy), base, 0.34f + 0.55f * glow);
            return Lighter(c, 0.55f * core);
        };
        break;
    }
    return look;
}

} // namespace

SkinStyle StyleOfSkin(int skin) {
    switch (skin) {
    case 2:
        return SkinStyle::Symbols;
    case 3:
        return SkinStyle::Gem;
    case 4:
        return SkinStyle::Marble;
    case 5:
        return SkinStyle::Neon;
    default:
        return SkinStyle::Glossy;
    }
}

void DrawColourSymbol(Canvas& canvas, int colour, float cx, float cy, float r, Colour fill) {
    switch (colour) {
    case 0:
        canvas.FillCircle(cx, cy, r * 0.85f, fill);
        break;
    case 1:
        FillShape(canvas, RegularPolygon(cx, cy + r * 0.15f, r * 1.1f, 3), fill);
        break;
    case 2:
        canvas.FillRoundRect(cx - r * 0.75f, cy - r * 0.75f, cx + r * 0.75f, cy + r * 0.75f, r * 0.1f, fill);
        break;
    case 3:
        canvas.FillRect(cx - r * 0.9f, cy - r * 0.3f, cx + r * 0.9f, cy + r * 0.3f, fill);
        canvas.FillRect(cx - r * 0.3f, cy - r * 0.9f, cx + r * 0.3f, cy - r * 0.3f, fill);
        canvas.FillRect(cx - r * 0.3f, cy + r * 0.3f, cx + r * 0.3f, cy + r * 0.9f, fill);
        break;
    case 4:
        FillShape(canvas, StarPolygon(cx, cy + r * 0.08f, r * 1.05f, r * 0.45f, 5), fill);
        break;
    case 5:
        FillShape(canvas, HeartPolygon(cx, cy, r * 0.95f), fill);
        break;
    default:
        FillShape(canvas, RegularPolygon(cx, cy, r * 1.05f, 4), fill);
        break;
    }
}

namespace {

// The size of the colour's symbol on a face of each skin.
float CueRadius(int size, SkinStyle style) {
    const float s = static_cast<float>(size);
    switch (style) {
    case SkinStyle::Symbols:
        return s * 0.24f;
    case SkinStyle::Gem:
        return s * 0.11f;
    case SkinStyle::Neon:
        return s * 0.11f;
    default:
        return s * 0.14f;
    }
}

} // namespace

Canvas ColourCueMask(int size, int colour, SkinStyle style) {
    Canvas mask(size, size);
    const float c = static_cast<float>(size) / 2;
    DrawColourSymbol(mask, colour, c, c, CueRadius(size, style), {1, 1, 1, 1});
    return mask;
}

Canvas ColourFace(int size, int colour, SkinStyle style) {
    const Colour base = CubeColour(colour);
    Canvas face = PaintFace(size, ColourLook(base, style, colour));
    const float s = static_cast<float>(size), c = s / 2;
    const float r = CueRadius(size, style);
    // Every skin marks each colour with its symbol too, each in its own manner, so that colours
    // that look alike to colour-blind eyes still differ in shape.
    switch (style) {
    case SkinStyle::Symbols: // large white symbols
        DrawColourSymbol(face, colour, c + s * 0.018f, c + s * 0.022f, r * 1.08f, Rgb(0x000000, 0.45f));
        DrawColourSymbol(face, colour, c, c, r * 1.08f, Scaled(base, 0.35f));
        DrawColourSymbol(face, colour, c, c, r, Rgb(0xFFFFFF, 0.95f));
        break;
    case SkinStyle::Glossy: // pressed into the surface: a dark hollow with a lit lower edge
        DrawColourSymbol(face, colour, c + s * 0.008f, c + s * 0.012f, r, Lighter(base, 0.45f));
        DrawColourSymbol(face, colour, c, c, r, Scaled(base, 0.5f));
        break;
    case SkinStyle::Gem: // cut into the table, catching the light
        DrawColourSymbol(face, colour, c, c, r * 1.15f, Scaled(base, 0.55f));
        DrawColourSymbol(face, colour, c, c, r, Lighter(base, 0.6f));
        break;
    case SkinStyle::Marble: // a dark stone inlay in a gold setting
        DrawColourSymbol(face, colour, c, c, r * 1.14f, Rgb(kGoldLight, 0.9f));
        DrawColourSymbol(face, colour, c, c, r, Scaled(base, 0.4f));
        break;
    case SkinStyle::Neon: // a glowing sign in the middle of the dark glass
        AddGlow(face, c, c, r * 1.9f, Colour{base.r, base.g, base.b, 0.35f}, 1.5f);
        DrawColourSymbol(face, colour, c, c, r, Lighter(base, 0.65f));
        break;
    }
    return face;
}

Canvas ColorizeFace(int size, int colour, SkinStyle style) {
    const Colour base = CubeColour(colour);
    Look look = ColourLook(Scaled(Mix(base, Rgb(kNavy), 0.55f), 0.9f), style, colour);
    look.gloss = 0.25f;
    Canvas face = PaintFace(size, look);
    const float s = static_cast<float>(size), c = s / 2;
    const Colour arrow = Lighter(base, 0.25f);
    const Colour outline = Rgb(0xFFFFFF, 0.95f);
    // Four arrows pointing out: this cube paints its neighbours.
    for (int i = 0; i < 4; ++i) {
        const float a = kPi / 4 + static_cast<float>(i) * kPi / 2;
        const float dx = std::cos(a), dy = std::sin(a);
        const float r0 = s * 0.20f, r1 = s * 0.42f;
        const Outline shape = ArrowPolygon(c + dx * r0, c + dy * r0, c + dx * r1, c + dy * r1, s * 0.085f);
        Outline shadow = shape;
        for (auto& p : shadow) p.first += s * 0.012f, p.second += s * 0.016f;
        FillShape(face, shadow, Rgb(0x000000, 0.4f));
        Outline rim =
            ArrowPolygon(c + dx * (r0 - s * 0.01f), c + dy * (r0 - s * 0.01f), c + dx * (r1 + s * 0.022f),
                         c + dy * (r1 + s * 0.022f), s * 0.085f + s * 0.03f);
        FillShape(face, rim, outline);
        FillShape(face, shape, arrow);
    }
    // The target colour in a glossy disc in the middle.
    face.FillCircle(c + s * 0.01f, c + s * 0.015f, s * 0.205f, Rgb(0x000000, 0.4f));
    face.FillCircle(c, c, s * 0.205f, outline);
    face.FillCircle(c, c, s * 0.175f, base);
    face.FillCircle(c - s * 0.05f, c - s * 0.06f, s * 0.07f, Rgb(0xFFFFFF, 0.45f));
    // Its symbol too, in every skin, for eyes that do not tell the colours apart.
    DrawColourSymbol(face, colour, c, c, s * 0.10f, Rgb(0xFFFFFF, 0.95f));
    return face;
}

Canvas JokerFace(int size) {
    Look look;
    look.albedo = [](float u, float v) {
        // Pearl white with a faint rainbow sheen.
        const float h = (u + v) * 3.0f;
        return Colour{0.90f + 0.06f * std::sin(h), 0.90f + 0.06f * std::sin(h + 2.1f),
                      0.92f + 0.06f * std::sin(h + 4.2f), 1};
    };
    Canvas face = PaintFace(size, look);
    const float s = static_cast<float>(size), c = s / 2, r = s * 0.31f;
    face.FillCircle(c + s * 0.012f, c + s * 0.016f, r + s * 0.03f, Rgb(0x000000, 0.35f));
    face.FillCircle(c, c, r + s * 0.03f, Rgb(kGoldDark));
    // A wheel of all seven colours: the joker stands in for any of them.
    for (int i = 0; i < 7; ++i) {
        const float a0 = 2 * kPi * static_cast<float>(i) / 7 - kPi / 2;
        const float a1 = 2 * kPi * static_cast<float>(i + 1) / 7 - kPi / 2;
        Outline wedge{{c, c}};
        for (int k = 0; k <= 12; ++k) {
            const float a = a0 + (a1 - a0) * static_cast<float>(k) / 12;
            wedge.emplace_back(c + r * std::cos(a), c + r * std::sin(a));
        }
        FillShape(face, wedge, CubeColour(i));
    }
    FillShape(face, StarPolygon(c, c, r * 0.78f, r * 0.26f, 4), Rgb(0xFFFFFF));
    face.FillCircle(c, c, r * 0.16f, Rgb(kGoldLight));
    return face;
}

Canvas BombTexture(int size) {
    // The bomb model wraps the picture round its body once (u) from the bottom (top rows) to the
    // fuse side (bottom rows); the collar and the wick take the top tenth.
    Canvas out(size, size);
    const float s = static_cast<float>(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / s, v = (static_cast<float>(y) + 0.5f) / s;
            Colour c;
            if (v < 0.035f) {
                const float twist = 0.5f + 0.5f * std::sin((u * 28.0f + v * 90.0f) * 2 * kPi);
                c = Mix(Rgb(0x6A4A22), Rgb(0xD0A868), twist);
            } else if (v < 0.105f) {
                const float ridge = 0.5f + 0.5f * std::cos((v - 0.035f) / 0.07f * 2 * kPi);
                c = Mix(Rgb(kGoldDark), Rgb(kGoldLight), ridge * 0.8f);
            } else {
                const float n = FractalNoise(911u, u * 12.0f, v * 6.0f, 3);
                c = Mix(Rgb(0x121519), Rgb(0x2A2F38), n);
                // A warm gold band round the middle.
                const float band = std::abs(v - 0.5f);
                if (band < 0.055f) {
                    c = Mix(Rgb(kGoldDark), Rgb(kGold), 0.6f + 0.4f * std::cos(band / 0.055f * 1.4f));
                    if (band > 0.047f) c = Rgb(0x3A2A10);
                }
                // Yellow and black warning stripes round the top, seen from above as a ring.
                if (v > 0.76f && v < 0.84f) {
                    const bool yellow = std::fmod(u * 24.0f + v * 3.0f, 1.0f) < 0.5f;
                    c = yellow ? Rgb(0xF2C230) : Rgb(0x141414);
                    if (v < 0.768f || v > 0.832f) c = Rgb(0x0A0A0A);
                }
            }
            c.a = 1;
            out.Set(x, y, c);
        }
    // Rivets on the band and red lights above it.
    for (int k = 0; k < 12; ++k) {
        const float x = (static_cast<float>(k) + 0.5f) / 12.0f * s;
        out.FillCircle(x, s * 0.5f, s * 0.018f, Rgb(0x5A3E12));
        out.FillCircle(x - s * 0.005f, s * 0.495f, s * 0.009f, Rgb(kGoldLight));
    }
    for (int k = 0; k < 4; ++k) {
        const float x = (static_cast<float>(k) + 0.25f) / 4.0f * s;
        out.FillCircle(x, s * 0.65f, s * 0.04f, Rgb(0x3A0804));
        out.FillCircle(x, s * 0.65f, s * 0.03f, Rgb(0xE0301C));
        out.FillCircle(x - s * 0.008f, s * 0.64f, s * 0.011f, Rgb(0xFFC0A0, 0.9f));
    }
    return out;
}

Canvas BombIcon(int size) {
    Canvas out(size, size);
    const float s = static_cast<float>(size);
    const float cx = s * 0.46f, cy = s * 0.56f, r = s * 0.36f;
    SoftDisc(out, cx + s * 0.03f, cy + s * 0.05f, r * 1.15f, Rgb(0x000000, 0.5f), 1.5f);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / r,
                        dy = (static_cast<float>(y) + 0.5f - cy) / r;
            const float d = std::hypot(dx, dy);
            if (d > 1.0f + 1.5f / r) continue;
            const float light =
                std::max(0.0f, -0.5f * dx - 0.6f * dy + 0.62f * std::sqrt(std::max(0.0f, 1 - d * d)));
            Colour c = Mix(Rgb(0x0C0E12), Rgb(0x4A525E), light);
            if (std::abs(dy) < 0.12f) c = Mix(Rgb(kGoldDark), Rgb(kGold), 0.4f + 0.6f * light);
            const float spot = std::hypot(dx + 0.38f, dy + 0.42f);
            c = Mix(c, Rgb(0xFFFFFF), 0.7f * std::max(0.0f, 1 - spot / 0.2f));
            out.Blend(x, y, c, std::clamp((1.0f - d) * r + 0.5f, 0.0f, 1.0f));
        }
    // Collar, fuse and spark towards the upper right.
    const float fx = cx + r * 0.55f, fy = cy - r * 0.78f;
    out.DrawLine(fx, fy, fx + s * 0.07f, fy - s * 0.07f, s * 0.09f, Rgb(kGoldDark));
    out.DrawLine(fx, fy, fx + s * 0.07f, fy - s * 0.07f, s * 0.06f, Rgb(kGold));
    out.DrawLine(fx + s * 0.07f, fy - s * 0.07f, fx + s * 0.16f, fy - s * 0.12f, s * 0.025f, Rgb(0xC8A060));
    const float sx = fx + s * 0.18f, sy = fy - s * 0.14f;
    AddGlow(out, sx, sy, s * 0.12f, Rgb(0xFFB040, 0.9f), 1.5f);
    FillShape(out, StarPolygon(sx, sy, s * 0.08f, s * 0.03f, 6), Rgb(0xFFF0A0));
    return out;
}

Canvas ShotFace(int size) {
    Look look;
    look.gloss = 0.3f;
    look.albedo = [](float u, float v) {
        const float n = FractalNoise(4242u, u * 2.0f, v * 40.0f, 2); // brushed steel
        return Mix(Rgb(0x8E9AA6), Rgb(0xC9D2DA), n);
    };
    Canvas face = PaintFace(size, look);
    const float s = static_cast<float>(size), c = s / 2;
    face.FillCircle(c + s * 0.012f, c + s * 0.016f, s * 0.33f, Rgb(0x000000, 0.35f));
    const float radii[] = {0.32f, 0.25f, 0.18f, 0.11f, 0.05f};
    for (int i = 0; i < 5; ++i)
        face.FillCircle(c, c, s * radii[i], i % 2 == 0 ? Rgb(0xD0261A) : Rgb(0xF6F1E6));
    // Crosshair.
    const Colour ink = Rgb(0x1A1F26);
    const float w = s * 0.022f;
    face.DrawLine(c, s * 0.12f, c, s * 0.30f, w, ink);
    face.DrawLine(c, s * 0.70f, c, s * 0.88f, w, ink);
    face.DrawLine(s * 0.12f, c, s * 0.30f, c, w, ink);
    face.DrawLine(s * 0.70f, c, s * 0.88f, c, w, ink);
    face.StrokeCircle(c, c, s * 0.36f, w * 0.8f, ink);
    return face;
}

Canvas BlockFace(int size) {
    Look look;
    look.chamfer = true;
    look.bevel = 0.12f;
    look.gloss = 0.0f;
    look.specular = 0.25f;
    look.albedo = [](float u, float v) {
        const float n = FractalNoise(1234u, u * 10.0f, v * 10.0f, 4);
        const float speck = ValueNoise(99u, u * 90.0f, v * 90.0f);
        Colour c = Mix(Rgb(0x4E5560), Rgb(0x8A929C), n);
        if (speck > 0.86f) c = Mix(c, Rgb(0x30343A), 0.6f);
        return c;
    };
    Canvas face = PaintFace(size, look);
    const float s = static_cast<float>(size), c = s / 2;
    // A padlock: the block stays where it is.
    const Colour iron = Rgb(0x23272D);
    face.StrokeCircle(c, c - s * 0.06f, s * 0.13f, s * 0.055f, Rgb(0x000000, 0.35f));
    face.StrokeCircle(c, c - s * 0.075f, s * 0.13f, s * 0.05f, iron);
    face.StrokeCircle(c, c - s * 0.075f, s * 0.13f, s * 0.022f, Rgb(0x9AA3AD));
    face.FillRoundRect(c - s * 0.2f + s * 0.012f, c - s * 0.03f + s * 0.016f, c + s * 0.2f + s * 0.012f,
                       c + s * 0.27f + s * 0.016f, s * 0.04f, Rgb(0x000000, 0.4f));
    face.FillRoundRect(c - s * 0.2f, c - s * 0.03f, c + s * 0.2f, c + s * 0.27f, s * 0.04f, Rgb(kGoldDark));
    face.FillRoundRect(c - s * 0.18f, c - s * 0.01f, c + s * 0.18f, c + s * 0.25f, s * 0.03f, Rgb(kGold));
    face.FillRoundRect(c - s * 0.18f, c - s * 0.01f, c + s * 0.18f, c + s * 0.06f, s * 0.03f,
                       Rgb(kGoldLight, 0.6f));
    face.FillCircle(c, c + s * 0.09f, s * 0.035f, iron);
    face.FillRect(c - s * 0.014f, c + s * 0.09f, c + s * 0.014f, c + s * 0.18f, iron);
    return face;
}

Canvas SlotFace(int size, int slot, SkinStyle style) {
    if (slot >= 0 && slot <= 6) return ColourFace(size, slot, style);
    if (slot >= 10 && slot <= 16) return ColorizeFace(size, slot - 10, style);
    switch (slot) {
    case 7:
        return JokerFace(size);
    case 8:
        return BombTexture(size);
    case 9:
        return ShotFace(size);
    default:
        return BlockFace(size);
    }
}

} // namespace veltrane::assetgen::scene

// Particle pictures effect1..effect6 (added onto the scene: their light is colour times alpha)
// and the new-level banner (blended normally).
#include "common/Noise.h"
#include "common/Shapes.h"
#include "common/Text.h"
#include "common/TextLayout.h"
#include "scene/Palette.h"
#include "scene/ScenePictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane::assetgen::scene {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Sets every pixel from a function of its offset from the centre in units of the half size.
template <typename Shade>
Canvas Radial(int size, Shade shade) {
    Canvas out(size, size);
    const float h = static_cast<float>(size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - h) / h,
                        dy = (static_cast<float>(y) + 0.5f - h) / h;
            Colour c = shade(dx, dy, std::hypot(dx, dy));
            c.a = std::clamp(c.a, 0.0f, 1.0f);
            out.Set(x, y, c);
        }
    return out;
}

Colour Hot(float t) {
    // White through yellow and orange to a deep red as t goes from 1 to 0.
    t = std::clamp(t, 0.0f, 1.0f);
    if (t > 0.66f) return Mix(Rgb(0xFFD25A), Rgb(0xFFFFF0), (t - 0.66f) / 0.34f);
    if (t > 0.33f) return Mix(Rgb(0xF06A1A), Rgb(0xFFD25A), (t - 0.33f) / 0.33f);
    return Mix(Rgb(0x901808), Rgb(0xF06A1A), t / 0.33f);
}

Canvas Sparkle() {
    return Radial(64, [](float dx, float dy, float r) {
        const float glow = std::pow(std::max(0.0f, 1 - r), 2.2f);
        const float rays =
            std::pow(std::max(0.0f, 1 - std::abs(dx) * 9), 2) * std::max(0.0f, 1 - std::abs(dy)) +
            std::pow(std::max(0.0f, 1 - std::abs(dy) * 9), 2) * std::max(0.0f, 1 - std::abs(dx));
        const float a = std::min(1.0f, glow * 0.9f + rays * 0.8f);
        Colour c = Mix(Rgb(kGold), Rgb(0xFFFFFF), std::min(1.0f, glow * 1.6f + rays * 0.5f));
        c.a = a;
        return c;
    });
}

Canvas Puff() {
    return Radial(64, [](float, float, float r) {
        const float a = std::pow(std::max(0.0f, 1 - r), 1.6f);
        Colour c = Mix(Rgb(0x7FE0F0), Rgb(0xFFFFFF), a);
        c.a = a * 0.9f;
        return c;
    });
}

Canvas Shockwave() {
    return Radial(128, [](float dx, float dy, float r) {
        const float n = FractalNoise(31u, dx * 3 + 8, dy * 3 + 8, 3);
        const float ring = std::exp(-std::pow((r - 0.72f) / 0.13f, 2.0f));
        const float inner = std::max(0.0f, 1 - r) * 0.35f;
        const float t = ring * (0.7f + 0.5f * n) + inner * n;
        Colour c = Hot(t * 1.1f);
        c.a = std::min(1.0f, t) * (r < 1 ? 1.0f : 0.0f);
        return c;
    });
}

Canvas Fireball() {
    return Radial(64, [](float dx, float dy, float r) {
        const float n = FractalNoise(57u, dx * 2.5f + 4, dy * 2.5f + 4, 3);
        const float t = std::max(0.0f, 1 - r * (0.8f + 0.5f * n));
        Colour c = Hot(t * 1.4f);
        c.a = std::min(1.0f, t * 1.5f);
        return c;
    });
}

Canvas Swirl() {
    return Radial(128, [](float dx, float dy, float r) {
        // Three spiral arms, each tinted by one of the cube colours.
        const float angle = std::atan2(dy, dx);
        const float phase = angle * 3 - r * 7;
        const float arm = std::pow(0.5f + 0.5f * std::cos(phase), 5.0f);
        const float fall = std::max(0.0f, 1 - r);
        // Each arm keeps its own colour: the arm is the nearest crest of the cosine.
        int which = static_cast<int>(std::lround(phase / (2 * kPi))) % 3;
        if (which < 0) which += 3;
        const int colours[3] = {0, 3, 4};
        Colour c = Mix(CubeColour(colours[which]), Rgb(0xFFFFFF), 0.35f + 0.5f * fall);
        c.a = std::min(1.0f, arm * std::sqrt(fall) * 1.5f + std::pow(fall, 2.0f) * 0.7f);
        return c;
    });
}

Canvas Spark() {
    return Radial(32, [](float, float, float r) {
        const float t = std::pow(std::max(0.0f, 1 - r), 1.8f);
        Colour c = Hot(0.3f + t);
        c.a = std::min(1.0f, t * 1.3f);
        return c;
    });
}

// "NEW LEVEL" on a dark ribbon edged in gold; drawn at the banner's own proportions (4.45 by
// 0.85) and squeezed into a power-of-two texture.
Canvas NewLevelBanner() {
    const int w = 672, h = 128;
    Canvas art(w, h);
    art.FillRoundRect(6, 14, static_cast<float>(w) - 6, static_cast<float>(h) - 14, 40,
                      Rgb(kGoldDark, 0.95f));
    art.FillRoundRect(10, 18, static_cast<float>(w) - 10, static_cast<float>(h) - 18, 36, Rgb(kGold));
    art.FillRoundRect(15, 23, static_cast<float>(w) - 15, static_cast<float>(h) - 23, 31, Rgb(kNavy, 0.92f));
    Canvas sheen(w, h);
    sheen.VerticalGradient(15, 23, static_cast<float>(w) - 15, 64, Rgb(kTealLight, 0.5f), Rgb(kTeal, 0.0f));
    art.Draw(sheen, 0, 0);
    const Font font(FontFace::SansBold, 60);
    const float baseline = 64 + font.Ascent() * 0.36f;
    DrawShadowedTextCentred(art, font, static_cast<float>(w) / 2, baseline, "NEW LEVEL", Rgb(kGoldLight),
                            Rgb(0x000000, 0.6f), 3);
    for (const float x : {58.0f, static_cast<float>(w) - 58}) {
        FillShape(art, StarPolygon(x, 64, 24, 9, 4), Rgb(kGoldLight));
        art.FillCircle(x, 64, 4, Rgb(0xFFFFFF));
    }
    return art.Scaled(512, 128);
}

} // namespace

void AddParticlePictures(std::vector<ScenePicture>& out) {
    out.push_back({"Images/effect1.tga", true, Sparkle});
    out.push_back({"Images/effect2.tga", true, Puff});
    out.push_back({"Images/effect3.tga", true, Shockwave});
    out.push_back({"Images/effect4.tga", true, Fireball});
    out.push_back({"Images/effect5.tga", true, Swirl});
    out.push_back({"Images/effect6.tga", true, Spark});
    out.push_back({"Images/newlevel.tga", true, NewLevelBanner});
}

} // namespace veltrane::assetgen::scene

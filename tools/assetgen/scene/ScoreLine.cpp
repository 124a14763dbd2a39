// The score line (a glowing gold tube stretched to the gauge's length) with its rounded left
// cap, the bonus lamp and the picture that stands in for the bonus figure on bonus levels.
#include "common/Shapes.h"
#include "common/Text.h"
#include "common/TextLayout.h"
#include "scene/CubeFace.h"
#include "scene/Palette.h"
#include "scene/ScenePictures.h"

#include <algorithm>
#include <cmath>

namespace veltrane::assetgen::scene {

namespace {

// The tube's colour and alpha at height t (-1 top edge .. 1 bottom edge) across it.
Colour TubeAt(float t) {
    const float a = std::abs(t);
    if (a >= 1) return {0, 0, 0, 0};
    Colour c = Mix(Rgb(kGoldLight), Rgb(kGold), std::clamp((t + 0.6f) / 1.2f, 0.0f, 1.0f));
    c = Mix(c, Rgb(0x9A6418), std::clamp((t - 0.3f) / 0.7f, 0.0f, 1.0f));
    // A bright reflection a little above the middle.
    const float gloss = std::exp(-std::pow((t + 0.45f) / 0.16f, 2.0f));
    c = Mix(c, Rgb(0xFFFFFF), gloss * 0.75f);
    c.a = std::clamp((1 - a) * 8.0f, 0.0f, 1.0f);
    return c;
}

constexpr int kLineSize = 64;
constexpr float kTubeHalf = 22.0f; // half height of the tube in the 64-pixel picture

Canvas Line() {
    Canvas out(kLineSize, kLineSize);
    for (int y = 0; y < kLineSize; ++y) {
        const Colour c = TubeAt((static_cast<float>(y) + 0.5f - kLineSize / 2.0f) / kTubeHalf);
        for (int x = 0; x < kLineSize; ++x) out.Set(x, y, c);
    }
    return out;
}

// The cap covers 0.27 by 0.42 units; drawn at that shape (41 x 64) with the tube's own scale
// and stretched to 64 x 64.
Canvas LineCap() {
    const int w = 41, h = kLineSize;
    Canvas art(w, h);
    const float cx = kTubeHalf + 1.5f, cy = static_cast<float>(h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float t = (py - cy) / kTubeHalf;
            float edge = 1;
            if (px < cx) {
                // Round end: shade by the distance from the end's centre.
                const float r = std::hypot(px - cx, py - cy) / kTubeHalf;
                if (r >= 1) continue;
                t = t / std::max(0.2f, std::sqrt(std::max(0.0f, 1 - std::pow((px - cx) / kTubeHalf, 2.0f))));
                edge = std::clamp((1 - r) * 8.0f, 0.0f, 1.0f);
            }
            Colour c = TubeAt(std::clamp(t, -0.999f, 0.999f));
            c.a = std::min(c.a, edge);
            art.Set(x, y, c);
        }
    // A darker gold collar where the cap meets the bar.
    art.FillRect(cx - 3, cy - kTubeHalf + 2, cx + 1, cy + kTubeHalf - 2, Rgb(kGoldDark, 0.55f));
    return art.Scaled(kLineSize, kLineSize);
}

Canvas Lamp() {
    const int s = 64;
    Canvas out(s, s);
    const float c = s / 2.0f;
    SoftDisc(out, c, c, 32, Rgb(0xFFC457, 0.7f), 1.8f);
    out.FillCircle(c, c, 12.5f, Rgb(0x7A3C08));
    Canvas bulb(s, s);
    bulb.RadialGradient(c - 3, c - 3, 13, Rgb(0xFFFBE0), Rgb(0xF29A1E));
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const float r = std::hypot(static_cast<float>(x) + 0.5f - c, static_cast<float>(y) + 0.5f - c);
            if (r < 11.5f) out.Blend(x, y, bulb.Get(x, y), std::clamp(11.5f - r, 0.0f, 1.0f));
        }
    out.FillCircle(c - 4, c - 4.5f, 3.5f, Rgb(0xFFFFFF, 0.9f));
    return out;
}

// Shown beside the board on bonus levels: 1.76545 by 2.6095 units, drawn at 346 x 512 with a
// clear margin above and below so that it sits inside the figure frame of the background.
Canvas PlugBonus() {
    const int w = 346, h = 464;
    Canvas art(w, h);
    const float W = static_cast<float>(w), H = static_cast<float>(h);
    art.FillRoundRect(4, 4, W - 4, H - 4, 30, Rgb(kGoldDark));
    art.FillRoundRect(8, 8, W - 8, H - 8, 26, Rgb(kGold));
    art.FillRoundRect(14, 14, W - 14, H - 14, 22, Rgb(kNavy));
    Canvas shade(w, h);
    shade.VerticalGradient(14, 14, W - 14, H - 14, Rgb(kTeal, 0.9f), Rgb(kDeepNavy, 0.2f));
    art.Draw(shade, 0, 0);
    const Font big(FontFace::SansBold, 74);
    const Font small(FontFace::SansBold, 40);
    const Colour shadow = Rgb(0x000000, 0.6f);
    DrawShadowedTextCentred(art, big, W / 2, 100, "BONUS", Rgb(kGoldLight), shadow, 3);
    DrawShadowedTextCentred(art, small, W / 2, 150, "LEVEL", Rgb(kGold), shadow, 2);
    // Bomb against block: blast the blocks.
    const int face = 110;
    const Canvas bomb = BombIcon(face);
    const Canvas block = BlockFace(face);
    art.Draw(bomb, 40, 200);
    art.FillRoundRect(W - 40 - face + 6, 200 + 8, W - 40 + 6, 200 + face + 8, 10, Rgb(0x000000, 0.45f));
    art.Draw(block, w - 40 - face, 200);
    FillShape(art, ArrowPolygon(W / 2 - 18, 255, W / 2 + 20, 255, 12), Rgb(kGoldLight));
    DrawShadowedTextCentred(art, small, W / 2, 372, "BLAST THE", Rgb(kCream), shadow, 2);
    DrawShadowedTextCentred(art, small, W / 2, 418, "BLOCKS!", Rgb(kCream), shadow, 2);
    Canvas framed(w, 512);
    framed.Draw(art, 0, 24);
    return framed.Scaled(256, 512);
}

} // namespace

void AddScoreLinePictures(std::vector<ScenePicture>& out) {
    out.push_back({"Images/line.tga", true, Line});
    out.push_back({"Images/lineleft.tga", true, LineCap});
    out.push_back({"Images/bonuslight.tga", true, Lamp});
    out.push_back({"Images/plugbonus.tga", true, PlugBonus});
}

} // namespace veltrane::assetgen::scene

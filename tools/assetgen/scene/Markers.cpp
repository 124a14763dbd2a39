#include "scene/Markers.h"

#include "common/Shapes.h"
#include "scene/Palette.h"
#include "scene/ScenePictures.h"

#include <cmath>
#include <numbers>
#include <string>

namespace veltrane::assetgen::scene {

Canvas MarkerPicture(int kind, int size) {
    Canvas out(size, size);
    const float s = static_cast<float>(size), c = s / 2;
    if (kind == 1) {
        // A small glowing gold stud for each step.
        SoftDisc(out, c, c, s * 0.34f, Rgb(kGold, 0.55f), 2.0f);
        out.FillCircle(c, c, s * 0.14f, Rgb(kGoldDark));
        out.FillCircle(c, c, s * 0.12f, Rgb(kGold));
        out.FillCircle(c - s * 0.03f, c - s * 0.035f, s * 0.05f, Rgb(kGoldLight));
    } else if (kind == 2) {
        // A bright ring with four pointers: the cube can go here.
        SoftDisc(out, c, c, s * 0.48f, Rgb(kGoldLight, 0.45f), 1.5f);
        out.StrokeCircle(c, c, s * 0.35f, s * 0.075f, Rgb(kGoldDark));
        out.StrokeCircle(c, c, s * 0.35f, s * 0.05f, Rgb(kGold));
        out.StrokeCircle(c, c, s * 0.35f, s * 0.015f, Rgb(kGoldLight));
        for (int i = 0; i < 4; ++i) {
            const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 2;
            const float dx = std::sin(a), dy = -std::cos(a);
            FillShape(out,
                      {{c + dx * s * 0.30f - dy * s * 0.06f, c + dy * s * 0.30f + dx * s * 0.06f},
                       {c + dx * s * 0.30f + dy * s * 0.06f, c + dy * s * 0.30f - dx * s * 0.06f},
                       {c + dx * s * 0.19f, c + dy * s * 0.19f}},
                      Rgb(kGoldLight));
        }
        out.FillCircle(c, c, s * 0.07f, Rgb(kGoldLight));
    } else {
        // A red no-entry ring: the cube cannot get there.
        SoftDisc(out, c, c, s * 0.48f, Rgb(0xFF4030, 0.35f), 1.5f);
        out.StrokeCircle(c, c, s * 0.33f, s * 0.09f, Rgb(0x5A0A06));
        out.StrokeCircle(c, c, s * 0.33f, s * 0.065f, Rgb(0xE8402C));
        const float d = s * 0.33f * 0.7071f;
        out.DrawLine(c - d, c - d, c + d, c + d, s * 0.09f, Rgb(0x5A0A06));
        out.DrawLine(c - d, c - d, c + d, c + d, s * 0.065f, Rgb(0xE8402C));
    }
    return out;
}

void AddMarkerPictures(std::vector<ScenePicture>& out) {
    for (int kind = 1; kind <= 3; ++kind)
        out.push_back({"Images/dot" + std::to_string(kind) + ".tga", true,
                       [kind] { return MarkerPicture(kind, 128); }});
}

} // namespace veltrane::assetgen::scene

#include "scene/Mockup.h"

#include "common/Text.h"
#include "scene/CubeFace.h"
#include "scene/Markers.h"
#include "scene/ScenePictures.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace veltrane::assetgen::scene {

namespace {

// The resting camera: eye 12.7 above (-1.8, -0.25), the board plane 14.45 units across the view.
constexpr float kPxPerUnit = 1024.0f / 14.45f;
constexpr float kEyeHeight = 12.7f;

float Perspective(float z) {
    return kPxPerUnit * kEyeHeight / (kEyeHeight - z);
}
float ScreenX(float x, float z) {
    return 512.0f - (x + 1.8f) * Perspective(z); // world x grows to the left
}
float ScreenY(float y, float z) {
    return 384.0f - (y + 0.25f) * Perspective(z);
}

Canvas Picture(const std::string& path) {
    for (const ScenePicture& p : ScenePictures())
        if (p.path == path) return p.make();
    return Canvas(1, 1);
}

// A textured unit quad of the given size at (x, y, z), facing the camera.
void Quad(Canvas& out, const Canvas& picture, float sizeX, float sizeY, float x, float y, float z) {
    const float k = Perspective(z);
    const int w = std::max(1, static_cast<int>(std::lround(sizeX * k)));
    const int h = std::max(1, static_cast<int>(std::lround(sizeY * k)));
    out.Draw(picture.Scaled(w, h), static_cast<int>(std::lround(ScreenX(x, z) - static_cast<float>(w) / 2)),
             static_cast<int>(std::lround(ScreenY(y, z) - static_cast<float>(h) / 2)));
}

} // namespace

Canvas PlayScreenMockup(float scoreFill, bool bonusLevel) {
    Canvas out(1024, 768);
    out.Draw(Picture("Images/background.jpg"), 0, 0);
    const float fill = std::clamp(scoreFill, 0.0f, 1.0f);
    if (fill > 0) Quad(out, Picture("Images/lineleft.tga"), 0.27f, 0.42f, 4.615f, -5.33459375f, 0.01f);
    Quad(out, Picture("Images/line.tga"), std::max(0.01f, 8.75f * fill), 0.42f, 4.51f - 8.75f * fill / 2,
         -5.33459375f, 0.01f);
    const Canvas lamp = Picture("Images/bonuslight.tga");
    for (int j = 0; j < 3; ++j)
        Quad(out, lamp, 0.36125f, 0.36125f, -6.387875f - 0.289f * static_cast<float>(j), 0.5266875f, 0);

    // A few cubes (their top faces, 0.8 above the board) and a path.
    struct Placed {
        int x, y, slot;
    };
    const Placed cubes[] = {{9, 9, 0}, {8, 9, 0}, {9, 8, 0}, {5, 9, 1}, {7, 8, 4},  {2, 8, 17}, {6, 6, 5},
                            {3, 6, 6}, {9, 5, 7}, {6, 5, 8}, {3, 5, 9}, {7, 3, 12}, {2, 3, 2},  {1, 3, 2},
                            {2, 2, 2}, {1, 2, 2}, {6, 2, 1}, {9, 1, 3}, {2, 1, 4}};
    for (const Placed& c : cubes)
        Quad(out, SlotFace(64, c.slot, SkinStyle::Glossy), 0.8f, 0.8f, static_cast<float>(c.x - 5),
             static_cast<float>(c.y - 5), 0.8f);
    const Canvas step = MarkerPicture(1, 128), target = MarkerPicture(2, 128),
                 blocked = MarkerPicture(3, 128);
    Quad(out, step, 0.9f, 0.9f, 1, 2, 0.05f);
    Quad(out, step, 0.9f, 0.9f, 0, 2, 0.05f);
    Quad(out, target, 0.9f, 0.9f, -1, 2, 0.05f);
    Quad(out, blocked, 0.9f, 0.9f, -2, 0, 0.05f);

    if (bonusLevel) {
        Quad(out, Picture("Images/plugbonus.tga"), 1.76545f, 2.6095f, -7.02f, -1.92f, 0.01f);
    } else {
        for (int column = 1; column <= 3; ++column)
            for (int row = 1; row <= 2; ++row)
                Quad(out, SlotFace(64, (column + row) % 2 ? 1 : 3, SkinStyle::Glossy), 0.46f, 0.46f,
                     (static_cast<float>(column) - 1.5f) * 0.46f - 7.14f,
                     (static_cast<float>(row) - 1.0f) * 0.46f - 2.32f, 0.43f);
    }
    // The head-up numbers in the game's dark purple, about 0.48 units high, from their left ends.
    const Font font(FontFace::SansBold, 30);
    const Colour purple = Rgb(0x730099);
    const auto number = [&](const std::string& text, float x, float y) {
        font.Draw(out, ScreenX(x, 0.1f), ScreenY(y, 0.1f) + 11, text, purple);
    };
    number("12", -6.75f, 3.6f);
    number("123456", 0.15f * 6 - 6.9f, 1.93f);
    number(bonusLevel ? "+400" : "+250", -6.4f, -3.5f);
    Quad(out, Picture("Images/newlevel.tga"), 4.45f, 0.85f, 0, -1.5f, 1);
    return out;
}

} // namespace veltrane::assetgen::scene

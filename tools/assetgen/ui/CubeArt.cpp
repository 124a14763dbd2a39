#include "ui/CubeArt.h"

#include "scene/CubeFace.h"
#include "scene/Palette.h"
#include "ui/Style.h"

#include <algorithm>
#include <cmath>

namespace veltrane::assetgen::ui {

namespace {

// The face picture of the cube, rendered at twice the size and scaled down for smooth edges.
Canvas FacePicture(CubeIcon icon, int kind, int skin, int size) {
    const scene::SkinStyle style = scene::StyleOfSkin(skin);
    const int big = size * 2;
    const int colour = std::clamp(kind, 1, 7) - 1;
    switch (icon) {
    case CubeIcon::Colour:
        return scene::ColourFace(big, colour, style).Scaled(size, size);
    case CubeIcon::Colorize:
        return scene::ColorizeFace(big, colour, style).Scaled(size, size);
    case CubeIcon::Joker:
        return scene::JokerFace(big).Scaled(size, size);
    case CubeIcon::Bomb:
        return scene::BombIcon(big).Scaled(size, size);
    case CubeIcon::Shot:
        return scene::ShotFace(big).Scaled(size, size);
    case CubeIcon::Block:
        return scene::BlockFace(big).Scaled(size, size);
    }
    return Canvas(size, size);
}

} // namespace

Colour CubeColour(int kind) {
    return scene::CubeColour(std::clamp(kind, 1, 7) - 1);
}

void DrawCube(Canvas& target, float cx, float cy, float size, CubeIcon icon, int kind, int skin,
              float brightness) {
    const int px = std::max(4, static_cast<int>(std::lround(size)));
    if (icon == CubeIcon::Bomb) {
        // The bomb is round and brings its own shadow, fuse and spark.
        const int big = static_cast<int>(std::lround(size * 1.3f));
        Canvas bomb = FacePicture(icon, kind, skin, big);
        if (brightness < 1)
            for (int y = 0; y < big; ++y)
                for (int x = 0; x < big; ++x) bomb.Set(x, y, Scale(bomb.Get(x, y), brightness));
        DrawLayer(target, bomb, static_cast<int>(std::lround(cx - static_cast<float>(big) / 2)),
                  static_cast<int>(std::lround(cy - static_cast<float>(big) / 2)));
        return;
    }
    // Drawn on a small canvas of its own, so that the shadow's blur only touches the cube's area.
    const int extent = px * 2 + 8;
    const int ox = static_cast<int>(std::floor(cx)) - extent / 2,
              oy = static_cast<int>(std::floor(cy)) - extent / 2;
    Canvas local(extent, extent);
    const float lx = cx - static_cast<float>(ox), ly = cy - static_cast<float>(oy);
    const float half = static_cast<float>(px) / 2;
    const float radius = static_cast<float>(px) * 0.14f;

    Canvas shadow(extent, extent);
    shadow.FillRoundRect(lx - half + size * 0.06f, ly - half + size * 0.1f, lx + half + size * 0.06f,
                         ly + half + size * 0.1f, radius, {0, 0, 0, 1});
    DrawGlowOf(local, shadow, {0, 0, 0, 1}, std::clamp(static_cast<int>(size * 0.05f), 1, 5), 0.65f);

    // The face, cut to the cube's rounded outline.
    const Canvas face = FacePicture(icon, kind, skin, px);
    Canvas mask(extent, extent);
    mask.FillRoundRect(lx - half, ly - half, lx + half, ly + half, radius, {1, 1, 1, 1});
    const int fx = static_cast<int>(std::lround(lx - half)), fy = static_cast<int>(std::lround(ly - half));
    for (int y = 0; y < px; ++y)
        for (int x = 0; x < px; ++x) {
            const float a = mask.Get(fx + x, fy + y).a;
            if (a > 0) local.Blend(fx + x, fy + y, Scale(face.Get(x, y), brightness), a);
        }
    DrawLayer(target, local, ox, oy);
}

} // namespace veltrane::assetgen::ui

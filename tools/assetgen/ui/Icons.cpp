#include "ui/Icons.h"

#include "common/Canvas.h"
#include "ui/CubeArt.h"

namespace veltrane::assetgen {

namespace {

constexpr int IconSizes[] = {32, 48, 64, 128, 256};

// Drawn at each size rather than scaled down, so small icons keep crisp edges.
Canvas DrawIcon(int size) {
    const float s = static_cast<float>(size);
    Canvas c(size, size);
    const float margin = s * 0.04f;
    c.FillRoundRect(margin, margin, s - margin, s - margin, s * 0.18f, Rgb(0x1b2233));
    c.RadialGradient(s * 0.5f, s * 0.42f, s * 0.55f, Rgb(0x3a4a6b, 0.85f), Rgb(0x1b2233, 0.0f));
    // The scoring square: one colour, with the joker that matches any colour in one corner.
    const float cube = s * 0.36f;
    const float step = cube * 1.02f;
    const float cx = s * 0.5f, cy = s * 0.5f;
    for (int i = 0; i < 4; ++i) {
        const float x = cx + (i % 2 ? step : -step) * 0.5f;
        const float y = cy + (i / 2 ? step : -step) * 0.5f;
        ui::DrawCube(c, x, y, cube, i == 3 ? ui::CubeIcon::Joker : ui::CubeIcon::Colour, 3);
    }
    return c;
}

} // namespace

void MakeIcons(const std::filesystem::path& folder, const std::string& appId) {
    for (const int size : IconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path dir = folder / name / "apps";
        std::filesystem::create_directories(dir);
        DrawIcon(size).WritePng(dir / (appId + ".png"));
    }
}

void MakeWindowIcon(const std::filesystem::path& gameDir) {
    std::filesystem::create_directories(gameDir / "Images");
    DrawIcon(64).WritePng(gameDir / "Images" / "icon.png");
}

} // namespace veltrane::assetgen

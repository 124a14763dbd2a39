#include "scene/SceneAssets.h"

#include "common/Text.h"
#include "scene/ScenePictures.h"

#include <algorithm>
#include <stdexcept>

namespace veltrane::assetgen {

namespace scene {

std::vector<ScenePicture> ScenePictures() {
    std::vector<ScenePicture> out;
    AddRoomPictures(out);
    AddScoreLinePictures(out);
    AddMarkerPictures(out);
    AddParticlePictures(out);
    AddSkinPictures(out);
    AddTutorialPictures(out);
    return out;
}

void WritePicture(const Canvas& canvas, const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    if (ext == ".tga")
        canvas.WriteTga(path);
    else if (ext == ".jpg")
        canvas.WriteJpeg(path, 90);
    else if (ext == ".png")
        canvas.WritePng(path);
    else if (ext == ".bmp")
        canvas.WriteBmp(path);
    else
        throw std::invalid_argument("no writer for " + path.string());
}

Canvas ContactSheet(const std::vector<ScenePicture>& pictures, int thumb, int columns) {
    const int cellW = thumb + 12, cellH = thumb + 30;
    const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
    Canvas sheet(cellW * columns, cellH * rows, Rgb(0x303438));
    const Font label(FontFace::Sans, 10);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const int cx = static_cast<int>(i) % columns * cellW + 6,
                  cy = static_cast<int>(i) / columns * cellH + 6;
        const Canvas picture = pictures[i].make();
        const float k =
            static_cast<float>(thumb) / static_cast<float>(std::max(picture.Width(), picture.Height()));
        const int w = std::max(1, static_cast<int>(static_cast<float>(picture.Width()) * k));
        const int h = std::max(1, static_cast<int>(static_cast<float>(picture.Height()) * k));
        // A checkerboard shows where a picture is transparent.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                sheet.Set(cx + x, cy + y, ((x / 8 + y / 8) % 2) ? Rgb(0x9A9A9A) : Rgb(0x6A6A6A));
        sheet.Draw(picture.Scaled(w, h), cx, cy);
        std::string name = pictures[i].path;
        if (name.rfind("Images/", 0) == 0) name = name.substr(7);
        label.Draw(sheet, static_cast<float>(cx), static_cast<float>(cy + thumb + 16), name, Rgb(0xE0E0E0));
    }
    return sheet;
}

} // namespace scene

void MakeSceneAssets(const std::filesystem::path& gameDir) {
    for (const scene::ScenePicture& picture : scene::ScenePictures())
        scene::WritePicture(picture.make(), gameDir / picture.path);
}

} // namespace veltrane::assetgen

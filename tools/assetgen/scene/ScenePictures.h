// The list of every scene picture with its file name, so that the generator, the tests and the
// contact sheet all walk the same list. Each picture is made on demand, one at a time.
#pragma once

#include "common/Canvas.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace veltrane::assetgen::scene {

struct ScenePicture {
    std::string path;     // relative to the game folder, e.g. "Images/Skin1/tex0.tga"
    bool blended = false; // drawn with alpha blending: its alpha channel matters
    std::function<Canvas()> make;
};

std::vector<ScenePicture> ScenePictures();

// Writes a canvas in the format its extension names (.tga, .jpg, .png, .bmp).
void WritePicture(const Canvas& canvas, const std::filesystem::path& path);

// A grid of thumbnails of every scene picture with their names, for looking them over.
Canvas ContactSheet(const std::vector<ScenePicture>& pictures, int thumb = 128, int columns = 12);

// Job-by-job contributions to the list.
void AddRoomPictures(std::vector<ScenePicture>& out);
void AddScoreLinePictures(std::vector<ScenePicture>& out);
void AddMarkerPictures(std::vector<ScenePicture>& out);
void AddParticlePictures(std::vector<ScenePicture>& out);
void AddSkinPictures(std::vector<ScenePicture>& out);
void AddTutorialPictures(std::vector<ScenePicture>& out);

} // namespace veltrane::assetgen::scene

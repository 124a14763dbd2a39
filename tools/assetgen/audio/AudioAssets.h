// Writes every sound effect and music track of the game folder.
#pragma once

#include <filesystem>

namespace veltrane::assetgen {

// <gameDir>/Sounds/<effect name>.ogg for the 27 effects and <gameDir>/Music/{menu1,menu2,theme1,
// theme2}.ogg. The same bytes on every run.
void MakeAudioAssets(const std::filesystem::path& gameDir);

} // namespace veltrane::assetgen

// The user-interface half of the game's pictures and data: fonts, the menu file with its
// pictures and background, the pointers, and the loading, help, game-over and launcher pictures.
#pragma once

#include <filesystem>

namespace veltrane::assetgen {

void MakeUiAssets(const std::filesystem::path& gameDir);

} // namespace veltrane::assetgen

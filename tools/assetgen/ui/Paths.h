// Game file names as the game's data spells them ("Images\Menu\exit.tga") turned into paths
// under the game folder.
#pragma once

#include <filesystem>
#include <string>

namespace veltrane::assetgen::ui {

std::filesystem::path GamePath(const std::filesystem::path& gameDir, const std::string& name);

} // namespace veltrane::assetgen::ui

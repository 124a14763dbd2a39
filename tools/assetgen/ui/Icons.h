// The desktop icons of an installed game and the game window's icon: four cubes of one colour
// standing as the 2 x 2 square that scores, on a rounded tile, in the hicolor theme's sizes.
#pragma once

#include <filesystem>
#include <string>

namespace veltrane::assetgen {

// Writes <folder>/<n>x<n>/apps/<appId>.png for every size the installation ships.
void MakeIcons(const std::filesystem::path& folder, const std::string& appId);
// Writes the game window's icon, the same picture at 64 pixels, as <gameDir>/Images/icon.png.
void MakeWindowIcon(const std::filesystem::path& gameDir);

} // namespace veltrane::assetgen

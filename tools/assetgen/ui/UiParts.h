// The interface assets in parts, each written on its own into the game folder. MakeUiAssets
// makes them all; tests make only the part they look at.
#pragma once

#include <filesystem>

namespace veltrane::assetgen::ui {

void MakeMenuFile(const std::filesystem::path& gameDir);  // data/Menu.dat
void MakeMenuArt(const std::filesystem::path& gameDir);   // the pictures Menu.dat names, its background
void MakePointers(const std::filesystem::path& gameDir);  // Images/cursor.tga, Images/cursor1.tga
void MakeScreenArt(const std::filesystem::path& gameDir); // loading, game-over, help and launcher pictures

} // namespace veltrane::assetgen::ui

// Writes the game's level and bonus figure files into the game folder.
#pragma once

#include <filesystem>
#include <string>

namespace veltrane::assetgen {

// <gameDir>/data/Levels.dat and <gameDir>/data/BonusFigures.dat, LF line ends.
void MakeDataFiles(const std::filesystem::path& gameDir);

// The file contents, as written by MakeDataFiles.
std::string LevelsFileText();
std::string FiguresFileText();

} // namespace veltrane::assetgen

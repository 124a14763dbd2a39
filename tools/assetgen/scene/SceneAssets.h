// The scene's pictures: room, background, scoreline, lamps, markers, particles, cube skins and
// tutorial pages, written under <game folder>/Images.
#pragma once

#include <filesystem>

namespace veltrane::assetgen {

void MakeSceneAssets(const std::filesystem::path& gameDir);

} // namespace veltrane::assetgen

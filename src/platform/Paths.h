// Turns the game's Windows-style file names ("Images\Skin1\tex0.tga") into paths that exist here.
#pragma once

#include <string>

namespace veltrane {

// Backslashes become slashes; each component that does not exist under its exact name is
// matched case-insensitively against its folder. A path that matches nothing comes back with
// slashes only, so callers report the name they asked for.
std::string ResolvePath(const std::string& name);

} // namespace veltrane

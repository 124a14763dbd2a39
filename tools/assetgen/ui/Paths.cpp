#include "ui/Paths.h"

#include <algorithm>

namespace veltrane::assetgen::ui {

std::filesystem::path GamePath(const std::filesystem::path& gameDir, const std::string& name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return gameDir / relative;
}

} // namespace veltrane::assetgen::ui

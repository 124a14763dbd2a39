#include "ui/TextFile.h"

#include <fstream>
#include <stdexcept>

namespace veltrane::assetgen::ui {

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

} // namespace veltrane::assetgen::ui

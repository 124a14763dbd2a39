// Writing the generated text files.
#pragma once

#include <filesystem>
#include <string>

namespace veltrane::assetgen::ui {

// Writes text exactly as given (no line-end translation), creating the folder.
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

} // namespace veltrane::assetgen::ui

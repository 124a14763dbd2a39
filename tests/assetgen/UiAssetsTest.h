// What the Ui*Test files share: the interface assets, made once per test run, and file readers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace veltrane::assetgen::testing {

// What a test looks at. Each part is made once per test program, on first use, in a folder of its
// own (removed at exit): tests run one per process, and the whole set is slow in a sanitizer build.
enum class UiPart { Fonts, MenuFile, MenuPictures, Pointers, Screens, All };
const std::filesystem::path& UiGameFolder(UiPart part);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba; // top row first
    uint8_t Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
    const uint8_t* Pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};
// Reads an uncompressed 32-bit TGA with either row order.
Picture ReadTga(const std::filesystem::path& path);
// Width and height from a JPEG's frame header.
std::pair<int, int> JpegSize(const std::filesystem::path& path);

} // namespace veltrane::assetgen::testing

// The game's picture is 4:3 at every window size. On other shapes it is drawn as large as fits,
// centred, with dark bars on the remaining sides; the pointer maps through the same rectangle.
#pragma once

#include <cstdint>

namespace veltrane {

// Where the picture stands in a window's drawing area, in pixels from its top left corner.
struct TPictureRect {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    friend bool operator==(const TPictureRect&, const TPictureRect&) = default;
};

// The largest 4:3 rectangle centred in width x height (sizes rounded to whole pixels).
constexpr TPictureRect FitPicture(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return {};
    if (int64_t(width) * 3 > int64_t(height) * 4) {
        const auto w = int32_t((int64_t(height) * 8 + 3) / 6); // height * 4 / 3, rounded
        return {(width - w) / 2, 0, w, height};
    }
    const auto h = int32_t((int64_t(width) * 6 + 4) / 8); // width * 3 / 4, rounded
    return {0, (height - h) / 2, width, h};
}

} // namespace veltrane

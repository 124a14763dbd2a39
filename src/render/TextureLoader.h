// The common texture loader: a picture file (.tga, .jpg, .bmp, .png) becomes a device texture
// with the file's size and format and a full mipmap chain.
#pragma once

#include "platform/gfx/D3DX.h"
#include "platform/gfx/Device.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

// Pictures larger than this on a side are refused (the game's largest is 1024 x 768).
inline constexpr uint32_t kMaxPictureSide = 4096;

// Clears texture, then loads fileName (Windows-style names are resolved). A missing, unreadable
// or too large file leaves texture empty; nothing is raised or reported. mipFilter picks how the smaller
// levels are made (D3DX_DEFAULT: averaged); the image filter is accepted for the callers' sake
// and has nothing to do, since pictures keep their own size.
void LoadTexture(gfx::IDevice& device, const std::string& fileName, gfx::TextureHandle& texture,
                 uint32_t imageFilter = gfx::D3DX_FILTER_TRIANGLE, uint32_t mipFilter = gfx::D3DX_DEFAULT);

// A picture file's pixels as ARGB, top row first; false (and nothing changed) when the file is
// missing or unreadable. The window's icon is read this way.
bool LoadPicturePixels(const std::string& fileName, uint32_t& width, uint32_t& height,
                       std::vector<uint32_t>& pixels);

} // namespace veltrane

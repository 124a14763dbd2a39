// A loaded picture on the graphics device, shared by every object that shows it.
#pragma once

#include "platform/gfx/D3DTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace veltrane::gfx {

class ITexture {
public:
    virtual ~ITexture() = default;
    virtual uint32_t Width() const = 0;
    virtual uint32_t Height() const = 0;
    // Number of mipmap levels, the full picture included.
    virtual uint32_t Levels() const { return 1; }
    virtual D3DFORMAT Format() const { return D3DFMT_A8R8G8B8; }
};

// Reference-counted texture handle; empty when no picture is loaded.
using TextureHandle = std::shared_ptr<ITexture>;

// One level of a picture: ARGB pixels, top row first.
struct TTextureLevel {
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// A picture ready for the device: level 0 is the picture itself, each further level half the
// size of the one before (at least 1), down to 1 x 1. D3DFMT_X8R8G8B8 pictures are opaque.
struct TTextureImage {
    D3DFORMAT Format = D3DFMT_A8R8G8B8;
    std::vector<TTextureLevel> Levels;
};

// Builds the full mipmap chain of a width x height ARGB picture (top row first). mipFilter is
// one of the loader's filters: D3DX_FILTER_NONE and _POINT pick one pixel of each 2 x 2 block,
// every other value averages it. With D3DFMT_X8R8G8B8 the alpha of every pixel becomes 255.
TTextureImage MakeTextureImage(uint32_t width, uint32_t height, const uint32_t* argb, D3DFORMAT format,
                               uint32_t mipFilter);
// The same, taking over argb (width x height pixels) as the top level instead of copying it.
TTextureImage MakeTextureImage(uint32_t width, uint32_t height, std::vector<uint32_t>&& argb,
                               D3DFORMAT format, uint32_t mipFilter);

} // namespace veltrane::gfx

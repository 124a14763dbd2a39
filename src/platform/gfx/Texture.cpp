#include "platform/gfx/Texture.h"

#include "platform/gfx/D3DX.h"

#include <algorithm>
#include <stdexcept>

namespace veltrane::gfx {

namespace {

TTextureLevel HalveLevel(const TTextureLevel& src, bool average) {
    TTextureLevel dst;
    dst.Width = std::max(1u, src.Width / 2);
    dst.Height = std::max(1u, src.Height / 2);
    dst.Pixels.resize(size_t(dst.Width) * dst.Height);
    for (uint32_t y = 0; y < dst.Height; ++y) {
        const uint32_t y0 = std::min(y * 2, src.Height - 1);
        const uint32_t y1 = std::min(y * 2 + 1, src.Height - 1);
        for (uint32_t x = 0; x < dst.Width; ++x) {
            const uint32_t x0 = std::min(x * 2, src.Width - 1);
            const uint32_t x1 = std::min(x * 2 + 1, src.Width - 1);
            const uint32_t p00 = src.Pixels[size_t(y0) * src.Width + x0];
            if (!average) {
                dst.Pixels[size_t(y) * dst.Width + x] = p00;
                continue;
            }
            const uint32_t p01 = src.Pixels[size_t(y0) * src.Width + x1];
            const uint32_t p10 = src.Pixels[size_t(y1) * src.Width + x0];
            const uint32_t p11 = src.Pixels[size_t(y1) * src.Width + x1];
            uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t sum = ((p00 >> shift) & 0xFF) + ((p01 >> shift) & 0xFF) +
                                     ((p10 >> shift) & 0xFF) + ((p11 >> shift) & 0xFF);
                out |= ((sum + 2) / 4) << shift;
            }
            dst.Pixels[size_t(y) * dst.Width + x] = out;
        }
    }
    return dst;
}

} // namespace

TTextureImage MakeTextureImage(uint32_t width, uint32_t height, const uint32_t* argb, D3DFORMAT format,
                               uint32_t mipFilter) {
    if (width == 0 || height == 0 || argb == nullptr) throw std::invalid_argument("empty picture");
    return MakeTextureImage(width, height, std::vector<uint32_t>(argb, argb + size_t(width) * height), format,
                            mipFilter);
}

TTextureImage MakeTextureImage(uint32_t width, uint32_t height, std::vector<uint32_t>&& argb,
                               D3DFORMAT format, uint32_t mipFilter) {
    if (width == 0 || height == 0 || argb.size() != size_t(width) * height)
        throw std::invalid_argument("empty picture");
    TTextureImage image;
    image.Format = format;
    TTextureLevel top;
    top.Width = width;
    top.Height = height;
    top.Pixels = std::move(argb);
    if (format == D3DFMT_X8R8G8B8)
        for (uint32_t& p : top.Pixels) p |= 0xFF000000u;
    image.Levels.push_back(std::move(top));
    const bool average = mipFilter != D3DX_FILTER_NONE && mipFilter != D3DX_FILTER_POINT;
    while (image.Levels.back().Width > 1 || image.Levels.back().Height > 1)
        image.Levels.push_back(HalveLevel(image.Levels.back(), average));
    return image;
}

} // namespace veltrane::gfx

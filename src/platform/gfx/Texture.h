// A loaded picture on the graphics device, shared by every object that shows it.
#pragma once

#include <cstdint>
#include <memory>

namespace veltrane::gfx {

class ITexture {
public:
    virtual ~ITexture() = default;
    virtual uint32_t Width() const = 0;
    virtual uint32_t Height() const = 0;
};

// Reference-counted texture handle; empty when no picture is loaded.
using TextureHandle = std::shared_ptr<ITexture>;

} // namespace veltrane::gfx

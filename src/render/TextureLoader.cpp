#include "render/TextureLoader.h"

#include "platform/Paths.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

namespace veltrane {

using namespace gfx;

void LoadTexture(IDevice& device, const std::string& fileName, TextureHandle& texture, uint32_t imageFilter,
                 uint32_t mipFilter) {
    (void)imageFilter;
    texture.reset();
    const std::string path = ResolvePath(fileName);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
    if (!loaded || loaded->w <= 0 || loaded->h <= 0) return;
    const bool hasAlpha = SDL_ISPIXELFORMAT_ALPHA(loaded->format->format) ||
                          loaded->format->palette != nullptr || SDL_HasColorKey(loaded.get());
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> argb(
        SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0), SDL_FreeSurface);
    if (!argb || SDL_LockSurface(argb.get()) != 0) return;
    std::vector<uint32_t> pixels(size_t(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                            ptrdiff_t(y) * argb->pitch);
        std::copy(row, row + argb->w, pixels.begin() + ptrdiff_t(y) * argb->w);
    }
    SDL_UnlockSurface(argb.get());
    // A palette picture has an alpha only where its palette says so; treat it as having one.
    const TTextureImage image = MakeTextureImage(uint32_t(argb->w), uint32_t(argb->h), pixels.data(),
                                                 hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8, mipFilter);
    TextureHandle made;
    if (Succeeded(device.CreateTexture(image, made))) texture = std::move(made);
}

} // namespace veltrane

#include "render/TextureLoader.h"

#include "platform/Paths.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

namespace veltrane {

using namespace gfx;

namespace {

// The decoded file's pixels as ARGB; hasAlpha tells whether the file has transparency.
bool DecodePicture(const std::string& fileName, uint32_t& width, uint32_t& height, std::vector<uint32_t>& out,
                   bool& hasAlpha) {
    const std::string path = ResolvePath(fileName);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
    if (!loaded || loaded->w <= 0 || loaded->h <= 0) return false;
    hasAlpha = SDL_ISPIXELFORMAT_ALPHA(loaded->format->format) || loaded->format->palette != nullptr ||
               SDL_HasColorKey(loaded.get());
    // The picture goes straight into the pixels the device gets (palette and colour-key pictures
    // by way of one converted copy), and the decoded file is freed before the smaller levels are
    // made: each copy of a large picture adds to the peak memory of the loading.
    const uint32_t w = uint32_t(loaded->w), h = uint32_t(loaded->h);
    std::vector<uint32_t> pixels(size_t(w) * h);
    if (loaded->format->palette != nullptr || SDL_HasColorKey(loaded.get())) {
        loaded.reset(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
        if (!loaded) return false;
    }
    if (SDL_LockSurface(loaded.get()) != 0) return false;
    const int converted =
        SDL_ConvertPixels(int(w), int(h), loaded->format->format, loaded->pixels, loaded->pitch,
                          SDL_PIXELFORMAT_ARGB8888, pixels.data(), int(w * 4));
    SDL_UnlockSurface(loaded.get());
    loaded.reset();
    if (converted != 0) return false;
    width = w;
    height = h;
    out = std::move(pixels);
    return true;
}

} // namespace

bool LoadPicturePixels(const std::string& fileName, uint32_t& width, uint32_t& height,
                       std::vector<uint32_t>& pixels) {
    bool hasAlpha = false;
    return DecodePicture(fileName, width, height, pixels, hasAlpha);
}

void LoadTexture(IDevice& device, const std::string& fileName, TextureHandle& texture, uint32_t imageFilter,
                 uint32_t mipFilter) {
    (void)imageFilter;
    texture.reset();
    uint32_t w = 0, h = 0;
    std::vector<uint32_t> pixels;
    bool hasAlpha = false;
    if (!DecodePicture(fileName, w, h, pixels, hasAlpha)) return;
    // A palette picture has an alpha only where its palette says so; treat it as having one.
    const TTextureImage image =
        MakeTextureImage(w, h, std::move(pixels), hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8, mipFilter);
    TextureHandle made;
    if (Succeeded(device.CreateTexture(image, made))) texture = std::move(made);
}

} // namespace veltrane

#include "render/TextureLoader.h"

#include "platform/Paths.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace veltrane {

using namespace gfx;

namespace {

// A picture file held in memory and read through SDL. A read that runs past the end fills the
// rest of the caller's buffer with zeros: the PNG reader of SDL_image ignores short reads and
// would parse its stale buffer again, so a damaged chunk length loops for ever; zeros make libpng
// stop at once with an invalid chunk instead.
struct TPictureBytes {
    std::vector<uint8_t> Bytes;
    size_t At = 0;
};

TPictureBytes& BytesOf(SDL_RWops* rw) {
    return *static_cast<TPictureBytes*>(rw->hidden.unknown.data1);
}

Sint64 PictureSize(SDL_RWops* rw) {
    return Sint64(BytesOf(rw).Bytes.size());
}

Sint64 PictureSeek(SDL_RWops* rw, Sint64 offset, int whence) {
    TPictureBytes& p = BytesOf(rw);
    const Sint64 base = whence == RW_SEEK_SET   ? 0
                        : whence == RW_SEEK_CUR ? Sint64(p.At)
                                                : Sint64(p.Bytes.size());
    const Sint64 to = base + offset;
    if (to < 0) return SDL_SetError("seek before the start of the picture");
    p.At = size_t(std::min<Sint64>(to, Sint64(p.Bytes.size())));
    return Sint64(p.At);
}

size_t PictureRead(SDL_RWops* rw, void* to, size_t size, size_t count) {
    TPictureBytes& p = BytesOf(rw);
    if (size == 0 || count == 0) return 0;
    const size_t wanted = size * count;
    if (wanted / count != size) return 0;
    const size_t n = std::min(wanted, p.Bytes.size() - p.At);
    if (n > 0) std::memcpy(to, p.Bytes.data() + p.At, n);
    std::memset(static_cast<uint8_t*>(to) + n, 0, wanted - n);
    p.At += n;
    return n / size;
}

size_t PictureWrite(SDL_RWops*, const void*, size_t, size_t) {
    SDL_SetError("pictures are read only");
    return 0;
}

int PictureClose(SDL_RWops* rw) {
    SDL_FreeRW(rw);
    return 0;
}

// The file's bytes, false when it cannot be read.
bool ReadPicture(const std::string& path, std::vector<uint8_t>& bytes) {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return false;
    uint8_t buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    return std::ferror(file.get()) == 0;
}

uint32_t Little(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + size_t(i)];
    return v;
}

uint32_t Big(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + size_t(i)];
    return v;
}

// The size a picture's header claims, for the kinds the game uses; false when the header does
// not tell (the decoder then decides).
bool ClaimedSize(const std::vector<uint8_t>& b, const std::string& type, uint32_t& w, uint32_t& h) {
    const size_t n = b.size();
    if (n >= 24 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') {
        w = Big(b, 16, 4);
        h = Big(b, 20, 4);
        return true;
    }
    if (n >= 26 && b[0] == 'B' && b[1] == 'M') {
        const bool old = Little(b, 14, 4) == 12; // the OS/2 header has 16-bit sizes
        w = old ? Little(b, 18, 2) : Little(b, 18, 4);
        const uint32_t height = old ? Little(b, 20, 2) : Little(b, 22, 4);
        h = old ? height : uint32_t(std::abs(int64_t(int32_t(height)))); // negative: top row first
        return true;
    }
    if (n >= 4 && b[0] == 0xFF && b[1] == 0xD8) {
        // The frame header (SOF0..SOF15 but DHT, JPG and DAC) holds the size.
        for (size_t at = 2; at + 9 <= n && b[at] == 0xFF;) {
            const uint8_t marker = b[at + 1];
            if (marker == 0xFF) { // fill byte
                ++at;
                continue;
            }
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
                h = Big(b, at + 5, 2);
                w = Big(b, at + 7, 2);
                return true;
            }
            at += 2 + Big(b, at + 2, 2);
        }
        return false;
    }
    if (n >= 18 && SDL_strcasecmp(type.c_str(), "tga") == 0) {
        w = Little(b, 12, 2);
        h = Little(b, 14, 2);
        return true;
    }
    return false;
}

// Reads the picture file as SDL_image's IMG_Load does (its kind told by the name's extension
// where the bytes do not tell), from memory.
SDL_Surface* ReadSurface(const std::string& path) {
    TPictureBytes picture;
    if (!ReadPicture(path, picture.Bytes)) return nullptr;
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    const std::string type =
        dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : path.substr(dot + 1);
    // A damaged header can claim a picture of gigabytes, which the decoder would allocate and
    // clear before it finds the data missing.
    uint32_t w = 0, h = 0;
    if (ClaimedSize(picture.Bytes, type, w, h) && (w > kMaxPictureSide || h > kMaxPictureSide))
        return nullptr;
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) return nullptr;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->size = PictureSize;
    rw->seek = PictureSeek;
    rw->read = PictureRead;
    rw->write = PictureWrite;
    rw->close = PictureClose;
    rw->hidden.unknown.data1 = &picture;
    return IMG_LoadTyped_RW(rw, 1, type.empty() ? nullptr : type.c_str());
}

// The decoded file's pixels as ARGB; hasAlpha tells whether the file has transparency.
bool DecodePicture(const std::string& fileName, uint32_t& width, uint32_t& height, std::vector<uint32_t>& out,
                   bool& hasAlpha) {
    const std::string path = ResolvePath(fileName);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(ReadSurface(path), SDL_FreeSurface);
    if (!loaded || loaded->w <= 0 || loaded->h <= 0 || loaded->w > int(kMaxPictureSide) ||
        loaded->h > int(kMaxPictureSide))
        return false;
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

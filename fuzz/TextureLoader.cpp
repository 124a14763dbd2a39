// Feeds arbitrary bytes to the texture loader as a picture file; the first byte picks its
// extension (.tga, .jpg, .bmp, .png), since the loader is also told a picture's kind by its
// name. Nothing may be raised: the texture is either empty or a full mipmap chain of the
// picture's size, each level half the one before down to 1 x 1, opaque pictures fully opaque.
#include "FuzzSupport.h"

#include "platform/gfx/RecordingDevice.h"
#include "render/TextureLoader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {
using namespace veltrane;
using fuzz::Check;

constexpr std::array<const char*, 4> Names = {"picture.tga", "picture.jpg", "picture.bmp", "picture.png"};

void CheckChain(const gfx::TTextureImage& image) {
    Check(!image.Levels.empty(), "a texture without levels");
    uint32_t w = image.Levels.front().Width, h = image.Levels.front().Height;
    Check(w > 0 && h > 0, "an empty picture became a texture");
    for (size_t level = 0; level < image.Levels.size(); ++level) {
        const gfx::TTextureLevel& l = image.Levels[level];
        Check(l.Width == w && l.Height == h, "a mipmap level of the wrong size");
        Check(l.Pixels.size() == size_t(w) * h, "a mipmap level with the wrong number of pixels");
        if (image.Format == gfx::D3DFMT_X8R8G8B8)
            Check(std::all_of(l.Pixels.begin(), l.Pixels.end(), [](uint32_t p) { return p >> 24 == 0xFF; }),
                  "an opaque texture with a transparent pixel");
        if (w == 1 && h == 1) Check(level + 1 == image.Levels.size(), "levels beyond 1 x 1");
        w = std::max(1u, w / 2);
        h = std::max(1u, h / 2);
    }
    Check(image.Levels.back().Width == 1 && image.Levels.back().Height == 1, "the chain stops before 1 x 1");
}

} // namespace

// A picture whose header claims an impossible size makes the picture library ask for more memory
// than there is; in the game that allocation fails and the library reports the picture as
// unreadable, so here it fails the same way instead of ending the run.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    fuzz::EnterScratchFolder();
    const char* name = Names[data[0] % Names.size()];
    fuzz::WriteBytes(name, fuzz::AsText(data + 1, size - 1));
    gfx::TRecordingDevice device;
    gfx::TextureHandle texture;
    LoadTexture(device, name, texture);
    if (texture) CheckChain(static_cast<const gfx::TRecordedTexture&>(*texture).Image);
    return 0;
}

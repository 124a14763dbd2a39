// Test helpers for the OpenGL device: an offscreen device (no display needed; an explicit
// SDL_VIDEODRIVER in the environment wins) and pixel access of the read-back frame.
#pragma once

#include "hosts/gfx/GlDevice.h"
#include "platform/gfx/D3DX.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace veltrane::gfxtest {

inline std::unique_ptr<gfx::TGlDevice> MakeGlDevice(int width = 160, int height = 120) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    // Video stays up for the whole test program: the GL driver is then loaded once, not once per
    // test, and is still mapped when the leak checker looks at the program's end.
    static const bool video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
    EXPECT_TRUE(video) << SDL_GetError();
    std::string error;
    auto device = gfx::TGlDevice::CreateOffscreen(width, height, error);
    EXPECT_NE(device, nullptr) << "OpenGL device could not be created: " << error;
    return device;
}

struct TFrame {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels; // ARGB, top row first

    uint32_t At(int x, int y) const { return Pixels[size_t(y) * Width + x]; }
    int Red(int x, int y) const { return int((At(x, y) >> 16) & 0xFF); }
    int Green(int x, int y) const { return int((At(x, y) >> 8) & 0xFF); }
    int Blue(int x, int y) const { return int(At(x, y) & 0xFF); }
};

inline TFrame ReadFrame(const gfx::TGlDevice& device) {
    return {device.Width(), device.Height(), device.ReadPixels()};
}

// A solid ARGB picture of w x h with an optional second colour in the left half.
inline gfx::TTextureImage SolidImage(uint32_t w, uint32_t h, uint32_t argb, uint32_t leftArgb = 0) {
    std::vector<uint32_t> pixels(size_t(w) * h, argb);
    if (leftArgb)
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w / 2; ++x) pixels[size_t(y) * w + x] = leftArgb;
    return gfx::MakeTextureImage(w, h, pixels.data(), gfx::D3DFMT_A8R8G8B8, gfx::D3DX_DEFAULT);
}

} // namespace veltrane::gfxtest

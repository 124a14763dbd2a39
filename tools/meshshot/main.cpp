// meshshot OUTPUT.png [WIDTH HEIGHT]: draws mesh A (cube), mesh B (bomb) and mesh C (block) side
// by side, lit by the game's room and pointer lights and textured with made-up skins, seen from
// an oblique camera, and writes the frame as a PNG. Runs without a display (SDL's offscreen
// driver unless SDL_VIDEODRIVER says otherwise).
#include "hosts/gfx/GlDevice.h"
#include "platform/gfx/D3DX.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace veltrane;
using namespace veltrane::gfx;

namespace {

TextureHandle Skin(IDevice& device, const std::function<uint32_t(int, int)>& colour) {
    constexpr int kSize = 64;
    std::vector<uint32_t> pixels(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) pixels[size_t(y) * kSize + x] = colour(x, y);
    TextureHandle texture;
    device.CreateTexture(MakeTextureImage(kSize, kSize, pixels.data(), D3DFMT_X8R8G8B8, D3DX_DEFAULT),
                         texture);
    return texture;
}

uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: meshshot OUTPUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    const int width = argc == 4 ? std::atoi(argv[2]) : 720;
    const int height = argc == 4 ? std::atoi(argv[3]) : 270;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string error;
    auto device = TGlDevice::CreateOffscreen(width, height, error);
    if (!device) {
        std::fprintf(stderr, "meshshot: %s\n", error.c_str());
        return 1;
    }
    VertexBufferHandle vb;
    TCollector collector;
    if (Failed(InitVertices(*device, vb, collector))) {
        std::fprintf(stderr, "meshshot: the shared geometry could not be built\n");
        return 1;
    }

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, 0x00666666);
    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    D3DLIGHT8 room;
    room.Diffuse = room.Specular = room.Ambient = {0.3f, 0.3f, 0.3f, 0};
    room.Position = {-1.8f, -0.25f, 10};
    room.Range = 16;
    room.Attenuation0 = 1;
    D3DLIGHT8 pointer;
    pointer.Diffuse = pointer.Specular = pointer.Ambient = {0.8f, 0.8f, 0.8f, 0};
    pointer.Position = {0.6f, -0.9f, 1.05f};
    pointer.Range = 1.6f;
    pointer.Attenuation0 = 0.6f;
    pointer.Attenuation2 = 0.5f;
    device->SetLight(0, room);
    device->SetLight(1, pointer);
    device->LightEnable(0, true);
    device->LightEnable(1, true);
    D3DMATRIX view, projection;
    MatrixLookAtLH(view, {0, -4.2f, 3.4f}, {0, 0, 0.35f}, {0, 0, 1});
    // x scale = aspect * y scale: height / width keeps squares square at any window size.
    MatrixPerspectiveFovLH(projection, 0.5f, float(height) / float(width), 0.01f, 200);
    device->SetTransform(D3DTS_VIEW, view);
    device->SetTransform(D3DTS_PROJECTION, projection);

    const TextureHandle cubeSkin = Skin(*device, [](int x, int y) {
        const int edge = std::min(std::min(x, 63 - x), std::min(y, 63 - y));
        if (edge < 4) return Rgb(20, 40, 120);
        if (edge < 10) return Rgb(60, 110, 230);
        return (x / 8 + y / 8) % 2 ? Rgb(90, 150, 255) : Rgb(110, 170, 255);
    });
    const TextureHandle bombSkin = Skin(*device, [](int x, int y) {
        if (y < 7) return Rgb(190, 150, 90); // the collar and wick
        return Rgb(45 + (x + y) % 7, 45, 52);
    });
    const TextureHandle blockSkin = Skin(*device, [](int x, int y) {
        const bool mortar = y % 16 < 2 || (x + (y / 16) * 8) % 32 < 2;
        return mortar ? Rgb(90, 85, 80) : Rgb(160 - (x * 7 + y * 3) % 23, 150 - (x * 5) % 19, 135);
    });
    D3DMATERIAL8 standard;
    standard.Diffuse = standard.Ambient = {1, 1, 1, 0};
    standard.Specular = {1, 1, 1, 1};
    standard.Power = 10;
    D3DMATERIAL8 bomb = standard;
    bomb.Power = 255;

    struct TItem {
        int Range;
        const TextureHandle& Texture;
        const D3DMATERIAL8& Material;
        TVector Position;
    };
    const TItem items[] = {{kRangeCube, cubeSkin, standard, {1.5f, 0, 0.4f}},
                           {kRangeBomb, bombSkin, bomb, {0, 0, 0.4f}},
                           {kRangeBlock, blockSkin, standard, {-1.5f, 0, 0.4f}}};
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF2A2F3A, 1, 0);
    device->BeginScene();
    for (const TItem& item : items) {
        device->SetMaterial(item.Material);
        device->SetTexture(0, item.Texture);
        device->SetTransform(D3DTS_WORLD, ToD3D(MakeWorld({0.8f, 0.8f, 0.8f}, item.Position, {0, 0, 0.35f})));
        if (Failed(DrawMeshRange(*device, item.Range))) {
            std::fprintf(stderr, "meshshot: range %d could not be drawn\n", item.Range);
            return 1;
        }
    }
    device->SetTexture(0, nullptr);
    if (Failed(device->EndScene())) {
        std::fprintf(stderr, "meshshot: drawing failed\n");
        return 1;
    }
    std::vector<uint32_t> pixels = device->ReadPixels();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), device->Width(), device->Height(), 32, device->Width() * 4, SDL_PIXELFORMAT_ARGB8888);
    const int saved = surface ? IMG_SavePNG(surface, argv[1]) : -1;
    SDL_FreeSurface(surface);
    if (saved != 0) {
        std::fprintf(stderr, "meshshot: cannot write %s: %s\n", argv[1], SDL_GetError());
        return 1;
    }
    return 0;
}

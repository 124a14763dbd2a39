#include "render/Sprite.h"

#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"
#include "render/TextureLoader.h"

namespace veltrane {

using namespace gfx;

T3DSprite::T3DSprite(IDevice* device, const std::string& fileName) : Device(device) {
    if (Device) LoadTexture(*Device, fileName, Texture);
}

HRESULT T3DSprite::Draw() {
    if (!Device) return D3DERR_INVALIDCALL;
    World = MakeWorld(Scale, Position, Rotation);
    Device->SetTexture(0, Texture);
    Device->SetTransform(D3DTS_WORLD, ToD3D(World));
    const HRESULT hr = DrawMeshRange(*Device, kRangeSprite);
    Device->SetTexture(0, nullptr);
    return hr;
}

void T3DSprite::Destroy() {
    Texture.reset();
    Device = nullptr;
}

} // namespace veltrane

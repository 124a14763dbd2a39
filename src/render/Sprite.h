// A textured unit quad that draws itself with its own scale, position and rotation.
#pragma once

#include "platform/gfx/Device.h"
#include "render/Vector.h"

#include <string>

namespace veltrane {

class T3DSprite {
public:
    // Keeps the device and loads Texture from fileName (left empty when the file is missing or
    // unreadable). Scale, Position and Rotation start at zero: set at least Scale before drawing.
    T3DSprite(gfx::IDevice* device, const std::string& fileName);
    ~T3DSprite() { Destroy(); }
    T3DSprite(const T3DSprite&) = delete;
    T3DSprite& operator=(const T3DSprite&) = delete;

    // On the device's current state: texture on stage 0, world = MakeWorld(Scale, Position,
    // Rotation), two triangles from vertex 6 (mesh range 2), texture off. Sets no render state.
    gfx::HRESULT Draw();
    // Releases the texture and the device; a destroyed sprite draws nothing.
    void Destroy();

    gfx::IDevice* Device = nullptr;
    TMatrix World{};
    TVector Scale{0, 0, 0};
    TVector Position{0, 0, 0};
    TVector Rotation{0, 0, 0};
    gfx::TextureHandle Texture;
};

} // namespace veltrane

// The state a device keeps between calls, starting from the classic defaults (lighting on,
// no blending, counter-clockwise culling, stage 0 modulating texture and diffuse colour,
// point filtering, identity transforms). Shared by the OpenGL and the recording device.
#pragma once

#include "platform/gfx/Device.h"

#include <array>

namespace veltrane::gfx {

struct TDeviceState {
    TDeviceState();

    std::array<uint32_t, 256> RenderStates{};
    std::array<uint32_t, 32> StageStates{}; // texture stage 0
    D3DMATRIX World, View, Projection;
    D3DMATERIAL8 Material;
    std::array<D3DLIGHT8, kMaxLights> Lights{};
    std::array<bool, kMaxLights> LightEnabled{};
    TextureHandle Texture;
    VertexBufferHandle Stream;
    uint32_t Stride = 0;
    uint32_t FVF = 0;
    bool InScene = false;

    uint32_t RenderState(D3DRENDERSTATETYPE state) const { return RenderStates[state]; }
    uint32_t StageState(D3DTEXTURESTAGESTATETYPE type) const { return StageStates[type]; }
};

// GetTransform the same way for every device: the state's matrix, D3DERR_INVALIDCALL for a
// transform state the devices do not keep.
HRESULT GetStateTransform(const TDeviceState& state, D3DTRANSFORMSTATETYPE type, D3DMATRIX& matrix);

// Argument checks every device makes the same way; D3D_OK when the call may go ahead.
HRESULT CheckRenderState(D3DRENDERSTATETYPE state);
HRESULT CheckStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE type);
HRESULT CheckTransform(D3DTRANSFORMSTATETYPE state);
HRESULT CheckLight(uint32_t index, const D3DLIGHT8* light);
// A draw needs a stream with the game's layout and vertices inside it, and an open scene.
HRESULT CheckDraw(const TDeviceState& state, D3DPRIMITIVETYPE type, uint32_t startVertex,
                  uint32_t primitiveCount, uint32_t& vertexCount);

} // namespace veltrane::gfx

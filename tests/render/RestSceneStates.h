// Test helper: the fixed states, the two lights and the rest camera the main window sets
// before a frame of play, for pixel tests that draw scenes on the OpenGL device.
#pragma once

#include "platform/gfx/D3DX.h"
#include "platform/gfx/Device.h"
#include "render/D3DConvert.h"
#include "render/Vector.h"

namespace veltrane {

inline const TVector kRestEye{-1.8f, -0.25f, 12.7f};
inline const TVector kRoomLightPosition{-1.8f, -0.25f, 10.0f};

// False when the camera matrices could not be built.
inline bool SetRestSceneStates(gfx::IDevice& device, gfx::D3DMATRIX& view, gfx::D3DMATRIX& projection) {
    using namespace gfx;
    device.SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device.SetRenderState(D3DRS_ZENABLE, TRUE);
    device.SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    device.SetRenderState(D3DRS_LIGHTING, TRUE);
    device.SetRenderState(D3DRS_AMBIENT, 0x00666666);
    device.SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device.SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device.SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    // The room light above the board and the pointer's small light.
    D3DLIGHT8 room;
    room.Diffuse = room.Specular = room.Ambient = {0.3f, 0.3f, 0.3f, 0};
    room.Position = ToD3D(kRoomLightPosition);
    room.Range = 16;
    room.Attenuation0 = 1;
    D3DLIGHT8 pointer;
    pointer.Diffuse = pointer.Specular = pointer.Ambient = {0.8f, 0.8f, 0.8f, 0};
    pointer.Position = {1.05f, 0, 0};
    pointer.Range = 0.6f;
    pointer.Attenuation0 = 0.6f;
    pointer.Attenuation2 = 3;
    device.SetLight(0, room);
    device.SetLight(1, pointer);
    device.LightEnable(0, true);
    device.LightEnable(1, true);
    if (MatrixLookAtLH(view, ToD3D(kRestEye), {-1.8f, -0.25f, 0}, {0, 0, 1}) != D3D_OK) return false;
    if (MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200) != D3D_OK) return false;
    device.SetTransform(D3DTS_VIEW, view);
    device.SetTransform(D3DTS_PROJECTION, projection);
    return true;
}

} // namespace veltrane

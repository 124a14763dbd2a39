// Our stand-ins for the few helper routines the drawing code takes from the classic utility
// library: the left-handed camera matrices, a material from a colour, and the texture filters.
#pragma once

#include "platform/gfx/D3DTypes.h"

namespace veltrane::gfx {

D3DMATRIX MatrixIdentity();

// View matrix looking from eye at target. Fails with E_INVALIDARG (out untouched) when eye and
// target are closer than 1e-6. An up vector parallel to the view direction is replaced by the
// world y axis, and if that is parallel too, by the world z axis.
HRESULT MatrixLookAtLH(D3DMATRIX& out, const D3DVECTOR& eye, const D3DVECTOR& target, const D3DVECTOR& up);

// Perspective projection, depth 0..1. fovY is the vertical field of view in radians; the x scale
// is aspect * cot(fovY / 2) (this game passes 0.75 for its 4:3 picture). Fails with E_INVALIDARG
// (out untouched) when far and near differ by less than 0.01 or |sin(fovY / 2)| < 0.01.
HRESULT MatrixPerspectiveFovLH(D3DMATRIX& out, float fovY, float aspect, float zNear, float zFar);

// Diffuse = ambient = colour, specular white, no emission, power 0.
D3DMATERIAL8 MaterialFromColor(const D3DCOLORVALUE& colour);

// Image and mipmap filters of the texture loader.
inline constexpr uint32_t D3DX_FILTER_NONE = 1;
inline constexpr uint32_t D3DX_FILTER_POINT = 2;
inline constexpr uint32_t D3DX_FILTER_LINEAR = 3;
inline constexpr uint32_t D3DX_FILTER_TRIANGLE = 4;
inline constexpr uint32_t D3DX_FILTER_BOX = 5;
inline constexpr uint32_t D3DX_DEFAULT = 0xFFFFFFFF;

} // namespace veltrane::gfx

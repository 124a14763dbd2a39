// Hands the scene's matrices and vectors to the graphics device: TMatrix has the device's
// row-major, row-vector layout, so the conversion is a plain copy.
#pragma once

#include "platform/gfx/D3DTypes.h"
#include "render/Vector.h"

#include <cstring>

namespace veltrane {

static_assert(sizeof(TMatrix) == sizeof(gfx::D3DMATRIX), "TMatrix must hold exactly 16 floats");

inline gfx::D3DMATRIX ToD3D(const TMatrix& m) {
    gfx::D3DMATRIX out;
    std::memcpy(&out.m[0][0], m.Data(), sizeof out.m);
    return out;
}

inline gfx::D3DVECTOR ToD3D(TVector v) {
    return {v.x, v.y, v.z};
}

} // namespace veltrane

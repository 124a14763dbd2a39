#include "platform/gfx/D3DX.h"

#include <cmath>

namespace veltrane::gfx {

namespace {

D3DVECTOR Sub(const D3DVECTOR& a, const D3DVECTOR& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float Dot(const D3DVECTOR& a, const D3DVECTOR& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
D3DVECTOR Cross(const D3DVECTOR& a, const D3DVECTOR& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Length(const D3DVECTOR& a) {
    return std::sqrt(Dot(a, a));
}
D3DVECTOR Scaled(const D3DVECTOR& a, float k) {
    return {a.x * k, a.y * k, a.z * k};
}

// Parallel when the cross product vanishes against the lengths involved.
bool Parallel(const D3DVECTOR& a, const D3DVECTOR& b) {
    return Length(Cross(a, b)) <= 1e-6f * Length(a) * Length(b);
}

} // namespace

D3DMATRIX MatrixIdentity() {
    D3DMATRIX m;
    for (int i = 0; i < 4; ++i) m.m[i][i] = 1;
    return m;
}

HRESULT MatrixLookAtLH(D3DMATRIX& out, const D3DVECTOR& eye, const D3DVECTOR& target, const D3DVECTOR& up) {
    const D3DVECTOR view = Sub(target, eye);
    const float distance = Length(view);
    if (!(distance >= 1e-6f)) return E_INVALIDARG;
    const D3DVECTOR zaxis = Scaled(view, 1 / distance);

    D3DVECTOR upUsed = up;
    if (Length(upUsed) == 0 || Parallel(upUsed, zaxis)) upUsed = {0, 1, 0};
    if (Parallel(upUsed, zaxis)) upUsed = {0, 0, 1};

    D3DVECTOR xaxis = Cross(upUsed, zaxis);
    xaxis = Scaled(xaxis, 1 / Length(xaxis));
    const D3DVECTOR yaxis = Cross(zaxis, xaxis);

    D3DMATRIX m;
    m.m[0][0] = xaxis.x;
    m.m[1][0] = xaxis.y;
    m.m[2][0] = xaxis.z;
    m.m[0][1] = yaxis.x;
    m.m[1][1] = yaxis.y;
    m.m[2][1] = yaxis.z;
    m.m[0][2] = zaxis.x;
    m.m[1][2] = zaxis.y;
    m.m[2][2] = zaxis.z;
    m.m[3][0] = -Dot(xaxis, eye);
    m.m[3][1] = -Dot(yaxis, eye);
    m.m[3][2] = -Dot(zaxis, eye);
    m.m[3][3] = 1;
    out = m;
    return D3D_OK;
}

HRESULT MatrixPerspectiveFovLH(D3DMATRIX& out, float fovY, float aspect, float zNear, float zFar) {
    const float half = fovY / 2;
    if (!(std::fabs(zFar - zNear) >= 0.01f) || !(std::fabs(std::sin(half)) >= 0.01f)) return E_INVALIDARG;
    const float yScale = std::cos(half) / std::sin(half);
    D3DMATRIX m;
    m.m[0][0] = aspect * yScale;
    m.m[1][1] = yScale;
    m.m[2][2] = zFar / (zFar - zNear);
    m.m[2][3] = 1;
    m.m[3][2] = -zNear * zFar / (zFar - zNear);
    out = m;
    return D3D_OK;
}

D3DMATERIAL8 MaterialFromColor(const D3DCOLORVALUE& colour) {
    D3DMATERIAL8 material;
    material.Diffuse = colour;
    material.Ambient = colour;
    material.Specular = {1, 1, 1, 1};
    return material;
}

} // namespace veltrane::gfx

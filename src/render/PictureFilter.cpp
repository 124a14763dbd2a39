#include "render/PictureFilter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veltrane {

using namespace gfx;

namespace {

struct TScreenPoint {
    float x = 0, y = 0;
};

TMatrix FromD3D(const D3DMATRIX& m) {
    TMatrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out(r, c) = m.m[r][c];
    return out;
}

// A point of the quad in viewport pixels; false when it lies at or behind the eye.
bool ToScreen(float x, float y, const TMatrix& m, const D3DVIEWPORT8& vp, TScreenPoint& out) {
    const float cx = x * m(0, 0) + y * m(1, 0) + m(3, 0);
    const float cy = x * m(0, 1) + y * m(1, 1) + m(3, 1);
    const float cw = x * m(0, 3) + y * m(1, 3) + m(3, 3);
    if (!(cw > 1e-6f)) return false;
    out.x = (cx / cw + 1) * 0.5f * float(vp.Width);
    out.y = (1 - cy / cw) * 0.5f * float(vp.Height);
    return true;
}

// Within a pixel.
bool Near(float a, float b) {
    return std::abs(a - b) <= 1.0f;
}

// An edge as long as the picture's side, to within 2 %: the full-screen plane is drawn 1 % larger
// than the screen it fills, and point sampling keeps such a picture crisp where smoothing would
// blur every pixel a little.
bool SameLength(float edge, float side) {
    return std::abs(std::abs(edge) - side) <= std::max(1.0f, 0.02f * side);
}

} // namespace

uint32_t PictureFilter(const IDevice& device, const TMatrix& world, const ITexture* texture) {
    if (!texture) return D3DTEXF_LINEAR;
    D3DMATRIX view, projection;
    D3DVIEWPORT8 vp;
    if (Failed(device.GetTransform(D3DTS_VIEW, view)) ||
        Failed(device.GetTransform(D3DTS_PROJECTION, projection)) || Failed(device.GetViewport(vp)))
        return D3DTEXF_LINEAR;
    const TMatrix m = MatrixMultiply(MatrixMultiply(world, FromD3D(view)), FromD3D(projection));
    // Three corners of the quad (half size 0.5): the edges from the first run along u and v.
    std::array<TScreenPoint, 4> p;
    if (!ToScreen(-0.5f, -0.5f, m, vp, p[0]) || !ToScreen(0.5f, -0.5f, m, vp, p[1]) ||
        !ToScreen(-0.5f, 0.5f, m, vp, p[2]) || !ToScreen(0.5f, 0.5f, m, vp, p[3]))
        return D3DTEXF_LINEAR;
    const float ux = p[1].x - p[0].x, uy = p[1].y - p[0].y;
    const float vx = p[2].x - p[0].x, vy = p[2].y - p[0].y;
    // A parallelogram, not a trapezoid seen in perspective.
    const bool flat = Near(p[3].x, p[1].x + vx) && Near(p[3].y, p[1].y + vy);
    const float w = float(texture->Width()), h = float(texture->Height());
    const bool upright = SameLength(ux, w) && Near(uy, 0) && Near(vx, 0) && SameLength(vy, h);
    const bool turned = SameLength(uy, w) && Near(ux, 0) && Near(vy, 0) && SameLength(vx, h);
    return flat && (upright || turned) ? D3DTEXF_NONE : D3DTEXF_LINEAR;
}

void SetPictureFilters(IDevice& device, uint32_t filter) {
    device.SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
    device.SetTextureStageState(0, D3DTSS_MINFILTER, filter);
}

} // namespace veltrane

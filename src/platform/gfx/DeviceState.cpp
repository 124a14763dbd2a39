#include "platform/gfx/DeviceState.h"

#include "platform/gfx/D3DX.h"
#include "platform/gfx/Names.h"

namespace veltrane::gfx {

TDeviceState::TDeviceState() : World(MatrixIdentity()), View(MatrixIdentity()), Projection(MatrixIdentity()) {
    RenderStates[D3DRS_ZENABLE] = TRUE;
    RenderStates[D3DRS_FILLMODE] = D3DFILL_SOLID;
    RenderStates[D3DRS_SHADEMODE] = 2; // Gouraud
    RenderStates[D3DRS_ZWRITEENABLE] = TRUE;
    RenderStates[D3DRS_LASTPIXEL] = TRUE;
    RenderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    RenderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    RenderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
    RenderStates[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    RenderStates[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    RenderStates[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFF;
    RenderStates[D3DRS_CLIPPING] = TRUE;
    RenderStates[D3DRS_LIGHTING] = TRUE;
    RenderStates[D3DRS_COLORVERTEX] = TRUE;
    RenderStates[D3DRS_LOCALVIEWER] = TRUE;
    StageStates[D3DTSS_COLOROP] = D3DTOP_MODULATE;
    StageStates[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    StageStates[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    StageStates[D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
    StageStates[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    StageStates[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    StageStates[D3DTSS_ADDRESSU] = D3DTADDRESS_WRAP;
    StageStates[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
    StageStates[D3DTSS_MAGFILTER] = D3DTEXF_POINT;
    StageStates[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    StageStates[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
    for (D3DLIGHT8& light : Lights) light.Diffuse = {1, 1, 1, 0};
}

HRESULT CheckRenderState(D3DRENDERSTATETYPE state) {
    return RenderStateName(state) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CheckStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE type) {
    return stage == 0 && TextureStageStateName(type) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CheckTransform(D3DTRANSFORMSTATETYPE state) {
    return TransformName(state) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GetStateTransform(const TDeviceState& state, D3DTRANSFORMSTATETYPE type, D3DMATRIX& matrix) {
    if (HRESULT hr = CheckTransform(type); Failed(hr)) return hr;
    matrix = type == D3DTS_WORLD ? state.World : type == D3DTS_VIEW ? state.View : state.Projection;
    return D3D_OK;
}

HRESULT CheckLight(uint32_t index, const D3DLIGHT8* light) {
    if (index >= kMaxLights) return D3DERR_INVALIDCALL;
    if (light && (light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL || light->Range < 0))
        return D3DERR_INVALIDCALL;
    return D3D_OK;
}

HRESULT CheckDraw(const TDeviceState& state, D3DPRIMITIVETYPE type, uint32_t startVertex,
                  uint32_t primitiveCount, uint32_t& vertexCount) {
    if (!state.InScene || !state.Stream || state.Stride != kGameVertexSize || state.FVF != kGameFVF)
        return D3DERR_INVALIDCALL;
    uint64_t count = 0;
    switch (type) {
    case D3DPT_POINTLIST:
        count = primitiveCount;
        break;
    case D3DPT_LINELIST:
        count = uint64_t(primitiveCount) * 2;
        break;
    case D3DPT_LINESTRIP:
        count = primitiveCount + 1ull;
        break;
    case D3DPT_TRIANGLELIST:
        count = uint64_t(primitiveCount) * 3;
        break;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
        count = primitiveCount + 2ull;
        break;
    default:
        return D3DERR_INVALIDCALL;
    }
    if (primitiveCount == 0) return D3DERR_INVALIDCALL;
    const uint64_t available = state.Stream->Length() / state.Stride;
    if (uint64_t(startVertex) + count > available) return D3DERR_INVALIDCALL;
    vertexCount = static_cast<uint32_t>(count);
    return D3D_OK;
}

} // namespace veltrane::gfx

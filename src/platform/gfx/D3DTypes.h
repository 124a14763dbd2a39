// The names and values of the graphics device contract the drawing code is written against:
// result codes, render and texture-stage states, matrices, materials and lights. Values are
// those of the classic fixed-function interface, so recorded calls read like the design.
#pragma once

#include <cstdint>

namespace veltrane::gfx {

using HRESULT = int32_t;
using D3DCOLOR = uint32_t; // ARGB, 8 bits each

#ifndef TRUE
inline constexpr uint32_t TRUE = 1;
#endif
#ifndef FALSE
inline constexpr uint32_t FALSE = 0;
#endif

inline constexpr HRESULT D3D_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT MakeD3DError(uint32_t code) {
    return static_cast<HRESULT>(0x88760000u | code);
}
inline constexpr HRESULT D3DERR_WRONGTEXTUREFORMAT = MakeD3DError(2072);
inline constexpr HRESULT D3DERR_UNSUPPORTEDCOLOROPERATION = MakeD3DError(2073);
inline constexpr HRESULT D3DERR_UNSUPPORTEDCOLORARG = MakeD3DError(2074);
inline constexpr HRESULT D3DERR_UNSUPPORTEDALPHAOPERATION = MakeD3DError(2075);
inline constexpr HRESULT D3DERR_UNSUPPORTEDALPHAARG = MakeD3DError(2076);
inline constexpr HRESULT D3DERR_TOOMANYOPERATIONS = MakeD3DError(2077);
inline constexpr HRESULT D3DERR_CONFLICTINGTEXTUREFILTER = MakeD3DError(2078);
inline constexpr HRESULT D3DERR_UNSUPPORTEDFACTORVALUE = MakeD3DError(2079);
inline constexpr HRESULT D3DERR_CONFLICTINGRENDERSTATE = MakeD3DError(2081);
inline constexpr HRESULT D3DERR_UNSUPPORTEDTEXTUREFILTER = MakeD3DError(2082);
inline constexpr HRESULT D3DERR_CONFLICTINGTEXTUREPALETTE = MakeD3DError(2086);
inline constexpr HRESULT D3DERR_DRIVERINTERNALERROR = MakeD3DError(2087);
inline constexpr HRESULT D3DERR_NOTFOUND = MakeD3DError(2150);
inline constexpr HRESULT D3DERR_MOREDATA = MakeD3DError(2151);
inline constexpr HRESULT D3DERR_DEVICELOST = MakeD3DError(2152);
inline constexpr HRESULT D3DERR_DEVICENOTRESET = MakeD3DError(2153);
inline constexpr HRESULT D3DERR_NOTAVAILABLE = MakeD3DError(2154);
inline constexpr HRESULT D3DERR_INVALIDDEVICE = MakeD3DError(2155);
inline constexpr HRESULT D3DERR_INVALIDCALL = MakeD3DError(2156);
inline constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = MakeD3DError(380);

inline constexpr bool Succeeded(HRESULT hr) {
    return hr >= 0;
}
inline constexpr bool Failed(HRESULT hr) {
    return hr < 0;
}

// The standard description of a result code, e.g. "No error occurred." for D3D_OK.
const char* ErrorDescription(HRESULT hr);

enum D3DRENDERSTATETYPE : uint32_t {
    D3DRS_ZENABLE = 7,
    D3DRS_FILLMODE = 8,
    D3DRS_SHADEMODE = 9,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_ALPHATESTENABLE = 15,
    D3DRS_LASTPIXEL = 16,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ZFUNC = 23,
    D3DRS_ALPHAREF = 24,
    D3DRS_ALPHAFUNC = 25,
    D3DRS_DITHERENABLE = 26,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_FOGENABLE = 28,
    D3DRS_SPECULARENABLE = 29,
    D3DRS_EDGEANTIALIAS = 40,
    D3DRS_TEXTUREFACTOR = 60,
    D3DRS_CLIPPING = 136,
    D3DRS_LIGHTING = 137,
    D3DRS_AMBIENT = 139,
    D3DRS_COLORVERTEX = 141,
    D3DRS_LOCALVIEWER = 142,
    D3DRS_NORMALIZENORMALS = 143,
    D3DRS_CLIPPLANEENABLE = 152,
};

enum D3DTEXTURESTAGESTATETYPE : uint32_t {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXCOORDINDEX = 11,
    D3DTSS_ADDRESSU = 13,
    D3DTSS_ADDRESSV = 14,
    D3DTSS_MAGFILTER = 16,
    D3DTSS_MINFILTER = 17,
    D3DTSS_MIPFILTER = 18,
};

enum D3DTEXTUREOP : uint32_t {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5,
    D3DTOP_MODULATE4X = 6,
    D3DTOP_ADD = 7,
    D3DTOP_ADDSIGNED = 8,
    D3DTOP_SUBTRACT = 10,
};

// Texture-stage arguments; the low four bits select, the flags modify.
inline constexpr uint32_t D3DTA_SELECTMASK = 0x0F;
inline constexpr uint32_t D3DTA_DIFFUSE = 0x00;
inline constexpr uint32_t D3DTA_CURRENT = 0x01;
inline constexpr uint32_t D3DTA_TEXTURE = 0x02;
inline constexpr uint32_t D3DTA_TFACTOR = 0x03;
inline constexpr uint32_t D3DTA_SPECULAR = 0x04;
inline constexpr uint32_t D3DTA_COMPLEMENT = 0x10;
inline constexpr uint32_t D3DTA_ALPHAREPLICATE = 0x20;

enum D3DTEXTUREFILTERTYPE : uint32_t {
    D3DTEXF_NONE = 0,
    D3DTEXF_POINT = 1,
    D3DTEXF_LINEAR = 2,
    D3DTEXF_ANISOTROPIC = 3,
};

enum D3DTEXTUREADDRESS : uint32_t {
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_MIRROR = 2,
    D3DTADDRESS_CLAMP = 3,
};

enum D3DBLEND : uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
};

enum D3DCULL : uint32_t {
    D3DCULL_NONE = 1,
    D3DCULL_CW = 2,
    D3DCULL_CCW = 3,
};

enum D3DCMPFUNC : uint32_t {
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};

enum D3DFILLMODE : uint32_t {
    D3DFILL_POINT = 1,
    D3DFILL_WIREFRAME = 2,
    D3DFILL_SOLID = 3,
};

enum D3DPRIMITIVETYPE : uint32_t {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

enum D3DTRANSFORMSTATETYPE : uint32_t {
    D3DTS_VIEW = 2,
    D3DTS_PROJECTION = 3,
    D3DTS_WORLD = 256,
};

enum D3DLIGHTTYPE : uint32_t {
    D3DLIGHT_POINT = 1,
    D3DLIGHT_SPOT = 2,
    D3DLIGHT_DIRECTIONAL = 3,
};

enum D3DPOOL : uint32_t {
    D3DPOOL_DEFAULT = 0,
    D3DPOOL_MANAGED = 1,
    D3DPOOL_SYSTEMMEM = 2,
};

enum D3DFORMAT : uint32_t {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_R8G8B8 = 20,
    D3DFMT_A8R8G8B8 = 21,
    D3DFMT_X8R8G8B8 = 22,
    D3DFMT_R5G6B5 = 23,
    D3DFMT_D16 = 80,
};

inline constexpr uint32_t D3DCLEAR_TARGET = 0x1;
inline constexpr uint32_t D3DCLEAR_ZBUFFER = 0x2;
inline constexpr uint32_t D3DCLEAR_STENCIL = 0x4;

// Flexible vertex format bits.
inline constexpr uint32_t D3DFVF_XYZ = 0x002;
inline constexpr uint32_t D3DFVF_NORMAL = 0x010;
inline constexpr uint32_t D3DFVF_DIFFUSE = 0x040;
inline constexpr uint32_t D3DFVF_TEX1 = 0x100;

inline constexpr uint32_t D3DLOCK_READONLY = 0x10;
inline constexpr uint32_t D3DLOCK_DISCARD = 0x2000;

struct D3DVECTOR {
    float x = 0, y = 0, z = 0;
    friend bool operator==(const D3DVECTOR&, const D3DVECTOR&) = default;
};

struct D3DCOLORVALUE {
    float r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const D3DCOLORVALUE&, const D3DCOLORVALUE&) = default;
};

// Row-major 4 x 4, used with row vectors (v * M); a translation stands in row 3.
struct D3DMATRIX {
    float m[4][4] = {};
    friend bool operator==(const D3DMATRIX&, const D3DMATRIX&) = default;
};

struct D3DRECT {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The part of the back buffer a frame is drawn into, in pixels, and its depth range.
struct D3DVIEWPORT8 {
    uint32_t X = 0, Y = 0, Width = 0, Height = 0;
    float MinZ = 0, MaxZ = 1;
};

struct D3DMATERIAL8 {
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Ambient;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Emissive;
    float Power = 0;
    friend bool operator==(const D3DMATERIAL8&, const D3DMATERIAL8&) = default;
};

struct D3DLIGHT8 {
    D3DLIGHTTYPE Type = D3DLIGHT_POINT;
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Ambient;
    D3DVECTOR Position;
    D3DVECTOR Direction;
    float Range = 0;
    float Falloff = 0;
    float Attenuation0 = 0;
    float Attenuation1 = 0;
    float Attenuation2 = 0;
    float Theta = 0;
    float Phi = 0;
    friend bool operator==(const D3DLIGHT8&, const D3DLIGHT8&) = default;
};

} // namespace veltrane::gfx

#include "platform/gfx/D3DTypes.h"

#include "platform/gfx/Names.h"

#include <string>

namespace veltrane::gfx {

const char* ErrorDescription(HRESULT hr) {
    switch (hr) {
    case D3D_OK:
        return "No error occurred.";
    case E_FAIL:
        return "An undetermined error occurred inside the Direct3D subsystem.";
    case E_NOTIMPL:
        return "Not implemented.";
    case E_INVALIDARG:
        return "An invalid parameter was passed to the returning function.";
    case E_OUTOFMEMORY:
        return "Direct3D could not allocate sufficient memory to complete the call.";
    case D3DERR_WRONGTEXTUREFORMAT:
        return "The pixel format of the texture surface is not valid.";
    case D3DERR_UNSUPPORTEDCOLOROPERATION:
        return "The device does not support a specified texture-blending operation for color values.";
    case D3DERR_UNSUPPORTEDCOLORARG:
        return "The device does not support a specified texture-blending argument for color values.";
    case D3DERR_UNSUPPORTEDALPHAOPERATION:
        return "The device does not support a specified texture-blending operation for the alpha channel.";
    case D3DERR_UNSUPPORTEDALPHAARG:
        return "The device does not support a specified texture-blending argument for the alpha channel.";
    case D3DERR_TOOMANYOPERATIONS:
        return "The application is requesting more texture-filtering operations than the device supports.";
    case D3DERR_CONFLICTINGTEXTUREFILTER:
        return "The current texture filters cannot be used together.";
    case D3DERR_UNSUPPORTEDFACTORVALUE:
        return "The device does not support the specified texture factor value.";
    case D3DERR_CONFLICTINGRENDERSTATE:
        return "The currently set render states cannot be used together.";
    case D3DERR_UNSUPPORTEDTEXTUREFILTER:
        return "The device does not support the specified texture filter.";
    case D3DERR_CONFLICTINGTEXTUREPALETTE:
        return "The current textures cannot be used simultaneously.";
    case D3DERR_DRIVERINTERNALERROR:
        return "Internal driver error.";
    case D3DERR_NOTFOUND:
        return "The requested item was not found.";
    case D3DERR_MOREDATA:
        return "There is more data available than the specified buffer size can hold.";
    case D3DERR_DEVICELOST:
        return "The device is lost and cannot be restored at the current time, so rendering is not possible.";
    case D3DERR_DEVICENOTRESET:
        return "The device cannot be reset.";
    case D3DERR_NOTAVAILABLE:
        return "This device does not support the queried technique.";
    case D3DERR_INVALIDDEVICE:
        return "The requested device type is not valid.";
    case D3DERR_INVALIDCALL:
        return "The method call is invalid. For example, a method's parameter may have an invalid value.";
    case D3DERR_OUTOFVIDEOMEMORY:
        return "Direct3D does not have enough display memory to perform the operation.";
    default:
        return "Unknown error.";
    }
}

const char* RenderStateName(D3DRENDERSTATETYPE state) {
    switch (state) {
    case D3DRS_ZENABLE:
        return "D3DRS_ZENABLE";
    case D3DRS_FILLMODE:
        return "D3DRS_FILLMODE";
    case D3DRS_SHADEMODE:
        return "D3DRS_SHADEMODE";
    case D3DRS_ZWRITEENABLE:
        return "D3DRS_ZWRITEENABLE";
    case D3DRS_ALPHATESTENABLE:
        return "D3DRS_ALPHATESTENABLE";
    case D3DRS_LASTPIXEL:
        return "D3DRS_LASTPIXEL";
    case D3DRS_SRCBLEND:
        return "D3DRS_SRCBLEND";
    case D3DRS_DESTBLEND:
        return "D3DRS_DESTBLEND";
    case D3DRS_CULLMODE:
        return "D3DRS_CULLMODE";
    case D3DRS_ZFUNC:
        return "D3DRS_ZFUNC";
    case D3DRS_ALPHAREF:
        return "D3DRS_ALPHAREF";
    case D3DRS_ALPHAFUNC:
        return "D3DRS_ALPHAFUNC";
    case D3DRS_DITHERENABLE:
        return "D3DRS_DITHERENABLE";
    case D3DRS_ALPHABLENDENABLE:
        return "D3DRS_ALPHABLENDENABLE";
    case D3DRS_FOGENABLE:
        return "D3DRS_FOGENABLE";
    case D3DRS_SPECULARENABLE:
        return "D3DRS_SPECULARENABLE";
    case D3DRS_EDGEANTIALIAS:
        return "D3DRS_EDGEANTIALIAS";
    case D3DRS_TEXTUREFACTOR:
        return "D3DRS_TEXTUREFACTOR";
    case D3DRS_CLIPPING:
        return "D3DRS_CLIPPING";
    case D3DRS_LIGHTING:
        return "D3DRS_LIGHTING";
    case D3DRS_AMBIENT:
        return "D3DRS_AMBIENT";
    case D3DRS_COLORVERTEX:
        return "D3DRS_COLORVERTEX";
    case D3DRS_LOCALVIEWER:
        return "D3DRS_LOCALVIEWER";
    case D3DRS_NORMALIZENORMALS:
        return "D3DRS_NORMALIZENORMALS";
    case D3DRS_CLIPPLANEENABLE:
        return "D3DRS_CLIPPLANEENABLE";
    }
    return nullptr;
}

const char* TextureStageStateName(D3DTEXTURESTAGESTATETYPE type) {
    switch (type) {
    case D3DTSS_COLOROP:
        return "D3DTSS_COLOROP";
    case D3DTSS_COLORARG1:
        return "D3DTSS_COLORARG1";
    case D3DTSS_COLORARG2:
        return "D3DTSS_COLORARG2";
    case D3DTSS_ALPHAOP:
        return "D3DTSS_ALPHAOP";
    case D3DTSS_ALPHAARG1:
        return "D3DTSS_ALPHAARG1";
    case D3DTSS_ALPHAARG2:
        return "D3DTSS_ALPHAARG2";
    case D3DTSS_TEXCOORDINDEX:
        return "D3DTSS_TEXCOORDINDEX";
    case D3DTSS_ADDRESSU:
        return "D3DTSS_ADDRESSU";
    case D3DTSS_ADDRESSV:
        return "D3DTSS_ADDRESSV";
    case D3DTSS_MAGFILTER:
        return "D3DTSS_MAGFILTER";
    case D3DTSS_MINFILTER:
        return "D3DTSS_MINFILTER";
    case D3DTSS_MIPFILTER:
        return "D3DTSS_MIPFILTER";
    }
    return nullptr;
}

namespace {

const char* BlendName(uint32_t v) {
    static const char* const names[] = {
        "D3DBLEND_ZERO",      "D3DBLEND_ONE",         "D3DBLEND_SRCCOLOR",  "D3DBLEND_INVSRCCOLOR",
        "D3DBLEND_SRCALPHA",  "D3DBLEND_INVSRCALPHA", "D3DBLEND_DESTALPHA", "D3DBLEND_INVDESTALPHA",
        "D3DBLEND_DESTCOLOR", "D3DBLEND_INVDESTCOLOR"};
    return v >= 1 && v <= 10 ? names[v - 1] : nullptr;
}

const char* CmpName(uint32_t v) {
    static const char* const names[] = {"D3DCMP_NEVER",        "D3DCMP_LESS",    "D3DCMP_EQUAL",
                                        "D3DCMP_LESSEQUAL",    "D3DCMP_GREATER", "D3DCMP_NOTEQUAL",
                                        "D3DCMP_GREATEREQUAL", "D3DCMP_ALWAYS"};
    return v >= 1 && v <= 8 ? names[v - 1] : nullptr;
}

const char* TopName(uint32_t v) {
    switch (v) {
    case D3DTOP_DISABLE:
        return "D3DTOP_DISABLE";
    case D3DTOP_SELECTARG1:
        return "D3DTOP_SELECTARG1";
    case D3DTOP_SELECTARG2:
        return "D3DTOP_SELECTARG2";
    case D3DTOP_MODULATE:
        return "D3DTOP_MODULATE";
    case D3DTOP_MODULATE2X:
        return "D3DTOP_MODULATE2X";
    case D3DTOP_MODULATE4X:
        return "D3DTOP_MODULATE4X";
    case D3DTOP_ADD:
        return "D3DTOP_ADD";
    case D3DTOP_ADDSIGNED:
        return "D3DTOP_ADDSIGNED";
    case D3DTOP_SUBTRACT:
        return "D3DTOP_SUBTRACT";
    }
    return nullptr;
}

std::string ArgName(uint32_t v) {
    static const char* const names[] = {"D3DTA_DIFFUSE", "D3DTA_CURRENT", "D3DTA_TEXTURE", "D3DTA_TFACTOR",
                                        "D3DTA_SPECULAR"};
    const uint32_t sel = v & D3DTA_SELECTMASK;
    if (sel > 4 || (v & ~0x3Fu) != 0) return std::to_string(v);
    std::string s = names[sel];
    if (v & D3DTA_COMPLEMENT) s += " | D3DTA_COMPLEMENT";
    if (v & D3DTA_ALPHAREPLICATE) s += " | D3DTA_ALPHAREPLICATE";
    return s;
}

const char* FilterName(uint32_t v) {
    static const char* const names[] = {"D3DTEXF_NONE", "D3DTEXF_POINT", "D3DTEXF_LINEAR",
                                        "D3DTEXF_ANISOTROPIC"};
    return v <= 3 ? names[v] : nullptr;
}

std::string Hex(uint32_t v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) s += digits[(v >> shift) & 0xF];
    return s;
}

std::string OrNumber(const char* name, uint32_t v) {
    return name ? std::string(name) : std::to_string(v);
}

} // namespace

std::string RenderStateValueName(D3DRENDERSTATETYPE state, uint32_t value) {
    switch (state) {
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
        return OrNumber(BlendName(value), value);
    case D3DRS_ZFUNC:
    case D3DRS_ALPHAFUNC:
        return OrNumber(CmpName(value), value);
    case D3DRS_CULLMODE: {
        static const char* const names[] = {"D3DCULL_NONE", "D3DCULL_CW", "D3DCULL_CCW"};
        return OrNumber(value >= 1 && value <= 3 ? names[value - 1] : nullptr, value);
    }
    case D3DRS_FILLMODE: {
        static const char* const names[] = {"D3DFILL_POINT", "D3DFILL_WIREFRAME", "D3DFILL_SOLID"};
        return OrNumber(value >= 1 && value <= 3 ? names[value - 1] : nullptr, value);
    }
    case D3DRS_AMBIENT:
    case D3DRS_TEXTUREFACTOR:
        return Hex(value);
    case D3DRS_ALPHAREF:
    case D3DRS_CLIPPLANEENABLE:
    case D3DRS_SHADEMODE:
        return std::to_string(value);
    default:
        return value == 0 ? "FALSE" : value == 1 ? "TRUE" : std::to_string(value);
    }
}

std::string TextureStageValueName(D3DTEXTURESTAGESTATETYPE type, uint32_t value) {
    switch (type) {
    case D3DTSS_COLOROP:
    case D3DTSS_ALPHAOP:
        return OrNumber(TopName(value), value);
    case D3DTSS_COLORARG1:
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG1:
    case D3DTSS_ALPHAARG2:
        return ArgName(value);
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
    case D3DTSS_MIPFILTER:
        return OrNumber(FilterName(value), value);
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV: {
        static const char* const names[] = {"D3DTADDRESS_WRAP", "D3DTADDRESS_MIRROR", "D3DTADDRESS_CLAMP"};
        return OrNumber(value >= 1 && value <= 3 ? names[value - 1] : nullptr, value);
    }
    default:
        return std::to_string(value);
    }
}

const char* TransformName(D3DTRANSFORMSTATETYPE state) {
    switch (state) {
    case D3DTS_VIEW:
        return "D3DTS_VIEW";
    case D3DTS_PROJECTION:
        return "D3DTS_PROJECTION";
    case D3DTS_WORLD:
        return "D3DTS_WORLD";
    }
    return nullptr;
}

const char* PrimitiveName(D3DPRIMITIVETYPE type) {
    switch (type) {
    case D3DPT_POINTLIST:
        return "D3DPT_POINTLIST";
    case D3DPT_LINELIST:
        return "D3DPT_LINELIST";
    case D3DPT_LINESTRIP:
        return "D3DPT_LINESTRIP";
    case D3DPT_TRIANGLELIST:
        return "D3DPT_TRIANGLELIST";
    case D3DPT_TRIANGLESTRIP:
        return "D3DPT_TRIANGLESTRIP";
    case D3DPT_TRIANGLEFAN:
        return "D3DPT_TRIANGLEFAN";
    }
    return nullptr;
}

} // namespace veltrane::gfx

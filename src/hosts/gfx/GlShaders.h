// The GLSL programs of the OpenGL device: the general program, which reads every switch of the
// fixed pipeline from uniforms, and its variants, in which the switches of one device state are
// constants, so the compiler drops every branch and operation that state does not use.
#pragma once

#include <cstdint>
#include <string>

namespace veltrane::gfx {

extern const char* const kGlVertexShader;
extern const char* const kGlFragmentShader;

// The device state a variant is made for. Make it with Canonical, so states that draw alike share
// one variant.
struct TGlShaderKey {
    bool Lighting = true;
    bool Normalize = false;
    bool Specular = false; // specular enabled (lighting only)
    bool LocalViewer = false;
    bool ColourVertex = false;
    bool Texture = false; // a texture is bound and an argument reads it
    uint8_t ColourOp = 0, ColourArg1 = 0, ColourArg2 = 0;
    uint8_t AlphaOp = 0, AlphaArg1 = 0, AlphaArg2 = 0;
    uint8_t AlphaFunc = 0; // 0: no alpha test

    // The state's switches with those that cannot change the picture set to fixed values.
    static TGlShaderKey Canonical(bool lighting, bool normalize, bool specular, bool localViewer,
                                  bool colourVertex, bool textureBound, uint32_t colourOp,
                                  uint32_t colourArg1, uint32_t colourArg2, uint32_t alphaOp,
                                  uint32_t alphaArg1, uint32_t alphaArg2, bool alphaTest, uint32_t alphaFunc);
    uint64_t Packed() const;
};

// The sources of the variant for key: the general program with its switches made constants.
void MakeGlShaderVariant(const TGlShaderKey& key, std::string& vertex, std::string& fragment);

} // namespace veltrane::gfx

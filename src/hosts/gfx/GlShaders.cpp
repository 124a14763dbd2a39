// The fixed-pipeline subset this game uses, per vertex:
// - Positions: row vectors times world, view and projection as the drawing code gives them
//   (loaded unchanged, they read as column-major GL matrices); depth 0..1 becomes GL's -1..1.
// - Lighting (when on): colour = emissive + material ambient x (global ambient + sum of light
//   ambient x attenuation) + sum of light diffuse x max(N.L, 0) x attenuation x vertex colour x
//   material diffuse. The diffuse alpha is the vertex alpha (every material of the game has alpha
//   0; texture and vertex decide transparency). Point lights reach no further than their range;
//   attenuation is 1 / (a0 + a1 d + a2 d^2). Specular (when enabled) uses the half vector towards
//   the eye and the material power, and is added after the texture stage.
// - Lighting off: the vertex colour as it is, no specular.
// - One texture stage: colour and alpha each by their operation over TEXTURE, DIFFUSE (= CURRENT),
//   TFACTOR or SPECULAR, with complement and alpha replicate. No texture reads opaque white.
#include "hosts/gfx/GlShaders.h"

#include <stdexcept>

namespace veltrane::gfx {

const char* const kGlVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aColour;
layout(location = 3) in vec2 aTexCoord;

const int kMaxLights = 4;

uniform mat4 uWorld;
uniform mat4 uViewProjection;
uniform mat3 uNormalMatrix;
uniform vec3 uEye;
uniform bool uLighting;
uniform bool uNormalize;
uniform bool uSpecularEnable;
uniform bool uLocalViewer;
uniform bool uColourVertex;
uniform vec3 uGlobalAmbient;
uniform vec4 uMatDiffuse;
uniform vec3 uMatAmbient;
uniform vec3 uMatSpecular;
uniform vec3 uMatEmissive;
uniform float uMatPower;
uniform int uLightCount; // the enabled lights come first
uniform int uLightType[kMaxLights]; // 1 point, 2 spot (as point), 3 directional
uniform vec3 uLightPosition[kMaxLights];
uniform vec3 uLightDirection[kMaxLights];
uniform vec3 uLightDiffuse[kMaxLights];
uniform vec3 uLightSpecular[kMaxLights];
uniform vec3 uLightAmbient[kMaxLights];
uniform vec4 uLightAttenuation[kMaxLights]; // a0, a1, a2, range

out vec4 vDiffuse;
out vec3 vSpecular;
out vec2 vTexCoord;

void main() {
    vec4 world = uWorld * vec4(aPosition, 1.0);
    gl_Position = uViewProjection * world;
    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;
    vTexCoord = aTexCoord;
    if (!uLighting) {
        vDiffuse = aColour;
        vSpecular = vec3(0.0);
        return;
    }
    vec3 n = uNormalMatrix * aNormal;
    if (uNormalize) n = normalize(n);
    vec3 toEye = uLocalViewer ? normalize(uEye - world.xyz) : vec3(0.0, 0.0, 1.0);
    vec4 diffuseSource = uColourVertex ? vec4(aColour.rgb * uMatDiffuse.rgb, aColour.a) : uMatDiffuse;
    vec3 ambient = uGlobalAmbient;
    vec3 diffuse = vec3(0.0);
    vec3 specular = vec3(0.0);
    for (int i = 0; i < uLightCount; ++i) {
        vec3 l;
        float attenuation = 1.0;
        if (uLightType[i] == 3) {
            l = -normalize(uLightDirection[i]);
        } else {
            vec3 d = uLightPosition[i] - world.xyz;
            float dist = length(d);
            if (dist > uLightAttenuation[i].w) continue;
            l = dist > 0.0 ? d / dist : vec3(0.0, 0.0, 1.0);
            float denominator = uLightAttenuation[i].x + uLightAttenuation[i].y * dist +
                                uLightAttenuation[i].z * dist * dist;
            attenuation = denominator > 0.0 ? 1.0 / denominator : 1.0;
        }
        ambient += uLightAmbient[i] * attenuation;
        float nDotL = dot(n, l);
        if (nDotL > 0.0) {
            diffuse += uLightDiffuse[i] * nDotL * attenuation;
            if (uSpecularEnable) {
                float nDotH = max(dot(n, normalize(l + toEye)), 0.0);
                specular += uLightSpecular[i] * pow(nDotH, max(uMatPower, 0.0001)) * attenuation;
            }
        }
    }
    vec3 colour = uMatEmissive + uMatAmbient * ambient + diffuse * diffuseSource.rgb;
    vDiffuse = vec4(clamp(colour, 0.0, 1.0), diffuseSource.a);
    vSpecular = uSpecularEnable ? clamp(specular * uMatSpecular, 0.0, 1.0) : vec3(0.0);
}
)";

const char* const kGlFragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec3 vSpecular;
in vec2 vTexCoord;
out vec4 fragColour;

uniform sampler2D uTexture;
uniform bool uHasTexture;
uniform int uColourOp;
uniform int uColourArg1;
uniform int uColourArg2;
uniform int uAlphaOp;
uniform int uAlphaArg1;
uniform int uAlphaArg2;
uniform vec4 uTextureFactor;
uniform bool uAddSpecular;
uniform bool uAlphaTest;
uniform int uAlphaFunc;
uniform float uAlphaRef;

vec4 Argument(int arg, vec4 texel) {
    int select = arg & 15;
    vec4 v = vDiffuse; // D3DTA_DIFFUSE, and D3DTA_CURRENT on the first stage
    if (select == 2) v = texel;
    else if (select == 3) v = uTextureFactor;
    else if (select == 4) v = vec4(vSpecular, 1.0);
    if ((arg & 16) != 0) v = vec4(1.0) - v;
    if ((arg & 32) != 0) v = vec4(v.a);
    return v;
}

vec4 Operation(int op, vec4 a1, vec4 a2) {
    if (op == 2) return a1;
    if (op == 3) return a2;
    if (op == 4) return a1 * a2;
    if (op == 5) return clamp(2.0 * a1 * a2, 0.0, 1.0);
    if (op == 6) return clamp(4.0 * a1 * a2, 0.0, 1.0);
    if (op == 7) return clamp(a1 + a2, 0.0, 1.0);
    if (op == 8) return clamp(a1 + a2 - 0.5, 0.0, 1.0);
    if (op == 10) return clamp(a1 - a2, 0.0, 1.0);
    return vDiffuse; // D3DTOP_DISABLE
}

bool Passes(float a) {
    float v = floor(a * 255.0 + 0.5);
    if (uAlphaFunc == 1) return false;
    if (uAlphaFunc == 2) return v < uAlphaRef;
    if (uAlphaFunc == 3) return v == uAlphaRef;
    if (uAlphaFunc == 4) return v <= uAlphaRef;
    if (uAlphaFunc == 5) return v > uAlphaRef;
    if (uAlphaFunc == 6) return v != uAlphaRef;
    if (uAlphaFunc == 7) return v >= uAlphaRef;
    return true;
}

void main() {
    vec4 texel = uHasTexture ? texture(uTexture, vTexCoord) : vec4(1.0);
    vec4 colour;
    if (uColourOp == 1) {
        colour = vDiffuse; // the stage is off: colour and alpha pass through
    } else {
        colour.rgb = Operation(uColourOp, Argument(uColourArg1, texel), Argument(uColourArg2, texel)).rgb;
        colour.a = Operation(uAlphaOp, Argument(uAlphaArg1, texel), Argument(uAlphaArg2, texel)).a;
    }
    if (uAddSpecular) colour.rgb = min(colour.rgb + vSpecular, vec3(1.0));
    if (uAlphaTest && !Passes(colour.a)) discard;
    fragColour = colour;
}
)";

namespace {

// Operations the stage knows; any other colour or alpha operation passes the diffuse colour on
// (0 here), and a colour operation of 1 turns the stage off.
uint8_t CanonicalOp(uint32_t op, bool colour) {
    switch (op) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 10:
        return uint8_t(op);
    case 1:
        return colour ? 1 : 0;
    default:
        return 0;
    }
}

// The source (texture 2, factor 3, specular 4, else diffuse 0) and the complement and
// alpha-replicate modifiers of an argument.
uint8_t CanonicalArg(uint32_t arg) {
    const uint32_t select = arg & 15;
    return uint8_t((select >= 2 && select <= 4 ? select : 0) | (arg & 48));
}

// Keeps only the arguments op reads.
void CanonicalArgs(uint8_t op, uint32_t arg1, uint32_t arg2, uint8_t& out1, uint8_t& out2) {
    const bool reads1 = op >= 2 && op != 3, reads2 = op >= 3;
    out1 = reads1 ? CanonicalArg(arg1) : 0;
    out2 = reads2 ? CanonicalArg(arg2) : 0;
}

// Turns the declaration "uniform <type> <name>;" of source into a constant of value.
void MakeConstant(std::string& source, const std::string& type, const std::string& name,
                  const std::string& value) {
    const std::string declaration = "uniform " + type + " " + name + ";";
    const size_t at = source.find(declaration);
    if (at == std::string::npos) throw std::logic_error("shader switch not found: " + name);
    source.replace(at, declaration.size(), "const " + type + " " + name + " = " + value + ";");
}

const char* Bool(bool b) {
    return b ? "true" : "false";
}

} // namespace

TGlShaderKey TGlShaderKey::Canonical(bool lighting, bool normalize, bool specular, bool localViewer,
                                     bool colourVertex, bool textureBound, uint32_t colourOp,
                                     uint32_t colourArg1, uint32_t colourArg2, uint32_t alphaOp,
                                     uint32_t alphaArg1, uint32_t alphaArg2, bool alphaTest,
                                     uint32_t alphaFunc) {
    TGlShaderKey key;
    key.Lighting = lighting;
    key.Normalize = lighting && normalize;
    key.Specular = lighting && specular;
    key.LocalViewer = key.Specular && localViewer;
    key.ColourVertex = lighting && colourVertex;
    key.ColourOp = CanonicalOp(colourOp, true);
    if (key.ColourOp != 1) {
        CanonicalArgs(key.ColourOp, colourArg1, colourArg2, key.ColourArg1, key.ColourArg2);
        key.AlphaOp = CanonicalOp(alphaOp, false);
        CanonicalArgs(key.AlphaOp, alphaArg1, alphaArg2, key.AlphaArg1, key.AlphaArg2);
    }
    const auto readsTexture = [](uint8_t arg) { return (arg & 15) == 2; };
    key.Texture = textureBound && (readsTexture(key.ColourArg1) || readsTexture(key.ColourArg2) ||
                                   readsTexture(key.AlphaArg1) || readsTexture(key.AlphaArg2));
    key.AlphaFunc = alphaTest && alphaFunc >= 1 && alphaFunc <= 7 ? uint8_t(alphaFunc) : 0;
    return key;
}

uint64_t TGlShaderKey::Packed() const {
    uint64_t bits = uint64_t(Lighting) | uint64_t(Normalize) << 1 | uint64_t(Specular) << 2 |
                    uint64_t(LocalViewer) << 3 | uint64_t(ColourVertex) << 4 | uint64_t(Texture) << 5;
    bits |= uint64_t(ColourOp) << 8 | uint64_t(ColourArg1) << 16 | uint64_t(ColourArg2) << 24;
    bits |= uint64_t(AlphaOp) << 32 | uint64_t(AlphaArg1) << 40 | uint64_t(AlphaArg2) << 48;
    return bits | uint64_t(AlphaFunc) << 56;
}

void MakeGlShaderVariant(const TGlShaderKey& key, std::string& vertex, std::string& fragment) {
    vertex = kGlVertexShader;
    MakeConstant(vertex, "bool", "uLighting", Bool(key.Lighting));
    MakeConstant(vertex, "bool", "uNormalize", Bool(key.Normalize));
    MakeConstant(vertex, "bool", "uSpecularEnable", Bool(key.Specular));
    MakeConstant(vertex, "bool", "uLocalViewer", Bool(key.LocalViewer));
    MakeConstant(vertex, "bool", "uColourVertex", Bool(key.ColourVertex));

    fragment = kGlFragmentShader;
    MakeConstant(fragment, "bool", "uHasTexture", Bool(key.Texture));
    MakeConstant(fragment, "int", "uColourOp", std::to_string(key.ColourOp));
    MakeConstant(fragment, "int", "uColourArg1", std::to_string(key.ColourArg1));
    MakeConstant(fragment, "int", "uColourArg2", std::to_string(key.ColourArg2));
    MakeConstant(fragment, "int", "uAlphaOp", std::to_string(key.AlphaOp));
    MakeConstant(fragment, "int", "uAlphaArg1", std::to_string(key.AlphaArg1));
    MakeConstant(fragment, "int", "uAlphaArg2", std::to_string(key.AlphaArg2));
    MakeConstant(fragment, "bool", "uAddSpecular", Bool(key.Specular));
    MakeConstant(fragment, "bool", "uAlphaTest", Bool(key.AlphaFunc != 0));
    MakeConstant(fragment, "int", "uAlphaFunc", std::to_string(key.AlphaFunc != 0 ? key.AlphaFunc : 8));
}

} // namespace veltrane::gfx

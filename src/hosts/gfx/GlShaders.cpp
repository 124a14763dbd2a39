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

} // namespace veltrane::gfx

#include "hosts/gfx/GlDevice.h"

#include "hosts/gfx/GlShaders.h"
#include "platform/Picture.h"
#include "platform/gfx/DeviceState.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>

namespace veltrane::gfx {

namespace {

// Lives as long as the GL context; textures and buffers find through it whether their GL
// names still need deleting, and from which thread they may be deleted at once.
struct TGlContextToken {
    std::thread::id Thread = std::this_thread::get_id();
    std::mutex Mutex;
    std::vector<GLuint> DeadTextures;
    std::vector<GLuint> DeadBuffers;

    void Release(GLuint name, bool texture) {
        if (std::this_thread::get_id() == Thread) {
            if (texture)
                glDeleteTextures(1, &name);
            else
                glDeleteBuffers(1, &name);
            return;
        }
        std::lock_guard lock(Mutex);
        (texture ? DeadTextures : DeadBuffers).push_back(name);
    }

    void DeleteDeferred() {
        std::lock_guard lock(Mutex);
        if (!DeadTextures.empty()) glDeleteTextures(GLsizei(DeadTextures.size()), DeadTextures.data());
        if (!DeadBuffers.empty()) glDeleteBuffers(GLsizei(DeadBuffers.size()), DeadBuffers.data());
        DeadTextures.clear();
        DeadBuffers.clear();
    }
};

class TGlTexture final : public ITexture {
public:
    TGlTexture(std::weak_ptr<TGlContextToken> token, GLuint name, const TTextureImage& image)
        : token_(std::move(token)), name_(name), width_(image.Levels.front().Width),
          height_(image.Levels.front().Height), levels_(uint32_t(image.Levels.size())),
          format_(image.Format) {}
    ~TGlTexture() override {
        if (auto token = token_.lock()) token->Release(name_, true);
    }
    uint32_t Width() const override { return width_; }
    uint32_t Height() const override { return height_; }
    uint32_t Levels() const override { return levels_; }
    D3DFORMAT Format() const override { return format_; }
    GLuint Name() const { return name_; }
    // Only the picture itself is sent to GL at first; the smaller levels are made by the driver
    // when a draw first samples the texture with a mip filter (this game never does, and the
    // levels would take a third more memory).
    void MakeLevels() const {
        if (levelsMade_ || levels_ < 2) return;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(levels_) - 1);
        glGenerateMipmap(GL_TEXTURE_2D);
        levelsMade_ = true;
    }

private:
    std::weak_ptr<TGlContextToken> token_;
    GLuint name_;
    uint32_t width_, height_, levels_;
    D3DFORMAT format_;
    mutable bool levelsMade_ = false;
};

// The managed pool: a copy in memory, written through Lock and sent to GL at Unlock.
class TGlVertexBuffer final : public IVertexBuffer {
public:
    TGlVertexBuffer(std::weak_ptr<TGlContextToken> token, GLuint name, uint32_t length)
        : token_(std::move(token)), name_(name), bytes_(length) {}
    ~TGlVertexBuffer() override {
        if (auto token = token_.lock()) token->Release(name_, false);
    }
    HRESULT Lock(uint32_t offset, uint32_t size, uint8_t** data, uint32_t flags) override {
        (void)flags;
        if (size == 0 && offset <= bytes_.size()) size = uint32_t(bytes_.size()) - offset;
        if (locked_ || data == nullptr || uint64_t(offset) + size > bytes_.size()) return D3DERR_INVALIDCALL;
        lockOffset_ = offset;
        lockSize_ = size;
        locked_ = true;
        *data = bytes_.data() + offset;
        return D3D_OK;
    }
    HRESULT Unlock() override {
        if (!locked_) return D3DERR_INVALIDCALL;
        locked_ = false;
        if (token_.expired()) return D3DERR_DEVICELOST;
        if (lockSize_ == 0) return D3D_OK;
        glBindBuffer(GL_ARRAY_BUFFER, name_);
        glBufferSubData(GL_ARRAY_BUFFER, lockOffset_, lockSize_, bytes_.data() + lockOffset_);
        return D3D_OK;
    }
    uint32_t Length() const override { return uint32_t(bytes_.size()); }
    GLuint Name() const { return name_; }

private:
    std::weak_ptr<TGlContextToken> token_;
    GLuint name_;
    std::vector<uint8_t> bytes_;
    uint32_t lockOffset_ = 0, lockSize_ = 0;
    bool locked_ = false;
};

GLenum BlendFactor(uint32_t blend) {
    switch (blend) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_ONE:
        return GL_ONE;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    default:
        return GL_INVALID_ENUM;
    }
}

GLenum CompareFunc(uint32_t func) {
    switch (func) {
    case D3DCMP_NEVER:
        return GL_NEVER;
    case D3DCMP_LESS:
        return GL_LESS;
    case D3DCMP_EQUAL:
        return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
        return GL_LEQUAL;
    case D3DCMP_GREATER:
        return GL_GREATER;
    case D3DCMP_NOTEQUAL:
        return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
        return GL_GEQUAL;
    case D3DCMP_ALWAYS:
        return GL_ALWAYS;
    default:
        return GL_INVALID_ENUM;
    }
}

GLint WrapMode(uint32_t address) {
    switch (address) {
    case D3DTADDRESS_MIRROR:
        return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
        return GL_CLAMP_TO_EDGE;
    default:
        return GL_REPEAT;
    }
}

// a x b for row-major matrices.
void Multiply(const D3DMATRIX& a, const D3DMATRIX& b, float out[16]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.m[r][k] * b.m[k][c];
            out[r * 4 + c] = sum;
        }
}

// The cofactor matrix of the upper 3 x 3 of m, and its determinant.
float Cofactors(const D3DMATRIX& m, float c[9]) {
    auto a = [&](int r, int col) { return m.m[r][col]; };
    c[0] = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
    c[1] = a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2);
    c[2] = a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0);
    c[3] = a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2);
    c[4] = a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0);
    c[5] = a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1);
    c[6] = a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1);
    c[7] = a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2);
    c[8] = a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0);
    return a(0, 0) * c[0] + a(0, 1) * c[1] + a(0, 2) * c[2];
}

GLuint Compile(GLenum type, const char* source, std::string& error) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        error = std::string("shader compilation failed: ") + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Links a program of the two sources; 0 and error on failure.
GLuint Link(const char* vertex, const char* fragment, std::string& error) {
    GLuint vs = Compile(GL_VERTEX_SHADER, vertex, error);
    if (!vs) return 0;
    GLuint fs = Compile(GL_FRAGMENT_SHADER, fragment, error);
    if (!fs) {
        glDeleteShader(vs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        error = std::string("shader link failed: ") + log;
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

enum : uint32_t {
    kDirtyKey = 1, // a switch that picks the program
    kDirtySampler = 2,
    kDirtyTexture = 4,
    kDirtyAll = 7,
};

// Groups of uniforms, each uploaded to a program only when it changed since that program last
// drew.
enum TUniformGroup : uint32_t {
    kGroupWorld,
    kGroupViewProjection,
    kGroupMaterial,
    kGroupLights,
    kGroupAmbient,
    kGroupFactor,
    kGroupAlphaRef,
    kGroupSwitches, // the general program's switches
    kGroupCount,
};

constexpr uint64_t kGeneralKey = ~uint64_t(0);

struct TUniforms {
    GLint World, ViewProjection, NormalMatrix, Eye, Lighting, Normalize, SpecularEnable, LocalViewer,
        ColourVertex, GlobalAmbient, MatDiffuse, MatAmbient, MatSpecular, MatEmissive, MatPower, LightCount,
        LightType, LightPosition, LightDirection, LightDiffuse, LightSpecular, LightAmbient, LightAttenuation,
        Texture, HasTexture, ColourOp, ColourArg1, ColourArg2, AlphaOp, AlphaArg1, AlphaArg2, TextureFactor,
        AddSpecular, AlphaTest, AlphaFunc, AlphaRef;
};

struct TGlProgram {
    uint64_t Key = kGeneralKey;
    GLuint Name = 0;
    TUniforms U{};
    std::array<uint32_t, kGroupCount> Seen{}; // the version of each group it holds
};

} // namespace

struct TGlDevice::Impl {
    SDL_Window* Window = nullptr;
    bool OwnsWindow = false;
    bool OwnsVideo = false;
    SDL_GLContext Context = nullptr;
    std::shared_ptr<TGlContextToken> Token;
    GLuint Vao = 0, Sampler = 0;
    int ViewportWidth = 0, ViewportHeight = 0; // the whole back buffer
    TPictureRect Picture;                      // where the 4:3 picture is drawn in it
    TDeviceState State;
    uint32_t Dirty = kDirtyAll;
    GLuint BoundTexture = 0;
    bool HasTexture = false;
    // The general program comes first; the variants follow as states first need them.
    std::vector<TGlProgram> Programs;
    size_t Active = 0;
    std::vector<uint64_t> Broken; // variants the driver refused: their states use the general one
    bool Variants = true;
    std::array<uint32_t, kGroupCount> Versions{};

    ~Impl() {
        if (Context) {
            Token.reset();
            SDL_GL_DeleteContext(Context);
        }
        if (OwnsWindow && Window) SDL_DestroyWindow(Window);
        if (OwnsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool Init(std::string& error) {
        // SDL unloads the GL driver with the last GL window; a new device would then load it
        // all over again, and the leak checker would see the unloaded driver's leftovers. One
        // extra reference keeps it loaded for the rest of the program.
        static const bool pinned = SDL_GL_LoadLibrary(nullptr) == 0;
        (void)pinned;
        Context = SDL_GL_CreateContext(Window);
        if (!Context) {
            error = std::string("OpenGL context creation failed: ") + SDL_GetError();
            return false;
        }
        if (SDL_GL_MakeCurrent(Window, Context) != 0) {
            error = std::string("OpenGL context could not be made current: ") + SDL_GetError();
            return false;
        }
        if (epoxy_gl_version() < 33 || epoxy_is_desktop_gl() == 0) {
            error =
                "OpenGL 3.3 core is not available (got version " + std::to_string(epoxy_gl_version()) + ")";
            return false;
        }
        Token = std::make_shared<TGlContextToken>();
        Programs.reserve(64);
        if (!AddProgram(kGeneralKey, kGlVertexShader, kGlFragmentShader, error)) return false;
        glUseProgram(Programs[0].Name);
        Versions.fill(1);

        glGenVertexArrays(1, &Vao);
        glBindVertexArray(Vao);
        glGenSamplers(1, &Sampler);
        glBindSampler(0, Sampler);
        glActiveTexture(GL_TEXTURE0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        for (uint32_t s : {D3DRS_ZENABLE, D3DRS_ZWRITEENABLE, D3DRS_ZFUNC, D3DRS_ALPHABLENDENABLE,
                           D3DRS_SRCBLEND, D3DRS_CULLMODE, D3DRS_FILLMODE})
            ApplyRenderState(D3DRENDERSTATETYPE(s));
        UpdateViewport();
        if (glGetError() != GL_NO_ERROR) {
            error = "OpenGL set-up failed";
            return false;
        }
        return true;
    }

    bool AddProgram(uint64_t key, const char* vertex, const char* fragment, std::string& error) {
        const GLuint name = Link(vertex, fragment, error);
        if (!name) return false;
        TGlProgram& p = Programs.emplace_back();
        p.Key = key;
        p.Name = name;
        auto loc = [&](const char* uniform) { return glGetUniformLocation(name, uniform); };
        TUniforms& u = p.U;
        u.World = loc("uWorld");
        u.ViewProjection = loc("uViewProjection");
        u.NormalMatrix = loc("uNormalMatrix");
        u.Eye = loc("uEye");
        u.Lighting = loc("uLighting");
        u.Normalize = loc("uNormalize");
        u.SpecularEnable = loc("uSpecularEnable");
        u.LocalViewer = loc("uLocalViewer");
        u.ColourVertex = loc("uColourVertex");
        u.GlobalAmbient = loc("uGlobalAmbient");
        u.MatDiffuse = loc("uMatDiffuse");
        u.MatAmbient = loc("uMatAmbient");
        u.MatSpecular = loc("uMatSpecular");
        u.MatEmissive = loc("uMatEmissive");
        u.MatPower = loc("uMatPower");
        u.LightCount = loc("uLightCount");
        u.LightType = loc("uLightType");
        u.LightPosition = loc("uLightPosition");
        u.LightDirection = loc("uLightDirection");
        u.LightDiffuse = loc("uLightDiffuse");
        u.LightSpecular = loc("uLightSpecular");
        u.LightAmbient = loc("uLightAmbient");
        u.LightAttenuation = loc("uLightAttenuation");
        u.Texture = loc("uTexture");
        u.HasTexture = loc("uHasTexture");
        u.ColourOp = loc("uColourOp");
        u.ColourArg1 = loc("uColourArg1");
        u.ColourArg2 = loc("uColourArg2");
        u.AlphaOp = loc("uAlphaOp");
        u.AlphaArg1 = loc("uAlphaArg1");
        u.AlphaArg2 = loc("uAlphaArg2");
        u.TextureFactor = loc("uTextureFactor");
        u.AddSpecular = loc("uAddSpecular");
        u.AlphaTest = loc("uAlphaTest");
        u.AlphaFunc = loc("uAlphaFunc");
        u.AlphaRef = loc("uAlphaRef");
        glUseProgram(name);
        glUniform1i(u.Texture, 0);
        return true;
    }

    // The program for the current state: made on its first use; the general program when a
    // variant cannot be made.
    size_t ProgramForState() {
        if (!Variants) return 0;
        const auto rs = [&](D3DRENDERSTATETYPE s) { return State.RenderStates[s]; };
        const auto ss = [&](D3DTEXTURESTAGESTATETYPE t) { return State.StageStates[t]; };
        const uint64_t key =
            TGlShaderKey::Canonical(
                rs(D3DRS_LIGHTING) != 0, rs(D3DRS_NORMALIZENORMALS) != 0, rs(D3DRS_SPECULARENABLE) != 0,
                rs(D3DRS_LOCALVIEWER) != 0, rs(D3DRS_COLORVERTEX) != 0, HasTexture, ss(D3DTSS_COLOROP),
                ss(D3DTSS_COLORARG1), ss(D3DTSS_COLORARG2), ss(D3DTSS_ALPHAOP), ss(D3DTSS_ALPHAARG1),
                ss(D3DTSS_ALPHAARG2), rs(D3DRS_ALPHATESTENABLE) != 0, rs(D3DRS_ALPHAFUNC))
                .Packed();
        for (size_t i = 1; i < Programs.size(); ++i)
            if (Programs[i].Key == key) return i;
        if (std::find(Broken.begin(), Broken.end(), key) != Broken.end()) return 0;
        TGlShaderKey unpacked;
        unpacked.Lighting = key & 1;
        unpacked.Normalize = (key >> 1) & 1;
        unpacked.Specular = (key >> 2) & 1;
        unpacked.LocalViewer = (key >> 3) & 1;
        unpacked.ColourVertex = (key >> 4) & 1;
        unpacked.Texture = (key >> 5) & 1;
        unpacked.ColourOp = uint8_t(key >> 8);
        unpacked.ColourArg1 = uint8_t(key >> 16);
        unpacked.ColourArg2 = uint8_t(key >> 24);
        unpacked.AlphaOp = uint8_t(key >> 32);
        unpacked.AlphaArg1 = uint8_t(key >> 40);
        unpacked.AlphaArg2 = uint8_t(key >> 48);
        unpacked.AlphaFunc = uint8_t(key >> 56);
        std::string vertex, fragment, error;
        MakeGlShaderVariant(unpacked, vertex, fragment);
        if (!AddProgram(key, vertex.c_str(), fragment.c_str(), error)) {
            Broken.push_back(key);
            return 0;
        }
        glUseProgram(Programs[Active].Name);
        return Programs.size() - 1;
    }

    void UpdateViewport() {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(Window, &w, &h);
        if (w != ViewportWidth || h != ViewportHeight) {
            ViewportWidth = w;
            ViewportHeight = h;
            Picture = FitPicture(w, h);
            glViewport(Picture.Left, h - Picture.Top - Picture.Height, Picture.Width, Picture.Height);
        }
    }

    // The scene covers only its picture: the bars beside or above and below it are kept dark.
    void ClearBars() {
        if (Picture.Width == ViewportWidth && Picture.Height == ViewportHeight) return;
        glEnable(GL_SCISSOR_TEST);
        glClearColor(0, 0, 0, 1);
        const int right = Picture.Left + Picture.Width, top = ViewportHeight - Picture.Top;
        const int bottom = top - Picture.Height;
        if (Picture.Left > 0) {
            glScissor(0, 0, Picture.Left, ViewportHeight);
            glClear(GL_COLOR_BUFFER_BIT);
            glScissor(right, 0, ViewportWidth - right, ViewportHeight);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        if (Picture.Top > 0) {
            glScissor(0, top, ViewportWidth, ViewportHeight - top);
            glClear(GL_COLOR_BUFFER_BIT);
            glScissor(0, 0, ViewportWidth, bottom);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
    }

    void Changed(TUniformGroup group) { ++Versions[group]; }

    // States GL keeps itself are applied at once; the rest reach the shader at the next draw.
    void ApplyRenderState(D3DRENDERSTATETYPE state) {
        const uint32_t v = State.RenderStates[state];
        switch (state) {
        case D3DRS_ZENABLE:
            (v ? glEnable : glDisable)(GL_DEPTH_TEST);
            break;
        case D3DRS_ZWRITEENABLE:
            glDepthMask(v ? GL_TRUE : GL_FALSE);
            break;
        case D3DRS_ZFUNC:
            glDepthFunc(CompareFunc(v));
            break;
        case D3DRS_ALPHABLENDENABLE:
            (v ? glEnable : glDisable)(GL_BLEND);
            break;
        case D3DRS_SRCBLEND:
        case D3DRS_DESTBLEND:
            glBlendFunc(BlendFactor(State.RenderStates[D3DRS_SRCBLEND]),
                        BlendFactor(State.RenderStates[D3DRS_DESTBLEND]));
            break;
        case D3DRS_CULLMODE:
            // Clockwise and counter-clockwise as seen on the screen; GL's window y also points up
            // the screen, so the winding reads the same.
            if (v == D3DCULL_NONE) {
                glDisable(GL_CULL_FACE);
            } else {
                glEnable(GL_CULL_FACE);
                glCullFace(GL_BACK);
                glFrontFace(v == D3DCULL_CW ? GL_CCW : GL_CW);
            }
            break;
        case D3DRS_FILLMODE:
            glPolygonMode(GL_FRONT_AND_BACK, v == D3DFILL_POINT       ? GL_POINT
                                             : v == D3DFILL_WIREFRAME ? GL_LINE
                                                                      : GL_FILL);
            break;
        case D3DRS_LIGHTING:
        case D3DRS_SPECULARENABLE:
        case D3DRS_NORMALIZENORMALS:
        case D3DRS_LOCALVIEWER:
        case D3DRS_COLORVERTEX:
        case D3DRS_ALPHATESTENABLE:
        case D3DRS_ALPHAFUNC:
            Dirty |= kDirtyKey;
            break;
        case D3DRS_AMBIENT:
            Changed(kGroupAmbient);
            break;
        case D3DRS_TEXTUREFACTOR:
            Changed(kGroupFactor);
            break;
        case D3DRS_ALPHAREF:
            Changed(kGroupAlphaRef);
            break;
        default:
            break; // kept only: clipping, edge antialiasing, dithering, fog, shading, last pixel
        }
    }

    static void Colour3(GLint location, D3DCOLOR c) {
        glUniform3f(location, float((c >> 16) & 0xFF) / 255, float((c >> 8) & 0xFF) / 255,
                    float(c & 0xFF) / 255);
    }

    void UploadWorld(const TUniforms& u) {
        glUniformMatrix4fv(u.World, 1, GL_FALSE, &State.World.m[0][0]);
        if (u.NormalMatrix < 0) return; // lighting off: no normals
        float c[9];
        const float det = Cofactors(State.World, c);
        const float k = std::fabs(det) > 1e-20f ? 1 / det : 1;
        for (float& x : c) x *= k;
        glUniformMatrix3fv(u.NormalMatrix, 1, GL_FALSE, c);
    }

    void UploadViewProjection(const TUniforms& u) {
        float viewProjection[16];
        Multiply(State.View, State.Projection, viewProjection);
        glUniformMatrix4fv(u.ViewProjection, 1, GL_FALSE, viewProjection);
        if (u.Eye < 0) return;
        // The eye: the point the view matrix takes to the origin, -t R^-1.
        float r[9];
        const float viewDet = Cofactors(State.View, r);
        float eye[3] = {0, 0, 0};
        if (std::fabs(viewDet) > 1e-20f)
            for (int i = 0; i < 3; ++i) {
                // (R^-1)[j][i] = cofactor[i][j] / det
                float sum = 0;
                for (int j = 0; j < 3; ++j) sum += State.View.m[3][j] * r[i * 3 + j];
                eye[i] = -sum / viewDet;
            }
        glUniform3fv(u.Eye, 1, eye);
    }

    void UploadMaterial(const TUniforms& u) {
        const D3DMATERIAL8& m = State.Material;
        glUniform4f(u.MatDiffuse, m.Diffuse.r, m.Diffuse.g, m.Diffuse.b, m.Diffuse.a);
        glUniform3f(u.MatAmbient, m.Ambient.r, m.Ambient.g, m.Ambient.b);
        glUniform3f(u.MatSpecular, m.Specular.r, m.Specular.g, m.Specular.b);
        glUniform3f(u.MatEmissive, m.Emissive.r, m.Emissive.g, m.Emissive.b);
        glUniform1f(u.MatPower, m.Power);
    }

    void UploadLights(const TUniforms& u) {
        GLint type[kMaxLights] = {};
        float position[kMaxLights * 3] = {}, direction[kMaxLights * 3] = {}, diffuse[kMaxLights * 3] = {},
                                    specular[kMaxLights * 3] = {}, ambient[kMaxLights * 3] = {},
                                    attenuation[kMaxLights * 4] = {};
        GLint count = 0;
        for (uint32_t slot = 0; slot < kMaxLights; ++slot) {
            if (!State.LightEnabled[slot]) continue;
            const D3DLIGHT8& l = State.Lights[slot];
            const GLint i = count++;
            type[i] = GLint(l.Type);
            const float p[3] = {l.Position.x, l.Position.y, l.Position.z};
            const float d[3] = {l.Direction.x, l.Direction.y, l.Direction.z};
            const float df[3] = {l.Diffuse.r, l.Diffuse.g, l.Diffuse.b};
            const float sp[3] = {l.Specular.r, l.Specular.g, l.Specular.b};
            const float am[3] = {l.Ambient.r, l.Ambient.g, l.Ambient.b};
            for (int k = 0; k < 3; ++k) {
                position[i * 3 + k] = p[k];
                direction[i * 3 + k] = d[k];
                diffuse[i * 3 + k] = df[k];
                specular[i * 3 + k] = sp[k];
                ambient[i * 3 + k] = am[k];
            }
            attenuation[i * 4 + 0] = l.Attenuation0;
            attenuation[i * 4 + 1] = l.Attenuation1;
            attenuation[i * 4 + 2] = l.Attenuation2;
            attenuation[i * 4 + 3] = l.Range;
        }
        glUniform1i(u.LightCount, count);
        glUniform1iv(u.LightType, kMaxLights, type);
        glUniform3fv(u.LightPosition, kMaxLights, position);
        glUniform3fv(u.LightDirection, kMaxLights, direction);
        glUniform3fv(u.LightDiffuse, kMaxLights, diffuse);
        glUniform3fv(u.LightSpecular, kMaxLights, specular);
        glUniform3fv(u.LightAmbient, kMaxLights, ambient);
        glUniform4fv(u.LightAttenuation, kMaxLights, attenuation);
    }

    void UploadSwitches(const TUniforms& u) {
        const auto rs = [&](D3DRENDERSTATETYPE s) { return State.RenderStates[s]; };
        const auto ss = [&](D3DTEXTURESTAGESTATETYPE t) { return GLint(State.StageStates[t]); };
        glUniform1i(u.Lighting, rs(D3DRS_LIGHTING) != 0);
        glUniform1i(u.Normalize, rs(D3DRS_NORMALIZENORMALS) != 0);
        glUniform1i(u.SpecularEnable, rs(D3DRS_SPECULARENABLE) != 0);
        glUniform1i(u.AddSpecular, rs(D3DRS_SPECULARENABLE) != 0 && rs(D3DRS_LIGHTING) != 0);
        glUniform1i(u.LocalViewer, rs(D3DRS_LOCALVIEWER) != 0);
        glUniform1i(u.ColourVertex, rs(D3DRS_COLORVERTEX) != 0);
        glUniform1i(u.ColourOp, ss(D3DTSS_COLOROP));
        glUniform1i(u.ColourArg1, ss(D3DTSS_COLORARG1));
        glUniform1i(u.ColourArg2, ss(D3DTSS_COLORARG2));
        glUniform1i(u.AlphaOp, ss(D3DTSS_ALPHAOP));
        glUniform1i(u.AlphaArg1, ss(D3DTSS_ALPHAARG1));
        glUniform1i(u.AlphaArg2, ss(D3DTSS_ALPHAARG2));
        glUniform1i(u.AlphaTest, rs(D3DRS_ALPHATESTENABLE) != 0);
        glUniform1i(u.AlphaFunc, GLint(rs(D3DRS_ALPHAFUNC)));
        glUniform1i(u.HasTexture, HasTexture);
    }

    void Flush() {
        if (Dirty & kDirtyKey) {
            Changed(kGroupSwitches);
            const size_t program = ProgramForState();
            if (program != Active) {
                glUseProgram(Programs[program].Name);
                Active = program;
            }
        }
        TGlProgram& p = Programs[Active];
        const TUniforms& u = p.U;
        const auto stale = [&](TUniformGroup group) {
            if (p.Seen[group] == Versions[group]) return false;
            p.Seen[group] = Versions[group];
            return true;
        };
        if (stale(kGroupWorld)) UploadWorld(u);
        if (stale(kGroupViewProjection)) UploadViewProjection(u);
        if (stale(kGroupMaterial)) UploadMaterial(u);
        if (stale(kGroupLights)) UploadLights(u);
        if (stale(kGroupAmbient)) Colour3(u.GlobalAmbient, State.RenderStates[D3DRS_AMBIENT]);
        if (stale(kGroupFactor)) {
            const D3DCOLOR f = State.RenderStates[D3DRS_TEXTUREFACTOR];
            glUniform4f(u.TextureFactor, float((f >> 16) & 0xFF) / 255, float((f >> 8) & 0xFF) / 255,
                        float(f & 0xFF) / 255, float(f >> 24) / 255);
        }
        if (stale(kGroupAlphaRef)) glUniform1f(u.AlphaRef, float(State.RenderStates[D3DRS_ALPHAREF] & 0xFF));
        if (stale(kGroupSwitches) && p.Key == kGeneralKey) UploadSwitches(u);
        if (Dirty & kDirtySampler) {
            const auto ss = [&](D3DTEXTURESTAGESTATETYPE t) { return State.StageStates[t]; };
            const bool magLinear = ss(D3DTSS_MAGFILTER) >= D3DTEXF_LINEAR;
            const bool minLinear = ss(D3DTSS_MINFILTER) >= D3DTEXF_LINEAR;
            GLint minFilter = minLinear ? GL_LINEAR : GL_NEAREST;
            if (ss(D3DTSS_MIPFILTER) == D3DTEXF_POINT)
                minFilter = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
            else if (ss(D3DTSS_MIPFILTER) >= D3DTEXF_LINEAR)
                minFilter = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
            glSamplerParameteri(Sampler, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
            glSamplerParameteri(Sampler, GL_TEXTURE_MIN_FILTER, minFilter);
            glSamplerParameteri(Sampler, GL_TEXTURE_WRAP_S, WrapMode(ss(D3DTSS_ADDRESSU)));
            glSamplerParameteri(Sampler, GL_TEXTURE_WRAP_T, WrapMode(ss(D3DTSS_ADDRESSV)));
        }
        if (Dirty & kDirtyTexture) {
            const auto* texture = static_cast<const TGlTexture*>(State.Texture.get());
            const GLuint name = texture ? texture->Name() : 0;
            if (name != BoundTexture) {
                glBindTexture(GL_TEXTURE_2D, name);
                BoundTexture = name;
            }
        }
        if ((Dirty & (kDirtySampler | kDirtyTexture)) && State.Texture &&
            State.StageStates[D3DTSS_MIPFILTER] != D3DTEXF_NONE)
            static_cast<const TGlTexture*>(State.Texture.get())->MakeLevels();
        Dirty = 0;
    }
};

void TGlDevice::PrepareWindowAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
}

TGlDevice::TGlDevice(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TGlDevice::~TGlDevice() = default;

std::unique_ptr<TGlDevice> TGlDevice::Create(SDL_Window* window, std::string& error) {
    if (!window) {
        error = "no window";
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->Window = window;
    if (!impl->Init(error)) return nullptr;
    return std::unique_ptr<TGlDevice>(new TGlDevice(std::move(impl)));
}

std::unique_ptr<TGlDevice> TGlDevice::CreateOffscreen(int width, int height, std::string& error,
                                                      int samples) {
    auto impl = std::make_unique<Impl>();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("SDL video could not start: ") + SDL_GetError();
        return nullptr;
    }
    impl->OwnsVideo = true;
    PrepareWindowAttributes();
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
    impl->Window = SDL_CreateWindow("veltrane", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                    height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!impl->Window) {
        error = std::string("window creation failed: ") + SDL_GetError();
        return nullptr;
    }
    impl->OwnsWindow = true;
    if (!impl->Init(error)) return nullptr;
    SDL_GL_SetSwapInterval(0);
    return std::unique_ptr<TGlDevice>(new TGlDevice(std::move(impl)));
}

void TGlDevice::UseShaderVariants(bool on) {
    impl_->Variants = on;
    impl_->Dirty |= kDirtyKey;
}

bool TGlDevice::SoftwareRenderer() const {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer) return false;
    const std::string name = renderer;
    return name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos ||
           name.find("swrast") != std::string::npos;
}

int TGlDevice::Samples() const {
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    return samples;
}

size_t TGlDevice::ProgramCount() const {
    return impl_->Programs.size();
}

void TGlDevice::Finish() {
    glFinish();
}

int TGlDevice::Width() const {
    return impl_->ViewportWidth;
}

int TGlDevice::Height() const {
    return impl_->ViewportHeight;
}

HRESULT TGlDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, D3DPOOL pool,
                                      VertexBufferHandle& vertexBuffer) {
    (void)usage;
    (void)fvf;
    (void)pool;
    if (length == 0) return D3DERR_INVALIDCALL;
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, length, nullptr, GL_DYNAMIC_DRAW);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &name);
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    vertexBuffer = std::make_shared<TGlVertexBuffer>(impl_->Token, name, length);
    return D3D_OK;
}

HRESULT TGlDevice::CreateTexture(const TTextureImage& image, TextureHandle& texture) {
    if (image.Levels.empty() || image.Levels.front().Width == 0 || image.Levels.front().Height == 0)
        return D3DERR_INVALIDCALL;
    for (const TTextureLevel& level : image.Levels)
        if (level.Pixels.size() != size_t(level.Width) * level.Height) return D3DERR_INVALIDCALL;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0); // see TGlTexture::MakeLevels
    const TTextureLevel& top = image.Levels.front();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(top.Width), GLsizei(top.Height), 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, top.Pixels.data());
    impl_->BoundTexture = name;
    impl_->Dirty |= kDirtyTexture;
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        impl_->BoundTexture = 0;
        return E_OUTOFMEMORY;
    }
    texture = std::make_shared<TGlTexture>(impl_->Token, name, image);
    return D3D_OK;
}

HRESULT TGlDevice::SetStreamSource(uint32_t streamNumber, const VertexBufferHandle& vertexBuffer,
                                   uint32_t stride) {
    auto* buffer = dynamic_cast<TGlVertexBuffer*>(vertexBuffer.get());
    if (streamNumber != 0 || (vertexBuffer && !buffer)) return D3DERR_INVALIDCALL;
    impl_->State.Stream = vertexBuffer;
    impl_->State.Stride = stride;
    if (!buffer) return D3D_OK;
    glBindVertexArray(impl_->Vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffer->Name());
    const GLsizei s = GLsizei(stride);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, s, reinterpret_cast<const void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, s, reinterpret_cast<const void*>(12));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, s, reinterpret_cast<const void*>(24));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, s, reinterpret_cast<const void*>(28));
    return D3D_OK;
}

HRESULT TGlDevice::SetVertexShader(uint32_t fvf) {
    if (fvf != kGameFVF) return D3DERR_INVALIDCALL;
    impl_->State.FVF = fvf;
    return D3D_OK;
}

HRESULT TGlDevice::SetTexture(uint32_t stage, const TextureHandle& texture) {
    if (stage != 0 || (texture && !dynamic_cast<const TGlTexture*>(texture.get()))) return D3DERR_INVALIDCALL;
    Impl& d = *impl_;
    if (d.State.Texture == texture) return D3D_OK;
    d.State.Texture = texture;
    d.Dirty |= kDirtyTexture;
    if (d.HasTexture != (texture != nullptr)) {
        d.HasTexture = texture != nullptr;
        d.Dirty |= kDirtyKey;
    }
    return D3D_OK;
}

HRESULT TGlDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
    if (HRESULT hr = CheckTransform(state); Failed(hr)) return hr;
    TDeviceState& s = impl_->State;
    D3DMATRIX& target = state == D3DTS_WORLD ? s.World : state == D3DTS_VIEW ? s.View : s.Projection;
    if (std::memcmp(&target, &matrix, sizeof matrix) == 0) return D3D_OK;
    target = matrix;
    impl_->Changed(state == D3DTS_WORLD ? kGroupWorld : kGroupViewProjection);
    return D3D_OK;
}

HRESULT TGlDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX& matrix) const {
    return GetStateTransform(impl_->State, state, matrix);
}

HRESULT TGlDevice::GetViewport(D3DVIEWPORT8& viewport) const {
    viewport = {0, 0, uint32_t(impl_->ViewportWidth), uint32_t(impl_->ViewportHeight), 0, 1};
    return D3D_OK;
}

HRESULT TGlDevice::SetMaterial(const D3DMATERIAL8& material) {
    if (std::memcmp(&impl_->State.Material, &material, sizeof material) == 0) return D3D_OK;
    impl_->State.Material = material;
    impl_->Changed(kGroupMaterial);
    return D3D_OK;
}

HRESULT TGlDevice::SetRenderState(D3DRENDERSTATETYPE state, uint32_t value) {
    if (HRESULT hr = CheckRenderState(state); Failed(hr)) return hr;
    if ((state == D3DRS_SRCBLEND || state == D3DRS_DESTBLEND) && BlendFactor(value) == GL_INVALID_ENUM)
        return D3DERR_INVALIDCALL;
    if ((state == D3DRS_ZFUNC || state == D3DRS_ALPHAFUNC) && CompareFunc(value) == GL_INVALID_ENUM)
        return D3DERR_INVALIDCALL;
    if (state == D3DRS_CULLMODE && (value < D3DCULL_NONE || value > D3DCULL_CCW)) return D3DERR_INVALIDCALL;
    if (impl_->State.RenderStates[state] == value) return D3D_OK;
    impl_->State.RenderStates[state] = value;
    impl_->ApplyRenderState(state);
    return D3D_OK;
}

HRESULT TGlDevice::SetTextureStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE type, uint32_t value) {
    if (HRESULT hr = CheckStageState(stage, type); Failed(hr)) return hr;
    if (impl_->State.StageStates[type] == value) return D3D_OK;
    impl_->State.StageStates[type] = value;
    switch (type) {
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
    case D3DTSS_MIPFILTER:
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
        impl_->Dirty |= kDirtySampler;
        break;
    default:
        impl_->Dirty |= kDirtyKey;
        break;
    }
    return D3D_OK;
}

HRESULT TGlDevice::SetLight(uint32_t index, const D3DLIGHT8& light) {
    if (HRESULT hr = CheckLight(index, &light); Failed(hr)) return hr;
    if (std::memcmp(&impl_->State.Lights[index], &light, sizeof light) == 0) return D3D_OK;
    impl_->State.Lights[index] = light;
    if (impl_->State.LightEnabled[index]) impl_->Changed(kGroupLights);
    return D3D_OK;
}

HRESULT TGlDevice::LightEnable(uint32_t index, bool enable) {
    if (HRESULT hr = CheckLight(index, nullptr); Failed(hr)) return hr;
    if (impl_->State.LightEnabled[index] == enable) return D3D_OK;
    impl_->State.LightEnabled[index] = enable;
    impl_->Changed(kGroupLights);
    return D3D_OK;
}

HRESULT TGlDevice::DrawPrimitive(D3DPRIMITIVETYPE primitiveType, uint32_t startVertex,
                                 uint32_t primitiveCount) {
    uint32_t vertexCount = 0;
    if (HRESULT hr = CheckDraw(impl_->State, primitiveType, startVertex, primitiveCount, vertexCount);
        Failed(hr))
        return hr;
    impl_->Flush();
    GLenum mode = GL_TRIANGLES;
    switch (primitiveType) {
    case D3DPT_POINTLIST:
        mode = GL_POINTS;
        break;
    case D3DPT_LINELIST:
        mode = GL_LINES;
        break;
    case D3DPT_LINESTRIP:
        mode = GL_LINE_STRIP;
        break;
    case D3DPT_TRIANGLESTRIP:
        mode = GL_TRIANGLE_STRIP;
        break;
    case D3DPT_TRIANGLEFAN:
        mode = GL_TRIANGLE_FAN;
        break;
    default:
        break;
    }
    glDrawArrays(mode, GLint(startVertex), GLsizei(vertexCount));
    return D3D_OK;
}

HRESULT TGlDevice::Clear(uint32_t count, const D3DRECT* rects, uint32_t flags, D3DCOLOR color, float z,
                         uint32_t stencil) {
    if ((count > 0 && rects == nullptr) || (flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)))
        return D3DERR_INVALIDCALL;
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        glClearColor(float((color >> 16) & 0xFF) / 255, float((color >> 8) & 0xFF) / 255,
                     float(color & 0xFF) / 255, float(color >> 24) / 255);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_STENCIL) {
        glClearStencil(GLint(stencil));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (count == 0) {
        glClear(mask);
    } else {
        glEnable(GL_SCISSOR_TEST);
        for (uint32_t i = 0; i < count; ++i) {
            const D3DRECT& r = rects[i];
            glScissor(r.x1, impl_->ViewportHeight - r.y2, r.x2 - r.x1, r.y2 - r.y1);
            glClear(mask);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    glDepthMask(impl_->State.RenderStates[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    return D3D_OK;
}

HRESULT TGlDevice::BeginScene() {
    if (impl_->State.InScene) return D3DERR_INVALIDCALL;
    impl_->Token->DeleteDeferred();
    impl_->UpdateViewport();
    impl_->ClearBars();
    impl_->State.InScene = true;
    return D3D_OK;
}

HRESULT TGlDevice::EndScene() {
    if (!impl_->State.InScene) return D3DERR_INVALIDCALL;
    impl_->State.InScene = false;
    const GLenum error = glGetError();
    if (error == GL_OUT_OF_MEMORY) return D3DERR_OUTOFVIDEOMEMORY;
    return error == GL_NO_ERROR ? D3D_OK : D3DERR_DRIVERINTERNALERROR;
}

HRESULT TGlDevice::Present() {
    if (impl_->State.InScene) return D3DERR_INVALIDCALL;
    SDL_GL_SwapWindow(impl_->Window);
    return D3D_OK;
}

std::vector<uint32_t> TGlDevice::ReadPixels() const {
    const int w = impl_->ViewportWidth, h = impl_->ViewportHeight;
    std::vector<uint32_t> rows(size_t(w) * h);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    std::vector<uint32_t> flipped(rows.size());
    for (int y = 0; y < h; ++y)
        std::copy_n(rows.begin() + ptrdiff_t(y) * w, w, flipped.begin() + ptrdiff_t(h - 1 - y) * w);
    return flipped;
}

} // namespace veltrane::gfx

// The graphics device over OpenGL 3.3 core (SDL2 context, functions through libepoxy). A small
// shader program does this game's share of the fixed pipeline, in a variant for each state it
// meets (made on first use), so a pixel runs only the operations its state needs; see
// GlShaders.cpp for the lighting and texture-stage rules. Uniforms reach a program only when they
// changed since it last drew. The GL context must stay current on the creating thread.
#pragma once

#include "platform/gfx/Device.h"

#include <memory>
#include <string>
#include <vector>

struct SDL_Window;

namespace veltrane::gfx {

class TGlDevice final : public IDevice {
public:
    // Asks SDL for a 3.3 core, double-buffered RGBA8 context with a depth buffer. Call after
    // SDL_Init and before creating the window the device will draw into.
    static void PrepareWindowAttributes();

    // A device drawing into window (made with SDL_WINDOW_OPENGL); the caller keeps the window and
    // must free it only after the device. On failure returns null and says why in error.
    static std::unique_ptr<TGlDevice> Create(SDL_Window* window, std::string& error);

    // A device with a hidden window of its own, for tests, tools and benchmarks. Initialises
    // SDL's video subsystem itself (set SDL_VIDEODRIVER=offscreen to run without a display).
    // samples > 0 asks for that many samples a pixel (multisampling).
    static std::unique_ptr<TGlDevice> CreateOffscreen(int width, int height, std::string& error,
                                                      int samples = 0);

    ~TGlDevice() override;
    TGlDevice(const TGlDevice&) = delete;
    TGlDevice& operator=(const TGlDevice&) = delete;

    HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, D3DPOOL pool,
                               VertexBufferHandle& vertexBuffer) override;
    HRESULT CreateTexture(const TTextureImage& image, TextureHandle& texture) override;
    HRESULT SetStreamSource(uint32_t streamNumber, const VertexBufferHandle& vertexBuffer,
                            uint32_t stride) override;
    HRESULT SetVertexShader(uint32_t fvf) override;
    HRESULT SetTexture(uint32_t stage, const TextureHandle& texture) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX& matrix) const override;
    HRESULT GetViewport(D3DVIEWPORT8& viewport) const override;
    HRESULT SetMaterial(const D3DMATERIAL8& material) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, uint32_t value) override;
    HRESULT SetTextureStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE type, uint32_t value) override;
    HRESULT SetLight(uint32_t index, const D3DLIGHT8& light) override;
    HRESULT LightEnable(uint32_t index, bool enable) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE primitiveType, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HRESULT Clear(uint32_t count, const D3DRECT* rects, uint32_t flags, D3DCOLOR color, float z,
                  uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;

    // Off: every draw uses the one general program that branches on the state for every pixel
    // (as before there were variants); for measuring what the variants save.
    void UseShaderVariants(bool on);

    // True on Mesa's software renderers (llvmpipe, softpipe, swrast).
    bool SoftwareRenderer() const;
    // Samples per pixel of the back buffer (0 without multisampling).
    int Samples() const;

    // Shader programs made so far, the general one included (for measuring).
    size_t ProgramCount() const;
    // Waits until every call so far is drawn (for measuring).
    void Finish();

    // Size of the back buffer in pixels.
    int Width() const;
    int Height() const;
    // The back buffer as ARGB pixels, top row first; read it after EndScene, before Present.
    std::vector<uint32_t> ReadPixels() const;

private:
    struct Impl;
    explicit TGlDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace veltrane::gfx

// The graphics device contract all drawing code is written against: a fixed-function device
// with render and texture-stage states, two kinds of light, one texture stage, transforms,
// a shared vertex buffer and triangle-list drawing. Every call answers with a result code.
// Matrices are left-handed, row-vector, row-major; depth runs 0..1.
#pragma once

#include "platform/gfx/D3DTypes.h"
#include "platform/gfx/Texture.h"

#include <cstdint>
#include <memory>

namespace veltrane::gfx {

// The one vertex layout of this game: D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1.
inline constexpr uint32_t kGameFVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(kGameFVF == 0x152);
inline constexpr uint32_t kGameVertexSize = 36;

class IVertexBuffer {
public:
    virtual ~IVertexBuffer() = default;
    // Gives write access to sizeToLock bytes from offsetToLock (size 0: to the end). Fails with
    // D3DERR_INVALIDCALL when the range leaves the buffer or the buffer is already locked.
    virtual HRESULT Lock(uint32_t offsetToLock, uint32_t sizeToLock, uint8_t** data, uint32_t flags) = 0;
    // Makes the bytes written since Lock the buffer's contents; D3DERR_INVALIDCALL if not locked.
    virtual HRESULT Unlock() = 0;
    virtual uint32_t Length() const = 0;
};

using VertexBufferHandle = std::shared_ptr<IVertexBuffer>;

class IDevice {
public:
    virtual ~IDevice() = default;

    virtual HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, D3DPOOL pool,
                                       VertexBufferHandle& vertexBuffer) = 0;
    // A texture from a prepared picture with its mipmap chain (see MakeTextureImage).
    virtual HRESULT CreateTexture(const TTextureImage& image, TextureHandle& texture) = 0;

    virtual HRESULT SetStreamSource(uint32_t streamNumber, const VertexBufferHandle& vertexBuffer,
                                    uint32_t stride) = 0;
    virtual HRESULT SetVertexShader(uint32_t fvf) = 0;

    // Stage 0 only; an empty handle removes the texture (the stage then reads opaque white).
    virtual HRESULT SetTexture(uint32_t stage, const TextureHandle& texture) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) = 0;
    // The matrix last set for state (identity before any).
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX& matrix) const = 0;
    // Where the frame lands in the back buffer: what the drawing code needs to know how large a
    // picture shows on the screen.
    virtual HRESULT GetViewport(D3DVIEWPORT8& viewport) const = 0;
    virtual HRESULT SetMaterial(const D3DMATERIAL8& material) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, uint32_t value) = 0;
    virtual HRESULT SetTextureStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE type, uint32_t value) = 0;
    virtual HRESULT SetLight(uint32_t index, const D3DLIGHT8& light) = 0;
    virtual HRESULT LightEnable(uint32_t index, bool enable) = 0;

    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE primitiveType, uint32_t startVertex,
                                  uint32_t primitiveCount) = 0;

    virtual HRESULT Clear(uint32_t count, const D3DRECT* rects, uint32_t flags, D3DCOLOR color, float z,
                          uint32_t stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Present() = 0;
};

// Lights the devices support (indexes 0 .. kMaxLights - 1).
inline constexpr uint32_t kMaxLights = 4;

} // namespace veltrane::gfx

// A device that draws nothing: it keeps every call in order, with its arguments as readable
// text ("SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE)") and as values, and keeps the state the
// calls set. Drawing code is tested against it; a call can be told to fail.
#pragma once

#include "platform/gfx/DeviceState.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace veltrane::gfx {

struct TRecordedCall {
    std::string Text;
    D3DMATRIX Matrix;                  // SetTransform
    D3DMATERIAL8 Material;             // SetMaterial
    D3DLIGHT8 Light;                   // SetLight
    const ITexture* Texture = nullptr; // SetTexture
};

// A texture made by the recording device; Id counts from 1 in creation order.
class TRecordedTexture final : public ITexture {
public:
    TRecordedTexture(int id, TTextureImage image) : Id(id), Image(std::move(image)) {}
    uint32_t Width() const override { return Image.Levels.front().Width; }
    uint32_t Height() const override { return Image.Levels.front().Height; }
    uint32_t Levels() const override { return static_cast<uint32_t>(Image.Levels.size()); }
    D3DFORMAT Format() const override { return Image.Format; }
    const int Id;
    const TTextureImage Image;
};

// The calls and the failures to inject, shared by a device and the buffers it made.
struct TCallJournal {
    std::vector<TRecordedCall> Calls;
    std::map<std::string, HRESULT> Failures;
    HRESULT Record(std::string text, const char* operation);
};

class TRecordedVertexBuffer final : public IVertexBuffer {
public:
    TRecordedVertexBuffer(std::shared_ptr<TCallJournal> journal, uint32_t length, D3DPOOL pool);
    HRESULT Lock(uint32_t offsetToLock, uint32_t sizeToLock, uint8_t** data, uint32_t flags) override;
    HRESULT Unlock() override;
    uint32_t Length() const override { return static_cast<uint32_t>(bytes_.size()); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    D3DPOOL Pool() const { return pool_; }
    bool Locked() const { return locked_; }

private:
    std::shared_ptr<TCallJournal> journal_;
    std::vector<uint8_t> bytes_;
    D3DPOOL pool_;
    bool locked_ = false;
};

class TRecordingDevice final : public IDevice {
public:
    HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, D3DPOOL pool,
                               VertexBufferHandle& vertexBuffer) override;
    HRESULT CreateTexture(const TTextureImage& image, TextureHandle& texture) override;
    HRESULT SetStreamSource(uint32_t streamNumber, const VertexBufferHandle& vertexBuffer,
                            uint32_t stride) override;
    HRESULT SetVertexShader(uint32_t fvf) override;
    HRESULT SetTexture(uint32_t stage, const TextureHandle& texture) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) override;
    // The two reads are not recorded: they change nothing.
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX& matrix) const override {
        return GetStateTransform(state_, state, matrix);
    }
    HRESULT GetViewport(D3DVIEWPORT8& viewport) const override {
        viewport = viewport_;
        return D3D_OK;
    }
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

    // Every call so far, oldest first, and their texts alone.
    const std::vector<TRecordedCall>& Calls() const { return journal_->Calls; }
    std::vector<std::string> Log() const;
    void ClearLog() { journal_->Calls.clear(); }
    const TDeviceState& State() const { return state_; }

    // The next calls of the named operation ("CreateVertexBuffer", "Lock", "DrawPrimitive", ...)
    // answer code instead of doing anything (still recorded); D3D_OK clears the failure.
    void FailCalls(const std::string& operation, HRESULT code);

    // The screen size the device pretends to draw on (800 x 600 until changed).
    void SetViewportSize(uint32_t width, uint32_t height) {
        viewport_.Width = width;
        viewport_.Height = height;
    }

private:
    HRESULT Record(TRecordedCall call, const char* operation);

    std::shared_ptr<TCallJournal> journal_ = std::make_shared<TCallJournal>();
    TDeviceState state_;
    D3DVIEWPORT8 viewport_{0, 0, 800, 600, 0, 1};
    int textureCount_ = 0;
};

} // namespace veltrane::gfx

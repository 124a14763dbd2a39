// Test helpers for drawing that rewrites mesh range 1 before each draw: a vertex buffer that
// keeps the six vertices of every rewrite, and a device that passes every call on to a recording
// device (stream set, scene begun) and notes the state each draw was made with.
#pragma once

#include "platform/gfx/RecordingDevice.h"
#include "render/Geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace veltrane::drawtest {

using TQuad = std::array<TVertex, 6>;

class TQuadCapture final : public gfx::IVertexBuffer {
public:
    gfx::HRESULT Lock(uint32_t offset, uint32_t size, uint8_t** data, uint32_t) override {
        if (offset != 0 || size != sizeof(TQuad) || locked_) return gfx::D3DERR_INVALIDCALL;
        locked_ = true;
        *data = reinterpret_cast<uint8_t*>(current_.data());
        return gfx::D3D_OK;
    }
    gfx::HRESULT Unlock() override {
        if (!locked_) return gfx::D3DERR_INVALIDCALL;
        locked_ = false;
        Written.push_back(current_);
        return gfx::D3D_OK;
    }
    uint32_t Length() const override { return sizeof(TQuad); }
    std::vector<TQuad> Written;

private:
    TQuad current_{};
    bool locked_ = false;
};

// What one draw was made with.
struct TDraw {
    uint32_t StartVertex = 0;
    gfx::D3DMATRIX World;
    gfx::TextureHandle Texture;
    uint32_t AlphaBlend = 0, SrcBlend = 0, DestBlend = 0, Lighting = 0, AlphaOp = 0;
    TQuad Quad{}; // range 1 as last written to the capture buffer
};

class TDrawDevice final : public gfx::IDevice {
public:
    TDrawDevice() {
        gfx::VertexBufferHandle stream;
        EXPECT_EQ(
            Inner.CreateVertexBuffer(kSharedBufferBytes, 0, gfx::kGameFVF, gfx::D3DPOOL_MANAGED, stream),
            gfx::D3D_OK);
        Inner.SetStreamSource(0, stream, gfx::kGameVertexSize);
        Inner.SetVertexShader(gfx::kGameFVF);
        Inner.BeginScene();
        Inner.ClearLog();
    }

    using HRESULT = gfx::HRESULT;
    HRESULT CreateVertexBuffer(uint32_t l, uint32_t u, uint32_t f, gfx::D3DPOOL p,
                               gfx::VertexBufferHandle& vb) override {
        return Inner.CreateVertexBuffer(l, u, f, p, vb);
    }
    HRESULT CreateTexture(const gfx::TTextureImage& image, gfx::TextureHandle& texture) override {
        return Inner.CreateTexture(image, texture);
    }
    HRESULT SetStreamSource(uint32_t n, const gfx::VertexBufferHandle& vb, uint32_t stride) override {
        return Inner.SetStreamSource(n, vb, stride);
    }
    HRESULT SetVertexShader(uint32_t fvf) override { return Inner.SetVertexShader(fvf); }
    HRESULT SetTexture(uint32_t stage, const gfx::TextureHandle& t) override {
        return Inner.SetTexture(stage, t);
    }
    HRESULT SetTransform(gfx::D3DTRANSFORMSTATETYPE s, const gfx::D3DMATRIX& m) override {
        return Inner.SetTransform(s, m);
    }
    HRESULT GetTransform(gfx::D3DTRANSFORMSTATETYPE s, gfx::D3DMATRIX& m) const override {
        return Inner.GetTransform(s, m);
    }
    HRESULT GetViewport(gfx::D3DVIEWPORT8& v) const override { return Inner.GetViewport(v); }
    HRESULT SetMaterial(const gfx::D3DMATERIAL8& m) override { return Inner.SetMaterial(m); }
    HRESULT SetRenderState(gfx::D3DRENDERSTATETYPE s, uint32_t v) override {
        return Inner.SetRenderState(s, v);
    }
    HRESULT SetTextureStageState(uint32_t stage, gfx::D3DTEXTURESTAGESTATETYPE t, uint32_t v) override {
        return Inner.SetTextureStageState(stage, t, v);
    }
    HRESULT SetLight(uint32_t i, const gfx::D3DLIGHT8& l) override { return Inner.SetLight(i, l); }
    HRESULT LightEnable(uint32_t i, bool e) override { return Inner.LightEnable(i, e); }
    HRESULT DrawPrimitive(gfx::D3DPRIMITIVETYPE type, uint32_t start, uint32_t count) override {
        const gfx::TDeviceState& s = Inner.State();
        TDraw d{start,
                s.World,
                s.Texture,
                s.RenderState(gfx::D3DRS_ALPHABLENDENABLE),
                s.RenderState(gfx::D3DRS_SRCBLEND),
                s.RenderState(gfx::D3DRS_DESTBLEND),
                s.RenderState(gfx::D3DRS_LIGHTING),
                s.StageState(gfx::D3DTSS_ALPHAOP),
                Quads.Written.empty() ? TQuad{} : Quads.Written.back()};
        Draws.push_back(d);
        return Inner.DrawPrimitive(type, start, count);
    }
    HRESULT Clear(uint32_t n, const gfx::D3DRECT* r, uint32_t f, gfx::D3DCOLOR c, float z,
                  uint32_t s) override {
        return Inner.Clear(n, r, f, c, z, s);
    }
    HRESULT BeginScene() override { return Inner.BeginScene(); }
    HRESULT EndScene() override { return Inner.EndScene(); }
    HRESULT Present() override { return Inner.Present(); }

    gfx::TRecordingDevice Inner;
    TQuadCapture Quads;
    std::vector<TDraw> Draws;
};

} // namespace veltrane::drawtest

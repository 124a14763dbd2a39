#include "platform/gfx/RecordingDevice.h"

#include "platform/gfx/Names.h"

#include <cstdio>

namespace veltrane::gfx {

namespace {

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string Hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", v);
    return buf;
}

std::string TextureText(const ITexture* texture) {
    if (!texture) return "NULL";
    if (auto* recorded = dynamic_cast<const TRecordedTexture*>(texture))
        return "texture " + std::to_string(recorded->Id);
    return "texture";
}

TRecordedCall Call(std::string text) {
    TRecordedCall call;
    call.Text = std::move(text);
    return call;
}

} // namespace

HRESULT TCallJournal::Record(std::string text, const char* operation) {
    Calls.push_back(Call(std::move(text)));
    auto it = Failures.find(operation);
    return it == Failures.end() ? D3D_OK : it->second;
}

TRecordedVertexBuffer::TRecordedVertexBuffer(std::shared_ptr<TCallJournal> journal, uint32_t length,
                                             D3DPOOL pool)
    : journal_(std::move(journal)), bytes_(length), pool_(pool) {}

HRESULT TRecordedVertexBuffer::Lock(uint32_t offsetToLock, uint32_t sizeToLock, uint8_t** data,
                                    uint32_t flags) {
    (void)flags;
    if (HRESULT hr = journal_->Record(
            "Lock(" + std::to_string(offsetToLock) + ", " + std::to_string(sizeToLock) + ")", "Lock");
        Failed(hr))
        return hr;
    if (sizeToLock == 0 && offsetToLock <= bytes_.size())
        sizeToLock = static_cast<uint32_t>(bytes_.size()) - offsetToLock;
    if (locked_ || data == nullptr || uint64_t(offsetToLock) + sizeToLock > bytes_.size() ||
        offsetToLock > bytes_.size())
        return D3DERR_INVALIDCALL;
    *data = bytes_.data() + offsetToLock;
    locked_ = true;
    return D3D_OK;
}

HRESULT TRecordedVertexBuffer::Unlock() {
    if (HRESULT hr = journal_->Record("Unlock()", "Unlock"); Failed(hr)) return hr;
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    return D3D_OK;
}

void TRecordingDevice::FailCalls(const std::string& operation, HRESULT code) {
    if (code == D3D_OK)
        journal_->Failures.erase(operation);
    else
        journal_->Failures[operation] = code;
}

HRESULT TRecordingDevice::Record(TRecordedCall call, const char* operation) {
    journal_->Calls.push_back(std::move(call));
    auto it = journal_->Failures.find(operation);
    return it == journal_->Failures.end() ? D3D_OK : it->second;
}

std::vector<std::string> TRecordingDevice::Log() const {
    std::vector<std::string> texts;
    texts.reserve(journal_->Calls.size());
    for (const TRecordedCall& call : journal_->Calls) texts.push_back(call.Text);
    return texts;
}

HRESULT TRecordingDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, D3DPOOL pool,
                                             VertexBufferHandle& vertexBuffer) {
    if (HRESULT hr = Record(Call("CreateVertexBuffer(" + std::to_string(length) + ", " +
                                 std::to_string(usage) + ", " + Hex(fvf) + ", " +
                                 (pool == D3DPOOL_MANAGED ? "D3DPOOL_MANAGED" : std::to_string(pool)) + ")"),
                            "CreateVertexBuffer");
        Failed(hr))
        return hr;
    if (length == 0) return D3DERR_INVALIDCALL;
    vertexBuffer = std::make_shared<TRecordedVertexBuffer>(journal_, length, pool);
    return D3D_OK;
}

HRESULT TRecordingDevice::CreateTexture(const TTextureImage& image, TextureHandle& texture) {
    if (image.Levels.empty()) return D3DERR_INVALIDCALL;
    if (HRESULT hr = Record(Call("CreateTexture(" + std::to_string(image.Levels.front().Width) + "x" +
                                 std::to_string(image.Levels.front().Height) + ", " +
                                 std::to_string(image.Levels.size()) + " levels)"),
                            "CreateTexture");
        Failed(hr))
        return hr;
    texture = std::make_shared<TRecordedTexture>(++textureCount_, image);
    return D3D_OK;
}

HRESULT TRecordingDevice::SetStreamSource(uint32_t streamNumber, const VertexBufferHandle& vertexBuffer,
                                          uint32_t stride) {
    if (HRESULT hr = Record(Call("SetStreamSource(" + std::to_string(streamNumber) + ", " +
                                 (vertexBuffer ? "VB" : "NULL") + ", " + std::to_string(stride) + ")"),
                            "SetStreamSource");
        Failed(hr))
        return hr;
    if (streamNumber != 0) return D3DERR_INVALIDCALL;
    state_.Stream = vertexBuffer;
    state_.Stride = stride;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetVertexShader(uint32_t fvf) {
    if (HRESULT hr = Record(Call("SetVertexShader(" + Hex(fvf) + ")"), "SetVertexShader"); Failed(hr))
        return hr;
    state_.FVF = fvf;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetTexture(uint32_t stage, const TextureHandle& texture) {
    TRecordedCall call =
        Call("SetTexture(" + std::to_string(stage) + ", " + TextureText(texture.get()) + ")");
    call.Texture = texture.get();
    if (HRESULT hr = Record(std::move(call), "SetTexture"); Failed(hr)) return hr;
    if (stage != 0) return D3DERR_INVALIDCALL;
    state_.Texture = texture;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
    const char* name = TransformName(state);
    TRecordedCall call =
        Call(std::string("SetTransform(") + (name ? name : std::to_string(state).c_str()) + ")");
    call.Matrix = matrix;
    if (HRESULT hr = Record(std::move(call), "SetTransform"); Failed(hr)) return hr;
    if (HRESULT hr = CheckTransform(state); Failed(hr)) return hr;
    (state == D3DTS_WORLD ? state_.World : state == D3DTS_VIEW ? state_.View : state_.Projection) = matrix;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetMaterial(const D3DMATERIAL8& material) {
    const D3DCOLORVALUE& d = material.Diffuse;
    TRecordedCall call = Call("SetMaterial(diffuse " + Num(d.r) + " " + Num(d.g) + " " + Num(d.b) + " " +
                              Num(d.a) + ", power " + Num(material.Power) + ")");
    call.Material = material;
    if (HRESULT hr = Record(std::move(call), "SetMaterial"); Failed(hr)) return hr;
    state_.Material = material;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, uint32_t value) {
    const char* name = RenderStateName(state);
    if (HRESULT hr =
            Record(Call(std::string("SetRenderState(") + (name ? name : std::to_string(state).c_str()) +
                        ", " + RenderStateValueName(state, value) + ")"),
                   "SetRenderState");
        Failed(hr))
        return hr;
    if (HRESULT hr = CheckRenderState(state); Failed(hr)) return hr;
    state_.RenderStates[state] = value;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetTextureStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE type,
                                               uint32_t value) {
    const char* name = TextureStageStateName(type);
    if (HRESULT hr = Record(Call("SetTextureStageState(" + std::to_string(stage) + ", " +
                                 (name ? std::string(name) : std::to_string(type)) + ", " +
                                 TextureStageValueName(type, value) + ")"),
                            "SetTextureStageState");
        Failed(hr))
        return hr;
    if (HRESULT hr = CheckStageState(stage, type); Failed(hr)) return hr;
    state_.StageStates[type] = value;
    return D3D_OK;
}

HRESULT TRecordingDevice::SetLight(uint32_t index, const D3DLIGHT8& light) {
    TRecordedCall call = Call("SetLight(" + std::to_string(index) + ")");
    call.Light = light;
    if (HRESULT hr = Record(std::move(call), "SetLight"); Failed(hr)) return hr;
    if (HRESULT hr = CheckLight(index, &light); Failed(hr)) return hr;
    state_.Lights[index] = light;
    return D3D_OK;
}

HRESULT TRecordingDevice::LightEnable(uint32_t index, bool enable) {
    if (HRESULT hr =
            Record(Call("LightEnable(" + std::to_string(index) + ", " + (enable ? "TRUE" : "FALSE") + ")"),
                   "LightEnable");
        Failed(hr))
        return hr;
    if (HRESULT hr = CheckLight(index, nullptr); Failed(hr)) return hr;
    state_.LightEnabled[index] = enable;
    return D3D_OK;
}

HRESULT TRecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE primitiveType, uint32_t startVertex,
                                        uint32_t primitiveCount) {
    const char* name = PrimitiveName(primitiveType);
    if (HRESULT hr = Record(Call(std::string("DrawPrimitive(") +
                                 (name ? name : std::to_string(primitiveType).c_str()) + ", " +
                                 std::to_string(startVertex) + ", " + std::to_string(primitiveCount) + ")"),
                            "DrawPrimitive");
        Failed(hr))
        return hr;
    uint32_t vertexCount = 0;
    return CheckDraw(state_, primitiveType, startVertex, primitiveCount, vertexCount);
}

HRESULT TRecordingDevice::Clear(uint32_t count, const D3DRECT* rects, uint32_t flags, D3DCOLOR color, float z,
                                uint32_t stencil) {
    (void)rects;
    return Record(Call("Clear(" + std::to_string(count) + ", " + Hex(flags) + ", " + Hex(color) + ", " +
                       Num(z) + ", " + std::to_string(stencil) + ")"),
                  "Clear");
}

HRESULT TRecordingDevice::BeginScene() {
    if (HRESULT hr = Record(Call("BeginScene()"), "BeginScene"); Failed(hr)) return hr;
    if (state_.InScene) return D3DERR_INVALIDCALL;
    state_.InScene = true;
    return D3D_OK;
}

HRESULT TRecordingDevice::EndScene() {
    if (HRESULT hr = Record(Call("EndScene()"), "EndScene"); Failed(hr)) return hr;
    if (!state_.InScene) return D3DERR_INVALIDCALL;
    state_.InScene = false;
    return D3D_OK;
}

HRESULT TRecordingDevice::Present() {
    if (HRESULT hr = Record(Call("Present()"), "Present"); Failed(hr)) return hr;
    return state_.InScene ? D3DERR_INVALIDCALL : D3D_OK;
}

} // namespace veltrane::gfx

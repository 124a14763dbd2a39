#include "render/Geometry.h"

#include "platform/DebugLog.h"

#include <stdexcept>

namespace veltrane {

using namespace gfx;

void TCollector::Add(int32_t n) {
    if (Count >= kCapacity) throw std::length_error("mesh range table is full");
    Ranges[size_t(Count)] = {Total, n};
    ++Count;
    Total += n;
}

TCollector SharedRanges() {
    TCollector collector;
    for (const TMesh* mesh : {static_cast<const TMesh*>(nullptr), static_cast<const TMesh*>(nullptr),
                              &MeshA(), &MeshB(), &MeshC(), static_cast<const TMesh*>(nullptr)})
        collector.Add(mesh ? int32_t(mesh->Faces.size()) : 2);
    return collector;
}

void WriteQuad(TVertex* out, float U, float V, float z, uint32_t colour) {
    const float w = 0.5f, h = 0.5f;
    const float corners[6][4] = {{w, -h, 0, V}, {-w, -h, U, V}, {w, h, 0, 0},
                                 {w, h, 0, 0},  {-w, -h, U, V}, {-w, h, U, 0}};
    for (int i = 0; i < 6; ++i)
        out[i] = TVertex{corners[i][0], corners[i][1], z, 0, 0, 1, colour, corners[i][2], corners[i][3]};
}

void WriteMesh(TVertex* out, const TMesh& mesh) {
    for (const TMeshFace& face : mesh.Faces)
        for (int c = 0; c < 3; ++c) {
            const TVector p = mesh.Positions[size_t(face[c])] * mesh.Scale;
            const TVector n = mesh.Normals[size_t(face[3 + c])];
            const TTexCoord t = mesh.TexCoords[size_t(face[6 + c])];
            *out++ = TVertex{-p.x, p.y, p.z, -n.x, n.y, n.z, 0xFFFFFFFF, t.u, -t.v};
        }
}

HRESULT InitVertices(IDevice& device, VertexBufferHandle& vertexBuffer, TCollector& collector) {
    collector = SharedRanges();
    vertexBuffer.reset();
    const uint32_t length = uint32_t(collector.Total) * 3 * kGameVertexSize;
    if (HRESULT hr = device.CreateVertexBuffer(length, 0, kGameFVF, D3DPOOL_MANAGED, vertexBuffer);
        Failed(hr)) {
        vertexBuffer.reset();
        return hr;
    }
    if (HRESULT hr = device.SetStreamSource(0, vertexBuffer, kGameVertexSize); Failed(hr)) return hr;
    if (HRESULT hr = device.SetVertexShader(kGameFVF); Failed(hr)) return hr;
    uint8_t* bytes = nullptr;
    if (HRESULT hr = vertexBuffer->Lock(0, 0, &bytes, 0); Failed(hr)) return hr;
    auto* v = reinterpret_cast<TVertex*>(bytes);
    auto at = [&](int number) { return v + collector.Range(number).First * 3; };
    WriteQuad(at(kRangeQuad), 1, 1);
    WriteQuad(at(kRangeSprite), 1, 1);
    WriteMesh(at(kRangeCube), MeshA());
    WriteMesh(at(kRangeBomb), MeshB());
    WriteMesh(at(kRangeBlock), MeshC());
    WriteQuad(at(kRangeTiledQuad), 2, 2);
    const HRESULT hr = vertexBuffer->Unlock();
    DebugLog(false, " Vertices initialized");
    return hr;
}

HRESULT TintQuad(IVertexBuffer& vertexBuffer, uint32_t colour, float z) {
    uint8_t* bytes = nullptr;
    if (HRESULT hr = vertexBuffer.Lock(0, 6 * sizeof(TVertex), &bytes, 0); Failed(hr)) return hr;
    WriteQuad(reinterpret_cast<TVertex*>(bytes), 1, 1, z, colour);
    return vertexBuffer.Unlock();
}

HRESULT DrawMeshRange(IDevice& device, int number) {
    static const TCollector ranges = SharedRanges();
    if (number < 1 || number > ranges.Count) return D3DERR_INVALIDCALL;
    const TRange& range = ranges.Range(number);
    return device.DrawPrimitive(D3DPT_TRIANGLELIST, uint32_t(range.First) * 3, uint32_t(range.TriCount));
}

} // namespace veltrane

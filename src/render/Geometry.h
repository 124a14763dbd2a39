// The shared vertex buffer all geometry is drawn from: two unit quads, meshes A, B and C, and a
// quad with the picture tiled twice, one after the other as a triangle list, with the table of
// where each numbered range begins.
#pragma once

#include "platform/gfx/Device.h"
#include "render/Meshes.h"

#include <array>
#include <cstdint>

namespace veltrane {

// One vertex of the buffer, in the device's 0x152 layout.
struct TVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    uint32_t Colour = 0xFFFFFFFF;
    float u = 0, v = 0;
};
static_assert(sizeof(TVertex) == gfx::kGameVertexSize);

struct TRange {
    int32_t First = 0;    // first triangle
    int32_t TriCount = 0; // number of triangles
    friend bool operator==(const TRange&, const TRange&) = default;
};

// The mesh range table; ranges are numbered from 1.
struct TCollector {
    static constexpr int kCapacity = 10;
    int32_t Count = 0;
    int32_t Total = 0;
    std::array<TRange, kCapacity> Ranges{};

    void Clear() { *this = TCollector{}; }
    // Appends a range of n triangles. Throws std::length_error when the table is full.
    void Add(int32_t n);
    const TRange& Range(int number) const { return Ranges.at(size_t(number - 1)); }
};

// The ranges of the buffer.
inline constexpr int kRangeQuad = 1;      // unit quad, texture 0..1 (font, tinted particles)
inline constexpr int kRangeSprite = 2;    // unit quad, texture 0..1, vertices 6..11
inline constexpr int kRangeCube = 3;      // mesh A
inline constexpr int kRangeBomb = 4;      // mesh B
inline constexpr int kRangeBlock = 5;     // mesh C
inline constexpr int kRangeTiledQuad = 6; // unit quad, texture 0..2
inline constexpr int kSharedTriangles = 608;
inline constexpr uint32_t kSharedBufferBytes = kSharedTriangles * 3 * gfx::kGameVertexSize; // 65664

// The finished table, the same after every build.
TCollector SharedRanges();

// The six vertices of a unit quad (half size 0.5 in x and y) at height z, normal (0, 0, 1),
// texture 0..U and 0..V with u growing towards -x (the picture mirrored in x like the meshes).
void WriteQuad(TVertex* out, float U, float V, float z = 0, uint32_t colour = 0xFFFFFFFF);

// Copies a mesh face by face, corner by corner: position (-x, y, z) times the mesh's scale,
// normal (-nx, ny, nz), texture (u, -v), white.
void WriteMesh(TVertex* out, const TMesh& mesh);

// Builds the table and the buffer: clears collector and fills it with the six ranges, replaces
// vertexBuffer with a new managed buffer of collector.Total * 108 bytes, sets it as stream 0 with
// the game's vertex layout, fills it and logs " Vertices initialized". A failing step returns its
// code at once (the table stays filled).
gfx::HRESULT InitVertices(gfx::IDevice& device, gfx::VertexBufferHandle& vertexBuffer, TCollector& collector);

// Rewrites range 1 as the unit quad at height z in the given ARGB colour.
gfx::HRESULT TintQuad(gfx::IVertexBuffer& vertexBuffer, uint32_t colour, float z);

// Draws range number (1..6) of the shared buffer as a triangle list.
gfx::HRESULT DrawMeshRange(gfx::IDevice& device, int number);

} // namespace veltrane

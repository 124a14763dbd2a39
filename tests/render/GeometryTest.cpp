// The shared vertex buffer: its ranges, size, quads and mesh copies, built on the recording device.
#include "render/Geometry.h"

#include "TempDir.h"
#include "platform/DebugLog.h"
#include "platform/gfx/RecordingDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace veltrane {
namespace {

using namespace gfx;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogFile((dir.path() / "debug.txt").string());
        SetDebugLogClock([] { return 7u; });
    }
    void TearDown() override {
        SetDebugLogFile("");
        SetDebugLogClock(nullptr);
    }
    std::string Trace() const {
        std::ifstream in(dir.path() / "debug.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    const TVertex* Vertices() const {
        return reinterpret_cast<const TVertex*>(static_cast<TRecordedVertexBuffer&>(*vb).Bytes().data());
    }

    TempDir dir;
    TRecordingDevice device;
    VertexBufferHandle vb;
    TCollector collector;
};

TEST_F(GeometryTest, BuildsSixRangesOf608TrianglesIn65664Bytes) {
    collector.Add(99); // left over from an earlier build
    ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
    EXPECT_EQ(collector.Count, 6);
    EXPECT_EQ(collector.Total, 608);
    EXPECT_THAT(std::vector<TRange>(collector.Ranges.begin(), collector.Ranges.begin() + 6),
                ElementsAre(TRange{0, 2}, TRange{2, 2}, TRange{4, 204}, TRange{208, 354}, TRange{562, 44},
                            TRange{606, 2}));
    EXPECT_THAT(device.Log(), ElementsAre("CreateVertexBuffer(65664, 0, 0x00000152, D3DPOOL_MANAGED)",
                                          "SetStreamSource(0, VB, 36)", "SetVertexShader(0x00000152)",
                                          "Lock(0, 0)", "Unlock()"));
    EXPECT_EQ(vb->Length(), kSharedBufferBytes);
    EXPECT_EQ(kSharedBufferBytes, 65664u);
    EXPECT_EQ(Trace(), "7 Vertices initialized\r\n");

    // A rebuild (after a full-screen restore) yields the same table and a new buffer.
    const VertexBufferHandle first = vb;
    ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
    EXPECT_EQ(collector.Total, 608);
    EXPECT_EQ(collector.Count, 6);
    EXPECT_NE(vb, first);
}

TEST_F(GeometryTest, AFailingStepReturnsItsCodeAndLogsNothing) {
    device.FailCalls("CreateVertexBuffer", D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(InitVertices(device, vb, collector), D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(vb, nullptr);
    EXPECT_EQ(collector.Total, 608); // the table is filled first and kept
    EXPECT_EQ(device.Log().size(), 1u);

    device.FailCalls("CreateVertexBuffer", D3D_OK);
    device.FailCalls("Lock", D3DERR_INVALIDCALL);
    EXPECT_EQ(InitVertices(device, vb, collector), D3DERR_INVALIDCALL);
    device.FailCalls("Lock", D3D_OK);
    device.FailCalls("SetVertexShader", E_FAIL);
    EXPECT_EQ(InitVertices(device, vb, collector), E_FAIL);
    EXPECT_EQ(Trace(), "");
}

TEST_F(GeometryTest, QuadsMirrorThePictureInX) {
    ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
    // Range 2, vertices 6..11: (x, y) with (u, v).
    const float expected[6][4] = {{0.5f, -0.5f, 0, 1}, {-0.5f, -0.5f, 1, 1}, {0.5f, 0.5f, 0, 0},
                                  {0.5f, 0.5f, 0, 0},  {-0.5f, -0.5f, 1, 1}, {-0.5f, 0.5f, 1, 0}};
    for (int range : {kRangeQuad, kRangeSprite, kRangeTiledQuad}) {
        const float k = range == kRangeTiledQuad ? 2.0f : 1.0f;
        const TVertex* quad = Vertices() + collector.Range(range).First * 3;
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE("range " + std::to_string(range) + " vertex " + std::to_string(i));
            EXPECT_EQ(quad[i].x, expected[i][0]);
            EXPECT_EQ(quad[i].y, expected[i][1]);
            EXPECT_EQ(quad[i].z, 0);
            EXPECT_EQ(quad[i].u, k * expected[i][2]);
            EXPECT_EQ(quad[i].v, k * expected[i][3]);
            EXPECT_EQ(quad[i].nz, 1);
            EXPECT_EQ(quad[i].Colour, 0xFFFFFFFFu);
        }
    }
    // Clockwise seen from +z (the scene's front faces), so the camera above sees them.
    const TVertex* q = Vertices() + 6;
    EXPECT_LT((q[1].x - q[0].x) * (q[2].y - q[0].y) - (q[1].y - q[0].y) * (q[2].x - q[0].x), 0);
}

TEST_F(GeometryTest, MeshesAreCopiedMirroredWithVFlippedAndScaled) {
    ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
    struct TCase {
        int Range;
        const TMesh& Mesh;
        float Scale;
    };
    for (const TCase& c : {TCase{kRangeCube, MeshA(), 1.0f}, TCase{kRangeBomb, MeshB(), 1.25f},
                           TCase{kRangeBlock, MeshC(), 1.0f}}) {
        const TVertex* v = Vertices() + collector.Range(c.Range).First * 3;
        for (size_t f = 0; f < c.Mesh.Faces.size(); f += 37) // a sample of faces, all corners
            for (int corner = 0; corner < 3; ++corner) {
                const TMeshFace& face = c.Mesh.Faces[f];
                const TVertex& out = v[f * 3 + size_t(corner)];
                const TVector p = c.Mesh.Positions[size_t(face[corner])];
                const TVector n = c.Mesh.Normals[size_t(face[3 + corner])];
                const TTexCoord t = c.Mesh.TexCoords[size_t(face[6 + corner])];
                EXPECT_FLOAT_EQ(out.x, -p.x * c.Scale);
                EXPECT_FLOAT_EQ(out.y, p.y * c.Scale);
                EXPECT_FLOAT_EQ(out.z, p.z * c.Scale);
                EXPECT_EQ(out.nx, -n.x);
                EXPECT_EQ(out.ny, n.y);
                EXPECT_EQ(out.u, t.u);
                EXPECT_EQ(out.v, -t.v);
                EXPECT_EQ(out.Colour, 0xFFFFFFFFu);
            }
        // Mirrored, every face is clockwise seen from outside (its normals' side).
        for (size_t f = 0; f < c.Mesh.Faces.size(); ++f) {
            const TVertex* t = v + f * 3;
            const TVector a{t[0].x, t[0].y, t[0].z}, b{t[1].x, t[1].y, t[1].z}, d{t[2].x, t[2].y, t[2].z};
            const TVector normal{t[0].nx + t[1].nx + t[2].nx, t[0].ny + t[1].ny + t[2].ny,
                                 t[0].nz + t[1].nz + t[2].nz};
            ASSERT_LT(Dot(Cross(b - a, d - a), normal), 0) << "range " << c.Range << " face " << f;
        }
    }
    // The bomb is drawn 1.25 times as large: its y extent 0.5 becomes 0.625.
    float maxY = 0;
    const TRange bomb = collector.Range(kRangeBomb);
    for (int i = bomb.First * 3; i < (bomb.First + bomb.TriCount) * 3; ++i)
        maxY = std::max(maxY, Vertices()[i].y);
    EXPECT_FLOAT_EQ(maxY, 0.625f);
}

TEST_F(GeometryTest, TintQuadRewritesOnlyRangeOne) {
    ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
    std::vector<uint8_t> before = static_cast<TRecordedVertexBuffer&>(*vb).Bytes();
    device.ClearLog();
    ASSERT_EQ(TintQuad(*vb, 0x80FF2010, 0.25f), D3D_OK);
    EXPECT_THAT(device.Log(), ElementsAre("Lock(0, 216)", "Unlock()"));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Vertices()[i].Colour, 0x80FF2010u);
        EXPECT_EQ(Vertices()[i].z, 0.25f);
        EXPECT_EQ(Vertices()[i].x, Vertices()[6 + i].x);
        EXPECT_EQ(Vertices()[i].u, Vertices()[6 + i].u);
        EXPECT_EQ(Vertices()[i].nz, 1);
    }
    const auto& after = static_cast<TRecordedVertexBuffer&>(*vb).Bytes();
    EXPECT_TRUE(std::equal(after.begin() + 216, after.end(), before.begin() + 216));
}

TEST_F(GeometryTest, RangesAreDrawnAsTriangleListsFromTheirFirstVertex) {
    ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
    device.BeginScene();
    device.ClearLog();
    for (int range = 1; range <= 6; ++range) EXPECT_EQ(DrawMeshRange(device, range), D3D_OK);
    EXPECT_THAT(device.Log(), ElementsAre("DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2)",
                                          "DrawPrimitive(D3DPT_TRIANGLELIST, 6, 2)",
                                          "DrawPrimitive(D3DPT_TRIANGLELIST, 12, 204)",
                                          "DrawPrimitive(D3DPT_TRIANGLELIST, 624, 354)",
                                          "DrawPrimitive(D3DPT_TRIANGLELIST, 1686, 44)",
                                          "DrawPrimitive(D3DPT_TRIANGLELIST, 1818, 2)"));
    EXPECT_EQ(DrawMeshRange(device, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(DrawMeshRange(device, 7), D3DERR_INVALIDCALL);
}

TEST(CollectorTest, HoldsTenRangesAndRefusesAnEleventh) {
    TCollector collector;
    for (int i = 1; i <= 10; ++i) collector.Add(i);
    EXPECT_EQ(collector.Range(10), (TRange{45, 10}));
    EXPECT_THROW(collector.Add(1), std::length_error);
    EXPECT_EQ(collector.Count, 10);
    EXPECT_EQ(collector.Total, 55);
}

} // namespace
} // namespace veltrane

// The three built-in models: counts, extents, closed surfaces, outward faces and texture layout.
#include "render/Meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace veltrane {
namespace {

struct TBox {
    TVector Lo{1e9f, 1e9f, 1e9f}, Hi{-1e9f, -1e9f, -1e9f};
};

TBox Extent(const TMesh& mesh) {
    TBox box;
    for (const TVector& p : mesh.Positions) {
        box.Lo = {std::min(box.Lo.x, p.x), std::min(box.Lo.y, p.y), std::min(box.Lo.z, p.z)};
        box.Hi = {std::max(box.Hi.x, p.x), std::max(box.Hi.y, p.y), std::max(box.Hi.z, p.z)};
    }
    return box;
}

void ExpectBox(const TMesh& mesh, TVector half) {
    const TBox box = Extent(mesh);
    EXPECT_NEAR(box.Lo.x, -half.x, 1e-6f);
    EXPECT_NEAR(box.Hi.x, half.x, 1e-6f);
    EXPECT_NEAR(box.Lo.y, -half.y, 1e-6f);
    EXPECT_NEAR(box.Hi.y, half.y, 1e-6f);
    EXPECT_NEAR(box.Lo.z, -half.z, 1e-6f);
    EXPECT_NEAR(box.Hi.z, half.z, 1e-6f);
}

// Every index in its table, unit normals, no degenerate face, and every face counter-clockwise
// seen from the side its corner normals point to (outwards).
void ExpectWellFormed(const TMesh& mesh) {
    for (const TVector& n : mesh.Normals) EXPECT_NEAR(Length(n), 1, 1e-5f);
    for (size_t f = 0; f < mesh.Faces.size(); ++f) {
        const TMeshFace& face = mesh.Faces[f];
        for (int c = 0; c < 3; ++c) {
            ASSERT_LT(size_t(face[c]), mesh.Positions.size());
            ASSERT_LT(size_t(face[3 + c]), mesh.Normals.size());
            ASSERT_LT(size_t(face[6 + c]), mesh.TexCoords.size());
        }
        const TVector a = mesh.Positions[size_t(face[0])], b = mesh.Positions[size_t(face[1])],
                      c = mesh.Positions[size_t(face[2])];
        const TVector area = Cross(b - a, c - a);
        ASSERT_GT(Length(area), 1e-7f) << "face " << f;
        const TVector normals =
            mesh.Normals[size_t(face[3])] + mesh.Normals[size_t(face[4])] + mesh.Normals[size_t(face[5])];
        EXPECT_GT(Dot(area, normals), 0) << "face " << f;
    }
}

// Closed: every edge is used once in each direction.
void ExpectClosed(const TMesh& mesh) {
    std::map<std::pair<int, int>, int> edges;
    for (const TMeshFace& face : mesh.Faces)
        for (int c = 0; c < 3; ++c) ++edges[{face[c], face[(c + 1) % 3]}];
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
        EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
    }
}

TEST(MeshesTest, RoundedCube) {
    const TMesh& mesh = MeshA();
    EXPECT_EQ(mesh.Faces.size(), 204u);
    EXPECT_EQ(mesh.Positions.size(), 104u);
    EXPECT_EQ(mesh.Scale, 1.0f);
    ExpectBox(mesh, {0.5f, 0.5f, 0.5f});
    ExpectWellFormed(mesh);
    ExpectClosed(mesh);
    // The flat of each side spans -0.4..0.4; only the seven rounding steps occur as coordinates.
    for (const TVector& p : mesh.Positions)
        for (float v : {p.x, p.y, p.z}) {
            const float a = std::fabs(v);
            EXPECT_TRUE(a == 0.4f || a == 0.443f || a == 0.45f || a == 0.475f || a == 0.487f || a == 0.5f)
                << v;
        }
    float lo = 1, hi = 0;
    for (const TTexCoord& t : mesh.TexCoords) {
        lo = std::min({lo, t.u, t.v});
        hi = std::max({hi, t.u, t.v});
    }
    EXPECT_NEAR(lo, 0.0139f, 1e-6f);
    EXPECT_NEAR(hi, 0.9861f, 1e-6f);
}

TEST(MeshesTest, RoundedCubeShowsThePictureUprightOnTop) {
    // On the top side u grows with x and v with y, so after the copy's mirror and flip the
    // camera above sees the picture the right way round.
    const TMesh& mesh = MeshA();
    for (const TMeshFace& face : mesh.Faces)
        for (int c = 0; c < 3; ++c) {
            const TVector p = mesh.Positions[size_t(face[c])];
            if (p.z != 0.5f) continue;
            const TTexCoord t = mesh.TexCoords[size_t(face[6 + c])];
            EXPECT_NEAR(t.u, 0.0139f + (p.x + 0.475f) / 0.95f * 0.9722f, 1e-5f);
            EXPECT_NEAR(t.v, 0.0139f + (p.y + 0.475f) / 0.95f * 0.9722f, 1e-5f);
        }
}

TEST(MeshesTest, Bomb) {
    const TMesh& mesh = MeshB();
    EXPECT_EQ(mesh.Faces.size(), 354u);
    EXPECT_EQ(mesh.Scale, 1.25f);
    ExpectBox(mesh, {0.3755f, 0.5f, 0.4559f});
    ExpectWellFormed(mesh);
    // The wick ends where the game lets the fuse sparks fly: (-0.31, 0.52, 0.45) from the centre
    // of a resting bomb in the scene, which is (0.31, 0.52, 0.45) in the model before its mirror
    // (scale 1.25 x cube scale 0.8 = 1).
    const TVector spark{0.31f, 0.52f, 0.45f};
    const TVector along = spark / Length(spark);
    TVector tip = mesh.Positions.front();
    for (const TVector& p : mesh.Positions)
        if (Dot(p, along) > Dot(tip, along)) tip = p;
    EXPECT_LT(Length(tip - spark), 0.1f);
    for (const TTexCoord& t : mesh.TexCoords) {
        EXPECT_GE(t.u, 0);
        EXPECT_LE(t.u, 1);
        EXPECT_GE(t.v, 0);
        EXPECT_LE(t.v, 1);
    }
}

TEST(MeshesTest, BevelledBlock) {
    const TMesh& mesh = MeshC();
    EXPECT_EQ(mesh.Faces.size(), 44u);
    EXPECT_EQ(mesh.Positions.size(), 24u);
    EXPECT_EQ(mesh.Normals.size(), 26u);
    ExpectBox(mesh, {0.5f, 0.5f, 0.5f});
    ExpectWellFormed(mesh);
    ExpectClosed(mesh);
    for (const TVector& p : mesh.Positions) {
        // Each corner of a flat: one coordinate at 0.5, the others at 0.38.
        const int atFace = (std::fabs(p.x) == 0.5f) + (std::fabs(p.y) == 0.5f) + (std::fabs(p.z) == 0.5f);
        const int atFlat = (std::fabs(p.x) == 0.38f) + (std::fabs(p.y) == 0.38f) + (std::fabs(p.z) == 0.38f);
        EXPECT_EQ(atFace, 1);
        EXPECT_EQ(atFlat, 2);
    }
}

} // namespace
} // namespace veltrane

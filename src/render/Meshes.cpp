#include "render/Meshes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace veltrane {

namespace {

constexpr float kPi = 3.14159265358979f;

TVector Normalized(TVector v) {
    const float length = Length(v);
    return length > 0 ? v / length : v;
}

// Collects triangles and shares equal positions, normals and texture coordinates.
class TMeshBuilder {
public:
    // Adds a triangle, turned if needed so that it runs counter-clockwise seen from the side its
    // corner normals point to.
    void Add(std::array<TVector, 3> p, std::array<TVector, 3> n, std::array<TTexCoord, 3> t) {
        const TVector facing = Cross(p[1] - p[0], p[2] - p[0]);
        if (Dot(facing, n[0] + n[1] + n[2]) < 0) {
            std::swap(p[1], p[2]);
            std::swap(n[1], n[2]);
            std::swap(t[1], t[2]);
        }
        TMeshFace face{};
        for (int c = 0; c < 3; ++c) {
            face[c] = Index(positions_, mesh_.Positions, p[c]);
            face[3 + c] = Index(normals_, mesh_.Normals, Normalized(n[c]));
            face[6 + c] = IndexTex(t[c]);
        }
        mesh_.Faces.push_back(face);
    }
    TMesh Take(float scale) {
        mesh_.Scale = scale;
        return std::move(mesh_);
    }

private:
    using Key = std::tuple<float, float, float>;
    static int Index(std::map<Key, int>& map, std::vector<TVector>& table, TVector v) {
        auto [it, added] = map.try_emplace(Key{v.x, v.y, v.z}, int(table.size()));
        if (added) table.push_back(v);
        return it->second;
    }
    int IndexTex(TTexCoord t) {
        auto [it, added] = texCoords_.try_emplace(std::pair{t.u, t.v}, int(mesh_.TexCoords.size()));
        if (added) mesh_.TexCoords.push_back(t);
        return it->second;
    }

    TMesh mesh_;
    std::map<Key, int> positions_, normals_;
    std::map<std::pair<float, float>, int> texCoords_;
};

TVector Axis(int axis, float value) {
    TVector v;
    (axis == 0 ? v.x : axis == 1 ? v.y : v.z) = value;
    return v;
}

float Component(TVector v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// The whole picture on each side of a unit cube: a point is projected onto the side the
// triangle faces most, u running to the side's right and v upwards (seen from outside, sides
// upright with z up, top and bottom with y up); -span..span of the side maps to Lo..Hi.
struct TCubeMapping {
    float Lo, Hi, Span;

    TTexCoord At(TVector p, TVector faceNormal) const {
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (std::fabs(Component(faceNormal, a)) > std::fabs(Component(faceNormal, axis)) + 1e-6f)
                axis = a;
        const TVector n = Axis(axis, Component(faceNormal, axis) > 0 ? 1.0f : -1.0f);
        const TVector up = axis == 2 ? TVector{0, 1, 0} : TVector{0, 0, 1};
        const TVector right = Cross(up, n);
        auto map = [&](float c) { return Lo + (c + Span) / (2 * Span) * (Hi - Lo); };
        return {map(Dot(p, right)), map(Dot(p, up))};
    }

    void AddTriangle(TMeshBuilder& builder, std::array<TVector, 3> p, std::array<TVector, 3> n) const {
        const TVector faceNormal = Normalized(n[0] + n[1] + n[2]);
        builder.Add(p, n, {At(p[0], faceNormal), At(p[1], faceNormal), At(p[2], faceNormal)});
    }
};

// A point of the cube with the value a on axis i, b on axis j and c on the remaining axis k.
TVector On(int i, float a, int j, float b, int k, float c) {
    return Axis(i, a) + Axis(j, b) + Axis(k, c);
}

// The six flat squares of a cube's sides, each reaching flat from the side's middle.
void AddFlatSquares(TMeshBuilder& builder, const TCubeMapping& mapping, float flat) {
    for (int axis = 0; axis < 3; ++axis)
        for (float s : {1.0f, -1.0f}) {
            const int i = (axis + 1) % 3, j = (axis + 2) % 3;
            const TVector n = Axis(axis, s);
            const TVector a = On(axis, s * 0.5f, i, -flat, j, -flat),
                          b = On(axis, s * 0.5f, i, flat, j, -flat), c = On(axis, s * 0.5f, i, flat, j, flat),
                          d = On(axis, s * 0.5f, i, -flat, j, flat);
            mapping.AddTriangle(builder, {a, c, d}, {n, n, n});
            mapping.AddTriangle(builder, {a, b, c}, {n, n, n});
        }
}

TMesh BuildCube() {
    // The rounded edge: five steps of a quarter circle from the flat of axis j (step 0) to the
    // flat of axis i (step 4), as distances from the centre along i and along j.
    const float along[5] = {0.4f, 0.443f, 0.475f, 0.487f, 0.5f};
    const float across[5] = {0.5f, 0.487f, 0.475f, 0.443f, 0.4f};
    const float flat = 0.4f, corner = 0.45f;
    TMeshBuilder builder;
    // A side's triangles reach 0.475 from its middle (half way round the rounded edges).
    const TCubeMapping mapping{0.0139f, 0.9861f, 0.475f};

    AddFlatSquares(builder, mapping, flat);

    // Edge strips: four quads across each edge, from one end of the flats to the other.
    auto edgePoint = [&](int i, float si, int j, float sj, int k, float kValue, int step) {
        return On(i, si * along[step], j, sj * across[step], k, kValue);
    };
    auto edgeNormal = [&](int i, float si, int j, float sj, int step) {
        const float angle = float(step) * kPi / 8;
        return Axis(i, si * std::sin(angle)) + Axis(j, sj * std::cos(angle));
    };
    for (int k = 0; k < 3; ++k) {
        const int i = (k + 1) % 3, j = (k + 2) % 3;
        for (float si : {1.0f, -1.0f})
            for (float sj : {1.0f, -1.0f})
                for (int step = 0; step < 4; ++step) {
                    const TVector n0 = edgeNormal(i, si, j, sj, step),
                                  n1 = edgeNormal(i, si, j, sj, step + 1);
                    const TVector a = edgePoint(i, si, j, sj, k, -flat, step),
                                  b = edgePoint(i, si, j, sj, k, flat, step),
                                  c = edgePoint(i, si, j, sj, k, flat, step + 1),
                                  d = edgePoint(i, si, j, sj, k, -flat, step + 1);
                    mapping.AddTriangle(builder, {a, b, c}, {n0, n0, n1});
                    mapping.AddTriangle(builder, {a, c, d}, {n0, n1, n1});
                }
    }

    // Corners: a fan of twelve triangles from the corner's middle point to the ring where the
    // three flats and the three edge strips end.
    for (float sx : {1.0f, -1.0f})
        for (float sy : {1.0f, -1.0f})
            for (float sz : {1.0f, -1.0f}) {
                const float s[3] = {sx, sy, sz};
                std::vector<TVector> ring, ringNormals;
                // Around the corner: from the flat of axis a over the edge towards the flat of
                // axis b, for (a, b) = (z, x), (x, y), (y, z).
                for (auto [a, b] : {std::pair{2, 0}, std::pair{0, 1}, std::pair{1, 2}}) {
                    const int k = 3 - a - b;
                    for (int step = 0; step < 4; ++step) {
                        ring.push_back(edgePoint(b, s[b], a, s[a], k, s[k] * flat, step));
                        ringNormals.push_back(edgeNormal(b, s[b], a, s[a], step));
                    }
                }
                const TVector centre{sx * corner, sy * corner, sz * corner};
                const TVector centreNormal = Normalized({sx, sy, sz});
                for (size_t r = 0; r < ring.size(); ++r) {
                    const size_t next = (r + 1) % ring.size();
                    mapping.AddTriangle(builder, {centre, ring[r], ring[next]},
                                        {centreNormal, ringNormals[r], ringNormals[next]});
                }
            }
    return builder.Take(1.0f);
}

TMesh BuildBlock() {
    const float flat = 0.38f;
    TMeshBuilder builder;
    const TCubeMapping mapping{0.0f, 1.0f, 0.5f};
    AddFlatSquares(builder, mapping, flat);
    // Bevels between two flats: one quad each.
    for (int k = 0; k < 3; ++k) {
        const int i = (k + 1) % 3, j = (k + 2) % 3;
        for (float si : {1.0f, -1.0f})
            for (float sj : {1.0f, -1.0f}) {
                const TVector n = Normalized(Axis(i, si) + Axis(j, sj));
                const TVector a = On(i, si * 0.5f, j, sj * flat, k, -flat),
                              b = On(i, si * 0.5f, j, sj * flat, k, flat),
                              c = On(i, si * flat, j, sj * 0.5f, k, flat),
                              d = On(i, si * flat, j, sj * 0.5f, k, -flat);
                mapping.AddTriangle(builder, {a, b, c}, {n, n, n});
                mapping.AddTriangle(builder, {a, c, d}, {n, n, n});
            }
    }
    // Corner triangles between three bevels.
    for (float sx : {1.0f, -1.0f})
        for (float sy : {1.0f, -1.0f})
            for (float sz : {1.0f, -1.0f}) {
                const TVector n = Normalized({sx, sy, sz});
                mapping.AddTriangle(builder,
                                    {TVector{sx * 0.5f, sy * flat, sz * flat},
                                     TVector{sx * flat, sy * 0.5f, sz * flat},
                                     TVector{sx * flat, sy * flat, sz * 0.5f}},
                                    {n, n, n});
            }
    return builder.Take(1.0f);
}

// An orthonormal pair perpendicular to d.
std::pair<TVector, TVector> Perpendiculars(TVector d) {
    const TVector helper = std::fabs(d.z) < 0.9f ? TVector{0, 0, 1} : TVector{1, 0, 0};
    const TVector a = Normalized(Cross(helper, d));
    return {a, Cross(d, a)};
}

TMesh BuildBomb() {
    // A slightly egg-shaped body, with the collar and the wick leaning towards (+x, +y, +z),
    // where the fuse sparks fly. Fitted into the bomb's box at the end.
    const TVector centre{0, -0.06f, -0.056f};
    const TVector radii{0.3755f, 0.44f, 0.40f};
    const TVector tip{0.30f, 0.47f, 0.42f};
    constexpr int kSlices = 16, kStacks = 9, kFuseSides = 14;

    struct TCorner {
        TVector P, N;
        TTexCoord T;
    };
    std::vector<std::array<TCorner, 3>> triangles;

    auto bodyCorner = [&](int stack, int slice) {
        const float theta = kPi * float(stack) / kStacks, phi = 2 * kPi * float(slice) / kSlices;
        const TVector unit{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta)};
        const TVector p = centre + TVector{unit.x * radii.x, unit.y * radii.y, unit.z * radii.z};
        const TVector n = Normalized({unit.x / radii.x, unit.y / radii.y, unit.z / radii.z});
        return TCorner{p, n, {float(slice) / kSlices, float(stack) / kStacks}};
    };
    for (int stack = 0; stack < kStacks; ++stack)
        for (int slice = 0; slice < kSlices; ++slice) {
            const TCorner a = bodyCorner(stack, slice), b = bodyCorner(stack, slice + 1),
                          c = bodyCorner(stack + 1, slice + 1), d = bodyCorner(stack + 1, slice);
            if (stack != 0) triangles.push_back({a, b, c});
            if (stack != kStacks - 1) triangles.push_back({a, c, d});
        }

    // Where the fuse axis leaves the body.
    const TVector axis = Normalized(tip - centre);
    const TVector scaled{axis.x / radii.x, axis.y / radii.y, axis.z / radii.z};
    const float surface = 1 / Length(scaled);
    const std::pair<TVector, TVector> across = Perpendiculars(axis);
    const TVector e1 = across.first, e2 = across.second;
    auto ringPoint = [&](float distance, float radius, int side) {
        const float phi = 2 * kPi * float(side) / kFuseSides;
        const TVector radial = e1 * std::cos(phi) + e2 * std::sin(phi);
        return std::pair{centre + axis * distance + radial * radius, radial};
    };
    auto cylinder = [&](float from, float to, float radius, float v0, float v1) {
        for (int side = 0; side < kFuseSides; ++side) {
            const auto [p0, n0] = ringPoint(from, radius, side);
            const auto [p1, n1] = ringPoint(from, radius, side + 1);
            const auto [p2, n2] = ringPoint(to, radius, side + 1);
            const auto [p3, n3] = ringPoint(to, radius, side);
            const float u0 = float(side) / kFuseSides, u1 = float(side + 1) / kFuseSides;
            const TCorner a{p0, n0, {u0, v0}}, b{p1, n1, {u1, v0}}, c{p2, n2, {u1, v1}}, d{p3, n3, {u0, v1}};
            triangles.push_back({a, b, c});
            triangles.push_back({a, c, d});
        }
    };
    const float collarStart = surface - 0.06f, collarEnd = surface + 0.07f, collarRadius = 0.11f;
    const float wickRadius = 0.035f, wickEnd = Length(tip - centre);
    cylinder(collarStart, collarEnd, collarRadius, 0.90f, 0.95f);
    // The collar's top: a ring between the collar's rim and the wick.
    for (int side = 0; side < kFuseSides; ++side) {
        const auto [p0, r0] = ringPoint(collarEnd, collarRadius, side);
        const auto [p1, r1] = ringPoint(collarEnd, collarRadius, side + 1);
        const auto [p2, r2] = ringPoint(collarEnd, wickRadius, side + 1);
        const auto [p3, r3] = ringPoint(collarEnd, wickRadius, side);
        const float u0 = float(side) / kFuseSides, u1 = float(side + 1) / kFuseSides;
        const TCorner a{p0, axis, {u0, 0.95f}}, b{p1, axis, {u1, 0.95f}}, c{p2, axis, {u1, 0.97f}},
            d{p3, axis, {u0, 0.97f}};
        triangles.push_back({a, b, c});
        triangles.push_back({a, c, d});
    }
    cylinder(collarEnd, wickEnd, wickRadius, 0.97f, 0.99f);
    // The wick's end.
    const TVector end = centre + axis * wickEnd;
    for (int side = 0; side < kFuseSides; ++side) {
        const auto [p0, r0] = ringPoint(wickEnd, wickRadius, side);
        const auto [p1, r1] = ringPoint(wickEnd, wickRadius, side + 1);
        triangles.push_back({TCorner{end, axis, {0.5f, 1.0f}},
                             TCorner{p0, axis, {float(side) / kFuseSides, 0.99f}},
                             TCorner{p1, axis, {float(side + 1) / kFuseSides, 0.99f}}});
    }

    // Fit into the box exactly; normals follow the inverse scaling.
    const TVector half{0.3755f, 0.5f, 0.4559f};
    TVector lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    for (const auto& triangle : triangles)
        for (const TCorner& c : triangle) {
            lo = {std::min(lo.x, c.P.x), std::min(lo.y, c.P.y), std::min(lo.z, c.P.z)};
            hi = {std::max(hi.x, c.P.x), std::max(hi.y, c.P.y), std::max(hi.z, c.P.z)};
        }
    const TVector scale{2 * half.x / (hi.x - lo.x), 2 * half.y / (hi.y - lo.y), 2 * half.z / (hi.z - lo.z)};
    auto fit = [&](float value, float low, float k, float h) {
        return value == low ? -h : std::min(h, -h + (value - low) * k);
    };
    TMeshBuilder builder;
    for (const auto& triangle : triangles) {
        std::array<TVector, 3> p, n;
        std::array<TTexCoord, 3> t;
        for (int c = 0; c < 3; ++c) {
            const TCorner& corner = triangle[c];
            p[c] = {fit(corner.P.x, lo.x, scale.x, half.x), fit(corner.P.y, lo.y, scale.y, half.y),
                    fit(corner.P.z, lo.z, scale.z, half.z)};
            n[c] = Normalized({corner.N.x / scale.x, corner.N.y / scale.y, corner.N.z / scale.z});
            t[c] = corner.T;
        }
        builder.Add(p, n, t);
    }
    return builder.Take(1.25f);
}

} // namespace

const TMesh& MeshA() {
    static const TMesh mesh = BuildCube();
    return mesh;
}

const TMesh& MeshB() {
    static const TMesh mesh = BuildBomb();
    return mesh;
}

const TMesh& MeshC() {
    static const TMesh mesh = BuildBlock();
    return mesh;
}

} // namespace veltrane

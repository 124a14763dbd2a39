// Three-float vectors and 4x4 row-major matrices used with row vectors (v * M),
// with the left-handed rotations of the scene.
#pragma once

#include <array>
#include <cmath>

namespace veltrane {

struct TVector {
    float x = 0, y = 0, z = 0;

    friend bool operator==(const TVector&, const TVector&) = default;
};

inline TVector MakeVector(float x, float y, float z) {
    return {x, y, z};
}
inline TVector operator+(TVector a, TVector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline TVector operator-(TVector a, TVector b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline TVector operator*(TVector a, float k) {
    return {a.x * k, a.y * k, a.z * k};
}
inline TVector operator/(TVector a, float k) {
    return {a.x / k, a.y / k, a.z / k};
}
inline float Dot(TVector a, TVector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float Length(TVector a) {
    return std::sqrt(Dot(a, a));
}
inline TVector Cross(TVector a, TVector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// m[row][column]; a translation stands in row 3.
struct TMatrix {
    std::array<std::array<float, 4>, 4> m{};

    float& operator()(int row, int col) { return m[row][col]; }
    float operator()(int row, int col) const { return m[row][col]; }
    const float* Data() const { return &m[0][0]; }
    friend bool operator==(const TMatrix&, const TMatrix&) = default;
};

TMatrix MatrixIdentity();
TMatrix MatrixMultiply(const TMatrix& a, const TMatrix& b); // a x b
TMatrix MatrixTranslation(TVector p);
TMatrix MatrixScaling(TVector s);
TMatrix MatrixRotationX(float angle);
TMatrix MatrixRotationY(float angle);
TMatrix MatrixRotationZ(float angle);

// The point v (w = 1) times m, divided by the resulting w.
TVector TransformCoord(TVector v, const TMatrix& m);

} // namespace veltrane

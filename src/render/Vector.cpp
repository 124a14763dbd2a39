#include "render/Vector.h"

namespace veltrane {

TMatrix MatrixIdentity() {
    TMatrix r;
    for (int i = 0; i < 4; ++i) r(i, i) = 1.0f;
    return r;
}

TMatrix MatrixMultiply(const TMatrix& a, const TMatrix& b) {
    TMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a(i, k) * b(k, j);
            r(i, j) = sum;
        }
    return r;
}

TMatrix MatrixTranslation(TVector p) {
    TMatrix r = MatrixIdentity();
    r(3, 0) = p.x;
    r(3, 1) = p.y;
    r(3, 2) = p.z;
    return r;
}

TMatrix MatrixScaling(TVector s) {
    TMatrix r;
    r(0, 0) = s.x;
    r(1, 1) = s.y;
    r(2, 2) = s.z;
    r(3, 3) = 1.0f;
    return r;
}

TMatrix MatrixRotationX(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    TMatrix r = MatrixIdentity();
    r(1, 1) = c;
    r(1, 2) = s;
    r(2, 1) = -s;
    r(2, 2) = c;
    return r;
}

TMatrix MatrixRotationY(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    TMatrix r = MatrixIdentity();
    r(0, 0) = c;
    r(0, 2) = -s;
    r(2, 0) = s;
    r(2, 2) = c;
    return r;
}

TMatrix MatrixRotationZ(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    TMatrix r = MatrixIdentity();
    r(0, 0) = c;
    r(0, 1) = s;
    r(1, 0) = -s;
    r(1, 1) = c;
    return r;
}

TVector TransformCoord(TVector v, const TMatrix& m) {
    const float x = v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0) + m(3, 0);
    const float y = v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1) + m(3, 1);
    const float z = v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2) + m(3, 2);
    const float w = v.x * m(0, 3) + v.y * m(1, 3) + v.z * m(2, 3) + m(3, 3);
    return w != 0.0f && w != 1.0f ? TVector{x / w, y / w, z / w} : TVector{x, y, z};
}

} // namespace veltrane

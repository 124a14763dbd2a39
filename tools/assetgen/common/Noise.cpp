#include "common/Noise.h"

#include <cmath>

namespace veltrane::assetgen {

namespace {

float Lattice(uint32_t seed, int x, int y) {
    uint32_t h = seed * 0x9e3779b9u ^ (static_cast<uint32_t>(x) * 374761393u) ^
                 (static_cast<uint32_t>(y) * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777215.0f;
}

float Smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

float ValueNoise(uint32_t seed, float x, float y) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = Smooth(x - fx), ty = Smooth(y - fy);
    const float a = Lattice(seed, ix, iy), b = Lattice(seed, ix + 1, iy);
    const float c = Lattice(seed, ix, iy + 1), d = Lattice(seed, ix + 1, iy + 1);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

float FractalNoise(uint32_t seed, float x, float y, int octaves) {
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(seed + static_cast<uint32_t>(i) * 101u, x, y) * weight;
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / total;
}

} // namespace veltrane::assetgen

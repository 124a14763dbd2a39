// Smooth deterministic noise for textures: value noise and its fractal sum.
#pragma once

#include <cstdint>

namespace veltrane::assetgen {

// Value noise in [0, 1], smooth between whole-number lattice points.
float ValueNoise(uint32_t seed, float x, float y);
// Sum of octaves of value noise, each twice the frequency and half the weight; in [0, 1].
float FractalNoise(uint32_t seed, float x, float y, int octaves);

} // namespace veltrane::assetgen

#pragma once
// Gradient noise for rocks, planets, nebulae and dust. Values lie roughly in [-1, 1].
#include <cstdint>

namespace assetgen {

// 2D gradient noise; with period > 0 it tiles every `period` units in x and y.
double Noise2(double x, double y, uint32_t seed, int period = 0);
// 3D gradient noise (sphere surfaces that turn without a seam).
double Noise3(double x, double y, double z, uint32_t seed);
// Fractal sums of octaves (lacunarity 2, gain 0.5), normalised to about [-1, 1].
double Fbm2(double x, double y, int octaves, uint32_t seed, int period = 0);
double Fbm3(double x, double y, double z, int octaves, uint32_t seed);

} // namespace assetgen

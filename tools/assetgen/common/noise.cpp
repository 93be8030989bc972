#include "common/noise.h"

#include <cmath>

namespace assetgen {
namespace {

uint32_t Hash(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE35u;
    h = (h << 11) | (h >> 21);
    h ^= uint32_t(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double Lerp(double a, double b, double t) { return a + (b - a) * t; }

double Grad2(uint32_t h, double x, double y) {
    double angle = (h & 0xFFFF) * (6.283185307179586 / 65536.0);
    return std::cos(angle) * x + std::sin(angle) * y;
}

double Grad3(uint32_t h, double x, double y, double z) {
    switch (h % 12) {
    case 0: return x + y;
    case 1: return -x + y;
    case 2: return x - y;
    case 3: return -x - y;
    case 4: return x + z;
    case 5: return -x + z;
    case 6: return x - z;
    case 7: return -x - z;
    case 8: return y + z;
    case 9: return -y + z;
    case 10: return y - z;
    default: return -y - z;
    }
}

int Wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

} // namespace

double Noise2(double x, double y, uint32_t seed, int period) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = x - x0, fy = y - y0;
    int xa = Wrap(x0, period), xb = Wrap(x0 + 1, period);
    int ya = Wrap(y0, period), yb = Wrap(y0 + 1, period);
    double n00 = Grad2(Hash(xa, ya, 0, seed), fx, fy);
    double n10 = Grad2(Hash(xb, ya, 0, seed), fx - 1, fy);
    double n01 = Grad2(Hash(xa, yb, 0, seed), fx, fy - 1);
    double n11 = Grad2(Hash(xb, yb, 0, seed), fx - 1, fy - 1);
    double u = Fade(fx), v = Fade(fy);
    return 1.41 * Lerp(Lerp(n00, n10, u), Lerp(n01, n11, u), v);
}

double Noise3(double x, double y, double z, uint32_t seed) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y)), z0 = int(std::floor(z));
    double fx = x - x0, fy = y - y0, fz = z - z0;
    double u = Fade(fx), v = Fade(fy), w = Fade(fz);
    auto g = [&](int dx, int dy, int dz) {
        return Grad3(Hash(x0 + dx, y0 + dy, z0 + dz, seed), fx - dx, fy - dy, fz - dz);
    };
    double a = Lerp(Lerp(g(0, 0, 0), g(1, 0, 0), u), Lerp(g(0, 1, 0), g(1, 1, 0), u), v);
    double b = Lerp(Lerp(g(0, 0, 1), g(1, 0, 1), u), Lerp(g(0, 1, 1), g(1, 1, 1), u), v);
    return Lerp(a, b, w);
}

double Fbm2(double x, double y, int octaves, uint32_t seed, int period) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise2(x, y, seed + uint32_t(i) * 101u, period);
        norm += amp;
        x *= 2;
        y *= 2;
        period *= 2;
        amp *= 0.5;
    }
    return sum / norm;
}

double Fbm3(double x, double y, double z, int octaves, uint32_t seed) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise3(x, y, z, seed + uint32_t(i) * 101u);
        norm += amp;
        x *= 2;
        y *= 2;
        z *= 2;
        amp *= 0.5;
    }
    return sum / norm;
}

} // namespace assetgen

// Random numbers: the Park–Miller "minimal standard" generator (multiplier 48271, modulus
// 2^31 − 1). Small, fast and reproducible across machines, which the seeded headless runs need.
#include <cstdint>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

constexpr uint32_t MODULUS = 2147483647u; // 2^31 − 1
constexpr uint64_t MULTIPLIER = 48271;
constexpr int32_t START_SEED = 4660; // 0x1234: also replaces seeds the generator cannot use

int32_t seed = START_SEED;
uint32_t current = START_SEED;

// The next value, uniform in 1 .. 2^31 − 2.
uint32_t Next() {
    current = uint32_t(uint64_t(current) * MULTIPLIER % MODULUS);
    return current;
}

// Uniform in the open interval (0, 1).
double NextUnit() {
    return double(Next()) / double(MODULUS);
}

} // namespace

namespace Internal {
void ResetRandom() {
    SeedRandom(START_SEED);
}
} // namespace Internal

void SeedRandom(int32_t value) {
    // 0 and 2^31 − 1 are fixed points of the generator (0 would repeat forever).
    uint32_t masked = uint32_t(value) & 0x7FFFFFFFu;
    if (masked == 0 || masked == MODULUS) masked = START_SEED;
    seed = int32_t(masked);
    current = masked;
}

int32_t RandomSeed() {
    return seed;
}

float RandomFloat(float a, float b) {
    const float value = float(double(a) + (double(b) - double(a)) * NextUnit());
    // Rounding to float may land on an end; keep the result between the bounds.
    const float low = a < b ? a : b, high = a < b ? b : a;
    return value < low ? low : (value > high ? high : value);
}

int RandomInt(int a, int b) {
    if (b < a) {
        const int t = a;
        a = b;
        b = t;
    }
    const int64_t span = int64_t(b) - int64_t(a) + 1;
    int64_t offset = int64_t(NextUnit() * double(span));
    if (offset >= span) offset = span - 1;
    return int(int64_t(a) + offset);
}

} // namespace Media

#pragma once
// A small deterministic generator (SplitMix64): the same seed gives the same art and sound on
// every machine, unlike std:: distributions whose results differ between library versions.
#include <cstdint>

namespace assetgen {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [a, b).
    double Float(double a, double b) { return a + (b - a) * (double(Next() >> 11) * (1.0 / 9007199254740992.0)); }
    // Uniform in [a, b], both ends included.
    int Int(int a, int b) { return a + int(Next() % uint64_t(b - a + 1)); }

private:
    uint64_t state_;
};

} // namespace assetgen

#include "media/sdl/texture_bleed.h"

#include <cstdint>
#include <vector>

namespace Media {
namespace {

// Rings spread from the visible texels; filtering needs one, each mip level about one more. Texels
// farther out take the average visible colour, which keeps large empty areas cheap.
constexpr int BLEED_RINGS = 8;

} // namespace

void BleedTransparentColours(PixelMap& rgba) {
    const int w = rgba.Width;
    const int h = rgba.Height;
    if (rgba.PixelFormat != PixelMap::Format::RGBA || w <= 0 || h <= 0) return;
    const size_t count = size_t(w) * size_t(h);
    if (rgba.Pixels.size() < count * 4) return;
    uint8_t* px = rgba.Pixels.data();

    // 0 = without colour yet, 1 = queued in the next ring, 2 = has a colour.
    std::vector<uint8_t> state(count, 0);
    uint64_t sum[3] = {0, 0, 0};
    size_t visible = 0;
    for (size_t i = 0; i < count; ++i) {
        if (px[i * 4 + 3] == 0) continue;
        state[i] = 2;
        for (int c = 0; c < 3; ++c)
            sum[c] += px[i * 4 + size_t(c)];
        ++visible;
    }
    if (visible == 0 || visible == count) return;

    const auto forNeighbours = [&](size_t i, auto&& visit) {
        const int x = int(i % size_t(w));
        const int y = int(i / size_t(w));
        for (int ny = (y > 0 ? y - 1 : 0); ny <= (y + 1 < h ? y + 1 : y); ++ny) {
            for (int nx = (x > 0 ? x - 1 : 0); nx <= (x + 1 < w ? x + 1 : x); ++nx) {
                if (nx != x || ny != y) visit(size_t(ny) * size_t(w) + size_t(nx));
            }
        }
    };

    std::vector<size_t> ring;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (state[i] != 2) continue;
            forNeighbours(i, [&](size_t n) {
                if (state[n] == 0) {
                    state[n] = 1;
                    ring.push_back(n);
                }
            });
        }
    }

    std::vector<size_t> next;
    std::vector<uint8_t> colours;
    for (int r = 0; r < BLEED_RINGS && !ring.empty(); ++r) {
        // A ring's colours come from earlier rings only and are committed together, so the
        // result does not depend on the scan order.
        colours.assign(ring.size() * 3, 0);
        for (size_t k = 0; k < ring.size(); ++k) {
            unsigned ringSum[3] = {0, 0, 0};
            unsigned n = 0;
            forNeighbours(ring[k], [&](size_t j) {
                if (state[j] != 2) return;
                for (int c = 0; c < 3; ++c)
                    ringSum[c] += px[j * 4 + size_t(c)];
                ++n;
            });
            for (int c = 0; c < 3; ++c)
                colours[k * 3 + size_t(c)] = uint8_t((ringSum[c] + n / 2) / n);
        }
        for (size_t k = 0; k < ring.size(); ++k) {
            for (int c = 0; c < 3; ++c)
                px[ring[k] * 4 + size_t(c)] = colours[k * 3 + size_t(c)];
            state[ring[k]] = 2;
        }
        next.clear();
        for (size_t i : ring) {
            forNeighbours(i, [&](size_t n) {
                if (state[n] == 0) {
                    state[n] = 1;
                    next.push_back(n);
                }
            });
        }
        ring.swap(next);
    }

    uint8_t average[3];
    for (int c = 0; c < 3; ++c)
        average[c] = uint8_t((sum[c] + visible / 2) / visible);
    for (size_t i = 0; i < count; ++i) {
        if (state[i] == 2) continue;
        for (int c = 0; c < 3; ++c)
            px[i * 4 + size_t(c)] = average[c];
    }
}

} // namespace Media

#include "media/sdl/texture_bleed.h"

#include <cstdint>
#include <vector>

namespace Media {
namespace {

// Rings spread from the visible texels; filtering needs one, each mip level about one more. Texels
// farther out take the average visible colour, which keeps large empty areas cheap.
constexpr int BLEED_RINGS = 8;

// 0 = without colour yet, 1 = queued in the next ring, 2 = has a colour.
constexpr uint8_t NO_COLOUR = 0, QUEUED = 1, COLOURED = 2;

struct Texel {
    int X, Y;
};

// Calls visit(x, y) for the up to eight neighbours of (x, y) inside a w × h map.
template <typename Visit>
void ForNeighbours(int x, int y, int w, int h, Visit&& visit) {
    const int x0 = x > 0 ? x - 1 : 0, x1 = x + 1 < w ? x + 1 : x;
    const int y0 = y > 0 ? y - 1 : 0, y1 = y + 1 < h ? y + 1 : y;
    for (int ny = y0; ny <= y1; ++ny) {
        for (int nx = x0; nx <= x1; ++nx) {
            if (nx != x || ny != y) visit(nx, ny);
        }
    }
}

} // namespace

void BleedTransparentColours(PixelMap& rgba) {
    const int w = rgba.Width;
    const int h = rgba.Height;
    if (rgba.PixelFormat != PixelMap::Format::RGBA || w <= 0 || h <= 0) return;
    const size_t count = size_t(w) * size_t(h);
    if (rgba.Pixels.size() < count * 4) return;
    uint8_t* px = rgba.Pixels.data();
    const auto at = [w](int x, int y) { return size_t(y) * size_t(w) + size_t(x); };

    std::vector<uint8_t> state(count, NO_COLOUR);
    // Rows without a visible texel; a texel whose three neighbouring rows are all empty cannot
    // border a visible one, which lets the first ring skip large empty areas by whole rows.
    std::vector<uint8_t> rowVisible(size_t(h), 0);
    uint64_t sum[3] = {0, 0, 0};
    size_t visible = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t i = at(x, y);
            if (px[i * 4 + 3] == 0) continue;
            state[i] = COLOURED;
            rowVisible[size_t(y)] = 1;
            for (int c = 0; c < 3; ++c)
                sum[c] += px[i * 4 + size_t(c)];
            ++visible;
        }
    }
    if (visible == 0 || visible == count) return;

    // The first ring: transparent texels beside a visible one.
    std::vector<Texel> ring;
    for (int y = 0; y < h; ++y) {
        const bool nearVisible = rowVisible[size_t(y)] || (y > 0 && rowVisible[size_t(y - 1)]) ||
                                 (y + 1 < h && rowVisible[size_t(y + 1)]);
        if (!nearVisible) continue;
        for (int x = 0; x < w; ++x) {
            if (state[at(x, y)] != NO_COLOUR) continue;
            bool borders = false;
            ForNeighbours(x, y, w, h, [&](int nx, int ny) { borders = borders || state[at(nx, ny)] == COLOURED; });
            if (borders) ring.push_back({x, y});
        }
    }
    for (const Texel& t : ring)
        state[at(t.X, t.Y)] = QUEUED;

    std::vector<Texel> next;
    std::vector<uint8_t> colours;
    for (int r = 0; r < BLEED_RINGS && !ring.empty(); ++r) {
        // A ring's colours come from earlier rings only and are committed together, so the
        // result does not depend on the scan order.
        colours.assign(ring.size() * 3, 0);
        for (size_t k = 0; k < ring.size(); ++k) {
            unsigned ringSum[3] = {0, 0, 0};
            unsigned n = 0;
            ForNeighbours(ring[k].X, ring[k].Y, w, h, [&](int nx, int ny) {
                const size_t j = at(nx, ny);
                if (state[j] != COLOURED) return;
                for (int c = 0; c < 3; ++c)
                    ringSum[c] += px[j * 4 + size_t(c)];
                ++n;
            });
            for (int c = 0; c < 3; ++c)
                colours[k * 3 + size_t(c)] = uint8_t((ringSum[c] + n / 2) / n);
        }
        for (size_t k = 0; k < ring.size(); ++k) {
            const size_t i = at(ring[k].X, ring[k].Y);
            for (int c = 0; c < 3; ++c)
                px[i * 4 + size_t(c)] = colours[k * 3 + size_t(c)];
            state[i] = COLOURED;
        }
        next.clear();
        for (const Texel& t : ring) {
            ForNeighbours(t.X, t.Y, w, h, [&](int nx, int ny) {
                uint8_t& s = state[at(nx, ny)];
                if (s == NO_COLOUR) {
                    s = QUEUED;
                    next.push_back({nx, ny});
                }
            });
        }
        ring.swap(next);
    }

    uint8_t average[3];
    for (int c = 0; c < 3; ++c)
        average[c] = uint8_t((sum[c] + visible / 2) / visible);
    for (size_t i = 0; i < count; ++i) {
        if (state[i] == COLOURED) continue;
        for (int c = 0; c < 3; ++c)
            px[i * 4 + size_t(c)] = average[c];
    }
}

} // namespace Media

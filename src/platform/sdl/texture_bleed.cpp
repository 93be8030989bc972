#include "platform/sdl/texture_bleed.h"

#include <cstdint>
#include <vector>

namespace Media {

void BleedTransparentColours(PixelMap& rgba) {
    const int w = rgba.Width;
    const int h = rgba.Height;
    if (rgba.PixelFormat != PixelMap::Format::RGBA || w <= 0 || h <= 0) return;
    const size_t count = size_t(w) * size_t(h);
    uint8_t* px = rgba.Pixels.data();

    // 0 = still without colour, 1 = waiting in the next ring, 2 = has a colour.
    std::vector<uint8_t> state(count, 0);
    for (size_t i = 0; i < count; ++i) {
        if (px[i * 4 + 3] != 0) state[i] = 2;
    }

    auto forNeighbours = [&](size_t i, auto&& visit) {
        const int x = int(i % size_t(w));
        const int y = int(i / size_t(w));
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx;
                const int ny = y + dy;
                if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                visit(size_t(ny) * size_t(w) + size_t(nx));
            }
        }
    };

    std::vector<size_t> ring;
    for (size_t i = 0; i < count; ++i) {
        if (state[i] != 0) continue;
        bool touchesColour = false;
        forNeighbours(i, [&](size_t n) { touchesColour = touchesColour || state[n] == 2; });
        if (touchesColour) {
            state[i] = 1;
            ring.push_back(i);
        }
    }

    std::vector<size_t> next;
    std::vector<uint8_t> colours;
    while (!ring.empty()) {
        // Colours of a ring are computed from earlier rings only, then committed together, so the
        // result does not depend on the scan order.
        colours.assign(ring.size() * 3, 0);
        for (size_t k = 0; k < ring.size(); ++k) {
            unsigned sum[3] = {0, 0, 0};
            unsigned n = 0;
            forNeighbours(ring[k], [&](size_t j) {
                if (state[j] != 2) return;
                for (int c = 0; c < 3; ++c) sum[c] += px[j * 4 + size_t(c)];
                ++n;
            });
            for (int c = 0; c < 3; ++c) colours[k * 3 + size_t(c)] = uint8_t((sum[c] + n / 2) / n);
        }
        next.clear();
        for (size_t k = 0; k < ring.size(); ++k) {
            const size_t i = ring[k];
            for (int c = 0; c < 3; ++c) px[i * 4 + size_t(c)] = colours[k * 3 + size_t(c)];
            state[i] = 2;
        }
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
}

} // namespace Media

#include "media/sdl/mip_level.h"

namespace Media {

PixelMap HalfSizeMipLevel(const PixelMap& rgba) {
    PixelMap half;
    half.PixelFormat = PixelMap::Format::RGBA;
    half.Width = rgba.Width > 1 ? rgba.Width / 2 : 1;
    half.Height = rgba.Height > 1 ? rgba.Height / 2 : 1;
    half.Pixels.resize(size_t(half.Width) * size_t(half.Height) * 4);
    // A side of 1 stays 1, and its blocks are one texel across on that side.
    const int dx = rgba.Width > 1 ? 1 : 0, dy = rgba.Height > 1 ? 1 : 0;
    for (int y = 0; y < half.Height; ++y) {
        const uint8_t* top = rgba.At(0, 2 * y);
        const uint8_t* bottom = rgba.At(0, 2 * y + dy);
        uint8_t* out = half.At(0, y);
        if (dx == 0) {
            for (int c = 0; c < 4; ++c)
                out[c] = uint8_t((top[c] + bottom[c] + 1) / 2);
            continue;
        }
        // Fixed strides, so that the compiler can work on many texels at once.
        const size_t bytes = size_t(half.Width) * 4;
        for (size_t j = 0; j < bytes; j += 4) {
            const uint8_t* t = top + 2 * j;
            const uint8_t* b = bottom + 2 * j;
            for (int c = 0; c < 4; ++c)
                out[j + size_t(c)] = uint8_t((unsigned(t[c]) + t[c + 4] + b[c] + b[c + 4] + 2) >> 2);
        }
    }
    return half;
}

} // namespace Media

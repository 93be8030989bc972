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
        for (int x = 0; x < half.Width; ++x) {
            const size_t a = size_t(2 * x) * 4, b = a + size_t(dx) * 4;
            for (int c = 0; c < 4; ++c)
                out[size_t(x) * 4 + size_t(c)] =
                    uint8_t((top[a + size_t(c)] + top[b + size_t(c)] + bottom[a + size_t(c)] + bottom[b + size_t(c)] + 2) / 4);
        }
    }
    return half;
}

} // namespace Media

#include "media/sdl/stack_composer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The four-pixel vectors are passed only to helpers that are always inlined (also unoptimised,
// where `flatten` is not enough): the calling conventions that GCC warns differ between the
// clones, and would garble a vector passed from one to the other, never apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace Media {
namespace {

// Four pixels, a channel a lane: vectors the compiler keeps in registers (two SSE2 or NEON
// registers, or one AVX2 register where ComposeStack's clone for it runs).
using Pixels4 = uint16_t __attribute__((vector_size(32)));
using Bytes4 = uint8_t __attribute__((vector_size(16)));

// Pixels composed at a time, in 16 bits a channel: a row is done in chunks that stay in cache.
constexpr int CHUNK = 256;

// x / 255 rounded to the nearest, for x up to 255 · 255.
[[gnu::always_inline]] inline Pixels4 Divide255(const Pixels4& value) {
    const Pixels4 x = value + 128;
    return (x + (x >> 8)) >> 8;
}

// Four texels from `texels` (RGBA bytes) in the window's BGRA order, in reverse order when
// mirrored (they were read from the mirrored picture's right to left).
template <bool MIRROR> [[gnu::always_inline]] inline Pixels4 Load4(const uint8_t* texels) {
    Bytes4 bytes;
    std::memcpy(&bytes, texels, sizeof bytes);
    const Pixels4 wide = __builtin_convertvector(bytes, Pixels4);
    if constexpr (MIRROR)
        return __builtin_shufflevector(wide, wide, 14, 13, 12, 15, 10, 9, 8, 11, 6, 5, 4, 7, 2, 1, 0, 3);
    else
        return __builtin_shufflevector(wide, wide, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
}

// Lays four tinted texels over four composed pixels; `first` when nothing lies under them yet.
[[gnu::always_inline]] inline Pixels4 Over(const Pixels4& texels, const Pixels4& composed,
                                           const Pixels4& tint, bool first) {
    const Pixels4 layer = Divide255(texels * tint);
    if (first) return layer;
    const Pixels4 alpha =
        __builtin_shufflevector(layer, layer, 3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15);
    const Pixels4 sum = layer + Divide255(composed * (255 - alpha));
    // A back buffer keeps 8 bits: light that a premultiplied texel adds beyond white is lost.
    const Pixels4 white = Pixels4{} + 255;
    return sum > white ? white : sum;
}

struct Prepared {
    const uint8_t* Texels = nullptr;
    int Width = 0, Height = 0, X = 0, Y = 0;
    bool MirrorX = false, RepeatY = false;
    Pixels4 Tint{};
};

// Lays `count` pixels of one texel row over the composed pixels at `composed`, the first pixel
// showing texel `x` of the row as placed (before mirroring).
template <bool MIRROR>
[[gnu::always_inline]] inline void LaySpan(uint16_t* composed, const uint8_t* row, int width, int x,
                                           int count, const Pixels4& tint, bool first) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        // Mirrored, pixels x + i .. x + i + 3 show texels width − 1 − x − i and the three before.
        const uint8_t* texels = row + size_t(MIRROR ? width - 4 - x - i : x + i) * 4;
        Pixels4 under;
        std::memcpy(&under, composed + i * 4, sizeof under);
        const Pixels4 over = Over(Load4<MIRROR>(texels), under, tint, first);
        std::memcpy(composed + i * 4, &over, sizeof over);
    }
    const int rest = count - i;
    if (rest == 0) return;
    // The last pixels of the span, as the first of four whose others are transparent.
    uint8_t texels[16] = {};
    const size_t bytes = size_t(rest) * 4;
    if (MIRROR)
        std::memcpy(texels + 16 - bytes, row + size_t(width - x - count) * 4, bytes);
    else
        std::memcpy(texels, row + size_t(x + i) * 4, bytes);
    Pixels4 under{};
    std::memcpy(&under, composed + i * 4, bytes * sizeof(uint16_t));
    const Pixels4 over = Over(Load4<MIRROR>(texels), under, tint, first);
    std::memcpy(composed + i * 4, &over, bytes * sizeof(uint16_t));
}

uint16_t Unit255(float value) {
    return uint16_t(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

} // namespace

// Built twice, the clone for processors with AVX2 chosen at load time where there is one.
__attribute__((target_clones("avx2", "default"))) void ComposeStack(const ComposedLayer* layers, int count,
                                                                    int width, int height, bool opaque,
                                                                    uint8_t* out, size_t stride) {
    if (width <= 0 || height <= 0) return;
    Prepared prepared[STACK_LAYERS];
    int used = 0;
    for (int i = 0; i < count && used < STACK_LAYERS; ++i) {
        const ComposedLayer& layer = layers[i];
        const PixelMap* map = layer.Texels;
        if (!map || map->PixelFormat != PixelMap::Format::RGBA || map->Width <= 0 || map->Height <= 0 ||
            map->Pixels.size() < size_t(map->Width) * size_t(map->Height) * 4)
            continue;
        Prepared& p = prepared[used++];
        p.Texels = map->Pixels.data();
        p.Width = map->Width;
        p.Height = map->Height;
        p.X = layer.X;
        p.Y = layer.Y;
        p.MirrorX = layer.MirrorX;
        p.RepeatY = layer.RepeatY;
        const uint16_t b = Unit255(layer.B * layer.A), g = Unit255(layer.G * layer.A),
                       r = Unit255(layer.R * layer.A), a = Unit255(layer.A);
        p.Tint = Pixels4{b, g, r, a, b, g, r, a, b, g, r, a, b, g, r, a};
    }

    alignas(16) uint16_t composed[CHUNK * 4];
    for (int y = 0; y < height; ++y) {
        uint8_t* outRow = out + size_t(y) * stride;
        for (int x0 = 0; x0 < width; x0 += CHUNK) {
            const int n = std::min(CHUNK, width - x0);
            std::memset(composed, 0, sizeof(uint16_t) * 4 * size_t(n));
            bool first = true;
            for (int i = 0; i < used; ++i) {
                const Prepared& p = prepared[i];
                int row = y - p.Y;
                if (p.RepeatY) {
                    row %= p.Height;
                    if (row < 0) row += p.Height;
                } else if (row < 0 || row >= p.Height) {
                    continue;
                }
                const int from = std::max(x0, p.X), to = std::min(x0 + n, p.X + p.Width);
                if (from >= to) continue;
                const uint8_t* texels = p.Texels + size_t(row) * size_t(p.Width) * 4;
                uint16_t* at = composed + (from - x0) * 4;
                if (p.MirrorX)
                    LaySpan<true>(at, texels, p.Width, from - p.X, to - from, p.Tint, first);
                else
                    LaySpan<false>(at, texels, p.Width, from - p.X, to - from, p.Tint, first);
                first = false;
            }
            uint8_t* o = outRow + size_t(x0) * 4;
            // The alpha lanes of `opaque` set to 255, the others kept.
            const Pixels4 lift =
                opaque ? Pixels4{0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255} : Pixels4{};
            int i = 0;
            for (; i + 4 <= n; i += 4) {
                Pixels4 four;
                std::memcpy(&four, composed + i * 4, sizeof four);
                const Bytes4 bytes = __builtin_convertvector(four | lift, Bytes4);
                std::memcpy(o + i * 4, &bytes, sizeof bytes);
            }
            for (; i < n; ++i)
                for (int c = 0; c < 4; ++c)
                    o[i * 4 + c] = uint8_t(composed[i * 4 + c] | lift[c]);
        }
    }
}

} // namespace Media

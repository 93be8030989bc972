#pragma once
// The stack composer's work on its rows (see stack_composer.h), written once for every instruction
// set: `Ops` gives the two steps that differ between them, the widening of bytes to 16 bits and
// the division by 255. Each variant instantiates it in its own file with its own Ops, so that the
// code compiled for one instruction set is never linked in place of another's.
//
// Ops must provide, always inlined:
//   static Pixels4 Widen(const Bytes4& bytes);       // each byte as a 16-bit lane
//   static Pixels4 Divide255(const Pixels4& value);  // value / 255 rounded, for value ≤ 255 · 255
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The four-pixel vectors are passed only to helpers that are always inlined, also unoptimised:
// the calling conventions that GCC warns differ between instruction sets, and would garble a
// vector passed from one to the other, never apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace Media::Composing {

// Four pixels, a channel a lane: vectors the compiler keeps in registers (two SSE2 or NEON
// registers, or one AVX2 register).
using Pixels4 = uint16_t __attribute__((vector_size(32)));
using Bytes4 = uint8_t __attribute__((vector_size(16)));

// Pixels composed at a time, in 16 bits a channel: a row is done in chunks that stay in cache.
constexpr int CHUNK = 256;

// A layer checked and ready: its texels RGBA of Width × Height, its tint premultiplied by its
// fade, in the composed pixels' BGRA order, for four pixels.
struct PreparedLayer {
    const uint8_t* Texels = nullptr;
    int Width = 0, Height = 0, X = 0, Y = 0;
    bool MirrorX = false, RepeatY = false;
    // The texels are alpha alone, a byte each: white light of that alpha.
    bool Alpha = false;
    // The tint is white and unfaded: its texels are laid as they are.
    bool Plain = false;
    Pixels4 Tint{};
};

// Four texels from `texels` in the composed pixels' BGRA order, in reverse order when mirrored
// (they were read from the mirrored picture's right to left): RGBA bytes, or, ALPHA, a byte each
// that is all four channels of its texel.
template <class Ops, bool MIRROR, bool ALPHA>
[[gnu::always_inline]] inline Pixels4 Load4(const uint8_t* texels) {
    Bytes4 bytes{};
    std::memcpy(&bytes, texels, ALPHA ? 4 : 16);
    if constexpr (ALPHA && MIRROR)
        bytes = __builtin_shufflevector(bytes, bytes, 3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 0, 0, 0, 0);
    else if constexpr (ALPHA)
        bytes = __builtin_shufflevector(bytes, bytes, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3);
    else if constexpr (MIRROR)
        bytes = __builtin_shufflevector(bytes, bytes, 14, 13, 12, 15, 10, 9, 8, 11, 6, 5, 4, 7, 2, 1, 0, 3);
    else
        bytes = __builtin_shufflevector(bytes, bytes, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
    return Ops::Widen(bytes);
}

// Lays four tinted texels over four composed pixels; `first` when nothing lies under them yet.
template <class Ops, bool PLAIN>
[[gnu::always_inline]] inline Pixels4 Over(const Pixels4& texels, const Pixels4& composed,
                                           const Pixels4& tint, bool first) {
    const Pixels4 layer = PLAIN ? texels : Ops::Divide255(texels * tint);
    if (first) return layer;
    const Pixels4 alpha =
        __builtin_shufflevector(layer, layer, 3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15);
    const Pixels4 sum = layer + Ops::Divide255(composed * (255 - alpha));
    // A back buffer keeps 8 bits: light that a premultiplied texel adds beyond white is lost.
    const Pixels4 white = Pixels4{} + 255;
    return sum > white ? white : sum;
}

// Lays `count` pixels of one texel row over the composed pixels at `composed`, the first pixel
// showing texel `x` of the row as placed (before mirroring).
template <class Ops, bool MIRROR, bool PLAIN, bool ALPHA>
[[gnu::always_inline]] inline void LaySpan(uint16_t* composed, const uint8_t* row, int width, int x,
                                           int count, const Pixels4& tint, bool first) {
    constexpr size_t TEXEL = ALPHA ? 1 : 4; // bytes
    const int quads = count / 4, rest = count % 4;
    // Pixels i .. i + 3; mirrored, pixels x + i .. x + i + 3 show texels width − 1 − x − i and the
    // three before.
    const auto layQuad = [&](int i) {
        const uint8_t* texels = row + size_t(MIRROR ? width - 4 - x - i : x + i) * TEXEL;
        Pixels4 under;
        std::memcpy(&under, composed + i * 4, sizeof under);
        const Pixels4 over = Over<Ops, PLAIN>(Load4<Ops, MIRROR, ALPHA>(texels), under, tint, first);
        std::memcpy(composed + i * 4, &over, sizeof over);
    };
    // The last pixels of the span, as the first of four whose others are transparent.
    const auto layRest = [&] {
        const int i = quads * 4;
        uint8_t texels[16] = {};
        const size_t bytes = size_t(rest) * TEXEL;
        if (MIRROR)
            std::memcpy(texels + 4 * TEXEL - bytes, row + size_t(width - x - count) * TEXEL, bytes);
        else
            std::memcpy(texels, row + size_t(x + i) * TEXEL, bytes);
        Pixels4 under{};
        std::memcpy(&under, composed + i * 4, size_t(rest) * 4 * sizeof(uint16_t));
        const Pixels4 over = Over<Ops, PLAIN>(Load4<Ops, MIRROR, ALPHA>(texels), under, tint, first);
        std::memcpy(composed + i * 4, &over, size_t(rest) * 4 * sizeof(uint16_t));
    };
    // The texels are read in the order they lie in memory, mirrored ones from the span's right
    // end: the processor fetches a row read backwards far less well ahead.
    if (MIRROR) {
        if (rest > 0) layRest();
        for (int q = quads - 1; q >= 0; --q)
            layQuad(q * 4);
    } else {
        for (int q = 0; q < quads; ++q)
            layQuad(q * 4);
        if (rest > 0) layRest();
    }
}

// Composes `count` prepared layers, the first at the bottom, as ComposeStack does.
template <class Ops>
void ComposeRows(const PreparedLayer* layers, int count, int width, int height, bool opaque, uint8_t* out,
                 size_t stride) {
    alignas(32) uint16_t composed[CHUNK * 4];
    // The alpha lanes of `opaque` set to 255, the others kept.
    const Pixels4 lift = opaque ? Pixels4{0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255} : Pixels4{};
    for (int y = 0; y < height; ++y) {
        uint8_t* outRow = out + size_t(y) * stride;
        for (int x0 = 0; x0 < width; x0 += CHUNK) {
            const int n = std::min(CHUNK, width - x0);
            std::memset(composed, 0, sizeof(uint16_t) * 4 * size_t(n));
            bool first = true;
            for (int i = 0; i < count; ++i) {
                const PreparedLayer& p = layers[i];
                int row = y - p.Y;
                if (p.RepeatY) {
                    row %= p.Height;
                    if (row < 0) row += p.Height;
                } else if (row < 0 || row >= p.Height) {
                    continue;
                }
                const int from = std::max(x0, p.X), to = std::min(x0 + n, p.X + p.Width);
                if (from >= to) continue;
                const uint8_t* texels = p.Texels + size_t(row) * size_t(p.Width) * (p.Alpha ? 1 : 4);
                uint16_t* at = composed + (from - x0) * 4;
                const int x = from - p.X, span = to - from;
                if (p.Alpha && p.MirrorX)
                    LaySpan<Ops, true, false, true>(at, texels, p.Width, x, span, p.Tint, first);
                else if (p.Alpha)
                    LaySpan<Ops, false, false, true>(at, texels, p.Width, x, span, p.Tint, first);
                else if (p.MirrorX)
                    LaySpan<Ops, true, false, false>(at, texels, p.Width, x, span, p.Tint, first);
                else if (p.Plain)
                    LaySpan<Ops, false, true, false>(at, texels, p.Width, x, span, p.Tint, first);
                else
                    LaySpan<Ops, false, false, false>(at, texels, p.Width, x, span, p.Tint, first);
                first = false;
            }
            uint8_t* o = outRow + size_t(x0) * 4;
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

// ComposeRows built for processors with AVX2 (x86-64 only); call it only where the processor
// has AVX2.
void ComposeRowsAvx2(const PreparedLayer* layers, int count, int width, int height, bool opaque, uint8_t* out,
                     size_t stride);

} // namespace Media::Composing

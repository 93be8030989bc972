#include "media/sdl/stack_composer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/sdl/compose_rows.h"

namespace Media {
namespace {

using Composing::Pixels4;

// The steps in plain vector arithmetic, which any processor's compiler can lower.
struct PortableOps {
    // x / 255 rounded to the nearest, for x up to 255 · 255.
    [[gnu::always_inline]] static inline Pixels4 Divide255(const Pixels4& value) {
        const Pixels4 x = value + 128;
        return (x + (x >> 8)) >> 8;
    }

    // Four texels from `texels` (RGBA bytes) in the window's BGRA order, in reverse order when
    // mirrored (they were read from the mirrored picture's right to left).
    template <bool MIRROR> [[gnu::always_inline]] static inline Pixels4 Load4(const uint8_t* texels) {
        Composing::Bytes4 bytes;
        std::memcpy(&bytes, texels, sizeof bytes);
        const Pixels4 wide = __builtin_convertvector(bytes, Pixels4);
        if constexpr (MIRROR)
            return __builtin_shufflevector(wide, wide, 14, 13, 12, 15, 10, 9, 8, 11, 6, 5, 4, 7, 2, 1, 0, 3);
        else
            return __builtin_shufflevector(wide, wide, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
    }
};

uint16_t Unit255(float value) {
    return uint16_t(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// The layers that can be composed, checked and with their tints made, in `prepared`; returns
// how many.
int PrepareLayers(const ComposedLayer* layers, int count, Composing::PreparedLayer* prepared) {
    int used = 0;
    for (int i = 0; i < count && used < STACK_LAYERS; ++i) {
        const ComposedLayer& layer = layers[i];
        const PixelMap* map = layer.Texels;
        if (!map || map->PixelFormat != PixelMap::Format::RGBA || map->Width <= 0 || map->Height <= 0 ||
            map->Pixels.size() < size_t(map->Width) * size_t(map->Height) * 4)
            continue;
        Composing::PreparedLayer& p = prepared[used++];
        p.Texels = map->Pixels.data();
        p.Width = map->Width;
        p.Height = map->Height;
        p.X = layer.X;
        p.Y = layer.Y;
        p.MirrorX = layer.MirrorX;
        p.RepeatY = layer.RepeatY;
        const uint16_t b = Unit255(layer.B * layer.A), g = Unit255(layer.G * layer.A),
                       r = Unit255(layer.R * layer.A), a = Unit255(layer.A);
        // A texel times 255, divided by 255, is that texel: a white, unfaded layer needs neither.
        p.Plain = b == 255 && g == 255 && r == 255 && a == 255;
        p.Tint = Pixels4{b, g, r, a, b, g, r, a, b, g, r, a, b, g, r, a};
    }
    return used;
}

bool HasAvx2() {
#if defined(__x86_64__)
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

} // namespace

void ComposeStack(const ComposedLayer* layers, int count, int width, int height, bool opaque, uint8_t* out,
                  size_t stride) {
    if (!HasAvx2()) {
        ComposeStackPortable(layers, count, width, height, opaque, out, stride);
        return;
    }
#if defined(__x86_64__)
    if (width <= 0 || height <= 0) return;
    Composing::PreparedLayer prepared[STACK_LAYERS];
    const int used = PrepareLayers(layers, count, prepared);
    Composing::ComposeRowsAvx2(prepared, used, width, height, opaque, out, stride);
#endif
}

void ComposeStackPortable(const ComposedLayer* layers, int count, int width, int height, bool opaque,
                          uint8_t* out, size_t stride) {
    if (width <= 0 || height <= 0) return;
    Composing::PreparedLayer prepared[STACK_LAYERS];
    const int used = PrepareLayers(layers, count, prepared);
    Composing::ComposeRows<PortableOps>(prepared, used, width, height, opaque, out, stride);
}

} // namespace Media

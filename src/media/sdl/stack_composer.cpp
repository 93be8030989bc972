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

    [[gnu::always_inline]] static inline Pixels4 Widen(const Composing::Bytes4& bytes) {
        return __builtin_convertvector(bytes, Pixels4);
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
        if (!map || map->Width <= 0 || map->Height <= 0) continue;
        const bool alpha = map->PixelFormat == PixelMap::Format::Alpha;
        if ((map->PixelFormat != PixelMap::Format::RGBA && !alpha) ||
            map->Pixels.size() < size_t(map->Width) * size_t(map->Height) * (alpha ? 1 : 4))
            continue;
        Composing::PreparedLayer& p = prepared[used++];
        p.Texels = map->Pixels.data();
        p.Width = map->Width;
        p.Height = map->Height;
        p.X = layer.X;
        p.Y = layer.Y;
        p.MirrorX = layer.MirrorX;
        p.RepeatY = layer.RepeatY;
        p.Alpha = alpha;
        const uint16_t b = Unit255(layer.B * layer.A), g = Unit255(layer.G * layer.A),
                       r = Unit255(layer.R * layer.A), a = Unit255(layer.A);
        // A texel times 255, divided by 255, is that texel: a white, unfaded layer needs neither.
        p.Plain = b == 255 && g == 255 && r == 255 && a == 255;
        p.Tint = Pixels4{b, g, r, a, b, g, r, a, b, g, r, a, b, g, r, a};
    }
    return used;
}

// ComposeStack with the AVX2 rows, or with the portable ones.
void Compose(const ComposedLayer* layers, int count, int width, int height, bool opaque, uint8_t* out,
             size_t stride, [[maybe_unused]] bool avx2) {
    if (width <= 0 || height <= 0) return;
    Composing::PreparedLayer prepared[STACK_LAYERS];
    const int used = PrepareLayers(layers, count, prepared);
#if defined(__x86_64__)
    if (avx2) {
        Composing::ComposeRowsAvx2(prepared, used, width, height, opaque, out, stride);
        return;
    }
#endif
    Composing::ComposeRows<PortableOps>(prepared, used, width, height, opaque, out, stride);
}

} // namespace

void ComposeStack(const ComposedLayer* layers, int count, int width, int height, bool opaque, uint8_t* out,
                  size_t stride) {
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
#else
    constexpr bool avx2 = false;
#endif
    Compose(layers, count, width, height, opaque, out, stride, avx2);
}

void ComposeStackPortable(const ComposedLayer* layers, int count, int width, int height, bool opaque,
                          uint8_t* out, size_t stride) {
    Compose(layers, count, width, height, opaque, out, stride, false);
}

} // namespace Media

#pragma once
// A stack (Media::DrawStack) composed by the processor. Where OpenGL itself runs on the processor
// (Mesa's software rasterizer), each texture a pass reads costs more than composing its texels
// here, eight bits a channel, a few pixels at a time; the composed picture is then drawn as one
// plain texture, which the rasterizer copies nearly as fast as it clears.
#include <cstddef>
#include <cstdint>

#include "media/media.h"

namespace Media {

// One layer of a composed stack: premultiplied RGBA texels (bytes R, G, B, A, as an image holds
// them), or alpha alone (Format::Alpha: white light of that alpha, see Image::WhiteLight), its
// top-left texel at pixel (X, Y) of the composed rectangle (either may be negative),
// mirrored left to right within its width when MirrorX, repeated up and down every height when
// RepeatY, tinted by R, G, B and faded by A (0..1 each). Beyond its picture it is transparent.
struct ComposedLayer {
    const PixelMap* Texels = nullptr;
    int X = 0, Y = 0;
    bool MirrorX = false, RepeatY = false;
    float R = 1, G = 1, B = 1, A = 1;
};

// Composes the layers, the first at the bottom, into the rectangle of width × height pixels at
// `out`, rows `stride` bytes apart, each pixel premultiplied BGRA bytes (the window's order):
// what drawing them one after another with the premultiplied blend onto transparent black leaves,
// each layer's result clamped to 8 bits as a back buffer keeps it, to within a level of rounding.
// With `opaque` every alpha is 255 instead: the colours are then the stack's over black. A layer
// without texels, or whose texels are neither RGBA nor alpha of their size, is left out. Thread-safe;
// allocates nothing.
void ComposeStack(const ComposedLayer* layers, int count, int width, int height, bool opaque, uint8_t* out,
                  size_t stride);

// ComposeStack without processor-specific instructions: what it runs where the processor lacks
// AVX2, the same pixels (for tests to compare the two).
void ComposeStackPortable(const ComposedLayer* layers, int count, int width, int height, bool opaque,
                          uint8_t* out, size_t stride);

} // namespace Media

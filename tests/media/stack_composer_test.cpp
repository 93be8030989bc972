// A stack composed by the processor against its layers drawn one after another onto an 8-bit
// back buffer: placement, mirroring, repeating, tints, light beyond white, and the spans that do
// not fill a vector or a chunk, light given as alpha alone; the composer for processors with AVX2
// against the portable one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "media/sdl/stack_composer.h"

namespace {

// A premultiplied picture of varied texels: mostly proper ones (colour at most alpha), some
// transparent, and some that add light beyond their alpha, as a veil of light painted in does.
Media::PixelMap Varied(int width, int height, unsigned seed) {
    Media::PixelMap map;
    map.Width = width;
    map.Height = height;
    map.Pixels.resize(size_t(width) * size_t(height) * 4);
    unsigned state = seed;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return int(state >> 24);
    };
    for (size_t i = 0; i < map.Pixels.size(); i += 4) {
        const int kind = next() % 8;
        const int alpha = kind == 0 ? 0 : next();
        for (int c = 0; c < 3; ++c)
            map.Pixels[i + size_t(c)] = uint8_t(kind == 1 ? next() : alpha == 0 ? 0 : next() % (alpha + 1));
        map.Pixels[i + 3] = uint8_t(alpha);
    }
    return map;
}

// The layers drawn one after another with the premultiplied blend onto transparent black, in
// floating point, each result rounded to the back buffer's 8 bits; RGBA out.
std::vector<int> DrawnOneAfterAnother(const std::vector<Media::ComposedLayer>& layers, int width, int height,
                                      bool opaque) {
    std::vector<int> buffer(size_t(width) * size_t(height) * 4, 0);
    for (const Media::ComposedLayer& layer : layers) {
        const Media::PixelMap& map = *layer.Texels;
        const float tint[4] = {layer.R * layer.A, layer.G * layer.A, layer.B * layer.A, layer.A};
        for (int y = 0; y < height; ++y) {
            int row = y - layer.Y;
            if (layer.RepeatY) row = ((row % map.Height) + map.Height) % map.Height;
            if (row < 0 || row >= map.Height) continue;
            for (int x = 0; x < width; ++x) {
                int column = x - layer.X;
                if (column < 0 || column >= map.Width) continue;
                if (layer.MirrorX) column = map.Width - 1 - column;
                const uint8_t* texel = map.At(column, row);
                int* pixel = &buffer[(size_t(y) * size_t(width) + size_t(x)) * 4];
                const float alpha = float(texel[3]) / 255 * tint[3];
                for (int c = 0; c < 4; ++c) {
                    const float source = float(texel[c]) / 255 * tint[c];
                    const float mixed = source + float(pixel[c]) / 255 * (1 - alpha);
                    pixel[c] = int(std::lround(std::clamp(mixed, 0.0f, 1.0f) * 255));
                }
            }
        }
    }
    if (opaque)
        for (size_t i = 3; i < buffer.size(); i += 4)
            buffer[i] = 255;
    return buffer;
}

// The worst difference of a channel between a composed picture (BGRA, rows `stride` apart) and
// the RGBA reference.
int WorstDifference(const std::vector<uint8_t>& composed, size_t stride, const std::vector<int>& reference,
                    int width, int height) {
    int worst = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgra = &composed[size_t(y) * stride + size_t(x) * 4];
            const int* rgba = &reference[(size_t(y) * size_t(width) + size_t(x)) * 4];
            const int order[4] = {2, 1, 0, 3};
            for (int c = 0; c < 4; ++c)
                worst = std::max(worst, std::abs(int(bgra[order[c]]) - rgba[c]));
        }
    return worst;
}

TEST(StackComposerTest, AComposedStackLooksAsItsLayersDrawnOneAfterAnother) {
    const Media::PixelMap strip = Varied(333, 97, 1), small = Varied(41, 23, 2), still = Varied(420, 130, 3);
    // Wider than a chunk of the composer, odd, with spans that end between vectors.
    constexpr int WIDTH = 301, HEIGHT = 113;
    struct Case {
        const char* Name;
        std::vector<Media::ComposedLayer> Layers;
    };
    const std::vector<Case> cases = {
        {"one plain layer larger than the rectangle", {{&still, -57, -9, false, false, 1, 1, 1, 1}}},
        {"a mirrored strip repeated down from above the top, tinted",
         {{&strip, -15, -250, true, true, 0.2f, 0.6f, 1, 1}}},
        {"a small picture inside, mirrored, faded",
         {{&small, 137, 40, true, false, 1, 1, 1, 0.6f}, {&small, 7, 90, false, false, 1, 0.5f, 0.25f, 1}}},
        {"the scenery's three: two strips, one mirrored, under a still layer",
         {{&strip, -20, -30, false, true, 0, 0, 0.25f, 1},
          {&strip, -3, 61, true, true, 0.2f, 0, 0.2f, 1},
          {&still, -60, -11, false, false, 1, 1, 1, 1}}},
        {"layers beyond every edge",
         {{&small, -41, 0, false, false, 1, 1, 1, 1},
          {&small, WIDTH, 5, true, false, 1, 1, 1, 1},
          {&small, 30, HEIGHT, false, false, 1, 1, 1, 1}}},
    };
    for (const Case& c : cases) {
        for (const bool opaque : {false, true}) {
            SCOPED_TRACE(std::string(c.Name) + (opaque ? ", opaque" : ""));
            // Rows padded, as a caller's buffer may be: the padding stays as it was.
            const size_t stride = WIDTH * 4 + 12;
            std::vector<uint8_t> composed(stride * HEIGHT, 77);
            Media::ComposeStack(c.Layers.data(), int(c.Layers.size()), WIDTH, HEIGHT, opaque, composed.data(),
                                stride);
            EXPECT_LE(WorstDifference(composed, stride, DrawnOneAfterAnother(c.Layers, WIDTH, HEIGHT, opaque),
                                      WIDTH, HEIGHT),
                      2);
            bool padding = true;
            for (int y = 0; y < HEIGHT; ++y)
                for (size_t i = WIDTH * 4; i < stride; ++i)
                    padding = padding && composed[size_t(y) * stride + i] == 77;
            EXPECT_TRUE(padding);
            // What a processor without AVX2 composes is the same, byte for byte.
            std::vector<uint8_t> portable(stride * HEIGHT, 77);
            Media::ComposeStackPortable(c.Layers.data(), int(c.Layers.size()), WIDTH, HEIGHT, opaque,
                                        portable.data(), stride);
            EXPECT_EQ(portable, composed);
        }
    }
}

TEST(StackComposerTest, LayersWithoutRgbaTexelsOfTheirSizeAreLeftOut) {
    const Media::PixelMap picture = Varied(50, 20, 4);
    Media::PixelMap grey;
    grey.Width = 50;
    grey.Height = 20;
    grey.PixelFormat = Media::PixelMap::Format::Grey;
    grey.Pixels.assign(50 * 20, 200);
    Media::PixelMap shortOfTexels = picture;
    shortOfTexels.Pixels.resize(shortOfTexels.Pixels.size() - 4);
    const Media::ComposedLayer good = {&picture, 3, 2, false, false, 1, 1, 1, 1};
    const std::vector<Media::ComposedLayer> layers = {{nullptr, 0, 0, false, false, 1, 1, 1, 1},
                                                      good,
                                                      {&grey, 0, 0, false, false, 1, 1, 1, 1},
                                                      {&shortOfTexels, 0, 0, false, false, 1, 1, 1, 1}};
    std::vector<uint8_t> composed(60 * 30 * 4, 9), alone(60 * 30 * 4, 9);
    Media::ComposeStack(layers.data(), int(layers.size()), 60, 30, false, composed.data(), 60 * 4);
    Media::ComposeStack(&good, 1, 60, 30, false, alone.data(), 60 * 4);
    EXPECT_EQ(composed, alone);
    // Beyond the one picture the stack is transparent black.
    EXPECT_EQ(std::vector<uint8_t>(alone.begin(), alone.begin() + 4), (std::vector<uint8_t>{0, 0, 0, 0}));
}

// A layer of white light given as its alpha alone composes as the same light in RGBA, by either
// composer: mirrored or not, tinted, faded, and over a coloured layer.
TEST(StackComposerTest, WhiteLightAsAlphaAloneComposesAsItsRgba) {
    constexpr int WIDTH = 150, HEIGHT = 37;
    Media::PixelMap alpha, rgba;
    alpha.Width = rgba.Width = 97;
    alpha.Height = rgba.Height = 29;
    alpha.PixelFormat = Media::PixelMap::Format::Alpha;
    alpha.Pixels.resize(97 * 29);
    rgba.Pixels.resize(97 * 29 * 4);
    for (size_t i = 0; i < alpha.Pixels.size(); ++i) {
        alpha.Pixels[i] = uint8_t(i * 2654435761u >> 24);
        for (int c = 0; c < 4; ++c)
            rgba.Pixels[i * 4 + size_t(c)] = alpha.Pixels[i];
    }
    const Media::PixelMap under = Varied(WIDTH, HEIGHT, 5);
    for (const bool mirror : {false, true}) {
        SCOPED_TRACE(mirror ? "mirrored" : "as it is");
        const auto stack = [&](const Media::PixelMap* light) {
            return std::vector<Media::ComposedLayer>{{&under, 0, 0, false, false, 1, 1, 1, 1},
                                                     {light, -14, -40, mirror, true, 0.2f, 0.5f, 1, 0.8f},
                                                     {light, 71, 3, mirror, false, 1, 1, 1, 1}};
        };
        const std::vector<Media::ComposedLayer> fromAlpha = stack(&alpha), fromRgba = stack(&rgba);
        std::vector<uint8_t> expected(WIDTH * HEIGHT * 4), composed(WIDTH * HEIGHT * 4),
            portable(WIDTH * HEIGHT * 4);
        Media::ComposeStack(fromRgba.data(), 3, WIDTH, HEIGHT, false, expected.data(), WIDTH * 4);
        Media::ComposeStack(fromAlpha.data(), 3, WIDTH, HEIGHT, false, composed.data(), WIDTH * 4);
        Media::ComposeStackPortable(fromAlpha.data(), 3, WIDTH, HEIGHT, false, portable.data(), WIDTH * 4);
        EXPECT_EQ(composed, expected);
        EXPECT_EQ(portable, expected);
    }
}

} // namespace

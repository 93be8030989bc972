// Media-layer benchmarks (run on demand, not a test):
//   pixel-exact overlap of two 64 × 64 frames, translated only and rotated/scaled, hit and near miss;
//   building the batch for 3,000 quads of one image headless, with heap allocations and batches
//   per frame reported as counters;
//   preparing a 1040 × 1040 sheet of sixteen sprites for upload (the colour bleed and mip levels),
//   the texture worker's main work at start-up;
//   painting a still layer of scenery (two pictures, four passes) into 960 × 600, the painter
//   worker's work at each wave's start;
//   composing the scenery's stack (two mirrored, repeated dust strips and the still layer) into
//   800 × 500 on the processor, a play frame's work where OpenGL runs on the processor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "media/media.h"
#include "media/sdl/stack_composer.h"
#include "media/sdl/texture_prep.h"
// The benchmarks share the tests' headless start-up.
#include "support/allocation_counter.h"
#include "support/headless_start.h"

namespace {

void StartHeadless() {
    testsupport::StartHeadless();
    Media::SetAutoMidHandle(true);
}

// A 64 × 64 frame holding a solid disc of radius 30 with a hole of radius 12.
Media::ImageRef Ring() {
    Media::PixelMap map;
    map.Width = map.Height = 64;
    map.Pixels.assign(64 * 64 * 4, 255);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int d2 = (x - 32) * (x - 32) + (y - 32) * (y - 32);
            map.At(x, y)[3] = d2 <= 30 * 30 && d2 >= 12 * 12 ? 255 : 0;
        }
    return Media::ImageFromPixmap(map, 0);
}

void Overlap(benchmark::State& state, bool transformed, bool hit) {
    StartHeadless();
    Media::ImageRef a = Ring(), b = Ring();
    // The rings' outer radii add up to 60 texels in both set-ups. Hit: centres 53.7 apart, the
    // rings cross. Near miss: 62.6 apart, the bounding boxes overlap widely but the rings do not.
    const float offset = hit ? 38.0f : 44.3f;
    const Media::Placement pa{100, 100, transformed ? 30.0f : 0.0f, transformed ? 1.1f : 1.0f,
                              transformed ? 1.1f : 1.0f};
    const Media::Placement pb{100 + offset, 100 + offset, transformed ? -50.0f : 0.0f,
                              transformed ? 0.9f : 1.0f, transformed ? 0.9f : 1.0f};
    int result = 0;
    for (auto _ : state) {
        result = Media::ImagesOverlap(*a, 0, pa, *b, 0, pb);
        benchmark::DoNotOptimize(result);
    }
    state.counters["overlaps"] = result;
    Media::Shutdown();
}

void BM_OverlapTranslatedHit(benchmark::State& state) {
    Overlap(state, false, true);
}
void BM_OverlapTranslatedMiss(benchmark::State& state) {
    Overlap(state, false, false);
}
void BM_OverlapRotatedScaledHit(benchmark::State& state) {
    Overlap(state, true, true);
}
void BM_OverlapRotatedScaledMiss(benchmark::State& state) {
    Overlap(state, true, false);
}
BENCHMARK(BM_OverlapTranslatedHit);
BENCHMARK(BM_OverlapTranslatedMiss);
BENCHMARK(BM_OverlapRotatedScaledHit);
BENCHMARK(BM_OverlapRotatedScaledMiss);

// 3,000 quads of one image and one blend mode per frame; with state changes, every quad has its
// own rotation, scale, colour and alpha (as sprites do), which adds the setters' cost.
void Batch3000Quads(benchmark::State& state, bool stateChanges) {
    StartHeadless();
    if (!Media::OpenWindowGraphics()) std::abort();
    Media::SetProjection(800, 500);
    Media::ImageRef image = Ring();
    Media::SetBlend(Media::ALPHABLEND);
    constexpr int QUADS = 3000;
    Media::FlushDrawing();
    Media::ResetDrawStats();
    const long before = AllocationCount();
    for (auto _ : state) {
        for (int i = 0; i < QUADS; ++i) {
            if (stateChanges) {
                Media::SetRotation(float(i % 360));
                Media::SetScale(0.5f + float(i % 7) * 0.1f, 0.5f + float(i % 5) * 0.1f);
                Media::SetColor(i % 256, 255, 128);
                Media::SetAlpha(float(i % 10) * 0.1f);
            }
            Media::DrawFrame(*image, float(i % 800), float(i % 500), 0);
        }
        Media::FlushDrawing();
    }
    const double frames = double(state.iterations());
    state.counters["allocs_per_frame"] = double(AllocationCount() - before) / frames;
    state.counters["batches_per_frame"] = double(Media::GetDrawStats().Batches) / frames;
    state.counters["ns_per_quad"] =
        benchmark::Counter(double(QUADS) * frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(int64_t(state.iterations()) * QUADS);
    Media::Shutdown();
}

void BM_Batch3000Quads(benchmark::State& state) {
    Batch3000Quads(state, false);
}
void BM_Batch3000QuadsWithStateChanges(benchmark::State& state) {
    Batch3000Quads(state, true);
}
BENCHMARK(BM_Batch3000Quads);
BENCHMARK(BM_Batch3000QuadsWithStateChanges);

// A sheet like the enemies': 4 × 4 frames of 260 × 260, each a round body with eight pods around
// it, soft-edged, on transparent texels.
Media::PixelMap SpriteSheet() {
    Media::PixelMap map;
    map.Width = map.Height = 1040;
    map.Pixels.assign(size_t(1040) * 1040 * 4, 0);
    auto disc = [&map](int cx, int cy, int radius) {
        for (int y = cy - radius - 1; y <= cy + radius + 1; ++y)
            for (int x = cx - radius - 1; x <= cx + radius + 1; ++x) {
                const float d = std::sqrt(float((x - cx) * (x - cx) + (y - cy) * (y - cy)));
                const float alpha = std::clamp(float(radius) - d + 0.5f, 0.0f, 1.0f);
                uint8_t* p = map.At(x, y);
                if (alpha <= 0 || p[3] == 255) continue;
                p[0] = uint8_t(80 + x % 160);
                p[1] = uint8_t(60 + y % 180);
                p[2] = 200;
                p[3] = std::max(p[3], uint8_t(alpha * 255));
            }
    };
    for (int frame = 0; frame < 16; ++frame) {
        const int cx = frame % 4 * 260 + 130, cy = frame / 4 * 260 + 130;
        disc(cx, cy, 60 + frame * 2);
        for (int pod = 0; pod < 8; ++pod)
            disc(cx + int(95 * std::cos(pod * 0.785f)), cy + int(95 * std::sin(pod * 0.785f)), 14);
    }
    return map;
}

void BM_PrepareSpriteSheet(benchmark::State& state) {
    const Media::PixelMap sheet = SpriteSheet();
    for (auto _ : state) {
        std::vector<Media::PixelMap> levels = Media::PrepareTextureLevels(sheet, Media::MIPMAPPEDIMAGE);
        benchmark::DoNotOptimize(levels.data());
    }
}
BENCHMARK(BM_PrepareSpriteSheet)->Unit(benchmark::kMillisecond);

// A still layer as the scenery paints it on its worker once a wave: a 512 × 512 picture turned
// 30° at 1.5 times its size, faded, with its overbright pass, and a 960 × 600 veil of light with
// its own, into 960 × 600.
void BM_PaintStillLayer(benchmark::State& state) {
    StartHeadless();
    Media::PixelMap cloud = SpriteSheet();
    cloud.Width = cloud.Height = 512;
    cloud.Pixels.resize(size_t(512) * 512 * 4);
    Media::PixelMap veil;
    veil.Width = 960;
    veil.Height = 600;
    veil.Pixels.assign(size_t(960) * 600 * 4, 90);
    const Media::ImageRef nebula = Media::ImageFromPixmap(cloud, Media::FILTEREDIMAGE);
    const Media::ImageRef darkMatter = Media::ImageFromPixmap(veil, Media::FILTEREDIMAGE);
    Media::PaintPass turned;
    turned.Source = nebula;
    const float c = 1.5f * std::cos(0.5236f), s = 1.5f * std::sin(0.5236f);
    turned.TopLeftX = 480 - 256 * c + 256 * s;
    turned.TopLeftY = 300 - 256 * s - 256 * c;
    turned.TopRightX = turned.TopLeftX + 512 * c;
    turned.TopRightY = turned.TopLeftY + 512 * s;
    turned.BottomLeftX = turned.TopLeftX - 512 * s;
    turned.BottomLeftY = turned.TopLeftY + 512 * c;
    turned.Alpha = 0.33f;
    Media::PaintPass over = turned;
    over.Blend = Media::LIGHTBLEND;
    Media::PaintPass veiled;
    veiled.Source = darkMatter;
    veiled.TopRightX = 960;
    veiled.BottomLeftY = 600;
    veiled.Blend = Media::LIGHTBLEND;
    const std::vector<Media::PaintPass> passes = {turned, over, veiled, veiled};
    for (auto _ : state) {
        Media::PixelMap painted = Media::PaintPasses(960, 600, passes);
        benchmark::DoNotOptimize(painted.Pixels.data());
    }
    Media::Shutdown();
}
BENCHMARK(BM_PaintStillLayer)->Unit(benchmark::kMillisecond);

// The scenery's stack as a play frame composes it: two 1024 × 1280 strips of dust, the second
// mirrored, both repeated down and tinted, under a 960 × 600 still layer, into 800 × 500. The
// strips are white light given as alpha alone, as the game's are (argument 1), or as RGBA (0).
void BM_ComposeScenery(benchmark::State& state) {
    const bool alpha = state.range(0) == 1;
    // Two strips, as the game's two phases are: the three pictures do not fit in a cache together.
    Media::PixelMap strips[2];
    for (int k = 0; k < 2; ++k) {
        Media::PixelMap& strip = strips[k];
        strip.Width = 1024;
        strip.Height = 1280;
        strip.PixelFormat = alpha ? Media::PixelMap::Format::Alpha : Media::PixelMap::Format::RGBA;
        strip.Pixels.resize(size_t(1024) * 1280 * (alpha ? 1 : 4));
        for (size_t i = 0; i < strip.Pixels.size(); ++i)
            strip.Pixels[i] = uint8_t(k == 0 ? i * 2654435761u >> 24 : i * 40503u >> 8);
    }
    Media::PixelMap still;
    still.Width = 960;
    still.Height = 600;
    still.Pixels.assign(size_t(960) * 600 * 4, 200);
    Media::ComposedLayer layers[3];
    layers[0] = {&strips[0], -112, -300, false, true, 0, 0, 0.25f, 1};
    layers[1] = {&strips[1], -112, -700, true, true, 0, 0, 0.25f, 1};
    layers[2] = {&still, -80, -50, false, false, 1, 1, 1, 1};
    std::vector<uint8_t> out(size_t(800) * 500 * 4);
    for (auto _ : state) {
        Media::ComposeStack(layers, 3, 800, 500, true, out.data(), 800 * 4);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel(alpha ? "alpha strips" : "RGBA strips");
}
BENCHMARK(BM_ComposeScenery)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

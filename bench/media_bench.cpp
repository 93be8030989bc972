// Media-layer benchmarks (run on demand, not a test):
//   pixel-exact overlap of two 64 × 64 frames, translated only and rotated/scaled, hit and near miss;
//   building the batch for 3,000 quads of one image headless, with heap allocations and batches
//   per frame reported as counters.
#include <benchmark/benchmark.h>

#include <string>

#include "media/media.h"
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

} // namespace

BENCHMARK_MAIN();

// One frame of the sprite engine (Sprite::Update + Sprite::DrawAll, batches flushed to the
// headless back end) for a realistic play scene, plus the sort step alone on an unchanged and on
// a shuffled list, and a count of heap allocations per frame in steady state.
//
// Scene per 3,000 sprites (scaled down proportionally for smaller sizes): 100 stars with two
// looping animations each, 60 enemies of four sprites in three levels (pivot, body, two parts)
// under the playfield, 300 bullets with velocities and frame animations, 200 text letters under
// 20 pivots, and particles with one or two looping animations for the rest.
//
// Run: sprite_bench [--benchmark_filter=...]. Counters: ns_per_sprite (lower is better),
// allocs_per_frame (must be 0).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "media/media.h"
// The benchmarks share the tests' headless start-up.
#include "sprites/animate.h"
#include "sprites/sprite.h"
#include "support/allocation_counter.h"
#include "support/headless_start.h"

namespace {

struct Scene {
    std::vector<SpriteRef> Keep; // the game holds its sprites too
};

Media::ImageRef MakeImage(int width, int height, int frames) {
    Media::PixelMap sheet;
    sheet.Width = width * frames;
    sheet.Height = height;
    sheet.Pixels.assign(size_t(sheet.Width) * size_t(height) * 4, 255);
    Media::ImageRef image = Media::Image::FromSheet(sheet, width, height, 0, frames, 0);
    image->SetHandle(float(width) / 2, float(height) / 2);
    return image;
}

void StartMedia() {
    static bool started = false;
    if (started) return;
    testsupport::StartHeadless();
    if (!Media::OpenWindowGraphics()) {
        std::fprintf(stderr, "media layer: no window graphics\n");
        std::exit(1);
    }
    started = true;
}

// Builds the scene with `total` sprites (a multiple of 300).
Scene BuildScene(int total) {
    StartMedia();
    Sprite::ResetEngine();
    std::mt19937 random(12345);
    auto uniform = [&random](float a, float b) {
        return std::uniform_real_distribution<float>(a, b)(random);
    };
    auto roll = [&random](int a, int b) { return std::uniform_int_distribution<int>(a, b)(random); };
    const int unit = total / 30; // 100 at 3,000
    Scene scene;
    static const Media::ImageRef star = MakeImage(4, 4, 1);
    static const Media::ImageRef enemy = MakeImage(48, 48, 8);
    static const Media::ImageRef part = MakeImage(16, 16, 1);
    static const Media::ImageRef bullet = MakeImage(8, 16, 4);
    static const Media::ImageRef letter = MakeImage(32, 32, 1);
    static const Media::ImageRef particle = MakeImage(16, 16, 16);

    SpriteRef playfield = Sprite::Create(nullptr, 0, nullptr);
    playfield->SetPosition(400, 250, 0);
    scene.Keep.push_back(playfield);

    for (int i = 0; i < unit; ++i) {
        SpriteRef s = Sprite::Create(star, 2, nullptr);
        s->SetOrder(2 + uniform(0, 0.99f));
        s->SetPosition(uniform(0, 800), uniform(0, 500), 0);
        s->AnimateAlpha(0.2f, 1, roll(500, 2000), Animate::LOOP + Animate::PINGPONG + Animate::COSINE);
        s->AnimateY(-10, 510, roll(4000, 20000), Animate::LOOP, 0, roll(0, 4000));
        scene.Keep.push_back(s);
    }
    for (int i = 0; i < unit * 6 / 10; ++i) {
        SpriteRef pivot = Sprite::Create(nullptr, 10, playfield);
        pivot->SetPosition(uniform(-380, 380), uniform(-240, 100), 0);
        pivot->SetScale(0.7f);
        pivot->AnimateX(-300, 300, roll(2000, 5000), Animate::LOOP + Animate::PINGPONG + Animate::COSINE);
        SpriteRef body = Sprite::Create(enemy, 0, pivot);
        body->SetShadow(6, 45, 0.33f);
        body->AnimateFrame(0, 7, 400, Animate::LOOP, 0, roll(0, 400), nullptr);
        for (int side : {-1, 1}) {
            SpriteRef p = Sprite::Create(part, 1, body);
            p->SetPosition(float(side) * 20, 10, 0);
            p->SetFlags(Sprite::NO_INHERIT_ROTATION);
            scene.Keep.push_back(p);
        }
        scene.Keep.push_back(pivot);
        scene.Keep.push_back(body);
    }
    for (int i = 0; i < unit * 3; ++i) {
        SpriteRef s = Sprite::Create(bullet, 8, playfield);
        s->SetPosition(uniform(-400, 400), uniform(-250, 250), 0);
        s->SetVelocity(0, -1, uniform(1, 20));
        s->AnimateFrame(0, 3, 200, Animate::LOOP, 0, roll(0, 200), nullptr);
        scene.Keep.push_back(s);
    }
    for (int t = 0; t < unit / 5; ++t) {
        SpriteRef pivot = Sprite::Create(nullptr, 24, nullptr);
        pivot->SetPosition(400, float(40 + 20 * t), 0);
        pivot->AnimateScale(0.9f, 1.1f, 1000, Animate::LOOP + Animate::PINGPONG + Animate::COSINE);
        for (int i = 0; i < 10; ++i) {
            SpriteRef s = Sprite::Create(letter, 0, pivot);
            s->SetPosition(float(i * 24 - 120), 0, 0);
            s->SetShadow(4, 45, 0.5f);
            scene.Keep.push_back(s);
        }
        scene.Keep.push_back(pivot);
    }
    while (Sprite::SpriteList().Count() < total) {
        SpriteRef s = Sprite::Create(particle, 17, playfield);
        s->SetPosition(uniform(-400, 400), uniform(-250, 250), 0);
        s->SetBlend(Media::LIGHTBLEND);
        s->AnimateFrame(0, 15, roll(300, 900), Animate::LOOP, 0, roll(0, 300), nullptr);
        if (roll(0, 1) == 1) s->AnimateAlpha(1, 0, roll(300, 900), Animate::LOOP, 0, roll(0, 300));
        scene.Keep.push_back(s);
    }
    return scene;
}

void OneFrame() {
    Sprite::SetTimeStep(16);
    Sprite::Update();
    Sprite::DrawAll();
    Media::FlushDrawing();
}

void UpdateOnly() {
    Sprite::SetTimeStep(16);
    Sprite::Update();
}

void DrawOnly() {
    Sprite::DrawAll();
    Media::FlushDrawing();
}

// Runs `step` as one frame of a scene of state.range(0) sprites.
void MeasureFrames(benchmark::State& state, void (*step)()) {
    const int total = int(state.range(0));
    Scene scene = BuildScene(total);
    for (int i = 0; i < 60; ++i)
        OneFrame(); // warm up: pools and buffers reach their size
    const long allocationsBefore = AllocationCount();
    long frames = 0;
    for (auto _ : state) {
        step();
        ++frames;
    }
    state.counters["allocs_per_frame"] = double(AllocationCount() - allocationsBefore) / double(frames);
    state.counters["ns_per_sprite"] = benchmark::Counter(
        double(total) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["sprites"] = total;
}

void BM_Frame(benchmark::State& state) {
    MeasureFrames(state, OneFrame);
}
BENCHMARK(BM_Frame)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

// The two halves of a frame, for a breakdown.
void BM_UpdateOnly(benchmark::State& state) {
    MeasureFrames(state, UpdateOnly);
}
BENCHMARK(BM_UpdateOnly)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);
void BM_DrawOnly(benchmark::State& state) {
    MeasureFrames(state, DrawOnly);
}
BENCHMARK(BM_DrawOnly)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_SortUnchanged(benchmark::State& state) {
    Scene scene = BuildScene(int(state.range(0)));
    Sprite::SortByOrder();
    for (auto _ : state)
        Sprite::SortByOrder();
    state.counters["sprites"] = double(state.range(0));
}
BENCHMARK(BM_SortUnchanged)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_SortShuffled(benchmark::State& state) {
    Scene scene = BuildScene(int(state.range(0)));
    IntrusiveList<Sprite>& list = Sprite::SpriteList();
    std::vector<Sprite*> order;
    for (Sprite* s = list.First(); s; s = s->Link_.Next)
        order.push_back(s);
    std::mt19937 random(99);
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(order.begin(), order.end(), random);
        for (size_t i = 0; i < order.size(); ++i)
            order[i]->Link_.Next = i + 1 < order.size() ? order[i + 1] : nullptr;
        list.Relink(order.front());
        state.ResumeTiming();
        Sprite::SortByOrder();
    }
    state.counters["sprites"] = double(state.range(0));
}
BENCHMARK(BM_SortShuffled)->Arg(3000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

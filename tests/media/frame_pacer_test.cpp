#include "media/frame_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int64_t HZ60 = 16667;

// A frame loop on a fake clock: each frame works `workUs`, then presents; a present that waits
// for the display returns at the next vertical blank (every `vblankUs`), one that does not returns
// at once. The loop waits as the pacer asks. Returns the times at which presents were followed by
// the start of the next frame's work.
struct FakeLoop {
    Media::FramePacer pacer;
    int64_t now = 1000000;
    int64_t vblankUs = 0; // 0: the present does not wait

    std::vector<int64_t> Run(int frames, int64_t workUs) {
        std::vector<int64_t> starts;
        for (int i = 0; i < frames; ++i) {
            now += workUs;
            if (vblankUs > 0) now = (now / vblankUs + 1) * vblankUs;
            now = std::max(now, pacer.Presented(now));
            pacer.WaitEnded(now);
            starts.push_back(now);
        }
        return starts;
    }
};

std::vector<int64_t> Steps(const std::vector<int64_t>& times, size_t from) {
    std::vector<int64_t> steps;
    for (size_t i = std::max<size_t>(from, 1); i < times.size(); ++i)
        steps.push_back(times[i] - times[i - 1]);
    return steps;
}

TEST(FramePacerTest, IntervalComesFromTheCapOrTheDisplay) {
    EXPECT_EQ(Media::FramePacer::IntervalFor(-1, 60), HZ60);
    EXPECT_EQ(Media::FramePacer::IntervalFor(-1, 0), HZ60); // refresh unknown: 60 Hz
    EXPECT_EQ(Media::FramePacer::IntervalFor(-1, 144), 6944);
    EXPECT_EQ(Media::FramePacer::IntervalFor(30, 144), 33333);
    EXPECT_EQ(Media::FramePacer::IntervalFor(0, 60), 0);
}

// A frame loop that spends most of the interval drawing (software OpenGL) but does not wait for
// the display still runs faster than it, so it is paced too.
TEST(FramePacerTest, HeavyFramesThatDoNotWaitArePacedToo) {
    FakeLoop loop;
    loop.pacer.SetInterval(HZ60);
    const std::vector<int64_t> starts = loop.Run(200, 15000);
    EXPECT_TRUE(loop.pacer.Pacing());
    for (int64_t step : Steps(starts, 40))
        EXPECT_EQ(step, loop.pacer.PacedStep());
}

// Without vsync a short frame is held to the interval, evenly: the steps settle on the interval
// and a frame that runs a little late does not shift the rhythm.
TEST(FramePacerTest, PresentThatDoesNotWaitIsPacedEvenly) {
    FakeLoop loop;
    loop.pacer.SetInterval(HZ60);
    const std::vector<int64_t> starts = loop.Run(200, 3000);
    EXPECT_TRUE(loop.pacer.Pacing());
    const int64_t step60 = loop.pacer.PacedStep();
    EXPECT_NEAR(double(step60), double(HZ60), 0.025 * double(HZ60));
    for (int64_t step : Steps(starts, 20))
        EXPECT_EQ(step, step60);

    // One slow frame (20 ms), then short ones again: the next frame comes early and the deadlines
    // stay on the old grid.
    const int64_t grid = starts.back();
    loop.Run(1, 20000);
    const std::vector<int64_t> after = loop.Run(10, 3000);
    EXPECT_TRUE(loop.pacer.Pacing());
    EXPECT_EQ((after.back() - grid) % step60, 0);

    // A stall of several intervals starts the rhythm again from its end, with no burst of
    // unpaced frames to catch up.
    const std::vector<int64_t> stall = loop.Run(1, 100000);
    const std::vector<int64_t> resumed = loop.Run(5, 3000);
    EXPECT_EQ(resumed[0] - stall[0], step60);
    for (int64_t step : Steps(resumed, 1))
        EXPECT_EQ(step, step60);
}

// With vsync the present itself fills the interval: the pacer never asks for a wait, whether the
// work is short or takes longer than a frame.
TEST(FramePacerTest, PresentThatWaitsForTheDisplayIsLeftAlone) {
    FakeLoop loop;
    loop.vblankUs = HZ60;
    loop.pacer.SetInterval(HZ60);
    for (int64_t work : {2000, 12000, 20000}) {
        const std::vector<int64_t> starts = loop.Run(100, work);
        EXPECT_FALSE(loop.pacer.Pacing()) << work;
        for (int64_t step : Steps(starts, 1))
            EXPECT_EQ(step % HZ60, 0) << work;
    }
}

// The decision follows the display: vsync lost (a driver setting changes) starts pacing within
// the measuring window; vsync back stops it. A frame that takes longer than the interval without
// vsync is never held.
TEST(FramePacerTest, DecisionFollowsThePresent) {
    FakeLoop loop;
    loop.pacer.SetInterval(HZ60);
    loop.vblankUs = HZ60;
    loop.Run(100, 3000);
    EXPECT_FALSE(loop.pacer.Pacing());
    loop.vblankUs = 0;
    loop.Run(Media::FramePacer::WINDOW, 3000);
    EXPECT_TRUE(loop.pacer.Pacing());
    // Back to a present that waits: the deadlines slip behind the display's blanks within about
    // fifty frames, and a window later the pacing stops.
    loop.vblankUs = HZ60;
    loop.Run(50 + 2 * Media::FramePacer::WINDOW, 3000);
    EXPECT_FALSE(loop.pacer.Pacing());
    const std::vector<int64_t> synced = loop.Run(50, 3000);
    for (int64_t step : Steps(synced, 1))
        EXPECT_EQ(step, HZ60);

    loop.vblankUs = 0;
    const std::vector<int64_t> slow = loop.Run(100, 25000);
    EXPECT_FALSE(loop.pacer.Pacing());
    for (int64_t step : Steps(slow, 1))
        EXPECT_EQ(step, 25000);
}

// No cap (--fps 0) never waits; a presents that does not ask to wait (the loading screen's)
// breaks the measurement, so the time between it and the next present is not taken for a frame.
TEST(FramePacerTest, NoCapAndInterruptions) {
    FakeLoop loop;
    loop.pacer.SetInterval(0);
    const std::vector<int64_t> starts = loop.Run(100, 3000);
    EXPECT_FALSE(loop.pacer.Pacing());
    for (int64_t step : Steps(starts, 1))
        EXPECT_EQ(step, 3000);

    Media::FramePacer pacer;
    pacer.SetInterval(HZ60);
    int64_t now = 0;
    for (int i = 0; i < 100; ++i) {
        pacer.Interrupted(); // every present in between was a loading-screen one
        now += 1000;
        EXPECT_LE(pacer.Presented(now), now);
        pacer.WaitEnded(now);
    }
    EXPECT_FALSE(pacer.Pacing());
}

} // namespace

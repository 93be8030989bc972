#include "media/frame_pacer.h"

namespace Media {
namespace {

// A frame counts as short when its work and present took less than this share of the interval;
// a present that waits for the display fills the interval whatever the work. Set close to the
// interval: software rendering can take most of a frame (15 ms at 60 Hz) and still run faster
// than the display.
constexpr int64_t SHORT_PERCENT = 95;
// Frames measured before the first decision: a few presents right after the window opens may
// return at once even where they wait later (the driver's spare buffers).
constexpr int FIRST_DECISION = 8;

} // namespace

int64_t FramePacer::IntervalFor(int fps, int refreshHz) {
    if (fps == 0) return 0;
    const int rate = fps > 0 ? fps : refreshHz > 0 ? refreshHz : DEFAULT_RATE_HZ;
    return (int64_t(1000000) + rate / 2) / rate;
}

void FramePacer::SetInterval(int64_t intervalUs) {
    interval_ = intervalUs > 0 ? intervalUs : 0;
    short_.fill(false);
    measured_ = next_ = shortCount_ = 0;
    pacing_ = false;
    started_ = false;
}

int64_t FramePacer::Presented(int64_t nowUs) {
    if (interval_ == 0) return nowUs;
    if (started_) {
        const bool isShort = (nowUs - workStart_) * 100 < interval_ * SHORT_PERCENT;
        if (measured_ == WINDOW)
            shortCount_ -= short_[std::size_t(next_)] ? 1 : 0;
        else
            ++measured_;
        short_[std::size_t(next_)] = isShort;
        shortCount_ += isShort ? 1 : 0;
        next_ = (next_ + 1) % WINDOW;
    }
    const bool wasPacing = pacing_;
    if (measured_ >= FIRST_DECISION) pacing_ = shortCount_ * 2 > measured_;
    if (!pacing_) return nowUs;
    // Evenly spaced deadlines keep frame times even; a frame that ran late by less than an
    // interval keeps the rhythm, one later than that starts it again from now instead of rushing
    // frames out to catch up. The deadlines come a little faster than the display refreshes: if
    // the present starts waiting for the display while paced, the deadlines slip behind its
    // waits, the frames fill whole intervals again and the pacing stops by itself.
    deadline_ = wasPacing ? deadline_ + PacedStep() : nowUs;
    if (deadline_ < nowUs - interval_) deadline_ = nowUs;
    return deadline_;
}

void FramePacer::WaitEnded(int64_t nowUs) {
    started_ = true;
    workStart_ = nowUs;
}

void FramePacer::Interrupted() {
    started_ = false;
}

} // namespace Media

#pragma once
// Paces a frame loop whose present does not wait for the display (no vsync: a virtual display, a
// driver setting, a player's choice), so the loop never spins the processor. Fed with the times at
// which presents return, it keeps measuring how long a frame takes without its own waits; when
// most frames of the last window come in well under the frame interval, the present is not
// waiting, and the pacer asks the loop to wait until evenly spaced deadlines. With a present that
// waits for the display the frames take a whole interval and the pacer never asks for a wait.
// Times are microseconds on one steady clock; the pacer keeps no clock of its own.
#include <array>
#include <cstddef>
#include <cstdint>

namespace Media {

class FramePacer {
public:
    // Frames measured for the decision.
    static constexpr int WINDOW = 32;
    // The interval when the display does not say its refresh rate.
    static constexpr int DEFAULT_RATE_HZ = 60;

    // The interval to keep for a cap of `fps` frames per second on a display refreshing at
    // `refreshHz`: fps -1 keeps the refresh rate (DEFAULT_RATE_HZ when refreshHz is not positive),
    // fps 0 never waits (0), any other fps keeps that rate.
    static int64_t IntervalFor(int fps, int refreshHz);

    // Sets the interval in microseconds (0: never wait). Measurements start again.
    void SetInterval(int64_t intervalUs);
    int64_t Interval() const { return interval_; }
    // The step between paced presents: 2 % shorter than the interval (see Presented).
    int64_t PacedStep() const { return interval_ - interval_ / 50; }

    // A present that asked to wait for the display has returned at `nowUs`. Returns the time until
    // which the loop should wait; a time at or before `nowUs` means no wait. Call WaitEnded after
    // the wait (also when there was none).
    int64_t Presented(int64_t nowUs);
    // The wait asked for by Presented ended at `nowUs`: the next frame's work starts.
    void WaitEnded(int64_t nowUs);
    // A present that does not wait (the loading screen's) or a pause: the time until the next
    // Presented is not a frame and is not measured.
    void Interrupted();

    // True while the pacer paces (the present was found not to wait).
    bool Pacing() const { return pacing_; }

private:
    int64_t interval_ = 0;
    std::array<bool, WINDOW> short_{}; // per measured frame: well under the interval
    int measured_ = 0;                 // frames in the window (up to WINDOW)
    int next_ = 0;                     // ring position of the next measurement
    int shortCount_ = 0;
    bool pacing_ = false;
    bool started_ = false; // workStart_ holds the start of a frame's work
    int64_t workStart_ = 0;
    int64_t deadline_ = 0;
};

} // namespace Media

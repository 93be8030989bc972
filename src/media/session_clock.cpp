// The session clock: the back end's clock, or, while a session is recorded or replayed with step
// events, a clock that moves only when a frame is presented and when the game sleeps. The game
// reads the time at several points of a frame; stepping it per frame makes each of those readings
// repeat exactly in a replay, whatever the machine's speed.
#include "media/media_internal.h"

namespace Media::Internal {
namespace {

bool stepped = false;
uint32_t clock = 0;
int fallbackStep = 16;
uint32_t lastBackendClock = 0;
int64_t sleptSincePresent = 0;

} // namespace

void StartSessionClock(bool on, int fallback) {
    stepped = on;
    clock = 0;
    fallbackStep = fallback;
    lastBackendClock = on ? CurrentBackend().ClockMs() : 0;
    sleptSincePresent = 0;
}

bool SessionClockStepped() {
    return stepped;
}

uint32_t SessionClockMs() {
    return clock;
}

void SessionClockSlept(int ms) {
    clock += uint32_t(ms);
    sleptSincePresent += ms;
}

void SessionFramePresented(int frame) {
    if (!stepped) return;
    // The measured step leaves out the time already counted by sleeps, so that a replay, which
    // sleeps the same amounts, reaches the same clock.
    const uint32_t now = CurrentBackend().ClockMs();
    const int64_t measured = int64_t(uint32_t(now - lastBackendClock)) - sleptSincePresent;
    lastBackendClock = now;
    sleptSincePresent = 0;
    const int step = InputScriptHasSteps() ? InputScriptStep(frame, fallbackStep)
                                           : int(measured < 0          ? 0
                                                 : measured > 86400000 ? 86400000
                                                                       : measured);
    clock += uint32_t(step);
    RecordFrameStep(frame, step);
}

} // namespace Media::Internal

#pragma once
// A silent audio channel that plays on the media clock (ClockMs): it starts paused, its position
// advances by the elapsed milliseconds × the rate while it plays, it ends at the end of the
// sound or wraps when the sound loops. The headless back end uses it for every channel, the sdl
// back end when there is no audio device, so the game's timing does not depend on having one.
#include <cstdint>

#include "media/media.h"

namespace Media {

class VirtualChannel : public AudioChannel {
public:
    VirtualChannel(double durationMs, bool loops);

    void Stop() override;
    void SetPaused(int paused) override;
    void SetVolume(float volume) override;
    void SetRate(float rate) override;
    int Playing() override;

    float Volume() const { return volume_; }
    float Rate() const { return rate_; }
    // Milliseconds of the sound played so far (at rate 1 time), as of the last clock reading.
    double PositionMs();
    bool Ended();

private:
    // Brings the position up to the current clock.
    void Advance();

    double durationMs_;
    bool loops_;
    bool paused_ = true;
    bool ended_ = false;
    float volume_ = 1;
    float rate_ = 1;
    double positionMs_ = 0;
    uint32_t lastClock_;
};

} // namespace Media

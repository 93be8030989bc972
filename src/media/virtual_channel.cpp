#include "media/virtual_channel.h"

#include <algorithm>
#include <cmath>

namespace Media {

VirtualChannel::VirtualChannel(double durationMs, bool loops)
    : durationMs_(durationMs), loops_(loops), lastClock_(ClockMs()) {}

void VirtualChannel::Advance() {
    const uint32_t now = ClockMs();
    const uint32_t elapsed = now - lastClock_; // unsigned: right across the 2^32 wrap
    lastClock_ = now;
    if (paused_ || ended_) return;
    positionMs_ += double(elapsed) * double(rate_);
    if (positionMs_ < durationMs_) return;
    if (loops_ && durationMs_ > 0)
        positionMs_ = std::fmod(positionMs_, durationMs_);
    else
        ended_ = true;
}

void VirtualChannel::Stop() {
    Advance();
    ended_ = true;
}

void VirtualChannel::SetPaused(int paused) {
    Advance();
    paused_ = paused != 0;
}

void VirtualChannel::SetVolume(float volume) {
    volume_ = volume >= 0 ? std::min(volume, 1.0f) : 0.0f;
}

void VirtualChannel::SetRate(float rate) {
    Advance(); // time so far counts at the old rate
    rate_ = rate >= 0 ? rate : 0.0f;
}

int VirtualChannel::Playing() {
    Advance();
    return !paused_ && !ended_ ? 1 : 0;
}

double VirtualChannel::PositionMs() {
    Advance();
    return positionMs_;
}

bool VirtualChannel::Ended() {
    Advance();
    return ended_;
}

} // namespace Media

#pragma once
// The frame clock: written once per frame by the frame loop before any screen runs, read by every
// gameplay timer.
#include <cstdint>

inline int GameTime = 0;        // ms: sum of all (sped-up) frame steps since start
inline int DeltaTime = 0;       // ms: step of the current frame, after the speed-up
inline float DeltaSeconds = 0;  // s: raw step of the current frame, before the speed-up
inline uint32_t FrameClock = 0; // ClockMs of this frame
inline uint32_t LastFrameClock = 0;

#pragma once
// Test controls of the headless back end. They act on the running headless back end and do
// nothing when another back end is in use. Every Init starts from the defaults: desktop
// 1920 × 1080, depths 16, 24 and 32 available, clock at 0.
#include <cstdint>
#include <string>
#include <vector>

#include "media/backend.h"

namespace Media::Headless {

void SetDesktopSize(int width, int height);
// Depths for which GraphicsModeExists answers 1 (at sizes up to the desktop size).
void SetAvailableDepths(const std::vector<int>& depths);
// Moves the virtual clock forward by ms (the clock wraps at 2^32).
void AdvanceClock(uint32_t ms);
// Textures created and not yet destroyed.
int LiveTextures();
// DrawBatch calls and quads received since Init.
int BatchesReceived();
int QuadsReceived();
// While on, every DrawBatch is copied (key and vertices) for inspection (off at Init).
struct KeptBatch {
    BatchKey Key;
    std::vector<Vertex> Vertices;
};
void SetKeepBatches(bool on);
const std::vector<KeptBatch>& KeptBatches();
// Pad rumbles asked for since Init, in order (strength 0..1, ms).
struct Rumble {
    float Strength = 0;
    int Ms = 0;
};
const std::vector<Rumble>& Rumbles();
// Messages passed to Notify since Init (also written to standard error).
const std::vector<std::string>& Notifications();

} // namespace Media::Headless

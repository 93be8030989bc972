#pragma once
// The 48 sound effects of sfx/: fire sounds, effects, powerup chimes, the boss cries, the
// loading whooshes, the game-over sting and the title jingle.
#include <string>
#include <vector>

namespace assetgen {

struct SoundEffect {
    std::string name;           // file name without folder and extension, e.g. "bullet-0"
    std::vector<float> samples; // mono, synth::kRate
};

// Every sound effect, in a fixed order. Deterministic.
std::vector<SoundEffect> MakeSoundEffects();

} // namespace assetgen

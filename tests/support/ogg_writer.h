#pragma once
// The one Ogg Vorbis writer of the tests and fuzz seeds (vorbisenc).
#include <cstdint>
#include <vector>

namespace testsupport {

// A 440 Hz tone at half scale, `frames` frames at `rate` Hz, as Ogg Vorbis bytes of VBR
// `quality` (−0.1 … 1). Throws std::runtime_error when the encoder refuses the set-up.
std::vector<uint8_t> OggTone(int channels, int rate = 8000, int frames = 8000, float quality = 0.4f);

} // namespace testsupport

#pragma once
// The one WAV writer of the tests and fuzz seeds: RIFF (little-endian) or RIFX (big-endian) PCM,
// with an odd-sized unrelated chunk before the format chunk, so readers meet the padding rule.
#include <cstdint>
#include <vector>

namespace testsupport {

struct WavFormat {
    int Channels = 1;
    int Bits = 16;
    int Rate = 22050;
    bool BigEndian = false;
    bool Extensible = false; // the long (WAVE_FORMAT_EXTENSIBLE) format chunk
};

// `frames` PCM frames whose data bytes are i × 7 (so a test can check the data arrived
// unchanged); `dataSizeClaim`, when not 0, is written as the data chunk's size instead of the
// true one.
std::vector<uint8_t> WavBytes(const WavFormat& format, int frames, uint32_t dataSizeClaim = 0);

} // namespace testsupport

#pragma once
// Sound decoding: WAV (our own reader, wav.cpp) and Ogg Vorbis (vorbisfile, ogg.cpp).
#include <cstdint>
#include <vector>

#include "media/media.h"

namespace Media {

// Sounds longer than this many sample frames (about 20 minutes at 44.1 kHz) are refused.
constexpr int64_t MAX_SAMPLE_FRAMES = int64_t(1) << 26;

// Ogg Vorbis bytes to 16-bit little-endian samples (mono or stereo); null when the bytes are not
// a Vorbis stream we can play.
AudioSampleRef DecodeOgg(const std::vector<uint8_t>& bytes);

} // namespace Media

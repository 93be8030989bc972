#pragma once
// Encodes float samples as an Ogg Vorbis file. The stream serial number is fixed, so the same
// samples give the same bytes on every run.
#include <filesystem>
#include <vector>

namespace assetgen {

// `samples` are interleaved frames of `channels` values in [-1, 1]. `quality` is libvorbis's VBR
// quality (-0.1 .. 1; 0.4 is about 128 kbit/s for stereo). Throws on an encoder or write error.
void WriteOgg(const std::filesystem::path& path, const std::vector<float>& samples, int channels,
              int sampleRate, float quality);

} // namespace assetgen

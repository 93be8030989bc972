#pragma once
// Encodes float samples as an Ogg Vorbis file. The stream serial number is fixed, so the same
// samples give the same bytes on every run.
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

// `samples` are interleaved frames of `channels` values in [-1, 1]. `quality` is libvorbis's VBR
// quality (-0.1 .. 1; 0.4 is about 128 kbit/s for stereo). Returns the file's bytes; throws on an
// encoder error.
std::string EncodeOgg(const std::vector<float>& samples, int channels, int sampleRate, float quality);
// The largest sample magnitude after decoding `bytes` again: lossy coding can overshoot the
// encoded peaks a little. Throws if the bytes do not decode.
float DecodedPeak(const std::string& bytes);
// Writes bytes to a file; throws on failure.
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

} // namespace assetgen

#pragma once
// Writes mono 16-bit PCM WAV files (RIFF), the format the game's own reader accepts.
#include <filesystem>
#include <vector>

namespace assetgen {

// Samples are in [-1, 1]; values outside are clipped. Throws on a write error.
void WriteWav(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate);

} // namespace assetgen

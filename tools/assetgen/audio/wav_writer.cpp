#include "audio/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

namespace assetgen {
namespace {

void Put16(std::string& b, uint16_t v) {
    b.push_back(char(v & 0xFF));
    b.push_back(char(v >> 8));
}

void Put32(std::string& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(char((v >> (8 * i)) & 0xFF));
}

} // namespace

void WriteWav(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string b;
    b.reserve(44 + dataBytes);
    b += "RIFF";
    Put32(b, 36 + dataBytes);
    b += "WAVEfmt ";
    Put32(b, 16);
    Put16(b, 1); // PCM
    Put16(b, 1); // mono
    Put32(b, uint32_t(sampleRate));
    Put32(b, uint32_t(sampleRate * 2));
    Put16(b, 2);
    Put16(b, 16);
    b += "data";
    Put32(b, dataBytes);
    for (float s : samples) {
        float c = std::clamp(s, -1.0f, 1.0f);
        Put16(b, uint16_t(int16_t(std::lround(c * 32767.0f))));
    }
    std::ofstream f(path, std::ios::binary);
    f.write(b.data(), std::streamsize(b.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

} // namespace assetgen

#include "support/wav_writer.h"

#include <string>

namespace testsupport {

std::vector<uint8_t> WavBytes(const WavFormat& format, int frames, uint32_t dataSizeClaim) {
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (format.BigEndian ? 24 - 8 * i : 8 * i)));
    };
    auto u16 = [&](uint32_t v) {
        for (int i = 0; i < 2; ++i)
            out.push_back(uint8_t(v >> (format.BigEndian ? 8 - 8 * i : 8 * i)));
    };
    auto bytes = [&](const std::string& s) { out.insert(out.end(), s.begin(), s.end()); };
    const uint32_t blockAlign = uint32_t(format.Channels * format.Bits / 8);
    const uint32_t dataSize = uint32_t(frames) * blockAlign;
    const uint32_t formatSize = format.Extensible ? 40 : 16;
    bytes(format.BigEndian ? "RIFX" : "RIFF");
    u32(4 + (8 + 6) + (8 + formatSize) + (8 + dataSize));
    bytes("WAVE");
    bytes("LIST"); // five bytes of an unrelated chunk, padded to six
    u32(5);
    bytes(std::string("abcde\0", 6));
    bytes("fmt ");
    u32(formatSize);
    u16(format.Extensible ? 0xFFFE : 1);
    u16(uint32_t(format.Channels));
    u32(uint32_t(format.Rate));
    u32(uint32_t(format.Rate) * blockAlign);
    u16(blockAlign);
    u16(uint32_t(format.Bits));
    if (format.Extensible) {
        u16(22);                             // extra bytes
        u16(uint32_t(format.Bits));          // valid bits
        u32(format.Channels == 1 ? 4u : 3u); // speaker positions
        u16(1);                              // the sub-format GUID starts with the PCM tag
        bytes(std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14));
    }
    bytes("data");
    u32(dataSizeClaim ? dataSizeClaim : dataSize);
    for (uint32_t i = 0; i < dataSize; ++i)
        out.push_back(uint8_t(i * 7));
    return out;
}

} // namespace testsupport

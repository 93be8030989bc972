#pragma once
// Shared by the fuzz targets: invariant checks that turn a decoder's inconsistent result into a
// crash libFuzzer reports, and a per-process scratch file for parsers that only read files.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/audio_codec.h"
#include "media/media.h"

namespace Fuzz {

inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

// A decoded picture is a complete RGBA map within the size limit.
inline void CheckPicture(const Media::PixelMap& map) {
    Require(map.PixelFormat == Media::PixelMap::Format::RGBA, "picture is RGBA");
    Require(map.Width > 0 && map.Height > 0, "picture has a size");
    Require(map.Width <= 16384 && map.Height <= 16384, "picture within the side limit");
    Require(map.Pixels.size() == size_t(map.Width) * size_t(map.Height) * 4, "picture pixels complete");
}

// A decoded sound holds exactly its frames, at a usable rate, and is short enough to play.
inline void CheckSample(const Media::AudioSample& sample) {
    Require(sample.Format >= Media::SF_MONO8 && sample.Format <= Media::SF_STEREO16BE, "sample format known");
    Require(sample.Rate > 0 && sample.Rate <= 1000000, "sample rate in range");
    Require(sample.Length >= 0 && sample.Length <= Media::MAX_SAMPLE_FRAMES, "sample length in range");
    Require(sample.Data.size() == size_t(sample.Length) * size_t(sample.BytesPerFrame()),
            "sample data complete");
}

// Both formats guard their chunks or pages with checksums, so nearly every mutated input would
// stop at the checksum test. These copies carry the right checksums for every complete chunk or
// page, so that the decoders read what the mutations changed.
inline std::vector<uint8_t> WithPngChecksums(std::vector<uint8_t> bytes) {
    auto crc32 = [](const uint8_t* data, size_t size) {
        uint32_t crc = 0xFFFFFFFF;
        for (size_t i = 0; i < size; ++i) {
            crc ^= data[i];
            for (int bit = 0; bit < 8; ++bit)
                crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
        return ~crc;
    };
    // Chunks after the signature: length (big-endian), type, data, checksum of type and data.
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const size_t length = size_t(bytes[at]) << 24 | size_t(bytes[at + 1]) << 16 |
                              size_t(bytes[at + 2]) << 8 | bytes[at + 3];
        if (length > bytes.size() - at - 12) break;
        const uint32_t crc = crc32(&bytes[at + 4], 4 + length);
        for (int i = 0; i < 4; ++i)
            bytes[at + 8 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return bytes;
}

inline std::vector<uint8_t> WithOggChecksums(std::vector<uint8_t> bytes) {
    auto crc32 = [](const uint8_t* data, size_t size, uint32_t crc) {
        for (size_t i = 0; i < size; ++i) {
            crc ^= uint32_t(data[i]) << 24;
            for (int bit = 0; bit < 8; ++bit)
                crc = crc & 0x80000000u ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        }
        return crc;
    };
    // Pages: "OggS", 22 header bytes with the checksum at 22, the segment count at 26, the
    // segment table, then the body; the checksum covers all of it with its own field zero.
    for (size_t at = 0; at + 27 <= bytes.size() && std::memcmp(&bytes[at], "OggS", 4) == 0;) {
        const size_t segments = bytes[at + 26];
        if (at + 27 + segments > bytes.size()) break;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += bytes[at + 27 + i];
        const size_t pageSize = 27 + segments + body;
        if (pageSize > bytes.size() - at) break;
        std::memset(&bytes[at + 22], 0, 4);
        const uint32_t crc = crc32(&bytes[at], pageSize, 0);
        for (int i = 0; i < 4; ++i)
            bytes[at + 22 + size_t(i)] = uint8_t(crc >> (8 * i));
        at += pageSize;
    }
    return bytes;
}

// Writes `size` bytes to a file in qsfuzz-<pid> (removed when the process ends) and returns its
// path. The folder is in /dev/shm when the machine has it: the parsers read real files, and a file
// in memory more than doubles the executions per second against one on disk.
inline std::string ScratchFile(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::filesystem::path path = base / ("qsfuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        static std::string removeAtExit = path.string();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return path;
    }();
    const std::filesystem::path file = folder / "input";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    out.close();
    Require(bool(out), "scratch file written");
    return file.string();
}

} // namespace Fuzz

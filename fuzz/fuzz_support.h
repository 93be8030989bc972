#pragma once
// Shared by the fuzz targets: invariant checks that turn a decoder's inconsistent result into a
// crash libFuzzer reports, and a per-process scratch file for parsers that only read files.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/audio_codec.h"
#include "shell/media.h"

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
    Require(sample.Data.size() == size_t(sample.Length) * size_t(sample.BytesPerFrame()), "sample data complete");
}

// Writes `size` bytes to a file in /tmp/qsfuzz-<pid> (removed when the process ends) and returns
// its path.
inline std::string ScratchFile(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() / ("qsfuzz-" + std::to_string(getpid()));
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

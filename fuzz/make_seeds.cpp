// Writes the seed inputs of every fuzz target into DIR/<target>/, each a few KB at most: pictures
// through libpng and the game's own JPEG writer, sounds by hand (WAV) and through the asset
// tool's Ogg encoder, and a few text inputs. Usage: fuzz_seeds DIR
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/ogg_writer.h"
#include "media/media.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const void* data, size_t size) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Write(const fs::path& path, const std::string& text) {
    Write(path, text.data(), text.size());
}

// A small picture in libpng's simplified format `format` (pixels made from x and y).
void WritePng(const fs::path& path, int width, int height, png_uint_32 format,
              const png_color* colormap = nullptr, int colors = 0) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(width);
    png.height = png_uint_32(height);
    png.format = format;
    png.colormap_entries = png_uint_32(colors);
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(png));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = colors ? uint8_t(i % size_t(colors)) : uint8_t(i * 37);
    std::vector<uint8_t> map;
    if (colormap)
        map.assign(reinterpret_cast<const uint8_t*>(colormap),
                   reinterpret_cast<const uint8_t*>(colormap) + 3 * colors);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, pixels.data(), 0,
                                   colormap ? map.data() : nullptr))
        throw std::runtime_error("png: " + std::string(png.message));
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels.data(), 0,
                                   colormap ? map.data() : nullptr))
        throw std::runtime_error("png: " + std::string(png.message));
    Write(path, bytes.data(), size);
}

void WriteJpeg(const fs::path& path, Media::PixelMap::Format format, int quality) {
    Media::PixelMap map;
    map.Width = 16;
    map.Height = 12;
    map.PixelFormat = format;
    map.Pixels.resize(size_t(map.Width * map.Height * map.Channels()));
    for (size_t i = 0; i < map.Pixels.size(); ++i)
        map.Pixels[i] = uint8_t(i * 11);
    fs::create_directories(path.parent_path());
    if (!Media::SaveJpeg(map, path.string(), quality))
        throw std::runtime_error("cannot write " + path.string());
}

// A WAV file of a few PCM frames; `extensible` writes the long format header, and an odd-sized
// chunk before the format shows the padding rule.
void WriteWav(const fs::path& path, int channels, int bits, bool bigEndian, bool extensible) {
    std::string out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(char(v >> (bigEndian ? 24 - 8 * i : 8 * i)));
    };
    auto u16 = [&](uint32_t v) {
        for (int i = 0; i < 2; ++i)
            out.push_back(char(v >> (bigEndian ? 8 - 8 * i : 8 * i)));
    };
    const uint32_t frames = 24, dataSize = frames * uint32_t(channels * bits / 8);
    const uint32_t formatSize = extensible ? 40 : 16;
    out += bigEndian ? "RIFX" : "RIFF";
    u32(4 + (8 + 6) + (8 + formatSize) + (8 + dataSize));
    out += "WAVE";
    out += "LIST";
    u32(5);
    out += std::string("qsfz\0\0", 6);
    out += "fmt ";
    u32(formatSize);
    u16(extensible ? 0xFFFE : 1);
    u16(uint32_t(channels));
    u32(11025);
    u32(uint32_t(11025 * channels * bits / 8));
    u16(uint32_t(channels * bits / 8));
    u16(uint32_t(bits));
    if (extensible) {
        u16(22);                      // extra bytes
        u16(uint32_t(bits));          // valid bits
        u32(channels == 1 ? 4u : 3u); // speaker positions
        u16(1);                       // the sub-format GUID starts with the format tag
        out += std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
    }
    out += "data";
    u32(dataSize);
    for (uint32_t i = 0; i < dataSize; ++i)
        out.push_back(char(i * 29));
    Write(path, out);
}

void WriteOgg(const fs::path& path, int channels) {
    const int rate = 8000, frames = 400;
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples.push_back(0.5f * std::sin(float(i) * (0.3f + 0.2f * float(c))));
    Write(path, assetgen::EncodeOgg(samples, channels, rate, -0.1f));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    try {
        WritePng(root / "png" / "rgba.png", 8, 6, PNG_FORMAT_RGBA);
        WritePng(root / "png" / "grey.png", 7, 5, PNG_FORMAT_GRAY);
        WritePng(root / "png" / "grey16-alpha.png", 5, 3, PNG_FORMAT_LINEAR_Y_ALPHA);
        const png_color palette[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {20, 40, 255}};
        WritePng(root / "png" / "palette.png", 6, 4, PNG_FORMAT_RGB_COLORMAP, palette, 4);

        WriteJpeg(root / "jpeg" / "rgb.jpg", Media::PixelMap::Format::RGBA, 80);
        WriteJpeg(root / "jpeg" / "grey.jpg", Media::PixelMap::Format::Grey, 50);

        WriteWav(root / "wav" / "mono8.wav", 1, 8, false, false);
        WriteWav(root / "wav" / "stereo16.wav", 2, 16, false, false);
        WriteWav(root / "wav" / "mono16-rifx.wav", 1, 16, true, false);
        WriteWav(root / "wav" / "stereo8-extensible.wav", 2, 8, false, true);

        WriteOgg(root / "ogg" / "mono.ogg", 1);
        WriteOgg(root / "ogg" / "stereo.ogg", 2);

        Write(root / "input_script" / "all-events.txt", "# every event once\n"
                                                        "0 move 400 250\n"
                                                        "1 rel -5 7 # trailing comment\n"
                                                        "2 down 1\r\n"
                                                        "2 up 1\n"
                                                        "3 click 3\n"
                                                        "   \t\n"
                                                        "4 key ESC\n"
                                                        "5 keydown a\n"
                                                        "5 keyup A\n"
                                                        "6 key F5\n"
                                                        "7 type Hello #1 there\n"
                                                        "8 suspend\n"
                                                        "9 resume\n"
                                                        "10 key enter\n"
                                                        "11 key space\n"
                                                        "12 key backspace\n"
                                                        "13 key Tab\n");
        Write(root / "input_script" / "bad-line.txt", "0 move 1 2\n1 jump 3\n");
        // Arguments are separated by zero bytes, as the target splits them.
        const std::vector<std::vector<std::string>> lines = {
            {"--windowed", "--data", "/tmp/data", "--log", "qs.log"},
            {"--headless", "--seed", "-42", "--step", "17", "--frames", "120", "--script", "in.txt"},
            {"--seed", "4294967295", "--frames"},
        };
        int number = 0;
        for (const std::vector<std::string>& words : lines) {
            std::string joined;
            for (const std::string& word : words)
                joined += (joined.empty() ? "" : std::string(1, '\0')) + word;
            Write(root / "command_line" / ("args" + std::to_string(++number)), joined);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}

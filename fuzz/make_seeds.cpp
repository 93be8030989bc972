// Writes the seed inputs of every fuzz target into DIR/<target>/, each a few KB at most: pictures
// through the tests' PNG writer and the game's own JPEG writer, sounds through the tests' WAV and
// Ogg writers, and a few text inputs. Usage: fuzz_seeds DIR
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/media.h"
#include "support/ogg_writer.h"
#include "support/png_writer.h"
#include "support/wav_writer.h"

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
    png_image size;
    std::memset(&size, 0, sizeof size);
    size.width = png_uint_32(width);
    size.height = png_uint_32(height);
    size.format = format;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(size));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = colors ? uint8_t(i % size_t(colors)) : uint8_t(i * 37);
    const std::vector<uint8_t> bytes =
        testsupport::PngBytes(width, height, format, pixels.data(), colormap, colors);
    Write(path, bytes.data(), bytes.size());
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

// A WAV file of a few PCM frames; `extensible` writes the long format header.
void WriteWav(const fs::path& path, int channels, int bits, bool bigEndian, bool extensible) {
    const std::vector<uint8_t> bytes =
        testsupport::WavBytes({channels, bits, 11025, bigEndian, extensible}, 24);
    Write(path, bytes.data(), bytes.size());
}

void WriteOgg(const fs::path& path, int channels) {
    const std::vector<uint8_t> bytes = testsupport::OggTone(channels, 8000, 400, -0.1f);
    Write(path, bytes.data(), bytes.size());
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

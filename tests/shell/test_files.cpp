#include "shell/test_files.h"

#include "media/media_samples.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testfiles {

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qs_shell_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

void MakeParents(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    MakeParents(path);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Media::PixelMap SolidPixmap(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    Media::PixelMap map;
    map.Width = width;
    map.Height = height;
    map.Pixels.resize(size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < map.Pixels.size(); i += 4) {
        map.Pixels[i] = r;
        map.Pixels[i + 1] = g;
        map.Pixels[i + 2] = b;
        map.Pixels[i + 3] = a;
    }
    return map;
}

void WritePng(const std::string& path, const Media::PixelMap& map) {
    MakeParents(path);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(map.Width);
    image.height = png_uint_32(map.Height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, map.Pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + path);
}

namespace {

std::vector<int16_t> Tone(int rate, int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[size_t(i)] = int16_t(8000 * std::sin(i * 2 * M_PI * 440 / rate));
    return samples;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out.push_back(uint8_t(v >> (8 * k)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

} // namespace

void WriteWav(const std::string& path, int rate, int frames) {
    std::vector<int16_t> samples = Tone(rate, frames);
    std::vector<uint8_t> out;
    uint32_t dataSize = uint32_t(frames) * 2;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32(out, 36 + dataSize);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, uint32_t(rate));
    Put32(out, uint32_t(rate) * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, dataSize);
    for (int16_t s : samples)
        Put16(out, uint16_t(s));
    WriteBytes(path, out);
}

void WriteOgg(const std::string& path, int rate, int frames) {
    WriteBytes(path, OggTone(1, rate, frames));
}

void StartHeadless(const std::string& root) {
    Media::Options options;
    options.Headless = true;
    options.DataRoot = root;
    options.LogFile = root + "/log.txt";
    std::string error;
    if (!Media::Init(options, error)) throw std::runtime_error("Media::Init: " + error);
}

std::string LogText(const std::string& root) {
    return ReadText(root + "/log.txt");
}

void HeadlessRootTest::SetUp() {
    root = MakeTempDir();
    WritePng(root + "/gfx/menus/mouse.png", SolidPixmap(32, 32, 255, 255, 255, 255));
    StartHeadless(root);
}

void HeadlessRootTest::TearDown() {
    std::filesystem::remove_all(root);
}

bool HeadlessRootTest::Logged(const std::string& line) const {
    return LogText(root).find(line) != std::string::npos;
}

} // namespace testfiles

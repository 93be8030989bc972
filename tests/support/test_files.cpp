#include "support/test_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/headless_start.h"
#include "support/ogg_writer.h"
#include "support/png_writer.h"
#include "support/wav_writer.h"

namespace testfiles {

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qs_test_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

std::string MakeGameRoot() {
    namespace fs = std::filesystem;
    const std::string root = MakeTempDir();
    const fs::path data = QS_DATA_ROOT;
    fs::create_directory_symlink(data / "gfx", fs::path(root) / "gfx");
    fs::create_directory_symlink(data / "sfx", fs::path(root) / "sfx");
    fs::create_directories(fs::path(root) / "data");
    for (int level = 1; level <= 11; ++level) {
        const std::string name = "level" + std::to_string(level) + ".dat";
        fs::copy_file(data / "data" / name, fs::path(root) / "data" / name);
    }
    return root;
}

void MakeParents(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    MakeParents(path);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
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
    WriteBytes(path, testsupport::PngBytes(map));
}

void WriteWav(const std::string& path, int rate, int frames) {
    testsupport::WavFormat format;
    format.Rate = rate;
    WriteBytes(path, testsupport::WavBytes(format, frames));
}

void WriteOgg(const std::string& path, int rate, int frames) {
    WriteBytes(path, testsupport::OggTone(1, rate, frames));
}

void StartHeadless(const std::string& root) {
    testsupport::StartHeadless(root, root + "/log.txt");
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

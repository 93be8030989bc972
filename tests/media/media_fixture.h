#pragma once
// A headless media layer for each test, and a private temporary folder.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "media/media.h"

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Media::Options options;
        options.Headless = true;
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
    }
    void TearDown() override {
        Media::Shutdown();
        if (!tempDir_.empty()) std::filesystem::remove_all(tempDir_);
    }
    // A path inside a folder of this test only.
    std::string TempPath(const std::string& name) {
        if (tempDir_.empty()) {
            tempDir_ = std::filesystem::path(::testing::TempDir()) / ("qs_media_" + std::to_string(getpid()));
            std::filesystem::create_directories(tempDir_);
        }
        return (tempDir_ / name).string();
    }
    // Opens an 800 × 500 window back buffer.
    void OpenWindow() { ASSERT_TRUE(Media::OpenWindowGraphics()); }

private:
    std::filesystem::path tempDir_;
};

// An RGBA pixel map filled with one colour.
inline Media::PixelMap SolidMap(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    Media::PixelMap map;
    map.Width = width;
    map.Height = height;
    for (int i = 0; i < width * height; ++i)
        map.Pixels.insert(map.Pixels.end(), {r, g, b, a});
    return map;
}

// A pixel map encoded as PNG bytes (RGBA) by libpng.
inline std::vector<uint8_t> PngBytes(const Media::PixelMap& map) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(map.Width);
    png.height = png_uint_32(map.Height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&png, nullptr, &size, 0, map.Pixels.data(), 0, nullptr));
    std::vector<uint8_t> bytes(size);
    EXPECT_TRUE(png_image_write_to_memory(&png, bytes.data(), &size, 0, map.Pixels.data(), 0, nullptr));
    bytes.resize(size);
    return bytes;
}

#pragma once
// A headless media layer for each test, and a private temporary folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "shell/media.h"

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
    for (int i = 0; i < width * height; ++i) map.Pixels.insert(map.Pixels.end(), {r, g, b, a});
    return map;
}

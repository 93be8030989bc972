#pragma once
// A headless media layer for each test, and a private temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "media/media.h"
#include "support/headless_start.h"
#include "support/test_files.h"

class MediaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(testsupport::StartHeadless()); }
    void TearDown() override {
        Media::Shutdown();
        if (!tempDir_.empty()) std::filesystem::remove_all(tempDir_);
    }
    // A path inside a folder of this test only.
    std::string TempPath(const std::string& name) {
        if (tempDir_.empty()) tempDir_ = testfiles::MakeTempDir();
        return (std::filesystem::path(tempDir_) / name).string();
    }
    // Opens an 800 × 500 window back buffer.
    void OpenWindow() { ASSERT_TRUE(Media::OpenWindowGraphics()); }

private:
    std::string tempDir_;
};

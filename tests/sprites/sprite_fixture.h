#pragma once
// A headless media layer and a clean sprite engine for each test.
#include <gtest/gtest.h>

#include <string>

#include "media/media.h"
#include "sprites/animate.h"
#include "sprites/physics.h"
#include "sprites/sprite.h"
#include "support/headless_start.h"

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_THROW(testsupport::StartHeadless());
        ASSERT_TRUE(Media::OpenWindowGraphics());
        Sprite::ResetEngine();
    }
    void TearDown() override {
        Sprite::ResetEngine();
        Media::Shutdown();
    }

public:
    // An opaque image of `frames` frames of width × height, handle at the frame centre.
    static Media::ImageRef MakeImage(int width, int height, int frames = 1) {
        Media::PixelMap sheet;
        sheet.Width = width * frames;
        sheet.Height = height;
        sheet.Pixels.assign(size_t(sheet.Width) * size_t(height) * 4, 255);
        Media::ImageRef image = Media::Image::FromSheet(sheet, width, height, 0, frames, 0);
        image->SetHandle(float(width) / 2, float(height) / 2);
        return image;
    }

    // One frame of the game loop.
    static void Frame(int ms) {
        Sprite::SetTimeStep(ms);
        Sprite::Update();
    }
};

// Own and inherited position as a pair, for compact expectations.
inline void ExpectWorldAt(const Sprite& s, float x, float y, float tolerance = 1e-3f) {
    EXPECT_NEAR(s.X(1), x, tolerance);
    EXPECT_NEAR(s.Y(1), y, tolerance);
}

#include <gtest/gtest.h>

#include <filesystem>

#include "shell/app.h"
#include "shell/screenshot.h"
#include "support/test_files.h"

TEST(ScreenshotName, LastThreeDigitsZeroPadded) {
    EXPECT_EQ(ScreenshotName(1), "Screenshot-001.jpg");
    EXPECT_EQ(ScreenshotName(42), "Screenshot-042.jpg");
    EXPECT_EQ(ScreenshotName(999), "Screenshot-999.jpg");
    EXPECT_EQ(ScreenshotName(1000), "Screenshot-000.jpg");
}

class ScreenshotTest : public testfiles::HeadlessRootTest {
protected:
    void SetUp() override {
        HeadlessRootTest::SetUp();
        App::Create("Quillstorm!", 800, 500, 0, 0, 0);
    }
    void Touch(int number) { testfiles::WriteBytes(root + "/" + ScreenshotName(number), {1}); }
};

TEST_F(ScreenshotTest, TakesTheFirstFreeNumber) {
    EXPECT_EQ(NextScreenshotName(), "Screenshot-001.jpg");
    Touch(1);
    Touch(2);
    EXPECT_EQ(NextScreenshotName(), "Screenshot-003.jpg");
    Touch(4);
    EXPECT_EQ(NextScreenshotName(), "Screenshot-003.jpg");
}

TEST_F(ScreenshotTest, SavesADecodableJpegOfTheBackBuffer) {
    Touch(1);
    ASSERT_EQ(SaveScreenshot(), "Screenshot-002.jpg");
    Media::PixelMapRef shot = Media::LoadPixmap("Screenshot-002.jpg");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->Width, 800);
    EXPECT_EQ(shot->Height, 500);
}

TEST_F(ScreenshotTest, NumberOneThousandUsesName000) {
    for (int n = 1; n <= 999; ++n)
        Touch(n);
    EXPECT_EQ(NextScreenshotName(), "Screenshot-000.jpg");
}

TEST_F(ScreenshotTest, GivesUpWhenEveryNameExists) {
    for (int n = 0; n <= 999; ++n)
        Touch(n);
    EXPECT_EQ(NextScreenshotName(), "");
    EXPECT_EQ(SaveScreenshot(), "");
    EXPECT_EQ(std::filesystem::file_size(root + "/Screenshot-001.jpg"), 1u); // nothing overwritten
    EXPECT_NE(testfiles::LogText(root).find("not saved"), std::string::npos);
}

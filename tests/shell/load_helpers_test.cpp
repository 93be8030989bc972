// The game's picture loaders: exactly one log line and one loading-bar report per load, the
// optional failures logged and the required ones fatal.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "media/media.h"
#include "shell/load_helpers.h"
#include "support/test_files.h"

namespace {

std::vector<std::string> Reports;
void Record(const std::string& item) {
    Reports.push_back(item);
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class LoadHelpersTest : public testfiles::HeadlessRootTest {
protected:
    void SetUp() override {
        HeadlessRootTest::SetUp();
        ASSERT_TRUE(Media::CreateAppWindow("load helpers", 0, 0, 800, 500));
        ASSERT_TRUE(Media::OpenWindowGraphics());
        testfiles::WritePng(root + "/gfx/pic.png", testfiles::SolidPixmap(64, 32, 255, 255, 255, 255));
        Reports.clear();
        SetLoadProgressHook(Record);
    }
    void TearDown() override {
        SetLoadProgressHook(nullptr);
        HeadlessRootTest::TearDown();
    }
    size_t Logged(const std::string& line) const { return Count(testfiles::LogText(root), line + "\n"); }
};

TEST_F(LoadHelpersTest, EachLoadIsLoggedAndReportedOnce) {
    const struct {
        const char* name;
        bool (*load)(const std::string& path);
        const char* loadedLine;
    } cases[] = {
        {"image", [](const std::string& p) { return LoadGameImage(p, -1, 0) != nullptr; },
         "LoadImage(): Loaded "},
        {"animation",
         [](const std::string& p) { return LoadGameAnimImage(p, 32, 32, 0, 2, -1, 0) != nullptr; },
         "LoadAnimImage(): Loaded "},
        {"pixel map", [](const std::string& p) { return LoadGamePixmap(p, 0) != nullptr; }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reports.clear();
        const size_t linesBefore = Count(testfiles::LogText(root), "gfx\\pic.png");
        ASSERT_TRUE(c.load("gfx\\pic.png"));
        EXPECT_EQ(Reports, std::vector<std::string>{"gfx\\pic.png"});
        const size_t lines = Count(testfiles::LogText(root), "gfx\\pic.png") - linesBefore;
        if (c.loadedLine) {
            EXPECT_EQ(lines, 1u);
        } else {
            EXPECT_EQ(lines, 0u) << "a pixel map load writes no line";
        }
    }
    EXPECT_EQ(Logged("LoadImage(): Loaded gfx\\pic.png"), 1u);
    EXPECT_EQ(Logged("LoadAnimImage(): Loaded gfx\\pic.png"), 1u);
}

TEST_F(LoadHelpersTest, OptionalFailuresWriteTheirLineReportTheLoadAndReturnNone) {
    EXPECT_FALSE(LoadGameImage("gfx\\missing.png", -1, 1));
    EXPECT_FALSE(LoadGameAnimImage("gfx\\missing2.png", 32, 32, 0, 4, -1, 1));
    EXPECT_FALSE(LoadGamePixmap("gfx\\missing3.png", 1));
    EXPECT_EQ(Logged("LoadImage(): Failed to load image gfx\\missing.png"), 1u);
    EXPECT_EQ(Logged("LoadAnimImage(): Failed to load image gfx\\missing2.png"), 1u);
    EXPECT_EQ(Count(testfiles::LogText(root), "missing3"), 0u) << "an optional pixel map fails silently";
    // A failed optional picture still advances the bar; a failed optional pixel map does not.
    EXPECT_EQ(Reports, (std::vector<std::string>{"gfx\\missing.png", "gfx\\missing2.png"}));
}

TEST_F(LoadHelpersTest, RequiredFailuresAreFatal) {
    const char* message =
        "The following image failed to load: 'gfx.missing.png'.  Please reinstall the game.";
    EXPECT_EXIT(LoadGameImage("gfx\\missing.png", -1, 0), testing::ExitedWithCode(1), message);
    EXPECT_EXIT(LoadGameAnimImage("gfx\\missing.png", 32, 32, 0, 4, -1, 0), testing::ExitedWithCode(1),
                message);
    EXPECT_EXIT(LoadGamePixmap("gfx\\missing.png", 0), testing::ExitedWithCode(1), message);
}

// A picture decoded ahead (the credits', the story's) that is missing fails when it is loaded, with
// the message its own load gives, and not before.
TEST_F(LoadHelpersTest, APictureMissingAheadFailsAtItsLoadAsItsFileWould) {
    // The worker thread is running: the dying child must start afresh rather than fork from here.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Media::PrefetchPixmaps({"gfx\\missing.png", "gfx\\pic.png", "gfx\\gone.png"});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(Logged("LoadImage(): Failed to load image gfx\\missing.png"), 0u);
    EXPECT_FALSE(LoadGameImage("gfx\\missing.png", -1, 1));
    EXPECT_EQ(Logged("LoadImage(): Failed to load image gfx\\missing.png"), 1u);
    EXPECT_TRUE(LoadGameImage("gfx\\pic.png", -1, 0));
    EXPECT_EXIT(LoadGameImage("gfx\\gone.png", -1, 0), testing::ExitedWithCode(1),
                "The following image failed to load: 'gfx.gone.png'.  Please reinstall the game.");
    Media::EndPrefetch();
    GTEST_FLAG_SET(death_test_style, style);
}

// A picture read as a pixel map and made into an image (the dust) is one load: the pixel map's.
TEST_F(LoadHelpersTest, AnImageMadeFromAPixelMapIsLoggedOnceAndNotCountedAgain) {
    Media::PixelMapRef map = LoadGamePixmap("gfx\\pic.png", 0);
    ASSERT_TRUE(map);
    Media::ImageRef image = LoadGameImage(*map, "gfx\\pic.png", -1, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Frames(), 1);
    EXPECT_EQ(image->Width(), 64);
    EXPECT_EQ(Reports, std::vector<std::string>{"gfx\\pic.png"});
    EXPECT_EQ(Logged("LoadImage(): Loaded gfx\\pic.png"), 1u);
    // A panel assembled in memory is no load at all.
    Reports.clear();
    ASSERT_TRUE(LoadGameImage(testfiles::SolidPixmap(8, 8, 1, 2, 3, 255), "", -1, 0));
    EXPECT_TRUE(Reports.empty());
}

} // namespace

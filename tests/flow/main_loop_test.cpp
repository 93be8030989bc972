#include <gtest/gtest.h>

#include <filesystem>

#include "flow/main_loop.h"
#include "media/headless/headless_control.h"
#include "media/media.h"
#include "presentation/sound.h"
#include "shell/app.h"
#include "shell/frame_clock.h"
#include "shell/gameplay_hooks.h"
#include "shell/state_system.h"
#include "sprites/sprite.h"
#include "support/test_files.h"

TEST(FrameStep, OnlyStepsOfOneTo249MsAreSimulated) {
    const struct {
        int step;
        bool accepted;
    } cases[] = {{-5, false}, {0, false}, {1, true}, {16, true}, {249, true}, {250, false}, {300, false}};
    for (const auto& c : cases)
        EXPECT_EQ(StepAccepted(c.step), c.accepted) << c.step;
}

TEST(FrameStep, SpeedUpStretchesByAQuarterTruncated) {
    const struct { int step, fast; } cases[] = {{16, 20}, {3, 3}, {1, 1}, {17, 21}, {249, 311}};
    for (const auto& c : cases) {
        EXPECT_EQ(SpeedAdjustedStep(c.step, true), c.fast) << c.step;
        EXPECT_EQ(SpeedAdjustedStep(c.step, false), c.step) << c.step;
    }
}

class MainLoopTest : public testfiles::HeadlessRootTest {
protected:
    void SetUp() override {
        HeadlessRootTest::SetUp();
        App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
        StartFrameClock();
        GameTime = 0;
    }
};

namespace {
int updates = 0;
void CountUpdate() {
    ++updates;
}
} // namespace

TEST_F(MainLoopTest, AFrameAdvancesGameTimeAndRunsTheCurrentState) {
    StateSystem::Register(0, CountUpdate);
    Media::Headless::AdvanceClock(16);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(DeltaTime, 16);
    EXPECT_FLOAT_EQ(DeltaSeconds, 0.016f);
    EXPECT_EQ(GameTime, 16);
    EXPECT_EQ(updates, 1);
    StateSystem::SetState(7); // nothing registered: nothing runs
    Media::Headless::AdvanceClock(16);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(updates, 1);
}

TEST_F(MainLoopTest, StallsAndEmptyStepsAreDropped) {
    Media::Headless::AdvanceClock(300);
    EXPECT_FALSE(RunFrame());
    EXPECT_EQ(GameTime, 0);
    EXPECT_FALSE(RunFrame()); // the clock has not moved since
    EXPECT_EQ(GameTime, 0);
    Media::Headless::AdvanceClock(10);
    EXPECT_TRUE(RunFrame());
    EXPECT_GE(GameTime, 10); // the empty step slept 1 ms
    EXPECT_LE(GameTime, 11);
}

TEST_F(MainLoopTest, SpeedPowerupStretchesGameTimeButNotDeltaSeconds) {
    SpeedPowerupActive = [] { return true; };
    Media::Headless::AdvanceClock(16);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(DeltaTime, 20);
    EXPECT_EQ(GameTime, 20);
    EXPECT_FLOAT_EQ(DeltaSeconds, 0.016f);
    EXPECT_EQ(Sprite::TimeStep(), 20);
}

TEST(MainLoopSuspendTest, SuspendPausesTheMusicAndTheGame) {
    std::string root = testfiles::MakeTempDir();
    testfiles::WritePng(root + "/gfx/menus/mouse.png", testfiles::SolidPixmap(32, 32, 255, 255, 255, 255));
    testfiles::WriteWav(root + "/sfx/music/title.wav", 22050, 44100);
    std::string script = "0 suspend\n1 resume\n";
    testfiles::WriteBytes(root + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
    Media::Options options;
    options.Headless = true;
    options.DataRoot = root;
    options.ScriptFile = root + "/script.txt";
    std::string error;
    ASSERT_TRUE(Media::Init(options, error)) << error;
    App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
    StartFrameClock();
    Sound::PlayMusic("title.wav");
    ASSERT_TRUE(Sound::MusicChannel_);

    Media::Headless::AdvanceClock(16);
    uint32_t before = Media::ClockMs();
    EXPECT_FALSE(RunFrame()); // suspended: sleeps instead of playing
    EXPECT_EQ(Media::ClockMs() - before, 250u);
    EXPECT_EQ(GameTime, 0);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 0);

    Media::Flip(0); // frame 1 of the script: resume
    PollSystemEvents();
    EXPECT_EQ(Media::AppSuspended(), 0);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 1);
    std::filesystem::remove_all(root);
}

// The headless back buffer, like a real one, is undefined after the present (grey when grabbed),
// so a screenshot taken after Flip shows grey instead of the drawn, black frame.
TEST(MainLoopScreenshotTest, F5SavesTheFrameAsDrawnBeforeItIsPresented) {
    std::string root = testfiles::MakeTempDir();
    testfiles::WritePng(root + "/gfx/menus/mouse.png", testfiles::SolidPixmap(32, 32, 255, 255, 255, 255));
    std::string script = "0 key F5\n";
    testfiles::WriteBytes(root + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
    Media::Options options;
    options.Headless = true;
    options.DataRoot = root;
    options.ScriptFile = root + "/script.txt";
    std::string error;
    ASSERT_TRUE(Media::Init(options, error)) << error;
    App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
    StartFrameClock();
    Media::Headless::AdvanceClock(16);
    ASSERT_TRUE(RunFrame());
    Media::PixelMapRef shot = Media::LoadPixmap(root + "/Screenshot-001.jpg");
    ASSERT_TRUE(shot);
    ASSERT_EQ(shot->Width, 800);
    const uint8_t* centre = shot->At(400, 250);
    EXPECT_LT(centre[0] + centre[1] + centre[2], 30) << "the frame was grabbed after it was presented";
    Media::Shutdown();
    std::filesystem::remove_all(root);
}

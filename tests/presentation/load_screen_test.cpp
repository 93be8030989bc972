#include <gtest/gtest.h>

#include <filesystem>

#include "media/headless/headless_control.h"
#include "media/media.h"
#include "presentation/load_screen.h"
#include "presentation/logo.h"
#include "shell/state_system.h"
#include "sprites/animate.h"
#include "support/test_files.h"

class LoadScreenTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        testfiles::WritePng(root + "/gfx/menus/loading.png",
                            testfiles::SolidPixmap(400, 120, 40, 40, 80, 255));
        testfiles::WritePng(root + "/gfx/menus/loadingbar.png",
                            testfiles::SolidPixmap(100, 10, 0, 255, 0, 255));
        testfiles::WriteWav(root + "/sfx/loading-flyin.wav", 22050, 8820);
        testfiles::StartHeadless(root);
    }
    void TearDown() override {
        Sprite::ResetEngine(); // ends running animations
        std::filesystem::remove_all(root);
    }
    // Runs animations until the panel stops sliding.
    void Settle() {
        for (int i = 0; i < 100 && LoadScreen::Animating(); ++i) {
            Sprite::SetTimeStep(16);
            Sprite::Update();
        }
    }
    std::string root;
};

TEST_F(LoadScreenTest, TheBarFillsWithTheLoadsInWholeSteps) {
    LoadScreen::Init(0);
    EXPECT_EQ(LoadScreen::Total(), 100);
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportWidth(0), 0);
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportX(0), -50);
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportY(0), -5);

    LoadScreen::Update("before the panel shows"); // hidden panel: not counted
    EXPECT_EQ(LoadScreen::Progress(), 0);
    LoadScreen::ZoomIn();
    EXPECT_EQ(StateSystem::State(), 3);
    LoadScreen::Update("");
    EXPECT_EQ(LoadScreen::Progress(), 0);

    for (int i = 0; i < 87; ++i)
        LoadScreen::Update("gfx\\item.png");
    EXPECT_EQ(LoadScreen::Progress(), 87);
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportWidth(0), 50); // half of 174
    LoadScreen::Update("gfx\\item.png");
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportWidth(0), 50); // 50.57 → 50
    for (int i = 88; i < 200; ++i)
        LoadScreen::Update("gfx\\item.png");
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportWidth(0), 114); // past full: the bar is simply full
    EXPECT_NE(testfiles::LogText(root).find("Loading 'gfx\\item.png' : Progress = 200"), std::string::npos);
}

TEST_F(LoadScreenTest, CoarserStepsRoundDown) {
    LoadScreen::Init(10); // steps of 10 px
    LoadScreen::ZoomIn();
    for (int i = 0; i < 87; ++i)
        LoadScreen::Update("x");
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportWidth(0), 50);
    for (int i = 0; i < 10; ++i)
        LoadScreen::Update("x");
    EXPECT_FLOAT_EQ(LoadScreen::BarSprite()->ViewportWidth(0), 50); // 55.7 → 50
}

TEST_F(LoadScreenTest, PanelSlidesInAndOut) {
    LoadScreen::Init(0);
    SpriteRef panel = LoadScreen::PanelSprite();
    EXPECT_EQ(panel->Hidden(0), 1);
    EXPECT_FLOAT_EQ(panel->ScaleX(0), 0.4f);
    EXPECT_FLOAT_EQ(panel->Order(0), 21);
    LoadScreen::ZoomIn();
    EXPECT_EQ(panel->Hidden(0), 0);
    EXPECT_EQ(LoadScreen::Animating(), 1);
    Settle();
    EXPECT_EQ(LoadScreen::Animating(), 0);
    EXPECT_FLOAT_EQ(panel->X(0), 400);
    LoadScreen::ZoomOut();
    EXPECT_EQ(StateSystem::State(), 4);
    Settle();
    EXPECT_FLOAT_EQ(panel->X(0), 800 + 80); // 400 px × 0.4 / 2 past the right edge
    LoadScreen::Hide();
    EXPECT_EQ(panel->Hidden(0), 1);
    EXPECT_NE(testfiles::LogText(root).find("Load Time = "), std::string::npos);
    EXPECT_NE(testfiles::LogText(root).find("''sfx\\loading-flyout.wav'' failed to load."),
              std::string::npos);
}

TEST_F(LoadScreenTest, MissingPanelIsFatal) {
    std::filesystem::remove(root + "/gfx/menus/loadingbar.png");
    EXPECT_EXIT(LoadScreen::Init(0), testing::ExitedWithCode(1),
                "The following image failed to load: 'gfx\\\\menus\\\\loadingbar.png'");
}

class LogoTest : public LoadScreenTest {};

TEST_F(LogoTest, ShowsEachLogoInTurnUntilTheFilesRunOut) {
    testfiles::WritePng(root + "/gfx/menus/logo1.png", testfiles::SolidPixmap(400, 200, 200, 0, 0, 255));
    ASSERT_TRUE(Media::SaveJpeg(testfiles::SolidPixmap(1600, 800, 0, 200, 0, 255),
                                root + "/gfx/menus/logo2.jpg", 90));

    Logo::ShowNext();
    ASSERT_EQ(Logo::FailedToLoad(), 0);
    EXPECT_EQ(Logo::LogoNumber(), 1);
    EXPECT_EQ(Logo::LogoSprite()->Image()->Width(), 400);
    EXPECT_FLOAT_EQ(Logo::LogoSprite()->ScaleX(0), 2);
    EXPECT_FLOAT_EQ(Logo::LogoSprite()->X(0), 400);
    EXPECT_FLOAT_EQ(Logo::LogoSprite()->Y(0), 250);
    EXPECT_EQ(Logo::Animating(), 1);

    // Fades in over 1 s, stands, fades out from 5 s to 6 s.
    for (int t = 0; t < 3000; t += 20) {
        Sprite::SetTimeStep(20);
        Sprite::Update();
    }
    EXPECT_FLOAT_EQ(Logo::LogoSprite()->R(0), 255);
    for (int t = 3000; t < 6200 && Logo::Animating(); t += 20) {
        Sprite::SetTimeStep(20);
        Sprite::Update();
    }
    EXPECT_EQ(Logo::Animating(), 0);
    EXPECT_FLOAT_EQ(Logo::LogoSprite()->R(0), 0);

    Logo::ShowNext();
    EXPECT_EQ(Logo::LogoNumber(), 2);
    EXPECT_FLOAT_EQ(Logo::LogoSprite()->ScaleX(0), 0.5f);
    Logo::ShowNext();
    EXPECT_EQ(Logo::FailedToLoad(), 1);
    EXPECT_EQ(Logo::Animating(), 0);
}

// The JPEG of a number is loaded first and a PNG of the same number replaces it; both loads log.
TEST_F(LogoTest, BothFilesOfANumberLoadAndThePngWins) {
    testfiles::WritePng(root + "/gfx/menus/logo1.png", testfiles::SolidPixmap(400, 200, 200, 0, 0, 255));
    ASSERT_TRUE(Media::SaveJpeg(testfiles::SolidPixmap(1600, 800, 0, 200, 0, 255),
                                root + "/gfx/menus/logo1.jpg", 90));
    Logo::ShowNext();
    ASSERT_EQ(Logo::FailedToLoad(), 0);
    EXPECT_EQ(Logo::LogoSprite()->Image()->Width(), 400);
    const std::string log = testfiles::LogText(root);
    const size_t jpeg = log.find("LoadImage(): Loaded gfx\\menus\\logo1.jpg");
    const size_t png = log.find("LoadImage(): Loaded gfx\\menus\\logo1.png");
    ASSERT_NE(jpeg, std::string::npos) << log;
    ASSERT_NE(png, std::string::npos) << log;
    EXPECT_LT(jpeg, png);
}

TEST_F(LogoTest, ABrokenJpegIsFatalEvenBesideAGoodPng) {
    testfiles::WritePng(root + "/gfx/menus/logo1.png", testfiles::SolidPixmap(400, 200, 200, 0, 0, 255));
    testfiles::WriteBytes(root + "/gfx/menus/logo1.jpg", {1, 2, 3}); // not even a JPEG
    EXPECT_EXIT(Logo::ShowNext(), testing::ExitedWithCode(1), "logo1.jpg'.  Please reinstall the game.");
}

TEST_F(LogoTest, NoLogosEndsTheSequenceAtOnce) {
    Logo::ShowNext();
    EXPECT_EQ(Logo::FailedToLoad(), 1);
    EXPECT_EQ(Logo::LogoNumber(), 0);
    EXPECT_EQ(Sprite::SpriteList().Count(), 0);
}

TEST_F(LogoTest, AnUndecodableLogoIsFatal) {
    testfiles::WriteBytes(root + "/gfx/menus/logo1.png", {1, 2, 3});
    EXPECT_EXIT(Logo::ShowNext(), testing::ExitedWithCode(1), "logo1.png'.  Please reinstall the game.");
}

TEST_F(LogoTest, FreeEndsTheLogoEarly) {
    testfiles::WritePng(root + "/gfx/menus/logo1.png", testfiles::SolidPixmap(400, 200, 200, 0, 0, 255));
    Logo::ShowNext();
    SpriteRef sprite = Logo::LogoSprite();
    Logo::Free();
    EXPECT_FALSE(sprite->Linked());
    EXPECT_EQ(Logo::FailedToLoad(), 1);
}

// On the virtual clock (headless, and any recording or replay) every counted load presents one
// frame, so a replay meets the same frame numbers as the session it was recorded from.
TEST_F(LoadScreenTest, OnTheVirtualClockEveryLoadPresentsAFrame) {
    ASSERT_FALSE(Media::ClockIsRealTime());
    LoadScreen::Init(0);
    LoadScreen::ZoomIn();
    const uint32_t start = Media::ClockMs();
    for (int i = 0; i < 30; ++i)
        LoadScreen::Update("gfx\\item.png");
    LoadScreen::Update("");
    EXPECT_EQ(Media::ClockMs() - start, 30u * 16u) << "one 16 ms step per load";
}

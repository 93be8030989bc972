#include <gtest/gtest.h>

#include <filesystem>

#include "media/headless/headless_control.h"
#include "media/media.h"
#include "shell/app.h"
#include "shell/pointer.h"
#include "shell/projection_matrix.h"
#include "support/test_files.h"

class AppTest : public testfiles::HeadlessRootTest {};

TEST_F(AppTest, WindowedStartIsTheFixedWindow) {
    App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
    EXPECT_EQ(App::Windowed(), 1);
    EXPECT_EQ(Media::GraphicsWidth(), 800);
    EXPECT_EQ(Media::GraphicsHeight(), 500);
    EXPECT_EQ(ProjectionMatrix::ScaledWidth(), 800);
    EXPECT_FLOAT_EQ(Sprite::OriginX(), 0);
    EXPECT_EQ(Media::GetBlend(), Media::ALPHABLEND);
    EXPECT_EQ(Media::GetDefaultImageFlags(), 6);
    EXPECT_TRUE(Media::GetAutoMidHandle());
    ASSERT_TRUE(PointerSprite);
    EXPECT_FLOAT_EQ(PointerSprite->ScaleX(0), 0.5f);
    EXPECT_FLOAT_EQ(PointerSprite->Order(0), 25);
    EXPECT_TRUE(Logged("WARNING: Game running debug mode - Performance will be reduced!"));
    EXPECT_TRUE(Logged("LoadImage(): Loaded gfx\\menus\\mouse.png"));
}

TEST_F(AppTest, FullScreenStartLetterboxesAndTogglesBothWays) {
    App::Create("Quillstorm!", 1920, 1080, 0, 1, 0);
    ASSERT_EQ(App::Windowed(), 0);
    EXPECT_NE(App::Depth(), 0);
    EXPECT_EQ(Media::GraphicsWidth(), 1920);
    EXPECT_EQ(ProjectionMatrix::ScaledWidth(), 888);
    EXPECT_FLOAT_EQ(Sprite::OriginX(), 44);
    EXPECT_FLOAT_EQ(Sprite::OriginY(), 0);
    App::ToggleFullscreen();
    EXPECT_EQ(App::Windowed(), 1);
    EXPECT_EQ(Media::GraphicsWidth(), 800);
    EXPECT_FLOAT_EQ(Sprite::OriginX(), 0);
    App::ToggleFullscreen();
    EXPECT_EQ(App::Windowed(), 0);
    EXPECT_EQ(Media::GraphicsWidth(), 1920);
}

TEST_F(AppTest, NoFullScreenModeFallsBackToTheWindowAndToggleDoesNothing) {
    // No display mode has a width of 0, so no depth is found.
    App::Create("Quillstorm!", 0, 0, 0, 1, 0);
    EXPECT_EQ(App::Windowed(), 1);
    EXPECT_EQ(App::Depth(), 0);
    EXPECT_TRUE(Logged("Error in Application.SetFullscreen() : Depth = 0.  Could not set full screen mode!"));
    App::ToggleFullscreen();
    EXPECT_EQ(App::Windowed(), 1);
}

TEST_F(AppTest, FailedFullScreenOpenFallsBackToTheWindow) {
    Media::Headless::SetAvailableDepths({16}); // 32 was asked for and does not exist
    App::Create("Quillstorm!", 1920, 1080, 32, 1, 0);
    EXPECT_EQ(App::Windowed(), 1);
    EXPECT_EQ(App::Depth(), 32); // the window keeps the asked depth, so a toggle may try again
    EXPECT_TRUE(
        Logged("Error in Application.SetFullscreen() : TG_Fullscreen = Null.  Could not set full screen "
               "mode!\n1920,1080,32"));
    EXPECT_EQ(Media::GraphicsWidth(), 800);
}

TEST_F(AppTest, TheDeepestFullScreenDepthWins) {
    Media::Headless::SetAvailableDepths({16, 24});
    App::Create("Quillstorm!", 1920, 1080, 0, 1, 0);
    EXPECT_EQ(App::Depth(), 24);
}

TEST_F(AppTest, MissingPointerPictureIsFatal) {
    std::filesystem::remove(root + "/gfx/menus/mouse.png");
    EXPECT_EXIT(
        App::Create("Quillstorm!", 800, 500, 0, 0, 0), testing::ExitedWithCode(1),
        "The following image failed to load: 'gfx\\\\menus\\\\mouse.png'.  Please reinstall the game.");
}

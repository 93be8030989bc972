#include <gtest/gtest.h>

#include <filesystem>

#include "media/headless/headless_control.h"
#include "media/media.h"
#include "shell/app.h"
#include "shell/frame_clock.h"
#include "shell/pointer.h"
#include "support/test_files.h"

class PointerTest : public testfiles::HeadlessRootTest {};

TEST_F(PointerTest, WindowPixelsAreConvertedThroughTheLetterbox) {
    App::Create("Quillstorm!", 1920, 1080, 0, 1, 0);
    const struct {
        float wx, wy, x, y;
    } cases[] = {{960, 540, 400, 250}, {0, 0, -44, 0}, {1920, 1080, 844, 500}, {96, 108, 0.4f, 50}};
    for (const auto& c : cases) {
        float x, y;
        WindowToPlayfield(c.wx, c.wy, x, y);
        EXPECT_NEAR(x, c.x, 0.01f) << c.wx;
        EXPECT_NEAR(y, c.y, 0.01f) << c.wy;
        int wx, wy;
        PlayfieldToWindow(x, y, wx, wy);
        EXPECT_EQ(wx, int(c.wx));
        EXPECT_EQ(wy, int(c.wy));
    }
}

TEST_F(PointerTest, InTheWindowPixelsArePlayfieldUnits) {
    App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
    Media::MoveMouse(100, 80);
    UpdatePointer();
    EXPECT_FLOAT_EQ(PointerX, 100);
    EXPECT_FLOAT_EQ(PointerY, 80);
    // The picture's top-left corner (its hotspot) is at the pointer: 32 px at scale 0.5.
    EXPECT_FLOAT_EQ(PointerSprite->X(0), 108);
    EXPECT_FLOAT_EQ(PointerSprite->Y(0), 88);
    EXPECT_EQ(PointerSprite->Hidden(0), 0);
}

// While captured, movement and the pull-back are in window pixels, so the ship answers the mouse
// alike in the window and in full screen; the position stays in playfield units.
TEST_F(PointerTest, CapturedMovementAndPullBackAreInWindowPixelsAtEveryDisplaySize) {
    const struct {
        const char* name;
        int fullScreen, centreX, centreY;
        float unitsPerPixel, playfieldCentreX;
    } displays[] = {{"800 x 500 window", 0, 400, 250, 1, 400},
                    {"1920 x 1080 full screen", 1, 960, 540, 0.4625f, 400}};
    App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
    for (const auto& d : displays) {
        SCOPED_TRACE(d.name);
        if (d.fullScreen) App::SetFullscreen();
        ASSERT_EQ(App::Windowed(), 1 - d.fullScreen);
        ASSERT_EQ(Media::GraphicsWidth(), d.centreX * 2);
        SetPointerMode(1);
        EXPECT_EQ(PointerVisible, 0);
        EXPECT_EQ(PointerSprite->Hidden(0), 1);
        CentrePointer();

        Media::MoveMouse(d.centreX + 40, d.centreY - 30);
        UpdatePointer();
        EXPECT_FLOAT_EQ(PointerDX, 40);
        EXPECT_FLOAT_EQ(PointerDY, -30);
        EXPECT_NEAR(PointerX, d.playfieldCentreX + 40 * d.unitsPerPixel, 0.01f);
        Media::MoveMouse(d.centreX + 40 + 60, d.centreY); // 100 px out: still in range
        UpdatePointer();
        EXPECT_FLOAT_EQ(PointerDX, 60);
        EXPECT_EQ(Media::PointerWindowX(), d.centreX + 100);
        Media::MoveMouse(d.centreX + 101, d.centreY); // 101 px out: pulled back
        UpdatePointer();
        EXPECT_FLOAT_EQ(PointerDX, 1);
        EXPECT_EQ(Media::PointerWindowX(), d.centreX);
        EXPECT_EQ(Media::PointerWindowY(), d.centreY);
        UpdatePointer(); // no movement since the pull-back: counted once
        EXPECT_FLOAT_EQ(PointerDX, 0);
        Media::MoveMouse(d.centreX, d.centreY - 101);
        UpdatePointer();
        EXPECT_FLOAT_EQ(PointerDY, -101);
        EXPECT_EQ(Media::PointerWindowY(), d.centreY);

        SetPointerMode(0);
        EXPECT_EQ(PointerVisible, 1);
        EXPECT_EQ(PointerSprite->Hidden(0), 0);
    }
}

// Movement made while the mouse was free (a menu, the window away) must not reach the ship in the
// first frame of the next capture: it would slide up to a third of the screen.
TEST_F(PointerTest, EachCaptureStartsFromWhereTheMouseIs) {
    App::Create("Quillstorm!", 1920, 1080, 0, 0, 0);
    SetPointerMode(1);
    Media::MoveMouse(400 + 90, 250 - 80); // the last movement before the menu opened
    UpdatePointer();
    ASSERT_FLOAT_EQ(PointerDX, 90);
    SetPointerMode(0); // the quit confirmation: the mouse wanders
    Media::MoveMouse(130, 420);
    UpdatePointer();
    Media::MoveMouse(700, 60);
    UpdatePointer();
    SetPointerMode(1); // Cancel
    UpdatePointer();
    EXPECT_FLOAT_EQ(PointerDX, 0);
    EXPECT_FLOAT_EQ(PointerDY, 0);
    Media::MoveMouse(400 + 5, 250);
    UpdatePointer();
    EXPECT_FLOAT_EQ(PointerDX, 5);

    // Away from the window (suspended, no frames) the mouse moved; the resume starts afresh.
    Media::MoveMouse(400 + 95, 250 + 60);
    ResumePointer();
    UpdatePointer();
    EXPECT_FLOAT_EQ(PointerDX, 0);
    EXPECT_FLOAT_EQ(PointerDY, 0);
    EXPECT_EQ(Media::PointerWindowX(), 400);
}

TEST_F(PointerTest, ReleasedPointerStaysInThePlayfieldInFullScreen) {
    App::Create("Quillstorm!", 1920, 1080, 0, 1, 0);
    Media::MoveMouse(10, 1070); // in the left bar, near the bottom
    UpdatePointer();
    EXPECT_FLOAT_EQ(PointerX, 0);
    EXPECT_NEAR(PointerY, 495.37f, 0.01f);
    EXPECT_EQ(Media::PointerWindowX(), 95); // playfield x 0 is window pixel 44 / 0.4625 = 95.1
}

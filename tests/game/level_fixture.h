#pragma once
// Play on the headless back end (or, for a fixture that asks, in a real window) with the
// generated game data: the fonts and the gameplay classes loaded as at start-up, a new game's
// values, and a frame step that runs Level::Update as the playing state does.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "flow/load_resources.h"
#include "flow/play_states.h"
#include "game/background.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "game/points.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "presentation/font.h"
#include "save/save_games.h"
#include "shell/frame_clock.h"
#include "sprites/sprite.h"

class LevelTest : public testing::Test {
protected:
    void SetUp() override {
        if (!Headless() && std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "DISPLAY is not set: this test needs an X server (run it under xvfb-run)";
        Media::Options options;
        options.Headless = Headless();
        options.Windowed = !Headless(); // a window, not the whole screen
        options.DataRoot = DataRoot();
        options.LogFile = LogPath();
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
        if (!Headless()) {
            ASSERT_TRUE(Media::CreateAppWindow("Quillstorm!", 0, 0, 800, 500));
        }
        ASSERT_TRUE(Media::OpenWindowGraphics());
        Media::SeedRandom(7);
        Sprite::ResetEngine();
        GameTime = 100000;
        SetStep(16);
        LoadFonts();
        InitGameplay();
        ResetForNewGame(0);
    }

    void TearDown() override {
        Level::Free();
        Sprite::ResetEngine();
        Media::Shutdown();
    }

    // False for a fixture that plays in a real window (its tests need an X server).
    virtual bool Headless() { return true; }

    // The game data the test plays with.
    virtual std::string DataRoot() { return QS_DATA_ROOT; }

    // The debug log of this test alone (tests of this fixture may run side by side).
    static std::string LogPath() {
        return std::string(testing::TempDir()) + "level_test_" +
               testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    }

    static void SetStep(int ms) {
        DeltaTime = ms;
        DeltaSeconds = float(ms) / 1000.0f;
        Sprite::SetTimeStep(ms);
    }

    // One frame of play: the clock, Level::Update, then the sprite engine.
    static void Frame(int ms = 16) {
        SetStep(ms);
        GameTime += ms;
        Level::Update();
        Sprite::Update();
    }

    // Holds back the level's own timers, so a test decides when enemies come.
    static void NoTimedSpawns() {
        Level::NextSpawnTime = INT_MAX / 2;
        Level::NextBurstTime = INT_MAX / 2;
    }
};

// The game flow through the real frame loop: from the player menu into play, the quit
// confirmation, the statistics after a level and after the game, and the options.
#include "game/level.h"
#include "game/player.h"
#include "menus/config_menu.h"
#include "menus/credits.h"
#include "menus/end_level_menu.h"
#include "menus/final_stats_menu.h"
#include "menus/menu_flow_fixture.h"
#include "menus/quit_game_menu.h"
#include "menus/stats_panel.h"
#include "menus/story.h"
#include "presentation/sound.h"
#include "shell/frame_clock.h"
#include "shell/pointer.h"
#include "sprites/physics.h"
#include "sprites/sprite.h"

namespace {

// Title → player menu → Play (the active slot).
const std::string TO_PLAY = "1 click 1\n40 move 400 300\n41 click 1\n100 move 620 250\n101 click 1\n";

} // namespace

TEST_F(MenuFlowTest, ANewPlayerSeesTheStoryFirst) {
    WriteSaveFile(SaveFileText(0, {}, {0}));
    Start(TO_PLAY + "300 click 1\n");
    ASSERT_TRUE(RunUntil([] { return StateSystem::State() >= STATE_NEW_GAME; }, 200));
    EXPECT_EQ(StateSystem::State(), STATE_STORY);
    // The click ends the story, the music volume of before comes back, and the game starts.
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
    EXPECT_FALSE(Story::Picture(0));
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.5f);
    EXPECT_EQ(Player::PreviousScore, 0);
}

TEST_F(MenuFlowTest, AReturningPlayerGoesStraightToPlay) {
    WriteSaveFile(SaveFileText(0, {}, {1200}));
    Start(TO_PLAY);
    ASSERT_TRUE(RunUntil([] { return StateSystem::State() >= STATE_NEW_GAME; }, 200));
    EXPECT_EQ(StateSystem::State(), STATE_NEW_GAME);
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 5));
    EXPECT_EQ(Player::PreviousScore, 1200);
    EXPECT_EQ(SaveGames::Score(), 0);
    EXPECT_EQ(SaveFile(), SaveFileText(0, {}, {1200})); // Play wrote the file as it was
}

TEST_F(MenuFlowTest, EscapeThenCancelResumesPlayWithGameTimeGivenBack) {
    WriteSaveFile(SaveFileText(0, {}, {1}));
    Start(TO_PLAY + "400 key ESC\n700 move 180 250\n701 click 1\n");
    ASSERT_TRUE(RunUntilState(STATE_QUIT_CONFIRM, 500));
    const int stage = Level::Stage;
    const int levelStateTime = Level::LastStateChangeTime;
    const int opened = QuitGameMenu::PausedTime();
    EXPECT_NE(Player::Ship->Hidden(0), 0);
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
    EXPECT_EQ(GameTime, opened); // 300 frames in the menu did not count
    EXPECT_EQ(Level::Stage, stage);
    EXPECT_EQ(Level::LastStateChangeTime, levelStateTime); // not reloaded
    EXPECT_EQ(Player::Ship->Hidden(0), 0);
    EXPECT_EQ(PointerCaptured, 1);
    EXPECT_EQ(Physics::Paused(), 0);
}

// A ship lost with the last life stays lost: Cancel during the game-over wait must not bring it back
// to fly, fire and be hit again.
TEST_F(MenuFlowTest, CancelDuringTheGameOverWaitKeepsTheShipGone) {
    WriteSaveFile(SaveFileText(0, {}, {1}));
    Start(TO_PLAY + "600 key ESC\n900 move 180 250\n901 click 1\n");
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
    // The ship blinks, invincible, after it flies in; the last life is lost after that.
    ASSERT_TRUE(RunUntil([] { return Player::Invincible == 0; }, 300));
    ASSERT_LT(Level::State, 4);
    Player::Lives = 1;
    Player::AdjustLives(-1);
    ASSERT_NE(Player::Ship->Hidden(0), 0);
    ASSERT_TRUE(RunUntilState(STATE_QUIT_CONFIRM, 500));
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
    EXPECT_NE(Player::Ship->Hidden(0), 0);
    Run(30);
    EXPECT_NE(Player::Ship->Hidden(0), 0);
    EXPECT_GE(Level::State, 4); // the game-over wait goes on
}

TEST_F(MenuFlowTest, ConfirmingTheQuitReturnsToTheTitleWithoutWritingTheFile) {
    WriteSaveFile(SaveFileText(0, {}, {1}));
    Start(TO_PLAY + "400 key ESC\n500 key ESC\n");
    ASSERT_TRUE(RunUntilState(STATE_QUIT_CONFIRM, 500));
    const std::string before = SaveFile();
    SaveGames::AdjustScore(5000); // points of the abandoned game
    ASSERT_TRUE(RunUntilState(STATE_LOADING_ZOOM_OUT, 200));
    ASSERT_TRUE(RunUntilState(STATE_MAIN_MENU, 10));
    EXPECT_EQ(SaveFile(), before);
    EXPECT_EQ(PointerCaptured, 0);
}

// [SECTION] Story and credits

// Frames of `ms` as the frame loop runs them (the state's screen, then the sprite engine), until
// the state changes; returns the game time they took. `each` runs after every frame.
static int RunScreen(int state, int ms, const std::function<void(int elapsed)>& each = nullptr) {
    const int start = GameTime;
    while (StateSystem::State() == state && GameTime - start < 600000) {
        GameTime += ms;
        DeltaTime = ms;
        Sprite::SetTimeStep(ms);
        StateSystem::Update();
        Sprite::Update();
        if (each) each(GameTime - start);
    }
    return GameTime - start;
}

// The story scrolls at 16 units per second until the second picture stops at y 400, stands 5 s,
// then both fade over 3 s with the music; the game starts and the music volume of before returns.
TEST_F(MenuFlowTest, TheStoryScrollsStandsAndFadesWithTheMusic) {
    WriteSaveFile(SaveFileText(0, {}, {0}));
    Start(TO_PLAY);
    ASSERT_TRUE(RunUntilState(STATE_STORY, 200));
    Run(1); // the story starts in a frame of the real loop, which also takes in the click's end
    const float h1 = Story::Picture(0)->Height(0), h2 = Story::Picture(1)->Height(0);
    const int scroll = int(1000 * (148 + h1 + h2 / 2) / 16); // from 548 + h1 + h2 / 2 to 400
    float midFadeVolume = -1;
    const int took = RunScreen(STATE_STORY, 50, [&](int elapsed) {
        if (elapsed == 50 * ((scroll + 6500) / 50)) midFadeVolume = Sound::MusicVolume_;
        if (elapsed == 50 * ((scroll + 4900) / 50)) {
            EXPECT_NEAR(Story::Picture(1)->Y(0), 400, 0.5f) << "the second picture has stopped";
            EXPECT_FLOAT_EQ(Story::Picture(1)->Alpha(0), 1) << "and stands";
        }
    });
    EXPECT_EQ(StateSystem::State(), STATE_NEW_GAME);
    EXPECT_GE(took, scroll + 8000 - 50);
    EXPECT_LE(took, scroll + 8000 + 100);
    EXPECT_NEAR(midFadeVolume, 0.25f, 0.02f) << "half of the volume half-way through the fade";
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.5f);
}

// The credits column scrolls until the closing picture (the 16th) reaches the screen centre; it
// stands there while the rest scrolls 250 units on (15625 ms), then fades over 7 s with the music,
// and the title returns.
TEST_F(MenuFlowTest, TheCreditsScrollHoldTheClosingPictureAndFade) {
    Start("1 click 1\n40 move 400 370\n41 click 1\n");
    ASSERT_TRUE(RunUntilState(STATE_CREDITS, 200));
    Run(1);
    const SpriteRef closing = Credits::Picture(15);
    const float d = closing->Y(0) * Credits::Container()->ScaleY(0);
    const int scroll = int(1000 * d / 16);
    float midFadeVolume = -1;
    const int took = RunScreen(STATE_CREDITS, 100, [&](int elapsed) {
        if (elapsed == 100 * ((scroll + 8000) / 100)) {
            EXPECT_NEAR(closing->Y(1), 250, 0.5f) << "the closing picture stands at the centre";
            EXPECT_FLOAT_EQ(closing->Alpha(0), 1);
        }
        // Each stage begins a frame or two after the one before has ended.
        if (elapsed == 100 * ((scroll + 200 + 15625 + 3500) / 100)) {
            EXPECT_NEAR(closing->Y(1), 250, 0.5f);
            midFadeVolume = Sound::MusicVolume_;
        }
    });
    EXPECT_EQ(StateSystem::State(), STATE_MAIN_MENU);
    EXPECT_GE(took, scroll + 15625 + 7000 - 100);
    EXPECT_LE(took, scroll + 15625 + 7000 + 400);
    EXPECT_NEAR(midFadeVolume, 0.25f, 0.02f);
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.5f);
    EXPECT_FALSE(Credits::Container());
}

class StatisticsFlowTest : public MenuFlowTest {
protected:
    // Plays until level play, then opens the level statistics as if `level` had just been
    // completed (with `completed` as the game's flag); Escape continues on each screen.
    void CompleteLevel(int level, int completed) {
        WriteSaveFile(SaveFileText(0, {}, {1}));
        Start(TO_PLAY + "500 key ESC\n600 key ESC\n");
        ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
        Level::Stage = (level - 1) * Level::WavesPerLevel + 4;
        Player::GameCompleted = completed;
        StateSystem::Show(STATE_LEVEL_STATS);
    }
};

TEST_F(StatisticsFlowTest, ContinueAfterALevelStartsTheNextOne) {
    CompleteLevel(3, 0);
    ASSERT_TRUE(RunUntilState(STATE_NEXT_LEVEL, 450));
}

TEST_F(StatisticsFlowTest, AfterLevel11TheFinalStatisticsThenTheTitle) {
    CompleteLevel(11, 0);
    ASSERT_TRUE(RunUntilState(STATE_FINAL_STATS, 450));
    ASSERT_TRUE(RunUntilState(STATE_MAIN_MENU, 200));
}

TEST_F(StatisticsFlowTest, AfterACompletedGameTheEnding) {
    CompleteLevel(11, 1);
    ASSERT_TRUE(RunUntilState(STATE_FINAL_STATS, 450));
    ASSERT_TRUE(RunUntilState(STATE_ENDING, 200));
}

class BestScoreTest : public MenuFlowTest, public testing::WithParamInterface<long long> {};

TEST_P(BestScoreTest, TheFinalStatisticsWriteTheFileOnlyForABetterScore) {
    const long long gained = GetParam();
    WriteSaveFile(SaveFileText(0, {}, {1000}));
    Start(TO_PLAY + "500 key ESC\n");
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
    SaveGames::AdjustScore(gained);
    StateSystem::Show(STATE_FINAL_STATS);
    ASSERT_TRUE(RunUntilState(STATE_MAIN_MENU, 450));
    EXPECT_EQ(SaveFile(), SaveFileText(0, {}, {gained > 1000 ? gained : 1000}));
}

INSTANTIATE_TEST_SUITE_P(Scores, BestScoreTest, testing::Values(400LL, 1000LL, 1500LL));

TEST_F(MenuFlowTest, TheStatisticsShowTheLevelAndGameCounters) {
    WriteSaveFile(SaveFileText(0, {}, {1}));
    Start(TO_PLAY);
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 400));
    Player::LevelCollected = 7, Player::LevelPowerups = 12, Player::LevelKills = 3, Player::LevelEnemies = 4;
    Player::LevelHits = 2, Player::LevelShots = 3;
    Player::TotalCollected = 0, Player::TotalPowerups = 0, Player::TotalKills = 0, Player::TotalEnemies = 0;
    Player::TotalHits = 0, Player::TotalShots = 0;
    StateSystem::Show(STATE_LEVEL_STATS);
    EXPECT_EQ(EndLevelMenu::Screen().Value(0)->String(), "7/12");
    EXPECT_EQ(EndLevelMenu::Screen().Value(1)->String(), "3/4");
    EXPECT_EQ(EndLevelMenu::Screen().Value(2)->String(), "66%");
    EXPECT_NE(EndLevelMenu::Screen().Value(0)->Pivot->Hidden(0), 0); // stamped one after another
    ASSERT_TRUE(RunUntil([] { return EndLevelMenu::Screen().MenuState() == 8; }, 200));
    EXPECT_FLOAT_EQ(EndLevelMenu::Screen().Value(2)->Pivot->ScaleX(0), 0.55f);
    StateSystem::Show(STATE_FINAL_STATS);
    EXPECT_EQ(FinalStatsMenu::Screen().Value(0)->String(), "0/0");
    EXPECT_EQ(FinalStatsMenu::Screen().Value(2)->String(), "0%");
}

TEST(StatisticsValues, AccuracyCollectedAndDestroyed) {
    struct Case {
        int collected, released, destroyed, created, hits, shots;
        const char *v1, *v2, *v3;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, "0/0", "0/0", "0%"},    {7, 12, 0, 5, 0, 0, "7/12", "0/5", "0%"},
        {1, 1, 2, 3, 2, 3, "1/1", "2/3", "66%"},   {0, 0, 9, 9, 10, 10, "0/0", "9/9", "100%"},
        {0, 0, 0, 0, 1, 1000, "0/0", "0/0", "0%"}, {0, 0, 0, 0, 999, 1000, "0/0", "0/0", "99%"},
    };
    for (const Case& c : cases) {
        auto values = StatisticsValues(c.collected, c.released, c.destroyed, c.created, c.hits, c.shots);
        EXPECT_EQ(values[0], c.v1);
        EXPECT_EQ(values[1], c.v2);
        EXPECT_EQ(values[2], c.v3);
    }
}

TEST(ConfigMenuCycles, FourStepsComeBackAndOutsideValuesStay) {
    for (float start : {1.0f, 0.5f, 0.25f, 0.0f}) {
        float v = start;
        for (int i = 0; i < 4; ++i)
            v = ConfigMenu::NextSoundVolume(v);
        EXPECT_EQ(v, start);
    }
    EXPECT_EQ(ConfigMenu::NextSoundVolume(1.0f), 0.0f);
    EXPECT_EQ(ConfigMenu::NextSoundVolume(0.0f), 0.25f);
    EXPECT_EQ(ConfigMenu::NextMusicVolume(0.5f), 0.75f);
    EXPECT_EQ(ConfigMenu::NextMusicVolume(0.75f), 0.0f);
    EXPECT_EQ(ConfigMenu::NextSoundVolume(0.7f), 0.7f);
    EXPECT_STREQ(ConfigMenu::SoundWord(1.0f), "High");
    EXPECT_STREQ(ConfigMenu::MusicWord(0.75f), "High");
    EXPECT_STREQ(ConfigMenu::MusicWord(1.0f), "");
}

TEST_F(MenuFlowTest, OptionsTakeEffectAtOnce) {
    // Title → Options; click the sound line, the music line twice, the video line, then Escape.
    // Lines on screen: y = 250 + 0.55 × (−104, −32, 40).
    Start("1 click 1\n40 move 400 335\n41 click 1\n100 move 400 193\n101 click 1\n110 move 400 232\n"
          "111 click 1\n112 click 1\n120 move 400 272\n121 click 1\n130 key ESC\n");
    ASSERT_TRUE(RunUntilState(STATE_OPTIONS, 60));
    EXPECT_FLOAT_EQ(Sound::SoundVolume_, 1.0f);
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.5f);
    ASSERT_TRUE(RunUntil([] { return Sound::SoundVolume_ != 1.0f; }, 80));
    EXPECT_FLOAT_EQ(Sound::SoundVolume_, 0.0f); // one click from High gives Off
    Run(2);
    EXPECT_EQ(ConfigMenu::SoundValue()->String(), "Off");
    ASSERT_TRUE(RunUntil([] { return Sound::MusicVolume_ == 0.0f; }, 20)); // 0.5 → 0.75 → 0
    Run(2);
    EXPECT_EQ(ConfigMenu::MusicValue()->String(), "Off");
    EXPECT_EQ(App::Windowed(), 1);
    ASSERT_TRUE(RunUntil([] { return App::Windowed() == 0; }, 20));
    Run(2);
    EXPECT_EQ(ConfigMenu::VideoValue()->String(), "Fullscreen");
    ASSERT_TRUE(RunUntilState(STATE_MAIN_MENU, 20));
}

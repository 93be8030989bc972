// The keyboard and the gamepad through the real frame loop: stepping between a menu's buttons and
// pressing them, the pointer that hides for them and comes back with the mouse, steering and
// firing in play, the unplugged pad that pauses play, the rumble and its option, and where a step
// leads among a screen's buttons.
#include "game/level.h"
#include "game/player.h"
#include "media/headless/headless_control.h"
#include "menus/config_menu.h"
#include "menus/kept_settings.h"
#include "menus/menu_flow_fixture.h"
#include "menus/menu_input.h"
#include "menus/player_menu.h"
#include "menus/quit_game_menu.h"
#include "presentation/sound.h"
#include "shell/controls.h"
#include "shell/frame_clock.h"
#include "shell/pointer.h"
#include "sprites/sprite.h"
#include "support/headless_start.h"

namespace {

bool PointerShows() {
    return PointerSprite->Hidden(0) == 0;
}

} // namespace

TEST_F(MenuFlowTest, ThePadAloneGoesFromTheTitleIntoPlayAndThroughTheQuitConfirmation) {
    WriteSaveFile(SaveFileText(0, {}, {100}));
    // A cuts the title short; on the buttons the first A lights Start, the second presses it. On
    // the player menu the pointer is still on Start's place, over the last row: right leads to
    // Play. In play Start opens the confirmation, where the pointer stands on the ship: up leads
    // to Confirm, A confirms.
    Start("1 pad a\n40 pad a\n42 pad a\n100 pad dpright\n102 pad a\n300 pad start\n400 pad dpup\n"
          "402 pad a\n");
    ASSERT_TRUE(RunUntil([] { return MainMenu::Button(MainMenu::START)->ScaleX(0) > 0.6f; }, 41));
    EXPECT_FALSE(PointerShows()) << "the pointer hides while the pad steers the menu";
    EXPECT_EQ(LastDevice, InputDevice::Pad);
    ASSERT_TRUE(RunUntilState(STATE_PLAYER_MENU, 10));
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::Button(PlayerMenu::BUTTON_PLAY)->ScaleX(0) > 0.8f; }, 70));
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 20));
    ASSERT_TRUE(RunUntilState(STATE_QUIT_CONFIRM, 250));
    EXPECT_FALSE(PointerShows());
    ASSERT_TRUE(
        RunUntil([] { return QuitGameMenu::Button(QuitGameMenu::BUTTON_CONFIRM)->ScaleX(0) > 0.8f; }, 110));
    ASSERT_TRUE(RunUntilState(STATE_LOADING_ZOOM_OUT, 10));
    EXPECT_EQ(SaveFile(), SaveFileText(0, {}, {100})) << "an abandoned game writes nothing";
}

TEST_F(MenuFlowTest, TheKeyboardAloneGoesFromTheTitleIntoPlayAndThroughTheQuitConfirmation) {
    WriteSaveFile(SaveFileText(0, {}, {100}));
    // Enter cuts the title short (it types a character); Down lights Start, Enter presses it. On
    // the player menu Right leads to Play. In play Escape opens the confirmation; Up lights
    // Confirm, Enter confirms.
    Start("1 key ENTER\n40 key DOWN\n42 key ENTER\n100 key RIGHT\n102 key ENTER\n300 key ESC\n400 key UP\n"
          "402 key ENTER\n");
    ASSERT_TRUE(RunUntil([] { return MainMenu::Button(MainMenu::START)->ScaleX(0) > 0.6f; }, 41));
    EXPECT_FALSE(PointerShows());
    EXPECT_EQ(LastDevice, InputDevice::Keyboard);
    ASSERT_TRUE(RunUntilState(STATE_PLAYER_MENU, 10));
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 90));
    ASSERT_TRUE(RunUntilState(STATE_QUIT_CONFIRM, 250));
    ASSERT_TRUE(
        RunUntil([] { return QuitGameMenu::Button(QuitGameMenu::BUTTON_CONFIRM)->ScaleX(0) > 0.8f; }, 110));
    ASSERT_TRUE(RunUntilState(STATE_LOADING_ZOOM_OUT, 10));
}

TEST_F(MenuFlowTest, MovingTheMouseBringsThePointerBackAndItPicksAsBefore) {
    Start("1 click 1\n40 key DOWN\n41 key DOWN\n50 move 400 370\n60 click 1\n");
    ASSERT_TRUE(RunUntil([] { return MainMenu::Button(MainMenu::OPTIONS)->ScaleX(0) > 0.6f; }, 45));
    EXPECT_FALSE(PointerShows());
    ASSERT_TRUE(RunUntil([] { return PointerShows(); }, 15));
    EXPECT_EQ(LastDevice, InputDevice::Mouse);
    EXPECT_GT(MainMenu::Button(MainMenu::CREDITS)->ScaleX(0), 0.6f);
    ASSERT_TRUE(RunUntilState(STATE_CREDITS, 20));
}

TEST_F(MenuFlowTest, APadStepOnARowShowsItFaintlyAndAChoosesIt) {
    // On the player menu the pointer stands over the last row; up twice leads to row 6, A makes it
    // the active slot.
    Start("1 click 1\n40 move 400 300\n41 click 1\n100 pad dpup\n102 pad dpup\n110 pad a\n");
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::SlotHighlight(6)->Hidden(0) == 0; }, 110));
    EXPECT_LT(PlayerMenu::SlotHighlight(6)->Alpha(0), 1.0f);
    EXPECT_EQ(PlayerMenu::SlotHighlight(0)->Hidden(0), 0) << "the active row keeps its highlight";
    EXPECT_EQ(PlayerMenu::SlotHighlight(8)->Hidden(0), 1);
    ASSERT_TRUE(RunUntil([] { return SaveGames::Active() == 6; }, 20));
    Run(1);
    EXPECT_EQ(PlayerMenu::SlotHighlight(6)->Alpha(0), 1.0f);
    EXPECT_EQ(PlayerMenu::SlotHighlight(0)->Hidden(0), 1);
}

TEST_F(MenuFlowTest, LettersTypeIntoTheNameAndNeverSteer) {
    WriteSaveFile(SaveFileText(0, {"Al"}, {}));
    // From the last row, Down leads to Rename.
    std::string script = "1 click 1\n40 move 400 300\n41 click 1\n100 key DOWN\n102 key ENTER\n";
    for (int i = 0; i < 3; ++i)
        script += std::to_string(110 + i) + " key BACKSPACE\n";
    script += "120 keydown W\n120 type w\n121 keyup W\n122 keydown A\n122 type a\n123 keyup A\n"
              "124 keydown S\n124 type s\n125 keyup S\n126 keydown D\n126 type d\n127 keyup D\n"
              "130 key UP\n140 key ENTER\n";
    Start(script);
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::MenuState() == 3; }, 110));
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::MenuState() == 2; }, 50));
    EXPECT_EQ(SaveGames::SlotName(0), "wasd");
    EXPECT_EQ(StateSystem::State(), STATE_PLAYER_MENU);
}

TEST_F(MenuFlowTest, SpaceTheAButtonAndAPressedTriggerFire) {
    WriteSaveFile(SaveFileText(0, {}, {100}));
    Start("1 click 1\n40 move 400 300\n41 click 1\n100 move 620 250\n101 click 1\n200 keydown SPACE\n"
          "210 keyup SPACE\n220 paddown a\n230 padup a\n240 axis righttrigger 0.4\n250 axis righttrigger "
          "0.9\n");
    Run(195);
    ASSERT_EQ(StateSystem::State(), STATE_PLAYING);
    const int shots = Player::TotalShots;
    const int expected[] = {1, 0, 1, 0, 0, 1}; // frames 205, 215, … 255
    for (int i = 0; i < 6; ++i) {
        Run(10);
        EXPECT_EQ(FireHeld, expected[i]) << "frame " << 205 + 10 * i;
    }
    EXPECT_GE(Player::TotalShots, shots + 3);
}

TEST_F(MenuFlowTest, UnpluggingThePadDuringPlayOpensTheQuitConfirmation) {
    WriteSaveFile(SaveFileText(0, {}, {100}));
    Start("0 padadded\n1 click 1\n40 move 400 300\n41 click 1\n100 move 620 250\n101 click 1\n300 "
          "padremoved\n");
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 200));
    const int opened = GameTime;
    ASSERT_TRUE(RunUntilState(STATE_QUIT_CONFIRM, 300));
    EXPECT_GT(GameTime, opened);
    EXPECT_EQ(Media::PadsConnected(), 0);
}

TEST_F(MenuFlowTest, TheShipRumblesWhenHitOrDestroyedUnlessTheOptionIsOff) {
    WriteSaveFile(SaveFileText(0, {}, {100}));
    Start("1 click 1\n40 move 400 300\n41 click 1\n100 move 620 250\n101 click 1\n");
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 200));
    Player::Invincible = 0;
    Player::AdjustHealth(-1);
    ASSERT_EQ(Media::Headless::Rumbles().size(), 1u);
    Player::Explode();
    ASSERT_EQ(Media::Headless::Rumbles().size(), 2u);
    EXPECT_LT(Media::Headless::Rumbles()[0].Strength, Media::Headless::Rumbles()[1].Strength);
    EXPECT_LT(Media::Headless::Rumbles()[0].Ms, Media::Headless::Rumbles()[1].Ms);
    RumbleEnabled = 0;
    Player::Explode();
    EXPECT_EQ(Media::Headless::Rumbles().size(), 2u);
}

struct Push {
    const char* Name;
    const char* Left;  // events of frame 200: the ship goes to the left edge
    const char* Right; // events of frame 300: a full push to the right
};

void PrintTo(const Push& push, std::ostream* out) {
    *out << push.Name;
}

class SteeringTest : public MenuFlowTest, public testing::WithParamInterface<Push> {};

// From the left edge, a full push to the right brings the ship to the right edge in about a
// second, with the stick, the d-pad and the keys alike.
TEST_P(SteeringTest, AFullDeflectionCrossesThePlayfieldInAboutASecond) {
    WriteSaveFile(SaveFileText(0, {}, {100}));
    Start(std::string("1 click 1\n40 move 400 300\n41 click 1\n100 move 620 250\n101 click 1\n") +
          GetParam().Left + GetParam().Right + "460 axis leftx 0.2\n");
    ASSERT_TRUE(RunUntilState(STATE_PLAYING, 200));
    ASSERT_TRUE(RunUntil([] { return Player::Ship->X(0) <= -389; }, 250));
    ASSERT_TRUE(RunUntil([] { return Player::Ship->X(0) > -389; }, 250));
    const int left = GameTime;
    ASSERT_TRUE(RunUntil([] { return Player::Ship->X(0) >= 389; }, 150));
    const int crossing = GameTime - left;
    EXPECT_GT(crossing, 700);
    EXPECT_LT(crossing, 1300);
    // Inside the dead zone the stick steers nothing: the ship stays at the edge it pressed on
    // (the keys and the d-pad still push right there).
    ASSERT_TRUE(RunUntil([] { return Media::PadAxis(Media::PAD_LEFTX) == 0.2f; }, 200));
    Run(60);
    EXPECT_EQ(Player::Ship->X(0), 389);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, SteeringTest,
    testing::Values(Push{"stick", "200 axis leftx -1\n", "300 axis leftx 1\n"},
                    Push{"dpad", "200 paddown dpleft\n", "300 padup dpleft\n300 paddown dpright\n"},
                    Push{"keys", "200 keydown A\n", "300 keyup A\n300 keydown RIGHT\n"}),
    [](const testing::TestParamInfo<Push>& info) { return std::string(info.param.Name); });

TEST(MenuSteps, AStepLeadsToTheNearestTargetAheadCountingSidewaysTwice) {
    ASSERT_NO_THROW(testsupport::StartHeadless());
    Sprite::ResetEngine();
    // The player menu's layout on screen: a column of rows, Back on the left, Play on the right,
    // Rename below.
    const struct {
        float X, Y;
    } places[] = {{400, 180}, {400, 242}, {400, 304}, {180, 250}, {620, 250}, {400, 404}};
    MenuTargets targets;
    std::vector<SpriteRef> sprites;
    for (const auto& place : places) {
        sprites.push_back(Sprite::Create(nullptr, 1, nullptr));
        sprites.back()->SetPosition(place.X, place.Y, 0);
        targets.Add(sprites.back());
    }
    const struct {
        int From, StepX, StepY, To;
    } cases[] = {
        {0, 0, 1, 1},   {1, 0, 1, 2}, {2, 0, 1, 5}, {5, 0, -1, 2}, {0, 0, -1, -1}, // down and up the column
        {1, -1, 0, 3},  {1, 1, 0, 4}, {3, 1, 0, 1}, {4, -1, 0, 1},                 // across
        {3, -1, 0, -1}, {5, 1, 0, 4}, {3, 0, 1, 2},                                // nothing nearer
    };
    for (const auto& c : cases) {
        const auto& from = places[c.From];
        EXPECT_EQ(StepTarget(targets, from.X, from.Y, c.StepX, c.StepY), c.To)
            << "from " << c.From << " by (" << c.StepX << ", " << c.StepY << ")";
    }
    sprites.clear();
    Sprite::ResetEngine();
    Media::Shutdown();
}

// Player selection through the real frame loop: renaming, deleting, Escape, and which slot the
// pointer picks.
#include "menus/menu_flow_fixture.h"
#include "menus/player_menu.h"

namespace {

// From the title (button answers from frame 40) into the player menu, which has slid in by 100.
const std::string TO_PLAYER_MENU = "1 click 1\n40 move 400 300\n41 click 1\n";
constexpr int MENU_READY = 100;
const std::string RENAME = "100 move 400 404\n101 click 1\n";

std::string At(int frame, const std::string& event) {
    return std::to_string(frame) + " " + event + "\n";
}

} // namespace

TEST_F(MenuFlowTest, TypingTenCharactersWhileRenamingKeepsNine) {
    std::string script = TO_PLAYER_MENU + RENAME;
    for (int i = 0; i < 8; ++i) // clears "Player 1"
        script += At(105 + i, "key BACKSPACE");
    Start(script + At(115, "type ABCDEFGHIJ") + At(140, "key ENTER"));
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::MenuState() == 3; }));
    Run(MENU_READY);
    EXPECT_EQ(PlayerMenu::MenuState(), 2);
    EXPECT_EQ(SaveGames::Name(), "ABCDEFGHI");
    EXPECT_EQ(SaveFile().substr(0, 14), "0\r\nABCDEFGHI\r\n");
    EXPECT_EQ(PlayerMenu::NameText(0)->String(), "ABCDEFGHI");
}

TEST_F(MenuFlowTest, TheCursorBlinksAndCharactersOutsideTheFontAreIgnored) {
    Start(TO_PLAYER_MENU + RENAME + At(105, "type \x01\xe9Z"));
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::MenuState() == 3; }));
    EXPECT_EQ(SaveGames::Name(), "Player 1_");
    // 250 ms of 16 ms frames: the cursor turns to a space, then back.
    bool sawSpace = false, sawUnderscore = false;
    for (int i = 0; i < 40; ++i) {
        Run(1);
        const std::string& name = SaveGames::Name();
        sawSpace |= name.back() == ' ';
        sawUnderscore |= name.back() == '_';
    }
    EXPECT_TRUE(sawSpace);
    EXPECT_TRUE(sawUnderscore);
    EXPECT_EQ(SaveGames::Name().substr(0, 9), "Player 1Z");
    EXPECT_EQ(SaveGames::Name().size(), 10u);
}

TEST_F(MenuFlowTest, EnterOnAnEmptyNameRestoresTheOldOne) {
    std::string script = TO_PLAYER_MENU + RENAME;
    for (int i = 0; i < 8; ++i) // "Player 1" has eight characters
        script += At(105 + i, "key BACKSPACE");
    script += At(120, "key ENTER");
    Start(script);
    ASSERT_TRUE(RunUntil([] { return SaveGames::Name() == "_" || SaveGames::Name() == " "; }));
    Run(MENU_READY);
    EXPECT_EQ(PlayerMenu::MenuState(), 2);
    EXPECT_EQ(SaveGames::Name(), "Player 1");
    EXPECT_EQ(SaveFile().substr(0, 13), "0\r\nPlayer 1\r\n");
}

TEST_F(MenuFlowTest, EscapeWhileRenamingRestoresTheNameWithoutWriting) {
    Start(TO_PLAYER_MENU + RENAME + At(105, "type Q") + At(115, "key ESC"));
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::MenuState() == 3; }));
    Run(MENU_READY);
    EXPECT_EQ(PlayerMenu::MenuState(), 2);
    EXPECT_EQ(StateSystem::State(), STATE_PLAYER_MENU);
    EXPECT_EQ(SaveGames::Name(), "Player 1");
    EXPECT_FALSE(std::filesystem::exists(SavePath()));
}

TEST_F(MenuFlowTest, TheSlotNamedForPlayTestingCannotBeRenamed) {
    WriteSaveFile(SaveFileText(0, {"Gadzook!"}, {}));
    Start(TO_PLAYER_MENU + RENAME + At(105, "type X"));
    ASSERT_TRUE(RunUntilState(STATE_PLAYER_MENU));
    Run(MENU_READY + 20);
    EXPECT_EQ(PlayerMenu::MenuState(), 2);
    EXPECT_EQ(SaveGames::Name(), "Gadzook!");
}

TEST_F(MenuFlowTest, EscapeCancelsTheDeleteConfirmationThenLeavesTheMenu) {
    Start(TO_PLAYER_MENU + "100 move 400 439\n101 click 1\n110 key ESC\n120 key ESC\n");
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::DeletePanel()->Hidden(0) == 0; }));
    EXPECT_NE(PlayerMenu::Panel()->Hidden(0), 0);
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::DeletePanel()->Hidden(0) != 0; }, 20));
    EXPECT_EQ(PlayerMenu::Panel()->Hidden(0), 0);
    EXPECT_EQ(StateSystem::State(), STATE_PLAYER_MENU);
    ASSERT_TRUE(RunUntilState(STATE_MAIN_MENU, 20));
}

TEST_F(MenuFlowTest, DeletingTheActiveSlotResetsItAndKeepsItActive) {
    WriteSaveFile(SaveFileText(3, {"Ann", "Bo", "Cy", "Dee"}, {10, 20, 30, 500}));
    // The click at the rows beside the confirmation's buttons must not change the slot.
    Start(TO_PLAYER_MENU + "100 move 400 439\n101 click 1\n110 move 400 196\n111 click 1\n" +
          "120 move 400 332\n121 click 1\n");
    Run(MENU_READY + 40);
    EXPECT_EQ(SaveGames::Active(), 3);
    EXPECT_EQ(SaveGames::Name(), "Player 4");
    EXPECT_EQ(SaveGames::Score(), 0);
    EXPECT_EQ(SaveGames::SlotName(2), "Cy");
    EXPECT_EQ(SaveFile(), SaveFileText(3, {"Ann", "Bo", "Cy", "Player 4"}, {10, 20, 30, 0}));
    EXPECT_EQ(PlayerMenu::ScoreText(3)->String(), "0");
    EXPECT_EQ(PlayerMenu::SlotHighlight(3)->Hidden(0), 0);
    EXPECT_EQ(PlayerMenu::Panel()->Hidden(0), 0);
}

TEST_F(MenuFlowTest, AClickOnARowMakesThatSlotActive) {
    WriteSaveFile(SaveFileText(0, {}, {5, 6, 7, 8, 9, 10, 11, 12, 13}));
    // Row i is centred at y = 250 + 0.55 × (28 i − 126) on screen.
    Start(TO_PLAYER_MENU + "100 move 450 258\n101 click 1\n");
    Run(MENU_READY + 10);
    EXPECT_EQ(SaveGames::Active(), 5);
    EXPECT_EQ(PlayerMenu::SlotHighlight(5)->Hidden(0), 0);
    EXPECT_NE(PlayerMenu::SlotHighlight(0)->Hidden(0), 0);
    EXPECT_EQ(PlayerMenu::NameText(5)->String(), "Player 6");
    EXPECT_EQ(PlayerMenu::ScoreText(5)->String(), "10");
}

TEST_F(MenuFlowTest, AtFullScreenThePointerPicksTheButtonUnderIt) {
    // 1920 × 1080: 2.16 pixels per unit, the playfield starts 96 pixels from the left.
    auto px = [](float x, float y) {
        return std::to_string(int(96 + x * 2.16f)) + " " + std::to_string(int(y * 2.16f));
    };
    Start("1 click 1\n40 move " + px(400, 300) + "\n41 click 1\n100 move " + px(400, 439) + "\n101 click 1\n",
          true);
    ASSERT_EQ(App::Windowed(), 0);
    ASSERT_TRUE(RunUntilState(STATE_PLAYER_MENU, 60));
    ASSERT_TRUE(RunUntil([] { return PlayerMenu::DeletePanel()->Hidden(0) == 0; }, 80));
    EXPECT_EQ(PlayerMenu::Button(PlayerMenu::BUTTON_DELETE)->ScaleX(0), 0.66f * 1.2f);
}

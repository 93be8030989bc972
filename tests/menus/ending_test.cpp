// The ending after the last level: Escape returns to the title from every step, other keys and
// clicks step on to the credits.
#include "menus/credits.h"
#include "menus/end_game.h"
#include "menus/menu_flow_fixture.h"

namespace {

TEST_F(MenuFlowTest, EscapeOnTheEndingReturnsToTheTitleFromEveryStep) {
    struct Case {
        const char* Script;
        int Step; // the ending's step when Escape comes
    };
    const Case cases[] = {
        {"60 key ESC\n", 1},              // the first picture stands
        {"30 click 1\n200 key ESC\n", 2}, // a click moved on to the second picture
        {"30 type a\n200 key ESC\n", 2},  // so did a typed key
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Script);
        Start(c.Script);
        EndGame::Show();
        ASSERT_TRUE(RunUntil([&c] { return EndGame::MenuState() == c.Step; }, 100));
        ASSERT_TRUE(RunUntil([] { return StateSystem::State() != STATE_ENDING; }, 400));
        EXPECT_EQ(StateSystem::State(), STATE_MAIN_MENU);
        EXPECT_FALSE(EndGame::Picture(0));
        TearDown(); // each case starts the game afresh
        SetUp();
    }
}

TEST_F(MenuFlowTest, AClickOnTheEndingStepsOnToTheCredits) {
    Start("30 click 1\n200 click 1\n");
    EndGame::Show();
    ASSERT_TRUE(RunUntil([] { return StateSystem::State() != STATE_ENDING; }, 400));
    EXPECT_EQ(StateSystem::State(), STATE_CREDITS);
    Credits::Free();
}

} // namespace

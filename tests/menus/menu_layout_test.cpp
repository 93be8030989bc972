// Every word on a menu panel lies inside the panel's rim, on every screen that has one.
#include <algorithm>
#include <vector>

#include "menus/config_menu.h"
#include "menus/end_level_menu.h"
#include "menus/final_stats_menu.h"
#include "menus/menu_flow_fixture.h"
#include "menus/player_menu.h"
#include "menus/quit_game_menu.h"
#include "presentation/font.h"
#include "sprites/sprite.h"

namespace {

// The frame's bright rim and its inner line lie within this many picture pixels of the edge.
constexpr float RIM = 32;

const FontRef* FontOf(const Sprite& letter) {
    for (const FontRef* font : {&Font1, &Font2, &Font3})
        if (*font && letter.Image() == (*font)->Image()) return font;
    return nullptr;
}

TEST_F(MenuFlowTest, EveryPanelTextLiesInsideItsRim) {
    Start("");
    struct Panel {
        const char* Name;
        SpriteRef Sprite;
    };
    const std::vector<Panel> panels = {
        {"player selection", PlayerMenu::Panel()},
        {"delete confirmation", PlayerMenu::DeletePanel()},
        {"quit confirmation", QuitGameMenu::Panel()},
        {"options", ConfigMenu::Panel()},
        {"level statistics", EndLevelMenu::Screen().Panel()},
        {"final statistics", FinalStatsMenu::Screen().Panel()},
    };
    for (const Panel& panel : panels) {
        SCOPED_TRACE(panel.Name);
        ASSERT_TRUE(panel.Sprite && panel.Sprite->Image());
        const float halfWidth = float(panel.Sprite->Image()->Width()) / 2 - RIM;
        const float halfHeight = float(panel.Sprite->Image()->Height()) / 2 - RIM;
        int letters = 0;
        for (Sprite* letter = Sprite::SpriteList().First(); letter; letter = letter->Link_.Next) {
            const FontRef* font = FontOf(*letter);
            const SpriteRef& pivot = letter->Parent();
            if (!font || !pivot || pivot->Parent() != panel.Sprite) continue;
            ++letters;
            // Letters sit at their centres in the text's pivot, which sits in the panel (scale 1).
            const float x = pivot->X(0) + letter->X(0), y = pivot->Y(0) + letter->Y(0);
            const float halfLetter = float((*font)->FrameWidth(int(letter->Frame(0)))) / 2;
            EXPECT_GE(x - halfLetter, -halfWidth) << "a letter at x " << x;
            EXPECT_LE(x + halfLetter, halfWidth) << "a letter at x " << x;
            EXPECT_GE(y - float((*font)->CelHeight()) / 2, -halfHeight) << "a letter at y " << y;
            EXPECT_LE(y + float((*font)->CelHeight()) / 2, halfHeight) << "a letter at y " << y;
        }
        EXPECT_GT(letters, 0);
    }
}

} // namespace

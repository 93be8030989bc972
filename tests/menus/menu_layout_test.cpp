// Every word on a menu panel lies inside the panel's rim and clear of its buttons, on every
// screen that has one.
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
        std::vector<SpriteRef> Buttons;
    };
    std::vector<SpriteRef> playerButtons, deleteButtons;
    for (int i = 0; i < PlayerMenu::BUTTONS; ++i)
        (PlayerMenu::Button(i)->Parent() == PlayerMenu::DeletePanel() ? deleteButtons : playerButtons)
            .push_back(PlayerMenu::Button(i));
    const std::vector<Panel> panels = {
        {"player selection", PlayerMenu::Panel(), playerButtons},
        {"delete confirmation", PlayerMenu::DeletePanel(), deleteButtons},
        {"quit confirmation", QuitGameMenu::Panel(), {QuitGameMenu::Button(0), QuitGameMenu::Button(1)}},
        {"options", ConfigMenu::Panel(), {ConfigMenu::BackButton()}},
        {"level statistics", EndLevelMenu::Screen().Panel(), {EndLevelMenu::Screen().ContinueButton()}},
        {"final statistics", FinalStatsMenu::Screen().Panel(), {FinalStatsMenu::Screen().ContinueButton()}},
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
            // Letters sit at their centres in the text's pivot, which sits in the panel.
            const float scale = pivot->ScaleX(0);
            const float x = pivot->X(0) + letter->X(0) * scale, y = pivot->Y(0) + letter->Y(0) * scale;
            const float halfLetter = float((*font)->FrameWidth(int(letter->Frame(0)))) / 2 * scale;
            const float halfLetterHeight = float((*font)->CelHeight()) / 2 * scale;
            EXPECT_GE(x - halfLetter, -halfWidth) << "a letter at x " << x;
            EXPECT_LE(x + halfLetter, halfWidth) << "a letter at x " << x;
            EXPECT_GE(y - halfLetterHeight, -halfHeight) << "a letter at y " << y;
            EXPECT_LE(y + halfLetterHeight, halfHeight) << "a letter at y " << y;
            // Nor under a button of the panel (at its resting size; letters are 24 high at most).
            for (const SpriteRef& button : panel.Buttons) {
                const float bx = button->X(0), by = button->Y(0);
                const float bw = float(button->Image()->Width()) * button->ScaleX(0) / 2;
                const float bh = float(button->Image()->Height()) * button->ScaleY(0) / 2;
                const bool overlaps = x + halfLetter > bx - bw && x - halfLetter < bx + bw &&
                                      y + 12 * scale > by - bh && y - 12 * scale < by + bh;
                EXPECT_FALSE(overlaps) << "a letter at (" << x << ", " << y << ") under a picture at (" << bx
                                       << ", " << by << ")";
            }
        }
        EXPECT_GT(letters, 0);
    }
}

} // namespace

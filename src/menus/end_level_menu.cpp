#include "menus/end_level_menu.h"

#include "game/level.h"
#include "game/player.h"
#include "media/media.h"
#include "menus/final_stats_menu.h"
#include "menus/menu_input.h"
#include "shell/pointer.h"
#include "shell/state_system.h"

void EndLevelMenu::Load() {
    Panel_.Load("gfx\\menus\\menutitle-levelstats.png");
}

void EndLevelMenu::Show() {
    StateSystem::SetState(STATE_LEVEL_STATS);
    Panel_.Show(StatisticsValues(Player::LevelCollected, Player::LevelPowerups, Player::LevelKills,
                                 Player::LevelEnemies, Player::LevelHits, Player::LevelShots));
    Player::Hide();
    SetPointerMode(0);
    Media::ClearInput();
    MovePointerTo(Player::Ship);
}

void EndLevelMenu::Hide(int) {
    Panel_.Hide();
}

void EndLevelMenu::Update() {
    if (!Panel_.Update()) return;
    Hide(0);
    if (Level::ThisLevel() == Level::Levels)
        FinalStatsMenu::Show();
    else
        StateSystem::SetState(STATE_NEXT_LEVEL);
}

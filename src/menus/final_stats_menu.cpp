#include "menus/final_stats_menu.h"

#include "game/background.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "menus/end_game.h"
#include "menus/main_menu.h"
#include "menus/menu_input.h"
#include "save/save_games.h"
#include "shell/pointer.h"
#include "shell/state_system.h"

void FinalStatsMenu::Load() {
    Panel_.Load("gfx\\menus\\menutitle-finalstats.png");
}

void FinalStatsMenu::Show() {
    StateSystem::SetState(STATE_FINAL_STATS);
    Level::Free();
    Powerup::DisableAll();
    // The title's scenery follows.
    Media::PrefetchPixmaps(Background::PicturePaths(MainMenu::BACKGROUND));
    Panel_.Show(StatisticsValues(Player::TotalCollected, Player::TotalPowerups, Player::TotalKills,
                                 Player::TotalEnemies, Player::TotalHits, Player::TotalShots));
    Player::Hide();
    SetPointerMode(0);
    Media::ClearInput();
    MovePointerTo(Player::Ship);
}

void FinalStatsMenu::Hide(int) {
    Panel_.Hide();
}

void FinalStatsMenu::Update() {
    if (!Panel_.Update()) return;
    Hide(0);
    ScoreBoard::Hide();
    // The game's points reach the file only here, and only when they beat the slot's best.
    if (SaveGames::Score() > Player::PreviousScore) SaveGames::SaveAll();
    if (Player::GameCompleted != 0)
        EndGame::Show();
    else
        MainMenu::Show(1);
}

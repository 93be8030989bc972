#include "flow/load_resources.h"

#include "game/background.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "menus/config_menu.h"
#include "menus/end_level_menu.h"
#include "menus/final_stats_menu.h"
#include "menus/main_menu.h"
#include "menus/menu_backdrop.h"
#include "menus/player_menu.h"
#include "menus/quit_game_menu.h"
#include "presentation/font.h"

void LoadFonts() {
    Font1 = Font::Load("gfx\\font1.png", 32, 32, GAME_CHARACTER_SET, 0, 0.05f, 0.33f, 6);
    Font2 = Font::Load("gfx\\font2.png", 32, 32, GAME_CHARACTER_SET, 0, 0.05f, 0.33f, 6);
    Font3 = Font::Load("gfx\\font3.png", 64, 64, GAME_CHARACTER_SET, 0, 0.0125f, 0.33f, 6);
}

void InitGameplay() {
    Background::Init();
    Level::Init();
    Enemy::Init();
    Player::Init();
    Bullet::Init();
    Effect::Init();
    Powerup::Init();
    ScoreBoard::Init();
}

void LoadResources() {
    LoadFonts();
    InitGameplay();
    MenuBackdrop::Load();
    MainMenu::Load();
    PlayerMenu::Load();
    ConfigMenu::Load();
    EndLevelMenu::Load();
    FinalStatsMenu::Load();
    QuitGameMenu::Load();
}

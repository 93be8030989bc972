#include "flow/load_resources.h"

#include <string>
#include <vector>

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

const std::vector<Media::PictureAhead>& StartUpPictures() {
    // Sheets give the cells their loads cut them into (width, height, first, count).
    static const std::vector<Media::PictureAhead> pictures = {
        {"gfx\\font1.png", 32, 32, 0, 94},
        {"gfx\\font2.png", 32, 32, 0, 94},
        {"gfx\\font3.png", 64, 64, 0, 94},
        {"gfx\\background\\star3.png"},
        {"gfx\\background\\nebula1.png"},
        {"gfx\\background\\nebula2.png"},
        {"gfx\\background\\nebula3.png"},
        {"gfx\\background\\nebula4.png"},
        {"gfx\\background\\nebula5.png"},
        {"gfx\\background\\nebula6.png"},
        {"gfx\\menus\\levelcomplete.png"},
        {"gfx\\menus\\gameover.png"},
        {"gfx\\menus\\warning.png"},
        {"gfx\\menus\\pixel.png"},
        {"gfx\\enemies\\bug0.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug1.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug2.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug3.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug4.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug5.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug6.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug7.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug8.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug9.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug10.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug11.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug12.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug13.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug14.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug15.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug16.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug17.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug18.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug19.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug20.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug21.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug22.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug23.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug24.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug25.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug26.png", 64, 64, 0, 16},
        {"gfx\\enemies\\bug27.png", 64, 64, 0, 64},
        {"gfx\\enemies\\bug28.png", 32, 32, 0, 64},
        {"gfx\\enemies\\bug29.png", 256, 256, 0, 16},
        {"gfx\\enemies\\bug30.png", 384, 384, 0, 16},
        {"gfx\\effects\\shockwave2.png"},
        {"gfx\\ship\\ship.png", 64, 64, 0, 15},
        {"gfx\\ship\\flames1.png", 32, 32, 0, 15},
        {"gfx\\ship\\flames2.png", 32, 32, 0, 15},
        {"gfx\\ship\\flames3.png", 32, 32, 0, 15},
        {"gfx\\ship\\flames4.png", 32, 32, 0, 15},
        {"gfx\\background\\star3.png"},
        {"gfx\\ship\\shield.png"},
        {"gfx\\bullets\\bullet0.png"},
        {"gfx\\bullets\\bullet1.png"},
        {"gfx\\bullets\\bullet2.png"},
        {"gfx\\bullets\\bullet3.png"},
        {"gfx\\bullets\\bullet4.png", 48, 48, 0, 16},
        {"gfx\\bullets\\bullet5.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet6.png"},
        {"gfx\\bullets\\bullet7.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet8.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet9.png"},
        {"gfx\\bullets\\bullet10.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet11.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet12.png"},
        {"gfx\\bullets\\bullet13.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet14.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet15.png", 64, 64, 0, 16},
        {"gfx\\bullets\\bullet16.png", 64, 64, 0, 16},
        {"gfx\\bullets\\rocketsmoke.png", 32, 32, 0, 16},
        {"gfx\\effects\\explosion.png", 64, 64, 0, 16},
        {"gfx\\effects\\slime_green.png", 256, 256, 0, 16},
        {"gfx\\effects\\eggsplosion.png", 256, 256, 0, 16},
        {"gfx\\effects\\shockwave.png", 256, 256, 0, 16},
        {"gfx\\effects\\spark.png", 256, 256, 0, 16},
        {"gfx\\powerups\\powerup1.png"},
        {"gfx\\powerups\\indicator1.png"},
        {"gfx\\powerups\\powerup2.png"},
        {"gfx\\powerups\\indicator2.png"},
        {"gfx\\powerups\\powerup3.png"},
        {"gfx\\powerups\\indicator3.png"},
        {"gfx\\powerups\\powerup4.png"},
        {"gfx\\powerups\\indicator4.png"},
        {"gfx\\powerups\\powerup5.png"},
        {"gfx\\powerups\\indicator5.png"},
        {"gfx\\powerups\\powerup6.png"},
        {"gfx\\powerups\\indicator6.png"},
        {"gfx\\powerups\\powerup7.png"},
        {"gfx\\powerups\\indicator7.png"},
        {"gfx\\powerups\\powerup8.png"},
        {"gfx\\powerups\\indicator8.png"},
        {"gfx\\powerups\\powerup9.png"},
        {"gfx\\powerups\\indicator9.png"},
        {"gfx\\powerups\\powerup10.png"},
        {"gfx\\powerups\\indicator10.png"},
        {"gfx\\powerups\\powerup11.png"},
        {"gfx\\powerups\\indicator11.png"},
        {"gfx\\powerups\\powerup12.png"},
        {"gfx\\powerups\\indicator12.png"},
        {"gfx\\ship\\extralife.png"},
        {"gfx\\ship\\health.png"},
        {"gfx\\menus\\menupiece1.png"},
        {"gfx\\menus\\menupiece2.png"},
        {"gfx\\menus\\menupiece3.png"},
        {"gfx\\menus\\menupiece4.png"},
        {"gfx\\menus\\menupiece5.png"},
        {"gfx\\menus\\menupiece6.png"},
        {"gfx\\menus\\menupiece7.png"},
        {"gfx\\menus\\menupiece8.png"},
        {"gfx\\menus\\menupiece9.png"},
        {"gfx\\menus\\title.png"},
        {"gfx\\menus\\button-start.png"},
        {"gfx\\menus\\button-options.png"},
        {"gfx\\menus\\button-credits.png"},
        {"gfx\\menus\\button-quit.png"},
        {"gfx\\menus\\menutitle-selectplayer.png"},
        {"gfx\\menus\\button-renameplayer.png"},
        {"gfx\\menus\\button-deleteplayer.png"},
        {"gfx\\menus\\button-back.png"},
        {"gfx\\menus\\button-startplayer.png"},
        {"gfx\\menus\\button-canceldelete.png"},
        {"gfx\\menus\\button-confirmdelete.png"},
        {"gfx\\menus\\playerselect.png"},
        {"gfx\\menus\\menutitle-options.png"},
        {"gfx\\menus\\button-back.png"},
        {"gfx\\menus\\configselect.png"},
        {"gfx\\menus\\menutitle-levelstats.png"},
        {"gfx\\menus\\button-continue.png"},
        {"gfx\\menus\\menutitle-finalstats.png"},
        {"gfx\\menus\\button-continue.png"},
        {"gfx\\menus\\menutitle-quitgame.png"},
        {"gfx\\menus\\button-cancelquit.png"},
        {"gfx\\menus\\button-confirmquit.png"},
    };
    return pictures;
}

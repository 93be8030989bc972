#include "menus/quit_game_menu.h"

#include "game/background.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "menus/menu_backdrop.h"
#include "menus/menu_input.h"
#include "presentation/font.h"
#include "presentation/text.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"
#include "sprites/physics.h"

namespace {

constexpr const char* BUTTON_PICTURES[QuitGameMenu::BUTTONS] = {"gfx\\menus\\button-cancelquit.png",
                                                                "gfx\\menus\\button-confirmquit.png"};
constexpr float BUTTON_X[QuitGameMenu::BUTTONS] = {-400, 0};
constexpr float BUTTON_Y[QuitGameMenu::BUTTONS] = {0, 150};

} // namespace

void QuitGameMenu::Load() {
    Panel_ = Sprite::Create(MenuBackdrop::Create(5, 3), 21, nullptr);
    Panel_->SetPosition(400, 250, 0);
    Panel_->SetScale(0.55f);
    Panel_->Hide();
    SpriteRef title = Sprite::Create(LoadGameImage("gfx\\menus\\menutitle-quitgame.png", -1, 0), 1, Panel_);
    title->SetPosition(0, -160, 0);
    for (int i = 0; i < BUTTONS; ++i) {
        Buttons_[i] = Sprite::Create(LoadGameImage(BUTTON_PICTURES[i], -1, 0), 1, Panel_);
        Buttons_[i]->SetPosition(BUTTON_X[i], BUTTON_Y[i], 0);
        Buttons_[i]->SetScale(0.75f);
        ButtonScales_[i] = 0.75f;
    }
    Font1->Set();
    Text::Create("WARNING!", 0, -48, 1, Panel_, Text::CENTRE);
    Text::Create("All progress will be lost!", 0, -16, 1, Panel_, Text::CENTRE);
    Text::Create("Are you sure?", 0, 32, 1, Panel_, Text::CENTRE);
}

void QuitGameMenu::Show() {
    // Records made from here on (the panel's slide) start unpaused.
    Animate::PauseAll();
    Physics::Pause();
    PausedTime_ = GameTime;
    MenuState_ = 0;
    StateSystem::SetState(STATE_QUIT_CONFIRM);
    ShipWasShown_ = Player::Ship->Hidden(0) == 0;
    Player::Hide();
    SetPointerMode(0);
    Media::ClearInput();
    MovePointerTo(Player::Ship);
}

void QuitGameMenu::Hide(int) {
    Panel_->Hide();
    Animate::UnpauseAll();
    Physics::Unpause();
    GameTime = PausedTime_;
}

void QuitGameMenu::Update() {
    switch (MenuState_) {
    case 0:
        SlideInPanel(Panel_);
        MenuState_ = 1;
        break;
    case 1:
        if (Panel_->Animating(Animate::TRANSFORM_ALL) == 0) MenuState_ = 2;
        break;
    case 2: {
        MenuTargets targets;
        for (const SpriteRef& button : Buttons_)
            targets.Add(button);
        bool clicked = MenuPressed(targets);
        int hovered = HoverButton(Buttons_, ButtonScales_, BUTTONS);
        if (EscapePressed()) {
            clicked = true;
            hovered = BUTTON_CONFIRM;
        }
        if (!clicked) break;
        if (hovered == BUTTON_CANCEL) {
            Hide(1);
            StateSystem::SetState(STATE_PLAYING);
            SetPointerMode(1);
            // A ship lost with its last life stays gone while the game-over wait runs on.
            if (ShipWasShown_) Player::Show();
        } else if (hovered == BUTTON_CONFIRM) {
            Hide(1);
            Player::Hide();
            Level::Free();
            Powerup::DisableAll();
            ScoreBoard::Hide();
            Background::LevelCompleteBanner->Hide();
            Background::GameOverBanner->Hide();
            StateSystem::SetState(STATE_LOADING_ZOOM_OUT);
        }
        break;
    }
    default:
        break;
    }
}

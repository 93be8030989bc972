#include "menus/main_menu.h"

#include "game/background.h"
#include "media/media.h"
#include "menus/config_menu.h"
#include "menus/credits.h"
#include "menus/menu_input.h"
#include "menus/player_menu.h"
#include "menus/story.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr float BUTTON_SCALE = 0.55f, HOVER_SCALE = 0.66f;
constexpr int BUTTON_ORDER = 21, HOVER_ORDER = 22;
constexpr int BUTTON_SLIDE_TIME = 350;
constexpr const char* BUTTON_PICTURES[4] = {"gfx\\menus\\button-start.png", "gfx\\menus\\button-options.png",
                                            "gfx\\menus\\button-credits.png", "gfx\\menus\\button-quit.png"};

} // namespace

void MainMenu::Load() {
    TitleSprite_ = Sprite::Create(LoadGameImage("gfx\\menus\\title.png", -1, 0), 24, nullptr);
    TitleSprite_->SetPosition(400, 128, 0);
    TitleSprite_->SetScale(0.55f);
    TitleSprite_->Hide();
    for (int i = 0; i < 4; ++i) {
        Buttons_[i] = Sprite::Create(LoadGameImage(BUTTON_PICTURES[i], -1, 0), BUTTON_ORDER, nullptr);
        Buttons_[i]->SetScale(BUTTON_SCALE);
        Buttons_[i]->Hide();
    }
    TitleSound_ = Sound::Load("title.wav", 0, 0);
}

void MainMenu::Show(int newBackground) {
    Sound::StopMusic();
    StateSystem::SetState(STATE_MAIN_MENU);
    SetPointerMode(0);
    Media::ClearInput();
    if (newBackground != 0) Background::Load(BACKGROUND);
    // What the title leads to decodes on the worker while it shows: a new game's scenery, the
    // story, the credits.
    std::vector<std::string> ahead = Background::PicturePaths(0);
    for (const std::vector<std::string>& more : {Story::PicturePaths(), Credits::PicturePaths()})
        ahead.insert(ahead.end(), more.begin(), more.end());
    Media::PrefetchPixmaps(ahead);
    MenuState_ = 0;
}

void MainMenu::Hide(int) {
    TitleSprite_->Hide();
    for (const SpriteRef& button : Buttons_)
        button->Hide();
}

void MainMenu::SetState(int state) {
    MenuState_ = state;
    MenuStateTime_ = GameTime;
}

int MainMenu::TimePassed() {
    return GameTime - MenuStateTime_;
}

void MainMenu::Update() {
    switch (MenuState_) {
    case 0:
        TitleSprite_->Show();
        TitleSprite_->SetColor(0, 0, 0);
        TitleSprite_->SetAlpha(0);
        TitleSprite_->AnimateColor(0, 0, 0, 255, 255, 255, 2000, 0, 1000);
        TitleSprite_->AnimateAlpha(0, 1, 2000, 0, 1000);
        TitleChannel_ = TitleSound_->Play(0.5f, 1.0f, 0);
        MenuState_ = 1;
        break;
    case 1:
        if (TitleSprite_->Animating(Animate::TRANSFORM_ALL) == 0) {
            MenuState_ = 2;
        } else if (SkipRequested()) {
            if (TitleChannel_) TitleChannel_->Stop();
            TitleSprite_->StopAnimating(Animate::TRANSFORM_ALL);
            TitleSprite_->SetColor(255, 255, 255);
            TitleSprite_->SetAlpha(1);
            Media::ClearInput();
            MenuState_ = 2;
        }
        break;
    case 2:
        for (int i = 0; i < 4; ++i) {
            Buttons_[i]->SetScale(BUTTON_SCALE);
            Buttons_[i]->SetOrder(BUTTON_ORDER);
            Buttons_[i]->SetY(float(BUTTON_Y[i]), 0);
            // Start and Credits come from the left, Options and Quit from the right.
            float from = i % 2 == 0 ? -64.0f : 864.0f;
            Buttons_[i]->AnimateX(from, 400, BUTTON_SLIDE_TIME, Animate::SHOW | Animate::EASE_OUT);
        }
        MenuState_ = 3;
        break;
    case 3:
        if (Buttons_[CREDITS]->Animating(Animate::TRANSFORM_ALL) == 0) {
            ShowPointer(0);
            // The moment a start-up is measured to (scripts/startup.sh).
            Media::DebugLog("MainMenu: the buttons take input");
            MenuState_ = 4;
        }
        break;
    case 4: {
        MenuTargets targets;
        for (const SpriteRef& button : Buttons_)
            targets.Add(button);
        bool clicked = MenuPressed(targets);
        int hovered = -1;
        for (int i = 0; i < 4; ++i) {
            Buttons_[i]->Show();
            Buttons_[i]->SetScale(BUTTON_SCALE);
            Buttons_[i]->SetOrder(BUTTON_ORDER);
            Buttons_[i]->SetPosition(400, float(BUTTON_Y[i]), 0);
        }
        // Tested at the normal scale, so the later of two overlapping buttons wins.
        for (int i = 0; i < 4; ++i)
            if (Buttons_[i]->OverlapsPoint(PointerX, PointerY, 1)) hovered = i;
        if (hovered >= 0) {
            Buttons_[hovered]->SetScale(HOVER_SCALE);
            Buttons_[hovered]->SetOrder(HOVER_ORDER);
        }
        if (EscapePressed()) {
            clicked = true;
            hovered = QUIT;
        }
        if (!clicked || hovered < 0) break;
        Hide(0);
        if (hovered == START) {
            PlayerMenu::Show();
        } else if (hovered == OPTIONS) {
            ConfigMenu::Show();
        } else if (hovered == CREDITS) {
            Credits::Show();
        } else {
            Sound::StopMusic();
            Media::End(0);
        }
        break;
    }
    default:
        break;
    }
}

#include "menus/end_game.h"

#include "game/scoreboard.h"
#include "media/media.h"
#include "menus/credits.h"
#include "menus/main_menu.h"
#include "menus/menu_input.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr float PICTURE_SCALE = 0.4f;
constexpr int SECOND_PICTURE_TIME = 7000; // ms the second picture stands before the credits

} // namespace

void EndGame::Load() {
    for (int i = 0; i < 2; ++i) {
        Pictures_[i] = Sprite::Create(
            LoadGameImage("gfx\\menus\\end" + std::to_string(i + 1) + ".png", -1, 0), 24, nullptr);
        Pictures_[i]->SetScale(PICTURE_SCALE);
        Pictures_[i]->Hide();
    }
}

void EndGame::Show() {
    MenuState_ = 0;
    StateSystem::SetState(STATE_ENDING);
    Load();
    SetPointerMode(0);
    Media::ClearInput();
    HidePointer();
    ScoreBoard::Hide();
}

void EndGame::Free() {
    for (SpriteRef& picture : Pictures_) {
        if (picture) picture->Free();
        picture = nullptr;
    }
    Sound::StopMusic();
    Sound::SetMusicVolume(SavedMusicVolume_);
}

void EndGame::SetState(int state) {
    MenuState_ = state;
    MenuStateTime_ = GameTime;
}

int EndGame::TimePassed() {
    return GameTime - MenuStateTime_;
}

void EndGame::Update() {
    const SpriteRef& first = Pictures_[0];
    const SpriteRef& second = Pictures_[1];
    // Read before any step: a skip reads Escape's typed character and clears the input, which would
    // turn Escape into a step on to the credits.
    const bool escape = EscapePressed();
    switch (MenuState_) {
    case 0:
        SavedMusicVolume_ = Sound::MusicVolume_;
        Sound::PlayMusic("level4.ogg");
        first->SetPosition(400, 250, 0);
        first->AnimateScale(0, PICTURE_SCALE, 250, Animate::SHOW | Animate::EASE_IN);
        first->AnimateAlpha(1, 0, 3000, 0, 10250);
        first->AnimateColor(255, 255, 255, 0, 0, 0, 3000, 0, 10250);
        SetState(1);
        break;
    case 1:
        if (!escape && (first->Animating(Animate::TRANSFORM_ALPHA) == 0 || SkipRequested())) {
            Media::ClearInput();
            Sound::StopMusic();
            first->Hide();
            second->SetPosition(400, 250, 0);
            second->SetScale(PICTURE_SCALE);
            second->SetColor(0, 0, 0);
            second->SetAlpha(0);
            second->Show();
            second->AnimateColor(0, 0, 0, 255, 255, 255, 2000, 0, 1000);
            second->AnimateAlpha(0, 1, 2000, 0, 1000);
            JingleChannel_ = MainMenu::TitleSound()->Play(0.5f, 1, 0);
            SetState(2);
        } else {
            Sound::SetMusicVolume(SavedMusicVolume_ * first->Alpha(0));
        }
        break;
    case 2:
        if (!escape && (TimePassed() > SECOND_PICTURE_TIME || SkipRequested())) {
            if (JingleChannel_) JingleChannel_->Stop();
            second->Hide();
            Free();
            Credits::Show();
            return;
        }
        break;
    default:
        break;
    }
    if (escape) {
        if (MenuState_ == 2 && JingleChannel_) JingleChannel_->Stop();
        Free();
        MainMenu::Show(1);
    }
}

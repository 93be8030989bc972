#include "menus/story.h"

#include "game/background.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "menus/menu_input.h"
#include "presentation/sound.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr int FADE_TIME = 3000, STAND_TIME = 5000; // ms
constexpr float PICTURE_GAP = 48;                  // units between the two pictures

int ScrollTime(float distance) {
    return int(1000 * distance / Story::SCROLL_SPEED);
}

} // namespace

std::vector<std::string> Story::PicturePaths() {
    return {"gfx\\menus\\story1.png", "gfx\\menus\\story2.png"};
}

void Story::Load() {
    const std::vector<std::string> paths = PicturePaths();
    for (int i = 0; i < 2; ++i) {
        Pictures_[i] = Sprite::Create(LoadGameImage(paths[size_t(i)], -1, 0), 24, nullptr);
        Pictures_[i]->SetScale(0.4f);
        Pictures_[i]->Hide();
    }
}

void Story::Show() {
    MenuState_ = 0;
    StateSystem::SetState(STATE_STORY);
    Load();
    // A new game follows the story.
    Media::PrefetchPixmaps(Background::PicturePaths(0));
    SetPointerMode(0);
    Media::ClearInput();
    HidePointer();
    ScoreBoard::Hide();
}

void Story::Free() {
    for (SpriteRef& picture : Pictures_) {
        if (picture) picture->Free();
        picture = nullptr;
    }
    Sound::StopMusic();
    Sound::SetMusicVolume(SavedMusicVolume_);
}

void Story::SetState(int state) {
    MenuState_ = state;
    MenuStateTime_ = GameTime;
}

int Story::TimePassed() {
    return GameTime - MenuStateTime_;
}

void Story::Update() {
    const SpriteRef& first = Pictures_[0];
    const SpriteRef& second = Pictures_[1];
    switch (MenuState_) {
    case 0: {
        SavedMusicVolume_ = Sound::MusicVolume_;
        Sound::PlayMusic("level3.ogg");
        for (const SpriteRef& picture : Pictures_) {
            picture->SetPosition(400, 250, 0);
            picture->Show();
        }
        const float h1 = first->Height(0), h2 = second->Height(0);
        const float y1 = 500 + h1 / 2, end1 = -h1 / 2;
        const float y2 = y1 + h1 / 2 + PICTURE_GAP + h2 / 2, end2 = 400;
        first->AnimateY(y1, end1, ScrollTime(y1 - end1), 0);
        const int secondScroll = ScrollTime(y2 - end2);
        second->AnimateY(y2, end2, secondScroll, 0);
        for (const SpriteRef& picture : Pictures_) {
            picture->AnimateAlpha(1, 0, FADE_TIME, 0, secondScroll + STAND_TIME);
            picture->AnimateColor(255, 255, 255, 0, 0, 0, FADE_TIME, 0, secondScroll + STAND_TIME);
        }
        SetState(1);
        break;
    }
    case 1:
        if (second->Animating(Animate::TRANSFORM_ALPHA) == 0 || SkipRequested()) {
            Media::ClearInput();
            Free();
            StateSystem::SetState(STATE_NEW_GAME);
        } else {
            // The music fades out with the pictures.
            Sound::SetMusicVolume(SavedMusicVolume_ * second->Alpha(0));
        }
        break;
    default:
        break;
    }
}

#include "menus/credits.h"

#include "game/background.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "menus/main_menu.h"
#include "menus/menu_input.h"
#include "presentation/sound.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr int CLOSING = 15, LAST = 16; // the closing picture and the one hanging below it
constexpr float HOLD_SCROLL = 250;     // units the rest scrolls on while the closing picture stands
constexpr int CLOSING_FADE_TIME = 7000;

int ScrollTime(float distance) {
    return int(1000 * distance / Credits::SCROLL_SPEED);
}

} // namespace

int Credits::GapAfter(int index) {
    switch (index) {
    case 0:
        return 150;
    case 1:
    case 2:
    case 3:
    case 11:
    case 12:
    case 13:
    case 14:
        return 100;
    case 16:
        return 0;
    default:
        return 50;
    }
}

std::vector<std::string> Credits::PicturePaths() {
    std::vector<std::string> paths;
    for (int i = 0; i < PICTURES; ++i)
        paths.push_back("gfx\\menus\\credits" + std::to_string(i + 1) + ".png");
    return paths;
}

void Credits::Load() {
    Container_ = Sprite::Create(nullptr, 21, nullptr);
    Container_->SetPosition(400, 500, 0);
    Container_->SetScale(0.4f);
    Container_->Hide();
    float y = 50;
    const std::vector<std::string> paths = PicturePaths();
    for (int i = 0; i < PICTURES; ++i) {
        Media::ImageRef image = LoadGameImage(paths[size_t(i)], -1, 0);
        Pictures_[i] = Sprite::Create(image, 1, Container_);
        y += float(image->Height()) / 2;
        Pictures_[i]->SetPosition(0, y, 0);
        y += float(image->Height()) / 2 + float(GapAfter(i));
    }
}

void Credits::Show() {
    MenuState_ = 0;
    StateSystem::SetState(STATE_CREDITS);
    Load();
    SetPointerMode(0);
    Media::ClearInput();
    HidePointer();
    ScoreBoard::Hide();
    Background::Load(-1);
    // The title's scenery follows the credits.
    Media::PrefetchPixmaps(Background::PicturePaths(MainMenu::BACKGROUND));
    SavedMusicVolume_ = Sound::MusicVolume_;
    Sound::PlayMusic("level7.ogg");
}

void Credits::Free() {
    // The closing picture may have left the column (with the last picture under it), so it is
    // freed on its own before the column.
    if (Pictures_[CLOSING] && Pictures_[CLOSING]->Linked()) Pictures_[CLOSING]->Free();
    if (Container_ && Container_->Linked()) Container_->Free();
    Container_ = nullptr;
    for (SpriteRef& picture : Pictures_)
        picture = nullptr;
    Sound::StopMusic();
    Sound::SetMusicVolume(SavedMusicVolume_);
}

void Credits::End() {
    Free();
    MainMenu::Show(1);
}

void Credits::Update() {
    const SpriteRef& closing = Pictures_[CLOSING];
    switch (MenuState_) {
    case 0: {
        Container_->Show();
        const float d = closing->Y(0) * Container_->ScaleY(0);
        Container_->AnimateY(500, 250 - d, ScrollTime(d), 0);
        MenuState_ = 1;
        break;
    }
    case 1:
        if (Container_->Animating(Animate::TRANSFORM_ALL) == 0) {
            closing->SetParent(nullptr, 1);
            Pictures_[LAST]->SetParent(closing, 1);
            const float y = Container_->Y(0);
            Container_->AnimateY(y, y - HOLD_SCROLL, ScrollTime(HOLD_SCROLL), 0);
            MenuState_ = 2;
        }
        break;
    case 2:
        if (Container_->Animating(Animate::TRANSFORM_ALL) == 0) {
            closing->AnimateAlpha(1, 0, CLOSING_FADE_TIME, 0);
            closing->AnimateColor(255, 255, 255, 0, 0, 0, CLOSING_FADE_TIME, 0);
            MenuState_ = 3;
        }
        break;
    case 3:
        if (closing->Animating(Animate::TRANSFORM_ALL) == 0) {
            End();
            return;
        }
        Sound::SetMusicVolume(SavedMusicVolume_ * closing->Alpha(0));
        break;
    default:
        break;
    }
    if (SkipRequested()) {
        Media::ClearInput();
        End();
    }
}

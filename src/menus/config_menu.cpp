#include "menus/config_menu.h"

#include "game/background.h"
#include "game/effect.h"
#include "media/media.h"
#include "menus/kept_settings.h"
#include "menus/main_menu.h"
#include "menus/menu_backdrop.h"
#include "menus/menu_input.h"
#include "presentation/font.h"
#include "presentation/sound.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr float BACK_SCALE = 0.75f, BACK_HOVER_SCALE = 0.9f;
// Four lines between the title and the Back button, each a label above its value.
constexpr float LABEL_Y[ConfigMenu::LINES] = {-136, -64, 8, 80};
constexpr float VALUE_Y[ConfigMenu::LINES] = {-104, -32, 40, 112};
constexpr const char* LABELS[ConfigMenu::LINES] = {
    "Sound Volume:", "Music Volume:", "Video Mode:", "Rumble:"};
// The rumble that confirms the rumble line turned on (strength 0..1, ms).
constexpr float SAMPLE_RUMBLE = 0.6f;
constexpr int SAMPLE_RUMBLE_TIME = 250;

constexpr float SOUND_VOLUMES[4] = {1.0f, 0.5f, 0.25f, 0.0f};
constexpr float MUSIC_VOLUMES[4] = {0.75f, 0.5f, 0.25f, 0.0f};
constexpr const char* WORDS[4] = {"High", "Medium", "Low", "Off"};

const char* Word(const float (&table)[4], float volume) {
    for (int i = 0; i < 4; ++i)
        if (volume == table[i]) return WORDS[i];
    return "";
}

// Steps through the table from the bottom up, wrapping from the top back to Off.
float Next(const float (&table)[4], float volume) {
    for (int i = 0; i < 4; ++i)
        if (volume == table[i]) return table[(i + 3) % 4];
    return volume;
}

void SetWord(const TextRef& text, const char* word) {
    if (word[0] != '\0') text->Set(word);
}

} // namespace

float ConfigMenu::NextSoundVolume(float volume) {
    return Next(SOUND_VOLUMES, volume);
}
float ConfigMenu::NextMusicVolume(float volume) {
    return Next(MUSIC_VOLUMES, volume);
}
const char* ConfigMenu::SoundWord(float volume) {
    return Word(SOUND_VOLUMES, volume);
}
const char* ConfigMenu::MusicWord(float volume) {
    return Word(MUSIC_VOLUMES, volume);
}

void ConfigMenu::Load() {
    Panel_ = Sprite::Create(MenuBackdrop::Create(5, 4), 21, nullptr);
    Panel_->SetPosition(400, 250, 0);
    Panel_->SetScale(0.55f);
    Panel_->SetShadow(6, 45, 0.33f);
    Panel_->Hide();

    SpriteRef title = Sprite::Create(LoadGameImage("gfx\\menus\\menutitle-options.png", -1, 0), 1, Panel_);
    title->SetPosition(0, -216, 0);
    BackButton_ = Sprite::Create(LoadGameImage("gfx\\menus\\button-back.png", -1, 0), 1, Panel_);
    BackButton_->SetPosition(-130, 216, 0);
    BackButton_->SetScale(BACK_SCALE);

    Font1->Set();
    for (int i = 0; i < LINES; ++i)
        Text::Create(LABELS[i], 0, LABEL_Y[i], 1, Panel_, Text::CENTRE);
    Font2->Set();
    for (int i = 0; i < LINES; ++i) {
        Values_[i] = Text::Create("", 0, VALUE_Y[i], 1, Panel_, Text::CENTRE);
        Values_[i]->Pivot->SetScale(1.5f);
    }
    Font1->Set();

    Media::ImageRef select = LoadGameImage("gfx\\menus\\configselect.png", 7, 0);
    for (int i = 0; i < LINES; ++i) {
        Selects_[i] = Sprite::Create(select, 2, Panel_);
        Selects_[i]->SetPosition(0, VALUE_Y[i], 0);
        Selects_[i]->SetBlend(Media::LIGHTBLEND);
        Selects_[i]->Hide();
    }
}

void ConfigMenu::Show() {
    MenuState_ = 0;
    StateSystem::SetState(STATE_OPTIONS);
    UpdateInfo();
    SetPointerMode(0);
    Media::ClearInput();
}

void ConfigMenu::UpdateInfo() {
    SetWord(Values_[0], SoundWord(Sound::SoundVolume_));
    SetWord(Values_[1], MusicWord(Sound::MusicVolume_));
    Values_[2]->Set(App::Windowed() != 0 ? "Windowed" : "Fullscreen");
    Values_[3]->Set(RumbleEnabled != 0 ? "On" : "Off");
}

void ConfigMenu::Hide(int) {
    Background::Hide();
    Panel_->Hide();
}

void ConfigMenu::Update() {
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
        targets.Add(BackButton_);
        for (const SpriteRef& select : Selects_)
            targets.Add(select);
        bool clicked = MenuPressed(targets);
        UpdateInfo();
        BackButton_->SetScale(BACK_SCALE);
        for (const SpriteRef& select : Selects_)
            select->Hide();
        int hovered = -1;
        if (BackButton_->OverlapsPoint(PointerX, PointerY, 1)) hovered = BACK;
        for (int line = SOUND_LINE; line <= RUMBLE_LINE; ++line)
            if (LineSelect(line)->OverlapsPoint(PointerX, PointerY, 1)) hovered = line;
        if (hovered == BACK)
            BackButton_->SetScale(BACK_HOVER_SCALE);
        else if (hovered > BACK)
            LineSelect(hovered)->Show();

        if (EscapePressed()) {
            clicked = true;
            hovered = BACK;
        }
        if (clicked && hovered >= 0) Click(hovered);
        break;
    }
    default:
        break;
    }
}

void ConfigMenu::Click(int item) {
    switch (item) {
    case BACK:
        Kept.SoundVolume = Sound::SoundVolume_;
        Kept.MusicVolume = Sound::MusicVolume_;
        Kept.Rumble = RumbleEnabled;
        SaveKeptSettings();
        Hide(0);
        MainMenu::Show(0);
        break;
    case SOUND_LINE:
        Sound::SoundVolume_ = NextSoundVolume(Sound::SoundVolume_);
        if (const SoundRef& sample = Effect::EffectSounds[Effect::EXPLOSION]) sample->Play(1, 1, 0);
        break;
    case MUSIC_LINE:
        Sound::SetMusicVolume(NextMusicVolume(Sound::MusicVolume_));
        break;
    case VIDEO_LINE:
        App::ToggleFullscreen();
        Kept.Windowed = App::Windowed();
        break;
    case RUMBLE_LINE:
        RumbleEnabled = RumbleEnabled != 0 ? 0 : 1;
        Rumble(SAMPLE_RUMBLE, SAMPLE_RUMBLE_TIME);
        break;
    default:
        break;
    }
}

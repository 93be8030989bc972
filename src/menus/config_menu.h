#pragma once
// ConfigMenu: the options (game state 7). Each click on a line steps its setting and takes
// effect at once: the effects volume (a sample confirms it), the music volume (the playing music
// follows), windowed or full-screen display, and the pad's rumble (a rumble confirms it). Leaving
// the screen keeps the settings for the next start (menus/kept_settings.h). Escape is Back.
#include <string>

#include "presentation/text.h"
#include "sprites/sprite.h"

class ConfigMenu {
public:
    static void Load();
    // Enters game state 7 and releases the pointer.
    static void Show();
    // Writes the four value words from the current settings.
    static void UpdateInfo();
    // Hides the scenery and the panel.
    static void Hide(int unused);
    // Once per frame in game state 7.
    static void Update();

    // The next value of each cycle; a value outside its cycle stays.
    static float NextSoundVolume(float volume); // 0 → 0.25 → 0.5 → 1.0 → 0
    static float NextMusicVolume(float volume); // 0 → 0.25 → 0.5 → 0.75 → 0
    // "High", "Medium", "Low", "Off", or "" for a volume outside the table (the word then stays).
    static const char* SoundWord(float volume);
    static const char* MusicWord(float volume);

    static constexpr int BACK = 0, SOUND_LINE = 1, MUSIC_LINE = 2, VIDEO_LINE = 3, RUMBLE_LINE = 4;
    static constexpr int LINES = 4;
    static int MenuState() { return MenuState_; }
    static const SpriteRef& Panel() { return Panel_; }
    static const SpriteRef& BackButton() { return BackButton_; }
    // The select highlight of SOUND_LINE … RUMBLE_LINE.
    static const SpriteRef& LineSelect(int line) { return Selects_[line - SOUND_LINE]; }
    static const TextRef& SoundValue() { return Values_[0]; }
    static const TextRef& MusicValue() { return Values_[1]; }
    static const TextRef& VideoValue() { return Values_[2]; }
    static const TextRef& RumbleValue() { return Values_[3]; }

private:
    static void Click(int item);

    static inline int MenuState_ = 0;
    static inline SpriteRef Panel_, BackButton_;
    static inline SpriteRef Selects_[LINES];
    static inline TextRef Values_[LINES];
};

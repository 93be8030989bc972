#pragma once
// MainMenu: the title screen (game state 5). The title fades in over the menu starfield with a
// jingle, then the Start, Options, Credits and Quit buttons slide in from alternate sides and
// answer the pointer and the left button. Escape counts as Quit once the buttons are in.
#include "presentation/sound.h"
#include "sprites/sprite.h"

class MainMenu {
public:
    // Loads the title, the four buttons and the jingle (pictures required); all hidden.
    static void Load();
    // Stops the music, enters game state 5, releases the pointer, clears input, and restarts the
    // intro. newBackground ≠ 0 also composes the menu starfield (background 4).
    static void Show(int newBackground);
    // Hides the title and the buttons.
    static void Hide(int unused);
    // Once per frame in game state 5.
    static void Update();

    static void SetState(int state);
    // ms since the last SetState.
    static int TimePassed();
    static int MenuState() { return MenuState_; }

    // The title jingle, also played by the ending.
    static const SoundRef& TitleSound() { return TitleSound_; }
    static const SpriteRef& TitleSprite() { return TitleSprite_; }
    // Start, Options, Credits, Quit.
    static const SpriteRef& Button(int index) { return Buttons_[index]; }

    static constexpr int BACKGROUND = 4; // the title's scenery (Background::Load)
    static constexpr int START = 0, OPTIONS = 1, CREDITS = 2, QUIT = 3;
    static constexpr int BUTTON_Y[4] = {300, 335, 370, 405};

private:
    static inline int MenuState_ = 0;
    static inline int MenuStateTime_ = 0;
    static inline SpriteRef TitleSprite_;
    static inline SpriteRef Buttons_[4];
    static inline SoundRef TitleSound_;
    static inline Media::AudioChannelRef TitleChannel_; // the jingle's last start (null when silent)
};

#pragma once
// EndGame: the ending after the last level (game state 16). The first picture zooms in, stands
// and fades with its music; the second fades in with the title jingle; then the credits follow.
// A typed character or a click moves on a step; Escape returns to the title at once.
#include "presentation/sound.h"
#include "sprites/sprite.h"

class EndGame {
public:
    // Loads "gfx\menus\end1.png" and "end2.png" (required) as hidden sprites.
    static void Load();
    // Enters game state 16: loads the pictures, hides the pointer and the scoreboard.
    static void Show();
    // Frees the pictures, stops the music and restores the music volume of before the ending.
    static void Free();
    static void Update();

    static void SetState(int state);
    static int TimePassed();
    static int MenuState() { return MenuState_; }
    static const SpriteRef& Picture(int index) { return Pictures_[index]; }

private:
    static inline int MenuState_ = 0;
    static inline int MenuStateTime_ = 0;
    static inline float SavedMusicVolume_ = 0;
    static inline SpriteRef Pictures_[2];
    static inline Media::AudioChannelRef JingleChannel_;
};

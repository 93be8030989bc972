#pragma once
// Story: before a new player's first game (game state 18) two story pictures scroll up the
// screen to music, then fade to black with the music. A typed character or a click skips it.
// Either way the new game starts (game state 12).
#include <string>
#include <vector>

#include "sprites/sprite.h"

class Story {
public:
    static constexpr float SCROLL_SPEED = 16; // units per second

    // Loads "gfx\menus\story1.png" and "story2.png" (required) as hidden sprites.
    static void Load();
    // Enters game state 18: loads the pictures, hides the pointer and the scoreboard.
    static void Show();
    // The pictures Show loads, for decoding them ahead (Media::PrefetchPixmaps).
    static std::vector<std::string> PicturePaths();
    // Frees the pictures, stops the music and restores the music volume of before the story.
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
};

#pragma once
// Credits: a column of seventeen credit pictures scrolls up over an empty background to music
// (game state 17). The sixteenth picture, with the last one below it, stops at the screen centre
// while the rest scrolls away, then fades to black with the music; the title follows. A typed
// character or a click returns to the title at once.
#include <string>
#include <vector>

#include "sprites/sprite.h"

class Credits {
public:
    static constexpr int PICTURES = 17;
    static constexpr float SCROLL_SPEED = 16; // units per second

    // Loads "gfx\menus\credits1.png" … "credits17.png" (required) into the hidden column.
    static void Load();
    // Enters game state 17: loads the pictures, clears the scenery, starts the music.
    static void Show();
    // The pictures Show loads, for decoding them ahead (Media::PrefetchPixmaps).
    static std::vector<std::string> PicturePaths();
    // Frees the pictures, stops the music and restores the music volume of before the credits.
    static void Free();
    static void Update();

    // The gap in picture pixels below picture `index` (0-based) in the column.
    static int GapAfter(int index);

    static int MenuState() { return MenuState_; }
    static const SpriteRef& Container() { return Container_; }
    static const SpriteRef& Picture(int index) { return Pictures_[index]; }

private:
    static void End();

    static inline int MenuState_ = 0;
    static inline float SavedMusicVolume_ = 0;
    static inline SpriteRef Container_;
    static inline SpriteRef Pictures_[PICTURES];
};

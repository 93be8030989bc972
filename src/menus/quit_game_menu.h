#pragma once
// QuitGameMenu: the quit confirmation (game state 11), opened by Escape during play. It pauses
// every animation and the physics; Cancel resumes play exactly where it stopped, with GameTime
// given back so no game timer sees the time spent here, and the ship shown only if it was shown
// when the menu opened; Confirm (or Escape) abandons the game and
// returns to the title without writing the save file.
#include "sprites/sprite.h"

class QuitGameMenu {
public:
    static constexpr int BUTTONS = 2;
    static constexpr int BUTTON_CANCEL = 0, BUTTON_CONFIRM = 1;

    static void Load();
    // Valid during play (game state 14): pauses the game and enters game state 11.
    static void Show();
    // Hides the panel, resumes animations and physics, and sets GameTime back to its value when
    // the menu opened.
    static void Hide(int unused);
    static void Update();

    static int MenuState() { return MenuState_; }
    static int PausedTime() { return PausedTime_; }
    static const SpriteRef& Panel() { return Panel_; }
    static const SpriteRef& Button(int index) { return Buttons_[index]; }

private:
    static inline int MenuState_ = 0;
    static inline SpriteRef Panel_;
    static inline SpriteRef Buttons_[BUTTONS];
    static inline float ButtonScales_[BUTTONS] = {};
    static inline int PausedTime_ = 0;
    static inline bool ShipWasShown_ = false; // the ship's visibility when the menu opened
};

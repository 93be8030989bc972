#pragma once
// The heads-up display of a level: "Score:" with the score below it at the top centre, one ship
// icon per life at the bottom right and one health icon per hit point at the bottom left.
//
// An award goes two ways at once: straight into the active save slot, which holds the true
// score, and after a delay onto the board through Points, so the number on the board rises when
// the floating score text arrives. Scores are whole numbers (64-bit), shown with thousands
// separators.
//
// All state is class-wide; Init must run first (after the fonts and Background::Init).
#include <cstdint>
#include <string>

#include "presentation/text.h"
#include "sprites/sprite.h"

class ScoreBoard {
public:
    // Points per second at which the shown score counts toward Score; 0 shows it at once.
    static constexpr float UPDATESPEED = 0.0f;
    static constexpr int LIFE_ICONS = 5;
    static constexpr int HEALTH_ICONS = 3;

    // Creates the display, hidden. Called once by the start-up loading.
    static void Init();
    // Shows the score; the icons follow with the next Update.
    static void Show();
    // Hides the score and all eight icons until the next Show.
    static void Hide();
    // One frame of play: due awards reach Score, the number and the icons follow.
    static void Update();
    // Shows DisplayedScore.
    static void UpdateDisplay();
    // Adds `points` to the active save slot at once and to the board after `delay` ms.
    static void AdjustScore(int64_t points, int delay);
    // Sets the slot's score and the board to `score` and drops pending awards.
    static void Set(int64_t score);
    // A score as shown: decimal with "," between groups of three digits (1234567 → "1,234,567").
    static std::string FormatScore(int64_t score);

    static inline int64_t Score = 0;          // the sum of the awards whose delay has run out
    static inline int64_t DisplayedScore = 0; // the score shown
    static inline SpriteRef ScorePivot;
    static inline TextRef ScoreLabel;
    static inline TextRef ScoreText; // Level::SpawnText sends floating scores to its pivot
    static inline Media::ImageRef LifeImage;
    static inline SpriteRef LifeIcons[LIFE_ICONS];
    static inline Media::ImageRef HealthImage;
    static inline SpriteRef HealthIcons[HEALTH_ICONS];

private:
    static inline int64_t ShownScore_ = -1; // the value ScoreText shows (skips rebuilding it)
};

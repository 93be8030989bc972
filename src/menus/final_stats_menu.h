#pragma once
// FinalStatsMenu: the statistics of the whole game (game state 10) after game over or the last
// level. Continue (or Escape) writes the save file when the game beat the slot's previous score,
// then shows the ending (game completed) or the title.
#include "menus/stats_panel.h"

class FinalStatsMenu {
public:
    static void Load();
    // Ends the level (its objects and timed powerups), enters game state 10 with the game's
    // counters, hides the ship and releases the pointer where the ship was.
    static void Show();
    static void Hide(int unused);
    static void Update();

    static const StatsPanel& Screen() { return Panel_; }

private:
    static inline StatsPanel Panel_;
};

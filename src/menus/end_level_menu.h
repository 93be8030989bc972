#pragma once
// EndLevelMenu: the level statistics (game state 9) after every completed level. Continue (or
// Escape) starts the next level, or after the last level opens the final statistics.
#include "menus/stats_panel.h"

class EndLevelMenu {
public:
    static void Load();
    // Enters game state 9 with the counters of the level just played; hides the ship and
    // releases the pointer where the ship was.
    static void Show();
    static void Hide(int unused);
    static void Update();

    static const StatsPanel& Screen() { return Panel_; }

private:
    static inline StatsPanel Panel_;
};

#pragma once
// The two bosses' behaviour, the boss branch of Enemy::Update. A boss enters from the top, waits
// 9000 ms while the warning blinks, then fights in phases: each phase has its own movement and
// bullet pattern and ends when the hit points fall below a fraction of the start (BOSS1: 2/3, 1/3,
// then 0; BOSS2: 0.8, 0.6, 0.4, 0.2, then 0). At most one phase boundary is passed per frame. Between
// phases and while dying the boss is invincible; damage never frees it: at 0 hit points it plays its
// death and frees itself (BOSS1 6350 ms later, BOSS2 7850 ms later, with the music faded out).
#include "game/enemy_behaviour.h"

class Boss {
public:
    // One frame of a BOSS1 or BOSS2 (boss.State_ is the phase). Valid for a linked boss only.
    static void Step(Enemy& boss, const EnemyBounds& bounds);
    // Undoes what a dying boss leaves outside itself: BOSS2's faded music volume and its white
    // flash. Enemy::Free calls it for every boss, however the boss or the level ends.
    static void Release(const Enemy& boss);
};

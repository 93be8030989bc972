#pragma once
// Two facts that gameplay owns and lower layers need: the frame loop asks whether the speed
// powerup (kind 10) is active, and the sound rules and debug overlay ask how many enemies are
// alive. Gameplay installs these when it initialises; until then no powerup can be active and no
// enemy exists, which the defaults state.

inline bool (*SpeedPowerupActive)() = [] { return false; };
inline int (*EnemiesOnScreen)() = [] { return 0; };

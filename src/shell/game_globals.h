#pragma once
// Program-wide frame state, owned by the frame loop and read by every screen.
#include <memory>

#include "sprites/sprite.h"

class Font;

inline int GameTime = 0;        // ms: sum of all (sped-up) frame steps since start
inline int DeltaTime = 0;       // ms: step of the current frame, after the speed-up
inline float DeltaSeconds = 0;  // s: raw step of the current frame, before the speed-up
inline uint32_t FrameClock = 0; // ClockMs of this frame
inline uint32_t LastFrameClock = 0;

// Pointer position in playfield units (0..800 × 0..500 inside the letterbox) and its movement
// since the stored previous position (per frame while captured, a stale offset otherwise).
inline float PointerX = 0, PointerY = 0;
inline float PointerDX = 0, PointerDY = 0;
// Indexed by button number: [1] left, [2] right, [3] middle; [0] is unused.
inline int MouseButtonDown[4] = {};
inline int MouseButtonHit[4] = {}; // presses since the previous frame

inline SpriteRef PointerSprite;
inline int PointerVisible = 1;  // the pointer shows from the start: a click skips the logos
inline int PointerCaptured = 0; // 1 during play

inline std::shared_ptr<Font> Font1, Font2, Font3;

// Gameplay hooks. The frame loop and the sound rules need two facts that gameplay owns: whether
// the speed powerup (kind 10) is active and how many enemies are alive. Gameplay sets these when
// it starts; until then no powerup can be active and no enemy exists, which the defaults state.
inline bool (*SpeedPowerupActive)() = [] { return false; };
inline int (*EnemiesOnScreen)() = [] { return 0; };

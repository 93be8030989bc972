#pragma once
// The game's own mouse pointer: a sprite drawn above the play scene, released (shown) in menus
// and captured (hidden, re-centred) during play. Positions are in playfield units: the media
// layer reports window pixels, which are converted through the current projection and
// letterbox, so the pointer is right at every display size.
#include "sprites/sprite.h"

// Pointer position in playfield units (0..800 × 0..500 inside the letterbox), so the pointer is
// drawn where the mouse is.
inline float PointerX = 0, PointerY = 0;
// Mouse movement in window pixels since the stored previous position (per frame while captured, a
// stale offset otherwise). Pixels, not units: the ship answers the mouse alike at every display
// size (in the 800 × 500 window the two are the same).
inline float PointerDX = 0, PointerDY = 0;
// Indexed by button number: [1] left, [2] right, [3] middle; [0] is unused.
inline int MouseButtonDown[4] = {};
inline int MouseButtonHit[4] = {}; // presses since the previous frame

inline SpriteRef PointerSprite;
inline int PointerVisible = 1;  // the pointer shows from the start: a click skips the logos
inline int PointerCaptured = 0; // 1 during play

// Loads "gfx\menus\mouse.png" (required), creates PointerSprite and hides the system pointer.
void InitPointer();
// Shows the pointer sprite if it is hidden, or always when force is 1.
void ShowPointer(int force);
void HidePointer();
// 1 captures the pointer for play (hidden, mouse at the display centre; movement counts from
// there, none made while it was free); 0 releases it.
void SetPointerMode(int mode);
// After the program resumes from a suspension: a captured pointer starts its capture afresh, so
// the mouse's wandering meanwhile is not taken for one frame's movement.
void ResumePointer();
// Moves the mouse to the display centre; the current and previous positions become that point.
void CentrePointer();
// Once per frame: position, movement and buttons; pulls a captured mouse more than 100 window
// pixels from the display centre back to it, keeps a released one inside the playfield (full
// screen); reads the keys and the pad (UpdateControls, shell/controls.h); places the pointer
// sprite.
void UpdatePointer();

// Window pixels to playfield units and back, under the current letterbox.
void WindowToPlayfield(float windowX, float windowY, float& x, float& y);
void PlayfieldToWindow(float x, float y, int& windowX, int& windowY);

#pragma once
// Input and motion rules that every menu and screen shares: Escape and the left button as the
// screens read them, the slide-in of a panel, and putting the pointer where the ship was.
#include "sprites/sprite.h"

// Presses of Escape since the last query (the query consumes them).
bool EscapePressed();
// The left button was pressed this frame.
bool LeftClicked();
// A typed character or a left click: how the non-interactive screens are skipped. Consumes one
// typed character.
bool SkipRequested();
// The last visible button of `buttons` under the pointer grows to 1.2 × its resting scale and
// draws above the others; every other button returns to its resting scale. Returns its index, or
// -1 when the pointer is over none.
int HoverButton(const SpriteRef* buttons, const float* restingScales, int count);
// Shows the panel and slides it from beyond the right edge (800 + its width) to x 400 over
// PANEL_SLIDE_TIME ms, slowing at the end.
constexpr int PANEL_SLIDE_TIME = 500;
void SlideInPanel(const SpriteRef& panel);
// Moves the system mouse to the ship's on-screen position (truncated to whole units), so the
// released pointer appears where the ship was.
void MovePointerTo(const SpriteRef& sprite);

#pragma once
// Input and motion rules that every menu and screen shares: Escape and the left button as the
// screens read them, stepping between buttons with the keys and the pad, the slide-in of a panel,
// and putting the pointer where the ship was.
#include "sprites/sprite.h"

// Presses of Escape, or of the pad's Start or B, since the last query (the query consumes them).
bool EscapePressed();
// The left button was pressed this frame.
bool LeftClicked();
// A typed character, a left click or a pad button (A, B or Start): how the non-interactive screens
// are skipped. Consumes one typed character.
bool SkipRequested();

// The places a screen's keys and pad step between: its buttons and rows, in the order in which the
// screen picks the hovered one. Sprites, hidden or not, that the caller keeps alive for the call.
struct MenuTargets {
    static constexpr int MAX = 16;
    const Sprite* Items[MAX] = {};
    int Count = 0;
    void Add(const SpriteRef& sprite) {
        if (sprite && Count < MAX) Items[Count++] = sprite.get();
    }
};
// A menu's click, once per frame of its interactive state, with the keys and the pad beside the
// mouse: an arrow, the d-pad or the stick moves the pointer to the centre of the nearest target in
// that direction (from the target under the pointer), and the game's pointer hides until the mouse
// moves. True for a left click, and for Enter or the pad's A with the pointer over a target: the
// screen treats either as a left click at the pointer. With the pointer over no target, a step or
// a press moves it to the first target instead.
bool MenuPressed(const MenuTargets& targets);
// The target that a step (stepX, stepY: −1, 0 or 1; y grows downward) leads to from the point
// (x, y) in playfield units: of the targets whose centre lies ahead, the nearest, counting a
// sideways offset twice; -1 when none lies ahead.
int StepTarget(const MenuTargets& targets, float x, float y, int stepX, int stepY);
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

#pragma once
// The keyboard and the gamepad beside the mouse. During play the arrow keys, WASD, the left stick
// and the d-pad steer the ship by feeding the relative motion that the captured mouse feeds, so
// every device goes through the same steering rule; Space, the pad's A and its right trigger fire
// beside the left button. In menus the arrows, the d-pad and the stick step between buttons, and
// Enter or A presses (menus/menu_input.h). The pad's Start and B do what Escape does. Whichever
// device was used last decides whether the game's pointer shows: moving the mouse brings it back;
// stepping or steering with the keys or the pad hides it.

enum class InputDevice { Mouse, Keyboard, Pad };
inline InputDevice LastDevice = InputDevice::Mouse;

// Window pixels per second of relative motion that a full deflection feeds. The ship's target
// velocity is 0.33 × the pointer's speed, here about 800 units per second: a full deflection
// crosses the playfield in about a second.
constexpr float STEER_SPEED = 800.0f / 0.33f;
// Stick deflections below this (of the full range) steer nothing; above it the deflection is
// stretched so that the edge of the dead zone is 0 and a full push is 1.
constexpr float STICK_DEAD_ZONE = 0.25f;
// A stick pushed beyond this steps a menu once; it steps again only after coming back inside
// MENU_STICK_RELEASE.
constexpr float MENU_STICK_STEP = 0.6f, MENU_STICK_RELEASE = 0.4f;
// A trigger pressed beyond this fires.
constexpr float TRIGGER_FIRE = 0.5f;

// Written by UpdateControls once per frame:
inline int FireHeld = 0;                 // left button, Space, the pad's A or its right trigger held
inline float SteerX = 0, SteerY = 0;     // deflection of keys, d-pad and stick, −1..1 (right, down)
inline int MenuStepX = 0, MenuStepY = 0; // a menu step asked for this frame: −1, 0 or 1 each
inline int PadPressHit = 0;              // the pad's A pressed this frame (a menu press)
inline int PadEscapeHit = 0;             // the pad's Start or B pressed this frame (Escape)
inline int PadUnplugged = 0;             // a pad was unplugged this frame

// The rumble option: 1 lets the pad rumble when the ship is hit or explodes.
inline int RumbleEnabled = 1;

// Once per frame after the mouse is read (UpdatePointer): reads the keys and the pad, notes the
// device used last and, while the pointer is captured, adds the steering to PointerDX/DY.
void UpdateControls();
// The stick's deflection after the dead zone (radial, so diagonals keep their direction).
void StickDeflection(float rawX, float rawY, float& x, float& y);
// The device used last became `device`: the game's pointer hides for the keys and the pad and
// shows again (if shown at all, PointerVisible) for the mouse.
void UseDevice(InputDevice device);
// A rumble of `strength` 0..1 for `ms` on the pads, unless the rumble option is off.
void Rumble(float strength, int ms);

#pragma once
// The game's own mouse pointer: a sprite drawn above the play scene, released (shown) in menus
// and captured (hidden, re-centred) during play. Positions are in playfield units: the media
// layer reports window pixels, which are converted through the current projection and
// letterbox, so the pointer is right at every display size.

// Loads "gfx\menus\mouse.png" (required), creates PointerSprite and hides the system pointer.
void InitPointer();
// Shows the pointer sprite if it is hidden, or always when force is 1.
void ShowPointer(int force);
void HidePointer();
// 1 captures the pointer for play (hidden, mouse at the display centre); 0 releases it.
void SetPointerMode(int mode);
// Moves the mouse to the display centre; the current and previous positions become that point.
void CentrePointer();
// Once per frame: position, movement and buttons; keeps a captured mouse near the centre and a
// released one inside the playfield (full screen); places the pointer sprite.
void UpdatePointer();

// Window pixels to playfield units and back, under the current letterbox.
void WindowToPlayfield(float windowX, float windowY, float& x, float& y);
void PlayfieldToWindow(float x, float y, int& windowX, int& windowY);

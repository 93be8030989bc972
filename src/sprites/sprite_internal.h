#pragma once
// Small numeric helpers shared by the sprite engine's .cpp files.

namespace SpriteMath {

// Turns (x, y) by `degrees`, clockwise on screen (y grows downward).
void RotateDegrees(float degrees, float& x, float& y);
// Float to int truncating toward zero; NaN gives 0 and values out of range the nearest limit.
int TruncateToInt(float value);

} // namespace SpriteMath

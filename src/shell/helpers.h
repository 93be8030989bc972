#pragma once
// Small free helpers used across the game.
#include <cstdint>
#include <string>
#include <vector>

// Inserts "," between groups of three characters counted from the right ("1234567" becomes
// "1,234,567"). `digits` is the decimal form of a non-negative integer.
std::string FormatThousands(const std::string& digits);

// b × (a/b − floor(a/b)): a result in [0, b) for positive b (angle wrapping).
float FloatMod(float a, float b);

// The whole number at the start of a line of outside text (level files, the save file): leading
// blanks and tabs skipped, an optional "+" or "-", then decimal digits, or hexadecimal digits
// after "$", or binary digits after "%", up to the first other character ("00042abc" is 42). No
// digits (an empty line included) give 0. Values beyond the int64 range saturate.
int64_t ParseLenientInteger(const std::string& line);

// Draws RandomFloat(0, sum of weights) and returns the first index whose running sum reaches the
// draw. All weights 0 gives index 0. Fatal when the walk finds no index (empty list or a
// negative or NaN weight).
int WeightedRandom(const std::vector<float>& weights);

#pragma once
// The built-in 8 × 8 debug font: 5 × 7 glyphs in 8 × 8 cells, white on transparent.
#include "media/media.h"

namespace Media {

constexpr int DEBUG_FONT_CELL = 8;
constexpr int DEBUG_FONT_COLUMNS = 16; // characters 32..127 in 6 rows of 16 cells

// The font sheet as an RGBA pixel map (128 × 48): the cell of character c is at column
// (c − 32) % 16, row (c − 32) / 16. Lower-case letters look like capitals; characters without a
// glyph show a hollow box.
PixelMap BuildDebugFontSheet();

} // namespace Media

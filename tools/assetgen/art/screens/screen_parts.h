#pragma once
// The groups of screen art; GenerateScreenArt runs them all.
#include "common/output.h"

namespace assetgen::screens {

// gfx/font1.png, font2.png, font3.png.
void WriteFonts(const Output& out);
// Pointer, loading panel and bar, frame pieces, highlights and the one-pixel flash.
void WriteMenuParts(const Output& out);
// Every gfx/menus/button-*.png.
void WriteButtons(const Output& out);
// The title logotype, the optional start-up logo, menu headings and the play banners.
void WriteTitles(const Output& out);
// story1/2 and end1/2.
void WriteStory(const Output& out);
// credits1 … credits17.
void WriteCredits(const Output& out);
// gfx/background: nebulae, dark matter, dust and the star.
void WriteBackground(const Output& out);
// gfx/planets/planet1 … planet11.
void WritePlanets(const Output& out);

} // namespace assetgen::screens

#pragma once
// Colour bleeding for texture upload. Filtering and mip-mapping average neighbouring texels with
// their colour, so fully transparent texels (often black) would darken the edges of a sprite. Each
// fully transparent texel near visible ones takes their colour, the rest the average visible
// colour; alpha is kept.
#include "media/media.h"

namespace Media {

// Gives every fully transparent texel of an RGBA map the colour of its nearest visible texels,
// spreading outward ring by ring for a few rings; texels beyond get the average visible colour.
// A map without visible texels is left unchanged.
void BleedTransparentColours(PixelMap& rgba);

} // namespace Media

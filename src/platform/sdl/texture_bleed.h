#pragma once
// Colour bleeding for texture upload. Filtering and mip-mapping average neighbouring texels with
// their colour, so fully transparent texels (often black) would darken the edges of a sprite. Each
// fully transparent texel takes the colour of its nearest non-transparent texels; alpha is kept.
#include "shell/media.h"

namespace Media {

// Fills the colour of every fully transparent texel of an RGBA map from its nearest visible
// texels, spreading outward ring by ring. A map without visible texels is left unchanged.
void BleedTransparentColours(PixelMap& rgba);

} // namespace Media

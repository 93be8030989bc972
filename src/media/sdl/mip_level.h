#pragma once
// Mip levels made on the processor. Drivers' own mip generation can be slow to start (a software
// renderer compiles a blit program for it), and a box filter is all sprites need.
#include "media/media.h"

namespace Media {

// The next smaller level of an RGBA map: half its size in each direction (at least 1), each texel
// the rounded average of the 2 × 2 block it covers. At an odd size the last row or column, which
// no block covers, is left out, as the levels' sizes round down.
PixelMap HalfSizeMipLevel(const PixelMap& rgba);

} // namespace Media

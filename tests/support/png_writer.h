#pragma once
// The one PNG writer of the tests, benchmarks and fuzz seeds (libpng's simplified API).
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/media.h"

namespace testsupport {

// `width` × `height` pixels of libpng's simplified `format` (PNG_FORMAT_RGBA, PNG_FORMAT_GRAY, …)
// as PNG bytes; a colour-mapped format takes `colors` palette entries. Throws std::runtime_error
// when libpng refuses.
std::vector<uint8_t> PngBytes(int width, int height, png_uint_32 format, const void* pixels,
                              const png_color* colormap = nullptr, int colors = 0);
// An RGBA pixel map as PNG bytes.
std::vector<uint8_t> PngBytes(const Media::PixelMap& rgba);

} // namespace testsupport

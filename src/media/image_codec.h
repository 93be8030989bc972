#pragma once
// PNG (libpng) and JPEG (libjpeg) decoding to RGBA, and JPEG encoding.
#include <cstdint>
#include <string>
#include <vector>

#include "media/media.h"

namespace Media {

// Pictures larger than this on either side are refused (a corrupt header must not make us
// allocate gigabytes).
constexpr int MAX_PICTURE_SIDE = 16384;

// Decodes PNG or JPEG bytes, chosen by their signature, to straight-alpha RGBA; null when the
// bytes are not a picture we can read.
PixelMapRef DecodePicture(const std::vector<uint8_t>& bytes);
PixelMapRef DecodePng(const std::vector<uint8_t>& bytes);
PixelMapRef DecodeJpeg(const std::vector<uint8_t>& bytes);

} // namespace Media

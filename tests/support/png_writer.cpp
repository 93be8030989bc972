#include "support/png_writer.h"

#include <cstring>
#include <stdexcept>

namespace testsupport {

std::vector<uint8_t> PngBytes(int width, int height, png_uint_32 format, const void* pixels,
                              const png_color* colormap, int colors) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(width);
    png.height = png_uint_32(height);
    png.format = format;
    png.colormap_entries = png_uint_32(colors);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, pixels, 0, colormap))
        throw std::runtime_error("png: " + std::string(png.message));
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels, 0, colormap))
        throw std::runtime_error("png: " + std::string(png.message));
    bytes.resize(size);
    return bytes;
}

std::vector<uint8_t> PngBytes(const Media::PixelMap& rgba) {
    return PngBytes(rgba.Width, rgba.Height, PNG_FORMAT_RGBA, rgba.Pixels.data());
}

} // namespace testsupport

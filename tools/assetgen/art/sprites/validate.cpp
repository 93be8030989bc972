#include "art/sprites/validate.h"

#include <cairo.h>

#include <cstdint>
#include <stdexcept>

namespace assetgen::sprites {

void ValidateSheet(const Output& out, const std::string& relative, int cellW, int cellH, int count,
                   Hits hits) {
    std::string path = out.Path(relative).string();
    cairo_surface_t* sheet = cairo_image_surface_create_from_png(path.c_str());
    auto fail = [&](const std::string& why) {
        cairo_surface_destroy(sheet);
        throw std::runtime_error(relative + ": " + why);
    };
    if (cairo_surface_status(sheet) != CAIRO_STATUS_SUCCESS) fail("cannot be read back");
    int w = cairo_image_surface_get_width(sheet), h = cairo_image_surface_get_height(sheet);
    if (w % cellW != 0 || (w / cellW) * (h / cellH) < count) fail("too few cells");
    int columns = w / cellW;
    int stride = cairo_image_surface_get_stride(sheet);
    const unsigned char* data = cairo_image_surface_get_data(sheet);
    for (int frame = 0; frame < count; ++frame) {
        int ox = (frame % columns) * cellW, oy = (frame / columns) * cellH;
        bool solid = false;
        for (int y = 0; y < cellH; ++y) {
            const uint32_t* row =
                reinterpret_cast<const uint32_t*>(data + size_t(oy + y) * size_t(stride)) + ox;
            for (int x = 0; x < cellW; ++x) {
                uint32_t alpha = row[x] >> 24;
                if (alpha >= 128) solid = true;
                bool border = x == 0 || y == 0 || x == cellW - 1 || y == cellH - 1;
                if (border && alpha != 0) fail("frame " + std::to_string(frame) + " touches its cell border");
            }
        }
        if (hits == Hits::Solid && !solid) fail("frame " + std::to_string(frame) + " has no solid texels");
    }
    cairo_surface_destroy(sheet);
}

} // namespace assetgen::sprites

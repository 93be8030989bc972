#include "common/validate.h"

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>

#include "manifest.h"

namespace assetgen {
namespace {

void ValidatePng(const Output& out, const PictureEntry& e) {
    std::string path = out.Path(e.path).string();
    cairo_surface_t* sheet = cairo_image_surface_create_from_png(path.c_str());
    auto fail = [&](const std::string& why) {
        cairo_surface_destroy(sheet);
        throw std::runtime_error(e.path + ": " + why);
    };
    if (cairo_surface_status(sheet) != CAIRO_STATUS_SUCCESS) fail("cannot be read back");
    int w = cairo_image_surface_get_width(sheet), h = cairo_image_surface_get_height(sheet);
    int cellW = e.Animated() ? e.cellW : w, cellH = e.Animated() ? e.cellH : h;
    if (w % cellW != 0 || h % cellH != 0) fail("not cut into whole cells");
    int columns = w / cellW;
    if (columns * (h / cellH) < e.count) fail("too few cells");
    int stride = cairo_image_surface_get_stride(sheet);
    const unsigned char* data = cairo_image_surface_get_data(sheet);
    for (int frame = 0; frame < e.count; ++frame) {
        int ox = (frame % columns) * cellW, oy = (frame / columns) * cellH;
        bool solid = false;
        for (int y = 0; y < cellH; ++y) {
            const uint32_t* row =
                reinterpret_cast<const uint32_t*>(data + size_t(oy + y) * size_t(stride)) + ox;
            for (int x = 0; x < cellW; ++x) {
                uint32_t alpha = row[x] >> 24;
                if (alpha >= 128) solid = true;
                bool border = x == 0 || y == 0 || x == cellW - 1 || y == cellH - 1;
                if (e.clearEdges && border && alpha != 0)
                    fail("frame " + std::to_string(frame) + " touches its cell border");
            }
        }
        if (e.hittable && !solid) fail("frame " + std::to_string(frame) + " has no solid texels");
    }
    cairo_surface_destroy(sheet);
}

} // namespace

void ValidatePictures(const Output& out, const std::vector<std::string>& prefixes) {
    for (const PictureEntry& e : Pictures()) {
        if (!e.written) continue;
        bool mine = false;
        for (const std::string& prefix : prefixes)
            if (e.path.rfind(prefix, 0) == 0) mine = true;
        if (!mine) continue;
        if (!std::filesystem::is_regular_file(out.Path(e.path)))
            throw std::runtime_error(e.path + ": listed in the manifest but not written");
        // Cairo reads PNG only; the one JPEG (the dust) is a single opaque picture.
        if (e.path.size() > 4 && e.path.substr(e.path.size() - 4) == ".png") ValidatePng(out, e);
    }
}

} // namespace assetgen

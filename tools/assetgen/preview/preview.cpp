// Contact sheets of a generated data root for reviewing the art at a glance.
#include <cairo.h>

#include <filesystem>
#include <stdexcept>

#include "generators.h"

namespace assetgen {

void WritePreview(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir) {
    std::filesystem::create_directories(previewDir);
    cairo_surface_t* font = cairo_image_surface_create_from_png((dataRoot / "gfx/font1.png").c_str());
    if (cairo_surface_status(font) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(font);
        throw std::runtime_error("cannot read " + (dataRoot / "gfx/font1.png").string());
    }
    cairo_surface_write_to_png(font, (previewDir / "font1.png").c_str());
    cairo_surface_destroy(font);
}

} // namespace assetgen

#pragma once
// Reading generated pictures back for the preview sheets.
#include <cairo.h>

#include <filesystem>
#include <memory>

namespace assetgen::preview {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Reads a PNG (with Cairo) or a JPEG (with libjpeg) as an ARGB32 surface; an empty pointer when
// the file is missing or cannot be decoded.
Surface LoadPicture(const std::filesystem::path& path);
Surface NewSurface(int w, int h);

} // namespace assetgen::preview

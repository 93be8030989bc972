// Entry point of the screen art: fonts, menus, story, credits, background and planets.
#include <cairo.h>

#include "generators.h"
#include "common/sheet.h"

namespace assetgen {

void GenerateScreenArt(const Output& out) {
    // The white flash of the second boss's explosion: one opaque white pixel.
    WritePicture(out, "gfx/menus/pixel.png", 1, 1, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    });
}

} // namespace assetgen

// Entry point of the gameplay sprite art: enemies, bosses, ship, bullets, effects, powerups.
#include "generators.h"

#include <cairo.h>

#include "common/sheet.h"

namespace assetgen {

void GenerateSpriteArt(const Output& out) {
    WritePicture(out, "gfx/bullets/bullet0.png", 64, 64, [](cairo_t* cr) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(32, 32, 0, 32, 32, 28);
        cairo_pattern_add_color_stop_rgba(glow, 0, 0.6, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(glow, 1, 0, 0.4, 1, 0);
        cairo_set_source(cr, glow);
        cairo_rectangle(cr, 22, 4, 20, 56);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    });
}

} // namespace assetgen

// The desktop icons: the player's ship, nose up, over a deep-space tile with a soft engine glow
// and a few stars, drawn at each size rather than scaled so the small one stays crisp.
#include <algorithm>
#include <cmath>
#include <string>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "common/rng.h"
#include "common/sheet.h"
#include "generators.h"

namespace assetgen {
namespace {

using sprites::kPi;

void RoundedSquare(cairo_t* cr, double x, double y, double size, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + size - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, x + size - radius, y + size - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, y + size - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void DrawIcon(cairo_t* cr, int size) {
    const double s = size;
    const double inset = s * 0.04;
    RoundedSquare(cr, inset, inset, s - 2 * inset, s * 0.18);
    cairo_pattern_t* sky = cairo_pattern_create_radial(s * 0.5, s * 0.45, 0, s * 0.5, s * 0.5, s * 0.75);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.10, 0.16, 0.42);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.04, 0.05, 0.18);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.01, 0.01, 0.06);
    cairo_set_source(cr, sky);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sky);
    cairo_set_source_rgba(cr, 0.4, 0.9, 1.0, 0.7);
    cairo_set_line_width(cr, std::max(1.0, s / 48));
    cairo_stroke(cr);

    // Stars: fixed by a seeded generator so every build draws the same icon.
    Rng rng(size * 7919u);
    const int stars = size / 6;
    for (int i = 0; i < stars; ++i) {
        double x = inset * 2 + rng.Float(0, 1) * (s - inset * 4);
        double y = inset * 2 + rng.Float(0, 1) * (s - inset * 4);
        double r = (0.4 + rng.Float(0, 1) * 0.8) * s / 96;
        cairo_set_source_rgba(cr, 0.7, 0.9, 1.0, 0.35 + rng.Float(0, 1) * 0.5);
        cairo_arc(cr, x, y, std::max(r, 0.5), 0, 2 * kPi);
        cairo_fill(cr);
    }

    // Engine glow under the ship.
    cairo_pattern_t* glow = cairo_pattern_create_radial(s * 0.5, s * 0.55, 0, s * 0.5, s * 0.55, s * 0.42);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 0.35, 0.85, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.35, 0.85, 1.0, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);

    // The ship spans about 60 × 60 units about its origin.
    cairo_save(cr);
    cairo_translate(cr, s * 0.5, s * 0.55);
    cairo_scale(cr, s / 76, s / 76);
    sprites::DrawShipIcon(cr);
    cairo_restore(cr);
}

} // namespace

void WriteIcons(const std::filesystem::path& dir) {
    Output out(dir);
    for (int size : {48, 128, 256})
        WritePicture(out, "quillstorm-" + std::to_string(size) + ".png", size, size,
                     [size](cairo_t* cr) { DrawIcon(cr, size); });
}

} // namespace assetgen

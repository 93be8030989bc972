// Bullets: four laser levels (green, cyan, violet, gold), the homing rocket and its smoke, and the
// enemy shots: psychic wave, boss orbs, slime, lightning bolt and the tumbling egg.
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"
#include "common/sheet.h"

namespace assetgen::sprites {
namespace {

// A bolt pointing up, centred in a 64 px cell: white core inside a coloured sheath.
void Laser(cairo_t* cr, Rgb colour, double length, double width) {
    double top = 32 - length / 2, bottom = 32 + length / 2;
    auto capsule = [&](double w, double inset) {
        cairo_move_to(cr, 32, top + inset);
        cairo_curve_to(cr, 32 + w, top + inset + w, 32 + w * 0.8, bottom - w * 2, 32, bottom - inset);
        cairo_curve_to(cr, 32 - w * 0.8, bottom - w * 2, 32 - w, top + inset + w, 32, top + inset);
        cairo_close_path(cr);
    };
    capsule(width, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(p, 0, colour.r, colour.g, colour.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.7, colour.r, colour.g, colour.b, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0.35);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    capsule(width * 0.45, 2);
    Rgb hot = Mix(colour, {1, 1, 1}, 0.85);
    SetRgb(cr, hot);
    cairo_fill(cr);
    Lamp(cr, 32, top + width, width * 1.3, Mix(colour, {1, 1, 1}, 0.5));
}

void Rocket(cairo_t* cr, double t) {
    Tone hull = MakeTone({0.9, 0.9, 0.95}, kLampCyan);
    Tone fin = MakeTone({0.95, 0.3, 0.2}, kLampCyan);
    // Exhaust flicker.
    double flame = 4 + 3 * t;
    cairo_move_to(cr, 20, 34);
    cairo_curve_to(cr, 20, 38, 23, 40 + flame * 0.5, 24, 38 + flame);
    cairo_curve_to(cr, 25, 40 + flame * 0.5, 28, 38, 28, 34);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 34, 0, 38 + flame);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.85, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.4, 1, 0.6, 0.1, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.2, 0.0, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 24 + side * 3, 24);
        cairo_line_to(cr, 24 + side * 9, 33);
        cairo_line_to(cr, 24 + side * 9, 37);
        cairo_line_to(cr, 24 + side * 3, 33);
        cairo_close_path(cr);
        Shade(cr, fin, 1.0);
    }
    cairo_move_to(cr, 24, 8);
    cairo_curve_to(cr, 28, 12, 28.5, 18, 28.5, 22);
    cairo_line_to(cr, 28, 35);
    cairo_line_to(cr, 20, 35);
    cairo_line_to(cr, 19.5, 22);
    cairo_curve_to(cr, 19.5, 18, 20, 12, 24, 8);
    cairo_close_path(cr);
    Shade(cr, hull, 1.1);
    cairo_move_to(cr, 24, 8);
    cairo_curve_to(cr, 26.5, 10.5, 27.5, 13, 27.8, 15);
    cairo_line_to(cr, 20.2, 15);
    cairo_curve_to(cr, 20.5, 13, 21.5, 10.5, 24, 8);
    cairo_close_path(cr);
    Shade(cr, fin, 0.8);
    cairo_move_to(cr, 24, 18);
    cairo_line_to(cr, 24, 34);
    SetRgb(cr, {0.6, 0.6, 0.7}, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Lamp(cr, 24, 21, 2.4, kLampCyan, 0.6 + 0.4 * t);
}

// The psychic wave: drawn bulging up, because the game flips it to face down.
void Wave(cairo_t* cr, double t) {
    for (int ring = 0; ring < 3; ++ring) {
        double r = 20 + ring * 5 + t * 2;
        double width = ring == 0 ? 5.5 : 2.5;
        double alpha = ring == 0 ? 1.0 : 0.7 - ring * 0.15 + 0.2 * std::sin(t * kPi * 2 + ring);
        cairo_arc(cr, 32, 50, r, kPi * (1.2 - t * 0.03), kPi * (1.8 + t * 0.03));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, width);
        SetRgb(cr, ring == 0 ? Rgb{0.85, 0.45, 1.0} : Rgb{1.0, 0.55, 0.95}, alpha);
        cairo_stroke(cr);
    }
    cairo_arc(cr, 32, 50, 20 + t * 2, kPi * 1.25, kPi * 1.75);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, {1, 0.9, 1});
    cairo_stroke(cr);
}

void Orb(cairo_t* cr, Rgb colour, bool spiky) {
    if (spiky) {
        cairo_move_to(cr, 32, 4);
        for (int i = 1; i < 16; ++i) {
            double a = -kPi / 2 + i * kPi / 8, r = i % 2 ? 17 : 28;
            cairo_line_to(cr, 32 + r * std::cos(a), 32 + r * std::sin(a));
        }
        cairo_close_path(cr);
        SetRgb(cr, colour, 0.55);
        cairo_fill(cr);
    }
    cairo_pattern_t* p = cairo_pattern_create_radial(32, 32, 0, 32, 32, 22);
    Rgb hot = Mix(colour, {1, 1, 1}, 0.8);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.35, hot.r, hot.g, hot.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.75, colour.r, colour.g, colour.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0.0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 32, 32, 22, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, 32, 32, 16, 0, 2 * kPi);
    SetRgb(cr, Mix(colour, {1, 1, 1}, 0.4), 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void Slime(cairo_t* cr, double t) {
    double wob = std::sin(t * kPi * 2);
    cairo_move_to(cr, 32, 10 + wob * 2);
    cairo_curve_to(cr, 36, 20, 46 + wob * 2, 30, 45 + wob, 40);
    cairo_curve_to(cr, 44, 51, 38, 54 - wob, 32, 54 - wob);
    cairo_curve_to(cr, 26, 54 - wob, 20, 51, 19 - wob, 40);
    cairo_curve_to(cr, 18 - wob * 2, 30, 28, 20, 32, 10 + wob * 2);
    cairo_close_path(cr);
    Shade(cr, MakeTone(kSlimeGreen, {0.8, 1.0, 0.6}), 1.4);
    Highlight(cr, 27, 34, 4, 7, 0.7);
    Body(cr, 36 + wob, 44, 3, 2.5, 0, MakeTone(Bright(kSlimeGreen, 0.5), kInsectRim), 0);
    Body(cr, 30, 46 - wob, 2, 1.8, 0, MakeTone(Bright(kSlimeGreen, 0.5), kInsectRim), 0);
}

void Bolt(cairo_t* cr) {
    static const double zig[][2] = {{32, 7}, {26, 17}, {36, 24}, {27, 33}, {38, 41}, {29, 49}, {33, 57}};
    for (int pass = 0; pass < 3; ++pass) {
        cairo_move_to(cr, zig[0][0], zig[0][1]);
        for (int i = 1; i < 7; ++i)
            cairo_line_to(cr, zig[i][0], zig[i][1]);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        static const double widths[3] = {9, 5, 2};
        static const Rgb colours[3] = {{0.2, 0.4, 0.9}, {0.45, 0.75, 1.0}, {1, 1, 1}};
        cairo_set_line_width(cr, widths[pass]);
        SetRgb(cr, colours[pass], pass == 0 ? 0.6 : 1.0);
        cairo_stroke(cr);
    }
    // Side forks.
    double forks[][4] = {{26, 17, 20, 22}, {36, 24, 43, 27}, {38, 41, 44, 46}, {27, 33, 21, 37}};
    for (auto& f : forks) {
        cairo_move_to(cr, f[0], f[1]);
        cairo_line_to(cr, f[2], f[3]);
        cairo_set_line_width(cr, 1.6);
        SetRgb(cr, {0.7, 0.9, 1.0}, 0.9);
        cairo_stroke(cr);
    }
}

void Egg(cairo_t* cr, double phase) {
    cairo_save(cr);
    cairo_translate(cr, 32, 32);
    cairo_rotate(cr, phase * 2 * kPi);
    cairo_move_to(cr, 0, -22);
    cairo_curve_to(cr, 13, -22, 17, 4, 16, 10);
    cairo_curve_to(cr, 15, 19, 8, 22, 0, 22);
    cairo_curve_to(cr, -8, 22, -15, 19, -16, 10);
    cairo_curve_to(cr, -17, 4, -13, -22, 0, -22);
    cairo_close_path(cr);
    cairo_restore(cr);
    Shade(cr, MakeTone({1.0, 0.88, 0.55}, {1.0, 0.85, 0.3}), 1.4);
    // Speckles turn with the egg; the highlight stays where the light is.
    cairo_save(cr);
    cairo_translate(cr, 32, 32);
    cairo_rotate(cr, phase * 2 * kPi);
    static const double spots[][3] = {{-5, -10, 2.4}, {6, -4, 1.8}, {-8, 6, 2.0},
                                      {4, 12, 2.6},   {9, 5, 1.3},  {-2, 0, 1.5}};
    for (auto& s : spots) {
        EllipsePath(cr, s[0], s[1], s[2], s[2] * 0.8);
        SetRgb(cr, {0.6, 0.35, 0.15}, 0.85);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    Highlight(cr, 26, 24, 5, 7, 0.6);
}

void Smoke(cairo_t* cr, int frame) {
    double t = frame / 15.0;
    double radius = 6 + t * 9;
    double alpha = 0.85 * (1 - t) * (1 - t * 0.3);
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * kPi / 5 + t;
        double x = 16 + std::cos(a) * radius * 0.4, y = 16 + std::sin(a) * radius * 0.4;
        cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius * 0.7);
        double g = 0.75 + 0.05 * i;
        cairo_pattern_add_color_stop_rgba(p, 0, g, g, g * 1.05, alpha);
        cairo_pattern_add_color_stop_rgba(p, 1, g, g, g * 1.05, 0);
        cairo_set_source(cr, p);
        cairo_arc(cr, x, y, radius * 0.7, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

} // namespace

void GenerateBullets(const Output& out) {
    struct LaserLook {
        Rgb colour;
        double length, width;
    };
    static const LaserLook lasers[4] = {{{0.3, 1.0, 0.45}, 36, 6},
                                        {{0.25, 0.8, 1.0}, 40, 6.5},
                                        {{0.8, 0.35, 1.0}, 44, 7},
                                        {{1.0, 0.7, 0.2}, 48, 8}};
    for (int i = 0; i < 4; ++i)
        WriteGlowPicture(
            out, "gfx/bullets/bullet" + std::to_string(i) + ".png", 64, 64, lasers[i].colour, 4, 0.45,
            [&](cairo_t* cr) { Laser(cr, lasers[i].colour, lasers[i].length, lasers[i].width); });
    WriteGlowStrip(out, "gfx/bullets/bullet4.png", {1.0, 0.6, 0.2}, 2.5, 0.4,
                   [](cairo_t* cr, int f) { Rocket(cr, PingPong(f, 16)); });
    WriteGlowStrip(out, "gfx/bullets/bullet5.png", {0.8, 0.4, 1.0}, 3, 0.45,
                   [](cairo_t* cr, int f) { Wave(cr, PingPong(f, 16)); });
    WriteGlowPicture(out, "gfx/bullets/bullet6.png", 64, 64, {1.0, 0.45, 0.1}, 4, 0.45, [](cairo_t* cr) {
        Orb(cr, {1.0, 0.45, 0.1}, false);
    });
    WriteGlowStrip(out, "gfx/bullets/bullet7.png", kSlimeGreen, 3, 0.4,
                   [](cairo_t* cr, int f) { Slime(cr, PingPong(f, 16)); });
    WriteGlowPicture(out, "gfx/bullets/bullet9.png", 64, 64, kBossEnergy, 4, 0.45,
                     [](cairo_t* cr) { Orb(cr, kBossEnergy, true); });
    WriteGlowPicture(out, "gfx/bullets/bullet12.png", 64, 64, kElectric, 4, 0.45, Bolt);
    WriteGlowStrip(out, "gfx/bullets/bullet16.png", {1.0, 0.8, 0.3}, 3, 0.4,
                   [](cairo_t* cr, int f) { Egg(cr, LoopPhase(f, 16)); });
    WriteStrip(out, "gfx/bullets/rocketsmoke.png", Smoke);
}

} // namespace assetgen::sprites

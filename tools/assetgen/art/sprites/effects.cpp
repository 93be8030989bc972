// Effects that play once in 500 ms (16 frames from birth to fade): the fire explosion, slime and
// egg splats, the shock-wave ring and the electric spark; plus the white ring of the last boss.
#include <algorithm>
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"
#include "common/noise.h"
#include "common/rng.h"
#include "common/sheet.h"
#include "manifest.h"

namespace assetgen::sprites {
namespace {

double Smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Fire colour ramp: 1 = white hot, 0 = dark smoke.
Rgb FireRamp(double heat) {
    static const Rgb stops[] = {
        {0.22, 0.17, 0.18}, {0.75, 0.18, 0.06}, {1.0, 0.5, 0.08}, {1.0, 0.85, 0.3}, {1, 1, 0.92}};
    heat = std::clamp(heat, 0.0, 1.0) * 4;
    int i = std::min(3, int(heat));
    return Mix(stops[i], stops[i + 1], heat - i);
}

Texel Fireball(double x, double y, double t, double cell) {
    double cx = x - cell / 2, cy = y - cell / 2;
    double grow = 1 - (1 - t) * (1 - t) * (1 - t);
    double radius = cell * (0.2 + 0.22 * grow);
    double r = std::sqrt(cx * cx + cy * cy) / radius;
    double s = 6.0 / cell;
    double n = Fbm3(cx * s, cy * s, t * 2.5, 4, 4711);
    double density = 1 - r + 0.45 * n;
    if (density <= 0) return {0, 0, 0, 0};
    double heat = (1.45 - t * 1.5) * (1 - 0.5 * r) + 0.3 * n;
    Rgb c = FireRamp(heat);
    double fade = 1 - Smooth(0.4, 1.0, t);
    double a = std::clamp(density * 3.5, 0.0, 1.0) * fade;
    return {c.r, c.g, c.b, a};
}

void Explosion(const Output& out) {
    WriteStrip(out, "gfx/effects/explosion.png", [](cairo_t* cr, int frame) {
        double t = frame / 15.0;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
        FillPixels(s, [&](double x, double y) { return Fireball(x, y, t, 64); });
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(s);
        // The first flash and a thin blast ring racing out ahead of the fire.
        if (t < 0.2) Lamp(cr, 32, 32, 20, {1.0, 0.95, 0.7}, 1 - t / 0.2);
        if (t < 0.5) {
            double ring = 1 - (1 - t / 0.5) * (1 - t / 0.5);
            cairo_arc(cr, 32, 32, 10 + 17 * ring, 0, 2 * kPi);
            SetRgb(cr, {1.0, 0.85, 0.55}, 0.8 * (1 - t / 0.5));
            cairo_set_line_width(cr, 2.2 - 1.4 * ring);
            cairo_stroke(cr);
        }
        // Sparks thrown outwards in the first half.
        Rng rng(99);
        for (int i = 0; i < 10; ++i) {
            double a = rng.Float(0, 2 * kPi), speed = rng.Float(12, 18);
            double d0 = 12 + speed * t, d1 = d0 + 3 + 5 * (1 - t);
            if (t > 0.7) continue;
            cairo_move_to(cr, 32 + std::cos(a) * d0, 32 + std::sin(a) * d0);
            cairo_line_to(cr, 32 + std::cos(a) * d1, 32 + std::sin(a) * d1);
            SetRgb(cr, {1.0, 0.85, 0.4}, 1 - t / 0.7);
            cairo_set_line_width(cr, 1.3);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        }
    });
}

// A splat: a wobbly central blob and droplets flung outward, fading in the last third.
void Splat(cairo_t* cr, double t, Rgb colour, Rgb inner, uint32_t seed, bool shells) {
    cairo_translate(cr, 128, 128);
    double grow = 1 - (1 - t) * (1 - t);
    double fade = 1 - Smooth(0.6, 1.0, t);
    double radius = 28 + 30 * grow;
    for (int i = 0; i <= 96; ++i) {
        double a = i * 2 * kPi / 96;
        double r = radius * (1 + 0.28 * Fbm2(std::cos(a) * 1.5 + 10, std::sin(a) * 1.5, 3, seed) +
                             0.12 * std::sin(a * 7 + seed));
        if (i == 0)
            cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
        else
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_push_group(cr);
    Shade(cr, MakeTone(colour, Mix(colour, {1, 1, 1}, 0.5)), 2);
    Body(cr, 0, 0, radius * 0.45, radius * 0.4, 0.4, MakeTone(inner, Mix(inner, {1, 1, 1}, 0.5)), 0);
    Highlight(cr, -radius * 0.3, -radius * 0.35, radius * 0.3, radius * 0.15, 0.6);
    Rng rng(seed);
    for (int i = 0; i < 14; ++i) {
        double a = rng.Float(0, 2 * kPi), speed = rng.Float(25, 50), size = rng.Float(5, 10);
        double d = radius * 0.6 + speed * grow;
        double x = std::cos(a) * d, y = std::sin(a) * d;
        if (shells && i % 2 == 0) {
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a + t * 6);
            cairo_move_to(cr, -size, -size * 0.4);
            cairo_line_to(cr, size * 0.8, -size * 0.7);
            cairo_line_to(cr, size, size * 0.5);
            cairo_line_to(cr, -size * 0.5, size * 0.6);
            cairo_close_path(cr);
            cairo_restore(cr);
            Shade(cr, MakeTone({1.0, 0.95, 0.85}, {1, 1, 1}), 1.5);
        } else {
            Body(cr, x, y, size * (1 + 0.5 * grow), size, a, MakeTone(colour, Mix(colour, {1, 1, 1}, 0.5)),
                 1.5);
        }
    }
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, fade);
}

// A glowing ring that races outwards and thins, with a ripple of noise along it.
Texel Ring(double x, double y, double t, double cell, Rgb colour) {
    double cx = x - cell / 2, cy = y - cell / 2;
    double r = std::sqrt(cx * cx + cy * cy) / (cell / 2);
    double grow = 1 - (1 - t) * (1 - t);
    double ringR = 0.15 + 0.67 * grow;
    double width = 0.16 * (1 - t * 0.6);
    double a = std::atan2(cy, cx);
    double n = Noise2(std::cos(a) * 3 + 5, std::sin(a) * 3 + t * 2, 77);
    double d = (r - ringR) / width + n * 0.3;
    double band = std::exp(-d * d * 2.5);
    double inner = r < ringR ? 0.25 * (r / ringR) * (1 - t) : 0;
    double fade = 1 - Smooth(0.5, 1.0, t);
    double alpha = std::clamp(band + inner, 0.0, 1.0) * fade;
    Rgb c = Mix(colour, {1, 1, 1}, band * 0.6);
    return {c.r, c.g, c.b, alpha};
}

// Electric spark: forked bolts from the centre and a flash, re-struck every few frames.
void Spark(cairo_t* cr, int frame) {
    double t = frame / 15.0;
    double fade = 1 - Smooth(0.45, 1.0, t);
    cairo_translate(cr, 128, 128);
    Lamp(cr, 0, 0, 40 + 50 * (1 - t), kElectric, fade);
    Rng rng(1234 + uint64_t(frame / 3));
    for (int i = 0; i < 7; ++i) {
        double a = rng.Float(0, 2 * kPi), len = rng.Float(60, 115) * (0.6 + 0.4 * t);
        double x = 0, y = 0;
        cairo_move_to(cr, 0, 0);
        int steps = 7;
        for (int k = 1; k <= steps; ++k) {
            double d = len * k / steps;
            double jitter = rng.Float(-12, 12);
            x = std::cos(a) * d - std::sin(a) * jitter;
            y = std::sin(a) * d + std::cos(a) * jitter;
            cairo_line_to(cr, x, y);
        }
        cairo_path_t* path = cairo_copy_path(cr);
        static const double widths[3] = {10, 5, 2};
        static const Rgb colours[3] = {{0.3, 0.5, 1.0}, {0.55, 0.85, 1.0}, {1, 1, 1}};
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 3; ++pass) {
            cairo_new_path(cr);
            cairo_append_path(cr, path);
            cairo_set_line_width(cr, widths[pass] * (1 - t * 0.5));
            SetRgb(cr, colours[pass], (pass == 0 ? 0.45 : 1.0) * fade);
            cairo_stroke(cr);
        }
        cairo_path_destroy(path);
        Lamp(cr, x, y, 8, kElectric, fade);
    }
}

void WritePixelFrames(const Output& out, const std::string& name, Rgb colour) {
    const int cell = FindPicture(name).cellW;
    WriteStrip(out, name, [&](cairo_t* cr, int frame) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cell, cell);
        FillPixels(s, [&](double x, double y) { return Ring(x, y, frame / 15.0, cell, colour); });
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(s);
    });
}

} // namespace

void GenerateEffects(const Output& out) {
    Explosion(out);
    WriteGlowStrip(out, "gfx/effects/slime_green.png", kSlimeGreen, 6, 0.4, [](cairo_t* cr, int f) {
        Splat(cr, f / 15.0, kSlimeGreen, {0.75, 1.0, 0.4}, 61, false);
    });
    WriteGlowStrip(out, "gfx/effects/eggsplosion.png", {1.0, 0.8, 0.2}, 6, 0.4, [](cairo_t* cr, int f) {
        Splat(cr, f / 15.0, {1.0, 0.97, 0.88}, {1.0, 0.72, 0.05}, 83, true);
    });
    WritePixelFrames(out, "gfx/effects/shockwave.png", {0.8, 0.45, 1.0});
    WriteStrip(out, "gfx/effects/spark.png", Spark);
    WritePicture(out, "gfx/effects/shockwave2.png", 1024, 1024, [](cairo_t* cr) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 1024);
        FillPixels(s, [](double x, double y) {
            double cx = x - 512, cy = y - 512;
            double r = std::sqrt(cx * cx + cy * cy) / 512;
            double a = std::atan2(cy, cx);
            double n = Fbm2(std::cos(a) * 4 + 9, std::sin(a) * 4 + r * 6, 4, 505);
            double d = (r - 0.86) / 0.07;
            double band = std::exp(-d * d * 1.5) * (0.85 + 0.15 * n);
            double inner = r < 0.86 ? 0.22 * std::pow(r / 0.86, 3) * (0.7 + 0.3 * n) : 0;
            double g = 0.75 + 0.25 * band;
            return Texel{g, g, g, std::clamp(band + inner, 0.0, 1.0) * Smooth(1.0, 0.97, r)};
        });
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(s);
    });
}

} // namespace assetgen::sprites

// The scenery layers, painted in white and grey because the game tints them with the level
// colour: six nebula clouds, four dark-matter veils, the dust JPEG and the twinkling star.
#include <cairo.h>

#include <cmath>
#include <string>

#include "art/screens/field.h"
#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/noise.h"
#include "common/rng.h"
#include "common/sheet.h"

namespace assetgen::screens {
namespace {

void Save(cairo_surface_t* s, const Output& out, const std::string& path) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".jpg") SaveJpeg(s, out.Path(path).string(), 90);
    else SavePng(s, out.Path(path).string());
    cairo_surface_destroy(s);
}

void WriteStar(const Output& out) {
    // Round enough to spin, with four long rays and four short ones, white so it takes any tint.
    WritePicture(out, "gfx/background/star3.png", 64, 64, [](cairo_t* cr) {
        const double c = 32;
        cairo_pattern_t* halo = cairo_pattern_create_radial(c, c, 0, c, c, 30);
        cairo_pattern_add_color_stop_rgba(halo, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(halo, 0.12, 1, 1, 1, 0.85);
        cairo_pattern_add_color_stop_rgba(halo, 0.35, 1, 1, 1, 0.22);
        cairo_pattern_add_color_stop_rgba(halo, 1, 1, 1, 1, 0);
        cairo_set_source(cr, halo);
        cairo_paint(cr);
        cairo_pattern_destroy(halo);
        for (int k = 0; k < 8; ++k) {
            double a = k * M_PI / 4, len = (k % 2 == 0) ? 30 : 16, waist = (k % 2 == 0) ? 2.2 : 1.5;
            cairo_save(cr);
            cairo_translate(cr, c, c);
            cairo_rotate(cr, a);
            cairo_move_to(cr, 0, -waist);
            cairo_line_to(cr, len, 0);
            cairo_line_to(cr, 0, waist);
            cairo_close_path(cr);
            cairo_pattern_t* ray = cairo_pattern_create_linear(0, 0, len, 0);
            cairo_pattern_add_color_stop_rgba(ray, 0, 1, 1, 1, 0.95);
            cairo_pattern_add_color_stop_rgba(ray, 1, 1, 1, 1, 0);
            cairo_set_source(cr, ray);
            cairo_fill(cr);
            cairo_pattern_destroy(ray);
            cairo_restore(cr);
        }
    });
}

struct NebulaShape {
    double stretch;   // width / height of the envelope
    double warp;      // strength of the domain warp
    double ridged;    // 0 soft billows … 1 filaments
    double ring;      // 0 filled cloud … 1 hollow shell
    double frequency; // noise frequency over the picture
};

const NebulaShape kNebulae[] = {
    {1.0, 0.5, 0.0, 0.0, 1.8}, {1.8, 0.7, 0.25, 0.0, 1.6}, {1.3, 0.9, 0.7, 0.0, 2.0},
    {1.5, 0.6, 0.1, 0.0, 1.5}, {1.0, 0.6, 0.4, 0.8, 2.0}, {1.2, 0.8, 0.5, 0.2, 2.4},
};

void WriteNebula(const Output& out, int index) {
    const int size = 512;
    const NebulaShape& n = kNebulae[index];
    uint32_t seed = 500u + uint32_t(index) * 37u;
    Rng rng(seed);
    double angle = rng.Float(0, M_PI);
    Field density(size, size, 2, [&](double px, double py) {
        double u = (px - size / 2.0) / (size / 2.0), v = (py - size / 2.0) / (size / 2.0);
        double ru = u * std::cos(angle) + v * std::sin(angle), rv = -u * std::sin(angle) + v * std::cos(angle);
        double x = u * n.frequency, y = v * n.frequency;
        double wx = Fbm2(x + 5.2, y + 1.3, 4, seed + 1), wy = Fbm2(x - 3.1, y + 7.7, 4, seed + 2);
        x += n.warp * 1.3 * wx;
        y += n.warp * 1.3 * wy;
        double soft = Fbm2(x, y, 5, seed + 3) * 1.5;
        double ridge = 1.0 - std::fabs(Fbm2(x * 1.2, y * 1.2, 4, seed + 4) * 2.0);
        double cloud = soft * (1 - n.ridged) + (std::pow(Clamp01(ridge), 3) - 0.3) * n.ridged * 1.2;
        // The envelope keeps every edge fully transparent; its border is frayed by the noise.
        double r = std::hypot(ru, rv * n.stretch) + 0.3 * wx;
        double envelope = SmoothStep(0.95, 0.2, r);
        if (n.ring > 0) envelope *= 1 - n.ring * SmoothStep(0.45, 0.1, r);
        return Clamp01(0.4 + cloud) * envelope;
    });
    Field grain(size, size, 1, [&](double px, double py) { return Noise2(px / 9.0, py / 9.0, seed + 9); });
    cairo_surface_t* s = PaintPixels(size, size, [&](int x, int y) {
        double d = density.At(x, y);
        double a = std::pow(Clamp01(d * 1.45), 1.4);
        // Dense parts are whiter, thin parts grey, with a little grain in the grey.
        double g = 0.62 + 0.38 * SmoothStep(0.1, 0.8, d) + 0.05 * grain.At(x, y);
        return Rgba{g, g, g, a};
    });
    Save(s, out, "gfx/background/nebula" + std::to_string(index + 1) + ".png");
}

// Additive veils: thin bright filaments of "dark matter" on black, grey so the tint shows.
void WriteDarkMatter(const Output& out, int index) {
    const int w = 960, h = 600;
    uint32_t seed = 900u + uint32_t(index) * 53u;
    const double freq = 1.3 + 0.25 * index;
    Field veil(w, h, 3, [&](double px, double py) {
        double x = px / h * freq, y = py / h * freq;
        double wx = Fbm2(x + 1.7, y + 9.2, 3, seed + 1), wy = Fbm2(x + 8.3, y + 2.8, 3, seed + 2);
        x += 1.1 * wx;
        y += 1.1 * wy;
        double f = 1 - std::fabs(Fbm2(x, y, 4, seed + 3) * 2.2);
        double filaments = std::pow(Clamp01(f), 5.0);
        // Broad patches decide where the veil is at all, leaving open space between them.
        double patch = SmoothStep(-0.1, 0.35, Fbm2(x * 0.45 + 3.3, y * 0.45, 3, seed + 4) * 1.8);
        double haze = Clamp01(0.5 + Fbm2(x * 0.8, y * 0.8, 4, seed + 5) * 1.4);
        return (filaments * 0.48 + haze * haze * 0.15) * (0.3 + 0.7 * patch);
    });
    // The veil thins out towards the middle of the screen, where the action is.
    cairo_surface_t* s = PaintPixels(w, h, [&](int x, int y) {
        double u = (x - w / 2.0) / (w / 2.0), v = (y - h / 2.0) / (h / 2.0);
        double vignette = 0.55 + 0.45 * SmoothStep(0.2, 1.2, std::hypot(u, v));
        double g = Clamp01(veil.At(x, y) * vignette);
        return Rgba{g, g, g, 1};
    });
    Save(s, out, "gfx/background/darkmatter" + std::to_string(index + 1) + ".png");
}

// Brightness becomes the dust's opacity: black is empty space, white dense dust.
void WriteDust(const Output& out) {
    const int w = 1024, h = 640;
    const uint32_t seed = 1300;
    Field clouds(w, h, 2, [&](double px, double py) {
        double x = px / 220.0, y = py / 220.0;
        double wx = Fbm2(x, y + 4.1, 3, seed + 1);
        double c = Fbm2(x + wx, y - wx, 6, seed + 2);
        return Clamp01((c + 0.08) * 1.6);
    });
    Rng rng(seed);
    cairo_surface_t* s = PaintPixels(w, h, [&](int x, int y) {
        double c = clouds.At(x, y);
        double speck = Noise2(x * 0.45, y * 0.45, seed + 3);
        double g = Clamp01(0.75 * c * c * (0.8 + 0.2 * speck) + std::max(0.0, speck - 0.3) * 0.5 * (0.2 + c));
        return Rgba{g, g, g, 1};
    });
    // Scattered points of light in the dust.
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i < 260; ++i) {
        double x = rng.Float(0, w), y = rng.Float(0, h), r = std::pow(rng.Float(0, 1), 3) * 1.8 + 0.5;
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, rng.Float(0.3, 0.9));
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    Save(s, out, "gfx/background/dust2.jpg");
}

} // namespace

void WriteBackground(const Output& out) {
    WriteStar(out);
    for (int i = 0; i < 6; ++i) WriteNebula(out, i);
    for (int i = 0; i < 4; ++i) WriteDarkMatter(out, i);
    WriteDust(out);
}

} // namespace assetgen::screens

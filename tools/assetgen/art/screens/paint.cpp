#include "art/screens/paint.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/rng.h"

namespace assetgen::screens {

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double SmoothStep(double e0, double e1, double v) {
    double t = Clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

void SelectFont(cairo_t* cr, const TextStyle& style) {
    cairo_select_font_face(cr, style.family, CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
}

double InkWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
    SelectFont(cr, style);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.width;
}

double InkWidth(const std::string& text, const TextStyle& style) {
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(probe);
    double width = InkWidth(cr, text, style);
    cairo_destroy(cr);
    cairo_surface_destroy(probe);
    return width;
}

namespace {

void PaintTextPath(cairo_t* cr, const TextStyle& style, double top, double bottom) {
    // The halo: strokes from wide and faint to narrow, so the light gathers near the letters.
    if (style.glowRadius > 0) {
        const int steps = 6;
        for (int i = steps; i >= 1; --i) {
            double w = style.outlineWidth + 2 * style.glowRadius * i / steps;
            SetColour(cr, style.glow, style.glowAlpha / steps);
            cairo_set_line_width(cr, w);
            cairo_stroke_preserve(cr);
        }
    }
    if (style.outlineWidth > 0) {
        SetColour(cr, style.outline, style.outlineAlpha);
        cairo_set_line_width(cr, style.outlineWidth * 2);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(fill, 0, style.top.r, style.top.g, style.top.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, style.bottom.r, style.bottom.g, style.bottom.b);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

} // namespace

void DrawTextLeft(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_new_path(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    PaintTextPath(cr, style, baseline - fe.ascent * 0.8, baseline + fe.descent * 0.5);
    cairo_restore(cr);
}

void DrawText(cairo_t* cr, const std::string& text, double cx, double baseline, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_restore(cr);
    DrawTextLeft(cr, text, cx - ext.x_bearing - ext.width / 2, baseline, style);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void DrawGlassCapsule(cairo_t* cr, double x, double y, double w, double h, Rgb rim, double rimWidth) {
    cairo_save(cr);
    double inset = rimWidth * 1.5;
    double ix = x + inset, iy = y + inset, iw = w - 2 * inset, ih = h - 2 * inset;
    // Outer halo of the rim.
    for (int i = 3; i >= 1; --i) {
        RoundedRect(cr, ix, iy, iw, ih, ih / 2);
        SetColour(cr, rim, 0.10);
        cairo_set_line_width(cr, rimWidth * (1 + i));
        cairo_stroke(cr);
    }
    RoundedRect(cr, ix, iy, iw, ih, ih / 2);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, iy, 0, iy + ih);
    cairo_pattern_add_color_stop_rgba(body, 0, 0.16, 0.26, 0.52, 0.96);
    cairo_pattern_add_color_stop_rgba(body, 0.5, kNavy.r, kNavy.g, kNavy.b, 0.96);
    cairo_pattern_add_color_stop_rgba(body, 1, 0.02, 0.04, 0.12, 0.96);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, rim, 1.0);
    cairo_set_line_width(cr, rimWidth);
    cairo_stroke(cr);
    // A glassy highlight across the upper half.
    RoundedRect(cr, ix + ih * 0.25, iy + rimWidth, iw - ih * 0.5, ih * 0.38, ih * 0.19);
    cairo_pattern_t* shine = cairo_pattern_create_linear(0, iy, 0, iy + ih * 0.45);
    cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.30);
    cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
    cairo_restore(cr);
}

void DrawSparkle(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha) {
    cairo_save(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(glow, 0.15, colour.r, colour.g, colour.b, alpha * 0.8);
    cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    // Thin cross rays.
    double ray = radius * 2.2, waist = radius * 0.08;
    for (int k = 0; k < 2; ++k) {
        cairo_new_path(cr);
        if (k == 0) {
            cairo_move_to(cr, x - ray, y);
            cairo_line_to(cr, x, y - waist);
            cairo_line_to(cr, x + ray, y);
            cairo_line_to(cr, x, y + waist);
        } else {
            cairo_move_to(cr, x, y - ray);
            cairo_line_to(cr, x + waist, y);
            cairo_line_to(cr, x, y + ray);
            cairo_line_to(cr, x - waist, y);
        }
        cairo_close_path(cr);
        SetColour(cr, Mix(colour, kWhite, 0.6), alpha * 0.9);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawSky(cairo_t* cr, double x, double y, double w, double h, uint64_t seed, Rgb nebula) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_pattern_t* base = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(base, 0, kSpace.r, kSpace.g, kSpace.b);
    cairo_pattern_add_color_stop_rgb(base, 1, kNavy.r * 0.7, kNavy.g * 0.7, kNavy.b * 0.8);
    cairo_set_source(cr, base);
    cairo_paint(cr);
    cairo_pattern_destroy(base);
    Rng rng(seed);
    // Soft colour clouds.
    for (int i = 0; i < 9; ++i) {
        double cx = x + rng.Float(0, w), cy = y + rng.Float(0, h), r = rng.Float(0.15, 0.45) * std::max(w, h);
        cairo_pattern_t* cloud = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
        Rgb c = Mix(nebula, kViolet, rng.Float(0, 0.6));
        cairo_pattern_add_color_stop_rgba(cloud, 0, c.r, c.g, c.b, rng.Float(0.10, 0.22));
        cairo_pattern_add_color_stop_rgba(cloud, 1, c.r, c.g, c.b, 0);
        cairo_set_source(cr, cloud);
        cairo_paint(cr);
        cairo_pattern_destroy(cloud);
    }
    int stars = int(w * h / 1800);
    for (int i = 0; i < stars; ++i) {
        double sx = x + rng.Float(0, w), sy = y + rng.Float(0, h);
        double d = std::pow(rng.Float(0, 1), 4);
        Rgb c = Mix(kIce, rng.Float(0, 1) < 0.5 ? kCyan : kGold, rng.Float(0, 0.5));
        SetColour(cr, c, 0.35 + 0.65 * d);
        cairo_arc(cr, sx, sy, 0.6 + 1.6 * d, 0, 2 * M_PI);
        cairo_fill(cr);
        if (d > 0.5) DrawSparkle(cr, sx, sy, 3 + 6 * d, c, 0.6);
    }
    cairo_restore(cr);
}

cairo_surface_t* PaintPixels(int w, int h, const std::function<Rgba(int x, int y)>& pixel) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot create surface");
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            Rgba p = pixel(x, y);
            double a = Clamp01(p.a);
            auto channel = [a](double v) { return uint32_t(std::lround(Clamp01(v) * a * 255.0)); };
            row[x] = (uint32_t(std::lround(a * 255.0)) << 24) | (channel(p.r) << 16) | (channel(p.g) << 8) | channel(p.b);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace assetgen::screens

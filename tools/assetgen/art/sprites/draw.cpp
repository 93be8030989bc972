#include "art/sprites/draw.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "common/noise.h"
#include "common/sheet.h"
#include "manifest.h"

namespace assetgen::sprites {
namespace {

double Clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Three box blurs in a row approximate a Gaussian; `radius` is the box half-width.
void BoxBlur(std::vector<float>& v, int w, int h, int radius) {
    std::vector<float> tmp(v.size());
    auto pass = [&](const std::vector<float>& src, std::vector<float>& dst, bool horizontal) {
        int lines = horizontal ? h : w, len = horizontal ? w : h;
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int i) -> float {
                if (i < 0 || i >= len) return 0.0f;
                return horizontal ? src[size_t(l) * size_t(w) + size_t(i)]
                                  : src[size_t(i) * size_t(w) + size_t(l)];
            };
            double sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += at(i);
            for (int i = 0; i < len; ++i) {
                size_t idx =
                    horizontal ? size_t(l) * size_t(w) + size_t(i) : size_t(i) * size_t(w) + size_t(l);
                dst[idx] = float(sum / (2 * radius + 1));
                sum += at(i + radius + 1) - at(i - radius);
            }
        }
    };
    for (int k = 0; k < 3; ++k) {
        pass(v, tmp, true);
        pass(tmp, v, false);
    }
}

// Draws one layer and lays it over the glow of its own silhouette, into `target` at (0, 0).
void ComposeGlow(cairo_t* target, int w, int h, Rgb glow, double radius, double strength,
                 const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(layer);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(layer);
    int stride = cairo_image_surface_get_stride(layer);
    unsigned char* data = cairo_image_surface_get_data(layer);
    std::vector<float> alpha(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * size_t(w) + size_t(x)] = float((row[x] >> 24) / 255.0);
    }
    int box = std::max(1, int(std::lround(radius / 1.7)));
    if (radius > 0) BoxBlur(alpha, w, h, box);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            double a = (p >> 24) / 255.0;
            // The glow fades out toward the cell border so the surroundings stay clear.
            double border = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            double window = Clamp01(border / 4.0);
            double ga = radius > 0
                            ? Clamp01(alpha[size_t(y) * size_t(w) + size_t(x)] * 1.6) * strength * window
                            : 0.0;
            double k = ga * (1 - a);
            double outA = a + k;
            if (outA < 3.0 / 255.0) {
                row[x] = 0;
                continue;
            }
            double r = ((p >> 16) & 0xFF) / 255.0 + glow.r * k;
            double g = ((p >> 8) & 0xFF) / 255.0 + glow.g * k;
            double b = (p & 0xFF) / 255.0 + glow.b * k;
            auto q = [](double v) { return uint32_t(std::lround(Clamp01(v) * 255.0)); };
            uint32_t qa = q(outA);
            row[x] = (qa << 24) | (std::min(q(r), qa) << 16) | (std::min(q(g), qa) << 8) | std::min(q(b), qa);
        }
    }
    cairo_surface_mark_dirty(layer);
    cairo_save(target);
    cairo_set_source_surface(target, layer, 0, 0);
    cairo_set_operator(target, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(target, 0, 0, w, h);
    cairo_fill(target);
    cairo_restore(target);
    cairo_surface_destroy(layer);
}

} // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Bright(Rgb c, double k) {
    return {Clamp01(c.r * k), Clamp01(c.g * k), Clamp01(c.b * k)};
}

void SetRgb(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Tone MakeTone(Rgb base, Rgb rim) {
    return {Mix(base, {1, 1, 1}, 0.55), base, Mix(Bright(base, 0.32), {0.02, 0.0, 0.08}, 0.3), rim};
}

void Shade(cairo_t* cr, const Tone& tone, double outline) {
    cairo_path_t* path = cairo_copy_path(cr);
    double x0, y0, x1, y1;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    double w = x1 - x0, h = y1 - y0, size = std::max(w, h);
    cairo_new_path(cr);

    cairo_pattern_t* body =
        cairo_pattern_create_radial(x0 + w * 0.35, y0 + h * 0.3, 0, x0 + w * 0.4, y0 + h * 0.38, size * 0.85);
    cairo_pattern_add_color_stop_rgb(body, 0.0, tone.light.r, tone.light.g, tone.light.b);
    cairo_pattern_add_color_stop_rgb(body, 0.45, tone.base.r, tone.base.g, tone.base.b);
    cairo_pattern_add_color_stop_rgb(body, 1.0, tone.dark.r, tone.dark.g, tone.dark.b);
    cairo_append_path(cr, path);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    // Rim: the part of the body not covered by a copy of itself shifted up-left. Its width is
    // measured on the device, so scaled-up bodies (bosses) keep a fine rim.
    double unitX = 1, unitY = 0;
    cairo_user_to_device_distance(cr, &unitX, &unitY);
    double pixels = std::sqrt(unitX * unitX + unitY * unitY);
    double d = std::clamp(std::min(w, h) * pixels * 0.12, 0.8, 4.5) / pixels;
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    cairo_append_path(cr, path);
    cairo_save(cr);
    cairo_translate(cr, -d, -d);
    cairo_append_path(cr, path);
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetRgb(cr, tone.rim, 0.85);
    cairo_fill(cr);
    cairo_restore(cr);

    if (outline > 0) {
        cairo_append_path(cr, path);
        SetRgb(cr, Bright(tone.dark, 0.5), 0.95);
        cairo_set_line_width(cr, outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_path_destroy(path);
}

void Highlight(cairo_t* cr, double x, double y, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void Lamp(cairo_t* cr, double x, double y, double radius, Rgb c, double intensity) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    Rgb hot = Mix(c, {1, 1, 1}, 0.75);
    cairo_pattern_add_color_stop_rgba(p, 0, hot.r, hot.g, hot.b, Clamp01(intensity));
    cairo_pattern_add_color_stop_rgba(p, 0.3, c.r, c.g, c.b, Clamp01(intensity));
    cairo_pattern_add_color_stop_rgba(p, 0.55, c.r, c.g, c.b, Clamp01(intensity * 0.45));
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Limb(cairo_t* cr, const double* xy, int points, double width, const Tone& tone) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    auto path = [&] {
        cairo_move_to(cr, xy[0], xy[1]);
        for (int i = 1; i < points; ++i)
            cairo_line_to(cr, xy[2 * i], xy[2 * i + 1]);
    };
    path();
    SetRgb(cr, Bright(tone.dark, 0.5));
    cairo_set_line_width(cr, width + 1.6);
    cairo_stroke(cr);
    path();
    SetRgb(cr, tone.base);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, -width * 0.2, -width * 0.2);
    path();
    SetRgb(cr, tone.light, 0.7);
    cairo_set_line_width(cr, std::max(0.6, width * 0.35));
    cairo_stroke(cr);
    cairo_restore(cr);
}

double PingPong(int frame, int count) {
    double t = count > 1 ? double(frame) / double(count - 1) : 0.0;
    return 0.5 - 0.5 * std::cos(kPi * t);
}

double LoopPhase(int frame, int count) {
    return double(frame) / double(count);
}

void WriteGlowFrames(const Output& out, const std::string& relative, int cell, int count, Rgb glow,
                     double radius, double strength, const std::function<void(cairo_t*, int)>& draw) {
    WriteFrames(out, relative, cell, cell, count, [&](cairo_t* cr, int frame) {
        ComposeGlow(cr, cell, cell, glow, radius, strength, [&](cairo_t* layer) { draw(layer, frame); });
    });
}

void WriteGlowStrip(const Output& out, const std::string& relative, Rgb glow, double radius, double strength,
                    const std::function<void(cairo_t*, int)>& draw) {
    const PictureEntry& picture = FindPicture(relative);
    if (picture.cellW != picture.cellH) throw std::runtime_error(relative + ": glow frames are square");
    WriteGlowFrames(out, relative, picture.cellW, picture.count, glow, radius, strength, draw);
}

void WriteGlowPicture(const Output& out, const std::string& relative, int w, int h, Rgb glow, double radius,
                      double strength, const std::function<void(cairo_t*)>& draw) {
    WritePicture(out, relative, w, h,
                 [&](cairo_t* cr) { ComposeGlow(cr, w, h, glow, radius, strength, draw); });
}

void FillPixels(cairo_surface_t* surface, const std::function<Texel(double, double)>& shade) {
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x) {
            Texel t = shade(x + 0.5, y + 0.5);
            double a = Clamp01(t.a);
            if (a < 2.0 / 255.0) {
                row[x] = 0;
                continue;
            }
            auto q = [&](double v) { return uint32_t(std::lround(Clamp01(v) * a * 255.0)); };
            row[x] = (uint32_t(std::lround(a * 255.0)) << 24) | (q(t.r) << 16) | (q(t.g) << 8) | q(t.b);
        }
    }
    cairo_surface_mark_dirty(surface);
}

void EllipsePath(cairo_t* cr, double x, double y, double rx, double ry, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Body(cairo_t* cr, double x, double y, double rx, double ry, double angle, const Tone& tone,
          double outline) {
    EllipsePath(cr, x, y, rx, ry, angle);
    Shade(cr, tone, outline);
}

void Membrane(cairo_t* cr, Rgb c, double alpha, double rootX, double rootY, double tipX, double tipY) {
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(rootX, rootY, tipX, tipY);
    Rgb light = Mix(c, {1, 1, 1}, 0.5);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, light.r, light.g, light.b, alpha * 0.6);
    cairo_append_path(cr, path);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetRgb(cr, Mix(c, {1, 1, 1}, 0.7), 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_path_destroy(path);
}

void Texture(cairo_t* cr, uint32_t seed, double featurePx, double strength) {
    cairo_save(cr);
    cairo_clip(cr);
    cairo_identity_matrix(cr);
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    int ox = int(std::floor(x0)), oy = int(std::floor(y0));
    int w = int(std::ceil(x1)) - ox, h = int(std::ceil(y1)) - oy;
    if (w > 0 && h > 0) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        FillPixels(s, [&](double x, double y) {
            double n = Fbm2((x + ox) / featurePx, (y + oy) / featurePx, 4, seed);
            double v = n > 0 ? 1.0 : 0.0;
            return Texel{v, v * 0.95, v * 0.9, std::min(1.0, std::abs(n) * 2) * strength};
        });
        cairo_set_source_surface(cr, s, ox, oy);
        cairo_paint(cr);
        cairo_surface_destroy(s);
    }
    cairo_restore(cr);
}

} // namespace assetgen::sprites

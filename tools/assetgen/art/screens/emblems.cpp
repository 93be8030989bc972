#include "art/screens/emblems.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "common/rng.h"

namespace assetgen::screens {

namespace {

Point Bezier(Point a, Point b, Point c, Point d, double t) {
    double u = 1 - t;
    return {u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
            u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y};
}

} // namespace

void DrawQuill(cairo_t* cr, Point p0, Point p1, Point p2, Point p3, double width, Rgb tip, Rgb base) {
    cairo_save(cr);
    const int n = 80;
    // The vane runs from the tip to 80 % of the shaft, widest a third of the way down; the
    // left vane is a little broader than the right, as on a real flight feather.
    auto vane = [&](double t) {
        if (t > 0.8) return 0.0;
        double s = t / 0.8;
        return width * 0.5 * std::pow(std::sin(M_PI * std::pow(s, 0.75)), 0.8) * (0.35 + 0.65 * (1 - s * 0.5));
    };
    std::vector<Point> left, right, shaft;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;
        Point p = Bezier(p0, p1, p2, p3, t);
        Point q = Bezier(p0, p1, p2, p3, std::min(1.0, t + 0.01));
        Point r = Bezier(p0, p1, p2, p3, std::max(0.0, t - 0.01));
        double dx = q.x - r.x, dy = q.y - r.y, len = std::hypot(dx, dy);
        double nx = -dy / len, ny = dx / len;
        double w = vane(t);
        shaft.push_back(p);
        left.push_back({p.x + nx * w * 1.15, p.y + ny * w * 1.15});
        right.push_back({p.x - nx * w * 0.85, p.y - ny * w * 0.85});
    }
    auto outline = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, left[0].x, left[0].y);
        for (const Point& p : left) cairo_line_to(cr, p.x, p.y);
        for (auto it = right.rbegin(); it != right.rend(); ++it) cairo_line_to(cr, it->x, it->y);
        cairo_close_path(cr);
    };
    cairo_pattern_t* grad = cairo_pattern_create_linear(p0.x, p0.y, p3.x, p3.y);
    cairo_pattern_add_color_stop_rgba(grad, 0, tip.r, tip.g, tip.b, 0.95);
    cairo_pattern_add_color_stop_rgba(grad, 0.8, base.r, base.g, base.b, 0.75);
    cairo_pattern_add_color_stop_rgba(grad, 1, base.r, base.g, base.b, 0.2);
    // Halo first, then the vane, then barbs and the bright shaft.
    for (int i = 4; i >= 1; --i) {
        outline();
        SetColour(cr, Mix(tip, base, 0.5), 0.06);
        cairo_set_line_width(cr, width * 0.08 * i);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    outline();
    cairo_set_source(cr, grad);
    cairo_fill(cr);
    // Barbs sweep back from the shaft towards the tip side.
    for (int i = 2; i < n * 0.8; i += 2) {
        double t = double(i) / n;
        const Point& s = shaft[size_t(i)];
        for (int side = 0; side < 2; ++side) {
            const Point& e = side == 0 ? left[size_t(std::max(0, i - 5))] : right[size_t(std::max(0, i - 5))];
            cairo_move_to(cr, s.x, s.y);
            cairo_line_to(cr, e.x, e.y);
        }
        Rgb c = Mix(kWhite, Mix(tip, base, t), 0.4);
        SetColour(cr, c, 0.35);
        cairo_set_line_width(cr, std::max(1.0, width * 0.012));
        cairo_stroke(cr);
    }
    // The shaft.
    cairo_new_path(cr);
    cairo_move_to(cr, shaft[0].x, shaft[0].y);
    for (const Point& p : shaft) cairo_line_to(cr, p.x, p.y);
    SetColour(cr, kWhite, 0.9);
    cairo_set_line_width(cr, std::max(1.5, width * 0.035));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_pattern_destroy(grad);
    cairo_restore(cr);
}

void DrawLogotype(cairo_t* cr, double w, double h, uint64_t seed) {
    Rng rng(seed);
    // A stream of sparks trailing the quill like a comet.
    for (int i = 0; i < 90; ++i) {
        double t = rng.Float(0, 1);
        double x = w * (0.06 + 0.9 * t) + rng.Float(-20, 20);
        double y = h * (0.9 - 0.75 * t) + rng.Float(-0.12, 0.12) * h * (1 - t);
        DrawSparkle(cr, x, y, rng.Float(1.5, 6) * w / 1400, rng.Float(0, 1) < 0.5 ? kCyan : kViolet, rng.Float(0.3, 0.9));
    }
    DrawQuill(cr, {w * 0.97, h * 0.06}, {w * 0.70, h * 0.10}, {w * 0.35, h * 0.55}, {w * 0.05, h * 0.95}, h * 0.30,
              kIce, kViolet);
    TextStyle style;
    style.family = "DejaVu Serif";
    style.size = h * 0.5;
    double ink = InkWidth(cr, "Quillstorm", style);
    style.size *= std::min(1.0, w * 0.9 / ink);
    style.top = kWhite;
    style.bottom = Mix(kCyan, kViolet, 0.35);
    style.outline = kInk;
    style.outlineWidth = style.size * 0.035;
    style.glow = kCyan;
    style.glowRadius = style.size * 0.09;
    style.glowAlpha = 0.55;
    DrawText(cr, "Quillstorm", w / 2, h * 0.64, style);
    // A bright horizon line under the word.
    cairo_pattern_t* line = cairo_pattern_create_linear(w * 0.1, 0, w * 0.9, 0);
    cairo_pattern_add_color_stop_rgba(line, 0, kCyan.r, kCyan.g, kCyan.b, 0);
    cairo_pattern_add_color_stop_rgba(line, 0.5, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(line, 1, kViolet.r, kViolet.g, kViolet.b, 0);
    cairo_set_source(cr, line);
    cairo_rectangle(cr, w * 0.1, h * 0.72, w * 0.8, std::max(2.0, h * 0.008));
    cairo_fill(cr);
    cairo_pattern_destroy(line);
}

// Drawn to match the game's ship sprite: a silver dart with swept delta wings, blue wing
// stripes, wingtip pods with red and green lights, a blue canopy and a cyan engine.
void DrawShip(cairo_t* cr, double x, double y, double length, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, length / 100.0, length / 100.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Engine trail behind the hull.
    cairo_pattern_t* trail = cairo_pattern_create_linear(0, 34, 0, 190);
    cairo_pattern_add_color_stop_rgba(trail, 0, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(trail, 0.2, kCyan.r, kCyan.g, kCyan.b, 0.6);
    cairo_pattern_add_color_stop_rgba(trail, 1, kViolet.r, kViolet.g, kViolet.b, 0);
    cairo_move_to(cr, -8, 34);
    cairo_line_to(cr, 8, 34);
    cairo_line_to(cr, 2, 190);
    cairo_line_to(cr, -2, 190);
    cairo_close_path(cr);
    cairo_set_source(cr, trail);
    cairo_fill(cr);
    cairo_pattern_destroy(trail);
    auto outline = [&] {
        SetColour(cr, kInk, 0.9);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    };
    for (int side = -1; side <= 1; side += 2) {
        // Delta wing.
        cairo_new_path(cr);
        cairo_move_to(cr, side * 7, -10);
        cairo_line_to(cr, side * 48, 20);
        cairo_line_to(cr, side * 46, 30);
        cairo_line_to(cr, side * 9, 28);
        cairo_close_path(cr);
        cairo_pattern_t* wing = cairo_pattern_create_linear(0, -10, 0, 30);
        cairo_pattern_add_color_stop_rgb(wing, 0, 0.92, 0.95, 1.0);
        cairo_pattern_add_color_stop_rgb(wing, 1, 0.50, 0.56, 0.66);
        cairo_set_source(cr, wing);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(wing);
        outline();
        // Blue stripe.
        cairo_move_to(cr, side * 13, 8);
        cairo_line_to(cr, side * 36, 21);
        cairo_set_source_rgb(cr, 0.30, 0.50, 1.0);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        // Wingtip pod and its light: red to port, green to starboard.
        cairo_rectangle(cr, side * 40 - 3, 4, 6, 24);
        cairo_set_source_rgb(cr, 0.70, 0.74, 0.80);
        cairo_fill_preserve(cr);
        outline();
        DrawSparkle(cr, side * 48, 24, 5, side < 0 ? Rgb{1.0, 0.25, 0.3} : Rgb{0.3, 1.0, 0.5}, 1.0);
        // Tail fin.
        cairo_new_path(cr);
        cairo_move_to(cr, side * 9, 22);
        cairo_line_to(cr, side * 19, 38);
        cairo_line_to(cr, side * 9, 36);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.45, 0.55, 0.85);
        cairo_fill_preserve(cr);
        outline();
    }
    // The hull: a long silver dart.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -62);
    cairo_curve_to(cr, 7, -40, 11, -5, 10, 36);
    cairo_line_to(cr, -10, 36);
    cairo_curve_to(cr, -11, -5, -7, -40, 0, -62);
    cairo_close_path(cr);
    cairo_pattern_t* hull = cairo_pattern_create_linear(-10, 0, 10, 0);
    cairo_pattern_add_color_stop_rgb(hull, 0, 0.55, 0.62, 0.75);
    cairo_pattern_add_color_stop_rgb(hull, 0.45, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(hull, 1, 0.45, 0.50, 0.62);
    cairo_set_source(cr, hull);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(hull);
    outline();
    // Canopy.
    cairo_save(cr);
    cairo_translate(cr, 0, -8);
    cairo_scale(cr, 1, 2.3);
    cairo_arc(cr, 0, 0, 5.5, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(-5, -20, 5, 4);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.75, 0.90, 1.0);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.10, 0.35, 0.90);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);
    outline();
    // Engine glow.
    DrawSparkle(cr, 0, 38, 9, kCyan, 1.0);
    cairo_restore(cr);
}

void DrawSwarmling(cairo_t* cr, double x, double y, double size, double angle, Rgb eyes, double wingPhase) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, size / 100.0, size / 100.0);
    const Rgb shell{0.06, 0.04, 0.10};
    // Wings: translucent, beating.
    double spread = 0.6 + 0.4 * std::sin(wingPhase);
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_rotate(cr, side * (0.5 + 0.5 * spread));
        cairo_scale(cr, 0.45, 1);
        cairo_arc(cr, side * 40, -10, 38, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, Mix(shell, kViolet, 0.35), 0.55);
        cairo_fill(cr);
    }
    // Legs.
    for (int k = -1; k <= 1; ++k)
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, side * 8, k * 12);
            cairo_line_to(cr, side * 30, k * 18 + 10);
            cairo_line_to(cr, side * 36, k * 22 + 24);
        }
    SetColour(cr, shell, 1);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Body: head, thorax, abdomen.
    cairo_save(cr);
    cairo_scale(cr, 0.75, 1.2);
    cairo_arc(cr, 0, 18, 20, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_arc(cr, 0, -6, 14, 0, 2 * M_PI);
    cairo_arc(cr, 0, -26, 11, 0, 2 * M_PI);
    SetColour(cr, shell, 1);
    cairo_fill(cr);
    // A rim of light along the shell so the silhouette reads on dark sky.
    cairo_save(cr);
    cairo_scale(cr, 0.75, 1.2);
    cairo_arc(cr, 0, 18, 20, M_PI * 1.1, M_PI * 1.9);
    cairo_restore(cr);
    SetColour(cr, kViolet, 0.6);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, side * 5, -29, 3.5, 0, 2 * M_PI);
        SetColour(cr, eyes, 1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

double DrawParagraph(cairo_t* cr, const std::string& text, double cx, double y, double width, double lineHeight,
                     const TextStyle& style) {
    std::istringstream words(text);
    std::string word, line;
    std::vector<std::string> lines;
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && InkWidth(cr, candidate, style) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    for (const std::string& l : lines) {
        DrawText(cr, l, cx, y, style);
        y += lineHeight;
    }
    return y;
}

// Planets are rendered at most 560 px across and enlarged beyond that: at the 0.4 scale these
// pictures are shown at, that keeps every surface detail and saves most of the shading work.
void DrawPlanetAt(cairo_t* cr, int index, double cx, double cy, double size) {
    const int rendered = std::min(560, int(size));
    cairo_surface_t* planet = RenderPlanet(index, rendered);
    cairo_save(cr);
    cairo_translate(cr, cx - size / 2, cy - size / 2);
    cairo_scale(cr, size / rendered, size / rendered);
    cairo_set_source_surface(cr, planet, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(planet);
}

} // namespace assetgen::screens

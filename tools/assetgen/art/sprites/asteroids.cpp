// The rock family: two lumpy asteroids that turn through 64 frames, lit from the upper left with a
// cool back light. Shaded per texel: a sphere whose outline and surface come from 3D noise sampled
// in the rock's own (turning) frame, so the last frame joins the first without a seam.
#include <cmath>
#include <vector>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"
#include "common/noise.h"
#include "common/rng.h"

namespace assetgen::sprites {
namespace {

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Normalize(Vec a) {
    return a * (1.0 / std::sqrt(Dot(a, a)));
}
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Rodrigues rotation of v about the unit axis k.
Vec Rotate(Vec v, Vec k, double angle) {
    double c = std::cos(angle), s = std::sin(angle);
    return v * c + Cross(k, v) * s + k * (Dot(k, v) * (1 - c));
}

struct Crater {
    Vec centre;
    double radius, depth;
};

class Rock {
public:
    Rock(uint32_t seed, int craters) : seed_(seed) {
        Rng rng(seed);
        for (int i = 0; i < craters; ++i) {
            Vec c{rng.Float(-1, 1), rng.Float(-1, 1), rng.Float(-1, 1)};
            craters_.push_back({Normalize(c), rng.Float(0.14, 0.4), rng.Float(0.3, 0.55)});
        }
    }

    // Radius scale of the outline in the object-space direction d.
    double Outline(Vec d) const {
        double n = Fbm3(d.x * 0.8, d.y * 0.8, d.z * 0.8, 4, seed_);
        return std::clamp(1.0 + 0.45 * n, 0.74, 1.14);
    }

    // Surface height at the object-space point q on the unit sphere.
    double Height(Vec q) const {
        double h = 0.3 * Fbm3(q.x * 1.6, q.y * 1.6, q.z * 1.6, 5, seed_ + 7) +
                   0.06 * Fbm3(q.x * 7, q.y * 7, q.z * 7, 2, seed_ + 11);
        for (const Crater& c : craters_) {
            double d = std::sqrt(Dot(q - c.centre, q - c.centre)) / c.radius;
            if (d < 1) h -= c.depth * (1 - d * d);
            double rim = (d - 1) / 0.35;
            h += 0.35 * c.depth * std::exp(-rim * rim);
        }
        return h;
    }

    double Albedo(Vec q) const { return 0.5 + 0.5 * Fbm3(q.x * 3.5, q.y * 3.5, q.z * 3.5, 3, seed_ + 13); }

private:
    uint32_t seed_;
    std::vector<Crater> craters_;
};

Texel ShadeRock(const Rock& rock, double px, double py, double cell, double baseRadius, Vec axis,
                double angle) {
    double cx = cell / 2, cy = cell / 2;
    double dx = px - cx, dy = py - cy;
    double r = std::sqrt(dx * dx + dy * dy);
    double alpha = std::atan2(dy, dx);
    Vec rimDir = Rotate({std::cos(alpha), std::sin(alpha), 0}, axis, -angle);
    double radius = baseRadius * rock.Outline(rimDir);
    double coverage = std::clamp(radius - r + 0.5, 0.0, 1.0);
    if (coverage <= 0) return {0, 0, 0, 0};
    double rho = std::min(r / radius, 0.999);
    Vec n0{rho * std::cos(alpha), rho * std::sin(alpha), std::sqrt(1 - rho * rho)};
    if (r < 1e-6) n0 = {0, 0, 1};
    Vec q = Rotate(n0, axis, -angle);
    // Bump the normal along the height gradient (finite differences in object space).
    const double e = 0.02;
    double h = rock.Height(q);
    Vec g{(rock.Height(q + Vec{e, 0, 0}) - h) / e, (rock.Height(q + Vec{0, e, 0}) - h) / e,
          (rock.Height(q + Vec{0, 0, e}) - h) / e};
    Vec gv = Rotate(g, axis, angle);
    Vec gt = gv - n0 * Dot(gv, n0);
    Vec n = Normalize(n0 - gt * 0.35);
    Vec light = Normalize({-0.75, -0.5, 0.45});
    double diffuse = std::max(0.0, Dot(n, light));
    double cavity = std::clamp(0.75 + h * 0.8, 0.35, 1.1);
    double albedo = rock.Albedo(q);
    Rgb base = Mix(kRockDark, kRockLight, albedo);
    double rim = std::pow(1 - n0.z, 3) * std::max(0.0, Dot({n0.x, n0.y, 0}, Normalize({0.7, 0.7, 0}))) * 0.9;
    Rgb rimColour{0.45, 0.65, 1.0};
    double lit = (0.07 + 1.45 * std::pow(diffuse, 1.1)) * cavity;
    return {base.r * lit + rimColour.r * rim, base.g * lit + rimColour.g * rim,
            base.b * lit + rimColour.b * rim, coverage};
}

// Paints one frame of `rock` turned by 2π t over the whole cell, centred on the origin. The layer
// the frame writer hands over is exactly one cell, so its width is the cell size.
void PaintRock(cairo_t* cr, const Rock& rock, double t) {
    int cell = cairo_image_surface_get_width(cairo_get_target(cr));
    Vec axis = Normalize({0.35, 1.0, 0.3});
    double baseRadius = cell * 0.39;
    double angle = 2 * kPi * t;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cell, cell);
    FillPixels(s, [&](double x, double y) { return ShadeRock(rock, x, y, cell, baseRadius, axis, angle); });
    cairo_set_source_surface(cr, s, -cell / 2.0, -cell / 2.0);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

} // namespace

void DrawLargeAsteroid(cairo_t* cr, double t) {
    static const Rock rock(2701, 11);
    PaintRock(cr, rock, t);
}

void DrawMediumAsteroid(cairo_t* cr, double t) {
    static const Rock rock(2801, 7);
    PaintRock(cr, rock, t);
}

} // namespace assetgen::sprites

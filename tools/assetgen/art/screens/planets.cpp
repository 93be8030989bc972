// The eleven planets: lit spheres whose surfaces come from 3D noise on the sphere, with a soft
// terminator, an atmosphere glowing along the limb and, for the title planet, a ring.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "art/screens/emblems.h"
#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/noise.h"
#include "common/rng.h"
#include "common/sheet.h"

namespace assetgen::screens {
namespace {

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Normalised(Vec a) { return a * (1.0 / std::sqrt(Dot(a, a))); }

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, double s) { return {a.r * s, a.g * s, a.b * s}; }

enum class Kind { Terrain, Bands, Craters, Ice, Lava, Hive };

struct PlanetLook {
    Kind kind;
    Rgb low, mid, high, accent; // palette from low ground (or dark bands) to peaks, plus a feature colour
    Rgb air;                    // atmosphere colour
    double airStrength;
    double clouds;   // cloud cover 0 … 1 (terrain kinds)
    double tilt;     // axial tilt in degrees, in the picture plane
    double scale;    // noise frequency on the unit sphere
    bool ring;
};

const PlanetLook kPlanets[] = {
    // 1: ocean world with green and tan continents.
    {Kind::Terrain, {0.02, 0.10, 0.35}, {0.20, 0.45, 0.18}, {0.72, 0.62, 0.42}, {0.10, 0.35, 0.60}, {0.40, 0.70, 1.0}, 1.0, 0.55, 18, 1.6, false},
    // 2: violet gas giant.
    {Kind::Bands, {0.30, 0.10, 0.40}, {0.70, 0.45, 0.80}, {0.95, 0.85, 0.95}, {0.85, 0.30, 0.55}, {0.75, 0.50, 1.0}, 0.8, 0, -12, 1.0, false},
    // 3: teal ice world, cracked.
    {Kind::Ice, {0.10, 0.40, 0.45}, {0.55, 0.85, 0.85}, {0.95, 1.00, 1.00}, {0.05, 0.25, 0.35}, {0.45, 1.0, 0.95}, 0.9, 0.2, 8, 2.2, false},
    // 4: rose-grey cratered moon.
    {Kind::Craters, {0.30, 0.22, 0.30}, {0.55, 0.45, 0.55}, {0.80, 0.72, 0.78}, {0.20, 0.15, 0.22}, {0.80, 0.60, 0.90}, 0.35, 0, 0, 2.5, false},
    // 5: pale blue ringed giant (also behind the title screen).
    {Kind::Bands, {0.25, 0.35, 0.60}, {0.60, 0.75, 0.90}, {0.92, 0.95, 1.00}, {0.95, 0.85, 0.60}, {0.50, 0.80, 1.0}, 0.9, 0, -20, 1.0, true},
    // 6: red desert world.
    {Kind::Craters, {0.45, 0.15, 0.06}, {0.75, 0.38, 0.15}, {0.95, 0.70, 0.45}, {0.30, 0.08, 0.04}, {1.0, 0.55, 0.35}, 0.6, 0, 14, 2.0, false},
    // 7: toxic green world with yellow clouds.
    {Kind::Terrain, {0.05, 0.25, 0.12}, {0.30, 0.50, 0.10}, {0.55, 0.55, 0.25}, {0.10, 0.45, 0.30}, {0.60, 1.0, 0.40}, 1.0, 0.45, -8, 2.0, false},
    // 8: grey-blue icy moon with craters.
    {Kind::Craters, {0.35, 0.42, 0.52}, {0.62, 0.70, 0.80}, {0.90, 0.94, 1.00}, {0.22, 0.28, 0.38}, {0.70, 0.85, 1.0}, 0.3, 0, 5, 3.0, false},
    // 9: lava world.
    {Kind::Lava, {0.06, 0.03, 0.03}, {0.20, 0.10, 0.08}, {0.35, 0.22, 0.18}, {1.00, 0.55, 0.10}, {1.0, 0.45, 0.15}, 0.8, 0, 10, 2.2, false},
    // 10: hot amber gas giant with a storm.
    {Kind::Bands, {0.50, 0.20, 0.05}, {0.90, 0.55, 0.20}, {1.00, 0.90, 0.65}, {0.75, 0.20, 0.08}, {1.0, 0.60, 0.25}, 0.85, 0, 16, 1.0, false},
    // 11: the hive world, veined with living light.
    {Kind::Hive, {0.05, 0.02, 0.08}, {0.18, 0.06, 0.22}, {0.35, 0.15, 0.40}, {0.55, 1.00, 0.45}, {0.70, 0.40, 1.0}, 1.0, 0, -15, 2.4, false},
};

Rgb Ramp(Rgb a, Rgb b, Rgb c, double t) {
    t = Clamp01(t);
    return t < 0.5 ? Mix(a, b, t * 2) : Mix(b, c, (t - 0.5) * 2);
}

struct Crater {
    Vec centre;
    double radius; // angular radius in radians
};

class Surface {
public:
    // `light` is the direction towards the sun in surface coordinates.
    Surface(const PlanetLook& look, uint32_t seed, Vec light) : look_(look), seed_(seed), light_(light) {
        Rng rng(seed);
        for (int i = 0; i < 90; ++i) {
            Vec c = Normalised({rng.Float(-1, 1), rng.Float(-1, 1), rng.Float(-1, 1)});
            double size = 0.025 + 0.20 * std::pow(rng.Float(0, 1), 4);
            craters_.push_back({c, size});
        }
        stormLat_ = rng.Float(-0.45, 0.45);
    }

    // Colour of the surface at unit-sphere point p, and the light it gives off by itself.
    Rgb At(Vec p, Rgb& glow) const {
        glow = {0, 0, 0};
        const double s = look_.scale;
        switch (look_.kind) {
        case Kind::Terrain: return Terrain(p, s);
        case Kind::Bands: return Bands(p);
        case Kind::Craters: return Craters(p, s);
        case Kind::Ice: return Ice(p, s);
        case Kind::Lava: return Lava(p, s, glow);
        case Kind::Hive: return Hive(p, s, glow);
        }
        return look_.mid;
    }

private:
    Vec Warp(Vec p, double amount, uint32_t seed) const {
        return p + Vec{Fbm3(p.x + 3.1, p.y, p.z, 3, seed), Fbm3(p.x, p.y + 7.3, p.z, 3, seed + 1),
                       Fbm3(p.x, p.y, p.z + 1.9, 3, seed + 2)} * amount;
    }

    Rgb Terrain(Vec p, double s) const {
        Vec q = Warp(p * s, 0.6, seed_);
        double h = Fbm3(q.x, q.y, q.z, 6, seed_ + 10) * 1.8;
        Rgb c;
        if (h < 0.02) {
            c = Mix(look_.low, look_.accent, SmoothStep(-0.35, 0.02, h));
        } else {
            c = Ramp(look_.mid, look_.high, Mix(look_.high, kWhite, 0.4), SmoothStep(0.02, 0.5, h));
        }
        double cap = SmoothStep(0.78, 0.86, std::fabs(p.y) + 0.08 * Fbm3(p.x * 4, p.y * 4, p.z * 4, 3, seed_ + 20));
        c = Mix(c, {0.92, 0.96, 1.0}, cap);
        Vec w = Warp(p * (s * 1.3), 0.9, seed_ + 30);
        double cloud = SmoothStep(0.02, 0.32, Fbm3(w.x * 1.5, w.y * 2.5, w.z * 1.5, 5, seed_ + 40) * 1.6 + look_.clouds - 0.5);
        return Mix(c, Mix(kWhite, look_.high, 0.15), cloud * 0.9);
    }

    Rgb Bands(Vec p) const {
        double turb = Fbm3(p.x * 3, p.y * 9, p.z * 3, 5, seed_ + 50);
        double lat = p.y + 0.10 * turb;
        double bands = 0.5 + 0.30 * std::sin(lat * 17.0) + 0.20 * std::sin(lat * 41.0 + 1.3);
        bands += 0.12 * Fbm3(p.x * 6, p.y * 30, p.z * 6, 3, seed_ + 51);
        Rgb c = Ramp(look_.low, look_.mid, look_.high, bands);
        // A great storm: an oval eye with a swirl of accent colour.
        double dx = p.x - 0.35, dy = (p.y - stormLat_) * 2.2;
        double oval = std::sqrt(dx * dx + dy * dy);
        if (p.z > 0 && oval < 0.25) {
            double t = SmoothStep(0.25, 0.05, oval);
            double swirl = 0.5 + 0.5 * std::sin(oval * 60 + std::atan2(dy, dx) * 2);
            c = Mix(c, Mix(look_.accent, look_.high, swirl * 0.4), t * 0.9);
        }
        return c;
    }

    // Craters are bowls with raised rims. Lit from one side, the wall nearer the sun lies in
    // shadow while the far wall and the sunward outer slope of the rim catch the light.
    double CraterShade(Vec p, double& rim) const {
        double shade = 1.0;
        rim = 0;
        for (const Crater& c : craters_) {
            double cosine = Dot(p, c.centre);
            if (cosine < 0.9) continue; // farther than any crater reaches
            double u = std::acos(std::min(1.0, cosine)) / c.radius;
            if (u > 1.5) continue;
            Vec offset = p + c.centre * -cosine;
            double len = std::sqrt(Dot(offset, offset));
            double towardSun = len > 1e-9 ? Dot(offset, light_) / len : 0;
            if (u < 1) shade *= (0.82 + 0.18 * u * u) * (1 - 0.5 * towardSun * std::pow(u, 1.5));
            double ring = std::exp(-std::pow((u - 1.05) / 0.16, 2));
            rim += ring * (0.10 + 0.25 * towardSun);
            shade *= 1 - ring * 0.25 * std::max(0.0, -towardSun);
        }
        return shade;
    }

    Rgb Craters(Vec p, double s) const {
        Vec q = Warp(p * s, 0.4, seed_ + 60);
        double h = Fbm3(q.x, q.y, q.z, 7, seed_ + 61) * 1.6;
        double grain = Fbm3(p.x * s * 8, p.y * s * 8, p.z * s * 8, 3, seed_ + 63) * 0.25;
        Rgb c = Ramp(look_.accent, look_.mid, look_.high, 0.55 + h + grain);
        double maria = SmoothStep(0.05, 0.25, Fbm3(p.x * 1.5, p.y * 1.5, p.z * 1.5, 3, seed_ + 62));
        c = Mix(c, look_.low, maria * 0.6);
        double rim = 0;
        double shade = CraterShade(p, rim);
        return c * (shade * (1 + rim));
    }

    Rgb Ice(Vec p, double s) const {
        Vec q = Warp(p * s, 0.5, seed_ + 70);
        double h = Fbm3(q.x, q.y, q.z, 5, seed_ + 71) * 1.6;
        Rgb c = Ramp(look_.low, look_.mid, look_.high, 0.55 + h);
        double crack = 1 - std::fabs(Fbm3(q.x * 2.5, q.y * 2.5, q.z * 2.5, 4, seed_ + 72) * 2.5);
        c = Mix(c, look_.accent, std::pow(Clamp01(crack), 14) * 0.8);
        return c;
    }

    Rgb Lava(Vec p, double s, Rgb& glow) const {
        Vec q = Warp(p * s, 0.7, seed_ + 80);
        double h = Fbm3(q.x, q.y, q.z, 5, seed_ + 81) * 1.6;
        Rgb c = Ramp(look_.low, look_.mid, look_.high, 0.5 + h);
        double crack = std::pow(Clamp01(1 - std::fabs(Fbm3(q.x * 1.8, q.y * 1.8, q.z * 1.8, 5, seed_ + 82) * 2.6)), 10);
        double pools = SmoothStep(0.38, 0.55, -h);
        double heat = Clamp01(crack + pools);
        glow = Mix(look_.accent, {1.0, 0.95, 0.6}, heat * heat) * (heat * 1.1);
        return c * (1 - heat);
    }

    Rgb Hive(Vec p, double s, Rgb& glow) const {
        Vec q = Warp(p * s, 1.0, seed_ + 90);
        double h = Fbm3(q.x, q.y, q.z, 5, seed_ + 91) * 1.6;
        Rgb c = Ramp(look_.low, look_.mid, look_.high, 0.5 + h);
        double vein = std::pow(Clamp01(1 - std::fabs(Fbm3(q.x * 1.5, q.y * 1.5, q.z * 1.5, 4, seed_ + 92) * 2.4)), 12);
        // Hive lights: small bright pustules scattered along the surface.
        double nodes = std::pow(SmoothStep(0.40, 0.62, Fbm3(p.x * 9, p.y * 9, p.z * 9, 3, seed_ + 93) * 2), 2);
        glow = look_.accent * (vein * 0.9) + Rgb{1.0, 0.9, 0.45} * (nodes * 0.9);
        c = c * (1 - 0.5 * Clamp01(vein + nodes));
        return c;
    }

    const PlanetLook& look_;
    uint32_t seed_;
    Vec light_;
    std::vector<Crater> craters_;
    double stormLat_ = 0;
};

// Premultiplied colour for compositing the ring over and under the sphere.
struct Premul {
    double r = 0, g = 0, b = 0, a = 0;
    void Over(const Premul& top) {
        r = top.r + r * (1 - top.a);
        g = top.g + g * (1 - top.a);
        b = top.b + b * (1 - top.a);
        a = top.a + a * (1 - top.a);
    }
};

} // namespace

cairo_surface_t* RenderPlanet(int index, int size) {
    const PlanetLook& look = kPlanets[index];
    const double c = size / 2.0;
    const double radius = (look.ring ? 0.277 : 0.441) * size;
    const double halo = radius * 0.07;
    const Vec light = Normalised({-0.62, -0.48, 0.62});
    const double tilt = look.tilt * M_PI / 180;
    const double ct = std::cos(tilt), st = std::sin(tilt);
    Surface surface(look, 7000u + uint32_t(index) * 131u, {light.x * ct + light.y * st, -light.x * st + light.y * ct, light.z});
    // The ring lies in a plane seen from 17° above, turned by the planet's tilt.
    const double ringInner = radius * 1.28, ringOuter = radius * 1.78, ringFlat = 0.30;
    auto ring = [&](double px, double py, bool& front) {
        double u = px * ct + py * st, v = -px * st + py * ct;
        double rho = std::hypot(u, v / ringFlat);
        front = v > 0;
        if (rho < ringInner || rho > ringOuter) return Premul{};
        double t = (rho - ringInner) / (ringOuter - ringInner);
        double density = 0.55 + 0.45 * Fbm2(t * 14, 0.5, 4, 7777) * 2.0;
        density *= SmoothStep(0, 0.05, t) * SmoothStep(1, 0.9, t) * (t > 0.62 && t < 0.68 ? 0.15 : 1.0);
        double a = Clamp01(density) * 0.85;
        Rgb col = Mix(look.accent, look.high, 0.5 + 0.5 * std::sin(t * 25));
        return Premul{col.r * a, col.g * a, col.b * a, a};
    };
    return PaintPixels(size, size, [&](int x, int y) {
        double px = x + 0.5 - c, py = y + 0.5 - c;
        double dx = px / radius, dy = py / radius;
        double r = std::sqrt(dx * dx + dy * dy);
        Premul pixel;
        bool front = false;
        Premul ringPixel = look.ring ? ring(px, py, front) : Premul{};
        if (look.ring && !front) pixel.Over(ringPixel);
        // Atmosphere halo beyond the limb, brighter on the lit side.
        double lightSide = Clamp01(0.5 + 0.5 * (dx * light.x + dy * light.y) / std::max(r, 1e-6) / 0.78);
        if (r > 1.0) {
            double t = (r - 1.0) * radius / halo;
            double g = std::exp(-t * 2.2) * look.airStrength * (0.25 + 0.75 * lightSide) * 0.85;
            pixel.Over(Premul{look.air.r * g, look.air.g * g, look.air.b * g, g});
        }
        double coverage = Clamp01((1.0 - r) * radius + 0.5);
        if (coverage > 0) {
            double rr = std::min(r, 1.0);
            Vec n{dx * (r > 1 ? 1 / r : 1), dy * (r > 1 ? 1 / r : 1), std::sqrt(std::max(0.0, 1 - rr * rr))};
            // Surface coordinates: the tilt turns the poles within the picture plane.
            Vec p{n.x * ct + n.y * st, -n.x * st + n.y * ct, n.z};
            Rgb glow;
            Rgb col = surface.At(p, glow);
            double ndl = Dot(n, light);
            double terminator = SmoothStep(-0.10, 0.30, ndl);
            double lit = 0.025 + terminator * (0.45 + 0.55 * Clamp01(ndl));
            Rgb shaded = col * lit;
            // The atmosphere thickens towards the limb and catches the light.
            double limb = std::pow(1 - n.z, 2.2) * look.airStrength * SmoothStep(-0.35, 0.45, ndl);
            shaded = Mix(shaded, look.air, Clamp01(limb * 0.85));
            shaded = shaded + glow * (0.6 + 0.4 * (1 - terminator));
            Premul body{Clamp01(shaded.r) * coverage, Clamp01(shaded.g) * coverage, Clamp01(shaded.b) * coverage, coverage};
            pixel.Over(body);
        }
        if (look.ring && front) pixel.Over(ringPixel);
        if (pixel.a <= 0) return Rgba{0, 0, 0, 0};
        return Rgba{pixel.r / pixel.a, pixel.g / pixel.a, pixel.b / pixel.a, pixel.a};
    });
}

void WritePlanets(const Output& out) {
    for (int i = 0; i < 11; ++i) {
        cairo_surface_t* s = RenderPlanet(i, 512);
        SavePng(s, out.Path("gfx/planets/planet" + std::to_string(i + 1) + ".png").string());
        cairo_surface_destroy(s);
    }
}

} // namespace assetgen::screens

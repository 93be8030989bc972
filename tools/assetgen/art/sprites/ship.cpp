// The player's ship (15 banking frames), its four exhaust flames, the shield bubble and the two
// HUD icons. The ship is modelled as flat 3D plates rolled about its length, so banking narrows the
// wings, slides the canopy sideways and turns one wing into the light.
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"
#include "common/sheet.h"

namespace assetgen::sprites {
namespace {

constexpr Rgb kHull{0.82, 0.86, 0.94};
constexpr Rgb kAccent{0.15, 0.45, 1.0};
constexpr Rgb kShipRim{0.4, 0.9, 1.0};
constexpr Rgb kEngine{0.35, 0.85, 1.0};

struct P3 {
    double x, y, z;
};

// Roll about the length axis, seen from above: +phi dips the left wing away from the viewer and
// slides everything above the axis (canopy) to the left, everything below it (engine) to the right.
struct Roll {
    double c, s;
    explicit Roll(double phi) : c(std::cos(phi)), s(std::sin(phi)) {}
    double X(const P3& p) const { return p.x * c - p.z * s; }
    // Brightness of a plate whose normal is tilted by `tilt` radians about the length axis: plates
    // turned toward -x face the light from the upper left.
    double Facing(double tilt) const { return 0.85 + 0.5 * std::sin(std::asin(s) + tilt); }
};

void Plate(cairo_t* cr, const Roll& roll, const P3* pts, int n) {
    for (int i = 0; i < n; ++i) {
        if (i == 0)
            cairo_move_to(cr, roll.X(pts[i]), pts[i].y);
        else
            cairo_line_to(cr, roll.X(pts[i]), pts[i].y);
    }
    cairo_close_path(cr);
}

// Draws the ship centred on the origin, nose up, rolled by phi.
void DrawShip(cairo_t* cr, double phi) {
    Roll roll(phi);
    // Wings, the far one first. Each wing rises a little toward its tip (dihedral).
    for (int pass = 0; pass < 2; ++pass) {
        int side = (pass == 0) == (phi > 0) ? -1 : 1; // the dipped wing first
        P3 wing[] = {{side * 5.0, -6, 2}, {side * 29.0, 12, 6}, {side * 29.5, 19, 6}, {side * 6.0, 21, 2}};
        Plate(cr, roll, wing, 4);
        Shade(cr, MakeTone(Bright(kHull, roll.Facing(side * 0.2) * 0.95), kShipRim), 1.2);
        P3 stripe[] = {
            {side * 10.0, 4, 3}, {side * 26.0, 13.5, 5.5}, {side * 26.0, 16, 5.5}, {side * 10.0, 8, 3}};
        Plate(cr, roll, stripe, 4);
        SetRgb(cr, kAccent, 0.95);
        cairo_fill(cr);
        // Wing cannon and tip light.
        P3 gun0{side * 22.0, 4, 6}, gun1{side * 22.0, 16, 6};
        double gun[] = {roll.X(gun0), gun0.y, roll.X(gun1), gun1.y};
        Limb(cr, gun, 2, 2.6, MakeTone(Bright(kHull, 0.7), kShipRim));
        P3 tip{side * 29.0, 15.5, 6};
        Lamp(cr, roll.X(tip), tip.y, 3, side < 0 ? Rgb{1.0, 0.25, 0.3} : Rgb{0.3, 1.0, 0.5});
    }
    // Tail fins.
    for (int side = -1; side <= 1; side += 2) {
        P3 fin[] = {{side * 4.0, 14, 4}, {side * 11.0, 26, 8}, {side * 10.0, 29, 8}, {side * 4.0, 25, 4}};
        Plate(cr, roll, fin, 4);
        Shade(cr, MakeTone(Mix(kAccent, kHull, 0.3), kShipRim), 1.0);
    }
    // Fuselage.
    P3 body[] = {{0, -30, 4},    {3.5, -20, 4}, {6.5, -4, 4},  {7.0, 18, 2},  {5.0, 27, -3},
                 {-5.0, 27, -3}, {-7.0, 18, 2}, {-6.5, -4, 4}, {-3.5, -20, 4}};
    Plate(cr, roll, body, 9);
    Shade(cr, MakeTone(Bright(kHull, roll.Facing(0)), kShipRim), 1.3);
    // Spine highlight follows the roll.
    P3 spine0{0, -26, 6}, spine1{0, -6, 6};
    cairo_move_to(cr, roll.X(spine0), spine0.y);
    cairo_line_to(cr, roll.X(spine1), spine1.y);
    SetRgb(cr, {1, 1, 1}, 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // Intakes.
    for (int side = -1; side <= 1; side += 2) {
        P3 in[] = {{side * 4.0, -8, 5}, {side * 7.0, -2, 5}, {side * 7.0, 4, 5}, {side * 4.5, 2, 5}};
        Plate(cr, roll, in, 4);
        SetRgb(cr, {0.08, 0.12, 0.25});
        cairo_fill(cr);
    }
    // Canopy over the centre: the cockpit the enemy fire has to hit.
    P3 canopy{0, 4, 9};
    EllipsePath(cr, roll.X(canopy), canopy.y, 3.8 * (0.75 + 0.25 * roll.c), 8.5);
    Shade(cr, MakeTone({0.2, 0.65, 1.0}, {0.7, 1.0, 1.0}), 1.0);
    Highlight(cr, roll.X(canopy) - 1.2, 0, 1.6, 4, 0.85);
    // Nozzle.
    P3 nozzle{0, 28, -6}; // under the axis: it swings the way the game shifts the flame
    EllipsePath(cr, roll.X(nozzle), 27.5, 4.5, 2.2);
    SetRgb(cr, {0.1, 0.12, 0.2});
    cairo_fill(cr);
    Lamp(cr, roll.X(nozzle), 28.5, 5, kEngine);
}

// Frames 0-6 bank into a left turn (left wing down), 8-14 into a right turn.
double BankAngle(int frame) {
    return (7 - frame) / 7.0 * 0.75;
}

// A flame of the given length (px in its 32 px cell) leaning by `lean` px at the tip.
void DrawFlame(cairo_t* cr, double length, double lean, double width) {
    const double top = 9.5;
    for (int layer = 0; layer < 3; ++layer) {
        double k = 1.0 - layer * 0.3;
        double w = width * k, len = length * (1.0 - layer * 0.22);
        cairo_move_to(cr, 16 - w, top);
        cairo_curve_to(cr, 16 - w, top + len * 0.4, 16 + lean * 0.5 - w * 0.3, top + len * 0.8, 16 + lean,
                       top + len);
        cairo_curve_to(cr, 16 + lean * 0.5 + w * 0.3, top + len * 0.8, 16 + w, top + len * 0.4, 16 + w, top);
        cairo_curve_to(cr, 16 + w, top - 2, 16 - w, top - 2, 16 - w, top);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, top + len);
        static const Rgb colours[3] = {{0.25, 0.4, 1.0}, {0.3, 0.85, 1.0}, {0.95, 1.0, 1.0}};
        Rgb c = colours[layer];
        cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, 0.95);
        cairo_pattern_add_color_stop_rgba(p, 0.6, c.r, c.g, c.b, 0.75);
        cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0.0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void Heart(cairo_t* cr, double s) {
    cairo_move_to(cr, 0, s * 0.85);
    cairo_curve_to(cr, -s * 1.2, 0, -s * 1.05, -s * 0.95, -s * 0.5, -s * 0.95);
    cairo_curve_to(cr, -s * 0.2, -s * 0.95, 0, -s * 0.7, 0, -s * 0.45);
    cairo_curve_to(cr, 0, -s * 0.7, s * 0.2, -s * 0.95, s * 0.5, -s * 0.95);
    cairo_curve_to(cr, s * 1.05, -s * 0.95, s * 1.2, 0, 0, s * 0.85);
    cairo_close_path(cr);
}

} // namespace

void DrawShipIcon(cairo_t* cr) {
    DrawShip(cr, 0);
}

void GenerateShip(const Output& out) {
    WriteGlowStrip(out, "gfx/ship/ship.png", kEngine, 3, 0.4, [](cairo_t* cr, int frame) {
        cairo_translate(cr, 32, 32);
        cairo_scale(cr, 0.93, 0.93);
        DrawShip(cr, BankAngle(frame));
    });
    static const double lengths[4] = {8, 12, 16.5, 21.5};
    for (int size = 0; size < 4; ++size)
        WriteGlowStrip(out, "gfx/ship/flames" + std::to_string(size + 1) + ".png", kEngine, 1.5, 0.35,
                       [&](cairo_t* cr, int frame) {
                           double lean = -(frame - 7) / 7.0 * (1.5 + size * 0.6);
                           DrawFlame(cr, lengths[size], lean, 3.2 + size * 0.35);
                       });
    WritePicture(out, "gfx/ship/shield.png", 96, 96, [](cairo_t* cr) {
        cairo_pattern_t* p = cairo_pattern_create_radial(48, 48, 0, 48, 48, 46);
        cairo_pattern_add_color_stop_rgba(p, 0.0, 0.3, 0.8, 1.0, 0.06);
        cairo_pattern_add_color_stop_rgba(p, 0.7, 0.3, 0.8, 1.0, 0.16);
        cairo_pattern_add_color_stop_rgba(p, 0.9, 0.45, 0.9, 1.0, 0.55);
        cairo_pattern_add_color_stop_rgba(p, 0.96, 0.8, 1.0, 1.0, 0.8);
        cairo_pattern_add_color_stop_rgba(p, 1.0, 0.4, 0.8, 1.0, 0.0);
        cairo_set_source(cr, p);
        cairo_arc(cr, 48, 48, 46, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        // A faint hexagon lattice inside the bubble.
        cairo_save(cr);
        cairo_arc(cr, 48, 48, 42, 0, 2 * kPi);
        cairo_clip(cr);
        cairo_set_line_width(cr, 0.8);
        cairo_set_source_rgba(cr, 0.6, 0.95, 1.0, 0.18);
        const double hexR = 8;
        for (int row = -1; row < 9; ++row)
            for (int col = -1; col < 8; ++col) {
                double cx = col * hexR * 1.5, cy = row * hexR * std::sqrt(3.0) + (col % 2 ? hexR * 0.866 : 0);
                for (int k = 0; k <= 6; ++k) {
                    double a = k * kPi / 3;
                    if (k == 0)
                        cairo_move_to(cr, cx + hexR * std::cos(a), cy + hexR * std::sin(a));
                    else
                        cairo_line_to(cr, cx + hexR * std::cos(a), cy + hexR * std::sin(a));
                }
                cairo_stroke(cr);
            }
        cairo_restore(cr);
        cairo_set_line_width(cr, 3);
        cairo_arc(cr, 48, 48, 38, kPi * 1.1, kPi * 1.45);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
        cairo_stroke(cr);
    });
    WriteGlowPicture(out, "gfx/ship/extralife.png", 36, 36, kEngine, 1.5, 0.35, [](cairo_t* cr) {
        cairo_translate(cr, 18, 18);
        cairo_scale(cr, 0.52, 0.52);
        DrawShip(cr, 0);
    });
    WriteGlowPicture(out, "gfx/ship/health.png", 36, 36, {1.0, 0.3, 0.4}, 2, 0.4, [](cairo_t* cr) {
        cairo_translate(cr, 18, 19);
        Heart(cr, 14);
        Shade(cr, MakeTone({0.95, 0.15, 0.3}, {1.0, 0.6, 0.8}), 1.2);
        Highlight(cr, -6, -7, 4, 3, 0.7);
    });
}

} // namespace assetgen::sprites

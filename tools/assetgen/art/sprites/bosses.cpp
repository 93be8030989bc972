// The two bosses in crimson, violet and gold with magenta energy: the hive queen beetle (256 px)
// and the brain ship with its great eye and tentacles (384 px). Both are drawn in the same ±30
// unit space as the ordinary enemies and scaled up, with finer outlines.
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"

namespace assetgen::sprites {
namespace {

constexpr double kFine = 0.45; // outline width in the ±30 unit space

// A jointed leg ending in a hooked claw.
void ClawLeg(cairo_t* cr, const double* pts, const Tone& tone, double width) {
    Limb(cr, pts, 3, width, tone);
    double x = pts[4], y = pts[5];
    double dx = pts[4] - pts[2], dy = pts[5] - pts[3];
    double len = std::sqrt(dx * dx + dy * dy);
    dx /= len;
    dy /= len;
    cairo_move_to(cr, x - dy * width * 0.6, y + dx * width * 0.6);
    cairo_line_to(cr, x + dx * width * 2.2, y + dy * width * 2.2);
    cairo_line_to(cr, x + dy * width * 0.6, y - dx * width * 0.6);
    cairo_close_path(cr);
    Shade(cr, MakeTone(kBossGold, kBossRim), kFine);
}

void HiveQueen(cairo_t* cr, double t) {
    Tone armour = MakeTone(kBossCrimson, kBossRim);
    Tone dark = MakeTone(Mix(kBossCrimson, kBossViolet, 0.6), kBossRim);
    Tone gold = MakeTone(kBossGold, {1, 1, 0.8});
    // Legs, stepping in alternation, with golden knees and spurs.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double s = ((i + (side > 0)) % 2 ? t : 1 - t) * 2.5;
            double a[] = {side * 11.0,       -8 + i * 8.0, side * 22.0,
                          -17 + i * 9.0 - s, side * 27.0,  -7 + i * 11.0 + s * 0.5};
            ClawLeg(cr, a, dark, 3.0);
            Body(cr, a[2], a[3], 1.9, 1.9, 0, gold, kFine);
            double spur[] = {(a[2] + a[4]) / 2, (a[3] + a[5]) / 2, (a[2] + a[4]) / 2 + side * 2.5,
                             (a[3] + a[5]) / 2 - 1.5};
            Limb(cr, spur, 2, 0.9, gold);
        }
    // Membrane wings unfold from under the wing cases as they lift.
    double spread = 0.05 + t * 0.25;
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 4, -18);
        cairo_rotate(cr, side * (0.55 + spread * 1.2));
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, side * 7, 8, side * 9, 22, side * 3, 30);
        cairo_curve_to(cr, side * -1, 24, side * -2, 10, 0, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
        Membrane(cr, {0.9, 0.4, 0.9}, 0.7, side * 4, -18, side * 20, 8);
    }
    // The glowing core beneath the wing cases.
    Lamp(cr, 0, -8, 13 + t * 3, kBossEnergy, 0.9);
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 1, -23);
        cairo_rotate(cr, side * spread * 0.6);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, side * 12, -3, side * 19, 8, side * 17, 24);
        cairo_curve_to(cr, side * 15, 30, side * 6, 30, 0, 28);
        cairo_close_path(cr);
        cairo_path_t* shell = cairo_copy_path(cr);
        Shade(cr, armour, kFine);
        cairo_append_path(cr, shell);
        Texture(cr, 2901, 12, 0.2);
        // Ridges, runes and gold trim.
        for (int k = 0; k < 3; ++k) {
            cairo_move_to(cr, side * (4 + k * 4.0), 2 + k);
            cairo_curve_to(cr, side * (8 + k * 4.0), 8, side * (9 + k * 3.0), 16, side * (6 + k * 3.0), 26);
            SetRgb(cr, Bright(kBossCrimson, 0.45), 0.8);
            cairo_set_line_width(cr, 0.6);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, 28);
        SetRgb(cr, kBossGold);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        cairo_append_path(cr, shell);
        SetRgb(cr, kBossGold, 0.85);
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
        cairo_path_destroy(shell);
        // Iridescent sheen.
        cairo_move_to(cr, side * 3, 3);
        cairo_curve_to(cr, side * 7, 6, side * 9, 12, side * 8, 18);
        SetRgb(cr, {1.0, 0.7, 0.95}, 0.35);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        for (int k = 0; k < 4; ++k)
            Lamp(cr, side * 12.5, 4 + k * 5.0, 1.7, kBossEnergy, 0.5 + 0.5 * t);
        cairo_restore(cr);
    }
    // Pronotum shield with forward-curving horns.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 7, 9);
        cairo_curve_to(cr, side * 15, 6, side * 21, 0, side * 23, -9);
        cairo_curve_to(cr, side * 19, -1, side * 15, 5, side * 11, 12);
        cairo_close_path(cr);
        Shade(cr, gold, kFine);
    }
    cairo_move_to(cr, -15, 6);
    cairo_curve_to(cr, -14, 1, 14, 1, 15, 6);
    cairo_curve_to(cr, 16, 14, 10, 18, 0, 18);
    cairo_curve_to(cr, -10, 18, -16, 14, -15, 6);
    cairo_close_path(cr);
    cairo_path_t* shield = cairo_copy_path(cr);
    Shade(cr, dark, kFine);
    cairo_append_path(cr, shield);
    Texture(cr, 2902, 10, 0.18);
    cairo_path_destroy(shield);
    cairo_move_to(cr, -13, 6.5);
    cairo_curve_to(cr, -8, 4, 8, 4, 13, 6.5);
    SetRgb(cr, kBossGold, 0.9);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int i = -2; i <= 2; ++i)
        Lamp(cr, i * 4.5, 10 + std::abs(i) * 0.6, 1.3, kEyeAmber, 0.7);
    // Mandibles: wide open at t = 0, snapping shut at 1.
    double open = 0.05 + (1 - t) * 0.5;
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 5, 21);
        cairo_rotate(cr, side * open);
        cairo_move_to(cr, 0, -3);
        cairo_curve_to(cr, side * 9, -1, side * 10, 9, -side * 3, 13);
        cairo_curve_to(cr, side * 3, 8, side * 3, 3, -side * 2, 2);
        cairo_close_path(cr);
        Shade(cr, gold, kFine);
        for (int k = 0; k < 3; ++k) {
            double x = side * (3.5 - k * 1.2), y = 3 + k * 3.0;
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x - side * 1.8, y + 0.6);
            cairo_line_to(cr, x, y + 1.4);
            cairo_close_path(cr);
            SetRgb(cr, {1, 0.95, 0.85});
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    // Head with two great compound eyes and a row of small ones.
    EllipsePath(cr, 0, 19.5, 9.5, 5.5);
    Shade(cr, armour, kFine);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 5.5, 18.5, 3.4, 2.8, side * 0.3, MakeTone({0.95, 0.2, 0.7}, kBossRim), kFine);
        Lamp(cr, side * 5.5, 18.5, 3.2, kBossEnergy, 0.6 + 0.4 * t);
        Highlight(cr, side * 5.5 - 1, 17.5, 1.2, 0.8, 0.9);
    }
    for (int i = -1; i <= 1; ++i)
        Lamp(cr, i * 2.0, 21.5, 1.2, kEyeAmber);
    // Crown horn.
    cairo_move_to(cr, -2.5, 5);
    cairo_curve_to(cr, -2, -2, -1, -7, 0, -10);
    cairo_curve_to(cr, 1, -7, 2, -2, 2.5, 5);
    cairo_close_path(cr);
    Shade(cr, gold, kFine);
}

void BrainShip(cairo_t* cr, double t) {
    Tone hull = MakeTone(kBossViolet, kBossRim);
    Tone crimson = MakeTone(kBossCrimson, kBossRim);
    Tone gold = MakeTone(kBossGold, {1, 1, 0.8});
    // Four tentacles below, curling in a slow wave.
    for (int i = 0; i < 4; ++i) {
        double u = (i - 1.5) / 1.5;
        double phase = t * kPi + i * 0.9;
        double pts[12];
        for (int k = 0; k < 6; ++k) {
            double d = k / 5.0;
            pts[2 * k] = u * (8 + d * 10) + std::sin(phase + d * 3) * 4 * d;
            pts[2 * k + 1] = 8 + d * 21;
        }
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int k = 0; k < 5; ++k) {
            double seg[] = {pts[2 * k], pts[2 * k + 1], pts[2 * k + 2], pts[2 * k + 3]};
            Limb(cr, seg, 2, 4.4 - k * 0.6, crimson);
        }
        Lamp(cr, pts[10], pts[11], 2.2, kBossEnergy, 0.6 + 0.4 * t);
    }
    // Side cannons hanging from short arms, muzzles down.
    for (int side = -1; side <= 1; side += 2) {
        double arm[] = {side * 16.0, -2, side * 24.0, 0};
        Limb(cr, arm, 2, 3.4, hull);
        cairo_move_to(cr, side * 24 - 4, -4);
        cairo_line_to(cr, side * 24 + 4, -4);
        cairo_line_to(cr, side * 24 + 3, 13);
        cairo_line_to(cr, side * 24 - 3, 13);
        cairo_close_path(cr);
        Shade(cr, MakeTone(kMetalDark, kBossRim), kFine);
        for (int k = 0; k < 3; ++k) {
            cairo_rectangle(cr, side * 24 - 4.2 + k * 0.2, -1 + k * 4.5, 8.4 - k * 0.4, 1.6);
            Shade(cr, gold, kFine * 0.6);
        }
        EllipsePath(cr, side * 24, 13, 3, 1.2);
        SetRgb(cr, {0.1, 0, 0.1});
        cairo_fill(cr);
        Lamp(cr, side * 24, 13.5, 3 + t * 2, kBossEnergy, 0.5 + 0.5 * t);
    }
    // Dorsal spines above the hull.
    for (int i = -3; i <= 3; ++i) {
        double x = i * 5.5, base = -18 + std::abs(i) * std::abs(i) * 0.55, h = 9 - std::abs(i) * 1.3;
        cairo_move_to(cr, x - 2.4, base + 2);
        cairo_line_to(cr, x + i * 1.2, base - h);
        cairo_line_to(cr, x + 2.4, base + 2);
        cairo_close_path(cr);
        Shade(cr, gold, kFine);
    }
    // Hull: a broad armoured lens with a crimson underbelly and a row of fangs.
    cairo_move_to(cr, -22, 0);
    cairo_curve_to(cr, -22, -14, -12, -20, 0, -20);
    cairo_curve_to(cr, 12, -20, 22, -14, 22, 0);
    cairo_curve_to(cr, 22, 9, 12, 14, 0, 14);
    cairo_curve_to(cr, -12, 14, -22, 9, -22, 0);
    cairo_close_path(cr);
    cairo_path_t* lens = cairo_copy_path(cr);
    Shade(cr, hull, kFine);
    cairo_append_path(cr, lens);
    Texture(cr, 3001, 14, 0.18);
    cairo_save(cr);
    cairo_append_path(cr, lens);
    cairo_clip(cr);
    EllipsePath(cr, 0, 14, 24, 7);
    SetRgb(cr, Bright(kBossCrimson, 0.9), 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_path_destroy(lens);
    for (int i = -3; i <= 3; ++i) {
        cairo_move_to(cr, i * 4.0 - 1.5, 12.5 - std::abs(i) * 0.5);
        cairo_line_to(cr, i * 4.0, 18 - std::abs(i) * 0.9);
        cairo_line_to(cr, i * 4.0 + 1.5, 12.5 - std::abs(i) * 0.5);
        cairo_close_path(cr);
        Shade(cr, MakeTone({1.0, 0.95, 0.85}, kBossRim), kFine);
    }
    // Armour plates.
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 3; ++k) {
            cairo_move_to(cr, side * (12 + k * 3.2), -16 + k * 2.5);
            cairo_curve_to(cr, side * (15 + k * 3.0), -8, side * (15 + k * 2.6), 1, side * (12 + k * 2.4),
                           8 - k);
            SetRgb(cr, kBossGold, 0.75);
            cairo_set_line_width(cr, 0.6);
            cairo_stroke(cr);
        }
    // Ring of lamps chasing round the hull.
    for (int i = 0; i < 14; ++i) {
        double a = i * 2 * kPi / 14;
        double on = 0.5 + 0.5 * std::cos(a - t * kPi * 2);
        Lamp(cr, 18.5 * std::cos(a), -3 + 12.5 * std::sin(a), 1.5, i % 2 ? kBossEnergy : kEyeAmber,
             0.25 + 0.75 * on);
    }
    // The great eye in a golden socket.
    EllipsePath(cr, 0, -3, 12, 9.3);
    Shade(cr, gold, kFine);
    EllipsePath(cr, 0, -3, 10.5, 8);
    Shade(cr, crimson, kFine);
    EllipsePath(cr, 0, -3, 9, 6.8);
    Shade(cr, MakeTone({0.95, 0.9, 0.85}, kBossRim), 0.3);
    double look = (t - 0.5) * 5;
    cairo_save(cr);
    EllipsePath(cr, 0, -3, 9, 6.8);
    cairo_clip(cr);
    for (int k = 0; k < 5; ++k) {
        double a = 0.6 + k * 0.5;
        cairo_move_to(cr, -9 * std::cos(a), -3 - 6.8 * std::sin(a) * (k % 2 ? 1 : -1));
        cairo_line_to(cr, look - 4 * std::cos(a), -3 - 3 * std::sin(a) * (k % 2 ? 1 : -1));
        SetRgb(cr, {0.85, 0.15, 0.25}, 0.6);
        cairo_set_line_width(cr, 0.35);
        cairo_stroke(cr);
    }
    Lamp(cr, look, -3, 7, kBossEnergy);
    EllipsePath(cr, look, -3, 4.6, 4.6);
    Shade(cr, MakeTone({0.9, 0.2, 0.6}, {1, 0.6, 0.9}), 0.3);
    EllipsePath(cr, look, -3, 1.4, 3.6);
    SetRgb(cr, {0.05, 0, 0.05});
    cairo_fill(cr);
    Highlight(cr, look - 2, -5.5, 1.5, 1.2, 0.95);
    // Heavy lids close a little at the far end of the cycle.
    double lid = std::max(0.0, t - 0.85) / 0.15 * 4;
    cairo_rectangle(cr, -12, -12, 24, 2.2 + lid);
    cairo_rectangle(cr, -12, 6 - lid, 24, 4);
    SetRgb(cr, Bright(kBossCrimson, 0.6));
    cairo_fill(cr);
    cairo_restore(cr);
    Highlight(cr, -9, -14, 6, 2.5, 0.45);
}

} // namespace

void DrawHiveQueen(cairo_t* cr, double t) {
    cairo_translate(cr, 0, -6);
    cairo_scale(cr, 3.8, 3.8);
    HiveQueen(cr, t);
}

void DrawBrainShip(cairo_t* cr, double t) {
    cairo_scale(cr, 5.85, 5.85);
    BrainShip(cr, t);
}

} // namespace assetgen::sprites

// The machine family: three robots in gun-metal with cyan lamps, and the spiked iron mine.
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"

namespace assetgen::sprites {
namespace {

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

void Rivet(cairo_t* cr, double x, double y) {
    EllipsePath(cr, x, y, 1.1, 1.1);
    SetRgb(cr, {0.85, 0.9, 1.0}, 0.8);
    cairo_fill(cr);
}

} // namespace

// Robot1: a boxy walker head with a scanning visor, antenna beacon and claw arms.
void DrawRobot1(cairo_t* cr, double t) {
    Tone metal = MakeTone(kMetal, kMachineRim);
    Tone dark = MakeTone(kMetalDark, kMachineRim);
    double swing = (t - 0.5) * 0.5;
    for (int side = -1; side <= 1; side += 2) {
        double arm[] = {side * 14.0,          -2,          side * 22.0,
                        6 + side * swing * 8, side * 20.0, 16 + side * swing * 6};
        Limb(cr, arm, 3, 3.5, dark);
        cairo_save(cr);
        cairo_translate(cr, side * 20, 17 + side * swing * 6);
        for (int k = -1; k <= 1; k += 2) {
            double claw[] = {0, 0, k * 3.5, 4, k * 1.5, 7};
            Limb(cr, claw, 3, 1.6, metal);
        }
        cairo_restore(cr);
    }
    double antenna[] = {0, -14, 0, -26};
    Limb(cr, antenna, 2, 1.6, dark);
    Lamp(cr, 0, -26, 3 + 2.5 * t, kLampRed, 0.5 + 0.5 * t);
    // Thrusters below.
    RoundedRect(cr, -10, 12, 20, 8, 2);
    Shade(cr, dark);
    Lamp(cr, -5, 21, 3.5, kLampCyan, 0.8);
    Lamp(cr, 5, 21, 3.5, kLampCyan, 0.8);
    RoundedRect(cr, -16, -16, 32, 30, 6);
    Shade(cr, metal, 1.4);
    RoundedRect(cr, -12, -8, 24, 9, 4);
    SetRgb(cr, {0.04, 0.06, 0.12});
    cairo_fill(cr);
    double scan = -8 + t * 16;
    Lamp(cr, scan, -3.5, 5, kLampRed);
    cairo_rectangle(cr, -11, -4.2, 22, 1.4);
    SetRgb(cr, kLampRed, 0.6);
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, -7 + i * 5, 5, 3.5, 4);
        SetRgb(cr, i == int(t * 2.99) ? kLampCyan : Bright(kMetalDark, 0.7));
        cairo_fill(cr);
    }
    Rivet(cr, -13, -13);
    Rivet(cr, 13, -13);
    Rivet(cr, -13, 11);
    Rivet(cr, 13, 11);
    Highlight(cr, -7, -12, 7, 2.5, 0.5);
}

// Robot2: a one-eyed ball walker on jointed legs that crouch and spring.
void DrawRobot2(cairo_t* cr, double t) {
    Tone metal = MakeTone(Mix(kMetal, {0.7, 0.5, 0.3}, 0.25), kMachineRim);
    Tone dark = MakeTone(kMetalDark, kMachineRim);
    double crouch = t; // 0 standing tall, 1 crouched
    double bodyY = -6 + crouch * 6;
    for (int side = -1; side <= 1; side += 2) {
        double leg[] = {side * 10.0, bodyY + 6, side * (20.0 + crouch * 4), bodyY + 10 - crouch * 2,
                        side * 16.0, 24};
        Limb(cr, leg, 3, 3.2, dark);
        cairo_move_to(cr, side * 16 - 6, 26);
        cairo_line_to(cr, side * 16 + 6, 26);
        cairo_line_to(cr, side * 16 + 3, 22);
        cairo_line_to(cr, side * 16 - 3, 22);
        cairo_close_path(cr);
        Shade(cr, metal, 1.0);
        Lamp(cr, side * 16, 27, 2 + crouch * 3, kLampCyan, crouch);
    }
    EllipsePath(cr, 0, bodyY, 17, 16);
    Shade(cr, metal, 1.4);
    cairo_save(cr);
    EllipsePath(cr, 0, bodyY, 17, 16);
    cairo_clip(cr);
    cairo_rectangle(cr, -18, bodyY + 6, 36, 2);
    SetRgb(cr, kMetalDark, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    Body(cr, 0, bodyY - 1, 8.5, 8.5, 0, dark);
    Lamp(cr, 0, bodyY - 1, 7.5, kLampRed, 0.9);
    EllipsePath(cr, 0, bodyY - 1, 2.5, 2.5);
    SetRgb(cr, {1, 1, 0.9});
    cairo_fill(cr);
    Highlight(cr, -7, bodyY - 9, 5, 3, 0.55);
    for (int side = -1; side <= 1; side += 2) {
        double gun[] = {side * 14.0, bodyY - 8, side * 20.0, bodyY - 14};
        Limb(cr, gun, 2, 2.6, dark);
        Lamp(cr, side * 20, bodyY - 14, 2, kLampCyan, 0.7);
    }
}

// Robot3: a saucer drone with a tesla coil; lights chase around its rim and arcs crackle below.
void DrawRobot3(cairo_t* cr, double t) {
    Tone metal = MakeTone(kMetal, kMachineRim);
    Tone dark = MakeTone(kMetalDark, kMachineRim);
    // Coils hanging below.
    for (int side = -1; side <= 1; side += 2) {
        double coil[] = {side * 9.0, 4, side * 10.0, 16};
        Limb(cr, coil, 2, 3, dark);
        Body(cr, side * 10, 17, 3.5, 3.5, 0, metal, 1.0);
    }
    // Arc between the coils.
    cairo_move_to(cr, -10, 17);
    for (int i = 1; i < 8; ++i)
        cairo_line_to(cr, -10 + i * 20.0 / 8, 17 + ((i + int(t * 5)) % 2 ? -3.0 : 3.0) * (0.4 + t));
    cairo_line_to(cr, 10, 17);
    SetRgb(cr, kElectric, 0.9);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    Lamp(cr, 0, 17, 5 + t * 3, kElectric, 0.4 + 0.4 * t);
    EllipsePath(cr, 0, 2, 28, 9);
    Shade(cr, metal, 1.4);
    // Chasing rim lights.
    for (int i = 0; i < 7; ++i) {
        double u = (i - 3) / 3.0;
        double on = 0.5 + 0.5 * std::cos((u - (t * 2 - 1)) * kPi);
        Lamp(cr, u * 22, 4 + (1 - u * u) * 3, 2.6, i % 2 ? kLampCyan : kLampRed, 0.3 + 0.7 * on);
    }
    cairo_move_to(cr, -14, -1);
    cairo_curve_to(cr, -13, -18, 13, -18, 14, -1);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.4, 0.75, 0.95}, kMachineRim), 1.2);
    Highlight(cr, -5, -10, 5, 3, 0.7);
    Lamp(cr, 0, -6, 3, kLampCyan, 0.6 + 0.4 * t);
}

// Mine: a dark iron sphere with studded spikes that pulse and a warning light that blinks.
void DrawMine(cairo_t* cr, double t) {
    Tone iron = MakeTone(kMineIron, kMineRim);
    Tone spike = MakeTone({0.6, 0.55, 0.55}, kMineRim);
    double reach = 24 + t * 4;
    for (int i = 0; i < 8; ++i) {
        double a = i * kPi / 4 + kPi / 8;
        double c = std::cos(a), s = std::sin(a);
        cairo_move_to(cr, 14 * c - 3.5 * s, 14 * s + 3.5 * c);
        cairo_line_to(cr, reach * c, reach * s);
        cairo_line_to(cr, 14 * c + 3.5 * s, 14 * s - 3.5 * c);
        cairo_close_path(cr);
        Shade(cr, spike, 1.0);
        Lamp(cr, reach * c, reach * s, 2 + t * 1.5, kLampRed, t);
    }
    Body(cr, 0, 0, 18, 18, 0, iron, 1.5);
    cairo_arc(cr, 0, 0, 12.5, 0, 2 * kPi);
    SetRgb(cr, Bright(kMineRim, 0.6), 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        double a = i * kPi / 3;
        EllipsePath(cr, 9 * std::cos(a), 9 * std::sin(a), 1.3, 1.3);
        SetRgb(cr, {0.7, 0.6, 0.6}, 0.8);
        cairo_fill(cr);
    }
    Highlight(cr, -6, -7, 6, 4, 0.45);
    Body(cr, 0, 0, 5, 5, 0, MakeTone({0.4, 0.05, 0.05}, kMineRim), 1.0);
    Lamp(cr, 0, 0, 5 + t * 6, kLampRed, 0.35 + 0.65 * t);
}

} // namespace assetgen::sprites

// The insect family: spider, birdy, mantis, clamper, aphid, screecher, slimey, eggplant, skeeter,
// ladybugs and hornet. Each picture faces the ship (down) unless the game mirrors it (then left).
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"

namespace assetgen::sprites {

// Spider: round abdomen with a glowing mark, eight legs that step in pairs.
void DrawSpider(cairo_t* cr, double t) {
    Tone body = MakeTone(kInsectViolet, kInsectRim);
    Tone leg = MakeTone(Bright(kInsectViolet, 0.7), kInsectRim);
    double bob = 1.5 * std::sin(t * kPi);
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 4; ++i) {
            double lift = ((i + (side > 0)) % 2 ? t : 1 - t) * 6;
            double ay = 4 + i * 3.0 + bob;
            double kneeX = side * (15 + i * 1.5), kneeY = -8 + i * 7.0 - lift;
            double footX = side * (27 - std::abs(i - 1.5) * 1.5), footY = -10 + i * 10.0 - lift * 0.4;
            double pts[] = {side * 4.0, ay, kneeX, kneeY, footX, footY};
            Limb(cr, pts, 3, 3.0, leg);
        }
    }
    Body(cr, 0, -8 + bob, 14, 15, 0, body);
    // Glowing hourglass on the abdomen.
    cairo_move_to(cr, -5, -16 + bob);
    cairo_line_to(cr, 5, -16 + bob);
    cairo_line_to(cr, 0, -9 + bob);
    cairo_line_to(cr, 5, -2 + bob);
    cairo_line_to(cr, -5, -2 + bob);
    cairo_line_to(cr, 0, -9 + bob);
    cairo_close_path(cr);
    SetRgb(cr, kInsectAmber);
    cairo_fill(cr);
    Highlight(cr, -5, -15 + bob, 5, 4, 0.5);
    Body(cr, 0, 10 + bob, 9, 8, 0, body);
    for (int i = 0; i < 4; ++i)
        Lamp(cr, -4.5 + i * 3, 12 + bob + (i == 0 || i == 3 ? -1.5 : 0), 2.6, kEyeRed);
    // Fangs.
    for (int side = -1; side <= 1; side += 2) {
        double pts[] = {side * 2.5, 16 + bob, side * 3.5, 20 + bob - t * 1.5, side * 1.5, 22 + bob};
        Limb(cr, pts, 3, 1.6, MakeTone(kInsectAmber, kInsectRim));
    }
}

// Birdy: plump golden bird with flapping feathered wings and a beak pointing down.
void DrawBirdy(cairo_t* cr, double t) {
    Tone plume = MakeTone(kInsectGold, kInsectRim);
    Tone wing = MakeTone(kInsectAmber, kInsectRim);
    double flap = -0.7 + t * 1.2; // wing angle from raised to lowered
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 9, -3);
        cairo_scale(cr, side, 1);
        cairo_rotate(cr, flap);
        cairo_scale(cr, 0.85 * (0.8 + 0.2 * std::cos(flap * 2)), 0.85);
        // A broad wing: curved leading edge, scalloped feather tips along the trailing edge.
        cairo_move_to(cr, 0, -5);
        cairo_curve_to(cr, 8, -13, 18, -14, 25, -9);
        double tips[][2] = {{24, -3}, {20, 1}, {15, 3}, {9, 5}};
        double px = 25, py = -9;
        for (auto& tip : tips) {
            cairo_curve_to(cr, px + 2, py + 3, tip[0] + 3, tip[1] + 1, tip[0], tip[1]);
            px = tip[0];
            py = tip[1];
        }
        cairo_curve_to(cr, 6, 6, 2, 5, 0, 4);
        cairo_close_path(cr);
        Shade(cr, wing, 1.0);
        for (int f = 0; f < 3; ++f) {
            cairo_move_to(cr, 4 + f * 3, 0);
            cairo_line_to(cr, 14 + f * 3.5, -6 + f * 3);
            SetRgb(cr, Bright(kInsectAmber, 0.6), 0.8);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, 1, -4);
        cairo_curve_to(cr, 8, -11, 17, -12, 24, -8.5);
        SetRgb(cr, kInsectGold, 0.9);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    // Tail feathers on top.
    for (int i = -1; i <= 1; ++i)
        Body(cr, i * 4, -17, 3.2, 7, i * 0.3, wing, 1.0);
    Body(cr, 0, 0, 12, 14, 0, plume);
    Body(cr, 0, 4, 7, 8, 0, MakeTone(Mix(kInsectGold, {1, 1, 1}, 0.5), kInsectRim), 0);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 5, -3, 3.6, 4, 0, MakeTone({1, 1, 1}, kInsectRim), 0.8);
        Lamp(cr, side * 5.3, -2.4, 2.6, kEyeRed);
    }
    cairo_move_to(cr, -4, 5);
    cairo_line_to(cr, 4, 5);
    cairo_line_to(cr, 0, 13);
    cairo_close_path(cr);
    Shade(cr, MakeTone({1.0, 0.45, 0.1}, kInsectRim), 1.0);
}

// Mantis: slender green body, triangular head with big eyes, raptorial arms that strike.
void DrawMantis(cairo_t* cr, double t) {
    Tone green = MakeTone(kInsectLime, kInsectRim);
    Tone dark = MakeTone(Bright(kInsectLime, 0.65), kInsectRim);
    // Hind legs.
    for (int side = -1; side <= 1; side += 2) {
        double a[] = {side * 3.0, -6, side * 16.0, -16 + t * 2, side * 22.0, -4};
        Limb(cr, a, 3, 2.0, dark);
        double b[] = {side * 3.0, -2, side * 18.0, 2 - t * 2, side * 24.0, 12};
        Limb(cr, b, 3, 2.0, dark);
    }
    // Folded wings over the abdomen.
    for (int side = -1; side <= 1; side += 2) {
        EllipsePath(cr, side * 4, -15, 5, 14, side * 0.18);
        Membrane(cr, {0.6, 0.95, 0.6}, 0.75, 0, -4, side * 6, -28);
    }
    Body(cr, 0, -16, 5.5, 13, 0, green);
    Body(cr, 0, 2, 3.5, 10, 0, green);
    // Raptorial arms: open when t is 0, struck down at 1.
    for (int side = -1; side <= 1; side += 2) {
        double reach = 6 + t * 8;
        double a[] = {side * 2.5, 6, side * 12.0, 4 + t * 6, side * (8.0 - t * 2), 4 + reach};
        Limb(cr, a, 3, 3.2, green);
        double spike[] = {side * (8.0 - t * 2), 4 + reach, side * (13.0 - t * 3), 2 + reach};
        Limb(cr, spike, 2, 1.6, dark);
    }
    cairo_move_to(cr, -10, 11);
    cairo_curve_to(cr, -6, 9, 6, 9, 10, 11);
    cairo_line_to(cr, 0, 23);
    cairo_close_path(cr);
    Shade(cr, green);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 7, 12.5, 3.8, 3.6, 0, MakeTone({0.9, 0.85, 0.2}, kInsectRim), 0.8);
        Lamp(cr, side * 7, 12.5, 2.4, kEyeAmber);
        double antenna[] = {side * 2.0, 11, side * 10.0, 0, side * 18.0, -2 + t * 3};
        Limb(cr, antenna, 3, 0.9, dark);
    }
}

// Clamper: armoured crab with big pincers that snap, crackling with charge.
void DrawClamper(cairo_t* cr, double t) {
    Tone shell = MakeTone(kInsectTeal, kInsectRim);
    Tone claw = MakeTone(Mix(kInsectTeal, {0.2, 0.4, 1.0}, 0.4), kInsectRim);
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double wave = (i % 2 ? t : 1 - t) * 3;
            double a[] = {side * 10.0,          -6 + i * 5.0, side * 21.0,
                          -12 + i * 6.0 - wave, side * 27.0,  -4 + i * 7.0};
            Limb(cr, a, 3, 2.2, shell);
        }
    double open = 0.2 + (1 - t) * 0.55;
    for (int side = -1; side <= 1; side += 2) {
        double arm[] = {side * 8.0, 4, side * 15.0, 10, side * 13.0, 17};
        Limb(cr, arm, 3, 3.5, claw);
        cairo_save(cr);
        cairo_translate(cr, side * 13, 18);
        cairo_scale(cr, side, 1);
        for (int jaw = 0; jaw < 2; ++jaw) {
            cairo_save(cr);
            cairo_rotate(cr, jaw == 0 ? -open : open * 0.6);
            cairo_move_to(cr, 0, -3);
            cairo_curve_to(cr, -9, -2, -12, 5, -8, 11);
            cairo_curve_to(cr, -6, 6, -3, 3, 3, 2);
            cairo_close_path(cr);
            Shade(cr, claw);
            cairo_restore(cr);
        }
        cairo_restore(cr);
    }
    // Spark between the pincers.
    Lamp(cr, -8, 26, 3 + t * 2, kElectric, 0.5 + 0.5 * t);
    Lamp(cr, 8, 26, 3 + t * 2, kElectric, 0.5 + 0.5 * t);
    cairo_move_to(cr, -17, -4);
    cairo_curve_to(cr, -18, -18, 18, -18, 17, -4);
    cairo_curve_to(cr, 15, 8, -15, 8, -17, -4);
    cairo_close_path(cr);
    Shade(cr, shell);
    for (int i = -1; i <= 1; ++i)
        Highlight(cr, i * 6, -10 + std::abs(i) * 2, 3, 2, 0.35);
    for (int side = -1; side <= 1; side += 2) {
        double stalk[] = {side * 4.0, 1, side * 6.0, 6};
        Limb(cr, stalk, 2, 1.8, shell);
        Lamp(cr, side * 6, 7, 3, kEyeAmber);
    }
}

// Aphid, seen from the side and facing left: round green body on six walking legs.
void DrawAphid(cairo_t* cr, double t) {
    Tone green = MakeTone(Mix(kInsectLime, kInsectTeal, 0.3), kInsectRim);
    Tone leg = MakeTone(Bright(kInsectLime, 0.55), kInsectRim);
    for (int i = 0; i < 3; ++i) {
        double s = (i % 2 ? t : 1 - t) * 2 - 1;
        double hip = -8 + i * 8.0;
        double a[] = {hip, 8, hip - 4 + s * 4, 16, hip - 2 + s * 6, 23};
        Limb(cr, a, 3, 2.0, leg);
    }
    // Siphons on the back.
    double siphon[] = {14, -4, 20, -10};
    Limb(cr, siphon, 2, 2.4, green);
    Body(cr, 3, 0, 17, 13, -0.1, green);
    Highlight(cr, -2, -7, 8, 4, 0.45);
    for (int i = 0; i < 3; ++i) {
        double s = (i % 2 ? 1 - t : t) * 2 - 1;
        double hip = -6 + i * 8.0;
        double a[] = {hip, 9, hip - 3 + s * 4, 17, hip - 1 + s * 6, 24};
        Limb(cr, a, 3, 2.2, green);
    }
    Body(cr, -16, 3, 8, 7.5, 0, green);
    Lamp(cr, -19, 1, 3.2, kEyeRed);
    double antenna[] = {-19, -3, -24, -13 + t * 2, -28, -16 + t * 3};
    Limb(cr, antenna, 3, 1.0, leg);
    double mouth[] = {-22, 7, -25, 12};
    Limb(cr, mouth, 2, 1.6, leg);
}

// Screecher: bat-winged hunter with a wide shrieking mouth.
void DrawScreecher(cairo_t* cr, double t) {
    Tone fur = MakeTone(kInsectMagenta, kInsectRim);
    double lift = (t - 0.5) * 14;
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 6, -6);
        cairo_line_to(cr, side * 18, -14 - lift);
        cairo_line_to(cr, side * 30, -6 - lift * 1.3);
        cairo_curve_to(cr, side * 26, 0 - lift, side * 26, 4 - lift * 0.6, side * 27, 9 - lift * 0.5);
        cairo_curve_to(cr, side * 21, 5 - lift * 0.3, side * 18, 6, side * 16, 12 - lift * 0.2);
        cairo_curve_to(cr, side * 12, 6, side * 9, 6, side * 6, 8);
        cairo_close_path(cr);
        Membrane(cr, Mix(kInsectMagenta, {0.3, 0.0, 0.4}, 0.5), 0.92, side * 6, 0, side * 30, -6);
        double bone[] = {side * 6.0, -6, side * 18.0, -14 - lift, side * 30.0, -6 - lift * 1.3};
        Limb(cr, bone, 3, 1.6, fur);
        double bone2[] = {side * 18.0, -14 - lift, side * 22.0, 4 - lift * 0.3};
        Limb(cr, bone2, 2, 1.0, fur);
    }
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 4, -12);
        cairo_line_to(cr, side * 11, -24);
        cairo_line_to(cr, side * 10, -9);
        cairo_close_path(cr);
        Shade(cr, fur);
    }
    Body(cr, 0, -2, 10.5, 13, 0, fur);
    for (int side = -1; side <= 1; side += 2)
        Lamp(cr, side * 4.5, -6, 3.2, kEyeAmber);
    double open = 2 + t * 4;
    EllipsePath(cr, 0, 4, 5, open);
    SetRgb(cr, {0.15, 0.0, 0.1});
    cairo_fill(cr);
    Lamp(cr, 0, 4 + open * 0.3, open, {1.0, 0.3, 0.5}, 0.7);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 3.5, 4 - open);
        cairo_line_to(cr, side * 2, 4 - open + 4);
        cairo_line_to(cr, side * 0.8, 4 - open);
        cairo_close_path(cr);
        SetRgb(cr, {1, 1, 0.95});
        cairo_fill(cr);
    }
}

// Slimey: a glossy slug facing left that lurches: it bunches up and stretches out.
void DrawSlimey(cairo_t* cr, double t) {
    Tone slime = MakeTone(kSlimeGreen, kInsectRim);
    double stretch = 1 - t; // 1 = stretched, 0 = bunched
    double len = 20 + stretch * 8, hump = 6 + (1 - stretch) * 7;
    double head = -len + 4;
    cairo_move_to(cr, head, 14);
    cairo_curve_to(cr, head - 6, 14, head - 7, -2, head + 2, -4);
    cairo_curve_to(cr, head + 10, -6 - hump, len - 12, -4 - hump, len, 10);
    cairo_curve_to(cr, len + 2, 14, len - 4, 17, len - 8, 16);
    cairo_close_path(cr);
    Shade(cr, slime);
    // Glossy stripe and dark spots.
    for (int i = 0; i < 4; ++i)
        Body(cr, head + 12 + i * (len * 2 - 16) / 4.0, 3 - hump * 0.4, 2.5, 2, 0,
             MakeTone(Bright(kSlimeGreen, 0.45), kInsectRim), 0);
    Highlight(cr, head + 10, -2 - hump * 0.6, len * 0.5, 2.5, 0.55);
    // Drips.
    for (int i = 0; i < 3; ++i) {
        double x = head + 10 + i * 10, drip = 3 + std::fmod(t * 3 + i * 0.4, 1.0) * 4;
        EllipsePath(cr, x, 16 + drip * 0.5, 1.6, drip * 0.5);
        SetRgb(cr, Mix(kSlimeGreen, {1, 1, 1}, 0.3), 0.9);
        cairo_fill(cr);
    }
    for (int k = 0; k < 2; ++k) {
        double bx = head + 1 + k * 3, by = -2;
        double stalk[] = {bx, by, bx - 5 + k * 2, by - 10 + t * 2};
        Limb(cr, stalk, 2, 1.8, slime);
        Lamp(cr, bx - 5 + k * 2, by - 11 + t * 2, 2.6, kEyeAmber);
    }
    Lamp(cr, head - 2, 8, 2.5, {0.2, 0.1, 0.0}, 0.8);
}

// Eggplant: a purple pod under a leafy crown; its glowing maw swells as it charges a wave.
void DrawEggplant(cairo_t* cr, double t) {
    double s = 1 + 0.05 * t;
    Tone skin = MakeTone(kEggplantPurple, kInsectRim);
    Tone leaf = MakeTone(kInsectLime, kInsectRim);
    cairo_save(cr);
    cairo_scale(cr, 1 / s, s);
    cairo_move_to(cr, 0, -18);
    cairo_curve_to(cr, 12, -18, 10, -6, 17, 8);
    cairo_curve_to(cr, 22, 20, 10, 28, 0, 28);
    cairo_curve_to(cr, -10, 28, -22, 20, -17, 8);
    cairo_curve_to(cr, -10, -6, -12, -18, 0, -18);
    cairo_close_path(cr);
    Shade(cr, skin);
    Highlight(cr, -7, 0, 4, 9, 0.5);
    cairo_restore(cr);
    for (int i = 0; i < 5; ++i) {
        double a = -kPi / 2 + (i - 2) * 0.55 + (i % 2 ? 1 : -1) * t * 0.12;
        cairo_save(cr);
        cairo_translate(cr, 0, -17);
        cairo_rotate(cr, a + kPi / 2);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, -5, 4, -4, 10, 0, 14);
        cairo_curve_to(cr, 4, 10, 5, 4, 0, 0);
        cairo_restore(cr);
        Shade(cr, leaf, 1.0);
    }
    double stem[] = {0, -18, 2, -26, 5, -28};
    Limb(cr, stem, 3, 2.6, leaf);
    for (int side = -1; side <= 1; side += 2)
        Lamp(cr, side * 6, 6, 3.4, kEyeAmber);
    EllipsePath(cr, 0, 16, 6 + t * 2, 2.5 + t * 3);
    SetRgb(cr, {0.12, 0.0, 0.12});
    cairo_fill(cr);
    Lamp(cr, 0, 16, 5 + t * 4, {0.9, 0.5, 1.0}, 0.4 + 0.6 * t);
}

// Skeeter: long-legged mosquito with a proboscis and blurred, buzzing wings.
void DrawSkeeter(cairo_t* cr, double t) {
    Tone body = MakeTone(kInsectTeal, kInsectRim);
    Tone leg = MakeTone(Mix(kInsectTeal, {0.3, 0.3, 0.3}, 0.5), kInsectRim);
    double bob = std::sin(t * kPi * 2) * 1.5;
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double sway = std::sin(t * kPi + i) * 2;
            double a[] = {side * 2.0,
                          2.0 + i * 2 + bob,
                          side * (10.0 + i * 3),
                          -6 + i * 8.0 + bob,
                          side * (16.0 + i * 2) + sway,
                          14 + i * 5.0};
            Limb(cr, a, 3, 1.7, leg);
        }
    double beat = std::cos(t * kPi * 3); // three beats per pass
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 2, -4 + bob);
        cairo_rotate(cr, side * (-0.35 - beat * 0.35));
        EllipsePath(cr, side * 13, -2, 13, 4.5, 0);
        cairo_restore(cr);
        Membrane(cr, {0.65, 0.85, 1.0}, 0.8, side * 2, -4, side * 26, -10);
    }
    Body(cr, 0, -14 + bob, 5, 11.5, 0, body);
    for (int i = 0; i < 3; ++i)
        Body(cr, 0, -20 + i * 4 + bob, 3.5, 0.8, 0, MakeTone(kInsectAmber, kInsectRim), 0);
    Body(cr, 0, 0 + bob, 6, 6, 0, body);
    Body(cr, 0, 7 + bob, 3.8, 3.5, 0, body);
    for (int side = -1; side <= 1; side += 2)
        Lamp(cr, side * 2.5, 7 + bob, 2.3, kEyeRed);
    double nose[] = {0, 10 + bob, 0, 24 + bob};
    Limb(cr, nose, 2, 1.3, MakeTone(kInsectAmber, kInsectRim));
}

namespace {

// Ladybug diving at 45 degrees: red domed wing cases that lift to let the wings buzz.
void Ladybug(cairo_t* cr, double t, int headToRight) {
    cairo_save(cr);
    cairo_rotate(cr, headToRight ? -kPi / 4 : kPi / 4); // head (drawn at +y) turned toward the dive
    Tone red = MakeTone(kLadyRed, kInsectRim);
    Tone black = MakeTone({0.12, 0.1, 0.16}, kInsectRim);
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            double s = (i % 2 ? t : 1 - t) * 3;
            double a[] = {side * 6.0,       -4 + i * 6.0, side * 16.0,
                          -8 + i * 8.0 + s, side * 19.0,  -4 + i * 10.0 + s};
            Limb(cr, a, 3, 1.8, black);
        }
        cairo_save(cr);
        cairo_translate(cr, side * 3, -6);
        cairo_rotate(cr, side * (0.5 + t * 0.6));
        EllipsePath(cr, 0, -12, 6, 14);
        cairo_restore(cr);
        Membrane(cr, {0.8, 0.8, 0.95}, 0.75, 0, -6, side * 10, -26);
    }
    double spread = t * 0.35;
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, 0, 8);
        cairo_rotate(cr, side * spread);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, side * 18, 2, side * 20, -24, 0, -22);
        cairo_close_path(cr);
        Shade(cr, red);
        for (int k = 0; k < 3; ++k) {
            static const double spots[3][3] = {{7, -6, 3.5}, {10, -15, 2.8}, {5, -17, 2.2}};
            EllipsePath(cr, side * spots[k][0], spots[k][1], spots[k][2], spots[k][2]);
            SetRgb(cr, {0.1, 0.05, 0.1});
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    Highlight(cr, -5, -10, 4, 6, 0.4);
    Body(cr, 0, 12, 9, 6, 0, black);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 4.5, 13, 2.6, 2.4, 0, MakeTone({1, 1, 1}, kInsectRim), 0.6);
        Lamp(cr, side * 5, 14, 1.8, kEyeAmber, 0.8);
    }
    cairo_restore(cr);
}

} // namespace

void DrawLadybugLeft(cairo_t* cr, double t) {
    Ladybug(cr, t, 1);
}

void DrawLadybugRight(cairo_t* cr, double t) {
    Ladybug(cr, t, 0);
}

// Hornet: banded yellow and black, head down with mandibles, stinger up, wings a blur.
void DrawHornet(cairo_t* cr, double t) {
    Tone yellow = MakeTone(kInsectGold, kInsectRim);
    Tone black = MakeTone({0.14, 0.1, 0.12}, kInsectRim);
    double beat = std::cos(t * kPi * 3);
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double a[] = {side * 3.0, 2.0 + i * 3, side * 12.0, 4 + i * 5.0, side * 14.0, 12 + i * 4.0 + t};
            Limb(cr, a, 3, 1.5, black);
        }
    for (int side = -1; side <= 1; side += 2)
        for (int w = 0; w < 2; ++w) {
            cairo_save(cr);
            cairo_translate(cr, side * 3, 0);
            cairo_rotate(cr, side * (-0.9 + w * 0.5 + beat * 0.25));
            EllipsePath(cr, side * 12, 0, 12 - w * 3, 4.2 - w);
            cairo_restore(cr);
            Membrane(cr, {0.9, 0.85, 0.6}, 0.68, side * 3, 0, side * 24, -10);
        }
    // Abdomen with bands and stinger pointing up.
    double sting[] = {0, -26, 0, -31};
    Limb(cr, sting, 2, 1.6, black);
    EllipsePath(cr, 0, -14, 8, 12.5);
    Shade(cr, yellow);
    cairo_save(cr);
    EllipsePath(cr, 0, -14, 8, 12.5);
    cairo_clip(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, -10, -23 + i * 7, 20, 3);
        SetRgb(cr, {0.1, 0.07, 0.08}, 0.9);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    Highlight(cr, -3, -18, 3, 6, 0.4);
    Body(cr, 0, 2, 6, 5.5, 0, black);
    Body(cr, 0, 11, 7, 6, 0, yellow);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 4, 10, 3, 3.6, side * 0.3, black, 0.6);
        Lamp(cr, side * 4, 10.5, 2.2, kEyeRed, 0.8);
        double jaw[] = {side * 3.0, 15, side * (4.0 - t * 2), 20, side * 1.0, 21};
        Limb(cr, jaw, 3, 1.5, black);
    }
}

} // namespace assetgen::sprites

// The stranger creatures of the swarm: scardey, ameoba, bouncer, mentalist, predor, the hoppers,
// larvae, swimmer, moth and swami.
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"
#include "common/noise.h"

namespace assetgen::sprites {

// Scardey: a wide-eyed ghost whose ragged hem ripples.
void DrawScardey(cairo_t* cr, double t) {
    Tone ghost = MakeTone({0.55, 0.8, 1.0}, kInsectRim);
    cairo_move_to(cr, -18, 4);
    cairo_curve_to(cr, -20, -28, 20, -28, 18, 4);
    for (int i = 0; i < 6; ++i) {
        double x0 = 18 - i * 6.0, x1 = x0 - 6;
        double wave = std::sin(i * 1.7 + t * kPi * 2) * 4;
        cairo_curve_to(cr, x0, 12 + wave, x1 + 3, 26 + wave, x1, 18 + wave * 0.5);
    }
    cairo_close_path(cr);
    Shade(cr, ghost);
    Highlight(cr, -7, -14, 6, 5, 0.6);
    double look = (t - 0.5) * 3;
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 7, -6, 5.5, 7, 0, MakeTone({1, 1, 1}, kInsectRim), 0.8);
        EllipsePath(cr, side * 7 + look, -5, 2.8, 3.5);
        SetRgb(cr, {0.05, 0.05, 0.2});
        cairo_fill(cr);
        Highlight(cr, side * 7 + look - 1, -6.5, 1.2, 1.2, 0.9);
    }
    EllipsePath(cr, 0, 7, 3 + t, 4 + t * 2);
    SetRgb(cr, {0.05, 0.1, 0.3});
    cairo_fill(cr);
    for (int side = -1; side <= 1; side += 2) {
        double arm[] = {side * 15.0, 0, side * (23.0 - t * 3), -6 - t * 6};
        Limb(cr, arm, 2, 3, ghost);
    }
}

// Ameoba: a wobbling cell with a glowing nucleus and drifting vacuoles.
void DrawAmeoba(cairo_t* cr, double t) {
    Rgb plasma{0.3, 0.85, 0.6};
    auto radius = [&](double a) {
        return 21 + 3.2 * std::sin(3 * a + t * kPi) + 2.2 * std::sin(5 * a - t * kPi * 2 + 1) +
               1.5 * std::cos(2 * a + t * kPi * 2);
    };
    for (int i = 0; i <= 72; ++i) {
        double a = i * 2 * kPi / 72, r = radius(a);
        if (i == 0)
            cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
        else
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    Shade(cr, MakeTone(plasma, kInsectRim), 1.4);
    // Inner membrane shine and organelles.
    for (int i = 0; i < 5; ++i) {
        double a = i * 1.3 + t * 0.8, r = 10 + (i % 2) * 4;
        Body(cr, r * std::cos(a), r * std::sin(a), 3 - (i % 3) * 0.5, 2.5, a,
             MakeTone(Mix(plasma, {1, 1, 0.6}, 0.5), kInsectRim), 0.6);
    }
    Body(cr, 2 * std::cos(t * kPi), 1, 8.5, 7.5, 0.3, MakeTone({0.55, 0.2, 0.75}, kInsectRim));
    Lamp(cr, 2 * std::cos(t * kPi) + 1, 1, 4.5, {1.0, 0.5, 1.0}, 0.6 + 0.4 * t);
    Highlight(cr, -8, -10, 7, 4, 0.55);
}

// Bouncer: a rubbery banded ball that squashes and stretches.
void DrawBouncer(cairo_t* cr, double t) {
    double squash = 1 - 0.22 * t;
    double sx = 1 / std::sqrt(squash), sy = squash;
    Tone skin = MakeTone({1.0, 0.45, 0.15}, kInsectRim);
    cairo_save(cr);
    cairo_translate(cr, 0, 22 * (1 - sy));
    cairo_scale(cr, sx, sy);
    EllipsePath(cr, 0, 0, 22, 22);
    cairo_restore(cr);
    Shade(cr, skin, 1.4);
    cairo_save(cr);
    cairo_translate(cr, 0, 22 * (1 - sy));
    cairo_scale(cr, sx, sy);
    EllipsePath(cr, 0, 0, 22, 22);
    cairo_clip(cr);
    for (int i = -1; i <= 1; i += 2) {
        EllipsePath(cr, 0, i * 11, 26, 3.5);
        SetRgb(cr, {1.0, 0.85, 0.3}, 0.85);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    Highlight(cr, -8, -10 + 22 * (1 - sy), 7, 5 * sy, 0.6);
    double ey = -1 + 22 * (1 - sy);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 7, ey, 4.5, 5 * sy + 0.5, 0, MakeTone({1, 1, 1}, kInsectRim), 0.8);
        Lamp(cr, side * 7, ey + 1, 2.6, {0.1, 0.5, 1.0});
    }
    cairo_move_to(cr, -6, ey + 8);
    cairo_curve_to(cr, -3, ey + 12, 3, ey + 12, 6, ey + 8);
    SetRgb(cr, {0.3, 0.05, 0.0});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// Mentalist: a huge pulsing brain over a small face with a third eye, ringed by psychic waves.
void DrawMentalist(cairo_t* cr, double t) {
    for (int i = 0; i < 2; ++i) {
        double r = 20 + std::fmod(t + i * 0.5, 1.0) * 10;
        cairo_arc(cr, 0, 0, r, 0, 2 * kPi);
        SetRgb(cr, {0.9, 0.5, 1.0}, 0.35 * (1 - std::fmod(t + i * 0.5, 1.0)));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    Tone face = MakeTone({0.45, 0.3, 0.75}, kInsectRim);
    cairo_move_to(cr, -10, 2);
    cairo_curve_to(cr, -12, 18, -4, 24, 0, 24);
    cairo_curve_to(cr, 4, 24, 12, 18, 10, 2);
    cairo_close_path(cr);
    Shade(cr, face);
    double swell = 1 + 0.06 * t;
    Tone brain = MakeTone({1.0, 0.55, 0.7}, kInsectRim);
    cairo_save(cr);
    cairo_translate(cr, 0, -6);
    cairo_scale(cr, swell, swell);
    EllipsePath(cr, 0, 0, 20, 15);
    Shade(cr, brain, 1.3);
    // Folds.
    cairo_save(cr);
    EllipsePath(cr, 0, 0, 20, 15);
    cairo_clip(cr);
    SetRgb(cr, Bright({1.0, 0.55, 0.7}, 0.55), 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_move_to(cr, 0, -15);
    cairo_line_to(cr, 0, 15);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        double y = -11 + i * 4.5;
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, side * 2, y);
            cairo_curve_to(cr, side * 7, y - 3, side * 10, y + 3, side * 17, y - 1);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    Highlight(cr, -8, -6, 6, 4, 0.45);
    cairo_restore(cr);
    Lamp(cr, 0, 11, 4 + t * 2, {1.0, 0.3, 1.0});
    for (int side = -1; side <= 1; side += 2)
        Lamp(cr, side * 5, 15, 2.2, kEyeAmber, 0.9);
}

// Predor: a dark crimson stalker with scything mandibles and a row of burning eyes.
void DrawPredor(cairo_t* cr, double t) {
    // A hot red back light suits this hunter better than the family's mint.
    Tone shell = MakeTone({0.55, 0.08, 0.12}, {1.0, 0.45, 0.35});
    Tone blade = MakeTone({0.85, 0.8, 0.75}, {1.0, 0.45, 0.35});
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double a[] = {side * 8.0,  -8 + i * 6.0, side * 20.0, -16 + i * 8.0 + t * 2,
                          side * 26.0, -8 + i * 10.0};
            Limb(cr, a, 3, 2.2, shell);
        }
    // Spiked carapace.
    cairo_move_to(cr, 0, -26);
    for (int i = 1; i <= 8; ++i) {
        double a = -kPi / 2 + i * kPi / 8 * 1.0;
        double r = i % 2 ? 19 : 14;
        cairo_line_to(cr, r * std::cos(a), 2 + r * std::sin(a) * 1.1);
    }
    for (int i = 7; i >= 1; --i) {
        double a = -kPi / 2 + i * kPi / 8 * 1.0;
        double r = i % 2 ? 19 : 14;
        cairo_line_to(cr, -r * std::cos(a), 2 + r * std::sin(a) * 1.1);
    }
    cairo_close_path(cr);
    Shade(cr, shell, 1.4);
    Highlight(cr, -6, -8, 5, 8, 0.35);
    double open = 0.15 + (1 - t) * 0.5;
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, side * 6, 16);
        cairo_rotate(cr, side * open);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, side * 10, 2, side * 8, 12, -side * 3, 14);
        cairo_curve_to(cr, side * 3, 9, side * 3, 5, -side * 2, 3);
        cairo_close_path(cr);
        cairo_restore(cr);
        Shade(cr, blade);
    }
    for (int i = 0; i < 4; ++i)
        Lamp(cr, -6 + i * 4, 8 - std::abs(i - 1.5) * 1.2, 2.4, kEyeRed);
}

// Hopper: a lime grasshopper whose big hind legs fold and kick.
void DrawHopper(cairo_t* cr, double t) {
    Tone green = MakeTone({0.82, 0.78, 0.22}, kInsectRim);
    Tone dark = MakeTone({0.5, 0.42, 0.12}, kInsectRim);
    Tone thigh = MakeTone({0.95, 0.55, 0.15}, kInsectRim);
    double kick = t;
    for (int side = -1; side <= 1; side += 2) {
        // Big jumping legs: a thick thigh folded along the body, a shin that kicks out.
        double kneeX = side * (19.0 - kick * 3), kneeY = -20 - kick * 3;
        double thighPts[] = {side * 6.0, -2, kneeX, kneeY};
        Limb(cr, thighPts, 2, 5.5, thigh);
        double shin[] = {kneeX, kneeY, side * (14.0 + kick * 8), -6 + kick * 20};
        Limb(cr, shin, 2, 2.4, dark);
        double b[] = {side * 5.0, 6, side * 13.0, 9, side * 15.0, 17};
        Limb(cr, b, 3, 2.0, dark);
        double c[] = {side * 5.0, 10, side * 11.0, 16, side * 10.0, 23};
        Limb(cr, c, 3, 2.0, dark);
    }
    Body(cr, 0, -8, 8, 16, 0, green);
    for (int side = -1; side <= 1; side += 2) {
        EllipsePath(cr, side * 3.5, -10, 4.5, 14, side * 0.14);
        Membrane(cr, {0.95, 0.9, 0.55}, 0.75, 0, 0, 0, -22);
    }
    cairo_move_to(cr, -1, -22);
    cairo_line_to(cr, -1, 2);
    SetRgb(cr, Bright({0.82, 0.78, 0.22}, 0.5), 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    Body(cr, 0, 9, 8.5, 8, 0, green);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 5, 10, 3.2, 4, side * 0.3, MakeTone({0.95, 0.3, 0.15}, kInsectRim), 0.8);
        Lamp(cr, side * 5, 10.5, 2.6, kEyeAmber, 0.9);
        double antenna[] = {side * 2.0, 15, side * 8.0, 22, side * 15.0, 26 - t * 4};
        Limb(cr, antenna, 3, 1.0, dark);
    }
}

// Larvae, from the side and facing left: a plump caterpillar that inches, arching its middle.
void DrawLarvae(cairo_t* cr, double t) {
    Rgb skin{0.85, 0.85, 0.2};
    const int segments = 7;
    double span = 46 - t * 10;
    for (int i = segments - 1; i >= 0; --i) {
        double u = double(i) / (segments - 1);
        double x = -span / 2 + u * span;
        double y = 10 - std::sin(u * kPi) * (4 + t * 14);
        double r = i == 0 ? 8.5 : 7.0 - std::abs(u - 0.4) * 2;
        Body(cr, x, y, r, r * 0.95, 0, MakeTone(i % 2 ? skin : Mix(skin, kInsectLime, 0.5), kInsectRim));
        if (i > 0) Lamp(cr, x, y - r * 0.4, 1.8, {1.0, 0.45, 0.1}, 0.9);
        double foot[] = {x, y + r * 0.6, x, y + r + 2.5};
        Limb(cr, foot, 2, 1.8, MakeTone(Bright(skin, 0.6), kInsectRim));
    }
    double hx = -span / 2, hy = 10;
    Lamp(cr, hx - 3, hy - 2, 2.6, kEyeRed);
    double antenna[] = {hx - 2, hy - 7, hx - 6, hy - 14};
    Limb(cr, antenna, 2, 1.0, MakeTone(Bright(skin, 0.6), kInsectRim));
}

// Swimmer: a squid that strokes with its tentacles, spotted with bioluminescence.
void DrawSwimmer(cairo_t* cr, double t) {
    Tone skin = MakeTone({0.2, 0.45, 0.9}, kInsectRim);
    double spread = 1 - t;
    for (int i = 0; i < 6; ++i) {
        double u = (i - 2.5) / 2.5;
        double x0 = u * 8, y0 = 6;
        double x1 = u * (10 + spread * 12), y1 = 16 - spread * 2;
        double x2 = u * (6 + spread * 18) + std::sin(i + t * 3) * 2, y2 = 28 - spread * 4;
        double a[] = {x0, y0, x1, y1, x2, y2};
        Limb(cr, a, 3, 2.6 - std::abs(u) * 0.5, skin);
    }
    // Mantle and fins.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 6, -22);
        cairo_curve_to(cr, side * (18 + spread * 3), -24, side * 14, -12, side * 8, -10);
        cairo_close_path(cr);
        Shade(cr, skin, 1.0);
    }
    cairo_move_to(cr, 0, -28);
    cairo_curve_to(cr, 14, -20, 13, 2, 10, 8);
    cairo_line_to(cr, -10, 8);
    cairo_curve_to(cr, -13, 2, -14, -20, 0, -28);
    cairo_close_path(cr);
    Shade(cr, skin);
    Highlight(cr, -4, -16, 4, 8, 0.5);
    for (int i = 0; i < 5; ++i)
        Lamp(cr, (i - 2) * 4.0, -18 + std::abs(i - 2) * 4.0, 1.8, {0.4, 1.0, 0.9}, 0.6 + 0.4 * t);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 6, 2, 3.5, 4, 0, MakeTone({1, 1, 0.9}, kInsectRim), 0.6);
        Lamp(cr, side * 6, 2.5, 2.2, kEyeAmber);
    }
}

// Moth: broad dusky wings with staring eye spots, flapping; feathered antennae.
void DrawMoth(cairo_t* cr, double t) {
    Rgb wingColour{0.62, 0.45, 0.78};
    double open = 0.45 + 0.55 * (1 - t); // horizontal scale of the wings
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_scale(cr, side * open, 1);
        cairo_move_to(cr, 2, -4);
        cairo_curve_to(cr, 10, -22, 30, -26, 29, -12);
        cairo_curve_to(cr, 28, -4, 18, 0, 6, 2);
        cairo_curve_to(cr, 22, 4, 26, 18, 16, 22);
        cairo_curve_to(cr, 10, 24, 4, 14, 2, 6);
        cairo_close_path(cr);
        cairo_restore(cr);
        Shade(cr, MakeTone(wingColour, kInsectRim));
        cairo_save(cr);
        cairo_scale(cr, side * open, 1);
        EllipsePath(cr, 19, -13, 5.5, 5);
        SetRgb(cr, {1.0, 0.8, 0.3});
        cairo_fill(cr);
        EllipsePath(cr, 19, -13, 3, 3);
        SetRgb(cr, {0.1, 0.0, 0.15});
        cairo_fill(cr);
        EllipsePath(cr, 15, 13, 3.2, 3);
        SetRgb(cr, {1.0, 0.55, 0.2});
        cairo_fill(cr);
        cairo_restore(cr);
        Highlight(cr, side * 17 * open - 1, -14, 1.2, 1.2, 0.9);
    }
    Tone fur = MakeTone({0.85, 0.7, 0.55}, kInsectRim);
    Body(cr, 0, 2, 4.5, 14, 0, fur);
    Body(cr, 0, 16, 4.5, 4, 0, fur);
    for (int side = -1; side <= 1; side += 2) {
        Lamp(cr, side * 2.5, 17, 2, kEyeRed);
        double antenna[] = {side * 2.0, 19, side * 8.0, 25, side * 12.0, 26};
        Limb(cr, antenna, 3, 1.6, fur);
    }
}

// Hopper2: a round blue frog-thing with huge eyes whose legs kick out in a hop.
void DrawHopper2(cairo_t* cr, double t) {
    Tone skin = MakeTone({0.25, 0.5, 1.0}, kInsectRim);
    Tone belly = MakeTone({0.6, 0.95, 1.0}, kInsectRim);
    for (int side = -1; side <= 1; side += 2) {
        double a[] = {side * 12.0, 6, side * (24.0 - t * 6), 2 + t * 10, side * (18.0 - t * 4), 14 + t * 12};
        Limb(cr, a, 3, 4, skin);
        Body(cr, side * (18.0 - t * 4), 15 + t * 12, 5, 2.5, side * 0.3, skin, 1.0);
        double arm[] = {side * 10.0, 10, side * 14.0, 18, side * 12.0, 21};
        Limb(cr, arm, 3, 2.2, skin);
    }
    Body(cr, 0, 4, 16, 14 - t * 1.5, 0, skin);
    Body(cr, 0, 9, 10, 7, 0, belly, 0);
    for (int side = -1; side <= 1; side += 2) {
        Body(cr, side * 9, -10, 7.5, 7.5, 0, MakeTone({1, 1, 0.8}, kInsectRim));
        Lamp(cr, side * 9, -9, 4.5, {1.0, 0.2, 0.6});
        EllipsePath(cr, side * 9, -9, 1.2, 3.2);
        SetRgb(cr, {0.05, 0.0, 0.05});
        cairo_fill(cr);
    }
    cairo_move_to(cr, -8, 4);
    cairo_curve_to(cr, -3, 7, 3, 7, 8, 4);
    SetRgb(cr, {0.05, 0.1, 0.3});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// Swami: a floating mystic in a robe and jewelled turban with orbs circling around him.
void DrawSwami(cairo_t* cr, double t) {
    cairo_scale(cr, 1.12, 1.12);
    Tone robe = MakeTone({0.55, 0.15, 0.65}, kInsectRim);
    Tone turban = MakeTone({1.0, 0.85, 0.55}, kInsectRim);
    Tone skin = MakeTone({0.35, 0.7, 0.55}, kInsectRim);
    double orbit = t * kPi;
    auto orb = [&](int i, bool front) {
        double a = orbit + i * 2 * kPi / 3;
        if ((std::sin(a) > 0) != front) return;
        double x = 24 * std::cos(a), y = 6 + 7 * std::sin(a);
        Lamp(cr, x, y, 5, i == 0 ? kEyeAmber : (i == 1 ? kElectric : Rgb{1.0, 0.4, 0.9}));
    };
    for (int i = 0; i < 3; ++i)
        orb(i, false);
    cairo_move_to(cr, -6, -2);
    cairo_curve_to(cr, -14, 6, -20, 20, -16, 26);
    cairo_curve_to(cr, -6, 23, 6, 23, 16, 26);
    cairo_curve_to(cr, 20, 20, 14, 6, 6, -2);
    cairo_close_path(cr);
    Shade(cr, robe);
    cairo_move_to(cr, -10, 12);
    cairo_curve_to(cr, -4, 16, 4, 16, 10, 12);
    SetRgb(cr, kInsectGold, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Body(cr, 0, -6, 8, 8.5, 0, skin);
    for (int side = -1; side <= 1; side += 2)
        Lamp(cr, side * 3.2, -5, 2, {1.0, 0.95, 0.6}, 0.9);
    double beard[] = {0, 1, 0, 8 + t * 1.5};
    Limb(cr, beard, 2, 3, MakeTone({0.9, 0.9, 0.95}, kInsectRim));
    Body(cr, 0, -15, 11, 7, 0, turban);
    Body(cr, 0, -20, 6, 5, 0, turban);
    Lamp(cr, 0, -15, 3.5 + t, {1.0, 0.2, 0.4});
    for (int i = 0; i < 3; ++i)
        orb(i, true);
}

} // namespace assetgen::sprites

// The twelve collectable items (fruit, treasure, equipment) and their off-screen indicators: an
// up-arrow over a small bubble showing the item.
#include <cmath>

#include "art/sprites/draw.h"
#include "art/sprites/families.h"
#include "art/sprites/palette.h"

namespace assetgen::sprites {
namespace {

constexpr Rgb kItemRim{1.0, 0.95, 0.7};
constexpr Rgb kItemGlow{1.0, 0.85, 0.4};

void Watermelon(cairo_t* cr) {
    cairo_save(cr);
    cairo_rotate(cr, -0.25);
    cairo_translate(cr, 0, -8);
    // The flesh is the lower half of a disc: arc from left to right through the bottom.
    auto slice = [&](double r) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, r, 0, kPi);
        cairo_close_path(cr);
    };
    slice(28);
    Shade(cr, MakeTone({0.15, 0.6, 0.2}, kItemRim), 1.5);
    slice(24.5);
    SetRgb(cr, {0.9, 1.0, 0.8});
    cairo_fill(cr);
    slice(22);
    Shade(cr, MakeTone({1.0, 0.2, 0.3}, {1.0, 0.7, 0.7}), 0);
    for (int i = 0; i < 6; ++i) {
        double a = 0.45 + i * 0.45, r = i % 2 ? 9 : 15;
        EllipsePath(cr, r * std::cos(a), r * std::sin(a), 1.4, 2.4, a);
        SetRgb(cr, {0.1, 0.05, 0.05});
        cairo_fill(cr);
    }
    Highlight(cr, -8, 5, 8, 3, 0.5);
    cairo_restore(cr);
}

void Apple(cairo_t* cr) {
    cairo_move_to(cr, 0, -16);
    cairo_curve_to(cr, 10, -24, 26, -16, 24, 2);
    cairo_curve_to(cr, 22, 18, 12, 26, 0, 22);
    cairo_curve_to(cr, -12, 26, -22, 18, -24, 2);
    cairo_curve_to(cr, -26, -16, -10, -24, 0, -16);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.92, 0.1, 0.12}, kItemRim), 1.5);
    Highlight(cr, -10, -6, 5, 8, 0.6);
    double stem[] = {0, -15, 2, -26};
    Limb(cr, stem, 2, 2.5, MakeTone({0.45, 0.28, 0.1}, kItemRim));
    cairo_move_to(cr, 2, -22);
    cairo_curve_to(cr, 8, -30, 16, -28, 18, -24);
    cairo_curve_to(cr, 12, -18, 6, -18, 2, -22);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.35, 0.8, 0.2}, kItemRim), 1.0);
}

void Moneybag(cairo_t* cr) {
    cairo_move_to(cr, -6, -16);
    cairo_curve_to(cr, -26, -6, -28, 26, 0, 26);
    cairo_curve_to(cr, 28, 26, 26, -6, 6, -16);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.72, 0.55, 0.3}, kItemRim), 1.5);
    cairo_move_to(cr, -7, -16);
    cairo_line_to(cr, -12, -26);
    cairo_curve_to(cr, -4, -22, 4, -22, 12, -26);
    cairo_line_to(cr, 7, -16);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.72, 0.55, 0.3}, kItemRim), 1.2);
    cairo_rectangle(cr, -8, -18, 16, 4);
    Shade(cr, MakeTone({0.85, 0.2, 0.15}, kItemRim), 1.0);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 26);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, "$", &ext);
    cairo_move_to(cr, -ext.x_bearing - ext.width / 2, 6 - ext.y_bearing - ext.height / 2);
    cairo_text_path(cr, "$");
    Shade(cr, MakeTone({1.0, 0.82, 0.2}, {1, 1, 0.8}), 1.2);
    Highlight(cr, -10, -2, 4, 7, 0.4);
}

void RocketItem(cairo_t* cr) {
    cairo_save(cr);
    cairo_rotate(cr, kPi / 4);
    cairo_move_to(cr, -5, 16);
    cairo_curve_to(cr, -4, 24, 0, 30, 0, 32);
    cairo_curve_to(cr, 0, 30, 4, 24, 5, 16);
    cairo_close_path(cr);
    Lamp(cr, 0, 22, 9, {1.0, 0.6, 0.1});
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 6, 2);
        cairo_line_to(cr, side * 15, 16);
        cairo_line_to(cr, side * 14, 21);
        cairo_line_to(cr, side * 6, 16);
        cairo_close_path(cr);
        Shade(cr, MakeTone({0.9, 0.2, 0.15}, kItemRim), 1.2);
    }
    cairo_move_to(cr, 0, -30);
    cairo_curve_to(cr, 8, -22, 8, -10, 7.5, 0);
    cairo_line_to(cr, 6.5, 18);
    cairo_line_to(cr, -6.5, 18);
    cairo_line_to(cr, -7.5, 0);
    cairo_curve_to(cr, -8, -10, -8, -22, 0, -30);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.92, 0.92, 0.98}, kItemRim), 1.5);
    cairo_move_to(cr, 0, -30);
    cairo_curve_to(cr, 5, -25, 6.5, -20, 7, -16);
    cairo_line_to(cr, -7, -16);
    cairo_curve_to(cr, -6.5, -20, -5, -25, 0, -30);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.9, 0.2, 0.15}, kItemRim), 1.0);
    Body(cr, 0, -5, 3.5, 3.5, 0, MakeTone({0.3, 0.7, 1.0}, kItemRim), 1.0);
    cairo_restore(cr);
}

void Barrel(cairo_t* cr) {
    cairo_move_to(cr, -16, -24);
    cairo_curve_to(cr, -24, -10, -24, 10, -16, 24);
    cairo_line_to(cr, 16, 24);
    cairo_curve_to(cr, 24, 10, 24, -10, 16, -24);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.65, 0.38, 0.16}, kItemRim), 1.5);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, i * 7.0, -24);
        cairo_curve_to(cr, i * 9.5, -8, i * 9.5, 8, i * 7.0, 24);
        SetRgb(cr, {0.3, 0.15, 0.05}, 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    for (int k = -1; k <= 1; k += 2) {
        EllipsePath(cr, 0, k * 13, 21.5, 2.6);
        Shade(cr, MakeTone({0.7, 0.72, 0.8}, kItemRim), 1.0);
    }
    EllipsePath(cr, 0, -24, 16, 4);
    Shade(cr, MakeTone({0.75, 0.5, 0.25}, kItemRim), 1.2);
    // Four glowing bolts on the lid: the four-laser fire inside.
    static const Rgb laser[4] = {{0.3, 1.0, 0.45}, {0.25, 0.8, 1.0}, {0.8, 0.35, 1.0}, {1.0, 0.7, 0.2}};
    for (int i = 0; i < 4; ++i)
        Lamp(cr, -9 + i * 6, -24, 3.2, laser[i]);
    Highlight(cr, -9, -4, 4, 12, 0.35);
}

// A cut gem: the outline's facets alternate light and dark around a bright table.
void Gem(cairo_t* cr, Rgb colour, int sides, double squash, double rotation) {
    const double r = 24, table = 12;
    for (int i = 0; i < sides; ++i) {
        double a0 = rotation + i * 2 * kPi / sides, a1 = rotation + (i + 1) * 2 * kPi / sides;
        cairo_move_to(cr, r * std::cos(a0), r * std::sin(a0) * squash);
        cairo_line_to(cr, r * std::cos(a1), r * std::sin(a1) * squash);
        cairo_line_to(cr, table * std::cos(a1), table * std::sin(a1) * squash);
        cairo_line_to(cr, table * std::cos(a0), table * std::sin(a0) * squash);
        cairo_close_path(cr);
        double mid = (a0 + a1) / 2;
        double lightness = 0.5 + 0.5 * std::cos(mid + 2.3);
        SetRgb(cr, Mix(Bright(colour, 0.45), Mix(colour, {1, 1, 1}, 0.6), lightness));
        cairo_fill(cr);
    }
    for (int i = 0; i < sides; ++i) {
        double a = rotation + i * 2 * kPi / sides;
        if (i == 0)
            cairo_move_to(cr, table * std::cos(a), table * std::sin(a) * squash);
        else
            cairo_line_to(cr, table * std::cos(a), table * std::sin(a) * squash);
    }
    cairo_close_path(cr);
    SetRgb(cr, Mix(colour, {1, 1, 1}, 0.35));
    cairo_fill(cr);
    for (int i = 0; i < sides; ++i) {
        double a = rotation + i * 2 * kPi / sides;
        if (i == 0)
            cairo_move_to(cr, r * std::cos(a), r * std::sin(a) * squash);
        else
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a) * squash);
    }
    cairo_close_path(cr);
    SetRgb(cr, Mix(colour, {1, 1, 1}, 0.7), 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Highlight(cr, -5, -5 * squash, 5, 3, 0.9);
    Lamp(cr, -9, -9 * squash, 3, {1, 1, 1}, 0.9);
}

void ShieldItem(cairo_t* cr) {
    cairo_move_to(cr, 0, -26);
    cairo_curve_to(cr, 10, -20, 18, -21, 22, -22);
    cairo_curve_to(cr, 23, 2, 16, 18, 0, 27);
    cairo_curve_to(cr, -16, 18, -23, 2, -22, -22);
    cairo_curve_to(cr, -18, -21, -10, -20, 0, -26);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.8, 0.85, 0.95}, kItemRim), 1.5);
    cairo_move_to(cr, 0, -20);
    cairo_curve_to(cr, 8, -15, 13, -16, 16, -16);
    cairo_curve_to(cr, 17, 0, 12, 13, 0, 20);
    cairo_curve_to(cr, -12, 13, -17, 0, -16, -16);
    cairo_curve_to(cr, -13, -16, -8, -15, 0, -20);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.15, 0.45, 0.95}, {0.5, 0.9, 1.0}), 0);
    // Star emblem.
    cairo_move_to(cr, 0, -11);
    for (int i = 1; i < 10; ++i) {
        double a = -kPi / 2 + i * kPi / 5, r = i % 2 ? 4.5 : 11;
        cairo_line_to(cr, r * std::cos(a), 1 + r * std::sin(a));
    }
    cairo_close_path(cr);
    Shade(cr, MakeTone({1.0, 0.85, 0.3}, {1, 1, 0.8}), 0.8);
    Highlight(cr, -9, -12, 4, 7, 0.5);
}

void ExtraLife(cairo_t* cr) {
    cairo_arc(cr, 0, 0, 27, 0, 2 * kPi);
    Shade(cr, MakeTone({1.0, 0.78, 0.2}, kItemRim), 1.5);
    cairo_arc(cr, 0, 0, 22, 0, 2 * kPi);
    Shade(cr, MakeTone({0.15, 0.25, 0.6}, {0.5, 0.8, 1.0}), 1.0);
    cairo_save(cr);
    cairo_translate(cr, 0, -3);
    cairo_scale(cr, 0.42, 0.42);
    DrawShipIcon(cr);
    cairo_restore(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 11);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, "1UP", &ext);
    cairo_move_to(cr, -ext.x_bearing - ext.width / 2, 16 - ext.y_bearing - ext.height / 2);
    cairo_text_path(cr, "1UP");
    SetRgb(cr, {1, 1, 0.85});
    cairo_fill(cr);
    Highlight(cr, -12, -14, 8, 4, 0.5);
}

void Sneaker(cairo_t* cr) {
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -28, -4 + i * 7);
        cairo_line_to(cr, -18 + i * 2, -4 + i * 7);
        SetRgb(cr, {1, 1, 1}, 0.8);
        cairo_set_line_width(cr, 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    // Wing on the heel.
    cairo_move_to(cr, -10, -4);
    cairo_curve_to(cr, -20, -22, -8, -28, 2, -26);
    cairo_curve_to(cr, -2, -20, -2, -14, -4, -8);
    cairo_close_path(cr);
    Shade(cr, MakeTone({1, 1, 1}, kItemRim), 1.2);
    cairo_move_to(cr, -14, -8);
    cairo_curve_to(cr, -14, -14, -4, -16, 2, -14);
    cairo_curve_to(cr, 8, -6, 18, -2, 24, 4);
    cairo_curve_to(cr, 28, 8, 27, 13, 22, 14);
    cairo_line_to(cr, -14, 14);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.95, 0.2, 0.2}, kItemRim), 1.5);
    cairo_move_to(cr, -16, 12);
    cairo_line_to(cr, 25, 12);
    cairo_curve_to(cr, 28, 13, 28, 18, 24, 19);
    cairo_line_to(cr, -15, 19);
    cairo_curve_to(cr, -18, 18, -18, 13, -16, 12);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.95, 0.95, 1.0}, kItemRim), 1.2);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -3 + i * 4, -10 + i * 3);
        cairo_line_to(cr, 3 + i * 4, -6 + i * 3);
        SetRgb(cr, {1, 1, 1}, 0.9);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    Highlight(cr, 6, -2, 8, 3, 0.5);
}

void Mug(cairo_t* cr) {
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, i * 7, -16);
        cairo_curve_to(cr, i * 7 - 5, -20, i * 7 + 5, -23, i * 7, -27);
        SetRgb(cr, {1, 1, 1}, 0.75);
        cairo_set_line_width(cr, 2.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_arc(cr, 17, 3, 9, -kPi / 2, kPi / 2);
    cairo_arc_negative(cr, 17, 3, 4.5, kPi / 2, -kPi / 2);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.3, 0.55, 1.0}, kItemRim), 1.2);
    cairo_move_to(cr, -18, -14);
    cairo_line_to(cr, 18, -14);
    cairo_line_to(cr, 16, 20);
    cairo_curve_to(cr, 16, 25, -16, 25, -16, 20);
    cairo_close_path(cr);
    Shade(cr, MakeTone({0.3, 0.55, 1.0}, kItemRim), 1.5);
    EllipsePath(cr, 0, -14, 18, 4);
    Shade(cr, MakeTone({0.55, 0.32, 0.15}, kItemRim), 1.0);
    // An upward chevron: this mug upgrades the guns.
    cairo_move_to(cr, -8, 10);
    cairo_line_to(cr, 0, 2);
    cairo_line_to(cr, 8, 10);
    SetRgb(cr, {1.0, 0.9, 0.3});
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    Highlight(cr, -10, 2, 3, 9, 0.5);
}

using ItemFn = void (*)(cairo_t*);
const ItemFn kItems[12] = {
    Watermelon,
    Apple,
    Moneybag,
    RocketItem,
    Barrel,
    [](cairo_t* cr) {
        Gem(cr, {0.1, 0.85, 0.35}, 8, 1.0, kPi / 8);
    },
    [](cairo_t* cr) {
        Gem(cr, {0.95, 0.1, 0.25}, 6, 0.85, 0);
    },
    [](cairo_t* cr) {
        Gem(cr, {0.2, 0.45, 1.0}, 4, 1.15, 0);
    },
    ShieldItem,
    ExtraLife,
    Sneaker,
    Mug,
};

void Indicator(cairo_t* cr, ItemFn item) {
    cairo_translate(cr, 20, 0);
    cairo_move_to(cr, 0, 2);
    cairo_line_to(cr, 9, 11);
    cairo_line_to(cr, 4, 11);
    cairo_line_to(cr, 4, 14);
    cairo_line_to(cr, -4, 14);
    cairo_line_to(cr, -4, 11);
    cairo_line_to(cr, -9, 11);
    cairo_close_path(cr);
    Shade(cr, MakeTone({1.0, 0.8, 0.2}, kItemRim), 1.2);
    cairo_arc(cr, 0, 31, 16, 0, 2 * kPi);
    SetRgb(cr, {0.08, 0.1, 0.25}, 0.85);
    cairo_fill_preserve(cr);
    SetRgb(cr, {1.0, 0.85, 0.35}, 0.95);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_translate(cr, 0, 31);
    cairo_scale(cr, 0.44, 0.44);
    item(cr);
}

} // namespace

void GeneratePowerups(const Output& out) {
    for (int i = 0; i < 12; ++i) {
        WriteGlowPicture(out, "gfx/powerups/powerup" + std::to_string(i + 1) + ".png", 64, 64, kItemGlow, 3,
                         0.45, [&](cairo_t* cr) {
                             cairo_translate(cr, 32, 32);
                             kItems[i](cr);
                         });
        WriteGlowPicture(out, "gfx/powerups/indicator" + std::to_string(i + 1) + ".png", 40, 50, kItemGlow, 2,
                         0.4, [&](cairo_t* cr) { Indicator(cr, kItems[i]); });
    }
}

} // namespace assetgen::sprites

// Menu furniture: the pointer, the loading panel and its bar, the nine frame pieces of the menu
// panels, the two row highlights and the one-pixel flash.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/sheet.h"

namespace assetgen::screens {
namespace {

void WritePointer(const Output& out) {
    // The arrow tip sits on the picture's top-left corner, which is the pointer's hotspot.
    WritePicture(out, "gfx/menus/mouse.png", 48, 64, [](cairo_t* cr) {
        const double pts[][2] = {{1.5, 1.5}, {1.5, 52},  {13.5, 41}, {22.5, 60},
                                 {31, 56},   {22.5, 38}, {39, 38}};
        auto path = [&] {
            cairo_new_path(cr);
            cairo_move_to(cr, pts[0][0], pts[0][1]);
            for (const auto& p : pts)
                cairo_line_to(cr, p[0], p[1]);
            cairo_close_path(cr);
        };
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        path();
        SetColour(cr, kCyan, 0.35);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        path();
        cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 30, 56);
        cairo_pattern_add_color_stop_rgb(fill, 0, 1, 1, 1);
        cairo_pattern_add_color_stop_rgb(fill, 0.55, kIce.r, kIce.g, kIce.b);
        cairo_pattern_add_color_stop_rgb(fill, 1, kCyan.r, kCyan.g, kCyan.b);
        cairo_set_source(cr, fill);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(fill);
        SetColour(cr, kInk, 1.0);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
        // An inner facet line for a cut-crystal look.
        cairo_move_to(cr, 5, 12);
        cairo_line_to(cr, 5, 42);
        SetColour(cr, kWhite, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    });
}

constexpr int kPanelW = 1000, kPanelH = 300;
constexpr int kBarW = 880, kBarH = 48;

void WriteLoadingPanel(const Output& out) {
    WritePicture(out, "gfx/menus/loading.png", kPanelW, kPanelH, [](cairo_t* cr) {
        // Body: dark glass with a luminous double rim.
        for (int i = 4; i >= 1; --i) {
            RoundedRect(cr, 14, 14, kPanelW - 28, kPanelH - 28, 48);
            SetColour(cr, kCyan, 0.07);
            cairo_set_line_width(cr, 4.0 * i + 2);
            cairo_stroke(cr);
        }
        RoundedRect(cr, 14, 14, kPanelW - 28, kPanelH - 28, 48);
        cairo_pattern_t* body = cairo_pattern_create_linear(0, 14, 0, kPanelH - 14);
        cairo_pattern_add_color_stop_rgba(body, 0, 0.10, 0.17, 0.38, 0.97);
        cairo_pattern_add_color_stop_rgba(body, 1, 0.02, 0.03, 0.10, 0.97);
        cairo_set_source(cr, body);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(body);
        SetColour(cr, kCyan);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        RoundedRect(cr, 28, 28, kPanelW - 56, kPanelH - 56, 36);
        SetColour(cr, kViolet, 0.55);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);

        TextStyle caption;
        caption.size = 64;
        caption.top = kWhite;
        caption.bottom = kCyan;
        caption.outlineWidth = 3;
        caption.glow = kCyan;
        caption.glowRadius = 6;
        caption.glowAlpha = 0.35;
        DrawText(cr, "Loading", kPanelW / 2.0, 104, caption);
        DrawSparkle(cr, kPanelW / 2.0 - 190, 80, 9, kCyan, 0.9);
        DrawSparkle(cr, kPanelW / 2.0 + 190, 80, 9, kViolet, 0.9);

        // The slot the bar fills: centred on the panel centre, a little larger than the bar.
        double sx = (kPanelW - kBarW) / 2.0 - 10, sy = (kPanelH - kBarH) / 2.0 - 10;
        RoundedRect(cr, sx, sy, kBarW + 20, kBarH + 20, (kBarH + 20) / 2.0);
        SetColour(cr, kInk, 0.95);
        cairo_fill_preserve(cr);
        SetColour(cr, kCyan, 0.6);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        // Tick marks under the slot, one per tenth.
        for (int i = 0; i <= 10; ++i) {
            double x = (kPanelW - kBarW) / 2.0 + kBarW * i / 10.0;
            cairo_move_to(cr, x, sy + kBarH + 28);
            cairo_line_to(cr, x, sy + kBarH + (i % 5 == 0 ? 46 : 38));
        }
        SetColour(cr, kIce, 0.5);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    });
    // The bar: each picture pixel across is one step of progress.
    WritePicture(out, "gfx/menus/loadingbar.png", kBarW, kBarH, [](cairo_t* cr) {
        RoundedRect(cr, 1, 1, kBarW - 2, kBarH - 2, kBarH / 2.0 - 1);
        cairo_pattern_t* hue = cairo_pattern_create_linear(0, 0, kBarW, 0);
        cairo_pattern_add_color_stop_rgb(hue, 0, kViolet.r, kViolet.g, kViolet.b);
        cairo_pattern_add_color_stop_rgb(hue, 0.55, kCyan.r, kCyan.g, kCyan.b);
        cairo_pattern_add_color_stop_rgb(hue, 1, kIce.r, kIce.g, kIce.b);
        cairo_set_source(cr, hue);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(hue);
        cairo_pattern_t* depth = cairo_pattern_create_linear(0, 0, 0, kBarH);
        cairo_pattern_add_color_stop_rgba(depth, 0, 1, 1, 1, 0.55);
        cairo_pattern_add_color_stop_rgba(depth, 0.35, 1, 1, 1, 0.05);
        cairo_pattern_add_color_stop_rgba(depth, 0.65, 0, 0, 0.1, 0.0);
        cairo_pattern_add_color_stop_rgba(depth, 1, 0, 0, 0.1, 0.45);
        cairo_set_source(cr, depth);
        cairo_fill(cr);
        cairo_pattern_destroy(depth);
        // Diagonal energy stripes.
        cairo_save(cr);
        RoundedRect(cr, 1, 1, kBarW - 2, kBarH - 2, kBarH / 2.0 - 1);
        cairo_clip(cr);
        for (int x = -kBarH; x < kBarW + kBarH; x += 32) {
            cairo_move_to(cr, x, kBarH);
            cairo_line_to(cr, x + 14, kBarH);
            cairo_line_to(cr, x + 14 + kBarH * 0.6, 0);
            cairo_line_to(cr, x + kBarH * 0.6, 0);
            cairo_close_path(cr);
        }
        SetColour(cr, kWhite, 0.14);
        cairo_fill(cr);
        cairo_restore(cr);
    });
}

constexpr int kPiece = 128;

// The frame is drawn whole as a 3 × 3 panel and cut into its nine pieces. Everything along an
// edge repeats every piece length and the corner ornaments stay inside the corner pieces, so
// the pieces tile seamlessly into panels of any size.
void WriteFramePieces(const Output& out) {
    const int size = 3 * kPiece;
    cairo_surface_t* whole = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(whole);
    const double rim = 16, radius = 40;
    auto frame = [&](double inset, double r) {
        RoundedRect(cr, inset, inset, size - 2 * inset, size - 2 * inset, r);
    };
    // Soft outer glow of the rim.
    for (int i = 5; i >= 1; --i) {
        frame(rim, radius);
        SetColour(cr, kCyan, 0.05);
        cairo_set_line_width(cr, 3.0 * i + 2);
        cairo_stroke(cr);
    }
    // The fill is all but opaque: a menu opened over play must hide the level's banners and
    // texts behind it, or they read through its own words.
    frame(rim, radius);
    SetColour(cr, {0.030, 0.055, 0.150}, 0.97);
    cairo_fill(cr);
    // Faint navigation grid in the fill, period 32 so that it repeats in every piece.
    cairo_save(cr);
    frame(rim + 10, radius - 10);
    cairo_clip(cr);
    for (int k = 16; k < size; k += 32) {
        cairo_move_to(cr, k + 0.5, 0);
        cairo_line_to(cr, k + 0.5, size);
        cairo_move_to(cr, 0, k + 0.5);
        cairo_line_to(cr, size, k + 0.5);
    }
    SetColour(cr, kCyan, 0.05);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Light falling inward from the rim.
    cairo_save(cr);
    frame(rim, radius);
    cairo_clip(cr);
    for (int i = 4; i >= 1; --i) {
        frame(rim, radius);
        SetColour(cr, kCyan, 0.045);
        cairo_set_line_width(cr, 12.0 * i);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // Bright outer rim and a thin violet inner line.
    frame(rim, radius);
    SetColour(cr, kCyan, 1.0);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    frame(rim + 9, radius - 9);
    SetColour(cr, kViolet, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Edge studs, one in the middle of each edge piece.
    {
        const double c = kPiece + kPiece / 2.0;
        const double studs[][2] = {{c, rim}, {c, size - rim}, {rim, c}, {size - rim, c}};
        for (const auto& s : studs) {
            cairo_new_path(cr);
            cairo_move_to(cr, s[0] - 7, s[1]);
            cairo_line_to(cr, s[0], s[1] - 7);
            cairo_line_to(cr, s[0] + 7, s[1]);
            cairo_line_to(cr, s[0], s[1] + 7);
            cairo_close_path(cr);
            SetColour(cr, kIce, 1.0);
            cairo_fill_preserve(cr);
            SetColour(cr, kInk, 0.8);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
    // Corner brackets and gems, kept inside the corner pieces.
    for (int corner = 0; corner < 4; ++corner) {
        double sx = (corner % 2 == 0) ? 1 : -1, sy = (corner < 2) ? 1 : -1;
        double ox = sx > 0 ? 0 : size, oy = sy > 0 ? 0 : size;
        auto at = [&](double x, double y) { return std::pair<double, double>{ox + sx * x, oy + sy * y}; };
        // Bracket: an L hugging the rounded corner.
        cairo_new_path(cr);
        auto p = at(rim + 6, 104);
        cairo_move_to(cr, p.first, p.second);
        p = at(rim + 6, rim + 40);
        cairo_line_to(cr, p.first, p.second);
        auto q = at(rim + 40, rim + 6);
        cairo_curve_to(cr, at(rim + 6, rim + 18).first, at(rim + 6, rim + 18).second,
                       at(rim + 18, rim + 6).first, at(rim + 18, rim + 6).second, q.first, q.second);
        p = at(104, rim + 6);
        cairo_line_to(cr, p.first, p.second);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColour(cr, kViolet, 0.35);
        cairo_set_line_width(cr, 9);
        cairo_stroke_preserve(cr);
        SetColour(cr, kIce, 1.0);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        auto g = at(rim + 16, rim + 16);
        DrawSparkle(cr, g.first, g.second, 8, kCyan, 1.0);
    }
    cairo_destroy(cr);
    cairo_surface_flush(whole);
    for (int i = 0; i < 9; ++i) {
        cairo_surface_t* piece = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPiece, kPiece);
        cairo_t* pc = cairo_create(piece);
        cairo_set_source_surface(pc, whole, -(i % 3) * kPiece, -(i / 3) * kPiece);
        cairo_set_operator(pc, CAIRO_OPERATOR_SOURCE);
        cairo_paint(pc);
        cairo_destroy(pc);
        SavePng(piece, out.Path("gfx/menus/menupiece" + std::to_string(i + 1) + ".png").string());
        cairo_surface_destroy(piece);
    }
    cairo_surface_destroy(whole);
}

// A row highlight drawn additively over its row's text: a faint wash with bright rules along
// its top and bottom and brighter ends, so the words inside stay readable. It is opaque (black
// adds nothing) on pure magenta outside its capsule, which the game keys out; the glow is
// already black where it meets the magenta, so the hard edge never shows.
void WriteHighlight(const Output& out, const std::string& path, int w, int h, Rgb colour) {
    cairo_surface_t* s = PaintPixels(w, h, [&](int x, int y) {
        double px = x + 0.5, py = y + 0.5, r = h / 2.0;
        double cx = std::clamp(px, r, w - r);
        double d = std::hypot(px - cx, py - h / 2.0) / r; // 0 on the centre line, 1 on the rim
        if (d > 1.0) return Rgba{1, 0, 1, 1};
        double edge = std::min(px, w - px) / w; // 0 at the ends, 0.5 in the middle
        double wash = 0.22 * (1 - d * d);
        double rule = 0.75 * std::exp(-std::pow((d - 0.8) / 0.09, 2));
        double ends = 0.55 * std::exp(-edge / 0.04) * (1 - d);
        double fade = SmoothStep(0, 0.1, edge) * 0.5 + 0.5;
        double v = (wash + rule) * fade + ends;
        v *= SmoothStep(1.0, 0.9, d);
        return Rgba{colour.r * v, colour.g * v, colour.b * v, 1};
    });
    SavePng(s, out.Path(path).string());
    cairo_surface_destroy(s);
}

} // namespace

void WriteMenuParts(const Output& out) {
    WritePointer(out);
    WriteLoadingPanel(out);
    WriteFramePieces(out);
    WriteHighlight(out, "gfx/menus/playerselect.png", 500, 28, kCyan);
    WriteHighlight(out, "gfx/menus/configselect.png", 480, 52, kCyan);
    // The white flash of the second boss's explosion: one opaque white pixel.
    WritePicture(out, "gfx/menus/pixel.png", 1, 1, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    });
}

} // namespace assetgen::screens

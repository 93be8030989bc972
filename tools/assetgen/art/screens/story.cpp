// The story told before a new player's first game (story1, story2) and the ending after the
// last level (end1, end2): framed illustrations with a few lines of text.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "art/screens/emblems.h"
#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/noise.h"
#include "common/rng.h"
#include "common/sheet.h"

namespace assetgen::screens {
namespace {

// Shown at scale 0.4: 1800 px are 720 units, so 50 px type reads like the menu font.
constexpr int kWidth = 1800;

TextStyle BodyStyle() {
    TextStyle s;
    s.size = 50;
    s.bold = false;
    s.top = kWhite;
    s.bottom = kIce;
    s.outlineWidth = 3;
    return s;
}

TextStyle HeadingStyle(Rgb light) {
    TextStyle s;
    s.size = 92;
    s.top = kWhite;
    s.bottom = light;
    s.outlineWidth = 4;
    s.glow = light;
    s.glowRadius = 9;
    s.glowAlpha = 0.45;
    return s;
}

// A rounded frame with a luminous rim; drawing inside it is clipped to the frame.
void BeginFrame(cairo_t* cr, double x, double y, double w, double h) {
    for (int i = 4; i >= 1; --i) {
        RoundedRect(cr, x, y, w, h, 40);
        SetColour(cr, kCyan, 0.06);
        cairo_set_line_width(cr, 6.0 * i);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    RoundedRect(cr, x, y, w, h, 40);
    cairo_clip(cr);
}

void EndFrame(cairo_t* cr, double x, double y, double w, double h) {
    cairo_restore(cr);
    RoundedRect(cr, x, y, w, h, 40);
    SetColour(cr, kCyan, 1);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    RoundedRect(cr, x + 12, y + 12, w - 24, h - 24, 30);
    SetColour(cr, kViolet, 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// A violet tear in space with light pouring out of it: a wobbling lens of light in layers
// from violet to white, with crackling filaments around it.
void DrawRift(cairo_t* cr, double x, double y, double h, double open, uint64_t seed) {
    Rng rng(seed);
    const uint32_t noiseSeed = uint32_t(seed);
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, h * 0.9);
    cairo_pattern_add_color_stop_rgba(glow, 0, kViolet.r, kViolet.g, kViolet.b, 0.65);
    cairo_pattern_add_color_stop_rgba(glow, 0.4, 0.5, 0.2, 0.8, 0.25);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.3, 0.1, 0.5, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, x, y, h * 0.9, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    // Filaments of light crackling away from the tear.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 16; ++i) {
        double t = rng.Float(0.2, 0.8), side = rng.Float(0, 1) < 0.5 ? -1 : 1;
        double px = x + side * h * open * 0.12 * std::sin(M_PI * t), py = y - h / 2 + h * t;
        double angle = (side > 0 ? 0 : M_PI) + rng.Float(-0.9, 0.9);
        double len = rng.Float(0.15, 0.45) * h;
        cairo_move_to(cr, px, py);
        for (int k = 1; k <= 5; ++k) {
            angle += rng.Float(-0.5, 0.5);
            px += std::cos(angle) * len / 5;
            py += std::sin(angle) * len / 5;
            cairo_line_to(cr, px, py);
        }
        SetColour(cr, Mix(kViolet, kWhite, 0.4), 0.45);
        cairo_set_line_width(cr, rng.Float(1.5, 3.5));
        cairo_stroke(cr);
    }
    for (int layer = 0; layer < 4; ++layer) {
        double width = h * open * (0.20 - layer * 0.045);
        const int n = 48;
        auto edge = [&](double t, double side) {
            double wobble = 1 + 0.35 * Noise2(t * 5, layer * 3.0 + side, noiseSeed);
            return width * std::pow(std::sin(M_PI * t), 0.8) * wobble;
        };
        cairo_new_path(cr);
        for (int i = 0; i <= n; ++i) {
            double t = double(i) / n;
            double bend = 0.06 * h * std::sin(t * M_PI * 2);
            cairo_line_to(cr, x + bend + edge(t, 1), y - h / 2 + h * t);
        }
        for (int i = n; i >= 0; --i) {
            double t = double(i) / n;
            double bend = 0.06 * h * std::sin(t * M_PI * 2);
            cairo_line_to(cr, x + bend - edge(t, -1), y - h / 2 + h * t);
        }
        cairo_close_path(cr);
        const Rgb colours[] = {kViolet, Mix(kViolet, kWhite, 0.35), Mix(kViolet, kWhite, 0.7), kWhite};
        SetColour(cr, colours[layer], layer == 0 ? 0.6 : 0.9);
        cairo_fill(cr);
    }
}

// Creatures streaming along a curve from (x0, y0) towards (x1, y1), growing as they come.
void DrawSwarmStream(cairo_t* cr, double x0, double y0, double x1, double y1, int count, double maxSize, uint64_t seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        double t = std::pow(rng.Float(0, 1), 0.8);
        double bend = std::sin(t * M_PI) * 160;
        double x = x0 + (x1 - x0) * t + rng.Float(-1, 1) * (40 + 180 * t) + bend * 0.3;
        double y = y0 + (y1 - y0) * t + rng.Float(-1, 1) * (30 + 120 * t) - bend;
        double size = maxSize * (0.15 + 0.85 * t * t) * rng.Float(0.7, 1.1);
        double heading = std::atan2(y1 - y0, x1 - x0) + M_PI / 2 + rng.Float(-0.4, 0.4);
        DrawSwarmling(cr, x, y, size, heading, rng.Float(0, 1) < 0.7 ? Rgb{0.6, 1.0, 0.4} : kEmber, rng.Float(0, 6.28));
    }
}

void WriteStory1(const Output& out) {
    const int h = 1380;
    WritePicture(out, "gfx/menus/story1.png", kWidth, h, [&](cairo_t* cr) {
        const double fx = 40, fy = 20, fw = kWidth - 80, fh = 820;
        BeginFrame(cr, fx, fy, fw, fh);
        DrawSky(cr, fx, fy, fw, fh, 101, kViolet);
        DrawPlanetAt(cr, 0, 430, 600, 700);
        DrawRift(cr, 1400, 260, 430, 1.0, 102);
        DrawSwarmStream(cr, 1400, 260, 560, 520, 150, 70, 103);
        EndFrame(cr, fx, fy, fw, fh);
        TextStyle body = BodyStyle();
        DrawText(cr, "The Storm", kWidth / 2.0, 960, HeadingStyle(kViolet));
        double y = DrawParagraph(cr,
                                 "For a thousand years the Lantern Worlds lived in peace under their eleven suns. "
                                 "Then the Rift tore open.",
                                 kWidth / 2.0, 1060, 1600, 64, body);
        DrawParagraph(cr,
                      "Out of it poured the Swarm: armoured insects, living rock and hive machines, a storm of "
                      "wings that put out the stars of one world after another.",
                      kWidth / 2.0, y + 24, 1600, 64, body);
    });
}

// The second picture comes to rest with its centre at y 400 and stands there for five seconds,
// so all of it must fit in the lower 200 units of the screen: 500 px at scale 0.4.
void WriteStory2(const Output& out) {
    const int h = 500;
    WritePicture(out, "gfx/menus/story2.png", kWidth, h, [&](cairo_t* cr) {
        // The Quill setting out, in a round window on the left.
        const double cx = 270, cy = 250, r = 215;
        for (int i = 4; i >= 1; --i) {
            cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
            SetColour(cr, kCyan, 0.06);
            cairo_set_line_width(cr, 6.0 * i);
            cairo_stroke(cr);
        }
        cairo_save(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_clip(cr);
        DrawSky(cr, cx - r, cy - r, 2 * r, 2 * r, 201, kCyan);
        DrawPlanetAt(cr, 2, cx + 170, cy + 250, 520);
        DrawRift(cr, cx - 120, cy - 110, 110, 0.8, 202);
        DrawShip(cr, cx + 10, cy + 10, 170, 0.5);
        cairo_restore(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        SetColour(cr, kCyan, 1);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, r - 12, 0, 2 * M_PI);
        SetColour(cr, kViolet, 0.6);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);

        const double tx = 1160, width = 1180;
        TextStyle heading = HeadingStyle(kCyan);
        heading.size = 80;
        DrawText(cr, "The Quill", tx, 100, heading);
        TextStyle body = BodyStyle();
        body.size = 46;
        double y = DrawParagraph(cr,
                                 "One ship is left: the Quill, light as a feather and sharp as its point. "
                                 "Fly through eleven systems, break the Swarm and close the Rift.",
                                 tx, 180, width, 58, body);
        TextStyle luck = HeadingStyle(kGold);
        luck.size = 64;
        DrawText(cr, "Good luck, pilot.", tx, y + 50, luck);
    });
}

// The Rift collapsing in a flash while the Swarm scatters.
void WriteEnd1(const Output& out) {
    const int h = 1150;
    WritePicture(out, "gfx/menus/end1.png", kWidth, h, [&](cairo_t* cr) {
        const double fx = 40, fy = 20, fw = kWidth - 80, fh = h - 40;
        BeginFrame(cr, fx, fy, fw, fh);
        DrawSky(cr, fx, fy, fw, fh, 301, kViolet);
        DrawPlanetAt(cr, 10, 900, 430, 560);
        const double cx = 900, cy = 430;
        for (int ring = 0; ring < 4; ++ring) {
            cairo_arc(cr, cx, cy, 330 + ring * 110, 0, 2 * M_PI);
            SetColour(cr, Mix(kWhite, kViolet, ring / 3.0), 0.5 - ring * 0.1);
            cairo_set_line_width(cr, 14 - ring * 3);
            cairo_stroke(cr);
        }
        cairo_pattern_t* flash = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 520);
        cairo_pattern_add_color_stop_rgba(flash, 0, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(flash, 0.3, 1, 0.9, 1, 0.55);
        cairo_pattern_add_color_stop_rgba(flash, 1, kViolet.r, kViolet.g, kViolet.b, 0);
        cairo_set_source(cr, flash);
        cairo_paint(cr);
        cairo_pattern_destroy(flash);
        Rng rng(302);
        for (int i = 0; i < 70; ++i) {
            double a = rng.Float(0, 2 * M_PI), d = rng.Float(380, 900);
            DrawSwarmling(cr, cx + std::cos(a) * d, cy + std::sin(a) * d * 0.7, rng.Float(18, 50), a + M_PI / 2,
                          {0.6, 1.0, 0.4}, rng.Float(0, 6.28));
        }
        DrawShip(cr, 1500, 560, 200, -0.35);
        // A dark band for the words.
        cairo_pattern_t* band = cairo_pattern_create_linear(0, fy + fh - 300, 0, fy + fh);
        cairo_pattern_add_color_stop_rgba(band, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(band, 0.4, 0, 0, 0.03, 0.7);
        cairo_pattern_add_color_stop_rgba(band, 1, 0, 0, 0.03, 0.85);
        cairo_set_source(cr, band);
        cairo_rectangle(cr, fx, fy + fh - 300, fw, 300);
        cairo_fill(cr);
        cairo_pattern_destroy(band);
        DrawParagraph(cr,
                      "The heart of the hive is gone. With its last cry the Rift folds shut, and the Swarm "
                      "scatters into the dark.",
                      kWidth / 2.0, fy + fh - 150, 1560, 64, BodyStyle());
        EndFrame(cr, fx, fy, fw, fh);
    });
}

void WriteEnd2(const Output& out) {
    const int h = 1150;
    WritePicture(out, "gfx/menus/end2.png", kWidth, h, [&](cairo_t* cr) {
        const double fx = 40, fy = 20, fw = kWidth - 80, fh = h - 40;
        BeginFrame(cr, fx, fy, fw, fh);
        DrawSky(cr, fx, fy, fw, fh, 401, kCyan);
        // Dawn breaking over the first of the Lantern Worlds.
        cairo_pattern_t* dawn = cairo_pattern_create_radial(300, 1150, 0, 300, 1150, 900);
        cairo_pattern_add_color_stop_rgba(dawn, 0, 1, 0.85, 0.5, 0.7);
        cairo_pattern_add_color_stop_rgba(dawn, 0.5, 1, 0.5, 0.3, 0.2);
        cairo_pattern_add_color_stop_rgba(dawn, 1, 1, 0.4, 0.3, 0);
        cairo_set_source(cr, dawn);
        cairo_paint(cr);
        cairo_pattern_destroy(dawn);
        DrawPlanetAt(cr, 0, 1350, 1050, 1100);
        DrawShip(cr, 700, 560, 150, 0.9);
        DrawText(cr, "The End", kWidth / 2.0, 300, HeadingStyle(kGold));
        TextStyle body = BodyStyle();
        DrawParagraph(cr, "The stars shine again over the Lantern Worlds.", kWidth / 2.0, 400, 1500, 64, body);
        TextStyle thanks = HeadingStyle(kCyan);
        thanks.size = 60;
        DrawText(cr, "Thank you for flying the Quill.", kWidth / 2.0, fy + fh - 70, thanks);
        EndFrame(cr, fx, fy, fw, fh);
    });
}

} // namespace

void WriteStory(const Output& out) {
    WriteStory1(out);
    WriteStory2(out);
    WriteEnd1(out);
    WriteEnd2(out);
}

} // namespace assetgen::screens

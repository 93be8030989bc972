// Menu buttons: glass capsules with a luminous rim and their word. The picture is cropped to
// the capsule because the whole rectangle is the button's hover and click area.
#include <cairo.h>

#include <cmath>
#include <string>

#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/sheet.h"

namespace assetgen::screens {
namespace {

enum class Arrow { None, Left, Right };

struct Button {
    const char* file;
    const char* word;
    int w, h;
    Rgb rim;
    Arrow arrow;
};

// Main-menu buttons stay under 63 px (they are 35 units apart at scale 0.55); the panel buttons
// are taller because they are shown at 0.66–0.75 of a 0.55 panel.
const Button kButtons[] = {
    {"button-start", "Start", 380, 62, kCyan, Arrow::None},
    {"button-options", "Options", 380, 62, kCyan, Arrow::None},
    {"button-credits", "Credits", 380, 62, kCyan, Arrow::None},
    {"button-quit", "Quit", 380, 62, kViolet, Arrow::None},
    {"button-renameplayer", "Rename Player", 420, 76, kCyan, Arrow::None},
    {"button-deleteplayer", "Delete Player", 420, 76, kEmber, Arrow::None},
    {"button-back", "Back", 250, 80, kCyan, Arrow::Left},
    {"button-startplayer", "Play", 250, 80, kGold, Arrow::Right},
    {"button-canceldelete", "Cancel", 270, 80, kCyan, Arrow::Left},
    {"button-confirmdelete", "Delete", 270, 80, kEmber, Arrow::None},
    {"button-continue", "Continue", 320, 80, kGold, Arrow::Right},
    {"button-cancelquit", "Cancel", 270, 80, kCyan, Arrow::Left},
    {"button-confirmquit", "Confirm", 270, 80, kEmber, Arrow::None},
};

void DrawArrow(cairo_t* cr, double cx, double cy, double size, bool left, Rgb colour) {
    double d = left ? -1 : 1;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - d * size * 0.45, cy - size * 0.55);
    cairo_line_to(cr, cx + d * size * 0.45, cy);
    cairo_line_to(cr, cx - d * size * 0.45, cy + size * 0.55);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, colour, 0.35);
    cairo_set_line_width(cr, size * 0.42);
    cairo_stroke_preserve(cr);
    SetColour(cr, Mix(colour, kWhite, 0.5), 1.0);
    cairo_set_line_width(cr, size * 0.2);
    cairo_stroke(cr);
}

void WriteButton(const Output& out, const Button& b) {
    WritePicture(out, std::string("gfx/menus/") + b.file + ".png", b.w, b.h, [&](cairo_t* cr) {
        double rimWidth = std::max(2.0, b.h / 22.0);
        DrawGlassCapsule(cr, 0, 0, b.w, b.h, b.rim, rimWidth);
        TextStyle style;
        style.size = b.h * 0.5;
        style.top = kWhite;
        style.bottom = Mix(kIce, b.rim, 0.45);
        style.outlineWidth = b.h / 28.0;
        style.glow = b.rim;
        style.glowRadius = b.h / 14.0;
        style.glowAlpha = 0.4;
        double textX = b.w / 2.0;
        double arrowSize = b.h * 0.32;
        if (b.arrow == Arrow::Left) {
            DrawArrow(cr, b.h * 0.5, b.h / 2.0, arrowSize, true, b.rim);
            textX += b.h * 0.18;
        } else if (b.arrow == Arrow::Right) {
            DrawArrow(cr, b.w - b.h * 0.5, b.h / 2.0, arrowSize, false, b.rim);
            textX -= b.h * 0.18;
        }
        DrawText(cr, b.word, textX, b.h * 0.5 + style.size * 0.36, style);
    });
}

} // namespace

void WriteButtons(const Output& out) {
    for (const Button& b : kButtons) WriteButton(out, b);
}

} // namespace assetgen::screens

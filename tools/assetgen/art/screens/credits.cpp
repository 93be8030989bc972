// The credits column: the game, how its art and sound were made, and the free software it is
// built on. Shown at scale 0.4, so 1600 px are 640 units.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "art/screens/emblems.h"
#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/rng.h"
#include "common/sheet.h"

namespace assetgen::screens {
namespace {

constexpr int kWidth = 1600;

struct Credit {
    const char* heading; // optional line above the card, or ""
    const char* role;
    const char* name;
    const char* about;
};

// Pictures 2 … 15 of the column.
const Credit kCredits[] = {
    {"", "A game by", "The Quillstorm developers", "Design, code, art, sound and music made for this game"},
    {"", "Art", "Drawn in code", "Vector shapes with Cairo; planets, nebulae and dust from procedural noise"},
    {"", "Sound and music", "Synthesised in code", "Every effect and every tune generated, then encoded as Ogg Vorbis"},
    {"Built with free software", "Platform", "SDL2", "Simple DirectMedia Layer: window, input and timing"},
    {"", "Graphics", "OpenGL \xC2\xB7 Mesa", "Hardware drawing, and software drawing where there is none"},
    {"", "OpenGL loading", "libepoxy", "Finds every OpenGL function the game calls"},
    {"", "Audio", "OpenAL Soft", "Sound effects and music on every channel"},
    {"", "Pictures", "libpng", "Reads every PNG picture of the game"},
    {"", "Compression", "zlib", "Inside every PNG file"},
    {"", "Pictures and screenshots", "libjpeg-turbo", "Reads the dust and writes the screenshots"},
    {"", "Sound formats", "libogg \xC2\xB7 libvorbis", "Ogg Vorbis sound and music"},
    {"", "Vector graphics", "Cairo", "Drew every picture and letter you have seen"},
    {"", "Type", "DejaVu fonts", "The shapes of the letters in all three fonts"},
    {"", "Testing", "GoogleTest", "Keeps the game honest"},
};

void Rule(cairo_t* cr, double cx, double y, double half, Rgb colour) {
    cairo_pattern_t* line = cairo_pattern_create_linear(cx - half, 0, cx + half, 0);
    cairo_pattern_add_color_stop_rgba(line, 0, colour.r, colour.g, colour.b, 0);
    cairo_pattern_add_color_stop_rgba(line, 0.5, 1, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgba(line, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, line);
    cairo_rectangle(cr, cx - half, y - 1.5, 2 * half, 3);
    cairo_fill(cr);
    DrawSparkle(cr, cx, y, 7, colour, 1.0);
}

TextStyle AboutStyle() {
    TextStyle about;
    about.size = 44;
    about.bold = false;
    about.top = kIce;
    about.bottom = Mix(kIce, kViolet, 0.3);
    about.outlineWidth = 2.5;
    return about;
}

constexpr double kAboutWidth = 1500, kAboutLine = 54;

void WriteCard(const Output& out, int number, const Credit& c) {
    const bool heading = c.heading[0] != '\0';
    // A description that needs a second line makes the card taller.
    const int lines = InkWidth(c.about, AboutStyle()) > kAboutWidth ? 2 : 1;
    const int h = (heading ? 470 : 330) + (lines - 1) * int(kAboutLine);
    WritePicture(out, "gfx/menus/credits" + std::to_string(number) + ".png", kWidth, h, [&](cairo_t* cr) {
        double y = 0;
        if (heading) {
            TextStyle top;
            top.size = 74;
            top.top = kWhite;
            top.bottom = kGold;
            top.outlineWidth = 3.5;
            top.glow = kGold;
            top.glowRadius = 8;
            top.glowAlpha = 0.4;
            DrawText(cr, c.heading, kWidth / 2.0, 80, top);
            Rule(cr, kWidth / 2.0, 120, 420, kGold);
            y = 140;
        }
        TextStyle role;
        role.size = 48;
        role.bold = false;
        role.top = kCyan;
        role.bottom = Mix(kCyan, kViolet, 0.4);
        role.outlineWidth = 2.5;
        DrawText(cr, c.role, kWidth / 2.0, y + 60, role);
        TextStyle name;
        name.size = 96;
        name.top = kWhite;
        name.bottom = kIce;
        name.outlineWidth = 4;
        name.glow = kCyan;
        name.glowRadius = 9;
        name.glowAlpha = 0.4;
        double ink = InkWidth(cr, c.name, name);
        name.size *= std::min(1.0, 1500 / ink);
        DrawText(cr, c.name, kWidth / 2.0, y + 170, name);
        Rule(cr, kWidth / 2.0, y + 210, 300, kCyan);
        DrawParagraph(cr, c.about, kWidth / 2.0, y + 280, kAboutWidth, kAboutLine, AboutStyle());
    });
}

void WriteOpening(const Output& out) {
    WritePicture(out, "gfx/menus/credits1.png", kWidth, 600, [](cairo_t* cr) {
        DrawLogotype(cr, kWidth, 480, 41);
        TextStyle heading;
        heading.size = 80;
        heading.top = kWhite;
        heading.bottom = kGold;
        heading.outlineWidth = 4;
        heading.glow = kGold;
        heading.glowRadius = 8;
        heading.glowAlpha = 0.4;
        DrawText(cr, "Credits", kWidth / 2.0, 560, heading);
    });
}

// Stays still at the centre of the screen while the column scrolls away, then fades, with the
// farewell line hanging below it: 760 px here and 180 px there keep both on the screen.
void WriteClosing(const Output& out) {
    const int w = kWidth, h = 760;
    WritePicture(out, "gfx/menus/credits16.png", w, h, [&](cairo_t* cr) {
        // A soft oval of sky so the picture has no hard edge on the black credits screen.
        cairo_save(cr);
        cairo_push_group(cr);
        DrawSky(cr, 0, 0, w, h, 1601, kViolet);
        DrawPlanetAt(cr, 4, w / 2.0 - 230, 500, 500);
        DrawShip(cr, 1130, 470, 160, 0.7);
        cairo_pop_group_to_source(cr);
        // An elliptical mask filling the picture: the unit circle of the gradient is stretched
        // over the w × h rectangle.
        cairo_pattern_t* mask = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        cairo_matrix_t stretch;
        cairo_matrix_init_scale(&stretch, 2.0 / w, 2.0 / h);
        cairo_matrix_translate(&stretch, -w / 2.0, -h / 2.0);
        cairo_pattern_set_matrix(mask, &stretch);
        cairo_pattern_add_color_stop_rgba(mask, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(mask, 0.72, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(mask, 1, 0, 0, 0, 0);
        cairo_mask(cr, mask);
        cairo_pattern_destroy(mask);
        cairo_restore(cr);
        TextStyle thanks;
        thanks.size = 112;
        thanks.top = kWhite;
        thanks.bottom = kGold;
        thanks.outlineWidth = 5;
        thanks.glow = kGold;
        thanks.glowRadius = 12;
        thanks.glowAlpha = 0.45;
        DrawText(cr, "Thank you for playing!", w / 2.0, 215, thanks);
    });
}

void WriteFarewell(const Output& out) {
    WritePicture(out, "gfx/menus/credits17.png", kWidth, 180, [](cairo_t* cr) {
        TextStyle line;
        line.size = 52;
        line.bold = false;
        line.top = kIce;
        line.bottom = kCyan;
        line.outlineWidth = 2.5;
        DrawText(cr, "Quillstorm is made with free software, for everyone.", kWidth / 2.0, 70, line);
        line.size = 44;
        line.top = Mix(kIce, kViolet, 0.4);
        DrawText(cr, "See you among the stars.", kWidth / 2.0, 145, line);
    });
}

} // namespace

void WriteCredits(const Output& out) {
    WriteOpening(out);
    int number = 2;
    for (const Credit& c : kCredits) WriteCard(out, number++, c);
    WriteClosing(out);
    WriteFarewell(out);
}

} // namespace assetgen::screens

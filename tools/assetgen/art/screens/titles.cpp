// Display type: the title logotype, the start-up logo, the menu headings and the play banners.
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

void WriteTitle(const Output& out) {
    // Shown at scale 0.55 centred at (400, 128): 1400 × 420 spans 770 × 231 units.
    WritePicture(out, "gfx/menus/title.png", 1400, 420, [](cairo_t* cr) {
        DrawLogotype(cr, 1400, 420, 11);
        TextStyle tag;
        tag.size = 40;
        tag.bold = false;
        tag.top = kIce;
        tag.bottom = kCyan;
        tag.outlineWidth = 2.5;
        DrawText(cr, "a  shooter  among  the  stars", 700, 370, tag);
    });
}

void WriteStartupLogo(const Output& out) {
    // Spans the 800-unit width; its height stays within 5/8 of its width.
    WritePicture(out, "gfx/menus/logo1.png", 1600, 1000, [](cairo_t* cr) {
        DrawSky(cr, 0, 0, 1600, 1000, 21, kNavy);
        cairo_save(cr);
        cairo_translate(cr, 150, 250);
        DrawLogotype(cr, 1300, 390, 23);
        cairo_restore(cr);
        TextStyle line;
        line.size = 44;
        line.bold = false;
        line.top = kIce;
        line.bottom = kCyan;
        line.outlineWidth = 2;
        DrawText(cr, "Made with free software", 800, 790, line);
        line.size = 34;
        line.top = Mix(kIce, kViolet, 0.3);
        DrawText(cr, "SDL2  \xC2\xB7  OpenGL  \xC2\xB7  OpenAL Soft  \xC2\xB7  Cairo", 800, 850, line);
    });
}

// A heading plaque: a capsule that sits across the panel's top rim, with the words in it.
void WriteHeading(const Output& out, const std::string& file, const std::string& words) {
    TextStyle style;
    style.size = 54;
    style.top = kWhite;
    style.bottom = kCyan;
    style.outlineWidth = 2.5;
    style.glow = kCyan;
    style.glowRadius = 5;
    style.glowAlpha = 0.35;
    int w = int(std::ceil(InkWidth(words, style) + 150)), h = 92;
    WritePicture(out, "gfx/menus/" + file, w, h, [&](cairo_t* cr) {
        DrawGlassCapsule(cr, 0, 0, w, h, kViolet, 3.5);
        DrawSparkle(cr, 36, h / 2.0, 6, kCyan, 0.9);
        DrawSparkle(cr, w - 36, h / 2.0, 6, kCyan, 0.9);
        DrawText(cr, words, w / 2.0, h / 2.0 + style.size * 0.36, style);
    });
}

// Play banners are painted at 2.5 × their size on screen (they are shown at scale 0.4).
void WriteBanner(const Output& out, const std::string& file, const std::string& words, const std::string& subline,
                 Rgb light, Rgb deep, bool hazard, uint64_t seed) {
    const int w = 1600, h = 420;
    WritePicture(out, "gfx/menus/" + file, w, h, [&](cairo_t* cr) {
        // A band of light behind the words, fading out to both sides.
        cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, w, 0);
        cairo_pattern_add_color_stop_rgba(band, 0, deep.r, deep.g, deep.b, 0);
        cairo_pattern_add_color_stop_rgba(band, 0.5, deep.r * 0.5, deep.g * 0.5, deep.b * 0.5, 0.75);
        cairo_pattern_add_color_stop_rgba(band, 1, deep.r, deep.g, deep.b, 0);
        cairo_set_source(cr, band);
        cairo_rectangle(cr, 0, 70, w, 280);
        cairo_fill(cr);
        cairo_pattern_destroy(band);
        for (int edge = 0; edge < 2; ++edge) {
            double y = edge == 0 ? 70 : 346;
            cairo_pattern_t* rule = cairo_pattern_create_linear(0, 0, w, 0);
            cairo_pattern_add_color_stop_rgba(rule, 0, light.r, light.g, light.b, 0);
            cairo_pattern_add_color_stop_rgba(rule, 0.5, 1, 1, 1, 1);
            cairo_pattern_add_color_stop_rgba(rule, 1, light.r, light.g, light.b, 0);
            cairo_set_source(cr, rule);
            cairo_rectangle(cr, 0, y, w, 4);
            cairo_fill(cr);
            cairo_pattern_destroy(rule);
            if (hazard) {
                cairo_save(cr);
                double top = edge == 0 ? 30 : 354;
                cairo_rectangle(cr, 200, top, w - 400, 36);
                cairo_clip(cr);
                for (int x = 160; x < w - 160; x += 56) {
                    cairo_move_to(cr, x, top + 36);
                    cairo_line_to(cr, x + 28, top + 36);
                    cairo_line_to(cr, x + 52, top);
                    cairo_line_to(cr, x + 24, top);
                    cairo_close_path(cr);
                }
                SetColour(cr, light, 0.85);
                cairo_fill(cr);
                cairo_restore(cr);
            }
        }
        TextStyle style;
        style.size = 180;
        style.top = kWhite;
        style.bottom = light;
        style.outlineWidth = 7;
        style.glow = light;
        style.glowRadius = 18;
        style.glowAlpha = 0.5;
        double ink = InkWidth(cr, words, style);
        style.size *= std::min(1.0, 1400 / ink);
        DrawText(cr, words, w / 2.0, subline.empty() ? 272 : 250, style);
        if (!subline.empty()) {
            TextStyle sub;
            sub.size = 48;
            sub.top = kWhite;
            sub.bottom = Mix(light, kWhite, 0.4);
            sub.outlineWidth = 3;
            DrawText(cr, subline, w / 2.0, 322, sub);
        }
        Rng rng(seed);
        for (int i = 0; i < 14; ++i)
            DrawSparkle(cr, rng.Float(150, w - 150), rng.Float(90, 330), rng.Float(4, 10), light, rng.Float(0.5, 1));
    });
}

} // namespace

void WriteTitles(const Output& out) {
    WriteTitle(out);
    WriteStartupLogo(out);
    WriteHeading(out, "menutitle-selectplayer.png", "Select Player");
    WriteHeading(out, "menutitle-options.png", "Options");
    WriteHeading(out, "menutitle-levelstats.png", "Level Results");
    WriteHeading(out, "menutitle-finalstats.png", "Final Results");
    WriteHeading(out, "menutitle-quitgame.png", "Quit Game?");
    WriteBanner(out, "levelcomplete.png", "Level Complete!", "", kGold, {0.35, 0.22, 0.02}, false, 31);
    WriteBanner(out, "gameover.png", "Game Over", "", kViolet, {0.25, 0.05, 0.35}, false, 32);
    WriteBanner(out, "warning.png", "WARNING", "Huge life form approaching", kEmber, {0.45, 0.05, 0.0}, true, 33);
}

} // namespace assetgen::screens

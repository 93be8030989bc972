// The three bitmap fonts: one glyph per cell, centred on its ink, all on one baseline, with a
// dark outline so the letters read over bright scenery as well as over deep space.
#include <cairo.h>

#include <stdexcept>
#include <string>

#include "art/screens/paint.h"
#include "art/screens/screen_parts.h"
#include "common/sheet.h"
#include "manifest.h"

namespace assetgen::screens {
namespace {

// Frame k holds character k; the last frame is the space and stays empty.
const char* const kCharacters[] = {"A", "B", "C",  "D", "E", "F", "G", "H", "I",
                                   "J", "K", "L",  "M", "N", "O", "P", "Q", "R",
                                   "S", "T", "U",  "V", "W", "X", "Y", "Z", "a",
                                   "b", "c", "d",  "e", "f", "g", "h", "i", "j",
                                   "k", "l", "m",  "n", "o", "p", "q", "r", "s",
                                   "t", "u", "v",  "w", "x", "y", "z", "0", "1",
                                   "2", "3", "4",  "5", "6", "7", "8", "9", "?",
                                   "!", ":", "-",  "+", "=", "/", "'", "%", ";",
                                   "_", ".", "\"", "~", "<", ">", ",", "`", "\xE2\x80\x98",
                                   "@", "$", "^",  "&", "*", "|", "{", "}", "[",
                                   "]", "(", ")",  " "};
constexpr int kGlyphs = int(sizeof(kCharacters) / sizeof(kCharacters[0]));
static_assert(kGlyphs == 94);

// `baseline` is in px from the top of the cell, whose size the manifest gives.
void WriteFont(const Output& out, const std::string& path, double baseline, const TextStyle& style) {
    const PictureEntry& picture = FindPicture(path);
    if (picture.count != kGlyphs)
        throw std::runtime_error(path + ": the manifest disagrees on the glyph count");
    const int cell = picture.cellW;
    WriteFrames(out, path, cell, cell, kGlyphs, [&](cairo_t* cr, int frame) {
        const std::string glyph = kCharacters[frame];
        if (glyph == " ") return;
        DrawText(cr, glyph, cell / 2.0, baseline, style);
    });
}

} // namespace

void WriteFonts(const Output& out) {
    TextStyle plain;
    plain.size = 22;
    plain.top = kWhite;
    plain.bottom = Mix(kIce, kCyan, 0.35);
    plain.outlineWidth = 1.25;
    WriteFont(out, "gfx/font1.png", 24, plain);

    TextStyle values = plain;
    values.top = Mix(kWhite, kGold, 0.55);
    values.bottom = kEmber;
    values.outline = {0.12, 0.04, 0.0};
    WriteFont(out, "gfx/font2.png", 24, values);

    TextStyle large;
    large.size = 42;
    large.top = kWhite;
    large.bottom = kCyan;
    large.outline = {0.02, 0.03, 0.16};
    large.outlineWidth = 2.6;
    large.glow = kViolet;
    large.glowRadius = 2.0;
    large.glowAlpha = 0.45;
    WriteFont(out, "gfx/font3.png", 48, large);
}

} // namespace assetgen::screens

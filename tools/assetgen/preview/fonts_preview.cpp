// Font sheets: the glyph grid of each font and sample lines laid out from the glyph cells with
// the game's own measuring, over dark space and over a bright backdrop.
#include <cairo.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "preview/sheets.h"

namespace assetgen::preview {
namespace {

struct FontInfo {
    const char* name;
    double tracking, space;
    double sampleScale;
};

const FontInfo kFonts[] = {
    {"font1", 0.05, 0.33, 1.0},
    {"font2", 0.05, 0.33, 1.5},
    {"font3", 0.0125, 0.33, 0.5},
};

const char* const kSamples[] = {
    "The quick brown fox jumps over the lazy dog.",
    "QUILLSTORM: Wave 3 - Score 1,234,567 (x4!)",
    "Extra Life! +1 Health  {50%} [ok] <b> @$^&*|~_ \xE2\x80\x98q' \"q\" `q` ;",
};

} // namespace

void WriteFontSheets(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir) {
    for (const FontInfo& info : kFonts) {
        BitmapFont font =
            LoadBitmapFont(dataRoot, "gfx/" + std::string(info.name) + ".png", info.tracking, info.space);
        if (!font.strip) continue;
        const int w = 1500;
        const int line = int(font.cell * 1.6);
        const int gridRows = (94 + 15) / 16;
        const int gridCell = font.cell + 18;
        const int h = 60 + gridRows * gridCell + 40 + 2 * (3 * (line + 8) + 40) + 4 * 40 + 20;
        Surface sheet = NewSurface(w, h);
        cairo_t* cr = cairo_create(sheet.get());
        FillBoard(cr, w, h);
        DrawLabel(cr,
                  std::string(info.name) + ": 94 glyph cells of " + std::to_string(font.cell) +
                      " px, widths measured as the game does",
                  10, 26, 18, 1.0);
        int y = 50;
        for (int k = 0; k < 94; ++k) {
            double x = 10 + (k % 16) * (gridCell + 40);
            double gy = y + (k / 16) * gridCell;
            cairo_set_source_rgb(cr, 0.13, 0.13, 0.2);
            cairo_rectangle(cr, x, gy, font.cell, font.cell);
            cairo_fill(cr);
            cairo_save(cr);
            cairo_rectangle(cr, x, gy, font.cell, font.cell);
            cairo_clip(cr);
            cairo_set_source_surface(cr, font.strip.get(), x - (k % font.columns) * font.cell,
                                     gy - (k / font.columns) * font.cell);
            cairo_paint(cr);
            cairo_restore(cr);
            DrawLabel(cr,
                      std::to_string(k) + " w" +
                          std::to_string(k < int(font.widths.size()) ? font.widths[size_t(k)] : 0),
                      x + font.cell + 2, gy + font.cell / 2.0, 10, 0.7);
        }
        y += gridRows * gridCell + 30;
        // Samples at the game's scale, on deep space and on a bright sky.
        for (int backdrop = 0; backdrop < 2; ++backdrop) {
            int bh = 3 * (line + 8) + 20;
            cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, w, 0);
            if (backdrop == 0) {
                cairo_pattern_add_color_stop_rgb(bg, 0, 0.01, 0.01, 0.05);
                cairo_pattern_add_color_stop_rgb(bg, 1, 0.05, 0.02, 0.12);
            } else {
                cairo_pattern_add_color_stop_rgb(bg, 0, 0.95, 0.85, 0.5);
                cairo_pattern_add_color_stop_rgb(bg, 0.5, 0.5, 0.8, 1.0);
                cairo_pattern_add_color_stop_rgb(bg, 1, 1.0, 1.0, 1.0);
            }
            cairo_set_source(cr, bg);
            cairo_rectangle(cr, 0, y, w, bh);
            cairo_fill(cr);
            cairo_pattern_destroy(bg);
            for (int s = 0; s < 3; ++s)
                DrawBitmapText(cr, font, kSamples[s], 20, y + 10 + line / 2.0 + s * (line + 8), 1.0, -1);
            y += bh + 20;
        }
        DrawLabel(cr, "At the game's scale (" + std::to_string(info.sampleScale).substr(0, 4) + "):", 10,
                  y + 10, 14, 0.9);
        for (int s = 0; s < 3; ++s)
            DrawBitmapText(cr, font, kSamples[s], 20, y + 40 + s * 40, info.sampleScale, -1);
        cairo_destroy(cr);
        std::filesystem::path file = previewDir / (std::string("font-") + info.name + ".png");
        if (cairo_surface_write_to_png(sheet.get(), file.c_str()) != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace assetgen::preview

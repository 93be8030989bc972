#include "preview/sheets.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "manifest.h"

namespace assetgen::preview {

void DrawLabel(cairo_t* cr, const std::string& text, double x, double y, double size, double grey) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_set_source_rgb(cr, grey, grey, grey);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

void FillBoard(cairo_t* cr, int w, int h) {
    cairo_set_source_rgb(cr, 0.07, 0.07, 0.10);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
}

void WriteCellSheet(const std::filesystem::path& file, const std::string& heading,
                    const std::vector<Cell>& cells, int cellSize, int columns, double maxZoom) {
    const int label = 18, pad = 8, top = 40;
    columns = std::max(1, std::min(columns, int(cells.size())));
    int rows = int((cells.size() + size_t(columns) - 1) / size_t(columns));
    int w = columns * (cellSize + pad) + pad, h = top + rows * (cellSize + label + pad) + pad;
    Surface sheet = NewSurface(w, h);
    cairo_t* cr = cairo_create(sheet.get());
    FillBoard(cr, w, h);
    DrawLabel(cr, heading, pad, 26, 18, 1.0);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& c = cells[i];
        double x0 = pad + double(i % size_t(columns)) * (cellSize + pad);
        double y0 = top + double(i / size_t(columns)) * (cellSize + label + pad);
        cairo_set_source_rgb(cr, 0.02, 0.02, 0.04);
        cairo_rectangle(cr, x0, y0, cellSize, cellSize);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.25, 0.25, 0.32);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, x0 + 0.5, y0 + 0.5, cellSize - 1, cellSize - 1);
        cairo_stroke(cr);
        if (c.picture && c.w > 0 && c.h > 0) {
            double zoom = std::min({maxZoom, (cellSize - 4) / c.w, (cellSize - 4) / c.h});
            cairo_save(cr);
            cairo_translate(cr, x0 + (cellSize - c.w * zoom) / 2, y0 + (cellSize - c.h * zoom) / 2);
            cairo_scale(cr, zoom, zoom);
            cairo_rectangle(cr, 0, 0, c.w, c.h);
            cairo_clip(cr);
            cairo_set_source_surface(cr, c.picture, -c.x, -c.y);
            if (zoom > 1.5) cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
            cairo_paint(cr);
            cairo_restore(cr);
        } else {
            DrawLabel(cr, "missing", x0 + 8, y0 + cellSize / 2.0, 14, 0.9);
        }
        DrawLabel(cr, c.label, x0 + 2, y0 + cellSize + 14, 12, 0.75);
    }
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(sheet.get(), file.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + file.string());
}

BitmapFont LoadBitmapFont(const std::filesystem::path& dataRoot, const std::string& relative, double tracking,
                          double space) {
    const int cell = FindPicture(relative).cellW;
    BitmapFont font;
    font.strip = LoadPicture(dataRoot / relative);
    font.cell = cell;
    font.tracking = tracking;
    font.space = space;
    if (!font.strip) return font;
    cairo_surface_t* s = font.strip.get();
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    font.columns = std::max(1, w / cell);
    int cellsAvailable = font.columns * (h / cell);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    auto alpha = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride))[x] >> 24;
    };
    for (int k = 0; k < std::min(94, cellsAvailable); ++k) {
        int cx = (k % font.columns) * cell, cy = (k / font.columns) * cell;
        int left = 0, right = 0;
        bool found = false;
        for (int x = 0; x < cell && !found; ++x)
            for (int y = 0; y < cell; ++y)
                if (alpha(cx + x, cy + y) != 0) {
                    left = x;
                    found = true;
                    break;
                }
        found = false;
        for (int x = cell - 1; x >= 0 && !found; --x)
            for (int y = 0; y < cell; ++y)
                if (alpha(cx + x, cy + y) != 0) {
                    right = x + 1;
                    found = true;
                    break;
                }
        int width = right - left > 0 ? right - left : int(cell * space);
        if (width % 2) ++width;
        font.widths.push_back(width);
    }
    return font;
}

namespace {

const char kCharacterSet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789?!:-+=/'%;_.\"~<>,`";

// Frame of a byte of text; the left single quotation mark (UTF-8 E2 80 98) and the punctuation
// after the back quote are looked up separately; anything else shows frame 0 as in the game.
int Frame(const std::string& text, size_t& i) {
    static const std::string tail = "@$^&*|{}[]() ";
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
        static_cast<unsigned char>(text[i + 2]) == 0x98) {
        i += 2;
        return 80;
    }
    const std::string head = kCharacterSet;
    size_t p = head.find(char(c));
    if (p != std::string::npos) return int(p);
    p = tail.find(char(c));
    if (p != std::string::npos) return 81 + int(p);
    return 0;
}

std::vector<int> Frames(const std::string& text) {
    std::vector<int> frames;
    for (size_t i = 0; i < text.size(); ++i)
        frames.push_back(Frame(text, i));
    return frames;
}

} // namespace

double TextWidth(const BitmapFont& font, const std::string& text) {
    std::vector<int> frames = Frames(text);
    double w = 0;
    for (int f : frames)
        w += f < int(font.widths.size()) ? font.widths[size_t(f)] : 0;
    return w + (double(frames.size()) - 1) * font.tracking * font.cell;
}

void DrawBitmapText(cairo_t* cr, const BitmapFont& font, const std::string& text, double x, double y,
                    double scale, int justify) {
    if (!font.strip) return;
    double pen = justify == 0 ? -TextWidth(font, text) / 2 : (justify == 1 ? -TextWidth(font, text) : 0);
    double gap = std::floor(font.tracking * font.cell);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    for (int f : Frames(text)) {
        double w = f < int(font.widths.size()) ? font.widths[size_t(f)] : 0;
        pen += w / 2;
        cairo_save(cr);
        double sx = (f % font.columns) * font.cell, sy = (f / font.columns) * font.cell;
        cairo_translate(cr, pen - font.cell / 2.0, -font.cell / 2.0);
        cairo_rectangle(cr, 0, 0, font.cell, font.cell);
        cairo_clip(cr);
        cairo_set_source_surface(cr, font.strip.get(), -sx, -sy);
        cairo_paint(cr);
        cairo_restore(cr);
        pen += w / 2 + gap;
    }
    cairo_restore(cr);
}

Surface AssemblePanel(const std::vector<Surface>& pieces, int columns, int rows) {
    int pw = cairo_image_surface_get_width(pieces[0].get()),
        ph = cairo_image_surface_get_height(pieces[0].get());
    Surface panel = NewSurface(columns * pw, rows * ph);
    cairo_t* cr = cairo_create(panel.get());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            int piece = 4;
            if (r == 0 && c == 0)
                piece = 0;
            else if (r == 0 && c == columns - 1)
                piece = 2;
            else if (r == 0)
                piece = 1;
            else if (r == rows - 1 && c == 0)
                piece = 6;
            else if (r == rows - 1 && c == columns - 1)
                piece = 8;
            else if (r == rows - 1)
                piece = 7;
            else if (c == 0)
                piece = 3;
            else if (c == columns - 1)
                piece = 5;
            cairo_set_source_surface(cr, pieces[size_t(piece)].get(), c * pw, r * ph);
            cairo_paint(cr);
        }
    cairo_destroy(cr);
    return panel;
}

void DrawCentred(cairo_t* cr, cairo_surface_t* picture, double x, double y, double scale, double alpha) {
    if (!picture) return;
    double w = cairo_image_surface_get_width(picture), h = cairo_image_surface_get_height(picture);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture, -w / 2, -h / 2);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

} // namespace assetgen::preview

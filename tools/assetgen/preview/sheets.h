#pragma once
// Building blocks of the preview sheets: labelled cells on a dark board, bitmap-font text laid
// out as the game lays it out, and menu panels pasted from their nine pieces.
#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

#include "preview/image_io.h"

namespace assetgen::preview {

// One cell of a contact sheet: a region of a picture (or nothing, shown as "missing").
struct Cell {
    std::string label;
    cairo_surface_t* picture = nullptr;
    double x = 0, y = 0, w = 0, h = 0;
};

// Lays the cells out `columns` across, each picture scaled to fit `cellSize` (never enlarged
// beyond `maxZoom`), labelled underneath, under a heading.
void WriteCellSheet(const std::filesystem::path& file, const std::string& heading,
                    const std::vector<Cell>& cells, int cellSize, int columns, double maxZoom);

// Plain label text on the preview sheets.
void DrawLabel(cairo_t* cr, const std::string& text, double x, double y, double size, double grey = 0.85);
void FillBoard(cairo_t* cr, int w, int h);

// A bitmap font as the game measures it: per-glyph widths from the opaque columns.
struct BitmapFont {
    Surface strip;
    int cell = 0, columns = 0;
    double tracking = 0, space = 0;
    std::vector<int> widths;
};
// Loads `relative` (for example "gfx/font1.png") from the data root, cut as the manifest lists it;
// empty strip when the file is missing.
BitmapFont LoadBitmapFont(const std::filesystem::path& dataRoot, const std::string& relative, double tracking,
                          double space);
double TextWidth(const BitmapFont& font, const std::string& text);
// Draws `text` at `scale`; justify −1 left, 0 centred, 1 right on x; the glyph centres sit on y.
void DrawBitmapText(cairo_t* cr, const BitmapFont& font, const std::string& text, double x, double y,
                    double scale, int justify);

// Pastes a columns × rows panel from the nine pieces the way the game's menu backdrop does.
Surface AssemblePanel(const std::vector<Surface>& pieces, int columns, int rows);

// Draws a picture centred on (x, y) at `scale`.
void DrawCentred(cairo_t* cr, cairo_surface_t* picture, double x, double y, double scale, double alpha = 1.0);

void WriteFontSheets(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir);
void WriteMenuSheets(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir);

} // namespace assetgen::preview

#pragma once
// Pictures and frame strips drawn with Cairo and written as PNG (straight alpha) or JPEG.
#include <cairo.h>

#include <functional>
#include <string>

#include "common/output.h"

namespace assetgen {

// Draws `count` cells of cellW × cellH, each through `draw(cr, frame)` with the origin at the
// cell's top-left corner and drawing clipped to the cell, into a square-ish grid cut row by row,
// and writes it as PNG at `relative` under the data root.
void WriteFrames(const Output& out, const std::string& relative, int cellW, int cellH, int count,
                 const std::function<void(cairo_t*, int frame)>& draw);

// WriteFrames with the cell size and count the manifest lists for `relative`.
void WriteStrip(const Output& out, const std::string& relative,
                const std::function<void(cairo_t*, int frame)>& draw);

// One picture of w × h.
void WritePicture(const Output& out, const std::string& relative, int w, int h,
                  const std::function<void(cairo_t*)>& draw);

// Columns used by WriteFrames for `count` cells: the grid stays close to square.
int GridColumns(int count);

// Writes an ARGB32 surface as PNG with straight (non-premultiplied) alpha, as RGB when it is
// opaque, with unfiltered rows (the quickest for the game to decode).
void SavePng(cairo_surface_t* surface, const std::string& path);
// Writes an ARGB32 surface as an opaque JPEG of the given quality.
void SaveJpeg(cairo_surface_t* surface, const std::string& path, int quality);

} // namespace assetgen

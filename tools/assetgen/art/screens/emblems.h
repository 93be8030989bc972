#pragma once
// Recurring pictures of the game's world, drawn with Cairo: the logotype, the Quill (the
// player's ship), the Swarm's creatures, and wrapped paragraphs for the story and credits.
#include <cairo.h>

#include <cstdint>
#include <string>

#include "art/screens/paint.h"

namespace assetgen::screens {

struct Point {
    double x, y;
};
// The game's emblem: a luminous quill feather along the cubic curve p0 (tip) … p3 (quill end),
// `width` across its widest vane, coloured from `tip` to `base`.
void DrawQuill(cairo_t* cr, Point p0, Point p1, Point p2, Point p3, double width, Rgb tip, Rgb base);

// The word "Quillstorm" with its quill sweeping behind it, fitted to w × h from the origin.
void DrawLogotype(cairo_t* cr, double w, double h, uint64_t seed);
// The Quill, nose along −y before `angle` (radians, clockwise), `length` pixels long.
void DrawShip(cairo_t* cr, double x, double y, double length, double angle);
// One creature of the Swarm as a dark silhouette with glowing eyes, `size` pixels across.
void DrawSwarmling(cairo_t* cr, double x, double y, double size, double angle, Rgb eyes, double wingPhase);
// Word-wraps `text` into lines no wider than `width`, centred on cx, the first baseline at y.
// Returns the baseline after the last line.
double DrawParagraph(cairo_t* cr, const std::string& text, double cx, double y, double width, double lineHeight,
                     const TextStyle& style);
// A planet from the game's own set rendered at `size` × `size` (index 0 … 10); caller owns it.
cairo_surface_t* RenderPlanet(int index, int size);
// Draws planet `index` centred on (cx, cy), `size` pixels across.
void DrawPlanetAt(cairo_t* cr, int index, double cx, double cy, double size);

} // namespace assetgen::screens

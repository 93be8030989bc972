#pragma once
// Shared look of the screen art: the palette, glowing text, glass panels, starry skies and
// per-pixel painting. Every helper is deterministic.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace assetgen::screens {

struct Rgb {
    double r, g, b;
};

// The palette: deep space behind luminous cyan and violet, with gold for rewards.
inline constexpr Rgb kSpace{0.020, 0.035, 0.110};
inline constexpr Rgb kNavy{0.050, 0.090, 0.230};
inline constexpr Rgb kCyan{0.370, 0.930, 1.000};
inline constexpr Rgb kIce{0.850, 0.980, 1.000};
inline constexpr Rgb kViolet{0.690, 0.400, 1.000};
inline constexpr Rgb kGold{1.000, 0.800, 0.330};
inline constexpr Rgb kEmber{1.000, 0.450, 0.180};
inline constexpr Rgb kWhite{1.0, 1.0, 1.0};
inline constexpr Rgb kInk{0.010, 0.020, 0.060};

Rgb Mix(Rgb a, Rgb b, double t);
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// How a line of display text is painted: a vertical gradient fill, a dark outline so it reads
// on any background, and an optional soft halo built from widening translucent strokes.
struct TextStyle {
    const char* family = "DejaVu Sans";
    bool bold = true;
    double size = 32;
    Rgb top = kWhite, bottom = kIce;
    Rgb outline = kInk;
    double outlineWidth = 3;
    double outlineAlpha = 0.9;
    Rgb glow = kCyan;
    double glowRadius = 0;
    double glowAlpha = 0.5;
};

void SelectFont(cairo_t* cr, const TextStyle& style);
// Width of the ink of `text` (UTF-8) without outline or glow.
double InkWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
// The same, for sizing a picture before it is drawn.
double InkWidth(const std::string& text, const TextStyle& style);
// Draws `text` with its ink centred on x = cx and its baseline at y.
void DrawText(cairo_t* cr, const std::string& text, double cx, double baseline, const TextStyle& style);
// Draws `text` with its pen starting at x (left aligned).
void DrawTextLeft(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A glass capsule with a luminous rim, filling the rectangle (used by buttons and bars).
void DrawGlassCapsule(cairo_t* cr, double x, double y, double w, double h, Rgb rim, double rimWidth);

// Deep-space sky over the rectangle: a gradient with faint nebula colour and scattered stars.
void DrawSky(cairo_t* cr, double x, double y, double w, double h, uint64_t seed, Rgb nebula);
// A four-pointed sparkle with a round glow.
void DrawSparkle(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha);

// Straight (not premultiplied) colour with alpha, each 0..1.
struct Rgba {
    double r, g, b, a;
};
// Fills a w × h ARGB32 surface pixel by pixel (the caller owns the result).
cairo_surface_t* PaintPixels(int w, int h, const std::function<Rgba(int x, int y)>& pixel);

double Clamp01(double v);
double SmoothStep(double e0, double e1, double v);

} // namespace assetgen::screens

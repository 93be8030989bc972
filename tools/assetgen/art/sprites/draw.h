#pragma once
// Shared drawing helpers of the sprite art: colours, lit bodies with rim light, soft glows and
// per-pixel surfaces. Light always comes from the upper left; rims catch a coloured back light on
// the lower right.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "common/output.h"

namespace assetgen::sprites {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Bright(Rgb c, double k);
void SetRgb(cairo_t* cr, Rgb c, double alpha = 1.0);

// The colours of one lit body part: highlight, body, shadow and the rim light on its far edge.
struct Tone {
    Rgb light, base, dark, rim;
};
Tone MakeTone(Rgb base, Rgb rim);

// Fills the current path as a rounded, lit volume (gradient from the upper-left highlight to a dark
// lower-right), adds the rim light inside the lower-right edge and a dark outline of `outline` px.
// Consumes the path.
void Shade(cairo_t* cr, const Tone& tone, double outline = 1.2);
// A soft white specular spot.
void Highlight(cairo_t* cr, double x, double y, double rx, double ry, double alpha = 0.6);
// A glowing light (eye, lamp): bright core fading to `c` then to transparent at `radius`.
void Lamp(cairo_t* cr, double x, double y, double radius, Rgb c, double intensity = 1.0);
// A tapering limb through the given points (a polyline with round joints), shaded by `tone`.
void Limb(cairo_t* cr, const double* xy, int points, double width, const Tone& tone);

// Smooth back-and-forth phase in [0, 1] for ping-pong strips: slow at both ends.
double PingPong(int frame, int count);
// Loop phase in [0, 1): frame / count.
double LoopPhase(int frame, int count);

// Like WriteFrames, but each cell is drawn on its own layer and laid over a soft glow of its
// silhouette (`radius` px, peak alpha `strength` < 0.5, so the glow never counts as solid). Texels
// that end up almost transparent are cleared so the surroundings stay exactly clear.
void WriteGlowFrames(const Output& out, const std::string& relative, int cell, int count, Rgb glow,
                     double radius, double strength, const std::function<void(cairo_t*, int frame)>& draw);
// WriteGlowFrames with the square cell and count the manifest lists for `relative`.
void WriteGlowStrip(const Output& out, const std::string& relative, Rgb glow, double radius, double strength,
                    const std::function<void(cairo_t*, int frame)>& draw);
void WriteGlowPicture(const Output& out, const std::string& relative, int w, int h, Rgb glow, double radius,
                      double strength, const std::function<void(cairo_t*)>& draw);

// Straight-alpha colour of one texel, for per-pixel rendering.
struct Texel {
    double r, g, b, a;
};
// Fills an ARGB32 surface (premultiplied) texel by texel; `shade(x, y)` gets the texel centre.
void FillPixels(cairo_surface_t* surface, const std::function<Texel(double x, double y)>& shade);

// Adds an ellipse centred on (x, y), turned by `angle` radians, to the current path.
void EllipsePath(cairo_t* cr, double x, double y, double rx, double ry, double angle = 0);
// A lit ellipse: EllipsePath then Shade.
void Body(cairo_t* cr, double x, double y, double rx, double ry, double angle, const Tone& tone,
          double outline = 1.2);
// Fills the current path as a translucent membrane (wing): `alpha` at the root fading to 0.6 ×
// `alpha` at the tip, with a light edge. Consumes the path.
void Membrane(cairo_t* cr, Rgb c, double alpha, double rootX, double rootY, double tipX, double tipY);

// Roughens the current path with a light-and-dark noise pattern (features of about `featurePx`
// device pixels, peak alpha `strength`), for large armoured surfaces. Consumes the path.
void Texture(cairo_t* cr, uint32_t seed, double featurePx, double strength);

} // namespace assetgen::sprites

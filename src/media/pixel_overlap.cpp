// Pixel-exact collisions on the CPU from the images' solid masks (a texel is solid when its alpha
// is at least SOLID_ALPHA), so both back ends give the same answers.
//
// Two placed frames overlap when the centre of a solid texel of one lies inside a solid texel of
// the other. The texels sampled are those of the frame whose texels are smaller on screen, so a
// part one texel thin is never stepped over. Unrotated frames at scale 1 take a fast path that
// compares whole 64-texel words; everything else steps through the sampled frame's texels
// incrementally, only over the part that can lie inside the other frame.
//
// The collision layers hold the shapes written since they were last cleared (images are
// referenced, not copied: an image must outlive its entries). Collisions ignore the drawing
// origin and draw handle.
#include <algorithm>
#include <cmath>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

constexpr double PI = 3.14159265358979323846;
// Rectangles are sampled on a grid of at most this many cells per side.
constexpr double MAX_RECT_CELLS = 1 << 20;

// A placed grid of texels: a frame's solid mask, or a rectangle (no mask: solid everywhere).
struct Shape {
    const uint64_t* Mask = nullptr;
    int Words = 0; // per row
    int Width = 0, Height = 0;
    double HandleX = 0, HandleY = 0;
    double X = 0, Y = 0, ScaleX = 1, ScaleY = 1;
    double Cos = 1, Sin = 0;
    bool Unrotated = true;

    bool Solid(int u, int v) const {
        return !Mask || (Mask[size_t(v) * size_t(Words) + size_t(u >> 6)] >> (u & 63) & 1);
    }
    void ToScreen(double u, double v, double& x, double& y) const {
        const double lx = (u - HandleX) * ScaleX, ly = (v - HandleY) * ScaleY;
        x = X + Cos * lx - Sin * ly;
        y = Y + Sin * lx + Cos * ly;
    }
    void FromScreen(double x, double y, double& u, double& v) const {
        const double dx = x - X, dy = y - Y;
        u = (Cos * dx + Sin * dy) / ScaleX + HandleX;
        v = (-Sin * dx + Cos * dy) / ScaleY + HandleY;
    }
    void Bounds(double& x0, double& y0, double& x1, double& y1) const {
        x0 = y0 = HUGE_VAL;
        x1 = y1 = -HUGE_VAL;
        const double us[2] = {0, double(Width)}, vs[2] = {0, double(Height)};
        for (double u : us)
            for (double v : vs) {
                double x, y;
                ToScreen(u, v, x, y);
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    }
};

bool Place(Shape& shape, double x, double y, double rotation, double scaleX, double scaleY) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(rotation) || !std::isfinite(scaleX) ||
        !std::isfinite(scaleY) || scaleX == 0 || scaleY == 0 || shape.Width <= 0 || shape.Height <= 0)
        return false;
    shape.X = x;
    shape.Y = y;
    shape.ScaleX = scaleX;
    shape.ScaleY = scaleY;
    const double turn = std::fmod(rotation, 360.0);
    shape.Unrotated = turn == 0;
    shape.Cos = shape.Unrotated ? 1 : std::cos(turn * PI / 180);
    shape.Sin = shape.Unrotated ? 0 : std::sin(turn * PI / 180);
    return true;
}

bool FrameShape(const Image& image, int frame, const Placement& p, Shape& shape) {
    if (image.Frames() <= 0) return false;
    frame = std::clamp(frame, 0, image.Frames() - 1);
    shape.Mask = image.SolidMask(frame).data();
    shape.Words = image.MaskWords();
    shape.Width = image.Width();
    shape.Height = image.Height();
    shape.HandleX = image.HandleX();
    shape.HandleY = image.HandleY();
    return Place(shape, p.X, p.Y, p.Rotation, p.ScaleX, p.ScaleY);
}

// A rectangle of width × height drawing units, top-left corner at (x, y), rotated and scaled
// about that corner; a negative size extends it the other way.
bool RectShape(double x, double y, double width, double height, double rotation, double scaleX, double scaleY,
               Shape& shape) {
    if (!(std::fabs(width) > 0) || !(std::fabs(height) > 0)) return false;
    const double cellsX = std::min(std::ceil(std::fabs(width)), MAX_RECT_CELLS);
    const double cellsY = std::min(std::ceil(std::fabs(height)), MAX_RECT_CELLS);
    shape.Mask = nullptr;
    shape.Width = int(cellsX);
    shape.Height = int(cellsY);
    return Place(shape, x, y, rotation, scaleX * width / cellsX, scaleY * height / cellsY);
}

// 64 bits of a mask row starting at texel `start` (bit i = texel start + i); texels outside the
// row are 0. A row without a mask is solid over its width.
uint64_t Extract(const Shape& shape, int row, int start) {
    if (!shape.Mask) {
        const int from = std::max(0, -start), to = std::min(64, shape.Width - start);
        if (from >= to) return 0;
        const uint64_t upper = to == 64 ? ~uint64_t(0) : (uint64_t(1) << to) - 1;
        return upper & ~((uint64_t(1) << from) - 1);
    }
    const uint64_t* words = shape.Mask + size_t(row) * size_t(shape.Words);
    const int word = start >> 6, bit = start & 63; // arithmetic shift: floor for negative starts
    const uint64_t low = word >= 0 && word < shape.Words ? words[word] : 0;
    const uint64_t high = word + 1 >= 0 && word + 1 < shape.Words ? words[word + 1] : 0;
    return bit == 0 ? low : (low >> bit) | (high << (64 - bit));
}

// Both unrotated at scale 1: texel (u, v) of b has its centre in texel (u + dx, v + dy) of a.
bool OverlapTranslated(const Shape& a, const Shape& b) {
    const int dx = int(std::floor(0.5 + (b.X - b.HandleX) - (a.X - a.HandleX)));
    const int dy = int(std::floor(0.5 + (b.Y - b.HandleY) - (a.Y - a.HandleY)));
    const int rowFrom = std::max(0, dy), rowTo = std::min(a.Height, b.Height + dy);
    const int colFrom = std::max(0, dx), colTo = std::min(a.Width, b.Width + dx);
    if (rowFrom >= rowTo || colFrom >= colTo) return false;
    for (int va = rowFrom; va < rowTo; ++va) {
        for (int word = colFrom >> 6; word <= (colTo - 1) >> 6; ++word) {
            const uint64_t aBits = Extract(a, va, word * 64);
            if (aBits && (aBits & Extract(b, va - dy, word * 64 - dx))) return true;
        }
    }
    return false;
}

// Samples the centres of `it`'s texels (those that can lie inside `other`) against `other`.
bool OverlapSampled(const Shape& it, const Shape& other, double x0, double y0, double x1, double y1) {
    // The texel range of `it` covering the common screen box.
    double u0 = HUGE_VAL, v0 = HUGE_VAL, u1 = -HUGE_VAL, v1 = -HUGE_VAL;
    const double xs[2] = {x0, x1}, ys[2] = {y0, y1};
    for (double x : xs)
        for (double y : ys) {
            double u, v;
            it.FromScreen(x, y, u, v);
            u0 = std::min(u0, u), u1 = std::max(u1, u);
            v0 = std::min(v0, v), v1 = std::max(v1, v);
        }
    const int rowFrom = std::max(0, int(std::floor(v0)) - 1),
              rowTo = std::min(it.Height, int(std::ceil(v1)) + 1);
    const int colFrom = std::max(0, int(std::floor(u0)) - 1),
              colTo = std::min(it.Width, int(std::ceil(u1)) + 1);

    // Texel-centre coordinates of `it` → texel coordinates of `other`: origin + t·du + s·dv.
    double ox, oy, px, py, qx, qy, sx, sy;
    it.ToScreen(0, 0, sx, sy);
    other.FromScreen(sx, sy, ox, oy);
    it.ToScreen(1, 0, sx, sy);
    other.FromScreen(sx, sy, px, py);
    it.ToScreen(0, 1, sx, sy);
    other.FromScreen(sx, sy, qx, qy);
    const double dux = px - ox, duy = py - oy, dvx = qx - ox, dvy = qy - oy;
    const double width = other.Width, height = other.Height;

    for (int v = rowFrom; v < rowTo; ++v) {
        const double s = v + 0.5;
        const double ax = ox + dvx * s, ay = oy + dvy * s;
        // The centres t = u + 0.5 of this row with 0 ≤ ax + t·dux < width and 0 ≤ ay + t·duy < height.
        double tFrom = colFrom + 0.5, tTo = colTo - 0.5;
        const auto limit = [&](double a, double d, double size) {
            if (d == 0) {
                if (a < 0 || a >= size) tTo = -HUGE_VAL;
                return;
            }
            double t0 = -a / d, t1 = (size - a) / d;
            if (t0 > t1) std::swap(t0, t1);
            tFrom = std::max(tFrom, t0);
            tTo = std::min(tTo, t1);
        };
        limit(ax, dux, width);
        limit(ay, duy, height);
        if (tFrom > tTo) continue;
        // One texel of slack each side; the exact bounds are tested per texel.
        const int uFrom = std::max(colFrom, int(std::floor(tFrom - 0.5)) - 1);
        const int uTo = std::min(colTo, int(std::ceil(tTo - 0.5)) + 2);
        for (int u = uFrom; u < uTo; ++u) {
            if (it.Mask) {
                const uint64_t word = it.Mask[size_t(v) * size_t(it.Words) + size_t(u >> 6)];
                if (word == 0) { // 64 empty texels: skip to the next word
                    u |= 63;
                    continue;
                }
                if (!(word >> (u & 63) & 1)) continue;
            }
            const double t = u + 0.5;
            const double cu = ax + dux * t, cv = ay + duy * t;
            if (cu >= 0 && cv >= 0 && cu < width && cv < height && other.Solid(int(cu), int(cv))) return true;
        }
    }
    return false;
}

bool Overlap(const Shape& a, const Shape& b) {
    double ax0, ay0, ax1, ay1, bx0, by0, bx1, by1;
    a.Bounds(ax0, ay0, ax1, ay1);
    b.Bounds(bx0, by0, bx1, by1);
    const double x0 = std::max(ax0, bx0), y0 = std::max(ay0, by0);
    const double x1 = std::min(ax1, bx1), y1 = std::min(ay1, by1);
    if (x0 >= x1 || y0 >= y1) return false;
    if (a.Unrotated && b.Unrotated && a.ScaleX == 1 && a.ScaleY == 1 && b.ScaleX == 1 && b.ScaleY == 1)
        return OverlapTranslated(a, b);
    // Sample the finer grid; on a tie sample b, as the translated path does.
    const double areaA = std::fabs(a.ScaleX * a.ScaleY), areaB = std::fabs(b.ScaleX * b.ScaleY);
    return areaA < areaB ? OverlapSampled(a, b, x0, y0, x1, y1) : OverlapSampled(b, a, x0, y0, x1, y1);
}

struct LayerEntry {
    uint32_t Layers = 0;
    Shape Placed;
};

std::vector<LayerEntry>& Layers() {
    static std::vector<LayerEntry> entries = [] {
        std::vector<LayerEntry> reserved;
        reserved.reserve(64);
        return reserved;
    }();
    return entries;
}

} // namespace

namespace Internal {
void ResetCollisions() {
    Layers().clear();
}
} // namespace Internal

int ImagesOverlap(const Image& a, int frameA, const Placement& pa, const Image& b, int frameB,
                  const Placement& pb) {
    Shape shapeA, shapeB;
    if (!FrameShape(a, frameA, pa, shapeA) || !FrameShape(b, frameB, pb, shapeB)) return 0;
    return Overlap(shapeA, shapeB) ? 1 : 0;
}

void ClearCollisions(uint32_t mask) {
    std::vector<LayerEntry>& entries = Layers();
    for (LayerEntry& entry : entries)
        entry.Layers &= ~mask;
    std::erase_if(entries, [](const LayerEntry& entry) { return entry.Layers == 0; });
}

void CollideImage(const Image& image, float x, float y, int frame, uint32_t writeMask) {
    if (writeMask == 0) return;
    Placement placement{x, y, GetRotation(), 1, 1};
    GetScale(placement.ScaleX, placement.ScaleY);
    LayerEntry entry{writeMask, {}};
    if (FrameShape(image, frame, placement, entry.Placed)) Layers().push_back(entry);
}

void CollideRect(float x, float y, float width, float height, uint32_t writeMask) {
    if (writeMask == 0) return;
    float scaleX, scaleY;
    GetScale(scaleX, scaleY);
    LayerEntry entry{writeMask, {}};
    if (RectShape(x, y, width, height, GetRotation(), scaleX, scaleY, entry.Placed))
        Layers().push_back(entry);
}

int CollideRectTest(float x, float y, float width, float height, uint32_t testMask) {
    float scaleX, scaleY;
    GetScale(scaleX, scaleY);
    Shape rect;
    if (!RectShape(x, y, width, height, GetRotation(), scaleX, scaleY, rect)) return 0;
    for (const LayerEntry& entry : Layers())
        if ((entry.Layers & testMask) && Overlap(entry.Placed, rect)) return 1;
    return 0;
}

} // namespace Media

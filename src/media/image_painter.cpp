// Pictures painted from other pictures on the CPU, and the worker that paints them ahead: a
// stack of still scenery drawn as one premultiplied picture costs the rasterizer one pass instead
// of one per layer.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <utility>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

// As the decode workers: a painting ahead never takes the processor from a frame.
constexpr int WORKER_NICENESS = 5;

// Clamped to 0..1, NaN to 0, as the drawing state takes colours and alpha.
float Unit(float value) {
    return value >= 0 ? std::min(value, 1.0f) : 0.0f;
}

struct Premultiplied {
    float R, G, B, A;
};

// A pass's map from painted pixels to its source's texels, s = S0 + Sx·x + Sy·y and likewise t,
// for the painted pixel whose centre is (x + 0.5, y + 0.5).
struct TexelMap {
    float S0, Sx, Sy, T0, Tx, Ty;
};

// False for a pass whose corners lie on one line (nothing to paint).
bool MapOf(const PaintPass& pass, float width, float height, TexelMap& map) {
    const float ex = (pass.TopRightX - pass.TopLeftX) / width, ey = (pass.TopRightY - pass.TopLeftY) / width;
    const float fx = (pass.BottomLeftX - pass.TopLeftX) / height,
                fy = (pass.BottomLeftY - pass.TopLeftY) / height;
    const float det = ex * fy - fx * ey;
    if (!(std::fabs(det) > 1e-12f)) return false;
    // (s, t) solves s·e + t·f = centre − top-left corner.
    map.Sx = fy / det;
    map.Sy = -fx / det;
    map.Tx = -ey / det;
    map.Ty = ex / det;
    const float dx = 0.5f - pass.TopLeftX, dy = 0.5f - pass.TopLeftY;
    map.S0 = map.Sx * dx + map.Sy * dy;
    map.T0 = map.Tx * dx + map.Ty * dy;
    return true;
}

// The source filtered at texel coordinates (s, t) as GL's linear filter with its edges clamped
// reads it, premultiplied: what the filter would give for the bled colours of the texture.
// FORMAT is the source's; an alpha map is white with that alpha and a grey one opaque grey, as
// their textures are.
template <PixelMap::Format FORMAT> Premultiplied Sample(const PixelMap& source, float s, float t) {
    const float fs = s - 0.5f, ft = t - 0.5f;
    const float s0 = std::floor(fs), t0 = std::floor(ft);
    const float ws = fs - s0, wt = ft - t0;
    const int x0 = std::clamp(int(s0), 0, source.Width - 1),
              x1 = std::clamp(int(s0) + 1, 0, source.Width - 1);
    const int y0 = std::clamp(int(t0), 0, source.Height - 1),
              y1 = std::clamp(int(t0) + 1, 0, source.Height - 1);
    Premultiplied sum{0, 0, 0, 0};
    auto add = [&](int x, int y, float weight) {
        const uint8_t* texel = source.At(x, y);
        if constexpr (FORMAT == PixelMap::Format::RGBA) {
            const float alpha = weight * float(texel[3]);
            sum.R += alpha * float(texel[0]);
            sum.G += alpha * float(texel[1]);
            sum.B += alpha * float(texel[2]);
            sum.A += alpha;
        } else if constexpr (FORMAT == PixelMap::Format::Alpha) {
            const float alpha = weight * float(texel[0]);
            sum.R += alpha * 255.0f;
            sum.G += alpha * 255.0f;
            sum.B += alpha * 255.0f;
            sum.A += alpha;
        } else {
            const float grey = weight * 255.0f * float(texel[0]);
            sum.R += grey;
            sum.G += grey;
            sum.B += grey;
            sum.A += weight * 255.0f;
        }
    };
    add(x0, y0, (1 - ws) * (1 - wt));
    add(x1, y0, ws * (1 - wt));
    add(x0, y1, (1 - ws) * wt);
    add(x1, y1, ws * wt);
    constexpr float UNIT = 1.0f / 255.0f;
    return {sum.R * UNIT * UNIT, sum.G * UNIT * UNIT, sum.B * UNIT * UNIT, sum.A * UNIT};
}

// Paints one pass of a source of format FORMAT into `canvas` (width × height premultiplied
// colours, 0..1).
template <PixelMap::Format FORMAT>
void PaintOne(const PaintPass& pass, int width, int height, std::vector<Premultiplied>& canvas,
              const std::atomic<bool>* cancelled) {
    const PixelMap& source = pass.Source->FramePixels(0);
    const size_t texels =
        source.Width > 0 && source.Height > 0 ? size_t(source.Width) * size_t(source.Height) : 0;
    if (texels == 0 || source.Pixels.size() < texels * size_t(source.Channels())) return;
    const float sw = float(source.Width), sh = float(source.Height);
    TexelMap map{};
    if (!MapOf(pass, sw, sh, map)) return;

    // Only the painted pixels whose centres the picture's rectangle covers, as the rasterizer
    // draws only those; its bounding box bounds the search.
    const float fourthX = pass.TopRightX + pass.BottomLeftX - pass.TopLeftX;
    const float fourthY = pass.TopRightY + pass.BottomLeftY - pass.TopLeftY;
    const float left = std::min({pass.TopLeftX, pass.TopRightX, pass.BottomLeftX, fourthX});
    const float right = std::max({pass.TopLeftX, pass.TopRightX, pass.BottomLeftX, fourthX});
    const float top = std::min({pass.TopLeftY, pass.TopRightY, pass.BottomLeftY, fourthY});
    const float bottom = std::max({pass.TopLeftY, pass.TopRightY, pass.BottomLeftY, fourthY});
    if (!(right > 0 && left < float(width) && bottom > 0 && top < float(height))) return;
    const int x0 = std::max(0, int(std::floor(left))), x1 = std::min(width, int(std::ceil(right)));
    const int y0 = std::max(0, int(std::floor(top))), y1 = std::min(height, int(std::ceil(bottom)));

    const float alpha = Unit(pass.Alpha);
    const float r = Unit(pass.R) * alpha, g = Unit(pass.G) * alpha, b = Unit(pass.B) * alpha;
    const bool light = pass.Blend == LIGHTBLEND;
    // A pixel whose centre lies on an edge belongs to the picture only where that edge is a left
    // or top one, as the rasterizer decides it: two pictures that share an edge, one of them
    // mirrored, then paint that pixel once between them, not twice or never.
    const bool sFromZero = map.Sx > 0 || (map.Sx == 0 && map.Sy > 0);
    const bool tFromZero = map.Tx > 0 || (map.Tx == 0 && map.Ty > 0);
    const auto inside = [](float v, float size, bool fromZero) {
        return fromZero ? v >= 0 && v < size : v > 0 && v <= size;
    };
    for (int y = y0; y < y1; ++y) {
        if (cancelled && cancelled->load(std::memory_order_relaxed)) return;
        Premultiplied* row = canvas.data() + size_t(y) * size_t(width);
        for (int x = x0; x < x1; ++x) {
            const float s = map.S0 + map.Sx * float(x) + map.Sy * float(y);
            const float t = map.T0 + map.Tx * float(x) + map.Ty * float(y);
            if (!inside(s, sw, sFromZero) || !inside(t, sh, tFromZero)) continue;
            const Premultiplied texel = Sample<FORMAT>(source, s, t);
            Premultiplied& out = row[x];
            if (light) {
                // The window's 8-bit channels clamp after every pass that adds light.
                out.R = std::min(1.0f, out.R + texel.R * r);
                out.G = std::min(1.0f, out.G + texel.G * g);
                out.B = std::min(1.0f, out.B + texel.B * b);
            } else {
                const float keep = 1 - texel.A * alpha;
                out.R = out.R * keep + texel.R * r;
                out.G = out.G * keep + texel.G * g;
                out.B = out.B * keep + texel.B * b;
                out.A = out.A * keep + texel.A * alpha;
            }
        }
    }
}

// premultiplied false: colours divided by alpha, for pictures drawn with ALPHABLEND.
PixelMap Paint(int width, int height, const std::vector<PaintPass>& passes, bool premultiplied,
               const std::atomic<bool>* cancelled) {
    PixelMap painted;
    if (width <= 0 || height <= 0) return painted;
    std::vector<Premultiplied> canvas(size_t(width) * size_t(height), Premultiplied{0, 0, 0, 0});
    for (const PaintPass& pass : passes) {
        if (!pass.Source || (pass.Blend != ALPHABLEND && pass.Blend != LIGHTBLEND)) continue;
        switch (pass.Source->FramePixels(0).PixelFormat) {
        case PixelMap::Format::RGBA:
            PaintOne<PixelMap::Format::RGBA>(pass, width, height, canvas, cancelled);
            break;
        case PixelMap::Format::Alpha:
            PaintOne<PixelMap::Format::Alpha>(pass, width, height, canvas, cancelled);
            break;
        case PixelMap::Format::Grey:
            PaintOne<PixelMap::Format::Grey>(pass, width, height, canvas, cancelled);
            break;
        }
    }
    // Cancelled, the main thread waits for this worker: it stops at once.
    if (cancelled && cancelled->load()) return painted;
    painted.Width = width;
    painted.Height = height;
    painted.Pixels.resize(canvas.size() * 4);
    auto byte = [](float v) { return uint8_t(std::lround(Unit(v) * 255.0f)); };
    for (size_t i = 0; i < canvas.size(); ++i) {
        const Premultiplied& c = canvas[i];
        const float k = premultiplied || c.A <= 0 ? 1.0f : 1.0f / c.A;
        painted.Pixels[i * 4 + 0] = byte(c.R * k);
        painted.Pixels[i * 4 + 1] = byte(c.G * k);
        painted.Pixels[i * 4 + 2] = byte(c.B * k);
        painted.Pixels[i * 4 + 3] = byte(c.A);
    }
    return painted;
}

} // namespace

PixelMap PaintPasses(int width, int height, const std::vector<PaintPass>& passes) {
    return Paint(width, height, passes, true, nullptr);
}

struct ImagePainter::Job {
    std::vector<PaintPass> Passes; // keeps the sources' pixels while the worker reads them
    int Width = 0, Height = 0;
    int Flags = 0; // the image's
    std::atomic<bool> Cancelled{false};
    std::atomic<bool> Done{false};
    Internal::ImageParts Parts; // the worker's, until Done
    std::thread Worker;

    void Run() {
        setpriority(PRIO_PROCESS, id_t(gettid()), WORKER_NICENESS); // best effort: may be refused
        PixelMap painted = Paint(Width, Height, Passes, (Flags & PREMULTIPLIEDIMAGE) != 0, &Cancelled);
        if (!Cancelled.load() && painted.Width > 0) {
            PixelMap light;
            if ((Flags & PREMULTIPLIEDIMAGE) != 0) light = Internal::AlphaOfWhiteLight(painted);
            Parts = Internal::PrepareWholeImage(std::move(painted));
            Parts.WhiteLight = std::move(light);
        }
        Done.store(true, std::memory_order_release);
    }
};

ImagePainter::ImagePainter() = default;

ImagePainter::~ImagePainter() {
    Cancel();
}

void ImagePainter::Start(int width, int height, std::vector<PaintPass> passes, int flags) {
    Cancel();
    job_ = std::make_unique<Job>();
    job_->Passes = std::move(passes);
    job_->Width = width;
    job_->Height = height;
    job_->Flags = flags;
    Job* job = job_.get();
    job_->Worker = std::thread([job] { job->Run(); });
}

void ImagePainter::Cancel() {
    if (!job_) return;
    job_->Cancelled.store(true);
    job_->Worker.join();
    // The sources are let go here, on the main thread, which owns their textures.
    job_.reset();
}

std::shared_ptr<Image> ImagePainter::Take() {
    if (!job_ || !job_->Done.load(std::memory_order_acquire)) return nullptr;
    job_->Worker.join();
    std::shared_ptr<Image> image;
    if (job_->Parts.Width > 0) image = Image::FromParts(std::move(job_->Parts), job_->Flags);
    job_.reset();
    return image;
}

} // namespace Media

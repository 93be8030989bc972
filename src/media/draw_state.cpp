// The 2D drawing state, the quad builder for DrawFrame / DrawRect / DrawDebugText, draw
// statistics and the draw record.
//
// Positions are drawing units; a quad's corners go through the current scale and rotation about
// the handle, then the origin and position, then the projection into back-buffer pixels. The
// matrix and the scissor are recomputed when the state changes, never per quad.
#include <algorithm>
#include <cmath>

#include "media/batcher.h"
#include "media/debug_font.h"
#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

constexpr float PI = 3.14159265358979323846f;

struct DrawState {
    int Blend = ALPHABLEND;
    float Alpha = 1;
    int R = 255, G = 255, B = 255;
    int ClsR = 0, ClsG = 0, ClsB = 0;
    float Rotation = 0;
    float ScaleX = 1, ScaleY = 1;
    int ViewportX = 0, ViewportY = 0, ViewportWidth = 800, ViewportHeight = 500;
    float OriginX = 0, OriginY = 0;
    float HandleX = 0, HandleY = 0;
    float LineWidth = 1;
    int MaskR = 0, MaskG = 0, MaskB = 0;
    int ImageFont = 0;
    bool AutoMidHandle = false;
    int DefaultFlags = FILTEREDIMAGE;
    bool Fog = false;
    float ProjectionWidth = 800, ProjectionHeight = 500;
};

// Values derived from the state, kept up to date by the setters.
struct Derived {
    bool GraphicsOpen = false;
    int GraphicsWidth = 0, GraphicsHeight = 0;
    float PixelsPerUnitX = 1, PixelsPerUnitY = 1;
    // Local (handle-relative) point → pixels: x' = A x + B y, y' = C x + D y (then translate).
    float A = 1, B = 0, C = 0, D = 1;
    float Cos = 1, Sin = 0; // of the rotation
    float Red = 1, Green = 1, Blue = 1;
    BatchKey Key;
    bool ScissorEmpty = false;
    float BoxX0 = 0, BoxY0 = 0, BoxX1 = 0, BoxY1 = 0; // the scissor box, as floats
};

DrawState state;
Derived derived;
bool recording = false;
std::vector<DrawRecord> records;
uint32_t fontTexture = 0;
uint32_t fontGeneration = 0;
double frameCoverage = 0; // pixels covered by the quads of the frame being drawn
double statsCoverage = 0; // pixels covered since ResetDrawStats
float lastOverdraw = 0;   // of the last presented frame
bool trimming = true;

Batcher& TheBatcher() {
    static Batcher batcher;
    return batcher;
}

int Clamp255(int value) {
    return std::clamp(value, 0, 255);
}

void UpdateMatrix() {
    const float cosine = derived.Cos, sine = derived.Sin;
    derived.A = cosine * state.ScaleX * derived.PixelsPerUnitX;
    derived.B = -sine * state.ScaleY * derived.PixelsPerUnitX;
    derived.C = sine * state.ScaleX * derived.PixelsPerUnitY;
    derived.D = cosine * state.ScaleY * derived.PixelsPerUnitY;
}

// The viewport in drawing units becomes a pixel scissor through the projection, so clipping is
// right at every display size.
void UpdateScissor() {
    const int width = derived.GraphicsWidth, height = derived.GraphicsHeight;
    const auto toPixels = [](float units, float scale, int limit) {
        return std::clamp(int(std::lround(double(units) * scale)), 0, limit);
    };
    const int x0 = toPixels(float(state.ViewportX), derived.PixelsPerUnitX, width);
    const int y0 = toPixels(float(state.ViewportY), derived.PixelsPerUnitY, height);
    const int x1 =
        toPixels(float(state.ViewportX) + float(state.ViewportWidth), derived.PixelsPerUnitX, width);
    const int y1 =
        toPixels(float(state.ViewportY) + float(state.ViewportHeight), derived.PixelsPerUnitY, height);
    derived.Key.ScissorX = x0;
    derived.Key.ScissorY = y0;
    derived.Key.ScissorWidth = std::max(0, x1 - x0);
    derived.Key.ScissorHeight = std::max(0, y1 - y0);
    derived.ScissorEmpty = derived.Key.ScissorWidth == 0 || derived.Key.ScissorHeight == 0;
    derived.BoxX0 = float(x0);
    derived.BoxY0 = float(y0);
    derived.BoxX1 = float(x0 + derived.Key.ScissorWidth);
    derived.BoxY1 = float(y0 + derived.Key.ScissorHeight);
}

void UpdateProjection() {
    derived.GraphicsWidth = derived.GraphicsOpen ? GraphicsWidth() : 0;
    derived.GraphicsHeight = derived.GraphicsOpen ? GraphicsHeight() : 0;
    if (derived.GraphicsOpen && state.ProjectionWidth > 0 && state.ProjectionHeight > 0) {
        derived.PixelsPerUnitX = float(derived.GraphicsWidth) / state.ProjectionWidth;
        derived.PixelsPerUnitY = float(derived.GraphicsHeight) / state.ProjectionHeight;
    } else {
        derived.PixelsPerUnitX = derived.PixelsPerUnitY = 1;
    }
    UpdateMatrix();
    if (derived.GraphicsOpen) UpdateScissor();
}

// The vertex colour; a premultiplied texel's colour is scaled by the alpha as well.
void UpdateColour() {
    derived.Red = float(state.R) / 255.0f;
    derived.Green = float(state.G) / 255.0f;
    derived.Blue = float(state.B) / 255.0f;
    if (state.Blend == PREMULTIPLIEDBLEND) {
        derived.Red *= state.Alpha;
        derived.Green *= state.Alpha;
        derived.Blue *= state.Alpha;
    }
}

void Record(const Image* image, int frame, float x, float y, float width, float height) {
    DrawRecord record;
    record.DrawnImage = image;
    record.Frame = frame;
    record.X = x;
    record.Y = y;
    record.Width = width;
    record.Height = height;
    record.R = state.R;
    record.G = state.G;
    record.B = state.B;
    record.Alpha = state.Alpha;
    record.Blend = state.Blend;
    record.Fog = state.Fog;
    record.Rotation = state.Rotation;
    record.ScaleX = state.ScaleX;
    record.ScaleY = state.ScaleY;
    record.ViewportX = state.ViewportX;
    record.ViewportY = state.ViewportY;
    record.ViewportWidth = state.ViewportWidth;
    record.ViewportHeight = state.ViewportHeight;
    records.push_back(record);
}

// The part of TurnedArea for quads that the scissor box cuts: the quad is clipped as a polygon,
// one edge at a time (at most one corner more per edge). Kept apart so that the common case
// stays small.
[[gnu::noinline]] float CutArea(const float* px, const float* py, const float (&bounds)[4]) {
    const float sx0 = derived.BoxX0, sy0 = derived.BoxY0, sx1 = derived.BoxX1, sy1 = derived.BoxY1;
    const float minX = bounds[0], minY = bounds[1], maxX = bounds[2], maxY = bounds[3];
    float cx[12], cy[12], qx[12], qy[12];
    int n = 4;
    std::copy(px, px + 4, cx);
    std::copy(py, py + 4, cy);
    const auto clip = [&](int axis, float bound, bool keepAbove) {
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            const float ci = axis == 0 ? cx[i] : cy[i], cj = axis == 0 ? cx[j] : cy[j];
            const bool inI = keepAbove ? ci >= bound : ci <= bound;
            const bool inJ = keepAbove ? cj >= bound : cj <= bound;
            if (inI) {
                qx[m] = cx[i];
                qy[m++] = cy[i];
            }
            if (inI != inJ) {
                const float t = (bound - ci) / (cj - ci);
                qx[m] = cx[i] + t * (cx[j] - cx[i]);
                qy[m++] = cy[i] + t * (cy[j] - cy[i]);
            }
        }
        n = m;
        std::copy(qx, qx + m, cx);
        std::copy(qy, qy + m, cy);
    };
    if (minX < sx0) clip(0, sx0, true);
    if (maxX > sx1) clip(0, sx1, false);
    if (minY < sy0) clip(1, sy0, true);
    if (maxY > sy1) clip(1, sy1, false);
    float twice = 0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        twice += cx[i] * cy[j] - cx[j] * cy[i];
    }
    return std::abs(twice) * 0.5f;
}

// Pixels of the turned quad with corners (px, py) (in order, back-buffer pixels) inside the
// scissor box: the screen area it shades. `localArea` is its area in local units. Quads wholly
// inside or outside the box cost a bounding-box test.
float TurnedArea(const float* px, const float* py, float localArea) {
    float minX = px[0], maxX = px[0], minY = py[0], maxY = py[0];
    for (int i = 1; i < 4; ++i) {
        minX = px[i] < minX ? px[i] : minX;
        maxX = px[i] > maxX ? px[i] : maxX;
        minY = py[i] < minY ? py[i] : minY;
        maxY = py[i] > maxY ? py[i] : maxY;
    }
    if (maxX <= derived.BoxX0 || minX >= derived.BoxX1 || maxY <= derived.BoxY0 || minY >= derived.BoxY1)
        return 0;
    if (minX >= derived.BoxX0 && maxX <= derived.BoxX1 && minY >= derived.BoxY0 && maxY <= derived.BoxY1)
        return std::abs((derived.A * derived.D - derived.B * derived.C) * localArea);
    const float bounds[4] = {minX, minY, maxX, maxY};
    return CutArea(px, py, bounds);
}

// Opaque quads at least this large are drawn without blending (the same pixels, less work per
// pixel); smaller ones stay in the blended batch they share with their neighbours.
constexpr float OPAQUE_MIN_AREA = 16384;

// Adds one quad covering the local rectangle (x0, y0)–(x1, y1) about the point (x, y) in drawing
// units (origin not yet added), with the given texture region. A quad that covers nothing on
// screen is dropped; `opaque` says that every texel of the region is opaque.
[[gnu::always_inline]] inline void AddQuad(uint32_t texture, float x, float y, float x0, float y0, float x1,
                                           float y1, float u0, float v0, float u1, float v1,
                                           bool opaque = false) {
    const float tx = (x + state.OriginX) * derived.PixelsPerUnitX;
    const float ty = (y + state.OriginY) * derived.PixelsPerUnitY;
    float px[4], py[4], area;
    if (derived.B == 0 && derived.C == 0) {
        // Not turned (most quads): a box, with two distinct x and two distinct y.
        const float xa = derived.A * x0 + tx, xb = derived.A * x1 + tx;
        const float ya = derived.D * y0 + ty, yb = derived.D * y1 + ty;
        const float w = std::min(std::max(xa, xb), derived.BoxX1) - std::max(std::min(xa, xb), derived.BoxX0);
        const float h = std::min(std::max(ya, yb), derived.BoxY1) - std::max(std::min(ya, yb), derived.BoxY0);
        if (!(w > 0) || !(h > 0)) return;
        area = w * h;
        px[0] = px[3] = xa;
        px[1] = px[2] = xb;
        py[0] = py[1] = ya;
        py[2] = py[3] = yb;
    } else {
        const float ax0 = derived.A * x0, ax1 = derived.A * x1, by0 = derived.B * y0, by1 = derived.B * y1;
        const float cx0 = derived.C * x0, cx1 = derived.C * x1, dy0 = derived.D * y0, dy1 = derived.D * y1;
        px[0] = ax0 + by0 + tx;
        px[1] = ax1 + by0 + tx;
        px[2] = ax1 + by1 + tx;
        px[3] = ax0 + by1 + tx;
        py[0] = cx0 + dy0 + ty;
        py[1] = cx1 + dy0 + ty;
        py[2] = cx1 + dy1 + ty;
        py[3] = cx0 + dy1 + ty;
        area = TurnedArea(px, py, (x1 - x0) * (y1 - y0));
        if (!(area > 0)) return;
    }
    frameCoverage += double(area);
    derived.Key.Texture = texture;
    derived.Key.Blend = state.Blend;
    derived.Key.Fog = state.Fog;
    if (opaque && state.Blend == ALPHABLEND && !state.Fog && state.Alpha >= 1 && area >= OPAQUE_MIN_AREA)
        derived.Key.Blend = SOLIDBLEND;
    Vertex* v = TheBatcher().AddQuad(derived.Key);
    const float r = derived.Red, g = derived.Green, b = derived.Blue, a = state.Alpha;
    v[0] = Vertex{px[0], py[0], u0, v0, r, g, b, a};
    v[1] = Vertex{px[1], py[1], u1, v0, r, g, b, a};
    v[2] = Vertex{px[2], py[2], u1, v1, r, g, b, a};
    v[3] = Vertex{px[3], py[3], u0, v1, r, g, b, a};
}

bool CanDraw() {
    return derived.GraphicsOpen && !derived.ScissorEmpty;
}

} // namespace

namespace Internal {

void ResetDrawState() {
    state = DrawState{};
    derived = Derived{};
    recording = false;
    records.clear();
    TheBatcher().Drop();
    TheBatcher().ResetCounts();
    frameCoverage = statsCoverage = 0;
    lastOverdraw = 0;
    UpdateProjection();
    UpdateColour();
}

void GraphicsOpened() {
    TheBatcher().Drop();
    derived.GraphicsOpen = true;
    state.ProjectionWidth = float(GraphicsWidth());
    state.ProjectionHeight = float(GraphicsHeight());
    state.ViewportX = state.ViewportY = 0;
    state.ViewportWidth = GraphicsWidth();
    state.ViewportHeight = GraphicsHeight();
    UpdateProjection();
}

void GraphicsClosed() {
    TheBatcher().Drop();
    derived.GraphicsOpen = CurrentBackend().HasGraphics();
    UpdateProjection();
}

void DropPendingDraws() {
    TheBatcher().Drop();
}

void FlushDrawsOf(uint32_t texture) {
    if (TheBatcher().Holds(texture)) FlushDrawing();
}

void EndFrameCoverage() {
    const double screen = double(derived.GraphicsWidth) * double(derived.GraphicsHeight);
    lastOverdraw = screen > 0 ? float(frameCoverage / screen) : 0.0f;
    statsCoverage += frameCoverage;
    frameCoverage = 0;
}

} // namespace Internal

void SetProjection(float width, float height) {
    if (!(width > 0) || !(height > 0)) return;
    state.ProjectionWidth = width;
    state.ProjectionHeight = height;
    UpdateProjection();
}
float ProjectionWidth() {
    return state.ProjectionWidth;
}
float ProjectionHeight() {
    return state.ProjectionHeight;
}

void SetBlend(int mode) {
    if (mode < MASKBLEND || mode > PREMULTIPLIEDBLEND) return;
    const bool premultiplied = state.Blend == PREMULTIPLIEDBLEND;
    state.Blend = mode;
    if (premultiplied != (mode == PREMULTIPLIEDBLEND)) UpdateColour();
}
int GetBlend() {
    return state.Blend;
}

void SetAlpha(float alpha) {
    state.Alpha = alpha >= 0 ? std::min(alpha, 1.0f) : 0.0f;
    if (state.Blend == PREMULTIPLIEDBLEND) UpdateColour();
} // NaN → 0
float GetAlpha() {
    return state.Alpha;
}

void SetColor(int r, int g, int b) {
    state.R = Clamp255(r);
    state.G = Clamp255(g);
    state.B = Clamp255(b);
    UpdateColour();
}
void GetColor(int& r, int& g, int& b) {
    r = state.R;
    g = state.G;
    b = state.B;
}

void SetClsColor(int r, int g, int b) {
    state.ClsR = Clamp255(r);
    state.ClsG = Clamp255(g);
    state.ClsB = Clamp255(b);
}
void GetClsColor(int& r, int& g, int& b) {
    r = state.ClsR;
    g = state.ClsG;
    b = state.ClsB;
}

void SetRotation(float degrees) {
    if (degrees == state.Rotation) return; // sprites set it for every draw, mostly unchanged
    state.Rotation = degrees;
    const float radians = degrees * (PI / 180.0f);
    derived.Cos = std::cos(radians);
    derived.Sin = std::sin(radians);
    UpdateMatrix();
}
float GetRotation() {
    return state.Rotation;
}

void SetScale(float x, float y) {
    state.ScaleX = x;
    state.ScaleY = y;
    UpdateMatrix();
}
void GetScale(float& x, float& y) {
    x = state.ScaleX;
    y = state.ScaleY;
}

void SetViewport(int x, int y, int width, int height) {
    state.ViewportX = x;
    state.ViewportY = y;
    state.ViewportWidth = width;
    state.ViewportHeight = height;
    if (derived.GraphicsOpen) UpdateScissor();
}
void GetViewport(int& x, int& y, int& width, int& height) {
    x = state.ViewportX;
    y = state.ViewportY;
    width = state.ViewportWidth;
    height = state.ViewportHeight;
}

void SetOrigin(float x, float y) {
    state.OriginX = x;
    state.OriginY = y;
}
void GetOrigin(float& x, float& y) {
    x = state.OriginX;
    y = state.OriginY;
}

void SetDrawHandle(float x, float y) {
    state.HandleX = x;
    state.HandleY = y;
}
void GetDrawHandle(float& x, float& y) {
    x = state.HandleX;
    y = state.HandleY;
}

void SetLineWidth(float width) {
    state.LineWidth = width;
}
float GetLineWidth() {
    return state.LineWidth;
}

void SetMaskColor(int r, int g, int b) {
    state.MaskR = Clamp255(r);
    state.MaskG = Clamp255(g);
    state.MaskB = Clamp255(b);
}
void GetMaskColor(int& r, int& g, int& b) {
    r = state.MaskR;
    g = state.MaskG;
    b = state.MaskB;
}

void SetImageFont(int font) {
    state.ImageFont = font;
}
int GetImageFont() {
    return state.ImageFont;
}

void SetAutoMidHandle(bool on) {
    state.AutoMidHandle = on;
}
bool GetAutoMidHandle() {
    return state.AutoMidHandle;
}

void SetDefaultImageFlags(int flags) {
    state.DefaultFlags = flags < 0 ? 0 : flags;
}
int GetDefaultImageFlags() {
    return state.DefaultFlags;
}

void FogModeOn() {
    state.Fog = true;
}
void FogModeOff() {
    state.Fog = false;
    SetColor(255, 255, 255);
}
bool GetFogMode() {
    return state.Fog;
}

void DrawFrame(const Image& image, float x, float y, int frame) {
    if (image.Frames() <= 0) return;
    frame = std::clamp(frame, 0, image.Frames() - 1);
    if (recording) Record(&image, frame, x, y, 0, 0);
    if (!CanDraw()) return;
    const Image::TextureRegion& region = image.Region(frame);
    const float x0 = -(image.HandleX() + state.HandleX), y0 = -(image.HandleY() + state.HandleY);
    // Texels of alpha 0 change nothing in these blends, so only the part holding the visible ones
    // is drawn; the solid and shade blends draw every texel.
    if (trimming && (state.Blend == ALPHABLEND || state.Blend == LIGHTBLEND || state.Blend == MASKBLEND)) {
        AddQuad(region.Texture, x, y, x0 + region.VisibleX0, y0 + region.VisibleY0, x0 + region.VisibleX1,
                y0 + region.VisibleY1, region.VisibleU0, region.VisibleV0, region.VisibleU1, region.VisibleV1,
                region.Opaque);
    } else {
        AddQuad(region.Texture, x, y, x0, y0, x0 + float(image.Width()), y0 + float(image.Height()),
                region.U0, region.V0, region.U1, region.V1);
    }
}

void DrawStack(const StackLayer* layers, int count, float x, float y, float width, float height) {
    if (!CanDraw() || !(width > 0) || !(height > 0)) return;
    StackQuad quad;
    // Within this of a whole pixel, a position is whole (as for the renderer's texel-for-pixel
    // test); one far beyond any back buffer is never placed exactly.
    constexpr float SLACK = 1.0f / 1024, FAR = 1 << 20;
    const auto whole = [](float pixels) {
        return std::abs(pixels) < FAR && std::abs(pixels - std::round(pixels)) < SLACK;
    };
    quad.TexelForPixel = derived.PixelsPerUnitX == 1 && derived.PixelsPerUnitY == 1 &&
                         whole(x + state.OriginX) && whole(y + state.OriginY) && whole(width) &&
                         whole(height);
    for (int i = 0; i < std::min(count, STACK_LAYERS); ++i) {
        const StackLayer& layer = layers[i];
        const Image* image = layer.Source;
        if (!image || image->Frames() <= 0 || image->Width() <= 0 || image->Height() <= 0 ||
            (image->Flags() & PREMULTIPLIEDIMAGE) == 0)
            continue;
        const Image::TextureRegion& region = image->Region(0);
        // Where the rectangle's corners fall in the picture, from 0 to 1 across it.
        const float w = float(image->Width()), h = float(image->Height());
        float s0 = -layer.X / w, s1 = (width - layer.X) / w;
        if (layer.MirrorX) {
            s0 = 1 - s0;
            s1 = 1 - s1;
        }
        const float t0 = -layer.Y / h, t1 = (height - layer.Y) / h;
        StackQuad::Layer& out = quad.Layers[quad.LayerCount++];
        out.Texture = region.Texture;
        out.U0 = region.U0 + s0 * (region.U1 - region.U0);
        out.U1 = region.U0 + s1 * (region.U1 - region.U0);
        out.V0 = region.V0 + t0 * (region.V1 - region.V0);
        out.V1 = region.V0 + t1 * (region.V1 - region.V0);
        out.R = layer.R;
        out.G = layer.G;
        out.B = layer.B;
        out.A = layer.A;
        out.RepeatV = layer.RepeatY;
        // White light is read as its alpha alone: a quarter of the bytes for the composer.
        out.Texels = image->WhiteLight() ? image->WhiteLight() : &image->FramePixels(0);
        const float texelX = x + layer.X + state.OriginX, texelY = y + layer.Y + state.OriginY;
        out.MirrorX = layer.MirrorX;
        if (whole(texelX) && whole(texelY)) {
            out.TexelX = int(std::lround(texelX));
            out.TexelY = int(std::lround(texelY));
        } else {
            quad.TexelForPixel = false;
        }
    }
    if (quad.LayerCount == 0) return;
    quad.X0 = (x + state.OriginX) * derived.PixelsPerUnitX;
    quad.Y0 = (y + state.OriginY) * derived.PixelsPerUnitY;
    quad.X1 = (x + width + state.OriginX) * derived.PixelsPerUnitX;
    quad.Y1 = (y + height + state.OriginY) * derived.PixelsPerUnitY;
    const float w = std::min(quad.X1, derived.BoxX1) - std::max(quad.X0, derived.BoxX0);
    const float h = std::min(quad.Y1, derived.BoxY1) - std::max(quad.Y0, derived.BoxY0);
    if (!(w > 0) || !(h > 0)) return;
    frameCoverage += double(w) * double(h);
    quad.Key = derived.Key;
    TheBatcher().SendStack(quad);
}

void DrawRect(float x, float y, float width, float height) {
    if (recording) Record(nullptr, 0, x, y, width, height);
    if (!CanDraw()) return;
    const float x0 = -state.HandleX, y0 = -state.HandleY;
    AddQuad(0, x, y, x0, y0, x0 + width, y0 + height, 0, 0, 1, 1);
}

void DrawDebugText(const std::string& text, float x, float y) {
    if (!CanDraw() || text.empty()) return;
    if (fontTexture == 0 || fontGeneration != Internal::BackendGeneration()) {
        fontTexture = CurrentBackend().CreateTexture(BuildDebugFontSheet(), 0);
        fontGeneration = Internal::BackendGeneration();
    }
    constexpr float CELL = float(DEBUG_FONT_CELL);
    constexpr float U = 1.0f / DEBUG_FONT_COLUMNS, V = 1.0f / 6.0f;
    float left = 0;
    for (unsigned char c : text) {
        if (c > 32 && c < 128) {
            const int index = c - 32;
            const float u0 = float(index % DEBUG_FONT_COLUMNS) * U,
                        v0 = float(index / DEBUG_FONT_COLUMNS) * V;
            AddQuad(fontTexture, x, y, left, 0, left + CELL, CELL, u0, v0, u0 + U, v0 + V);
        }
        left += CELL;
    }
}

void FlushDrawing() {
    if (derived.GraphicsOpen)
        TheBatcher().Flush();
    else
        TheBatcher().Drop();
}

DrawStats GetDrawStats() {
    return DrawStats{TheBatcher().BatchesSent(), TheBatcher().QuadsAdded(), statsCoverage + frameCoverage};
}
void ResetDrawStats() {
    TheBatcher().ResetCounts();
    statsCoverage = frameCoverage = 0;
}

void SetDrawTrimming(bool on) {
    trimming = on;
}

float LastFrameOverdraw() {
    return lastOverdraw;
}

void SetDrawRecording(bool on) {
    recording = on;
}
const std::vector<DrawRecord>& RecordedDraws() {
    return records;
}
void ClearRecordedDraws() {
    records.clear();
}

} // namespace Media

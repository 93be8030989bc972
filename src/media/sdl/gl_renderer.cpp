#include "media/sdl/gl_renderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>

#include "media/sdl/stack_composer.h"

namespace Media {
namespace {

// Uploads a texture's levels into texture name `texture` of the current context (which may be
// the texture worker's) and sets its filters.
void UploadLevels(uint32_t texture, int flags, std::vector<PixelMap>& levels) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t n = 0; n < levels.size(); ++n) {
        glTexImage2D(GL_TEXTURE_2D, GLint(n), GL_RGBA8, levels[n].Width, levels[n].Height, 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, levels[n].Pixels.data());
    }
    const bool filtered = (flags & FILTEREDIMAGE) != 0;
    const bool mipmapped = (flags & MIPMAPPEDIMAGE) != 0;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_LINEAR_MIPMAP_LINEAR : (filtered ? GL_LINEAR : GL_NEAREST));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// Rows of a composed stack composed and uploaded at a time (100 KB at 800 pixels a row).
constexpr int COMPOSED_BAND = 32;

// One source for every shader variant; the defines that start it choose the variant (see
// GlRenderer::Variant), so the common path does no colour, fog or mask work.
constexpr const char* VERTEX_SHADER = R"(
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
layout(location = 2) in vec4 aColour;
uniform vec2 uViewport;
out vec2 vTexCoord;
#ifdef COLOUR
out vec4 vColour;
#endif
void main() {
    // Vertices arrive in back-buffer pixels with y growing downward.
    gl_Position = vec4(aPosition.x * 2.0 / uViewport.x - 1.0, 1.0 - aPosition.y * 2.0 / uViewport.y, 0.0, 1.0);
    vTexCoord = aTexCoord;
#ifdef COLOUR
    vColour = aColour;
#endif
}
)";

constexpr const char* FRAGMENT_SHADER = R"(
in vec2 vTexCoord;
#ifdef COLOUR
in vec4 vColour;
#endif
uniform sampler2D uTexture;
out vec4 fragColour;
void main() {
#ifdef UNTEXTURED
    fragColour = vColour;
#else
    vec4 texel = texture(uTexture, vTexCoord);
#ifdef MASKED
    if (texel.a < 0.5) discard;
#endif
#if defined(FOG)
    fragColour = vec4(vColour.rgb, texel.a * vColour.a);
#elif defined(COLOUR)
    fragColour = texel * vColour;
#else
    fragColour = texel;
#endif
#ifdef OVERBLACK
    fragColour = vec4(fragColour.rgb * fragColour.a, 1.0);
#endif
#endif
}
)";

// The stack's program (GlRenderer::DrawStack): three premultiplied layers composed per pixel, each
// laid over the ones under it, onto transparent black; the result is blended over the back buffer,
// or, over a fresh black clear, written opaque. A stack of fewer layers has transparent ones on top.
constexpr const char* STACK_VERTEX_SHADER = R"(
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aLayer0;
layout(location = 2) in vec2 aLayer1;
layout(location = 3) in vec2 aLayer2;
uniform vec2 uViewport;
out vec2 vLayer0;
out vec2 vLayer1;
out vec2 vLayer2;
void main() {
    gl_Position = vec4(aPosition.x * 2.0 / uViewport.x - 1.0, 1.0 - aPosition.y * 2.0 / uViewport.y, 0.0, 1.0);
    vLayer0 = aLayer0;
    vLayer1 = aLayer1;
    vLayer2 = aLayer2;
}
)";

constexpr const char* STACK_FRAGMENT_SHADER = R"(
in vec2 vLayer0;
in vec2 vLayer1;
in vec2 vLayer2;
uniform sampler2D uLayer0;
uniform sampler2D uLayer1;
uniform sampler2D uLayer2;
uniform vec4 uColours[3]; // each tint scaled by its fade, and the fade
out vec4 fragColour;
void main() {
    vec4 c = texture(uLayer0, vLayer0) * uColours[0];
    vec4 l1 = texture(uLayer1, vLayer1) * uColours[1];
    c = l1 + c * (1.0 - l1.a);
    vec4 l2 = texture(uLayer2, vLayer2) * uColours[2];
    c = l2 + c * (1.0 - l2.a);
#ifdef OVERBLACK
    fragColour = vec4(c.rgb, 1.0);
#else
    fragColour = c;
#endif
}
)";

GLuint CompileShader(GLenum type, const std::string& defines, const char* body, std::string& error) {
    const GLuint shader = glCreateShader(type);
    const std::string header = "#version 330 core\n" + defines;
    const char* sources[2] = {header.c_str(), body};
    glShaderSource(shader, 2, sources, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = std::string("shader does not compile: ") + log;
    glDeleteShader(shader);
    return 0;
}

GLuint LinkProgram(const std::string& defines, std::string& error, const char* vertexShader = VERTEX_SHADER,
                   const char* fragmentShader = FRAGMENT_SHADER) {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, defines, vertexShader, error);
    if (vs == 0) return 0;
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, defines, fragmentShader, error);
    if (fs == 0) {
        glDeleteShader(vs);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok == GL_TRUE) return program;
    char log[1024] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    error = std::string("shader does not link: ") + log;
    glDeleteProgram(program);
    return 0;
}

// True when every vertex has colour white and alpha 1: the texel needs no colour work.
bool AllWhite(const Vertex* vertices, int count) {
    for (int i = 0; i < count; ++i) {
        const Vertex& v = vertices[i];
        if (v.R != 1 || v.G != 1 || v.B != 1 || v.A != 1) return false;
    }
    return true;
}

// Any pixel map as RGBA: an RGBA map is kept as it is (callers move it in), grey becomes opaque
// grey, alpha becomes white with that alpha. A map whose pixel buffer is too small for its size
// becomes one transparent texel.
PixelMap ToRgba(PixelMap map) {
    PixelMap out;
    const size_t count = map.Width > 0 && map.Height > 0 ? size_t(map.Width) * size_t(map.Height) : 0;
    if (count == 0 || map.Pixels.size() < count * size_t(map.Channels())) {
        out.Width = out.Height = 1;
        out.Pixels.assign(4, 0);
        return out;
    }
    if (map.PixelFormat == PixelMap::Format::RGBA) {
        map.Pixels.resize(count * 4);
        return map;
    }
    out.Width = map.Width;
    out.Height = map.Height;
    out.Pixels.resize(count * 4);
    const bool alpha = map.PixelFormat == PixelMap::Format::Alpha;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t v = map.Pixels[i];
        out.Pixels[i * 4 + 0] = alpha ? 255 : v;
        out.Pixels[i * 4 + 1] = alpha ? 255 : v;
        out.Pixels[i * 4 + 2] = alpha ? 255 : v;
        out.Pixels[i * 4 + 3] = alpha ? v : 255;
    }
    return out;
}

// The quad at `v` (four vertices in drawing order) has its first edge along x: not turned, though
// it may be mirrored.
bool Unturned(const Vertex* v) {
    return v[0].Y == v[1].Y && v[1].X == v[2].X && v[2].Y == v[3].Y && v[3].X == v[0].X;
}

// The quad at `v` is an axis-aligned rectangle on screen: not turned, or turned a quarter.
bool Rectangle(const Vertex* v) {
    return Unturned(v) || (v[0].X == v[1].X && v[1].Y == v[2].Y && v[2].X == v[3].X && v[3].Y == v[0].Y);
}

// Pixels of the batch's quads when every one is an axis-aligned rectangle on screen, else -1.
float RectangleArea(const Vertex* vertices, int quadCount) {
    float area = 0;
    for (int q = 0; q < quadCount; ++q) {
        const Vertex* v = vertices + size_t(q) * 4;
        if (!Rectangle(v)) return -1;
        area += std::abs((v[2].X - v[0].X) * (v[2].Y - v[0].Y));
    }
    return area;
}

// How many of the first quads are axis-aligned rectangles that overlap none of the quads before
// them (up to a few: the scenery's first layer is a picture and the copy that wraps it).
int LeadingDisjointRectangles(const Vertex* vertices, int quadCount) {
    constexpr int MOST = 4;
    float boxes[MOST][4];
    int n = 0;
    for (; n < std::min(quadCount, MOST); ++n) {
        const Vertex* v = vertices + size_t(n) * 4;
        if (!Rectangle(v)) break;
        float* box = boxes[n];
        box[0] = std::min(v[0].X, v[2].X);
        box[1] = std::min(v[0].Y, v[2].Y);
        box[2] = std::max(v[0].X, v[2].X);
        box[3] = std::max(v[0].Y, v[2].Y);
        bool overlaps = false;
        for (int m = 0; m < n && !overlaps; ++m) {
            const float* other = boxes[m];
            overlaps = box[0] < other[2] && other[0] < box[2] && box[1] < other[3] && other[1] < box[3];
        }
        if (overlaps) break;
    }
    return n;
}

// True when every quad is upright and shows its texels one to a pixel, each texel's centre on a
// pixel's centre (mirrored or not): filtering then reads each texel alone.
bool TexelForPixel(const Vertex* vertices, int quadCount, int width, int height) {
    constexpr float SLACK = 1.0f / 1024;
    const auto whole = [](float value) { return std::abs(value - std::round(value)) < SLACK; };
    for (int q = 0; q < quadCount; ++q) {
        const Vertex* v = vertices + size_t(q) * 4;
        if (!Unturned(v)) return false;
        const float u0 = v[0].U * float(width), u1 = v[1].U * float(width);
        const float t0 = v[0].V * float(height), t3 = v[3].V * float(height);
        if (std::abs(std::abs(v[1].X - v[0].X) - std::abs(u1 - u0)) > SLACK) return false;
        if (std::abs(std::abs(v[3].Y - v[0].Y) - std::abs(t3 - t0)) > SLACK) return false;
        if (!whole(v[0].X) || !whole(v[0].Y) || !whole(u0) || !whole(t0)) return false;
    }
    return true;
}

// True when no quad shows more than one texel per pixel along either screen axis: GL's own
// measure of a texel's footprint (the lengths of the texture coordinates' derivatives along x and
// y) stays at or below one, so the filtering never reaches for a smaller mip level. The quads are
// parallelograms on screen, so the derivatives come from two of their edges.
bool Magnified(const Vertex* vertices, int quadCount, int width, int height) {
    constexpr float MOST = 1.0002f; // squared footprint; rounding slack around exactly one
    for (int q = 0; q < quadCount; ++q) {
        const Vertex* v = vertices + size_t(q) * 4;
        const float ax = v[1].X - v[0].X, ay = v[1].Y - v[0].Y; // along the quad's top edge
        const float bx = v[3].X - v[0].X, by = v[3].Y - v[0].Y; // along its left edge
        const float au = (v[1].U - v[0].U) * float(width), av = (v[1].V - v[0].V) * float(height);
        const float bu = (v[3].U - v[0].U) * float(width), bv = (v[3].V - v[0].V) * float(height);
        const float det = ax * by - ay * bx;
        if (det == 0) return false;
        // Texels per pixel: [au bu; av bv] times the inverse of [ax bx; ay by].
        const float dudx = (au * by - bu * ay) / det, dudy = (bu * ax - au * bx) / det;
        const float dvdx = (av * by - bv * ay) / det, dvdy = (bv * ax - av * bx) / det;
        if (dudx * dudx + dvdx * dvdx > MOST || dudy * dudy + dvdy * dvdy > MOST) return false;
    }
    return true;
}

} // namespace

bool GlRenderer::Init(std::string& error) {
    if (epoxy_gl_version() < 33) {
        error = "OpenGL 3.3 is not available";
        return false;
    }
    for (int variant = 0; variant < VARIANTS; ++variant) {
        // Over black only plain and tinted quads are drawn (see DrawBatch).
        if ((variant & OVERBLACK) != 0 && (variant & (FOG | MASKED | UNTEXTURED)) != 0) continue;
        std::string defines;
        if (variant == UNTEXTURED) {
            defines = "#define UNTEXTURED\n#define COLOUR\n";
        } else {
            // Fog paints the vertex colour, so it always has one.
            if (variant & (COLOUR | FOG)) defines += "#define COLOUR\n";
            if (variant & FOG) defines += "#define FOG\n";
            if (variant & MASKED) defines += "#define MASKED\n";
            if (variant & OVERBLACK) defines += "#define OVERBLACK\n";
        }
        Program& program = programs_[variant];
        program.Id = LinkProgram(defines, error);
        if (program.Id == 0) return false;
        glUseProgram(program.Id);
        program.ViewportUniform = glGetUniformLocation(program.Id, "uViewport");
        const GLint texture = glGetUniformLocation(program.Id, "uTexture");
        if (texture >= 0) glUniform1i(texture, 0);
    }
    for (int overBlack = 0; overBlack < 2; ++overBlack) {
        StackProgram& stack = stackPrograms_[overBlack];
        stack.Base.Id = LinkProgram(overBlack ? "#define OVERBLACK\n" : "", error, STACK_VERTEX_SHADER,
                                    STACK_FRAGMENT_SHADER);
        if (stack.Base.Id == 0) return false;
        glUseProgram(stack.Base.Id);
        stack.Base.ViewportUniform = glGetUniformLocation(stack.Base.Id, "uViewport");
        stack.Colours = glGetUniformLocation(stack.Base.Id, "uColours");
        for (int i = 0; i < STACK_LAYERS; ++i)
            glUniform1i(glGetUniformLocation(stack.Base.Id, ("uLayer" + std::to_string(i)).c_str()), i);
    }
    program_ = programs_[0].Id;

    glGenVertexArrays(1, &stackArray_);
    glBindVertexArray(stackArray_);
    glGenBuffers(1, &stackBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, stackBuffer_);
    constexpr GLsizei STACK_VERTEX = (2 + 2 * STACK_LAYERS) * sizeof(float);
    for (GLuint attribute = 0; attribute <= STACK_LAYERS; ++attribute) {
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, 2, GL_FLOAT, GL_FALSE, STACK_VERTEX,
                              reinterpret_cast<void*>(size_t(attribute) * 2 * sizeof(float)));
    }

    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glGenBuffers(1, &indexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, X)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, U)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, R)));
    EnsureIndexCapacity(1024);

    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &whiteTexture_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, whiteTexture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    glGenSamplers(1, &linearSampler_);
    glGenSamplers(1, &nearestSampler_);
    for (const auto& [sampler, filter] :
         {std::pair{linearSampler_, GL_LINEAR}, {nearestSampler_, GL_NEAREST}}) {
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }

    for (int filtered = 0; filtered < 2; ++filtered) {
        for (int repeated = 0; repeated < 2; ++repeated) {
            GLuint& sampler = stackSamplers_[filtered][repeated];
            glGenSamplers(1, &sampler);
            const GLint filter = filtered ? GL_LINEAR : GL_NEAREST;
            glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
            glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
            // Beyond its picture a layer is transparent (the border's colour is transparent black).
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, repeated ? GL_REPEAT : GL_CLAMP_TO_BORDER);
        }
    }

    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    composeStacks_ = renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
                                  std::strstr(renderer, "Software Rasterizer"));

    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glBlendEquation(GL_FUNC_ADD);
    return true;
}

void GlRenderer::EnsureIndexCapacity(int quadCount) {
    if (quadCount <= indexQuads_) return;
    const int quads = std::max(quadCount, indexQuads_ * 2);
    std::vector<uint32_t> indices(size_t(quads) * 6);
    for (int q = 0; q < quads; ++q) {
        const uint32_t v = uint32_t(q) * 4;
        uint32_t* i = &indices[size_t(q) * 6];
        i[0] = v;
        i[1] = v + 1;
        i[2] = v + 2;
        i[3] = v;
        i[4] = v + 2;
        i[5] = v + 3;
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
    indexQuads_ = quads;
}

void GlRenderer::FrameEnded() {
    sceneTurned_ = false;
    sceneRectangles_ = 0;
}

void GlRenderer::Clear(int r, int g, int b, int drawableWidth, int drawableHeight) {
    // The clear covers whatever the held batches would have drawn.
    held_.clear();
    clearedToBlack_ = r == 0 && g == 0 && b == 0;
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, drawableWidth, drawableHeight);
    glClearColor(float(r) / 255.0f, float(g) / 255.0f, float(b) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

PixelMapRef GlRenderer::Grab(int x, int y, int width, int height, int drawableWidth, int drawableHeight) {
    if (width <= 0 || height <= 0) return nullptr;
    DrawHeld(true);
    auto map = std::make_shared<PixelMap>();
    map->Width = width;
    map->Height = height;
    map->Pixels.assign(size_t(width) * size_t(height) * 4, 0);

    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + width, drawableWidth);
    const int y1 = std::min(y + height, drawableHeight);
    if (x0 >= x1 || y0 >= y1) return map;
    const int w = x1 - x0;
    const int h = y1 - y0;
    std::vector<uint8_t> rows(size_t(w) * size_t(h) * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // GL counts rows from the bottom; the pixel map is top-down.
    glReadPixels(x0, drawableHeight - y1, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    for (int row = 0; row < h; ++row) {
        const uint8_t* src = &rows[size_t(h - 1 - row) * size_t(w) * 4];
        uint8_t* dst = map->At(x0 - x, y0 - y + row);
        for (int i = 0; i < w; ++i) {
            dst[i * 4 + 0] = src[i * 4 + 0];
            dst[i * 4 + 1] = src[i * 4 + 1];
            dst[i * 4 + 2] = src[i * 4 + 2];
            dst[i * 4 + 3] = 255; // the screen is opaque whatever the back buffer's alpha holds
        }
    }
    return map;
}

uint32_t GlRenderer::CreateTexture(PixelMap pixels, int flags) {
    PixelMap rgba = ToRgba(std::move(pixels));
    if (rgba.Width > maxTextureSize_ || rgba.Height > maxTextureSize_) {
        // The texture stays empty (nothing drawn) rather than failing the whole load.
        DebugLog("Error in the sdl back end: a " + std::to_string(rgba.Width) + " x " +
                 std::to_string(rgba.Height) + " texture exceeds the GPU's limit of " +
                 std::to_string(maxTextureSize_));
        rgba.Width = rgba.Height = 1;
        rgba.Pixels.assign(4, 0);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    const bool filtered = (flags & FILTEREDIMAGE) != 0;
    const bool mipmapped = (flags & MIPMAPPEDIMAGE) != 0;
    if (filtered || mipmapped) filtered_[texture] = TextureSize{rgba.Width, rgba.Height, filtered, mipmapped};
    preparer_.Submit(texture, std::move(rgba), flags);
    return texture;
}

void GlRenderer::UploadOnWorker(std::function<bool()> bindContext, std::function<void()> releaseContext) {
    preparer_.UploadOnWorker(
        std::move(bindContext),
        [](uint32_t texture, int flags, std::vector<PixelMap>& levels) {
            UploadLevels(texture, flags, levels);
            // The main thread draws the texture as soon as it is marked done.
            glFinish();
        },
        std::move(releaseContext));
}

void GlRenderer::UploadPrepared(size_t budget) {
    preparer_.UploadPrepared(UploadLevels, 0, budget);
}

void GlRenderer::DestroyTexture(uint32_t texture) {
    if (texture == 0 || texture == whiteTexture_) return;
    // A batch drawn before the texture goes is drawn with it.
    if (std::any_of(held_.begin(), held_.end(),
                    [texture](const HeldBatch& batch) { return batch.Uses(texture); }))
        DrawHeld(true);
    preparer_.Cancel(texture);
    filtered_.erase(texture);
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}

void GlRenderer::ApplyBlend(int blend) {
    switch (blend) {
    case MASKBLEND:
    case SOLIDBLEND:
        glDisable(GL_BLEND);
        break;
    case LIGHTBLEND:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    case SHADEBLEND:
        glEnable(GL_BLEND);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        break;
    case PREMULTIPLIEDBLEND:
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    default:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    }
}

void GlRenderer::DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount, int drawableWidth,
                           int drawableHeight) {
    if (quadCount <= 0 || program_ == 0 || drawableWidth <= 0 || drawableHeight <= 0) return;
    // A batch whose texture the worker is still making is held back, with every batch after it
    // so that the drawing order is kept, until the texture is ready, a clear makes the batch
    // moot, or a present or a grab waits for it. Meanwhile the game goes on: the loads' own
    // warm-up draws, for one, are always cleared before they could be shown.
    DrawHeld(false);
    if (held_.empty() && (key.Texture == 0 || TextureReady(key.Texture))) {
        Draw(key, vertices, quadCount, drawableWidth, drawableHeight);
        return;
    }
    HeldBatch batch;
    batch.Key = key;
    batch.Vertices.assign(vertices, vertices + size_t(quadCount) * 4);
    batch.Quads = quadCount;
    batch.DrawableWidth = drawableWidth;
    batch.DrawableHeight = drawableHeight;
    held_.push_back(std::move(batch));
}

bool GlRenderer::TextureReady(uint32_t texture) {
    if (!preparer_.Pending(texture)) return true;
    if (!preparer_.Prepared(texture)) return false;
    // Uploaded alone where the main thread uploads: the others wait for the presents.
    preparer_.UploadPrepared(UploadLevels, texture, 0);
    return true;
}

bool GlRenderer::TextureReady(uint32_t texture, bool wait) {
    if (texture == 0 || !preparer_.Pending(texture)) return true;
    if (!wait) return TextureReady(texture);
    preparer_.UploadPrepared(UploadLevels, texture, 0);
    return true;
}

bool GlRenderer::HeldBatch::Uses(uint32_t texture) const {
    if (!IsStack) return Key.Texture == texture;
    for (int i = 0; i < Stack.LayerCount; ++i)
        if (Stack.Layers[i].Texture == texture) return true;
    return false;
}

void GlRenderer::DrawHeld(bool wait) {
    while (!held_.empty()) {
        const HeldBatch& batch = held_.front();
        if (batch.IsStack) {
            for (int i = 0; i < batch.Stack.LayerCount; ++i)
                if (!TextureReady(batch.Stack.Layers[i].Texture, wait)) return;
            DrawStackNow(batch.Stack, batch.DrawableWidth, batch.DrawableHeight);
        } else {
            if (!TextureReady(batch.Key.Texture, wait)) return;
            Draw(batch.Key, batch.Vertices.data(), batch.Quads, batch.DrawableWidth, batch.DrawableHeight);
        }
        held_.pop_front();
    }
}

void GlRenderer::DrawStack(const StackQuad& quad, int drawableWidth, int drawableHeight) {
    if (quad.LayerCount <= 0 || program_ == 0 || drawableWidth <= 0 || drawableHeight <= 0) return;
    DrawHeld(false);
    bool ready = held_.empty();
    for (int i = 0; i < quad.LayerCount && ready; ++i)
        ready = TextureReady(quad.Layers[i].Texture);
    if (ready) {
        DrawStackNow(quad, drawableWidth, drawableHeight);
        return;
    }
    HeldBatch batch;
    batch.DrawableWidth = drawableWidth;
    batch.DrawableHeight = drawableHeight;
    batch.IsStack = true;
    batch.Stack = quad;
    held_.push_back(std::move(batch));
}

void GlRenderer::StartScene(float rectangles, int drawableWidth, int drawableHeight) {
    const float large = 0.125f * float(drawableWidth) * float(drawableHeight);
    if ((rectangles >= large && sceneTurned_) || (rectangles < 0 && sceneRectangles_ >= large)) {
        glFlush();
        FrameEnded();
    }
    if (rectangles < 0)
        sceneTurned_ = true;
    else
        sceneRectangles_ += rectangles;
}

void GlRenderer::SetScissor(const BatchKey& key, int drawableWidth, int drawableHeight) {
    // The scissor box is given top-down; GL's origin is the bottom-left corner. A box that holds
    // the whole back buffer is no box: without the test the rasterizer keeps its fast paths.
    const int sw = std::max(key.ScissorWidth, 0);
    const int sh = std::max(key.ScissorHeight, 0);
    if (key.ScissorX <= 0 && key.ScissorY <= 0 && key.ScissorX + sw >= drawableWidth &&
        key.ScissorY + sh >= drawableHeight) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        glEnable(GL_SCISSOR_TEST);
        glScissor(key.ScissorX, drawableHeight - key.ScissorY - sh, sw, sh);
    }
}

bool GlRenderer::DrawStackComposed(const StackQuad& quad, int drawableWidth, int drawableHeight) {
    if (!composeStacks_ || !quad.TexelForPixel) return false;
    for (int i = 0; i < quad.LayerCount; ++i)
        if (!quad.Layers[i].Texels) return false;
    // The rectangle (whole pixels, see TexelForPixel) cut to its scissor box and the back buffer.
    const BatchKey& box = quad.Key;
    const int x0 = std::max({int(std::lround(quad.X0)), box.ScissorX, 0});
    const int y0 = std::max({int(std::lround(quad.Y0)), box.ScissorY, 0});
    const int x1 = std::min({int(std::lround(quad.X1)), box.ScissorX + box.ScissorWidth, drawableWidth});
    const int y1 = std::min({int(std::lround(quad.Y1)), box.ScissorY + box.ScissorHeight, drawableHeight});
    if (x0 >= x1 || y0 >= y1) return true;
    const int width = x1 - x0, height = y1 - y0;

    ComposedLayer layers[STACK_LAYERS];
    for (int i = 0; i < quad.LayerCount; ++i) {
        const StackQuad::Layer& layer = quad.Layers[i];
        layers[i] = {layer.Texels, layer.TexelX - x0, layer.TexelY - y0, layer.MirrorX, layer.RepeatV,
                     layer.R,      layer.G,           layer.B,           layer.A};
    }
    // Over the black of a fresh clear the composed colour is the pixel's, opaque; elsewhere it is
    // laid over what is there, as the stack's own program would lay it.
    const bool overBlack = clearedToBlack_;
    glActiveTexture(GL_TEXTURE0);
    if (composedTexture_ == 0) glGenTextures(1, &composedTexture_);
    glBindTexture(GL_TEXTURE_2D, composedTexture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (width != composedWidth_ || height != composedHeight_) {
        // Unsized, so that the software rasterizer keeps the texels in the order they come in
        // (BGRA): each frame's upload is then a copy, not a conversion of every texel, and the
        // draw a copy too. With GL_RGBA8 the two took about 2 ms of a 5 ms frame.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        composedWidth_ = width;
        composedHeight_ = height;
    }
    // A band of rows at a time, each uploaded as soon as it is composed: the upload then reads
    // the band from the cache, where a whole screen composed first would have gone out to
    // memory and back.
    const int band = std::min(COMPOSED_BAND, height);
    composed_.resize(size_t(width) * size_t(band) * 4);
    for (int top = 0; top < height; top += band) {
        const int rows = std::min(band, height - top);
        for (int i = 0; i < quad.LayerCount; ++i)
            layers[i].Y = quad.Layers[i].TexelY - y0 - top;
        ComposeStack(layers, quad.LayerCount, width, rows, overBlack, composed_.data(), size_t(width) * 4);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, top, width, rows, GL_BGRA, GL_UNSIGNED_BYTE, composed_.data());
    }

    BatchKey key;
    key.Texture = composedTexture_;
    key.Blend = overBlack ? SOLIDBLEND : PREMULTIPLIEDBLEND;
    key.ScissorWidth = drawableWidth;
    key.ScissorHeight = drawableHeight;
    const float left = float(x0), top = float(y0), right = float(x1), bottom = float(y1);
    const Vertex corners[4] = {{left, top, 0, 0, 1, 1, 1, 1},
                               {right, top, 1, 0, 1, 1, 1, 1},
                               {right, bottom, 1, 1, 1, 1, 1, 1},
                               {left, bottom, 0, 1, 1, 1, 1, 1}};
    Draw(key, corners, 1, drawableWidth, drawableHeight);
    return true;
}

void GlRenderer::DrawStackNow(const StackQuad& quad, int drawableWidth, int drawableHeight) {
    if (DrawStackComposed(quad, drawableWidth, drawableHeight)) return;
    StartScene(std::abs((quad.X1 - quad.X0) * (quad.Y1 - quad.Y0)), drawableWidth, drawableHeight);
    // Over the black of a fresh clear the stack's colour is the pixel's, opaque.
    const bool overBlack = clearedToBlack_;
    clearedToBlack_ = false;
    StackProgram& stack = stackPrograms_[overBlack ? 1 : 0];

    // Corners in strip order: top-left, top-right, bottom-left, bottom-right.
    constexpr int FLOATS = 2 + 2 * STACK_LAYERS;
    float vertices[4][FLOATS] = {};
    float colours[STACK_LAYERS][4] = {}; // the layers a stack lacks are transparent
    const float xs[4] = {quad.X0, quad.X1, quad.X0, quad.X1}, ys[4] = {quad.Y0, quad.Y0, quad.Y1, quad.Y1};
    for (int corner = 0; corner < 4; ++corner) {
        vertices[corner][0] = xs[corner];
        vertices[corner][1] = ys[corner];
    }
    for (int i = 0; i < quad.LayerCount; ++i) {
        const StackQuad::Layer& layer = quad.Layers[i];
        const float us[4] = {layer.U0, layer.U1, layer.U0, layer.U1},
                    vs[4] = {layer.V0, layer.V0, layer.V1, layer.V1};
        for (int corner = 0; corner < 4; ++corner) {
            vertices[corner][2 + 2 * i] = us[corner];
            vertices[corner][3 + 2 * i] = vs[corner];
        }
        colours[i][0] = layer.R * layer.A;
        colours[i][1] = layer.G * layer.A;
        colours[i][2] = layer.B * layer.A;
        colours[i][3] = layer.A;

        // As in Draw: a filtered texture drawn texel for pixel is read without filtering.
        bool filtered = false;
        const auto size = filtered_.find(layer.Texture);
        if (size != filtered_.end() && size->second.Filtered) {
            const Vertex box[4] = {{quad.X0, quad.Y0, layer.U0, layer.V0, 1, 1, 1, 1},
                                   {quad.X1, quad.Y0, layer.U1, layer.V0, 1, 1, 1, 1},
                                   {quad.X1, quad.Y1, layer.U1, layer.V1, 1, 1, 1, 1},
                                   {quad.X0, quad.Y1, layer.U0, layer.V1, 1, 1, 1, 1}};
            filtered = !TexelForPixel(box, 1, size->second.Width, size->second.Height);
        }
        glActiveTexture(GLenum(GL_TEXTURE0 + i));
        glBindTexture(GL_TEXTURE_2D, layer.Texture != 0 ? layer.Texture : whiteTexture_);
        glBindSampler(GLuint(i), stackSamplers_[filtered ? 1 : 0][layer.RepeatV ? 1 : 0]);
    }
    for (int i = quad.LayerCount; i < STACK_LAYERS; ++i) {
        glActiveTexture(GLenum(GL_TEXTURE0 + i));
        glBindTexture(GL_TEXTURE_2D, whiteTexture_);
        glBindSampler(GLuint(i), 0);
    }

    glBindVertexArray(stackArray_);
    glViewport(0, 0, drawableWidth, drawableHeight);
    SetScissor(quad.Key, drawableWidth, drawableHeight);
    glUseProgram(stack.Base.Id);
    if (stack.Base.ViewportWidth != drawableWidth || stack.Base.ViewportHeight != drawableHeight) {
        glUniform2f(stack.Base.ViewportUniform, float(drawableWidth), float(drawableHeight));
        stack.Base.ViewportWidth = drawableWidth;
        stack.Base.ViewportHeight = drawableHeight;
    }
    glUniform4fv(stack.Colours, STACK_LAYERS, &colours[0][0]);
    ApplyBlend(overBlack ? SOLIDBLEND : PREMULTIPLIEDBLEND);
    glBindBuffer(GL_ARRAY_BUFFER, stackBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);

    // The batches bind their texture on unit 0 and their sampler there alone.
    for (int i = 0; i < STACK_LAYERS; ++i)
        glBindSampler(GLuint(i), 0);
    boundSampler_ = 0;
    glActiveTexture(GL_TEXTURE0);
}

void GlRenderer::Draw(const BatchKey& key, const Vertex* vertices, int quadCount, int drawableWidth,
                      int drawableHeight) {
    // Mesa's software rasterizer shades a tile of the screen on its fast path (8 bits per channel,
    // a span at a time) only when every quad it holds in the pending scene is an axis-aligned
    // rectangle; one turned quad, a star or a nebula, sends the whole tile to the slow path. So
    // large rectangles (the dust, the dark matter) start a scene of their own, apart from the
    // turned quads drawn before and after them. A flush ends the scene without waiting.
    StartScene(RectangleArea(vertices, quadCount), drawableWidth, drawableHeight);
    int variant = UNTEXTURED;
    if (key.Texture != 0) {
        // The white texture makes fog and the mask test no-ops, so untextured quads need neither.
        variant = (key.Fog ? FOG : 0) | (key.Blend == MASKBLEND ? MASKED : 0);
        if (!key.Fog && !AllWhite(vertices, quadCount * 4)) variant |= COLOUR;
    }
    // Over the black of a fresh clear either blend leaves the source's colour times its alpha, so
    // the frame's first quads (the far scenery), where they overlap nothing drawn, are drawn
    // opaque with that colour: the same pixels for less work per pixel.
    int overBlack = 0;
    if (clearedToBlack_ && key.Texture != 0 && !key.Fog &&
        (key.Blend == ALPHABLEND || key.Blend == LIGHTBLEND))
        overBlack = LeadingDisjointRectangles(vertices, quadCount);
    clearedToBlack_ = false;

    glBindVertexArray(vertexArray_);
    glViewport(0, 0, drawableWidth, drawableHeight);

    SetScissor(key, drawableWidth, drawableHeight);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, key.Texture != 0 ? key.Texture : whiteTexture_);
    // A mip-mapped texture drawn at its size or larger is read from its first level alone:
    // without the mip filter the software rasterizer skips the level-of-detail work per pixel,
    // and the picture is the same. A filtered texture drawn texel for pixel (the still scenery
    // in an 800 x 500 window) is read without filtering, which gives the same pixels for less.
    GLuint sampler = 0;
    const auto size = key.Texture != 0 ? filtered_.find(key.Texture) : filtered_.end();
    if (size != filtered_.end()) {
        const TextureSize& texture = size->second;
        if (texture.Filtered && TexelForPixel(vertices, quadCount, texture.Width, texture.Height))
            sampler = nearestSampler_;
        else if (texture.Mipmapped && Magnified(vertices, quadCount, texture.Width, texture.Height))
            sampler = texture.Filtered ? linearSampler_ : nearestSampler_;
    }
    if (sampler != boundSampler_) {
        glBindSampler(0, sampler);
        boundSampler_ = sampler;
    }

    EnsureIndexCapacity(quadCount);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    // A fresh store per batch (orphaning) lets the driver keep drawing from the previous one.
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(quadCount) * 4 * sizeof(Vertex)), vertices,
                 GL_STREAM_DRAW);
    if (overBlack > 0) {
        ApplyBlend(SOLIDBLEND);
        DrawQuads(variant | OVERBLACK, 0, overBlack, drawableWidth, drawableHeight);
    }
    if (overBlack < quadCount) {
        ApplyBlend(key.Blend);
        DrawQuads(variant, overBlack, quadCount - overBlack, drawableWidth, drawableHeight);
    }
}

void GlRenderer::DrawQuads(int variant, int first, int count, int drawableWidth, int drawableHeight) {
    Program& program = programs_[variant];
    glUseProgram(program.Id);
    if (program.ViewportWidth != drawableWidth || program.ViewportHeight != drawableHeight) {
        glUniform2f(program.ViewportUniform, float(drawableWidth), float(drawableHeight));
        program.ViewportWidth = drawableWidth;
        program.ViewportHeight = drawableHeight;
    }
    glDrawElements(GL_TRIANGLES, count * 6, GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(size_t(first) * 6 * sizeof(uint32_t)));
}

} // namespace Media

#include "media/sdl/gl_renderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace Media {
namespace {

constexpr const char* VERTEX_SHADER = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
layout(location = 2) in vec4 aColour;
uniform vec2 uViewport;
out vec2 vTexCoord;
out vec4 vColour;
void main() {
    // Vertices arrive in back-buffer pixels with y growing downward.
    gl_Position = vec4(aPosition.x * 2.0 / uViewport.x - 1.0, 1.0 - aPosition.y * 2.0 / uViewport.y, 0.0, 1.0);
    vTexCoord = aTexCoord;
    vColour = aColour;
}
)";

constexpr const char* FRAGMENT_SHADER = R"(#version 330 core
in vec2 vTexCoord;
in vec4 vColour;
uniform sampler2D uTexture;
uniform bool uFog;
uniform bool uAlphaTest;
out vec4 fragColour;
void main() {
    vec4 texel = texture(uTexture, vTexCoord);
    if (uAlphaTest && texel.a < 0.5) discard;
    fragColour = uFog ? vec4(vColour.rgb, texel.a * vColour.a) : texel * vColour;
}
)";

GLuint CompileShader(GLenum type, const char* source, std::string& error) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
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

GLuint LinkProgram(std::string& error) {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, VERTEX_SHADER, error);
    if (vs == 0) return 0;
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, FRAGMENT_SHADER, error);
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

} // namespace

bool GlRenderer::Init(std::string& error) {
    if (epoxy_gl_version() < 33) {
        error = "OpenGL 3.3 is not available";
        return false;
    }
    program_ = LinkProgram(error);
    if (program_ == 0) return false;
    glUseProgram(program_);
    viewportUniform_ = glGetUniformLocation(program_, "uViewport");
    fogUniform_ = glGetUniformLocation(program_, "uFog");
    alphaTestUniform_ = glGetUniformLocation(program_, "uAlphaTest");
    glUniform1i(glGetUniformLocation(program_, "uTexture"), 0);

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

void GlRenderer::Clear(int r, int g, int b, int drawableWidth, int drawableHeight) {
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, drawableWidth, drawableHeight);
    glClearColor(float(r) / 255.0f, float(g) / 255.0f, float(b) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

PixelMapRef GlRenderer::Grab(int x, int y, int width, int height, int drawableWidth, int drawableHeight) {
    if (width <= 0 || height <= 0) return nullptr;
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
    preparer_.Submit(texture, std::move(rgba), flags);
    return texture;
}

void GlRenderer::UploadPrepared() {
    preparer_.UploadPrepared([this](uint32_t texture, int flags, std::vector<PixelMap>& levels) {
        Upload(texture, flags, levels);
    });
}

void GlRenderer::Upload(uint32_t texture, int flags, std::vector<PixelMap>& levels) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t n = 0; n < levels.size(); ++n) {
        glTexImage2D(GL_TEXTURE_2D, GLint(n), GL_RGBA8, levels[n].Width, levels[n].Height, 0, GL_RGBA,
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

void GlRenderer::DestroyTexture(uint32_t texture) {
    if (texture == 0 || texture == whiteTexture_) return;
    preparer_.Cancel(texture);
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
    default:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    }
}

void GlRenderer::DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount, int drawableWidth,
                           int drawableHeight) {
    if (quadCount <= 0 || program_ == 0 || drawableWidth <= 0 || drawableHeight <= 0) return;
    // A texture whose levels are still being made is uploaded first, waiting for them if need be.
    if (key.Texture != 0 && preparer_.Pending(key.Texture)) {
        preparer_.UploadPrepared([this](uint32_t texture, int flags,
                                        std::vector<PixelMap>& levels) { Upload(texture, flags, levels); },
                                 key.Texture);
    }
    glUseProgram(program_);
    glBindVertexArray(vertexArray_);
    glViewport(0, 0, drawableWidth, drawableHeight);
    glUniform2f(viewportUniform_, float(drawableWidth), float(drawableHeight));
    glUniform1i(fogUniform_, key.Fog ? 1 : 0);
    glUniform1i(alphaTestUniform_, key.Blend == MASKBLEND ? 1 : 0);
    ApplyBlend(key.Blend);

    // The scissor box is given top-down; GL's origin is the bottom-left corner.
    glEnable(GL_SCISSOR_TEST);
    const int sw = std::max(key.ScissorWidth, 0);
    const int sh = std::max(key.ScissorHeight, 0);
    glScissor(key.ScissorX, drawableHeight - key.ScissorY - sh, sw, sh);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, key.Texture != 0 ? key.Texture : whiteTexture_);

    EnsureIndexCapacity(quadCount);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    // A fresh store per batch (orphaning) lets the driver keep drawing from the previous one.
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(quadCount) * 4 * sizeof(Vertex)), vertices,
                 GL_STREAM_DRAW);
    glDrawElements(GL_TRIANGLES, quadCount * 6, GL_UNSIGNED_INT, nullptr);
}

} // namespace Media

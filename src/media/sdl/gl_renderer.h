#pragma once
// The OpenGL 3.3 core renderer of the sdl back end: one shader program, one streamed vertex buffer,
// a static quad index buffer and RGBA8 textures. Every call needs the window's GL context to be
// current (the display keeps one context for the life of the window; GL objects die with it).
#include <cstdint>
#include <string>
#include <vector>

#include "media/backend.h"
#include "media/sdl/texture_prep.h"

namespace Media {

class GlRenderer {
public:
    GlRenderer() = default;
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // Builds the shader and buffers in the current context; false with a message in `error`
    // when the context lacks OpenGL 3.3 or the shader does not build.
    bool Init(std::string& error);
    bool Ready() const { return program_ != 0; }

    // Clears the whole back buffer of the given size (scissor off).
    void Clear(int r, int g, int b, int drawableWidth, int drawableHeight);
    // Reads back-buffer pixels as top-down RGBA; parts outside the back buffer stay zero.
    PixelMapRef Grab(int x, int y, int width, int height, int drawableWidth, int drawableHeight);

    // Straight-alpha RGBA (grey and alpha maps are expanded). Flags: FILTEREDIMAGE, MIPMAPPEDIMAGE.
    // The texture's levels are made on a worker thread; they are uploaded before the texture is
    // first drawn, or by the next UploadPrepared.
    uint32_t CreateTexture(PixelMap pixels, int flags);
    // Uploads the textures whose levels are ready (call once per present).
    void UploadPrepared();
    void DestroyTexture(uint32_t texture);
    void DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount, int drawableWidth,
                   int drawableHeight);

private:
    void EnsureIndexCapacity(int quadCount);
    void ApplyBlend(int blend);
    void Upload(uint32_t texture, int flags, std::vector<PixelMap>& levels);

    uint32_t program_ = 0;
    uint32_t vertexArray_ = 0;
    uint32_t vertexBuffer_ = 0;
    uint32_t indexBuffer_ = 0;
    int indexQuads_ = 0;
    uint32_t whiteTexture_ = 0;
    int maxTextureSize_ = 0;
    int viewportUniform_ = -1;
    int fogUniform_ = -1;
    int alphaTestUniform_ = -1;
    TexturePreparer preparer_;
};

} // namespace Media

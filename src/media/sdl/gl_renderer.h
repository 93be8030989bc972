#pragma once
// The OpenGL 3.3 core renderer of the sdl back end: a few variants of one shader program (chosen
// per batch, so the common path does no work it does not need), one streamed vertex buffer,
// a static quad index buffer and RGBA8 textures. Every call needs the window's GL context to be
// current (the display keeps one context for the life of the window; GL objects die with it).
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
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
    // The texture's levels are made on a worker thread, which also uploads them where it can
    // (UploadOnWorker); otherwise they are uploaded before the texture is first drawn, or by the
    // next UploadPrepared.
    uint32_t CreateTexture(PixelMap pixels, int flags);
    // Lets the texture worker upload the textures itself, in a context of its own that
    // `bindContext` makes current on it (see TexturePreparer::UploadOnWorker). Call after Init,
    // before the first CreateTexture.
    void UploadOnWorker(std::function<bool()> bindContext, std::function<void()> releaseContext);
    // Uploads the textures whose levels are ready (call once per present), up to `budget` bytes.
    void UploadPrepared(size_t budget);
    void DestroyTexture(uint32_t texture);
    void DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount, int drawableWidth,
                   int drawableHeight);
    // Draws a stack in one pass of a program of its own (see Media::DrawStack), in order with
    // the batches.
    void DrawStack(const StackQuad& quad, int drawableWidth, int drawableHeight);
    // Draws the batches held back for textures still being made (see DrawBatch), waiting for
    // them: before a present.
    void DrawHeldBatches() { DrawHeld(true); }
    // The frame was presented: the next draw starts a new scene of the rasterizer.
    void FrameEnded();

private:
    // Shader variants: bits for colour (some vertex not white or not opaque), fog and the mask
    // test on textured quads, and one for untextured quads (colour only). OVERBLACK, with the
    // plain and tinted ones alone, gives what the alpha or light blend gives over black, opaque.
    enum Variant { COLOUR = 1, FOG = 2, MASKED = 4, UNTEXTURED = 8, OVERBLACK = 16, VARIANTS = 18 };
    struct Program {
        uint32_t Id = 0;
        int ViewportUniform = -1;
        int ViewportWidth = 0, ViewportHeight = 0; // last set
    };

    struct HeldBatch {
        BatchKey Key;
        std::vector<Vertex> Vertices;
        int Quads = 0;
        int DrawableWidth = 0, DrawableHeight = 0;
        bool IsStack = false; // a stack, not quads
        StackQuad Stack;
        bool Uses(uint32_t texture) const;
    };

    void Draw(const BatchKey& key, const Vertex* vertices, int quadCount, int drawableWidth,
              int drawableHeight);
    // Draws the held batches in order while their textures are ready, or all of them, waiting
    // for the worker, when `wait` is set.
    void DrawHeld(bool wait);
    // True when the texture can be drawn now (uploading it if its levels are ready); never waits.
    bool TextureReady(uint32_t texture);
    // TextureReady, or, when `wait` is set, always true once the texture is uploaded.
    bool TextureReady(uint32_t texture, bool wait);
    void DrawStackNow(const StackQuad& quad, int drawableWidth, int drawableHeight);
    // Where the processor rasterizes (composeStacks_), composes a stack drawn texel for pixel
    // (see stack_composer.h) and draws it as one texture; false, drawing nothing, elsewhere.
    bool DrawStackComposed(const StackQuad& quad, int drawableWidth, int drawableHeight);
    // Ends the rasterizer's scene before a large rectangle drawn after turned quads, or turned
    // quads drawn after large rectangles (see Draw); `rectangles` < 0 for turned quads.
    void StartScene(float rectangles, int drawableWidth, int drawableHeight);
    void SetScissor(const BatchKey& key, int drawableWidth, int drawableHeight);
    void EnsureIndexCapacity(int quadCount);
    // Draws `count` of the batch's quads from `first` with shader variant `variant`.
    void DrawQuads(int variant, int first, int count, int drawableWidth, int drawableHeight);
    void ApplyBlend(int blend);

    Program programs_[VARIANTS];
    // Stack programs, plain and over black, and their own vertices: position, then each layer's
    // texture coordinates.
    struct StackProgram {
        Program Base;
        int Colours = -1;
    };
    StackProgram stackPrograms_[2];
    uint32_t stackArray_ = 0, stackBuffer_ = 0;
    // Samplers of stacked layers: [filtered][repeated in v], each without mip levels.
    uint32_t stackSamplers_[2][2] = {};
    // OpenGL runs on the processor (Mesa's software rasterizers), which composes stacks faster
    // than their program: each texture read costs the rasterizer more than the composing.
    bool composeStacks_ = false;
    // A band of the last composed stack's rows (BGRA), kept for the next, and its texture.
    std::vector<uint8_t> composed_;
    uint32_t composedTexture_ = 0;
    int composedWidth_ = 0, composedHeight_ = 0;
    uint32_t program_ = 0; // non-zero once every variant is built
    uint32_t vertexArray_ = 0;
    uint32_t vertexBuffer_ = 0;
    uint32_t indexBuffer_ = 0;
    int indexQuads_ = 0;
    uint32_t whiteTexture_ = 0;
    struct TextureSize {
        int Width = 0, Height = 0;
        bool Filtered = false;
        bool Mipmapped = false;
    };
    std::unordered_map<uint32_t, TextureSize> filtered_; // the filtered or mip-mapped textures
    // Samplers without mip levels for mip-mapped textures drawn magnified, and the nearest one for
    // filtered textures drawn texel for pixel (0: the texture's own).
    uint32_t linearSampler_ = 0, nearestSampler_ = 0, boundSampler_ = 0;
    // The pending scene (drawn since the last present or flush): turned quads in it, and the
    // pixels of its axis-aligned rectangles.
    bool sceneTurned_ = false;
    // Nothing has been drawn since the back buffer was cleared to black.
    bool clearedToBlack_ = false;
    float sceneRectangles_ = 0;
    int maxTextureSize_ = 0;
    std::deque<HeldBatch> held_; // batches waiting for their textures, in drawing order
    TexturePreparer preparer_;
};

} // namespace Media

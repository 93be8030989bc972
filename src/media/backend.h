#pragma once
// The machine-facing half of the media layer. The shared half (shell/media.h's implementation in
// media/*.cpp) keeps the drawing state, batches quads, decodes files, tests collisions and keeps
// input bookkeeping, and calls a Backend for what only the machine can do.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/media.h"

namespace Media {

// One vertex of a batched quad: position in back-buffer pixels, texture coordinates, colour and
// alpha (0..1 each, alpha already multiplied by the drawing alpha).
struct Vertex {
    float X, Y;
    float U, V;
    float R, G, B, A;
};

// What a batch is drawn with; a change of any field flushes the batch.
struct BatchKey {
    uint32_t Texture = 0; // 0 = untextured (rectangles and debug text use a white texture)
    int Blend = ALPHABLEND;
    bool Fog = false;
    // Back-buffer pixels from the top-left corner, y downward (like vertex positions).
    int ScissorX = 0, ScissorY = 0, ScissorWidth = 0, ScissorHeight = 0;
    bool operator==(const BatchKey&) const = default;
};

// A rectangle drawn as a stack of textures composed per pixel (Media::DrawStack). Each layer's
// texture coordinates run linearly from (U0, V0) at the top-left corner to (U1, V1) at the
// bottom-right one; RepeatV layers wrap in v. Texels are premultiplied by alpha; the tint and fade
// are 0..1.
struct StackQuad {
    float X0 = 0, Y0 = 0, X1 = 0, Y1 = 0; // back-buffer pixels
    struct Layer {
        uint32_t Texture = 0;
        float U0 = 0, V0 = 0, U1 = 1, V1 = 1;
        float R = 1, G = 1, B = 1, A = 1;
        bool RepeatV = false;
        // For a back end that composes a stack itself: the texels as the image holds them
        // (premultiplied RGBA, or alpha alone for white light (Image::WhiteLight), alive while
        // the image is), mirrored left to right when MirrorX, with the top-left one at
        // back-buffer pixel (TexelX, TexelY) (see TexelForPixel).
        const PixelMap* Texels = nullptr;
        int TexelX = 0, TexelY = 0;
        bool MirrorX = false;
    };
    Layer Layers[STACK_LAYERS];
    int LayerCount = 0;
    // Every layer is drawn at its own size in whole back-buffer pixels, one texel to a pixel, and
    // so is the rectangle: TexelX and TexelY place the layers exactly.
    bool TexelForPixel = false;
    BatchKey Key; // its scissor box (the texture and blend fields are unused)
};

// Input events delivered by a back end to the shared input bookkeeping.
struct InputSink {
    virtual ~InputSink() = default;
    virtual void KeyDown(int vk) = 0;
    virtual void KeyUp(int vk) = 0;
    virtual void TypedChar(int ch) = 0;
    virtual void ButtonDown(int button) = 0;
    virtual void ButtonUp(int button) = 0;
    virtual void PointerMoved(int x, int y) = 0;
    virtual void System(SystemEvent event) = 0;
    // Gamepads: button and axis numbers as media.h's PAD_ constants; axis values as PadAxis.
    virtual void PadButtonDown(int button) = 0;
    virtual void PadButtonUp(int button) = 0;
    virtual void PadAxisMoved(int axis, float value) = 0;
    // A pad was plugged in (true) or unplugged (false).
    virtual void PadConnected(bool connected) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;

    // Display.
    virtual void DesktopSize(int& width, int& height) = 0;
    virtual int GraphicsModeExists(int width, int height, int depth) = 0;
    virtual bool CreateAppWindow(const std::string& title, int x, int y, int w, int h) = 0;
    virtual bool OpenWindowGraphics() = 0;
    virtual void CloseWindowGraphics() = 0;
    virtual void ShowAppWindow(bool visible) = 0;
    virtual bool OpenFullscreenGraphics(int width, int height, int depth) = 0;
    virtual void CloseFullscreenGraphics() = 0;
    virtual bool HasGraphics() = 0;
    virtual int GraphicsWidth() = 0;
    virtual int GraphicsHeight() = 0;
    virtual void Clear(int r, int g, int b) = 0;
    virtual void Present(int sync) = 0;
    virtual PixelMapRef Grab(int x, int y, int width, int height) = 0;

    // Textures: RGBA pixels, straight alpha; the back end takes the map (callers move it in, as
    // it may be changed in place). Returns a non-zero id.
    virtual uint32_t CreateTexture(PixelMap rgba, int flags) = 0;
    virtual void DestroyTexture(uint32_t texture) = 0;
    // Draws `count` quads (4 vertices each, corners in order top-left, top-right, bottom-right,
    // bottom-left). Only the shared batcher calls it.
    virtual void DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount) = 0;
    // Draws a stack (Media::DrawStack), after every batch sent before it.
    virtual void DrawStack(const StackQuad& quad) = 0;

    // Audio.
    virtual int SelectAudioDriver(const std::string& name) = 0;
    virtual uint32_t CreateSoundBuffer(const AudioSample& sample) = 0; // 0 if none
    virtual void DestroySoundBuffer(uint32_t buffer) = 0;
    virtual AudioChannelRef Cue(const LoadedSound& sound) = 0;

    // Input and system.
    virtual void PumpEvents(InputSink& sink) = 0;
    virtual void MoveMouse(int x, int y) = 0;
    virtual void SetMouseVisible(int visible) = 0;
    // strength 0..1; pads without rumble are left alone.
    virtual void PadRumble(float strength, int ms) = 0;
    virtual uint32_t ClockMs() = 0;
    virtual void SleepMs(int ms) = 0;
    virtual void Notify(const std::string& text, int serious) = 0;
};

// The back end in use (set by Media::Init).
Backend& CurrentBackend();

std::unique_ptr<Backend> CreateHeadlessBackend(const Options& options);
std::unique_ptr<Backend> CreateSdlBackend(const Options& options);

} // namespace Media

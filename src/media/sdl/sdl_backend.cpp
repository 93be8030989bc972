// The sdl back end: an SDL2 window with one OpenGL 3.3 core context (display, renderer), OpenAL
// Soft output (audio) and SDL events (input). Each concept lives in its own file; this one joins
// them behind the Backend interface and adds the clock and the message box.
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "media/backend.h"
#include "media/sdl/al_audio.h"
#include "media/sdl/gl_renderer.h"
#include "media/sdl/sdl_display.h"
#include "media/sdl/sdl_input.h"
#include "media/virtual_channel.h"

namespace Media {
namespace {

// Texture bytes a frame's present uploads where the main thread uploads (the driver gave the
// texture worker no context): a few milliseconds of copying into fresh memory.
constexpr size_t FRAME_UPLOAD_BYTES = size_t(4) << 20;

class SdlBackend final : public Backend {
public:
    bool Start(const Options& options, std::string& error) {
        display_.SetFrameCap(options.Fps);
        if (!display_.Init(error)) return false;
        input_.Start();
        return true;
    }

    // Display.
    void DesktopSize(int& width, int& height) override { display_.DesktopSize(width, height); }
    int GraphicsModeExists(int width, int height, int depth) override {
        return display_.GraphicsModeExists(width, height, depth);
    }
    bool CreateAppWindow(const std::string& title, int x, int y, int w, int h) override {
        std::string error;
        if (!display_.CreateAppWindow(title, x, y, w, h, error)) return Failed(error);
        if (renderer_.Ready()) return true; // a second call only retitles and moves the window
        if (!renderer_.Init(error)) return Failed(error);
        renderer_.UploadOnWorker([this] { return display_.BindUploadContext(); },
                                 [this] { display_.ReleaseUploadContext(); });
        return true;
    }
    bool OpenWindowGraphics() override { return renderer_.Ready() && display_.OpenWindowed(); }
    void CloseWindowGraphics() override { display_.CloseWindowed(); }
    void ShowAppWindow(bool visible) override { display_.Show(visible); }
    bool OpenFullscreenGraphics(int width, int height, int depth) override {
        return renderer_.Ready() && display_.OpenFullscreen(width, height, depth);
    }
    void CloseFullscreenGraphics() override { display_.CloseFullscreen(); }
    bool HasGraphics() override { return display_.HasGraphics(); }
    int GraphicsWidth() override {
        int w, h;
        display_.DrawableSize(w, h);
        return w;
    }
    int GraphicsHeight() override {
        int w, h;
        display_.DrawableSize(w, h);
        return h;
    }
    void Clear(int r, int g, int b) override {
        if (!display_.HasGraphics()) return;
        int w, h;
        display_.DrawableSize(w, h);
        renderer_.Clear(r, g, b, w, h);
    }
    void Present(int sync) override {
        // A frame of play or of a menu uploads a few textures at most, so that a screen's worth
        // of new pictures (the credits': some 40 MB) spreads over frames; a loading screen
        // (sync 0) uploads all it has.
        if (renderer_.Ready()) {
            renderer_.DrawHeldBatches();
            renderer_.UploadPrepared(sync == 1 ? FRAME_UPLOAD_BYTES : SIZE_MAX);
        }
        display_.Present(sync);
        renderer_.FrameEnded();
    }
    PixelMapRef Grab(int x, int y, int width, int height) override {
        if (!display_.HasGraphics()) return nullptr;
        int w, h;
        display_.DrawableSize(w, h);
        return renderer_.Grab(x, y, width, height, w, h);
    }

    // Textures need the window's context, which exists from CreateAppWindow on.
    uint32_t CreateTexture(PixelMap rgba, int flags) override {
        if (!renderer_.Ready()) {
            DebugLog("Error in the sdl back end: a texture was made before the window existed");
            return 0;
        }
        return renderer_.CreateTexture(std::move(rgba), flags);
    }
    void DestroyTexture(uint32_t texture) override {
        if (renderer_.Ready()) renderer_.DestroyTexture(texture);
    }
    void DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount) override {
        if (!display_.HasGraphics()) return;
        int w, h;
        display_.DrawableSize(w, h);
        renderer_.DrawBatch(key, vertices, quadCount, w, h);
    }
    void DrawStack(const StackQuad& quad) override {
        if (!display_.HasGraphics()) return;
        int w, h;
        display_.DrawableSize(w, h);
        renderer_.DrawStack(quad, w, h);
    }

    // Audio.
    int SelectAudioDriver(const std::string& name) override { return audio_.SelectDriver(name); }
    uint32_t CreateSoundBuffer(const AudioSample& sample) override { return audio_.CreateBuffer(sample); }
    void DestroySoundBuffer(uint32_t buffer) override { audio_.DestroyBuffer(buffer); }
    AudioChannelRef Cue(const LoadedSound& sound) override {
        if (AudioChannelRef channel = audio_.Cue(sound)) return channel;
        // No device, no buffer or every source busy: the sound runs silently on the clock.
        return std::make_shared<VirtualChannel>(sound.Sample().DurationMs(), sound.Loops());
    }

    // Input and system.
    void PumpEvents(InputSink& sink) override {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            input_.Dispatch(event, display_, sink);
    }
    void MoveMouse(int x, int y) override {
        // Back-buffer pixels become window coordinates (they differ on high-DPI screens).
        int ww, wh, dw, dh;
        display_.WindowSize(ww, wh);
        display_.DrawableSize(dw, dh);
        if (display_.Window() == nullptr) return;
        if (dw > 0 && dh > 0 && (ww != dw || wh != dh)) {
            x = int(int64_t(x) * ww / dw);
            y = int(int64_t(y) * wh / dh);
        }
        SDL_WarpMouseInWindow(display_.Window(), x, y);
    }
    void SetMouseVisible(int visible) override { SDL_ShowCursor(visible != 0 ? SDL_ENABLE : SDL_DISABLE); }
    void PadRumble(float strength, int ms) override { input_.Rumble(strength, ms); }
    uint32_t ClockMs() override { return SDL_GetTicks(); }
    void SleepMs(int ms) override {
        if (ms > 0) SDL_Delay(Uint32(ms));
    }
    void Notify(const std::string& text, int serious) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        // Automated runs set QS_NO_MESSAGE_BOX: a modal box would wait for a click forever.
        if (std::getenv("QS_NO_MESSAGE_BOX") != nullptr) return;
        const std::string& title = display_.Title().empty() ? std::string("Quillstorm") : display_.Title();
        // Without a display the box fails and the standard error line above is all there is.
        SDL_ShowSimpleMessageBox(serious != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                                 title.c_str(), text.c_str(), nullptr);
    }

private:
    static bool Failed(const std::string& error) {
        DebugLog("Error in the sdl back end: " + error);
        return false;
    }

    // Declared first so it is destroyed last: the window and its context outlive the renderer.
    SdlDisplay display_;
    GlRenderer renderer_;
    AlAudio audio_;
    SdlInput input_;
};

} // namespace

std::unique_ptr<Backend> CreateSdlBackend(const Options& options) {
    auto backend = std::make_unique<SdlBackend>();
    std::string error;
    if (!backend->Start(options, error)) {
        DebugLog("Error in the sdl back end: " + error);
        return nullptr;
    }
    return backend;
}

} // namespace Media

// The headless back end: no window, no audio device, a virtual clock. Drawing is counted, not
// rasterised (a grabbed back buffer is black); channels run silently on the virtual clock; input
// comes only from the script, which the shared layer applies; pad rumbles are recorded.
#include <cstdio>

#include "media/backend.h"
#include "media/headless/headless_control.h"
#include "media/virtual_channel.h"

namespace Media {
namespace {

class HeadlessBackend;
HeadlessBackend* active = nullptr;

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(const Options& options)
        : stepMs_(uint32_t(options.StepMs > 0 ? options.StepMs : 16)) {
        active = this;
    }
    ~HeadlessBackend() override {
        if (active == this) active = nullptr;
    }

    void DesktopSize(int& width, int& height) override {
        width = desktopWidth_;
        height = desktopHeight_;
    }
    int GraphicsModeExists(int width, int height, int depth) override {
        bool depthOk = false;
        for (int d : depths_)
            depthOk = depthOk || d == depth;
        return depthOk && width > 0 && height > 0 && width <= desktopWidth_ && height <= desktopHeight_ ? 1
                                                                                                        : 0;
    }
    bool CreateAppWindow(const std::string&, int, int, int w, int h) override {
        if (w <= 0 || h <= 0) return false;
        windowWidth_ = w;
        windowHeight_ = h;
        return true;
    }
    bool OpenWindowGraphics() override {
        graphicsWidth_ = windowWidth_;
        graphicsHeight_ = windowHeight_;
        graphics_ = true;
        return true;
    }
    void CloseWindowGraphics() override { graphics_ = false; }
    void ShowAppWindow(bool) override {}
    bool OpenFullscreenGraphics(int width, int height, int depth) override {
        if (!GraphicsModeExists(width, height, depth)) return false;
        graphicsWidth_ = width;
        graphicsHeight_ = height;
        graphics_ = true;
        return true;
    }
    void CloseFullscreenGraphics() override { graphics_ = false; }
    bool HasGraphics() override { return graphics_; }
    int GraphicsWidth() override { return graphics_ ? graphicsWidth_ : 0; }
    int GraphicsHeight() override { return graphics_ ? graphicsHeight_ : 0; }
    void Clear(int, int, int) override { backBufferDefined_ = true; }
    void Present(int) override {
        clock_ += stepMs_;
        backBufferDefined_ = false;
    }
    // Black while the frame is being drawn. After a present the back buffer's contents are
    // undefined, as on real drivers; a grab then gives mid-grey, so a test sees a frame grabbed
    // at the wrong moment.
    PixelMapRef Grab(int, int, int width, int height) override {
        PixelMapRef map = CreatePixmap(width, height);
        if (map)
            for (size_t i = 0; i < map->Pixels.size(); i += 4) {
                const uint8_t grey = backBufferDefined_ ? 0 : 128;
                map->Pixels[i] = map->Pixels[i + 1] = map->Pixels[i + 2] = grey;
                map->Pixels[i + 3] = 255;
            }
        return map;
    }

    uint32_t CreateTexture(PixelMap, int) override {
        ++liveTextures_;
        return nextId_++;
    }
    void DestroyTexture(uint32_t texture) override {
        if (texture != 0) --liveTextures_;
    }
    void DrawBatch(const BatchKey& key, const Vertex* vertices, int quadCount) override {
        ++batches_;
        quads_ += quadCount;
        if (keepBatches_)
            kept_.push_back({key, std::vector<Vertex>(vertices, vertices + size_t(quadCount) * 4)});
    }

    void DrawStack(const StackQuad&) override {
        ++batches_;
        ++quads_;
    }

    // No device, but the default driver "works": channels run silently on the virtual clock.
    int SelectAudioDriver(const std::string& name) override {
        return name == "directsound" || name == "default" ? 1 : 0;
    }
    uint32_t CreateSoundBuffer(const AudioSample&) override { return nextId_++; }
    void DestroySoundBuffer(uint32_t) override {}
    AudioChannelRef Cue(const LoadedSound& sound) override {
        return std::make_shared<VirtualChannel>(sound.Sample().DurationMs(), sound.Loops());
    }

    void PumpEvents(InputSink&) override {}
    void MoveMouse(int, int) override {}
    void SetMouseVisible(int) override {}
    void PadRumble(float strength, int ms) override { rumbles_.push_back({strength, ms}); }
    uint32_t ClockMs() override { return clock_; }
    void SleepMs(int ms) override {
        if (ms > 0) clock_ += uint32_t(ms);
    }
    void Notify(const std::string& text, int serious) override {
        std::fprintf(stderr, "%s%s\n", serious ? "[serious] " : "", text.c_str());
        notifications_.push_back(text);
    }

    int desktopWidth_ = 1920, desktopHeight_ = 1080;
    std::vector<int> depths_{16, 24, 32};
    uint32_t clock_ = 0;
    int liveTextures_ = 0;
    int batches_ = 0, quads_ = 0;
    std::vector<std::string> notifications_;
    std::vector<Headless::Rumble> rumbles_;
    bool keepBatches_ = false;
    std::vector<Headless::KeptBatch> kept_;

private:
    uint32_t stepMs_;
    int windowWidth_ = 800, windowHeight_ = 500;
    bool graphics_ = false;
    bool backBufferDefined_ = true;
    int graphicsWidth_ = 0, graphicsHeight_ = 0;
    uint32_t nextId_ = 1;
};

} // namespace

std::unique_ptr<Backend> CreateHeadlessBackend(const Options& options) {
    return std::make_unique<HeadlessBackend>(options);
}

namespace Headless {

void SetDesktopSize(int width, int height) {
    if (!active) return;
    active->desktopWidth_ = width;
    active->desktopHeight_ = height;
}

void SetAvailableDepths(const std::vector<int>& depths) {
    if (active) active->depths_ = depths;
}

void AdvanceClock(uint32_t ms) {
    if (active) active->clock_ += ms;
}

int LiveTextures() {
    return active ? active->liveTextures_ : 0;
}
int BatchesReceived() {
    return active ? active->batches_ : 0;
}
int QuadsReceived() {
    return active ? active->quads_ : 0;
}

void SetKeepBatches(bool on) {
    if (active) active->keepBatches_ = on;
}

const std::vector<KeptBatch>& KeptBatches() {
    static const std::vector<KeptBatch> none;
    return active ? active->kept_ : none;
}

const std::vector<Rumble>& Rumbles() {
    static const std::vector<Rumble> none;
    return active ? active->rumbles_ : none;
}

const std::vector<std::string>& Notifications() {
    static const std::vector<std::string> none;
    return active ? active->notifications_ : none;
}

} // namespace Headless
} // namespace Media

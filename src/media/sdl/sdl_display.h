#pragma once
// The sdl back end's display: one SDL window with one OpenGL 3.3 core context for the life of the
// window, so textures stay valid when the window switches between windowed and full screen.
#include <string>

#include "media/frame_pacer.h"

struct SDL_Window;

namespace Media {

class SdlDisplay {
public:
    SdlDisplay() = default;
    ~SdlDisplay();
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // Starts SDL video and events; false with a message when there is no display.
    bool Init(std::string& error);

    void DesktopSize(int& width, int& height);
    // 1 if SDL lists a full-screen mode of that size at that depth (24 and 32 are the same RGB
    // family); the desktop size always exists at the desktop's depth.
    int GraphicsModeExists(int width, int height, int depth);
    // Creates the hidden window with a fixed client area and its GL context (made current).
    // False with a message when either fails.
    bool CreateAppWindow(const std::string& title, int x, int y, int width, int height, std::string& error);
    // The texture worker's context, which shares the window context's textures: made current on
    // the calling thread (false when the driver gave no second context or refuses to bind it
    // there), and released again before that thread ends. Valid between CreateAppWindow and the
    // display's end.
    bool BindUploadContext();
    void ReleaseUploadContext();
    bool OpenWindowed();
    void CloseWindowed();
    bool OpenFullscreen(int width, int height, int depth);
    void CloseFullscreen();
    void Show(bool visible);
    bool HasGraphics() const { return graphicsOpen_; }
    // Back-buffer size in pixels (0 without a window).
    void DrawableSize(int& width, int& height) const;
    // Window size in window coordinates (differs from the drawable size on high-DPI screens).
    void WindowSize(int& width, int& height) const;
    // Presents the back buffer. With sync 1 the frame loop is paced to the frame cap when the
    // present does not wait for the display (see FramePacer).
    void Present(int sync);
    // The frame cap in frames per second: -1 the display's refresh rate, 0 none (--fps).
    void SetFrameCap(int fps) { frameCap_ = fps; }
    bool Pacing() const { return pacer_.Pacing(); }

    SDL_Window* Window() const { return window_; }
    const std::string& Title() const { return title_; }

private:
    void LeaveFullscreen();
    void WaitForWindowSize(int width, int height);
    // The pacer's interval from the cap and the refresh rate of the window's display.
    void UpdatePacerInterval();

    bool videoReady_ = false;
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;       // SDL_GLContext
    void* uploadContext_ = nullptr; // SDL_GLContext, shares context_'s objects
    std::string title_;
    int windowX_ = 0, windowY_ = 0, windowWidth_ = 0, windowHeight_ = 0;
    bool graphicsOpen_ = false;
    bool fullscreen_ = false;
    int swapInterval_ = -1; // unknown until the first Present
    int frameCap_ = -1;
    FramePacer pacer_;
};

} // namespace Media

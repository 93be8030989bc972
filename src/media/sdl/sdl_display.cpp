#include "media/sdl/sdl_display.h"

#include <SDL.h>
#include <sys/prctl.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "media/media.h"
#include "media/sdl/sdl_test_control.h"

namespace Media {
namespace {

bool FailFullscreenSwitch = false; // set by the test control, used once

// 24-bit and 32-bit modes are the same RGB888 layout to SDL; 15 and 16 likewise.
int DepthFamily(int bitsPerPixel) {
    if (bitsPerPixel == 24 || bitsPerPixel == 32) return 32;
    if (bitsPerPixel == 15 || bitsPerPixel == 16) return 16;
    return bitsPerPixel;
}

int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Waits until `deadlineUs`: sleeps most of the time, then yields for the last stretch, which a
// sleep's wake-up may overshoot. The stretch is short (see UpdatePacerInterval's timer slack):
// yielding costs the processor a system call after another.
void WaitUntil(int64_t deadlineUs) {
    constexpr int64_t SPIN_US = 150;
    const int64_t remaining = deadlineUs - NowUs();
    if (remaining > SPIN_US) std::this_thread::sleep_for(std::chrono::microseconds(remaining - SPIN_US));
    while (NowUs() < deadlineUs)
        std::this_thread::yield();
}

bool ModeMatches(const SDL_DisplayMode& mode, int width, int height, int depth) {
    return mode.w == width && mode.h == height &&
           DepthFamily(int(SDL_BITSPERPIXEL(mode.format))) == DepthFamily(depth);
}

} // namespace

SdlDisplay::~SdlDisplay() {
    if (uploadContext_ != nullptr) SDL_GL_DeleteContext(uploadContext_);
    if (context_ != nullptr) SDL_GL_DeleteContext(context_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    if (videoReady_) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

bool SdlDisplay::Init(std::string& error) {
    // The game ignores quit requests from the window; SDL's own SIGINT/SIGTERM handlers would turn
    // those signals into such requests and make the process impossible to interrupt.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("cannot start SDL video: ") + SDL_GetError();
        return false;
    }
    videoReady_ = true;
    return true;
}

void SdlDisplay::DesktopSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (!videoReady_ || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        width = height = 0;
        return;
    }
    width = mode.w;
    height = mode.h;
}

int SdlDisplay::GraphicsModeExists(int width, int height, int depth) {
    if (!videoReady_) return 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && ModeMatches(mode, width, height, depth)) return 1;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && ModeMatches(mode, width, height, depth)) return 1;
    }
    return 0;
}

bool SdlDisplay::CreateAppWindow(const std::string& title, int x, int y, int width, int height,
                                 std::string& error) {
    if (!videoReady_) {
        error = "SDL video is not running";
        return false;
    }
    title_ = title;
    windowX_ = x;
    windowY_ = y;
    windowWidth_ = width;
    windowHeight_ = height;
    if (window_ != nullptr) {
        SDL_SetWindowTitle(window_, title.c_str());
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowPosition(window_, x, y);
        return true;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    // Not resizable: the client area stays 800 × 500; title bar and minimise box come with it.
    window_ = SDL_CreateWindow(title.c_str(), x, y, width, height,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ == nullptr) {
        error = std::string("cannot create the window: ") + SDL_GetError();
        return false;
    }
    context_ = SDL_GL_CreateContext(window_);
    if (context_ == nullptr) {
        error = std::string("cannot create an OpenGL 3.3 core context: ") + SDL_GetError();
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    // Creating a context makes it current, so the window's context is made current again after.
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    uploadContext_ = SDL_GL_CreateContext(window_);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    if (uploadContext_ == nullptr)
        DebugLog(std::string("Textures are uploaded on the main thread: no second OpenGL context (") +
                 SDL_GetError() + ")");
    SDL_GL_MakeCurrent(window_, context_);
    return true;
}

bool SdlDisplay::BindUploadContext() {
    if (uploadContext_ == nullptr) return false;
    // Without a surface where the platform allows it; GLX also lets a second thread bind the
    // window with another context (nothing is drawn through it).
    if (SDL_GL_MakeCurrent(nullptr, uploadContext_) == 0 || SDL_GL_MakeCurrent(window_, uploadContext_) == 0)
        return true;
    DebugLog(std::string("Textures are uploaded on the main thread: the second OpenGL context "
                         "cannot be made current (") +
             SDL_GetError() + ")");
    return false;
}

void SdlDisplay::ReleaseUploadContext() {
    SDL_GL_MakeCurrent(nullptr, nullptr);
}

bool SdlDisplay::OpenWindowed() {
    if (window_ == nullptr) return false;
    if (fullscreen_) LeaveFullscreen();
    SDL_GL_MakeCurrent(window_, context_);
    graphicsOpen_ = true;
    UpdatePacerInterval();
    return true;
}

void SdlDisplay::CloseWindowed() {
    if (!graphicsOpen_ || fullscreen_) return;
    graphicsOpen_ = false;
    SDL_HideWindow(window_);
}

bool SdlDisplay::OpenFullscreen(int width, int height, int depth) {
    if (window_ == nullptr || GraphicsModeExists(width, height, depth) == 0) return false;
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) return false;
    Uint32 flag = SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (desktop.w != width || desktop.h != height) {
        SDL_DisplayMode wanted = {};
        wanted.w = width;
        wanted.h = height;
        SDL_DisplayMode closest;
        if (SDL_GetClosestDisplayMode(display, &wanted, &closest) == nullptr || closest.w != width ||
            closest.h != height || SDL_SetWindowDisplayMode(window_, &closest) != 0) {
            return false;
        }
        flag = SDL_WINDOW_FULLSCREEN;
    }
    // Without a window manager nobody resizes the window for full screen, so give it the full-screen
    // size and place first (LeaveFullscreen restores both). Full screen is set while the window is
    // hidden, so it appears at once in its final size.
    SDL_SetWindowPosition(window_, 0, 0);
    SDL_SetWindowSize(window_, width, height);
    const bool refused = FailFullscreenSwitch || SDL_SetWindowFullscreen(window_, flag) != 0;
    FailFullscreenSwitch = false;
    if (refused) {
        // Put the window back at its own size and place: the caller falls back to it.
        LeaveFullscreen();
        return false;
    }
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_GL_MakeCurrent(window_, context_);
    WaitForWindowSize(width, height);
    fullscreen_ = true;
    graphicsOpen_ = true;
    UpdatePacerInterval();
    return true;
}

void SdlDisplay::CloseFullscreen() {
    if (!graphicsOpen_ || !fullscreen_) return;
    LeaveFullscreen();
    graphicsOpen_ = false;
    SDL_HideWindow(window_);
}

void SdlDisplay::LeaveFullscreen() {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowSize(window_, windowWidth_, windowHeight_);
    SDL_SetWindowPosition(window_, windowX_, windowY_);
    WaitForWindowSize(windowWidth_, windowHeight_);
    fullscreen_ = false;
}

void SdlDisplay::WaitForWindowSize(int width, int height) {
    // Window managers apply a size change asynchronously; the drawing state reads the back-buffer
    // size right after a mode change, so wait (briefly) until the new size has arrived. Pumping
    // only queues events, no input is lost.
    constexpr Uint32 LIMIT_MS = 1000;
    const Uint32 start = SDL_GetTicks();
    int w = 0, h = 0;
    for (;;) {
        SDL_PumpEvents();
        SDL_GetWindowSize(window_, &w, &h);
        if ((w == width && h == height) || SDL_GetTicks() - start >= LIMIT_MS) return;
        SDL_Delay(5);
    }
}

void SdlDisplay::Show(bool visible) {
    if (window_ == nullptr) return;
    if (visible) {
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
    } else {
        SDL_HideWindow(window_);
    }
}

void SdlDisplay::DrawableSize(int& width, int& height) const {
    width = height = 0;
    if (window_ != nullptr) SDL_GL_GetDrawableSize(window_, &width, &height);
}

void SdlDisplay::WindowSize(int& width, int& height) const {
    width = height = 0;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &width, &height);
}

void SdlDisplay::UpdatePacerInterval() {
    // The thread that presents, and waits, wakes from a sleep within a microsecond or so of its
    // time instead of the default slack of 50: the pacer's waits can then sleep almost to the end.
    prctl(PR_SET_TIMERSLACK, 1000UL, 0UL, 0UL, 0UL);
    SDL_DisplayMode mode;
    const int refresh = SDL_GetWindowDisplayMode(window_, &mode) == 0 ? mode.refresh_rate : 0;
    pacer_.SetInterval(FramePacer::IntervalFor(frameCap_, refresh));
}

void SdlDisplay::Present(int sync) {
    if (!graphicsOpen_) return;
    const int interval = sync == 1 ? 1 : 0;
    if (interval != swapInterval_) {
        SDL_GL_SetSwapInterval(interval); // a driver without control over it just keeps its own
        swapInterval_ = interval;
    }
    SDL_GL_SwapWindow(window_);
    if (interval == 0) {
        // The loading screen presents without waiting between loads; it is never held back.
        pacer_.Interrupted();
        return;
    }
    const int64_t deadline = pacer_.Presented(NowUs());
    WaitUntil(deadline);
    pacer_.WaitEnded(NowUs());
}

} // namespace Media

void Media::Sdl::FailNextFullscreenSwitch() {
    Media::FailFullscreenSwitch = true;
}

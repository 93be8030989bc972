// Display operations: forwarded to the back end, with the shared drawing state kept in step
// (opening graphics resets the projection and viewport; presenting flushes the batch).
#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {
int framesPresented = 0;
} // namespace

namespace Internal {
int FramesPresented() {
    return framesPresented;
}
void ResetDisplay() {
    framesPresented = 0;
}
} // namespace Internal

void DesktopSize(int& width, int& height) {
    CurrentBackend().DesktopSize(width, height);
}

int GraphicsModeExists(int width, int height, int depth) {
    return CurrentBackend().GraphicsModeExists(width, height, depth);
}

bool CreateAppWindow(const std::string& title, int x, int y, int clientWidth, int clientHeight) {
    return CurrentBackend().CreateAppWindow(title, x, y, clientWidth, clientHeight);
}

bool OpenWindowGraphics() {
    Internal::DropPendingDraws();
    if (!CurrentBackend().OpenWindowGraphics()) return false;
    Internal::GraphicsOpened();
    return true;
}

void CloseWindowGraphics() {
    Internal::GraphicsClosed();
    CurrentBackend().CloseWindowGraphics();
}

void ShowAppWindow(bool visible) {
    CurrentBackend().ShowAppWindow(visible);
}

bool OpenFullscreenGraphics(int width, int height, int depth) {
    Internal::DropPendingDraws();
    if (!CurrentBackend().OpenFullscreenGraphics(width, height, depth)) return false;
    Internal::GraphicsOpened();
    return true;
}

void CloseFullscreenGraphics() {
    Internal::GraphicsClosed();
    CurrentBackend().CloseFullscreenGraphics();
}

bool HasGraphics() {
    return CurrentBackend().HasGraphics();
}
int GraphicsWidth() {
    return CurrentBackend().GraphicsWidth();
}
int GraphicsHeight() {
    return CurrentBackend().GraphicsHeight();
}

void Cls() {
    // Quads batched before the clear would otherwise be drawn over the cleared buffer.
    Internal::DropPendingDraws();
    if (!HasGraphics()) return;
    int r, g, b;
    GetClsColor(r, g, b);
    CurrentBackend().Clear(r, g, b);
}

void Flip(int sync) {
    FlushDrawing();
    Internal::EndFrameCoverage();
    CurrentBackend().Present(sync);
    Internal::SessionFramePresented(framesPresented);
    ++framesPresented;
    const int limit = CurrentOptions().Frames;
    if (limit >= 0 && framesPresented >= limit) {
        DebugLog("Ended after " + std::to_string(framesPresented) + " frames.");
        End(0);
    }
}

PixelMapRef GrabPixmap(int x, int y, int width, int height) {
    FlushDrawing();
    if (width <= 0 || height <= 0) return nullptr;
    return CurrentBackend().Grab(x, y, width, height);
}

} // namespace Media

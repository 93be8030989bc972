#include "shell/pointer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "media/media.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/projection_matrix.h"

namespace {

constexpr int CAPTURE_RANGE = 100; // window pixels: a captured pointer further out is pulled back

// The previous mouse position, in window pixels. Movement is measured in pixels, not playfield
// units, so the ship answers the mouse alike in the window and at every full-screen size.
int PreviousX = 0, PreviousY = 0;

// Drawing units per back-buffer pixel.
float UnitsPerPixelX() {
    int gw = Media::GraphicsWidth();
    return gw > 0 && ProjectionMatrix::ScaledWidth() > 0 ? float(ProjectionMatrix::ScaledWidth()) / float(gw)
                                                         : 1;
}
float UnitsPerPixelY() {
    int gh = Media::GraphicsHeight();
    return gh > 0 && ProjectionMatrix::ScaledHeight() > 0
               ? float(ProjectionMatrix::ScaledHeight()) / float(gh)
               : 1;
}

void DisplayCentre(int& windowX, int& windowY) {
    windowX = Media::GraphicsWidth() / 2;
    windowY = Media::GraphicsHeight() / 2;
}

// A capture begins with the mouse at the centre and measures from where the mouse now is, so
// whatever it did while free (in a menu, while the window was away) never reaches the ship.
void StartCapture() {
    int cx, cy;
    DisplayCentre(cx, cy);
    Media::MoveMouse(cx, cy);
    PreviousX = Media::PointerWindowX();
    PreviousY = Media::PointerWindowY();
}

} // namespace

void WindowToPlayfield(float windowX, float windowY, float& x, float& y) {
    x = windowX * UnitsPerPixelX() - ProjectionMatrix::OriginX();
    y = windowY * UnitsPerPixelY() - ProjectionMatrix::OriginY();
}

void PlayfieldToWindow(float x, float y, int& windowX, int& windowY) {
    windowX = int(std::lround((x + ProjectionMatrix::OriginX()) / UnitsPerPixelX()));
    windowY = int(std::lround((y + ProjectionMatrix::OriginY()) / UnitsPerPixelY()));
}

void InitPointer() {
    Media::ImageRef image = LoadGameImage("gfx\\menus\\mouse.png", -1, 0);
    PointerSprite = Sprite::Create(image, 25, nullptr);
    PointerSprite->SetShadow(6.0f, 45.0f, 0.33f);
    PointerSprite->SetOrder(25.0f);
    PointerSprite->SetScale(0.5f);
    if (PointerVisible != 1) PointerSprite->Hide();
    Media::SetMouseVisible(0);
}

void ShowPointer(int force) {
    if (PointerVisible == 0 || force == 1) {
        PointerVisible = 1;
        // While the keys or the pad drive the menus the pointer stays out of sight.
        if (PointerSprite && LastDevice == InputDevice::Mouse) PointerSprite->Show();
    }
}

void HidePointer() {
    PointerVisible = 0;
    if (PointerSprite) PointerSprite->Hide();
}

void SetPointerMode(int mode) {
    PointerCaptured = mode;
    if (mode == 1) {
        HidePointer();
        StartCapture();
    } else if (mode == 0) {
        ShowPointer(0);
    }
}

void ResumePointer() {
    if (PointerCaptured == 1) StartCapture();
}

void CentrePointer() {
    int cx, cy;
    DisplayCentre(cx, cy);
    Media::MoveMouse(cx, cy);
    WindowToPlayfield(float(cx), float(cy), PointerX, PointerY);
    PreviousX = cx;
    PreviousY = cy;
}

void UpdatePointer() {
    const int mouseX = Media::PointerWindowX(), mouseY = Media::PointerWindowY();
    WindowToPlayfield(float(mouseX), float(mouseY), PointerX, PointerY);
    PointerDX = float(mouseX - PreviousX);
    PointerDY = float(mouseY - PreviousY);
    for (int button = 1; button <= 3; ++button) {
        MouseButtonDown[button] = Media::ButtonHeld(button);
        MouseButtonHit[button] = Media::ButtonPresses(button);
    }

    if (PointerCaptured == 1) {
        int cx, cy;
        DisplayCentre(cx, cy);
        if (std::abs(mouseX - cx) > CAPTURE_RANGE || std::abs(mouseY - cy) > CAPTURE_RANGE) {
            // The mouse goes back to the centre and the next movement is measured from there;
            // this frame's movement is already in PointerDX/DY and is not counted twice.
            Media::MoveMouse(cx, cy);
            PreviousX = cx;
            PreviousY = cy;
        } else {
            PreviousX = mouseX;
            PreviousY = mouseY;
        }
    } else if (App::Windowed() == 0) {
        float clampedX = std::clamp(PointerX, 0.0f, float(VIRTUAL_WIDTH));
        float clampedY = std::clamp(PointerY, 0.0f, float(VIRTUAL_HEIGHT));
        if (clampedX != PointerX || clampedY != PointerY) {
            PointerX = clampedX;
            PointerY = clampedY;
            int wx, wy;
            PlayfieldToWindow(PointerX, PointerY, wx, wy);
            Media::MoveMouse(wx, wy);
        }
    }

    UpdateControls();
    if (PointerSprite)
        PointerSprite->SetPosition(PointerX + PointerSprite->Width(0) / 2,
                                   PointerY + PointerSprite->Height(0) / 2, 0);
}

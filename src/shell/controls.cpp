#include "shell/controls.h"

#include <algorithm>
#include <cmath>

#include "media/media.h"
#include "shell/frame_clock.h"
#include "shell/pointer.h"

namespace {

constexpr int KEY_W = Media::KEY_A + ('W' - 'A');
constexpr int KEY_S = Media::KEY_A + ('S' - 'A');
constexpr int KEY_D = Media::KEY_A + ('D' - 'A');

// Where the stick stood for menu steps: 1 while it is pushed past the step in that direction.
int StickStepX = 0, StickStepY = 0;

bool KeyHeld(int key) {
    return Media::KeyHeld(key) != 0;
}

// −1, 0 or 1 from two opposite directions.
int Direction(bool negative, bool positive) {
    return (positive ? 1 : 0) - (negative ? 1 : 0);
}

// A step of the stick along one axis, once per push past MENU_STICK_STEP.
int StickStep(float value, int& state) {
    if (std::abs(value) < MENU_STICK_RELEASE) state = 0;
    if (state != 0 || std::abs(value) < MENU_STICK_STEP) return 0;
    state = value > 0 ? 1 : -1;
    return state;
}

void ReadKeyboard(bool& used) {
    const int keyX = Direction(KeyHeld(Media::KEY_LEFT) || KeyHeld(Media::KEY_A),
                               KeyHeld(Media::KEY_RIGHT) || KeyHeld(KEY_D));
    const int keyY =
        Direction(KeyHeld(Media::KEY_UP) || KeyHeld(KEY_W), KeyHeld(Media::KEY_DOWN) || KeyHeld(KEY_S));
    SteerX += float(keyX);
    SteerY += float(keyY);
    // Every press is read, so none is left over for a later screen.
    const int left = Media::KeyPresses(Media::KEY_LEFT), right = Media::KeyPresses(Media::KEY_RIGHT);
    const int up = Media::KeyPresses(Media::KEY_UP), down = Media::KeyPresses(Media::KEY_DOWN);
    MenuStepX = Direction(left > 0, right > 0);
    MenuStepY = Direction(up > 0, down > 0);
    used = keyX != 0 || keyY != 0 || MenuStepX != 0 || MenuStepY != 0 || KeyHeld(Media::KEY_SPACE);
}

void ReadPad(bool& used) {
    float stickX = 0, stickY = 0;
    StickDeflection(Media::PadAxis(Media::PAD_LEFTX), Media::PadAxis(Media::PAD_LEFTY), stickX, stickY);
    const bool dpadLeft = Media::PadHeld(Media::PAD_DPLEFT) != 0,
               dpadRight = Media::PadHeld(Media::PAD_DPRIGHT) != 0;
    const bool dpadUp = Media::PadHeld(Media::PAD_DPUP) != 0,
               dpadDown = Media::PadHeld(Media::PAD_DPDOWN) != 0;
    SteerX += stickX + float(Direction(dpadLeft, dpadRight));
    SteerY += stickY + float(Direction(dpadUp, dpadDown));

    const int left = Media::PadPresses(Media::PAD_DPLEFT), right = Media::PadPresses(Media::PAD_DPRIGHT);
    const int up = Media::PadPresses(Media::PAD_DPUP), down = Media::PadPresses(Media::PAD_DPDOWN);
    const int stepX =
        Direction(left > 0, right > 0) + StickStep(Media::PadAxis(Media::PAD_LEFTX), StickStepX);
    const int stepY = Direction(up > 0, down > 0) + StickStep(Media::PadAxis(Media::PAD_LEFTY), StickStepY);
    const int a = Media::PadPresses(Media::PAD_A);
    const int start = Media::PadPresses(Media::PAD_START), b = Media::PadPresses(Media::PAD_B);
    PadPressHit = a > 0 ? 1 : 0;
    PadEscapeHit = start > 0 || b > 0 ? 1 : 0;
    if (stepX != 0) MenuStepX = std::clamp(stepX, -1, 1);
    if (stepY != 0) MenuStepY = std::clamp(stepY, -1, 1);

    const bool trigger = Media::PadAxis(Media::PAD_RIGHTTRIGGER) > TRIGGER_FIRE;
    used = stickX != 0 || stickY != 0 || dpadLeft || dpadRight || dpadUp || dpadDown || stepX != 0 ||
           stepY != 0 || PadPressHit != 0 || PadEscapeHit != 0 || Media::PadHeld(Media::PAD_A) != 0 ||
           trigger;
}

} // namespace

void StickDeflection(float rawX, float rawY, float& x, float& y) {
    const float length = std::sqrt(rawX * rawX + rawY * rawY);
    if (length <= STICK_DEAD_ZONE) {
        x = y = 0;
        return;
    }
    const float stretched = std::min(1.0f, (length - STICK_DEAD_ZONE) / (1.0f - STICK_DEAD_ZONE));
    x = rawX / length * stretched;
    y = rawY / length * stretched;
}

void UseDevice(InputDevice device) {
    if (device == LastDevice) return;
    LastDevice = device;
    if (!PointerSprite) return;
    if (device == InputDevice::Mouse && PointerVisible == 1)
        PointerSprite->Show();
    else
        PointerSprite->Hide();
}

void UpdateControls() {
    if (Media::MouseMoves() > 0 || MouseButtonHit[1] > 0 || MouseButtonHit[2] > 0 || MouseButtonHit[3] > 0)
        UseDevice(InputDevice::Mouse);

    SteerX = SteerY = 0;
    bool keysUsed = false, padUsed = false;
    ReadKeyboard(keysUsed);
    ReadPad(padUsed);
    SteerX = std::clamp(SteerX, -1.0f, 1.0f);
    SteerY = std::clamp(SteerY, -1.0f, 1.0f);
    if (keysUsed) UseDevice(InputDevice::Keyboard);
    if (padUsed) UseDevice(InputDevice::Pad);
    PadUnplugged = Media::PadsRemoved() > 0 ? 1 : 0;

    FireHeld = MouseButtonDown[1] == 1 || KeyHeld(Media::KEY_SPACE) || Media::PadHeld(Media::PAD_A) != 0 ||
                       Media::PadAxis(Media::PAD_RIGHTTRIGGER) > TRIGGER_FIRE
                   ? 1
                   : 0;
    if (PointerCaptured == 1) {
        PointerDX += SteerX * STEER_SPEED * DeltaSeconds;
        PointerDY += SteerY * STEER_SPEED * DeltaSeconds;
    }
}

void Rumble(float strength, int ms) {
    if (RumbleEnabled == 1) Media::PadRumble(strength, ms);
}

// Input bookkeeping shared by both back ends: key, button and pad-button presses counted until
// queried, held states, pad axes, the typed-character queue, the pointer and the suspend state.
// Back ends report events through an InputSink during PollEvents; the input script feeds the same
// sink.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <utility>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

constexpr size_t MAX_TYPED = 256; // typed characters kept when nobody reads them

class Bookkeeping : public InputSink {
public:
    void KeyDown(int vk) override {
        if (!ValidKey(vk)) return;
        if (!keyHeld[size_t(vk)]) ++keyPresses[size_t(vk)]; // auto-repeat is not a new press
        keyHeld[size_t(vk)] = true;
    }
    void KeyUp(int vk) override {
        if (ValidKey(vk)) keyHeld[size_t(vk)] = false;
    }
    void TypedChar(int ch) override {
        if (ch > 0 && typed.size() < MAX_TYPED) typed.push_back(ch);
    }
    void ButtonDown(int button) override {
        if (!ValidButton(button)) return;
        if (!buttonHeld[size_t(button)]) ++buttonPresses[size_t(button)];
        buttonHeld[size_t(button)] = true;
    }
    void ButtonUp(int button) override {
        if (ValidButton(button)) buttonHeld[size_t(button)] = false;
    }
    void PointerMoved(int x, int y) override {
        // The motion a warp reports comes back at the warped-to point (a pixel off where window and
        // back-buffer pixels differ); it is not the player's.
        if (warpPending && std::abs(x - warpX) <= 1 && std::abs(y - warpY) <= 1) {
            warpPending = false;
        } else if (x != pointerX || y != pointerY) {
            warpPending = false;
            ++mouseMoves;
        }
        pointerX = x;
        pointerY = y;
    }
    void System(SystemEvent event) override {
        suspended = event == SystemEvent::Suspend;
        if (events) events->push_back(event);
    }

    void PadButtonDown(int button) override {
        if (!ValidPadButton(button)) return;
        if (!padHeld[size_t(button)]) ++padPresses[size_t(button)];
        padHeld[size_t(button)] = true;
    }
    void PadButtonUp(int button) override {
        if (ValidPadButton(button)) padHeld[size_t(button)] = false;
    }
    void PadAxisMoved(int axis, float value) override {
        if (axis < 0 || axis >= PAD_AXES || !(value == value)) return; // NaN is no position
        const float low = axis >= PAD_LEFTTRIGGER ? 0.0f : -1.0f;
        padAxes[size_t(axis)] = std::clamp(value, low, 1.0f);
    }
    void PadConnected(bool connected) override {
        if (connected) {
            ++padsConnected;
        } else {
            padsConnected = std::max(0, padsConnected - 1);
            ++padsRemoved;
        }
    }

    static bool ValidKey(int vk) { return vk >= 0 && vk < 256; }
    static bool ValidButton(int button) { return button >= 1 && button <= 3; }
    static bool ValidPadButton(int button) { return button >= 0 && button < PAD_BUTTONS; }

    std::array<int, 256> keyPresses{};
    std::array<bool, 256> keyHeld{};
    std::array<int, 4> buttonPresses{};
    std::array<bool, 4> buttonHeld{};
    std::deque<int> typed;
    int pointerX = 0, pointerY = 0;
    int mouseMoves = 0;
    bool warpPending = false;
    int warpX = 0, warpY = 0;
    std::array<int, PAD_BUTTONS> padPresses{};
    std::array<bool, PAD_BUTTONS> padHeld{};
    std::array<float, PAD_AXES> padAxes{};
    int padsConnected = 0, padsRemoved = 0;
    bool suspended = false;
    // A suspended game presents no frames, so each poll while suspended counts as a frame for the
    // input script; otherwise a scripted resume would never arrive.
    int suspendedPolls = 0;
    std::vector<SystemEvent>* events = nullptr;
};

Bookkeeping input;

} // namespace

namespace Internal {
void ResetInput() {
    input.keyPresses.fill(0);
    input.keyHeld.fill(false);
    input.buttonPresses.fill(0);
    input.buttonHeld.fill(false);
    input.typed.clear();
    input.pointerX = input.pointerY = 0;
    input.mouseMoves = 0;
    input.warpPending = false;
    input.padPresses.fill(0);
    input.padHeld.fill(false);
    input.padAxes.fill(0);
    input.padsConnected = input.padsRemoved = 0;
    input.suspended = false;
    input.suspendedPolls = 0;
    input.events = nullptr;
}
} // namespace Internal

int KeyPresses(int key) {
    if (!Bookkeeping::ValidKey(key)) return 0;
    return std::exchange(input.keyPresses[size_t(key)], 0);
}

int KeyHeld(int key) {
    return Bookkeeping::ValidKey(key) && input.keyHeld[size_t(key)] ? 1 : 0;
}

int NextTypedChar() {
    if (input.typed.empty()) return 0;
    const int ch = input.typed.front();
    input.typed.pop_front();
    return ch;
}

void ClearInput() {
    input.keyPresses.fill(0);
    input.buttonPresses.fill(0);
    input.padPresses.fill(0);
    input.typed.clear();
}

int PointerWindowX() {
    return input.pointerX;
}
int PointerWindowY() {
    return input.pointerY;
}

int ButtonHeld(int button) {
    return Bookkeeping::ValidButton(button) && input.buttonHeld[size_t(button)] ? 1 : 0;
}

int ButtonPresses(int button) {
    if (!Bookkeeping::ValidButton(button)) return 0;
    return std::exchange(input.buttonPresses[size_t(button)], 0);
}

void MoveMouse(int x, int y) {
    CurrentBackend().MoveMouse(x, y);
    input.pointerX = input.warpX = x;
    input.pointerY = input.warpY = y;
    input.warpPending = true;
}

void SetMouseVisible(int visible) {
    CurrentBackend().SetMouseVisible(visible);
}

int MouseMoves() {
    return std::exchange(input.mouseMoves, 0);
}

int PadPresses(int button) {
    if (!Bookkeeping::ValidPadButton(button)) return 0;
    return std::exchange(input.padPresses[size_t(button)], 0);
}

int PadHeld(int button) {
    return Bookkeeping::ValidPadButton(button) && input.padHeld[size_t(button)] ? 1 : 0;
}

float PadAxis(int axis) {
    return axis >= 0 && axis < PAD_AXES ? input.padAxes[size_t(axis)] : 0.0f;
}

int PadsConnected() {
    return input.padsConnected;
}

int PadsRemoved() {
    return std::exchange(input.padsRemoved, 0);
}

void PadRumble(float strength, int ms) {
    if (ms <= 0 || !(strength > 0)) return;
    CurrentBackend().PadRumble(std::min(strength, 1.0f), ms);
}

void PollEvents(std::vector<SystemEvent>& events) {
    events.clear();
    input.events = &events;
    const int frame = Internal::FramesPresented() + input.suspendedPolls;
    InputSink& sink = Internal::RecordingSink(input, frame);
    CurrentBackend().PumpEvents(sink);
    Internal::ApplyInputScript(frame, sink);
    if (input.suspended) ++input.suspendedPolls;
    input.events = nullptr;
}

int AppSuspended() {
    return input.suspended ? 1 : 0;
}

} // namespace Media

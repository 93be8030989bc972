// Input bookkeeping shared by both back ends: key and button presses counted until queried, held
// states, the typed-character queue, the pointer and the suspend state. Back ends report events
// through an InputSink during PollEvents; the input script feeds the same sink.
#include <algorithm>
#include <array>
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
        pointerX = x;
        pointerY = y;
    }
    void System(SystemEvent event) override {
        suspended = event == SystemEvent::Suspend;
        if (events) events->push_back(event);
    }

    static bool ValidKey(int vk) { return vk >= 0 && vk < 256; }
    static bool ValidButton(int button) { return button >= 1 && button <= 3; }

    std::array<int, 256> keyPresses{};
    std::array<bool, 256> keyHeld{};
    std::array<int, 4> buttonPresses{};
    std::array<bool, 4> buttonHeld{};
    std::deque<int> typed;
    int pointerX = 0, pointerY = 0;
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
    input.PointerMoved(x, y);
}

void SetMouseVisible(int visible) {
    CurrentBackend().SetMouseVisible(visible);
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

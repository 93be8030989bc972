// Input script parser: any file is either refused with "input script FILE, line N: reason" or
// gives events that all carry valid values when they are fed to the game.
#include <climits>

#include "fuzz_support.h"
#include "media/backend.h"
#include "media/media_internal.h"

namespace {

struct CheckingSink : Media::InputSink {
    void KeyDown(int vk) override { Fuzz::Require(vk != 0, "key down has a key"); }
    void KeyUp(int vk) override { Fuzz::Require(vk != 0, "key up has a key"); }
    void TypedChar(int ch) override { Fuzz::Require(ch >= 0 && ch <= 255, "typed character is a byte"); }
    void ButtonDown(int button) override { Fuzz::Require(button >= 1 && button <= 3, "button down 1..3"); }
    void ButtonUp(int button) override { Fuzz::Require(button >= 1 && button <= 3, "button up 1..3"); }
    void PointerMoved(int x, int y) override {
        Fuzz::Require(x >= -200000 && x <= 200000 && y >= -200000 && y <= 200000, "pointer within range");
    }
    void System(Media::SystemEvent) override {}
    void PadButtonDown(int button) override {
        Fuzz::Require(button >= 0 && button < Media::PAD_BUTTONS, "pad button down in range");
    }
    void PadButtonUp(int button) override {
        Fuzz::Require(button >= 0 && button < Media::PAD_BUTTONS, "pad button up in range");
    }
    void PadAxisMoved(int axis, float value) override {
        Fuzz::Require(axis >= 0 && axis < Media::PAD_AXES, "pad axis in range");
        Fuzz::Require(value >= (axis >= Media::PAD_LEFTTRIGGER ? 0.0f : -1.0f) && value <= 1.0f,
                      "pad axis value in range");
    }
    void PadConnected(bool) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Fuzz::ScratchFile(data, size);
    std::string error;
    if (Media::Internal::LoadInputScript(path, error)) {
        CheckingSink sink;
        Media::Internal::ApplyInputScript(INT_MAX, sink);
    } else {
        Fuzz::Require(error.rfind("input script " + path + ", line ", 0) == 0, "error names file and line");
    }
    Media::Internal::ClearInputScript();
    return 0;
}

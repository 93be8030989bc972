// The recorder: every input event that reaches the input bookkeeping, from the window or from a
// script, is written as an input-script line stamped with its frame, and so is each frame's clock
// step when it changes. Lines are flushed as they are written, so a session that crashes still
// leaves its recording.
#include <charconv>
#include <cstdio>
#include <string>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media::Internal {
namespace {

class Recorder : public InputSink {
public:
    void KeyDown(int vk) override {
        inner->KeyDown(vk);
        Write("keydown " + InputScriptKeyName(vk));
        // The script's keydown types this character again; the one that follows is not written.
        pendingControl = KeyControlCharacter(vk);
    }
    void KeyUp(int vk) override {
        inner->KeyUp(vk);
        pendingControl = 0;
        Write("keyup " + InputScriptKeyName(vk));
    }
    void TypedChar(int ch) override {
        inner->TypedChar(ch);
        const bool typedByKey = pendingControl != 0 && ch == pendingControl;
        pendingControl = 0;
        if (typedByKey || ch <= 0) return;
        // `type` cannot carry blanks (trimmed), '#' (a comment) or control characters.
        if (ch > ' ' && ch < 127 && ch != '#')
            Write(std::string("type ") + char(ch));
        else
            Write("char " + std::to_string(ch));
    }
    void ButtonDown(int button) override {
        inner->ButtonDown(button);
        pendingControl = 0;
        Write("down " + std::to_string(button));
    }
    void ButtonUp(int button) override {
        inner->ButtonUp(button);
        pendingControl = 0;
        Write("up " + std::to_string(button));
    }
    void PointerMoved(int x, int y) override {
        inner->PointerMoved(x, y);
        pendingControl = 0;
        Write("move " + std::to_string(x) + " " + std::to_string(y));
    }
    void System(SystemEvent event) override {
        inner->System(event);
        pendingControl = 0;
        Write(event == SystemEvent::Suspend ? "suspend" : "resume");
    }

    void PadButtonDown(int button) override {
        inner->PadButtonDown(button);
        pendingControl = 0;
        Write(std::string("paddown ") + InputScriptPadButtonName(button));
    }
    void PadButtonUp(int button) override {
        inner->PadButtonUp(button);
        pendingControl = 0;
        Write(std::string("padup ") + InputScriptPadButtonName(button));
    }
    void PadAxisMoved(int axis, float value) override {
        inner->PadAxisMoved(axis, value);
        pendingControl = 0;
        // The shortest text that reads back as the same float, so a replay steers alike.
        char text[32];
        const auto result = std::to_chars(text, text + sizeof text, value);
        Write(std::string("axis ") + InputScriptPadAxisName(axis) + " " + std::string(text, result.ptr));
    }
    void PadConnected(bool connected) override {
        inner->PadConnected(connected);
        pendingControl = 0;
        Write(connected ? "padadded" : "padremoved");
    }

    void Write(const std::string& event) {
        std::fprintf(file, "%d %s\n", frame, event.c_str());
        std::fflush(file);
    }

    FILE* file = nullptr;
    InputSink* inner = nullptr;
    int frame = 0;
    int pendingControl = 0;
    int lastStep = -1;
};

Recorder recorder;

} // namespace

bool StartRecording(const std::string& path, std::string& error) {
    StopRecording();
    recorder.file = std::fopen(path.c_str(), "w");
    if (!recorder.file) {
        error = "cannot write the recording '" + path + "'";
        return false;
    }
    std::fprintf(recorder.file,
                 "# Quillstorm recording: replay it with --script FILE (and the same --seed, if one "
                 "was given).\n");
    std::fflush(recorder.file);
    return true;
}

void StopRecording() {
    if (recorder.file) std::fclose(recorder.file);
    recorder.file = nullptr;
    recorder.inner = nullptr;
    recorder.pendingControl = 0;
    recorder.lastStep = -1;
}

InputSink& RecordingSink(InputSink& sink, int frame) {
    if (!recorder.file) return sink;
    recorder.inner = &sink;
    recorder.frame = frame;
    recorder.pendingControl = 0;
    return recorder;
}

void RecordFrameStep(int frame, int stepMs) {
    if (!recorder.file || stepMs == recorder.lastStep) return;
    recorder.lastStep = stepMs;
    recorder.frame = frame;
    recorder.Write("step " + std::to_string(stepMs));
}

} // namespace Media::Internal

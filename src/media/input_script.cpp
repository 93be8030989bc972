// The input script: one event per line, "FRAME EVENT ARGS". A line whose first non-blank
// character is '#' is a comment, and " #" starts a comment at the end of a line. Events:
//   move X Y        pointer to window pixel (X, Y)
//   rel DX DY       pointer moved by (DX, DY)
//   down B, up B    mouse button B (1 left, 2 right, 3 middle); click B = down and up
//   key NAME        press and release; keydown NAME, keyup NAME
//   type TEXT       the characters of TEXT (everything after "type ")
//   char CODE       one typed character by its code, 1 to 255 (control characters, space, '#')
//   step MS         from this frame on, each present advances the clock by MS ms (0 to 86400000),
//                   until the next step event; a recording writes one whenever the step changes
//   suspend, resume the application loses or regains the foreground
//   pad BUTTON      gamepad button pressed and released; paddown BUTTON, padup BUTTON
//   axis NAME VALUE gamepad axis at VALUE (sticks −1 to 1, triggers 0 to 1) until the next axis
//                   event for it
//   padadded, padremoved  a gamepad is plugged in or unplugged
// NAME is a letter, a digit, ESC, ENTER, SPACE, BACKSPACE, TAB, F5, UP, DOWN, LEFT or RIGHT (any
// case), or VK and a key code from 1 to 255 (VK37). BUTTON and the axis NAME are SDL's
// game-controller names: a, b, x, y, back, start, leftshoulder, rightshoulder, dpup, dpdown,
// dpleft, dpright; leftx, lefty, rightx, righty, lefttrigger, righttrigger. Pressing ESC, ENTER, BACKSPACE or
// TAB also types its control character, as the keyboard does in the window. Events of frame N are applied by
// the first PollEvents after N frames have been presented; the step of frame N is the clock advance of the
// present that ends frame N.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

enum class Kind {
    Move,
    Rel,
    Down,
    Up,
    Click,
    Key,
    KeyDown,
    KeyUp,
    Type,
    Char,
    Step,
    Suspend,
    Resume,
    Pad,
    PadDown,
    PadUp,
    Axis,
    PadAdded,
    PadRemoved
};

struct ScriptEvent {
    int Frame = 0;
    Kind EventKind = Kind::Move;
    int A = 0, B = 0;
    float Value = 0;
    std::string Text;
};

constexpr const char* PAD_BUTTON_NAMES[PAD_BUTTONS] = {
    "a",    "b",      "x",      "y",      "back", "start", "leftshoulder", "rightshoulder",
    "dpup", "dpdown", "dpleft", "dpright"};
constexpr const char* PAD_AXIS_NAMES[PAD_AXES] = {"leftx",  "lefty",       "rightx",
                                                  "righty", "lefttrigger", "righttrigger"};

// Index of `name` in `names`, -1 when it is none of them.
template <size_t N> int NameIndex(const char* const (&names)[N], const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (name == names[i]) return int(i);
    return -1;
}

std::vector<ScriptEvent> script;
size_t nextEvent = 0;
// Step events, in frame order, apart from the input: presents during loading poll no input.
std::vector<ScriptEvent> steps;
size_t nextStep = 0;
int currentStep = -1;

bool ParseInt(const std::string& text, long long low, long long high, int& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = int(parsed);
    return true;
}

int KeyCode(std::string name) {
    for (char& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return name[0];
    static const std::pair<const char*, int> NAMED[] = {
        {"ESC", KEY_ESCAPE}, {"ENTER", KEY_ENTER}, {"SPACE", KEY_SPACE}, {"BACKSPACE", KEY_BACKSPACE},
        {"TAB", KEY_TAB},    {"F5", KEY_F5},       {"UP", KEY_UP},       {"DOWN", KEY_DOWN},
        {"LEFT", KEY_LEFT},  {"RIGHT", KEY_RIGHT}};
    for (const auto& [text, code] : NAMED)
        if (name == text) return code;
    int code = 0;
    if (name.size() > 2 && name.compare(0, 2, "VK") == 0 && ParseInt(name.substr(2), 1, 255, code))
        return code;
    return 0;
}

// Parses one line that is not blank or a comment; false with a reason.
bool ParseLine(const std::string& line, ScriptEvent& event, std::string& reason) {
    std::istringstream in(line);
    std::string frame, name;
    in >> frame >> name;
    if (!ParseInt(frame, 0, INT_MAX, event.Frame)) {
        reason = "the frame must be a whole number of 0 or more, not '" + frame + "'";
        return false;
    }
    if (name == "type") {
        const size_t at = line.find("type") + 4;
        event.EventKind = Kind::Type;
        event.Text = at < line.size() ? line.substr(at + 1) : "";
        if (event.Text.empty()) {
            reason = "type needs the text to type";
            return false;
        }
        return true;
    }
    std::vector<std::string> args;
    for (std::string word; in >> word;)
        args.push_back(word);
    auto argCount = [&](size_t count) {
        if (args.size() == count) return true;
        reason = name + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s");
        return false;
    };
    if (name == "move" || name == "rel") {
        event.EventKind = name == "move" ? Kind::Move : Kind::Rel;
        if (!argCount(2)) return false;
        if (!ParseInt(args[0], -100000, 100000, event.A) || !ParseInt(args[1], -100000, 100000, event.B)) {
            reason = name + " needs two whole numbers";
            return false;
        }
        return true;
    }
    if (name == "down" || name == "up" || name == "click") {
        event.EventKind = name == "down" ? Kind::Down : name == "up" ? Kind::Up : Kind::Click;
        if (!argCount(1)) return false;
        if (!ParseInt(args[0], 1, 3, event.A)) {
            reason = "the mouse button must be 1, 2 or 3, not '" + args[0] + "'";
            return false;
        }
        return true;
    }
    if (name == "key" || name == "keydown" || name == "keyup") {
        event.EventKind = name == "key" ? Kind::Key : name == "keydown" ? Kind::KeyDown : Kind::KeyUp;
        if (!argCount(1)) return false;
        event.A = KeyCode(args[0]);
        if (event.A == 0) {
            reason = "unknown key '" + args[0] + "'";
            return false;
        }
        return true;
    }
    if (name == "char") {
        event.EventKind = Kind::Char;
        if (!argCount(1)) return false;
        if (!ParseInt(args[0], 1, 255, event.A)) {
            reason = "char needs a character code from 1 to 255, not '" + args[0] + "'";
            return false;
        }
        return true;
    }
    if (name == "step") {
        event.EventKind = Kind::Step;
        if (!argCount(1)) return false;
        if (!ParseInt(args[0], 0, 86400000, event.A)) {
            reason = "step needs milliseconds from 0 to 86400000, not '" + args[0] + "'";
            return false;
        }
        return true;
    }
    if (name == "suspend" || name == "resume") {
        event.EventKind = name == "suspend" ? Kind::Suspend : Kind::Resume;
        return argCount(0);
    }
    if (name == "pad" || name == "paddown" || name == "padup") {
        event.EventKind = name == "pad" ? Kind::Pad : name == "paddown" ? Kind::PadDown : Kind::PadUp;
        if (!argCount(1)) return false;
        event.A = NameIndex(PAD_BUTTON_NAMES, args[0]);
        if (event.A < 0) {
            reason = "unknown pad button '" + args[0] + "'";
            return false;
        }
        return true;
    }
    if (name == "axis") {
        event.EventKind = Kind::Axis;
        if (!argCount(2)) return false;
        event.A = NameIndex(PAD_AXIS_NAMES, args[0]);
        if (event.A < 0) {
            reason = "unknown pad axis '" + args[0] + "'";
            return false;
        }
        errno = 0;
        char* end = nullptr;
        event.Value = std::strtof(args[1].c_str(), &end);
        const float low = event.A >= PAD_LEFTTRIGGER ? 0.0f : -1.0f;
        if (errno != 0 || *end != '\0' || !(event.Value >= low && event.Value <= 1.0f)) {
            reason = "axis " + args[0] + " needs a value from " + (low < 0 ? "-1" : "0") + " to 1, not '" +
                     args[1] + "'";
            return false;
        }
        return true;
    }
    if (name == "padadded" || name == "padremoved") {
        event.EventKind = name == "padadded" ? Kind::PadAdded : Kind::PadRemoved;
        return argCount(0);
    }
    reason = name.empty() ? "an event is missing after the frame" : "unknown event '" + name + "'";
    return false;
}

} // namespace

namespace Internal {

bool LoadInputScript(const std::string& path, std::string& error) {
    ClearInputScript();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, size_t(16) << 20)) {
        error = "cannot read the input script '" + path + "'";
        return false;
    }
    std::vector<ScriptEvent> events;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        for (size_t at = line.find('#'); at != std::string::npos; at = line.find('#', at + 1)) {
            if (line[at - 1] == ' ' || line[at - 1] == '\t') {
                line.erase(at);
                break;
            }
        }
        line.erase(line.find_last_not_of(" \t") + 1);
        ScriptEvent event;
        std::string reason;
        if (!ParseLine(line.substr(first), event, reason)) {
            error = "input script " + path + ", line " + std::to_string(number) + ": " + reason;
            return false;
        }
        events.push_back(std::move(event));
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.Frame < b.Frame; });
    for (ScriptEvent& event : events)
        (event.EventKind == Kind::Step ? steps : script).push_back(std::move(event));
    return true;
}

void ClearInputScript() {
    script.clear();
    nextEvent = 0;
    steps.clear();
    nextStep = 0;
    currentStep = -1;
}

bool InputScriptHasSteps() {
    return !steps.empty();
}

int InputScriptStep(int frame, int fallback) {
    for (; nextStep < steps.size() && steps[nextStep].Frame <= frame; ++nextStep)
        currentStep = steps[nextStep].A;
    return currentStep >= 0 ? currentStep : fallback;
}

int KeyControlCharacter(int vk) {
    return vk == KEY_ESCAPE || vk == KEY_ENTER || vk == KEY_BACKSPACE || vk == KEY_TAB ? vk : 0;
}

std::string InputScriptKeyName(int vk) {
    switch (vk) {
    case KEY_ESCAPE:
        return "ESC";
    case KEY_ENTER:
        return "ENTER";
    case KEY_SPACE:
        return "SPACE";
    case KEY_BACKSPACE:
        return "BACKSPACE";
    case KEY_TAB:
        return "TAB";
    case KEY_F5:
        return "F5";
    case KEY_UP:
        return "UP";
    case KEY_DOWN:
        return "DOWN";
    case KEY_LEFT:
        return "LEFT";
    case KEY_RIGHT:
        return "RIGHT";
    default:
        break;
    }
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, char(vk));
    return "VK" + std::to_string(vk);
}

void ApplyInputScript(int frame, InputSink& sink) {
    for (; nextEvent < script.size() && script[nextEvent].Frame <= frame; ++nextEvent) {
        const ScriptEvent& e = script[nextEvent];
        switch (e.EventKind) {
        case Kind::Move:
            sink.PointerMoved(e.A, e.B);
            break;
        case Kind::Rel:
            sink.PointerMoved(PointerWindowX() + e.A, PointerWindowY() + e.B);
            break;
        case Kind::Down:
            sink.ButtonDown(e.A);
            break;
        case Kind::Up:
            sink.ButtonUp(e.A);
            break;
        case Kind::Click:
            sink.ButtonDown(e.A);
            sink.ButtonUp(e.A);
            break;
        case Kind::Key:
            sink.KeyDown(e.A);
            if (const int ch = KeyControlCharacter(e.A)) sink.TypedChar(ch);
            sink.KeyUp(e.A);
            break;
        case Kind::KeyDown:
            sink.KeyDown(e.A);
            if (const int ch = KeyControlCharacter(e.A)) sink.TypedChar(ch);
            break;
        case Kind::KeyUp:
            sink.KeyUp(e.A);
            break;
        case Kind::Type:
            for (unsigned char c : e.Text)
                sink.TypedChar(c);
            break;
        case Kind::Char:
            sink.TypedChar(e.A);
            break;
        case Kind::Step:
            break;
        case Kind::Suspend:
            sink.System(SystemEvent::Suspend);
            break;
        case Kind::Resume:
            sink.System(SystemEvent::Resume);
            break;
        case Kind::Pad:
            sink.PadButtonDown(e.A);
            sink.PadButtonUp(e.A);
            break;
        case Kind::PadDown:
            sink.PadButtonDown(e.A);
            break;
        case Kind::PadUp:
            sink.PadButtonUp(e.A);
            break;
        case Kind::Axis:
            sink.PadAxisMoved(e.A, e.Value);
            break;
        case Kind::PadAdded:
            sink.PadConnected(true);
            break;
        case Kind::PadRemoved:
            sink.PadConnected(false);
            break;
        }
    }
}

const char* InputScriptPadButtonName(int button) {
    return button >= 0 && button < PAD_BUTTONS ? PAD_BUTTON_NAMES[button] : "";
}

const char* InputScriptPadAxisName(int axis) {
    return axis >= 0 && axis < PAD_AXES ? PAD_AXIS_NAMES[axis] : "";
}

} // namespace Internal
} // namespace Media

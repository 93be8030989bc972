// What --help and --version print. The man page (dist/quillstorm.6) lists the same options and
// controls in the same words; a test compares the two.
#include <string>

#include "media/media.h"

#ifndef QS_VERSION
#error "QS_VERSION must be defined by the build (the project version)"
#endif

namespace Media {
namespace {

struct Entry {
    const char* Term;
    const char* Meaning;
};

constexpr Entry OPTIONS[] = {
    {"--windowed", "start in the 800 x 500 window instead of full screen"},
    {"--data DIR", "data root, the game's working folder (default: the installed one beside the program, "
                   "else the working folder)"},
    {"--log FILE", "also write the debug log to FILE (it always goes to standard error)"},
    {"--seed N", "seed the random generator with N instead of the clock"},
    {"--fps N", "cap the frame rate at N frames per second where the display does not wait for its "
                "refresh; 0 = uncapped; default: the display's refresh rate"},
    {"--headless", "no window, no sound, a virtual clock (tests and benchmarks)"},
    {"--step MS", "headless frame step in milliseconds (default 16)"},
    {"--frames N", "end normally (status 0) after N frames"},
    {"--script FILE", "feed input from FILE, one event a line"},
    {"--record FILE",
     "write this session's input and frame steps to FILE, as a script that --script replays"},
    {"--stage N", "after loading, start a new game at stage N with the active save slot, skipping the "
                  "logos and menus (0 = level 1 wave 1 ... 54 = level 11 wave 5)"},
    {"--help", "print the usage, the options and the controls, and exit"},
    {"--version", "print the version and exit"},
};

constexpr Entry CONTROLS[] = {
    {"mouse", "steer the ship; in menus, point at a button"},
    {"left button", "fire (hold for a volley); in menus, press the button under the pointer"},
    {"arrow keys, WASD", "steer the ship; in menus, the arrow keys move between buttons"},
    {"Space", "fire"},
    {"Enter", "in menus, press the chosen button"},
    {"pad left stick, d-pad", "steer the ship; in menus, move between buttons"},
    {"pad A, right trigger", "fire; in menus, A presses the chosen button"},
    {"pad Start, B", "the same as Escape"},
    {"Escape", "during play, the quit confirmation (Escape again confirms); in menus, back"},
    {"F", "during play, switch between the window and full screen"},
    {"F5", "save a screenshot"},
    {"Tab", "hold for the debug overlay (frame rate, sprites, enemies, memory)"},
};

constexpr size_t TERM_COLUMN = 26; // where meanings start
constexpr size_t LINE_WIDTH = 80;

// "  term    meaning", the meaning wrapped at word boundaries and continued under itself; a term
// too long for its column puts the meaning on the next line.
void AppendEntry(std::string& text, const Entry& entry) {
    std::string line = "  ";
    line += entry.Term;
    if (line.size() + 2 > TERM_COLUMN) {
        text += line + "\n";
        line.clear();
    }
    line.resize(TERM_COLUMN, ' ');
    const std::string meaning = entry.Meaning;
    for (size_t pos = 0; pos < meaning.size();) {
        size_t end = meaning.find(' ', pos);
        if (end == std::string::npos) end = meaning.size();
        const size_t length = end - pos;
        if (line.size() > TERM_COLUMN && line.size() + 1 + length > LINE_WIDTH) {
            text += line + "\n";
            line.assign(TERM_COLUMN, ' ');
        }
        if (line.size() > TERM_COLUMN) line += ' ';
        line.append(meaning, pos, length);
        pos = end + 1;
    }
    text += line + "\n";
}

} // namespace

std::string UsageText() {
    std::string text = "Usage: quillstorm [options]\n"
                       "A 2D arcade space shooter: steer the ship and fight 11 levels of alien waves.\n"
                       "\nOptions:\n";
    for (const Entry& entry : OPTIONS)
        AppendEntry(text, entry);
    text += "\nControls:\n";
    for (const Entry& entry : CONTROLS)
        AppendEntry(text, entry);
    text += "\nSee quillstorm(6) for the files it writes and the input script format.\n";
    return text;
}

std::string VersionText() {
    return "Quillstorm " QS_VERSION "\n";
}

} // namespace Media

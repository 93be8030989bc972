// The command line: quillstorm [--windowed] [--data DIR] [--log FILE] [--seed N] [--headless]
// [--step MS] [--frames N] [--script FILE] [--record FILE] [--stage N] [--fps N] [--help]
// [--version].
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "media/media.h"

namespace Media {
namespace {

// A whole decimal number within [low, high]; anything else (empty, trailing text, overflow) fails.
bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

} // namespace

bool ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error) {
    options = Options{};
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i] ? argv[i] : "";
        auto needValue = [&](std::string& value) {
            if (i + 1 >= argc || !argv[i + 1]) {
                error = "option " + option + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        std::string value;
        long long number = 0;
        // --help and --version end the program at once, so what follows them does not matter.
        if (option == "--help") {
            options.Help = true;
            return true;
        } else if (option == "--version") {
            options.Version = true;
            return true;
        } else if (option == "--windowed") {
            options.Windowed = true;
        } else if (option == "--headless") {
            options.Headless = true;
        } else if (option == "--data") {
            if (!needValue(options.DataRoot)) return false;
        } else if (option == "--log") {
            if (!needValue(options.LogFile)) return false;
        } else if (option == "--script") {
            if (!needValue(options.ScriptFile)) return false;
        } else if (option == "--record") {
            if (!needValue(options.RecordFile)) return false;
        } else if (option == "--seed") {
            // Any 32-bit value, signed or unsigned; the generator keeps the low 31 bits.
            if (!needValue(value)) return false;
            if (!ParseNumber(value, INT32_MIN, UINT32_MAX, number)) {
                error = "--seed needs a whole number, not '" + value + "'";
                return false;
            }
            options.HasSeed = true;
            options.Seed = uint32_t(number);
        } else if (option == "--step") {
            if (!needValue(value)) return false;
            // The frame loop drops a step of 250 ms or more as a stall, so a longer one would
            // never be simulated.
            if (!ParseNumber(value, 1, 249, number)) {
                error = "--step needs milliseconds from 1 to 249, not '" + value + "'";
                return false;
            }
            options.StepMs = int(number);
        } else if (option == "--frames") {
            if (!needValue(value)) return false;
            if (!ParseNumber(value, 1, INT_MAX, number)) {
                error = "--frames needs a number of frames (1 or more), not '" + value + "'";
                return false;
            }
            options.Frames = int(number);
        } else if (option == "--stage") {
            if (!needValue(value)) return false;
            if (!ParseNumber(value, 0, Options::STAGE_MAX, number)) {
                error = "--stage needs a stage from 0 to " + std::to_string(Options::STAGE_MAX) + ", not '" +
                        value + "'";
                return false;
            }
            options.Stage = int(number);
        } else if (option == "--fps") {
            if (!needValue(value)) return false;
            if (!ParseNumber(value, 0, Options::FPS_MAX, number)) {
                error = "--fps needs frames per second from 0 (no cap) to " +
                        std::to_string(Options::FPS_MAX) + ", not '" + value + "'";
                return false;
            }
            options.Fps = int(number);
        } else {
            error = "unknown option '" + option + "' (quillstorm --help lists the options)";
            return false;
        }
    }
    return true;
}

} // namespace Media

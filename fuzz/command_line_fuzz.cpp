// Command line parser: the input is split at zero bytes into arguments. Every command line either
// gives options within their documented ranges or is refused with a message.
#include <cstring>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"quillstorm"};
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t at = 0; at < size;) {
        const void* zero = std::memchr(text + at, 0, size - at);
        const size_t end = zero ? size_t(static_cast<const char*>(zero) - text) : size;
        words.emplace_back(text + at, end - at);
        at = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    argv.push_back(nullptr);

    Media::Options options;
    std::string error;
    if (Media::ParseCommandLine(int(words.size()), argv.data(), options, error)) {
        Fuzz::Require(options.StepMs >= 1 && options.StepMs <= 1000, "step 1..1000 ms");
        Fuzz::Require(options.Frames == -1 || options.Frames >= 1, "frames -1 or 1 or more");
        Fuzz::Require(options.HasSeed || options.Seed == 0, "seed only when given");
    } else {
        Fuzz::Require(!error.empty(), "refusal has a message");
    }
    return 0;
}

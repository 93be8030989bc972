#include <cstdio>
#include <string>

#include "shell/media.h"

int main(int argc, char** argv) {
    Media::Options options;
    std::string error;
    if (!Media::ParseCommandLine(argc, argv, options, error) || !Media::Init(options, error)) {
        std::fprintf(stderr, "quillstorm: %s\n", error.c_str());
        return 1;
    }
    Media::End(0);
}

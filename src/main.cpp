// Quillstorm: opens the display, seeds the random generator and runs the frame loop for the
// life of the process. The game flow starts in state 0.
#include <cstdio>
#include <string>

#include "flow/game_flow.h"
#include "flow/main_loop.h"
#include "media/media.h"
#include "shell/app.h"

int main(int argc, char** argv) {
    Media::Options options;
    std::string error;
    if (!Media::ParseCommandLine(argc, argv, options, error) || !Media::Init(options, error)) {
        std::fprintf(stderr, "quillstorm: %s\n", error.c_str());
        return 1;
    }

    int desktopW = 0, desktopH = 0;
    Media::DesktopSize(desktopW, desktopH);
    App::Create("Quillstorm!", desktopW, desktopH, 0, options.Windowed ? 0 : 1, 0);
    Media::SeedRandom(options.HasSeed ? int32_t(options.Seed) : int32_t(Media::ClockMs()));

    RegisterGameFlow();
    StartFrameClock();
    RunMainLoop();
}

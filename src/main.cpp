// Quillstorm: opens the display, seeds the random generator and runs the frame loop for the
// life of the process. The game flow starts in state 0.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "flow/game_flow.h"
#include "flow/main_loop.h"
#include "media/media.h"
#include "menus/kept_settings.h"
#include "shell/app.h"
#include "shell/user_files.h"

namespace {

// An installed program lives in <prefix>/bin with its data root in <prefix>/share/quillstorm, or
// in Debian's layout for games, <prefix>/games with <prefix>/share/games/quillstorm. Returns that
// root when it exists, else "" (run from a build, the data root is given or is the working folder).
std::string InstalledDataRoot() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "";
    const std::filesystem::path prefix = program.parent_path().parent_path();
    for (const std::filesystem::path& root :
         {prefix / "share" / "quillstorm", prefix / "share" / "games" / "quillstorm"})
        if (std::filesystem::is_directory(root / "gfx", error)) return root.string();
    return "";
}

} // namespace

int main(int argc, char** argv) {
    Media::Options options;
    std::string error;
    if (!Media::ParseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "quillstorm: %s\n", error.c_str());
        return 1;
    }
    if (options.Help || options.Version) {
        std::fputs((options.Help ? Media::UsageText() : Media::VersionText()).c_str(), stdout);
        return 0;
    }
    if (options.DataRoot.empty()) {
        options.DataRoot = InstalledDataRoot();
        // The installed data root is read-only: the save file and screenshots go to the player's.
        if (!options.DataRoot.empty()) {
            SetUserFileFolder(DefaultUserFileFolder());
            SetSettingsFolder(DefaultSettingsFolder());
        }
    }
    if (!Media::Init(options, error)) {
        std::fprintf(stderr, "quillstorm: %s\n", error.c_str());
        return 1;
    }

    // The logos decode on the decode threads while the window opens.
    StartDecodingLogos();
    // The kept display mode opens the game; --windowed still gives a window for this run alone.
    LoadKeptSettings();
    int desktopW = 0, desktopH = 0;
    Media::DesktopSize(desktopW, desktopH);
    App::Create("Quillstorm!", desktopW, desktopH, 0, options.Windowed || Kept.Windowed != 0 ? 0 : 1, 0);
    Media::SeedRandom(options.HasSeed ? int32_t(options.Seed) : int32_t(Media::ClockMs()));

    RegisterGameFlow();
    StartFrameClock();
    RunMainLoop();
}

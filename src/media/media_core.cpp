// Start-up and shutdown of the media layer, the debug log, time and a few system calls.
//
// Before Init and after Shutdown the layer runs on a headless back end with default options, so
// every call is safe at any time (FatalError may run before the display exists).
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

struct Core {
    Options options;
    std::unique_ptr<Backend> backend;
    bool started = false;
    FILE* logFile = nullptr;
    uint32_t generation = 1;
};

// Never destroyed: images and sounds held in other static objects may be released after main
// returns, and their destructors still ask which back end is current.
Core& TheCore() {
    static Core& core = *new Core;
    return core;
}

// Loading makes and frees hundreds of megabytes of pixels: decoded files, sheets cut into frames,
// textures' levels. By default a big block is a fresh mapping, given back to the system when it is
// freed, and every 4 KB page of the next one costs a page fault when it is first written. Kept in
// the heap instead, freed blocks serve the next pictures. Each thread keeps its own heap: with one
// heap for all, the main thread waits for the lock whenever a decode thread, below its priority,
// is preempted while holding it, a hitch of a scheduler tick in the middle of play.
void KeepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest glibc allows
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

void CloseLog() {
    Core& core = TheCore();
    if (core.logFile) {
        std::fclose(core.logFile);
        core.logFile = nullptr;
    }
}

} // namespace

Backend& CurrentBackend() {
    Core& core = TheCore();
    if (!core.backend) core.backend = CreateHeadlessBackend(Options{});
    return *core.backend;
}

namespace Internal {
uint32_t BackendGeneration() {
    return TheCore().generation;
}
} // namespace Internal

bool Init(const Options& options, std::string& error) {
    Shutdown();
    Core& core = TheCore();
    KeepFreedMemory();
    // The log and the script are named relative to the folder the program was started in.
    if (!options.LogFile.empty()) {
        core.logFile = std::fopen(options.LogFile.c_str(), "w");
        if (!core.logFile) {
            error = "cannot write the log file '" + options.LogFile + "'";
            return false;
        }
    }
    if (!options.ScriptFile.empty() && !Internal::LoadInputScript(options.ScriptFile, error)) {
        CloseLog();
        return false;
    }
    if (!options.RecordFile.empty() && !Internal::StartRecording(options.RecordFile, error)) {
        Internal::ClearInputScript();
        CloseLog();
        return false;
    }
    if (!options.DataRoot.empty() && chdir(options.DataRoot.c_str()) != 0) {
        error = "cannot enter the data folder '" + options.DataRoot + "'";
        Internal::StopRecording();
        Internal::ClearInputScript();
        CloseLog();
        return false;
    }
    // The fallback back end goes before the chosen one starts (only one SDL instance at a time).
    core.backend.reset();
    ++core.generation;
    core.backend = options.Headless ? CreateHeadlessBackend(options) : CreateSdlBackend(options);
    if (!core.backend) {
        error = "cannot start the display back end";
        Internal::StopRecording();
        Internal::ClearInputScript();
        CloseLog();
        return false;
    }
    core.options = options;
    core.started = true;
    Internal::StartSessionClock(!options.RecordFile.empty() || Internal::InputScriptHasSteps(),
                                options.StepMs);
    if (options.HasSeed) SeedRandom(int32_t(options.Seed));
    return true;
}

void Shutdown() {
    Core& core = TheCore();
    EndPrefetch();
    Internal::DropPendingDraws();
    Internal::ResetDisplay();
    Internal::ResetDrawState();
    Internal::ResetInput();
    Internal::ClearInputScript();
    Internal::StopRecording();
    Internal::ResetCollisions();
    Internal::ResetRandom();
    if (core.started) {
        core.backend.reset();
        ++core.generation;
    }
    CloseLog();
    core.options = Options{};
    core.started = false;
    Internal::StartSessionClock(false, core.options.StepMs);
}

const Options& CurrentOptions() {
    return TheCore().options;
}

bool IsHeadless() {
    return !TheCore().started || TheCore().options.Headless;
}

void DebugLog(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    if (FILE* log = TheCore().logFile) {
        std::fprintf(log, "%s\n", text.c_str());
        std::fflush(log); // a crash right after must not lose the line
    }
}

void Notify(const std::string& text, int serious) {
    CurrentBackend().Notify(text, serious);
}

void End(int status) {
    Core& core = TheCore();
    CloseLog();
    // The back end restores the desktop (full-screen mode, audio device) before the process goes.
    core.backend.reset();
    std::fflush(nullptr);
    // No destructors or leak reports: the game keeps its resources for the life of the process
    // and a normal end must exit with exactly this status.
    std::_Exit(status);
}

uint32_t ClockMs() {
    return Internal::SessionClockStepped() ? Internal::SessionClockMs() : CurrentBackend().ClockMs();
}

bool ClockIsRealTime() {
    return !IsHeadless() && !Internal::SessionClockStepped();
}

void SleepMs(int ms) {
    if (ms <= 0) return;
    CurrentBackend().SleepMs(ms);
    if (Internal::SessionClockStepped()) Internal::SessionClockSlept(ms);
}

size_t MemoryInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace Media

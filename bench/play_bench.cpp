// The real game loop, headless: a game started at a stage as --stage starts it, the ship holding
// the fire button and sweeping from side to side, for a fixed number of frames of play. Reports
// the CPU time of each whole frame (the screen's update, the sprite engine's step and the draw of
// every sprite; the headless present costs nothing), the peak number of sprites, heap allocations
// per frame, and the overdraw (screen pixels covered per screen pixel; --full-quads measures it
// with whole frames drawn, as before visible rectangles).
//
// Run: play_bench --data DIR [--frames N] [--stage S]... [--boss S]... [--full-quads] (default: stages 0 and
// 54, and stage 54 sent straight to its boss fight, 10000 frames each; --boss S kills the wave's enemies once
// play begins and enters the boss approach, so a fifth wave's boss comes at once). Each run is its own
// process, so every run starts from a fresh program. The ship gets its lives topped up, so play goes on for
// the whole run (it still explodes and respawns). Use a Release build.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "flow/game_flow.h"
#include "flow/main_loop.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "media/media.h"
#include "shell/app.h"
#include "shell/state_system.h"
#include "sprites/sprite.h"
#include "support/allocation_counter.h"

namespace {

// Fire held from the first frame; the mouse sweeps the ship from edge to edge (2.4 s each way),
// a little up and down on the way.
std::string WriteSweepScript(int frames) {
    char path[] = "/tmp/play_bench_script_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return "";
    close(fd);
    std::ofstream out(path);
    out << "0 down 1\n";
    for (int frame = 1; frame < frames; ++frame) {
        const int phase = frame % 300;
        out << frame << " rel " << (phase < 150 ? 12 : -12) << ' ' << ((frame / 120) % 2 == 0 ? 1 : -1)
            << '\n';
    }
    return path;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[index];
}

int RunStage(const std::string& dataRoot, int stage, int frames, bool bossAtOnce, bool fullQuads) {
    // Loading takes a few hundred frames before play begins; the script covers them too.
    const std::string script = WriteSweepScript(frames + 2000);
    Media::Options options;
    options.Headless = true;
    options.Windowed = true;
    options.DataRoot = dataRoot;
    options.HasSeed = true;
    options.Seed = 7;
    options.Stage = stage;
    options.ScriptFile = script;
    std::string error;
    if (script.empty() || !Media::Init(options, error)) {
        std::fprintf(stderr, "play_bench: %s\n", error.c_str());
        return 1;
    }
    App::Create("Quillstorm!", 800, 500, 0, 0, 0);
    Media::SetDrawTrimming(!fullQuads);
    Media::SeedRandom(int32_t(options.Seed));
    RegisterGameFlow();
    StartFrameClock();

    for (int i = 0; i < 5000 && StateSystem::State() != STATE_PLAYING; ++i)
        RunFrame();
    if (StateSystem::State() != STATE_PLAYING) {
        std::fprintf(stderr, "play_bench: stage %d never reached play\n", stage);
        return 1;
    }

    if (bossAtOnce) {
        // Straight to the boss approach: the boss comes as soon as the field is empty.
        Enemy::KillAll();
        Level::SetState(7);
    }

    std::vector<double> ms, overdraw;
    ms.reserve(size_t(frames));
    overdraw.reserve(size_t(frames));
    long allocations = 0;
    int livesLost = 0, peakSprites = 0, peakEnemies = 0, bossFrames = 0, otherScreenFrames = 0;
    using Clock = std::chrono::steady_clock;
    while (int(ms.size()) < frames) {
        if (Player::Lives < 2) {
            livesLost += 3 - Player::Lives;
            Player::Lives = 3;
        }
        const long before = AllocationCount();
        const Clock::time_point start = Clock::now();
        const bool ran = RunFrame();
        const Clock::time_point end = Clock::now();
        if (!ran) continue;
        allocations += AllocationCount() - before;
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        overdraw.push_back(double(Media::LastFrameOverdraw()));
        peakSprites = std::max(peakSprites, Sprite::SpriteList().Count());
        peakEnemies = std::max(peakEnemies, Enemy::EnemyList().Count());
        bossFrames += Level::State == 8 ? 1 : 0;
        otherScreenFrames += StateSystem::State() != STATE_PLAYING ? 1 : 0;
    }
    std::remove(script.c_str());

    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf(
        "stage %2d (level %d wave %d)%s: %d frames  median %.3f ms  p99 %.3f ms  mean %.3f ms  max %.3f ms\n",
        stage, stage / Level::WavesPerLevel + 1, stage % Level::WavesPerLevel + 1,
        bossAtOnce ? ", boss at once" : "", frames, Percentile(ms, 0.5), Percentile(ms, 0.99),
        sum / double(ms.size()), Percentile(ms, 1.0));
    std::printf("          peak sprites %d  peak enemies %d  allocations/frame %.2f  boss-fight frames %d"
                "  frames off the play screen %d  waves reached: stage %d, level state %d\n",
                peakSprites, peakEnemies, double(allocations) / double(ms.size()), bossFrames,
                otherScreenFrames, Level::Stage, Level::State);
    double overdrawSum = 0;
    for (double v : overdraw)
        overdrawSum += v;
    std::printf("          overdraw (pixels covered / screen pixels)%s: median %.2f  mean %.2f  max %.2f\n",
                fullQuads ? ", whole frames" : "", Percentile(overdraw, 0.5),
                overdrawSum / double(overdraw.size()), Percentile(overdraw, 1.0));
    std::printf(
        "          volleys %d  hits %d  kills %d of %d enemies  lives lost %d  ship at (%.0f, %.0f)\n",
        Player::TotalShots, Player::TotalHits, Player::TotalKills, Player::TotalEnemies, livesLost,
        Player::Ship->X(0), Player::Ship->Y(0));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string dataRoot;
    int frames = 10000;
    std::vector<int> stages, bossStages;
    bool fullQuads = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--full-quads") {
            fullQuads = true;
            continue;
        }
        if (i + 1 >= argc) break;
        const std::string option = argv[i++];
        const int value = std::atoi(argv[i]);
        if (option == "--data")
            dataRoot = argv[i];
        else if (option == "--frames")
            frames = std::max(1, value);
        else if (option == "--stage")
            stages.push_back(std::clamp(value, 0, Level::Stages - 1));
        else if (option == "--boss")
            bossStages.push_back(std::clamp(value, 0, Level::Stages - 1));
    }
    if (dataRoot.empty()) {
        std::fprintf(
            stderr,
            "usage: play_bench --data DIR [--frames N] [--stage S]... [--boss S]... [--full-quads]\n");
        return 2;
    }
    if (stages.empty() && bossStages.empty()) {
        stages = {0, Level::Stages - 1};
        bossStages = {Level::Stages - 1};
    }
    struct Run {
        int Stage;
        bool Boss;
    };
    std::vector<Run> runs;
    for (int stage : stages)
        runs.push_back({stage, false});
    for (int stage : bossStages)
        runs.push_back({stage, true});

    int status = 0;
    for (const Run& run : runs) {
        const pid_t child = fork();
        if (child == 0) _exit(RunStage(dataRoot, run.Stage, frames, run.Boss, fullQuads));
        int childStatus = 0;
        waitpid(child, &childStatus, 0);
        if (!WIFEXITED(childStatus) || WEXITSTATUS(childStatus) != 0) status = 1;
    }
    return status;
}

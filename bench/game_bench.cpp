// A whole game, headless, through the real game flow and frame loop: the logos (skipped with a
// click), loading, the title, the player menu, the story, levels 1 and 2 wave by wave with the
// level statistics between them, level 5's last wave and its boss, level 6 until the ship is lost
// for good, game over, the final statistics, the title again and the credits. The bench plays the
// part of the player: it clicks the buttons the menus show, presses Escape on screens that take
// it, holds fire during play, ends each wave after a while by clearing the field, and tops the
// ship's lives up until it wants the game over.
//
// It measures the main thread's CPU time of each frame (its CPU clock around one pass of the frame
// loop, so work on other threads does not count) and reports the maximum, the 99.9th and 99th
// percentiles and the median of the frames outside the loading screen, the slowest frames with the
// screen they belong to, every frame over 4 ms, and the arrival frame of the boss (the frame that
// starts the boss fight). While the worker that decodes pictures ahead is busy, each frame lasts
// at least its step in real time, as on screen, so that the worker keeps the pace it has in play.
//
// Run: game_bench --data DIR [--runs N] (default 3; each run is its own process, from a fresh
// program; the figures are given per run and as the median over the runs). The save file is
// written in a temporary copy of the data root's data folder, never in DIR. Use a Release build.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "flow/game_flow.h"
#include "flow/main_loop.h"
#include "game/background.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "menus/main_menu.h"
#include "menus/player_menu.h"
#include "shell/app.h"
#include "shell/state_system.h"

namespace {

namespace fs = std::filesystem;

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

const char* StateName(int state) {
    switch (state) {
    case STATE_START:
    case STATE_LOGOS:
        return "logos";
    case STATE_LOADING_ZOOM_IN:
    case STATE_LOADING:
    case STATE_LOADING_ZOOM_OUT:
        return "loading";
    case STATE_MAIN_MENU:
        return "title";
    case STATE_PLAYER_MENU:
        return "player menu";
    case STATE_OPTIONS:
        return "options";
    case STATE_LEVEL_STATS:
        return "level statistics";
    case STATE_FINAL_STATS:
        return "final statistics";
    case STATE_QUIT_CONFIRM:
        return "quit confirmation";
    case STATE_NEW_GAME:
    case STATE_NEXT_LEVEL:
        return "level start";
    case STATE_PLAYING:
        return "play";
    case STATE_ENDING:
        return "ending";
    case STATE_CREDITS:
        return "credits";
    case STATE_STORY:
        return "story";
    default:
        return "other";
    }
}

// Feeds input events to the next frame, in the input script's words ("click 1", "key ESC").
std::string InjectPath;
void Inject(const std::vector<std::string>& events) {
    {
        std::ofstream out(InjectPath);
        for (const std::string& event : events)
            out << "0 " << event << '\n'; // frame 0: due at once
    }
    std::string error;
    if (!Media::Internal::LoadInputScript(InjectPath, error))
        std::fprintf(stderr, "game_bench: %s\n", error.c_str());
}

void ClickAt(float x, float y) {
    Inject({"move " + std::to_string(int(x)) + " " + std::to_string(int(y)), "click 1"});
}

// A copy of the data root whose pictures and sounds are links, so the game's save file lands in
// the copy.
std::string MakeDataRoot(const std::string& dataRoot) {
    char pattern[] = "/tmp/game_bench_XXXXXX";
    if (mkdtemp(pattern) == nullptr) return "";
    const fs::path root = pattern;
    for (const fs::directory_entry& entry : fs::directory_iterator(dataRoot)) {
        const fs::path target = root / entry.path().filename();
        if (entry.path().filename() == "data")
            fs::copy(entry.path(), target, fs::copy_options::recursive);
        else
            fs::create_directory_symlink(fs::absolute(entry.path()), target);
    }
    fs::remove(root / "data" / "savegames.dat");
    return root.string();
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[index];
}

struct Frame {
    double CpuMs;
    int State;
    int Index;
    int Stage;
};

// The player's part, looked at once per frame: what to press next, and when to move the game on.
class Player1 {
public:
    // False once the whole game has been played.
    bool Act(int frame) {
        const int state = StateSystem::State();
        if (state != lastState_) {
            lastState_ = state;
            since_ = frame;
            if (state == STATE_PLAYING)
                Inject({"down 1"});
            else if (firing_)
                Inject({"up 1"});
            firing_ = state == STATE_PLAYING;
        }
        const int on = frame - since_;
        switch (state) {
        case STATE_LOGOS:
            if (on == 5) Inject({"click 1"});
            break;
        case STATE_MAIN_MENU:
            if (MainMenu::MenuState() != 4 || on < 60 || on % 20 != 0) break;
            if (credits_ == 0) {
                ClickAt(400, float(MainMenu::BUTTON_Y[MainMenu::START]));
            } else if (credits_ == 1) {
                ClickAt(400, float(MainMenu::BUTTON_Y[MainMenu::CREDITS]));
            } else {
                return false;
            }
            break;
        case STATE_PLAYER_MENU:
            if (PlayerMenu::MenuState() == 2 && on >= 30 && on % 20 == 0) {
                const SpriteRef& play = PlayerMenu::Button(PlayerMenu::BUTTON_PLAY);
                ClickAt(play->X(1), play->Y(1));
            }
            break;
        case STATE_STORY:
        case STATE_CREDITS:
            if (on >= 600 && on % 30 == 0) Inject({"key ESC"});
            if (state == STATE_CREDITS) credits_ = 2;
            break;
        case STATE_LEVEL_STATS:
        case STATE_FINAL_STATS:
            if (on >= 60 && on % 30 == 0) Inject({"key ESC"});
            if (state == STATE_FINAL_STATS) credits_ = 1;
            break;
        case STATE_PLAYING:
            Play(frame);
            break;
        default:
            break;
        }
        return true;
    }

private:
    void Play(int frame) {
        if (Level::Stage != stage_) {
            stage_ = Level::Stage;
            waveStart_ = frame;
            // After level 2, straight on to level 5's boss wave.
            if (stage_ == 2 * Level::WavesPerLevel) {
                Level::Stage = 5 * Level::WavesPerLevel - 2;
                // The scenery of the wave that follows decodes ahead, as the wave before it
                // would have had it, in the time that wave would have lasted.
                Media::PrefetchPixmaps(Background::PicturePaths(Level::ThisLevel() - 1));
                while (Media::Internal::PrefetchBusy())
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                Enemy::KillAll();
                Level::SetState(2);
            }
        }
        const int level = Level::ThisLevel();
        if (level < 6 && Player::Lives < 2) Player::Lives = 3;
        const int wave = frame - waveStart_;
        if (Level::State == 8) {
            if (wave > 1200) Enemy::KillAll(); // ends the boss fight
            return;
        }
        if (wave == 400 && level == 6) {
            Player::Lives = 1; // the last one
            Player::Explode();
        } else if (wave == 400 && level < 6 && Level::State <= 1) {
            Enemy::KillAll();
            Level::SetState(level == 5 && Level::ThisWave() == Level::WavesPerLevel ? 7 : 2);
        }
    }

    int lastState_ = -1;
    int since_ = 0;
    bool firing_ = false;
    int credits_ = 0; // 0: a game to play, 1: the credits to see, 2: done
    int stage_ = -1;
    int waveStart_ = 0;
};

int RunGame(const std::string& dataRoot) {
    const std::string root = MakeDataRoot(dataRoot);
    if (root.empty()) return 1;
    InjectPath = root + "/input.txt";
    std::ofstream(InjectPath).put('\n');
    Media::Options options;
    options.Headless = true;
    options.Windowed = true;
    options.DataRoot = root;
    options.HasSeed = true;
    options.Seed = 7;
    options.ScriptFile = InjectPath;
    std::string error;
    if (!Media::Init(options, error)) {
        std::fprintf(stderr, "game_bench: %s\n", error.c_str());
        return 1;
    }
    StartDecodingLogos(); // as the game does, before its window opens
    App::Create("Quillstorm!", 800, 500, 0, 0, 0);
    Media::SeedRandom(int32_t(options.Seed));
    RegisterGameFlow();
    StartFrameClock();

    std::vector<Frame> frames;
    frames.reserve(100000);
    Player1 player;
    int bossArrival = -1;
    int previousLevelState = -1;
    const std::chrono::milliseconds frameTime(options.StepMs);
    for (int frame = 0; frame < 100000; ++frame) {
        if (!player.Act(frame)) break;
        const int state = StateSystem::State();
        const double start = ThreadCpuMs();
        const auto wallStart = std::chrono::steady_clock::now();
        const bool ran = RunFrame();
        const double cpu = ThreadCpuMs() - start;
        // Headless frames take no time, so the worker that decodes pictures ahead gets, per frame,
        // the time a frame lasts in play, as it would on screen.
        while (Media::Internal::PrefetchBusy() && std::chrono::steady_clock::now() - wallStart < frameTime)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (!ran) continue;
        if (state == STATE_PLAYING && Level::State == 8 && previousLevelState != 8)
            bossArrival = int(frames.size());
        previousLevelState = state == STATE_PLAYING ? Level::State : -1;
        frames.push_back({cpu, state, frame, Level::Stage});
    }
    fs::remove_all(root);

    std::vector<double> outside;
    std::vector<const Frame*> slowest;
    int count[STATE_ENDING + 8] = {};
    for (const Frame& f : frames) {
        if (std::string(StateName(f.State)) == "loading") continue;
        outside.push_back(f.CpuMs);
        slowest.push_back(&f);
        if (f.State >= 0 && f.State < int(std::size(count))) ++count[f.State];
    }
    std::sort(slowest.begin(), slowest.end(),
              [](const Frame* a, const Frame* b) { return a->CpuMs > b->CpuMs; });
    std::printf("frames outside loading %zu (title %d, player menu %d, story %d, level start %d, play %d, "
                "level statistics %d, final statistics %d, credits %d)\n",
                outside.size(), count[STATE_MAIN_MENU], count[STATE_PLAYER_MENU], count[STATE_STORY],
                count[STATE_NEXT_LEVEL] + count[STATE_NEW_GAME], count[STATE_PLAYING],
                count[STATE_LEVEL_STATS], count[STATE_FINAL_STATS], count[STATE_CREDITS]);
    std::printf("RESULT max %.3f ms  p99.9 %.3f ms  p99 %.3f ms  median %.3f ms  boss arrival %.3f ms\n",
                Percentile(outside, 1.0), Percentile(outside, 0.999), Percentile(outside, 0.99),
                Percentile(outside, 0.5), bossArrival >= 0 ? frames[size_t(bossArrival)].CpuMs : -1.0);
    std::printf("slowest frames:");
    for (size_t i = 0; i < std::min<size_t>(12, slowest.size()); ++i)
        std::printf("%s %.2f ms (%s, frame %d, stage %d)", i % 3 == 0 ? "\n " : ",", slowest[i]->CpuMs,
                    StateName(slowest[i]->State), slowest[i]->Index, slowest[i]->Stage);
    // Every frame over the hitch limit, in the order played.
    std::printf("\nframes over 4 ms:");
    int over = 0;
    for (const Frame& f : frames) {
        if (f.CpuMs <= 4.0 || std::string(StateName(f.State)) == "loading") continue;
        std::printf("%s %.2f ms (%s, frame %d, stage %d)", over % 3 == 0 ? "\n " : ",", f.CpuMs,
                    StateName(f.State), f.Index, f.Stage);
        ++over;
    }
    std::printf("%s\nreached: stage %d, game completed %d, final state %s\n", over == 0 ? " none" : "",
                Level::Stage, Player::GameCompleted, StateName(StateSystem::State()));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string dataRoot;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--data")
            dataRoot = argv[i + 1];
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    if (dataRoot.empty()) {
        std::fprintf(stderr, "usage: game_bench --data DIR [--runs N]\n");
        return 2;
    }
    int status = 0;
    for (int run = 0; run < runs; ++run) {
        std::printf("run %d\n", run + 1);
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) _exit(RunGame(dataRoot));
        int childStatus = 0;
        waitpid(child, &childStatus, 0);
        if (!WIFEXITED(childStatus) || WEXITSTATUS(childStatus) != 0) status = 1;
    }
    return status;
}

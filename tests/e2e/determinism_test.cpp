// The determinism guard: the real game loop, headless, run twice with one seed and one script
// (a game started at once, the ship sweeping and firing), must give the same sprites and the same
// score at every checkpoint. Each run is a child process of its own, so that nothing of the first
// run's program-wide state reaches the second.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "flow/game_flow.h"
#include "flow/main_loop.h"
#include "media/media.h"
#include "save/save_games.h"
#include "shell/app.h"
#include "sprites/sprite.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr int FRAMES = 4000;
constexpr int CHECK_EVERY = 250;

struct Hash {
    uint64_t Value = 1469598103934665603ull; // FNV-1a
    void Add(uint64_t word) {
        for (int i = 0; i < 8; ++i) {
            Value ^= (word >> (8 * i)) & 0xFF;
            Value *= 1099511628211ull;
        }
    }
    void Add(float value) { Add(uint64_t(std::bit_cast<uint32_t>(value))); }
};

// Every sprite in list order: position, rotation, scale, frame, colour, alpha and visibility.
uint64_t SpriteStateHash() {
    Hash hash;
    for (IntrusiveList<Sprite>::Pass pass(Sprite::SpriteList()); Sprite* sprite = pass.Next();) {
        for (float value :
             {sprite->X(1), sprite->Y(1), sprite->Rotation(1), sprite->ScaleX(1), sprite->ScaleY(1),
              sprite->Frame(0), sprite->R(1), sprite->G(1), sprite->B(1), sprite->Alpha(1)})
            hash.Add(value);
        hash.Add(uint64_t(sprite->Hidden(1)));
    }
    return hash.Value;
}

std::string SweepScript() {
    std::string script = "0 down 1\n";
    for (int frame = 1; frame < FRAMES; ++frame)
        script += std::to_string(frame) + " rel " + (frame % 240 < 120 ? "10" : "-10") + " " +
                  ((frame / 90) % 2 == 0 ? "1" : "-1") + "\n";
    return script;
}

// In a child process: plays FRAMES frames from `root` and writes "frame sprites score
// spritecount" lines to `out`; exits 0 when done.
[[noreturn]] void PlayAndRecord(const std::string& root, const std::string& out) {
    Media::Options options;
    options.Headless = true;
    options.Windowed = true;
    options.DataRoot = root;
    options.ScriptFile = root + "/script.txt";
    options.HasSeed = true;
    options.Seed = 1234;
    options.Stage = 0;
    std::string error;
    if (!Media::Init(options, error)) _exit(2);
    int width = 0, height = 0;
    Media::DesktopSize(width, height);
    App::Create("Quillstorm!", width, height, 0, 0, 0);
    Media::SeedRandom(int32_t(options.Seed));
    RegisterGameFlow();
    StartFrameClock();
    std::ofstream file(out);
    for (int frame = 1; frame <= FRAMES;) {
        if (!RunFrame()) continue;
        if (frame % CHECK_EVERY == 0)
            file << frame << ' ' << SpriteStateHash() << ' ' << SaveGames::Score() << ' '
                 << Sprite::SpriteList().Count() << '\n';
        ++frame;
    }
    file.close();
    _exit(file ? 0 : 3);
}

std::string MakeRoot() {
    const std::string root = testfiles::MakeGameRoot();
    const std::string script = SweepScript();
    testfiles::WriteBytes(root + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
    return root;
}

TEST(DeterminismTest, TwoRunsWithOneSeedAndScriptKeepTheSameSpritesAndScore) {
    std::string roots[2], results[2];
    for (int run = 0; run < 2; ++run) {
        roots[run] = MakeRoot();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) PlayAndRecord(roots[run], roots[run] + "/hashes.txt");
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << run << " status " << status;
        results[run] = testfiles::ReadText(roots[run] + "/hashes.txt");
    }
    EXPECT_EQ(std::count(results[0].begin(), results[0].end(), '\n'), FRAMES / CHECK_EVERY);
    EXPECT_EQ(results[0], results[1]) << "checkpoints: frame, sprite-state hash, score, sprites";
    std::printf("%s", results[0].c_str());
    for (const std::string& root : roots)
        fs::remove_all(root);
}

} // namespace

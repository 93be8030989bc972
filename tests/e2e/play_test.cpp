// Plays the real program headless with the generated game data: a game started with --stage, the
// ship sweeping from side to side and firing for five minutes of game time.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// Holds the fire button from the first frame and sweeps the ship from edge to edge (relative
// mouse movement, as during play; 2.4 s each way), a little up and down on the way.
std::string SweepScript(int frames) {
    std::string script = "0 down 1\n";
    for (int frame = 1; frame < frames; ++frame) {
        const int phase = frame % 300;
        const int dx = phase < 150 ? 12 : -12;
        const int dy = (frame / 120) % 2 == 0 ? 1 : -1;
        script += std::to_string(frame) + " rel " + std::to_string(dx) + " " + std::to_string(dy) + "\n";
    }
    return script;
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(PlayTest, FiveMinutesOfSweepingAndFiringAreReproducible) {
    constexpr int FRAMES = 5 * 60 * 1000 / 16; // five minutes of 16 ms frames
    const std::string script = SweepScript(FRAMES);
    std::string roots[2], logs[2];
    std::string command;
    for (int run = 0; run < 2; ++run) {
        roots[run] = testfiles::MakeGameRoot();
        testfiles::WriteBytes(roots[run] + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
        // Both runs at once: the two cores are shared anyway, and a run takes a while under the
        // sanitizers.
        command += "( '" + std::string(QS_GAME_BINARY) +
                   "' --headless --windowed --stage 0 --seed 7 --step 16" + " --frames " +
                   std::to_string(FRAMES) + " --data '" + roots[run] + "' --log '" + roots[run] +
                   "/game.log' --script '" + roots[run] + "/script.txt' > '" + roots[run] +
                   "/stderr.txt' 2>&1; echo $? > '" + roots[run] + "/status.txt' ) & ";
    }
    command += "wait";
    ASSERT_EQ(std::system(command.c_str()), 0);

    for (int run = 0; run < 2; ++run) {
        logs[run] = testfiles::ReadText(roots[run] + "/game.log");
        EXPECT_EQ(testfiles::ReadText(roots[run] + "/status.txt"), "0\n")
            << testfiles::ReadText(roots[run] + "/stderr.txt");
        EXPECT_NE(logs[run].find("Ended after " + std::to_string(FRAMES) + " frames."), std::string::npos);
    }
    EXPECT_EQ(logs[0], logs[1]) << "the same seed and script must give the same run";

    // The game went straight into play: level 1's scenery is composed at every wave that begins.
    const int waves = Count(logs[0], "Loaded gfx\\planets\\planet1.png");
    EXPECT_GE(waves, 1);
    std::printf("waves begun: %d\n", waves);

    for (const std::string& root : roots)
        fs::remove_all(root);
}

TEST(PlayTest, AStageOutsideTheGameIsRefused) {
    const std::string root = testfiles::MakeTempDir();
    for (const char* stage : {"55", "-1", "x"}) {
        const std::string command = "'" + std::string(QS_GAME_BINARY) + "' --headless --stage " + stage +
                                    " > '" + root + "/stderr.txt' 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << stage;
        EXPECT_NE(testfiles::ReadText(root + "/stderr.txt").find("--stage needs a stage from 0 to 54"),
                  std::string::npos)
            << stage;
    }
    fs::remove_all(root);
}

} // namespace

// Runs the real program: headless with a script, and in a real window under Xvfb with software
// OpenGL. Each test makes its own small data root, so the results do not depend on the art, but
// for the scene grabs, which use the generated game data.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "media/media.h"
#include "support/test_files.h"

namespace {

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        // A white 32 × 32 pointer: 16 × 16 on screen, top-left corner at the pointer.
        testfiles::WritePng(root + "/gfx/menus/mouse.png",
                            testfiles::SolidPixmap(32, 32, 255, 255, 255, 255));
        // A black logo holds the game at its first logo (about six seconds) without drawing
        // anything the pixel checks would see, so no more of the data root is needed.
        testfiles::WritePng(root + "/gfx/menus/logo1.png", testfiles::SolidPixmap(80, 50, 0, 0, 0, 255));
        // Tab types a character, which skips the logo: an invisible loading panel then slides
        // in for longer than the headless runs last.
        for (const char* name : {"loading.png", "loadingbar.png"})
            testfiles::WritePng(root + "/gfx/menus/" + name, testfiles::SolidPixmap(8, 8, 0, 0, 0, 0));
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    void Script(const std::string& text) {
        std::vector<uint8_t> bytes(text.begin(), text.end());
        testfiles::WriteBytes(root + "/script.txt", bytes);
    }
    // Runs the program (with `prefix` before it, e.g. xvfb-run) and returns its exit status.
    int Run(const std::string& args, const std::string& prefix = "") {
        std::string command = prefix + " '" + std::string(QS_GAME_BINARY) + "' --data '" + root +
                              "' --log '" + root + "/game.log' " + args + " > '" + root + "/stderr.txt' 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Log() { return testfiles::ReadText(root + "/game.log"); }
    bool Logged(const std::string& line) { return Log().find(line) != std::string::npos; }

    std::string root;
};

// Brightness (0..765) of a pixel of an RGBA pixel map.
int Brightness(const Media::PixelMap& map, int x, int y) {
    const uint8_t* p = map.At(x, y);
    return p[0] + p[1] + p[2];
}

} // namespace

TEST_F(ProgramTest, HeadlessRunWithTabAndF5EndsWithStatusZero) {
    // The first Tab skips the logos (it types a character, and the skip clears input); the
    // second is counted.
    Script("3 keydown TAB\n5 keyup TAB\n8 keydown TAB\n10 keyup TAB\n12 key F5\n");
    ASSERT_EQ(Run("--headless --windowed --seed 7 --frames 20 --script '" + root + "/script.txt'"), 0)
        << Log();
    EXPECT_TRUE(Logged("WARNING: Game running debug mode - Performance will be reduced!"));
    EXPECT_TRUE(Logged("LoadImage(): Loaded gfx\\menus\\mouse.png"));
    EXPECT_TRUE(Logged("Memory Used = "));
    EXPECT_TRUE(Logged("SaveScreenshot(): Saved Screenshot-001.jpg"));
    EXPECT_TRUE(Logged("Ended after 20 frames."));
    Media::PixelMapRef shot = Media::LoadPixmap(root + "/Screenshot-001.jpg");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->Width, 800);
    EXPECT_EQ(shot->Height, 500);
}

TEST_F(ProgramTest, WithoutWindowedItStartsFullScreen) {
    Script("2 key F5\n");
    ASSERT_EQ(Run("--headless --frames 5 --script '" + root + "/script.txt'"), 0) << Log();
    EXPECT_FALSE(Logged("Could not set full screen mode"));
    Media::PixelMapRef shot = Media::LoadPixmap(root + "/Screenshot-001.jpg");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->Width, 1920); // the headless desktop
    EXPECT_EQ(shot->Height, 1080);
}

TEST_F(ProgramTest, ScriptedSuspendAndResumeDoNotStopTheRun) {
    // While suspended the game presents no frames; the scripted resume must still arrive.
    Script("5 suspend\n15 resume\n");
    EXPECT_EQ(Run("--headless --windowed --frames 30 --script '" + root + "/script.txt'", "timeout 60"), 0)
        << Log();
    EXPECT_TRUE(Logged("Ended after 30 frames."));
}

TEST_F(ProgramTest, MissingPointerPictureEndsWithStatusOne) {
    std::filesystem::remove(root + "/gfx/menus/mouse.png");
    EXPECT_EQ(Run("--headless --windowed --frames 5"), 1);
    EXPECT_TRUE(
        Logged("The following image failed to load: 'gfx\\menus\\mouse.png'.  Please reinstall the game."));
    EXPECT_FALSE(Logged("Ended after"));
}

// A data root that was not generated (or a wrong path to it) fails here rather than hiding.
TEST_F(ProgramTest, GeneratedDataRootStarts) {
    ASSERT_TRUE(std::filesystem::exists(std::string(QS_DATA_ROOT) + "/gfx/menus/mouse.png"))
        << "no generated data root at " << QS_DATA_ROOT << ": build the 'gamedata' target";
    // Appended, not prefixed: GCC 12 falsely reports -Wrestrict for "'" + std::string (GCC bug 105651).
    std::string command = std::string("'") + QS_GAME_BINARY + "' --headless --windowed --frames 10 --data '" +
                          QS_DATA_ROOT + "' > '" + root + "/stderr.txt' 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    const std::string output = testfiles::ReadText(root + "/stderr.txt");
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_NE(output.find("Ended after 10 frames."), std::string::npos) << output;
}

TEST_F(ProgramTest, RealWindowScreenshotShowsThePointer) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    Script("2 move 100 80\n10 key F5\n");
    int status = Run("--windowed --frames 30 --script '" + root + "/script.txt'",
                     "LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 1280x1024x24'");
    ASSERT_EQ(status, 0) << Log() << testfiles::ReadText(root + "/stderr.txt");
    EXPECT_TRUE(Logged("SaveScreenshot(): Saved Screenshot-001.jpg"));
    Media::PixelMapRef shot = Media::LoadPixmap(root + "/Screenshot-001.jpg");
    ASSERT_TRUE(shot);
    ASSERT_EQ(shot->Width, 800);
    ASSERT_EQ(shot->Height, 500);
    EXPECT_GT(Brightness(*shot, 104, 84), 600); // inside the 16 × 16 pointer at (100, 80)
    EXPECT_GT(Brightness(*shot, 113, 93), 600);
    EXPECT_LT(Brightness(*shot, 96, 76), 60);   // above and left of its corner: black
    EXPECT_LT(Brightness(*shot, 400, 250), 60); // the rest of the screen is black
    EXPECT_LT(Brightness(*shot, 130, 110), 60);
}

TEST_F(ProgramTest, RealFullScreenCoversTheWholeScreen) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    // A 5:4 screen: the playfield is letterboxed at 1.6 pixels per unit, the pointer is 25.6 px wide.
    Script("2 move 200 300\n10 key F5\n");
    int status = Run("--frames 30 --script '" + root + "/script.txt'",
                     "LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 1280x1024x24'");
    ASSERT_EQ(status, 0) << Log() << testfiles::ReadText(root + "/stderr.txt");
    EXPECT_FALSE(Logged("Could not set full screen mode"));
    Media::PixelMapRef shot = Media::LoadPixmap(root + "/Screenshot-001.jpg");
    ASSERT_TRUE(shot);
    ASSERT_EQ(shot->Width, 1280);
    ASSERT_EQ(shot->Height, 1024);
    EXPECT_GT(Brightness(*shot, 205, 305), 600); // the pointer, where the mouse is on the screen
    EXPECT_GT(Brightness(*shot, 222, 322), 600);
    EXPECT_LT(Brightness(*shot, 195, 295), 60);
    EXPECT_LT(Brightness(*shot, 640, 512), 60);
}

namespace {

// Halves a grab to a quarter of its pixels (the mean of each 2 × 2 block), so the reference
// pictures stay small in the repository.
Media::PixelMap Halved(const Media::PixelMap& shot) {
    Media::PixelMap half;
    half.Width = shot.Width / 2;
    half.Height = shot.Height / 2;
    half.Pixels.resize(size_t(half.Width) * size_t(half.Height) * 4);
    for (int y = 0; y < half.Height; ++y) {
        for (int x = 0; x < half.Width; ++x) {
            uint8_t* out = half.At(x, y);
            for (int c = 0; c < 3; ++c) {
                const int sum = shot.At(2 * x, 2 * y)[c] + shot.At(2 * x + 1, 2 * y)[c] +
                                shot.At(2 * x, 2 * y + 1)[c] + shot.At(2 * x + 1, 2 * y + 1)[c];
                out[c] = uint8_t((sum + 2) / 4);
            }
            out[3] = 255;
        }
    }
    return half;
}

} // namespace

// What the player sees of three scenes, the title and two moments of play (the first wave, and
// the last level's boss wave with the ship firing), from real-window runs with a fixed seed on the
// stepped clock, grabbed with F5 at fixed frames, halved, and compared with the grabs that the
// renderer made before it learnt to skip invisible and covered pixels
// (tests/data/render_reference). The drawing may differ by rounding, not visibly.
// To make new references: QS_WRITE_RENDER_REFERENCE=DIR, and QS_RENDER_REFERENCE_GAME=PROGRAM
// for the program that draws them (by default this build's).
TEST_F(ProgramTest, TitleAndPlayScenesLookAsTheirReferenceGrabs) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    const char* game = std::getenv("QS_RENDER_REFERENCE_GAME");
    const char* write = std::getenv("QS_WRITE_RENDER_REFERENCE");
    const struct {
        const char* Name;
        const char* Options;
        const char* Script;
        int Frames;
    } scenes[] = {
        {"title", "", "0 step 16\n2 click 1\n700 key F5\n", 702},
        {"stage0", "--stage 0", "0 step 16\n0 down 1\n100 rel 40 -20\n600 key F5\n", 602},
        {"stage54", "--stage 54", "0 step 16\n0 down 1\n100 rel -60 -30\n900 key F5\n", 902},
    };
    // The three runs go at once (each under its own X server): the cores are shared anyway, and a
    // run takes a while with the sanitizers.
    std::string roots[3], command;
    for (int i = 0; i < 3; ++i) {
        const auto& scene = scenes[i];
        roots[i] = testfiles::MakeGameRoot();
        testfiles::WriteBytes(roots[i] + "/script.txt",
                              std::vector<uint8_t>(scene.Script, scene.Script + std::strlen(scene.Script)));
        command += "( LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 1280x1024x24' '" +
                   std::string(game ? game : QS_GAME_BINARY) + "' --windowed --seed 7 " + scene.Options +
                   " --frames " + std::to_string(scene.Frames) + " --data '" + roots[i] + "' --script '" +
                   roots[i] + "/script.txt' > '" + roots[i] + "/out.txt' 2>&1; echo $? > '" + roots[i] +
                   "/status.txt' ) & ";
    }
    command += "wait";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (int i = 0; i < 3; ++i) {
        const auto& scene = scenes[i];
        SCOPED_TRACE(scene.Name);
        const std::string& gameRoot = roots[i];
        const std::string out = testfiles::ReadText(gameRoot + "/out.txt");
        ASSERT_EQ(testfiles::ReadText(gameRoot + "/status.txt"), "0\n") << out;
        // Mesa gives the texture worker a context of its own, so these grabs show its uploads.
        EXPECT_EQ(out.find("Textures are uploaded on the main thread"), std::string::npos) << out;
        const Media::PixelMapRef shot = Media::LoadPixmap(gameRoot + "/Screenshot-001.jpg");
        ASSERT_TRUE(shot);
        ASSERT_EQ(shot->Width, 800);
        const Media::PixelMap half = Halved(*shot);
        std::filesystem::remove_all(gameRoot);
        if (write) {
            testfiles::WritePng(std::string(write) + "/" + scene.Name + ".png", half);
            continue;
        }
        const Media::PixelMapRef reference = Media::LoadPixmap(
            std::string(QS_SOURCE_DIR) + "/tests/data/render_reference/" + scene.Name + ".png");
        ASSERT_TRUE(reference);
        ASSERT_EQ(reference->Width, half.Width);
        ASSERT_EQ(reference->Height, half.Height);
        // Per pixel: the largest channel difference. JPEG's rounding alone moves a few levels.
        long total = 0;
        int worst = 0, off = 0;
        for (int y = 0; y < half.Height; ++y) {
            for (int x = 0; x < half.Width; ++x) {
                int diff = 0;
                for (int c = 0; c < 3; ++c)
                    diff = std::max(diff, std::abs(int(half.At(x, y)[c]) - int(reference->At(x, y)[c])));
                total += diff;
                worst = std::max(worst, diff);
                off += diff > 12 ? 1 : 0;
            }
        }
        const double mean = double(total) / double(half.Width * half.Height);
        std::printf("%s: mean difference %.3f, worst %d, %d pixels off by more than 12\n", scene.Name, mean,
                    worst, off);
        EXPECT_LT(mean, 1.0) << "worst " << worst << ", " << off << " pixels off by more than 12";
        EXPECT_LE(off, half.Width * half.Height / 1000) << "worst " << worst << ", mean " << mean;
    }
}

TEST_F(ProgramTest, RealFullScreenSmallerThanThePlayfieldIsNotCutOff) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    // 640 × 480: 0.8 pixels per unit, the playfield 640 × 400 pixels from y = 40, the pointer
    // 12.8 pixels wide. The picture was once clipped from x = 512 and y = 424 pixels.
    Script("2 move 580 400\n10 key F5\n12 move 300 426\n20 key F5\n");
    int status = Run("--frames 30 --script '" + root + "/script.txt'",
                     "LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 640x480x24'");
    ASSERT_EQ(status, 0) << Log() << testfiles::ReadText(root + "/stderr.txt");
    EXPECT_FALSE(Logged("Could not set full screen mode"));
    Media::PixelMapRef right = Media::LoadPixmap(root + "/Screenshot-001.jpg");
    Media::PixelMapRef low = Media::LoadPixmap(root + "/Screenshot-002.jpg");
    ASSERT_TRUE(right && low);
    ASSERT_EQ(right->Width, 640);
    ASSERT_EQ(right->Height, 480);
    EXPECT_GT(Brightness(*right, 585, 405), 600); // right of x = 512
    EXPECT_GT(Brightness(*right, 590, 410), 600);
    EXPECT_LT(Brightness(*right, 575, 395), 60);
    EXPECT_GT(Brightness(*low, 305, 431), 600); // below y = 424
    EXPECT_GT(Brightness(*low, 310, 436), 600);
}

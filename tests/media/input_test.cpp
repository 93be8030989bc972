#include <cstdlib>
#include <fstream>

#include "support/media_fixture.h"

namespace {

class InputScriptTest : public MediaTest {
protected:
    // Restarts the layer headless with `text` as the input script; false with the error.
    bool StartWithScript(const std::string& text, std::string& error, int frames = -1) {
        Media::Shutdown();
        const std::string path = TempPath("input.txt");
        std::ofstream(path) << text;
        Media::Options options;
        options.Headless = true;
        options.ScriptFile = path;
        options.Frames = frames;
        return Media::Init(options, error);
    }
    // Presents a frame and polls, as the game loop does.
    void NextFrame() {
        Media::Flip(1);
        Media::PollEvents(events_);
    }
    std::vector<Media::SystemEvent> events_;
};

TEST_F(InputScriptTest, EventsArriveAtTheirFrame) {
    std::string error;
    ASSERT_TRUE(StartWithScript("# a comment\n"
                                "0 move 100 200\n"
                                "2 rel -10 5   # trailing comment\n"
                                "2 keydown a\n"
                                "3 keyup A\n"
                                "3 click 1\n"
                                "3 key ESC\n"
                                "4 type hi there\n"
                                "4 down 3\n"
                                "5 suspend\n"
                                "6 resume\n",
                                error))
        << error;
    Media::PollEvents(events_); // frame 0
    EXPECT_EQ(Media::PointerWindowX(), 100);
    EXPECT_EQ(Media::PointerWindowY(), 200);
    NextFrame(); // 1: nothing new
    EXPECT_EQ(Media::KeyHeld(Media::KEY_A), 0);
    NextFrame(); // 2
    EXPECT_EQ(Media::PointerWindowX(), 90);
    EXPECT_EQ(Media::PointerWindowY(), 205);
    EXPECT_EQ(Media::KeyHeld(Media::KEY_A), 1);
    NextFrame(); // 3
    EXPECT_EQ(Media::KeyHeld(Media::KEY_A), 0);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_A), 1);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_A), 0); // the query resets the count
    EXPECT_EQ(Media::ButtonPresses(1), 1);
    EXPECT_EQ(Media::ButtonHeld(1), 0);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_ESCAPE), 1);
    NextFrame(); // 4
    std::string typed;
    for (int c; (c = Media::NextTypedChar()) != 0;)
        typed += char(c);
    // Escape types its control character, as a key press does in the window.
    EXPECT_EQ(typed, "\x1Bhi there");
    EXPECT_EQ(Media::ButtonHeld(3), 1);
    NextFrame(); // 5
    ASSERT_EQ(events_.size(), 1u);
    EXPECT_EQ(events_[0], Media::SystemEvent::Suspend);
    EXPECT_EQ(Media::AppSuspended(), 1);
    NextFrame(); // 6
    EXPECT_EQ(Media::AppSuspended(), 0);
}

TEST_F(InputScriptTest, KeyRepeatIsNotANewPress) {
    std::string error;
    ASSERT_TRUE(StartWithScript("0 keydown B\n0 keydown B\n1 keyup B\n1 keydown B\n", error)) << error;
    Media::PollEvents(events_);
    EXPECT_EQ(Media::KeyPresses('B'), 1);
    NextFrame();
    EXPECT_EQ(Media::KeyPresses('B'), 1);
}

TEST_F(InputScriptTest, ClearInputForgetsPressesAndTypedCharactersButNotHeldKeys) {
    std::string error;
    ASSERT_TRUE(StartWithScript("0 keydown SPACE\n0 key 7\n0 type x\n0 click 2\n", error)) << error;
    Media::PollEvents(events_);
    Media::ClearInput();
    EXPECT_EQ(Media::KeyPresses(Media::KEY_SPACE), 0);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_0 + 7), 0);
    EXPECT_EQ(Media::ButtonPresses(2), 0);
    EXPECT_EQ(Media::NextTypedChar(), 0);
    EXPECT_EQ(Media::KeyHeld(Media::KEY_SPACE), 1);
}

TEST_F(InputScriptTest, MalformedLinesAreRejectedWithTheirLineNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"0 move 1\n", "line 1"}, {"# ok\n1 jump 3\n", "line 2"}, {"x key A\n", "line 1"},
        {"-1 key A\n", "line 1"}, {"0 key F13\n", "unknown key"}, {"0 down 4\n", "line 1"},
        {"0 click\n", "line 1"},  {"0 move 1 2 3\n", "line 1"},   {"0 type\n", "line 1"},
        {"3\n", "line 1"},        {"0 move 1e3 2\n", "line 1"},   {"0 key A B\n", "line 1"},
    };
    for (const auto& [script, expected] : cases) {
        std::string error;
        EXPECT_FALSE(StartWithScript(script, error)) << script;
        EXPECT_NE(error.find(expected), std::string::npos) << script << " gave: " << error;
    }
    std::string error;
    Media::Options options;
    options.Headless = true;
    options.ScriptFile = TempPath("absent.txt");
    EXPECT_FALSE(Media::Init(options, error));
}

TEST_F(InputScriptTest, FramesOptionEndsTheRunWithStatusZero) {
    std::string error;
    ASSERT_TRUE(StartWithScript("", error, 3)) << error;
    Media::Flip(1);
    Media::Flip(1);
    EXPECT_EXIT(Media::Flip(1), ::testing::ExitedWithCode(0), "");
}

TEST_F(InputScriptTest, PadButtonsAxesAndPlugsArriveAtTheirFrame) {
    std::string error;
    ASSERT_TRUE(StartWithScript("0 padadded\n"
                                "0 pad a\n"
                                "0 paddown dpup\n"
                                "0 axis leftx -0.5\n"
                                "0 axis righttrigger 1\n"
                                "1 padup dpup\n"
                                "1 paddown start\n"
                                "1 paddown start\n"
                                "2 padremoved\n"
                                "2 key UP\n"
                                "2 keydown right\n",
                                error))
        << error;
    Media::PollEvents(events_); // frame 0
    EXPECT_EQ(Media::PadsConnected(), 1);
    EXPECT_EQ(Media::PadPresses(Media::PAD_A), 1);
    EXPECT_EQ(Media::PadPresses(Media::PAD_A), 0); // the query resets the count
    EXPECT_EQ(Media::PadHeld(Media::PAD_A), 0);
    EXPECT_EQ(Media::PadHeld(Media::PAD_DPUP), 1);
    EXPECT_FLOAT_EQ(Media::PadAxis(Media::PAD_LEFTX), -0.5f);
    EXPECT_FLOAT_EQ(Media::PadAxis(Media::PAD_RIGHTTRIGGER), 1.0f);
    EXPECT_TRUE(events_.empty()) << "pads are no system events";
    NextFrame(); // 1
    EXPECT_EQ(Media::PadHeld(Media::PAD_DPUP), 0);
    EXPECT_EQ(Media::PadPresses(Media::PAD_START), 1) << "a held button is not pressed again";
    EXPECT_FLOAT_EQ(Media::PadAxis(Media::PAD_LEFTX), -0.5f) << "an axis holds until its next event";
    NextFrame(); // 2
    EXPECT_EQ(Media::PadsConnected(), 0);
    EXPECT_EQ(Media::PadsRemoved(), 1);
    EXPECT_EQ(Media::PadsRemoved(), 0);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_UP), 1);
    EXPECT_EQ(Media::KeyHeld(Media::KEY_RIGHT), 1);

    // ClearInput forgets pad presses but not what is held.
    ASSERT_TRUE(StartWithScript("0 paddown b\n0 pad x\n", error)) << error;
    Media::PollEvents(events_);
    Media::ClearInput();
    EXPECT_EQ(Media::PadPresses(Media::PAD_B), 0);
    EXPECT_EQ(Media::PadPresses(Media::PAD_X), 0);
    EXPECT_EQ(Media::PadHeld(Media::PAD_B), 1);
}

TEST_F(InputScriptTest, MalformedPadLinesAreRejected) {
    const std::pair<const char*, const char*> cases[] = {
        {"0 pad z\n", "unknown pad button 'z'"},
        {"0 pad A\n", "unknown pad button"}, // SDL's names are lower case
        {"0 paddown\n", "takes 1 argument"},
        {"0 axis leftx\n", "takes 2 arguments"},
        {"0 axis middle 0.5\n", "unknown pad axis"},
        {"0 axis leftx 1.5\n", "from -1 to 1"},
        {"0 axis lefty nan\n", "from -1 to 1"},
        {"0 axis lefttrigger -0.2\n", "from 0 to 1"},
        {"0 axis rightx 0.5x\n", "line 1"},
        {"0 padadded 1\n", "takes 0 arguments"},
    };
    for (const auto& [script, expected] : cases) {
        std::string error;
        EXPECT_FALSE(StartWithScript(script, error)) << script;
        EXPECT_NE(error.find(expected), std::string::npos) << script << " gave: " << error;
    }
}

TEST_F(InputScriptTest, MouseMovesCountThePlayersMotionButNotTheGamesWarps) {
    std::string error;
    ASSERT_TRUE(StartWithScript("1 move 300 200\n2 move 301 200\n3 rel 0 0\n", error)) << error;
    Media::PollEvents(events_);
    Media::MoveMouse(400, 250); // the game's own move
    EXPECT_EQ(Media::MouseMoves(), 0);
    NextFrame(); // 1: the player's
    EXPECT_EQ(Media::MouseMoves(), 1);
    EXPECT_EQ(Media::MouseMoves(), 0);
    Media::MoveMouse(302, 201);
    NextFrame(); // 2: a move one pixel from where the game put it is the warp's own report
    EXPECT_EQ(Media::MouseMoves(), 0);
    NextFrame(); // 3: no motion at all
    EXPECT_EQ(Media::MouseMoves(), 0);
}

TEST_F(MediaTest, BadKeyAndButtonCodesAreIgnoredAndMoveMouseMovesThePointer) {
    EXPECT_EQ(Media::KeyPresses(-1), 0);
    EXPECT_EQ(Media::KeyHeld(300), 0);
    EXPECT_EQ(Media::ButtonPresses(0), 0);
    EXPECT_EQ(Media::ButtonHeld(4), 0);
    EXPECT_EQ(Media::PadPresses(Media::PAD_BUTTONS), 0);
    EXPECT_EQ(Media::PadHeld(-1), 0);
    EXPECT_EQ(Media::PadAxis(Media::PAD_AXES), 0.0f);
    Media::MoveMouse(12, 34);
    EXPECT_EQ(Media::PointerWindowX(), 12);
    EXPECT_EQ(Media::PointerWindowY(), 34);
}

TEST(CommandLineTest, OptionsAreParsedAndBadOnesRejected) {
    const char* good[] = {"quillstorm", "--windowed", "--data", "root",       "--log",
                          "l.txt",      "--seed",     "-7",     "--headless", "--step",
                          "20",         "--frames",   "100",    "--script",   "s.txt"};
    Media::Options options;
    std::string error;
    ASSERT_TRUE(Media::ParseCommandLine(int(std::size(good)), good, options, error)) << error;
    EXPECT_TRUE(options.Windowed);
    EXPECT_EQ(options.DataRoot, "root");
    EXPECT_EQ(options.LogFile, "l.txt");
    EXPECT_TRUE(options.HasSeed);
    EXPECT_EQ(options.Seed, uint32_t(-7));
    EXPECT_TRUE(options.Headless);
    EXPECT_EQ(options.StepMs, 20);
    EXPECT_EQ(options.Frames, 100);
    EXPECT_EQ(options.ScriptFile, "s.txt");

    const std::vector<std::vector<const char*>> bad = {
        {"q", "--fast"},
        {"q", "--data"},
        {"q", "--step", "0"},
        {"q", "--step", "12ms"},
        {"q", "--frames", "-1"},
        {"q", "--frames", "0"},
        {"q", "--seed", "99999999999"},
        {"q", "--seed", ""},
    };
    for (const auto& argv : bad) {
        error.clear();
        EXPECT_FALSE(Media::ParseCommandLine(int(argv.size()), argv.data(), options, error)) << argv[1];
        EXPECT_FALSE(error.empty()) << argv[1];
    }
    const char* none[] = {"quillstorm"};
    ASSERT_TRUE(Media::ParseCommandLine(1, none, options, error));
    EXPECT_FALSE(options.Headless);
    EXPECT_EQ(options.StepMs, 16);
    EXPECT_EQ(options.Frames, -1);
}

// The frame loop simulates steps of 1 to 249 ms only; a longer --step would be dropped every frame.
TEST(CommandLineTest, StepAcceptsWhatTheFrameLoopSimulates) {
    const struct {
        const char* value;
        bool accepted;
    } cases[] = {{"1", true}, {"16", true}, {"249", true}, {"250", false}, {"1000", false}, {"0", false}};
    for (const auto& c : cases) {
        const char* argv[] = {"quillstorm", "--step", c.value};
        Media::Options options;
        std::string error;
        EXPECT_EQ(Media::ParseCommandLine(3, argv, options, error), c.accepted) << c.value;
        if (c.accepted) {
            EXPECT_EQ(options.StepMs, std::atoi(c.value));
        } else {
            EXPECT_NE(error.find("from 1 to 249"), std::string::npos) << error;
        }
    }
}

TEST_F(MediaTest, LogFileReceivesEveryLine) {
    Media::Shutdown();
    Media::Options options;
    options.Headless = true;
    options.LogFile = TempPath("debug.log");
    std::string error;
    ASSERT_TRUE(Media::Init(options, error)) << error;
    Media::DebugLog("first");
    Media::DebugLog("second");
    std::ifstream in(options.LogFile);
    std::string a, b;
    std::getline(in, a);
    std::getline(in, b);
    EXPECT_EQ(a, "first");
    EXPECT_EQ(b, "second");
    options.LogFile = TempPath("no/folder/debug.log");
    EXPECT_FALSE(Media::Init(options, error));
    EXPECT_NE(error.find("log file"), std::string::npos) << error;
}

TEST_F(MediaTest, HeadlessDisplayModes) {
    int w, h;
    Media::DesktopSize(w, h);
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
    EXPECT_EQ(Media::GraphicsModeExists(1920, 1080, 32), 1);
    EXPECT_EQ(Media::GraphicsModeExists(1920, 1080, 8), 0);
    EXPECT_FALSE(Media::HasGraphics());
    ASSERT_TRUE(Media::OpenWindowGraphics());
    EXPECT_EQ(Media::GraphicsWidth(), 800);
    EXPECT_EQ(Media::GraphicsHeight(), 500);
    Media::CloseWindowGraphics();
    EXPECT_FALSE(Media::OpenFullscreenGraphics(4000, 3000, 32));
    ASSERT_TRUE(Media::OpenFullscreenGraphics(1280, 720, 24));
    EXPECT_EQ(Media::GraphicsWidth(), 1280);
    Media::PixelMapRef grab = Media::GrabPixmap(0, 0, 64, 32);
    ASSERT_TRUE(grab);
    EXPECT_EQ(grab->Width, 64);
    EXPECT_EQ(grab->At(63, 31)[3], 255);
}

} // namespace

TEST(CommandLineTest, FpsSetsTheFrameCap) {
    Media::Options options;
    std::string error;
    const char* none[] = {"quillstorm"};
    ASSERT_TRUE(Media::ParseCommandLine(1, none, options, error));
    EXPECT_EQ(options.Fps, -1);
    for (const char* value : {"0", "30", "144", "1000"}) {
        const char* argv[] = {"quillstorm", "--fps", value};
        ASSERT_TRUE(Media::ParseCommandLine(3, argv, options, error)) << value;
        EXPECT_EQ(options.Fps, std::atoi(value));
    }
    for (const char* value : {"-1", "1001", "60hz", ""}) {
        const char* argv[] = {"quillstorm", "--fps", value};
        error.clear();
        EXPECT_FALSE(Media::ParseCommandLine(3, argv, options, error)) << value;
        EXPECT_NE(error.find("--fps"), std::string::npos) << error;
    }
}

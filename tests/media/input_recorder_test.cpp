// The recorder and the step and char events: a recording made in-process holds what it must, and
// the clock steps exactly as the step events say.
#include <fstream>

#include "support/media_fixture.h"
#include "support/test_files.h"

namespace {

class RecorderTest : public MediaTest {
protected:
    bool Start(const std::string& script, const std::string& record, std::string& error) {
        Media::Shutdown();
        const std::string path = TempPath("script.txt");
        std::ofstream(path) << script;
        Media::Options options;
        options.Headless = true;
        options.ScriptFile = path;
        options.RecordFile = record;
        return Media::Init(options, error);
    }
    void NextFrame() {
        Media::Flip(1);
        Media::PollEvents(events_);
    }
    std::vector<Media::SystemEvent> events_;
};

TEST_F(RecorderTest, StepEventsSetTheClockFromTheirFrameOn) {
    std::string error;
    ASSERT_TRUE(Start("0 step 5\n2 step 30\n4 step 0\n", "", error)) << error;
    std::vector<uint32_t> clocks;
    for (int frame = 0; frame < 6; ++frame) {
        NextFrame();
        clocks.push_back(Media::ClockMs());
    }
    EXPECT_EQ(clocks, (std::vector<uint32_t>{5, 10, 40, 70, 70, 70}));
    Media::SleepMs(7); // sleeps count on a stepped clock, as they do on the headless one
    EXPECT_EQ(Media::ClockMs(), 77u);
}

TEST_F(RecorderTest, KeysOfControlCharactersTypeThemAndCharTypesAnyCode) {
    std::string error;
    ASSERT_TRUE(Start("0 key ESC\n0 keydown ENTER\n0 char 35\n0 char 1\n0 key VK37\n", "", error)) << error;
    NextFrame();
    EXPECT_EQ(Media::KeyPresses(37), 1);
    std::vector<int> typed;
    for (int ch; (ch = Media::NextTypedChar()) != 0;)
        typed.push_back(ch);
    EXPECT_EQ(typed, (std::vector<int>{27, 13, 35, 1}));
}

TEST_F(RecorderTest, BadStepAndCharEventsAreRefusedWithTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"0 step -1\n", "step needs milliseconds"},      {"0 step 86400001\n", "step needs milliseconds"},
        {"0 step\n", "step takes 1 argument"},           {"0 char 0\n", "char needs a character code"},
        {"0 char 256\n", "char needs a character code"}, {"0 key VK0\n", "unknown key 'VK0'"},
        {"0 key VK256\n", "unknown key 'VK256'"},
    };
    for (const auto& [script, expected] : cases) {
        std::string error;
        EXPECT_FALSE(Start(script, "", error)) << script;
        EXPECT_NE(error.find(expected), std::string::npos) << script << " gave: " << error;
    }
}

TEST_F(RecorderTest, ARecordingWritesEventsStepsAndCharactersItsScriptCanReplay) {
    const std::string record = TempPath("rec.txt");
    std::string error;
    ASSERT_TRUE(Start("0 step 20\n1 move 10 20\n1 rel 5 -5\n2 key ESC\n2 type a b#\n3 step 33\n3 click 2\n",
                      record, error))
        << error;
    for (int frame = 0; frame < 5; ++frame)
        NextFrame();
    const std::string text = testfiles::ReadText(record);
    for (const char* line :
         {"0 step 20\n", "1 move 10 20\n", "1 move 15 15\n", "2 keydown ESC\n", "2 keyup ESC\n", "2 type a\n",
          "2 char 32\n", "2 type b\n", "2 char 35\n", "3 step 33\n", "3 down 2\n", "3 up 2\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " missing from:\n" << text;
    EXPECT_EQ(text.find("char 27"), std::string::npos) << "ESC's keydown types it again on replay";
    EXPECT_EQ(text.find("1 step"), std::string::npos) << "an unchanged step is not written again";

    // The recording replays to the same clock and the same typed characters.
    ASSERT_TRUE(Start(text, "", error)) << error;
    for (int frame = 0; frame < 5; ++frame)
        NextFrame();
    EXPECT_EQ(Media::ClockMs(), 20u * 3 + 33u * 2);
    std::string typed;
    for (int ch; (ch = Media::NextTypedChar()) != 0;)
        typed += char(ch);
    EXPECT_EQ(typed, "\x1b"
                     "a b#");
}

TEST_F(RecorderTest, ARecordingWritesThePadAndArrowKeysAndReplaysThemExactly) {
    const std::string record = TempPath("rec.txt");
    std::string error;
    ASSERT_TRUE(Start("1 padadded\n1 pad a\n1 axis lefty 0.3333\n2 paddown rightshoulder\n2 key LEFT\n"
                      "3 padremoved\n",
                      record, error))
        << error;
    for (int frame = 0; frame < 4; ++frame)
        NextFrame();
    const std::string text = testfiles::ReadText(record);
    for (const char* line :
         {"1 padadded\n", "1 paddown a\n", "1 padup a\n", "1 axis lefty 0.3333\n",
          "2 paddown rightshoulder\n", "2 keydown LEFT\n", "2 keyup LEFT\n", "3 padremoved\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " missing from:\n" << text;

    ASSERT_TRUE(Start(text, "", error)) << error;
    for (int frame = 0; frame < 4; ++frame)
        NextFrame();
    EXPECT_EQ(Media::PadAxis(Media::PAD_LEFTY), 0.3333f) << "the axis reads back as the same float";
    EXPECT_EQ(Media::PadPresses(Media::PAD_A), 1);
    EXPECT_EQ(Media::PadHeld(Media::PAD_RIGHTSHOULDER), 1);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_LEFT), 1);
    EXPECT_EQ(Media::PadsRemoved(), 1);
}

TEST_F(RecorderTest, ARecordingThatCannotBeWrittenFailsTheStart) {
    std::string error;
    EXPECT_FALSE(Start("", TempPath("no-such-folder/rec.txt"), error));
    EXPECT_NE(error.find("cannot write the recording"), std::string::npos) << error;
}

} // namespace

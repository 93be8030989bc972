// Records a scripted session of the real program (uneven frame steps, pointer, buttons, keys and
// typed characters, control characters included), replays the recording, and compares the two:
// the same log and the same save file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// Through the title to the player menu, a rename typed with a backspace (the save file is written
// when it is confirmed), then Play, the story skipped and the ship swept with fire held. Frame
// steps change every 37 frames between 12 and 20 ms.
std::string UnevenScript(int frames) {
    std::string script = "0 step 16\n5 click 1\n400 click 1\n460 move 400 300\n461 click 1\n"
                         "540 move 400 404\n541 click 1\n555 type A#x\n556 char 8\n557 char 32\n558 type e\n"
                         "570 key ENTER\n640 move 620 250\n641 click 1\n700 click 1\n760 down 1\n";
    for (int frame = 1; frame < frames; ++frame) {
        if (frame > 760)
            script += std::to_string(frame) + " rel " + (frame % 200 < 100 ? "9" : "-9") + " 0\n";
        if (frame % 37 == 0)
            script += std::to_string(frame) + " step " + std::to_string(12 + frame * 7 % 9) + "\n";
    }
    return script;
}

struct Session {
    std::string Log, Save, Status, Errors;
};

Session Play(const std::string& root, const std::string& script, const std::string& extra, int frames) {
    const std::string command = "'" + std::string(QS_GAME_BINARY) + "' --headless --windowed --seed 3" +
                                " --frames " + std::to_string(frames) + " --data '" + root + "' --log '" +
                                root + "/game.log' --script '" + script + "' " + extra + " > '" + root +
                                "/stderr.txt' 2>&1; echo $? > '" + root + "/status.txt'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    Session run;
    run.Log = testfiles::ReadText(root + "/game.log");
    run.Status = testfiles::ReadText(root + "/status.txt");
    run.Errors = testfiles::ReadText(root + "/stderr.txt");
    if (fs::exists(root + "/data/savegames.dat"))
        run.Save = testfiles::ReadText(root + "/data/savegames.dat");
    return run;
}

TEST(RecordTest, ARecordedSessionReplaysToTheSameLogAndSaveFile) {
    constexpr int FRAMES = 3000;
    const std::string first = testfiles::MakeGameRoot(), second = testfiles::MakeGameRoot();
    const std::string script = UnevenScript(FRAMES);
    testfiles::WriteBytes(first + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));

    const Session recorded =
        Play(first, first + "/script.txt", "--step 16 --record '" + first + "/rec.txt'", FRAMES);
    ASSERT_EQ(recorded.Status, "0\n") << recorded.Errors;
    const std::string recording = testfiles::ReadText(first + "/rec.txt");
    EXPECT_NE(recording.find(" step 20\n"), std::string::npos) << "the uneven steps are recorded";
    for (const char* line : {"555 char 35\n", "556 char 8\n", "557 char 32\n", "570 keydown ENTER\n"})
        EXPECT_NE(recording.find(line), std::string::npos) << line;
    EXPECT_EQ(recording.find(" char 13\n"), std::string::npos)
        << "ENTER's own character is typed by its keydown";

    // The replay runs with another headless step: only the step events may set its clock.
    const Session replayed = Play(second, first + "/rec.txt", "--step 25", FRAMES);
    ASSERT_EQ(replayed.Status, "0\n") << replayed.Errors;
    EXPECT_NE(recorded.Log.find("Ended after"), std::string::npos);
    EXPECT_EQ(recorded.Log, replayed.Log);
    EXPECT_FALSE(recorded.Save.empty()) << "the rename wrote the save file";
    EXPECT_EQ(recorded.Save, replayed.Save);

    fs::remove_all(first);
    fs::remove_all(second);
}

} // namespace

// Runs the real program headless with scripts through the screens a player sees: the logos
// skipped, the title, the player menu (rename, delete), a game started and abandoned, the
// credits, and Quit from the title. The save file's bytes are checked after every write.
//
// Frame numbers: every start-up load presents a frame of the loading bar, so the title appears
// after about 250 frames; the title fade is cut short with a click at frame 400.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

const std::string TO_PLAYER_MENU = "5 click 1\n400 click 1\n460 move 400 300\n461 click 1\n";

class MenusProgramTest : public testing::Test {
protected:
    void SetUp() override { root = testfiles::MakeGameRoot(); }
    void TearDown() override { fs::remove_all(root); }

    // Runs the program with `script`; returns its exit status.
    int Run(const std::string& script, int frames) {
        testfiles::WriteBytes(root + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
        fs::remove(root + "/game.log");
        std::string command = "timeout 600 '" + std::string(QS_GAME_BINARY) +
                              "' --headless --windowed --seed 3 --data '" + root + "' --log '" + root +
                              "/game.log' --frames " + std::to_string(frames) + " --script '" + root +
                              "/script.txt' > '" + root + "/stderr.txt' 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Log() const { return testfiles::ReadText(root + "/game.log"); }
    bool Logged(const std::string& line) const { return Log().find(line) != std::string::npos; }
    std::string SaveFile() const { return testfiles::ReadText(root + "/data/savegames.dat"); }

    std::string root;
};

// Nine slots, level 1; slot 0 named `first` with score `score`, the rest defaults.
std::string SaveBytes(int active, const std::string& first, long long score) {
    std::string text = std::to_string(active) + "\r\n" + first + "\r\n1\r\n" + std::to_string(score) + "\r\n";
    for (int i = 2; i <= 9; ++i)
        text += "Player " + std::to_string(i) + "\r\n1\r\n0\r\n";
    return text;
}

} // namespace

TEST_F(MenusProgramTest, RenamePlayQuitCreditsAndQuitFromTheTitle) {
    // 1. Rename slot 1 to "Ace": the file appears with Enter.
    std::string rename = TO_PLAYER_MENU + "540 move 400 404\n541 click 1\n";
    for (int i = 0; i < 8; ++i)
        rename += std::to_string(545 + i) + " key BACKSPACE\n";
    rename += "555 type Ace\n570 key ENTER\n";
    ASSERT_EQ(Run(rename, 600), 0) << Log();
    EXPECT_TRUE(Logged("Ended after 600 frames."));
    EXPECT_EQ(SaveFile(), SaveBytes(0, "Ace", 0));

    // 2. Play (the file is written as it stands), see the story of a new player and skip it,
    // Escape and confirm; then the credits, skipped, and Escape on the title quits with status 0.
    const std::string session = TO_PLAYER_MENU +
                                "540 move 620 250\n541 click 1\n"              // Play
                                "600 click 1\n"                                // skips the story
                                "700 key ESC\n760 key ESC\n"                   // quit confirmation, confirmed
                                "800 click 1\n860 move 400 370\n861 click 1\n" // title, Credits
                                "950 click 1\n"                                // skips the credits
                                "1000 click 1\n1040 key ESC\n";                // title: Escape is Quit
    ASSERT_EQ(Run(session, 3000), 0) << Log();
    EXPECT_FALSE(Logged("Ended after")) << "the game should end through Quit";
    EXPECT_TRUE(Logged("LoadImage(): Loaded gfx\\menus\\story1.png"));
    EXPECT_TRUE(Logged("LoadImage(): Loaded gfx\\menus\\credits17.png"));
    EXPECT_EQ(SaveFile(), SaveBytes(0, "Ace", 0)); // the abandoned game wrote nothing

    // 3. Delete the slot after the confirmation: it is Player 1 again.
    ASSERT_EQ(Run(TO_PLAYER_MENU + "540 move 400 439\n541 click 1\n560 move 400 332\n561 click 1\n", 600), 0)
        << Log();
    EXPECT_EQ(SaveFile(), SaveBytes(0, "Player 1", 0));
}

TEST_F(MenusProgramTest, AnUnwritableSaveFileIsSkippedAndTheGameGoesOn) {
    fs::create_directories(root + "/data/savegames.dat"); // a folder where the file should be
    std::string rename = TO_PLAYER_MENU + "540 move 400 404\n541 click 1\n555 type X\n570 key ENTER\n";
    ASSERT_EQ(Run(rename, 600), 0) << Log();
    EXPECT_TRUE(Logged("SaveGames.SaveAll(): Could not write data\\savegames.dat (the path is a folder)"));
    EXPECT_TRUE(Logged("Ended after 600 frames."));
    EXPECT_TRUE(fs::is_directory(root + "/data/savegames.dat"));
}

// The same way through the screens with one device alone: the logos and the title cut short, Start,
// Play for a new player, the story skipped, the first level, the quit confirmation opened and
// confirmed, and Quit from the title. A confirmation that failed would leave the game running to
// the end of its frames.
TEST_F(MenusProgramTest, ThePadAloneAndTheKeyboardAlonePlayIntoALevelAndBack) {
    const struct {
        const char* Device;
        std::string Script;
    } runs[] = {
        {"pad", "5 pad a\n400 pad a\n"                     // the logos, the title's fade
                "460 pad a\n462 pad a\n"                   // Start lit, then pressed
                "540 pad dpright\n542 pad a\n"             // Play
                "600 pad a\n"                              // skips the story
                "700 pad start\n760 pad dpup\n762 pad a\n" // the confirmation, confirmed
                "800 pad a\n860 pad b\n"},                 // the title: B is Escape, Quit
        {"keyboard", "5 key ENTER\n400 key ENTER\n"
                     "460 key DOWN\n462 key ENTER\n"
                     "540 key RIGHT\n542 key ENTER\n"
                     "600 key ENTER\n"
                     "700 key ESC\n760 key UP\n762 key ENTER\n"
                     "800 key ENTER\n860 key ESC\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.Device);
        fs::remove(root + "/data/savegames.dat");
        ASSERT_EQ(Run(run.Script, 3000), 0) << Log();
        EXPECT_FALSE(Logged("Ended after")) << "the game should end through Quit";
        EXPECT_TRUE(Logged("LoadImage(): Loaded gfx\\menus\\story1.png"));
        EXPECT_TRUE(Logged("Loaded gfx\\planets\\planet1.png")) << "level 1 was played";
        EXPECT_EQ(SaveFile(), SaveBytes(0, "Player 1", 0)); // Play wrote it; the abandoned game did not
    }
}

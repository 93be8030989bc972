// The save file: what a file on disk reads as, the exact bytes written, and that a write is
// never partial and never lost, even when the process dies in the middle of it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "media/media.h"
#include "save/save_games.h"
#include "support/test_files.h"

namespace {

const std::string FRESH_FILE = "0\r\n"
                               "Player 1\r\n1\r\n0\r\nPlayer 2\r\n1\r\n0\r\nPlayer 3\r\n1\r\n0\r\n"
                               "Player 4\r\n1\r\n0\r\nPlayer 5\r\n1\r\n0\r\nPlayer 6\r\n1\r\n0\r\n"
                               "Player 7\r\n1\r\n0\r\nPlayer 8\r\n1\r\n0\r\nPlayer 9\r\n1\r\n0\r\n";

class SaveGamesTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        std::filesystem::create_directories(root + "/data");
        testfiles::StartHeadless(root);
        for (int i = 0; i < SaveGames::MAX_SAVEGAMES; ++i)
            SaveGames::Reset(i);
        SaveGames::SetActive(0);
    }
    void TearDown() override {
        Media::Shutdown();
        std::filesystem::permissions(root + "/data", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(root);
    }
    std::string FilePath() const { return root + "/data/savegames.dat"; }
    void WriteFile(const std::string& text) {
        testfiles::WriteBytes(FilePath(), std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::string ReadFile() const { return testfiles::ReadText(FilePath()); }
    int LogLines(const std::string& text) const {
        std::string log = testfiles::LogText(root);
        int count = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }
    // Nothing in the save file's folder but the file itself (or nothing at all).
    bool NoTemporaryLeft() const {
        for (const auto& entry : std::filesystem::directory_iterator(root + "/data"))
            if (entry.path() != FilePath()) return false;
        return true;
    }

    std::string root;
};

std::string FullFile(int active) {
    std::string text = std::to_string(active) + "\r\n";
    for (int i = 0; i < 9; ++i)
        text += "Name" + std::to_string(i) + "\r\n" + std::to_string(i + 2) + "\r\n" +
                std::to_string(i * 100) + "\r\n";
    return text;
}

// Runs `body` in a child process and returns its exit status (-1 when it did not exit).
template <typename Body> int InChild(Body body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// [SECTION] Reading

TEST_F(SaveGamesTest, FileContentReadsAsTheSlots) {
    struct Case {
        const char* name;
        std::string file;
        int active;
        std::string name0, name1, name8;
        int level0;
        int64_t score0, score8;
    };
    const Case cases[] = {
        {"only the active line", "3\r\n", 3, "Player 1", "Player 2", "Player 9", 1, 0, 0},
        {"active 12 becomes 0", "12\r\n", 0, "Player 1", "Player 2", "Player 9", 1, 0, 0},
        {"active 9 becomes 0", "9\r\n", 0, "Player 1", "Player 2", "Player 9", 1, 0, 0},
        {"negative active becomes 0", "-4\r\n", 0, "Player 1", "Player 2", "Player 9", 1, 0, 0},
        {"a complete file", FullFile(8), 8, "Name0", "Name1", "Name8", 2, 0, 800},
        {"31 lines and more: the rest is ignored", FullFile(2) + "Intruder\r\n77\r\n999\r\nmore\r\n", 2,
         "Name0", "Name1", "Name8", 2, 0, 800},
        {"a score with trailing junk", "0\r\nAnn\r\n1\r\n00042abc\r\n", 0, "Ann", "Player 2", "Player 9", 1,
         42, 0},
        {"a slot cut after its name", "1\r\nAnn\r\n", 1, "Ann", "Player 2", "Player 9", 0, 0, 0},
        {"an empty name line", "0\r\n\r\n5\r\n7\r\n", 0, "", "Player 2", "Player 9", 5, 7, 0},
        {"LF line ends", "4\nBo\n3\n12\nCy\n1\n2\n", 4, "Bo", "Cy", "Player 9", 3, 12, 0},
        {"an empty file", "", 0, "Player 1", "Player 2", "Player 9", 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.file);
        SaveGames::SetActive(5); // the file's first line decides
        SaveGames::LoadAll();
        EXPECT_EQ(SaveGames::Active(), c.active);
        EXPECT_EQ(SaveGames::SlotName(0), c.name0);
        EXPECT_EQ(SaveGames::SlotName(1), c.name1);
        EXPECT_EQ(SaveGames::SlotName(8), c.name8);
        EXPECT_EQ(SaveGames::SlotLevel(0), c.level0);
        EXPECT_EQ(SaveGames::SlotScore(0), c.score0);
        EXPECT_EQ(SaveGames::SlotScore(8), c.score8);
    }
}

TEST_F(SaveGamesTest, AMissingFileOrAFolderLeavesDefaultsAndTheActiveSlot) {
    SaveGames::SetActive(6);
    SaveGames::SetName("Changed");
    SaveGames::LoadAll();
    EXPECT_EQ(SaveGames::Active(), 6);
    EXPECT_EQ(SaveGames::Name(), "Player 7");

    std::filesystem::create_directories(FilePath());
    SaveGames::LoadAll();
    EXPECT_EQ(SaveGames::Active(), 6);
}

// [SECTION] The slots in memory

TEST_F(SaveGamesTest, ResetGivesTheDefaultsOfItsNumber) {
    WriteFile(FullFile(4));
    SaveGames::LoadAll();
    SaveGames::Reset(4);
    EXPECT_EQ(SaveGames::SlotName(4), "Player 5");
    EXPECT_EQ(SaveGames::SlotLevel(4), 1);
    EXPECT_EQ(SaveGames::SlotScore(4), 0);
    EXPECT_EQ(SaveGames::Active(), 4);
    EXPECT_EQ(SaveGames::SlotName(3), "Name3"); // the others stay
}

TEST_F(SaveGamesTest, TheActiveSlotTakesScoreChanges) {
    SaveGames::SetActive(2);
    SaveGames::SetScore(100);
    SaveGames::AdjustScore(250);
    SaveGames::AdjustScore(-50);
    EXPECT_EQ(SaveGames::Score(), 300);
    EXPECT_EQ(SaveGames::SlotScore(2), 300);
    EXPECT_EQ(SaveGames::SlotScore(0), 0);
    SaveGames::AdjustScore(5000000000); // no limit
    EXPECT_EQ(SaveGames::Score(), 5000000300);
    SaveGames::SetActive(9); // out of range: ignored
    EXPECT_EQ(SaveGames::Active(), 2);
}

// [SECTION] Writing

TEST_F(SaveGamesTest, TheBytesWritten) {
    ASSERT_TRUE(SaveGames::SaveAll());
    EXPECT_EQ(ReadFile(), FRESH_FILE);

    SaveGames::SetActive(3);
    SaveGames::SetName("Zed");
    SaveGames::SetLevel(7);
    SaveGames::SetScore(-12);
    ASSERT_TRUE(SaveGames::SaveAll());
    // The active slot's number first, then the fourth slot as set.
    const std::string expected = "3\r\n"
                                 "Player 1\r\n1\r\n0\r\nPlayer 2\r\n1\r\n0\r\nPlayer 3\r\n1\r\n0\r\n"
                                 "Zed\r\n7\r\n-12\r\nPlayer 5\r\n1\r\n0\r\nPlayer 6\r\n1\r\n0\r\n"
                                 "Player 7\r\n1\r\n0\r\nPlayer 8\r\n1\r\n0\r\nPlayer 9\r\n1\r\n0\r\n";
    EXPECT_EQ(ReadFile(), expected);
    EXPECT_TRUE(NoTemporaryLeft());

    SaveGames::LoadAll();
    EXPECT_EQ(SaveGames::Name(), "Zed");
    EXPECT_EQ(SaveGames::Level(), 7);
    EXPECT_EQ(SaveGames::Score(), -12);
}

TEST_F(SaveGamesTest, AWriteThatCannotBeDoneIsSkippedWithOneLogLine) {
    const std::string message = "SaveGames.SaveAll(): Could not write data\\savegames.dat";

    // The path is a folder.
    std::filesystem::create_directories(FilePath());
    EXPECT_FALSE(SaveGames::SaveAll());
    EXPECT_TRUE(std::filesystem::is_directory(FilePath()));
    EXPECT_EQ(LogLines(message), 1);
    std::filesystem::remove(FilePath());

    // A read-only save file stays as it is.
    WriteFile("old");
    std::filesystem::permissions(FilePath(), std::filesystem::perms::owner_read);
    SaveGames::SetName("New");
    if (geteuid() != 0) {
        EXPECT_FALSE(SaveGames::SaveAll());
        EXPECT_EQ(ReadFile(), "old");
        EXPECT_EQ(LogLines(message), 2);
    }
    std::filesystem::permissions(FilePath(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(NoTemporaryLeft());
}

TEST_F(SaveGamesTest, AFolderWithoutWritePermissionKeepsTheOldFile) {
    WriteFile("old");
    SaveGames::SetName("New");
    // The folder is made read-only and the write tried by an unprivileged child (root would
    // pass any permission check).
    int status = InChild([&] {
        chmod((root + "/data").c_str(), 0555);
        if (geteuid() == 0 && setuid(65534) != 0) return 2;
        return SaveGames::SaveAll() ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(), "old");
    EXPECT_TRUE(NoTemporaryLeft());
}

TEST_F(SaveGamesTest, AFullDiskKeepsTheOldFile) {
    WriteFile("old");
    SaveGames::SetName("New");
    // A file-size limit below the file's size stands in for a full disk.
    int status = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        return SaveGames::SaveAll() ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(), "old");
    EXPECT_TRUE(NoTemporaryLeft());
    EXPECT_NE(testfiles::LogText(root).find("File too large"), std::string::npos);
}

// [SECTION] Files that are there but cannot be read

// A save file that exists but cannot be read through must never be overwritten with defaults: the
// player's slots are still in it. Root passes any permission check, so the unreadable files are
// a link loop (cannot be opened) and a link to this process's memory file (fails on reading).
TEST_F(SaveGamesTest, AFileThatCannotBeReadIsShownAsDefaultsAndNeverOverwritten) {
    const std::string message = "SaveGames.SaveAll(): Could not write data\\savegames.dat";
    struct Case {
        const char* Name;
        std::string Target;
    };
    const Case cases[] = {{"cannot be opened", FilePath()}, {"a read error", "/proc/self/mem"}};
    int logged = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::create_symlink(c.Target, FilePath());
        SaveGames::SetActive(4);
        SaveGames::SetName("Changed");
        SaveGames::LoadAll();
        EXPECT_TRUE(SaveGames::Unreadable());
        EXPECT_EQ(SaveGames::Active(), 4);
        EXPECT_EQ(SaveGames::SlotName(0), "Player 1");
        EXPECT_EQ(SaveGames::Name(), "Player 5");
        // Play, a rename and a delete all write: each is skipped with a line of its own.
        SaveGames::SetName("Renamed");
        EXPECT_FALSE(SaveGames::SaveAll());
        EXPECT_FALSE(SaveGames::SaveAll());
        logged += 2;
        EXPECT_EQ(LogLines(message), logged);
        EXPECT_TRUE(std::filesystem::is_symlink(FilePath()));
        EXPECT_EQ(std::filesystem::read_symlink(FilePath()), c.Target);
        std::filesystem::remove(FilePath());
    }
    EXPECT_EQ(LogLines("SaveGames.LoadAll(): Could not read data\\savegames.dat"), 2);

    // Once the file reads whole again, writing is allowed again; a missing file allows it too.
    WriteFile(FullFile(3));
    SaveGames::LoadAll();
    EXPECT_FALSE(SaveGames::Unreadable());
    EXPECT_EQ(SaveGames::Name(), "Name3");
    EXPECT_TRUE(SaveGames::SaveAll());
    std::filesystem::remove(FilePath());
    SaveGames::LoadAll();
    EXPECT_FALSE(SaveGames::Unreadable());
    EXPECT_TRUE(SaveGames::SaveAll());
    EXPECT_EQ(ReadFile(), SaveGames::FileContent());
}

// [SECTION] The temporary file

TEST_F(SaveGamesTest, TheNewFileKeepsTheOldPermissionBits) {
    for (const mode_t mode : {0600, 0640, 0664}) {
        SCOPED_TRACE(mode);
        WriteFile("old");
        chmod(FilePath().c_str(), mode);
        ASSERT_TRUE(SaveGames::SaveAll());
        struct stat info;
        ASSERT_EQ(stat(FilePath().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, mode);
    }
    std::filesystem::remove(FilePath());
    ASSERT_TRUE(SaveGames::SaveAll());
    struct stat info;
    ASSERT_EQ(stat(FilePath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u); // a new file
}

// Links planted where a fixed temporary name would be are never followed, so no other file is
// truncated or written through them.
TEST_F(SaveGamesTest, PlantedLinksAreNotFollowed) {
    const std::string victim = root + "/victim.txt";
    testfiles::WriteBytes(victim, {'k', 'e', 'e', 'p'});
    for (const char* suffix : {".tmp", ".tmp.000000", ".new"})
        std::filesystem::create_symlink(victim, FilePath() + suffix);
    SaveGames::SetName("New");
    ASSERT_TRUE(SaveGames::SaveAll());
    EXPECT_EQ(testfiles::ReadText(victim), "keep");
    EXPECT_EQ(ReadFile(), SaveGames::FileContent());
    EXPECT_FALSE(std::filesystem::is_symlink(FilePath()));
}

// Two children, like two running copies of the game, each rewrite the file with its own content
// in a loop and are killed at random moments; every time the file on disk must be exactly one
// whole version: the old content or one of the two new ones. On a loaded machine a writer may be
// scheduled too late to land a file in many trials running, so the trials go on (up to four times
// as many) until each outcome has been seen.
TEST_F(SaveGamesTest, WritersKilledWhileWritingLeaveOneWholeVersion) {
    constexpr int TRIALS = 1000, MOST_TRIALS = 4 * TRIALS;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayUs(0, 3000);
    auto contentFor = [](int version) {
        for (int i = 0; i < SaveGames::MAX_SAVEGAMES; ++i) {
            SaveGames::SetActive(i);
            SaveGames::SetName("Trial" + std::to_string(version));
            SaveGames::SetScore(int64_t(version) * 1000003 + i);
        }
        SaveGames::SetActive(version % 9);
        return SaveGames::FileContent();
    };
    std::string old = contentFor(0);
    ASSERT_TRUE(SaveGames::SaveAll());

    const auto started = std::chrono::steady_clock::now();
    int olds = 0, firsts = 0, seconds = 0, partials = 0, temporaries = 0;
    int trials = 0;
    while (trials < TRIALS || ((olds == 0 || firsts == 0 || seconds == 0) && trials < MOST_TRIALS)) {
        const int trial = ++trials;
        std::string fresh[2];
        pid_t writers[2];
        for (int w = 0; w < 2; ++w) {
            fresh[w] = contentFor(2 * trial + w);
            writers[w] = fork();
            if (writers[w] == 0) {
                for (;;)
                    SaveGames::SaveAll();
            }
        }
        // The writers die one after the other at independent moments.
        for (const pid_t writer : writers) {
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random) / 2));
            kill(writer, SIGKILL);
        }
        for (const pid_t writer : writers)
            waitpid(writer, nullptr, 0);
        std::string disk = ReadFile();
        if (disk == old) {
            ++olds;
        } else if (disk == fresh[0] || disk == fresh[1]) {
            ++(disk == fresh[0] ? firsts : seconds);
            old = disk;
        } else {
            ++partials;
        }
        // A writer killed between creating its temporary file and the rename leaves it behind.
        for (const auto& entry : std::filesystem::directory_iterator(root + "/data"))
            if (entry.path() != FilePath()) {
                ++temporaries;
                std::filesystem::remove(entry.path());
            }
    }
    const double seconds_taken =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("kill test: %d trials of two writers in %.1f s: old %d, first writer %d, second writer %d, "
                "partial %d; %d temporary files left by killed writers\n",
                trials, seconds_taken, olds, firsts, seconds, partials, temporaries);
    EXPECT_EQ(partials, 0);
    EXPECT_EQ(olds + firsts + seconds, trials);
    EXPECT_GT(firsts, 0); // both writers' files did land
    EXPECT_GT(seconds, 0);
    EXPECT_GT(olds, 0); // and some were cut off
}

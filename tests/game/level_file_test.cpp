// Reading the enemy lists of the level files: which lines are waves, which are codes, how a code
// is read, and what a broken file reports.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/enemy.h"
#include "game/level_file.h"
#include "support/test_files.h"

namespace {

class LevelFileTest : public testing::Test {
protected:
    void SetUp() override { dir = testfiles::MakeTempDir(); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    LevelWave Read(const std::string& content, int wave) {
        const std::string path = dir + "/level.dat";
        testfiles::WriteBytes(path, std::vector<uint8_t>(content.begin(), content.end()));
        return ReadLevelWave(path, wave, Enemy::ENEMIES - 1);
    }

    std::string dir;
};

using Status = LevelWave::Status;

TEST_F(LevelFileTest, ApostropheLinesOpenTheWavesInTurn) {
    const std::string file =
        "Level 9: a title line\n12\n'wave 1\n0\n8\n8\n'wave 2\n4\n'wave 3\n27\n28\n'end\n";
    EXPECT_EQ(Read(file, 1).Codes, (std::vector<int>{0, 8, 8}));
    EXPECT_EQ(Read(file, 2).Codes, (std::vector<int>{4}));
    EXPECT_EQ(Read(file, 3).Codes, (std::vector<int>{27, 28}));
    EXPECT_EQ(Read(file, 1).Result, Status::Ok);
}

TEST_F(LevelFileTest, LinesWithoutDigitsAreSpiders) {
    // An empty line, a line of text and a line whose apostrophe is not its first character.
    EXPECT_EQ(Read("'w\n\n5\nhornet\n 'indented\n'\n", 1).Codes, (std::vector<int>{0, 5, 0, 0}));
}

TEST_F(LevelFileTest, HexadecimalBinaryAndSignedCodes) {
    EXPECT_EQ(Read("'w\n$1B\n%11\n+2\n-0\n'\n", 1).Codes, (std::vector<int>{27, 3, 2, 0}));
}

TEST_F(LevelFileTest, WindowsLineEndsReadTheSame) {
    EXPECT_EQ(Read("'w\r\n3\r\n4\r\n'\r\n", 1).Codes, (std::vector<int>{3, 4}));
}

TEST_F(LevelFileTest, TheLineThatReachesTheEndIsLost) {
    // The last wave is not closed: its last code is the file's last line and is not used,
    // with or without a final line end.
    EXPECT_EQ(Read("'w\n3\n4", 1).Codes, (std::vector<int>{3}));
    EXPECT_EQ(Read("'w\n3\n4\n", 1).Codes, (std::vector<int>{3}));
    // A wave whose only code is the last line has no codes at all.
    EXPECT_EQ(Read("'w1\n1\n'w2\n9\n", 2).Result, Status::Corrupt);
    // A wave header on the last line is lost too.
    EXPECT_EQ(Read("'w1\n1\n'w2", 2).Result, Status::Corrupt);
}

TEST_F(LevelFileTest, BrokenFilesAreCorrupt) {
    EXPECT_EQ(Read("", 1).Result, Status::Corrupt);
    EXPECT_EQ(Read("no waves at all\n1\n2\n", 1).Result, Status::Corrupt);
    EXPECT_EQ(Read("'w1\n1\n'w2\n2\n'\n", 3).Result, Status::Corrupt); // fewer waves than asked for
    EXPECT_EQ(Read("'w1\n'w2\n2\n'\n", 1).Result, Status::Corrupt);    // a wave without codes
    EXPECT_EQ(Read(std::string("'w1\n\0\0\0", 7), 1).Codes, (std::vector<int>{0, 0})); // NUL ends a line
}

TEST_F(LevelFileTest, CodesOutsideTheEnemyTypesNameTheirLine) {
    const struct {
        const char* File;
        int Line;
        int64_t Value;
    } cases[] = {
        {"'w\n0\n31\n'\n", 3, 31},
        {"'w\n-1\n'\n", 2, -1},
        {"intro\n'w\n2\n$1F\n'\n", 4, 31},
        {"'w\n99999999999999999999\n'\n", 2, INT64_MAX},
    };
    for (const auto& c : cases) {
        const LevelWave read = Read(c.File, 1);
        EXPECT_EQ(read.Result, Status::BadCode) << c.File;
        EXPECT_EQ(read.BadLine, c.Line) << c.File;
        EXPECT_EQ(read.BadValue, c.Value) << c.File;
        EXPECT_TRUE(read.Codes.empty());
    }
    // The highest type (BOSS2) is a valid code.
    EXPECT_EQ(Read("'w\n30\n'\n", 1).Codes, (std::vector<int>{30}));
}

TEST_F(LevelFileTest, OnlyAnExistingFileIsRead) {
    EXPECT_EQ(ReadLevelWave(dir + "/missing.dat", 1, 30).Result, Status::NotFound);
    std::filesystem::create_directories(dir + "/folder.dat");
    EXPECT_EQ(ReadLevelWave(dir + "/folder.dat", 1, 30).Result, Status::NotFound);
}

TEST(ShippedLevelFilesTest, EveryWaveOfEveryLevelReads) {
    for (int level = 1; level <= 11; ++level) {
        const std::string path = std::string(QS_DATA_ROOT) + "/data/level" + std::to_string(level) + ".dat";
        for (int wave = 1; wave <= 5; ++wave) {
            const LevelWave read = ReadLevelWave(path, wave, Enemy::ENEMIES - 1);
            ASSERT_EQ(read.Result, Status::Ok) << path << " wave " << wave;
            for (int code : read.Codes) // the bosses come by themselves, never from the list
                EXPECT_LT(code, Enemy::BOSS1) << path << " wave " << wave;
        }
    }
}

} // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "shell/user_files.h"

namespace {

struct UserFilesTest : ::testing::Test {
    std::filesystem::path temp =
        std::filesystem::temp_directory_path() / ("qs-user-files-" + std::to_string(::getpid()));
    void TearDown() override {
        SetUserFileFolder("");
        std::filesystem::remove_all(temp);
    }
};

TEST_F(UserFilesTest, RunFromABuildFilesStayWhereTheGameNamesThem) {
    SetUserFileFolder("");
    EXPECT_EQ(UserFilePath("data\\savegames.dat"), "data\\savegames.dat");
    EXPECT_EQ(UserFilePath("Screenshot-001.jpg"), "Screenshot-001.jpg");
    EXPECT_TRUE(PrepareUserFileFolder());
}

TEST_F(UserFilesTest, InstalledFilesGoToThePlayersFolderUnderTheirOwnNames) {
    SetUserFileFolder(temp.string() + "/share/quillstorm");
    EXPECT_EQ(UserFilePath("data\\savegames.dat"), temp.string() + "/share/quillstorm/savegames.dat");
    EXPECT_EQ(UserFilePath("data/x.dat"), temp.string() + "/share/quillstorm/x.dat");
    EXPECT_EQ(UserFilePath("Screenshot-002.jpg"), temp.string() + "/share/quillstorm/Screenshot-002.jpg");
    ASSERT_FALSE(std::filesystem::exists(temp));
    EXPECT_TRUE(PrepareUserFileFolder()); // made on first write, parents included
    EXPECT_TRUE(std::filesystem::is_directory(temp / "share" / "quillstorm"));
}

TEST_F(UserFilesTest, AFolderThatCannotBeMadeIsReported) {
    std::filesystem::create_directories(temp);
    {
        std::FILE* f = std::fopen((temp / "file").c_str(), "w");
        std::fclose(f);
    }
    SetUserFileFolder((temp / "file" / "quillstorm").string());
    EXPECT_FALSE(PrepareUserFileFolder());
}

TEST_F(UserFilesTest, DefaultFolderFollowsXdgThenHome) {
    ::setenv("XDG_DATA_HOME", "/x/data", 1);
    ::setenv("HOME", "/home/p", 1);
    EXPECT_EQ(DefaultUserFileFolder(), "/x/data/quillstorm");
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(DefaultUserFileFolder(), "/home/p/.local/share/quillstorm");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DefaultUserFileFolder(), "/home/p/.local/share/quillstorm");
    ::unsetenv("HOME");
    EXPECT_EQ(DefaultUserFileFolder(), "");
}

} // namespace

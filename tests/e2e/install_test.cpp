// Installs the build into a temporary prefix and runs the installed program as a player would:
// from another folder, without --data, with its own HOME. It must find its data beside itself
// and keep the save file in the player's data folder, never in the read-only installed tree. The
// desktop entry, the AppStream metainfo and the man page pass their validators.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class InstallTest : public testing::Test {
protected:
    void SetUp() override {
        temp = testfiles::MakeTempDir();
        prefix = temp + "/prefix";
        home = temp + "/home";
        fs::create_directories(home);
    }
    void TearDown() override { fs::remove_all(temp); }

    std::string temp, prefix, home;
};

TEST_F(InstallTest, InstalledGameFindsItsDataAndSavesInThePlayersFolder) {
    ASSERT_EQ(Shell("cmake --install '" + std::string(QS_BINARY_DIR) + "' --prefix '" + prefix + "' > '" +
                    temp + "/install.txt' 2>&1"),
              0)
        << testfiles::ReadText(temp + "/install.txt");

    for (const char* file :
         {"bin/quillstorm", "share/quillstorm/gfx/menus/mouse.png", "share/quillstorm/data/level1.dat",
          "share/quillstorm/sfx/music", "share/applications/io.github.quillstorm.Quillstorm.desktop",
          "share/metainfo/io.github.quillstorm.Quillstorm.metainfo.xml", "share/man/man6/quillstorm.6.gz",
          "share/icons/hicolor/48x48/apps/quillstorm.png", "share/icons/hicolor/128x128/apps/quillstorm.png",
          "share/icons/hicolor/256x256/apps/quillstorm.png"})
        EXPECT_TRUE(fs::exists(prefix + "/" + file)) << file;
    EXPECT_FALSE(fs::exists(prefix + "/share/quillstorm/.generated"));
    EXPECT_FALSE(fs::exists(prefix + "/share/quillstorm/data/savegames.dat"));

    EXPECT_EQ(Shell("desktop-file-validate '" + prefix +
                    "/share/applications/io.github.quillstorm.Quillstorm.desktop' > '" + temp +
                    "/validate.txt' 2>&1"),
              0)
        << testfiles::ReadText(temp + "/validate.txt");
    // Software centres read the metainfo; --no-net: the screenshot's address is not fetched.
    EXPECT_EQ(Shell("appstreamcli validate --no-net '" + prefix +
                    "/share/metainfo/io.github.quillstorm.Quillstorm.metainfo.xml' > '" + temp +
                    "/appstream.txt' 2>&1"),
              0)
        << testfiles::ReadText(temp + "/appstream.txt");
    // The man page renders without a warning from groff or man.
    EXPECT_EQ(Shell("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '" + prefix +
                    "/share/man/man6/quillstorm.6.gz' > '" + temp + "/man.txt' 2> '" + temp +
                    "/man-warnings.txt'"),
              0);
    EXPECT_EQ(testfiles::ReadText(temp + "/man-warnings.txt"), "");
    EXPECT_NE(testfiles::ReadText(temp + "/man.txt").find("settings.ini"), std::string::npos);

    // Skip the logos, open the player menu, rename slot 1 to "Ace": Enter writes the save file.
    std::string script =
        "5 click 1\n400 click 1\n460 move 400 300\n461 click 1\n540 move 400 404\n541 click 1\n";
    for (int i = 0; i < 8; ++i)
        script += std::to_string(545 + i) + " key BACKSPACE\n";
    script += "555 type Ace\n570 key ENTER\n";
    testfiles::WriteBytes(temp + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
    const int status = Shell("cd / && env -u XDG_DATA_HOME HOME='" + home + "' timeout 600 '" + prefix +
                             "/bin/quillstorm' --headless --windowed --seed 3 --frames 600 --script '" +
                             temp + "/script.txt' > '" + temp + "/run.txt' 2>&1");
    ASSERT_EQ(status, 0) << testfiles::ReadText(temp + "/run.txt");

    const std::string saved = testfiles::ReadText(home + "/.local/share/quillstorm/savegames.dat");
    EXPECT_EQ(saved.substr(0, 12), "0\r\nAce\r\n1\r\n0") << saved;
    EXPECT_FALSE(fs::exists(prefix + "/share/quillstorm/data/savegames.dat"));
}

} // namespace

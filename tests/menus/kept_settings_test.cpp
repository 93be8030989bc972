// settings.ini: what a settings file gives, line by line, and the options screen that writes it
// when it is left, read again at the next start.
#include <algorithm>
#include <filesystem>

#include "menus/config_menu.h"
#include "menus/kept_settings.h"
#include "menus/menu_flow_fixture.h"
#include "presentation/sound.h"
#include "shell/controls.h"
#include "shell/user_files.h"
#include "support/headless_start.h"

namespace {

class KeptSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        ASSERT_NO_THROW(testsupport::StartHeadless(root, root + "/log.txt"));
    }
    void TearDown() override {
        Media::Shutdown();
        SetSettingsFolder("");
        std::filesystem::remove_all(root);
    }
    std::string Log() const { return testfiles::ReadText(root + "/log.txt"); }
    int LogLines() const {
        const std::string log = Log();
        return int(std::count(log.begin(), log.end(), '\n'));
    }
    void WriteSettings(const std::string& text) {
        std::filesystem::create_directories(root + "/data");
        testfiles::WriteBytes(root + "/data/settings.ini", std::vector<uint8_t>(text.begin(), text.end()));
    }

    std::string root;
};

void ExpectSettings(const KeptSettings& s, float sound, float music, int windowed, int rumble) {
    EXPECT_EQ(s.SoundVolume, sound);
    EXPECT_EQ(s.MusicVolume, music);
    EXPECT_EQ(s.Windowed, windowed);
    EXPECT_EQ(s.Rumble, rumble);
}

} // namespace

TEST_F(KeptSettingsTest, EveryValueReadsBackAsWritten) {
    for (float sound : {1.0f, 0.5f, 0.25f, 0.0f})
        for (float music : {0.75f, 0.5f, 0.25f, 0.0f})
            for (int flag : {0, 1}) {
                const KeptSettings written{sound, music, flag, 1 - flag};
                const KeptSettings read = ParseSettings(FormatSettings(written), "settings.ini");
                ExpectSettings(read, sound, music, flag, 1 - flag);
            }
    EXPECT_EQ(FormatSettings(KeptSettings()),
              "sound_volume=1\nmusic_volume=0.5\ndisplay=fullscreen\nrumble=on\n");
    EXPECT_EQ(LogLines(), 0) << Log();
}

TEST_F(KeptSettingsTest, EachMissingDamagedOrUnknownLineGivesItsDefaultAndOneLogLine) {
    const struct {
        const char* Text;
        int LogLines;
        const char* Logged;
    } cases[] = {
        {"", 4, "no sound_volume line; 1 is used"},
        {"sound_volume=0.5\r\nmusic_volume=0\r\ndisplay=windowed\r\nrumble=off\r\n", 0, ""},
        {"sound_volume=0.3\nmusic_volume=0\ndisplay=windowed\nrumble=off\n", 1,
         "line 1: sound_volume takes 1, 0.5, 0.25 or 0, not '0.3'; 1 is used"},
        {"sound_volume=0.5\nmusic_volume=loud\ndisplay=windowed\nrumble=off\n", 1, "music_volume takes"},
        {"sound_volume=0.5\nmusic_volume=0\ndisplay=tv\nrumble=off\n", 1,
         "display takes windowed or fullscreen"},
        {"sound_volume=0.5\nmusic_volume=0\ndisplay=windowed\nrumble=\n", 1, "rumble takes on or off"},
        {"sound_volume=0.5\nmusic_volume=0\ndisplay=windowed\nrumble=off\ncolour=red\n", 1,
         "line 5: unknown setting 'colour' is ignored"},
        {"sound_volume=0.5\nmusic_volume=0\n\xff\xfe garbage\ndisplay=windowed\nrumble=off\n", 1,
         "line 3 is not key=value"},
        {"# mine\nsound_volume=0.5\nmusic_volume=0\ndisplay=windowed\n", 1, "no rumble line; on is used"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const int before = LogLines();
        const KeptSettings read = ParseSettings(c.Text, "settings.ini");
        EXPECT_EQ(LogLines() - before, c.LogLines) << Log();
        EXPECT_NE(Log().find(c.Logged), std::string::npos) << Log();
        // A setting in trouble takes its default; the others keep what the file says.
        const std::string text = c.Text;
        const bool all = text.find("sound_volume=0.5") != std::string::npos;
        if (!all) continue;
        EXPECT_EQ(read.SoundVolume, 0.5f);
        EXPECT_EQ(read.MusicVolume, text.find("music_volume=0\n") != std::string::npos ||
                                            text.find("music_volume=0\r") != std::string::npos
                                        ? 0.0f
                                        : 0.5f);
        EXPECT_EQ(read.Windowed, text.find("display=windowed") != std::string::npos ? 1 : 0);
        EXPECT_EQ(read.Rumble, text.find("rumble=off") != std::string::npos ? 0 : 1);
    }
}

TEST_F(KeptSettingsTest, AMissingOrUnreadableFileGivesTheDefaultsWithOneLogLine) {
    Sound::SoundVolume_ = 0.25f;
    RumbleEnabled = 0;
    LoadKeptSettings();
    ExpectSettings(Kept, 1.0f, 0.5f, 0, 1);
    EXPECT_EQ(Sound::SoundVolume_, 1.0f);
    EXPECT_EQ(RumbleEnabled, 1);
    EXPECT_EQ(LogLines(), 1) << Log();
    EXPECT_NE(Log().find("does not exist yet; the default settings are used"), std::string::npos);

    std::filesystem::create_directories(root + "/data/settings.ini"); // a folder where the file goes
    LoadKeptSettings();
    ExpectSettings(Kept, 1.0f, 0.5f, 0, 1);
    EXPECT_EQ(LogLines(), 2) << Log();
    SaveKeptSettings(); // the write is skipped with a line; nothing ends the game
    EXPECT_EQ(LogLines(), 3) << Log();
    EXPECT_TRUE(std::filesystem::is_directory(root + "/data/settings.ini"));
}

TEST_F(KeptSettingsTest, TheFileIsAppliedAtStartAndWrittenWhereTheSettingsBelong) {
    WriteSettings("sound_volume=0.25\nmusic_volume=0.75\ndisplay=windowed\nrumble=off\n");
    LoadKeptSettings();
    ExpectSettings(Kept, 0.25f, 0.75f, 1, 0);
    EXPECT_EQ(Sound::SoundVolume_, 0.25f);
    EXPECT_EQ(Sound::MusicVolume_, 0.75f);
    EXPECT_EQ(RumbleEnabled, 0);

    // Installed: the player's configuration folder, made on the first write.
    SetSettingsFolder(root + "/config/quillstorm");
    Kept.Rumble = 1;
    SaveKeptSettings();
    EXPECT_EQ(testfiles::ReadText(root + "/config/quillstorm/settings.ini"),
              "sound_volume=0.25\nmusic_volume=0.75\ndisplay=windowed\nrumble=on\n");
    EXPECT_FALSE(std::filesystem::exists(root + "/config/quillstorm/settings.ini.tmp"));
}

TEST_F(MenuFlowTest, LeavingTheOptionsKeepsThemForTheNextStart) {
    // Title → Options; the sound line once (High → Off), the rumble line (On → Off), the video
    // line (window → full screen, where window pixels change), then Back with Escape. Lines on
    // screen: y = 250 + 0.55 × (−104, −32, 40, 112).
    Start("1 click 1\n40 move 400 335\n41 click 1\n100 move 400 193\n101 click 1\n110 move 400 312\n"
          "111 click 1\n120 move 400 272\n121 click 1\n130 key ESC\n");
    ASSERT_TRUE(RunUntilState(STATE_OPTIONS, 60));
    ASSERT_TRUE(RunUntil([] { return RumbleEnabled == 0; }, 100));
    Run(2);
    EXPECT_EQ(ConfigMenu::RumbleValue()->String(), "Off");
    EXPECT_FALSE(std::filesystem::exists(root + "/data/settings.ini")) << "written when the screen is left";
    ASSERT_TRUE(RunUntilState(STATE_MAIN_MENU, 20));
    EXPECT_EQ(testfiles::ReadText(root + "/data/settings.ini"),
              "sound_volume=0\nmusic_volume=0.5\ndisplay=fullscreen\nrumble=off\n");

    Sound::SoundVolume_ = 1.0f;
    RumbleEnabled = 1;
    LoadKeptSettings();
    EXPECT_EQ(Sound::SoundVolume_, 0.0f);
    EXPECT_EQ(Kept.Windowed, 0);
    EXPECT_EQ(RumbleEnabled, 0);
}

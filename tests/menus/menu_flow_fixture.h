#pragma once
// The whole game in this process on the headless back end with the generated data: the display,
// every resource, the game flow and the real frame loop, driven by an input script. The loading
// screen is skipped (resources load at once), so frame 0 is the first frame of the title screen;
// a click on frame 1 cuts the title's fade short, and its buttons answer from about frame 30.
//
// Each test has its own data root (pictures and sounds shared by links, its own data folder and
// save file). Window pixels equal screen units in the 800 × 500 window.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "flow/game_flow.h"
#include "flow/load_resources.h"
#include "flow/main_loop.h"
#include "media/media.h"
#include "menus/main_menu.h"
#include "presentation/load_screen.h"
#include "save/save_games.h"
#include "shell/app.h"
#include "shell/state_system.h"
#include "support/test_files.h"

class MenuFlowTest : public testing::Test {
protected:
    static constexpr int TITLE_READY = 40; // frame by which the title's buttons answer

    void SetUp() override { root = testfiles::MakeGameRoot(); }
    void TearDown() override {
        Media::Shutdown();
        std::filesystem::remove_all(root);
    }

    // Starts the game with `script` (input script lines); fullScreen opens the headless
    // 1920 × 1080 desktop instead of the window.
    void Start(const std::string& script, bool fullScreen = false) {
        testfiles::WriteBytes(root + "/script.txt", std::vector<uint8_t>(script.begin(), script.end()));
        Media::Options options;
        options.Headless = true;
        options.Windowed = !fullScreen;
        options.DataRoot = root;
        options.LogFile = root + "/log.txt";
        options.ScriptFile = root + "/script.txt";
        options.HasSeed = true;
        options.Seed = 7;
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
        int w = 0, h = 0;
        Media::DesktopSize(w, h);
        App::Create("Quillstorm!", w, h, 0, fullScreen ? 1 : 0, 0);
        RegisterGameFlow();
        // Loading without the panel: no bar frames, so the script's frames count from the title.
        LoadScreen::Hide();
        LoadResources();
        MainMenu::Show(1);
        StartFrameClock();
    }

    // Runs presented frames (dropped steps do not count).
    void Run(int frames) {
        for (int i = 0; i < frames;)
            if (RunFrame()) ++i;
    }
    // Runs frames until `done` holds (checked after each frame); false after `limit` frames.
    bool RunUntil(const std::function<bool()>& done, int limit = 5000) {
        for (int i = 0; i < limit;) {
            if (!RunFrame()) continue;
            ++i;
            if (done()) return true;
        }
        return false;
    }
    bool RunUntilState(int state, int limit = 5000) {
        return RunUntil([state] { return StateSystem::State() == state; }, limit);
    }

    void WriteSaveFile(const std::string& text) {
        testfiles::WriteBytes(SavePath(), std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::string SaveFile() const { return testfiles::ReadText(SavePath()); }
    std::string SavePath() const { return root + "/data/savegames.dat"; }

    std::string root;
};

// A save file of nine slots: slot i named names[i] with score scores[i], level 1.
inline std::string SaveFileText(int active, const std::vector<std::string>& names,
                                const std::vector<long long>& scores) {
    std::string text = std::to_string(active) + "\r\n";
    for (size_t i = 0; i < 9; ++i) {
        std::string name = i < names.size() ? names[i] : "Player " + std::to_string(i + 1);
        long long score = i < scores.size() ? scores[i] : 0;
        text += name + "\r\n1\r\n" + std::to_string(score) + "\r\n";
    }
    return text;
}

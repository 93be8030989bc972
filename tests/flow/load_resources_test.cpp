// Start-up loading with the generated data: the order of the loads and a loading bar that is
// full exactly when the last one is done.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "flow/load_resources.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "presentation/load_screen.h"
#include "shell/app.h"
#include "sprites/sprite.h"
#include "support/test_files.h"

TEST(LoadResources, EveryLoadAdvancesTheBarAndTheLastOneFillsIt) {
    const std::string dir = testfiles::MakeTempDir();
    Media::Options options;
    options.Headless = true;
    options.Windowed = true;
    options.DataRoot = QS_DATA_ROOT;
    options.LogFile = dir + "/log.txt";
    std::string error;
    ASSERT_TRUE(Media::Init(options, error)) << error;
    App::Create("Quillstorm!", 800, 500, 0, 0, 0);
    LoadScreen::Init(0);
    LoadScreen::ZoomIn(); // the bar counts only while the panel shows
    LoadScreen::SetExpectedLoads(START_UP_LOADS);
    // Every listed picture decoded and cut before its load, so that each load meets its listing.
    Media::PrefetchPictures(StartUpPictures());
    for (int ms = 0; ms < 60000 && Media::Internal::PrefetchBusy(); ++ms)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (const Media::PictureAhead& picture : StartUpPictures())
        ASSERT_TRUE(Media::PrefetchDone(picture.Path)) << picture.Path << " was not decoded ahead";
    LoadResources();

    EXPECT_EQ(LoadScreen::Progress(), START_UP_LOADS);
    const SpriteRef& bar = LoadScreen::BarSprite();
    EXPECT_FLOAT_EQ(bar->ViewportWidth(0), bar->Width(0));

    // Fonts first, then the gameplay classes, then the menus, the quit confirmation last.
    const std::string log = testfiles::ReadText(dir + "/log.txt");
    EXPECT_NE(log.find("Loading 'gfx\\font1.png' : Progress = 1\n"), std::string::npos);
    EXPECT_NE(log.find("Loading 'gfx\\font3.png' : Progress = 3\n"), std::string::npos);
    EXPECT_LT(log.find("Loading 'gfx\\ship\\health.png'"), log.find("Loading 'gfx\\menus\\menupiece1.png'"));
    EXPECT_NE(log.find("Loading 'gfx\\menus\\button-confirmquit.png' : Progress = " +
                       std::to_string(START_UP_LOADS) + "\n"),
              std::string::npos);

    // The pictures decoded ahead are the ones loaded, in the same order.
    std::vector<std::string> pictures;
    for (size_t at = log.find("Loading '"); at != std::string::npos; at = log.find("Loading '", at + 1)) {
        const size_t start = at + 9;
        const std::string item = log.substr(start, log.find('\'', start) - start);
        const std::string extension = item.size() > 4 ? item.substr(item.size() - 4) : "";
        if (extension == ".png" || extension == ".jpg") pictures.push_back(item);
    }
    std::vector<std::string> listed;
    for (const Media::PictureAhead& picture : StartUpPictures())
        listed.push_back(picture.Path);
    EXPECT_EQ(pictures, listed) << "StartUpPictures() must list LoadResources' pictures in order";
    // A sheet listed with other cells than its load's is cut again, and says so.
    EXPECT_EQ(log.find("Decoding ahead: "), std::string::npos) << log;
    LoadScreen::Hide();
    Media::Shutdown();
}

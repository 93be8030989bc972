#include "flow/game_flow.h"

#include <string>
#include <vector>

#include "flow/load_resources.h"
#include "flow/play_states.h"
#include "game/background.h"
#include "game/level.h"
#include "media/media.h"
#include "menus/config_menu.h"
#include "menus/credits.h"
#include "menus/end_game.h"
#include "menus/end_level_menu.h"
#include "menus/final_stats_menu.h"
#include "menus/main_menu.h"
#include "menus/menu_input.h"
#include "menus/player_menu.h"
#include "menus/quit_game_menu.h"
#include "menus/story.h"
#include "presentation/load_screen.h"
#include "presentation/logo.h"
#include "shell/state_system.h"

namespace {

void StartLoadScreen() {
    LoadScreen::Init(0);
    StateSystem::SetState(STATE_LOADING_ZOOM_IN);
}

void StartLogos() {
    // A run that starts straight at a stage has no use for the logos.
    const bool logos = RequestedStage() < 0;
    // The start-up pictures decode on the decode threads from here on, through the logos and the
    // panel's slide, so that most are ready when their loads come; the logos, which began to
    // decode while the window opened (StartDecodingLogos), stay first.
    std::vector<Media::PictureAhead> ahead;
    if (logos) {
        for (const std::string& path : Logo::PicturePaths())
            ahead.push_back({path});
    }
    // The loading panel's own pictures (LoadScreen::Init), wanted when the logos end.
    ahead.push_back({"gfx\\menus\\loading.png"});
    ahead.push_back({"gfx\\menus\\loadingbar.png"});
    const std::vector<Media::PictureAhead>& startUp = StartUpPictures();
    ahead.insert(ahead.end(), startUp.begin(), startUp.end());
    Media::PrefetchPictures(ahead);
    if (!logos) {
        StartLoadScreen();
        return;
    }
    Logo::ShowNext();
    StateSystem::SetState(STATE_LOGOS);
}

void UpdateLogos() {
    if (Logo::Animating() == 0) Logo::ShowNext();
    if (SkipRequested() || Logo::FailedToLoad() != 0) {
        Logo::Free();
        StartLoadScreen();
        Media::ClearInput();
    }
}

// The background shown after the loading screen: the title's, or the requested stage's; −1 for
// none (a stage past the last).
int NextBackground() {
    const int stage = RequestedStage();
    if (stage < 0) return MainMenu::BACKGROUND;
    return stage < Level::Stages ? stage / Level::WavesPerLevel : -1;
}

void UpdateLoading() {
    if (LoadScreen::Animating() != 0) return;
    LoadScreen::SetExpectedLoads(START_UP_LOADS);
    LoadResources();
    // The scenery that comes next decodes while the panel slides out.
    const int next = NextBackground();
    if (next >= 0)
        Media::PrefetchPixmaps(Background::PicturePaths(next));
    else
        Media::EndPrefetch();
    LoadScreen::ZoomOut();
}

// After loading, and whenever an abandoned game returns to the title.
void UpdateReturnToTitle() {
    if (LoadScreen::Animating() != 0) {
        // Its pictures are made while the panel leaves, one a frame as they are decoded, so that
        // the first frame after it neither makes them nor waits for their textures.
        Background::MakeAhead(NextBackground());
        return;
    }
    LoadScreen::Hide();
    if (!StartRequestedStage()) MainMenu::Show(1);
}

} // namespace

void StartDecodingLogos() {
    if (RequestedStage() < 0) Media::PrefetchPixmaps(Logo::PicturePaths());
}

void RegisterGameFlow() {
    StateSystem::Register(STATE_START, StartLogos);
    StateSystem::Register(STATE_LOGOS, UpdateLogos);
    StateSystem::Register(STATE_LOADING_ZOOM_IN, LoadScreen::ZoomIn);
    StateSystem::Register(STATE_LOADING, UpdateLoading);
    StateSystem::Register(STATE_LOADING_ZOOM_OUT, UpdateReturnToTitle);
    StateSystem::Register(STATE_MAIN_MENU, MainMenu::Update);
    StateSystem::Register(STATE_PLAYER_MENU, PlayerMenu::Update);
    StateSystem::Register(STATE_OPTIONS, ConfigMenu::Update);
    StateSystem::Register(STATE_LEVEL_STATS, EndLevelMenu::Update);
    StateSystem::Register(STATE_FINAL_STATS, FinalStatsMenu::Update);
    StateSystem::Register(STATE_QUIT_CONFIRM, QuitGameMenu::Update);
    StateSystem::Register(STATE_ENDING, EndGame::Update);
    StateSystem::Register(STATE_CREDITS, Credits::Update);
    StateSystem::Register(STATE_STORY, Story::Update);
    RegisterPlayStates();

    StateSystem::RegisterShow(STATE_MAIN_MENU, [] { MainMenu::Show(1); });
    StateSystem::RegisterShow(STATE_PLAYER_MENU, PlayerMenu::Show);
    StateSystem::RegisterShow(STATE_OPTIONS, ConfigMenu::Show);
    StateSystem::RegisterShow(STATE_LEVEL_STATS, EndLevelMenu::Show);
    StateSystem::RegisterShow(STATE_FINAL_STATS, FinalStatsMenu::Show);
    StateSystem::RegisterShow(STATE_QUIT_CONFIRM, QuitGameMenu::Show);
    StateSystem::RegisterShow(STATE_ENDING, EndGame::Show);
    StateSystem::RegisterShow(STATE_CREDITS, Credits::Show);
    StateSystem::RegisterShow(STATE_STORY, Story::Show);
}

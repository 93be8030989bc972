#include "flow/game_flow.h"

#include "flow/load_resources.h"
#include "media/media.h"
#include "presentation/load_screen.h"
#include "presentation/logo.h"
#include "shell/pointer.h"
#include "shell/state_system.h"

namespace {

void StartLogos() {
    Logo::ShowNext();
    StateSystem::SetState(STATE_LOGOS);
}

void UpdateLogos() {
    if (Logo::Animating() == 0) Logo::ShowNext();
    bool skipped = Media::NextTypedChar() != 0 || MouseButtonHit[1] > 0;
    if (skipped || Logo::FailedToLoad() != 0) {
        Logo::Free();
        LoadScreen::Init(0);
        StateSystem::SetState(STATE_LOADING_ZOOM_IN);
        Media::ClearInput();
    }
}

void UpdateLoading() {
    if (LoadScreen::Animating() != 0) return;
    LoadResources();
    LoadScreen::ZoomOut();
}

} // namespace

void RegisterGameFlow() {
    StateSystem::Register(STATE_START, StartLogos);
    StateSystem::Register(STATE_LOGOS, UpdateLogos);
    StateSystem::Register(STATE_LOADING_ZOOM_IN, LoadScreen::ZoomIn);
    StateSystem::Register(STATE_LOADING, UpdateLoading);
}

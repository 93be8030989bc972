#include "flow/main_loop.h"

#include <cstdio>
#include <string>
#include <vector>

#include "game/background.h"
#include "media/media.h"
#include "presentation/sound.h"
#include "shell/app.h"
#include "shell/frame_clock.h"
#include "shell/gameplay_hooks.h"
#include "shell/pointer.h"
#include "shell/projection_matrix.h"
#include "shell/screenshot.h"
#include "shell/state_system.h"
#include "sprites/render_state.h"

namespace {

void DrawDebugOverlay() {
    RenderState::Push();
    Media::SetScale(1, 1);
    Media::SetRotation(0);
    Media::SetColor(255, 255, 255);
    Media::SetAlpha(1);
    Media::SetBlend(Media::ALPHABLEND);
    Media::SetViewport(0, 0, ProjectionMatrix::ScaledWidth(), ProjectionMatrix::ScaledHeight());
    Media::DrawDebugText(std::to_string(int(1000.0 / DeltaTime)), 16, 16);
    Media::DrawDebugText("Sprites = " + std::to_string(Sprite::SpriteList().Count()), 16, 32);
    Media::DrawDebugText("EnemiesOnScreen = " + std::to_string(EnemiesOnScreen()), 16, 48);
    Media::DrawDebugText("Memory Used = " + std::to_string(Media::MemoryInUse()), 16, 64);
    // Pixels shaded per screen pixel in the last frame: what software rendering pays for.
    char overdraw[32];
    std::snprintf(overdraw, sizeof overdraw, "Overdraw = %.2f", double(Media::LastFrameOverdraw()));
    Media::DrawDebugText(overdraw, 16, 80);
    RenderState::Pop();
}

void ApplyLetterbox() {
    ProjectionMatrix::SetLetterbox(VIRTUAL_WIDTH, VIRTUAL_HEIGHT);
    Sprite::SetOrigin(ProjectionMatrix::OriginX(), ProjectionMatrix::OriginY());
}

} // namespace

void PollSystemEvents() {
    static std::vector<Media::SystemEvent> events; // reused: no allocation per frame
    for (int button = 1; button <= 3; ++button)
        MouseButtonHit[button] = 0;
    Media::PollEvents(events);
    for (Media::SystemEvent event : events) {
        Sound::PauseMusic(event == Media::SystemEvent::Suspend ? 1 : 0);
        if (event == Media::SystemEvent::Resume) ResumePointer();
    }
}

void StartFrameClock() {
    FrameClock = Media::ClockMs();
}

bool RunFrame() {
    LastFrameClock = FrameClock;
    FrameClock = Media::ClockMs();
    DeltaTime = int32_t(FrameClock - LastFrameClock); // wraps correctly with the clock
    DeltaSeconds = float(DeltaTime) / 1000.0f;
    if (!StepAccepted(DeltaTime)) {
        // Nothing passed yet: wait a little instead of spinning on the clock.
        if (DeltaTime < MIN_FRAME_STEP) Media::SleepMs(1);
        return false;
    }

    PollSystemEvents();
    if (Media::AppSuspended()) {
        Media::SleepMs(SUSPENDED_SLEEP);
        return false;
    }

    DeltaTime = SpeedAdjustedStep(DeltaTime, SpeedPowerupActive());
    GameTime += DeltaTime;
    Sprite::SetTimeStep(DeltaTime);

    UpdatePointer();
    StateSystem::Update();
    Background::Settle();
    Sprite::Update();

    Media::SetClsColor(0, 0, 0);
    Media::Cls();
    Sprite::DrawAll();
    ProjectionMatrix::DrawLetterbox();
    if (Media::KeyHeld(Media::KEY_TAB)) DrawDebugOverlay();
    if (Media::KeyPresses(Media::KEY_TAB) > 0)
        Media::DebugLog("Memory Used = " + std::to_string(Media::MemoryInUse()));
    // Grabbed before the present: afterwards the back buffer's contents are undefined.
    if (Media::KeyPresses(Media::KEY_F5) > 0) SaveScreenshot();

    // Recomputed every frame so that a display change takes effect on the next one.
    ApplyLetterbox();
    Media::Flip(1);
    return true;
}

void RunMainLoop() {
    for (;;)
        RunFrame();
}

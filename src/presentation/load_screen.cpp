#include "presentation/load_screen.h"

#include <cmath>

#include "shell/load_helpers.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

void LoadScreen::Init(int total) {
    PanelImage_ = LoadGameImage("gfx\\menus\\loading.png", -1, 0);
    BarImage_ = LoadGameImage("gfx\\menus\\loadingbar.png", -1, 0);

    PanelSprite_ = Sprite::Create(PanelImage_, 21, nullptr);
    PanelSprite_->SetPosition(400, 400, 0);
    PanelSprite_->SetScale(0.4f);
    PanelSprite_->SetShadow(12.0f, 135.0f, 0.2f);
    PanelSprite_->Hide();

    BarSprite_ = Sprite::Create(BarImage_, 1, PanelSprite_);
    BarSprite_->SetFlags(Sprite::PARENT_VIEWPORT);
    SetBarFill(0);

    FlyInSound_ = Sound::Load("loading-flyin.wav", 0, 0);
    FlyOutSound_ = Sound::Load("loading-flyout.wav", 0, 0);

    Progress_ = 0;
    LastRedraw_ = 0;
    Total_ = total != 0 ? total : BarImage_->Width();
    Enabled_ = 1;
    SetLoadProgressHook(&LoadScreen::Update);
}

int LoadScreen::Animating() {
    return PanelSprite_ ? PanelSprite_->Animating(Animate::TRANSFORM_ALL) : 0;
}

void LoadScreen::SetBarFill(float fill) {
    // The viewport is in the panel's space, so the bar is clipped from its own left edge.
    float w = BarSprite_->Width(0), h = BarSprite_->Height(0);
    BarSprite_->SetViewport(BarSprite_->X(0) - w / 2, BarSprite_->Y(0) - h / 2, fill, h);
}

void LoadScreen::Update(const std::string& item) {
    if (Enabled_ == 0 || !BarSprite_ || BarSprite_->Hidden(1) != 0 || item.empty()) return;
    Progress_ += 1;
    Media::DebugLog("Loading '" + item + "' : Progress = " + std::to_string(Progress_));

    // The bar grows in whole steps; more loads than expected simply leave it full.
    float width = BarSprite_->Width(0);
    float step = width / float(Total_);
    float fill = float(Progress_) / float(ExpectedLoads_) * width;
    SetBarFill(std::floor(fill / step) * step);

    // Loading runs inside one frame of the main loop, so the screen is redrawn from here. A
    // present can cost more than a load on a software renderer, and the bar cannot move faster
    // than the display, so in real time it is redrawn once per display frame. On the virtual clock
    // (headless, recording, replay) every load presents, so that a replay meets the same frames.
    const bool full = Progress_ >= ExpectedLoads_;
    if (Media::ClockIsRealTime() && !full && uint32_t(Media::ClockMs() - LastRedraw_) < uint32_t(REDRAW_MS))
        return;
    Media::Cls();
    Sprite::DrawAll();
    Media::Flip(0);
    LastRedraw_ = Media::ClockMs();
}

void LoadScreen::ZoomIn() {
    StartTime_ = Media::ClockMs();
    PanelSprite_->Show();
    PanelSprite_->AnimateX(-(PanelSprite_->Width(0) / 2), PanelSprite_->X(0), ZOOMTIME, Animate::EASE_OUT);
    FlyInSound_->Play(1, 1, 0);
    StateSystem::SetState(3);
}

void LoadScreen::ZoomOut() {
    Media::DebugLog("Load Time = " + std::to_string(Media::ClockMs() - StartTime_));
    // The bar is full: what loads while the panel leaves (the next scenery, made ahead) is no
    // longer the loading screen's to count or redraw for.
    Enabled_ = 0;
    PanelSprite_->AnimateX(PanelSprite_->X(0), 800 + PanelSprite_->Width(0) / 2, ZOOMTIME, Animate::EASE_IN);
    FlyOutSound_->Play(1, 1, 0);
    StateSystem::SetState(4);
}

void LoadScreen::Hide() {
    if (PanelSprite_) PanelSprite_->Hide();
}

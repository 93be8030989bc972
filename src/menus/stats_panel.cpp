#include "menus/stats_panel.h"

#include <cmath>

#include "media/media.h"
#include "menus/menu_backdrop.h"
#include "menus/menu_input.h"
#include "presentation/font.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "sprites/animate.h"

namespace {

constexpr float CONTINUE_SCALE = 0.75f, CONTINUE_HOVER_SCALE = 0.9f;
constexpr float ROW_Y[3] = {-36, 0, 36};
constexpr const char* LABELS[3] = {"Powerups Collected:", "Enemies Destroyed:", "Overall Accuracy:"};
constexpr float VALUE_SCALE = 0.55f, STAMP_START_SCALE = 3;

} // namespace

std::array<std::string, 3> StatisticsValues(int collected, int released, int destroyed, int created, int hits,
                                            int shots) {
    int accuracy = shots > 0 ? int(std::floor(100.0 * double(hits) / double(shots))) : 0;
    return {std::to_string(collected) + "/" + std::to_string(released),
            std::to_string(destroyed) + "/" + std::to_string(created), std::to_string(accuracy) + "%"};
}

void StatsPanel::Load(const std::string& titlePicture) {
    Panel_ = Sprite::Create(MenuBackdrop::Create(6, 3), 21, nullptr);
    Panel_->SetPosition(400, 250, 0);
    Panel_->SetScale(0.55f);
    Panel_->Hide();
    SpriteRef title = Sprite::Create(LoadGameImage(titlePicture, -1, 0), 1, Panel_);
    title->SetPosition(0, -160, 0);
    ContinueButton_ = Sprite::Create(LoadGameImage("gfx\\menus\\button-continue.png", -1, 0), 1, Panel_);
    ContinueButton_->SetPosition(172, 216, 0);
    ContinueButton_->SetScale(CONTINUE_SCALE);

    Font1->Set();
    for (int row = 0; row < 3; ++row)
        Text::Create(LABELS[row], 40, ROW_Y[row], 1, Panel_, Text::RIGHT);
    Font3->Set();
    for (int row = 0; row < 3; ++row)
        Values_[size_t(row)] = Text::Create("", 48, ROW_Y[row], 1, Panel_, Text::LEFT);
    Font1->Set();
}

void StatsPanel::Show(const std::array<std::string, 3>& values) {
    MenuState_ = 0;
    for (int row = 0; row < 3; ++row) {
        Values_[size_t(row)]->Pivot->Hide();
        Values_[size_t(row)]->Set(values[size_t(row)]);
    }
}

void StatsPanel::Hide() {
    Panel_->Hide();
}

void StatsPanel::Stamp(int row) {
    const SpriteRef& pivot = Values_[size_t(row)]->Pivot;
    pivot->Show();
    pivot->AnimateScale(STAMP_START_SCALE, VALUE_SCALE, VALUE_STAMP_TIME, 0);
}

bool StatsPanel::Update() {
    const bool panelMoving = Panel_->Animating(Animate::TRANSFORM_ALL) != 0;
    auto valueMoving = [this](int row) {
        return Values_[size_t(row)]->Pivot->Animating(Animate::TRANSFORM_ALL) != 0;
    };
    switch (MenuState_) {
    case 0:
        SlideInPanel(Panel_);
        MenuState_ = 1;
        break;
    case 1:
        if (!panelMoving) {
            Stamp(0);
            MenuState_ = 2;
        }
        break;
    case 2:
        if (!valueMoving(0)) MenuState_ = 3;
        break;
    case 3:
        if (!panelMoving) {
            Stamp(1);
            MenuState_ = 4;
        }
        break;
    case 4:
        if (!valueMoving(1)) MenuState_ = 5;
        break;
    case 5:
        if (!panelMoving) {
            Stamp(2);
            MenuState_ = 6;
        }
        break;
    case 6:
        if (!valueMoving(2)) MenuState_ = 7;
        break;
    case 7:
        if (!panelMoving) MenuState_ = 8;
        break;
    case 8: {
        MenuTargets targets;
        targets.Add(ContinueButton_);
        const bool pressed = MenuPressed(targets);
        const bool hovered = ContinueButton_->OverlapsPoint(PointerX, PointerY, 1) != 0;
        ContinueButton_->SetScale(hovered ? CONTINUE_HOVER_SCALE : CONTINUE_SCALE);
        if (EscapePressed()) return true;
        return hovered && pressed;
    }
    default:
        break;
    }
    return false;
}

#include "menus/menu_input.h"

#include <cmath>
#include <utility>

#include "media/media.h"
#include "shell/controls.h"
#include "shell/pointer.h"
#include "sprites/animate.h"

namespace {

// Closer than this (playfield units) along the step, a target counts as beside the point, not ahead.
constexpr float AHEAD = 4;

// The last target under the point, as the screens pick the hovered button; -1 for none.
int TargetAt(const MenuTargets& targets, float x, float y) {
    int found = -1;
    for (int i = 0; i < targets.Count; ++i)
        if (targets.Items[i]->OverlapsPoint(x, y, 1)) found = i;
    return found;
}

void PointAt(const Sprite& target) {
    PointerX = target.X(1);
    PointerY = target.Y(1);
    int x = 0, y = 0;
    PlayfieldToWindow(PointerX, PointerY, x, y);
    Media::MoveMouse(x, y);
}

} // namespace

bool EscapePressed() {
    const bool key = Media::KeyPresses(Media::KEY_ESCAPE) > 0;
    const bool pad = std::exchange(PadEscapeHit, 0) != 0;
    return key || pad;
}

bool LeftClicked() {
    return MouseButtonHit[1] > 0;
}

bool SkipRequested() {
    // All are read so that none is left over for the next screen.
    bool typed = Media::NextTypedChar() != 0;
    bool pad = std::exchange(PadPressHit, 0) != 0;
    pad = std::exchange(PadEscapeHit, 0) != 0 || pad;
    return LeftClicked() || typed || pad;
}

int StepTarget(const MenuTargets& targets, float x, float y, int stepX, int stepY) {
    int best = -1;
    float bestScore = 0;
    for (int i = 0; i < targets.Count; ++i) {
        const float dx = targets.Items[i]->X(1) - x, dy = targets.Items[i]->Y(1) - y;
        const float ahead = dx * float(stepX) + dy * float(stepY);
        const float aside = std::abs(dx * float(stepY) - dy * float(stepX));
        if (ahead < AHEAD) continue;
        const float score = ahead + 2 * aside;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

bool MenuPressed(const MenuTargets& targets) {
    const bool clicked = LeftClicked();
    const bool enter = Media::KeyPresses(Media::KEY_ENTER) > 0;
    const bool pad = std::exchange(PadPressHit, 0) != 0;
    if (enter) UseDevice(InputDevice::Keyboard);
    if (targets.Count == 0) return clicked;
    const int under = TargetAt(targets, PointerX, PointerY);
    // A vertical step wins over a sideways one asked for in the same frame.
    const int stepX = MenuStepY != 0 ? 0 : MenuStepX, stepY = MenuStepY;
    MenuStepX = MenuStepY = 0;
    if (stepX != 0 || stepY != 0 || ((enter || pad) && under < 0)) {
        int next = 0;
        if (under >= 0) {
            const Sprite& from = *targets.Items[under];
            next = stepX != 0 || stepY != 0 ? StepTarget(targets, from.X(1), from.Y(1), stepX, stepY) : under;
        } else if (stepX != 0 || stepY != 0) {
            next = StepTarget(targets, PointerX, PointerY, stepX, stepY);
            if (next < 0) next = 0;
        }
        if (next >= 0) PointAt(*targets.Items[next]);
        return clicked;
    }
    return clicked || ((enter || pad) && under >= 0);
}

int HoverButton(const SpriteRef* buttons, const float* restingScales, int count) {
    int hovered = -1;
    for (int i = 0; i < count; ++i) {
        buttons[i]->SetScale(restingScales[i]);
        buttons[i]->SetOrder(1);
        if (buttons[i]->Hidden(1) == 0 && buttons[i]->OverlapsPoint(PointerX, PointerY, 1)) hovered = i;
    }
    if (hovered >= 0) {
        buttons[hovered]->SetScale(1.2f * restingScales[hovered]);
        buttons[hovered]->SetOrder(2);
    }
    return hovered;
}

void SlideInPanel(const SpriteRef& panel) {
    panel->Show();
    panel->AnimateX(800 + panel->Width(0), 400, PANEL_SLIDE_TIME, Animate::EASE_OUT);
}

void MovePointerTo(const SpriteRef& sprite) {
    if (!sprite) return;
    int x = 0, y = 0;
    PlayfieldToWindow(float(int(sprite->X(1))), float(int(sprite->Y(1))), x, y);
    Media::MoveMouse(x, y);
}

#include "menus/menu_input.h"

#include "media/media.h"
#include "shell/pointer.h"
#include "sprites/animate.h"

bool EscapePressed() {
    return Media::KeyPresses(Media::KEY_ESCAPE) > 0;
}

bool LeftClicked() {
    return MouseButtonHit[1] > 0;
}

bool SkipRequested() {
    // Both are read so that neither is left over for the next screen.
    bool typed = Media::NextTypedChar() != 0;
    return LeftClicked() || typed;
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

#include "shell/state_system.h"

void StateSystem::Update() {
    if (State_ < 0 || State_ >= STATE_COUNT) return;
    if (UpdateFunction update = Updates_[State_]) update();
}

void StateSystem::Register(int state, UpdateFunction update) {
    if (state >= 0 && state < STATE_COUNT) Updates_[state] = update;
}

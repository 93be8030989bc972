#include "shell/state_system.h"

#include <string>

#include "media/fatal_error.h"

void StateSystem::Update() {
    if (State_ < 0 || State_ >= STATE_COUNT) return;
    if (UpdateFunction update = Updates_[State_]) update();
}

void StateSystem::Register(int state, UpdateFunction update) {
    if (state >= 0 && state < STATE_COUNT) Updates_[state] = update;
}

void StateSystem::RegisterShow(int state, ShowFunction show) {
    if (state >= 0 && state < STATE_COUNT) Shows_[state] = show;
}

void StateSystem::Show(int state) {
    if (state < 0 || state >= STATE_COUNT || !Shows_[state])
        FatalError("Error in StateSystem.Show(): No screen for state " + std::to_string(state) + "!");
    Shows_[state]();
}

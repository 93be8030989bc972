#pragma once
// The top-level screen switch: one integer state; Update runs the current screen once per frame.
// Each screen registers the update of the state(s) it owns; a state without one does nothing.

class StateSystem {
public:
    using UpdateFunction = void (*)();
    static constexpr int STATE_COUNT = 32;

    static void SetState(int state) { State_ = state; }
    static int State() { return State_; }
    // Runs the update registered for the current state, if any.
    static void Update();
    // Registers the per-frame update of `state` (0..STATE_COUNT − 1); null removes it.
    static void Register(int state, UpdateFunction update);

private:
    static inline int State_ = 0;
    static inline UpdateFunction Updates_[STATE_COUNT] = {};
};

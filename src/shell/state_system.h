#pragma once
// The top-level screen switch: one integer state; Update runs the current screen once per frame.
// The game-flow layer at the top registers, for each state, the screen update that runs in it
// and the Show that opens that screen, so that gameplay and screens can move the game along
// without knowing the screens above them.

// The states of the game flow (8 and 15 are never set).
constexpr int STATE_START = 0;
constexpr int STATE_LOGOS = 1;
constexpr int STATE_LOADING_ZOOM_IN = 2;
constexpr int STATE_LOADING = 3;
constexpr int STATE_LOADING_ZOOM_OUT = 4; // also the way back to the title
constexpr int STATE_MAIN_MENU = 5;
constexpr int STATE_PLAYER_MENU = 6;
constexpr int STATE_OPTIONS = 7;
constexpr int STATE_LEVEL_STATS = 9;
constexpr int STATE_FINAL_STATS = 10;
constexpr int STATE_QUIT_CONFIRM = 11;
constexpr int STATE_NEW_GAME = 12;
constexpr int STATE_NEXT_LEVEL = 13;
constexpr int STATE_PLAYING = 14;
constexpr int STATE_ENDING = 16;
constexpr int STATE_CREDITS = 17;
constexpr int STATE_STORY = 18;

class StateSystem {
public:
    using UpdateFunction = void (*)();
    using ShowFunction = void (*)();
    static constexpr int STATE_COUNT = 32;

    static void SetState(int state) { State_ = state; }
    static int State() { return State_; }
    // Runs the update registered for the current state, if any; any other state does nothing.
    static void Update();
    // Registers the per-frame update of `state` (0..STATE_COUNT − 1); null removes it.
    static void Register(int state, UpdateFunction update);
    // Registers the Show of the screen whose update runs in `state`; null removes it.
    static void RegisterShow(int state, ShowFunction show);
    // Opens the screen registered for `state` (its Show sets the state). Fatal when no screen is
    // registered for it: gameplay would otherwise stop in a state nothing updates.
    static void Show(int state);

private:
    static inline int State_ = 0;
    static inline UpdateFunction Updates_[STATE_COUNT] = {};
    static inline ShowFunction Shows_[STATE_COUNT] = {};
};

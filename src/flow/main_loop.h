#pragma once
// The frame loop: once per displayed frame it measures the step, pumps system events, advances
// GameTime, updates the pointer, runs the current screen, steps and draws all sprites, draws the
// letterbox and the debug overlay (Tab) and presents; F5 saves a screenshot.

constexpr int MIN_FRAME_STEP = 1;    // ms; a shorter step is dropped (the clock has not moved)
constexpr int MAX_FRAME_STEP = 249;  // ms; a longer stall is dropped, not simulated
constexpr int SUSPENDED_SLEEP = 250; // ms slept per loop while the game is in the background

// True when a measured step of `step` ms is simulated.
inline bool StepAccepted(int step) {
    return step >= MIN_FRAME_STEP && step <= MAX_FRAME_STEP;
}
// The step the game advances by: × 1.25, truncated, while the speed powerup is active.
inline int SpeedAdjustedStep(int step, bool speedUp) {
    return speedUp ? int(float(step) * 1.25f) : step;
}

// Starts the frame clock; call once before the first RunFrame.
void StartFrameClock();
// One pass of the loop. Returns true when a frame was simulated and presented, false when the
// step was dropped or the game is suspended (it then sleeps).
bool RunFrame();
// Runs frames for the life of the process.
[[noreturn]] void RunMainLoop();

// Clears this frame's button hits and drains the system event queue; suspend pauses the music,
// resume resumes it. Closing the window does not end the game.
void PollSystemEvents();

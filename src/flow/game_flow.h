#pragma once
// The game flow: registers, with StateSystem, the screen update that runs in each state and the
// Show that opens each screen. Call once at start-up, before the first frame.
void RegisterGameFlow();

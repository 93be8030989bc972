#pragma once
// The game flow: registers, with StateSystem, the screen update that runs in each state and the
// Show that opens each screen. Call once at start-up, before the first frame.
void RegisterGameFlow();
// Starts decoding the logos on the worker thread (Media::PrefetchPixmaps) so that they are ready
// when the first frame shows them: call it before the window opens, which takes longer.
void StartDecodingLogos();

#pragma once
// Test controls of the sdl back end, for failures a test cannot otherwise bring about on a
// virtual X server. They act on the running sdl back end.

namespace Media::Sdl {

// The next switch to full screen fails at the last step, after the window was resized for it,
// as a refusing window system would make it fail.
void FailNextFullscreenSwitch();

} // namespace Media::Sdl

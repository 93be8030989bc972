#pragma once
// Test controls of the sdl back end, for failures a test cannot otherwise bring about on a
// virtual X server. They act on the running sdl back end.

namespace Media::Sdl {

// The next switch to full screen fails at the last step, after the window was resized for it,
// as a refusing window system would make it fail.
void FailNextFullscreenSwitch();

// A virtual gamepad that SDL reports like a plugged-in game controller (SDL's virtual joystick),
// for the pad's whole way through the back end. Buttons and axes are media.h's PAD_ numbers; axis
// values as SDL reports them (−32768..32767). Attach returns false when SDL cannot.
bool AttachVirtualPad();
void SetVirtualPadButton(int button, bool down);
void SetVirtualPadAxis(int axis, int value);
void DetachVirtualPad();

} // namespace Media::Sdl

#pragma once
// Translation of SDL events into the shared input bookkeeping: keys become Windows virtual-key
// codes, typed text becomes characters, the pointer is reported in back-buffer pixels and focus
// changes become suspend and resume events. Quit requests are ignored: closing the window does not
// end the game.
#include <cstdint>

#include "media/backend.h"

union SDL_Event;

namespace Media {

class SdlDisplay;

// Windows virtual-key code of an SDL key code; 0 for keys the game has no code for.
int VirtualKeyFromSdl(int32_t keycode);

// The next code point of UTF-8 text, advancing `text` past it (not past the terminating zero).
// A malformed or overlong sequence gives U+FFFD and skips one byte; the end of the text gives 0.
uint32_t NextCodePoint(const char*& text);

class SdlInput {
public:
    void Dispatch(const SDL_Event& event, const SdlDisplay& display, InputSink& sink);

private:
    void SetSuspended(bool suspended, InputSink& sink);

    bool suspended_ = false;
};

} // namespace Media

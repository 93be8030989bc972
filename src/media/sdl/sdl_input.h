#pragma once
// Translation of SDL events into the shared input bookkeeping: keys become Windows virtual-key
// codes, typed text becomes characters, the pointer is reported in back-buffer pixels and focus
// changes become suspend and resume events. Quit requests are ignored: closing the window does not
// end the game. Gamepads are opened through SDL's game-controller API (its built-in mapping
// database) when they are found, at start or plugged in later, and closed when unplugged.
#include <cstdint>
#include <vector>

#include "media/backend.h"

union SDL_Event;
struct _SDL_GameController;

namespace Media {

class SdlDisplay;

// Windows virtual-key code of an SDL key code; 0 for keys the game has no code for.
int VirtualKeyFromSdl(int32_t keycode);

// The next code point of UTF-8 text, advancing `text` past it (not past the terminating zero).
// A malformed or overlong sequence gives U+FFFD and skips one byte; the end of the text gives 0.
uint32_t NextCodePoint(const char*& text);

// The PAD_ button of an SDL game-controller button, -1 for buttons the game does not use.
int PadButtonFromSdl(int sdlButton);
// The PAD_ axis of an SDL game-controller axis (-1 for none) and its value: sticks −1..1,
// triggers 0..1.
int PadAxisFromSdl(int sdlAxis);
float PadAxisValue(int axis, int16_t raw);

class SdlInput {
public:
    SdlInput() = default;
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;
    ~SdlInput();
    // Starts SDL's game-controller support; without it the game runs without pads (logged).
    void Start();
    void Dispatch(const SDL_Event& event, const SdlDisplay& display, InputSink& sink);
    void Rumble(float strength, int ms);

private:
    struct Pad {
        _SDL_GameController* Controller = nullptr;
        int32_t Instance = -1;
        bool Held[PAD_BUTTONS] = {};
        float Axes[PAD_AXES] = {};
    };
    void SetSuspended(bool suspended, InputSink& sink);
    void AddPad(int deviceIndex, InputSink& sink);
    void RemovePad(int32_t instance, InputSink& sink);
    Pad* FindPad(int32_t instance);

    bool suspended_ = false;
    bool padsReady_ = false;
    std::vector<Pad> pads_;
};

} // namespace Media

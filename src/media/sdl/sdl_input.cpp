#include "media/sdl/sdl_input.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "media/sdl/sdl_display.h"
#include "media/sdl/sdl_test_control.h"

namespace Media {
namespace {

constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18; // alt
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_F1 = 112;

// Keys that type a control character on the desktop the game was made for; menus that skip on
// "any typed character" rely on it, as on that desktop.
int ControlCharacter(int vk) {
    switch (vk) {
    case KEY_BACKSPACE:
    case KEY_TAB:
    case KEY_ENTER:
    case KEY_ESCAPE:
        return vk;
    default:
        return 0;
    }
}

int MouseButton(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

} // namespace

int VirtualKeyFromSdl(int32_t keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return KEY_A + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return KEY_0 + (keycode - SDLK_0);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return VK_F1 + (keycode - SDLK_F1);
    switch (keycode) {
    case SDLK_KP_0:
        return KEY_0;
    case SDLK_KP_1:
        return KEY_0 + 1;
    case SDLK_KP_2:
        return KEY_0 + 2;
    case SDLK_KP_3:
        return KEY_0 + 3;
    case SDLK_KP_4:
        return KEY_0 + 4;
    case SDLK_KP_5:
        return KEY_0 + 5;
    case SDLK_KP_6:
        return KEY_0 + 6;
    case SDLK_KP_7:
        return KEY_0 + 7;
    case SDLK_KP_8:
        return KEY_0 + 8;
    case SDLK_KP_9:
        return KEY_0 + 9;
    case SDLK_BACKSPACE:
        return KEY_BACKSPACE;
    case SDLK_TAB:
        return KEY_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return KEY_ENTER;
    case SDLK_ESCAPE:
        return KEY_ESCAPE;
    case SDLK_SPACE:
        return KEY_SPACE;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    default:
        return 0;
    }
}

uint32_t NextCodePoint(const char*& text) {
    constexpr uint32_t REPLACEMENT = 0xFFFD;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned lead = p[0];
    if (lead == 0) return 0;
    if (lead < 0x80) {
        ++text;
        return lead;
    }
    // Sequence length, payload bits of the lead byte and the smallest code point of that length
    // (anything smaller is an overlong, and therefore malformed, encoding).
    struct Form {
        unsigned Mask, Pattern;
        int Length;
        uint32_t Minimum;
    };
    constexpr Form FORMS[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    for (const Form& form : FORMS) {
        if ((lead & form.Mask) != form.Pattern) continue;
        uint32_t code = lead & ~form.Mask & 0xFF;
        for (int i = 1; i < form.Length; ++i) {
            // A zero byte fails this test too, so the scan never passes the end of the text.
            if ((p[i] & 0xC0) != 0x80) {
                ++text;
                return REPLACEMENT;
            }
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < form.Minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) break;
        text += form.Length;
        return code;
    }
    ++text;
    return REPLACEMENT;
}

int PadButtonFromSdl(int sdlButton) {
    switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_A:
        return PAD_A;
    case SDL_CONTROLLER_BUTTON_B:
        return PAD_B;
    case SDL_CONTROLLER_BUTTON_X:
        return PAD_X;
    case SDL_CONTROLLER_BUTTON_Y:
        return PAD_Y;
    case SDL_CONTROLLER_BUTTON_BACK:
        return PAD_BACK;
    case SDL_CONTROLLER_BUTTON_START:
        return PAD_START;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return PAD_LEFTSHOULDER;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return PAD_RIGHTSHOULDER;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return PAD_DPUP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return PAD_DPDOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return PAD_DPLEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return PAD_DPRIGHT;
    default:
        return -1;
    }
}

int PadAxisFromSdl(int sdlAxis) {
    switch (sdlAxis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        return PAD_LEFTX;
    case SDL_CONTROLLER_AXIS_LEFTY:
        return PAD_LEFTY;
    case SDL_CONTROLLER_AXIS_RIGHTX:
        return PAD_RIGHTX;
    case SDL_CONTROLLER_AXIS_RIGHTY:
        return PAD_RIGHTY;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        return PAD_LEFTTRIGGER;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
        return PAD_RIGHTTRIGGER;
    default:
        return -1;
    }
}

float PadAxisValue(int axis, int16_t raw) {
    // SDL reports −32768..32767; the extra step below zero is clipped so both halves are alike.
    const float value = std::max(-1.0f, float(raw) / 32767.0f);
    return axis >= PAD_LEFTTRIGGER ? std::max(0.0f, value) : value;
}

SdlInput::~SdlInput() {
    for (Pad& pad : pads_)
        SDL_GameControllerClose(pad.Controller);
    if (padsReady_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlInput::Start() {
    // Pads found from here on, those already plugged in included, arrive as device-added events.
    padsReady_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!padsReady_) DebugLog(std::string("No gamepad support: ") + SDL_GetError());
}

SdlInput::Pad* SdlInput::FindPad(int32_t instance) {
    for (Pad& pad : pads_)
        if (pad.Instance == instance) return &pad;
    return nullptr;
}

void SdlInput::AddPad(int deviceIndex, InputSink& sink) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        DebugLog(std::string("A gamepad could not be opened: ") + SDL_GetError());
        return;
    }
    const int32_t instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (FindPad(instance)) { // SDL may report a pad that is already open once more
        SDL_GameControllerClose(controller);
        return;
    }
    Pad pad;
    pad.Controller = controller;
    pad.Instance = instance;
    pads_.push_back(pad);
    const char* name = SDL_GameControllerName(controller);
    DebugLog(std::string("Gamepad connected: ") + (name ? name : "(no name)"));
    sink.PadConnected(true);
}

void SdlInput::RemovePad(int32_t instance, InputSink& sink) {
    Pad* pad = FindPad(instance);
    if (!pad) return;
    // Nothing stays held by a pad that is gone.
    for (int button = 0; button < PAD_BUTTONS; ++button)
        if (pad->Held[button]) sink.PadButtonUp(button);
    for (int axis = 0; axis < PAD_AXES; ++axis)
        if (pad->Axes[axis] != 0) sink.PadAxisMoved(axis, 0);
    SDL_GameControllerClose(pad->Controller);
    pads_.erase(pads_.begin() + (pad - pads_.data()));
    DebugLog("Gamepad disconnected");
    sink.PadConnected(false);
}

void SdlInput::Rumble(float strength, int ms) {
    const Uint16 level = Uint16(std::clamp(strength, 0.0f, 1.0f) * 65535.0f);
    for (Pad& pad : pads_)
        if (SDL_GameControllerHasRumble(pad.Controller))
            SDL_GameControllerRumble(pad.Controller, level, level, Uint32(ms));
}

void SdlInput::SetSuspended(bool suspended, InputSink& sink) {
    if (suspended == suspended_) return;
    suspended_ = suspended;
    sink.System(suspended ? SystemEvent::Suspend : SystemEvent::Resume);
}

void SdlInput::Dispatch(const SDL_Event& event, const SdlDisplay& display, InputSink& sink) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        const int vk = VirtualKeyFromSdl(event.key.keysym.sym);
        if (vk == 0) break;
        if (event.key.repeat == 0) sink.KeyDown(vk);
        if (const int ch = ControlCharacter(vk)) sink.TypedChar(ch);
        break;
    }
    case SDL_KEYUP: {
        const int vk = VirtualKeyFromSdl(event.key.keysym.sym);
        if (vk != 0) sink.KeyUp(vk);
        break;
    }
    case SDL_TEXTINPUT: {
        const char* text = event.text.text;
        while (const uint32_t code = NextCodePoint(text)) {
            if (code < 256) sink.TypedChar(int(code));
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
        if (const int button = MouseButton(event.button.button)) sink.ButtonDown(button);
        break;
    case SDL_MOUSEBUTTONUP:
        if (const int button = MouseButton(event.button.button)) sink.ButtonUp(button);
        break;
    case SDL_MOUSEMOTION: {
        // Window coordinates become back-buffer pixels (they differ on high-DPI screens).
        int ww, wh, dw, dh;
        display.WindowSize(ww, wh);
        display.DrawableSize(dw, dh);
        int x = event.motion.x;
        int y = event.motion.y;
        if (ww > 0 && wh > 0 && (ww != dw || wh != dh)) {
            x = int(int64_t(x) * dw / ww);
            y = int(int64_t(y) * dh / wh);
        }
        sink.PointerMoved(x, y);
        break;
    }
    case SDL_CONTROLLERDEVICEADDED:
        AddPad(event.cdevice.which, sink);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        RemovePad(event.cdevice.which, sink);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        Pad* pad = FindPad(event.cbutton.which);
        const int button = PadButtonFromSdl(event.cbutton.button);
        if (!pad || button < 0) break;
        const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
        pad->Held[button] = down;
        if (down)
            sink.PadButtonDown(button);
        else
            sink.PadButtonUp(button);
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        Pad* pad = FindPad(event.caxis.which);
        const int axis = PadAxisFromSdl(event.caxis.axis);
        if (!pad || axis < 0) break;
        const float value = PadAxisValue(axis, event.caxis.value);
        if (value == pad->Axes[axis]) break;
        pad->Axes[axis] = value;
        sink.PadAxisMoved(axis, value);
        break;
    }
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            SetSuspended(true, sink);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            SetSuspended(false, sink);
            break;
        default:
            break;
        }
        break;
    default:
        break; // SDL_QUIT and the window's close button included
    }
}

} // namespace Media

namespace {

int VirtualPadIndex = -1;
SDL_Joystick* VirtualPad = nullptr;

} // namespace

bool Media::Sdl::AttachVirtualPad() {
    // SDL drops pad events while none of the program's windows has the focus, and tests that run
    // side by side share one X server, so another test's window may hold it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Quillstorm test pad";
    VirtualPadIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (VirtualPadIndex < 0) return false;
    // Values are set through a joystick of our own, beside the back end's controller.
    VirtualPad = SDL_JoystickOpen(VirtualPadIndex);
    return VirtualPad != nullptr;
}

void Media::Sdl::SetVirtualPadButton(int button, bool down) {
    for (int sdlButton = 0; sdlButton < SDL_CONTROLLER_BUTTON_MAX; ++sdlButton)
        if (VirtualPad && PadButtonFromSdl(sdlButton) == button)
            SDL_JoystickSetVirtualButton(VirtualPad, sdlButton, down ? 1 : 0);
}

void Media::Sdl::SetVirtualPadAxis(int axis, int value) {
    for (int sdlAxis = 0; sdlAxis < SDL_CONTROLLER_AXIS_MAX; ++sdlAxis)
        if (VirtualPad && PadAxisFromSdl(sdlAxis) == axis)
            SDL_JoystickSetVirtualAxis(VirtualPad, sdlAxis, Sint16(std::clamp(value, -32768, 32767)));
}

void Media::Sdl::DetachVirtualPad() {
    if (VirtualPad) SDL_JoystickClose(VirtualPad);
    VirtualPad = nullptr;
    if (VirtualPadIndex >= 0) SDL_JoystickDetachVirtual(VirtualPadIndex);
    VirtualPadIndex = -1;
}

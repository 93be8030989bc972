#pragma once
// The display: a fixed 800 × 500 window or full screen at the desktop size, switchable at run
// time. Every mode change ends with the common set-up (drawing defaults, letterbox, sprite
// origin, pointer centred).
#include <string>

constexpr int VIRTUAL_WIDTH = 800;
constexpr int VIRTUAL_HEIGHT = 500;

class App {
public:
    // Opens the display. depth 0 probes the full-screen depths 16, 24 and 32 at width × height
    // (the deepest wins); mode 0 starts windowed, 1 full screen (falling back to the window);
    // driver is accepted for the record and ignored (one drawing back end). Also installs the
    // game's pointer (InitPointer) and selects the audio driver. The game calls
    // Create("Quillstorm!", desktop width, desktop height, 0, 1, 0).
    static void Create(const std::string& title, int width, int height, int depth, int mode, int driver);
    static void SetWindowed();
    static void SetFullscreen();
    // Windowed → full screen when a full-screen depth was found; full screen → windowed.
    static void ToggleFullscreen();

    static int Windowed() { return Windowed_; }
    static int Width() { return Width_; }
    static int Height() { return Height_; }
    static int Depth() { return Depth_; }
    static const std::string& Caption() { return Caption_; }

private:
    static void CommonSetup();

    static inline std::string Caption_;
    static inline int Width_ = 0, Height_ = 0, Depth_ = 0;
    static inline bool WindowGraphics_ = false;     // the canvas and its context
    static inline bool FullscreenGraphics_ = false; // the full-screen context
    static inline int Windowed_ = 0;
    static inline int WindowWidth_ = VIRTUAL_WIDTH, WindowHeight_ = VIRTUAL_HEIGHT, WindowDepth_ = 0;
    static inline int FullscreenWidth_ = 0, FullscreenHeight_ = 0, FullscreenDepth_ = 0;
};

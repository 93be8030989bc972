#pragma once
// The loading panel: it slides in from the left, a progress bar on it fills while the game loads
// its resources (every picture, pixel-map and sound load calls Update), and it slides out to the
// right before the title menu.
#include <string>

#include "media/media.h"
#include "presentation/sound.h"
#include "sprites/sprite.h"

class LoadScreen {
public:
    static constexpr int ZOOMTIME = 400; // ms per slide
    static constexpr int REDRAW_MS = 16; // one display frame at 60 Hz

    // Loads "gfx\menus\loading.png" and "gfx\menus\loadingbar.png" (required) and the two slide
    // sounds, builds the hidden panel with its empty bar and starts counting. total is the
    // number of bar steps; 0 means one step per bar pixel.
    static void Init(int total);
    // 1 while the panel slides.
    static int Animating();
    // Counts one load of `item` and redraws the screen with the bar advanced; does nothing
    // before Init, after ZoomOut, while the panel is hidden, or for an empty item. On a real-time clock the
    // redraw is skipped when the last one was less than REDRAW_MS ago, except for the load that
    // fills the bar; on the virtual clock every load redraws.
    static void Update(const std::string& item);
    // Shows the panel and slides it in (game state 3).
    static void ZoomIn();
    // Slides the panel out (game state 4), logs the load time and stops counting loads.
    static void ZoomOut();
    // Hides the panel once it has left.
    static void Hide();

    // The number of loads that fill the bar (the loads LoadResources makes); 174 until set.
    static void SetExpectedLoads(int loads) { ExpectedLoads_ = loads > 0 ? loads : 1; }
    static int Progress() { return Progress_; }
    static int Total() { return Total_; }
    static int ExpectedLoads() { return ExpectedLoads_; }
    static const SpriteRef& PanelSprite() { return PanelSprite_; }
    static const SpriteRef& BarSprite() { return BarSprite_; }

private:
    static void SetBarFill(float fill);

    static inline int Enabled_ = 0;
    static inline int Progress_ = 0;
    static inline int Total_ = 0;
    static inline int ExpectedLoads_ = 174;
    static inline Media::ImageRef PanelImage_, BarImage_;
    static inline SpriteRef PanelSprite_, BarSprite_;
    static inline SoundRef FlyInSound_, FlyOutSound_;
    static inline uint32_t StartTime_ = 0;
    static inline uint32_t LastRedraw_ = 0;
};

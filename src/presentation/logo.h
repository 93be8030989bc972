#pragma once
// The start-up logos "gfx\menus\logo1", "logo2", … (.png or .jpg): each spans the playfield
// width, fades in from black for FADETIME, stands, and fades out from SHOWTIME on. The game flow
// calls ShowNext whenever the previous logo has finished, until no further file exists.
#include <string>
#include <vector>

#include "sprites/sprite.h"

class Logo {
public:
    static constexpr int FADETIME = 1000; // ms
    static constexpr int SHOWTIME = 5000; // ms from the logo's appearance to the start of its fade-out

    // Shows logo number LogoNumber() + 1; frees the logo sprite when neither file exists. A file
    // that exists but cannot be decoded is fatal.
    static void ShowNext();
    // The logo files that exist, in the order ShowNext loads them, for decoding them ahead
    // (Media::PrefetchPixmaps) while the window opens.
    static std::vector<std::string> PicturePaths();
    // 1 when no logo sprite exists (the sequence has run out).
    static int FailedToLoad() { return LogoSprite_ ? 0 : 1; }
    // 1 while the logo is still fading or standing.
    static int Animating();
    // Frees the logo sprite, if any (the player skipped the logos).
    static void Free();

    static int LogoNumber() { return LogoNumber_; }
    static const SpriteRef& LogoSprite() { return LogoSprite_; }

private:
    static inline int LogoNumber_ = 0;
    static inline SpriteRef LogoSprite_;
};

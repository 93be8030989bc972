#pragma once
// The space scenery behind the game and the root of the play scene.
//
// `Playfield` is the image-less root sprite at the centre (400, 250) of the virtual screen under
// which every gameplay sprite hangs: gameplay coordinates are its local coordinates, x from −400
// (left) to 400 (right), y from −250 (top) to 250 (bottom). Shaking it shakes the play scene.
//
// A background is a composition chosen by an index: two tinted dust layers, a nebula, a
// dark-matter veil, 100 twinkling, spinning stars and a planet. During play the scenery drifts
// with the level's scroll value: the stars move down at speeds set by their depth and re-enter
// at the top, and the two dust layers slide at two slow speeds, each a column of mirrored copies
// so that it wraps without a seam. Menus never update the scenery, so there it stands still.
//
// The nebula and the dark-matter veil stand still for a whole wave, so once a background is
// composed a worker paints them into one premultiplied picture, the still layer, which Settle
// then shows in their place: the same pixels for one full-screen pass instead of two or more.
// (The stars between them add light, and light added commutes with the veil's.)
//
// In play the dust moves by fractions of a pixel, which costs the rasterizer a filtered read of
// every pixel of two full-screen layers. So once play has begun a worker also paints, once a run,
// DUST_PHASES strips of a dust column's period (the picture over its mirror image), each shifted
// down by a fraction of a pixel with the filtering done then. Each layer is then drawn at whole
// units from the strip of its fraction (to the nearest eighth of a pixel), which a window at its
// own size reads texel for pixel, without filtering. Until the strips are painted, and in
// headless runs, where drawing is counted and not rasterised, the layers draw the picture and its
// copies themselves.
//
// Once both the strips and the still layer are there, the three are drawn as one stack
// (Media::DrawStack) by the Scenery sprite: one pass over the screen, which reads and writes each
// pixel once instead of three times.
//
// The class also holds the full-screen banners of the level flow (level complete, game over,
// warning: screen coordinates, order 24, hidden until shown) and a one-pixel white picture
// stretched over the screen for flashes (order 26). Level and the bosses animate those.
//
// All state is class-wide and lives for the whole run; Init must run before anything else here.
#include <string>
#include <vector>

#include "sprites/sprite.h"

class Background {
public:
    static constexpr int STARS = 100;
    static constexpr float STAR_MIN_Z = 2.0f; // draw-order range of the stars, nearest in front
    static constexpr float STAR_MAX_Z = 2.99f;
    static constexpr int NEBULAS = 6;
    static constexpr int DARK_MATTERS = 4;

    // Creates the sprites (all hidden but Playfield) and loads the fixed pictures; a missing one
    // is fatal. Called once by the start-up loading.
    static void Init();
    // Composes background `index` (0..10 for the levels, 4 for the title screen; 11 and above
    // keep the previous tints), or none for −1. An index below −1 is fatal. Loads a random
    // dark-matter veil and the planet each time, and the dust the first time; resets the drift.
    static void Load(int index);
    // The pictures Load(index) will read (all four dark-matter veils, as Load picks one at random;
    // the dust until it is made), for decoding them ahead on the worker threads
    // (Media::PrefetchPixmaps) before they are needed.
    static std::vector<std::string> PicturePaths(int index);
    // Makes the dust, or else the planet, that Load(index) will want if it is not made yet and
    // the decode threads have it decoded (Media::PrefetchDone): for the frames before Load, so
    // that Load's frame makes less and waits for fewer textures. Not the dark-matter veil: Load
    // picks one at random, and making all four costs the title more than the one it waits for.
    // Never waits for a decode, reports no load beyond what Load would, draws no random numbers.
    static void MakeAhead(int index);
    // One frame of play: moves the scenery by the change of the scroll value given to
    // SetPosition. Fatal while no background is loaded (CurrentBackground < 0).
    static void Update();
    // Stores the scroll position (playfield units; y grows as the level scrolls), read by the
    // next Update.
    static void SetPosition(float x, float y);
    // Once a frame: shows the still layer in place of the nebula and the dark-matter veil when
    // the worker has painted it, the dust's strips in place of its layers once all are painted,
    // and the Scenery in place of both once both are there. Changes nothing else, and draws no
    // random numbers.
    static void Settle();
    // Hides the dust layers and strips, dark matter, stars, nebula, still layer, Scenery and
    // planet (not the banners or overlay), and drops a still layer being painted.
    static void Hide();
    // Nothing to release: the scenery lives for the whole run.
    static void Free();
    // Hides the white flash overlay at once and drops its fades. For whatever ends the flash's
    // owner early (a boss or level freed mid-flash), since the overlay covers menus and pointer.
    static void HideFlash();
    // Re-rolls star i (0..STARS − 1): depth, size, order, twinkle, colour and place; anywhere 0
    // puts it just above the top edge (out of sight at any size, twinkle and spin), anything else
    // anywhere on the screen.
    static void RandomizeStar(int i, int anywhere);

    static inline SpriteRef Playfield;
    static inline Media::ImageRef DustImage;
    static inline SpriteRef DustLayer1, DustLayer2;
    // Each layer's strip (see above), placed and coloured after it; hidden until all the strips
    // are painted.
    static inline SpriteRef DustStrips[2];
    static inline Media::ImageRef NebulaImages[NEBULAS];
    static inline SpriteRef Nebula;
    static inline Media::ImageRef DarkMatterImage;
    // Every wave's start loads its level's scenery again; the dark-matter pictures, once made,
    // and the last planet are kept, as is the dust, so that only a picture not made before costs
    // that frame its texture.
    static inline Media::ImageRef DarkMatterImages[DARK_MATTERS];
    static inline int PlanetIndex = -1;
    static inline SpriteRef DarkMatter;
    // The nebula and dark matter painted together (see above); hidden until Settle shows it.
    static inline SpriteRef StillLayer;
    // Draws the strips and the still layer, as they are placed and coloured, in one pass (see
    // above); shown in their place, which are hidden meanwhile.
    static inline SpriteRef Scenery;
    static inline Media::ImageRef StarImage;
    static inline SpriteRef Stars[STARS];
    static inline Media::ImageRef PlanetImage;
    static inline SpriteRef Planet;
    static inline SpriteRef LevelCompleteBanner, GameOverBanner, WarningBanner;
    static inline SpriteRef FlashOverlay;
    static inline int CurrentBackground = 0;
    static inline float PositionX = 0, PositionY = 0;

    // Depth of each star from 0 (far) to 1 (near), as last rolled; sets its drift speed.
    static inline float StarDepth[STARS] = {};

private:
    static void PlaceDust();
    // Shows what draws the dust and the still layer, as far as they are shown and painted: the
    // dust's layers or its strips, the still layer, or the Scenery in place of both.
    static void ShowScenery();
    // The Scenery's drawing (Sprite::SetDrawing).
    static void DrawScenery(const Sprite& scenery);
    // Makes progress on the dust's strips: takes a strip painted and starts the next.
    static void SettleDust();
    // The passes of the dust strip shifted down by phase / DUST_PHASES of a pixel.
    static std::vector<Media::PaintPass> DustPhasePasses(int phase);
    // Starts painting the still layer of the nebula and dark matter as they are now.
    static void PaintStillLayer();

    // The still layer covers the dark-matter veil's rectangle: the screen with a margin that
    // the shakes never uncover.
    static constexpr int STILL_WIDTH = 960, STILL_HEIGHT = 600;

    static inline float AppliedY_ = 0; // scroll value the stars have been moved to
    static inline Media::ImagePainter StillPainter_;
    static inline SpriteRef DustCopies_[4]; // mirrored copies above and below each dust layer

    static constexpr int DUST_PHASES = 8;
    static inline Media::ImageRef DustPhases_[DUST_PHASES]; // strips painted, in phase order
    static inline int DustPhasesMade_ = 0;
    static inline bool DustPainting_ = false;
    static inline bool DustMoved_ = false;  // Update has run: play has begun
    static inline bool DustShown_ = false;  // a background is loaded and not hidden
    static inline bool StillShown_ = false; // and its still layer is painted
    static inline Media::ImagePainter DustPainter_;
    static inline SpriteRef DustStripCopies_[2]; // each strip's copy one period above it
};

// The play scene's root sprite (the same object as Background::Playfield); valid after
// Background::Init.
inline SpriteRef& Playfield = Background::Playfield;

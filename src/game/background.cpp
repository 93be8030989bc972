#include "game/background.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/app.h"
#include "shell/helpers.h"
#include "shell/load_helpers.h"
#include "sprites/animate.h"

namespace {

// Drift of the scenery per unit of scroll: the far dust layer, the near one, and the stars from
// the farthest to the nearest. The level scrolls 24 units per second, so the dust slides at 6 and
// 12 units per second and the stars at 12 to 72.
constexpr float DUST1_DRIFT = 0.25f;
constexpr float DUST2_DRIFT = 0.5f;
// The near dust layer is the far one mirrored left to right. A mirror alone, about the same
// centre, would make the two one symmetric picture (every cloud with its twin across the middle
// of the screen), so the near layer also starts this far down its column. Its seams, like the far
// layer's, stay off screen until the drift brings them in: the picture is 640 units tall.
constexpr float DUST2_START = 64.0f;
constexpr float FAR_STAR_DRIFT = 0.5f;
constexpr float NEAR_STAR_DRIFT = 3.0f;
constexpr float TWINKLE = 0.2f; // a star's scale swings this fraction either side of its base

float StarBaseScale(float depth) {
    return Animate::TweenLinear(0.13333334f, 1, depth) / 2;
}

// How far from its centre a star of this depth can reach: half its picture's diagonal at the top
// of its twinkle, since it spins. A drifting star leaves at the bottom and re-enters at the top
// by this much beyond the edge, so it is never seen to appear or vanish.
float StarReach(float depth) {
    const Media::ImageRef& image = Background::StarImage;
    if (!image) return 0;
    const float diagonal = std::hypot(float(image->Width()), float(image->Height()));
    return diagonal / 2 * StarBaseScale(depth) * (1 + TWINKLE);
}

struct Rgb {
    float R, G, B;
};

// The dust tint of an index, false for 11 and above (the tint stays as it was).
bool DustTint(int index, Rgb& tint) {
    switch (index) {
    case 0:
    case 4:
    case 7:
    case 10:
        tint = {0, 0, 63};
        return true;
    case 9:
        tint = {47, 15, 0};
        return true;
    case 2:
    case 6:
    case 8:
        tint = {0, 39, 31};
        return true;
    case 1:
    case 3:
    case 5:
        tint = {47, 0, 47};
        return true;
    default:
        return false;
    }
}

// The two star colours of an index, false for 11 and above.
bool StarColours(int index, Rgb& first, Rgb& second) {
    switch (index) {
    case 0:
    case 4:
    case 7:
    case 10:
    case 1:
    case 3:
    case 5:
        first = {0, 255, 255};
        second = {0, 255, 96};
        return true;
    case 9:
        first = {255, 96, 0};
        second = {255, 196, 0};
        return true;
    case 2:
    case 6:
    case 8:
        first = {255, 255, 0};
        second = {96, 255, 0};
        return true;
    default:
        return false;
    }
}

// Position in [−height, height) of a dust layer scrolled by `scroll`. A layer is its picture with
// mirrored copies directly above and below, so the seams match row for row and the pattern
// repeats every two picture heights; with pictures at least 500 units tall the three copies
// always cover the screen.
float WrappedOffset(float scroll, float height) {
    return FloatMod(scroll + height, 2 * height) - height;
}

} // namespace

void Background::Init() {
    StillPainter_.Cancel();
    DustPainter_.Cancel();
    DustPainting_ = false;
    DustMoved_ = false;
    DustShown_ = StillShown_ = false;
    DustPhasesMade_ = 0;
    for (Media::ImageRef& phase : DustPhases_)
        phase = nullptr;
    // Made by the loads that first want them.
    DustImage = nullptr;
    for (Media::ImageRef& image : DarkMatterImages)
        image = nullptr;
    PlanetImage = nullptr;
    PlanetIndex = -1;
    Playfield = Sprite::Create(nullptr, 0, nullptr);
    Playfield->SetPosition(float(VIRTUAL_WIDTH / 2), float(VIRTUAL_HEIGHT / 2), 0);

    DustLayer1 = Sprite::Create(nullptr, 1, Playfield);
    DustLayer2 = Sprite::Create(nullptr, 1, Playfield);
    for (const SpriteRef& layer : {DustLayer1, DustLayer2}) {
        layer->SetScale(1);
        layer->Hide();
    }
    // The near layer is mirrored left to right (and starts lower, see DUST2_START), so the two
    // layers do not read as one picture over itself.
    DustLayer2->SetScaleX(-1);
    for (int i = 0; i < 4; ++i) {
        DustCopies_[i] = Sprite::Create(nullptr, 0, i < 2 ? DustLayer1 : DustLayer2);
        DustCopies_[i]->SetScaleY(-1);
    }
    for (int k = 0; k < 2; ++k) {
        DustStrips[k] = Sprite::Create(nullptr, 1, Playfield);
        DustStrips[k]->SetScaleX(k == 0 ? 1 : -1);
        DustStrips[k]->SetBlend(Media::PREMULTIPLIEDBLEND);
        DustStrips[k]->Hide();
        DustStripCopies_[k] = Sprite::Create(nullptr, 0, DustStrips[k]);
        DustStripCopies_[k]->SetBlend(Media::PREMULTIPLIEDBLEND);
    }
    Scenery = Sprite::Create(nullptr, 1, Playfield);
    Scenery->SetDrawing(DrawScenery);
    Scenery->Hide();

    DarkMatter = Sprite::Create(nullptr, 3, Playfield);
    DarkMatter->SetBlend(Media::LIGHTBLEND);
    DarkMatter->Hide();

    StarImage = LoadGameImage("gfx\\background\\star3.png", -1, 0);
    for (SpriteRef& star : Stars) {
        star = Sprite::Create(StarImage, 2, Playfield);
        star->SetBlend(Media::LIGHTBLEND);
        star->Hide();
    }

    for (int n = 1; n <= NEBULAS; ++n)
        NebulaImages[n - 1] = LoadGameImage("gfx\\background\\nebula" + std::to_string(n) + ".png", -1, 0);
    Nebula = Sprite::Create(nullptr, 2, Playfield);
    Nebula->SetScale(1.5f);
    Nebula->SetAlpha(0.33f);
    Nebula->Hide();
    // Created after the stars, so that one of order 2 exactly is drawn after it, as after the
    // nebula.
    StillLayer = Sprite::Create(nullptr, 2, Playfield);
    StillLayer->SetBlend(Media::PREMULTIPLIEDBLEND);
    StillLayer->Hide();

    Planet = Sprite::Create(nullptr, 6, Playfield);
    Planet->Hide();

    auto banner = [](const char* path) {
        SpriteRef sprite = Sprite::Create(LoadGameImage(path, -1, 0), 24, nullptr);
        sprite->Hide();
        return sprite;
    };
    LevelCompleteBanner = banner("gfx\\menus\\levelcomplete.png");
    GameOverBanner = banner("gfx\\menus\\gameover.png");
    WarningBanner = banner("gfx\\menus\\warning.png");

    FlashOverlay = Sprite::Create(LoadGameImage("gfx\\menus\\pixel.png", -1, 0), 26, nullptr);
    FlashOverlay->SetPosition(400, 250, 0);
    FlashOverlay->SetScale(1024);
    FlashOverlay->Hide();

    CurrentBackground = 0;
}

namespace {

constexpr const char* DUST_PATH = "gfx\\background\\dust2.jpg";

std::string DarkMatterPath(int n) { // n = 1..Background::DARK_MATTERS
    return "gfx\\background\\darkmatter" + std::to_string(n) + ".png";
}

std::string PlanetPath(int index) {
    return "gfx\\planets\\planet" + std::to_string(index + 1) + ".png";
}

// The dust picture's brightness becomes the opacity of a white picture, which the tint colours.
// Every background has the same picture, so it is made once: remaking it cost a few
// milliseconds at each wave's start.
void MakeDust() {
    Media::PixelMapRef dust = LoadGamePixmap(DUST_PATH, 0);
    Media::PixelMapRef grey = Media::ConvertPixmapToGrey(*dust);
    Media::RelabelGreyAsAlpha(*grey);
    Background::DustImage = LoadGameImage(*grey, DUST_PATH, -1, 0);
}

// True when the planet of background `index` is still to be made: another level's is kept, or
// a missing one (it is optional) is looked for again.
bool PlanetWanted(int index) {
    return index != Background::PlanetIndex || !Background::PlanetImage;
}

void MakePlanet(int index) {
    Background::PlanetImage = LoadGameImage(PlanetPath(index), -1, 1);
    Background::PlanetIndex = index;
}

} // namespace

void Background::MakeAhead(int index) {
    if (index < 0) return;
    if (!DustImage) {
        if (Media::PrefetchDone(DUST_PATH)) MakeDust();
        return;
    }
    // The sprite shows its own reference, so a planet shown now stays until Load.
    if (PlanetWanted(index) && Media::PrefetchDone(PlanetPath(index))) MakePlanet(index);
}

std::vector<std::string> Background::PicturePaths(int index) {
    if (index < 0) return {};
    std::vector<std::string> paths;
    if (!DustImage) paths.push_back(DUST_PATH);
    for (int n = 1; n <= DARK_MATTERS; ++n)
        if (!DarkMatterImages[n - 1]) paths.push_back(DarkMatterPath(n));
    if (PlanetWanted(index)) paths.push_back(PlanetPath(index));
    return paths;
}

void Background::Load(int index) {
    Hide();
    CurrentBackground = index;
    if (index == -1) return;
    if (index < -1) FatalError("Error in Background.Load(): Invalid background!");

    if (!DustImage) MakeDust();
    DustLayer1->SetImage(DustImage);
    DustLayer2->SetImage(DustImage);
    const float height = DustImage ? float(DustImage->Height()) : 0.0f;
    for (int i = 0; i < 4; ++i) {
        DustCopies_[i]->SetImage(DustImage);
        DustCopies_[i]->SetPosition(0, i % 2 == 0 ? -height : height, 0);
    }

    Rgb tint{};
    if (DustTint(index, tint)) DustLayer1->SetColor(tint.R, tint.G, tint.B);
    const float r = DustLayer1->R(0), g = DustLayer1->G(0), b = DustLayer1->B(0);
    DustLayer2->SetColor(r, g, b);
    DustShown_ = true;
    ShowScenery();

    DarkMatter->SetColor(3 * r, 3 * g, 3 * b);
    Nebula->SetColor(2 * r, 2 * g, 2 * b);

    const int darkMatter = Media::RandomInt(1, DARK_MATTERS);
    Media::ImageRef& made = DarkMatterImages[darkMatter - 1];
    if (!made) made = LoadGameImage(DarkMatterPath(darkMatter), -1, 0);
    DarkMatterImage = made;
    DarkMatter->SetImage(DarkMatterImage);
    DarkMatter->SetScale(1);
    if (Media::RandomInt(0, 1) == 1) DarkMatter->SetScaleX(-1);
    if (Media::RandomInt(0, 1) == 1) DarkMatter->SetScaleY(-1);
    DarkMatter->Show();

    Nebula->SetImage(NebulaImages[Media::RandomInt(0, NEBULAS - 1)]);
    Nebula->SetPosition(float(Media::RandomInt(-272, 272)), float(Media::RandomInt(-122, 122)), 0);
    Nebula->SetRotation(float(Media::RandomInt(-45, 45)));
    Nebula->Show();
    PaintStillLayer();

    if (PlanetWanted(index)) MakePlanet(index);
    Planet->SetImage(PlanetImage);
    Planet->SetColor(255, 255, 255);
    Planet->SetScale(0.66f);
    Planet->Show();

    for (int i = 0; i < STARS; ++i) {
        RandomizeStar(i, 1);
        Stars[i]->Show();
    }

    PositionX = PositionY = 0;
    AppliedY_ = 0;
    PlaceDust();
}

void Background::Update() {
    if (CurrentBackground < 0) FatalError("Error in Background.Update(): Invalid background!");
    DustMoved_ = true;

    const float scrolled = PositionY - AppliedY_;
    AppliedY_ = PositionY;
    for (int i = 0; i < STARS; ++i) {
        Sprite& star = *Stars[i];
        star.SetY(star.Y(0) + scrolled * Animate::TweenLinear(FAR_STAR_DRIFT, NEAR_STAR_DRIFT, StarDepth[i]),
                  0);
        if (star.Y(0) - StarReach(StarDepth[i]) > float(VIRTUAL_HEIGHT / 2)) RandomizeStar(i, 0);
    }
    PlaceDust();
}

void Background::PaintStillLayer() {
    // Headless drawing is counted, not rasterised: there is nothing to save, and the moment of
    // the swap would follow a worker's pace instead of the virtual clock.
    if (Media::IsHeadless()) return;
    std::vector<Media::PaintPass> passes;
    Nebula->AddPaintPasses(passes, -STILL_WIDTH / 2.0f, -STILL_HEIGHT / 2.0f);
    DarkMatter->AddPaintPasses(passes, -STILL_WIDTH / 2.0f, -STILL_HEIGHT / 2.0f);
    StillPainter_.Start(STILL_WIDTH, STILL_HEIGHT, std::move(passes));
}

void Background::ShowScenery() {
    const bool strips = DustPhasesMade_ == DUST_PHASES;
    const bool stacked = strips && DustShown_ && StillShown_;
    const auto show = [](const SpriteRef& sprite, bool shown) {
        if (shown)
            sprite->Show();
        else
            sprite->Hide();
    };
    for (int k = 0; k < 2; ++k) {
        show(k == 0 ? DustLayer1 : DustLayer2, DustShown_ && !strips);
        show(DustStrips[k], DustShown_ && strips && !stacked);
    }
    show(StillLayer, StillShown_ && !stacked);
    show(Scenery, stacked);
}

void Background::DrawScenery(const Sprite& scenery) {
    const int vx = int(Sprite::OriginX() + scenery.ViewportX(1)),
              vy = int(Sprite::OriginY() + scenery.ViewportY(1));
    Media::SetViewport(vx, vy, int(scenery.ViewportWidth(1)), int(scenery.ViewportHeight(1)));
    // Each layer placed by its picture's top-left corner in the virtual screen, as its sprite
    // would draw it: the strips at whole units, the still layer where it stands.
    Media::StackLayer layers[3];
    const Sprite* sprites[3] = {DustStrips[0].get(), DustStrips[1].get(), StillLayer.get()};
    for (int i = 0; i < 3; ++i) {
        const Sprite& sprite = *sprites[i];
        const Media::Image* image = sprite.Image().get();
        if (!image) continue;
        Media::StackLayer& layer = layers[i];
        layer.Source = image;
        layer.X = sprite.X(1) - image->HandleX();
        layer.Y = sprite.Y(1) - image->HandleY();
        layer.MirrorX = sprite.ScaleX(1) < 0;
        // A strip is one period of its column: repeated, it needs no copy above it.
        layer.RepeatY = i < 2;
        const auto unit = [](float channel) { return std::clamp(channel, 0.0f, 255.0f) / 255.0f; };
        layer.R = unit(sprite.R(1));
        layer.G = unit(sprite.G(1));
        layer.B = unit(sprite.B(1));
        layer.A = sprite.Alpha(1);
    }
    Media::DrawStack(layers, 3, Sprite::OriginX(), Sprite::OriginY(), float(VIRTUAL_WIDTH),
                     float(VIRTUAL_HEIGHT));
}

std::vector<Media::PaintPass> Background::DustPhasePasses(int phase) {
    const float w = float(DustImage->Width()), h = float(DustImage->Height());
    const float shift = float(phase) / float(DUST_PHASES);
    // The picture, and its mirror images below and above it, as the layer and its copies draw
    // them; the strip keeps one period, from the picture's top edge.
    std::vector<Media::PaintPass> passes(3);
    const float tops[3] = {shift, 2 * h + shift, shift}, bottoms[3] = {h + shift, h + shift, shift - h};
    for (int i = 0; i < 3; ++i) {
        Media::PaintPass& pass = passes[size_t(i)];
        pass.Source = DustImage;
        pass.TopLeftX = pass.BottomLeftX = 0;
        pass.TopRightX = w;
        pass.TopLeftY = pass.TopRightY = tops[i];
        pass.BottomLeftY = bottoms[i];
    }
    return passes;
}

void Background::SettleDust() {
    // Still, in the menus, the layers stand at whole units already: the strips wait for play,
    // which leaves the start-up and the title the processor.
    if (Media::IsHeadless() || !DustImage || !DustMoved_ || DustPhasesMade_ == DUST_PHASES) return;
    if (!DustPainting_) {
        DustPainter_.Start(DustImage->Width(), 2 * DustImage->Height(), DustPhasePasses(DustPhasesMade_));
        DustPainting_ = true;
        return;
    }
    Media::ImageRef strip = DustPainter_.Take();
    if (!strip) return;
    DustPainting_ = false;
    strip->SetHandle(float(DustImage->Width()) / 2, float(DustImage->Height()) / 2);
    DustPhases_[DustPhasesMade_++] = strip;
    if (DustPhasesMade_ == DUST_PHASES) {
        ShowScenery();
        PlaceDust();
    }
}

void Background::Settle() {
    SettleDust();
    Media::ImageRef still = StillPainter_.Take();
    if (!still) return;
    still->SetHandle(STILL_WIDTH / 2.0f, STILL_HEIGHT / 2.0f);
    StillLayer->SetImage(still);
    StillShown_ = true;
    ShowScenery();
    Nebula->Hide();
    DarkMatter->Hide();
}

void Background::SetPosition(float x, float y) {
    PositionX = x;
    PositionY = y;
}

void Background::Hide() {
    DustShown_ = StillShown_ = false;
    ShowScenery();
    DarkMatter->Hide();
    for (const SpriteRef& star : Stars)
        star->Hide();
    Nebula->Hide();
    StillPainter_.Cancel();
    StillLayer->SetImage(nullptr);
    Planet->Hide();
}

void Background::Free() {}

void Background::HideFlash() {
    FlashOverlay->StopAnimating(Animate::TRANSFORM_ALPHA);
    FlashOverlay->Hide();
}

void Background::RandomizeStar(int i, int anywhere) {
    Sprite& star = *Stars[i];
    // A star re-rolled in place must not keep the twinkle and spin of its previous life.
    star.StopAnimating(Animate::TRANSFORM_ALL);

    const float rf = Media::RandomFloat(0, 1);
    const float depth = rf * rf * rf * rf * rf * rf;
    StarDepth[i] = depth;
    const float scale = StarBaseScale(depth);
    star.SetOrder(Animate::TweenLinear(STAR_MIN_Z, STAR_MAX_Z, depth));
    star.AnimateScale(scale - TWINKLE * scale, scale + TWINKLE * scale, 1000,
                      Animate::LOOP + Animate::PINGPONG, 0, Media::RandomInt(0, 1000));

    const int pick = Media::RandomInt(0, 1);
    Rgb first{}, second{};
    if (StarColours(CurrentBackground, first, second)) {
        const Rgb& colour = pick == 0 ? first : second;
        star.SetColor(colour.R, colour.G, colour.B);
    }
    star.SetAlpha(0.9f);

    const float x = float(Media::RandomInt(-400, 400)) + 0.5f;
    // Just above the top edge: a whole number of units out of sight, then half a unit like the
    // other places.
    const float above = -float(VIRTUAL_HEIGHT / 2) - std::ceil(StarReach(depth)) - 0.5f;
    const float y = anywhere != 0 ? float(Media::RandomInt(-258, 258)) + 0.5f : above;
    star.SetPosition(x, y, 0);
    star.AnimateRotation(0, 360, 5000, Animate::LOOP, 0, Media::RandomInt(0, 5000));
}

void Background::PlaceDust() {
    const float height = DustImage ? float(DustImage->Height()) : 0.0f;
    if (height <= 0) return;
    DustLayer1->SetPosition(0, WrappedOffset(PositionY * DUST1_DRIFT, height), 0);
    DustLayer2->SetPosition(0, WrappedOffset(DUST2_START + PositionY * DUST2_DRIFT, height), 0);
    // Only the copies that reach into the screen are drawn; at most one of each layer's two does.
    for (int i = 0; i < 4; ++i) {
        Sprite& copy = *DustCopies_[i];
        const float centre = (i < 2 ? DustLayer1 : DustLayer2)->Y(0) + copy.Y(0);
        const bool onScreen = centre + height / 2 > -float(VIRTUAL_HEIGHT / 2) &&
                              centre - height / 2 < float(VIRTUAL_HEIGHT / 2);
        if (onScreen)
            copy.Show();
        else
            copy.Hide();
    }
    if (DustPhasesMade_ < DUST_PHASES) return;
    for (int k = 0; k < 2; ++k) {
        const Sprite& layer = *(k == 0 ? DustLayer1 : DustLayer2);
        Sprite& strip = *DustStrips[k];
        const float whole = std::floor(layer.Y(0));
        const int phase = int(std::lround((layer.Y(0) - whole) * float(DUST_PHASES)));
        strip.SetImage(DustPhases_[phase % DUST_PHASES]);
        strip.SetPosition(0, whole + float(phase / DUST_PHASES), 0);
        strip.SetColor(layer.R(0), layer.G(0), layer.B(0));
        Sprite& copy = *DustStripCopies_[k];
        copy.SetImage(strip.Image());
        copy.SetPosition(0, -2 * height, 0);
        // The strip reaches a period below the picture's top edge: above that edge, the copy.
        if (strip.Y(0) - height / 2 > -float(VIRTUAL_HEIGHT / 2))
            copy.Show();
        else
            copy.Hide();
    }
}

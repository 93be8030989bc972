// The scenery: its compositions, and its drift during play (stars by depth, dust layers wrapping).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "level_fixture.h"
#include "sprites/animate.h"

namespace {

// The farthest a star's picture reaches from its centre: half its diagonal (it spins) at the top
// of its twinkle (base scale + 20 %).
float StarReach(int i) {
    const float diagonal =
        std::hypot(float(Background::StarImage->Width()), float(Background::StarImage->Height()));
    return diagonal / 2 * Animate::TweenLinear(0.13333334f, 1, Background::StarDepth[i]) / 2 * 1.2f;
}

TEST_F(LevelTest, StarsDriftDownByDepthAndReEnterAtTheTop) {
    Background::Load(0);
    float before[Background::STARS];
    for (int i = 0; i < Background::STARS; ++i)
        before[i] = Background::Stars[i]->Y(0);
    Background::SetPosition(0, 10);
    Background::Update();
    int wrapped = 0;
    for (int i = 0; i < Background::STARS; ++i) {
        const float moved = Background::Stars[i]->Y(0) - before[i];
        if (Background::Stars[i]->Y(0) < -250) {
            ++wrapped;
            continue;
        }
        // 10 units of scroll move a star 5 (farthest) to 30 (nearest) units down.
        EXPECT_GE(moved, 5.0f - 1e-3f) << "star " << i;
        EXPECT_LE(moved, 30.0f + 1e-3f) << "star " << i;
    }
    EXPECT_LT(wrapped, 10);

    // Every star eventually leaves at the bottom, once wholly out of sight, and comes back from
    // the top.
    Background::StarDepth[0] = 1;
    const float reach = StarReach(0);
    Background::Stars[0]->SetY(250 + reach - 20, 0);
    Background::SetPosition(0, 10 + 15); // 15 more units of scroll move the nearest star 45 down
    Background::Update();
    EXPECT_LT(Background::Stars[0]->Y(0), -250);
}

// A star re-rolled at the top enters from just beyond the edge by its own size, so even the
// biggest, at the top of its twinkle and turned corner-down, is not already partly on screen.
TEST_F(LevelTest, AStarReRolledAtTheTopIsWhollyAboveTheEdge) {
    Background::Load(0);
    float biggest = 0;
    for (int roll = 0; roll < 400; ++roll) {
        const int i = roll % Background::STARS;
        Background::RandomizeStar(i, 0);
        const float y = Background::Stars[i]->Y(0), reach = StarReach(i);
        biggest = std::max(biggest, reach);
        EXPECT_LE(y + reach, -250.0f) << "roll " << roll << ", reach " << reach;
        EXPECT_GE(y + reach, -252.0f) << "roll " << roll << ": just beyond the edge";
    }
    EXPECT_GT(biggest, 10.0f); // big stars were rolled, not only specks
}

TEST_F(LevelTest, DustLayersDriftAtTwoSpeedsAndWrapWithoutASeam) {
    Background::Load(0);
    const float height = float(Background::DustImage->Height());
    ASSERT_GE(height, 500) << "three copies must cover the screen";
    float last1 = 0, last2 = 0;
    for (float scroll = 0; scroll < 12 * height; scroll += 7.3f) {
        Background::SetPosition(0, scroll);
        Background::Update();
        const float y1 = Background::DustLayer1->Y(0), y2 = Background::DustLayer2->Y(0);
        // Each layer stays where its three copies cover the playfield ...
        EXPECT_GE(y1, -height);
        EXPECT_LT(y1, height);
        // ... and moves on smoothly: a jump is exactly one period of the mirrored pattern.
        const float d1 = std::fmod(y1 - last1 + 2 * height + 0.5f * height, 2 * height) - 0.5f * height;
        const float d2 = std::fmod(y2 - last2 + 2 * height + 0.5f * height, 2 * height) - 0.5f * height;
        if (scroll > 0) {
            EXPECT_NEAR(d1, 7.3f * 0.25f, 0.01f) << scroll;
            EXPECT_NEAR(d2, 7.3f * 0.5f, 0.01f) << scroll;
        }
        last1 = y1;
        last2 = y2;
    }
}

TEST_F(LevelTest, ALoadResetsTheDriftAndMenusStayStill) {
    Background::Load(2);
    Background::SetPosition(0, 300);
    Background::Update();
    EXPECT_NE(Background::DustLayer1->Y(0), 0);
    const float start2 = Background::DustLayer2->Y(0);
    Background::Load(4); // the title screen: nothing updates it
    EXPECT_EQ(Background::DustLayer1->Y(0), 0);
    EXPECT_NE(Background::DustLayer2->Y(0), start2);
}

// The near dust layer is the far one mirrored left to right. Mirrored about the same centre the
// two would make one symmetric picture, the far layer's twin across the middle of the screen, so
// the near one must also stand at another height; and in the still menus neither layer may show a
// seam of its column of copies.
TEST_F(LevelTest, TheTwoDustLayersAreDistinctAndShowNoSeamWhenStill) {
    Background::Load(4);
    const float height = float(Background::DustImage->Height());
    const SpriteRef& far = Background::DustLayer1;
    const SpriteRef& near = Background::DustLayer2;
    EXPECT_FLOAT_EQ(far->ScaleX(0), 1);
    EXPECT_FLOAT_EQ(near->ScaleX(0), -1);
    EXPECT_FLOAT_EQ(near->X(0), far->X(0));
    EXPECT_GE(std::fabs(near->Y(0) - far->Y(0)), 32.0f);
    for (const SpriteRef& layer : {far, near}) {
        // The picture's top and bottom edges, where the mirrored copies join it.
        EXPECT_LE(layer->Y(0) - height / 2, -250.0f);
        EXPECT_GE(layer->Y(0) + height / 2, 250.0f);
    }
}

// The dust is one picture for every background: made at the first load, then kept, and no
// longer decoded ahead for the loads that follow.
TEST_F(LevelTest, TheDustPictureIsMadeOnceAndKept) {
    Background::Load(0);
    const Media::ImageRef dust = Background::DustImage;
    ASSERT_TRUE(dust);
    Background::Load(3);
    EXPECT_EQ(Background::DustImage, dust);
    for (const SpriteRef& layer : {Background::DustLayer1, Background::DustLayer2})
        EXPECT_EQ(layer->Image(), dust);
    const std::vector<std::string> ahead = Background::PicturePaths(5);
    EXPECT_EQ(std::count(ahead.begin(), ahead.end(), std::string("gfx\\background\\dust2.jpg")), 0);
    EXPECT_EQ(std::count(ahead.begin(), ahead.end(), std::string("gfx\\planets\\planet6.png")), 1);
}

// Each wave's start loads the scenery again: a dark-matter picture made once and the level's planet
// are kept, so a repeated load makes no picture anew and nothing is decoded ahead for them.
TEST_F(LevelTest, SceneryPicturesAreMadeOnceAndKeptForTheWavesThatFollow) {
    Background::Load(2);
    const Media::ImageRef planet = Background::PlanetImage;
    ASSERT_TRUE(planet);
    std::vector<Media::ImageRef> seen;
    for (int wave = 0; wave < 40; ++wave) {
        Background::Load(2);
        EXPECT_EQ(Background::PlanetImage, planet);
        seen.push_back(Background::DarkMatterImage);
    }
    for (const Media::ImageRef& made : Background::DarkMatterImages)
        ASSERT_TRUE(made) << "40 loads draw every dark matter at least once";
    for (const Media::ImageRef& image : seen)
        EXPECT_NE(std::find(std::begin(Background::DarkMatterImages), std::end(Background::DarkMatterImages),
                            image),
                  std::end(Background::DarkMatterImages));
    EXPECT_EQ(std::set<Media::ImageRef>(seen.begin(), seen.end()).size(), size_t(Background::DARK_MATTERS));
    EXPECT_EQ(Background::PicturePaths(2), std::vector<std::string>{}) << "all made: nothing to decode";
    EXPECT_EQ(Background::PicturePaths(3), std::vector<std::string>{"gfx\\planets\\planet4.png"});

    Background::Load(3);
    EXPECT_NE(Background::PlanetImage, planet) << "another level, another planet";
}

// The frames before a load make its pictures as their decodes finish, one a frame, never waiting
// for one and never drawing a random number, and the load then shows what they made.
TEST_F(LevelTest, SceneryMadeAheadIsWhatTheLoadShows) {
    const std::string dust = "gfx\\background\\dust2.jpg", planet = "gfx\\planets\\planet6.png";
    auto decoded = [](const std::string& path) {
        for (int ms = 0; ms < 5000 && !Media::PrefetchDone(path); ++ms)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return Media::PrefetchDone(path);
    };
    Background::DustImage = nullptr;
    Background::PlanetImage = nullptr;
    Background::PlanetIndex = -1;
    Background::MakeAhead(5);
    EXPECT_FALSE(Background::DustImage) << "nothing decoded ahead: nothing made";

    Media::PrefetchPixmaps(Background::PicturePaths(5));
    ASSERT_TRUE(decoded(dust));
    Media::SeedRandom(99);
    Background::MakeAhead(5);
    const int firstDraw = Media::RandomInt(0, 1 << 30);
    Media::SeedRandom(99);
    EXPECT_EQ(Media::RandomInt(0, 1 << 30), firstDraw) << "no random number drawn";
    ASSERT_TRUE(Background::DustImage);
    EXPECT_EQ(Background::PlanetIndex, -1) << "one picture a call";
    ASSERT_TRUE(decoded(planet));
    Background::MakeAhead(5);
    ASSERT_TRUE(Background::PlanetImage);
    EXPECT_EQ(Background::PlanetIndex, 5);

    const Media::ImageRef dustMade = Background::DustImage, planetMade = Background::PlanetImage;
    Background::Load(5);
    EXPECT_EQ(Background::DustImage, dustMade);
    EXPECT_EQ(Background::PlanetImage, planetMade);
    EXPECT_EQ(Background::Planet->Image(), planetMade);
    Media::EndPrefetch();
}

TEST_F(LevelTest, RepeatedLoadsDoNotPileUpStarAnimations) {
    Background::Load(0);
    const int records = Animate::Count();
    for (int i = 0; i < 5; ++i)
        Background::Load(i);
    for (int i = 0; i < 50; ++i) {
        Background::SetPosition(0, float(i) * 40);
        Background::Update();
    }
    EXPECT_EQ(Animate::Count(), records);
}

TEST_F(LevelTest, NoBackgroundHidesTheSceneryButNotTheBanners) {
    Background::Load(0);
    Background::WarningBanner->Show();
    Background::Load(-1);
    EXPECT_EQ(Background::DustLayer1->Hidden(0), 1);
    EXPECT_EQ(Background::Stars[0]->Hidden(0), 1);
    EXPECT_EQ(Background::Planet->Hidden(0), 1);
    EXPECT_EQ(Background::WarningBanner->Hidden(0), 0);
    EXPECT_EXIT(Background::Update(), testing::ExitedWithCode(1),
                "Error in Background.Update\\(\\): Invalid background!");
    EXPECT_EXIT(Background::Load(-2), testing::ExitedWithCode(1),
                "Error in Background.Load\\(\\): Invalid background!");
}

// Polls Settle every 5 ms, `polls` times at most, until the still layer is painted (the sanitized
// build paints slowly, and side by side with other tests slower still).
bool SettleUntilStill(int polls = 3000) {
    // Painted, the still layer shows alone, or in the Scenery's stack once the dust's strips are
    // painted too.
    const auto painted = [] {
        return Background::StillLayer->Hidden(0) == 0 || Background::Scenery->Hidden(0) == 0;
    };
    for (int i = 0; i < polls && !painted(); ++i) {
        Background::Settle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return painted();
}

// The still layer is painted only where drawing is rasterised.
class SceneryWindowTest : public LevelTest {
protected:
    bool Headless() override { return false; }
};

TEST_F(SceneryWindowTest, TheStillLayerTakesThePlaceOfTheNebulaAndDarkMatterOncePainted) {
    Background::Load(3);
    EXPECT_EQ(Background::Nebula->Hidden(0), 0);
    EXPECT_EQ(Background::DarkMatter->Hidden(0), 0);
    EXPECT_NE(Background::StillLayer->Hidden(0), 0) << "shown only once painted";
    ASSERT_TRUE(SettleUntilStill());
    EXPECT_NE(Background::Nebula->Hidden(0), 0);
    EXPECT_NE(Background::DarkMatter->Hidden(0), 0);
    EXPECT_EQ(Background::StillLayer->Blend(), Media::PREMULTIPLIEDBLEND);
    const Media::ImageRef& still = Background::StillLayer->Image();
    ASSERT_TRUE(still);
    EXPECT_EQ(still->Flags() & Media::PREMULTIPLIEDIMAGE, Media::PREMULTIPLIEDIMAGE);
    // The two, painted over the dark-matter veil's rectangle about the playfield's centre.
    std::vector<Media::PaintPass> passes;
    Background::Nebula->AddPaintPasses(passes, -480, -300);
    Background::DarkMatter->AddPaintPasses(passes, -480, -300);
    EXPECT_GE(passes.size(), 2u);
    EXPECT_EQ(still->FramePixels(0).Pixels, Media::PaintPasses(960, 600, passes).Pixels);
    EXPECT_EQ(Background::StillLayer->X(0), 0);
    EXPECT_EQ(Background::StillLayer->Y(0), 0);
    EXPECT_EQ(still->HandleX(), 480);

    // Hidden with the scenery; the next composition shows its own nebula until its layer is
    // painted, and a composition hidden while being painted stays hidden.
    Background::Hide();
    EXPECT_NE(Background::StillLayer->Hidden(0), 0);
    Background::Load(5);
    EXPECT_EQ(Background::Nebula->Hidden(0), 0);
    EXPECT_NE(Background::StillLayer->Hidden(0), 0);
    ASSERT_TRUE(SettleUntilStill());
    Background::Load(2);
    Background::Hide();
    EXPECT_FALSE(SettleUntilStill(20));
    EXPECT_NE(Background::Nebula->Hidden(0), 0);
}

// The dust's layers and their mirrored copies where they stand, as their drawing paints them.
std::vector<Media::PaintPass> DustLayerPasses() {
    const float w = float(Background::DustImage->Width()), h = float(Background::DustImage->Height());
    std::vector<Media::PaintPass> passes;
    for (const SpriteRef& layer : {Background::DustLayer1, Background::DustLayer2}) {
        const float top = 250 + layer->Y(0) - h / 2;
        const float left = 400 - layer->ScaleX(0) * w / 2, right = 400 + layer->ScaleX(0) * w / 2;
        // The picture, and its mirror images below and above it.
        const float tops[3] = {top, top + 2 * h, top}, bottoms[3] = {top + h, top + h, top - h};
        for (int i = 0; i < 3; ++i) {
            Media::PaintPass pass;
            pass.Source = Background::DustImage;
            pass.TopLeftX = pass.BottomLeftX = left;
            pass.TopRightX = right;
            pass.TopLeftY = pass.TopRightY = tops[i];
            pass.BottomLeftY = bottoms[i];
            pass.R = layer->R(0) / 255;
            pass.G = layer->G(0) / 255;
            pass.B = layer->B(0) / 255;
            passes.push_back(pass);
        }
    }
    return passes;
}

// Draws the scenery at scroll values that put the dust's layers at many fractions of a unit, and
// each strip's top edge above and below the screen's, and compares every frame with the layers
// painted where they stand, and the still layer over them when `still`: over black, the painted
// colours, premultiplied, are what the drawing leaves. Returns the phases the strips were drawn at.
std::set<int> CompareSceneryWithItsLayers(bool still) {
    const float height = float(Background::DustImage->Height());
    std::set<int> phases;
    for (float scroll : {0.0f, 1.3f, 2.0f, 2.77f, 123.45f, 401.1f, 999.9f, 1777.7f, 2222.05f}) {
        SCOPED_TRACE(std::string(still ? "stacked" : "strips") + " at " + std::to_string(scroll));
        Background::SetPosition(0, scroll);
        Background::Update();
        for (int k = 0; k < 2; ++k) {
            const Sprite& layer = *(k == 0 ? Background::DustLayer1 : Background::DustLayer2);
            const Sprite& strip = *Background::DustStrips[k];
            EXPECT_EQ(strip.Y(0), std::round(strip.Y(0)));
            // The strip of the nearest eighth of a unit.
            const float fraction = layer.Y(0) - strip.Y(0);
            EXPECT_GE(fraction, -1 / 16.0f - 1e-3f);
            EXPECT_LE(fraction, 7 / 8.0f + 1 / 16.0f + 1e-3f);
            phases.insert(int(std::lround(fraction * 8)));
            EXPECT_EQ(strip.ScaleX(0), layer.ScaleX(0));
            EXPECT_EQ(strip.R(0), layer.R(0));
            EXPECT_EQ(strip.Image()->Height(), 2 * height);
        }
        Media::Cls();
        Sprite::DrawAll();
        const Media::PixelMapRef drawn = Media::GrabPixmap(0, 0, 800, 500);
        if (!drawn) {
            ADD_FAILURE() << "no grab";
            return phases;
        }
        Media::PixelMap expected = Media::PaintPasses(800, 500, DustLayerPasses());
        if (still) {
            // The still layer's picture about the playfield's centre, laid over the dust.
            const Media::PixelMap& picture = Background::StillLayer->Image()->FramePixels(0);
            const int left = int(Background::StillLayer->Image()->HandleX()) - 400;
            const int top = int(Background::StillLayer->Image()->HandleY()) - 250;
            for (int y = 0; y < 500; ++y) {
                for (int x = 0; x < 800; ++x) {
                    const uint8_t* over =
                        &picture.Pixels[(size_t(y + top) * size_t(picture.Width) + size_t(x + left)) * 4];
                    uint8_t* under = &expected.Pixels[(size_t(y) * 800 + size_t(x)) * 4];
                    for (int c = 0; c < 3; ++c)
                        under[c] = uint8_t(
                            std::min(255.0f, float(over[c]) + float(under[c]) * (1 - float(over[3]) / 255)) +
                            0.5f);
                }
            }
        }
        long total = 0;
        int worst = 0;
        for (size_t i = 0; i < expected.Pixels.size(); i += 4) {
            for (size_t c = 0; c < 3; ++c) {
                const int diff = std::abs(int(expected.Pixels[i + c]) - int(drawn->Pixels[i + c]));
                total += diff;
                worst = std::max(worst, diff);
            }
        }
        const double mean = double(total) / double(expected.Pixels.size() / 4 * 3);
        // An eighth of a pixel's steps move the sharpest specks of white dust by up to a dozen
        // levels (a seam or a step the wrong way, by forty and more).
        EXPECT_LE(worst, 16) << "mean " << mean;
        EXPECT_LT(mean, 0.5) << "worst " << worst;
    }
    return phases;
}

TEST_F(SceneryWindowTest, TheDustDrawnAtWholeUnitsFromItsStripsLooksAsItsLayers) {
    Media::SetProjection(800, 500);
    Background::Load(3);
    EXPECT_EQ(Background::DustLayer1->Hidden(0), 0);
    EXPECT_NE(Background::DustStrips[0]->Hidden(0), 0) << "shown only once all are painted";
    for (int i = 0; i < 40; ++i) {
        Background::Settle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_NE(Background::Scenery->Hidden(0), 0) << "painted only once the dust moves, in play";
    Background::Update();
    for (int i = 0; i < 12000 && Background::Scenery->Hidden(0) != 0; ++i) {
        Background::Settle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The strips and the still layer, drawn as one stack in their place.
    ASSERT_EQ(Background::Scenery->Hidden(0), 0);
    for (const SpriteRef& sprite :
         {Background::DustLayer1, Background::DustLayer2, Background::DustStrips[0],
          Background::DustStrips[1], Background::StillLayer, Background::Nebula, Background::DarkMatter})
        EXPECT_NE(sprite->Hidden(0), 0);
    Background::Planet->Hide();
    for (const SpriteRef& star : Background::Stars)
        star->Hide();
    // White, so that a shift of the dust's soft edges shows in full.
    Background::DustLayer1->SetColor(255, 255, 255);
    Background::DustLayer2->SetColor(255, 255, 255);
    EXPECT_GE(CompareSceneryWithItsLayers(true).size(), 5u);

    // The next wave's start draws the strips themselves until its still layer is painted.
    Background::Load(3);
    EXPECT_NE(Background::Scenery->Hidden(0), 0);
    EXPECT_EQ(Background::DustStrips[0]->Hidden(0), 0);
    EXPECT_EQ(Background::DustStrips[1]->Hidden(0), 0);
    EXPECT_NE(Background::DustLayer1->Hidden(0), 0);
    for (const SpriteRef& sprite : {Background::Nebula, Background::DarkMatter, Background::Planet})
        sprite->Hide();
    for (const SpriteRef& star : Background::Stars)
        star->Hide();
    Background::DustLayer1->SetColor(255, 255, 255);
    Background::DustLayer2->SetColor(255, 255, 255);
    EXPECT_GE(CompareSceneryWithItsLayers(false).size(), 5u);
    ASSERT_TRUE(SettleUntilStill());
    EXPECT_EQ(Background::Scenery->Hidden(0), 0);
    EXPECT_NE(Background::DustStrips[0]->Hidden(0), 0);
}

TEST_F(LevelTest, HeadlessTheSceneryKeepsItsOwnLayersForTheWholeWave) {
    // Headless drawing is counted, not rasterised: nothing to save, and a worker's pace must not
    // decide which sprites show.
    Background::Load(3);
    EXPECT_FALSE(SettleUntilStill(20));
    EXPECT_EQ(Background::Nebula->Hidden(0), 0);
    EXPECT_EQ(Background::DarkMatter->Hidden(0), 0);
    EXPECT_EQ(Background::DustLayer1->Hidden(0), 0);
    EXPECT_NE(Background::DustStrips[0]->Hidden(0), 0);
}

TEST_F(LevelTest, TintsFollowTheIndexAndIndexElevenKeepsThem) {
    Background::Load(9);
    EXPECT_FLOAT_EQ(Background::DustLayer1->R(0), 47);
    EXPECT_FLOAT_EQ(Background::DustLayer1->G(0), 15);
    EXPECT_FLOAT_EQ(Background::DarkMatter->R(0), 141);
    EXPECT_FLOAT_EQ(Background::Nebula->G(0), 30);
    Background::Load(11);
    EXPECT_FLOAT_EQ(Background::DustLayer1->R(0), 47);
    EXPECT_FLOAT_EQ(Background::DustLayer2->G(0), 15);
}

TEST_F(LevelTest, ThePlanetGrowsAndBrightensWaveByWave) {
    Level::LoadLevel(0);
    EXPECT_NEAR(Background::Planet->ScaleX(0), 0.165f, 1e-4f);
    EXPECT_NEAR(Background::Planet->B(0), (63 + 0.25f * (255 - 63)) * 0.25f, 0.01f);
    Level::LoadLevel(4);
    EXPECT_NEAR(Background::Planet->ScaleX(0), 0.66f, 1e-4f);
    EXPECT_NEAR(Background::Planet->R(0), 255, 0.01f);
}

} // namespace

// The scenery: its compositions, and its drift during play (stars by depth, dust layers wrapping).
#include <gtest/gtest.h>

#include <cmath>

#include "level_fixture.h"
#include "sprites/animate.h"

namespace {

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
        if (Background::Stars[i]->Y(0) == -257.5f) {
            ++wrapped;
            continue;
        }
        // 10 units of scroll move a star 5 (farthest) to 30 (nearest) units down.
        EXPECT_GE(moved, 5.0f - 1e-3f) << "star " << i;
        EXPECT_LE(moved, 30.0f + 1e-3f) << "star " << i;
    }
    EXPECT_LT(wrapped, 10);

    // Every star eventually leaves at the bottom and comes back from the top.
    Background::Stars[0]->SetY(269, 0);
    Background::StarDepth[0] = 1;
    Background::SetPosition(0, 20);
    Background::Update();
    EXPECT_FLOAT_EQ(Background::Stars[0]->Y(0), -257.5f);
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
    Background::Load(4); // the title screen: nothing updates it
    EXPECT_EQ(Background::DustLayer1->Y(0), 0);
    EXPECT_EQ(Background::DustLayer2->Y(0), 0);
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

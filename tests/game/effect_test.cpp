// Effects: their size and their life of exactly one animation.
#include <gtest/gtest.h>

#include "level_fixture.h"

namespace {

TEST_F(LevelTest, SizesOfEffects) {
    const struct {
        int Kind;
        float Size, Drawn;
    } cases[] = {
        {Effect::SLIME_GREEN, Effect::SMALL, 0.25f},
        {Effect::EXPLOSION, Effect::LARGE, 2.0f},
        {Effect::SPARK, Effect::SMALL, 0.5f},
    };
    for (const auto& c : cases) {
        Effect::Spawn(c.Kind, c.Size, 10, 20, 0, 0);
        const Effect& effect = *Effect::EffectList().Last();
        EXPECT_FLOAT_EQ(effect.Sprite_->ScaleX(0), c.Drawn);
        EXPECT_FLOAT_EQ(effect.Sprite_->Order(0), 17);
        EXPECT_FLOAT_EQ(effect.Sprite_->X(0), 10);
        EXPECT_FLOAT_EQ(effect.Sprite_->Y(0), 20);
    }
}

TEST_F(LevelTest, AnEffectLivesItsAnimationNeverLess) {
    Effect::Spawn(Effect::EXPLOSION, Effect::MEDIUM, 0, 0, 0, 0);
    int lived = 0;
    while (Effect::EffectList().Count() > 0 && lived < 2000) {
        SetStep(16);
        Sprite::Update();
        lived += 16;
        Effect::Update();
    }
    EXPECT_GE(lived, 500);
    EXPECT_LE(lived, 500 + 2 * 16); // the frame its animation ends in, and the next
}

TEST_F(LevelTest, AnEffectWithoutPictureStillLivesAndIsFreed) {
    Effect::Spawn(Effect::SLIME_PURPLE, Effect::SMALL, 0, 0, 0, 0);
    EXPECT_EQ(Effect::EffectList().Count(), 1);
    for (int t = 0; t < 600; t += 16) {
        Sprite::Update();
        Effect::Update();
    }
    EXPECT_EQ(Effect::EffectList().Count(), 0);
    EXPECT_EXIT(Effect::Spawn(Effect::EFFECTS, 1, 0, 0, 0, 0), testing::ExitedWithCode(1),
                "Error in Effect.Create\\(\\): Invalid effect type!");
}

} // namespace

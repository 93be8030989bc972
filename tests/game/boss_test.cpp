// Bosses: the entry, one phase boundary per frame, the invulnerable windows, the volleys, the death
// sequences with their timing and BOSS2's music fade.
#include <vector>

#include "game/enemy_fixture.h"

namespace {

// A boss that has entered and waited out its 9000 ms, now in its first phase.
EnemyRef FightingBoss(int type) {
    EnemyRef boss = Enemy::Spawn(type, 0, 0, 0);
    int ms = 0;
    while (boss->State_ != 2 && ms < 20000) {
        EnemyTest::Frame();
        ms += 10;
    }
    EXPECT_EQ(boss->State_, 2);
    return boss;
}

TEST_F(EnemyTest, BossEntersInvincibleAndFightsAfterNineSeconds) {
    EnemyRef boss = Enemy::Spawn(Enemy::BOSS1, 0, 0, 0);
    Frame();
    const int entered = GameTime;
    EXPECT_EQ(boss->State_, 1);
    EXPECT_EQ(boss->Invincible_, 1);
    EXPECT_EQ(boss->Sprite_->Hidden(0), 0);
    EXPECT_FLOAT_EQ(boss->Pivot1_->ScaleX(0), 0.66f);
    EXPECT_FLOAT_EQ(boss->Pivot1_->Order(0), 14);
    EXPECT_FLOAT_EQ(boss->Pivot1_->X(0), 0);
    EXPECT_FLOAT_EQ(boss->Pivot1_->Y(0), -250 - 128); // just above the top
    Frames(600);                                      // the descent starts after 3000 ms, takes 3000
    EXPECT_NEAR(boss->Pivot1_->Y(0), -100, 0.01);
    while (GameTime < entered + 8990)
        Frame();
    EXPECT_EQ(boss->State_, 1);
    Frame();
    EXPECT_EQ(boss->State_, 2);
    EXPECT_EQ(boss->Invincible_, 0);
}

// Damage that crosses several thresholds at once passes one per frame; every phase change makes
// the boss invincible, and the next phase neither fires nor takes damage for 3000 ms.
TEST_F(EnemyTest, BossPassesOnePhaseBoundaryPerFrame) {
    struct Case {
        int Type;
        std::vector<int> States; // after each frame once the hit points have dropped to 1
    };
    const Case cases[] = {{Enemy::BOSS1, {3, 4, 5}}, {Enemy::BOSS2, {3, 4, 5, 6, 8}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Type);
        EnemyRef boss = FightingBoss(c.Type);
        boss->HitPoints_ = 0;
        for (const int state : c.States) {
            Frame();
            EXPECT_EQ(boss->State_, state);
            EXPECT_EQ(boss->Invincible_, 1);
        }
        boss->Free();
    }
}

TEST_F(EnemyTest, BossThresholdsAreRealFractions) {
    struct Case {
        int Type, Phase, Stays, Passes; // hit points just at and just below the threshold
    };
    const Case cases[] = {
        {Enemy::BOSS1, 2, 267, 266}, {Enemy::BOSS2, 2, 640, 639}, {Enemy::BOSS2, 5, 160, 159}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Type << " phase " << c.Phase);
        EnemyRef boss = FightingBoss(c.Type);
        boss->State_ = c.Phase;
        boss->HitPoints_ = c.Stays;
        Frame();
        EXPECT_EQ(boss->State_, c.Phase);
        boss->HitPoints_ = c.Passes;
        Frame();
        EXPECT_EQ(boss->State_, c.Phase + 1);
        boss->Free();
    }
}

TEST_F(EnemyTest, BossPhaseWaitsThreeSecondsThenFires) {
    EnemyRef boss = FightingBoss(Enemy::BOSS1);
    Frame();
    EXPECT_EQ(CountBullets(), 4); // the first phase's fan of 4 at once
    boss->HitPoints_ = 266;
    Frame();
    ASSERT_EQ(boss->State_, 3);
    const int changed = GameTime;
    const int bullets = CountBullets();
    while (GameTime < changed + 2990) {
        Frame();
        ASSERT_EQ(boss->Invincible_, 1);
        ASSERT_EQ(CountBullets(), bullets);
    }
    Frame();
    EXPECT_EQ(boss->Invincible_, 0);
    EXPECT_EQ(CountBullets(), bullets + 3); // fan of 3
    Frames(100);
    EXPECT_EQ(CountBullets(), bullets + 3);
    Frame(); // more than 1000 ms after the last volley
    EXPECT_EQ(CountBullets(), bullets + 6);
}

// BOSS2's last phase: one step every 250 ms of a cycle of 19 steps.
TEST_F(EnemyTest, Boss2LastPhaseCycle) {
    EnemyRef boss = FightingBoss(Enemy::BOSS2);
    boss->HitPoints_ = 159;
    Frames(4); // to phase 3, 4, 5 and 6
    ASSERT_EQ(boss->State_, 6);
    EXPECT_EQ(boss->SubState_, 1);
    Frames(300); // past the 3000 ms return
    std::vector<int> volleys;
    int last = CountBullets();
    int lastFire = boss->LastFireTime_;
    while (volleys.size() < 19) {
        Frame();
        if (boss->LastFireTime_ != lastFire) {
            volleys.push_back(CountBullets() - last);
            last = CountBullets();
            lastFire = boss->LastFireTime_;
        }
    }
    // The first step counted is the one after the first (a single fired at the 3000 ms mark).
    const std::vector<int> expected{1, 1, 1, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 12, 0, 0, 0, 1};
    EXPECT_EQ(volleys, expected);
}

// Drives a fighting boss to 0 hit points through its phases; returns the GameTime of the frame
// in which its death begins.
int DeathBegins(const EnemyRef& boss, int dyingState) {
    boss->HitPoints_ = 0;
    while (boss->State_ != dyingState)
        EnemyTest::Frame();
    return GameTime;
}

TEST_F(EnemyTest, BossIsFreedAfterItsDeathSequence) {
    struct Case {
        int Type, DyingState, Time;
    };
    for (const Case c : {Case{Enemy::BOSS1, 5, 6350}, Case{Enemy::BOSS2, 8, 7850}}) {
        SCOPED_TRACE(c.Type);
        EnemyRef boss = FightingBoss(c.Type);
        const int death = DeathBegins(boss, c.DyingState);
        while (GameTime < death + c.Time - 10) {
            Frame();
            ASSERT_TRUE(boss->Linked()) << GameTime - death;
            ASSERT_EQ(boss->Invincible_, 1);
        }
        Frame();
        EXPECT_FALSE(boss->Linked());
    }
}

TEST_F(EnemyTest, Boss2FadesTheMusicAndRestoresItsVolume) {
    Sound::SetMusicVolume(0.8f);
    Sound::PlayMusic("boss.ogg");
    ASSERT_TRUE(Sound::MusicChannel_);
    EnemyRef boss = FightingBoss(Enemy::BOSS2);
    DeathBegins(boss, 8);
    while (boss->State_ != 9)
        Frame();
    const int fading = GameTime;
    while (GameTime < fading + 1250)
        Frame();
    EXPECT_NEAR(Sound::MusicVolume_, 0.4f, 0.02f); // half way
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 1);
    while (boss->State_ == 9)
        Frame();
    EXPECT_EQ(GameTime, fading + 2500);
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.8f);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 0);
    EXPECT_EQ(Background::FlashOverlay->Hidden(0), 0);
}

TEST_F(EnemyTest, Boss1LeavesTheMusicPlaying) {
    Sound::SetMusicVolume(0.8f);
    Sound::PlayMusic("boss.ogg");
    EnemyRef boss = FightingBoss(Enemy::BOSS1);
    DeathBegins(boss, 5);
    while (boss->Linked())
        Frame();
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.8f);
    EXPECT_EQ(Sound::MusicChannel_->Playing(), 1);
}

// Leaving the level while BOSS2's music fades keeps the player's volume setting.
TEST_F(EnemyTest, LeavingDuringTheFadeRestoresTheVolume) {
    Sound::SetMusicVolume(0.8f);
    Sound::PlayMusic("boss.ogg");
    EnemyRef boss = FightingBoss(Enemy::BOSS2);
    DeathBegins(boss, 8);
    while (boss->State_ != 9)
        Frame();
    Frames(100);
    ASSERT_LT(Sound::MusicVolume_, 0.7f);
    Enemy::FreeAll();
    EXPECT_FLOAT_EQ(Sound::MusicVolume_, 0.8f);
}

// The white flash shows from BOSS2's state 10 and only the boss's next step fades it; leaving the
// level (Confirm on the quit panel, game over) or the skip-wave key in that window must not leave
// the overlay over the menus.
TEST_F(EnemyTest, FreeingBoss2MidFlashHidesTheOverlay) {
    for (const int state : {10, 11}) {
        SCOPED_TRACE(state);
        EnemyRef boss = FightingBoss(Enemy::BOSS2);
        DeathBegins(boss, 8);
        while (boss->State_ != state)
            Frame();
        Frames(5);
        ASSERT_EQ(Background::FlashOverlay->Hidden(0), 0);
        if (state == 10)
            Level::Free();
        else
            Enemy::KillAll();
        EXPECT_FALSE(boss->Linked());
        EXPECT_EQ(Background::FlashOverlay->Hidden(0), 1);
        Frames(300); // no fade left running that could show it again
        EXPECT_EQ(Background::FlashOverlay->Hidden(0), 1);
    }
}

// The blow that takes a boss to 0 hit points pays its score; the skip-wave key during the death
// sequence pays nothing more, while a fighting boss it kills is paid once.
TEST_F(EnemyTest, SkipWaveDoesNotPayADyingBossAgain) {
    struct Case {
        int Type;
        bool Dying;
        int64_t Paid;
    };
    for (const Case c : {Case{Enemy::BOSS1, true, 500000}, Case{Enemy::BOSS2, true, 1000000},
                         Case{Enemy::BOSS1, false, 500000}}) {
        SCOPED_TRACE(testing::Message() << c.Type << (c.Dying ? " dying" : " fighting"));
        EnemyRef boss = FightingBoss(c.Type);
        SaveGames::SetScore(0);
        if (c.Dying) {
            boss->HitPoints_ = 1;
            boss->AdjustHealth(-1);
            Frame();
            ASSERT_TRUE(boss->Linked());
        }
        Enemy::KillAll();
        EXPECT_FALSE(boss->Linked());
        Frames(200); // the points fly to the score board
        EXPECT_EQ(SaveGames::Score(), c.Paid);
    }
}

} // namespace

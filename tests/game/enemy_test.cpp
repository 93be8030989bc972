// Enemies: the catalogue against the pictures, spawning, firing, damage and death, the asteroid
// split and the contact test with the ship.
#include <algorithm>
#include <cmath>

#include "game/enemy_fixture.h"
#include "shell/helpers.h"

namespace {

constexpr float PI = 3.14159265358979f;

TEST_F(EnemyTest, EveryPictureHasTheFramesOfItsType) {
    for (int type = 0; type < Enemy::ENEMIES; ++type) {
        const Media::ImageRef& image = Enemy::EnemyImages[size_t(type)];
        ASSERT_TRUE(image) << "type " << type;
        EXPECT_EQ(image->Frames(), Enemy::EnemyFrameCount[size_t(type)]) << "type " << type;
        EXPECT_EQ(image->Width(), Enemy::EnemyFrameSize[size_t(type)]) << "type " << type;
        EXPECT_EQ(image->Height(), Enemy::EnemyFrameSize[size_t(type)]) << "type " << type;
    }
}

TEST_F(EnemyTest, SpawnPlacesAHiddenEnemyAtItsScreenPosition) {
    const int spawned = Enemy::SpawnCount, level = Player::LevelEnemies, total = Player::TotalEnemies;
    EnemyRef enemy = Enemy::Spawn(Enemy::SPIDER, 0, 500, 300);
    EXPECT_EQ(enemy->Pivot1_->Parent(), Playfield);
    EXPECT_FLOAT_EQ(enemy->Pivot1_->X(0), 100);
    EXPECT_FLOAT_EQ(enemy->Pivot1_->Y(0), 50);
    EXPECT_FLOAT_EQ(enemy->Pivot1_->Order(0), 10);
    EXPECT_FLOAT_EQ(enemy->Pivot1_->ScaleX(0), 0.7f);
    EXPECT_EQ(enemy->Sprite_->Hidden(0), 1);
    EXPECT_GE(enemy->NextFireTime_, GameTime + 1000);
    EXPECT_LE(enemy->NextFireTime_, GameTime + 5000);
    EXPECT_EQ(Enemy::SpawnCount, spawned + 1);
    EXPECT_EQ(Player::LevelEnemies, level + 1);
    EXPECT_EQ(Player::TotalEnemies, total + 1);
    EXPECT_EQ(enemy->Boss_, 0);
    EXPECT_EQ(Enemy::Spawn(Enemy::BOSS2, 0, 0, 0)->Boss_, 1);
    EXPECT_EQ(Enemy::Spawn(Enemy::BOSS2, 0, 0, 0)->HitPoints_, 800);
}

TEST_F(EnemyTest, InvalidTypesAreFatal) {
    EXPECT_EXIT(Enemy::Create(31), testing::ExitedWithCode(1),
                "Error in Enemy.Create\\(\\): Invalid enemy type!");
    EXPECT_EXIT(
        {
            EnemyRef enemy = Enemy::Spawn(Enemy::MOTH, 0, 0, 0);
            enemy->Type_ = -1;
            Enemy::UpdateAll();
        },
        testing::ExitedWithCode(1), "Error in Enemy.Update\\(\\): Invalid enemy type!");
}

// The score of a destroyed enemy is doubled by a running BARREL and again by a running SNEAKER.
TEST_F(EnemyTest, DestroyingScoresTimesTheMultiplier) {
    struct Case {
        bool Barrel, Sneaker;
        int Multiplier;
    };
    for (const Case c :
         {Case{false, false, 1}, Case{true, false, 2}, Case{false, true, 2}, Case{true, true, 4}}) {
        SCOPED_TRACE(c.Multiplier);
        Level::Free();
        SaveGames::SetScore(0);
        Powerup::ActivationTimes[Powerup::BARREL] = c.Barrel ? GameTime : 0;
        Powerup::ActivationTimes[Powerup::SNEAKER] = c.Sneaker ? GameTime : 0;
        const int kills = Player::LevelKills, totalKills = Player::TotalKills;
        const int effects = Effect::EffectList().Count();
        EnemyRef mine = StillEnemy(Enemy::MINE, 0, 0); // 3 hit points, 500 points
        mine->AdjustHealth(-1);
        mine->AdjustHealth(-1);
        EXPECT_TRUE(mine->Linked());
        EXPECT_EQ(SaveGames::Score(), 0);
        mine->AdjustHealth(-1);
        EXPECT_FALSE(mine->Linked());
        EXPECT_EQ(Enemy::EnemyList().Count(), 0);
        EXPECT_EQ(SaveGames::Score(), 500 * c.Multiplier);
        EXPECT_TRUE(HasText(FormatThousands(std::to_string(500 * c.Multiplier))));
        // Appended: GCC 12 falsely reports -Wrestrict for "x" + std::string (GCC bug 105651).
        EXPECT_EQ(HasText(std::string("x").append(std::to_string(c.Multiplier))), c.Multiplier > 1);
        EXPECT_EQ(Player::LevelKills, kills + 1);
        EXPECT_EQ(Player::TotalKills, totalKills + 1);
        EXPECT_EQ(Effect::EffectList().Count(), effects + 1); // the explosion
    }
}

// The skip-wave key's Kill pays the plain score and is not counted as destroyed.
TEST_F(EnemyTest, KillPaysThePlainScoreUncounted) {
    Powerup::ActivationTimes[Powerup::BARREL] = GameTime;
    Powerup::ActivationTimes[Powerup::SNEAKER] = GameTime;
    const int kills = Player::LevelKills;
    StillEnemy(Enemy::SLIMEY, -100, 0);      // 500
    StillEnemy(Enemy::LARVAE, 100, 0);       // 100
    StillEnemy(Enemy::ASTEROID_LARGE, 0, 0); // 250, and no split
    Enemy::KillAll();
    EXPECT_EQ(Enemy::EnemyList().Count(), 0);
    EXPECT_EQ(SaveGames::Score(), 850);
    EXPECT_FALSE(HasText("x4"));
    EXPECT_EQ(Player::LevelKills, kills);
}

TEST_F(EnemyTest, LargeAsteroidSplitsIntoTwoHalvesFlyingApart) {
    EnemyRef rock = StillEnemy(Enemy::ASTEROID_LARGE, 50, -20);
    const int spawned = Enemy::SpawnCount, created = Player::LevelEnemies, kills = Player::LevelKills;
    rock->AdjustHealth(-3);
    EXPECT_FALSE(rock->Linked());
    ASSERT_EQ(Enemy::EnemyList().Count(), 2);
    EXPECT_EQ(Enemy::Count(Enemy::ASTEROID_MEDIUM), 2);
    EXPECT_EQ(Enemy::SpawnCount, spawned + 2);
    EXPECT_EQ(Player::LevelEnemies, created + 2);
    EXPECT_EQ(Player::LevelKills, kills + 1);
    Enemy* first = Enemy::EnemyList().First();
    Enemy* second = first->Link_.Next;
    EXPECT_EQ(first->Flags_, -1);
    EXPECT_EQ(second->Flags_, 1);
    for (Enemy* half : {first, second}) {
        EXPECT_NEAR(half->Pivot1_->X(0), 50, 0.01);
        EXPECT_NEAR(half->Pivot1_->Y(0), -20, 0.01);
    }
    Frames(11); // the entry, then 100 ms of flight
    auto heading = [](const Enemy* e) {
        return std::atan2(e->Pivot1_->Y(0) + 20, e->Pivot1_->X(0) - 50) * 180 / PI;
    };
    EXPECT_GE(heading(first), 65); // down and to the right
    EXPECT_LE(heading(first), 75);
    EXPECT_GE(heading(second), 105); // down and to the left
    EXPECT_LE(heading(second), 115);
}

// An asteroid flies 728 units: 3640 ms for a large one, 1820 ms for a medium one, then leaves.
TEST_F(EnemyTest, AsteroidsFlyTheirTimeAndLeave) {
    for (const int type : {Enemy::ASTEROID_LARGE, Enemy::ASTEROID_MEDIUM}) {
        const int flight = type == Enemy::ASTEROID_LARGE ? 3640 : 1820;
        EnemyRef rock = Enemy::Spawn(type, 0, 0, 0);
        Frame(); // the entry; its flight starts with this frame's animation step
        const float startX = rock->Pivot1_->X(0);
        EXPECT_FLOAT_EQ(rock->Pivot1_->Y(0), -250 - rock->Sprite_->Width(0) / 2);
        Frames(flight / 10);
        const float dx = rock->Pivot1_->X(0) - startX,
                    dy = rock->Pivot1_->Y(0) - (-250 - rock->Sprite_->Width(0) / 2);
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 728, 0.1);
        const float heading = std::atan2(dy, dx) * 180 / PI;
        EXPECT_GE(heading, 70);
        EXPECT_LE(heading, 110);
        EXPECT_TRUE(rock->Linked());
        Frame();
        EXPECT_FALSE(rock->Linked());
    }
}

TEST_F(EnemyTest, ABossAtZeroHitPointsStaysAndScoresOnce) {
    EnemyRef boss = StillEnemy(Enemy::BOSS1, 0, -100);
    boss->HitPoints_ = 1;
    const int kills = Player::LevelKills;
    boss->AdjustHealth(-1);
    EXPECT_TRUE(boss->Linked());
    EXPECT_EQ(SaveGames::Score(), 500000);
    boss->AdjustHealth(-3); // a second bullet in the same frame, before the boss turns invincible
    EXPECT_TRUE(boss->Linked());
    EXPECT_EQ(SaveGames::Score(), 500000);
    EXPECT_EQ(Player::LevelKills, kills + 1);
}

TEST_F(EnemyTest, HealingAndDamageOfALiveEnemy) {
    EnemyRef larva = StillEnemy(Enemy::LARVAE, 0, 0);
    larva->AdjustHealth(2);
    EXPECT_EQ(larva->HitPoints_, 5);
    EXPECT_EQ(larva->Sprite_->Animating(Animate::TRANSFORM_FOG), 0); // healing shows nothing
    larva->AdjustHealth(-1);
    EXPECT_EQ(larva->Sprite_->Animating(Animate::TRANSFORM_FOG), 1); // the hit flash
    EXPECT_EQ(CountBullets(), 0);
}

// Milliseconds until the picture's flash has faded, in 10 ms frames.
int FlashTime(const Enemy& enemy) {
    int ms = 0;
    while (enemy.Sprite_->Animating(Animate::TRANSFORM_FOG) && ms < 1000) {
        EnemyTest::Frame();
        ms += 10;
    }
    return ms;
}

// A SLIMEY that has not fired for 900 ms answers a hit with a shot (and the firing flash) instead
// of the hit flash; outside the firing window the shot is lost and nothing flashes.
TEST_F(EnemyTest, SlimeyFiresBackWhenHit) {
    EnemyRef slimey = StillEnemy(Enemy::SLIMEY, 0, 0);
    slimey->LastFireTime_ = GameTime - 900;
    slimey->AdjustHealth(-1);
    EXPECT_EQ(CountBullets(), 1);
    EXPECT_EQ(Bullet::BulletList().First()->Type_, Bullet::SLIME);
    EXPECT_EQ(slimey->LastFireTime_, GameTime);
    EXPECT_EQ(slimey->Sprite_->Animating(Animate::TRANSFORM_Y), 1); // the recoil
    EXPECT_NEAR(FlashTime(*slimey), 380, 10);                       // strength 1: 375 ms

    // Within 900 ms of its shot: the hit flash of strength 2.
    slimey->LastFireTime_ = GameTime - 890;
    slimey->AdjustHealth(-1);
    EXPECT_EQ(CountBullets(), 1);
    EXPECT_NEAR(FlashTime(*slimey), 190, 10); // 187 ms

    EnemyRef outside = StillEnemy(Enemy::SLIMEY, -380, 0);
    outside->AdjustHealth(-1);
    EXPECT_EQ(CountBullets(), 1);
    EXPECT_EQ(outside->Sprite_->Animating(Animate::TRANSFORM_FOG), 0);
    EXPECT_GE(outside->NextFireTime_, GameTime + Enemy::RELOAD_MIN);
    EXPECT_LE(outside->NextFireTime_, GameTime + Enemy::RELOAD_MAX);
}

// An enemy shoots only from inside -368 < x < 368, -268 < y < 268; elsewhere it loses its turn.
TEST_F(EnemyTest, FiringWindow) {
    struct Case {
        float X, Y;
        bool Fires;
    };
    const Case cases[] = {{0, 0, true},    {-367, 0, true},  {367, 267, true}, {-368, 0, false},
                          {368, 0, false}, {0, -268, false}, {0, 268, false},  {0, -267.5f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << ", " << c.Y);
        EnemyRef skeeter = StillEnemy(Enemy::SKEETER, c.X, c.Y);
        const int bullets = CountBullets();
        skeeter->NextFireTime_ = GameTime; // not yet: the clock must have run out
        EXPECT_EQ(skeeter->FireWhenReady(), 0);
        skeeter->NextFireTime_ = GameTime - 1;
        EXPECT_EQ(skeeter->FireWhenReady(), 1);
        EXPECT_EQ(CountBullets(), bullets + (c.Fires ? 1 : 0));
        EXPECT_EQ(skeeter->LastFireTime_, c.Fires ? GameTime : 0);
        EXPECT_GE(skeeter->NextFireTime_, GameTime + 1000);
        EXPECT_LE(skeeter->NextFireTime_, GameTime + 5000);
        skeeter->Free();
    }
}

// Ramming: without a shield the ship explodes; a shield is lost and destroys an ordinary enemy
// without score, but not a boss or an invincible enemy; a fading enemy cannot ram.
TEST_F(EnemyTest, RammingTheShip) {
    struct Case {
        const char* Name;
        int Type;
        int Invincible;
        float Alpha;
        bool Shield;
        bool EnemyDestroyed, ShipExplodes;
    };
    const Case cases[] = {
        {"unshielded", Enemy::SKEETER, 0, 1, false, false, true},
        {"shielded", Enemy::SKEETER, 0, 1, true, true, false},
        {"invincible", Enemy::SKEETER, 1, 1, true, false, true},
        {"boss", Enemy::BOSS1, 0, 1, true, false, true},
        {"fading", Enemy::SKEETER, 0, 0.99f, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Level::Free();
        Player::Ship->Hide();
        EnemyRef enemy = StillEnemy(c.Type, 0, 200);
        enemy->Invincible_ = c.Invincible;
        enemy->Pivot1_->SetAlpha(c.Alpha);
        Player::Ship->Show();
        Player::Invincible = 0;
        Player::Ship->StopAnimating(Animate::TRANSFORM_ALL);
        Player::Ship->SetPosition(0, 200, 0);
        Player::Lives = 3;
        Powerup::DisableAll();
        if (c.Shield) Powerup::ActivationTimes[Powerup::SHIELD] = GameTime;
        const int64_t score = SaveGames::Score();
        enemy->Update();
        EXPECT_EQ(enemy->Linked(), !c.EnemyDestroyed);
        EXPECT_EQ(Player::Lives, c.ShipExplodes ? 2 : 3);
        EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 0);
        EXPECT_EQ(SaveGames::Score(), score);
    }
}

// A teleporter reappears more than 128 units from the ship and from where it was.
TEST_F(EnemyTest, TeleportSpotsKeepTheirDistance) {
    Player::Ship->SetPosition(0, 0, 0);
    struct Case {
        int Type;
        float SwayX, SwayY; // the sways' start values lie this far before the spot
    };
    for (const Case c : {Case{Enemy::SCARDEY, 48, 48}, Case{Enemy::HOPPER2, 24, 24},
                         Case{Enemy::PREDOR, 16, 0}, Case{Enemy::SWAMI, 0, 0}}) {
        SCOPED_TRACE(c.Type);
        EnemyRef enemy = Enemy::Spawn(c.Type, 0, 0, 0);
        float lastX = 0, lastY = 0;
        int appearances = 0;
        for (int ms = 0; ms < 60000 && appearances < 5; ms += 10) {
            GameTime += 10;
            const bool placing = enemy->State_ == 1;
            lastX = enemy->Pivot1_->X(0);
            lastY = enemy->Pivot1_->Y(0);
            enemy->Update();
            if (placing) {
                const float x = enemy->Pivot1_->X(0) + c.SwayX, y = enemy->Pivot1_->Y(0) + c.SwayY;
                EXPECT_GT(x * x + y * y, 16384);
                EXPECT_GT((x - lastX) * (x - lastX) + (y - lastY) * (y - lastY), 16384);
                EXPECT_EQ(enemy->Pivot1_->Alpha(0), 0); // fading in
                ++appearances;
            }
            Sprite::SetTimeStep(10);
            Sprite::Update();
        }
        EXPECT_EQ(appearances, 5);
        enemy->Free();
    }
}

// After each hop an AMEOBA divides with a chance of one in ten, at most twice along its line and
// never while five are alive; the child appears where its parent is and inherits its count.
TEST_F(EnemyTest, AmeobaDivisionRules) {
    EnemyRef ameoba = StillEnemy(Enemy::AMEOBA, 0, 0);
    auto divisionsIn = [&](int trials) {
        int divisions = 0;
        for (int i = 0; i < trials; ++i) {
            ameoba->State_ = 2;
            ameoba->Update();
            if (ameoba->State_ == 4) {
                ++divisions;
                --ameoba->Divisions_;
            }
        }
        return divisions;
    };
    const int chance = divisionsIn(1000);
    EXPECT_GT(chance, 60);
    EXPECT_LT(chance, 140);
    ameoba->Divisions_ = 2;
    EXPECT_EQ(divisionsIn(200), 0);
    ameoba->Divisions_ = 0;
    for (int i = 0; i < 4; ++i)
        StillEnemy(Enemy::AMEOBA, 100, 100);
    EXPECT_EQ(divisionsIn(200), 0); // five alive

    Enemy::EnemyList().Last()->Free();
    ameoba->Divisions_ = 1;
    while (ameoba->State_ != 4) {
        ameoba->State_ = 2;
        ameoba->Update();
    }
    EXPECT_EQ(ameoba->Divisions_, 2);
    ameoba->Pivot1_->SetPosition(-50, 30, 0);
    const int count = Enemy::Count(Enemy::AMEOBA);
    const int divided = GameTime;
    while (GameTime < divided + 990) {
        GameTime += 10;
        ameoba->Update();
    }
    EXPECT_EQ(Enemy::Count(Enemy::AMEOBA), count);
    GameTime += 10;
    ameoba->Update();
    ASSERT_EQ(Enemy::Count(Enemy::AMEOBA), count + 1);
    const Enemy& child = *Enemy::EnemyList().Last();
    EXPECT_EQ(child.Divisions_, 2);
    EXPECT_FLOAT_EQ(child.Pivot1_->X(0), -50);
    EXPECT_FLOAT_EQ(child.Pivot1_->Y(0), 30);
    EXPECT_EQ(child.Sprite_->Hidden(0), 0);
    EXPECT_EQ(child.State_, 3);
    EXPECT_EQ(ameoba->State_, 3);
}

// A ROBOT2 charges once the ship is nearer than 7H (224 for its 64-unit picture), a MINE lunges
// within 5H (160): 800 units straight through the ship with a firing flash, and either is gone
// when that run ends (1500 and 2000 ms), wherever it is. The ship stands in the direction (0.6, 0.8).
TEST_F(EnemyTest, Robot2ChargesWithin7HAndMineLungesWithin5H) {
    struct Case {
        int type;
        float distance;
        bool charges;
        int state, ms; // state and length of the charge
    } cases[] = {
        {Enemy::ROBOT2, 223, true, 4, 1500},
        {Enemy::ROBOT2, 225, false, 1, 0},
        {Enemy::MINE, 159, true, 2, 2000},
        {Enemy::MINE, 161, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " at " << c.distance);
        Enemy::FreeAll();
        EnemyRef enemy = StillEnemy(c.type, 0, 0);
        enemy->Pivot1_->AnimateY(0, 1, 600000); // a slow drift keeps the hunt going
        enemy->SetState(1);
        Player::Ship->SetPosition(0.6f * c.distance, 0.8f * c.distance, 0);
        Frame();
        EXPECT_EQ(enemy->State_, c.state);
        EXPECT_EQ(enemy->Sprite_->Animating(Animate::TRANSFORM_FOG), c.charges ? 1 : 0);
        if (!c.charges) continue;
        int ms = 0;
        float x = 0, y = 0;
        while (enemy->Linked() && ms < 5000) {
            x = enemy->Pivot1_->X(0);
            y = enemy->Pivot1_->Y(0);
            Frame();
            ms += 10;
        }
        EXPECT_FALSE(enemy->Linked());
        EXPECT_GE(ms, c.ms);
        EXPECT_LE(ms, c.ms + 20);
        EXPECT_NEAR(std::atan2(y, x), std::atan2(0.8f, 0.6f), 1e-3f) << "straight through the ship";
        EXPECT_GT(std::sqrt(x * x + y * y), 750) << "nearly 800 units along the charge";
    }
}

// Every ordinary type enters, and the ones that cross or dive leave by themselves in time.
TEST_F(EnemyTest, CrossersLeaveByThemselves) {
    const int crossers[] = {Enemy::MANTIS,       Enemy::CLAMPER,       Enemy::APHID,  Enemy::SCREECHER,
                            Enemy::SLIMEY,       Enemy::EGGPLANT,      Enemy::ROBOT1, Enemy::BOUNCER,
                            Enemy::LADYBUG_LEFT, Enemy::LADYBUG_RIGHT, Enemy::HORNET, Enemy::HOPPER,
                            Enemy::LARVAE,       Enemy::SWIMMER,       Enemy::MOTH,   Enemy::ROBOT3};
    for (const int type : crossers) {
        SCOPED_TRACE(type);
        EnemyRef enemy = Enemy::Spawn(type, 0, 0, 0);
        Frame();
        EXPECT_EQ(enemy->Sprite_->Hidden(0), 0);
        EXPECT_FLOAT_EQ(enemy->Pivot1_->Order(0), 14);
        int ms = 0;
        while (enemy->Linked() && ms < 20000) {
            Frame();
            ms += 10;
        }
        EXPECT_FALSE(enemy->Linked());
    }
    for (const int type : {Enemy::BIRDY, Enemy::SKEETER, Enemy::MENTALIST}) {
        SCOPED_TRACE(type);
        EnemyRef stayer = Enemy::Spawn(type, 0, 0, 0);
        Frames(2000);
        EXPECT_TRUE(stayer->Linked());
        stayer->Free();
    }
}

} // namespace

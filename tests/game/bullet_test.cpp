// Bullets: volleys, invalid kinds, pictures that failed to load, expiry at the screen margin,
// player bullets against enemies and powerups, homing rockets, enemy bullets against the ship.

#include <cmath>

#include "game/ship_fixture.h"
#include "sprites/animate.h"
#include "support/test_files.h"

namespace {

using BulletTest = ShipTest;

std::string ReadLog() {
    return testfiles::ReadText(ShipTest::LogPath());
}

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// [SECTION] Spawning

TEST_F(BulletTest, VolleysLeaveFromTheFiringSpriteWithTheirOffsets) {
    struct Case {
        int kind;
        std::vector<std::pair<float, float>> offsets;
    } cases[] = {
        {Bullet::LASER1, {{0, 0}}},
        {Bullet::LASER2, {{-8, 0}, {8, 0}}},
        {Bullet::LASER3, {{0, 0}, {-16 + 8, -8}, {16 - 8, -8}}}, // the pair starts at its swing's end
        {Bullet::LASER4, {{-8 + 8, 0}, {8 - 8, 0}, {-16, -8}, {16, -8}}},
        {Bullet::EGG, {{0, 0}}}};
    SpriteRef muzzle = Muzzle(100, 50);
    for (const Case& c : cases) {
        Bullet::FreeAll();
        Bullet::Spawn(c.kind, muzzle, Bullet::SOURCE_PLAYER, 0, 0, 0);
        ASSERT_EQ(Bullet::BulletList().Count(), int(c.offsets.size())) << "kind " << c.kind;
        Bullet* b = Bullet::BulletList().First();
        for (const auto& [dx, dy] : c.offsets) {
            EXPECT_FLOAT_EQ(b->Sprite_->X(0), 100 + dx) << "kind " << c.kind;
            EXPECT_FLOAT_EQ(b->Sprite_->Y(0), 50 + dy) << "kind " << c.kind;
            b = b->Link_.Next;
        }
    }
}

TEST_F(BulletTest, FlightsTakeTheirTimeToTheMillisecond) {
    struct Case {
        int kind;
        int flag;
        int ms; // time of the flight animation
    } cases[] = {{Bullet::LASER1, 0, 1213}, {Bullet::LASER3, 0, 1213}, {Bullet::LASER4, 3, 1820},
                 {Bullet::WAVE, 0, 1820},   {Bullet::SLIME, 0, 1456},  {Bullet::BOLT, 0, 2426},
                 {Bullet::EGG, 0, 3000}};
    for (const Case& c : cases) {
        Bullet::FreeAll();
        BulletRef b = Bullet::Create(c.kind, Bullet::SOURCE_ENEMY);
        b->AnimatePosition(0, 0, c.flag, 0, 0);
        Sprite::SetTimeStep(c.ms - 1);
        Sprite::Update(); // the first update starts the clock of each record
        Sprite::Update();
        EXPECT_EQ(b->Sprite_->Animating(Animate::TRANSFORM_POSITION), 1) << "kind " << c.kind;
        Sprite::SetTimeStep(1);
        Sprite::Update();
        EXPECT_EQ(b->Sprite_->Animating(Animate::TRANSFORM_POSITION), 0) << "kind " << c.kind;
    }
}

// Each bullet's heading (x right, y down) and its speed, measured over 100 ms of its flight, and the
// rotation of its picture. A boss aims with angle 0 straight down and positive angles toward −x.
TEST_F(BulletTest, ShotsFlyTheirHeadingsAtTheirSpeeds) {
    const float tilt = 6.125f * 3.14159265f / 180;
    struct Case {
        const char* name;
        int kind, flag;
        float speed, angle;   // the boss's aim
        float dx, dy;         // unit heading
        float unitsPerSecond; // 0: not checked (an accelerating flight)
        float rotation;
    } cases[] = {
        {"LASER1", Bullet::LASER1, 0, 0, 0, 0, -1, 600, 0},
        {"LASER4 left diagonal", Bullet::LASER4, 3, 0, 0, -std::sin(tilt), -std::cos(tilt), 400, -6.125f},
        {"LASER4 right diagonal", Bullet::LASER4, 4, 0, 0, std::sin(tilt), -std::cos(tilt), 400, 6.125f},
        {"BOSS1 straight down", Bullet::BOSS1, 0, 400, 0, 0, 1, 400, 0},
        {"BOSS1 at 30", Bullet::BOSS1, 0, 400, 30, -0.5f, 0.8660254f, 400, 0},
        {"BOSS2 at -45", Bullet::BOSS2, 0, 250, -45, 0.70710678f, 0.70710678f, 250, 0},
        {"BOSS2 at 90", Bullet::BOSS2, 0, 300, 90, -1, 0, 300, 0},
        {"WAVE", Bullet::WAVE, 0, 0, 0, 0, 1, 400, 0},
        {"BOLT", Bullet::BOLT, 0, 0, 0, 0, 1, 300, 0},
        {"SLIME", Bullet::SLIME, 0, 0, 0, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bullet::FreeAll();
        BulletRef b = Bullet::Create(c.kind, Bullet::SOURCE_ENEMY);
        b->AnimatePosition(0, 0, c.flag, c.speed, c.angle);
        Sprite::SetTimeStep(100);
        Sprite::Update(); // starts the flight's clock
        Sprite::Update();
        const float x0 = b->Sprite_->X(0), y0 = b->Sprite_->Y(0);
        Sprite::Update();
        const float dx = b->Sprite_->X(0) - x0, dy = b->Sprite_->Y(0) - y0;
        const float length = std::sqrt(dx * dx + dy * dy);
        ASSERT_GT(length, 0);
        EXPECT_NEAR(dx / length, c.dx, 1e-3f);
        EXPECT_NEAR(dy / length, c.dy, 1e-3f);
        if (c.unitsPerSecond > 0) {
            EXPECT_NEAR(length * 10, c.unitsPerSecond, 1.0f);
        }
        EXPECT_NEAR(b->Sprite_->Rotation(0), c.rotation, 1e-4f);
    }
}

TEST_F(BulletTest, InvalidKindsAndBossFlagsAreFatal) {
    SpriteRef muzzle = Muzzle(0, 0);
    for (int kind : {8, 13, -1, 17}) {
        EXPECT_EXIT(Bullet::Spawn(kind, muzzle, Bullet::SOURCE_ENEMY, 0, 0, 0), testing::ExitedWithCode(1),
                    "Error in Bullet\\.Spawn\\(\\): Invalid bullet type!")
            << kind;
    }
    EXPECT_EXIT(Bullet::Spawn(Bullet::BOSS1, muzzle, Bullet::SOURCE_ENEMY, 1, 400, 0),
                testing::ExitedWithCode(1),
                "Error in Bullet\\.AnimatePosition\\(\\): Invalid flag on BOSS1 bullet type!");
    EXPECT_EXIT(Bullet::Spawn(Bullet::BOSS2, muzzle, Bullet::SOURCE_ENEMY, 2, 400, 0),
                testing::ExitedWithCode(1),
                "Error in Bullet\\.AnimatePosition\\(\\): Invalid flag on BOSS2 bullet type!");
    EXPECT_EXIT(
        {
            BulletRef unnamed = Bullet::Create(10, Bullet::SOURCE_ENEMY);
            unnamed->Sprite_->SetVelocity(0, 100, 1); // still flying, so it reaches the hit tests
            Bullet::Update();
        },
        testing::ExitedWithCode(1), "Error in Bullet\\.Update\\(\\): Invalid bullet type!");
}

TEST_F(BulletTest, AKindWithoutAPictureIsDroppedAtOnceAndLoggedOnce) {
    Bullet::BulletImages[Bullet::LASER2] = nullptr;
    SpriteRef muzzle = Muzzle(0, 0);
    const int sprites = Sprite::SpriteList().Count();
    Bullet::Spawn(Bullet::LASER2, muzzle, Bullet::SOURCE_PLAYER, 0, 0, 0);
    Bullet::Spawn(Bullet::LASER2, muzzle, Bullet::SOURCE_PLAYER, 0, 0, 0);
    Step(16);
    EXPECT_EQ(Bullet::BulletList().Count(), 0);
    EXPECT_EQ(Sprite::SpriteList().Count(), sprites);
    EXPECT_EQ(Occurrences(ReadLog(), "Bullet kind 1 has no picture"), 1);
}

// [SECTION] Expiry

TEST_F(BulletTest, BulletsLeaveAtTheScreenMarginWhichReaches100UnitsBelowTheScreen) {
    // A rocket is 48 × 0.9 = 43.2 units: half is 21.6. Playfield's origin is the screen's (400, 250).
    struct Case {
        float x, y;
        bool kept;
    } cases[] = {{0, 371, true},  {0, 372, false},  {421, 0, true},  {422, 0, false},
                 {-421, 0, true}, {-422, 0, false}, {0, -271, true}, {0, -272, false}};
    for (const Case& c : cases) {
        Bullet::FreeAll();
        BulletRef rocket = Bullet::Create(Bullet::ROCKET, Bullet::SOURCE_PLAYER);
        rocket->AnimatePosition(c.x, c.y, 0, 0, 0);
        Bullet::Update();
        EXPECT_EQ(rocket->Link_.Linked, c.kept) << c.x << ", " << c.y;
    }
}

TEST_F(BulletTest, ABulletWhoseFlightIsOverIsFreed) {
    BulletRef still = Bullet::Create(Bullet::LASER2, Bullet::SOURCE_PLAYER);
    still->AnimatePosition(0, 0, 1, 0, 0); // a LASER2 with a flag other than 0 does not move
    Bullet::Update();
    EXPECT_FALSE(still->Link_.Linked);
    EXPECT_EQ(still->Sprite_, nullptr);
}

// [SECTION] Player bullets against enemies

TEST_F(BulletTest, ABulletStrikesOnlyTheFirstVisibleEnemyInListOrder) {
    struct Case {
        const char* name;
        int kind;
        int type;
        int firstInvincible;
        float firstAlpha;
        int firstLoss, secondLoss;
    } cases[] = {{"laser", Bullet::LASER1, Enemy::BIRDY, 0, 1, 1, 0},
                 {"rocket", Bullet::ROCKET, Enemy::LARVAE, 0, 1, 3, 0},
                 {"invincible first", Bullet::LASER1, Enemy::BIRDY, 1, 1, 0, 0},
                 {"faded first", Bullet::LASER1, Enemy::BIRDY, 0, 0, 0, 1}};
    for (const Case& c : cases) {
        Enemy::FreeAll();
        Bullet::FreeAll();
        EnemyRef first = StillEnemy(c.type, 0, 0);
        EnemyRef second = StillEnemy(c.type, 0, 0);
        first->Invincible_ = c.firstInvincible;
        first->Pivot1_->SetAlpha(c.firstAlpha);
        const int hp = Enemy::EnemyHitPoints[size_t(c.type)];
        const int hits = Player::TotalHits;
        Bullet::Spawn(c.kind, Muzzle(0, 0), Bullet::SOURCE_PLAYER, 0, 0, 0);
        Bullet::Update();
        EXPECT_EQ(first->HitPoints_, hp - c.firstLoss) << c.name;
        EXPECT_EQ(second->HitPoints_, hp - c.secondLoss) << c.name;
        EXPECT_EQ(Bullet::BulletList().Count(), 0) << c.name;
        EXPECT_EQ(Player::TotalHits, hits + 1) << c.name;
    }
}

// [SECTION] Rockets

TEST_F(BulletTest, ARocketTurnsAtMost90DegreesPerSecondAndNeverTowardAnEnemyBehindIt) {
    struct Case {
        const char* name;
        float ex, ey;   // the enemy, relative to the rocket
        float rotation; // after one 16 ms frame
    } cases[] = {{"behind", 0, 150, 0},
                 {"abeam", 150, 0, 0},
                 {"ahead right", 100, -100, 1.44f},
                 {"ahead left", -100, -100, 358.56f},
                 {"straight ahead", 0, -150, 0}};
    for (const Case& c : cases) {
        Enemy::FreeAll();
        Bullet::FreeAll();
        StillEnemy(Enemy::BIRDY, c.ex, c.ey);
        Bullet::Spawn(Bullet::ROCKET, Muzzle(0, 0), Bullet::SOURCE_PLAYER, 0, 0, 0);
        Bullet* rocket = Bullet::BulletList().First();
        Step(16);
        EXPECT_NEAR(rocket->Sprite_->Rotation(0), c.rotation, 1e-3f) << c.name;
        EXPECT_NEAR(rocket->Sprite_->Speed(), 300, 1e-3f) << c.name;
        EXPECT_EQ(rocket->Sprite_->Vx(0) > 0, c.rotation > 0 && c.rotation < 180) << c.name;
    }
}

TEST_F(BulletTest, ARocketPassingItsTargetDoesNotTurnBack) {
    StillEnemy(Enemy::BIRDY, 60, -40);
    Bullet::Spawn(Bullet::ROCKET, Muzzle(0, 0), Bullet::SOURCE_PLAYER, 0, 0, 0);
    Bullet* rocket = Bullet::BulletList().First();
    float rotation = 0;
    for (int i = 0; i < 60 && rocket->Link_.Linked; ++i) {
        Step(16);
        if (!rocket->Link_.Linked) break;
        const float now = rocket->Sprite_->Rotation(0);
        EXPECT_GE(now, rotation - 1e-3f) << "frame " << i << ": turns one way only";
        EXPECT_LT(now, 90) << "frame " << i;
        rotation = now;
    }
}

// [SECTION] Player bullets against powerups

TEST_F(BulletTest, OnlyShotsMoreThan250MsApartCountAndTheFifthBurstsThePowerup) {
    PowerupRef item = Powerup::Create(Powerup::MONEYBAG);
    item->Sprite_->SetPosition(0, 0, 0);
    const int shotTimes[] = {0, 100, 250, 251, 400, 600, 900, 1200};
    const int expectedHits[] = {1, 1, 1, 2, 2, 3, 4, 5};
    const int start = GameTime;
    for (size_t i = 0; i < std::size(shotTimes); ++i) {
        GameTime = start + shotTimes[i];
        Bullet::Spawn(Bullet::LASER1, Muzzle(0, 0), Bullet::SOURCE_PLAYER, 0, 0, 0);
        Bullet::Update();
        EXPECT_EQ(Bullet::BulletList().Count(), 0) << "every touching bullet is used up";
        EXPECT_EQ(item->Hits_, expectedHits[i]) << "shot at " << shotTimes[i] << " ms";
        item->Sprite_->SetPosition(0, 0, 0);
    }
    EXPECT_FALSE(item->Link_.Linked);
    EXPECT_EQ(Effect::EffectList().Count(), 1);
}

TEST_F(BulletTest, ACountedShotStopsAndKicksThePowerupUpward) {
    PowerupRef item = Powerup::Create(Powerup::APPLE);
    item->Sprite_->SetPosition(-50, 0, 0);
    item->Sprite_->SetVelocity(0, 500, 1);
    Bullet::Spawn(Bullet::LASER1, Muzzle(-50, 0), Bullet::SOURCE_PLAYER, 0, 0, 0);
    Bullet::Update();
    EXPECT_NEAR(item->Sprite_->Speed(), 384, 1e-2f);
    EXPECT_LT(item->Sprite_->Vy(0), 0);
    EXPECT_GE(item->Sprite_->Vx(0), 0) << "tilted toward the middle";
}

// [SECTION] Enemy bullets against the ship

TEST_F(BulletTest, EnemyFireHurtsAndAfflictsTheShipButAShieldTakesTheWholeHitInstead) {
    struct Case {
        int kind;
        int health; // after the hit without a shield (3 for a destroyed and respawned ship)
        int lives;  // likewise
        bool slowed, reversed, shaken;
        int bullets; // left flying without a shield
    } cases[] = {
        {Bullet::SLIME, 2, 3, true, false, false, 0},  {Bullet::EGG, 2, 3, true, false, false, 0},
        {Bullet::WAVE, 2, 3, false, true, false, 0},   {Bullet::BOLT, 2, 3, false, false, true, 0},
        {Bullet::BOSS1, 3, 2, false, false, false, 1}, {Bullet::BOSS2, 3, 2, false, false, false, 1}};
    for (const Case& c : cases) {
        for (bool shield : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "kind " << c.kind << (shield ? " with shield" : " without shield"));
            Bullet::FreeAll();
            NewShip();
            Player::Ship->StopAnimating(Animate::TRANSFORM_ALL);
            if (shield) {
                Powerup::ActivationTimes[Powerup::SHIELD] = GameTime;
                Player::ActivateShield();
            }
            Bullet::Spawn(c.kind, Muzzle(0, 236), Bullet::SOURCE_ENEMY, 0, 400, 0);
            Bullet::Update();
            if (shield) {
                EXPECT_EQ(Player::Health, 3);
                EXPECT_EQ(Player::Lives, 3);
                EXPECT_EQ(Player::Shield->Hidden(0), 1);
                EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 0);
                EXPECT_EQ(Bullet::BulletList().Count(), 0);
                EXPECT_EQ(Player::SlowedTime, -65536);
                EXPECT_EQ(Player::ReversedTime, -65536);
                EXPECT_EQ(Player::Ship->Animating(Animate::TRANSFORM_POSITION), 0);
            } else {
                EXPECT_EQ(Player::Health, c.health);
                EXPECT_EQ(Player::Lives, c.lives);
                EXPECT_EQ(Bullet::BulletList().Count(), c.bullets);
                EXPECT_EQ(Player::SlowedTime == GameTime, c.slowed);
                EXPECT_EQ(Player::ReversedTime == GameTime, c.reversed);
                if (c.shaken) {
                    EXPECT_EQ(Player::Ship->Animating(Animate::TRANSFORM_POSITION), 1);
                }
            }
        }
    }
}

} // namespace

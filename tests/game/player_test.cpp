// The ship: firing cadence, steering and its afflictions, edges, the fly-in and its
// invulnerability, lives and health.
#include <cmath>

#include "game/ship_fixture.h"
#include "sprites/animate.h"

namespace {

using PlayerTest = ShipTest;

// [SECTION] Firing

// FireHeld is the left button, Space, the pad's A or its right trigger (shell/controls.h).
TEST_F(PlayerTest, HeldButtonFiresAtOnceThenEvery350MsAndAgainAtOnceOnANewPress) {
    Player::LevelShots = 0;
    FireHeld = 1;
    Step(10);
    EXPECT_EQ(Player::LevelShots, 1);
    for (int t = 10; t < 350; t += 10)
        Step(10); // 350 ms after the first volley
    EXPECT_EQ(Player::LevelShots, 1);
    Step(10);
    EXPECT_EQ(Player::LevelShots, 2);
    FireHeld = 0;
    Step(10);
    FireHeld = 1;
    Step(10);
    EXPECT_EQ(Player::LevelShots, 3);
}

TEST_F(PlayerTest, EachWeaponLevelFiresItsVolley) {
    struct Case {
        int weapon, bullets;
    } cases[] = {{Player::WEAPON_LASER1, 1}, {Player::WEAPON_LASER2, 2}, {Player::WEAPON_LASER3, 3},
                 {Player::WEAPON_LASER4, 4}, {Player::WEAPON_ROCKET, 1}, {7, 0}};
    for (const Case& c : cases) {
        Bullet::FreeAll();
        const int shots = Player::TotalShots;
        Player::Fire(c.weapon);
        EXPECT_EQ(Bullet::BulletList().Count(), c.bullets) << "weapon " << c.weapon;
        EXPECT_EQ(Player::TotalShots, shots + 1) << "every call counts as a shot";
    }
}

TEST_F(PlayerTest, BarrelFiresLaser4Every125MsWithoutTheButtonAndRocketsComeOnTop) {
    Powerup::ActivationTimes[Powerup::BARREL] = GameTime;
    Powerup::ActivationTimes[Powerup::ROCKET] = GameTime;
    int lasers = 0, rockets = 0;
    for (int i = 0; i < 70; ++i) { // 700 ms
        Bullet::FreeAll();
        Step(10);
        lasers += CountBullets(Bullet::LASER4);
        rockets += CountBullets(Bullet::ROCKET);
    }
    EXPECT_EQ(lasers, 4 * 6); // volleys at 10, 140, 270, 400, 530, 660 ms
    EXPECT_EQ(rockets, 2);    // at 10 and 370 ms
}

// [SECTION] Steering

// The ship's horizontal speed after one frame of mouse movement `dx` under the affliction.
struct Control {
    const char* name;
    bool slowed, reversed;
    float factorX, factorY; // of the unafflicted speed
};

TEST_F(PlayerTest, SlowedAndReversedControlsScaleTheFirstFrameOfSteering) {
    const Control cases[] = {{"none", false, false, 1, 1},
                             {"reversed", false, true, -1, 1},
                             {"slowed", true, false, 0.1f, 0.1f},
                             {"both", true, true, -0.1f, 0.1f}};
    for (const Control& c : cases) {
        NewShip();
        Player::Ship->SetPosition(0, 0, 0);
        Player::SlowedTime = c.slowed ? GameTime + 16 : -65536;
        Player::ReversedTime = c.reversed ? GameTime + 16 : -65536;
        PointerDX = 10;
        PointerDY = 10;
        Step(16);
        // The target speed is 10 × 0.33 / 0.016 = 206.25 units per second, reached by √(0.016 / 0.5).
        const float expected = 206.25f * std::sqrt(0.016f / 0.5f);
        EXPECT_NEAR(Player::ShipVx, expected * c.factorX, 0.01f) << c.name;
        EXPECT_NEAR(Player::ShipVy, expected * c.factorY, 0.01f) << c.name;
        EXPECT_NEAR(Player::Ship->X(0), Player::ShipVx * 0.016f, 1e-3f) << c.name;
    }
}

TEST_F(PlayerTest, AfflictionsWearOffAfterOneSecond) {
    Player::Ship->SetPosition(0, 0, 0);
    Player::SlowedTime = GameTime;
    Player::ReversedTime = GameTime;
    for (int i = 0; i < 62; ++i)
        Step(16); // 992 ms: both still on
    PointerDX = 10;
    Step(16); // 1008 ms: both over
    EXPECT_GT(Player::ShipVx, 0) << "no longer reversed";
    EXPECT_NEAR(Player::ShipVx, 206.25f * std::sqrt(0.032f), 0.01f) << "no longer slowed";
}

TEST_F(PlayerTest, AnEdgeStopsTheShipWhileItStaysBanked) {
    Player::Ship->SetPosition(380, 0, 0);
    PointerDX = 30;
    for (int i = 0; i < 30; ++i)
        Step(16);
    EXPECT_EQ(Player::Ship->X(0), 389) << "int(400 − 64 × 0.66 / 4)";
    EXPECT_EQ(Player::ShipVx, 0);
    EXPECT_GT(Player::BankVx, 0);
    EXPECT_GT(Player::Ship->Frame(0), 7) << "banked toward the push";
    Player::Ship->SetPosition(0, -300, 0);
    PointerDX = 0;
    Step(16);
    EXPECT_EQ(Player::Ship->Y(0), -239);
}

// The bank follows BankVx: frame (fx + 1) / 2 × 15 with fx = BankVx / 500 held to −1 … 1 (full bank
// 15 is drawn as the last frame, 14), for the ship and its flame; the flame slides 4 units against
// the bank; the bubble squashes against the direction of travel.
TEST_F(PlayerTest, BankingPicksTheFrameMovesTheFlameAndSquashesTheShield) {
    struct Case {
        float bankVx, bankVy;
        float frame, drawnFrame, flameX, shieldX, shieldY;
    } cases[] = {
        {0, 0, 7.5f, 7.5f, 0.5f, 1, 1},
        {-500, 0, 0, 0, 4.5f, 0.8f, 1.2f},
        {-2000, 0, 0, 0, 4.5f, 0.8f, 1.2f},
        {250, 0, 11.25f, 11.25f, -1.5f, 0.9f, 1.1f},
        {1000, 0, 15, 14, -3.5f, 0.8f, 1.2f},
        {0, -500, 7.5f, 7.5f, 0.5f, 1.2f, 0.8f},
        {250, 500, 11.25f, 11.25f, -1.5f, 1.1f, 0.9f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bank " << c.bankVx << ", " << c.bankVy);
        Player::Ship->SetPosition(0, 0, 0);
        // Steering toward the velocity it already has keeps it.
        Player::ShipVx = Player::BankVx = c.bankVx;
        Player::ShipVy = Player::BankVy = c.bankVy;
        PointerDX = c.bankVx * 0.016f / 0.33f;
        PointerDY = c.bankVy * 0.016f / 0.33f;
        Step(16);
        EXPECT_NEAR(Player::Ship->Frame(0), c.frame, 1e-3f);
        EXPECT_NEAR(Player::Ship->Frame(1), c.drawnFrame, 1e-3f);
        EXPECT_NEAR(Player::Flame->Frame(0), c.frame, 1e-3f);
        EXPECT_NEAR(Player::Flame->X(0), c.flameX, 1e-3f);
        EXPECT_NEAR(Player::Shield->ScaleX(0), c.shieldX, 1e-3f);
        EXPECT_NEAR(Player::Shield->ScaleY(0), c.shieldY, 1e-3f);
    }
}

// The flame grows with the climb: flames1/2 moving down (faster than 100 units per second),
// flames2/3 cruising, flames3/4 climbing, the larger one every other 150 ms.
TEST_F(PlayerTest, TheFlameFlickersBetweenTwoSizesThatGrowWithTheClimb) {
    struct Case {
        float vy;
        int flames; // the smaller of the pair, 1 … 3
    } cases[] = {{400, 1}, {150, 1}, {50, 2}, {0, 2}, {-50, 2}, {-150, 3}, {-400, 3}};
    for (const Case& c : cases) {
        for (int larger = 0; larger <= 1; ++larger) {
            SCOPED_TRACE(testing::Message() << "vy " << c.vy << (larger ? ", larger" : ", smaller"));
            Player::Ship->SetPosition(0, 0, 0);
            Player::ShipVy = Player::BankVy = c.vy;
            Player::ShipVx = Player::BankVx = 0;
            PointerDX = 0;
            PointerDY = c.vy * 0.016f / 0.33f;
            // The step lands on an even (smaller) or odd (larger) count of 150 ms.
            GameTime = 300 * 400 + 150 * larger - 16;
            Step(16);
            EXPECT_EQ(Player::Flame->Image(), Player::FlameImages[size_t(c.flames - 1 + larger)]);
        }
    }
}

// [SECTION] Fly-in and invulnerability

TEST_F(PlayerTest, FlyInRisesInOneSecondAndTheShipCannotBeHitUntilTheBlinkingEnds) {
    SpriteRef target = Sprite::Create(Bullet::BulletImages[Bullet::SLIME], 8, Playfield);
    Player::Respawn();
    PointerDX = 20; // ignored while flying in
    int elapsed = 0;
    bool blinked = false;
    while (Player::Invincible == 1 && elapsed < 5000) {
        target->SetPosition(Player::Ship->X(0), Player::Ship->Y(0), 0);
        EXPECT_EQ(Player::Overlaps(target), 0) << "at " << elapsed << " ms";
        blinked = blinked || Player::Ship->Hidden(0) == 1;
        Step(10);
        elapsed += 10;
        if (elapsed == 1010) {
            EXPECT_EQ(Player::Ship->X(0), 0) << "no steering during the rise";
            EXPECT_EQ(Player::Ship->Y(0), 236);
            PointerDX = 0;
        }
    }
    EXPECT_TRUE(blinked);
    // 51 blink steps; each waits until GameTime has passed its 50 ms mark, so with 10 ms frames
    // the first comes at once and the others 60 ms apart.
    EXPECT_EQ(elapsed, 10 + 50 * 60);
    EXPECT_EQ(Player::Ship->Hidden(0), 0) << "ends visible";
    target->SetPosition(Player::Ship->X(0), Player::Ship->Y(0), 0);
    EXPECT_EQ(Player::Overlaps(target), 1);
}

TEST_F(PlayerTest, OnlyTheSmallBoxAboutTheCentreCanBeHit) {
    SpriteRef target = Sprite::Create(Bullet::BulletImages[Bullet::BOSS1], 8, Playfield);
    target->SetScale(0.1f); // about 6 units across
    struct Case {
        float dx, dy;
        int hit;
    } cases[] = {{0, 0, 1}, {0, 8, 1}, {-18, 0, 0}, {18, 0, 0}, {0, -14, 0}, {0, 22, 0}};
    for (const Case& c : cases) {
        target->SetPosition(Player::Ship->X(0) + c.dx, Player::Ship->Y(0) + c.dy, 0);
        EXPECT_EQ(Player::Overlaps(target), c.hit) << c.dx << ", " << c.dy;
    }
    EXPECT_EQ(Player::Overlaps(nullptr), 0);
}

// [SECTION] Lives and health

TEST_F(PlayerTest, TheShieldTakesExactlyOneHitOfAnyStrength) {
    Player::Health = 1;
    Powerup::ActivationTimes[Powerup::SHIELD] = GameTime;
    Player::ActivateShield();
    Player::AdjustHealth(-3);
    EXPECT_EQ(Player::Health, 1);
    EXPECT_EQ(Player::Lives, 3);
    EXPECT_EQ(Player::Shield->Hidden(0), 1);
    EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 0);
    Player::AdjustHealth(-1);
    EXPECT_EQ(Player::Lives, 2) << "the second hit destroys the ship";
    EXPECT_EQ(Player::Invincible, 1) << "and the next one flies in";
}

TEST_F(PlayerTest, ExplodingEndsThePowerupsAndTheShieldAndResetsTheWeapon) {
    Player::Weapon = Player::WEAPON_LASER3;
    Powerup::ActivationTimes[Powerup::SHIELD] = GameTime;
    Powerup::ActivationTimes[Powerup::BARREL] = GameTime;
    Player::ActivateShield();
    Player::Explode();
    EXPECT_EQ(Player::Weapon, Player::WEAPON_LASER1);
    EXPECT_EQ(Powerup::Active(Powerup::BARREL), 0);
    EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 0);
    EXPECT_EQ(Player::Shield->Hidden(0), 1);
    EXPECT_EQ(Player::Lives, 2);
    EXPECT_EQ(Player::Health, Player::DEFAULT_HEALTH);
    EXPECT_EQ(Effect::EffectList().Count(), 1);
}

TEST_F(PlayerTest, LosingTheLastLifeLeavesTheShipHiddenAndTheLevelLost) {
    Player::Lives = 1;
    Level::SetState(0);
    Player::Explode();
    EXPECT_EQ(Player::Lives, 0);
    EXPECT_EQ(Player::Ship->Hidden(0), 1);
    EXPECT_EQ(Level::State, 4);
    FireHeld = 1;
    const int shots = Player::TotalShots;
    Step(16);
    EXPECT_EQ(Player::TotalShots, shots) << "a destroyed ship does nothing";
    Player::Explode();
    EXPECT_EQ(Player::Lives, 0) << "never below 0";
}

} // namespace

// Powerups: activation times, drop weights and the barrel rule, gem showers, collection and its
// effects, falling out and the indicator above the screen.
#include <array>
#include <cmath>

#include "game/ship_fixture.h"
#include "save/save_games.h"
#include "shell/gameplay_hooks.h"

namespace {

using PowerupTest = ShipTest;

// How often each kind is chosen in `draws` SpawnRandom calls that always drop. A gem shower
// counts once, under GEM1 (its gems are drawn anew).
std::array<int, Powerup::POWERUPS> DropCounts(int groups, int draws) {
    std::array<int, Powerup::POWERUPS> counts{};
    for (int i = 0; i < draws; ++i) {
        Powerup::SpawnRandom(400, 250, groups, 1);
        const int kind = Powerup::PowerupList().First()->Type_;
        ++counts[size_t(kind >= Powerup::GEM1 && kind <= Powerup::GEM3 ? Powerup::GEM1 : kind)];
        Powerup::FreeAll();
    }
    return counts;
}

// [SECTION] Activation

TEST_F(PowerupTest, TimedKindsRunFor7Or11SecondsAndTheOthersUntilSwitchedOff) {
    struct Case {
        int kind;
        int elapsed;
        int active;
    } cases[] = {{Powerup::ROCKET, 6999, 1},  {Powerup::ROCKET, 7000, 0},   {Powerup::BARREL, 6999, 1},
                 {Powerup::BARREL, 7000, 0},  {Powerup::SNEAKER, 10999, 1}, {Powerup::SNEAKER, 11000, 0},
                 {Powerup::SHIELD, 90000, 1}, {Powerup::GEM2, 90000, 1},    {-1, 0, 0},
                 {Powerup::POWERUPS, 0, 0}};
    const int now = GameTime;
    for (const Case& c : cases) {
        Powerup::DisableAll();
        if (c.kind >= 0 && c.kind < Powerup::POWERUPS)
            Powerup::ActivationTimes[size_t(c.kind)] = now - c.elapsed;
        EXPECT_EQ(Powerup::Active(c.kind), c.active) << "kind " << c.kind << " after " << c.elapsed << " ms";
    }
    Powerup::ActivationTimes.fill(now);
    Powerup::DisableTimed();
    EXPECT_EQ(Powerup::Active(Powerup::ROCKET) + Powerup::Active(Powerup::BARREL) +
                  Powerup::Active(Powerup::SNEAKER),
              0);
    EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 1);
}

TEST_F(PowerupTest, TheSneakerDrivesTheSpeedHook) {
    EXPECT_FALSE(SpeedPowerupActive());
    Powerup::ActivationTimes[Powerup::SNEAKER] = GameTime;
    EXPECT_TRUE(SpeedPowerupActive());
}

// [SECTION] Drops

TEST_F(PowerupTest, GroupsPickTheirKindsByWeight) {
    struct Case {
        const char* name;
        int groups, lives, health;
        std::array<float, Powerup::POWERUPS> share; // expected fraction of drops per kind, gems as GEM1
    } cases[] = {
        {"nothing", 0, 3, 3, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"food at full health", 2, 3, 3, {0.25f, 0.75f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        // Food × 2 at health 2 and × 3 at health 1, against treasure: gems 0.33 each, money bag
        // 0.333, extra life 0.01.
        {"food and treasure at health 2",
         3,
         3,
         2,
         {0.125f, 0.375f, 0.125f, 0, 0, 0.3713f, 0, 0, 0, 0.0038f, 0, 0}},
        {"food and treasure at health 1", 3, 3, 1, {0.15f, 0.45f, 0.1f, 0, 0, 0.297f, 0, 0, 0, 0.003f, 0, 0}},
        {"treasure", 1, 3, 3, {0, 0, 0.25f, 0, 0, 0.7425f, 0, 0, 0, 0.0075f, 0, 0}},
        // 0.05 barrel, 0.2 for each of the other four
        {"equipment", 4, 3, 3, {0, 0, 0, 0.2353f, 0.0588f, 0, 0, 0, 0.2353f, 0, 0.2353f, 0.2353f}},
    };
    for (const Case& c : cases) {
        Player::Lives = c.lives;
        Player::Health = c.health;
        const int draws = 4000;
        const auto counts = DropCounts(c.groups, draws);
        for (int kind = 0; kind < Powerup::POWERUPS; ++kind) {
            const float share = float(counts[size_t(kind)]) / float(draws);
            EXPECT_NEAR(share, c.share[size_t(kind)], 0.03f) << c.name << ", kind " << kind;
        }
    }
}

// Equipment: barrel, rockets and mug grow × 2 from 10 live enemies, × 8 from 15 and × 48 from 25;
// the shield's and the speed-up's weights halve while the bubble is up or the speed-up runs.
TEST_F(PowerupTest, EquipmentGrowsWithTheFieldAndHalvesWhatIsAlreadyRunning) {
    struct Case {
        int enemies;
        bool shield, sneaker;
        float barrel, rocket, shieldWeight, sneakerWeight, mug;
    } cases[] = {
        {9, false, false, 0.05f, 0.2f, 0.2f, 0.2f, 0.2f}, {10, false, false, 0.1f, 0.4f, 0.2f, 0.2f, 0.4f},
        {14, false, false, 0.1f, 0.4f, 0.2f, 0.2f, 0.4f}, {15, false, false, 0.4f, 1.6f, 0.2f, 0.2f, 1.6f},
        {25, false, false, 2.4f, 9.6f, 0.2f, 0.2f, 9.6f}, {0, true, false, 0.05f, 0.2f, 0.1f, 0.2f, 0.2f},
        {0, false, true, 0.05f, 0.2f, 0.2f, 0.1f, 0.2f},  {0, true, true, 0.05f, 0.2f, 0.1f, 0.1f, 0.2f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.enemies << " enemies, shield " << c.shield << ", sneaker " << c.sneaker);
        Enemy::FreeAll();
        for (int i = 0; i < c.enemies; ++i)
            StillEnemy(Enemy::BIRDY, 0, 0);
        if (c.shield)
            Player::Shield->Show();
        else
            Player::Shield->Hide();
        Powerup::ActivationTimes[Powerup::SNEAKER] = c.sneaker ? GameTime : 0;
        const float sum = c.barrel + c.rocket + c.shieldWeight + c.sneakerWeight + c.mug;
        const int draws = 4000;
        const auto counts = DropCounts(4, draws);
        const struct {
            int kind;
            float weight;
        } kinds[] = {{Powerup::BARREL, c.barrel},
                     {Powerup::ROCKET, c.rocket},
                     {Powerup::SHIELD, c.shieldWeight},
                     {Powerup::SNEAKER, c.sneakerWeight},
                     {Powerup::MUG, c.mug}};
        for (const auto& k : kinds) {
            const float expected = k.weight / sum;
            // Three standard deviations of the drawn share.
            const float tolerance = 3 * std::sqrt(expected * (1 - expected) / float(draws)) + 0.002f;
            EXPECT_NEAR(float(counts[size_t(k.kind)]) / float(draws), expected, tolerance)
                << "kind " << k.kind;
        }
    }
}

TEST_F(PowerupTest, TheRareExtraLifeBecomesLikelierWithFewLives) {
    Player::Lives = 1; // × 2 below 3 lives, × 4 more below 2: 0.08 of 1.4033
    const auto counts = DropCounts(1, 4000);
    EXPECT_NEAR(float(counts[Powerup::EXTRALIFE]) / 4000.0f, 0.08f / 1.4033f, 0.012f);
    Player::Lives = 3;
    const auto fewer = DropCounts(1, 4000);
    EXPECT_LT(fewer[Powerup::EXTRALIFE], counts[Powerup::EXTRALIFE]);
}

TEST_F(PowerupTest, NoBarrelDropsWithin12SecondsOfTheLastNorWhileOneIsOnScreen) {
    struct Case {
        const char* name;
        int sinceLastBarrel; // ms
        bool barrelOnScreen;
        bool barrelsExpected;
    } cases[] = {{"11999 ms after one", 11999, false, false},
                 {"12000 ms after one", 12000, false, true},
                 {"one on screen", 100000, true, false}};
    for (const Case& c : cases) {
        Powerup::FreeAll();
        Powerup::ActivationTimes[Powerup::BARREL] = GameTime - c.sinceLastBarrel;
        int barrels = 0;
        for (int i = 0; i < 1000; ++i) {
            PowerupRef onScreen = c.barrelOnScreen ? Powerup::Create(Powerup::BARREL) : nullptr;
            Powerup::SpawnRandom(400, 250, 4, 1);
            for (Powerup* p = Powerup::PowerupList().First(); p; p = p->Link_.Next)
                barrels += (p->Type_ == Powerup::BARREL && p != onScreen.get()) ? 1 : 0;
            Powerup::FreeAll();
        }
        EXPECT_EQ(barrels > 0, c.barrelsExpected) << c.name << ": " << barrels;
    }
}

TEST_F(PowerupTest, AGemDropIsAShowerOfOneToThreeRandomGems) {
    int sizes[4] = {};
    bool kinds[Powerup::POWERUPS] = {};
    for (int i = 0; i < 300; ++i) {
        const int released = Player::LevelPowerups;
        Powerup::Spawn(Powerup::GEM1, 400, 250);
        const int n = Powerup::PowerupList().Count();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 3);
        ++sizes[n];
        EXPECT_EQ(Player::LevelPowerups, released + n);
        for (Powerup* p = Powerup::PowerupList().First(); p; p = p->Link_.Next)
            kinds[p->Type_] = true;
        Powerup::FreeAll();
    }
    EXPECT_GT(sizes[1] * sizes[2] * sizes[3], 0);
    EXPECT_TRUE(kinds[Powerup::GEM1] && kinds[Powerup::GEM2] && kinds[Powerup::GEM3]);
    for (int kind : {0, 1, 2, 3, 4, 8, 9, 10, 11})
        EXPECT_FALSE(kinds[kind]) << kind;
}

TEST_F(PowerupTest, AThrownItemRisesTowardTheMiddleAtScreenPosition) {
    Powerup::Spawn(Powerup::APPLE, 700, 100);
    Powerup* p = Powerup::PowerupList().First();
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->Sprite_->X(0), 300);
    EXPECT_FLOAT_EQ(p->Sprite_->Y(0), -150);
    EXPECT_FLOAT_EQ(p->Sprite_->ScaleX(0), 0.9f);
    EXPECT_NEAR(p->Sprite_->Speed(), 384, 1e-2f);
    EXPECT_LE(p->Sprite_->Vx(0), 0);
    EXPECT_EQ(p->Sprite_->Name(), "Powerup");
}

// [SECTION] Collection

TEST_F(PowerupTest, CollectingAppliesTheKindAndScoresWithTheMultiplier) {
    struct Case {
        int kind;
        int hits;
        int points;
    } cases[] = {{Powerup::MONEYBAG, 0, 1000},  {Powerup::MONEYBAG, 4, 5000}, {Powerup::APPLE, 1, 100},
                 {Powerup::EXTRALIFE, 0, 1000}, {Powerup::SHIELD, 0, 250},    {Powerup::MUG, 0, 250}};
    for (const Case& c : cases) {
        NewShip();
        Player::Health = 1;
        SaveGames::SetScore(0);
        const int collected = Player::TotalCollected;
        PowerupRef item = Powerup::Create(c.kind);
        item->Hits_ = c.hits;
        item->Sprite_->SetPosition(Player::Ship->X(0), Player::Ship->Y(0), 0);
        Powerup::UpdateAll();
        EXPECT_FALSE(item->Link_.Linked) << "kind " << c.kind;
        EXPECT_EQ(SaveGames::Score(), c.points) << "kind " << c.kind;
        EXPECT_EQ(Player::TotalCollected, collected + 1);
        EXPECT_EQ(Powerup::ActivationTimes[size_t(c.kind)], GameTime);
    }
    EXPECT_EQ(Player::Health, 1);
    EXPECT_EQ(Player::Weapon, Player::WEAPON_LASER2);
}

TEST_F(PowerupTest, FruitHealsAndExtraLivesAndWeaponsStopAtTheirMaximum) {
    struct Case {
        int kind;
        int health, lives, weapon; // before
        int healthAfter, livesAfter, weaponAfter;
    } cases[] = {{Powerup::WATERMELON, 1, 3, 0, 3, 3, 0}, {Powerup::APPLE, 1, 3, 0, 2, 3, 0},
                 {Powerup::APPLE, 3, 3, 0, 3, 3, 0},      {Powerup::EXTRALIFE, 3, 4, 0, 3, 5, 0},
                 {Powerup::EXTRALIFE, 3, 5, 0, 3, 5, 0},  {Powerup::MUG, 3, 3, 2, 3, 3, 3},
                 {Powerup::MUG, 3, 3, 3, 3, 3, 3}};
    for (const Case& c : cases) {
        NewShip();
        Player::Health = c.health;
        Player::Lives = c.lives;
        Player::Weapon = c.weapon;
        PowerupRef item = Powerup::Create(c.kind);
        item->Sprite_->SetPosition(Player::Ship->X(0), Player::Ship->Y(0), 0);
        Powerup::UpdateAll();
        EXPECT_EQ(Player::Health, c.healthAfter) << "kind " << c.kind;
        EXPECT_EQ(Player::Lives, c.livesAfter) << "kind " << c.kind;
        EXPECT_EQ(Player::Weapon, c.weaponAfter) << "kind " << c.kind;
        if (c.kind == Powerup::MUG) {
            EXPECT_EQ(Powerup::PowerupSounds[Powerup::MUG], Powerup::MugSounds[size_t(c.weapon)]);
        }
    }
}

TEST_F(PowerupTest, TheShieldPowerupShowsTheBubbleUntilItAbsorbsAHit) {
    PowerupRef item = Powerup::Create(Powerup::SHIELD);
    item->Sprite_->SetPosition(Player::Ship->X(0), Player::Ship->Y(0), 0);
    Powerup::UpdateAll();
    EXPECT_EQ(Player::Shield->Hidden(0), 0);
    GameTime += 1000000;
    EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 1);
    Player::AdjustHealth(-1);
    EXPECT_EQ(Player::Health, 3);
    EXPECT_EQ(Powerup::Active(Powerup::SHIELD), 0);
}

TEST_F(PowerupTest, ADestroyedShipCollectsNothing) {
    Player::Lives = 1;
    Player::Explode();
    PowerupRef item = Powerup::Create(Powerup::EXTRALIFE);
    item->Sprite_->SetPosition(Player::Ship->X(0), Player::Ship->Y(0), 0);
    Powerup::UpdateAll();
    EXPECT_TRUE(item->Link_.Linked);
    EXPECT_EQ(Player::Lives, 0);
}

// [SECTION] Falling and the indicator

TEST_F(PowerupTest, AnItemAboveTheScreenShowsItsIndicatorAndOneBelowItIsFreed) {
    PowerupRef item = Powerup::Create(Powerup::GEM1);
    item->Sprite_->SetPosition(-100, -320, 0);
    Powerup::UpdateAll();
    EXPECT_EQ(item->Indicator_->Hidden(0), 0);
    EXPECT_FLOAT_EQ(item->Indicator_->X(0), -100);
    EXPECT_FLOAT_EQ(item->Indicator_->Y(0), -250 + item->Indicator_->Height(0) / 2);
    item->Sprite_->SetPosition(-100, 0, 0);
    Powerup::UpdateAll();
    EXPECT_EQ(item->Indicator_->Hidden(0), 1);
    item->Sprite_->SetPosition(-100, 251 + item->Sprite_->Height(0), 0);
    Powerup::UpdateAll();
    EXPECT_FALSE(item->Link_.Linked);
}

TEST_F(PowerupTest, GravityPullsAnItemDown384UnitsPerSecondSquared) {
    PowerupRef item = Powerup::Create(Powerup::APPLE);
    item->Sprite_->SetPosition(-100, 0, 0);
    for (int i = 0; i < 10; ++i)
        Step(100);
    EXPECT_NEAR(item->Sprite_->Vy(0), 384, 1e-2f);
}

} // namespace

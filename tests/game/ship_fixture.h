#pragma once
// The play scene on the headless back end with the generated game data: fonts and the gameplay
// classes loaded as at start-up, a new game's ship values, and a frame step that runs only the
// parts the ship tests need (enemies stand still unless a test moves them).
#include <gtest/gtest.h>

#include <string>

#include "flow/load_resources.h"
#include "game/background.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "presentation/font.h"
#include "shell/controls.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "sprites/sprite.h"
#include "support/headless_start.h"

class ShipTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::StartHeadless(QS_DATA_ROOT, LogPath());
        ASSERT_TRUE(Media::OpenWindowGraphics());
        // The game's drawing defaults: pictures have their handle at the frame centre.
        Media::SetAutoMidHandle(true);
        Media::SetDefaultImageFlags(Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE);
        Media::SeedRandom(7);
        Sprite::ResetEngine();
        GameTime = 100000; // well past the start, so a barrel may drop and timers are positive
        LoadGameplay();
        NewShip();
    }

    void TearDown() override {
        Bullet::FreeAll();
        Powerup::FreeAll();
        Enemy::FreeAll();
        Effect::FreeAll();
        Sprite::ResetEngine();
        Media::Shutdown();
    }

public:
    static std::string LogPath() { return std::string(testing::TempDir()) + "ship_test_log.txt"; }

    static void LoadGameplay() {
        LoadFonts();
        Background::Init();
        Level::Init();
        // Only the enemy pictures the tests use: the bosses' large sheets would slow every test.
        for (int type : {Enemy::BIRDY, Enemy::LARVAE}) {
            Enemy::EnemyImages[size_t(type)] =
                LoadGameAnimImage("gfx\\enemies\\bug" + std::to_string(type) + ".png", 64, 64, 0, 16, -1, 0);
        }
        Player::Init();
        Bullet::Init();
        Effect::Init();
        Powerup::Init();
        ScoreBoard::Init();
    }

    // The new-game values, and a ship already flown in and steerable at (0, 236).
    static void NewShip() {
        Player::Invincible = 0;
        Player::Lives = Player::DEFAULT_LIVES;
        Player::Health = Player::DEFAULT_HEALTH;
        Player::Weapon = Player::WEAPON_LASER1;
        Player::SlowedTime = Player::ReversedTime = -65536;
        Player::ShipVx = Player::ShipVy = Player::BankVx = Player::BankVy = 0;
        Powerup::DisableAll();
        Player::Shield->Hide();
        Player::Ship->Show();
        Player::Ship->SetPosition(0, 236, 0);
        Player::Ship->SetFrame(7);
        Player::NextFireTime = Player::NextRocketTime = 0;
        PointerDX = PointerDY = 0;
        FireHeld = 0;
    }

    // One frame of `ms`: the clock, then the ship, bullets and powerups as Level::Update orders
    // them, then the sprite engine.
    static void Step(int ms = 16) {
        GameTime += ms;
        DeltaTime = ms;
        DeltaSeconds = float(ms) / 1000.0f;
        Sprite::SetTimeStep(ms);
        Powerup::UpdateAll();
        Player::Update();
        Bullet::Update();
        Sprite::Update();
    }

    // An enemy of `type` standing still with its picture centre at playfield (x, y).
    static EnemyRef StillEnemy(int type, float x, float y) {
        EnemyRef enemy = Enemy::Spawn(type, 0, x + 400, y + 250);
        enemy->Sprite_->Show();
        return enemy;
    }

    // An image-less sprite at playfield (x, y) to fire from.
    static SpriteRef Muzzle(float x, float y) {
        SpriteRef muzzle = Sprite::Create(nullptr, 0, Playfield);
        muzzle->SetPosition(x, y, 0);
        return muzzle;
    }

    static int CountBullets(int kind) {
        int n = 0;
        for (Bullet* b = Bullet::BulletList().First(); b; b = b->Link_.Next)
            n += b->Type_ == kind ? 1 : 0;
        return n;
    }
};

#pragma once
// Enemies on the headless back end with the generated game data: the fonts and the gameplay
// classes loaded as at start-up, the ship hidden (so nothing rams it unless a test shows it), and
// a frame step that runs the enemies and the sprite engine only (bullets fly but never hit).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/load_resources.h"
#include "game/background.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "game/points.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "presentation/font.h"
#include "save/save_games.h"
#include "shell/frame_clock.h"
#include "sprites/animate.h"
#include "sprites/sprite.h"

class EnemyTest : public testing::Test {
protected:
    void SetUp() override {
        Media::Options options;
        options.Headless = true;
        options.DataRoot = QS_DATA_ROOT;
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
        ASSERT_TRUE(Media::OpenWindowGraphics());
        Media::SetAutoMidHandle(true); // as the game sets it up: pictures hang by their centres
        Media::SeedRandom(7);
        Sprite::ResetEngine();
        GameTime = 100000; // timers well past the start
        LoadFonts();
        InitGameplay();
        Powerup::DisableAll();
        Player::Invincible = 0;
        Player::Lives = Player::DEFAULT_LIVES;
        Player::Health = Player::DEFAULT_HEALTH;
        Player::Ship->SetPosition(0, 236, 0);
        SaveGames::SetScore(0);
    }

    void TearDown() override {
        Level::Free();
        Sprite::ResetEngine();
        Media::Shutdown();
    }

public:
    // One frame of `ms`: the clock, the enemies, then the sprite engine.
    static void Frame(int ms = 10) {
        GameTime += ms;
        DeltaTime = ms;
        DeltaSeconds = float(ms) / 1000.0f;
        Enemy::UpdateAll();
        Sprite::SetTimeStep(ms);
        Sprite::Update();
    }

    static void Frames(int count, int ms = 10) {
        for (int i = 0; i < count; ++i)
            Frame(ms);
    }

    // A state no type lists: its behaviour does nothing there, so the enemy stays put.
    static constexpr int PARKED = 99;

    // An enemy that has made its entry, then was stopped and parked with its root at playfield
    // (x, y).
    static EnemyRef StillEnemy(int type, float x, float y) {
        EnemyRef enemy = Enemy::Spawn(type, 0, 0, 0);
        Frame();
        enemy->Pivot1_->StopAnimating(Animate::TRANSFORM_ALL);
        enemy->Pivot1_->SetPosition(x, y, 0);
        enemy->State_ = PARKED;
        return enemy;
    }

    static int CountBullets() { return Bullet::BulletList().Count(); }

    // The strings of every transient text on screen, spelled back from their letters' frames.
    static std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (Sprite* pivot = Sprite::SpriteList().First(); pivot; pivot = pivot->Link_.Next) {
            if (pivot->Name() != "text") continue;
            std::string text;
            for (Sprite* letter = Sprite::SpriteList().First(); letter; letter = letter->Link_.Next) {
                if (letter->Parent().get() != pivot) continue;
                const int frame = int(letter->Frame(0));
                const std::u32string& set = Font1->CharacterSet();
                if (frame >= 0 && size_t(frame) < set.size() && set[size_t(frame)] < 128)
                    text += char(set[size_t(frame)]);
            }
            texts.push_back(text);
        }
        return texts;
    }

    static bool HasText(const std::string& text) {
        for (const std::string& t : Texts())
            if (t == text) return true;
        return false;
    }
};

#include "game/level.h"

#include <algorithm>
#include <string>
#include <utility>

#include "game/background.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level_file.h"
#include "game/player.h"
#include "game/points.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "presentation/font.h"
#include "presentation/text.h"
#include "shell/frame_clock.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr float SCROLL_SPEED = 24.0f; // playfield units per second of play

int LiveEnemies() {
    return Enemy::EnemyList().Count();
}

bool IsAsteroid(int type) {
    return type == Enemy::ASTEROID_LARGE || type == Enemy::ASTEROID_MEDIUM;
}

bool IsBossWave() {
    return (Level::ThisLevel() == 5 || Level::ThisLevel() == 11) && Level::ThisWave() == 5;
}

// The wave's enemy list; a missing or corrupt file ends the game.
std::vector<int> ReadEnemyTypes(int level, int wave) {
    const std::string path = "data\\level" + std::to_string(level) + ".dat";
    LevelWave read = ReadLevelWave(path, wave, Enemy::ENEMIES - 1);
    switch (read.Result) {
    case LevelWave::Status::Ok:
        break;
    case LevelWave::Status::NotFound:
        FatalError("Error: Enemy data file not found!  Please reinstall the game.");
    case LevelWave::Status::BadCode:
        // Whoever edits a level file needs to find the mistake; the player sees the usual message.
        Media::DebugLog("Level.LoadLevel(): " + path + " line " + std::to_string(read.BadLine) +
                        ": enemy code " + std::to_string(read.BadValue) + " is not a type from 0 to " +
                        std::to_string(Enemy::ENEMIES - 1));
        [[fallthrough]];
    case LevelWave::Status::Corrupt:
        FatalError("Error: Enemy data file corrupt!  Please reinstall the game.");
    }
    return std::move(read.Codes);
}

// The planet grows and takes truer colours wave by wave: t runs from 0.25 on wave 1 to 1 on
// wave 5; on levels 1 to 10 its colour blends the dust tint toward white by t and dims it by t.
void TintPlanet(int level, float w) {
    const float t = Animate::TweenExponential(0.25f, 1, w, 2);
    const SpriteRef& planet = Background::Planet;
    if (level == Level::Levels) {
        planet->SetColor(255, 255, 255);
    } else {
        const SpriteRef& dust = Background::DustLayer1;
        planet->SetColor(Animate::TweenLinear(dust->R(0), 255, t) * t,
                         Animate::TweenLinear(dust->G(0), 255, t) * t,
                         Animate::TweenLinear(dust->B(0), 255, t) * t);
    }
    planet->SetScale(0.66f * t);
}

void UpdateSpawning() {
    const int now = GameTime;
    if (now > Level::NextSpawnTime && LiveEnemies() < Level::MaxEnemies) {
        Level::NextSpawnTime =
            now + Media::RandomInt(250, int(Animate::TweenLinear(2000, 1000, Level::Success())));
        Enemy::Spawn(Level::SelectEnemy(), 0, 0, 0);
    }
    if (now > Level::NextBurstTime) {
        Level::BurstCount =
            int(float(int(Animate::TweenLinear(5, 15, Level::Success()))) * Media::RandomFloat(1, 2));
        Level::BurstType = Level::SelectEnemy();
        if (IsAsteroid(Level::BurstType)) Level::BurstCount *= 3;
        Level::SetState(1);
    }
    if (Enemy::SpawnCount > Level::Quota) Level::SetState(IsBossWave() ? 7 : 2);
}

int NextBurstType(int type) {
    if (type == Enemy::LADYBUG_LEFT) return Enemy::LADYBUG_RIGHT;
    if (type == Enemy::LADYBUG_RIGHT) return Enemy::LADYBUG_LEFT;
    if (IsAsteroid(type) && Media::RandomInt(0, 1) == 1)
        return type == Enemy::ASTEROID_LARGE ? Enemy::ASTEROID_MEDIUM : Enemy::ASTEROID_LARGE;
    return type;
}

void UpdateBurst() {
    const int now = GameTime;
    if (Level::BurstCount <= 0 || LiveEnemies() >= Level::MaxEnemies) {
        const float success = Level::Success();
        Level::NextBurstTime = now + 1000 * Media::RandomInt(int(Animate::TweenLinear(60, 20, success)),
                                                             int(Animate::TweenLinear(30, 10, success)));
        Level::SetState(0);
    } else if (now > Level::NextBurstSpawnTime) {
        Level::BurstType = NextBurstType(Level::BurstType);
        Enemy::Spawn(Level::BurstType, 0, 0, 0);
        Level::BurstCount -= 1;
        Level::NextBurstSpawnTime = now + (IsAsteroid(Level::BurstType) ? Media::RandomInt(150, 300) : 250);
    }
}

void StartLevelComplete() {
    const SpriteRef& planet = Background::Planet;
    planet->AnimateScale(planet->ScaleX(0), 0, 250, Animate::HIDE + Animate::EXPONENTIAL);
    const SpriteRef& banner = Background::LevelCompleteBanner;
    banner->SetPosition(400, 250, 0);
    banner->AnimateScale(0, 0.4f, 250, Animate::SHOW + Animate::EASE_IN, 250);
    banner->AnimateAlpha(1, 1, 2000, Animate::HIDE, 250);
    Powerup::DisableTimed();
    Level::SetState(3);
}

void UpdateClearing() {
    if (LiveEnemies() > 0) return;
    if (Level::ThisWave() < Level::WavesPerLevel) {
        Level::LoadNext();
    } else if (Powerup::PowerupList().Count() == 0) {
        StartLevelComplete();
    }
}

void StartGameOver() {
    Sound::StopMusic();
    const SpriteRef& banner = Background::GameOverBanner;
    banner->Show();
    banner->SetPosition(400, 250, 0);
    banner->SetScale(0.4f);
    banner->AnimateColor(0, 0, 0, 255, 255, 255, 2000);
    banner->AnimateAlpha(0, 1, 2000);
    Level::GameOverSound->Play(1.0f, 1.0f, 0);
    Level::SetState(6);
}

void StartBossFight() {
    if (LiveEnemies() > 0) return;
    Sound::PlayMusic("boss.ogg");
    Enemy::Spawn(Level::ThisLevel() == 5 ? Enemy::BOSS1 : Enemy::BOSS2, 0, 0, 0);
    const SpriteRef& banner = Background::WarningBanner;
    banner->SetPosition(400, 250, 0);
    banner->SetScale(0.4f);
    for (int blink = 0; blink < 4; ++blink)
        banner->AnimateAlpha(1, 1, 500, Animate::SHOW + Animate::HIDE, 1000 * blink);
    Level::SetState(8);
}

} // namespace

Level::Difficulty Level::DifficultyOf(int stage) {
    const float w = Animate::InverseTween(1, float(WavesPerLevel), float(stage % WavesPerLevel + 1));
    const float l = Animate::InverseTween(1, float(Levels), float(stage / WavesPerLevel + 1));
    return {int(100 * l + (50 + 50 * w)), int((5 + 15 * l) + 10 * w)};
}

void Level::Init() {
    GameOverSound = Sound::Load("gameover.wav", 0, 0);
}

void Level::LoadNext() {
    if (Stage >= Stages - 1)
        FatalError("Error in Level.LoadNext(): Attempted to load level beyond final level!");
    LoadLevel(Stage + 1);
}

int Level::LoadLevel(int stage) {
    if (stage < 0 || stage >= Stages) FatalError("Error in Level.LoadLevel(): Invalid stage!");
    Stage = stage;
    ScrollY = 0;
    Enemy::SpawnCount = 0;
    const int level = ThisLevel(), wave = ThisWave();
    if (wave == 1) {
        Player::LevelEnemies = Player::LevelKills = Player::LevelPowerups = 0;
        Player::LevelCollected = Player::LevelShots = Player::LevelHits = 0;
    }

    const Difficulty difficulty = DifficultyOf(stage);
    Quota = difficulty.Quota;
    MaxEnemies = difficulty.MaxEnemies;
    EnemyTypes = ReadEnemyTypes(level, wave);

    Background::Load(level - 1);
    // The next wave's scenery decodes on the worker while this wave plays.
    if (stage + 1 < Stages) Media::PrefetchPixmaps(Background::PicturePaths((stage + 1) / WavesPerLevel));
    TintPlanet(level, Animate::InverseTween(1, float(WavesPerLevel), float(wave)));

    SpawnText("Level " + std::to_string(level), 0, 0, 5);
    SpawnText("Wave " + std::to_string(wave), 0, 0, 6);
    if (wave == 1) Sound::PlayMusic("level" + std::to_string(level) + ".ogg");

    NextSpawnTime = GameTime + 3000;
    NextBurstTime = GameTime + Media::RandomInt(10000, 20000);
    ScoreBoard::Show();
    SetState(0);
    return 1;
}

void Level::Update() {
    Enemy::UpdateAll();
    Powerup::UpdateAll();
    Player::Update();
    Bullet::Update();
    Effect::Update();
    ScoreBoard::Update();
    Background::Update();

    ScrollY += SCROLL_SPEED * DeltaSeconds;
    Background::SetPosition(0, ScrollY);

    switch (State) {
    case 0:
        UpdateSpawning();
        break;
    case 1:
        UpdateBurst();
        break;
    case 2:
        UpdateClearing();
        break;
    case 3:
        if (TimePassed(2000)) StateSystem::Show(STATE_LEVEL_STATS);
        break;
    case 4:
        if (TimePassed(1500)) SetState(5);
        break;
    case 5:
        StartGameOver();
        break;
    case 6:
        if (TimePassed(7000)) {
            Background::GameOverBanner->Hide();
            StateSystem::Show(STATE_FINAL_STATS);
        }
        break;
    case 7:
        StartBossFight();
        break;
    case 8:
        if (LiveEnemies() == 0) {
            if (ThisLevel() == Levels) Player::GameCompleted = 1;
            SetState(2);
        }
        break;
    default:
        FatalError("ERROR: Invalid level state!");
    }
}

int Level::SelectEnemy() {
    if (EnemyTypes.empty()) FatalError("Error in Level.SelectEnemy(): No enemy types loaded!");
    int type = EnemyTypes[size_t(Media::RandomInt(0, int(EnemyTypes.size()) - 1))];
    if (type == Enemy::LADYBUG_LEFT && Media::RandomInt(0, 1) == 1) type = Enemy::LADYBUG_RIGHT;
    return type;
}

void Level::Free() {
    Enemy::FreeAll();
    Powerup::FreeAll();
    Bullet::FreeAll();
    Effect::FreeAll();
    Sprite::FreeByName("text");
    Points::FreeAll();
}

void Level::SpawnText(const std::string& text, float x, float y, int style) {
    if (style < 0 || style > 7) FatalError("Error in Level.SpawnText(): Invalid text style!");
    const FontRef& font = style <= 2 ? Font1 : style <= 4 ? Font2 : Font3;
    font->Set();
    TextRef made = Text::Create(text, x, y, 20, nullptr, Text::CENTRE);
    const SpriteRef& sprite = made->Pivot;
    sprite->SetName("text");
    const float playfieldY = Background::Playfield->Y(1);
    switch (style) {
    case 0: {
        const SpriteRef& target = ScoreBoard::ScoreText->Pivot;
        sprite->AnimatePosition(x, y, target->X(1), target->Y(1), 1000, Animate::FREE + Animate::EASE_IN);
        break;
    }
    case 1:
        Animate::SetExponent(3.5f);
        sprite->AnimateScale(0, 1.5f, 500, Animate::EASE_OUT);
        Animate::SetExponent(8);
        sprite->AnimateAlpha(1, 0, 500, Animate::FREE + Animate::EXPONENTIAL);
        break;
    case 2:
        Animate::SetExponent(8);
        sprite->AnimateAlpha(1, 0, 500, Animate::FREE + Animate::EXPONENTIAL);
        break;
    case 3:
        sprite->SetScale(0.66f);
        sprite->AnimateY(y, y - 150, 1000);
        Animate::SetExponent(8);
        sprite->AnimateAlpha(1, 0, 1000, Animate::FREE + Animate::EXPONENTIAL);
        break;
    case 4:
        break;
    case 5:
        sprite->SetScale(0.5f);
        sprite->SetY(playfieldY - 12, 0);
        sprite->AnimateX(-256, 400, 500, Animate::EASE_OUT);
        sprite->AnimateX(400, 1056, 500, Animate::FREE + Animate::EASE_IN, 1500);
        break;
    case 6:
        sprite->SetScale(0.33f);
        sprite->SetY(playfieldY + 12, 0);
        sprite->AnimateX(1056, 400, 500, Animate::EASE_OUT);
        sprite->AnimateX(400, -256, 500, Animate::FREE + Animate::EASE_IN, 1500);
        break;
    case 7:
        sprite->SetPosition(400, 250, 0);
        sprite->AnimateScale(0, 0.5f, 250, Animate::EXPONENTIAL);
        sprite->AnimateAlpha(1, 1, 2000, Animate::FREE);
        break;
    }
}

void Level::SpawnPoints(int64_t points, float x, float y, int mode) {
    SpawnText(ScoreBoard::FormatScore(points), x, y, mode);
    if (mode == 0)
        ScoreBoard::AdjustScore(points, 1000);
    else if (mode == 1)
        ScoreBoard::AdjustScore(points, 0);
}

void Level::ShakeSprite(const SpriteRef& sprite, float amplitude, int attack, int sustain, int decay,
                        int step) {
    if (!sprite || step <= 0) return;
    const int a = attack / step, s = sustain / step, d = decay / step;
    const int n = a + s + d;
    if (n < 1) return;
    const float startX = sprite->X(0), startY = sprite->Y(0);
    float px = startX, py = startY;
    for (int i = 0; i <= n - 2; ++i) {
        float envelope = 1;
        if (i < a)
            envelope = float(i) / float(a);
        else if (i >= a + s)
            envelope = 1 - float(i - (a + s)) / float(n - (a + s));
        const float reach = amplitude * envelope;
        const float qx = startX + Media::RandomFloat(-reach, reach);
        const float qy = startY + Media::RandomFloat(-reach, reach);
        sprite->AnimatePosition(px, py, qx, qy, step, 0, i * step);
        px = qx;
        py = qy;
    }
    sprite->AnimatePosition(px, py, startX, startY, step, 0, (n - 1) * step);
}

void Level::Slam(const SpriteRef& sprite, float strength) {
    // A non-positive strength would make the shake endless or undefined; it shakes nothing.
    if (!sprite || !(strength > 0)) return;
    if (sprite->Animating(Animate::TRANSFORM_POSITION) != 0) return;
    // Bounded so that a very weak slam still converts to a whole number of milliseconds.
    auto ms = [strength](float base) { return int(std::min(base / strength, 60000.0f)); };
    ShakeSprite(sprite, 8, ms(0), ms(150), ms(50), 20);
}

void Level::SetState(int state) {
    State = state;
    LastStateChangeTime = GameTime;
}

int Level::TimePassed(int ms) {
    return GameTime >= LastStateChangeTime + ms ? 1 : 0;
}

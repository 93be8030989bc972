#include "game/enemy.h"

#include <string>

#include "game/background.h"
#include "game/boss.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/frame_clock.h"
#include "shell/gameplay_hooks.h"
#include "shell/load_helpers.h"
#include "sprites/animate.h"

//            SPIDER BIRDY MANTIS CLAMPER APHID SCREECHER SLIMEY EGGPLANT SKEETER ROBOT1 SCARDEY
//            AMEOBA BOUNCER ROBOT2 LADYBUG_L LADYBUG_R HORNET MINE MENTALIST PREDOR HOPPER LARVAE
//            SWIMMER MOTH HOPPER2 SWAMI ROBOT3 AST_LARGE AST_MEDIUM BOSS1 BOSS2
const std::array<int, Enemy::ENEMIES> Enemy::EnemyFrameSize = {64, 64, 64, 64, 64, 64, 64, 64,  64, 64, 64,
                                                               64, 64, 64, 64, 64, 64, 64, 64,  64, 64, 64,
                                                               64, 64, 64, 64, 64, 64, 32, 256, 384};
const std::array<int, Enemy::ENEMIES> Enemy::EnemyFrameCount = {16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,
                                                                16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,
                                                                16, 16, 16, 16, 16, 64, 64, 16, 16};
const std::array<int, Enemy::ENEMIES> Enemy::EnemyFrameTime = {
    500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500,  500, 500, 500, 500,
    500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 1000, 500, 500, 500};
const std::array<int, Enemy::ENEMIES> Enemy::EnemyFrameFlags = {
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 1, 3, 3};
const std::array<float, Enemy::ENEMIES> Enemy::EnemySpeed = {
    256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256,
    256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 256, 200, 400, 256, 256};
const std::array<int, Enemy::ENEMIES> Enemy::EnemyBulletKind = {
    7, 16, 7, 12, 7, 7, 7, 5, 7, 12, 7, 7, 7, 12, 7, 7, 7, 12, 5, 7, 7, 7, 5, 5, 5, 5, 12, 7, 7, 6, 9};
const std::array<int, Enemy::ENEMIES> Enemy::EnemyHitPoints = {
    1, 2, 1, 2, 2, 1, 3, 2, 1, 2, 1, 3, 2, 2, 1, 1, 1, 3, 2, 2, 1, 3, 3, 2, 1, 3, 3, 3, 1, 400, 800};
const std::array<int, Enemy::ENEMIES> Enemy::EnemyScore = {
    100, 100, 100, 100, 100, 100, 500, 100, 100, 100, 100, 250, 100, 200,    250,    250,
    100, 500, 250, 500, 250, 100, 300, 250, 100, 300, 300, 250, 500, 500000, 1000000};

namespace {

IntrusiveList<Enemy> List;
// Types whose missing picture has been logged once.
std::array<bool, Enemy::ENEMIES> MissingPictureLogged{};

// The centre of the picture in Playfield space (TFormedX/Y hold it afterwards).
void PictureInPlayfield(const Enemy& enemy, float x, float y) {
    Sprite::TFormPoint(x, y, enemy.Sprite_.get(), Playfield.get());
}

} // namespace

IntrusiveList<Enemy>& Enemy::EnemyList() {
    return List;
}

void Enemy::Init() {
    for (int type = 0; type < ENEMIES; ++type) {
        const int size = EnemyFrameSize[size_t(type)];
        EnemyImages[size_t(type)] = LoadGameAnimImage("gfx\\enemies\\bug" + std::to_string(type) + ".png",
                                                      size, size, 0, EnemyFrameCount[size_t(type)], -1, 1);
    }
    DivideSound = Sound::Load("enemy_divide.wav", 0, 0);
    Boss1CrySound = Sound::Load("boss1_cry.wav", 0, 0);
    Boss2CrySound = Sound::Load("boss2_cry.wav", 0, 0);
    BossExplodeSound = Sound::Load("bossexplode.wav", 0, 0);
    ShockwaveImage = LoadGameImage("gfx\\effects\\shockwave2.png", -1, 1);
    FadePivot = Sprite::Create(nullptr, 0, nullptr);
    EnemiesOnScreen = [] { return List.Count(); };
}

EnemyRef Enemy::Create(int type) {
    if (!ValidType(type)) FatalError("Error in Enemy.Create(): Invalid enemy type!");
    EnemyRef enemy = std::make_shared<Enemy>(ConstructionKey());
    enemy->Type_ = type;
    enemy->Pivot1_ = Sprite::Create(nullptr, 0, nullptr);
    enemy->Pivot2_ = Sprite::Create(nullptr, 1, enemy->Pivot1_);
    enemy->Sprite_ = Sprite::Create(EnemyImages[size_t(type)], 1, enemy->Pivot2_);
    enemy->Self_ = enemy;
    List.PushBack(*enemy);
    enemy->Pivot1_->SetFlags(enemy->Pivot1_->Flags() | Sprite::NO_INHERIT_ROTATION);
    enemy->Pivot2_->SetFlags(enemy->Pivot2_->Flags() | Sprite::NO_INHERIT_ROTATION);
    enemy->Boss_ = (type == BOSS1 || type == BOSS2) ? 1 : 0;
    enemy->HitPoints_ = EnemyHitPoints[size_t(type)];
    ++SpawnCount;
    ++Player::LevelEnemies;
    ++Player::TotalEnemies;
    return enemy;
}

EnemyRef Enemy::Spawn(int type, int flags, float x, float y) {
    EnemyRef enemy = Create(type);
    enemy->AnimateFrames(0);
    Sprite& root = *enemy->Pivot1_;
    root.SetPosition(x, y, 0);
    root.SetParent(Playfield, 1);
    root.SetOrder(10);
    root.SetScale(DEFAULT_SCALE);
    enemy->Sprite_->Hide();
    enemy->NextFireTime_ = GameTime + Media::RandomInt(RELOAD_MIN, RELOAD_MAX);
    enemy->Flags_ = flags;
    // Without a picture an enemy can never be hit, and one that waits to be shot would hold its
    // wave forever; it still counts towards the quota, so the wave ends.
    if (!EnemyImages[size_t(type)]) {
        if (!MissingPictureLogged[size_t(type)]) {
            MissingPictureLogged[size_t(type)] = true;
            Media::DebugLog("Enemy type " + std::to_string(type) +
                            " has no picture; its enemies are dropped.");
        }
        enemy->Free();
    }
    return enemy;
}

void Enemy::UpdateAll() {
    // Update keeps the enemy alive to the end of its turn, even when it frees itself.
    for (IntrusiveList<Enemy>::Pass pass(List); Enemy* enemy = pass.Next();)
        enemy->Update();
}

int Enemy::Count(int type) {
    int count = 0;
    for (Enemy* enemy = List.First(); enemy; enemy = enemy->Link_.Next)
        if (enemy->Type_ == type) ++count;
    return count;
}

void Enemy::KillAll() {
    // Kill spawns nothing that joins the list, so the pass ends.
    for (IntrusiveList<Enemy>::Pass pass(List); Enemy* enemy = pass.Next();)
        enemy->Kill();
}

void Enemy::FreeAll() {
    while (Enemy* enemy = List.First())
        enemy->Free();
}

void Enemy::AnimateFrames(float phase) {
    if (!Linked()) return;
    const size_t type = size_t(Type_);
    Sprite_->AnimateFrame(0, float(EnemyFrameCount[type]), EnemyFrameTime[type], EnemyFrameFlags[type], 0,
                          int(float(EnemyFrameTime[type]) * phase));
}

void Enemy::Free() {
    if (!Linked()) return;
    if (Boss_) Boss::Release(*this);
    List.Remove(*this);
    if (Pivot1_->Linked()) Pivot1_->Free();
    const EnemyRef self = std::move(Self_); // `this` may end with this scope
}

void Enemy::Kill() {
    if (!Linked()) return;
    const EnemyRef keep = Self_;
    SpawnExplosion(0);
    const float x = Sprite_->X(1), y = Sprite_->Y(1);
    Powerup::SpawnRandom(x, y, 3, 5);
    // A dying boss was paid by the blow that took its hit points to 0.
    if (!(Boss_ && HitPoints_ <= 0)) Level::SpawnPoints(EnemyScore[size_t(Type_)], x, y, 0);
    Free();
}

void Enemy::Flash(float strength) {
    if (!Linked()) return;
    Sprite_->SetFogColor(255, 255, 255);
    Sprite_->AnimateFog(1.0f, 0.0f, int(375.0f / strength), Animate::EASE_IN);
}

int Enemy::FireWhenReady() {
    if (!Linked() || GameTime <= NextFireTime_) return 0;
    PictureInPlayfield(*this, 0, 0);
    const float x = Sprite::TFormedX(), y = Sprite::TFormedY();
    if (x > -368 && x < 368 && y > -268 && y < 268) {
        Bullet::Spawn(EnemyBulletKind[size_t(Type_)], Sprite_, Bullet::SOURCE_ENEMY, 0, 0, 0);
        Flash(1.0f);
        Sprite_->AnimateY(0, -48, 300, Animate::EASE_OUT);
        Sprite_->AnimateY(-48, 24, 300, Animate::COSINE, 300);
        Sprite_->AnimateY(24, -12, 300, Animate::COSINE, 600);
        LastFireTime_ = GameTime;
    }
    NextFireTime_ = GameTime + Media::RandomInt(RELOAD_MIN, RELOAD_MAX);
    return 1;
}

int Enemy::NotFiring() const {
    return GameTime >= LastFireTime_ + 900 ? 1 : 0;
}

void Enemy::SetState(int state) {
    State_ = state;
    LastStateChangeTime_ = GameTime;
}

int Enemy::TimePassed(int ms) const {
    return GameTime >= LastStateChangeTime_ + ms ? 1 : 0;
}

void Enemy::SpawnExplosion(int random) {
    if (!Linked()) return;
    float x = 0, y = 0;
    if (random != 0 && Sprite_->Image()) {
        const float halfWidth = float(Sprite_->Image()->Width()) / 2;
        const float halfHeight = float(Sprite_->Image()->Height()) / 2;
        x = Media::RandomFloat(-halfWidth, halfWidth);
        y = Media::RandomFloat(-halfHeight, halfHeight);
    }
    PictureInPlayfield(*this, x, y);
    Effect::Spawn(Effect::EXPLOSION, Effect::MEDIUM, Sprite::TFormedX(), Sprite::TFormedY(), 0, 0);
}

void Enemy::AdjustHealth(int delta) {
    if (!Linked()) return;
    const EnemyRef keep = Self_;
    const int before = HitPoints_;
    HitPoints_ += delta;
    // A boss outlives 0 hit points until its death sequence makes it invincible; only the hit that
    // takes it to 0 destroys it, so it cannot score twice.
    if (HitPoints_ <= 0 && before > 0) {
        int multiplier = 1;
        if (Powerup::Active(Powerup::BARREL)) multiplier *= 2;
        if (Powerup::Active(Powerup::SNEAKER)) multiplier *= 2;
        const float x = Sprite_->X(1), y = Sprite_->Y(1);
        Level::SpawnPoints(int64_t(EnemyScore[size_t(Type_)]) * multiplier, x, y, 0);
#pragma GCC diagnostic push
        // GCC 12 falsely reports -Wrestrict inside std::string's operator+ (GCC bug 105651).
#pragma GCC diagnostic ignored "-Wrestrict"
        if (multiplier > 1) Level::SpawnText("x" + std::to_string(multiplier), x, y, 1);
#pragma GCC diagnostic pop
        ++Player::LevelKills;
        ++Player::TotalKills;
        if (Type_ == ASTEROID_LARGE) {
            Spawn(ASTEROID_MEDIUM, -1, x, y);
            Spawn(ASTEROID_MEDIUM, 1, x, y);
        }
        if (!Boss_) {
            SpawnExplosion(0);
            Powerup::SpawnRandom(x, y, 7, 5);
            Free();
        }
    } else if (HitPoints_ > 0 && delta < 0) {
        if (Type_ == SLIMEY && NotFiring()) {
            NextFireTime_ = 0;
            FireWhenReady();
        } else {
            Flash(2.0f);
        }
    }
}

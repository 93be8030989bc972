// [SECTION] index: tables and loading, the list, spawning and flights, the frame (rockets,
// expiry, hits).
#include "game/bullet.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/background.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "media/fatal_error.h"
#include "shell/frame_clock.h"
#include "shell/helpers.h"
#include "shell/load_helpers.h"
#include "sprites/animate.h"

namespace {

IntrusiveList<Bullet> Bullets;
// Freed bullets stay alive until the next Update starts: Free may be called from inside a pass
// over the list or from the bullet's own code.
std::vector<BulletRef> FreedBullets;
// Kinds whose missing picture has been logged once.
std::array<bool, Bullet::BULLETS> MissingPictureLogged{};

constexpr float FLIGHT_DISTANCE = 728;  // travel distance of every straight flight
constexpr float DIAGONAL_TILT = 6.125f; // degrees off vertical of LASER4's outer pair
constexpr int WOBBLE_FLAGS = Animate::LOOP | Animate::PINGPONG | Animate::COSINE;
constexpr double DEGREES = 3.14159265358979323846 / 180.0;

// Flight time in ms of FLIGHT_DISTANCE at `speed` units per second, truncated (728000 / s is exact
// for whole speeds, so 500 gives 1456, not 1455). A speed that gives no finite time of at most
// INT_MAX ms gives INT_MAX.
int FlightTime(double speed) {
    const double ms = double(FLIGHT_DISTANCE) * 1000.0 / speed;
    if (!(ms >= 0) || ms >= 2147483647.0) return 2147483647;
    return int(ms);
}

bool Named(int kind) {
    switch (kind) {
    case Bullet::LASER1:
    case Bullet::LASER2:
    case Bullet::LASER3:
    case Bullet::LASER4:
    case Bullet::ROCKET:
    case Bullet::WAVE:
    case Bullet::BOSS1:
    case Bullet::SLIME:
    case Bullet::BOSS2:
    case Bullet::BOLT:
    case Bullet::EGG:
        return true;
    default:
        return false;
    }
}

float Volume(int kind) {
    switch (kind) {
    case Bullet::ROCKET:
        return 0.25f;
    case Bullet::BOSS1:
    case Bullet::BOSS2:
        return 0.33f;
    case Bullet::WAVE:
    case Bullet::SLIME:
    case Bullet::BOLT:
    case Bullet::EGG:
        return 0.75f;
    default:
        return 0.4f; // the lasers
    }
}

bool IsPlayerKind(int kind) {
    return kind >= Bullet::LASER1 && kind <= Bullet::ROCKET;
}

// One bullet of a volley; without a picture it cannot be drawn, measured or hit-tested, so it
// ends at once.
void Launch(int kind, int source, float x, float y, int flag, float speed, float angle) {
    BulletRef bullet = Bullet::Create(kind, source);
    if (!Bullet::BulletImages[size_t(kind)]) {
        if (!MissingPictureLogged[size_t(kind)]) {
            MissingPictureLogged[size_t(kind)] = true;
            Media::DebugLog("Bullet kind " + std::to_string(kind) +
                            " has no picture; its bullets are dropped.");
        }
        bullet->Free();
        return;
    }
    bullet->AnimatePosition(x, y, flag, speed, angle);
    if (kind == Bullet::WAVE || kind == Bullet::BOLT) bullet->Sprite_->SetBlend(Media::LIGHTBLEND);
}

// [SECTION] The frame: rockets

void SpawnSmoke(const Sprite& rocket) {
    const float x = rocket.X(0) + Media::RandomFloat(-4, 4);
    const float y = rocket.Y(0) + Media::RandomFloat(-4, 4);
    SpriteRef puff = Sprite::Create(Bullet::SmokeImage, 7, Playfield);
    puff->SetPosition(x, y, 0);
    puff->SetScale(Media::RandomFloat(0.25f, 0.33f));
    puff->SetRotation(Media::RandomFloat(0, 360));
    const int t = Media::RandomInt(250, 500);
    puff->AnimateAlpha(1, 0, t);
    puff->AnimateFrame(0, 15, t, Animate::FREE);
}

// Turns the rocket toward the nearest enemy ahead of it, at most 90° per second. Enemies at a
// bearing of 90° or more are never chosen, so a rocket never turns back.
void SteerRocket(Bullet& rocket) {
    Sprite& sprite = *rocket.Sprite_;
    bool found = false;
    float bestDistance = 65536;
    float bearing = 0;
    for (Enemy* enemy = Enemy::EnemyList().First(); enemy; enemy = enemy->Link_.Next) {
        const float distance = sprite.SpriteDistance(*enemy->Sprite_, 0);
        if (!(distance < bestDistance)) continue;
        Sprite::TFormPoint(0, 0, enemy->Sprite_.get(), &sprite);
        // 0 = straight ahead (the nose points to local −y), positive = to the rocket's right.
        const float b = float(std::atan2(double(Sprite::TFormedX()), double(-Sprite::TFormedY())) / DEGREES);
        if (std::fabs(b) < 90) {
            found = true;
            bestDistance = distance;
            bearing = b;
        }
    }
    if (found) {
        const float turn = std::min(90 * DeltaSeconds, std::fabs(bearing));
        const float sign = bearing > 0 ? 1.0f : (bearing < 0 ? -1.0f : 0.0f);
        sprite.SetRotation(FloatMod(sprite.Rotation(0) + turn * sign, 360));
        Sprite::TFormNormal(0, -1, &sprite, sprite.Parent().get());
        sprite.SetDirection(Sprite::TFormedX(), Sprite::TFormedY());
    }
    if (Media::RandomInt(0, 3) == 0) SpawnSmoke(sprite);
}

// [SECTION] The frame: expiry

bool FlightOver(const Sprite& sprite) {
    if (sprite.Animating(Animate::TRANSFORM_POSITION) == 0 && sprite.Speed() == 0) return true;
    // The bottom margin reaches 100 units below the screen.
    const float x = sprite.X(1), y = sprite.Y(1);
    const float w = sprite.Width(0) / 2, h = sprite.Height(0) / 2;
    return x < -w || y < -h || x > 800 + w || y > 600 + h;
}

// [SECTION] The frame: hits

// The first enemy in list order that the bullet touches (while it is visible) is struck, at most
// one per bullet; an invincible one takes no damage but still stops the bullet.
bool StrikeEnemy(Bullet& bullet) {
    for (Enemy* enemy = Enemy::EnemyList().First(); enemy; enemy = enemy->Link_.Next) {
        if (!bullet.Sprite_->Overlaps(*enemy->Sprite_) || !(enemy->Pivot1_->Alpha(0) > 0)) continue;
        const int damage = bullet.Type_ == Bullet::ROCKET ? -3 : -1;
        bullet.Free();
        ++Player::LevelHits;
        ++Player::TotalHits;
        if (enemy->Invincible_ == 0) enemy->AdjustHealth(damage);
        return true;
    }
    return false;
}

// Shooting an item keeps it in the air: a counted shot (more than 250 ms after the last) stops
// and kicks it and raises its multiplier; the fifth bursts it. Any touching bullet is used up.
void StrikePowerup(Bullet& bullet) {
    for (Powerup* item = Powerup::PowerupList().First(); item; item = item->Link_.Next) {
        if (!bullet.Sprite_->Overlaps(*item->Sprite_)) continue;
        bullet.Free();
        if (GameTime - item->LastHitTime_ > 250) {
            item->Sprite_->SetSpeed(0);
            item->ApplyImpulse(384);
            item->Flash(2.0f);
            ++item->Hits_;
            if (item->Hits_ >= 5) {
                item->SpawnExplosion();
                item->Free();
            } else {
#pragma GCC diagnostic push
                // GCC 12 falsely reports -Wrestrict inside std::string's operator+ (GCC bug 105651).
#pragma GCC diagnostic ignored "-Wrestrict"
                Level::SpawnText("x" + std::to_string(item->Hits_ + 1), item->Sprite_->X(1),
                                 item->Sprite_->Y(1), 1);
#pragma GCC diagnostic pop
            }
            item->LastHitTime_ = GameTime;
        }
        return;
    }
}

bool ShieldOff() {
    return Powerup::Active(Powerup::SHIELD) == 0;
}

// An enemy bullet that reached the ship's hit box. The afflictions apply only without a shield;
// with one, AdjustHealth removes the shield instead of health.
void StrikeShip(Bullet& bullet) {
    const float x = bullet.Sprite_->X(0), y = bullet.Sprite_->Y(0);
    switch (bullet.Type_) {
    case Bullet::SLIME:
    case Bullet::EGG: {
        const bool slime = bullet.Type_ == Bullet::SLIME;
        if (ShieldOff()) {
            if (slime)
                Player::Ship->SetFogColor(21, 86, 0);
            else
                Player::Ship->SetFogColor(226, 193, 0);
            Player::Ship->AnimateFog(0.75f, 0, 1000, Animate::EASE_IN);
            Player::SlowedTime = GameTime;
        }
        Player::AdjustHealth(-1);
        Effect::Spawn(slime ? Effect::SLIME_GREEN : Effect::EGGSPLOSION, Effect::SMALL, x, y, 0, 0);
        bullet.Free();
        break;
    }
    case Bullet::WAVE:
        if (ShieldOff()) Player::ReversedTime = GameTime;
        Player::AdjustHealth(-1);
        Effect::Spawn(Effect::SHOCKWAVE, Effect::SMALL, x, y, 0, 0);
        bullet.Free();
        break;
    case Bullet::BOLT:
        if (ShieldOff()) {
            Level::Slam(Player::Ship, 0.66f);
            Player::Flash(1.0f);
        }
        Player::AdjustHealth(-1);
        Effect::Spawn(Effect::SPARK, Effect::SMALL, x, y, 0, 0);
        bullet.Free();
        break;
    case Bullet::BOSS1:
    case Bullet::BOSS2:
        // Without a shield the shot flies on: the ship it destroyed is invulnerable on return.
        if (!ShieldOff()) bullet.Free();
        Player::AdjustHealth(-3);
        break;
    default:
        break;
    }
}

void ResolveHits(Bullet& bullet) {
    if (IsPlayerKind(bullet.Type_)) {
        if (!StrikeEnemy(bullet)) StrikePowerup(bullet);
        return;
    }
    if (!Named(bullet.Type_)) FatalError("Error in Bullet.Update(): Invalid bullet type!");
    if (Player::Overlaps(bullet.Sprite_) == 1) StrikeShip(bullet);
}

} // namespace

// [SECTION] Tables and loading

void Bullet::Init() {
    BulletFrameSize.fill(64);
    BulletFrameCount.fill(16);
    BulletFrameTime.fill(500);
    BulletFrameFlags.fill(Animate::LOOP | Animate::PINGPONG);
    for (int kind : {LASER1, LASER2, LASER3, LASER4, BOSS1, BOSS2, BOLT})
        BulletFrameCount[size_t(kind)] = 1;
    BulletFrameSize[ROCKET] = 48;
    BulletFrameFlags[EGG] = Animate::LOOP;

    // Optional: the unnamed kinds need no picture, and a named kind without one is dropped when
    // fired.
    for (int kind = 0; kind < BULLETS; ++kind) {
        const size_t k = size_t(kind);
        BulletImages[k] =
            LoadGameAnimImage("gfx\\bullets\\bullet" + std::to_string(kind) + ".png", BulletFrameSize[k],
                              BulletFrameSize[k], 0, BulletFrameCount[k], -1, 1);
    }
    SmokeImage = LoadGameAnimImage("gfx\\bullets\\rocketsmoke.png", 32, 32, 0, 16, -1, 0);
    for (int kind = 0; kind < BULLETS; ++kind)
        BulletSounds[size_t(kind)] = Sound::Load("bullet-" + std::to_string(kind) + ".wav", 0, 0);
    MissingPictureLogged.fill(false);
}

// [SECTION] The list

IntrusiveList<Bullet>& Bullet::BulletList() {
    return Bullets;
}

BulletRef Bullet::Create(int kind, int source) {
    if (kind < 0 || kind >= BULLETS) FatalError("Error in Bullet.Create(): Invalid bullet type!");
    BulletRef bullet = std::make_shared<Bullet>();
    bullet->Type_ = kind;
    bullet->Sprite_ = Sprite::Create(BulletImages[size_t(kind)], 8, Playfield);
    bullet->Source_ = source;
    bullet->Self_ = bullet;
    Bullets.PushBack(*bullet);
    bullet->AnimateFrames();
    return bullet;
}

void Bullet::Free() {
    if (!Link_.Linked) return;
    if (Sprite_->Linked()) Sprite_->Free();
    Sprite_ = nullptr;
    Bullets.Remove(*this);
    FreedBullets.push_back(std::move(Self_));
}

void Bullet::FreeAll() {
    for (IntrusiveList<Bullet>::Pass pass(Bullets); Bullet* bullet = pass.Next();)
        bullet->Free();
}

void Bullet::AnimateFrames() {
    const size_t k = size_t(Type_);
    Sprite_->AnimateFrame(0, float(BulletFrameCount[k]), BulletFrameTime[k], BulletFrameFlags[k], 0, 0,
                          nullptr);
}

// [SECTION] Spawning and flights

void Bullet::Spawn(int kind, const SpriteRef& sprite, int source, int flag, float speed, float angle) {
    if (!Named(kind)) FatalError("Error in Bullet.Spawn(): Invalid bullet type!");
    Sprite::TFormPoint(0, 0, sprite.get(), Playfield.get());
    const float x = Sprite::TFormedX(), y = Sprite::TFormedY();
    switch (kind) {
    case LASER2:
        Launch(kind, source, x - 8, y, 0, 0, 0);
        Launch(kind, source, x + 8, y, 0, 0, 0);
        break;
    case LASER3:
        Launch(kind, source, x, y, 0, 0, 0);
        Launch(kind, source, x - 16, y - 8, 1, 0, 0);
        Launch(kind, source, x + 16, y - 8, 2, 0, 0);
        break;
    case LASER4:
        Launch(kind, source, x - 8, y, 1, 0, 0);
        Launch(kind, source, x + 8, y, 2, 0, 0);
        Launch(kind, source, x - 16, y - 8, 3, 0, 0);
        Launch(kind, source, x + 16, y - 8, 4, 0, 0);
        break;
    case BOSS1:
    case BOSS2:
        Launch(kind, source, x, y, flag, speed, angle);
        break;
    default: // LASER1, ROCKET, WAVE, SLIME, BOLT, EGG: one bullet
        Launch(kind, source, x, y, 0, 0, 0);
        break;
    }
    BulletSounds[size_t(kind)]->Play(Volume(kind), 1.0f, 0);
}

void Bullet::AnimatePosition(float x, float y, int flag, float speed, float angle) {
    Sprite& s = *Sprite_;
    s.SetPosition(x, y, 0);
    switch (Type_) {
    case LASER1:
        s.SetScale(0.75f);
        s.AnimateY(y, y - FLIGHT_DISTANCE, FlightTime(600));
        break;
    case LASER2:
        s.SetScale(0.75f);
        if (flag == 0) s.AnimateY(y, y - FLIGHT_DISTANCE, FlightTime(600));
        break;
    case LASER3:
    case LASER4: {
        s.SetScale(0.75f);
        const double a = double(DIAGONAL_TILT) * DEGREES;
        const double up = 90.0 * DEGREES;
        switch (flag) {
        case 0:
            s.AnimateY(y, y - FLIGHT_DISTANCE, FlightTime(Type_ == LASER3 ? 600 : 400));
            break;
        case 1: // swings between x + 8 and x − 8
            s.AnimateY(y, y - FLIGHT_DISTANCE, FlightTime(600));
            s.AnimateX(x + 8, x - 8, 250, WOBBLE_FLAGS);
            break;
        case 2:
            s.AnimateY(y, y - FLIGHT_DISTANCE, FlightTime(600));
            s.AnimateX(x - 8, x + 8, 250, WOBBLE_FLAGS);
            break;
        case 3: // up and to the left
            s.AnimatePosition(x, y, x + FLIGHT_DISTANCE * float(std::cos(up + a)),
                              y - FLIGHT_DISTANCE * float(std::sin(up + a)), FlightTime(400));
            s.SetRotation(-DIAGONAL_TILT);
            break;
        case 4: // up and to the right
            s.AnimatePosition(x, y, x + FLIGHT_DISTANCE * float(std::cos(up - a)),
                              y - FLIGHT_DISTANCE * float(std::sin(up - a)), FlightTime(400));
            s.SetRotation(DIAGONAL_TILT);
            break;
        default:
            break;
        }
        break;
    }
    case ROCKET:
        s.SetScale(0.9f);
        s.SetVelocity(0, -300, 1.0f);
        break;
    case WAVE: {
        const int t = FlightTime(400);
        s.AnimateY(y, y + FLIGHT_DISTANCE, t);
        s.AnimateScaleX(0.5f, 2.5f, t);
        s.AnimateScaleY(-0.5f, -2.5f, t);
        break;
    }
    case BOSS1:
    case BOSS2: {
        s.AnimateScale(0.4f, 0.6f, 200, WOBBLE_FLAGS);
        if (flag != 0) {
            FatalError(Type_ == BOSS1
                           ? "Error in Bullet.AnimatePosition(): Invalid flag on BOSS1 bullet type!"
                           : "Error in Bullet.AnimatePosition(): Invalid flag on BOSS2 bullet type!");
        }
        // Angle 0 is straight down; positive angles turn the shot toward −x.
        const double heading = (90.0 + double(angle)) * DEGREES;
        s.AnimatePosition(x, y, x + FLIGHT_DISTANCE * float(std::cos(heading)),
                          y + FLIGHT_DISTANCE * float(std::sin(heading)), FlightTime(double(speed)));
        break;
    }
    case SLIME:
        s.SetScale(0.66f);
        s.AnimateY(y, y + FLIGHT_DISTANCE, FlightTime(500),
                   Animate::EXPONENTIAL); // starts slowly, accelerates
        break;
    case BOLT:
        s.AnimateY(y, y + FLIGHT_DISTANCE, FlightTime(300));
        s.AnimateColor(255, 255, 255, 512, 512, 512, 250, WOBBLE_FLAGS);
        s.AnimateScaleX(1, 0.66f, 250, WOBBLE_FLAGS);
        s.AnimateScaleY(0.66f, 1, 250, WOBBLE_FLAGS);
        break;
    case EGG:
        s.SetScale(0.5f);
        s.AnimateY(y, y + FLIGHT_DISTANCE, 3000);
        break;
    default:
        break;
    }
}

// [SECTION] The frame

void Bullet::Update() {
    FreedBullets.clear();
    for (IntrusiveList<Bullet>::Pass pass(Bullets); Bullet* bullet = pass.Next();) {
        if (bullet->Type_ == ROCKET) SteerRocket(*bullet);
    }
    for (IntrusiveList<Bullet>::Pass pass(Bullets); Bullet* bullet = pass.Next();) {
        if (FlightOver(*bullet->Sprite_)) bullet->Free();
    }
    for (IntrusiveList<Bullet>::Pass pass(Bullets); Bullet* bullet = pass.Next();)
        ResolveHits(*bullet);
}

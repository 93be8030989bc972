#include "game/player.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/background.h"
#include "game/bullet.h"
#include "game/effect.h"
#include "game/level.h"
#include "game/powerup.h"
#include "shell/controls.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "sprites/animate.h"

namespace {

constexpr float MAX_SPEED = 2500; // units per second, for all four smoothed velocities
constexpr float LEVEL_FRAME = 7;
constexpr float FLAME_X = 0.5f;
// Pad rumbles (strength 0..1, ms): a short one for a hit, a longer and stronger one when the ship
// explodes.
constexpr float HIT_RUMBLE = 0.45f, EXPLODE_RUMBLE = 1.0f;
constexpr int HIT_RUMBLE_TIME = 150, EXPLODE_RUMBLE_TIME = 450;

float ClampSpeed(float v) {
    return std::clamp(v, -MAX_SPEED, MAX_SPEED);
}

// v moves toward the target by √(step / 0.5) of the gap each frame. That is not frame-rate
// independent: the square root makes short frames take relatively more, so the lag (the time to
// close all but 1/e of the gap) is about 83 ms at 60 Hz and 44 ms at 240 Hz. The rule is kept as
// the game's feel was tuned with it.
float Smooth(float v, float target) {
    return Animate::TweenExponential(v, target, DeltaSeconds / 0.5f, 0.5f);
}

// One purple particle of the reversed-controls trail near the ship.
void SpawnTrailParticle() {
    const float x = Player::Ship->X(0) + Media::RandomFloat(-16, 16);
    const float y = Player::Ship->Y(0) + Media::RandomFloat(-16, 16);
    SpriteRef particle = Sprite::Create(Player::TrailImage, 17, Playfield);
    particle->SetPosition(x, y, 0);
    particle->SetColor(209, 100, 255);
    particle->SetBlend(Media::LIGHTBLEND);
    particle->SetRotation(Media::RandomFloat(0, 360));
    const float scale = Media::RandomFloat(0.25f, 0.75f);
    particle->AnimateScale(scale, 0, Media::RandomInt(150, 300), Animate::FREE);
}

// A white copy of the ship that fades behind it (the speed trail).
void SpawnSpeedCopy() {
    SpriteRef copy = Player::Ship->Copy(0);
    copy->SetOrder(11);
    copy->SetColor(382.5f, 382.5f, 382.5f);
    copy->AnimateAlpha(0.25f, 0, 250, Animate::FREE | Animate::INVERSE_EXPONENTIAL);
}

void UpdateGuns() {
    if (Powerup::Active(Powerup::BARREL)) {
        if (GameTime > Player::NextFireTime) {
            Player::Fire(Player::WEAPON_LASER4);
            Player::NextFireTime = GameTime + 125;
        }
    } else if (FireHeld == 1) {
        if (GameTime >= Player::NextFireTime) {
            Player::Fire(Player::Weapon);
            Player::NextFireTime = GameTime + 350;
        }
    } else {
        Player::NextFireTime = GameTime; // a fresh press fires at once
    }
    if (Powerup::Active(Powerup::ROCKET) && GameTime > Player::NextRocketTime) {
        Player::Fire(Player::WEAPON_ROCKET);
        Player::NextRocketTime = GameTime + 350;
    }
}

// The flame flickers between two sizes every 150 ms and grows when the ship climbs.
void UpdateFlameImage() {
    int k = 1;
    if (Player::ShipVy > 100)
        k = 0;
    else if (Player::ShipVy < -100)
        k = 2;
    if ((GameTime / 150) % 2 != 0) ++k;
    const Media::ImageRef& image = Player::FlameImages[size_t(k)];
    if (Player::Flame->Image() != image) Player::Flame->SetImage(image);
}

void Steer() {
    using P = Player;
    float tx = 0, ty = 0;
    if (DeltaSeconds > 0) {
        tx = PointerDX * 0.33f / DeltaSeconds;
        ty = PointerDY * 0.33f / DeltaSeconds;
    }
    if (GameTime < P::SlowedTime + 1000) {
        // The divisor falls linearly from 10 to 1 over the second after the hit.
        const float f = Animate::TweenLinear(
            10, 1, Animate::InverseTween(float(P::SlowedTime), float(P::SlowedTime + 1000), float(GameTime)));
        tx /= f;
        ty /= f;
    }
    if (GameTime < P::ReversedTime + 1000) {
        tx = -tx; // only horizontal control is reversed
        if (Media::RandomInt(0, 1) == 0) SpawnTrailParticle();
    }

    P::ShipVx = ClampSpeed(Smooth(P::ShipVx, tx));
    P::BankVx = ClampSpeed(Smooth(P::BankVx, tx));
    P::ShipVy = ClampSpeed(Smooth(P::ShipVy, ty));
    P::BankVy = ClampSpeed(Smooth(P::BankVy, ty));

    // A quarter of the ship's size inside each edge: the ship flies over the whole playfield.
    const float minX = float(int(-400 + P::Ship->Width(0) / 4));
    const float maxX = float(int(400 - P::Ship->Width(0) / 4));
    const float minY = float(int(-250 + P::Ship->Height(0) / 4));
    const float maxY = float(int(250 - P::Ship->Height(0) / 4));
    if ((P::Ship->X(0) == minX && P::ShipVx < 0) || (P::Ship->X(0) == maxX && P::ShipVx > 0)) P::ShipVx = 0;
    if ((P::Ship->Y(0) == minY && P::ShipVy < 0) || (P::Ship->Y(0) == maxY && P::ShipVy > 0)) P::ShipVy = 0;

    P::Ship->Translate(P::ShipVx * DeltaSeconds, P::ShipVy * DeltaSeconds);

    if (P::Ship->X(0) < minX) {
        P::Ship->SetX(minX, 0);
        if (P::ShipVx < 0) P::ShipVx = 0;
    }
    if (P::Ship->X(0) > maxX) {
        P::Ship->SetX(maxX, 0);
        if (P::ShipVx > 0) P::ShipVx = 0;
    }
    if (P::Ship->Y(0) < minY) {
        P::Ship->SetY(minY, 0);
        if (P::ShipVy < 0) P::ShipVy = 0;
    }
    if (P::Ship->Y(0) > maxY) {
        P::Ship->SetY(maxY, 0);
        if (P::ShipVy > 0) P::ShipVy = 0;
    }

    // Banking follows BankVx/BankVy, which the edges never stop.
    const float fx = std::clamp(P::BankVx / 500, -1.0f, 1.0f);
    const float fy = std::clamp(P::BankVy / 500, -1.0f, 1.0f);
    const float frame = (fx + 1) / 2 * 15;
    P::Ship->SetFrame(frame);
    P::Flame->SetFrame(frame);
    P::Flame->SetX(FLAME_X - fx * 4, 0);
    // The bubble squashes against the direction of travel.
    P::Shield->SetScaleX(1 + (std::fabs(fy) - std::fabs(fx)) * 0.2f);
    P::Shield->SetScaleY(1 + (std::fabs(fx) - std::fabs(fy)) * 0.2f);
}

// Shown on even steps and hidden on odd ones; the 51st step ends it with the ship shown.
void Blink() {
    if (Player::Invincible != 1) return;
    if (Player::InvincibleFlashes % 2 == 0)
        Player::Ship->Show();
    else
        Player::Ship->Hide();
    if (GameTime > Player::NextFlashTime) {
        ++Player::InvincibleFlashes;
        Player::NextFlashTime = GameTime + 50;
        if (Player::InvincibleFlashes > 50) Player::Invincible = 0;
    }
}

} // namespace

void Player::Init() {
    ShipImage = LoadGameAnimImage("gfx\\ship\\ship.png", 64, 64, 0, 15, -1, 0);
    for (int i = 1; i <= 4; ++i) {
        FlameImages[size_t(i - 1)] =
            LoadGameAnimImage("gfx\\ship\\flames" + std::to_string(i) + ".png", 32, 32, 0, 15, -1, 0);
    }
    TrailImage = LoadGameImage("gfx\\background\\star3.png", -1, 0);

    Ship = Sprite::Create(ShipImage, 12, Playfield);
    Ship->SetScale(0.66f);
    Ship->SetFrame(LEVEL_FRAME);
    Ship->Hide();
    Ship->SetName("Player");

    Flame = Sprite::Create(FlameImages[1], -1, Ship);
    Flame->SetPosition(FLAME_X, 33, 0);
    Flame->SetScale(1.25f);
    Flame->SetFrame(LEVEL_FRAME);

    Shield = Sprite::Create(LoadGameImage("gfx\\ship\\shield.png", -1, 0), 1, Ship);
    Shield->Hide();

    ExplodeSound = Sound::Load("shipexplode.wav", 0, 0);
    ShieldPopSound = Sound::Load("shieldpop.wav", 0, 0);
}

void Player::Update() {
    if (Ship->Hidden(0) == 1 && Invincible == 0) return; // destroyed, or play is over

    if (Powerup::Active(Powerup::SNEAKER)) SpawnSpeedCopy();
    UpdateGuns();
    UpdateFlameImage();

    if (Ship->Animating(Animate::TRANSFORM_POSITION)) {
        // Flying in (or being shaken): no steering, level flight.
        ShipVx = 0;
        ShipVy = 0;
        BankVx = 0;
        Ship->SetFrame(LEVEL_FRAME);
        Flame->SetFrame(LEVEL_FRAME);
        Flame->SetX(FLAME_X, 0);
    } else {
        Steer();
    }
    Blink();
}

void Player::MakeInvincible() {
    InvincibleFlashes = 0;
    NextFlashTime = 0;
    Invincible = 1;
}

void Player::Respawn() {
    Ship->Show();
    // A shake still queued on the ship would otherwise take over the fly-in.
    Ship->StopAnimating(Animate::TRANSFORM_POSITION);
    Ship->AnimatePosition(0, 332, 0, 236, 1000, 0, 0, 0, "");
    Health = DEFAULT_HEALTH;
    MakeInvincible();
}

int Player::Overlaps(const SpriteRef& sprite) {
    if (!sprite || Invincible == 1 || Hidden() == 1) return 0;
    const float sx = Ship->ScaleX(1);
    const float sy = Ship->ScaleY(1);
    return sprite->OverlapsRect(Ship->X(1) + COLLISIONBOX_X1 * sx, Ship->Y(1) + COLLISIONBOX_Y1 * sy,
                                COLLISIONBOX_WIDTH * sx, COLLISIONBOX_HEIGHT * sy, 0, 0);
}

void Player::Explode() {
    Ship->Hide();
    Invincible = 0;
    Effect::Spawn(Effect::EXPLOSION, Effect::LARGE, Ship->X(0), Ship->Y(0), 0, 0);
    ExplodeSound->Play(1.0f, 1.0f, 0);
    Rumble(EXPLODE_RUMBLE, EXPLODE_RUMBLE_TIME);
    Level::Slam(Playfield, 0.66f);
    Weapon = WEAPON_LASER1;
    Powerup::DisableAll();
    // The shield's record is off now; its bubble must not come back with the next ship.
    Shield->Hide();
    AdjustLives(-1);
}

void Player::Show() {
    Ship->Show();
}

void Player::Hide() {
    Ship->Hide();
}

int Player::Hidden() {
    return Ship->Hidden(1);
}

void Player::AdjustLives(int delta) {
    Lives = std::clamp(Lives + delta, 0, MAX_LIVES);
    if (delta < 0) {
        if (Lives == 0) {
            Hide();
            Level::SetState(4); // player lost
        } else {
            Respawn();
        }
    } else {
        Level::SpawnText("Extra Life!", Ship->X(1), Ship->Y(1), 3);
    }
}

void Player::Flash(float speed) {
    Ship->SetFogColor(255, 255, 255);
    Ship->AnimateFog(1, 0, int(375 / speed), Animate::EASE_IN, 0, 0);
}

void Player::SetHealth(int health) {
    Health = health;
    UpdateHealthDisplay();
}

void Player::AdjustHealth(int delta) {
    if (delta > 0 || !Powerup::Active(Powerup::SHIELD)) {
        Health = std::min(Health + delta, MAX_HEALTH);
        UpdateHealthDisplay();
        if (delta < 0) Rumble(HIT_RUMBLE, HIT_RUMBLE_TIME);
        if (Health < 1) Explode();
        // GCC 12 falsely reports -Wrestrict inside std::string's operator+ (GCC bug 105651).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
        if (delta > 0) Level::SpawnText("+" + std::to_string(delta) + " Health", Ship->X(1), Ship->Y(1), 3);
#pragma GCC diagnostic pop
    } else {
        DeactivateShield(); // the shield absorbs one whole hit of any strength
    }
}

void Player::Fire(int weapon) {
    if (weapon >= WEAPON_LASER1 && weapon <= WEAPON_ROCKET)
        Bullet::Spawn(weapon, Ship, Bullet::SOURCE_PLAYER, 0, 0, 0);
    ++LevelShots;
    ++TotalShots;
}

void Player::ActivateShield() {
    Shield->Show();
    Shield->AnimateScale(0, 1.5f, 200, Animate::EASE_IN, 0, 0);
    Shield->AnimateScale(1.5f, 1, 100, Animate::EASE_OUT, 200, 0);
}

void Player::DeactivateShield() {
    Shield->Hide();
    Powerup::ActivationTimes[Powerup::SHIELD] = 0;
    ShieldPopSound->Play(1.0f, 1.0f, 0);
    Rumble(HIT_RUMBLE, HIT_RUMBLE_TIME); // the shield took a hit
}

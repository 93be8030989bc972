#include "game/powerup.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/background.h"
#include "game/effect.h"
#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "media/fatal_error.h"
#include "shell/frame_clock.h"
#include "shell/gameplay_hooks.h"
#include "shell/helpers.h"
#include "shell/load_helpers.h"
#include "sprites/animate.h"

namespace {

IntrusiveList<Powerup> Powerups;
// Freed items stay alive until the next UpdateAll starts: Free may be called from inside a pass
// over the list or from the item's own code.
std::vector<PowerupRef> FreedPowerups;

constexpr std::array<int, Powerup::POWERUPS> BASE_POINTS = {100, 50,  1000, 250,  500, 250,
                                                            250, 250, 250,  1000, 100, 250};
constexpr std::array<float, Powerup::POWERUPS> SCALES = {0.9f,  0.9f,  0.75f, 0.9f,  0.9f, 0.66f,
                                                         0.66f, 0.66f, 0.66f, 0.66f, 0.8f, 0.75f};
constexpr float GRAVITY = 384;      // units per second², downward
constexpr float THROW_SPEED = 384;  // units per second, the kick of a spawn or a counted shot
constexpr int BARREL_PAUSE = 12000; // ms after a barrel before another can drop
constexpr double DEGREES = 3.14159265358979323846 / 180.0;

bool IsGem(int kind) {
    return kind >= Powerup::GEM1 && kind <= Powerup::GEM3;
}

void SpawnSparkle(const Sprite& item) {
    const float x = item.X(0) + Media::RandomFloat(-8, 8);
    const float y = item.Y(0) + Media::RandomFloat(-8, 8);
    SpriteRef sparkle = Sprite::Create(Background::StarImage, 7, Playfield);
    sparkle->SetPosition(x, y, 0);
    sparkle->SetColor(255, float(Media::RandomInt(192, 255)), 15);
    sparkle->SetBlend(Media::LIGHTBLEND);
    sparkle->AnimateRotation(0, 360, 1000, Animate::LOOP, 0, Media::RandomInt(0, 5000));
    sparkle->AnimateAlpha(1, 0, 500, Animate::EASE_IN);
    const float scale = Media::RandomFloat(0.5f, 1) / 2;
    sparkle->AnimateScale(scale, 0, Media::RandomInt(250, 500), Animate::FREE);
}

// What collecting a kind does to the ship.
void ApplyEffect(int kind) {
    switch (kind) {
    case Powerup::WATERMELON:
        Player::AdjustHealth(3);
        break;
    case Powerup::APPLE:
        Player::AdjustHealth(1);
        break;
    case Powerup::SHIELD:
        Player::ActivateShield();
        break;
    case Powerup::EXTRALIFE:
        Player::AdjustLives(1);
        break;
    case Powerup::MUG:
        // The upgrade sound belongs to the level upgraded from.
        Powerup::PowerupSounds[Powerup::MUG] = Powerup::MugSounds[size_t(
            std::clamp(Player::Weapon, Player::WEAPON_LASER1, Player::WEAPON_LASER4))];
        Player::Weapon = std::min(Player::Weapon + 1, Player::WEAPON_LASER4);
        break;
    default: // treasure scores only; ROCKET, BARREL and SNEAKER run on their activation time
        break;
    }
}

// A destroyed ship (hidden, not blinking) collects nothing.
bool ShipCanCollect() {
    return !(Player::Ship->Hidden(0) == 1 && Player::Invincible == 0);
}

} // namespace

void Powerup::Init() {
    for (int kind = 0; kind < POWERUPS; ++kind) {
        const std::string n = std::to_string(kind + 1);
        PowerupImages[size_t(kind)] = LoadGameImage("gfx\\powerups\\powerup" + n + ".png", -1, 0);
        IndicatorImages[size_t(kind)] = LoadGameImage("gfx\\powerups\\indicator" + n + ".png", -1, 0);
        PowerupSounds[size_t(kind)] = Sound::Load("powerup" + n + ".wav", 0, 0);
    }
    PowerupSounds[GEM2] = PowerupSounds[GEM1];
    PowerupSounds[GEM3] = PowerupSounds[GEM1];
    const char* mugs[] = {"powerup12a.wav", "powerup12b.wav", "powerup12c.wav", "powerup12d.wav"};
    for (size_t i = 0; i < MugSounds.size(); ++i)
        MugSounds[i] = Sound::Load(mugs[i], 0, 0);
    // The frame loop speeds time up and the sound player raises the pitch while it runs.
    SpeedPowerupActive = [] { return Powerup::Active(Powerup::SNEAKER) != 0; };
}

IntrusiveList<Powerup>& Powerup::PowerupList() {
    return Powerups;
}

PowerupRef Powerup::Create(int kind) {
    if (kind < 0 || kind >= POWERUPS) FatalError("Error in Powerup.Create(): Invalid powerup type!");
    PowerupRef item = std::make_shared<Powerup>();
    item->Type_ = kind;
    item->Sprite_ = Sprite::Create(PowerupImages[size_t(kind)], 9, Playfield);
    item->Sprite_->SetName("Powerup");
    item->Indicator_ = Sprite::Create(IndicatorImages[size_t(kind)], 9, Playfield);
    item->Indicator_->Hide();
    item->Self_ = item;
    Powerups.PushBack(*item);
    return item;
}

void Powerup::Spawn(int kind, float x, float y) {
    const int count = IsGem(kind) ? Media::RandomInt(1, 3) : 1;
    for (int i = 0; i < count; ++i) {
        if (IsGem(kind)) kind = Media::RandomInt(GEM1, GEM3); // every gem of a shower drawn anew
        PowerupRef item = Create(kind);
        item->Flash(1.0f);
        item->Sprite_->SetPosition(x, y, 1);
        item->ApplyImpulse(THROW_SPEED);
        item->Sprite_->SetScale(SCALES[size_t(kind)]);
        ++Player::LevelPowerups;
        ++Player::TotalPowerups;
    }
}

void Powerup::SpawnRandom(float x, float y, int groups, int chance) {
    static std::vector<float> weights(POWERUPS);
    std::fill(weights.begin(), weights.end(), 0.0f);
    if (groups & 1) { // treasure
        weights[GEM1] = weights[GEM2] = weights[GEM3] = 0.33f;
        weights[MONEYBAG] = 0.33333334f;
        weights[EXTRALIFE] = 0.01f;
        if (Player::Lives < 3) weights[EXTRALIFE] *= 2;
        if (Player::Lives < 2) weights[EXTRALIFE] *= 4;
    }
    if (groups & 2) { // food, likelier the more the ship is hurt
        weights[APPLE] = 0.5f;
        weights[WATERMELON] = weights[APPLE] / 3;
        const float factor = Player::Health == 2 ? 2.0f : (Player::Health == 1 ? 3.0f : 1.0f);
        weights[APPLE] *= factor;
        weights[WATERMELON] *= factor;
    }
    if (groups & 4) { // equipment, likelier the more enemies are alive
        weights[BARREL] = 0.05f;
        weights[ROCKET] = weights[SHIELD] = weights[SNEAKER] = weights[MUG] = 0.2f;
        const int enemies = Enemy::EnemyList().Count();
        float factor = 1;
        if (enemies >= 10) factor *= 2;
        if (enemies >= 15) factor *= 4;
        if (enemies >= 25) factor *= 6;
        weights[BARREL] *= factor;
        weights[ROCKET] *= factor;
        weights[MUG] *= factor;
        if (Player::Shield->Hidden(0) == 0) weights[SHIELD] /= 2;
        if (Active(SNEAKER)) weights[SNEAKER] /= 2;
        // Also in the first 12 s of game time when no barrel was ever taken.
        if (GameTime - ActivationTimes[BARREL] < BARREL_PAUSE || Exists(BARREL)) weights[BARREL] = 0;
    }
    if (Media::RandomInt(1, chance) == 1) Spawn(WeightedRandom(weights), x, y);
}

void Powerup::ApplyImpulse(float strength) {
    const float toward = Sprite_->X(0) > 0 ? -1.0f : 1.0f; // toward the middle of the playfield
    const double a = 22.5 * double(toward) * double(Media::RandomFloat(0, 1)) * DEGREES;
    const double up = 90.0 * DEGREES;
    // Flags 3: an impulse, not scaled by the frame time, mass ignored.
    Sprite_->ApplyForce(float(std::cos(up - a)), float(-std::sin(up - a)), strength, 3);
}

void Powerup::UpdateAll() {
    FreedPowerups.clear();
    for (IntrusiveList<Powerup>::Pass pass(Powerups); Powerup* item = pass.Next();)
        item->Update();
}

void Powerup::Update() {
    Sprite& s = *Sprite_;
    s.ApplyForce(0, 1, GRAVITY, 2); // scaled by the frame time, mass ignored
    if (Media::RandomInt(0, 3) == 0) SpawnSparkle(s);

    if (s.Y(0) < -(250 + s.Height(0) / 4)) {
        // Above the top edge: the marker stands inside the edge straight above the item.
        Indicator_->SetPosition(s.X(0), -(250 - Indicator_->Height(0) / 2), 0);
        Indicator_->Show();
    } else {
        Indicator_->Hide();
    }

    // The whole ship picture collects, not its small hit box.
    if (ShipCanCollect() && Player::Ship->Overlaps(s)) {
        const int kind = Type_;
        Level::SpawnPoints((Hits_ + 1) * BASE_POINTS[size_t(kind)], s.X(1), s.Y(1), 1);
        ApplyEffect(kind);
        PowerupSounds[size_t(kind)]->Play(kind == EXTRALIFE ? 0.55f : 0.66f, 1.0f, 0);
        ActivationTimes[size_t(kind)] = GameTime;
        Free();
        ++Player::LevelCollected;
        ++Player::TotalCollected;
    } else if (s.Y(0) > 250 + s.Height(0)) {
        Free(); // fully below the bottom edge
    }
}

void Powerup::SpawnExplosion() {
    Effect::Spawn(Effect::EXPLOSION, Effect::MEDIUM, Sprite_->X(0), Sprite_->Y(0), 0, 0);
}

void Powerup::Free() {
    if (!Link_.Linked) return;
    if (Sprite_->Linked()) Sprite_->Free();
    if (Indicator_->Linked()) Indicator_->Free();
    Powerups.Remove(*this);
    FreedPowerups.push_back(std::move(Self_));
}

void Powerup::FreeAll() {
    for (IntrusiveList<Powerup>::Pass pass(Powerups); Powerup* item = pass.Next();)
        item->Free();
}

void Powerup::DisableAll() {
    ActivationTimes.fill(0);
}

void Powerup::DisableTimed() {
    ActivationTimes[ROCKET] = 0;
    ActivationTimes[BARREL] = 0;
    ActivationTimes[SNEAKER] = 0;
}

void Powerup::Flash(float speed) {
    Sprite_->SetFogColor(255, 255, 255);
    Sprite_->AnimateFog(1, 0, int(375 / speed), Animate::EASE_IN);
}

int Powerup::Active(int kind) {
    if (kind < 0 || kind >= POWERUPS) return 0;
    const int since = ActivationTimes[size_t(kind)];
    if (since <= 0) return 0;
    switch (kind) {
    case ROCKET:
    case BARREL:
        return GameTime - since < 7000 ? 1 : 0;
    case SNEAKER:
        return GameTime - since < 11000 ? 1 : 0;
    default:
        return 1;
    }
}

int Powerup::Exists(int kind) {
    for (Powerup* item = Powerups.First(); item; item = item->Link_.Next) {
        if (item->Type_ == kind) return 1;
    }
    return 0;
}

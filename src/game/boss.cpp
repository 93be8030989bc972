#include "game/boss.h"

#include <array>

#include "game/background.h"
#include "game/bullet.h"
#include "game/level.h"
#include "game/powerup.h"
#include "presentation/sound.h"
#include "shell/frame_clock.h"
#include "sprites/animate.h"

namespace {

constexpr int SWAY = Animate::LOOP + Animate::PINGPONG + Animate::COSINE; // 11
constexpr int PHASE_CHANGE_TIME = 3000; // ms back to the top centre; the next phase waits as long
constexpr int DYING_PAUSE = 1350;       // ms between the last hit and the explosions

enum class Volley { FAN3, FAN4, RING8, RING12, SINGLE, CYCLE };

void Shoot(Enemy& boss, float speed, float angle) {
    Bullet::Spawn(Enemy::EnemyBulletKind[size_t(boss.Type_)], boss.Sprite_, Bullet::SOURCE_ENEMY, 0, speed,
                  angle);
}

void FireVolley(Enemy& boss, Volley volley) {
    switch (volley) {
    case Volley::FAN3:
        Shoot(boss, 400, 0);
        Shoot(boss, 400, -30);
        Shoot(boss, 400, 30);
        break;
    case Volley::FAN4:
        Shoot(boss, 400, -15);
        Shoot(boss, 400, 15);
        Shoot(boss, 400, -45);
        Shoot(boss, 400, 45);
        break;
    case Volley::RING8:
        for (int i = 0; i < 8; ++i)
            Shoot(boss, 500, float(45 * i));
        break;
    case Volley::RING12:
        for (int i = 0; i < 12; ++i)
            Shoot(boss, 300, float(30 * i));
        break;
    case Volley::SINGLE:
        Shoot(boss, 250, Media::RandomFloat(-45, 45));
        break;
    case Volley::CYCLE:
        // BOSS2's last phase: one step of a 19-step cycle (4750 ms) per volley.
        switch (boss.SubState_) {
        case 1:
        case 2:
        case 3:
        case 4:
            FireVolley(boss, Volley::SINGLE);
            break;
        case 8:
            FireVolley(boss, Volley::FAN3);
            break;
        case 12:
            FireVolley(boss, Volley::FAN4);
            break;
        case 16:
            FireVolley(boss, Volley::RING12);
            break;
        case 19:
            boss.SubState_ = 0;
            break;
        }
        ++boss.SubState_;
        break;
    }
    boss.LastFireTime_ = GameTime;
}

// Every `ms`: true when more than that has passed since the last volley or explosion.
bool Every(const Enemy& boss, int ms) {
    return GameTime - boss.LastFireTime_ > ms;
}

// The movements queued at a phase change, starting when the return to the top centre ends.
void QueueWideSweep(Sprite& root) {
    root.AnimateX(0, -300, 2000, Animate::COSINE, 3000);
    root.AnimateX(-300, 300, 4000, SWAY, 5000);
    root.AnimateY(-100, -250, 1000, Animate::COSINE, 3000);
    root.AnimateY(-250, 50, 2000, SWAY, 4000);
}
void QueueTightCircleDeep(Sprite& root) {
    root.AnimateX(-200, 200, 2000, SWAY, 3000, 1000);
    root.AnimateY(-100, 100, 2000, SWAY, 3000);
}
void QueueTightCircle(Sprite& root) {
    root.AnimateX(-200, 200, 2000, SWAY, 3000, 1000);
    root.AnimateY(-100, 50, 2000, SWAY, 3000);
}
void QueueSideSweep(Sprite& root) {
    root.AnimateX(0, -300, 2000, Animate::COSINE, 3000);
    root.AnimateX(-300, 300, 4000, SWAY, 3000, 2000);
}

struct Phase {
    int State;
    double Fraction; // the phase ends when hit points < starting hit points × Fraction (0: below 1)
    Volley Pattern;
    int Interval;                    // ms between volleys
    void (*QueueNext)(Sprite& root); // null for the last phase: death follows
    bool NextIsCycle;                // the next phase counts its steps in SubState_ from 1
};

constexpr std::array<Phase, 3> BOSS1_PHASES{{
    {2, 2.0 / 3.0, Volley::FAN4, 1500, QueueWideSweep, false},
    {3, 1.0 / 3.0, Volley::FAN3, 1000, QueueTightCircleDeep, false},
    {4, 0, Volley::RING8, 2000, nullptr, false},
}};
constexpr std::array<Phase, 5> BOSS2_PHASES{{
    {2, 0.8, Volley::FAN3, 750, QueueWideSweep, false},
    {3, 0.6, Volley::FAN4, 1000, QueueTightCircle, false},
    {4, 0.4, Volley::RING12, 1000, QueueSideSweep, false},
    {5, 0.2, Volley::SINGLE, 250, QueueTightCircle, true},
    {6, 0, Volley::CYCLE, 250, nullptr, false},
}};

const SoundRef& Cry(const Enemy& boss) {
    return boss.Type_ == Enemy::BOSS1 ? Enemy::Boss1CrySound : Enemy::Boss2CrySound;
}

// The jolt of a phase change or of the death blow: a shake, the firing flash and a cry.
void Jolt(Enemy& boss) {
    Level::ShakeSprite(boss.Sprite_, 8, 100, 250, 1000, 25);
    boss.Flash(1.0f);
    Cry(boss)->Play(0.5f, 1.0f, 0);
}

void ChangePhase(Enemy& boss, const Phase& phase) {
    boss.Invincible_ = 1;
    Jolt(boss);
    Powerup::SpawnRandom(boss.Sprite_->X(1), boss.Sprite_->Y(1), 7, 5);
    Sprite& root = *boss.Pivot1_;
    root.AnimatePosition(root.X(0), root.Y(0), 0, -100, PHASE_CHANGE_TIME, Animate::COSINE);
    phase.QueueNext(root);
    if (phase.NextIsCycle) boss.SubState_ = 1;
    boss.SetState(phase.State + 1);
}

void BeginDeath(Enemy& boss) {
    boss.Invincible_ = 1;
    boss.Pivot1_->StopAnimating(Animate::TRANSFORM_POSITION);
    Jolt(boss);
    boss.SetState(boss.Type_ == Enemy::BOSS1 ? 5 : 8);
}

void RunPhase(Enemy& boss, const Phase& phase) {
    const double start = Enemy::EnemyHitPoints[size_t(boss.Type_)];
    const bool last = phase.QueueNext == nullptr;
    if (last ? boss.HitPoints_ < 1 : double(boss.HitPoints_) < start * phase.Fraction) {
        if (last)
            BeginDeath(boss);
        else
            ChangePhase(boss, phase);
        return;
    }
    // The first phase follows the entry at once; later ones wait for the return to the top.
    if (phase.State != 2 && !boss.TimePassed(PHASE_CHANGE_TIME)) return;
    boss.Invincible_ = 0;
    if (Every(boss, phase.Interval)) FireVolley(boss, phase.Pattern);
}

void Enter(Enemy& boss, const EnemyBounds& b) {
    boss.Invincible_ = 1;
    boss.Sprite_->Show();
    Sprite& root = *boss.Pivot1_;
    root.SetOrder(14);
    root.SetScale(0.66f);
    root.SetPosition(0, b.OuterTop, 0);
    root.AnimateY(b.OuterTop, -100, 3000, Animate::EASE_OUT, 3000);
    boss.SetState(1);
}

void StartFight(Enemy& boss) {
    if (!boss.TimePassed(9000)) return;
    boss.Invincible_ = 0;
    boss.Pivot1_->AnimateX(0, -300, 2500, Animate::COSINE);
    boss.Pivot1_->AnimateX(-300, 300, 5000, SWAY, 0, 2500);
    boss.SetState(2);
}

// The first burst of the death: timed powerups end, a deep cry, the first explosion.
void Detonate(Enemy& boss) {
    Powerup::DisableTimed();
    Cry(boss)->Play(0.8f, 0.5f, 0);
    boss.SpawnExplosion(1);
    boss.LastFireTime_ = GameTime;
    boss.Sprite_->StopAnimating(Animate::TRANSFORM_FRAME);
}

// Every 250 ms an explosion somewhere on the boss and a small shake.
void Smoulder(Enemy& boss) {
    if (!Every(boss, 250)) return;
    boss.SpawnExplosion(1);
    boss.LastFireTime_ = GameTime;
    Level::ShakeSprite(boss.Sprite_, 4, 50, 150, 50, 10);
}

// BOSS1 sinks out of the bottom, exploding.
void StepBoss1Death(Enemy& boss, const EnemyBounds& b) {
    if (boss.State_ == 5) {
        if (!boss.TimePassed(DYING_PAUSE)) return;
        Detonate(boss);
        Sprite& root = *boss.Pivot1_;
        root.AnimatePosition(root.X(0), root.Y(0), root.X(0), b.OuterBottom, 5000, Animate::EASE_IN);
        boss.SetState(6);
    } else if (boss.State_ == 6) {
        Smoulder(boss);
        if (boss.TimePassed(5000)) boss.Free();
    }
}

// BOSS2 explodes in place while the music fades, flashes the screen white and bursts in a shock wave.
void StepBoss2Death(Enemy& boss) {
    switch (boss.State_) {
    case 8:
        if (!boss.TimePassed(DYING_PAUSE)) return;
        Detonate(boss);
        Enemy::FadePivot->AnimateAlpha(1, 0, 2500, 0);
        Enemy::SavedMusicVolume = Sound::MusicVolume_;
        boss.SetState(9);
        break;
    case 9:
        Smoulder(boss);
        Sound::SetMusicVolume(Enemy::SavedMusicVolume * Enemy::FadePivot->Alpha(0));
        if (boss.TimePassed(2500)) {
            Sound::StopMusic();
            Sound::SetMusicVolume(Enemy::SavedMusicVolume);
            Enemy::BossExplodeSound->Play(1.0f, 1.0f, 0);
            Background::FlashOverlay->Show();
            Background::FlashOverlay->AnimateAlpha(0, 1, 1500, 0);
            boss.SetState(10);
        }
        break;
    case 10:
        if (boss.TimePassed(2500)) {
            boss.Pivot1_->Hide();
            Background::FlashOverlay->AnimateAlpha(1, 0, 750, Animate::HIDE);
            Sprite::TFormPoint(0, 0, boss.Sprite_.get(), Playfield.get());
            const SpriteRef wave = Sprite::Create(Enemy::ShockwaveImage, 17, Playfield);
            wave->SetPosition(Sprite::TFormedX(), Sprite::TFormedY(), 0);
            wave->SetBlend(Media::LIGHTBLEND);
            wave->AnimateScale(0.1f, 0.66f, 1500, Animate::INVERSE_EXPONENTIAL);
            wave->AnimateColor(255, 196, 255, 255, 0, 255, 1500, Animate::INVERSE_EXPONENTIAL);
            wave->AnimateAlpha(1, 0, 750, Animate::FREE + Animate::INVERSE_EXPONENTIAL, 750);
            boss.SetState(11);
        }
        break;
    case 11:
        if (boss.TimePassed(1500)) boss.Free();
        break;
    }
}

} // namespace

void Boss::Step(Enemy& boss, const EnemyBounds& bounds) {
    if (boss.State_ == 0) {
        Enter(boss, bounds);
        return;
    }
    if (boss.State_ == 1) {
        StartFight(boss);
        return;
    }
    if (boss.Type_ == Enemy::BOSS1) {
        if (boss.State_ >= 2 && boss.State_ <= 4)
            RunPhase(boss, BOSS1_PHASES[size_t(boss.State_ - 2)]);
        else
            StepBoss1Death(boss, bounds);
    } else {
        if (boss.State_ >= 2 && boss.State_ <= 6)
            RunPhase(boss, BOSS2_PHASES[size_t(boss.State_ - 2)]);
        else
            StepBoss2Death(boss);
    }
}

void Boss::Release(const Enemy& boss) {
    if (boss.Type_ != Enemy::BOSS2) return;
    if (boss.State_ == 9) Sound::SetMusicVolume(Enemy::SavedMusicVolume);
    // The flash shows from state 10 on; its fade-out is only started by the boss's next step.
    if (boss.State_ >= 10) Background::HideFlash();
}

// Enemy::Update: the common frame of every enemy (its bounds, the step of its type, the contact
// test with the ship) and the helpers the behaviour families share.
#include "game/enemy_behaviour.h"

#include <algorithm>

#include "game/boss.h"
#include "game/player.h"
#include "game/powerup.h"
#include "media/fatal_error.h"

EnemyBounds EnemyBounds::Of(const Enemy& enemy) {
    EnemyBounds b;
    b.H = std::max(enemy.Sprite_->Width(0), enemy.Sprite_->Height(0)) / 2;
    b.OuterLeft = -400 - b.H;
    b.OuterRight = 400 + b.H;
    b.OuterTop = -250 - b.H;
    b.OuterBottom = 250 + b.H;
    b.InnerLeft = -400 + b.H;
    b.InnerRight = 400 - b.H;
    b.InnerTop = -250 + b.H;
    b.InnerBottom = 250 - b.H;
    return b;
}

namespace EnemyBehaviour {

void Enter(Enemy& enemy) {
    enemy.Sprite_->Show();
    enemy.Pivot1_->SetOrder(14);
    enemy.Pivot1_->SetScale(Enemy::DEFAULT_SCALE);
}

float ShipX() {
    return Player::Ship->X(0);
}
float ShipY() {
    return Player::Ship->Y(0);
}

} // namespace EnemyBehaviour

namespace {

void Step(Enemy& enemy, const EnemyBounds& bounds) {
    using namespace EnemyBehaviour;
    switch (enemy.Type_) {
    case Enemy::SPIDER:
    case Enemy::AMEOBA:
    case Enemy::ROBOT2:
    case Enemy::MINE:
        StepHunter(enemy, bounds);
        break;
    case Enemy::SCARDEY:
    case Enemy::HOPPER2:
    case Enemy::PREDOR:
    case Enemy::SWAMI:
        StepTeleporter(enemy, bounds);
        break;
    case Enemy::ASTEROID_LARGE:
    case Enemy::ASTEROID_MEDIUM:
        StepAsteroid(enemy, bounds);
        break;
    case Enemy::BOSS1:
    case Enemy::BOSS2:
        Boss::Step(enemy, bounds);
        break;
    default:
        StepCrosser(enemy, bounds);
        break;
    }
}

// An enemy that rams the ship destroys it, unless a shield takes the blow; the shield then destroys
// an ordinary enemy without score, but not a boss or an invincible enemy.
void ContactTest(Enemy& enemy) {
    // A fading enemy cannot ram; nor can a boss whose picture has gone at the end of its death.
    if (enemy.Pivot1_->Alpha(0) < 1 || enemy.Pivot1_->Hidden(0)) return;
    if (!Player::Overlaps(enemy.Sprite_)) return;
    if (!Powerup::Active(Powerup::SHIELD)) {
        Player::Explode();
        return;
    }
    Player::DeactivateShield();
    if (enemy.Boss_ || enemy.Invincible_ == 1) {
        Player::Explode();
    } else {
        enemy.SpawnExplosion(0);
        enemy.Free();
    }
}

} // namespace

int Enemy::Update() {
    if (!Linked()) return 0;
    if (!ValidType(Type_)) FatalError("Error in Enemy.Update(): Invalid enemy type!");
    const EnemyRef keep = Self_;
    Step(*this, EnemyBounds::Of(*this));
    if (Linked()) ContactTest(*this);
    return 0;
}

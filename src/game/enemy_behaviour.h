#pragma once
// The behaviour steps behind Enemy::Update: each runs one frame of one family's state machines on
// the enemy's root (Pivot1_), mostly by starting property animations and waiting for them to end.
// A step may free the enemy; the caller holds a reference and tests Linked() afterwards.
//
// Playfield units; H is half the larger side of the enemy's picture (32 for a 64-unit picture).
#include "game/enemy.h"

// The enemy's size and the two boxes about the playfield, measured from its picture each frame.
struct EnemyBounds {
    float H = 0;
    // Just out of sight: a point on this box's edge is hidden.
    float OuterLeft = 0, OuterRight = 0, OuterTop = 0, OuterBottom = 0;
    // Wholly in sight.
    float InnerLeft = 0, InnerRight = 0, InnerTop = 0, InnerBottom = 0;

    static EnemyBounds Of(const Enemy& enemy);
    // Outside the outer box, edges excluded.
    bool Outside(float x, float y) const {
        return x < OuterLeft || x > OuterRight || y < OuterTop || y > OuterBottom;
    }
};

namespace EnemyBehaviour {

// Insects and robots that cross, dive or sway, one type each.
void StepCrosser(Enemy& enemy, const EnemyBounds& bounds);
// SPIDER, AMEOBA, ROBOT2 and MINE: hop about the playfield or home in on the ship.
void StepHunter(Enemy& enemy, const EnemyBounds& bounds);
// SCARDEY, HOPPER2, PREDOR and SWAMI: appear at a spot, attack, fade away, reappear elsewhere.
void StepTeleporter(Enemy& enemy, const EnemyBounds& bounds);
// ASTEROID_LARGE and ASTEROID_MEDIUM: one straight flight down.
void StepAsteroid(Enemy& enemy, const EnemyBounds& bounds);

// The first step of every ordinary entry: the picture shows, root order 14, root scale 0.7.
void Enter(Enemy& enemy);
// The ship's position in Playfield.
float ShipX();
float ShipY();

} // namespace EnemyBehaviour

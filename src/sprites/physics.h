#pragma once
// Physics: once per frame (Sprite::Update, after the animations) every sprite moves by its
// velocity × the frame time, then the collision pass separates, bounces and reports every
// overlapping pair of the declared collision sets. Times are Sprite::TimeStep() / 1000 seconds.
#include "sprites/collision_group.h"
#include "sprites/sprite.h"

class Physics {
public:
    // While paused nothing moves and no collisions are processed.
    static void Pause();
    static void Unpause();
    static int Paused();
    // Integration of every sprite in SpriteList order (local space), then DoCollisions.
    static void UpdateAll();
    // Finds the colliding pairs and resolves them, in alternating order from pass to pass:
    // move back, impulse, then each sprite's callback (itself first). Callbacks may free sprites;
    // a pair with a freed sprite is not resolved further.
    static void DoCollisions();
    // 1 if the sprites overlap under the given shapes.
    static int Colliding(const Sprite& a, const Sprite& b, int shapeA, int shapeB);
    // Impulse response along the normal (nx, ny), or along b→a when it is (0, 0). b may be null
    // (a fixed surface; the normal must then be given). mode 1 adds a push apart for inelastic
    // contacts.
    static void Collide(Sprite& a, Sprite* b, float nx, float ny, int mode);
    // Puts back to its last position each sprite that is not moving away from the other.
    static void MoveBack(Sprite& a, Sprite& b);
    // Unpaused, order flag cleared, sets and pairs forgotten (tests).
    static void ResetAll();
};

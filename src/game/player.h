#pragma once
// Player: the player's ship. One ship sprite (with an exhaust flame and a shield bubble as
// children) under Playfield, steered by relative mouse movement and firing upward with the left
// button. The class owns the lives, the health of the current ship, the weapon level, the
// invulnerability after a respawn, the two afflictions enemy fire causes (slowed movement,
// reversed horizontal control) and the statistics counters of the level and of the game.
//
// There are no Player objects: all state is class-wide and public, because the game flow resets
// it for a new game and the statistics screens read it. Positions are Playfield units (x −400 …
// 400, y −250 top … 250 bottom), times are ms of GameTime, velocities units per second.
// Everything here is valid after Init (called once by the resource loading, after Playfield
// exists) and is kept for the whole run.
#include <array>
#include <cstdint>

#include "media/media.h"
#include "presentation/sound.h"
#include "sprites/sprite.h"

class Player {
public:
    // The ship is hit only through this box about its centre (unscaled ship units), so most of
    // the wings cannot be hit.
    static constexpr float COLLISIONBOX_X1 = -6.0f;
    static constexpr float COLLISIONBOX_Y1 = -6.0f;
    static constexpr float COLLISIONBOX_WIDTH = 13.0f;
    static constexpr float COLLISIONBOX_HEIGHT = 24.0f;
    static constexpr int MAX_LIVES = 5;
    static constexpr int DEFAULT_LIVES = 3;
    static constexpr int MAX_HEALTH = 3;
    static constexpr int DEFAULT_HEALTH = 3;
    // Each laser level equals the Bullet kind it fires (Bullet::LASER1 … LASER4, ROCKET).
    static constexpr int WEAPON_LASER1 = 0;
    static constexpr int WEAPON_LASER2 = 1;
    static constexpr int WEAPON_LASER3 = 2;
    static constexpr int WEAPON_LASER4 = 3;
    static constexpr int WEAPON_ROCKET = 4;

    // Loads the ship, flame, shield and trail pictures and the two sounds and creates the
    // sprites: afterwards the ship exists, hidden, with frame 7 (level flight).
    static void Init();
    // Once per frame of play (from Level::Update): automatic and manual fire, steering from
    // PointerDX/PointerDY, banking, the flame and the blinking after a respawn. Does nothing
    // while the ship is destroyed.
    static void Update();

    // Starts 51 blink steps of 50 ms during which the ship cannot be hit.
    static void MakeInvincible();
    // A fresh ship rises from below the screen to (0, 236) in 1000 ms, at full health and
    // invulnerable. It can fire during the rise but does not steer.
    static void Respawn();
    // 1 when `sprite`'s picture touches the ship's small hit box; 0 while the ship is
    // invulnerable or hidden, or for a null sprite.
    static int Overlaps(const SpriteRef& sprite);
    // Destroys the ship outright, whatever its health: explosion, sound, the playfield shakes,
    // the weapon falls back to LASER1, every powerup and the shield end, and a life is lost.
    static void Explode();
    static void Show();
    static void Hide();
    static int Hidden(); // the ship's inherited hidden state
    // Lives += delta, at most MAX_LIVES and at least 0. A loss respawns the ship, or with no life
    // left hides it and puts the level into its player-lost state; a gain shows "Extra Life!".
    static void AdjustLives(int delta);
    // The ship turns flat white and fades back in 375 / speed ms (speed > 0).
    static void Flash(float speed);
    static void SetHealth(int health);
    // Healing (delta > 0) always applies, at most MAX_HEALTH, and shows "+n Health". Damage
    // applies only without a shield; with a shield the shield absorbs the whole hit instead.
    // Health below 1 explodes the ship.
    static void AdjustHealth(int delta);
    // The scoreboard reads Health itself, so there is nothing to refresh.
    static void UpdateHealthDisplay() {}
    // One volley of the weapon (WEAPON_LASER1 … WEAPON_ROCKET) from the ship; other values fire
    // nothing. Every call counts as one shot.
    static void Fire(int weapon);
    // Shows the shield bubble with a pop-in (0 → 1.5 in 200 ms, → 1 in 100 ms).
    static void ActivateShield();
    // Hides the shield, switches the shield powerup off and plays the pop.
    static void DeactivateShield();

    static inline Media::ImageRef ShipImage;                  // 15 frames of 64 × 64, frame 7 level
    static inline SpriteRef Ship;                             // child of Playfield, order 12, "Player"
    static inline std::array<Media::ImageRef, 4> FlameImages; // smallest … largest flame
    static inline SpriteRef Flame;                            // child of Ship, behind it
    static inline SpriteRef Shield;                           // child of Ship, hidden until taken
    static inline SoundRef ExplodeSound, ShieldPopSound;
    static inline Media::ImageRef TrailImage; // particles of the reversed-controls trail

    // Velocity that moves the ship, and a second one with the same target that banks it (and is
    // never stopped at the edges, so the ship stays banked against an edge).
    static inline float ShipVx = 0, ShipVy = 0;
    static inline float BankVx = 0, BankVy = 0;

    static inline int Invincible = 0;        // 1 during the blinking after a respawn
    static inline int InvincibleFlashes = 0; // blink steps so far
    static inline int NextFlashTime = 0;     // GameTime of the next blink step
    static inline int Lives = 0;             // 0 … MAX_LIVES
    static inline int Health = 0;            // at most MAX_HEALTH
    static inline int Weapon = WEAPON_LASER1;
    // GameTime of the last slowing hit (slime, egg) and reversing hit (wave); each affliction
    // lasts 1000 ms. −65536 means long ago.
    static inline int SlowedTime = -65536;
    static inline int ReversedTime = -65536;
    // When the main gun and the rocket powerup may fire again.
    static inline int NextFireTime = 0;
    static inline int NextRocketTime = 0;

    // Statistics of the current level (reset when a level's first wave loads) and of the game
    // (reset by a new game): enemies created, enemies destroyed, powerups released, powerups
    // collected, volleys fired, player bullets that struck an enemy.
    static inline int LevelEnemies = 0, LevelKills = 0, LevelPowerups = 0, LevelCollected = 0, LevelShots = 0,
                      LevelHits = 0;
    static inline int TotalEnemies = 0, TotalKills = 0, TotalPowerups = 0, TotalCollected = 0, TotalShots = 0,
                      TotalHits = 0;
    // The active save slot's score before the game began.
    static inline int64_t PreviousScore = 0;
    // 1 once the last level has been finished.
    static inline int GameCompleted = 0;
};

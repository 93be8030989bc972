#pragma once
// Bullet: every projectile of the game, the player's four laser levels and homing rockets and the
// enemies' and bosses' shots. A bullet is a sprite under Playfield (order 8) plus its kind; its
// flight is set up once when it is spawned (animations, or a velocity for rockets). Once per
// frame Update steers the rockets, frees bullets whose flight is over or that left the screen,
// and resolves hits: player bullets against enemies and powerups, enemy bullets against the ship.
//
// Ownership: BulletList keeps every live bullet from Create until Free; a freed bullet has
// neither sprite nor link and may still be referenced safely. Positions are Playfield units,
// times ms of GameTime, speeds units per second, angles degrees.
#include <array>
#include <memory>

#include "media/media.h"
#include "presentation/sound.h"
#include "sprites/intrusive_list.h"
#include "sprites/sprite.h"

class Bullet;
using BulletRef = std::shared_ptr<Bullet>;

class Bullet {
public:
    static constexpr int BULLETS = 17; // kind slots 0 … 16
    static constexpr int LASER1 = 0;
    static constexpr int LASER2 = 1;
    static constexpr int LASER3 = 2;
    static constexpr int LASER4 = 3;
    static constexpr int ROCKET = 4;
    static constexpr int WAVE = 5;
    static constexpr int BOSS1 = 6;
    static constexpr int SLIME = 7;
    static constexpr int BOSS2 = 9;
    static constexpr int BOLT = 12;
    static constexpr int EGG = 16;
    // Kinds 8, 10, 11, 13, 14 and 15 have no behaviour: Spawn rejects them.

    static constexpr int SOURCE_ALL = 0;
    static constexpr int SOURCE_PLAYER = 1;
    static constexpr int SOURCE_ENEMY = 2;

    static constexpr int SLIME_TIME = 1000; // ms the ship stays slowed
    static constexpr int WAVE_TIME = 1000;  // ms the ship's control stays reversed

    // Fills the per-kind tables and loads the pictures (each optional), the rocket smoke
    // (required) and the sounds.
    static void Init();
    // One bullet of `kind` (0 … BULLETS − 1) appended to BulletList, frame animation started, not
    // yet placed.
    static BulletRef Create(int kind, int source);
    // Fires one volley of `kind` from the origin of `sprite` (not null) and plays its sound once.
    // flag, speed (> 0) and angle (0 = straight down, positive toward −x) matter only for BOSS1
    // and BOSS2; other callers pass 0. An invalid kind is fatal. A bullet whose picture failed
    // to load is freed at once (logged the first time for its kind).
    static void Spawn(int kind, const SpriteRef& sprite, int source, int flag, float speed, float angle);
    // Places this bullet at (x, y) and starts its flight; flag picks a bullet's part of a volley
    // (Spawn passes it). An invalid boss flag is fatal.
    void AnimatePosition(float x, float y, int flag, float speed, float angle);
    // Starts the kind's frame animation.
    void AnimateFrames();
    // Once per frame of play: rockets home, finished bullets go, hits are resolved.
    static void Update();
    // Frees the sprite and leaves BulletList; a second call does nothing.
    void Free();
    static void FreeAll();

    static IntrusiveList<Bullet>& BulletList();

    // Per-kind tables (index = kind), filled by Init.
    static inline std::array<Media::ImageRef, BULLETS> BulletImages;
    static inline std::array<int, BULLETS> BulletFrameSize{};
    static inline std::array<int, BULLETS> BulletFrameCount{};
    static inline std::array<int, BULLETS> BulletFrameTime{};
    static inline std::array<int, BULLETS> BulletFrameFlags{};
    static inline std::array<SoundRef, BULLETS> BulletSounds;
    static inline Media::ImageRef SmokeImage;

    int Type_ = 0;
    SpriteRef Sprite_;        // none after Free
    ListLink<Bullet> Link_;   // node in BulletList
    int Source_ = SOURCE_ALL; // who fired; recorded only (behaviour follows the kind)

private:
    BulletRef Self_; // the list's owning reference while linked
};

#pragma once
// Enemy: every hostile object of a level (insect and robot aliens, two sizes of asteroid, two
// bosses). The class owns the catalogue of the 31 types with their per-type data, the creation of an
// enemy and its three sprites, the list of live enemies, the firing clock with its recoil, the hit
// flash, and what happens when an enemy takes damage or dies. The frame-by-frame behaviour of each
// type is Update (enemy_behaviour.cpp; the bosses in boss.cpp).
//
// Ownership: enemies are held through EnemyRef. The class-wide EnemyList keeps every enemy alive
// from Create until Free; Free frees the enemy's sprites and unlinks it. A freed enemy that is still
// referenced stays a valid object, and every operation on it does nothing (Free included).
//
// Units: positions are local positions in Playfield (x -400..400, y -250 top ..250 bottom) unless
// "screen" is said (virtual screen 0..800 × 0..500); times are ms of GameTime; angles in degrees.
#include <array>
#include <cstdint>
#include <memory>

#include "presentation/sound.h"
#include "sprites/intrusive_list.h"
#include "sprites/sprite.h"

class Enemy;
using EnemyRef = std::shared_ptr<Enemy>;

class Enemy {
public:
    // [SECTION] Types
    static constexpr int SPIDER = 0;
    static constexpr int BIRDY = 1;
    static constexpr int MANTIS = 2;
    static constexpr int CLAMPER = 3;
    static constexpr int APHID = 4;
    static constexpr int SCREECHER = 5;
    static constexpr int SLIMEY = 6;
    static constexpr int EGGPLANT = 7;
    static constexpr int SKEETER = 8;
    static constexpr int ROBOT1 = 9;
    static constexpr int SCARDEY = 10;
    static constexpr int AMEOBA = 11;
    static constexpr int BOUNCER = 12;
    static constexpr int ROBOT2 = 13;
    static constexpr int LADYBUG_LEFT = 14;
    static constexpr int LADYBUG_RIGHT = 15;
    static constexpr int HORNET = 16;
    static constexpr int MINE = 17;
    static constexpr int MENTALIST = 18;
    static constexpr int PREDOR = 19;
    static constexpr int HOPPER = 20;
    static constexpr int LARVAE = 21;
    static constexpr int SWIMMER = 22;
    static constexpr int MOTH = 23;
    static constexpr int HOPPER2 = 24;
    static constexpr int SWAMI = 25;
    static constexpr int ROBOT3 = 26;
    static constexpr int ASTEROID_LARGE = 27;
    static constexpr int ASTEROID_MEDIUM = 28;
    static constexpr int BOSS1 = 29;
    static constexpr int BOSS2 = 30;
    static constexpr int ENEMIES = 31; // number of types

    static constexpr int RELOAD_MIN = 1000; // ms, bounds of the random firing interval
    static constexpr int RELOAD_MAX = 5000;
    static constexpr float DEFAULT_SCALE = 0.7f; // root scale of every spawned enemy

    // 1 for a valid type constant.
    static bool ValidType(int type) { return type >= 0 && type < ENEMIES; }

    // Only Create can make the key: every enemy is linked into EnemyList by it.
    class ConstructionKey {
        friend class Enemy;
        ConstructionKey() = default;
    };
    explicit Enemy(ConstructionKey) {}
    Enemy(const Enemy&) = delete;
    Enemy& operator=(const Enemy&) = delete;

    // [SECTION] Class operations

    // Once while the game loads (after Level::Init): loads the 31 pictures (optional), the four
    // sounds and the shockwave picture, creates FadePivot and installs the EnemiesOnScreen hook.
    static void Init();
    // A new enemy of the type with its sprites, appended to EnemyList, not yet placed or shown.
    // Counts towards SpawnCount and the enemy statistics. A type outside 0..30 is fatal.
    static EnemyRef Create(int type);
    // Create, then placed at the screen position (x, y) under Playfield (local (x - 400, y - 250)
    // while Playfield rests at the centre), order 10, scale 0.7, its picture hidden until its entry;
    // flags 0 from the level, -1 or +1 for the halves of a split asteroid. An enemy whose type has no
    // picture (the file failed to load) is freed at once, still counted (logged once per type).
    static EnemyRef Spawn(int type, int flags, float x, float y);
    // Update of every enemy in list order; enemies freed or spawned during the pass are handled.
    static void UpdateAll();
    // Live enemies of the type.
    static int Count(int type);
    // Kill on every live enemy (the skip-wave key).
    static void KillAll();
    // Free on every live enemy, without score or effects (a level is left).
    static void FreeAll();
    // Every live enemy in creation order.
    static IntrusiveList<Enemy>& EnemyList();

    // [SECTION] Instance operations (each does nothing on a freed enemy)

    // Starts the picture's frame animation with a start age of the type's frame time × phase.
    void AnimateFrames(float phase);
    // Does nothing; returns 0.
    int AnimateBounce(float, float) { return 0; }
    // One frame of the type's behaviour, then the contact test with the ship; returns 0.
    // A type outside 0..30 is fatal.
    int Update();
    // Frees the sprites and unlinks the enemy; no score, no effects.
    void Free();
    // Destroyed by the skip-wave key: explosion, a possible powerup (3 groups, chance 5), the plain
    // score, then Free. Not counted as destroyed.
    void Kill();
    // White fog fading out over 375 / strength ms (hit: 2, firing: 1).
    void Flash(float strength);
    // 1 when the firing clock ran out this frame (a shot is taken only from inside the window
    // -368 < x < 368, -268 < y < 268); a new interval of 1000..5000 ms is drawn either way.
    int FireWhenReady();
    // 1 once 900 ms have passed since the last shot.
    int NotFiring() const;
    void SetState(int state);
    // 1 when ms have passed since the last SetState.
    int TimePassed(int ms) const;
    // One explosion at the picture's centre (random 0) or at a random point of its frame.
    void SpawnExplosion(int random);
    // Damage (negative) or healing. Reaching 0 hit points destroys the enemy: the score × 1, 2 or 4
    // (BARREL, SNEAKER), a possible powerup (7 groups, chance 5), the asteroid split; a boss only
    // scores here, once, and plays its own death. A SLIMEY hurt while not firing fires back.
    void AdjustHealth(int delta);

    // True until Free.
    bool Linked() const { return Link_.Linked; }

    // [SECTION] Fields (behaviours, bullets and tests read them)

    ListLink<Enemy> Link_;        // node in EnemyList
    int Type_ = 0;                // type constant
    int State_ = 0;               // behaviour state, 0 at creation
    int LastStateChangeTime_ = 0; // ms: GameTime of the last SetState
    int SubState_ = 0;            // step counter within a state (BOSS2's last phase)
    SpriteRef Pivot1_;            // root, child of Playfield; moves the enemy as a whole
    SpriteRef Pivot2_;            // child of Pivot1_: an offset that leaves the root's path alone
    SpriteRef Sprite_;            // child of Pivot2_, the picture: collides, flashes, recoils
    int LastFireTime_ = 0;        // ms
    int NextFireTime_ = 0;        // ms: earliest time of the next shot
    int Invincible_ = 0;          // 1: bullets do not hurt it, a shield does not save the ship
    int Boss_ = 0;                // 1 for BOSS1 and BOSS2
    int Flags_ = 0;               // flags given to Spawn
    int HitPoints_ = 0;           // remaining hit points
    int Divisions_ = 0;           // divisions behind this AMEOBA (copied to its child)

    // [SECTION] Class-wide state

    // Per-type table, indexed by type.
    static const std::array<int, ENEMIES> EnemyFrameSize;  // square frame, pixels
    static const std::array<int, ENEMIES> EnemyFrameCount; // frames in the strip
    static const std::array<int, ENEMIES> EnemyFrameTime;  // ms for one pass of the frames
    static const std::array<int, ENEMIES> EnemyFrameFlags; // Animate flags of the frame animation
    static const std::array<float, ENEMIES> EnemySpeed;    // units per second (asteroids' flight)
    static const std::array<int, ENEMIES> EnemyBulletKind; // Bullet kind fired
    static const std::array<int, ENEMIES> EnemyHitPoints;  // starting hit points
    static const std::array<int, ENEMIES> EnemyScore;      // points when destroyed

    static inline std::array<Media::ImageRef, ENEMIES> EnemyImages; // null where the file is missing
    // Enemies created since the current wave was loaded (the level resets it).
    static inline int SpawnCount = 0;
    static inline SoundRef DivideSound, Boss1CrySound, Boss2CrySound, BossExplodeSound;
    static inline Media::ImageRef ShockwaveImage; // BOSS2's final shock wave; may be null
    // Image-less, parentless sprite whose alpha fades the music when BOSS2 dies.
    static inline SpriteRef FadePivot;
    static inline float SavedMusicVolume = 0; // the music volume in force before that fade

private:
    EnemyRef Self_; // the list's owning reference while linked
};

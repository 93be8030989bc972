#pragma once
// One-shot animated effects of the play scene: explosions, slime and egg splats, shock waves and
// sparks. An effect plays its 16 frames once in 500 ms at a point of the playfield (order 17,
// above bullets, powerups and the ship) and is freed on the first Update after its animations
// end. A kind whose picture is missing still lives its 500 ms, invisibly.
//
// Ownership: the class-wide EffectList keeps every live effect (through the effect's own
// reference to itself) from Create until Free; handles held elsewhere stay valid objects whose
// Sprite_ is null after Free.
#include <memory>

#include "media/media.h"
#include "presentation/sound.h"
#include "sprites/intrusive_list.h"
#include "sprites/sprite.h"

class Effect;
using EffectRef = std::shared_ptr<Effect>;

class Effect {
public:
    static constexpr int EFFECTS = 6;
    static constexpr int EXPLOSION = 0;
    static constexpr int SLIME_GREEN = 1;
    static constexpr int SLIME_PURPLE = 2; // no picture or sound; nothing spawns it
    static constexpr int EGGSPLOSION = 3;
    static constexpr int SHOCKWAVE = 4;
    static constexpr int SPARK = 5;

    // Size factors for Spawn.
    static constexpr float LARGE = 2.0f;
    static constexpr float MEDIUM = 1.0f;
    static constexpr float SMALL = 0.5f;

    // Loads the pictures (optional) and sounds. Called once by the start-up loading.
    static void Init();
    // A new effect of `kind` with its sprite under Playfield, appended to EffectList; nothing is
    // placed or animated yet. Fatal for a kind outside 0..EFFECTS − 1.
    static EffectRef Create(int kind);
    // Starts one effect at (x, y) in playfield units, scaled by `size` (slime splats at half
    // that), drifting at (vx, vy) units per second for its life; plays its sound.
    static void Spawn(int kind, float size, float x, float y, float vx, float vy);
    // Places the sprite and lets it drift for the effect's life; `flag` is ignored.
    void AnimatePosition(float x, float y, float vx, float vy, int flag);
    // Starts the frame animation (and the shock wave's overbright fade).
    void AnimateFrames();
    // Frees every effect whose animations have ended. Once per frame of play.
    static void Update();
    // Frees the sprite and leaves EffectList; a second call does nothing.
    void Free();
    static void FreeAll();

    static IntrusiveList<Effect>& EffectList();

    static inline Media::ImageRef EffectImages[EFFECTS];
    static inline int EffectFrameCount[EFFECTS] = {};
    static inline int EffectFrameTime[EFFECTS] = {}; // ms: the life of an effect
    static inline int EffectFrameFlags[EFFECTS] = {};
    static inline SoundRef EffectSounds[EFFECTS];

    SpriteRef Sprite_;
    int Type_ = 0;
    ListLink<Effect> Link_;

private:
    EffectRef Self_; // the list's owning reference while linked
};

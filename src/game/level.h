#pragma once
// The play of one wave. The game has 11 levels of 5 waves; a stage index numbers the waves
// through the game: stage = (level − 1) × 5 + (wave − 1), so 0 is level 1 wave 1 and 54 is level
// 11 wave 5. Levels 5 and 11 end with a boss in their fifth wave.
//
// Level reads the wave's enemy list from "data\level<N>.dat", spawns enemies from it at a rate
// and in bursts that grow with the stage, decides when the wave is over, stages the boss fights
// and the level-complete and game-over sequences, and once per frame updates every gameplay
// object in a fixed order. It also offers the transient texts and the sprite shakes that
// gameplay code uses.
//
// States (State, with the GameTime of the last change): 0 spawning, 1 burst, 2 clearing,
// 3 level complete, 4 player lost, 5 game over starts, 6 game over shown, 7 boss approach,
// 8 boss fight. Times are GameTime milliseconds; texts use screen units (0..800 × 0..500).
//
// All state is class-wide; there are no Level objects.
#include <cstdint>
#include <string>
#include <vector>

#include "presentation/sound.h"
#include "sprites/sprite.h"

class Level {
public:
    static constexpr int WavesPerLevel = 5;
    static constexpr int Levels = 11;
    static constexpr int Stages = WavesPerLevel * Levels;

    // Quota and MaxEnemies of a stage (0..Stages − 1).
    struct Difficulty {
        int Quota;      // enemies the wave creates before it stops spawning
        int MaxEnemies; // the most live enemies while spawning
    };
    static Difficulty DifficultyOf(int stage);

    // Loads GameOverSound. Called once by the start-up loading (after Background::Init).
    static void Init();
    // Loads Stage + 1. Fatal when Stage is already the last stage.
    static void LoadNext();
    // Loads `stage`: difficulty, the wave's enemy list (a missing file or a corrupt one is
    // fatal), the scenery, the captions, the music on wave 1, the timers; enters state 0.
    // Returns 1.
    static int LoadLevel(int stage);
    // One frame of play (game state 14).
    static void Update();
    // An enemy type of the current wave, chosen uniformly from EnemyTypes; a LADYBUG_LEFT turns
    // into LADYBUG_RIGHT half the time.
    static int SelectEnemy();
    // Frees every enemy, powerup, bullet, effect, transient text and pending award; called when
    // a game is left.
    static void Free();

    // A transient text at screen position (x, y); style 0..7 picks the font and animation
    // (0 points flying to the score, 1 multiplier, 2 fading, 3 rising, 4 static, 5 level
    // caption, 6 wave caption, 7 centred banner text). The text's sprites are named "text".
    static void SpawnText(const std::string& text, float x, float y, int style);
    // Shows `points` with thousands separators as a SpawnText of style `mode` at screen position
    // (x, y); mode 0 adds them to the score with a 1000 ms delay on the board, mode 1 at once,
    // modes 2 and 3 add nothing.
    static void SpawnPoints(int64_t points, float x, float y, int mode);
    // Jitters the sprite about its local position for attack + sustain + decay ms in steps of
    // `step` ms and returns it there; amplitude in the sprite's parent units.
    static void ShakeSprite(const SpriteRef& sprite, float amplitude, int attack, int sustain, int decay,
                            int step);
    // A short hard shake (shorter for a larger strength); does nothing while the sprite's
    // position is already animated.
    static void Slam(const SpriteRef& sprite, float strength);

    static void SetState(int state);
    // 1 when at least `ms` have passed since the last SetState.
    static int TimePassed(int ms);
    static int ThisLevel() { return Stage / WavesPerLevel + 1; }
    static int ThisWave() { return Stage % WavesPerLevel + 1; }
    // The blend factor of the difficulty ranges (always the upper end).
    static float Success() { return 1.0f; }

    static inline int Stage = -1;
    static inline float ScrollY = 0;
    static inline int Quota = 0;
    static inline int MaxEnemies = 0;
    static inline int NextSpawnTime = 0, NextBurstTime = 0, NextBurstSpawnTime = 0;
    static inline int BurstCount = 0;
    static inline int BurstType = 0;
    static inline int State = 0;
    static inline int LastStateChangeTime = 0;
    static inline std::vector<int> EnemyTypes;
    static inline SoundRef GameOverSound;
};

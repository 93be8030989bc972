#pragma once
// Powerup: the item a destroyed enemy may drop: fruit that heals, treasure that scores, and
// equipment that changes the ship for a while. An item is thrown upward, falls under gravity,
// sparkles and can be kept in the air by shooting it (each counted shot raises its points
// multiplier; the fifth destroys it). The ship collects it by touching it. The class also keeps,
// per kind, when it was last collected: Active(kind) turns those times into the timed states the
// ship, the sound player and the frame loop consult.
//
// Ownership: PowerupList keeps every live item from Create until Free; a freed item has no link
// and its sprites are gone. Positions are Playfield units unless "screen" is said, times ms of
// GameTime.
#include <array>
#include <memory>

#include "media/media.h"
#include "presentation/sound.h"
#include "sprites/intrusive_list.h"
#include "sprites/sprite.h"

class Powerup;
using PowerupRef = std::shared_ptr<Powerup>;

class Powerup {
public:
    static constexpr int WATERMELON = 0; // +3 health
    static constexpr int APPLE = 1;      // +1 health
    static constexpr int MONEYBAG = 2;
    static constexpr int ROCKET = 3; // automatic rockets for 7000 ms
    static constexpr int BARREL = 4; // automatic LASER4 fire for 7000 ms
    static constexpr int GEM1 = 5;
    static constexpr int GEM2 = 6;
    static constexpr int GEM3 = 7;
    static constexpr int SHIELD = 8; // lasts until it absorbs a hit
    static constexpr int EXTRALIFE = 9;
    static constexpr int SNEAKER = 10; // game time runs 1.25 times faster for 11000 ms
    static constexpr int MUG = 11;     // weapon + 1
    static constexpr int POWERUPS = 12;

    // Loads the pictures (required) and sounds, and installs the speed hook of the frame loop.
    static void Init();
    // A new item of `kind` (0 … POWERUPS − 1; other kinds are fatal) with its sprite and hidden
    // indicator, appended to PowerupList. Not yet placed or thrown.
    static PowerupRef Create(int kind);
    // Throws one item (a shower of one to three random gems for a gem kind) into the air from
    // screen position (x, y), and counts it in the statistics.
    static void Spawn(int kind, float x, float y);
    // With chance 1 in `chance`, drops one item at screen position (x, y), chosen by weight from
    // the groups: bit 1 treasure, bit 2 food, bit 4 equipment.
    static void SpawnRandom(float x, float y, int groups, int chance);
    // Kicks the item upward at `strength` units per second, tilted up to 22.5° toward the middle.
    void ApplyImpulse(float strength);
    // Once per frame of play: Update on every item.
    static void UpdateAll();
    // Gravity, sparkles, the off-screen indicator, collection by the ship, falling out.
    void Update();
    // An explosion at the item's place (its fifth counted shot).
    void SpawnExplosion();
    // Frees both sprites and leaves PowerupList; a second call does nothing.
    void Free();
    static void FreeAll();
    // Switches every kind off (the shield's record included).
    static void DisableAll();
    // Switches the timed kinds (ROCKET, BARREL, SNEAKER) off.
    static void DisableTimed();
    // Flat white that fades in 375 / speed ms (speed > 0).
    void Flash(float speed);
    // 1 while the kind's state runs: ROCKET and BARREL for 7000 ms after collection, SNEAKER for
    // 11000 ms, every other kind from collection until switched off. 0 for an invalid kind.
    static int Active(int kind);
    // 1 when an item of that kind is in PowerupList.
    static int Exists(int kind);

    static IntrusiveList<Powerup>& PowerupList();

    static inline std::array<Media::ImageRef, POWERUPS> PowerupImages;
    static inline std::array<Media::ImageRef, POWERUPS> IndicatorImages;
    // The three gems share GEM1's sound; the MUG entry is replaced at each collection by the
    // MugSounds entry of the weapon level it upgrades from.
    static inline std::array<SoundRef, POWERUPS> PowerupSounds;
    static inline std::array<SoundRef, 4> MugSounds;
    // GameTime at which each kind was last collected; 0 = never or switched off.
    static inline std::array<int, POWERUPS> ActivationTimes{};

    ListLink<Powerup> Link_; // node in PowerupList
    int Type_ = 0;
    SpriteRef Sprite_;    // child of Playfield, order 9, "Powerup"
    SpriteRef Indicator_; // marker at the top edge while the item is above the screen
    int Hits_ = 0;        // counted shots so far (0 … 4); the points multiplier is Hits_ + 1
    int LastHitTime_ = 0; // GameTime of the last counted shot

private:
    PowerupRef Self_; // the list's owning reference while linked
};

#pragma once
// Animate: property animation. A record drives one numeric property of one sprite from a start
// value to an end value over a time in milliseconds, with an optional trigger delay, looping,
// ping-pong, reversal, an easing curve and an end action. Records are started through the
// Sprite animation operations (Sprite::AnimateX …) or Animate::Create and advanced once per frame
// by UpdateAll (from Sprite::Update) with Sprite::TimeStep().
//
// Ownership: the program-wide AnimationList owns every record until it ends (each sprite also
// lists its own records, for its queries and stops); a record holds its sprite and never outlives
// it (Sprite::Free ends all of the sprite's records). Nobody else holds records, so Create returns
// nothing. Ended records are recycled, so a steady game allocates none.
#include <string>

#include "media/media.h"
#include "sprites/intrusive_list.h"
#include "sprites/sprite.h"

class Animate {
public:
    static constexpr float DEFAULT_EXPONENT = 2.0f;
    static constexpr float DEFAULT_OSCILLATIONS = 1.0f;

    // Property codes; 0, 1, 5 and 8 are selectors for groups and never stored in a record.
    static constexpr int TRANSFORM_ALL = 0;
    static constexpr int TRANSFORM_POSITION = 1; // X and Y
    static constexpr int TRANSFORM_X = 2;
    static constexpr int TRANSFORM_Y = 3;
    static constexpr int TRANSFORM_ROTATION = 4;
    static constexpr int TRANSFORM_SCALE = 5; // ScaleX and ScaleY
    static constexpr int TRANSFORM_SCALEX = 6;
    static constexpr int TRANSFORM_SCALEY = 7;
    static constexpr int TRANSFORM_COLOR = 8; // R, G and B
    static constexpr int TRANSFORM_R = 9;
    static constexpr int TRANSFORM_G = 10;
    static constexpr int TRANSFORM_B = 11;
    static constexpr int TRANSFORM_ALPHA = 12;
    static constexpr int TRANSFORM_FOG = 13;
    static constexpr int TRANSFORM_FOGR = 14;
    static constexpr int TRANSFORM_FOGG = 15;
    static constexpr int TRANSFORM_FOGB = 16;
    static constexpr int TRANSFORM_FRAME = 17;
    static constexpr int TRANSFORM_ORDER = 18;

    // Flags (combine by addition). At most one curve flag (COSINE … INVERSE_EXPONENTIAL); FREE
    // and HIDE exclude each other.
    static constexpr int LOOP = 1;                  // repeats for ever
    static constexpr int PINGPONG = 2;              // every second pass backwards; alone: ends at the start
    static constexpr int REVERSE = 4;               // progress t runs as 1 - t
    static constexpr int COSINE = 8;                // cosine S-curve
    static constexpr int EASE_IN = 16;              // half-cosine, slow start
    static constexpr int EASE_OUT = 32;             // half-cosine, slow end
    static constexpr int EXPONENTIAL = 64;          // t ^ exponent
    static constexpr int INVERSE_EXPONENTIAL = 128; // t ^ (1 / exponent)
    static constexpr int FREE = 256;                // frees the sprite at the end
    static constexpr int HIDE = 512;                // hides the sprite at the end
    static constexpr int SHOW = 1024;               // shows the sprite when triggered

    // Starts a record (delay goes to the trigger delay). SHOW with no delay shows the sprite at
    // once; with no delay the start value is applied at once. The exponent set by SetExponent
    // applies to this record only.
    static void Create(const SpriteRef& sprite, int transform, float start, float end, int time, int flags,
                       int delay, int startAge, const Media::ImageRef& newImage, const std::string& name);
    static void StopAll();
    // Pause / unpause every existing record (records created later start unpaused).
    static void PauseAll();
    static void UnpauseAll();
    // Advances every record by one frame in creation order; records freed during the pass before
    // their turn are skipped.
    static void UpdateAll();
    // 1 if a record whose sprite's name equals `name` exactly matches the selector.
    static int Animating(const std::string& name, int selector);

    // Easing curves, also used directly by gameplay motion code.
    static float TweenLinear(float a, float b, float t);
    // n successive cosine S-curves, each rising by 1/n.
    static float TweenCosine(float a, float b, float t, float oscillations);
    // mode 0: slow start, mode 1: slow end, other: linear.
    static float TweenHalfCosine(float a, float b, float t, int mode);
    static float TweenExponential(float a, float b, float t, float exponent);
    // (v - a) / (b - a); 0 when b equals a.
    static float InverseTween(float a, float b, float v);
    // 1 if the selector (a code or group code) covers the record code.
    static int TransformTypeMatch(int selector, int code);
    // Ends every started record of `sprite` whose code matches `code`.
    static void FreeTriggered(Sprite& sprite, int code);
    // The exponent of the next Create only (then back to DEFAULT_EXPONENT).
    static void SetExponent(float exponent);

    // Number of live records.
    static int Count();
    // Ends every record and clears the class-wide state (tests).
    static void ResetAll();

    ListLink<Animate> Link_; // node in AnimationList

private:
    friend class Sprite;
    friend struct AnimateBySprite;
    Animate() = default;
    void Free();
    void Update();
    void Set(float t);
    bool Ended() const;
    void Apply(float value);
    // Frees the matching records of one sprite (selector semantics of TransformTypeMatch).
    static void StopMatching(Sprite& sprite, int selector, bool startedOnly);
    // Returns ended records to the pool; only when no pass is running.
    static void Recycle();

    // The fields every update reads come first, next to the list node.
    SpriteRef Sprite_;
    int Age_ = -1;
    int Time_ = 0;
    int Flags_ = 0;
    int Transform_ = 0;
    int TriggerDelay_ = 0;
    int Paused_ = 0;
    float Speed_ = 1;
    float StartValue_ = 0, EndValue_ = 0;
    float Exponent_ = DEFAULT_EXPONENT;
    float Oscillations_ = DEFAULT_OSCILLATIONS;
    int StartAge_ = 0;
    Media::ImageRef NewImage_;
    std::string Name_;
    ListLink<Animate> SpriteLink_; // node in its sprite's list of records
};

// Names a record's node in its sprite's list.
struct AnimateBySprite {
    static ListLink<Animate>& Of(Animate& record) { return record.SpriteLink_; }
};

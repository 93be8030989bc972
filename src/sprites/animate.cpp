// [SECTION] index: records and the list, the frame, curves, queries, Sprite animation operations.
#include "sprites/animate.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "media/fatal_error.h"
#include "sprites/sprite_internal.h"

namespace {

IntrusiveList<Animate> AnimationList;
// Ended records keep their fields until the next frame starts: a record may end from inside its
// own Set (end action) or while a pass stands on it. Then they go to the pool for reuse.
std::vector<std::unique_ptr<Animate>> EndedRecords;
std::vector<std::unique_ptr<Animate>> RecordPool;

float NextExponent = Animate::DEFAULT_EXPONENT;
float NextOscillations = Animate::DEFAULT_OSCILLATIONS;

constexpr int CURVE_FLAGS = Animate::COSINE | Animate::EASE_IN | Animate::EASE_OUT | Animate::EXPONENTIAL |
                            Animate::INVERSE_EXPONENTIAL;

constexpr double DEGREES = 3.14159265358979323846 / 180.0;

} // namespace

// [SECTION] Records and the list

void Animate::Create(const SpriteRef& sprite, int transform, float start, float end, int time, int flags,
                     int delay, int startAge, const Media::ImageRef& newImage, const std::string& name) {
    Animate* record;
    if (RecordPool.empty()) {
        record = new Animate();
    } else {
        record = RecordPool.back().release();
        RecordPool.pop_back();
        *record = Animate();
    }
    record->Sprite_ = sprite;
    record->Transform_ = transform;
    record->StartValue_ = start;
    record->EndValue_ = end;
    record->NewImage_ = newImage;
    record->Time_ = time;
    record->Flags_ = flags;
    record->TriggerDelay_ = delay;
    record->StartAge_ = startAge;
    record->Exponent_ = NextExponent;
    record->Oscillations_ = NextOscillations;
    record->Name_ = name;
    AnimationList.PushBack(*record);
    sprite->Animations_.PushBack(*record);

    if ((flags & SHOW) && delay == 0) sprite->Show();
    if (delay == 0) record->Set(0);
    NextExponent = DEFAULT_EXPONENT;
    NextOscillations = DEFAULT_OSCILLATIONS;
}

void Animate::Free() {
    if (!Link_.Linked) return;
    AnimationList.Remove(*this);
    Sprite_->Animations_.Remove(*this);
    EndedRecords.emplace_back(this);
}

void Animate::Recycle() {
    if (AnimationList.PassActive()) return;
    for (std::unique_ptr<Animate>& record : EndedRecords) {
        record->Sprite_.reset();
        record->NewImage_.reset();
        RecordPool.push_back(std::move(record));
    }
    EndedRecords.clear();
}

void Animate::StopAll() {
    for (IntrusiveList<Animate>::Pass pass(AnimationList); Animate* record = pass.Next();)
        record->Free();
}

void Animate::PauseAll() {
    for (Animate* record = AnimationList.First(); record; record = record->Link_.Next)
        record->Paused_ = 1;
}

void Animate::UnpauseAll() {
    for (Animate* record = AnimationList.First(); record; record = record->Link_.Next)
        record->Paused_ = 0;
}

int Animate::Count() {
    return AnimationList.Count();
}

void Animate::ResetAll() {
    StopAll();
    Recycle();
    NextExponent = DEFAULT_EXPONENT;
    NextOscillations = DEFAULT_OSCILLATIONS;
}

// [SECTION] The frame

void Animate::UpdateAll() {
    Recycle();
    for (IntrusiveList<Animate>::Pass pass(AnimationList); Animate* record = pass.Next();)
        record->Update();
}

bool Animate::Ended() const {
    if (Flags_ & LOOP) return false;
    return (Flags_ & PINGPONG) ? Age_ >= 2 * Time_ : Age_ >= Time_;
}

void Animate::Update() {
    if (Paused_ != 0) return;
    int dt = SpriteMath::TruncateToInt(float(Sprite::TimeStep()) * Speed_);
    if (TriggerDelay_ > 0) {
        if (TriggerDelay_ > dt) {
            TriggerDelay_ -= dt;
        } else {
            dt -= TriggerDelay_;
            TriggerDelay_ = 0;
            if (Flags_ & SHOW) Sprite_->Show();
        }
    }
    if (TriggerDelay_ != 0) return;

    if (Age_ == -1) {
        // Starting takes the property over from older records already driving it.
        FreeTriggered(*Sprite_, Transform_);
        Age_ = StartAge_;
    } else {
        // A looping record may run for weeks: wrapping by whole ping-pong cycles keeps the value
        // and the direction and keeps the age from overflowing.
        if ((Flags_ & LOOP) && Time_ > 0 && Age_ > (1 << 30)) Age_ = int(Age_ % (2LL * Time_));
        Age_ += dt;
    }

    float t = 1;
    if (Time_ != 0) {
        int a = Age_;
        if (Flags_ & (LOOP | PINGPONG)) a = Age_ % Time_;
        if ((Flags_ & PINGPONG) && (Age_ / Time_) % 2 != 0) a = Time_ - a;
        t = std::clamp(InverseTween(0, float(Time_), float(a)), 0.0f, 1.0f);
        if (Flags_ & REVERSE) t = 1 - t;
        switch (Flags_ & CURVE_FLAGS) {
        case 0:
            break;
        case COSINE:
            t = TweenCosine(0, 1, t, Oscillations_);
            break;
        case EASE_IN:
            t = TweenHalfCosine(0, 1, t, 0);
            break;
        case EASE_OUT:
            t = TweenHalfCosine(0, 1, t, 1);
            break;
        case EXPONENTIAL:
            t = TweenExponential(0, 1, t, Exponent_);
            break;
        case INVERSE_EXPONENTIAL:
            t = TweenExponential(0, 1, t, 1 / Exponent_);
            break;
        default:
            FatalError("Error in Animate.Update() - Invalid flag combination!");
        }
    }
    if (Ended()) t = (Flags_ & PINGPONG) ? 0.0f : 1.0f;
    Set(t);
}

void Animate::Set(float t) {
    float value = TweenLinear(StartValue_, EndValue_, t);
    if (Transform_ == TRANSFORM_FRAME) {
        if (NewImage_) Sprite_->SetImage(NewImage_);
        // Every frame gets an equal share of the time; the last is reached before the end.
        value = std::min(TweenLinear(StartValue_, EndValue_ + 1, t), EndValue_);
    }
    Apply(value);
    if (!Ended()) return;
    const bool free = Flags_ & FREE;
    const bool hide = Flags_ & HIDE;
    if (free && hide) FatalError("Error in Animate.Update() - Invalid FREE/HIDE flag combination.");
    if (free) {
        Sprite_->Free(); // ends this record and every other record of the sprite
        return;
    }
    if (hide) Sprite_->Hide();
    Free();
}

void Animate::Apply(float value) {
    Sprite& s = *Sprite_;
    switch (Transform_) {
    case TRANSFORM_X:
        s.SetX(value, 0);
        break;
    case TRANSFORM_Y:
        s.SetY(value, 0);
        break;
    case TRANSFORM_ROTATION:
        s.SetRotation(value);
        break;
    case TRANSFORM_SCALEX:
        s.SetScaleX(value);
        break;
    case TRANSFORM_SCALEY:
        s.SetScaleY(value);
        break;
    case TRANSFORM_R:
        s.SetColorR(value);
        break;
    case TRANSFORM_G:
        s.SetColorG(value);
        break;
    case TRANSFORM_B:
        s.SetColorB(value);
        break;
    case TRANSFORM_ALPHA:
        s.SetAlpha(value);
        break;
    case TRANSFORM_FOG:
        s.SetFog(value);
        break;
    case TRANSFORM_FOGR:
        s.SetFogR(value);
        break;
    case TRANSFORM_FOGG:
        s.SetFogG(value);
        break;
    case TRANSFORM_FOGB:
        s.SetFogB(value);
        break;
    case TRANSFORM_FRAME:
        s.SetFrame(value);
        break;
    case TRANSFORM_ORDER:
        s.SetOrder(value);
        break;
    default:
        break; // group codes are never stored
    }
}

// [SECTION] Curves

float Animate::TweenLinear(float a, float b, float t) {
    return a + t * (b - a);
}

float Animate::TweenCosine(float a, float b, float t, float oscillations) {
    const double n = oscillations;
    const double tn = double(t) * n;
    const double whole = std::floor(tn);
    const double u = (whole + (1 - std::cos(180.0 * DEGREES * (tn - whole))) / 2) / n;
    return a + float(u) * (b - a);
}

float Animate::TweenHalfCosine(float a, float b, float t, int mode) {
    double u = t;
    if (mode == 0) u = 1 - std::cos(90.0 * DEGREES * t);
    if (mode == 1) u = std::sin(90.0 * DEGREES * t);
    return a + float(u) * (b - a);
}

float Animate::TweenExponential(float a, float b, float t, float exponent) {
    return a + float(std::pow(double(t), double(exponent))) * (b - a);
}

float Animate::InverseTween(float a, float b, float v) {
    return b == a ? 0.0f : (v - a) / (b - a);
}

int Animate::TransformTypeMatch(int selector, int code) {
    switch (selector) {
    case TRANSFORM_ALL:
        return 1;
    case TRANSFORM_POSITION:
        return code == TRANSFORM_X || code == TRANSFORM_Y;
    case TRANSFORM_SCALE:
        return code == TRANSFORM_SCALEX || code == TRANSFORM_SCALEY;
    case TRANSFORM_COLOR:
        return code == TRANSFORM_R || code == TRANSFORM_G || code == TRANSFORM_B;
    default:
        return selector == code;
    }
}

void Animate::SetExponent(float exponent) {
    NextExponent = exponent;
}

// [SECTION] Queries

void Animate::StopMatching(Sprite& sprite, int selector, bool startedOnly) {
    // Free only unlinks the record itself, so the saved next record stays valid.
    for (Animate* record = sprite.Animations_.First(); record;) {
        Animate* next = record->SpriteLink_.Next;
        if ((!startedOnly || record->Age_ >= 0) && TransformTypeMatch(selector, record->Transform_))
            record->Free();
        record = next;
    }
}

void Animate::FreeTriggered(Sprite& sprite, int code) {
    StopMatching(sprite, code, true);
}

int Animate::Animating(const std::string& name, int selector) {
    for (Animate* record = AnimationList.First(); record; record = record->Link_.Next) {
        if (record->Sprite_->Name() == name && TransformTypeMatch(selector, record->Transform_)) return 1;
    }
    return 0;
}

// [SECTION] Sprite animation operations. An operation that starts several records starts them in
// channel order, so an exponent set with SetExponent goes to the first channel only (x, scale x,
// red) and the others take the default.

void Sprite::AnimatePosition(float startX, float startY, float endX, float endY, int time, int flags,
                             int delay, int startAge, const std::string& name) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_X, startX, endX, time, flags, delay, startAge,
                    nullptr, name);
    Animate::Create(shared_from_this(), Animate::TRANSFORM_Y, startY, endY, time, flags, delay, startAge,
                    nullptr, name);
}

void Sprite::AnimateX(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_X, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateY(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_Y, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateScale(float start, float end, int time, int flags, int delay, int startAge) {
    AnimateScaleX(start, end, time, flags, delay, startAge);
    AnimateScaleY(start, end, time, flags, delay, startAge);
}

void Sprite::AnimateScaleX(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_SCALEX, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateScaleY(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_SCALEY, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateRotation(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_ROTATION, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateColor(float r1, float g1, float b1, float r2, float g2, float b2, int time, int flags,
                          int delay, int startAge) {
    const SpriteRef self = shared_from_this();
    Animate::Create(self, Animate::TRANSFORM_R, r1, r2, time, flags, delay, startAge, nullptr, "");
    Animate::Create(self, Animate::TRANSFORM_G, g1, g2, time, flags, delay, startAge, nullptr, "");
    Animate::Create(self, Animate::TRANSFORM_B, b1, b2, time, flags, delay, startAge, nullptr, "");
}

void Sprite::AnimateAlpha(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_ALPHA, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateFog(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_FOG, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::AnimateFogColor(float r1, float g1, float b1, float r2, float g2, float b2, int time, int flags,
                             int delay, int startAge) {
    const SpriteRef self = shared_from_this();
    Animate::Create(self, Animate::TRANSFORM_FOGR, r1, r2, time, flags, delay, startAge, nullptr, "");
    Animate::Create(self, Animate::TRANSFORM_FOGG, g1, g2, time, flags, delay, startAge, nullptr, "");
    Animate::Create(self, Animate::TRANSFORM_FOGB, b1, b2, time, flags, delay, startAge, nullptr, "");
}

void Sprite::AnimateFrame(float start, float end, int time, int flags, int delay, int startAge,
                          const Media::ImageRef& image) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_FRAME, start, end, time, flags, delay, startAge,
                    image, "");
}

void Sprite::AnimateOrder(float start, float end, int time, int flags, int delay, int startAge) {
    Animate::Create(shared_from_this(), Animate::TRANSFORM_ORDER, start, end, time, flags, delay, startAge,
                    nullptr, "");
}

void Sprite::SetAnimationSpeed(float speed, int selector) {
    for (Animate* record = Animations_.First(); record; record = record->SpriteLink_.Next) {
        if (Animate::TransformTypeMatch(selector, record->Transform_)) record->Speed_ = speed;
    }
}

void Sprite::StopAnimating(int selector) {
    Animate::StopMatching(*this, selector, false);
}

int Sprite::Animating(int selector) const {
    for (Animate* record = Animations_.First(); record; record = record->SpriteLink_.Next) {
        if (Animate::TransformTypeMatch(selector, record->Transform_)) return 1;
    }
    return 0;
}

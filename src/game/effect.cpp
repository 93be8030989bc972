#include "game/effect.h"

#include "game/background.h"
#include "media/fatal_error.h"
#include "shell/load_helpers.h"
#include "sprites/animate.h"

namespace {

struct EffectFiles {
    const char* Picture; // null: the kind has no picture and no sound
    int FrameSize;
    const char* SoundName;
};

constexpr EffectFiles FILES[Effect::EFFECTS] = {
    {"gfx\\effects\\explosion.png", 64, "effect-explosion.wav"},
    {"gfx\\effects\\slime_green.png", 256, "effect-slime_green.wav"},
    {nullptr, 256, nullptr},
    {"gfx\\effects\\eggsplosion.png", 256, "effect-eggsplosion.wav"},
    {"gfx\\effects\\shockwave.png", 256, "effect-shockwave.wav"},
    {"gfx\\effects\\spark.png", 256, "effect-spark.wav"},
};

} // namespace

IntrusiveList<Effect>& Effect::EffectList() {
    static IntrusiveList<Effect> list;
    return list;
}

void Effect::Init() {
    for (int kind = 0; kind < EFFECTS; ++kind) {
        EffectFrameCount[kind] = 16;
        EffectFrameTime[kind] = 500;
        EffectFrameFlags[kind] = 0;
        const EffectFiles& files = FILES[kind];
        if (!files.Picture) continue;
        EffectImages[kind] = LoadGameAnimImage(files.Picture, files.FrameSize, files.FrameSize, 0,
                                               EffectFrameCount[kind], -1, 1);
        EffectSounds[kind] = Sound::Load(files.SoundName, 0, 0);
    }
}

EffectRef Effect::Create(int kind) {
    if (kind < 0 || kind >= EFFECTS) FatalError("Error in Effect.Create(): Invalid effect type!");
    EffectRef effect = std::make_shared<Effect>();
    effect->Type_ = kind;
    effect->Sprite_ = Sprite::Create(EffectImages[kind], 0, Background::Playfield);
    effect->Self_ = effect;
    EffectList().PushBack(*effect);
    return effect;
}

void Effect::Spawn(int kind, float size, float x, float y, float vx, float vy) {
    if (kind == SLIME_GREEN || kind == SLIME_PURPLE) size *= 0.5f;
    EffectRef effect = Create(kind);
    effect->AnimateFrames();
    effect->AnimatePosition(x, y, vx, vy, 0);
    effect->Sprite_->SetOrder(17);
    effect->Sprite_->SetScale(size);
    if (EffectSounds[kind]) EffectSounds[kind]->Play(0.8f, 1.0f, 0);
}

void Effect::AnimatePosition(float x, float y, float vx, float vy, int) {
    const int time = EffectFrameTime[Type_];
    Sprite_->SetPosition(x, y, 0);
    Sprite_->AnimatePosition(x, y, x + vx * float(time) / 1000.0f, y + vy * float(time) / 1000.0f, time);
}

void Effect::AnimateFrames() {
    const int time = EffectFrameTime[Type_];
    Sprite_->AnimateFrame(0, float(EffectFrameCount[Type_]), time, EffectFrameFlags[Type_]);
    if (Type_ == SHOCKWAVE) {
        // The ring starts over-bright and fades out.
        Animate::SetExponent(3);
        Sprite_->AnimateColor(511, 511, 511, 255, 255, 255, time, Animate::EXPONENTIAL);
        Animate::SetExponent(3);
        Sprite_->AnimateAlpha(1, 0, time, Animate::EXPONENTIAL);
    }
}

void Effect::Update() {
    for (IntrusiveList<Effect>::Pass pass(EffectList()); Effect* effect = pass.Next();) {
        if (effect->Sprite_->Animating(Animate::TRANSFORM_ALL) == 0) effect->Free();
    }
}

void Effect::Free() {
    if (!Link_.Linked) return;
    Sprite_->Free();
    Sprite_.reset();
    EffectList().Remove(*this);
    EffectRef self = std::move(Self_); // may be the last reference: released at the end of scope
}

void Effect::FreeAll() {
    for (IntrusiveList<Effect>::Pass pass(EffectList()); Effect* effect = pass.Next();)
        effect->Free();
}

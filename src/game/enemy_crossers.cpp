// Insects and robots that cross, dive or sway: each enters in state 0 with its whole path queued as
// animations of its root, then waits for the path to end (and leaves) or stays and fires.
#include <algorithm>
#include <cmath>

#include "game/enemy_behaviour.h"
#include "media/media.h"
#include "sprites/animate.h"

namespace {

using Media::RandomFloat;
using Media::RandomInt;

constexpr int SWAY = Animate::LOOP + Animate::PINGPONG + Animate::COSINE; // 11
constexpr int X_DONE = Animate::TRANSFORM_X;
constexpr int Y_DONE = Animate::TRANSFORM_Y;
// Draws beyond which the SCREECHER's distance rule gives up (only a huge picture could need it).
constexpr int MAX_DRAWS = 1000;

bool Done(const Enemy& enemy, int selector) {
    return enemy.Pivot1_->Animating(selector) == 0;
}

// Pictures of the crawlers face left; crawling right they are mirrored.
void MirrorWhenGoingRight(Enemy& enemy, float start, float end) {
    if (end > start) enemy.Pivot1_->SetScaleX(-0.66f);
}

// From one side to the other (rand(0, 1): 0 from the left).
void Across(const EnemyBounds& b, float margin, float& start, float& end) {
    if (RandomInt(0, 1) == 0) {
        start = b.OuterLeft - margin;
        end = b.OuterRight + margin;
    } else {
        start = b.OuterRight + margin;
        end = b.OuterLeft - margin;
    }
}

// x towards the middle by 200.
float TowardsMiddle(float x) {
    return x < 0 ? x + 200 : x - 200;
}

void LeaveWhenDone(Enemy& enemy, int selector) {
    if (Done(enemy, selector)) enemy.Free();
}

void FireNow(Enemy& enemy) {
    enemy.NextFireTime_ = 0;
    enemy.FireWhenReady();
}

void EnterBirdy(Enemy& e, const EnemyBounds& b) {
    const float x = RandomFloat(b.InnerLeft + 32, b.InnerRight - 32);
    const float targetY = RandomFloat(-218, 186);
    e.Pivot1_->AnimateX(x - 24, x + 24, 1000, SWAY);
    e.Pivot1_->AnimateY(b.OuterTop, targetY, 2500, Animate::EASE_OUT);
}

// MANTIS and APHID: straight across while swaying up and down, the picture 64 off the path.
void EnterMantis(Enemy& e, const EnemyBounds& b, bool mirror) {
    float start, end;
    Across(b, 32, start, end);
    const float y = RandomFloat(b.InnerTop + b.H, b.InnerBottom - b.H);
    e.Pivot1_->AnimateX(start, end, 5000, 0);
    e.Pivot1_->AnimateY(y - 64, y + 64, 1000, SWAY);
    e.Pivot2_->SetX(64, 0);
    if (mirror) MirrorWhenGoingRight(e, start, end);
}

// CLAMPER (back to its own side) and ROBOT3 (on to the other side): dart in, turn, go.
void EnterDarter(Enemy& e, const EnemyBounds& b, bool returns) {
    float start, end;
    Across(b, 0, start, end);
    const float y = RandomFloat(b.InnerTop + 2 * b.H, b.InnerBottom - 2 * b.H);
    const float m = start + (end - start) * RandomFloat(0.25f, 0.75f);
    e.Pivot1_->AnimateY(y - b.H / 2, y + b.H / 2, 1000, SWAY, 0, RandomInt(0, 2000));
    e.Pivot1_->AnimateX(start, m, 2500, Animate::EASE_OUT);
    e.Pivot1_->AnimateX(m, returns ? start : end, 2500, Animate::EASE_IN, 2500);
}

void EnterScreecher(Enemy& e, const EnemyBounds& b) {
    const float shipX = EnemyBehaviour::ShipX();
    float x = RandomFloat(b.InnerLeft + 2 * b.H, b.InnerRight - 2 * b.H);
    for (int draw = 1; draw < MAX_DRAWS && std::fabs(x - shipX) <= 200; ++draw)
        x = RandomFloat(b.InnerLeft + 2 * b.H, b.InnerRight - 2 * b.H);
    const float topY = RandomFloat(-220, -80);
    e.Pivot1_->AnimateX(x, TowardsMiddle(x), 3000, 0);
    e.Pivot1_->AnimateY(b.OuterBottom, topY, 1500, Animate::PINGPONG + Animate::EASE_OUT);
}

// A lurching crawl across in five lunges that overshoot by half a step and settle back.
void EnterSlimey(Enemy& e, const EnemyBounds& b) {
    float start, end;
    Across(b, 0, start, end);
    const float y = RandomFloat(b.InnerTop + b.H, b.InnerBottom - b.H);
    const float step = (end - start) / 5;
    for (int i = 0; i < 5; ++i) {
        const float fi = float(i);
        e.Pivot1_->AnimateX(start + fi * step, start + (fi + 1.5f) * step, 1000, Animate::COSINE, 2000 * i);
        e.Pivot1_->AnimateX(start + (fi + 1.5f) * step, start + (fi + 1) * step, 1000, Animate::COSINE,
                            2000 * i + 1000);
    }
    e.Pivot1_->SetY(y, 0);
    MirrorWhenGoingRight(e, start, end);
}

void EnterEggplant(Enemy& e, const EnemyBounds& b) {
    const float x = RandomFloat(b.InnerLeft + 2 * b.H, b.InnerRight - 2 * b.H);
    const float bottomY = RandomFloat(-150, 150);
    e.Pivot1_->AnimateX(x - b.H / 2, x + b.H / 2, 1000, SWAY, 0, RandomInt(0, 2000));
    e.Pivot1_->AnimateY(b.OuterTop, bottomY, 2500, Animate::EASE_OUT);
    e.Pivot1_->AnimateY(bottomY, b.OuterTop, 2500, Animate::EASE_IN, 2500);
}

void EnterSkeeter(Enemy& e, const EnemyBounds& b) {
    float start, x;
    if (RandomInt(0, 1) == 0) {
        start = b.OuterLeft - 32;
        x = RandomFloat(-368, 0);
    } else {
        start = b.OuterRight + 32;
        x = RandomFloat(0, 368);
    }
    const float y = RandomFloat(b.InnerTop + 32, b.InnerBottom - 64);
    e.Pivot1_->AnimateX(start, x, 3000, Animate::EASE_OUT);
    e.Pivot1_->AnimateY(y - 48, y + 48, 1000, SWAY, 0, 500);
}

// ROBOT1 and MOTH: a slow drift down the whole field, swaying by `sway`.
void EnterDrifter(Enemy& e, const EnemyBounds& b, float x, float sway) {
    e.Pivot1_->AnimateX(x - sway, x + sway, 2000, SWAY, 0, RandomInt(0, 4000));
    e.Pivot1_->AnimateY(b.OuterTop, b.OuterBottom, 10000, 0);
}

// Across in five equal hops while bouncing for ever.
void EnterBouncer(Enemy& e, const EnemyBounds& b) {
    float start, end;
    Across(b, 0, start, end);
    const float y = RandomFloat(b.InnerTop + b.H, b.InnerBottom - b.H);
    const float step = (end - start) / 5;
    for (int i = 0; i < 5; ++i)
        e.Pivot1_->AnimateX(start + float(i) * step, start + float(i + 1) * step, 1000, 0, 1000 * i);
    const float bounce = std::fabs(step) / 4;
    e.Pivot1_->AnimateY(y + bounce, y - bounce, 500, Animate::LOOP + Animate::PINGPONG + Animate::EASE_OUT);
}

// A straight dive at 45 degrees, down and to the right (LADYBUG_LEFT) or to the left.
void EnterLadybug(Enemy& e, const EnemyBounds& b, bool toRight) {
    float x, y;
    if (RandomInt(0, 1) == 0) {
        x = toRight ? b.OuterLeft : b.OuterRight;
        y = RandomFloat(b.OuterTop, 0);
    } else {
        x = toRight ? RandomFloat(b.OuterLeft, 0) : RandomFloat(0, b.OuterRight);
        y = b.OuterTop;
    }
    if (toRight) {
        const float d = std::min(800 - (x + 400), 500 - (y + 250));
        e.Pivot1_->AnimatePosition(x, y, x + d + b.H, y + d + b.H, 2000, 0);
    } else {
        const float d = std::min(500 - (y + 250), x + 400);
        e.Pivot1_->AnimatePosition(x, y, x - d - b.H, y + d + b.H, 2000, 0);
    }
}

void EnterHornet(Enemy& e, const EnemyBounds& b) {
    const float x = RandomFloat(b.InnerLeft + b.H, b.InnerRight - b.H);
    e.Pivot1_->AnimateX(x - b.H, x + b.H, 1000, SWAY, 0, RandomInt(0, 2000));
    const float k = RandomFloat(2, 5);
    const float hover = b.OuterTop + k * b.H;
    e.Pivot1_->AnimateY(b.OuterTop, hover, 1000, Animate::EASE_OUT);
    const int wait = 3000 + RandomInt(0, 5000);
    e.Pivot1_->AnimateY(hover, b.OuterBottom, 1000, Animate::EXPONENTIAL, wait);
}

void EnterMentalist(Enemy& e, const EnemyBounds& b) {
    const float x = RandomFloat(b.InnerLeft + 2 * b.H, b.InnerRight - 2 * b.H);
    const float stopY = RandomFloat(-200, 50);
    e.Pivot1_->AnimateX(x - 2 * b.H, x + 2 * b.H, 1500, SWAY);
    e.Pivot1_->AnimateY(b.OuterTop, stopY, 3000, Animate::EASE_OUT);
}

void EnterHopper(Enemy& e, const EnemyBounds& b) {
    const float x = RandomFloat(b.InnerLeft + 2 * b.H, b.InnerRight - 2 * b.H);
    const float bottomY = RandomFloat(0, 250 - 2 * b.H);
    e.AnimateFrames(1.5f);
    e.Pivot1_->AnimateX(x, TowardsMiddle(x), 3000, 0);
    e.Pivot1_->AnimateY(b.OuterTop, bottomY, 1500, Animate::PINGPONG + Animate::EXPONENTIAL);
}

// An inching crawl across in ten steps.
void EnterLarvae(Enemy& e, const EnemyBounds& b) {
    float start, end;
    Across(b, 0, start, end);
    const float y = RandomFloat(b.InnerTop + b.H, b.InnerBottom - b.H);
    const float step = (end - start) / 10;
    for (int i = 0; i < 10; ++i)
        e.Pivot1_->AnimateX(start + float(i) * step, start + float(i + 1) * step, 1000, Animate::COSINE,
                            1000 * i);
    e.Pivot1_->SetY(y, 0);
    MirrorWhenGoingRight(e, start, end);
}

// Swimming strokes down the field.
void EnterSwimmer(Enemy& e, const EnemyBounds& b) {
    e.Pivot1_->SetX(RandomFloat(b.InnerLeft + b.H, b.InnerRight - b.H), 0);
    const float step = (b.OuterBottom - b.OuterTop) / 5;
    for (int i = 0; i < 5; ++i)
        e.Pivot1_->AnimateY(b.OuterTop + float(i) * step, b.OuterTop + float(i + 1) * step, 1000,
                            Animate::COSINE, 1000 * i);
}

void Entry(Enemy& e, const EnemyBounds& b) {
    EnemyBehaviour::Enter(e);
    switch (e.Type_) {
    case Enemy::BIRDY:
        EnterBirdy(e, b);
        break;
    case Enemy::MANTIS:
        EnterMantis(e, b, false);
        break;
    case Enemy::APHID:
        EnterMantis(e, b, true);
        break;
    case Enemy::CLAMPER:
        EnterDarter(e, b, true);
        break;
    case Enemy::ROBOT3:
        EnterDarter(e, b, false);
        break;
    case Enemy::SCREECHER:
        EnterScreecher(e, b);
        break;
    case Enemy::SLIMEY:
        EnterSlimey(e, b);
        break;
    case Enemy::EGGPLANT:
        EnterEggplant(e, b);
        break;
    case Enemy::SKEETER:
        EnterSkeeter(e, b);
        break;
    case Enemy::ROBOT1:
        EnterDrifter(e, b, RandomFloat(-200, 200), 200);
        break;
    case Enemy::MOTH:
        EnterDrifter(e, b, RandomFloat(b.InnerLeft + b.H, b.InnerRight - b.H), 128);
        break;
    case Enemy::BOUNCER:
        EnterBouncer(e, b);
        break;
    case Enemy::LADYBUG_LEFT:
        EnterLadybug(e, b, true);
        break;
    case Enemy::LADYBUG_RIGHT:
        EnterLadybug(e, b, false);
        break;
    case Enemy::HORNET:
        EnterHornet(e, b);
        break;
    case Enemy::MENTALIST:
        EnterMentalist(e, b);
        break;
    case Enemy::HOPPER:
        EnterHopper(e, b);
        break;
    case Enemy::LARVAE:
        EnterLarvae(e, b);
        break;
    case Enemy::SWIMMER:
        EnterSwimmer(e, b);
        break;
    }
    e.Invincible_ = 0;
    e.SetState(1);
}

} // namespace

namespace EnemyBehaviour {

void StepCrosser(Enemy& e, const EnemyBounds& b) {
    if (e.State_ == 0) {
        Entry(e, b);
        return;
    }
    switch (e.Type_) {
    case Enemy::BIRDY:
    case Enemy::MENTALIST:
        // Settle into place, then fire until destroyed.
        if (e.State_ == 1 && Done(e, Y_DONE))
            e.SetState(2);
        else if (e.State_ == 2)
            e.FireWhenReady();
        break;
    case Enemy::CLAMPER:
        if (e.State_ == 1) {
            e.FireWhenReady();
            if (Done(e, X_DONE) && e.NotFiring()) e.Free();
        }
        break;
    case Enemy::EGGPLANT:
    case Enemy::ROBOT3:
        // One shot at the turning point of the path.
        if (e.State_ == 1 && e.TimePassed(2500)) {
            FireNow(e);
            e.SetState(2);
        } else if (e.State_ == 2) {
            LeaveWhenDone(e, e.Type_ == Enemy::EGGPLANT ? Y_DONE : X_DONE);
        }
        break;
    case Enemy::SWIMMER:
        if (e.State_ == 1) {
            e.FireWhenReady();
            LeaveWhenDone(e, Y_DONE);
        }
        break;
    case Enemy::SKEETER:
        break; // hovers until destroyed
    case Enemy::MANTIS:
    case Enemy::APHID:
    case Enemy::SLIMEY:
    case Enemy::BOUNCER:
    case Enemy::LARVAE:
        if (e.State_ == 1) LeaveWhenDone(e, X_DONE);
        break;
    default: // SCREECHER, ROBOT1, LADYBUG_LEFT, LADYBUG_RIGHT, HORNET, HOPPER, MOTH
        if (e.State_ == 1) LeaveWhenDone(e, Y_DONE);
        break;
    }
}

} // namespace EnemyBehaviour

// Enemies that hunt about the playfield: hoppers (SPIDER, AMEOBA, ROBOT2), the MINE, the
// teleporters (SCARDEY, HOPPER2, PREDOR, SWAMI), and the asteroids' straight flight.
#include <cmath>

#include "game/enemy_behaviour.h"
#include "media/media.h"
#include "sprites/animate.h"

namespace {

using Media::RandomFloat;
using Media::RandomInt;

constexpr int SWAY = Animate::LOOP + Animate::PINGPONG + Animate::COSINE; // 11
constexpr float DEGREES = 3.14159265358979f / 180;
constexpr float TELEPORT_CLEARANCE = 16384; // squared: a new spot lies over 128 from ship and enemy
// Draws after which a teleport spot is taken whatever its distances (only a huge picture or a
// tiny playfield could need it).
constexpr int MAX_DRAWS = 1000;

float RootX(const Enemy& e) {
    return e.Pivot1_->X(0);
}
float RootY(const Enemy& e) {
    return e.Pivot1_->Y(0);
}
bool Done(const Enemy& e, int selector) {
    return e.Pivot1_->Animating(selector) == 0;
}

// A point on the outer box: from above, from the left or from the right.
void FromTheSide(const EnemyBounds& b, float& x, float& y) {
    switch (RandomInt(0, 2)) {
    case 0:
        x = RandomFloat(b.InnerLeft, b.InnerRight);
        y = b.OuterTop;
        break;
    case 1:
        x = b.OuterLeft;
        y = RandomFloat(b.InnerTop, b.InnerBottom);
        break;
    default:
        x = b.OuterRight;
        y = RandomFloat(b.InnerTop, b.InnerBottom);
        break;
    }
}

// Enter from a side and move `distance` towards the centre in a straight line.
void EnterTowardsCentre(Enemy& e, const EnemyBounds& b, float distance) {
    EnemyBehaviour::Enter(e);
    float x, y;
    FromTheSide(b, x, y);
    const float d = std::sqrt(x * x + y * y); // at least 250: the point lies on the outer box
    e.Pivot1_->AnimatePosition(x, y, x - distance * x / d, y - distance * y / d, 1000, Animate::COSINE);
    e.SetState(1);
}

// A straight hop of `distance` in a random direction.
void Hop(Enemy& e, float distance) {
    const float a = RandomFloat(0, 360) * DEGREES;
    const float x = RootX(e), y = RootY(e);
    e.Pivot1_->AnimatePosition(x, y, x + distance * std::cos(a), y + distance * std::sin(a), 1000,
                               Animate::COSINE);
}

// The SPIDER's hop: across to (x1, y1) while jumping 128 up and landing.
void ArcTo(Enemy& e, float x, float y, float x1, float y1) {
    e.Pivot1_->AnimateX(x, x1, 1000, Animate::COSINE);
    e.Pivot1_->AnimateY(y, y1 - 128, 500, Animate::EASE_OUT);
    e.Pivot1_->AnimateY(y1 - 128, y1, 500, Animate::EASE_IN, 500);
}

// 800 units from the root straight through the ship, over `time` ms (ROBOT2's charge, MINE's lunge).
void Charge(Enemy& e, int time) {
    const float x = RootX(e), y = RootY(e);
    float dx = EnemyBehaviour::ShipX() - x, dy = EnemyBehaviour::ShipY() - y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0) {
        dx /= length;
        dy /= length;
    } else {
        dx = 0; // on top of the ship: straight down
        dy = 1;
    }
    e.Pivot1_->AnimatePosition(x, y, x + 800 * dx, y + 800 * dy, time, Animate::EASE_IN);
    e.Flash(1.0f);
}

float DistanceToShip(const Enemy& e) {
    const float dx = EnemyBehaviour::ShipX() - RootX(e), dy = EnemyBehaviour::ShipY() - RootY(e);
    return std::sqrt(dx * dx + dy * dy);
}

void StepSpider(Enemy& e, const EnemyBounds& b) {
    switch (e.State_) {
    case 0: {
        EnemyBehaviour::Enter(e);
        float x, y;
        FromTheSide(b, x, y);
        const float d = std::sqrt(x * x + y * y);
        ArcTo(e, x, y, x - 64 * x / d, y - 64 * y / d);
        e.SetState(1);
        break;
    }
    case 1:
        if (Done(e, Animate::TRANSFORM_POSITION)) e.SetState(2);
        break;
    case 2:
        if (b.Outside(RootX(e), RootY(e)))
            e.Free();
        else
            e.SetState(4);
        break;
    case 3: {
        const float a = RandomFloat(0, 360) * DEGREES;
        const float x = RootX(e), y = RootY(e);
        ArcTo(e, x, y, x + 64 * std::cos(a), y + 64 * std::sin(a));
        e.SetState(1);
        break;
    }
    case 4:
        e.FireWhenReady();
        if (e.TimePassed(500) && e.NotFiring()) e.SetState(3);
        break;
    }
}

// Swells white and plays the division sound; the child follows 1000 ms later (state 4).
void BeginDivision(Enemy& e) {
    ++e.Divisions_;
    e.Sprite_->SetFogColor(255, 255, 255);
    e.Sprite_->AnimateFog(0, 1, 300, Animate::PINGPONG + Animate::COSINE);
    e.Sprite_->AnimateScale(1, 1.5f, 300, Animate::PINGPONG + Animate::COSINE);
    Enemy::DivideSound->Play(0.25f, 1.0f, 0);
    e.SetState(4);
}

void StepAmeoba(Enemy& e, const EnemyBounds& b) {
    switch (e.State_) {
    case 0:
        EnterTowardsCentre(e, b, 128);
        break;
    case 1:
        if (Done(e, Animate::TRANSFORM_POSITION)) e.SetState(2);
        break;
    case 2:
        if (b.Outside(RootX(e), RootY(e)))
            e.Free();
        else if (e.Divisions_ < 2 && Enemy::Count(Enemy::AMEOBA) < 5 && RandomInt(1, 10) == 1)
            BeginDivision(e);
        else
            e.SetState(5);
        break;
    case 3:
        Hop(e, 128);
        e.SetState(1);
        break;
    case 4:
        if (e.TimePassed(1000)) {
            const EnemyRef child = Enemy::Spawn(Enemy::AMEOBA, 0, 0, 0);
            child->Pivot1_->SetPosition(RootX(e), RootY(e), 0);
            child->Sprite_->Show();
            child->Divisions_ = e.Divisions_;
            child->SetState(3);
            e.SetState(3);
        }
        break;
    case 5:
        if (e.TimePassed(500)) e.SetState(3);
        break;
    }
}

void StepRobot2(Enemy& e, const EnemyBounds& b) {
    switch (e.State_) {
    case 0:
        EnterTowardsCentre(e, b, 128);
        break;
    case 1:
        if (DistanceToShip(e) < 7 * b.H) {
            Charge(e, 1500);
            e.SetState(4);
        }
        if (Done(e, Animate::TRANSFORM_POSITION)) e.SetState(2);
        break;
    case 2:
        if (b.Outside(RootX(e), RootY(e)))
            e.Free();
        else
            e.SetState(3);
        break;
    case 3:
        Hop(e, 128);
        e.SetState(1);
        break;
    case 4:
        if (Done(e, Animate::TRANSFORM_POSITION)) e.Free();
        break;
    }
}

void StepMine(Enemy& e, const EnemyBounds& b) {
    switch (e.State_) {
    case 0: {
        EnemyBehaviour::Enter(e);
        const float x = RandomFloat(b.InnerLeft + b.H, b.InnerRight - b.H);
        e.Pivot1_->AnimateX(x - 16, x + 16, 1000, SWAY);
        e.Pivot1_->AnimateY(b.OuterTop, b.OuterBottom, 5000, 0);
        e.Invincible_ = 0;
        e.SetState(1);
        break;
    }
    case 1:
        if (DistanceToShip(e) < 5 * b.H) {
            Charge(e, 2000);
            e.SetState(2);
        }
        if (Done(e, Animate::TRANSFORM_Y)) e.Free();
        break;
    case 2:
        if (Done(e, Animate::TRANSFORM_Y)) e.Free();
        break;
    }
}

// A spot wholly in sight, more than 128 from the ship and from the enemy's current place.
void TeleportSpot(const Enemy& e, const EnemyBounds& b, float& x, float& y) {
    const float shipX = EnemyBehaviour::ShipX(), shipY = EnemyBehaviour::ShipY();
    const float ownX = RootX(e), ownY = RootY(e);
    for (int draw = 0; draw < MAX_DRAWS; ++draw) {
        x = RandomFloat(b.InnerLeft + b.H, b.InnerRight - b.H);
        y = RandomFloat(b.InnerTop + b.H, b.InnerBottom - b.H);
        const float ship2 = (x - shipX) * (x - shipX) + (y - shipY) * (y - shipY);
        const float own2 = (x - ownX) * (x - ownX) + (y - ownY) * (y - ownY);
        if (ship2 > TELEPORT_CLEARANCE && own2 > TELEPORT_CLEARANCE) return;
    }
}

// Timings of SCARDEY and HOPPER2, which differ only in their numbers.
struct FaderTiming {
    float Sway;     // half the sway in x and y
    int SwayTime;   // ms
    int SwayAgeY;   // start age of the y sway
    int AttackTime; // ms of firing before fading out
    int AbsentTime; // ms away before the next spot
};
constexpr FaderTiming SCARDEY_TIMING{48, 2000, 1000, 2000, 2500};
constexpr FaderTiming HOPPER2_TIMING{24, 1000, 500, 1000, 1250};

// State 0 of SCARDEY, HOPPER2 and SWAMI: out of the way until the first spot.
void EnterFarAway(Enemy& e) {
    EnemyBehaviour::Enter(e);
    e.Pivot1_->SetPosition(65536, 65536, 0);
    e.Invincible_ = 1;
    e.SetState(1);
}

void StepFader(Enemy& e, const EnemyBounds& b, const FaderTiming& t) {
    switch (e.State_) {
    case 0:
        EnterFarAway(e);
        break;
    case 1: {
        float x, y;
        TeleportSpot(e, b, x, y);
        e.Pivot1_->SetPosition(x, y, 0);
        e.Pivot1_->AnimateAlpha(0, 1, 500, Animate::EXPONENTIAL);
        e.Pivot1_->AnimateX(x - t.Sway, x + t.Sway, t.SwayTime, SWAY);
        e.Pivot1_->AnimateY(y - t.Sway, y + t.Sway, t.SwayTime, SWAY, 0, t.SwayAgeY);
        e.Invincible_ = 0;
        e.SetState(2);
        break;
    }
    case 2:
        if (Done(e, Animate::TRANSFORM_ALPHA)) e.SetState(3);
        break;
    case 3:
        e.Invincible_ = 0;
        e.FireWhenReady();
        if (e.TimePassed(t.AttackTime) && e.NotFiring()) e.SetState(4);
        break;
    case 4:
        e.Pivot1_->AnimateAlpha(1, 0, 500, Animate::INVERSE_EXPONENTIAL);
        e.SetState(5);
        break;
    case 5:
        if (Done(e, Animate::TRANSFORM_ALPHA)) e.SetState(6);
        break;
    case 6:
        e.Invincible_ = 1;
        if (e.TimePassed(t.AbsentTime)) e.SetState(1);
        break;
    }
}

void StepPredor(Enemy& e, const EnemyBounds& b) {
    switch (e.State_) {
    case 0:
        EnemyBehaviour::Enter(e);
        e.Pivot1_->SetAlpha(0);
        e.Invincible_ = 1;
        e.SetState(1);
        break;
    case 1: {
        float x, y;
        TeleportSpot(e, b, x, y);
        e.Pivot1_->SetPosition(x, y, 0);
        e.Pivot1_->AnimateX(x - b.H / 2, x + b.H / 2, 1000, SWAY, 0, RandomInt(0, 2000));
        e.Pivot1_->AnimateAlpha(0, 1, 500, Animate::EASE_IN);
        e.Invincible_ = 0;
        e.SetState(2);
        break;
    }
    case 2:
        if (Done(e, Animate::TRANSFORM_ALPHA)) e.SetState(3);
        break;
    case 3:
        e.NextFireTime_ = 0;
        e.FireWhenReady();
        e.SetState(4);
        break;
    case 4:
        if (e.TimePassed(2000)) e.SetState(5);
        break;
    case 5:
        e.Pivot1_->AnimateAlpha(1, 0, 500, Animate::EASE_OUT);
        e.SetState(6);
        break;
    case 6:
        if (Done(e, Animate::TRANSFORM_ALPHA)) {
            e.Invincible_ = 1;
            e.SetState(7);
        }
        break;
    case 7:
        if (e.TimePassed(1000)) e.SetState(1);
        break;
    }
}

// Spirals in three turns onto a spot and out again; the picture stays upright because the pivots
// do not pass their rotation on.
void StepSwami(Enemy& e, const EnemyBounds& b) {
    switch (e.State_) {
    case 0:
        EnterFarAway(e);
        break;
    case 1: {
        float x, y;
        TeleportSpot(e, b, x, y);
        e.Pivot1_->SetPosition(x, y, 0);
        e.Pivot1_->AnimateAlpha(0, 1, 3000, Animate::EXPONENTIAL);
        e.Pivot1_->AnimateRotation(0, 1080, 3000, Animate::EASE_OUT);
        e.Pivot2_->AnimateX(128, 0, 3000, Animate::EASE_OUT);
        e.Invincible_ = 0;
        e.SetState(2);
        break;
    }
    case 2:
        if (Done(e, Animate::TRANSFORM_ALPHA)) e.SetState(3);
        break;
    case 3:
        e.FireWhenReady();
        if (e.TimePassed(3000) && e.NotFiring()) e.SetState(4);
        break;
    case 4:
        e.Pivot1_->AnimateAlpha(1, 0, 3000, Animate::INVERSE_EXPONENTIAL);
        e.Pivot1_->AnimateRotation(0, 1080, 3000, Animate::EASE_IN);
        e.Pivot2_->AnimateX(0, 128, 3000, Animate::EASE_IN);
        e.SetState(5);
        break;
    case 5:
        if (Done(e, Animate::TRANSFORM_ALPHA)) e.SetState(6);
        break;
    case 6:
        e.Invincible_ = 1;
        if (e.TimePassed(3000)) e.SetState(1);
        break;
    }
}

} // namespace

namespace EnemyBehaviour {

void StepHunter(Enemy& e, const EnemyBounds& b) {
    switch (e.Type_) {
    case Enemy::SPIDER:
        StepSpider(e, b);
        break;
    case Enemy::AMEOBA:
        StepAmeoba(e, b);
        break;
    case Enemy::ROBOT2:
        StepRobot2(e, b);
        break;
    default:
        StepMine(e, b);
        break;
    }
}

void StepTeleporter(Enemy& e, const EnemyBounds& b) {
    switch (e.Type_) {
    case Enemy::SCARDEY:
        StepFader(e, b, SCARDEY_TIMING);
        break;
    case Enemy::HOPPER2:
        StepFader(e, b, HOPPER2_TIMING);
        break;
    case Enemy::PREDOR:
        StepPredor(e, b);
        break;
    default:
        StepSwami(e, b);
        break;
    }
}

void StepAsteroid(Enemy& e, const EnemyBounds& b) {
    if (e.State_ == 0) {
        e.Sprite_->Show();
        float x, y, a;
        if (e.Flags_ == 0) {
            x = RandomFloat(b.InnerLeft, b.InnerRight);
            y = b.OuterTop;
            a = RandomFloat(-20, 20);
        } else {
            x = RootX(e);
            y = RootY(e);
            a = e.Flags_ < 0 ? RandomFloat(-25, -15) : RandomFloat(15, 25);
        }
        constexpr double DISTANCE = 728;
        const float heading = (90 + a) * DEGREES;
        const int duration = int(DISTANCE / double(Enemy::EnemySpeed[size_t(e.Type_)]) * 1000);
        e.Pivot1_->AnimatePosition(x, y, x + float(DISTANCE) * std::cos(heading),
                                   y + float(DISTANCE) * std::sin(heading), duration, 0);
        e.SetState(1);
    } else if (e.State_ == 1 && Done(e, Animate::TRANSFORM_Y)) {
        e.Free();
    }
}

} // namespace EnemyBehaviour

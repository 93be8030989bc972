// [SECTION] index: Sprite physics operations, collision groups and sets, the physics pass.
#include "sprites/physics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sprites/sprite_internal.h"

namespace {

int PhysicsPaused = 0;
int ReversePairs = 0;
std::vector<CollisionSet> CollisionSetList;
std::vector<CollisionPair> Pairs;

float Seconds() {
    return float(Sprite::TimeStep()) / 1000.0f;
}

} // namespace

// [SECTION] Sprite physics operations

float Sprite::SetRadius(float radius) {
    Radius_ = radius;
    return 0;
}

void Sprite::SetVelocity(float vx, float vy, float speed) {
    Vx_ = vx * speed;
    Vy_ = vy * speed;
}

void Sprite::SetSpeed(float speed) {
    const float length = Speed();
    if (length != 0) {
        Vx_ = Vx_ / length * speed;
        Vy_ = Vy_ / length * speed;
    } else {
        Vx_ = speed;
        Vy_ = 0;
    }
}

void Sprite::SetDirection(float dx, float dy) {
    const float length = Speed();
    Vx_ = dx * length;
    Vy_ = dy * length;
}

void Sprite::SetCollisionID(const CollisionIDRef& group) {
    LeaveCollisionGroup();
    CollisionID_ = group;
    if (group) group->Members_.push_back(shared_from_this());
}

void Sprite::LeaveCollisionGroup() {
    if (!CollisionID_) return;
    std::vector<SpriteRef>& members = CollisionID_->Members_;
    const auto it =
        std::find_if(members.begin(), members.end(), [this](const SpriteRef& s) { return s.get() == this; });
    if (it != members.end()) members.erase(it);
    CollisionID_ = nullptr;
}

// The parent's Vx(1)/Vy(1) overwrite the shared TFormed register, so the own turned component is
// read out before the recursive call.
float Sprite::Vx(int i) const {
    if (i != 1 || !Parent_) return Vx_;
    TFormVector(Vx_, Vy_, Parent_.get(), nullptr);
    const float own = TFormedX_;
    return own + Parent_->Vx(1);
}

float Sprite::Vy(int i) const {
    if (i != 1 || !Parent_) return Vy_;
    TFormVector(Vx_, Vy_, Parent_.get(), nullptr);
    const float own = TFormedY_;
    return own + Parent_->Vy(1);
}

float Sprite::Speed() const {
    return std::sqrt(Vx_ * Vx_ + Vy_ * Vy_);
}

void Sprite::ApplyForce(float fx, float fy, float amount, int flags) {
    float a = amount;
    if (!(flags & 1)) a *= Seconds();
    if (flags & 2) {
        Vx_ += fx * a;
        Vy_ += fy * a;
    } else {
        Vx_ += fx * a / Mass_;
        Vy_ += fy * a / Mass_;
    }
}

void Sprite::ApplyThrust(float x, float y, float amount, int flags) {
    TFormNormal(x, y, this, Parent_.get());
    ApplyForce(TFormedX_, TFormedY_, amount, flags);
}

void Sprite::ApplyField(const Sprite& other, float range, float strength, int flags) {
    const float d = std::max(SpriteDistance(other, 0) / range, 1.0f);
    float ux = 0, uy = 0;
    other.SpriteDirection(*this, ux, uy);
    ApplyForce(ux, uy, strength / (d * d), flags);
}

void Sprite::SpriteDirection(const Sprite& other, float& dx, float& dy) const {
    dx = other.X_ - X_;
    dy = other.Y_ - Y_;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return; // same place: no direction, (0, 0)
    dx /= length;
    dy /= length;
}

float Sprite::SpriteAngle(const Sprite& other) const {
    float dx = 0, dy = 0;
    SpriteDirection(other, dx, dy);
    return float(std::atan2(double(dy), double(dx)) * 180.0 / 3.14159265358979323846 + 180.0);
}

float Sprite::SpriteDistance(const Sprite& other, int i) const {
    if (i != 0) return Distance(other, 1);
    TFormPoint(other.X_, other.Y_, other.Parent_.get(), Parent_.get());
    const float dx = TFormedX_ - X_;
    const float dy = TFormedY_ - Y_;
    return std::sqrt(dx * dx + dy * dy);
}

// [SECTION] Collision groups, sets and pairs

CollisionIDRef CollisionID::Create() {
    return CollisionIDRef(new CollisionID());
}

void CollisionSet::Create(const CollisionIDRef& group1, const CollisionIDRef& group2, int shape1,
                          int shape2) {
    CollisionSetList.push_back(CollisionSet{group1, group2, shape1, shape2});
}

void CollisionSet::ListPairs() {
    for (const CollisionSet& set : CollisionSetList) {
        if (!set.CID1 || !set.CID2) continue; // a set without a group has no members
        const std::vector<SpriteRef>& first = set.CID1->SpriteList();
        const std::vector<SpriteRef>& second = set.CID2->SpriteList();
        const bool sameGroup = set.CID1 == set.CID2;
        for (size_t i = 0; i < first.size(); ++i) {
            for (size_t j = sameGroup ? i + 1 : 0; j < second.size(); ++j) {
                CollisionPair::Create(first[i], second[j], set.CID1_Shape, set.CID2_Shape);
            }
        }
    }
}

const std::vector<CollisionSet>& CollisionSet::CollisionSets() {
    return CollisionSetList;
}

void CollisionSet::ResetAll() {
    CollisionSetList.clear();
}

void CollisionPair::Create(const SpriteRef& a, const SpriteRef& b, int shapeA, int shapeB) {
    Pairs.push_back(CollisionPair{a, b, shapeA, shapeB});
}

std::vector<CollisionPair>& CollisionPair::PairList() {
    return Pairs;
}

// [SECTION] The physics pass

void Physics::Pause() {
    PhysicsPaused = 1;
}
void Physics::Unpause() {
    PhysicsPaused = 0;
}
int Physics::Paused() {
    return PhysicsPaused;
}

void Physics::UpdateAll() {
    const float dt = Seconds();
    if (PhysicsPaused != 0) return;
    IntrusiveList<Sprite>& sprites = Sprite::SpriteList();
    for (Sprite* sprite = sprites.First(); sprite; sprite = sprite->Link_.Next) {
        // Still sprites are not written, so their cache lines stay clean.
        if (sprite->Vx_ != 0 || sprite->Vy_ != 0) sprite->Translate(sprite->Vx_ * dt, sprite->Vy_ * dt);
    }
    DoCollisions();
}

void Physics::DoCollisions() {
    Pairs.clear();
    CollisionSet::ListPairs();
    std::erase_if(Pairs, [](const CollisionPair& p) {
        return Colliding(*p.Sprite1_, *p.Sprite2_, p.Shape1_, p.Shape2_) == 0;
    });
    if (ReversePairs == 1) std::reverse(Pairs.begin(), Pairs.end());
    ReversePairs = 1 - ReversePairs;

    // The pairs hold their sprites, so a callback may free any of them; a pair whose sprite has
    // been freed is not resolved further (its callbacks could only free it a second time).
    for (size_t i = 0; i < Pairs.size(); ++i) {
        // Local references: a callback may do anything, even start another pass over the pairs.
        const SpriteRef first = Pairs[i].Sprite1_;
        const SpriteRef second = Pairs[i].Sprite2_;
        Sprite& a = *first;
        Sprite& b = *second;
        if (!a.Linked() || !b.Linked()) continue;
        MoveBack(a, b);
        Collide(a, &b, 0, 0, 1);
        // Called through copies: a callback may replace its own sprite's callback.
        if (a.OnCollision_) CollisionFunction(a.OnCollision_)(first, second);
        if (b.OnCollision_ && a.Linked() && b.Linked()) CollisionFunction(b.OnCollision_)(second, first);
    }
    Pairs.clear();
}

int Physics::Colliding(const Sprite& a, const Sprite& b, int shapeA, int shapeB) {
    if (shapeA == SHAPE_IMAGE && shapeB == SHAPE_IMAGE) return a.Overlaps(b);
    if (shapeA == SHAPE_CIRCLE && shapeB == SHAPE_CIRCLE) {
        return a.Distance(b, 0) < a.Radius(0) + b.Radius(0) ? 1 : 0;
    }
    return 0;
}

void Physics::MoveBack(Sprite& a, Sprite& b) {
    float ux = 0, uy = 0;
    a.SpriteDirection(b, ux, uy);
    const bool aBack = a.Vx_ * ux + a.Vy_ * uy >= 0;
    const bool bBack = b.Vx_ * -ux + b.Vy_ * -uy >= 0;
    if (aBack) a.SetPosition(a.LastX_, a.LastY_, 0);
    if (bBack) b.SetPosition(b.LastX_, b.LastY_, 0);
}

void Physics::Collide(Sprite& a, Sprite* b, float nx, float ny, int mode) {
    const float dt = Seconds();
    if (nx == 0 && ny == 0 && b) {
        nx = a.X_ - b->X_;
        ny = a.Y_ - b->Y_;
        const float length = std::sqrt(nx * nx + ny * ny);
        if (length == 0) return; // sprites at the same place: no normal to bounce along
        nx /= length;
        ny /= length;
    }
    if (b) {
        const float e = std::max(a.Elasticity_, b->Elasticity_);
        const float vn = (a.Vx_ - b->Vx_) * nx + (a.Vy_ - b->Vy_) * ny;
        if (!(vn < 0)) return;
        const float inverseMasses = 1 / a.Mass_ + 1 / b->Mass_;
        const float j = -(1 + e) * vn / inverseMasses;
        a.ApplyForce(nx, ny, j, 1);
        b->ApplyForce(nx, ny, -j, 1);
        if (mode == 1 && e < 1) {
            const float k = -2 * vn / inverseMasses;
            if (k > 0) {
                a.Translate(nx * k * dt / a.Mass_, ny * k * dt / a.Mass_);
                b->Translate(-(nx * k * dt / b->Mass_), -(ny * k * dt / b->Mass_));
            }
        }
    } else {
        const float e = a.Elasticity_;
        const float vn = a.Vx_ * nx + a.Vy_ * ny;
        if (!(vn < 0)) return;
        const float j = -(1 + e) * vn / (1 / a.Mass_);
        a.ApplyForce(nx, ny, j, 1);
        if (mode == 1 && e < 1) {
            const float k = -2 * vn * a.Mass_;
            if (k > 0) a.Translate(nx * k * dt / a.Mass_, ny * k * dt / a.Mass_);
        }
    }
}

void Physics::ResetAll() {
    PhysicsPaused = 0;
    ReversePairs = 0;
    CollisionSet::ResetAll();
    Pairs.clear();
}

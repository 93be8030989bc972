// Integration, forces, impulses and the collision pass.
#include <cmath>
#include <utility>
#include <vector>

#include "sprites/sprite_fixture.h"

namespace {

SpriteRef Body(float x, float y, float vx, float vy) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(x, y, 0);
    s->SetVelocity(vx, vy, 1);
    return s;
}

TEST_F(SpriteTest, VelocityMovesPerFrameUnlessPaused) {
    SpriteRef s = Body(0, 0, 100, 0);
    Frame(20);
    EXPECT_FLOAT_EQ(s->X(0), 2);
    Physics::Pause();
    Frame(20);
    EXPECT_FLOAT_EQ(s->X(0), 2);
    Physics::Unpause();
    Frame(20);
    EXPECT_FLOAT_EQ(s->X(0), 4);
}

TEST_F(SpriteTest, ForceImpulseAndMassFlags) {
    struct Case {
        int Flags;
        float AddedVy;
    };
    for (const Case c : {Case{0, 0.5f}, Case{1, 25}, Case{2, 1}, Case{3, 50}}) {
        SpriteRef s = Body(0, 0, 0, 0);
        s->SetMass(2);
        Sprite::SetTimeStep(20);
        s->ApplyForce(0, 1, 50, c.Flags);
        EXPECT_FLOAT_EQ(s->Vy(0), c.AddedVy) << c.Flags;
    }
}

TEST_F(SpriteTest, SpeedAndDirectionSetters) {
    SpriteRef s = Body(0, 0, 0, 0);
    s->SetSpeed(5);
    EXPECT_EQ(s->Vx(0), 5);
    EXPECT_EQ(s->Vy(0), 0);
    s->SetVelocity(3, 4, 1);
    s->SetSpeed(5);
    EXPECT_FLOAT_EQ(s->Vx(0), 3);
    EXPECT_FLOAT_EQ(s->Vy(0), 4);
    s->SetDirection(0, -1);
    EXPECT_FLOAT_EQ(s->Vy(0), -5);
    EXPECT_FLOAT_EQ(s->Speed(), 5);
}

TEST_F(SpriteTest, InheritedVelocityTurnsWithTheParent) {
    SpriteRef parent = Body(0, 0, 10, 0);
    parent->SetRotation(90);
    SpriteRef child = Sprite::Create(nullptr, 0, parent);
    child->SetVelocity(1, 0, 5);
    EXPECT_NEAR(child->Vx(1), 10, 1e-5);
    EXPECT_NEAR(child->Vy(1), 5, 1e-5);
    EXPECT_EQ(child->Vx(0), 5);
}

// Each level adds its parent's inherited velocity; the own part must survive the recursive call.
TEST_F(SpriteTest, InheritedVelocityAddsUpThroughThreeLevels) {
    SpriteRef root = Body(0, 0, 1, 2);
    SpriteRef parent = Sprite::Create(nullptr, 0, root);
    parent->SetVelocity(1, 0, 3);
    parent->SetRotation(90);
    SpriteRef child = Sprite::Create(nullptr, 0, parent);
    child->SetVelocity(1, 0, 5);
    // Child: (5, 0) turned 90° is (0, 5); parent: (3, 0) unturned plus the root's (1, 2).
    EXPECT_NEAR(parent->Vx(1), 4, 1e-5);
    EXPECT_NEAR(parent->Vy(1), 2, 1e-5);
    EXPECT_NEAR(child->Vx(1), 0 + 4, 1e-5);
    EXPECT_NEAR(child->Vy(1), 5 + 2, 1e-5);
    SpriteRef grandchild = Sprite::Create(nullptr, 0, child);
    grandchild->SetVelocity(0, 1, 7); // (0, 7) turned 90° is (−7, 0)
    EXPECT_NEAR(grandchild->Vx(1), -7 + 4, 1e-5);
    EXPECT_NEAR(grandchild->Vy(1), 0 + 7, 1e-5);
}

TEST_F(SpriteTest, HeadOnImpulsesRespectElasticity) {
    struct Case {
        float Elasticity, VxA, VxB;
    };
    for (const Case c : {Case{1, -10, 10}, Case{0, 0, 0}}) {
        SpriteRef a = Body(0, 0, 10, 0);
        SpriteRef b = Body(10, 0, -10, 0);
        a->SetElasticity(c.Elasticity);
        b->SetElasticity(c.Elasticity);
        Sprite::SetTimeStep(20);
        Physics::Collide(*a, b.get(), 0, 0, 0);
        EXPECT_FLOAT_EQ(a->Vx(0), c.VxA) << c.Elasticity;
        EXPECT_FLOAT_EQ(b->Vx(0), c.VxB) << c.Elasticity;
    }
    // Inelastic contacts are pushed apart as well (mode 1).
    SpriteRef a = Body(0, 0, 10, 0);
    SpriteRef b = Body(10, 0, -10, 0);
    a->SetElasticity(0);
    b->SetElasticity(0);
    Physics::Collide(*a, b.get(), 0, 0, 1);
    EXPECT_FLOAT_EQ(a->X(0), -0.4f);
    EXPECT_FLOAT_EQ(b->X(0), 10.4f);
    // A fixed surface reflects an elastic body.
    SpriteRef ball = Body(0, 0, 3, 4);
    Physics::Collide(*ball, nullptr, 0, -1, 0);
    EXPECT_FLOAT_EQ(ball->Vy(0), -4);
    EXPECT_FLOAT_EQ(ball->Vx(0), 3);
}

TEST_F(SpriteTest, OverlapRulesPerShape) {
    SpriteRef a = Sprite::Create(MakeImage(10, 10), 0, nullptr);
    SpriteRef b = Sprite::Create(MakeImage(10, 10), 0, nullptr);
    a->SetRadius(5);
    b->SetRadius(5);
    b->SetPosition(10, 0, 0); // exactly the sum of the radii apart
    EXPECT_EQ(Physics::Colliding(*a, *b, SHAPE_CIRCLE, SHAPE_CIRCLE), 0);
    b->SetPosition(9.9f, 0, 0);
    EXPECT_EQ(Physics::Colliding(*a, *b, SHAPE_CIRCLE, SHAPE_CIRCLE), 1);
    b->SetPosition(3, 0, 0);
    EXPECT_EQ(Physics::Colliding(*a, *b, SHAPE_IMAGE, SHAPE_IMAGE), 1);
    for (int shapeA = 0; shapeA < 4; ++shapeA) {
        for (int shapeB = 0; shapeB < 4; ++shapeB) {
            if (shapeA == shapeB && shapeA < 2) continue;
            EXPECT_EQ(Physics::Colliding(*a, *b, shapeA, shapeB), 0) << shapeA << "," << shapeB;
        }
    }
}

TEST_F(SpriteTest, FieldIsFullInsideRangeAndFallsWithTheSquare) {
    struct Case {
        float Distance, Vx;
    };
    for (const Case c : {Case{5, 8}, Case{10, 8}, Case{20, 2}}) {
        SpriteRef source = Body(0, 0, 0, 0);
        SpriteRef s = Body(c.Distance, 0, 0, 0);
        s->ApplyField(*source, 10, 8, 1);
        EXPECT_FLOAT_EQ(s->Vx(0), c.Vx) << c.Distance; // pushed away from the source
    }
}

TEST_F(SpriteTest, ThrustAnglesAndDistances) {
    SpriteRef s = Body(0, 0, 0, 0);
    s->SetRotation(90);
    s->ApplyThrust(2, 0, 10, 1); // "forward" is down on screen
    EXPECT_NEAR(s->Vx(0), 0, 1e-5);
    EXPECT_NEAR(s->Vy(0), 10, 1e-5);
    SpriteRef other = Body(10, 0, 0, 0);
    EXPECT_FLOAT_EQ(s->SpriteAngle(*other), 180);
    EXPECT_FLOAT_EQ(other->SpriteAngle(*s), 360);
    // Own distance carries the other sprite into this sprite's parent space.
    SpriteRef parent = Body(100, 0, 0, 0);
    parent->SetScale(2);
    SpriteRef child = Sprite::Create(nullptr, 0, parent); // on screen at (100, 0)
    EXPECT_FLOAT_EQ(child->SpriteDistance(*other, 0), 45);
    EXPECT_FLOAT_EQ(child->SpriteDistance(*other, 1), 90);
}

TEST_F(SpriteTest, CollisionPassSeparatesBouncesAndReportsInAlternatingOrder) {
    CollisionIDRef group = CollisionID::Create();
    CollisionSet::Create(group, group, SHAPE_CIRCLE, SHAPE_CIRCLE);
    std::vector<std::pair<Sprite*, Sprite*>> calls;
    auto record = [&calls](const SpriteRef& self, const SpriteRef& other) {
        calls.emplace_back(self.get(), other.get());
        return 0;
    };
    SpriteRef a = Body(0, 0, 100, 0);
    SpriteRef b = Body(30, 0, -100, 0);
    for (const SpriteRef& s : {a, b}) {
        s->SetRadius(10);
        s->SetCollisionID(group);
        s->SetCollisionFunction(record);
    }
    Frame(50); // both move 5 and meet at 20 apart: no contact
    EXPECT_TRUE(calls.empty());
    Frame(50); // 10 apart: touching would need < 20, they overlap
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(a.get(), b.get()));
    EXPECT_EQ(calls[1], std::make_pair(b.get(), a.get()));
    EXPECT_FLOAT_EQ(a->X(0), 5); // moved back to where the frame started
    EXPECT_FLOAT_EQ(b->X(0), 25);
    EXPECT_FLOAT_EQ(a->Vx(0), -100);
    EXPECT_FLOAT_EQ(b->Vx(0), 100);

    // Three sprites resting on each other: the pairs are resolved in reverse order every
    // second pass.
    a->SetVelocity(0, 0, 0);
    b->SetVelocity(0, 0, 0);
    SpriteRef c = Body(10, 0, 0, 0);
    c->SetRadius(10);
    c->SetCollisionID(group);
    c->SetCollisionFunction(record);
    a->SetPosition(0, 0, 0);
    b->SetPosition(5, 0, 0);
    calls.clear();
    Frame(20);
    const std::vector<std::pair<Sprite*, Sprite*>> first = calls;
    calls.clear();
    Frame(20);
    ASSERT_EQ(first.size(), 6u);
    ASSERT_EQ(calls.size(), 6u);
    for (size_t i = 0; i < 6; i += 2) {
        EXPECT_EQ(calls[i], first[4 - i]);
    }
}

TEST_F(SpriteTest, CallbacksMayFreeSpritesDuringThePass) {
    CollisionIDRef group = CollisionID::Create();
    CollisionSet::Create(group, group, SHAPE_CIRCLE, SHAPE_CIRCLE);
    std::vector<SpriteRef> sprites;
    int calls = 0;
    for (int i = 0; i < 4; ++i) {
        SpriteRef s = Body(float(i), 0, 0, 0);
        s->SetRadius(10);
        s->SetCollisionID(group);
        // Each hit frees both sprites, like a bullet and its target.
        s->SetCollisionFunction([&calls](const SpriteRef& self, const SpriteRef& other) {
            ++calls;
            self->Free();
            other->Free();
            return 0;
        });
        sprites.push_back(s);
    }
    Frame(20);
    EXPECT_EQ(calls, 2); // (0, 1) and (2, 3); pairs with a freed sprite are dropped
    EXPECT_EQ(Sprite::SpriteList().Count(), 0);
    EXPECT_TRUE(group->SpriteList().empty()); // freed sprites leave their group
    Frame(20);
    EXPECT_EQ(calls, 2);
}

} // namespace

// Paths: transform, lookup, smoothing and sprites that follow them.
#include <cmath>

#include "sprites/path.h"
#include "sprites/sprite_fixture.h"

namespace {

PathRef StraightPath() {
    PathRef path = Path::Create();
    path->AddPoint(0, 0, 0, 1);
    path->AddPoint(100, 0, 0, 1);
    return path;
}

TEST_F(SpriteTest, PathTransformAlongExtendsAndClampsTheEnds) {
    PathRef path = StraightPath();
    struct Case {
        float D, Offset, X, Y;
    };
    for (const Case c : {Case{50, 10, 50, -10}, Case{150, 0, 100, 0}, Case{-20, 0, -20, 0},
                         Case{150, 5, 100, -5}, Case{0, 0, 0, 0}}) {
        float x = 0, y = 0;
        path->Transform(c.D, c.Offset, x, y);
        EXPECT_FLOAT_EQ(x, c.X) << c.D;
        EXPECT_FLOAT_EQ(y, c.Y) << c.D;
    }
    EXPECT_EQ(path->Length(), 100);
    EXPECT_EQ(path->Points(), 2);
}

TEST_F(SpriteTest, LookupFindsTheSegmentOfADistance) {
    PathRef path = Path::Create();
    const float xs[] = {0, 10, 30, 60, 100, 150};
    for (float x : xs)
        path->AddPoint(x, 0, 0, 0);
    path->UpdatePath();
    struct Case {
        float D, PointX;
    };
    for (const Case c : {Case{-5, 0}, Case{0, 0}, Case{9.9f, 0}, Case{10, 10}, Case{45, 30}, Case{60, 60},
                         Case{149, 100}, Case{150, 150}, Case{500, 150}}) {
        EXPECT_EQ(path->FindNearestPoint(c.D)->X(), c.PointX) << c.D;
    }
    float x = 0, y = 0;
    path->Transform(75, 0, x, y);
    EXPECT_FLOAT_EQ(x, 75);
    EXPECT_EQ(path->Nx(75), 0);
    EXPECT_EQ(path->Ny(75), -1);
}

TEST_F(SpriteTest, PrependedPointsComeFirst) {
    PathRef path = StraightPath();
    path->AddPoint(0, 50, 1, 1);
    EXPECT_EQ(path->PointList().First()->Y(), 50);
    EXPECT_EQ(path->Length(), 150);
    float x = 0, y = 0;
    path->Transform(25, 0, x, y);
    EXPECT_FLOAT_EQ(y, 25);
}

TEST_F(SpriteTest, SmoothingAveragesNeighbours) {
    PathRef path = Path::Create();
    path->AddPoint(0, 0, 0, 0);
    PathPoint* middle = path->AddPoint(50, 100, 0, 0);
    path->AddPoint(100, 0, 0, 0);
    path->Smooth(1);
    EXPECT_EQ(middle->X(), 50);
    EXPECT_EQ(middle->Y(), 0);
    EXPECT_FLOAT_EQ(path->Length(), 100);
}

TEST_F(SpriteTest, SpritesFollowPathsBeforeTheirParent) {
    PathRef path = StraightPath();
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(25, 0, 0);
    s->SetPath(path, 0);
    EXPECT_EQ(s->X(1), 25);
    s->SetPosition(40, 0, 0);
    s->SetPath(nullptr, 0); // no conversion: jumps to its own coordinates
    EXPECT_EQ(s->X(1), 40);

    SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
    parent->SetPosition(200, 100, 0);
    parent->SetRotation(90);
    s->SetParent(parent, 0);
    s->SetPath(path, 1);
    s->SetPosition(30, 10, 0); // path point (30, -10), then turned and moved by the parent
    ExpectWorldAt(*s, 210, 130);
    s->SetPath(nullptr, 1); // keeps the sprite where it is drawn
    ExpectWorldAt(*s, 210, 130);
    EXPECT_EQ(s->Path(), nullptr);

    // Velocity moves a sprite along its path.
    s->SetPosition(0, 0, 0);
    s->SetPath(path, 0);
    s->SetVelocity(1, 0, 50);
    Frame(1000);
    ExpectWorldAt(*s, 200, 150);
}

TEST_F(SpriteTest, FreeingAPathFreesItsSprites) {
    PathRef path = StraightPath();
    SpriteRef on = Sprite::Create(nullptr, 0, nullptr);
    on->SetPath(path, 0);
    SpriteRef off = Sprite::Create(nullptr, 0, nullptr);
    path->Free();
    EXPECT_FALSE(on->Linked());
    EXPECT_TRUE(off->Linked());
    EXPECT_EQ(path->FindNearestPoint(10), nullptr);
}

TEST_F(SpriteTest, StaleLookupArrayIsSafe) {
    PathRef path = Path::Create();
    path->AddPoint(0, 0, 0, 0);
    path->AddPoint(10, 0, 0, 0);
    path->AddPoint(20, 0, 0, 0); // no update: the lookup array is still empty
    float x = -1, y = -1;
    path->Transform(15, 0, x, y);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

} // namespace

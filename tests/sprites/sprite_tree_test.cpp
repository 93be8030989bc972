// Inheritance through the parent chain, re-parenting, world positions and transforms.
#include <cmath>

#include "sprites/sprite_fixture.h"

namespace {

struct Chain {
    SpriteRef Root, Mid, Leaf;
};

// root (100, 50), 90°, scale (2, 3), colour (128, 64, 0), alpha 0.5, order 3, fog 0.5
// mid  (10, 0) under root, 30°, scale 0.5, alpha 0.5 without inheriting alpha, order 2, fog 1
// leaf (0, 4) under mid, 15°, colour (255, 128, 255), alpha 0.8, order 1, fog 1
Chain MakeChain(int leafFlags) {
    Chain c;
    c.Root = Sprite::Create(nullptr, 3, nullptr);
    c.Root->SetPosition(100, 50, 0);
    c.Root->SetRotation(90);
    c.Root->SetScale2(2, 3);
    c.Root->SetColor(128, 64, 0);
    c.Root->SetAlpha(0.5f);
    c.Root->SetFog(0.5f);
    c.Mid = Sprite::Create(nullptr, 2, c.Root);
    c.Mid->SetPosition(10, 0, 0);
    c.Mid->SetRotation(30);
    c.Mid->SetScale(0.5f);
    c.Mid->SetColor(255, 255, 255);
    c.Mid->SetAlpha(0.5f);
    c.Mid->SetFog(1);
    c.Mid->SetFlags(Sprite::NO_INHERIT_ALPHA);
    c.Leaf = Sprite::Create(nullptr, 1, c.Mid);
    c.Leaf->SetPosition(0, 4, 0);
    c.Leaf->SetRotation(15);
    c.Leaf->SetScale(1);
    c.Leaf->SetColor(255, 128, 255);
    c.Leaf->SetAlpha(0.8f);
    c.Leaf->SetFog(1);
    c.Leaf->SetFlags(leafFlags);
    return c;
}

TEST_F(SpriteTest, InheritedValuesFollowTheWholeChainUnderEachLevelsFlags) {
    // The mid level sits at (100, 70) with rotation 120 and scale (1, 1.5); its alpha is its own.
    struct Case {
        const char* Name;
        int Flags;
        float X, Y, Rotation, ScaleX, ScaleY, R, G, B, Alpha, Order, Fog;
    };
    const float s120 = std::sin(120 * 3.14159265f / 180), c120 = std::cos(120 * 3.14159265f / 180);
    const Case cases[] = {
        {"all inherited", 0, 100 - 6 * s120, 70 + 6 * c120, 135, 1, 1.5f, 128, 64 * 128 / 255.0f, 0, 0.4f, 6,
         0.5f},
        {"rotation own", Sprite::NO_INHERIT_ROTATION, 100 - 6 * s120, 70 + 6 * c120, 15, 1, 1.5f, 128,
         64 * 128 / 255.0f, 0, 0.4f, 6, 0.5f},
        {"position, scale, colour own",
         Sprite::NO_INHERIT_POSITION + Sprite::NO_INHERIT_SCALE + Sprite::NO_INHERIT_COLOR, 0, 4, 135, 1, 1,
         255, 128, 255, 0.4f, 6, 0.5f},
        {"alpha, order, fog own",
         Sprite::NO_INHERIT_ALPHA + Sprite::NO_INHERIT_ORDER + Sprite::NO_INHERIT_FOG, 100 - 6 * s120,
         70 + 6 * c120, 135, 1, 1.5f, 128, 64 * 128 / 255.0f, 0, 0.8f, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Chain chain = MakeChain(c.Flags);
        const Sprite& leaf = *chain.Leaf;
        EXPECT_NEAR(leaf.X(1), c.X, 1e-3);
        EXPECT_NEAR(leaf.Y(1), c.Y, 1e-3);
        EXPECT_NEAR(leaf.Rotation(1), c.Rotation, 1e-4);
        EXPECT_NEAR(leaf.ScaleX(1), c.ScaleX, 1e-6);
        EXPECT_NEAR(leaf.ScaleY(1), c.ScaleY, 1e-6);
        EXPECT_NEAR(leaf.R(1), c.R, 1e-3);
        EXPECT_NEAR(leaf.G(1), c.G, 1e-3);
        EXPECT_NEAR(leaf.B(1), c.B, 1e-3);
        EXPECT_NEAR(leaf.Alpha(1), c.Alpha, 1e-6);
        EXPECT_NEAR(leaf.Order(1), c.Order, 1e-6);
        EXPECT_NEAR(leaf.Fog(1), c.Fog, 1e-6);
        // Own values are untouched by the parents.
        EXPECT_EQ(leaf.X(0), 0);
        EXPECT_EQ(leaf.Y(0), 4);
        EXPECT_EQ(leaf.Rotation(0), 15);
        EXPECT_FLOAT_EQ(leaf.Alpha(0), 0.8f);
        EXPECT_EQ(leaf.Order(0), 1);
        Sprite::ResetEngine();
    }
}

TEST_F(SpriteTest, HiddenParentHidesChildrenUnlessTheyOptOut) {
    SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
    SpriteRef child = Sprite::Create(nullptr, 0, parent);
    SpriteRef grandchild = Sprite::Create(nullptr, 0, child);
    parent->Hide();
    child->Show();
    EXPECT_EQ(child->Hidden(1), 1);
    EXPECT_EQ(grandchild->Hidden(1), 1);
    EXPECT_EQ(child->Hidden(0), 0);
    child->SetFlags(Sprite::NO_INHERIT_HIDDEN);
    EXPECT_EQ(child->Hidden(1), 0);
    EXPECT_EQ(grandchild->Hidden(1), 0);
}

TEST_F(SpriteTest, ColourMultipliesDownTheChain) {
    SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
    parent->SetColor(128, 64, 0);
    SpriteRef child = Sprite::Create(nullptr, 0, parent);
    child->SetColor(255, 255, 255);
    EXPECT_FLOAT_EQ(child->R(1), 128);
    EXPECT_FLOAT_EQ(child->G(1), 64);
    EXPECT_FLOAT_EQ(child->B(1), 0);
}

TEST_F(SpriteTest, WorldSetPositionUnderRotatedScaledParentLandsOnTheScreenPoint) {
    SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
    parent->SetPosition(200, 100, 0);
    parent->SetRotation(30);
    parent->SetScale2(2, 0.5f);
    SpriteRef grand = Sprite::Create(nullptr, 0, parent);
    grand->SetPosition(20, -10, 0);
    grand->SetRotation(-75);
    for (const SpriteRef& owner : {parent, grand}) {
        SpriteRef child = Sprite::Create(nullptr, 0, owner);
        child->SetPosition(50, 60, 1);
        ExpectWorldAt(*child, 50, 60);
        EXPECT_EQ(child->Parent(), owner);
        child->SetX(-30, 1);
        ExpectWorldAt(*child, -30, 60);
        child->SetY(7, 1);
        ExpectWorldAt(*child, -30, 7);
    }
}

TEST_F(SpriteTest, SetParentWithKeepRoundTripRestoresTheScreenValues) {
    SpriteRef p = Sprite::Create(nullptr, 0, nullptr);
    p->SetPosition(100, 120, 0);
    p->SetRotation(45);
    p->SetScale2(2, 0.5f);
    p->SetAlpha(0.5f);
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(30, 40, 0);
    s->SetRotation(10);
    s->SetScale2(1.5f, 0.75f);
    s->SetAlpha(0.3f);

    s->SetParent(p, 1);
    EXPECT_EQ(s->Parent(), p);
    ExpectWorldAt(*s, 30, 40);
    EXPECT_NEAR(s->Rotation(1), 10, 1e-4);
    EXPECT_NEAR(s->ScaleX(1), 1.5f, 1e-6);
    EXPECT_NEAR(s->Alpha(1), 0.3f, 1e-6);
    EXPECT_NEAR(s->Alpha(0), 0.6f, 1e-6); // expressed in the parent's space

    s->SetParent(nullptr, 1);
    EXPECT_EQ(s->Parent(), nullptr);
    EXPECT_NEAR(s->X(0), 30, 1e-3);
    EXPECT_NEAR(s->Y(0), 40, 1e-3);
    EXPECT_NEAR(s->Rotation(0), 10, 1e-4);
    EXPECT_NEAR(s->ScaleX(0), 1.5f, 1e-6);
    EXPECT_NEAR(s->ScaleY(0), 0.75f, 1e-6);
    EXPECT_NEAR(s->Alpha(0), 0.3f, 1e-6);
}

TEST_F(SpriteTest, SetParentWithoutKeepReinterpretsOwnValues) {
    SpriteRef p = Sprite::Create(nullptr, 0, nullptr);
    p->SetPosition(100, 0, 0);
    p->SetScale(2);
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(5, 5, 0);
    s->SetParent(p, 0);
    ExpectWorldAt(*s, 110, 10);
    // Its own parent as the argument: the reference must survive the relinking.
    s->SetParent(s->Parent(), 1);
    EXPECT_EQ(s->Parent(), p);
    ExpectWorldAt(*s, 110, 10);
}

TEST_F(SpriteTest, KeepUnderAParentOfZeroAlphaOrScaleStaysFinite) {
    SpriteRef p = Sprite::Create(nullptr, 0, nullptr);
    p->SetAlpha(0);
    p->SetScale(0);
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(10, 20, 0);
    s->SetAlpha(0.7f);
    s->SetParent(p, 1);
    EXPECT_TRUE(std::isfinite(s->X(0)) && std::isfinite(s->Y(0)));
    EXPECT_FLOAT_EQ(s->Alpha(0), 0.7f);
    EXPECT_FLOAT_EQ(s->ScaleX(0), 1);
}

TEST_F(SpriteTest, TransformsBetweenSpaces) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(10, 20, 0);
    s->SetRotation(90);
    s->SetScale(2);
    SpriteRef t = Sprite::Create(nullptr, 0, nullptr);
    t->SetRotation(30);

    Sprite::TFormNormal(3, 4, s.get(), s.get());
    EXPECT_FLOAT_EQ(Sprite::TFormedX(), 3);
    EXPECT_FLOAT_EQ(Sprite::TFormedY(), 4);
    Sprite::TFormNormal(3, 4, nullptr, t.get());
    EXPECT_NEAR(std::hypot(Sprite::TFormedX(), Sprite::TFormedY()), 1, 1e-6);

    // A point of s's space goes to the screen exactly where a flagless child would be drawn.
    SpriteRef child = Sprite::Create(nullptr, 0, s);
    child->SetPosition(5, -3, 0);
    Sprite::TFormPoint(5, -3, s.get(), nullptr);
    EXPECT_NEAR(Sprite::TFormedX(), child->X(1), 1e-4);
    EXPECT_NEAR(Sprite::TFormedY(), child->Y(1), 1e-4);
    // … and back.
    Sprite::TFormPoint(child->X(1), child->Y(1), nullptr, s.get());
    EXPECT_NEAR(Sprite::TFormedX(), 5, 1e-4);
    EXPECT_NEAR(Sprite::TFormedY(), -3, 1e-4);

    // Vectors only turn: 90° in, 30° out.
    Sprite::TFormVector(10, 0, s.get(), t.get());
    EXPECT_NEAR(Sprite::TFormedX(), 10 * std::cos(60 * 3.14159265f / 180), 1e-4);
    EXPECT_NEAR(Sprite::TFormedY(), 10 * std::sin(60 * 3.14159265f / 180), 1e-4);
}

TEST_F(SpriteTest, FrameClampsForInheritedUse) {
    SpriteRef s = Sprite::Create(MakeImage(8, 8, 4), 0, nullptr);
    struct Case {
        float Frame, Own, Clamped;
    };
    for (const Case c : {Case{5.7f, 5.7f, 3}, Case{-1, -1, 0}, Case{2.5f, 2.5f, 2.5f}}) {
        s->SetFrame(c.Frame);
        EXPECT_FLOAT_EQ(s->Frame(0), c.Own);
        EXPECT_FLOAT_EQ(s->Frame(1), c.Clamped);
    }
    s->SetImage(MakeImage(8, 8, 2));
    EXPECT_EQ(s->Frame(0), 0); // a new image starts at frame 0
}

TEST_F(SpriteTest, CreateTakesTheDrawingStateAndSetsTheRadius) {
    Media::SetColor(10, 20, 30);
    Media::SetAlpha(0.25f);
    Media::SetBlend(Media::LIGHTBLEND);
    Media::SetScale(2, 3);
    Media::SetViewport(1, 2, 300, 400);
    SpriteRef s = Sprite::Create(MakeImage(31, 20), 7, nullptr);
    EXPECT_EQ(s->R(0), 10);
    EXPECT_EQ(s->G(0), 20);
    EXPECT_EQ(s->B(0), 30);
    EXPECT_FLOAT_EQ(s->Alpha(0), 0.25f);
    EXPECT_EQ(s->Blend(), Media::LIGHTBLEND);
    EXPECT_EQ(s->ScaleY(0), 3);
    EXPECT_EQ(s->ViewportWidth(0), 300);
    EXPECT_EQ(s->Radius(0), 10);
    EXPECT_EQ(s->Order(0), 7);
    EXPECT_EQ(s->Width(0), 62);
}

TEST_F(SpriteTest, ParentViewportIsGivenInTheParentsSpace) {
    SpriteRef p = Sprite::Create(nullptr, 0, nullptr);
    p->SetPosition(100, 50, 0);
    p->SetScale2(2, 3);
    p->SetRotation(45); // never enters the viewport
    SpriteRef s = Sprite::Create(nullptr, 0, p);
    s->SetViewport(10, 10, 20, 30);
    EXPECT_EQ(s->ViewportX(1), 10);
    s->SetFlags(Sprite::PARENT_VIEWPORT);
    EXPECT_FLOAT_EQ(s->ViewportX(1), 120);
    EXPECT_FLOAT_EQ(s->ViewportY(1), 80);
    EXPECT_FLOAT_EQ(s->ViewportWidth(1), 40);
    EXPECT_FLOAT_EQ(s->ViewportHeight(1), 90);
}

TEST_F(SpriteTest, CornersCarryTheOwnScaleTwice) {
    SpriteRef s = Sprite::Create(MakeImage(20, 10), 0, nullptr);
    s->SetPosition(100, 50, 0);
    s->SetScale(2);
    // (-10, -5) and (-10 + 40, -5 + 20) of local space, scaled by 2 again.
    EXPECT_FLOAT_EQ(s->X1(1), 80);
    EXPECT_FLOAT_EQ(s->Y1(1), 40);
    EXPECT_FLOAT_EQ(s->X3(1), 160);
    EXPECT_FLOAT_EQ(s->Y3(1), 80);
    EXPECT_FLOAT_EQ(s->X2(1), 160);
    EXPECT_FLOAT_EQ(s->Y4(1), 80);
}

TEST_F(SpriteTest, OverlapTestsUsePicturesAtEffectivePlaces) {
    SpriteRef a = Sprite::Create(MakeImage(10, 10), 0, nullptr);
    SpriteRef b = Sprite::Create(MakeImage(10, 10), 0, nullptr);
    SpriteRef pivot = Sprite::Create(nullptr, 0, nullptr);
    b->SetPosition(6, 6, 0);
    EXPECT_EQ(a->Overlaps(*b), 1);
    b->SetPosition(20, 0, 0);
    EXPECT_EQ(a->Overlaps(*b), 0);
    b->SetScale(4); // now 40 wide about (20, 0)
    EXPECT_EQ(a->Overlaps(*b), 1);
    EXPECT_EQ(a->Overlaps(*pivot), 0);
    EXPECT_EQ(a->OverlapsPoint(2, 2, 0), 1);
    EXPECT_EQ(a->OverlapsPoint(8, 0, 0), 0);
    EXPECT_EQ(a->OverlapsRect(4, -20, 2, 40, 0, 1), 1);
    float sx = 0, sy = 0;
    Media::GetScale(sx, sy);
    EXPECT_EQ(sx, 1); // the drawing state is restored
}

TEST_F(SpriteTest, CopyTakesEveryFieldButNotChildrenOrAnimations) {
    SpriteRef p = Sprite::Create(nullptr, 0, nullptr);
    SpriteRef s = Sprite::Create(MakeImage(8, 8), 4, p);
    SpriteRef child = Sprite::Create(nullptr, 0, s);
    s->SetName("ship");
    s->SetPosition(3, 4, 0);
    s->SetColor(1, 2, 3);
    s->SetShadow(6, 45, 0.33f);
    s->SetVelocity(1, 0, 50);
    s->AnimateAlpha(1, 0, 1000, Animate::LOOP);
    SpriteRef copy = s->Copy(0);
    EXPECT_EQ(Sprite::SpriteList().Last(), copy.get());
    EXPECT_EQ(copy->Name(), "ship");
    EXPECT_EQ(copy->Parent(), p);
    EXPECT_EQ(copy->Image(), s->Image());
    EXPECT_EQ(copy->Order(0), 4);
    EXPECT_EQ(copy->X(0), 3);
    EXPECT_EQ(copy->B(0), 3);
    EXPECT_FLOAT_EQ(copy->ShadowAlpha(), 0.33f);
    EXPECT_EQ(copy->Vx(0), 50);
    EXPECT_EQ(copy->Animating(Animate::TRANSFORM_ALL), 0);
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_ALPHA), 1);
    copy->Free();
    EXPECT_TRUE(child->Linked());
}

} // namespace

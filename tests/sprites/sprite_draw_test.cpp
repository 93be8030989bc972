// Drawing passes, draw order and the life cycle of sprites.
#include <cmath>
#include <vector>

#include "sprites/render_state.h"
#include "sprites/sprite_fixture.h"

namespace {

std::vector<Media::DrawRecord> DrawAllRecorded() {
    Media::ClearRecordedDraws();
    Media::SetDrawRecording(true);
    Sprite::DrawAll();
    Media::SetDrawRecording(false);
    return Media::RecordedDraws();
}

// The x positions of the recorded draws: tests place sprite n at x = n to name it.
std::vector<int> DrawnIds() {
    std::vector<int> ids;
    for (const Media::DrawRecord& r : DrawAllRecorded())
        ids.push_back(int(r.X));
    return ids;
}

TEST_F(SpriteTest, OverbrightColourDrawsAgainAdditively) {
    SpriteRef s = Sprite::Create(MakeImage(8, 8), 0, nullptr);
    s->SetBlend(Media::ALPHABLEND);
    s->SetColor(300, 200, 255);
    s->SetPosition(100, 50, 0);
    const auto draws = DrawAllRecorded();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].R, 255);
    EXPECT_EQ(draws[0].G, 200);
    EXPECT_EQ(draws[0].B, 255);
    EXPECT_EQ(draws[0].Blend, Media::ALPHABLEND);
    EXPECT_EQ(draws[1].R, 45);
    EXPECT_EQ(draws[1].G, 0);
    EXPECT_EQ(draws[1].B, 0);
    EXPECT_EQ(draws[1].Blend, Media::LIGHTBLEND);
    for (const auto& d : draws) {
        EXPECT_EQ(d.X, 100);
        EXPECT_EQ(d.Y, 50);
        EXPECT_FALSE(d.Fog);
    }
}

// The passes a sprite paints are the ones it draws: the main pass with its colour clamped, an
// overbright one for the rest, its picture placed by its own scale, turn and place in its
// parent's space (which the painted picture's corner offsets).
TEST_F(SpriteTest, PaintPassesAreTheDrawnPassesPlacedInTheParentsSpace) {
    SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
    parent->SetPosition(300, 200, 0); // moves the drawing, not the parent's space
    SpriteRef s = Sprite::Create(MakeImage(8, 4), 0, parent);
    s->SetPosition(10, 20, 0);
    s->SetRotation(90);
    s->SetScale(2);
    s->SetColor(400, 100, 0);
    s->SetAlpha(0.5f);
    std::vector<Media::PaintPass> passes;
    s->AddPaintPasses(passes, -100, -50);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(DrawAllRecorded().size(), 2u) << "as many passes as draws";
    const Media::PaintPass& main = passes[0];
    EXPECT_EQ(main.Blend, Media::ALPHABLEND);
    EXPECT_FLOAT_EQ(main.R, 1);
    EXPECT_FLOAT_EQ(main.G, 100 / 255.0f);
    EXPECT_FLOAT_EQ(main.B, 0);
    EXPECT_FLOAT_EQ(main.Alpha, 0.5f);
    // The picture's corner (−4, −2) from its handle, doubled and turned a quarter clockwise, lies
    // at (4, −8) from (10, 20); the painted picture's corner is at (−100, −50).
    EXPECT_NEAR(main.TopLeftX, 114, 1e-4f);
    EXPECT_NEAR(main.TopLeftY, 62, 1e-4f);
    EXPECT_NEAR(main.TopRightX, 114, 1e-4f);
    EXPECT_NEAR(main.TopRightY, 78, 1e-4f);
    EXPECT_NEAR(main.BottomLeftX, 106, 1e-4f);
    EXPECT_NEAR(main.BottomLeftY, 62, 1e-4f);
    const Media::PaintPass& over = passes[1];
    EXPECT_EQ(over.Blend, Media::LIGHTBLEND);
    EXPECT_FLOAT_EQ(over.R, 145 / 255.0f);
    EXPECT_FLOAT_EQ(over.G, 0);
    EXPECT_FLOAT_EQ(over.TopLeftX, main.TopLeftX);

    // Mirrored, the picture's left edge is on the right; no colour above 255, one pass.
    s->SetRotation(0);
    s->SetScale(1);
    s->SetScaleX(-1);
    s->SetColor(255, 255, 255);
    passes.clear();
    s->AddPaintPasses(passes, 0, 0);
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_FLOAT_EQ(passes[0].TopLeftX, 14);
    EXPECT_FLOAT_EQ(passes[0].TopRightX, 6);
    EXPECT_FLOAT_EQ(passes[0].BottomLeftY, 22);

    SpriteRef empty = Sprite::Create(nullptr, 0, nullptr);
    passes.clear();
    empty->AddPaintPasses(passes, 0, 0);
    EXPECT_TRUE(passes.empty());
}

TEST_F(SpriteTest, FogAndShadowPassesOnlyWithStrengthAboveZero) {
    struct Case {
        const char* Name;
        float Alpha, Fog, ShadowAlpha;
        size_t Draws;
        bool Shadow, FogPass;
    };
    const Case cases[] = {
        {"plain", 1, 0, 0, 1, false, false},
        {"fog", 1, 0.5f, 0, 2, false, true},
        {"shadow", 1, 0, 0.5f, 2, true, false},
        {"both", 0.8f, 0.5f, 0.5f, 3, true, true},
        {"invisible sprite casts no shadow", 0, 0, 0.5f, 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Sprite::ResetEngine();
        SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
        parent->SetRotation(90);
        parent->SetFog(1);
        SpriteRef s = Sprite::Create(MakeImage(8, 8), 0, parent);
        s->SetPosition(0, -100, 0); // on screen at (100, 0), turned 90°
        s->SetBlend(Media::SHADEBLEND);
        s->SetColor(255, 128, 64);
        s->SetAlpha(c.Alpha);
        s->SetFog(c.Fog);
        s->SetFogColor(10, 20, 30);
        s->SetShadow(6, 0, c.ShadowAlpha);
        const auto draws = DrawAllRecorded();
        ASSERT_EQ(draws.size(), c.Draws);
        size_t main = 0;
        if (c.Shadow) {
            const auto& shadow = draws[0];
            EXPECT_NEAR(shadow.X, 100, 1e-3); // the offset turns with the parent: (6, 0) → (0, 6)
            EXPECT_NEAR(shadow.Y, 6, 1e-3);
            EXPECT_EQ(shadow.R + shadow.G + shadow.B, 0);
            EXPECT_FLOAT_EQ(shadow.Alpha, c.Alpha * c.ShadowAlpha);
            EXPECT_EQ(shadow.Blend, Media::SHADEBLEND);
            EXPECT_NEAR(shadow.Rotation, 90, 1e-4);
            main = 1;
        }
        EXPECT_EQ(draws[main].R, 255);
        EXPECT_EQ(draws[main].G, 128);
        EXPECT_EQ(draws[main].Blend, Media::SHADEBLEND);
        EXPECT_NEAR(draws[main].X, 100, 1e-3);
        EXPECT_FALSE(draws[main].Fog);
        if (c.FogPass) {
            const auto& fog = draws.back();
            EXPECT_TRUE(fog.Fog);
            EXPECT_EQ(fog.R, 10);
            EXPECT_EQ(fog.G, 20);
            EXPECT_EQ(fog.B, 30);
            EXPECT_EQ(fog.Blend, Media::ALPHABLEND);
            EXPECT_FLOAT_EQ(fog.Alpha, c.Alpha * c.Fog);
        }
    }
}

TEST_F(SpriteTest, DrawRestoresTheDrawingStateAndAppliesOrigin) {
    Media::SetColor(1, 2, 3);
    Media::SetAlpha(0.5f);
    Media::SetBlend(Media::MASKBLEND);
    Media::SetRotation(12);
    Media::SetViewport(0, 0, 800, 500);
    SpriteRef s = Sprite::Create(MakeImage(8, 8), 0, nullptr);
    s->SetPosition(10, 10, 0);
    s->SetViewport(5, 6, 70, 80);
    s->SetColor(300, 300, 300);
    s->SetFog(1);
    s->SetShadow(3, 0, 1);
    s->SetRotation(0);
    Sprite::SetOrigin(40, 30);
    const auto draws = DrawAllRecorded();
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[1].X, 50);
    EXPECT_EQ(draws[1].Y, 40);
    EXPECT_EQ(draws[1].ViewportX, 45);
    EXPECT_EQ(draws[1].ViewportY, 36);
    EXPECT_EQ(draws[1].ViewportWidth, 70);
    int r, g, b, vx, vy, vw, vh;
    Media::GetColor(r, g, b);
    Media::GetViewport(vx, vy, vw, vh);
    EXPECT_EQ(r + g * 10 + b * 100, 1 + 20 + 300);
    EXPECT_FLOAT_EQ(Media::GetAlpha(), 0.5f);
    EXPECT_EQ(Media::GetBlend(), Media::MASKBLEND);
    EXPECT_FLOAT_EQ(Media::GetRotation(), 12);
    EXPECT_FALSE(Media::GetFogMode());
    EXPECT_EQ(vw, 800);
    EXPECT_EQ(RenderState::Depth(), 0);

    // Draw on its own gives the same passes and restores the state as well.
    Media::ClearRecordedDraws();
    Media::SetDrawRecording(true);
    s->Draw();
    Media::SetDrawRecording(false);
    const auto& alone = Media::RecordedDraws();
    ASSERT_EQ(alone.size(), draws.size());
    for (size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(alone[i].X, draws[i].X) << i;
        EXPECT_EQ(alone[i].R, draws[i].R) << i;
        EXPECT_EQ(alone[i].Blend, draws[i].Blend) << i;
        EXPECT_EQ(alone[i].Fog, draws[i].Fog) << i;
        EXPECT_EQ(alone[i].Alpha, draws[i].Alpha) << i;
        EXPECT_EQ(alone[i].ViewportX, draws[i].ViewportX) << i;
    }
    EXPECT_FLOAT_EQ(Media::GetRotation(), 12);
    EXPECT_EQ(Media::GetBlend(), Media::MASKBLEND);
}

TEST_F(SpriteTest, RenderStatePopRestoresEveryItem) {
    Media::SetAlpha(0.25f);
    Media::SetClsColor(9, 8, 7);
    Media::SetDrawHandle(3, 4);
    Media::SetLineWidth(2);
    Media::SetMaskColor(5, 6, 7);
    Media::SetOrigin(11, 12);
    Media::SetScale(2, 3);
    RenderState::Push();
    RenderState::Push();
    Media::SetAlpha(1);
    Media::SetClsColor(0, 0, 0);
    Media::SetDrawHandle(0, 0);
    Media::SetLineWidth(1);
    Media::SetMaskColor(0, 0, 0);
    Media::SetOrigin(0, 0);
    Media::SetScale(1, 1);
    RenderState::Pop();
    EXPECT_EQ(RenderState::Depth(), 1);
    int r, g, b;
    float x, y;
    EXPECT_FLOAT_EQ(Media::GetAlpha(), 0.25f);
    Media::GetClsColor(r, g, b);
    EXPECT_EQ(r, 9);
    Media::GetDrawHandle(x, y);
    EXPECT_EQ(y, 4);
    EXPECT_EQ(Media::GetLineWidth(), 2);
    Media::GetMaskColor(r, g, b);
    EXPECT_EQ(b, 7);
    Media::GetOrigin(x, y);
    EXPECT_EQ(x, 11);
    Media::GetScale(x, y);
    EXPECT_EQ(y, 3);
}

TEST_F(SpriteTest, PivotsAreNotDrawnButTheirChildrenAreRelativeToThem) {
    SpriteRef pivot = Sprite::Create(nullptr, 0, nullptr);
    pivot->SetPosition(200, 100, 0);
    SpriteRef child = Sprite::Create(MakeImage(4, 4), 0, pivot);
    child->SetPosition(5, 0, 0);
    const auto draws = DrawAllRecorded();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].X, 205);
    pivot->Hide();
    EXPECT_TRUE(DrawAllRecorded().empty());
}

// The sprites a drawing function saw, in the order it was called.
std::vector<const Sprite*> drawnByFunction;

TEST_F(SpriteTest, ADrawingFunctionDrawsInPlaceOfTheImageAtTheSpritesTurnWhileShown) {
    drawnByFunction.clear();
    const auto draw = [](const Sprite& sprite) {
        drawnByFunction.push_back(&sprite);
        // What it draws falls between the sprites before and after it.
        Media::DrawFrame(*sprite.Image(), 50, 0, 0);
    };
    SpriteRef behind = Sprite::Create(MakeImage(4, 4), 1, nullptr);
    behind->SetPosition(1, 0, 0);
    SpriteRef drawn = Sprite::Create(MakeImage(4, 4), 2, nullptr);
    drawn->SetPosition(2, 0, 0);
    drawn->SetDrawing(draw);
    SpriteRef front = Sprite::Create(MakeImage(4, 4), 3, nullptr);
    front->SetPosition(3, 0, 0);
    EXPECT_EQ(DrawnIds(), (std::vector<int>{1, 50, 3}));
    ASSERT_EQ(drawnByFunction.size(), 1u);
    EXPECT_EQ(drawnByFunction[0], drawn.get());

    // Without an image it is still drawn; hidden, or under a hidden parent, it is not.
    drawn->SetImage(nullptr);
    drawn->SetDrawing([](const Sprite& sprite) { drawnByFunction.push_back(&sprite); });
    DrawAllRecorded();
    EXPECT_EQ(drawnByFunction.size(), 2u);
    drawn->Hide();
    DrawAllRecorded();
    drawn->Draw();
    EXPECT_EQ(drawnByFunction.size(), 2u);
    drawn->Show();
    drawn->Draw();
    EXPECT_EQ(drawnByFunction.size(), 3u);
    drawn->SetParent(front, 0);
    front->Hide();
    DrawAllRecorded();
    EXPECT_EQ(drawnByFunction.size(), 3u);
}

TEST_F(SpriteTest, EqualOrdersKeepTheirOrderFrameAfterFrameAndNewcomersGoBehind) {
    auto make = [this](int id, int order) {
        SpriteRef s = Sprite::Create(MakeImage(2, 2), order, nullptr);
        s->SetPosition(float(id), 0, 0);
        return s;
    };
    SpriteRef a = make(1, 5), b = make(2, 5), c = make(3, 1);
    EXPECT_EQ(DrawnIds(), (std::vector<int>{3, 1, 2}));
    c->SetOrder(5); // equal now: keeps its place from the previous frame
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(DrawnIds(), (std::vector<int>{3, 1, 2}));
    SpriteRef d = make(4, 5);
    EXPECT_EQ(DrawnIds(), (std::vector<int>{3, 1, 2, 4}));
    a->SetOrder(0);
    SpriteRef e = make(5, -10);
    EXPECT_EQ(DrawnIds(), (std::vector<int>{5, 1, 3, 2, 4}));
    // Children sort by their inherited order.
    SpriteRef child = Sprite::Create(MakeImage(2, 2), -20, b);
    child->SetPosition(-4, 0, 0); // drawn at 2 - 4
    EXPECT_EQ(DrawnIds(), (std::vector<int>{-2, 5, 1, 3, 2, 4}));
}

TEST_F(SpriteTest, CompareOrderTreatsNotANumberAsEqual) {
    SpriteRef a = Sprite::Create(nullptr, 1, nullptr);
    SpriteRef b = Sprite::Create(nullptr, 2, nullptr);
    EXPECT_EQ(Sprite::CompareOrder(*a, *b), -1);
    EXPECT_EQ(Sprite::CompareOrder(*b, *a), 1);
    EXPECT_EQ(Sprite::CompareOrder(*a, *a), 0);
    b->SetOrder(std::nanf(""));
    EXPECT_EQ(Sprite::CompareOrder(*a, *b), 0);
    EXPECT_EQ(Sprite::CompareOrder(*b, *a), 0);
    // Such a sprite still sorts and draws like any other.
    SpriteRef drawn = Sprite::Create(MakeImage(2, 2), 0, nullptr);
    drawn->SetOrder(std::nanf(""));
    Sprite::Create(MakeImage(2, 2), -1, nullptr)->SetPosition(1, 0, 0);
    EXPECT_EQ(DrawnIds().size(), 2u);
}

TEST_F(SpriteTest, FreeEndsTheSubtreeAndAllItsAnimations) {
    SpriteRef root = Sprite::Create(nullptr, 0, nullptr);
    SpriteRef child = Sprite::Create(nullptr, 0, root);
    SpriteRef grandchild = Sprite::Create(MakeImage(4, 4), 0, child);
    SpriteRef other = Sprite::Create(nullptr, 0, nullptr);
    for (const SpriteRef& s : {root, child, grandchild, other}) {
        s->AnimateX(0, 100, 1000, Animate::LOOP);
        s->AnimateAlpha(1, 0, 1000, 0, 500);
    }
    root->Free();
    for (const SpriteRef& s : {root, child, grandchild}) {
        EXPECT_FALSE(s->Linked());
        EXPECT_EQ(s->Parent(), nullptr);
        EXPECT_EQ(s->Animating(Animate::TRANSFORM_ALL), 0);
    }
    EXPECT_EQ(Sprite::SpriteList().Count(), 1);
    EXPECT_EQ(Animate::Count(), 2);
    // A freed sprite held elsewhere is still a valid object.
    grandchild->SetPosition(1, 2, 0);
    EXPECT_EQ(grandchild->X(1), 1);
    for (int i = 0; i < 3; ++i)
        Frame(20);
    EXPECT_TRUE(DrawAllRecorded().empty());
}

TEST_F(SpriteTest, FreeByNameFreesEveryExactMatch) {
    for (const char* name : {"star", "star", "Star", "stars"})
        Sprite::Create(nullptr, 0, nullptr)->SetName(name);
    Sprite::FreeByName("star");
    EXPECT_EQ(Sprite::SpriteList().Count(), 2);
}

TEST_F(SpriteTest, FreeingTwiceIsFatal) {
    EXPECT_EXIT(
        {
            SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
            s->SetName("ship");
            s->Free();
            s->Free();
        },
        ::testing::ExitedWithCode(1), "Error in Sprite.Free\\(\\) : Attempt to free sprite 'ship' twice!");
    EXPECT_EXIT(
        {
            SpriteRef parent = Sprite::Create(nullptr, 0, nullptr);
            SpriteRef child = Sprite::Create(nullptr, 0, parent);
            parent->Free();
            child->Free();
        },
        ::testing::ExitedWithCode(1), "twice");
}

TEST_F(SpriteTest, UpdateRecordsLastPositionsBeforeMoving) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->SetPosition(10, 20, 0);
    s->SetVelocity(1, 0, 100);
    s->AnimateY(20, 40, 100);
    Frame(50);
    EXPECT_EQ(s->LastX(), 10);
    EXPECT_EQ(s->LastY(), 20);
    EXPECT_FLOAT_EQ(s->X(0), 15);
    Frame(50);
    EXPECT_FLOAT_EQ(s->LastX(), 15);
    EXPECT_FLOAT_EQ(s->Y(0), 30);
}

} // namespace

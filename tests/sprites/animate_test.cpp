// Property animation: timing value by value, flags, take-over, speed, end actions and curves.
#include <cmath>
#include <vector>

#include "sprites/sprite_fixture.h"

namespace {

// Values of one property after each of `frames` updates of `ms` each.
template <class Getter> std::vector<float> RunFrames(int frames, int ms, Getter get) {
    std::vector<float> values;
    for (int i = 0; i < frames; ++i) {
        SpriteTest::Frame(ms);
        values.push_back(get());
    }
    return values;
}

void ExpectValues(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-4) << "update " << i + 1;
}

TEST_F(SpriteTest, AlphaFadeTakesExactlyItsTime) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateAlpha(1, 0, 500, 0, 0, 0);
    EXPECT_EQ(s->Alpha(0), 1); // applied at creation
    const std::vector<float> values = RunFrames(26, 20, [&] { return s->Alpha(0); });
    std::vector<float> expected{1};
    for (int age = 20; age <= 500; age += 20)
        expected.push_back(1 - age / 500.0f);
    ExpectValues(values, expected);
    EXPECT_EQ(values.back(), 0); // exactly the end value
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_ALPHA), 0);
    EXPECT_EQ(Animate::Count(), 0);
}

TEST_F(SpriteTest, FlagsShapeTheProgress) {
    // x from 0 to 100 over 100 ms, updates of 20 ms; the first update applies the start age.
    struct Case {
        const char* Name;
        int Flags, Delay, StartAge, Time, Step;
        float AtCreation;
        std::vector<float> Values;
        bool RunsOn;
    };
    const float easeIn = float(100 * (1 - std::cos(0.2 * 3.14159265358979 / 2)));
    const Case cases[] = {
        {"linear", 0, 0, 0, 100, 20, 0, {0, 20, 40, 60, 80, 100, 100}, false},
        {"time 0", 0, 0, 0, 0, 20, 0, {100, 100}, false},
        {"time 0 ping-pong", Animate::PINGPONG, 0, 0, 0, 20, 0, {0, 0}, false},
        {"ping-pong",
         Animate::PINGPONG,
         0,
         0,
         100,
         20,
         0,
         {0, 20, 40, 60, 80, 100, 80, 60, 40, 20, 0, 0},
         false},
        {"loop", Animate::LOOP, 0, 0, 100, 20, 0, {0, 20, 40, 60, 80, 0, 20, 40}, true},
        {"loop ping-pong",
         Animate::LOOP + Animate::PINGPONG,
         0,
         0,
         100,
         40,
         0,
         {0, 40, 80, 80, 40, 0, 40},
         true},
        {"reverse", Animate::REVERSE, 0, 0, 100, 20, 0, {100, 80, 60, 40, 20, 100}, false},
        {"delay", 0, 50, 0, 100, 20, -1, {-1, -1, 0, 20, 40, 60, 80, 100}, false},
        {"start age", 0, 0, 50, 100, 20, 0, {50, 70, 90, 100}, false},
        {"ease in", Animate::EASE_IN, 0, 0, 100, 20, 0, {0, easeIn}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Sprite::ResetEngine();
        SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
        s->SetPosition(-1, 0, 0);
        s->AnimateX(0, 100, c.Time, c.Flags, c.Delay, c.StartAge);
        EXPECT_EQ(s->X(0), c.AtCreation);
        ExpectValues(RunFrames(int(c.Values.size()), c.Step, [&] { return s->X(0); }), c.Values);
        EXPECT_EQ(s->Animating(Animate::TRANSFORM_POSITION), c.RunsOn ? 1 : 0);
    }
}

TEST_F(SpriteTest, LongLoopsKeepTheirPhase) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateX(0, 100, 100, Animate::LOOP + Animate::PINGPONG, 0, 2147483637); // cycle 21474836, age 37
    ExpectValues(RunFrames(3, 20, [&] { return s->X(0); }), {37, 57, 77});
}

TEST_F(SpriteTest, LoopingCosinePingPongSwingsSmoothlyForEver) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateX(0, 100, 1000, Animate::LOOP + Animate::PINGPONG + Animate::COSINE);
    float previous = 0;
    for (int i = 1; i <= 400; ++i) {
        Frame(20);
        const float x = s->X(0);
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 100);
        EXPECT_LE(std::fabs(x - previous), 100 * 3.1416f * 0.02f / 2 + 1e-3f) << "no jumps";
        previous = x;
    }
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_X), 1);
}

TEST_F(SpriteTest, FrameAnimationGivesEveryFrameAnEqualShare) {
    SpriteRef s = Sprite::Create(MakeImage(4, 4, 4), 0, nullptr);
    s->AnimateFrame(0, 3, 400, 0, 0, 0, nullptr);
    std::vector<int> frames;
    for (int i = 0; i < 21; ++i) {
        Frame(20);
        frames.push_back(int(s->Frame(1)));
    }
    // Ages 0..400 in steps of 20: five updates per frame, the last frame reached before the end.
    const std::vector<int> expected{0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3};
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_FRAME), 0);

    Media::ImageRef other = MakeImage(4, 4, 4);
    s->AnimateFrame(0, 3, 400, Animate::LOOP, 0, 0, other);
    EXPECT_EQ(s->Image(), other);
}

TEST_F(SpriteTest, StartingAnimationTakesOverTheProperty) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateX(0, 100, 1000);
    RunFrames(5, 20, [] { return 0.0f; });
    EXPECT_FLOAT_EQ(s->X(0), 8);
    s->AnimateX(500, 600, 100, 0, 40);
    Frame(20);
    EXPECT_FLOAT_EQ(s->X(0), 10); // the delayed one leaves the running one alone
    Frame(20);
    EXPECT_FLOAT_EQ(s->X(0), 500); // started: the old record has ended
    Frame(20);
    EXPECT_FLOAT_EQ(s->X(0), 520);
    EXPECT_EQ(Animate::Count(), 1);
    s->AnimateY(0, 10, 100); // another property is left alone
    s->AnimateX(0, 1, 100);
    Frame(20);
    EXPECT_EQ(Animate::Count(), 2);
}

TEST_F(SpriteTest, SpeedScalesProgressAndZeroFreezesEvenTheDelay) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateX(0, 100, 100);
    s->AnimateY(50, 100, 100, 0, 100);
    s->SetAnimationSpeed(0.5f, Animate::TRANSFORM_X);
    ExpectValues(RunFrames(3, 20, [&] { return s->X(0); }), {0, 10, 20});
    s->SetAnimationSpeed(0, Animate::TRANSFORM_ALL); // y still waits 40 ms
    ExpectValues(RunFrames(10, 20, [&] { return s->X(0) + s->Y(0); }), std::vector<float>(10, 20));
    s->SetAnimationSpeed(1, Animate::TRANSFORM_ALL);
    Frame(20);
    EXPECT_EQ(s->X(0), 40);
    EXPECT_EQ(s->Y(0), 0);
    Frame(20);
    EXPECT_EQ(s->Y(0), 50);
}

TEST_F(SpriteTest, PauseAllFreezesExistingRecordsOnly) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateX(0, 100, 100);
    Frame(20);
    Animate::PauseAll();
    s->AnimateY(0, 100, 100);
    RunFrames(3, 20, [] { return 0.0f; });
    EXPECT_EQ(s->X(0), 0);
    EXPECT_EQ(s->Y(0), 40);
    Animate::UnpauseAll();
    Frame(20);
    EXPECT_EQ(s->X(0), 20);
}

TEST_F(SpriteTest, EndActionsFreeHideAndShow) {
    SpriteRef freed = Sprite::Create(nullptr, 0, nullptr);
    SpriteRef child = Sprite::Create(MakeImage(4, 4), 0, freed);
    child->AnimateRotation(0, 360, 1000, Animate::LOOP);
    freed->AnimateAlpha(1, 0, 40, Animate::FREE);
    SpriteRef hidden = Sprite::Create(nullptr, 0, nullptr);
    hidden->AnimateAlpha(1, 0, 40, Animate::HIDE);
    SpriteRef shown = Sprite::Create(nullptr, 0, nullptr);
    shown->Hide();
    shown->AnimateScale(0, 1, 100, Animate::SHOW + Animate::EASE_IN, 50);
    Frame(20);
    Frame(20);
    EXPECT_EQ(shown->Hidden(0), 1);
    Frame(20);
    EXPECT_EQ(shown->Hidden(0), 0);
    EXPECT_FALSE(freed->Linked());
    EXPECT_FALSE(child->Linked());
    EXPECT_TRUE(hidden->Linked());
    EXPECT_EQ(hidden->Hidden(0), 1);
    EXPECT_EQ(Animate::Count(), 2); // the two scale records
}

TEST_F(SpriteTest, RecordsFreedDuringThePassAreSkipped) {
    // A's FREE record ends first and frees B, whose records come later in the list.
    SpriteRef a = Sprite::Create(nullptr, 0, nullptr);
    SpriteRef b = Sprite::Create(nullptr, 0, a);
    a->AnimateAlpha(1, 0, 0, Animate::FREE + Animate::PINGPONG);
    b->AnimateX(0, 100, 100);
    b->AnimateY(0, 100, 100, Animate::FREE);
    Frame(20);
    EXPECT_FALSE(a->Linked());
    EXPECT_FALSE(b->Linked());
    EXPECT_EQ(b->X(0), 0);
    EXPECT_EQ(Animate::Count(), 0);
    // The ended records are reused by later animations.
    SpriteRef c = Sprite::Create(nullptr, 0, nullptr);
    for (int i = 0; i < 10; ++i) {
        c->AnimateX(0, 1, 20);
        Frame(20);
    }
    EXPECT_EQ(Animate::Count(), 1); // each new record took over from the one before
}

// SetExponent is for the next record only: an operation of several channels gives it to its first
// channel, and the others and the next operation take the default exponent 2.
TEST_F(SpriteTest, ExponentGoesToTheFirstRecordOfAnOperationOnly) {
    struct Case {
        const char* name;
        void (*start)(Sprite& s);
        float (*first)(const Sprite& s);
        float (*second)(const Sprite& s);
        float (*third)(const Sprite& s);
    };
    const Case cases[] = {
        {"position", [](Sprite& s) { s.AnimatePosition(0, 0, 100, 100, 100, Animate::EXPONENTIAL, 0, 50); },
         [](const Sprite& s) { return s.X(0); }, [](const Sprite& s) { return s.Y(0); }, nullptr},
        {"scale", [](Sprite& s) { s.AnimateScale(0, 100, 100, Animate::EXPONENTIAL, 0, 50); },
         [](const Sprite& s) { return s.ScaleX(0); }, [](const Sprite& s) { return s.ScaleY(0); }, nullptr},
        {"colour",
         [](Sprite& s) { s.AnimateColor(0, 0, 0, 100, 100, 100, 100, Animate::EXPONENTIAL, 0, 50); },
         [](const Sprite& s) { return s.R(0); }, [](const Sprite& s) { return s.G(0); },
         [](const Sprite& s) { return s.B(0); }},
        {"fog colour",
         [](Sprite& s) { s.AnimateFogColor(0, 0, 0, 100, 100, 100, 100, Animate::EXPONENTIAL, 0, 50); },
         [](const Sprite& s) { return s.FogR(0); }, [](const Sprite& s) { return s.FogG(0); },
         [](const Sprite& s) { return s.FogB(0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sprite::ResetEngine();
        SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
        Animate::SetExponent(3);
        c.start(*s);
        s->AnimateAlpha(0, 1, 100, Animate::EXPONENTIAL, 0, 50);
        Frame(20); // halfway: 0.5^3 of the way with exponent 3, 0.5^2 with the default
        EXPECT_FLOAT_EQ(c.first(*s), 12.5f);
        EXPECT_FLOAT_EQ(c.second(*s), 25);
        if (c.third) {
            EXPECT_FLOAT_EQ(c.third(*s), 25);
        }
        EXPECT_FLOAT_EQ(s->Alpha(0), 0.25f) << "the next operation is back to the default";
    }
}

TEST_F(SpriteTest, AnimatingMatchesNameAndPropertyGroup) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateScale(0, 100, 100, 0);
    s->SetName("ship");
    EXPECT_EQ(Animate::Animating("ship", Animate::TRANSFORM_SCALE), 1);
    EXPECT_EQ(Animate::Animating("ship", Animate::TRANSFORM_COLOR), 0);
    EXPECT_EQ(Animate::Animating("Ship", Animate::TRANSFORM_ALL), 0);
}

TEST_F(SpriteTest, StopAnimatingMatchesGroups) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateColor(0, 0, 0, 255, 255, 255, 100);
    s->AnimateFogColor(0, 0, 0, 255, 255, 255, 100);
    s->AnimatePosition(0, 0, 1, 1, 100);
    s->StopAnimating(Animate::TRANSFORM_COLOR);
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_R), 0);
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_FOGG), 1);
    s->StopAnimating(Animate::TRANSFORM_X);
    EXPECT_EQ(s->Animating(Animate::TRANSFORM_POSITION), 1);
    s->StopAnimating(Animate::TRANSFORM_ALL);
    EXPECT_EQ(Animate::Count(), 0);
}

TEST_F(SpriteTest, CurvesHitTheirEndsExactly) {
    struct Case {
        const char* Name;
        float (*Curve)(float);
        float Mid; // at t = 0.25
    };
    const Case cases[] = {
        {"linear", [](float t) { return Animate::TweenLinear(0, 1, t); }, 0.25f},
        {"cosine", [](float t) { return Animate::TweenCosine(0, 1, t, 1); }, 0.1464466f},
        {"cosine twice", [](float t) { return Animate::TweenCosine(0, 1, t, 2); }, 0.25f},
        {"ease in", [](float t) { return Animate::TweenHalfCosine(0, 1, t, 0); }, 0.0761205f},
        {"ease out", [](float t) { return Animate::TweenHalfCosine(0, 1, t, 1); }, 0.3826834f},
        {"other mode", [](float t) { return Animate::TweenHalfCosine(0, 1, t, 7); }, 0.25f},
        {"exponential", [](float t) { return Animate::TweenExponential(0, 1, t, 2); }, 0.0625f},
        {"inverse exponential", [](float t) { return Animate::TweenExponential(0, 1, t, 0.5f); }, 0.5f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Curve(0), 0) << c.Name;
        EXPECT_EQ(c.Curve(1), 1) << c.Name;
        EXPECT_NEAR(c.Curve(0.25f), c.Mid, 1e-6) << c.Name;
    }
    EXPECT_EQ(Animate::InverseTween(2, 2, 5), 0);
    EXPECT_EQ(Animate::InverseTween(0, 200, 50), 0.25f);
}

TEST_F(SpriteTest, TwoCurveFlagsAreFatalOnTheFirstRunningFrame) {
    SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
    s->AnimateX(0, 1, 0, Animate::COSINE + Animate::EASE_IN);
    Frame(20); // time 0 computes no curve
    EXPECT_EXIT(
        {
            s->AnimateX(0, 1, 100, Animate::COSINE + Animate::EASE_IN);
            Frame(20);
        },
        ::testing::ExitedWithCode(1), "Error in Animate.Update\\(\\) - Invalid flag combination!");
}

TEST_F(SpriteTest, FreeWithHideIsFatalWhenTheAnimationEnds) {
    EXPECT_EXIT(
        {
            SpriteRef s = Sprite::Create(nullptr, 0, nullptr);
            s->AnimateX(0, 1, 40, Animate::FREE + Animate::HIDE);
            for (int i = 0; i < 3; ++i)
                Frame(20);
        },
        ::testing::ExitedWithCode(1), "Invalid FREE/HIDE flag combination\\.");
}

} // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "media/media.h"
#include "shell/app.h"
#include "shell/projection_matrix.h"
#include "sprites/render_state.h"
#include "sprites/sprite.h"
#include "support/test_files.h"

TEST(ComputeLetterbox, SquareUnitsWithThePlayfieldInside) {
    const struct {
        int gw, gh, w, h;
    } cases[] = {
        {800, 500, 800, 500},   {1024, 768, 800, 600},  {1280, 1024, 800, 640}, // 639.99… rounds to 640
        {1920, 1080, 888, 500}, {1680, 1050, 800, 500}, {1280, 800, 800, 500},  {2560, 1600, 800, 500},
        {1366, 768, 889, 500},  {640, 480, 800, 600},   {0, 0, 800, 500}, // no back buffer
    };
    for (const auto& c : cases) {
        LetterboxSize size = ComputeLetterbox(800, 500, c.gw, c.gh);
        EXPECT_EQ(size.Width, c.w) << c.gw << "x" << c.gh;
        EXPECT_EQ(size.Height, c.h) << c.gw << "x" << c.gh;
    }
}

class LetterboxTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        testfiles::StartHeadless(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    // Opens a full-screen back buffer of w × h, letterboxes it and records the bars.
    std::vector<Media::DrawRecord> Bars(int w, int h) {
        EXPECT_TRUE(Media::OpenFullscreenGraphics(w, h, 32));
        EXPECT_EQ(Media::GraphicsWidth(), w);
        ProjectionMatrix::SetLetterbox(800, 500);
        Media::SetDrawRecording(true);
        Media::ClearRecordedDraws();
        ProjectionMatrix::DrawLetterbox();
        return Media::RecordedDraws();
    }
    std::string root;
};

TEST_F(LetterboxTest, FourToThreeHasBarsAboveAndBelow) {
    std::vector<Media::DrawRecord> bars = Bars(1024, 768);
    EXPECT_EQ(ProjectionMatrix::ScaledWidth(), 800);
    EXPECT_EQ(ProjectionMatrix::ScaledHeight(), 600);
    EXPECT_FLOAT_EQ(ProjectionMatrix::Width(), 800);
    EXPECT_FLOAT_EQ(ProjectionMatrix::Height(), 500);
    EXPECT_FLOAT_EQ(ProjectionMatrix::CenterY(), 300);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].Y, 0);
    EXPECT_EQ(bars[0].Height, 50);
    EXPECT_EQ(bars[0].Width, 800);
    EXPECT_EQ(bars[1].Y, 550);
    EXPECT_EQ(bars[1].Height, 50);
    for (const auto& bar : bars) {
        EXPECT_EQ(bar.R + bar.G + bar.B, 0);
        EXPECT_FLOAT_EQ(bar.Alpha, 1);
    }
}

TEST_F(LetterboxTest, WideScreenHasBarsLeftAndRight) {
    std::vector<Media::DrawRecord> bars = Bars(1920, 1080);
    EXPECT_EQ(ProjectionMatrix::ScaledWidth(), 888);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].X, 0);
    EXPECT_EQ(bars[0].Width, 44);
    EXPECT_EQ(bars[1].X, 844);
    EXPECT_EQ(bars[1].Width, 44);
    EXPECT_EQ(bars[1].Height, 500);
}

TEST_F(LetterboxTest, EightToFiveHasEmptyBarsAndRestoresTheState) {
    Media::SetColor(10, 20, 30);
    Media::SetAlpha(0.5f);
    std::vector<Media::DrawRecord> bars = Bars(1680, 1050);
    EXPECT_EQ(ProjectionMatrix::ScaledWidth(), 800);
    EXPECT_EQ(ProjectionMatrix::ScaledHeight(), 500);
    for (const auto& bar : bars)
        EXPECT_EQ(bar.Width, 0);
    int r, g, b;
    Media::GetColor(r, g, b);
    EXPECT_EQ(r, 10);
    EXPECT_FLOAT_EQ(Media::GetAlpha(), 0.5f);
    EXPECT_EQ(RenderState::Depth(), 0);
}

// The viewport is in drawing units: a sprite made after the letterbox (it takes the current
// viewport) must be drawn unclipped over the whole playfield at every desktop size, including
// those with fewer pixels than the playfield has units, where a pixel-sized viewport cut the
// picture off at 640 × 480 from x = 512 and y = 424 pixels.
TEST_F(LetterboxTest, SpritesAreNotClippedInsideThePlayfieldAtAnyDesktopSize) {
    const struct {
        int w, h;
    } desktops[] = {{640, 480}, {400, 250}, {320, 200}, {800, 500}, {1024, 768}, {1280, 720}, {1920, 1080}};
    Media::ImageRef picture = Media::ImageFromPixmap(testfiles::SolidPixmap(4, 4, 255, 255, 255, 255));
    ASSERT_TRUE(picture);
    for (const auto& d : desktops) {
        SCOPED_TRACE(testing::Message() << d.w << " x " << d.h);
        ASSERT_TRUE(Media::OpenFullscreenGraphics(d.w, d.h, 32));
        ProjectionMatrix::SetLetterbox(800, 500);
        Sprite::SetOrigin(ProjectionMatrix::OriginX(), ProjectionMatrix::OriginY());
        SpriteRef sprite = Sprite::Create(picture, 1, nullptr);
        sprite->SetPosition(798, 498, 0); // the playfield's bottom-right corner
        Media::SetDrawRecording(true);
        Media::ClearRecordedDraws();
        sprite->Draw();
        const std::vector<Media::DrawRecord>& draws = Media::RecordedDraws();
        ASSERT_FALSE(draws.empty());
        const Media::DrawRecord& draw = draws.back();
        const float left = ProjectionMatrix::OriginX(), top = ProjectionMatrix::OriginY();
        EXPECT_LE(draw.ViewportX, left);
        EXPECT_LE(draw.ViewportY, top);
        EXPECT_GE(draw.ViewportX + draw.ViewportWidth, left + 800);
        EXPECT_GE(draw.ViewportY + draw.ViewportHeight, top + 500);
        Media::SetDrawRecording(false);
        sprite->Free();
    }
}

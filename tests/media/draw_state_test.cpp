#include "media/headless/headless_control.h"
#include "support/media_fixture.h"

namespace {

TEST_F(MediaTest, ColourAndAlphaAreClampedAndBadBlendModesIgnored) {
    struct Case {
        int In;
        int Out;
    };
    for (const Case c : {Case{-5, 0}, Case{0, 0}, Case{128, 128}, Case{255, 255}, Case{300, 255}}) {
        Media::SetColor(c.In, c.In, c.In);
        Media::SetClsColor(c.In, c.In, c.In);
        int r, g, b, cr, cg, cb;
        Media::GetColor(r, g, b);
        Media::GetClsColor(cr, cg, cb);
        EXPECT_EQ(r, c.Out) << c.In;
        EXPECT_EQ(b, c.Out) << c.In;
        EXPECT_EQ(cg, c.Out) << c.In;
    }
    for (const auto& [in, out] : {std::pair{-0.5f, 0.0f}, {0.25f, 0.25f}, {1.5f, 1.0f}}) {
        Media::SetAlpha(in);
        EXPECT_FLOAT_EQ(Media::GetAlpha(), out) << in;
    }
    Media::SetBlend(Media::LIGHTBLEND);
    Media::SetBlend(0);
    Media::SetBlend(7);
    EXPECT_EQ(Media::GetBlend(), Media::LIGHTBLEND);
}

TEST_F(MediaTest, FogModeOffRestoresWhite) {
    Media::SetColor(10, 20, 30);
    Media::FogModeOn();
    EXPECT_TRUE(Media::GetFogMode());
    Media::FogModeOff();
    int r, g, b;
    Media::GetColor(r, g, b);
    EXPECT_FALSE(Media::GetFogMode());
    EXPECT_EQ(r + g + b, 3 * 255);
}

TEST_F(MediaTest, QuadsOfOneImageAndBlendFormOneBatch) {
    OpenWindow();
    Media::ImageRef image = Media::ImageFromPixmap(testfiles::SolidPixmap(8, 8, 255, 255, 255, 255));
    Media::ResetDrawStats();
    for (int i = 0; i < 3000; ++i)
        Media::DrawFrame(*image, float(i % 800), float(i % 500), 0);
    Media::FlushDrawing();
    EXPECT_EQ(Media::GetDrawStats().Batches, 1);
    EXPECT_EQ(Media::GetDrawStats().Quads, 3000);
    EXPECT_EQ(Media::Headless::QuadsReceived(), 3000);
}

TEST_F(MediaTest, BlendFogTextureAndViewportChangesStartNewBatches) {
    OpenWindow();
    Media::ImageRef a = Media::ImageFromPixmap(testfiles::SolidPixmap(8, 8, 255, 255, 255, 255));
    Media::ImageRef b = Media::ImageFromPixmap(testfiles::SolidPixmap(8, 8, 255, 255, 255, 255));
    Media::ResetDrawStats();
    Media::DrawFrame(*a, 0, 0, 0);
    Media::SetColor(1, 2, 3); // colour and alpha travel in the vertices
    Media::SetAlpha(0.5f);
    Media::SetRotation(30);
    Media::DrawFrame(*a, 0, 0, 0);
    Media::DrawFrame(*b, 0, 0, 0); // texture
    Media::SetBlend(Media::LIGHTBLEND);
    Media::DrawFrame(*b, 0, 0, 0); // blend
    Media::FogModeOn();
    Media::DrawFrame(*b, 0, 0, 0); // fog
    Media::SetViewport(10, 10, 100, 100);
    Media::DrawFrame(*b, 20, 20, 0); // scissor (inside it: a quad outside is not drawn)
    Media::Flip(0);
    EXPECT_EQ(Media::GetDrawStats().Batches, 5);
    EXPECT_EQ(Media::GetDrawStats().Quads, 6);
}

TEST_F(MediaTest, FramePlacementFollowsHandleRotationScaleOriginAndProjection) {
    OpenWindow(); // 800 × 500 pixels
    Media::Headless::SetKeepBatches(true);
    Media::SetProjection(400, 250); // two pixels per drawing unit
    Media::SetAutoMidHandle(true);
    Media::ImageRef image = Media::ImageFromPixmap(testfiles::SolidPixmap(20, 10, 255, 255, 255, 255));
    Media::SetOrigin(5, 0);
    Media::SetRotation(90);
    Media::SetScale(2, 1);
    Media::SetColor(255, 0, 0);
    Media::SetAlpha(0.5f);
    Media::DrawFrame(*image, 100, 50, 0);
    Media::FlushDrawing();
    ASSERT_EQ(Media::Headless::KeptBatches().size(), 1u);
    const std::vector<Media::Vertex>& v = Media::Headless::KeptBatches()[0].Vertices;
    ASSERT_EQ(v.size(), 4u);
    // Local top-left (-10, -5) scaled to (-20, -5), turned 90° clockwise to (5, -20), placed at
    // (100, 50) + origin (5, 0): (110, 30), in pixels (220, 60).
    EXPECT_NEAR(v[0].X, 220, 1e-3);
    EXPECT_NEAR(v[0].Y, 60, 1e-3);
    // Local bottom-right (10, 5) → (20, 5) → (-5, 20) → (100, 70) → pixels (200, 140).
    EXPECT_NEAR(v[2].X, 200, 1e-3);
    EXPECT_NEAR(v[2].Y, 140, 1e-3);
    EXPECT_FLOAT_EQ(v[0].R, 1);
    EXPECT_FLOAT_EQ(v[0].G, 0);
    EXPECT_FLOAT_EQ(v[0].A, 0.5f);
}

TEST_F(MediaTest, ViewportBecomesAPixelScissorThroughTheProjection) {
    ASSERT_TRUE(Media::OpenFullscreenGraphics(1600, 1000, 32));
    Media::Headless::SetKeepBatches(true);
    Media::SetProjection(800, 500);
    // Each rectangle lies in its viewport: one that does not covers nothing and is not drawn.
    Media::SetViewport(100, 50, 200, 100);
    Media::DrawRect(150, 75, 10, 10);
    Media::SetViewport(700, 400, 500, 500); // cut at the back buffer's edge
    Media::DrawRect(750, 450, 10, 10);
    Media::FlushDrawing();
    ASSERT_EQ(Media::Headless::KeptBatches().size(), 2u);
    const Media::BatchKey& first = Media::Headless::KeptBatches()[0].Key;
    EXPECT_EQ(first.ScissorX, 200);
    EXPECT_EQ(first.ScissorY, 100);
    EXPECT_EQ(first.ScissorWidth, 400);
    EXPECT_EQ(first.ScissorHeight, 200);
    const Media::BatchKey& second = Media::Headless::KeptBatches()[1].Key;
    EXPECT_EQ(second.ScissorX + second.ScissorWidth, 1600);
    EXPECT_EQ(second.ScissorY + second.ScissorHeight, 1000);
}

TEST_F(MediaTest, DrawRecordKeepsTheFullStateAndClampsFrames) {
    Media::ImageRef image =
        Media::Image::FromSheet(testfiles::SolidPixmap(8, 4, 9, 9, 9, 255), 4, 4, 0, 2, 0);
    ASSERT_TRUE(image);
    Media::SetDrawRecording(true);
    Media::SetBlend(Media::SHADEBLEND);
    Media::SetScale(2, 3);
    Media::SetViewport(1, 2, 3, 4);
    Media::DrawFrame(*image, 7, 8, 5);
    Media::DrawRect(1, 2, 30, 40);
    ASSERT_EQ(Media::RecordedDraws().size(), 2u);
    const Media::DrawRecord& frame = Media::RecordedDraws()[0];
    EXPECT_EQ(frame.DrawnImage, image.get());
    EXPECT_EQ(frame.Frame, 1);
    EXPECT_EQ(frame.Blend, Media::SHADEBLEND);
    EXPECT_FLOAT_EQ(frame.ScaleY, 3);
    EXPECT_EQ(frame.ViewportHeight, 4);
    EXPECT_EQ(Media::RecordedDraws()[1].DrawnImage, nullptr);
    EXPECT_FLOAT_EQ(Media::RecordedDraws()[1].Width, 30);
}

// After Shutdown no call reaches the back end that is gone: they go to a fresh headless one that
// holds nothing of the old state, so drawing does nothing and queries give neutral answers (a
// stale back end would answer with the old window and mouse, or crash under ASan).
TEST_F(MediaTest, EveryCallIsSafeAfterShutdown) {
    OpenWindow();
    const Media::ImageRef image = Media::ImageFromPixmap(testfiles::SolidPixmap(4, 4, 9, 9, 9, 255), 0);
    ASSERT_TRUE(image);
    Media::MoveMouse(12, 34);
    Media::Shutdown();

    Media::ResetDrawStats();
    Media::CloseFullscreenGraphics();
    Media::CloseWindowGraphics();
    Media::Cls();
    Media::DrawRect(0, 0, 5, 5);
    Media::DrawFrame(*image, 1, 1, 0);
    Media::DrawDebugText("FPS 60", 0, 0);
    Media::FlushDrawing();
    Media::Flip(1);
    EXPECT_EQ(Media::GetDrawStats().Quads, 0);
    EXPECT_EQ(Media::GetDrawStats().Batches, 0);
    EXPECT_FALSE(Media::HasGraphics());
    EXPECT_EQ(Media::GraphicsWidth(), 0);
    EXPECT_EQ(Media::GraphicsHeight(), 0);
    EXPECT_EQ(Media::KeyPresses(Media::KEY_ESCAPE), 0);
    EXPECT_EQ(Media::KeyHeld(Media::KEY_ESCAPE), 0);
    EXPECT_EQ(Media::ButtonHeld(1), 0);
    EXPECT_EQ(Media::PointerWindowX(), 0);
    EXPECT_EQ(Media::PointerWindowY(), 0);
    EXPECT_EQ(Media::NextTypedChar(), 0);
    EXPECT_EQ(Media::AppSuspended(), 0);
    Media::DebugLog("after shutdown");
}

TEST_F(MediaTest, DebugTextDrawsOneQuadPerVisibleCharacter) {
    OpenWindow();
    Media::ResetDrawStats();
    Media::DrawDebugText("FPS: 60", 0, 0);
    Media::FlushDrawing();
    EXPECT_EQ(Media::GetDrawStats().Quads, 6);
    EXPECT_EQ(Media::GetDrawStats().Batches, 1);
}

// Overdraw counts the pixels each quad covers inside its scissor box: whole, cut at the edge
// of the screen or the viewport, and turned (clipped as a polygon); a quad that covers nothing
// is not drawn at all.
TEST_F(MediaTest, OverdrawCountsCoveredPixelsAndQuadsOffScreenAreDropped) {
    OpenWindow(); // 800 × 500
    const double screen = 800.0 * 500.0;
    Media::ResetDrawStats();
    Media::DrawRect(0, 0, 800, 500);
    Media::DrawRect(400, 0, 800, 500); // half off the right edge
    Media::Flip(0);
    EXPECT_NEAR(Media::LastFrameOverdraw(), 1.5, 1e-6);

    Media::DrawRect(900, 100, 50, 50); // off screen
    Media::SetViewport(0, 0, 100, 100);
    Media::DrawRect(200, 200, 50, 50); // outside the viewport
    Media::DrawRect(50, 50, 100, 100); // a quarter inside it
    Media::SetViewport(0, 0, 800, 500);
    Media::SetRotation(45);
    Media::DrawRect(400, 100, 100, 100); // a diamond wholly on screen: 10 000 pixels
    Media::DrawRect(0, 200, 100, 100);   // its left half off screen
    Media::Flip(0);
    EXPECT_NEAR(Media::LastFrameOverdraw() * screen, 2500 + 10000 + 5000, 1.0);
    EXPECT_EQ(Media::GetDrawStats().Quads, 5);
    EXPECT_NEAR(Media::GetDrawStats().CoveredPixels, 1.5 * screen + 17500, 1.0);
}

// Transparent borders are not drawn in the blends where alpha 0 changes nothing: the quad shrinks
// to the visible texels plus a margin, with matching texture coordinates; the solid blend still
// draws the whole frame, and a wholly transparent frame draws nothing.
TEST_F(MediaTest, TransparentBordersAreTrimmedInBlendsThatIgnoreThem) {
    OpenWindow();
    Media::Headless::SetKeepBatches(true);
    Media::PixelMap picture = testfiles::SolidPixmap(64, 32, 255, 255, 255, 0);
    for (int y = 10; y < 14; ++y)
        for (int x = 20; x < 30; ++x)
            picture.At(x, y)[3] = 200;
    const Media::ImageRef image = Media::ImageFromPixmap(picture);
    const Media::ImageRef empty = Media::ImageFromPixmap(testfiles::SolidPixmap(64, 32, 255, 255, 255, 0));
    const Media::Image::TextureRegion& region = image->Region(0);
    EXPECT_FLOAT_EQ(region.VisibleX0, 16); // 20 less the margin of 4
    EXPECT_FLOAT_EQ(region.VisibleY0, 6);
    EXPECT_FLOAT_EQ(region.VisibleX1, 34);
    EXPECT_FLOAT_EQ(region.VisibleY1, 18);
    EXPECT_FALSE(region.Opaque);

    for (int blend : {Media::ALPHABLEND, Media::LIGHTBLEND, Media::MASKBLEND, Media::SOLIDBLEND}) {
        Media::SetBlend(blend);
        Media::DrawFrame(*image, 100, 100, 0);
        Media::DrawFrame(*empty, 100, 100, 0);
    }
    Media::FlushDrawing();
    const auto& batches = Media::Headless::KeptBatches();
    ASSERT_EQ(batches.size(), 5u); // the transparent frame only in the solid blend
    for (int i = 0; i < 3; ++i) {
        const std::vector<Media::Vertex>& v = batches[size_t(i)].Vertices;
        ASSERT_EQ(v.size(), 4u);
        EXPECT_FLOAT_EQ(v[0].X, 116);
        EXPECT_FLOAT_EQ(v[0].Y, 106);
        EXPECT_FLOAT_EQ(v[2].X, 134);
        EXPECT_FLOAT_EQ(v[2].Y, 118);
        EXPECT_FLOAT_EQ(v[0].U, 16.0f / 64);
        EXPECT_FLOAT_EQ(v[0].V, 6.0f / 32);
        EXPECT_FLOAT_EQ(v[2].U, 34.0f / 64);
        EXPECT_FLOAT_EQ(v[2].V, 18.0f / 32);
    }
    for (size_t i = 3; i < 5; ++i) {
        const std::vector<Media::Vertex>& v = batches[i].Vertices;
        EXPECT_EQ(batches[i].Key.Blend, Media::SOLIDBLEND);
        EXPECT_FLOAT_EQ(v[0].X, 100);
        EXPECT_FLOAT_EQ(v[2].X, 164);
        EXPECT_FLOAT_EQ(v[0].U, 0);
        EXPECT_FLOAT_EQ(v[2].V, 1);
    }
}

// A large opaque picture drawn in the alpha blend at full alpha needs no blending and is drawn
// solid; translucent, fogged or small ones keep the alpha blend.
TEST_F(MediaTest, LargeOpaqueFramesAreDrawnWithoutBlending) {
    OpenWindow();
    Media::Headless::SetKeepBatches(true);
    const Media::ImageRef big = Media::ImageFromPixmap(testfiles::SolidPixmap(256, 256, 9, 9, 9, 255));
    const Media::ImageRef small = Media::ImageFromPixmap(testfiles::SolidPixmap(16, 16, 9, 9, 9, 255));
    EXPECT_TRUE(big->Region(0).Opaque);
    Media::DrawFrame(*big, 0, 0, 0);
    Media::DrawFrame(*small, 0, 0, 0);
    Media::SetAlpha(0.5f);
    Media::DrawFrame(*big, 0, 0, 0);
    Media::SetAlpha(1);
    Media::FogModeOn();
    Media::DrawFrame(*big, 0, 0, 0);
    Media::FlushDrawing();
    const auto& batches = Media::Headless::KeptBatches();
    ASSERT_EQ(batches.size(), 4u);
    EXPECT_EQ(batches[0].Key.Blend, Media::SOLIDBLEND);
    EXPECT_EQ(batches[1].Key.Blend, Media::ALPHABLEND);
    EXPECT_EQ(batches[2].Key.Blend, Media::ALPHABLEND);
    EXPECT_EQ(batches[3].Key.Blend, Media::ALPHABLEND);
    EXPECT_TRUE(batches[3].Key.Fog);
}

} // namespace

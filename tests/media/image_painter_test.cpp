// Pictures painted from pictures: where each pass lands, how it is filtered and blended, and the
// worker that paints ahead.
#include <chrono>
#include <thread>

#include "support/media_fixture.h"
#include "support/png_writer.h"

namespace {

// A pass that places `source` texel for pixel with its top-left corner at (x, y).
Media::PaintPass At(const Media::ImageRef& source, float x, float y) {
    Media::PaintPass pass;
    pass.Source = source;
    pass.TopLeftX = x;
    pass.TopLeftY = y;
    pass.TopRightX = x + float(source->Width());
    pass.TopRightY = y;
    pass.BottomLeftX = x;
    pass.BottomLeftY = y + float(source->Height());
    return pass;
}

std::vector<int> Texel(const Media::PixelMap& map, int x, int y) {
    const uint8_t* p = map.At(x, y);
    return {p[0], p[1], p[2], p[3]};
}

// A picture whose texel (x, y) has red 10 + 20 · x, green 10 · (y + 1), opaque.
Media::ImageRef Numbered(int width, int height) {
    Media::PixelMap map = testfiles::SolidPixmap(width, height, 0, 0, 0, 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            map.At(x, y)[0] = uint8_t(10 + 20 * x);
            map.At(x, y)[1] = uint8_t(10 * (y + 1));
        }
    return Media::ImageFromPixmap(map, 0);
}

TEST_F(MediaTest, PaintedPassesBlendAsTheDrawingDoesWithPremultipliedColours) {
    Media::ImageRef white = Media::ImageFromPixmap(testfiles::SolidPixmap(4, 4, 255, 255, 255, 255), 0);
    Media::ImageRef faint = Media::ImageFromPixmap(testfiles::SolidPixmap(4, 4, 200, 100, 0, 51), 0);
    ASSERT_TRUE(white && faint);

    // Tinted and faded: colour × tint × alpha, alpha × alpha.
    Media::PaintPass tinted = At(white, 0, 0);
    tinted.R = 1;
    tinted.G = 0.5f;
    tinted.B = 0.3f;
    tinted.Alpha = 0.5f;
    Media::PixelMap painted = Media::PaintPasses(4, 4, {tinted});
    EXPECT_EQ(Texel(painted, 1, 1), (std::vector<int>{128, 64, 38, 128}));

    // A second alpha pass covers the first by its own alpha; a light pass adds colour alone and
    // clamps, so light over nothing is colour at alpha 0 (it must still show).
    Media::PaintPass over = At(faint, 0, 0); // alpha 0.2
    Media::PaintPass light = At(white, 2, 0);
    light.Blend = Media::LIGHTBLEND;
    light.G = 0.25f;
    painted = Media::PaintPasses(6, 4, {tinted, over, light});
    // 127.5 · 0.8 + 200 · 0.2 = 142; 63.75 · 0.8 + 20 = 71; 38.25 · 0.8 = 30.6; 127.5 · 0.8 + 51 = 153
    EXPECT_EQ(Texel(painted, 0, 0), (std::vector<int>{142, 71, 31, 153}));
    EXPECT_EQ(Texel(painted, 3, 0), (std::vector<int>{255, 135, 255, 153}));
    EXPECT_EQ(Texel(painted, 5, 3), (std::vector<int>{255, 64, 255, 0}));

    // Other blends, a missing source and a pass on one line paint nothing; so does an empty size.
    Media::PaintPass solid = At(white, 0, 0);
    solid.Blend = Media::SOLIDBLEND;
    Media::PaintPass none = At(white, 0, 0);
    none.Source = nullptr;
    Media::PaintPass flat = At(white, 0, 0);
    flat.BottomLeftX = flat.TopRightX;
    flat.BottomLeftY = flat.TopRightY;
    painted = Media::PaintPasses(4, 4, {solid, none, flat});
    EXPECT_EQ(Texel(painted, 2, 2), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_TRUE(Media::PaintPasses(0, 4, {tinted}).Pixels.empty());
}

TEST_F(MediaTest, PaintedPassesLandWhereTheirCornersFallAndCoverOnlyThatRectangle) {
    Media::ImageRef numbered = Numbered(3, 2);
    ASSERT_TRUE(numbered);

    // Texel for pixel at (1, 1): texel (x, y) is painted pixel (1 + x, 1 + y), nothing around it.
    Media::PixelMap painted = Media::PaintPasses(5, 4, {At(numbered, 1, 1)});
    EXPECT_EQ(Texel(painted, 1, 1), (std::vector<int>{10, 10, 0, 255}));
    EXPECT_EQ(Texel(painted, 3, 2), (std::vector<int>{50, 20, 0, 255}));
    EXPECT_EQ(Texel(painted, 0, 1)[3], 0);
    EXPECT_EQ(Texel(painted, 4, 1)[3], 0);
    EXPECT_EQ(Texel(painted, 1, 3)[3], 0);

    // Turned a quarter clockwise about its top-left corner, put at (2, 0): texel (x, y) lands at
    // (1 − y, x) from there, so the picture's top row runs down the right-hand column.
    Media::PaintPass turned;
    turned.Source = numbered;
    turned.TopLeftX = 2;
    turned.TopLeftY = 0;
    turned.TopRightX = 2;
    turned.TopRightY = 3;
    turned.BottomLeftX = 0;
    turned.BottomLeftY = 0;
    painted = Media::PaintPasses(3, 4, {turned});
    EXPECT_EQ(Texel(painted, 1, 0), (std::vector<int>{10, 10, 0, 255}));
    EXPECT_EQ(Texel(painted, 1, 2), (std::vector<int>{50, 10, 0, 255}));
    EXPECT_EQ(Texel(painted, 0, 2), (std::vector<int>{50, 20, 0, 255}));
    EXPECT_EQ(Texel(painted, 2, 0)[3], 0);
    EXPECT_EQ(Texel(painted, 0, 3)[3], 0);

    // Mirrored left to right (the corners swapped), and partly off the painted picture.
    Media::PaintPass mirrored = At(numbered, -1, 0);
    std::swap(mirrored.TopLeftX, mirrored.TopRightX);
    mirrored.BottomLeftX = mirrored.TopLeftX;
    painted = Media::PaintPasses(2, 2, {mirrored});
    EXPECT_EQ(Texel(painted, 0, 0), (std::vector<int>{30, 10, 0, 255}));
    EXPECT_EQ(Texel(painted, 1, 1), (std::vector<int>{10, 20, 0, 255}));

    // A half-transparent alpha map (white with that alpha, as its texture) and its mirror image
    // above it, their shared edge through the centres of row 1: that row is painted once, by
    // the picture whose top edge it is, and the rows about it are covered.
    Media::PixelMap half;
    half.Width = 2;
    half.Height = 2;
    half.PixelFormat = Media::PixelMap::Format::Alpha;
    half.Pixels.assign(4, 128);
    const Media::ImageRef veil = Media::ImageFromPixmap(half, 0);
    Media::PaintPass above = At(veil, 0, 1.5f);
    above.BottomLeftY = -0.5f;
    painted = Media::PaintPasses(2, 3, {At(veil, 0, 1.5f), above});
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(Texel(painted, 1, y), (std::vector<int>{128, 128, 128, 128})) << "row " << y;
}

TEST_F(MediaTest, PaintedPassesFilterBetweenTexelsWithoutDarkeningEdges) {
    // An opaque red texel beside a transparent black one, shifted half a texel: the filter gives
    // red at half alpha (premultiplied 128), as the drawing of the bled texture does, not the
    // darker red that mixing the black in would give.
    Media::PixelMap map = testfiles::SolidPixmap(2, 1, 0, 0, 0, 0);
    map.At(0, 0)[0] = 255;
    map.At(0, 0)[3] = 255;
    Media::ImageRef edge = Media::ImageFromPixmap(map, 0);
    Media::PixelMap painted = Media::PaintPasses(3, 1, {At(edge, 0.5f, 0)});
    EXPECT_EQ(Texel(painted, 0, 0), (std::vector<int>{255, 0, 0, 255})) << "its centre on the left edge";
    EXPECT_EQ(Texel(painted, 1, 0), (std::vector<int>{128, 0, 0, 128}));
    EXPECT_EQ(Texel(painted, 2, 0), (std::vector<int>{0, 0, 0, 0})) << "its centre on the right edge";

    // Scaled up 2×: the texels' own values at their centres, the edges clamped.
    Media::ImageRef numbered = Numbered(2, 1);
    Media::PaintPass doubled = At(numbered, 0, 0);
    doubled.TopRightX = 4;
    doubled.BottomLeftY = 2;
    painted = Media::PaintPasses(4, 2, {doubled});
    EXPECT_EQ(Texel(painted, 0, 0)[0], 10);
    EXPECT_EQ(Texel(painted, 1, 0)[0], 15); // a quarter of the way
    EXPECT_EQ(Texel(painted, 2, 1)[0], 25);
    EXPECT_EQ(Texel(painted, 3, 1)[0], 30);
}

// Polls the painter until it gives its image, for at most two seconds.
Media::ImageRef Await(Media::ImagePainter& painter) {
    for (int i = 0; i < 400; ++i) {
        if (Media::ImageRef image = painter.Take()) return image;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return nullptr;
}

TEST_F(MediaTest, ThePainterPaintsOnItsWorkerAndGivesTheImageOnce) {
    Media::ImageRef numbered = Numbered(3, 2);
    Media::ImageRef white = Media::ImageFromPixmap(testfiles::SolidPixmap(4, 4, 255, 255, 255, 255), 0);
    Media::ImagePainter painter;
    EXPECT_EQ(painter.Take(), nullptr) << "nothing started";

    painter.Start(5, 4, {At(numbered, 1, 1)});
    Media::ImageRef image = Await(painter);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Flags(), Media::PREMULTIPLIEDIMAGE | Media::FILTEREDIMAGE);
    EXPECT_EQ(image->FramePixels(0).Pixels, Media::PaintPasses(5, 4, {At(numbered, 1, 1)}).Pixels);
    EXPECT_EQ(painter.Take(), nullptr) << "given once";

    // A later start replaces an earlier one; a cancelled painting gives nothing.
    painter.Start(5, 4, {At(numbered, 1, 1)});
    painter.Start(4, 4, {At(white, 0, 0)});
    image = Await(painter);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 4);
    EXPECT_EQ(image->ReadPixel(0, 3, 3), 0xFFFFFFFFu);
    painter.Start(4, 4, {At(white, 0, 0)});
    painter.Cancel();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(painter.Take(), nullptr);

    // Destroyed while painting: it waits for its worker, which lets go of the sources.
    {
        Media::ImagePainter leaving;
        leaving.Start(1000, 1000, {At(white, 0, 0)});
    }
    EXPECT_EQ(white.use_count(), 1);
}

// Light painted premultiplied, every texel's colour its alpha, is also kept as its alpha alone;
// a coloured painting, or one with straight colours, is not.
TEST_F(MediaTest, PaintedWhiteLightKeepsItsAlphaAlone) {
    Media::PixelMap veil = testfiles::SolidPixmap(6, 3, 255, 255, 255, 0);
    for (int x = 0; x < 6; ++x)
        veil.At(x, 1)[3] = uint8_t(40 * x);
    Media::ImageRef light = Media::ImageFromPixmap(veil, 0);
    // A half-texel shift filters the light between texels, as the dust's phases do.
    const Media::PaintPass shifted = At(light, 0.5f, 0.5f);
    Media::ImagePainter painter;
    painter.Start(7, 4, {shifted});
    Media::ImageRef image = Await(painter);
    ASSERT_TRUE(image);
    const Media::PixelMap* alpha = image->WhiteLight();
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->PixelFormat, Media::PixelMap::Format::Alpha);
    EXPECT_EQ(alpha->Width, 7);
    EXPECT_EQ(alpha->Height, 4);
    const Media::PixelMap& rgba = image->FramePixels(0);
    int wrong = 0, lit = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) {
            wrong += alpha->At(x, y)[0] != rgba.At(x, y)[3];
            lit += alpha->At(x, y)[0] > 0;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(lit, 6);

    Media::PixelMap tinted = veil;
    tinted.At(2, 1)[2] = 0; // one texel less blue
    painter.Start(7, 4, {At(Media::ImageFromPixmap(tinted, 0), 0, 0)});
    image = Await(painter);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->WhiteLight(), nullptr);
    painter.Start(7, 4, {shifted}, Media::FILTEREDIMAGE);
    image = Await(painter);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->WhiteLight(), nullptr) << "straight colours";
}

} // namespace

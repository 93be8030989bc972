#include <cmath>
#include <random>

#include "support/media_fixture.h"

namespace {

using Media::Placement;

// An image of one frame from rows of '#' (solid) and '.' (clear), handle at the top-left corner.
Media::ImageRef Picture(const std::vector<std::string>& rows) {
    Media::PixelMap map = testfiles::SolidPixmap(int(rows[0].size()), int(rows.size()), 255, 255, 255, 0);
    for (int y = 0; y < map.Height; ++y)
        for (int x = 0; x < map.Width; ++x)
            if (rows[size_t(y)][size_t(x)] == '#') map.At(x, y)[3] = 255;
    return Media::ImageFromPixmap(map, 0);
}

Media::ImageRef Block(int width, int height) {
    return Media::ImageFromPixmap(testfiles::SolidPixmap(width, height, 255, 255, 255, 255), 0);
}

TEST_F(MediaTest, TranslatedFramesOverlapOnlyWhenTexelsShareAPoint) {
    Media::ImageRef a = Block(70, 4); // wider than one mask word
    Media::ImageRef b = Block(4, 4);
    struct Case {
        float X, Y;
        int Expected;
    };
    const Case cases[] = {
        {66, 0, 1},
        {69, 3, 1},
        {70, 0, 0} /* touching edge */,
        {71, 0, 0} /* one texel apart */,
        {-4, 0, 0},
        {-3, 0, 1},
        {10, 4, 0},
        {10, -4, 0},
        {10, -3, 1},
        {69.4f, 0, 1},
        {69.6f, 0, 0} /* b's texel centres fall past a's edge */,
    };
    for (const Case& c : cases)
        EXPECT_EQ(Media::ImagesOverlap(*a, 0, Placement{}, *b, 0, Placement{c.X, c.Y}), c.Expected)
            << c.X << "," << c.Y;
}

TEST_F(MediaTest, OnlySolidTexelsCollide) {
    Media::ImageRef ring = Picture({"####", "#..#", "#..#", "####"});
    Media::ImageRef dot = Block(1, 1);
    EXPECT_EQ(Media::ImagesOverlap(*ring, 0, Placement{}, *dot, 0, Placement{1, 1}), 0);
    EXPECT_EQ(Media::ImagesOverlap(*ring, 0, Placement{}, *dot, 0, Placement{0, 2}), 1);
    EXPECT_EQ(
        Media::ImagesOverlap(*ring, 0, Placement{0, 0, 0.0f, 1, 1}, *dot, 0, Placement{2, 2, 360, 1, 1}), 0);
}

TEST_F(MediaTest, RotatedScaledAndMirroredFramesOverlapWhereTheyAreDrawn) {
    // A 10 × 10 frame whose left column only is solid, handle at its centre (5, 5).
    std::vector<std::string> rows(10, "#.........");
    Media::ImageRef bar = Picture(rows);
    bar->SetHandle(5, 5);
    Media::ImageRef dot = Block(1, 1);
    struct Case {
        const char* Name;
        Placement Bar;
        float DotX, DotY;
        int Expected;
    };
    const Case cases[] = {
        {"unturned: the column is at x 0..1", {5, 5, 0, 1, 1}, 0, 5, 1},
        {"unturned: nothing on the right", {5, 5, 0, 1, 1}, 9, 5, 0},
        {"half a turn moves it right", {5, 5, 180, 1, 1}, 9, 5, 1},
        {"half a turn leaves the left empty", {5, 5, 180, 1, 1}, 0, 5, 0},
        {"a quarter turn clockwise lays it along the top", {5, 5, 90, 1, 1}, 5, 0, 1},
        {"a quarter turn: the bottom is empty", {5, 5, 90, 1, 1}, 5, 9, 0},
        {"mirrored by a negative scale", {5, 5, 0, -1, 1}, 9, 5, 1},
        {"mirrored: the left is empty", {5, 5, 0, -1, 1}, 0, 5, 0},
        {"scale 3 widens the column to x -10..-7", {5, 5, 0, 3, 3}, -9, 5, 1},
        {"scale 3: one texel right of the column", {5, 5, 0, 3, 3}, -7, 5, 0},
        {"scale 3: touching its edge", {5, 5, 0, 3, 3}, -7.0f, -10, 0},
        {"scaled to nothing", {5, 5, 0, 0, 1}, 0, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Media::ImagesOverlap(*bar, 0, c.Bar, *dot, 0, Placement{c.DotX, c.DotY}), c.Expected)
            << c.Name;
}

TEST_F(MediaTest, ThinPartsAreNeverSteppedOver) {
    // Two one-texel lines crossing at an angle, the second drawn small: the finer grid is sampled.
    Media::ImageRef vertical = Block(1, 40);
    vertical->SetHandle(0.5f, 20);
    Media::ImageRef horizontal = Block(40, 1);
    horizontal->SetHandle(20, 0.5f);
    for (float angle : {0.0f, 10.0f, 33.0f, 45.0f, 60.0f, 89.0f}) {
        for (float scale : {0.25f, 1.0f, 3.0f}) {
            EXPECT_EQ(Media::ImagesOverlap(*vertical, 0, Placement{100, 100, angle, 1, 1}, *horizontal, 0,
                                           Placement{100, 100, -angle, scale, scale}),
                      1)
                << angle << " " << scale;
            EXPECT_EQ(Media::ImagesOverlap(*horizontal, 0, Placement{100, 100, 0, scale, scale}, *vertical, 0,
                                           Placement{100, 100, angle, 1, 1}),
                      1)
                << angle << " " << scale;
        }
    }
}

// The rule, texel by texel with no shortcuts: a centre of a solid texel of the frame with the
// smaller texels on screen (b on a tie) inside a solid texel of the other.
int ReferenceOverlap(const Media::Image& a, const Placement& pa, const Media::Image& b, const Placement& pb) {
    const bool sampleA = std::fabs(pa.ScaleX * pa.ScaleY) < std::fabs(pb.ScaleX * pb.ScaleY);
    const Media::Image& s = sampleA ? a : b;
    const Media::Image& o = sampleA ? b : a;
    const Placement& ps = sampleA ? pa : pb;
    const Placement& po = sampleA ? pb : pa;
    const double rs = ps.Rotation * M_PI / 180, ro = po.Rotation * M_PI / 180;
    for (int v = 0; v < s.Height(); ++v)
        for (int u = 0; u < s.Width(); ++u) {
            if (s.Alpha(0, u, v) < Media::SOLID_ALPHA) continue;
            const double lx = (u + 0.5 - s.HandleX()) * ps.ScaleX, ly = (v + 0.5 - s.HandleY()) * ps.ScaleY;
            const double x = ps.X + std::cos(rs) * lx - std::sin(rs) * ly - po.X;
            const double y = ps.Y + std::sin(rs) * lx + std::cos(rs) * ly - po.Y;
            const double ou = (std::cos(ro) * x + std::sin(ro) * y) / po.ScaleX + o.HandleX();
            const double ov = (-std::sin(ro) * x + std::cos(ro) * y) / po.ScaleY + o.HandleY();
            if (ou >= 0 && ov >= 0 && ou < o.Width() && ov < o.Height() &&
                o.Alpha(0, int(ou), int(ov)) >= Media::SOLID_ALPHA)
                return 1;
        }
    return 0;
}

TEST_F(MediaTest, FastPathsAgreeWithTheTexelByTexelRule) {
    std::mt19937 random(2024);
    auto randomPicture = [&](int w, int h) {
        std::vector<std::string> rows(size_t(h), std::string(size_t(w), '.'));
        // A few solid blobs with holes, so that near misses are common.
        for (int blob = 0; blob < 3; ++blob) {
            const int cx = int(random() % unsigned(w)), cy = int(random() % unsigned(h)),
                      r = 1 + int(random() % 6);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && (x + y) % 5 != 0)
                        rows[size_t(y)][size_t(x)] = '#';
        }
        Media::ImageRef image = Picture(rows);
        image->SetHandle(float(w) / 2, float(h) / 2);
        return image;
    };
    std::uniform_real_distribution<float> position(-30, 30), angle(-180, 180), scale(0.3f, 2.5f);
    int hits = 0, total = 0;
    for (int i = 0; i < 400; ++i) {
        Media::ImageRef a = randomPicture(10 + int(random() % 90), 5 + int(random() % 30));
        Media::ImageRef b = randomPicture(3 + int(random() % 20), 3 + int(random() % 20));
        const bool translated = i % 2 == 0;
        const Placement pa{position(random), position(random), translated ? 0 : angle(random),
                           translated ? 1 : scale(random), translated ? 1 : scale(random)};
        Placement pb{position(random), position(random), translated ? 0 : angle(random),
                     translated ? 1 : scale(random), translated ? 1 : scale(random)};
        if (i % 7 == 3) pb.ScaleX = -pb.ScaleX; // mirrored
        const int expected = ReferenceOverlap(*a, pa, *b, pb);
        ASSERT_EQ(Media::ImagesOverlap(*a, 0, pa, *b, 0, pb), expected) << "case " << i;
        hits += expected;
        ++total;
    }
    EXPECT_GT(hits, total / 10); // both answers were exercised
    EXPECT_LT(hits, total * 9 / 10);
}

TEST_F(MediaTest, CollisionLayerTestsRectanglesAgainstWrittenFramesAndRectangles) {
    Media::ImageRef ring = Picture({"####", "#..#", "#..#", "####"});
    ring->SetHandle(2, 2);
    constexpr uint32_t LAYER = 0x80000000u;
    Media::ClearCollisions(LAYER);
    Media::SetScale(10, 10); // the ring covers 80..120 × 80..120, its hole 90..110
    Media::CollideImage(*ring, 100, 100, 0, LAYER);
    Media::SetScale(1, 1);
    EXPECT_EQ(Media::CollideRectTest(95, 95, 10, 10, LAYER), 0); // inside the hole
    EXPECT_EQ(Media::CollideRectTest(95, 95, 10, 10, 1), 0);     // another layer
    EXPECT_EQ(Media::CollideRectTest(85, 95, 2, 2, LAYER), 1);   // on the ring
    EXPECT_EQ(Media::CollideRectTest(100, 100, 1, 1, LAYER), 0); // a point in the hole
    EXPECT_EQ(Media::CollideRectTest(120, 95, 5, 5, LAYER), 0);  // touching the outer edge
    Media::SetRotation(45); // a 30-unit square turned about its top-left corner reaches the ring
    EXPECT_EQ(Media::CollideRectTest(100, 92, 30, 30, LAYER), 1);
    EXPECT_EQ(Media::CollideRectTest(140, 40, 30, 30, LAYER), 0);
    Media::SetRotation(0);

    // A rectangle written at scale 2 about its corner: 10 × 5 units become 20 × 10.
    Media::SetScale(2, 2);
    Media::CollideRect(300, 300, 10, 5, LAYER | 1);
    Media::SetScale(1, 1);
    EXPECT_EQ(Media::CollideRectTest(318, 308, 1, 1, LAYER), 1);
    EXPECT_EQ(Media::CollideRectTest(321, 305, 1, 1, 1), 0);
    Media::ClearCollisions(LAYER);
    EXPECT_EQ(Media::CollideRectTest(85, 95, 2, 2, LAYER), 0);
    EXPECT_EQ(Media::CollideRectTest(318, 308, 1, 1, 1), 1); // still written into layer 1
    Media::ClearCollisions(0xFFFFFFFFu);
    EXPECT_EQ(Media::CollideRectTest(318, 308, 1, 1, 1), 0);
    EXPECT_EQ(Media::CollideRectTest(318, 308, 0, 1, 1), 0); // an empty rectangle hits nothing
}

} // namespace

// The sdl back end in a real window (under Xvfb with software OpenGL in automated runs): blend
// modes, flat-colour mode and clipping read back from the back buffer, textures across a switch
// to full screen, keyboard and mouse through the X server, and the audio path with or without a
// device. Also the CPU helpers of the back end (colour bleeding, mip levels, UTF-8 text).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "media/audio_codec.h"
#include "media/media.h"
#include "media/sdl/mip_level.h"
#include "media/sdl/sdl_input.h"
#include "media/sdl/sdl_test_control.h"
#include "media/sdl/texture_bleed.h"
#include "media/sdl/texture_prep.h"

namespace {

// Unique per process: tests running in parallel must not find each other's windows by name.
const std::string WINDOW_TITLE = "Quillstorm sdl back-end test " + std::to_string(getpid());

struct Rgb {
    int R, G, B;
};

// A w × h image of one colour and alpha.
Media::ImageRef SolidImage(int w, int h, Rgb colour, int alpha, int flags = 0) {
    Media::PixelMapRef map = Media::CreatePixmap(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = map->At(x, y);
            p[0] = uint8_t(colour.R);
            p[1] = uint8_t(colour.G);
            p[2] = uint8_t(colour.B);
            p[3] = uint8_t(alpha);
        }
    }
    return Media::ImageFromPixmap(*map, flags);
}

void ExpectPixel(const Media::PixelMap& grab, int x, int y, Rgb want, const char* what, int tolerance = 3) {
    const uint8_t* p = grab.At(x, y);
    EXPECT_NEAR(p[0], want.R, tolerance) << what << " red at " << x << "," << y;
    EXPECT_NEAR(p[1], want.G, tolerance) << what << " green at " << x << "," << y;
    EXPECT_NEAR(p[2], want.B, tolerance) << what << " blue at " << x << "," << y;
}

// Polls events until `done` holds or a second has passed.
template <typename Done> bool PollUntil(Done done) {
    std::vector<Media::SystemEvent> events;
    for (int i = 0; i < 100; ++i) {
        Media::PollEvents(events);
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Polls events for `ms` milliseconds (events from another process arrive after a while).
void PollFor(int ms) {
    std::vector<Media::SystemEvent> events;
    for (int i = 0; i < ms / 10; ++i) {
        Media::PollEvents(events);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

class SdlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP()
                << "DISPLAY is not set: the real-window tests need an X server (run them under xvfb-run)";
        }
        Media::Options options;
        options.Headless = false;
        options.Windowed = true;
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
        ASSERT_TRUE(Media::CreateAppWindow(WINDOW_TITLE, 0, 0, 800, 500));
        ASSERT_TRUE(Media::OpenWindowGraphics());
        Media::ShowAppWindow(true);
        Media::SetProjection(800, 500);
        Media::SetAutoMidHandle(false);
    }
    void TearDown() override { Media::Shutdown(); }
};

TEST_F(SdlWindowTest, BlendModesFlatColourAndViewportReadBack) {
    ASSERT_EQ(Media::GraphicsWidth(), 800);
    ASSERT_EQ(Media::GraphicsHeight(), 500);

    Media::SetClsColor(0, 0, 255);

    const Media::ImageRef red = SolidImage(20, 20, {255, 0, 0}, 255);
    const Media::ImageRef faintYellow = SolidImage(20, 20, {255, 255, 0}, 64);
    const Media::ImageRef tint = SolidImage(20, 20, {255, 128, 64}, 255);
    // Left half alpha 0.4, right half alpha 0.6.
    Media::PixelMapRef maskMap = Media::CreatePixmap(20, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            uint8_t* p = maskMap->At(x, y);
            p[1] = 255;
            p[3] = x < 10 ? 102 : 153;
        }
    }
    const Media::ImageRef mask = Media::ImageFromPixmap(*maskMap, 0);
    // A white square with a transparent border of 5 texels.
    Media::PixelMapRef ringMap = Media::CreatePixmap(20, 20);
    for (int y = 5; y < 15; ++y) {
        for (int x = 5; x < 15; ++x) {
            uint8_t* p = ringMap->At(x, y);
            p[0] = p[1] = p[2] = p[3] = 255;
        }
    }
    const Media::ImageRef silhouette = Media::ImageFromPixmap(*ringMap, 0);
    ASSERT_TRUE(red && faintYellow && tint && mask && silhouette);

    // Drawn twice: the first frame draws while the textures are still being made, the second as
    // play does, with them made (Mesa's software rasterizer may take another path for it).
    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        Media::Cls();
        Media::SetBlend(Media::ALPHABLEND);
        Media::SetAlpha(0.5f);
        Media::DrawFrame(*red, 10, 10, 0);

        Media::SetBlend(Media::LIGHTBLEND);
        Media::DrawFrame(*red, 40, 10, 0);

        Media::SetAlpha(1.0f);
        Media::SetBlend(Media::SOLIDBLEND);
        Media::DrawFrame(*faintYellow, 70, 10, 0);

        Media::SetColor(200, 200, 200);
        Media::DrawRect(100, 10, 20, 20);
        Media::SetColor(255, 255, 255);
        Media::SetBlend(Media::SHADEBLEND);
        Media::DrawFrame(*tint, 100, 10, 0);

        Media::SetBlend(Media::MASKBLEND);
        Media::DrawFrame(*mask, 130, 10, 0);

        Media::SetBlend(Media::ALPHABLEND);
        Media::FogModeOn();
        Media::SetColor(255, 0, 255);
        Media::DrawFrame(*silhouette, 160, 10, 0);
        Media::FogModeOff();

        Media::SetColor(255, 128, 0);
        Media::DrawFrame(*silhouette, 190, 10, 0);
        Media::SetColor(255, 255, 255);

        // Only the top-left quarter of this square lies inside the viewport.
        Media::SetViewport(0, 0, 230, 20);
        Media::DrawFrame(*red, 220, 10, 0);
        Media::SetViewport(0, 0, 800, 500);

        const Media::PixelMapRef grab = Media::GrabPixmap(0, 0, 800, 500);
        ASSERT_TRUE(grab);
        ASSERT_EQ(grab->Width, 800);
        ASSERT_EQ(grab->Height, 500);

        ExpectPixel(*grab, 2, 2, {0, 0, 255}, "background");
        ExpectPixel(*grab, 20, 20, {128, 0, 127}, "alpha 0.5 red over blue");
        ExpectPixel(*grab, 50, 20, {128, 0, 255}, "light 0.5 red over blue");
        ExpectPixel(*grab, 80, 20, {255, 255, 0}, "solid ignores alpha");
        ExpectPixel(*grab, 110, 20, {200, 100, 50}, "shade multiplies");
        ExpectPixel(*grab, 133, 20, {0, 0, 255}, "mask skips alpha 0.4");
        ExpectPixel(*grab, 146, 20, {0, 255, 0}, "mask draws alpha 0.6 opaque");
        ExpectPixel(*grab, 170, 20, {255, 0, 255}, "fog silhouette");
        ExpectPixel(*grab, 162, 12, {0, 0, 255}, "fog keeps transparent texels");
        ExpectPixel(*grab, 200, 20, {255, 128, 0}, "colour multiplies texels");
        ExpectPixel(*grab, 225, 15, {255, 0, 0}, "inside the viewport");
        ExpectPixel(*grab, 235, 15, {0, 0, 255}, "clipped by the viewport's right edge");
        ExpectPixel(*grab, 225, 25, {0, 0, 255}, "clipped by the viewport's bottom edge");

        // A grab straddling the back buffer's edge keeps its size; the outside stays zero.
        const Media::PixelMapRef edge = Media::GrabPixmap(790, 0, 20, 4);
        ASSERT_TRUE(edge);
        ExpectPixel(*edge, 0, 0, {0, 0, 255}, "inside at the edge");
        ExpectPixel(*edge, 15, 0, {0, 0, 0}, "outside the back buffer", 0);
        Media::Flip(0);
    }
}

// Over a black clear the frame's first quads are drawn opaque with their blended colour: the
// pixels must be those of the blend, and a quad of the same batch over an earlier one must still
// blend over it.
TEST_F(SdlWindowTest, TheFirstQuadsOverABlackClearLookAsBlended) {
    Media::SetClsColor(0, 0, 0);
    const Media::ImageRef halfRed = SolidImage(40, 40, {255, 0, 0}, 128);
    const Media::ImageRef halfWhite = SolidImage(40, 40, {255, 255, 255}, 128);
    ASSERT_TRUE(halfRed && halfWhite);
    // Each blend twice, the second time with the texture made (see above).
    for (const int blend : {Media::ALPHABLEND, Media::LIGHTBLEND, Media::ALPHABLEND, Media::LIGHTBLEND}) {
        Media::Cls();
        Media::SetBlend(blend);
        Media::SetColor(26, 51, 230);
        Media::DrawFrame(*halfWhite, 300, 10, 0); // tinted, over black
        Media::SetColor(255, 255, 255);
        Media::DrawFrame(*halfRed, 10, 10, 0);  // over black
        Media::DrawFrame(*halfRed, 100, 10, 0); // beside it
        Media::DrawFrame(*halfRed, 30, 10, 0);  // half over the first
        Media::SetColor(128, 255, 255);
        Media::SetAlpha(0.5f);
        Media::DrawFrame(*halfRed, 200, 10, 0); // tinted darker, half as opaque again
        Media::SetColor(255, 255, 255);
        Media::SetAlpha(1);
        const Media::PixelMapRef grab = Media::GrabPixmap(0, 0, 800, 500);
        ASSERT_TRUE(grab);
        const char* what = blend == Media::ALPHABLEND ? "alpha" : "light";
        ExpectPixel(*grab, 20, 20, {128, 0, 0}, what);
        ExpectPixel(*grab, 110, 20, {128, 0, 0}, what);
        ExpectPixel(*grab, 60, 20, {128, 0, 0}, what);
        // The alpha blend gives 128 + 0.5 × 128; the light one adds 128 and saturates.
        ExpectPixel(*grab, 40, 20, {blend == Media::ALPHABLEND ? 192 : 255, 0, 0}, what);
        ExpectPixel(*grab, 210, 20, {32, 0, 0}, what);
        ExpectPixel(*grab, 310, 20, {13, 26, 115}, what);
        ExpectPixel(*grab, 5, 5, {0, 0, 0}, what);
        Media::Flip(0);
    }
}

// A picture drawn while the worker is still making its texture (a big one, with much to bleed) is
// held back, not waited for: what was drawn after it still lands on top, a clear drops it, and
// freeing the picture first draws it.
TEST_F(SdlWindowTest, PicturesDrawnBeforeTheirTexturesAreMadeKeepTheDrawingOrder) {
    auto bigRed = [] {
        // Red where the window shows it; below, a checkerboard of transparent texels.
        Media::PixelMapRef map = Media::CreatePixmap(2048, 2048);
        for (int y = 0; y < 2048; ++y)
            for (int x = 0; x < 2048; ++x) {
                uint8_t* p = map->At(x, y);
                p[0] = 255;
                p[3] = y < 600 || (x + y) % 2 == 0 ? 255 : 0;
            }
        return Media::ImageFromPixmap(*map, Media::MIPMAPPEDIMAGE);
    };
    const Media::ImageRef green = SolidImage(16, 16, {0, 255, 0}, 255);
    ASSERT_TRUE(green);
    Media::SetBlend(Media::SOLIDBLEND);
    Media::SetClsColor(0, 0, 0);

    Media::Cls();
    Media::ImageRef red = bigRed();
    ASSERT_TRUE(red);
    Media::DrawFrame(*red, 0, 0, 0);
    Media::DrawFrame(*green, 100, 100, 0);
    Media::PixelMapRef grab = Media::GrabPixmap(0, 0, 800, 500);
    ASSERT_TRUE(grab);
    ExpectPixel(*grab, 108, 108, {0, 255, 0}, "drawn after the big picture");
    ExpectPixel(*grab, 300, 300, {255, 0, 0}, "the big picture");
    Media::Flip(0);

    Media::Cls();
    red = bigRed();
    Media::DrawFrame(*red, 0, 0, 0);
    Media::SetClsColor(0, 0, 255);
    Media::Cls();
    grab = Media::GrabPixmap(0, 0, 800, 500);
    ExpectPixel(*grab, 300, 300, {0, 0, 255}, "cleared after the big picture was drawn");
    Media::Flip(0);

    Media::Cls();
    red = bigRed();
    Media::DrawFrame(*red, 0, 0, 0);
    red.reset();
    grab = Media::GrabPixmap(0, 0, 800, 500);
    ExpectPixel(*grab, 300, 300, {255, 0, 0}, "freed after it was drawn");
    Media::Flip(0);
}

// 64 x 64 texels of one-texel columns, red and blue by turns.
Media::PixelMapRef RedBlueStripes() {
    Media::PixelMapRef map = Media::CreatePixmap(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = map->At(x, y);
            p[0] = x % 2 == 0 ? 255 : 0;
            p[2] = x % 2 == 0 ? 0 : 255;
            p[3] = 255;
        }
    }
    return map;
}

// A filtered picture drawn texel for pixel is read texel by texel, mirrored or not; half a pixel
// off, it is still filtered between its texels.
TEST_F(SdlWindowTest, FilteredPicturesDrawnTexelForPixelKeepTheirTexels) {
    // Columns alternate black and white.
    Media::PixelMapRef stripes = Media::CreatePixmap(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint8_t* p = stripes->At(x, y);
            p[0] = p[1] = p[2] = x % 2 == 0 ? 0 : 255;
            p[3] = 255;
        }
    }
    const Media::ImageRef image = Media::ImageFromPixmap(*stripes, Media::FILTEREDIMAGE);
    ASSERT_TRUE(image);
    Media::SetClsColor(0, 0, 255);
    Media::Cls();
    Media::SetBlend(Media::ALPHABLEND);
    Media::DrawFrame(*image, 10, 10, 0);
    Media::SetScale(-1, 1);
    Media::DrawFrame(*image, 66, 10, 0); // mirrored: its right edge at 66
    Media::SetScale(1, 1);
    Media::DrawFrame(*image, 100.5f, 10, 0);
    const Media::PixelMapRef grab = Media::GrabPixmap(0, 0, 800, 500);
    ASSERT_TRUE(grab);
    ExpectPixel(*grab, 14, 15, {0, 0, 0}, "even column", 0);
    ExpectPixel(*grab, 15, 15, {255, 255, 255}, "odd column", 0);
    ExpectPixel(*grab, 65, 15, {0, 0, 0}, "mirrored: the first column at the right", 0);
    ExpectPixel(*grab, 64, 15, {255, 255, 255}, "mirrored: the second column", 0);
    ExpectPixel(*grab, 105, 15, {128, 128, 128}, "half a pixel off: filtered", 3);
    Media::Flip(0);
}

// A red square inside a transparent border, magnified with filtering over white: the edge fades
// from red to white. Transparent texels of black colour would darken it on the way.
TEST_F(SdlWindowTest, FilteredEdgesHaveNoDarkFringe) {
    Media::PixelMapRef map = Media::CreatePixmap(8, 8);
    for (int y = 2; y < 6; ++y) {
        for (int x = 2; x < 6; ++x) {
            uint8_t* p = map->At(x, y);
            p[0] = 255;
            p[3] = 255;
        }
    }
    for (const int flags : {Media::FILTEREDIMAGE, Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE}) {
        const Media::ImageRef image = Media::ImageFromPixmap(*map, flags);
        ASSERT_TRUE(image);
        Media::SetClsColor(255, 255, 255);
        Media::Cls();
        Media::SetBlend(Media::ALPHABLEND);
        Media::SetScale(16, 16);
        Media::DrawFrame(*image, 100, 100, 0);
        Media::SetScale(1, 1);
        const Media::PixelMapRef grab = Media::GrabPixmap(100, 100, 128, 128);
        ASSERT_TRUE(grab);
        int minRed = 255, minGreen = 255;
        for (int x = 0; x < 128; ++x) {
            const uint8_t* p = grab->At(x, 64);
            minRed = std::min(minRed, int(p[0]));
            minGreen = std::min(minGreen, int(p[1]));
        }
        EXPECT_GE(minRed, 250) << "red stays full across the edge (flags " << flags << ")";
        EXPECT_LE(minGreen, 5) << "the square itself is drawn (flags " << flags << ")";
    }
}

// Fine red and blue stripes drawn at an eighth of their size come out purple, upright or turned:
// the smaller levels exist and average the stripes (a texture without its levels draws nothing at
// all, and one read from its first level alone would show the stripes).
TEST_F(SdlWindowTest, MinifiedMipmappedImagesAverageTheirTexels) {
    const Media::ImageRef image =
        Media::ImageFromPixmap(*RedBlueStripes(), Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE);
    ASSERT_TRUE(image);
    image->SetHandle(32, 32); // drawn about its centre, which the grab below holds either way
    for (const float degrees : {0.0f, 30.0f}) {
        Media::SetClsColor(0, 0, 0);
        Media::Cls();
        Media::SetBlend(Media::SOLIDBLEND);
        Media::SetRotation(degrees);
        Media::SetScale(0.125f, 0.125f);
        Media::DrawFrame(*image, 100, 100, 0);
        Media::SetScale(1, 1);
        Media::SetRotation(0);
        const Media::PixelMapRef grab = Media::GrabPixmap(98, 98, 4, 4);
        ASSERT_TRUE(grab);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                const uint8_t* p = grab->At(x, y);
                EXPECT_NEAR(p[0], 128, 24) << "red at " << x << "," << y << ", turned " << degrees;
                EXPECT_NEAR(p[2], 128, 24) << "blue at " << x << "," << y << ", turned " << degrees;
            }
        }
        Media::Flip(0);
    }
}

// Drawn larger than its size, turned or not, a mip-mapped picture looks exactly like the same
// picture without its smaller levels.
TEST_F(SdlWindowTest, MagnifiedMipmappedImagesLookLikeTheirFirstLevel) {
    const Media::PixelMapRef stripes = RedBlueStripes();
    const Media::ImageRef mipmapped =
        Media::ImageFromPixmap(*stripes, Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE);
    const Media::ImageRef single = Media::ImageFromPixmap(*stripes, Media::FILTEREDIMAGE);
    ASSERT_TRUE(mipmapped);
    ASSERT_TRUE(single);
    for (const float degrees : {0.0f, 45.0f, -17.0f}) {
        for (const float scale : {1.0f, 1.5f}) {
            Media::PixelMapRef grabs[2];
            for (int n = 0; n < 2; ++n) {
                Media::SetClsColor(0, 0, 0);
                Media::Cls();
                Media::SetBlend(Media::SOLIDBLEND);
                Media::SetRotation(degrees);
                Media::SetScale(scale, scale);
                Media::DrawFrame(n == 0 ? *mipmapped : *single, 200.25f, 150.5f, 0);
                Media::SetScale(1, 1);
                Media::SetRotation(0);
                grabs[n] = Media::GrabPixmap(100, 50, 200, 200);
                ASSERT_TRUE(grabs[n]);
                Media::Flip(0);
            }
            EXPECT_EQ(grabs[0]->Pixels, grabs[1]->Pixels) << "turned " << degrees << ", scale " << scale;
        }
    }
}

namespace {

// A soft round cloud: colour by place, alpha falling from the centre to 0 at the edge, as a
// nebula's picture.
Media::PixelMapRef Cloud(int size) {
    Media::PixelMapRef map = Media::CreatePixmap(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* p = map->At(x, y);
            const float r = std::hypot(float(x) - size / 2.0f, float(y) - size / 2.0f) / (size / 2.0f);
            p[0] = uint8_t(4 * x);
            p[1] = uint8_t(255 - 4 * y);
            p[2] = 160;
            p[3] = uint8_t(255 * std::max(0.0f, 1 - r));
        }
    }
    return map;
}

// Draws `image` about its centre at (x, y), turned and scaled, and gives the pass that paints it
// the same into a picture whose top-left corner is at (left, top).
Media::PaintPass DrawnPass(const Media::ImageRef& image, float x, float y, float degrees, float scale,
                           float left, float top) {
    Media::SetRotation(degrees);
    Media::SetScale(scale, scale);
    Media::DrawFrame(*image, x, y, 0);
    Media::SetScale(1, 1);
    Media::SetRotation(0);
    const float c = std::cos(degrees * 3.14159265f / 180), s = std::sin(degrees * 3.14159265f / 180);
    const float hx = image->HandleX(), hy = image->HandleY();
    auto place = [&](float lx, float ly, float& px, float& py) {
        px = x + c * scale * lx - s * scale * ly - left;
        py = y + s * scale * lx + c * scale * ly - top;
    };
    Media::PaintPass pass;
    pass.Source = image;
    place(-hx, -hy, pass.TopLeftX, pass.TopLeftY);
    place(float(image->Width()) - hx, -hy, pass.TopRightX, pass.TopRightY);
    place(-hx, float(image->Height()) - hy, pass.BottomLeftX, pass.BottomLeftY);
    return pass;
}

// The largest channel difference between two grabs of the same size, and the mean of each
// pixel's largest difference.
void CompareGrabs(const Media::PixelMap& a, const Media::PixelMap& b, int& worst, double& mean) {
    worst = 0;
    long total = 0;
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            int diff = 0;
            for (int c = 0; c < 3; ++c)
                diff = std::max(diff, std::abs(int(a.At(x, y)[c]) - int(b.At(x, y)[c])));
            worst = std::max(worst, diff);
            total += diff;
        }
    }
    mean = double(total) / double(a.Width * a.Height);
}

} // namespace

// The still scenery's trick: passes painted into one premultiplied picture and drawn with the
// premultiplied blend change the window as drawing the passes themselves does, light that falls
// where the picture is transparent included; the drawing alpha fades the picture as a whole.
TEST_F(SdlWindowTest, APaintedPictureDrawnPremultipliedLooksAsItsPassesDrawn) {
    const Media::ImageRef cloud = Media::ImageFromPixmap(*Cloud(64), Media::FILTEREDIMAGE);
    const Media::ImageRef glow = Media::ImageFromPixmap(*Cloud(40), Media::FILTEREDIMAGE);
    const Media::ImageRef stripes = Media::ImageFromPixmap(*RedBlueStripes(), Media::FILTEREDIMAGE);
    ASSERT_TRUE(cloud && glow && stripes);
    for (const Media::ImageRef& image : {cloud, glow, stripes})
        image->SetHandle(float(image->Width()) / 2, float(image->Height()) / 2);
    constexpr float LEFT = 100, TOP = 100;
    constexpr int SIZE = 160;
    auto underlay = [&] {
        Media::SetClsColor(0, 0, 0);
        Media::Cls();
        Media::SetBlend(Media::SOLIDBLEND);
        Media::SetColor(120, 120, 120);
        Media::SetScale(2.5f, 2.5f);
        Media::DrawFrame(*stripes, LEFT + SIZE / 2, TOP + SIZE / 2, 0);
        Media::SetScale(1, 1);
        Media::SetColor(255, 255, 255);
    };

    // Draws the cloud tinted and faded by `alpha`, and the glow's light (when `light`), and gives
    // their passes.
    auto drawPasses = [&](float alpha, bool light) {
        std::vector<Media::PaintPass> passes;
        Media::SetBlend(Media::ALPHABLEND);
        Media::SetColor(255, 153, 76);
        Media::SetAlpha(alpha);
        passes.push_back(DrawnPass(cloud, 170.25f, 175.5f, 30, 1.5f, LEFT, TOP));
        passes.back().G = 153 / 255.0f;
        passes.back().B = 76 / 255.0f;
        passes.back().Alpha = alpha;
        Media::SetColor(255, 255, 255);
        Media::SetAlpha(1);
        if (light) {
            // The glow reaches beyond the cloud, where the painted picture has alpha 0.
            Media::SetBlend(Media::LIGHTBLEND);
            passes.push_back(DrawnPass(glow, 215, 140, -10, 1, LEFT, TOP));
            passes.back().Blend = Media::LIGHTBLEND;
        }
        return passes;
    };
    auto drawPainted = [&](const std::vector<Media::PaintPass>& passes, float alpha) {
        const Media::ImageRef painted = Media::ImageFromPixmap(
            Media::PaintPasses(SIZE, SIZE, passes), Media::PREMULTIPLIEDIMAGE | Media::FILTEREDIMAGE);
        ASSERT_TRUE(painted);
        painted->SetHandle(0, 0);
        Media::SetBlend(Media::PREMULTIPLIEDBLEND);
        Media::SetAlpha(alpha);
        Media::DrawFrame(*painted, LEFT, TOP, 0);
        Media::SetAlpha(1);
    };
    auto grab = [&] {
        Media::PixelMapRef shot = Media::GrabPixmap(int(LEFT), int(TOP), SIZE, SIZE);
        Media::Flip(0);
        return shot;
    };
    auto expectAlike = [](const Media::PixelMapRef& a, const Media::PixelMapRef& b, const char* what) {
        ASSERT_TRUE(a && b);
        int worst = 0;
        double mean = 0;
        CompareGrabs(*a, *b, worst, mean);
        EXPECT_LE(worst, 4) << what << ", mean " << mean;
        EXPECT_LT(mean, 0.5) << what << ", worst " << worst;
    };

    underlay();
    const std::vector<Media::PaintPass> passes = drawPasses(0.6f, true);
    const Media::PixelMapRef drawn = grab();
    underlay();
    drawPainted(passes, 1);
    const Media::PixelMapRef shown = grab();
    expectAlike(drawn, shown, "both passes");
    ASSERT_TRUE(shown);
    EXPECT_GT(shown->At(215 - int(LEFT), 140 - int(TOP))[1], 150) << "the glow's light beyond the cloud";

    // Drawn at half alpha, the painted cloud looks as the cloud drawn at half its alpha.
    underlay();
    drawPasses(0.3f, false);
    const Media::PixelMapRef fadedDrawn = grab();
    underlay();
    drawPainted({passes[0]}, 0.5f);
    expectAlike(fadedDrawn, grab(), "faded");
}

// A stack drawn in one pass changes the window as its layers drawn one after another with the
// premultiplied blend do: placed, mirrored, repeated down the rectangle, tinted and faded, read
// texel for pixel at whole units and filtered between them, over a fresh black clear (written
// opaque) and over what is drawn already (blended).
TEST_F(SdlWindowTest, AStackDrawnInOnePassLooksAsItsLayersDrawnOneAfterAnother) {
    constexpr int SIZE = 160;
    constexpr float LEFT = 100, TOP = 100;
    const Media::ImageRef cloud = Media::ImageFromPixmap(*Cloud(64), Media::FILTEREDIMAGE);
    const Media::ImageRef stripes = Media::ImageFromPixmap(*RedBlueStripes(), Media::FILTEREDIMAGE);
    ASSERT_TRUE(cloud && stripes);
    // Premultiplied pictures, transparent at their edges (where a filtered layer fades out and a
    // drawn frame stops) but for the column's top and bottom rows, which a repeat joins: a column
    // period (a cloud over half-transparent stripes), a cloud and a cloud brighter than its alpha.
    auto paint = [](int w, int h, std::vector<Media::PaintPass> passes) {
        return Media::ImageFromPixmap(Media::PaintPasses(w, h, passes),
                                      Media::PREMULTIPLIEDIMAGE | Media::FILTEREDIMAGE);
    };
    auto pass = [](const Media::ImageRef& image, float left, float top, float width, float height,
                   float alpha, int blend) {
        Media::PaintPass p;
        p.Source = image;
        p.TopLeftX = p.BottomLeftX = left;
        p.TopRightX = left + width;
        p.TopLeftY = p.TopRightY = top;
        p.BottomLeftY = top + height;
        p.Alpha = alpha;
        p.Blend = blend;
        return p;
    };
    const Media::ImageRef column = paint(64, 96,
                                         {pass(stripes, 8, 0, 48, 96, 0.5f, Media::ALPHABLEND),
                                          pass(cloud, 0, 10, 64, 64, 1, Media::ALPHABLEND)});
    const Media::ImageRef middle = paint(64, 64, {pass(cloud, 0, 0, 64, 64, 1, Media::ALPHABLEND)});
    const Media::ImageRef top = paint(64, 64,
                                      {pass(cloud, 0, 0, 64, 64, 0.5f, Media::ALPHABLEND),
                                       pass(cloud, 8, 8, 48, 48, 1, Media::LIGHTBLEND)});
    ASSERT_TRUE(column && middle && top);
    for (const Media::ImageRef& image : {column, middle, top})
        image->SetHandle(0, 0);

    auto layers = [&](float shift) {
        std::vector<Media::StackLayer> stack(3);
        stack[0] = {column.get(), 30 + shift, -40 + shift, false, true, 1, 0.8f, 0.6f, 1};
        stack[1] = {middle.get(), 70 + shift, 50, true, false, 0.9f, 1, 1, 0.7f};
        stack[2] = {top.get(), 20, 90 + shift, false, false, 1, 1, 1, 1};
        return stack;
    };
    // The layers drawn one by one, each repeated picture once per period.
    auto drawLayers = [&](const std::vector<Media::StackLayer>& stack) {
        Media::SetBlend(Media::PREMULTIPLIEDBLEND);
        Media::SetViewport(int(LEFT), int(TOP), SIZE, SIZE);
        for (const Media::StackLayer& layer : stack) {
            Media::SetColor(int(std::lround(layer.R * 255)), int(std::lround(layer.G * 255)),
                            int(std::lround(layer.B * 255)));
            Media::SetAlpha(layer.A);
            Media::SetScale(layer.MirrorX ? -1.0f : 1.0f, 1);
            const float x = LEFT + layer.X + (layer.MirrorX ? float(layer.Source->Width()) : 0.0f);
            const float h = float(layer.Source->Height());
            for (float y = layer.Y; y < SIZE; y += h)
                if (layer.RepeatY || y == layer.Y) Media::DrawFrame(*layer.Source, x, TOP + y, 0);
            if (layer.RepeatY)
                for (float y = layer.Y - h; y + h > 0; y -= h)
                    Media::DrawFrame(*layer.Source, x, TOP + y, 0);
        }
        Media::SetScale(1, 1);
        Media::SetAlpha(1);
        Media::SetColor(255, 255, 255);
        Media::SetViewport(0, 0, 800, 500);
    };
    auto underlay = [&](bool black) {
        Media::SetClsColor(0, 0, 0);
        Media::Cls();
        if (black) return;
        Media::SetBlend(Media::SOLIDBLEND);
        Media::SetColor(120, 120, 120);
        Media::SetScale(2.5f, 2.5f);
        Media::DrawFrame(*stripes, LEFT, TOP, 0);
        Media::SetScale(1, 1);
        Media::SetColor(255, 255, 255);
    };
    auto grab = [&] {
        Media::PixelMapRef shot = Media::GrabPixmap(int(LEFT), int(TOP), SIZE, SIZE);
        Media::Flip(0);
        return shot;
    };
    for (const bool black : {true, false}) {
        for (const float shift : {0.0f, 0.375f}) {
            SCOPED_TRACE(std::string(black ? "over black" : "over stripes") + ", shift " +
                         std::to_string(shift));
            std::vector<Media::StackLayer> stack = layers(shift);
            // A stack of fewer layers than the most, too.
            if (!black && shift > 0) stack.pop_back();
            underlay(black);
            drawLayers(stack);
            const Media::PixelMapRef oneByOne = grab();
            underlay(black);
            Media::DrawStack(stack.data(), int(stack.size()), LEFT, TOP, SIZE, SIZE);
            const Media::PixelMapRef stacked = grab();
            ASSERT_TRUE(oneByOne && stacked);
            int worst = 0;
            double mean = 0;
            CompareGrabs(*oneByOne, *stacked, worst, mean);
            // Each pass rounds to 8 bits, the stack once.
            EXPECT_LE(worst, 3) << "mean " << mean;
            EXPECT_LT(mean, 0.5) << "worst " << worst;
            EXPECT_GT(stacked->At(40, 20)[0], 20) << "the column's repeat above its first period";
        }
    }

    // Layers that are not premultiplied pictures are left out.
    underlay(true);
    const Media::StackLayer straight{cloud.get(), 0, 0, false, false, 1, 1, 1, 1};
    Media::DrawStack(&straight, 1, LEFT, TOP, SIZE, SIZE);
    const Media::PixelMapRef none = grab();
    ASSERT_TRUE(none);
    EXPECT_EQ(none->At(32, 32)[1], 0);
}

TEST_F(SdlWindowTest, DisplayModesAndTexturesSurviveFullScreenSwitches) {
    int desktopWidth = 0, desktopHeight = 0;
    Media::DesktopSize(desktopWidth, desktopHeight);
    ASSERT_GT(desktopWidth, 0);
    ASSERT_GT(desktopHeight, 0);
    EXPECT_EQ(Media::GraphicsModeExists(desktopWidth, desktopHeight, 24) +
                  Media::GraphicsModeExists(desktopWidth, desktopHeight, 32),
              2)
        << "24 and 32 bits are the same family and the desktop size exists at the desktop's depth";
    EXPECT_EQ(Media::GraphicsModeExists(123, 45, 32), 0);

    const Media::ImageRef green = SolidImage(16, 16, {0, 255, 0}, 255);
    ASSERT_TRUE(green);

    Media::CloseWindowGraphics();
    ASSERT_TRUE(Media::OpenFullscreenGraphics(desktopWidth, desktopHeight, 32));
    EXPECT_TRUE(Media::HasGraphics());
    // The full-screen size is not checked: without a window manager (as under Xvfb) nobody
    // resizes the X window, and SDL's idea of its size depends on event timing.

    Media::CloseFullscreenGraphics();
    ASSERT_TRUE(Media::OpenWindowGraphics());
    Media::ShowAppWindow(true);
    PollUntil([&] { return Media::GraphicsWidth() == 800; });
    ASSERT_EQ(Media::GraphicsWidth(), 800);
    ASSERT_EQ(Media::GraphicsHeight(), 500);
    Media::SetProjection(800, 500);

    // The image made before the switches still draws.
    Media::SetClsColor(0, 0, 0);
    Media::Cls();
    Media::SetBlend(Media::ALPHABLEND);
    Media::DrawFrame(*green, 100, 100, 0);
    const Media::PixelMapRef grab = Media::GrabPixmap(100, 100, 16, 16);
    ASSERT_TRUE(grab);
    ExpectPixel(*grab, 8, 8, {0, 255, 0}, "texture after the mode switches");
}

// A refused switch has already sized the window for full screen; the window it falls back to is
// the 800 × 500 one again.
TEST_F(SdlWindowTest, AFailedFullScreenSwitchLeavesThe800By500Window) {
    int desktopWidth = 0, desktopHeight = 0;
    Media::DesktopSize(desktopWidth, desktopHeight);
    ASSERT_GT(desktopWidth, 800);
    Media::CloseWindowGraphics();
    Media::Sdl::FailNextFullscreenSwitch();
    EXPECT_FALSE(Media::OpenFullscreenGraphics(desktopWidth, desktopHeight, 32));
    ASSERT_TRUE(Media::OpenWindowGraphics());
    Media::ShowAppWindow(true);
    PollUntil([&] { return Media::GraphicsWidth() == 800 && Media::GraphicsHeight() == 500; });
    EXPECT_EQ(Media::GraphicsWidth(), 800);
    EXPECT_EQ(Media::GraphicsHeight(), 500);
    // The control acts once: the next switch succeeds.
    Media::CloseWindowGraphics();
    EXPECT_TRUE(Media::OpenFullscreenGraphics(desktopWidth, desktopHeight, 32));
    Media::CloseFullscreenGraphics();
}

// A gamepad plugged in while the game runs, used and unplugged: SDL's virtual game controller goes
// the whole way through the back end's events.
TEST_F(SdlWindowTest, APadPluggedInAtAnyTimeIsReadAndLetGo) {
    PollFor(50);
    const int before = Media::PadsConnected();
    ASSERT_TRUE(Media::Sdl::AttachVirtualPad());
    // A busy machine (the tests run side by side) may take a while to deliver the pad's events,
    // so each step waits on state that reading does not reset.
    PollUntil([&] { return Media::PadsConnected() == before + 1; });
    EXPECT_EQ(Media::PadsConnected(), before + 1);
    Media::Sdl::SetVirtualPadButton(Media::PAD_A, true);
    Media::Sdl::SetVirtualPadButton(Media::PAD_DPLEFT, true);
    Media::Sdl::SetVirtualPadAxis(Media::PAD_LEFTX, -32768);
    Media::Sdl::SetVirtualPadAxis(Media::PAD_RIGHTTRIGGER, 32767);
    PollUntil([] {
        return Media::PadHeld(Media::PAD_A) == 1 && Media::PadHeld(Media::PAD_DPLEFT) == 1 &&
               Media::PadAxis(Media::PAD_LEFTX) == -1.0f && Media::PadAxis(Media::PAD_RIGHTTRIGGER) == 1.0f;
    });
    EXPECT_EQ(Media::PadPresses(Media::PAD_A), 1);
    EXPECT_EQ(Media::PadHeld(Media::PAD_A), 1);
    EXPECT_EQ(Media::PadHeld(Media::PAD_DPLEFT), 1);
    EXPECT_FLOAT_EQ(Media::PadAxis(Media::PAD_LEFTX), -1.0f);
    EXPECT_FLOAT_EQ(Media::PadAxis(Media::PAD_RIGHTTRIGGER), 1.0f);
    Media::PadRumble(0.5f, 100); // the virtual pad has no rumble: nothing happens, nothing fails
    Media::Sdl::DetachVirtualPad();
    PollUntil([&] { return Media::PadsConnected() == before; });
    EXPECT_EQ(Media::PadsConnected(), before);
    EXPECT_EQ(Media::PadsRemoved(), 1);
    EXPECT_EQ(Media::PadHeld(Media::PAD_A), 0) << "nothing stays held by an unplugged pad";
    EXPECT_EQ(Media::PadAxis(Media::PAD_LEFTX), 0.0f);
}

// Keys, typed text, the mouse and focus changes, sent through the X server with xdotool.
TEST_F(SdlWindowTest, KeyboardMouseAndFocusThroughTheXServer) {
    if (std::system("command -v xdotool > /dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    Media::Cls();
    Media::Flip(0);
    PollFor(300); // let the window map
    const std::string window = std::string("xdotool search --sync --name '^") + WINDOW_TITLE + "$' ";
    // Tests running in parallel share the X server: another window may hold the focus or cover
    // ours for a moment, so each step is tried up to three times.
    struct Keys {
        int FirstTyped, SecondTyped, PressesA, PressesF5, PressesEnter;
        bool operator==(const Keys&) const = default;
    };
    const Keys expected = {'a', Media::KEY_ENTER, 1, 1, 1};
    Keys got = {};
    for (int attempt = 0; attempt < 3 && !(got == expected); ++attempt) {
        Media::ClearInput();
        ASSERT_EQ(std::system((window + "windowraise windowfocus --sync key a F5 Return").c_str()), 0);
        PollFor(500);
        got.FirstTyped = Media::NextTypedChar();
        got.SecondTyped = Media::NextTypedChar(); // Enter types a carriage return
        got.PressesA = Media::KeyPresses(Media::KEY_A);
        got.PressesF5 = Media::KeyPresses(Media::KEY_F5);
        got.PressesEnter = Media::KeyPresses(Media::KEY_ENTER);
    }
    EXPECT_EQ(got.FirstTyped, expected.FirstTyped);
    EXPECT_EQ(got.SecondTyped, expected.SecondTyped);
    EXPECT_EQ(got.PressesA, expected.PressesA);
    EXPECT_EQ(got.PressesF5, expected.PressesF5);
    EXPECT_EQ(got.PressesEnter, expected.PressesEnter);

    int clicks = 0;
    for (int attempt = 0; attempt < 3 && clicks == 0; ++attempt) {
        ASSERT_EQ(std::system((window + "windowraise mousemove --window %1 120 70 click 1").c_str()), 0);
        PollFor(500);
        clicks = Media::ButtonPresses(1);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Media::PointerWindowX(), 120);
    EXPECT_EQ(Media::PointerWindowY(), 70);

    // Focus moves to the root window and back: suspend, then resume. Another test's window may
    // take the focus in between, so each step is again tried up to three times.
    std::vector<Media::SystemEvent> seen;
    const auto focusAndWait = [&seen](const std::string& command, int suspended) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (std::system(command.c_str()) != 0) return false;
            std::vector<Media::SystemEvent> events;
            for (int i = 0; i < 100; ++i) {
                Media::PollEvents(events);
                seen.insert(seen.end(), events.begin(), events.end());
                if (Media::AppSuspended() == suspended) return true;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        return false;
    };
    const std::string focusOurs = window + "windowfocus --sync";
    const std::string focusRoot = "xdotool search --maxdepth 0 '' windowfocus --sync %1 2> /dev/null";
    ASSERT_TRUE(focusAndWait(focusOurs, 0));
    seen.clear();
    EXPECT_TRUE(focusAndWait(focusRoot, 1));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), Media::SystemEvent::Suspend);
    EXPECT_TRUE(focusAndWait(focusOurs, 0));
    EXPECT_EQ(seen.back(), Media::SystemEvent::Resume);
    // Focus lost and minimised (or gained and restored) arrive as one event, never twice in a row.
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}

// 200 ms of a quiet tone, 16-bit big-endian mono (the back end converts it).
Media::AudioSampleRef ShortTone() {
    auto sample = std::make_shared<Media::AudioSample>();
    sample->Format = Media::SF_MONO16BE;
    sample->Rate = 22050;
    sample->Length = 22050 / 5;
    for (int i = 0; i < sample->Length; ++i) {
        const auto v = int16_t(8000.0 * std::sin(i * 0.1));
        sample->Data.push_back(uint8_t(uint16_t(v) >> 8));
        sample->Data.push_back(uint8_t(v & 0xFF));
    }
    return sample;
}

// A tone of `ms` milliseconds as a WAV file to stream from (16-bit big-endian, converted on the way).
Media::LoadedSoundRef StreamedTone(int ms, int flags) {
    Media::AudioSampleRef tone = ShortTone();
    const int frames = 22050 * ms / 1000;
    std::vector<uint8_t> file = {'R', 'I', 'F',  'X',  0, 0,  0, 0,  'W', 'A', 'V', 'E', 'f',  'm',
                                 't', ' ', 0,    0,    0, 16, 0, 1,  0,   1,   0,   0,   0x56, 0x22,
                                 0,   0,   0xAC, 0x44, 0, 2,  0, 16, 'd', 'a', 't', 'a'};
    const uint32_t bytes = uint32_t(frames * 2);
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(uint8_t(bytes >> shift));
    for (int i = 0; i < frames; ++i) {
        file.push_back(tone->Data[size_t(i % tone->Length) * 2]);
        file.push_back(tone->Data[size_t(i % tone->Length) * 2 + 1]);
    }
    char path[] = "/tmp/qs_stream_XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, file.data(), file.size()), ssize_t(file.size()));
    close(fd);
    Media::LoadedSoundRef sound = Media::OpenSoundStream(path, flags);
    unlink(path);
    return sound;
}

// Streamed sounds (music) behave as sounds decoded whole: paused when cued, pause and resume, stop,
// a looping one goes on past its end, a plain one ends once it has played, also when it is longer
// than what is decoded ahead.
void ExerciseStreams() {
    const Media::LoadedSoundRef once = StreamedTone(1300, 0);
    const Media::LoadedSoundRef loop = StreamedTone(300, Media::SOUND_LOOP);
    ASSERT_TRUE(once && loop);
    ASSERT_TRUE(Media::IsStreamed(*once));
    const Media::AudioChannelRef plain = Media::CueSound(*once);
    const Media::AudioChannelRef looping = Media::CueSound(*loop);
    EXPECT_EQ(plain->Playing(), 0) << "a cued stream starts paused";
    plain->SetVolume(0.1f);
    looping->SetVolume(0.1f);
    plain->SetPaused(0);
    looping->SetPaused(0);
    EXPECT_EQ(plain->Playing(), 1);
    looping->SetPaused(1);
    EXPECT_EQ(looping->Playing(), 0);
    looping->SetPaused(0);
    EXPECT_EQ(looping->Playing(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
    EXPECT_EQ(plain->Playing(), 1) << "still playing after 900 of its 1300 ms";
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_EQ(plain->Playing(), 0) << "ended once played";
    EXPECT_EQ(looping->Playing(), 1) << "a looping stream goes on past its end";
    looping->Stop();
    EXPECT_EQ(looping->Playing(), 0);
    looping->SetPaused(0);
    EXPECT_EQ(looping->Playing(), 0) << "a stopped stream stays stopped";
    // A stream dropped while it plays is stopped and gives its source back.
    Media::CueSound(*loop)->SetPaused(0);
}

// What the game relies on from channels, on OpenAL sources or on silent clock-driven channels.
void ExerciseChannels() {
    ExerciseStreams();
    const Media::LoadedSoundRef sound = Media::LoadSound(ShortTone(), 0);
    const Media::LoadedSoundRef loop = Media::LoadSound(ShortTone(), Media::SOUND_LOOP);
    ASSERT_TRUE(sound && loop);

    const Media::AudioChannelRef channel = Media::CueSound(*sound);
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->Playing(), 0) << "a cued channel starts paused";
    channel->SetVolume(0.2f);
    channel->SetRate(0.0f); // clamped, never an error
    channel->SetRate(1.0f);
    channel->SetPaused(0);
    EXPECT_EQ(channel->Playing(), 1);
    channel->SetPaused(1);
    EXPECT_EQ(channel->Playing(), 0);
    channel->SetPaused(0);
    EXPECT_EQ(channel->Playing(), 1);
    channel->Stop();
    EXPECT_EQ(channel->Playing(), 0);
    channel->SetPaused(0);
    EXPECT_EQ(channel->Playing(), 0) << "a stopped channel stays stopped";

    // More channels than the source pool holds: every one is a channel, and each one ends.
    std::vector<Media::AudioChannelRef> many;
    for (int i = 0; i < 60; ++i) {
        many.push_back(Media::CueSound(*sound));
        ASSERT_TRUE(many.back());
        many.back()->SetVolume(0.0f);
        many.back()->SetPaused(0);
        EXPECT_EQ(many.back()->Playing(), 1) << "channel " << i;
    }
    const Media::AudioChannelRef looping = Media::CueSound(*loop);
    looping->SetPaused(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    for (const Media::AudioChannelRef& c : many)
        EXPECT_EQ(c->Playing(), 0);
    EXPECT_EQ(looping->Playing(), 1) << "a looping sound goes on past its end";
    looping->Stop();
    EXPECT_EQ(looping->Playing(), 0);

    // Sources of ended sounds are reused.
    const Media::AudioChannelRef again = Media::CueSound(*sound);
    again->SetPaused(0);
    EXPECT_EQ(again->Playing(), 1);
}

// OpenAL Soft's software "null" device mixes without hardware, so the OpenAL path is covered on
// machines without sound. Defined first: OpenAL reads its driver list once per process.
TEST_F(SdlWindowTest, AudioChannelsOnOpenAlSources) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_EQ(Media::SelectAudioDriver("directsound"), 1)
        << "OpenAL Soft's null device did not open (was OpenAL set up earlier in this process?)";
    EXPECT_EQ(Media::SelectAudioDriver("default"), 1) << "selecting again keeps the open device";
    ExerciseChannels();
}

// Runs with or without an audio device: without one the channels run silently on the clock.
TEST_F(SdlWindowTest, AudioChannelsOnTheDefaultDevice) {
    EXPECT_EQ(Media::SelectAudioDriver("no such driver"), 0);
    const int driver = Media::SelectAudioDriver("directsound");
    EXPECT_TRUE(driver == 0 || driver == 1);
    std::printf("audio device: %s\n", driver == 1 ? "yes" : "none (silent channels)");
    ExerciseChannels();
}

TEST(SdlTextureBleed, TransparentTexelsTakeTheNearestVisibleColours) {
    struct Case {
        const char* Name;
        std::vector<uint32_t> In; // RGBA as 0xRRGGBBAA, one row
        std::vector<uint32_t> Out;
    };
    const uint32_t red = 0xFF0000FF, clearRed = 0xFF000000, blue = 0x0000FFFF, clearBlue = 0x0000FF00;
    std::vector<uint32_t> farApart(20, 0);
    farApart.front() = red;
    farApart.back() = blue;
    std::vector<uint32_t> farApartOut(20, 0);
    for (int x = 0; x < 20; ++x)
        farApartOut[size_t(x)] = x < 9 ? clearRed : x > 10 ? clearBlue : 0x80008000u;
    farApartOut.front() = red;
    farApartOut.back() = blue;
    const std::vector<Case> cases = {
        {"one visible texel spreads to all",
         {0xFF000080, 0, 0, 0},
         {0xFF000080, clearRed, clearRed, clearRed}},
        {"a gap between two colours takes the average of both",
         {red, 0, blue, blue},
         {red, 0x80008000u, blue, blue}},
        {"nothing visible stays as it is", {0x12345600, 0, 0, 0}, {0x12345600, 0, 0, 0}},
        {"visible texels keep their colour",
         {0x10203001, 0x40506002, 0, 0x708090FF},
         {0x10203001, 0x40506002, 0x58687800u, 0x708090FF}},
        {"texels far from any visible one take the average visible colour", farApart, farApartOut},
    };
    for (const Case& c : cases) {
        Media::PixelMap map;
        map.Width = int(c.In.size());
        map.Height = 1;
        for (uint32_t texel : c.In) {
            for (int shift = 24; shift >= 0; shift -= 8)
                map.Pixels.push_back(uint8_t(texel >> shift));
        }
        Media::BleedTransparentColours(map);
        for (int x = 0; x < map.Width; ++x) {
            const uint8_t* p = map.At(x, 0);
            const uint32_t got = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
            EXPECT_EQ(got, c.Out[size_t(x)]) << c.Name << ", texel " << x;
        }
    }
}

// The bleed, written the slow and obvious way: ring after ring, every texel without a colour that
// touches a coloured one takes the rounded average of those neighbours; after eight rings the rest
// take the average visible colour.
void ReferenceBleed(Media::PixelMap& map) {
    const int w = map.Width, h = map.Height;
    std::vector<bool> coloured(size_t(w * h));
    uint64_t sum[3] = {};
    int visible = 0;
    for (int i = 0; i < w * h; ++i) {
        coloured[size_t(i)] = map.Pixels[size_t(i) * 4 + 3] != 0;
        if (!coloured[size_t(i)]) continue;
        for (int c = 0; c < 3; ++c)
            sum[c] += map.Pixels[size_t(i) * 4 + size_t(c)];
        ++visible;
    }
    if (visible == 0 || visible == w * h) return;
    for (int ring = 0; ring < 8; ++ring) {
        Media::PixelMap before = map;
        std::vector<bool> had = coloured;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (had[size_t(y * w + x)]) continue;
                unsigned total[3] = {}, n = 0;
                for (int ny = y - 1; ny <= y + 1; ++ny) {
                    for (int nx = x - 1; nx <= x + 1; ++nx) {
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || !had[size_t(ny * w + nx)]) continue;
                        for (int c = 0; c < 3; ++c)
                            total[c] += before.At(nx, ny)[c];
                        ++n;
                    }
                }
                if (n == 0) continue;
                for (int c = 0; c < 3; ++c)
                    map.At(x, y)[c] = uint8_t((total[c] + n / 2) / n);
                coloured[size_t(y * w + x)] = true;
            }
        }
    }
    for (int i = 0; i < w * h; ++i) {
        if (coloured[size_t(i)]) continue;
        for (int c = 0; c < 3; ++c)
            map.Pixels[size_t(i) * 4 + size_t(c)] =
                uint8_t((sum[c] + unsigned(visible) / 2) / unsigned(visible));
    }
}

TEST(SdlTextureBleed, PicturesBleedAsRingsFromTheirVisibleTexels) {
    uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    // Sizes with single rows and columns, rows of one, two and three 64-texel words, and pictures
    // sparse enough for far-away texels and for rows that no ring reaches.
    const int sizes[][2] = {{1, 1},   {1, 17},  {23, 1},  {5, 5},   {40, 31},
                            {64, 64}, {100, 3}, {128, 5}, {130, 9}, {257, 60}};
    for (const auto& size : sizes) {
        for (const int visibleIn : {2, 10, 200}) {
            Media::PixelMap map;
            map.Width = size[0];
            map.Height = size[1];
            map.Pixels.resize(size_t(map.Width * map.Height) * 4);
            for (size_t i = 0; i < map.Pixels.size(); i += 4) {
                for (int c = 0; c < 3; ++c)
                    map.Pixels[i + size_t(c)] = uint8_t(next());
                map.Pixels[i + 3] = next() % 1000 < unsigned(visibleIn) ? uint8_t(1 + next() % 255) : 0;
            }
            Media::PixelMap expected = map;
            ReferenceBleed(expected);
            Media::BleedTransparentColours(map);
            EXPECT_EQ(map.Pixels, expected.Pixels)
                << map.Width << " x " << map.Height << ", " << visibleIn << " in 1000 visible";
        }
    }
}

TEST(SdlMipLevel, EachLevelAveragesTwoByTwoBlocks) {
    struct Case {
        const char* Name;
        int W, H;
        std::vector<uint8_t> In; // one channel, repeated into all four
        int OutW, OutH;
        std::vector<uint8_t> Out;
    };
    const std::vector<Case> cases = {
        {"a 2 x 2 block rounds to nearest", 2, 2, {1, 2, 2, 2}, 1, 1, {2}},
        {"halves in both directions", 4, 2, {0, 4, 8, 8, 4, 4, 0, 0}, 2, 1, {3, 4}},
        {"an odd last column and row are left out", 3, 3, {10, 20, 99, 30, 40, 99, 99, 99, 99}, 1, 1, {25}},
        {"a single column halves its height only", 1, 4, {0, 10, 20, 40}, 1, 2, {5, 30}},
        {"a single row halves its width only", 4, 1, {0, 10, 20, 40}, 2, 1, {5, 30}},
        {"1 x 1 stays 1 x 1", 1, 1, {77}, 1, 1, {77}},
    };
    for (const Case& c : cases) {
        Media::PixelMap map;
        map.Width = c.W;
        map.Height = c.H;
        for (uint8_t v : c.In)
            map.Pixels.insert(map.Pixels.end(), {v, uint8_t(255 - v), v, uint8_t(v / 2)});
        const Media::PixelMap half = Media::HalfSizeMipLevel(map);
        ASSERT_EQ(half.Width, c.OutW) << c.Name;
        ASSERT_EQ(half.Height, c.OutH) << c.Name;
        ASSERT_EQ(half.Pixels.size(), c.Out.size() * 4) << c.Name;
        for (size_t i = 0; i < c.Out.size(); ++i) {
            EXPECT_EQ(half.Pixels[i * 4], c.Out[i]) << c.Name << ", texel " << i;
            EXPECT_NEAR(half.Pixels[i * 4 + 1], 255 - c.Out[i], 1) << c.Name << ", texel " << i;
        }
    }
}

TEST(SdlTextInput, Utf8TextDecodesToCodePoints) {
    struct Case {
        const char* Text;
        std::vector<uint32_t> Codes;
    };
    const std::vector<Case> cases = {
        {"Az9", {'A', 'z', '9'}},
        {"\xC3\xA9t\xC3\xA9", {0xE9, 't', 0xE9}},
        {"\xE2\x82\xAC", {0x20AC}},
        {"\xF0\x9F\x9A\x80", {0x1F680}},
        {"\xC0\x80x", {0xFFFD, 0xFFFD, 'x'}},       // overlong
        {"\xC3", {0xFFFD}},                         // cut short at the end
        {"\xE2\x82 ", {0xFFFD, 0xFFFD, ' '}},       // cut short before a space
        {"\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD}}, // surrogate
        {"\xFF", {0xFFFD}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> got;
        const char* text = c.Text;
        while (const uint32_t code = Media::NextCodePoint(text))
            got.push_back(code);
        EXPECT_EQ(got, c.Codes) << "text of " << std::char_traits<char>::length(c.Text) << " bytes";
    }
}

// Texture levels made on the worker: the bled map and its halvings, uploaded once each, in any
// order the main thread asks for them; a texture deleted before its upload never arrives, also
// when GL hands its name out again.
TEST(SdlTexturePreparer, LevelsArePreparedAsideAndUploadedOnceEach) {
    auto map = [](int w, int h, uint8_t red) {
        Media::PixelMap m;
        m.Width = w;
        m.Height = h;
        m.Pixels.assign(size_t(w) * size_t(h) * 4, 0);
        m.Pixels[0] = red; // one visible texel, the rest transparent: the bleed has work to do
        m.Pixels[3] = 255;
        return m;
    };
    const std::vector<Media::PixelMap> expected =
        Media::PrepareTextureLevels(map(6, 3, 200), Media::MIPMAPPEDIMAGE);
    ASSERT_EQ(expected.size(), 3u) << "6 x 3, 3 x 1, 1 x 1";
    EXPECT_EQ(expected[1].Width, 3);
    EXPECT_EQ(expected[2].Width * expected[2].Height, 1);
    EXPECT_EQ(expected[0].Pixels[4 + 2], 200) << "transparent texels take the visible colour (BGRA)";
    EXPECT_EQ(Media::PrepareTextureLevels(map(6, 3, 200), 0).size(), 1u);
    const std::vector<Media::PixelMap> premultiplied =
        Media::PrepareTextureLevels(map(6, 3, 200), Media::PREMULTIPLIEDIMAGE);
    EXPECT_EQ(premultiplied[0].Pixels[4 + 2], 0) << "a premultiplied texture keeps its colours";

    struct Uploaded {
        uint32_t Texture;
        int Flags;
        std::vector<Media::PixelMap> Levels;
    };
    std::vector<Uploaded> uploads;
    const Media::TexturePreparer::Upload record = [&uploads](uint32_t texture, int flags,
                                                             std::vector<Media::PixelMap>& levels) {
        uploads.push_back({texture, flags, std::move(levels)});
    };
    {
        Media::TexturePreparer preparer;
        preparer.Submit(1, map(6, 3, 200), Media::MIPMAPPEDIMAGE);
        preparer.Submit(2, map(4, 4, 50), 0);
        preparer.Submit(3, map(64, 64, 70), 0);
        preparer.Cancel(3);
        preparer.Submit(3, map(2, 2, 90), 0); // the name again, for a new texture
        EXPECT_TRUE(preparer.Pending(2));
        preparer.UploadPrepared(record, 2); // waits for texture 2 (and so for 1 before it)
        EXPECT_FALSE(preparer.Pending(2));
        EXPECT_FALSE(preparer.Pending(1));
        preparer.UploadPrepared(record, 3);
        EXPECT_FALSE(preparer.Pending(3));
        preparer.UploadPrepared(record, 3);   // nothing left
        preparer.Submit(4, map(8, 8, 10), 0); // dropped with the preparer, never uploaded
    }
    ASSERT_EQ(uploads.size(), 3u);
    EXPECT_EQ(uploads[0].Texture, 1u);
    EXPECT_EQ(uploads[0].Flags, Media::MIPMAPPEDIMAGE);
    ASSERT_EQ(uploads[0].Levels.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(uploads[0].Levels[i].Pixels, expected[i].Pixels) << "level " << i;
    EXPECT_EQ(uploads[1].Texture, 2u);
    EXPECT_EQ(uploads[2].Texture, 3u);
    EXPECT_EQ(uploads[2].Levels[0].Width, 2) << "the cancelled texture's levels never arrive";

    // A budget spreads uploads over calls, in order; a texture waited for always goes.
    uploads.clear();
    {
        Media::TexturePreparer preparer;
        for (uint32_t texture = 1; texture <= 4; ++texture)
            preparer.Submit(texture, map(256, 256, 10), 0); // 256 KB each
        preparer.UploadPrepared(record, 4, 0);              // waits for all four: 4 alone goes
        ASSERT_EQ(uploads.size(), 1u);
        EXPECT_EQ(uploads[0].Texture, 4u);
        preparer.UploadPrepared(record, 0, 300 << 10); // the first two (the second starts within)
        ASSERT_EQ(uploads.size(), 3u);
        EXPECT_EQ(uploads[1].Texture, 1u);
        EXPECT_EQ(uploads[2].Texture, 2u);
        EXPECT_TRUE(preparer.Pending(3));
        preparer.UploadPrepared(record);
        ASSERT_EQ(uploads.size(), 4u);
        EXPECT_EQ(uploads[3].Texture, 3u);
        EXPECT_FALSE(preparer.Pending(3));
    }
}

// A worker with a GL context of its own uploads each texture itself, on its own thread and at no
// cost to a present's budget; a texture deleted while the worker uploads it waits for the end of
// that upload (GL may hand the name out again at once). A worker that cannot bind its context
// leaves the uploads to the main thread.
TEST(SdlTexturePreparer, AWorkerWithItsOwnContextUploadsTheTexturesItself) {
    auto map = [](int w, int h) {
        Media::PixelMap m;
        m.Width = w;
        m.Height = h;
        m.Pixels.assign(size_t(w) * size_t(h) * 4, 255);
        return m;
    };
    const std::thread::id mainThread = std::this_thread::get_id();
    std::mutex lock;
    std::vector<uint32_t> onWorker;
    std::atomic<bool> slowStarted{false}, slowFinished{false}, ended{false};
    std::atomic<int> begun{0};
    const Media::TexturePreparer::Upload workerUpload = [&](uint32_t texture, int,
                                                            std::vector<Media::PixelMap>& levels) {
        EXPECT_NE(std::this_thread::get_id(), mainThread);
        EXPECT_EQ(levels.size(), 1u);
        if (texture == 3) {
            slowStarted = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            slowFinished = true;
        }
        const std::lock_guard<std::mutex> hold(lock);
        onWorker.push_back(texture);
    };
    std::vector<uint32_t> onMain;
    const Media::TexturePreparer::Upload mainUpload =
        [&onMain](uint32_t texture, int, std::vector<Media::PixelMap>&) { onMain.push_back(texture); };
    {
        Media::TexturePreparer preparer;
        preparer.UploadOnWorker([&begun] { return ++begun == 1; }, workerUpload, [&ended] { ended = true; });
        preparer.Submit(1, map(512, 512), 0);
        preparer.Submit(2, map(4, 4), 0);
        preparer.UploadPrepared(mainUpload, 2, 0); // a budget of nothing: uploaded ones cost none
        EXPECT_FALSE(preparer.Pending(1));
        EXPECT_FALSE(preparer.Pending(2));
        preparer.Submit(3, map(4, 4), 0);
        while (!slowStarted)
            std::this_thread::yield();
        preparer.Cancel(3);
        EXPECT_TRUE(slowFinished) << "Cancel returned while the worker was still uploading";
        EXPECT_FALSE(preparer.Pending(3));
        preparer.UploadPrepared(mainUpload);
    }
    EXPECT_EQ(begun, 1);
    EXPECT_TRUE(ended) << "the worker releases its context when it stops";
    EXPECT_EQ(onWorker, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_TRUE(onMain.empty());

    onWorker.clear();
    {
        Media::TexturePreparer preparer;
        preparer.UploadOnWorker([] { return false; }, workerUpload, [&ended] { ended = false; });
        preparer.Submit(7, map(4, 4), 0);
        preparer.UploadPrepared(mainUpload, 7);
    }
    EXPECT_TRUE(onWorker.empty());
    EXPECT_EQ(onMain, (std::vector<uint32_t>{7}));
    EXPECT_TRUE(ended) << "a worker without a context has none to release";
}

} // namespace

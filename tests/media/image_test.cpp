#include <cmath>
#include <cstring>

#include "media/headless/headless_control.h"
#include "support/media_fixture.h"
#include "support/png_writer.h"

namespace {

// A sheet whose cell (column, row) of cellW × cellH is filled with red = its cell index.
Media::PixelMap NumberedSheet(int columns, int rows, int cellW, int cellH) {
    Media::PixelMap sheet = testfiles::SolidPixmap(columns * cellW, rows * cellH, 0, 0, 0, 255);
    for (int y = 0; y < sheet.Height; ++y)
        for (int x = 0; x < sheet.Width; ++x)
            sheet.At(x, y)[0] = uint8_t(y / cellH * columns + x / cellW);
    return sheet;
}

TEST_F(MediaTest, SheetsAreCutRowByRowLeftToRight) {
    struct Case {
        const char* Name;
        int Columns, Rows, First, Count;
        bool Valid;
    };
    const Case cases[] = {
        {"grid", 3, 2, 0, 6, true},      {"grid from the middle", 3, 2, 2, 3, true},
        {"strip", 5, 1, 1, 4, true},     {"too many cells", 3, 2, 1, 6, false},
        {"no cells", 3, 2, 0, 0, false}, {"negative first", 3, 2, -1, 2, false},
    };
    for (const Case& c : cases) {
        const Media::PixelMap sheet = NumberedSheet(c.Columns, c.Rows, 4, 3);
        Media::ImageRef image = Media::Image::FromSheet(sheet, 4, 3, c.First, c.Count, 0);
        ASSERT_EQ(image != nullptr, c.Valid) << c.Name;
        if (!image) continue;
        EXPECT_EQ(image->Frames(), c.Count) << c.Name;
        EXPECT_EQ(image->Width(), 4) << c.Name;
        EXPECT_EQ(image->Height(), 3) << c.Name;
        for (int f = 0; f < c.Count; ++f) {
            EXPECT_EQ(image->ReadPixel(f, 0, 0), 0xFF000000u | uint32_t(c.First + f) << 16)
                << c.Name << " " << f;
            EXPECT_EQ(image->ReadPixel(f, 3, 2) >> 16 & 0xFF, uint32_t(c.First + f)) << c.Name << " " << f;
        }
    }
}

TEST_F(MediaTest, MaskedImagesMakeTheMaskColourTransparentAndMasksFollowAlpha) {
    Media::PixelMap map = testfiles::SolidPixmap(70, 2, 255, 0, 255, 255); // magenta
    std::memcpy(map.At(1, 0), "\x10\x20\x30\xFF", 4);                      // opaque
    std::memcpy(map.At(65, 1), "\x10\x20\x30\x80", 4);                     // alpha 128: solid
    std::memcpy(map.At(66, 1), "\x10\x20\x30\x7F", 4);                     // alpha 127: not solid
    Media::SetMaskColor(255, 0, 255);
    Media::ImageRef masked = Media::ImageFromPixmap(map, Media::MASKEDIMAGE);
    Media::ImageRef plain = Media::ImageFromPixmap(map, 0);
    ASSERT_TRUE(masked && plain);
    EXPECT_EQ(masked->Alpha(0, 0, 0), 0);
    EXPECT_EQ(masked->Alpha(0, 1, 0), 255);
    EXPECT_EQ(plain->Alpha(0, 0, 0), 255);
    ASSERT_EQ(masked->MaskWords(), 2);
    const std::vector<uint64_t>& mask = masked->SolidMask(0);
    EXPECT_EQ(mask[0], uint64_t(1) << 1);
    EXPECT_EQ(mask[1], 0u);
    EXPECT_EQ(mask[2], 0u);
    EXPECT_EQ(mask[3], uint64_t(1) << 1);     // texel 65 of the second row
    EXPECT_EQ(plain->SolidMask(0)[1], 0x3Fu); // 6 texels past 64, no stray bits beyond the width
}

TEST_F(MediaTest, AutoMidHandlePutsTheHandleAtTheFrameCentre) {
    Media::ImageRef corner = Media::ImageFromPixmap(testfiles::SolidPixmap(7, 4, 0, 0, 0, 255));
    Media::SetAutoMidHandle(true);
    Media::ImageRef centred = Media::ImageFromPixmap(testfiles::SolidPixmap(7, 4, 0, 0, 0, 255));
    EXPECT_FLOAT_EQ(corner->HandleX(), 0);
    EXPECT_FLOAT_EQ(centred->HandleX(), 3.5f);
    EXPECT_FLOAT_EQ(centred->HandleY(), 2);
}

TEST_F(MediaTest, GreyConversionAndAlphaRelabelling) {
    Media::PixelMap map = testfiles::SolidPixmap(3, 1, 0, 0, 0, 255);
    std::memcpy(map.At(1, 0), "\xFF\xFF\xFF\xFF", 4);
    std::memcpy(map.At(2, 0), "\xFF\x00\x00\xFF", 4);
    Media::PixelMapRef grey = Media::ConvertPixmapToGrey(map);
    ASSERT_EQ(grey->PixelFormat, Media::PixelMap::Format::Grey);
    EXPECT_EQ(grey->Pixels, (std::vector<uint8_t>{0, 255, 76}));
    EXPECT_EQ(Media::ImageFromPixmap(*grey, 0)->ReadPixel(0, 2, 0), 0xFF4C4C4Cu); // grey stays opaque
    Media::RelabelGreyAsAlpha(*grey);
    Media::ImageRef image = Media::ImageFromPixmap(*grey, 0);
    EXPECT_EQ(image->ReadPixel(0, 0, 0), 0x00FFFFFFu); // white, transparent
    EXPECT_EQ(image->ReadPixel(0, 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image->ReadPixel(0, 2, 0), 0x4CFFFFFFu);
}

TEST_F(MediaTest, GreyIsTheRoundedLumaOfEveryColour) {
    // Every colour with channels in steps of 5 (0 and 255 included): 52³ of them.
    const int steps = 52;
    Media::PixelMap map = testfiles::SolidPixmap(steps * steps, steps, 0, 0, 0, 255);
    for (int r = 0; r < steps; ++r)
        for (int g = 0; g < steps; ++g)
            for (int b = 0; b < steps; ++b) {
                uint8_t* p = map.At(r * steps + g, b);
                p[0] = uint8_t(r * 5), p[1] = uint8_t(g * 5), p[2] = uint8_t(b * 5);
            }
    const Media::PixelMapRef grey = Media::ConvertPixmapToGrey(map);
    ASSERT_TRUE(grey);
    int wrong = 0;
    for (int y = 0; y < map.Height; ++y)
        for (int x = 0; x < map.Width; ++x) {
            const uint8_t* p = map.At(x, y);
            wrong += grey->At(x, y)[0] != (299 * p[0] + 587 * p[1] + 114 * p[2] + 500) / 1000;
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(MediaTest, PasteBlendsOverAndCutsAtTheEdges) {
    Media::PixelMapRef dst = Media::CreatePixmap(4, 4);
    Media::PastePixmap(*dst, testfiles::SolidPixmap(2, 2, 200, 100, 0, 255), -1, -1); // only (0, 0) lands
    EXPECT_EQ(dst->At(0, 0)[0], 200);
    EXPECT_EQ(dst->At(0, 0)[3], 255);
    EXPECT_EQ(dst->At(1, 1)[3], 0);
    Media::PastePixmap(*dst, testfiles::SolidPixmap(2, 2, 0, 0, 255, 128), 0, 0);
    const uint8_t* p = dst->At(0, 0);
    EXPECT_NEAR(p[0], 99, 1); // 200 × (1 − 128/255)
    EXPECT_NEAR(p[2], 128, 1);
    EXPECT_EQ(p[3], 255);
    EXPECT_EQ(dst->At(1, 1)[2], 255); // over transparent: the source colour itself
    EXPECT_EQ(dst->At(1, 1)[3], 128);
    Media::PastePixmap(*dst, testfiles::SolidPixmap(2, 2, 1, 1, 1, 255), 3, 3); // bottom-right corner only
    EXPECT_EQ(dst->At(3, 3)[0], 1);
}

// Every texel of a paste, over transparent, partly covered and opaque texels alike, is the
// straight-alpha blend rounded to the nearest.
TEST_F(MediaTest, EveryPastedTexelIsTheBlendOfTheTwo) {
    constexpr int SIZE = 64;
    Media::PixelMapRef dst = Media::CreatePixmap(SIZE, SIZE);
    Media::PixelMap src = testfiles::SolidPixmap(SIZE, SIZE, 0, 0, 0, 0);
    unsigned state = 7;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return uint8_t(state >> 24);
    };
    // Alphas of 0, 255 and between, in both pictures; colours under alpha 0 too.
    const auto alpha = [&next] {
        const int kind = next() % 3;
        return kind == 0 ? uint8_t(0) : kind == 1 ? uint8_t(255) : next();
    };
    for (Media::PixelMap* map : {dst.get(), &src})
        for (size_t i = 0; i < map->Pixels.size(); i += 4) {
            for (int c = 0; c < 3; ++c)
                map->Pixels[i + size_t(c)] = next();
            map->Pixels[i + 3] = alpha();
        }
    const Media::PixelMap under = *dst;
    Media::PastePixmap(*dst, src, 0, 0);
    int wrong = 0;
    for (size_t i = 0; i < under.Pixels.size(); i += 4) {
        const int as = src.Pixels[i + 3], ad = under.Pixels[i + 3];
        const double a = as / 255.0 + ad / 255.0 * (1 - as / 255.0);
        for (int c = 0; c < 4; ++c) {
            double expected = a * 255;
            if (c < 3)
                expected = a == 0 ? 0
                                  : (src.Pixels[i + size_t(c)] * as / 255.0 +
                                     under.Pixels[i + size_t(c)] * ad / 255.0 * (1 - as / 255.0)) /
                                        a;
            wrong += std::abs(dst->Pixels[i + size_t(c)] - expected) > 0.5 + 1e-6;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(MediaTest, PngAndJpegFilesLoadAndBadFilesGiveNone) {
    Media::PixelMap map = testfiles::SolidPixmap(16, 8, 10, 200, 30, 255);
    std::memcpy(map.At(3, 2), "\x00\x00\x00\x40", 4);
    testfiles::WriteBytes(TempPath("pic.png"), testsupport::PngBytes(map));
    Media::PixelMapRef loaded = Media::LoadPixmap(TempPath("pic.png"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Pixels, map.Pixels);

    ASSERT_TRUE(Media::SaveJpeg(map, TempPath("pic.jpg"), 100));
    Media::ImageRef jpeg = Media::LoadAnimImage(TempPath("pic.jpg"), 8, 8, 1, 1);
    ASSERT_TRUE(jpeg);
    EXPECT_NEAR(int(jpeg->ReadPixel(0, 4, 4) >> 8 & 0xFF), 200, 4);
    EXPECT_EQ(jpeg->Alpha(0, 4, 4), 255);

    // Truncated and foreign files.
    for (const char* name : {"half.png", "junk.jpg"}) {
        std::unique_ptr<Media::Stream> out = Media::OpenWrite(TempPath(name));
        out->WriteString(std::string(name) == "half.png" ? "\x89PNG\r\n\x1a\n" : "\xFF\xD8\xFF\xE0 junk");
    }
    EXPECT_FALSE(Media::LoadImage(TempPath("half.png")));
    EXPECT_FALSE(Media::LoadImage(TempPath("junk.jpg")));
    EXPECT_FALSE(Media::LoadImage(TempPath("missing.png")));
    EXPECT_FALSE(Media::LoadPixmap(TempPath(""))); // a folder
}

TEST_F(MediaTest, ImagesReleaseTheirTextures) {
    const int before = Media::Headless::LiveTextures();
    {
        Media::ImageRef image = Media::Image::FromSheet(NumberedSheet(4, 4, 8, 8), 8, 8, 0, 16, -1);
        ASSERT_TRUE(image);
        EXPECT_EQ(Media::Headless::LiveTextures(), before + 1); // all frames share one texture
        EXPECT_LT(image->Region(0).U1, image->Region(1).U0);    // with a gutter between frames
    }
    EXPECT_EQ(Media::Headless::LiveTextures(), before);
}

} // namespace

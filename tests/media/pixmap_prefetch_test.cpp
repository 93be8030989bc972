// Decoding ahead: a prefetched picture loads exactly as it would have from its file (as a pixel
// map and as the image the worker prepared), each listed path is taken once, a new list keeps
// what the old one decoded for the same paths, and a picture nobody prefetched, or one dropped,
// is read from its file.
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/media_fixture.h"
#include "support/png_writer.h"

namespace {

class PrefetchTest : public MediaTest {
protected:
    // A 16 × 8 picture of one colour at `name`.
    std::string Picture(const std::string& name, uint8_t red) {
        const std::string path = TempPath(name);
        testfiles::WriteBytes(path, testsupport::PngBytes(testfiles::SolidPixmap(16, 8, red, 20, 30, 255)));
        return path;
    }
    static int Red(const Media::PixelMapRef& map) { return map ? map->At(0, 0)[0] : -1; }
    // Long enough for the worker to decode a few tiny pictures, even on a busy machine.
    static void LetTheWorkerRun() { std::this_thread::sleep_for(std::chrono::milliseconds(1000)); }
};

TEST_F(PrefetchTest, ListedPicturesAreTakenFromTheWorkerOnceEach) {
    const std::string a = Picture("a.png", 10), b = Picture("b.png", 20), c = Picture("c.png", 30);
    const std::string missing = TempPath("missing.png"), junk = TempPath("junk.png");
    testfiles::WriteBytes(junk, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3});
    Media::PrefetchPixmaps({a, b, a, missing, junk, c});
    LetTheWorkerRun();
    // With the files gone, only the worker's results can give the pictures.
    std::filesystem::remove(a);
    std::filesystem::remove(b);

    EXPECT_EQ(Red(Media::LoadPixmap(b)), 20) << "out of the listed order";
    EXPECT_EQ(Red(Media::LoadPixmap(a)), 10);
    EXPECT_EQ(Red(Media::LoadPixmap(a)), 10) << "listed twice, taken twice";
    EXPECT_EQ(Red(Media::LoadPixmap(a)), -1) << "a third load reads the file, which is gone";
    EXPECT_EQ(Red(Media::LoadPixmap(b)), -1);
    EXPECT_EQ(Red(Media::LoadPixmap(missing)), -1);
    EXPECT_EQ(Red(Media::LoadPixmap(junk)), -1);

    const Media::PixelMapRef direct = Media::LoadPixmap(c); // c was not taken yet
    ASSERT_TRUE(direct);
    Media::EndPrefetch();
    const Media::PixelMapRef again = Media::LoadPixmap(c);
    ASSERT_TRUE(again);
    EXPECT_EQ(direct->Pixels, again->Pixels);
}

TEST_F(PrefetchTest, ResultsNotTakenAreDroppedAndTheFilesReadAgain) {
    const std::string a = Picture("a.png", 10), b = Picture("b.png", 20);
    Media::PrefetchPixmaps({a});
    LetTheWorkerRun();
    Media::PrefetchPixmaps({b}); // replaces the list: a's result goes
    Picture("a.png", 99);
    EXPECT_EQ(Red(Media::LoadPixmap(a)), 99);
    EXPECT_EQ(Red(Media::LoadPixmap(b)), 20);

    Media::PrefetchPixmaps({a});
    LetTheWorkerRun();
    Media::EndPrefetch();
    Picture("a.png", 77);
    EXPECT_EQ(Red(Media::LoadPixmap(a)), 77);

    // Shutting down with the worker still holding a result must not hang or leak.
    Media::PrefetchPixmaps({a, b});
}

TEST_F(PrefetchTest, NewListsReplaceTheOldAtOnceEvenWithPicturesInHand) {
    const std::string big = TempPath("big.png"), big2 = TempPath("big2.png");
    testfiles::WriteBytes(big, testsupport::PngBytes(testfiles::SolidPixmap(2000, 2000, 5, 20, 30, 255)));
    testfiles::WriteBytes(big2, testsupport::PngBytes(testfiles::SolidPixmap(2000, 2000, 6, 20, 30, 255)));
    const std::string a = Picture("a.png", 10), b = Picture("b.png", 20);
    for (int round = 0; round < 3; ++round) {
        // The workers are most likely decoding the big pictures while the lists change under them.
        Media::PrefetchPixmaps({big, big2, a});
        Media::PrefetchPixmaps({a});
        Media::PrefetchPixmaps({b, big2, big});
        EXPECT_EQ(Red(Media::LoadPixmap(b)), 20) << round;
        EXPECT_EQ(Red(Media::LoadPixmap(a)), 10) << round << ": a, no longer listed, reads its file";
        EXPECT_EQ(Red(Media::LoadPixmap(big)), 5) << round;
        EXPECT_EQ(Red(Media::LoadPixmap(big2)), 6) << round;
    }
    // Dropped while in hand, then their entries dropped again: nothing waits on them or serves them.
    Media::PrefetchPixmaps({big, big2});
    Media::PrefetchPixmaps({a});
    LetTheWorkerRun();
    Media::PrefetchPixmaps({b});
    testfiles::WriteBytes(big, testsupport::PngBytes(testfiles::SolidPixmap(16, 8, 7, 20, 30, 255)));
    EXPECT_EQ(Red(Media::LoadPixmap(big)), 7) << "a dropped result must not be served";
    Media::EndPrefetch();
}

// A 40 × 24 picture with a transparent margin, half-transparent texels, texels of the game's mask
// colour and a gradient: every part of an image (masks, visible rectangle, opacity) has something
// to get wrong.
Media::PixelMap Varied() {
    Media::PixelMap map = testfiles::SolidPixmap(40, 24, 0, 0, 0, 0);
    for (int y = 3; y < 20; ++y) {
        for (int x = 5; x < 33; ++x) {
            uint8_t* p = map.At(x, y);
            const bool mask = (x + y) % 7 == 0;
            p[0] = mask ? 255 : uint8_t(x * 6);
            p[1] = mask ? 0 : uint8_t(y * 10);
            p[2] = mask ? 255 : 90;
            p[3] = x < 12 ? uint8_t(x * 20) : 255;
        }
    }
    return map;
}

void ExpectSameImage(const Media::ImageRef& got, const Media::ImageRef& want, const std::string& what) {
    ASSERT_TRUE(got) << what;
    ASSERT_TRUE(want) << what;
    EXPECT_EQ(got->Width(), want->Width()) << what;
    EXPECT_EQ(got->Height(), want->Height()) << what;
    EXPECT_EQ(got->Frames(), want->Frames()) << what;
    EXPECT_EQ(got->Flags(), want->Flags()) << what;
    EXPECT_EQ(got->HandleX(), want->HandleX()) << what;
    EXPECT_EQ(got->HandleY(), want->HandleY()) << what;
    for (int frame = 0; frame < want->Frames(); ++frame) {
        EXPECT_EQ(got->FramePixels(frame).Pixels, want->FramePixels(frame).Pixels) << what;
        EXPECT_EQ(got->SolidMask(frame), want->SolidMask(frame)) << what;
        const Media::Image::TextureRegion &a = got->Region(frame), &b = want->Region(frame);
        EXPECT_NE(a.Texture, 0u) << what;
        EXPECT_EQ(std::vector<float>({a.U0, a.V0, a.U1, a.V1, a.VisibleX0, a.VisibleY0, a.VisibleX1,
                                      a.VisibleY1, a.VisibleU0, a.VisibleV0, a.VisibleU1, a.VisibleV1}),
                  std::vector<float>({b.U0, b.V0, b.U1, b.V1, b.VisibleX0, b.VisibleY0, b.VisibleX1,
                                      b.VisibleY1, b.VisibleU0, b.VisibleV0, b.VisibleU1, b.VisibleV1}))
            << what;
        EXPECT_EQ(a.Opaque, b.Opaque) << what;
    }
}

TEST_F(PrefetchTest, PreparedImagesAreTheImagesTheirFilesMake) {
    Media::SetMaskColor(255, 0, 255);
    Media::SetAutoMidHandle(true);
    Media::SetDefaultImageFlags(Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE);
    const std::string varied = TempPath("varied.png"), opaque = Picture("opaque.png", 40);
    testfiles::WriteBytes(varied, testsupport::PngBytes(Varied()));
    struct Load {
        const char* What;
        std::function<Media::ImageRef(const std::string&)> Make;
    };
    const Load loads[] = {
        {"default flags", [](const std::string& path) { return Media::LoadImage(path, -1); }},
        {"masked, which the worker leaves to the load",
         [](const std::string& path) { return Media::LoadImage(path, Media::MASKEDIMAGE); }},
        {"cut into frames",
         [](const std::string& path) { return Media::LoadAnimImage(path, 8, 4, 1, 3, -1); }},
    };
    for (const Load& load : loads) {
        for (const std::string& path : {varied, opaque}) {
            const Media::ImageRef direct = load.Make(path);
            Media::PrefetchPixmaps({path});
            LetTheWorkerRun();
            ExpectSameImage(load.Make(path), direct, std::string(load.What) + " " + path);
        }
    }
    // A map taken from a prepared picture is the decoded map.
    const Media::PixelMapRef direct = Media::LoadPixmap(varied);
    Media::PrefetchPixmaps({varied});
    LetTheWorkerRun();
    const Media::PixelMapRef ahead = Media::LoadPixmap(varied);
    ASSERT_TRUE(direct);
    ASSERT_TRUE(ahead);
    EXPECT_EQ(ahead->Width, direct->Width);
    EXPECT_EQ(ahead->Height, direct->Height);
    EXPECT_EQ(ahead->PixelFormat, direct->PixelFormat);
    EXPECT_EQ(ahead->Pixels, direct->Pixels);
}

TEST_F(PrefetchTest, SheetsCutAheadLoadAsTheirFilesWouldWhateverTheLoadAsks) {
    Media::SetMaskColor(255, 0, 255);
    Media::SetAutoMidHandle(true);
    Media::SetDefaultImageFlags(Media::FILTEREDIMAGE | Media::MIPMAPPEDIMAGE);
    const std::string sheet = TempPath("sheet.png");
    const std::vector<uint8_t> png = testsupport::PngBytes(Varied());
    testfiles::WriteBytes(sheet, png);
    const Media::PictureAhead cells{sheet, 8, 4, 1, 3};

    // As listed: the load takes the worker's frames, with the file gone.
    const Media::ImageRef direct = Media::LoadAnimImage(sheet, 8, 4, 1, 3, -1);
    Media::PrefetchPictures({cells});
    LetTheWorkerRun();
    std::filesystem::remove(sheet);
    ExpectSameImage(Media::LoadAnimImage(sheet, 8, 4, 1, 3, -1), direct, "as listed");

    // Listed as a sheet, loaded otherwise: the file is read again and gives what it always gives.
    testfiles::WriteBytes(sheet, png);
    struct Load {
        const char* What;
        std::function<Media::ImageRef()> Make;
    };
    const Load loads[] = {
        {"other cells", [&sheet] { return Media::LoadAnimImage(sheet, 4, 4, 0, 5, -1); }},
        {"masked", [&sheet] { return Media::LoadAnimImage(sheet, 8, 4, 1, 3, Media::MASKEDIMAGE); }},
        {"whole", [&sheet] { return Media::LoadImage(sheet, -1); }},
    };
    for (const Load& load : loads) {
        const Media::ImageRef want = load.Make();
        Media::PrefetchPictures({cells});
        LetTheWorkerRun();
        ExpectSameImage(load.Make(), want, load.What);
    }
    const Media::PixelMapRef map = Media::LoadPixmap(sheet);
    Media::PrefetchPictures({cells});
    LetTheWorkerRun();
    const Media::PixelMapRef ahead = Media::LoadPixmap(sheet);
    ASSERT_TRUE(map);
    ASSERT_TRUE(ahead);
    EXPECT_EQ(ahead->Pixels, map->Pixels) << "a sheet's map is the whole decoded picture";

    // Cells that are the whole picture, or that do not fit it, are prepared as the whole picture.
    const Media::ImageRef whole = Media::LoadImage(sheet, -1);
    for (const Media::PictureAhead& listed :
         {Media::PictureAhead{sheet, 40, 24, 0, 1}, Media::PictureAhead{sheet, 8, 4, 0, 999}}) {
        testfiles::WriteBytes(sheet, png);
        Media::PrefetchPictures({listed});
        LetTheWorkerRun();
        std::filesystem::remove(sheet);
        ExpectSameImage(Media::LoadImage(sheet, -1), whole, std::to_string(listed.Count) + " cells");
    }
    EXPECT_FALSE(Media::LoadAnimImage(sheet, 8, 4, 0, 999, -1)) << "too many cells, and the file is gone";
}

TEST_F(PrefetchTest, ANewListKeepsWhatTheOldOneDecodedForTheSamePaths) {
    const std::string a = Picture("a.png", 10), b = Picture("b.png", 20), c = Picture("c.png", 30);
    Media::PrefetchPixmaps({a, b});
    LetTheWorkerRun();
    Picture("a.png", 11);
    Picture("b.png", 21);
    Media::PrefetchPixmaps({c, a, a}); // b is dropped; a is kept once and listed once more
    LetTheWorkerRun();
    EXPECT_EQ(Red(Media::LoadPixmap(a)), 10) << "decoded under the old list";
    EXPECT_EQ(Red(Media::LoadPixmap(a)), 11) << "decoded under the new list, from today's file";
    EXPECT_EQ(Red(Media::LoadPixmap(b)), 21);
    EXPECT_EQ(Red(Media::LoadPixmap(c)), 30);
    Media::EndPrefetch();
}

TEST_F(PrefetchTest, APictureThatFailsAheadFailsItsLoad) {
    const std::string missing = TempPath("missing.png"), junk = TempPath("junk.png");
    testfiles::WriteBytes(junk, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3});
    Media::PrefetchPixmaps({missing, junk, missing, junk});
    LetTheWorkerRun();
    EXPECT_FALSE(Media::LoadImage(missing, -1));
    EXPECT_FALSE(Media::LoadImage(junk, -1));
    EXPECT_FALSE(Media::LoadAnimImage(missing, 4, 4, 0, 1, -1));
    EXPECT_FALSE(Media::LoadPixmap(junk));
    Media::EndPrefetch();
}

} // namespace

// Decoding ahead: a prefetched picture loads exactly as it would have from its file, each listed
// path is taken once, and a picture nobody prefetched, or one dropped, is read from its file.
#include <chrono>
#include <filesystem>
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

} // namespace

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/media_fixture.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(MediaTest, WritesProduceExactlyTheTabledBytes) {
    {
        std::unique_ptr<Media::Stream> out = Media::OpenWrite(TempPath("w.dat"));
        ASSERT_TRUE(out);
        out->WriteLine("ab");
        out->WriteString(std::string("c\xE9", 2));
        out->WriteInt(-2);
        out->WriteShort(0x12345);
    }
    EXPECT_EQ(FileBytes(TempPath("w.dat")),
              (std::vector<uint8_t>{'a', 'b', 13, 10, 'c', 0xE9, 0xFE, 0xFF, 0xFF, 0xFF, 0x45, 0x23}));
}

TEST_F(MediaTest, ReadLineStopsAtLineFeedOrZeroAndDropsCarriageReturns) {
    {
        std::ofstream out(TempPath("r.dat"), std::ios::binary);
        out.write("one\r\ntw\ro\n\nthree\0four", 22);
    }
    std::unique_ptr<Media::Stream> in = Media::OpenRead(TempPath("r.dat"));
    ASSERT_TRUE(in);
    std::vector<std::string> lines;
    while (!in->Eof())
        lines.push_back(in->ReadLine());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "three", "four"}));
    EXPECT_EQ(in->ReadLine(), "");
    in->Close();
    EXPECT_TRUE(in->Eof());
}

TEST_F(MediaTest, FileTypesDeletionAndBackslashPaths) {
    EXPECT_EQ(Media::NativePath("data\\level1.dat"), "data/level1.dat");
    std::filesystem::create_directories(TempPath("sub"));
    { std::ofstream(TempPath("sub/f.txt")) << "x"; }
    const std::string windowsStyle = TempPath("sub") + "\\f.txt";
    EXPECT_EQ(Media::FileType(windowsStyle), 1);
    EXPECT_EQ(Media::FileType(TempPath("sub")), 2);
    EXPECT_EQ(Media::FileType(TempPath("none")), 0);
    EXPECT_FALSE(Media::OpenRead(TempPath("none")));
    EXPECT_FALSE(Media::OpenRead(TempPath("sub"))); // a folder is not a stream
    EXPECT_FALSE(Media::OpenWrite(TempPath("no/such/folder/f")));
    EXPECT_TRUE(Media::DeleteFile(windowsStyle));
    EXPECT_EQ(Media::FileType(windowsStyle), 0);
    EXPECT_FALSE(Media::DeleteFile(TempPath("sub")));
}

// A read error must not pass for the end of the file: a reader could not tell a whole file from
// a cut one. Reading this process's memory file at offset 0 fails with an I/O error.
TEST_F(MediaTest, AReadErrorIsToldApartFromTheEnd) {
    std::unique_ptr<Media::Stream> failing = Media::OpenRead("/proc/self/mem");
    ASSERT_TRUE(failing);
    EXPECT_EQ(failing->ReadLine(), "");
    EXPECT_TRUE(failing->Failed());
    EXPECT_TRUE(failing->Eof());

    { std::ofstream(TempPath("whole.txt")) << "a\nb"; }
    std::unique_ptr<Media::Stream> whole = Media::OpenRead(TempPath("whole.txt"));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->ReadLine(), "a");
    EXPECT_EQ(whole->ReadLine(), "b");
    EXPECT_TRUE(whole->Eof());
    EXPECT_FALSE(whole->Failed());
}

// Only a path with nothing there counts as missing; one that cannot be looked at may hold a file.
TEST_F(MediaTest, OnlyNothingAtAllIsAMissingFile) {
    std::filesystem::create_directories(TempPath("sub"));
    { std::ofstream(TempPath("sub/f.txt")) << "x"; }
    std::filesystem::create_symlink(TempPath("loop"), TempPath("loop"));
    EXPECT_TRUE(Media::FileMissing(TempPath("none")));
    EXPECT_TRUE(Media::FileMissing(TempPath("no/such/folder/f")));
    EXPECT_FALSE(Media::FileMissing(TempPath("sub/f.txt")));
    EXPECT_FALSE(Media::FileMissing(TempPath("sub")));
    EXPECT_FALSE(Media::FileMissing(TempPath("loop"))); // a link loop
    EXPECT_EQ(Media::FileType(TempPath("loop")), 0);
}

TEST_F(MediaTest, SeedsAreMaskedToThirtyOneBitsAndUnusableSeedsReplaced) {
    struct Case {
        int32_t Seed;
        int32_t Effective;
    };
    for (const Case c : {Case{1, 1}, Case{0, 4660}, Case{2147483647, 4660}, Case{int32_t(0x80000000), 4660},
                         Case{-1, 4660 /* masks to 2^31 - 1 */}, Case{int32_t(0x80000005), 5}}) {
        Media::SeedRandom(c.Seed);
        EXPECT_EQ(Media::RandomSeed(), c.Effective) << c.Seed;
    }
    // The minimal standard generator from seed 1: 48271, then 48271² mod (2^31 − 1) = 182605794.
    Media::SeedRandom(1);
    EXPECT_FLOAT_EQ(Media::RandomFloat(0, 2147483647.0f), 48271.0f);
    EXPECT_NEAR(Media::RandomFloat(0, 1), 182605794.0 / 2147483647.0, 1e-7);
    // Same seed, same sequence.
    Media::SeedRandom(77);
    const int first = Media::RandomInt(0, 1000000);
    Media::SeedRandom(77);
    EXPECT_EQ(Media::RandomInt(0, 1000000), first);
}

TEST_F(MediaTest, RandomNumbersStayWithinTheirBoundsInEitherOrder) {
    Media::SeedRandom(12345);
    bool seen[7] = {};
    for (int i = 0; i < 2000; ++i) {
        const int forward = Media::RandomInt(2, 6), backward = Media::RandomInt(6, 2);
        ASSERT_GE(forward, 2);
        ASSERT_LE(forward, 6);
        ASSERT_GE(backward, 2);
        ASSERT_LE(backward, 6);
        seen[forward] = seen[backward] = true;
        const float f = Media::RandomFloat(1.5f, -1.5f);
        ASSERT_GE(f, -1.5f);
        ASSERT_LE(f, 1.5f);
    }
    for (int v = 2; v <= 6; ++v)
        EXPECT_TRUE(seen[v]) << v; // both ends are reachable
    EXPECT_EQ(Media::RandomInt(4, 4), 4);
    const int extreme = Media::RandomInt(INT32_MIN, INT32_MAX); // no overflow
    (void)extreme;
}

TEST_F(MediaTest, VirtualClockAdvancesByTheStepAndBySleeping) {
    const uint32_t start = Media::ClockMs();
    Media::Flip(1);
    EXPECT_EQ(Media::ClockMs() - start, 16u);
    Media::SleepMs(250);
    Media::SleepMs(-40);
    EXPECT_EQ(Media::ClockMs() - start, 266u);
}

} // namespace

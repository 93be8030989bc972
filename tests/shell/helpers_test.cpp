#include <gtest/gtest.h>

#include "media/media.h"
#include "shell/helpers.h"

TEST(FormatThousands, GroupsOfThreeFromTheRight) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"0", "0"},
                 {"999", "999"},
                 {"1000", "1,000"},
                 {"12345", "12,345"},
                 {"123456", "123,456"},
                 {"1234567", "1,234,567"},
                 {"1000000000", "1,000,000,000"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatThousands(c.in), c.out) << c.in;
}

TEST(FloatMod, WrapsIntoZeroToB) {
    EXPECT_NEAR(FloatMod(370, 360), 10, 1e-4);
    EXPECT_NEAR(FloatMod(-10, 360), 350, 1e-4);
    EXPECT_NEAR(FloatMod(720, 360), 0, 1e-4);
    EXPECT_NEAR(FloatMod(5.5f, 2), 1.5f, 1e-6);
    EXPECT_NEAR(FloatMod(-0.5f, 2), 1.5f, 1e-6);
}

// Level files and the save file read their number lines this way.
TEST(ParseLenientInteger, ReadsTheWholeNumberAtTheStartOfALine) {
    const struct {
        const char* Line;
        int64_t Value;
    } cases[] = {
        {"", 0},
        {"7", 7},
        {"  12", 12},
        {"\t3", 3},
        {"+5", 5},
        {"-4", -4},
        {"27 asteroid", 27},
        {"12abc", 12},
        {"00042abc", 42},
        {"abc", 0},
        {"-", 0},
        {"+-3", 0},
        {"'", 0},
        {" ' not a wave", 0},
        {"12 34", 12},
        {"$1A", 26},
        {"$ff", 255},
        {"$1F", 31},
        {"$", 0},
        {"$g", 0},
        {"-$10", -16},
        {"-$ff", -255},
        {"%101", 5},
        {"%2", 0},
        {"%102", 2},
        {"0x10", 0},
        {"007", 7},
        {"9000000000", 9000000000},
        {"99999999999999999999999", INT64_MAX},
        {"99999999999999999999999999999999", INT64_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLenientInteger(c.Line), c.Value) << '"' << c.Line << '"';
}

TEST(WeightedRandom, FollowsTheWeights) {
    Media::SeedRandom(12345);
    int counts[2] = {};
    for (int i = 0; i < 40000; ++i)
        counts[WeightedRandom({1, 3})] += 1;
    double ratio = double(counts[1]) / counts[0];
    EXPECT_NEAR(ratio, 3.0, 0.2);
}

TEST(WeightedRandom, ZeroWeightIsNeverChosenAfterTheFirst) {
    Media::SeedRandom(99);
    for (int i = 0; i < 2000; ++i)
        EXPECT_NE(WeightedRandom({2, 0, 5}), 1);
}

TEST(WeightedRandom, AllZeroGivesTheFirstIndex) {
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(WeightedRandom({0, 0, 0}), 0);
}

TEST(WeightedRandomDeathTest, EmptyListIsFatal) {
    EXPECT_EXIT(WeightedRandom({}), testing::ExitedWithCode(1), "Exceeded Index");
}

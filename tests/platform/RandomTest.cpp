#include "platform/Random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace veltrane {
namespace {

TEST(Random, FollowsTheSequenceFromAKnownSeed) {
    // Seeds and results worked out by hand from seed 12345.
    RandSeed = 12345;
    EXPECT_EQ(Random(100), 38);
    EXPECT_EQ(RandSeed, 1655067934u);
    EXPECT_EQ(Random(100), 28);
    EXPECT_EQ(RandSeed, 1242767767u);
    EXPECT_EQ(Random(7), 0);
    EXPECT_EQ(RandSeed, 342459380u);
    EXPECT_EQ(Random(1000000), 553610);
    EXPECT_EQ(RandSeed, 2377737157u);

    // From seed 0 the first draws of Random(10).
    RandSeed = 0;
    std::vector<int32_t> draws;
    for (int i = 0; i < 5; ++i) draws.push_back(Random(10));
    EXPECT_EQ(draws, (std::vector<int32_t>{0, 0, 8, 2, 2}));
}

TEST(Random, MatchesAnIndependentModularComputation) {
    // The seed recurrence modulo 2^32 done in 64-bit arithmetic, the result as floor(seed * n / 2^32).
    uint64_t seed = 987654321;
    RandSeed = static_cast<uint32_t>(seed);
    const int32_t ranges[] = {1, 2, 3, 6, 7, 81, 1000, 65536, 2147483647};
    for (int round = 0; round < 50; ++round) {
        for (int32_t n : ranges) {
            seed = (seed * 134775813 + 1) % 4294967296;
            const auto expected = static_cast<int32_t>((seed * static_cast<uint64_t>(n)) / 4294967296);
            ASSERT_EQ(Random(n), expected) << "n " << n << " round " << round;
            ASSERT_LT(expected, n);
        }
    }
}

TEST(Random, ZeroRangeGivesZeroAndStillAdvances) {
    RandSeed = 12345;
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(RandSeed, 1655067934u);
    EXPECT_EQ(Random(100), 28); // the second draw of the sequence
}

TEST(Random, NegativeRangeIsTakenAsUnsigned) {
    RandSeed = 12345;
    for (int i = 0; i < 4; ++i) Random(1);
    EXPECT_EQ(RandSeed, 2377737157u);
    // seed 2721613530 times 0xFFFFFFFF, high half 2721613529, read back as a signed number.
    EXPECT_EQ(Random(-1), static_cast<int32_t>(2721613529u));
}

TEST(Random, RealIsTheAdvancedSeedScaledToTheUnitInterval) {
    RandSeed = 12345;
    EXPECT_DOUBLE_EQ(RandomReal(), 1655067934.0 / 4294967296.0);
    EXPECT_DOUBLE_EQ(RandomReal(), 1242767767.0 / 4294967296.0);
    // The seed that advances to 0xFFFFFFFF gives the largest value, still below 1.
    RandSeed = 1298181734u;
    const double top = RandomReal();
    EXPECT_EQ(RandSeed, 0xFFFFFFFFu);
    EXPECT_DOUBLE_EQ(top, 4294967295.0 / 4294967296.0);
    EXPECT_LT(top, 1.0);
}

TEST(Random, RandomizeSeedsFromTheClock) {
    RandSeed = 0;
    Randomize();
    const uint32_t first = RandSeed;
    uint32_t later = first;
    for (int i = 0; i < 1000 && later == first; ++i) {
        Randomize();
        later = RandSeed;
    }
    EXPECT_NE(first, 0u);
    EXPECT_NE(later, first);
}

} // namespace
} // namespace veltrane

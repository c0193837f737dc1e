// Sub-cycle and grid spacing of closed repeat cycles.

#include "analysis/repeat_grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace orbit::analysis {
namespace {

// The first day k whose track lands next to day 0's, by walking the days: the
// track of day k is shifted by k*M grid steps (mod Q) from day 0's.
std::optional<std::int64_t> WalkToNeighbour(std::int64_t m, std::int64_t q)
{
    for (std::int64_t k = 1; k < q; ++k) {
        const std::int64_t shift = ((k * m) % q + q) % q;
        if (shift == 1 || shift == q - 1)
            return k;
    }
    return std::nullopt;
}

struct SubcycleCase {
    std::int64_t m, q;
    std::optional<std::int64_t> days;
};

TEST(SubcycleDays, KnownCycles)
{
    const SubcycleCase cases[] = {
        {5, 26, 5},              // 14 + 5/26: next track on day 5
        {3, 16, 5},              // 15 + 3/16: 3*5 = 15 = -1 (mod 16)
        {1, 3, 1},               // M = 1 drifts one grid step a day
        {2, 3, 1},               // M = Q - 1 drifts one step the other way
        {2, 5, 2},               // 2*2 = 4 = -1 (mod 5)
        {3, 7, 2},               // 3*2 = 6 = -1 (mod 7)
        {1, 2, 1},
        {-3, 16, 5},             // a negative M works modulo Q like 13
        {0, 1, std::nullopt},    // Q = 1: no sub-cycle
        {2, 4, std::nullopt},    // not coprime: no day lands next to day 0
    };
    for (const SubcycleCase& c : cases)
        EXPECT_EQ(SubcycleDays(c.m, c.q), c.days) << "M " << c.m << ", Q " << c.q;
}

TEST(SubcycleDays, AgreesWithWalkingTheDaysForEveryCycleUpToOneHundredDays)
{
    for (std::int64_t q = 1; q <= 100; ++q)
        for (std::int64_t m = -q; m <= q; ++m)
            ASSERT_EQ(SubcycleDays(m, q), WalkToNeighbour(m, q)) << "M " << m << ", Q " << q;
}

TEST(SubcycleDays, LongCycleAnswersAtOnce)
{
    // 2^31 - 1 is prime; M = 2 reaches -1 at k = (Q - 1) / 2.
    const std::int64_t q = 2147483647;
    EXPECT_EQ(SubcycleDays(2, q), (q - 1) / 2);
}

TEST(GridSpacing, CyclesTileTheEquator)
{
    // A 6378.145 km equator is 40075.067 km long, 111.3196 km per degree.
    for (const std::int64_t revs : {1, 15, 43, 233, 369, 1000}) {
        EXPECT_NEAR(GridSpacingDeg(revs) * static_cast<double>(revs), 360.0, 1e-9) << revs;
        EXPECT_NEAR(GridSpacingKm(revs) * static_cast<double>(revs), 40075.067, 0.001) << revs;
        EXPECT_NEAR(GridSpacingKm(revs) / GridSpacingDeg(revs), 111.3196, 0.0001) << revs;
    }
}

TEST(RepeatGridOf, WholeDesignInLowestTerms)
{
    const auto coverage = RepeatGridOf(14, 5, 26);
    ASSERT_TRUE(coverage);
    EXPECT_EQ(coverage->revs, 369);
    EXPECT_EQ(coverage->subcycleDays, 5);
    EXPECT_DOUBLE_EQ(coverage->gridSpacingDeg, GridSpacingDeg(369));
    EXPECT_DOUBLE_EQ(coverage->gridSpacingKm, GridSpacingKm(369));
}

TEST(RepeatGridOf, RatioNotInLowestTermsHasTheGridOfItsShorterCycle)
{
    struct Case {
        double n, m, q;
        std::int64_t revs;
        std::optional<std::int64_t> subcycle;
    };
    const Case cases[] = {
        {15, 2, 4, 31, 1},             // = 15 + 1/2
        {15, 0, 3, 15, std::nullopt},  // = 15 + 0/1
        {14, 10, 52, 369, 5},          // = 14 + 5/26
        {15, -1, 2, 29, 1},            // negative M: 14.5 revolutions a day
        {14, 5, 3, 47, 1},             // M beyond Q: 15 + 2/3
    };
    for (const Case& c : cases) {
        const auto coverage = RepeatGridOf(c.n, c.m, c.q);
        ASSERT_TRUE(coverage) << c.n << " " << c.m << " " << c.q;
        EXPECT_EQ(coverage->revs, c.revs) << c.n << " " << c.m << " " << c.q;
        EXPECT_EQ(coverage->subcycleDays, c.subcycle) << c.n << " " << c.m << " " << c.q;
    }
}

TEST(RepeatGridOf, LeftOutWhenNoClosedCycleExists)
{
    struct Case {
        double n, m, q;
    };
    const Case cases[] = {
        {14.5, 0, 1},   // fraction of a revolution per day
        {15, 0.5, 2},   // fractional M
        {15, 1, 2.5},   // fractional Q
        {15, 1, 0},     // no days
        {15, 1, -2},    // negative days
        {0, 0, 1},      // no revolutions
        {1, -3, 1},     // negative revolutions
        {1e12, 0, 1},   // too large to count
    };
    for (const Case& c : cases)
        EXPECT_FALSE(RepeatGridOf(c.n, c.m, c.q)) << c.n << " " << c.m << " " << c.q;
}

}  // namespace
}  // namespace orbit::analysis

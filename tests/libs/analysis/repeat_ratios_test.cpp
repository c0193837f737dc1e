// Enumeration of the candidate repeat ratios N + M/Q of a search.

#include "analysis/repeat_ratios.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <utility>

namespace orbit::analysis {
namespace {

// Every rational p/q in [lo, hi] with q <= maxDays, reduced, as (p, q):
// found from all numerators, independently of how the search walks N, M, Q.
std::set<std::pair<int, int>> ReducedFractions(int lo, int hi, int minDays, int maxDays)
{
    std::set<std::pair<int, int>> fractions;
    for (int q = 1; q <= maxDays; ++q)
        for (int p = lo * q; p <= hi * q; ++p) {
            const int g = std::gcd(p, q);
            if (q / g >= minDays)
                fractions.insert({p / g, q / g});
        }
    return fractions;
}

std::set<std::pair<int, int>> AsFractions(const std::vector<RepeatRatio>& ratios)
{
    std::set<std::pair<int, int>> fractions;
    for (const RepeatRatio& r : ratios)
        fractions.insert({r.N * r.Q + r.M, r.Q});
    return fractions;
}

TEST(RepeatRatios, EachRatioOnceInLowestTerms)
{
    const std::vector<RepeatRatio> ratios = RepeatRatios(13, 16, 1, 30);
    for (const RepeatRatio& r : ratios) {
        EXPECT_GE(r.N, 1);
        EXPECT_GE(r.M, 0);
        EXPECT_LT(r.M, r.Q);
        EXPECT_EQ(std::gcd(r.M, r.Q), 1) << r.N << " " << r.M << " " << r.Q;
        if (r.M == 0) {
            EXPECT_EQ(r.Q, 1);
        }
    }
    // No duplicates: as many ratios as distinct values, and exactly the
    // reduced fractions of the range.
    EXPECT_EQ(AsFractions(ratios).size(), ratios.size());
    EXPECT_EQ(AsFractions(ratios), ReducedFractions(13, 16, 1, 30));
}

TEST(RepeatRatios, OneDayCyclesAreTheWholeNumbers)
{
    const std::vector<RepeatRatio> ratios = RepeatRatios(10, 15, 1, 1);
    ASSERT_EQ(ratios.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ratios[i].N, 10 + i);
        EXPECT_EQ(ratios[i].M, 0);
        EXPECT_EQ(ratios[i].Q, 1);
    }
}

TEST(RepeatRatios, RangeEdgesBelongToTheRange)
{
    const auto fractions = AsFractions(RepeatRatios(14, 14.5, 1, 4));
    EXPECT_TRUE(fractions.count({14, 1}));  // 14 exactly
    EXPECT_TRUE(fractions.count({29, 2}));  // 14.5 exactly
    EXPECT_FALSE(fractions.count({15, 1}));
    EXPECT_FALSE(fractions.count({59, 4}));  // 14.75
    EXPECT_EQ(fractions, (std::set<std::pair<int, int>>{{14, 1}, {57, 4}, {43, 3}, {29, 2}}));
}

TEST(RepeatRatios, ShortestCycleExcludesShorterOnes)
{
    const std::vector<RepeatRatio> ratios = RepeatRatios(13, 16, 5, 12);
    for (const RepeatRatio& r : ratios)
        EXPECT_GE(r.Q, 5);
    EXPECT_EQ(AsFractions(ratios), ReducedFractions(13, 16, 5, 12));
}

TEST(RepeatRatios, NoRevolutionsPerDayBelowOne)
{
    for (const RepeatRatio& r : RepeatRatios(0, 2, 1, 6))
        EXPECT_GE(r.N, 1);
    EXPECT_EQ(AsFractions(RepeatRatios(0, 2, 1, 6)), ReducedFractions(1, 2, 1, 6));
}

TEST(RevsPerDayRangeFor, HoldsTheKnownOrbits)
{
    // A geostationary orbit (35786 km) turns once a sidereal day; a low orbit
    // near 200 km about 16 times; 800 km about 14.3 times.
    const RevsPerDayRange geo = RevsPerDayRangeFor(35000, 36500);
    EXPECT_LT(geo.min, 1.0);
    EXPECT_GT(geo.max, 1.0);
    const RevsPerDayRange low = RevsPerDayRangeFor(200, 800);
    EXPECT_LT(low.min, 14.3);
    EXPECT_GT(low.max, 16.2);
    EXPECT_GT(low.min, 12.0);  // not the whole sky
    EXPECT_LT(low.max, 19.0);
}

}  // namespace
}  // namespace orbit::analysis

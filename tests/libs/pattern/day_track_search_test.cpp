#include "pattern/day_track_search.h"

#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"
#include "tests/libs/pattern/solved_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>

namespace {

using pattern_test::Design;
using orbit::DesignRecord;
using orbit::OrbitType;
using pattern::FindDayTrack;

// The candidate walk one revolution at a time, for comparison; stops after
// `limit` candidates (nullopt: not found within them).
std::optional<pattern::DayTrack> WalkCandidates(const DesignRecord& d, double day, std::int32_t limit)
{
    for (std::int32_t i = 0; i < limit; ++i) {
        const double offset = pattern::CandidateOffsetDeg(d, day, i);
        if (std::fabs(offset) < d.NodeSpacingDeg)
            return pattern::DayTrack{i, offset};
    }
    return std::nullopt;
}

struct SearchCase {
    const char* name;
    double n, m, q;
    OrbitType type;
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class DayTrackSearch : public testing::TestWithParam<SearchCase> {};

// Every day of these designs: the search lands where the walk does, to the bit.
TEST_P(DayTrackSearch, AgreesWithTheCandidateWalkOnEveryDay)
{
    const SearchCase c = GetParam();
    const DesignRecord d = Design(c.n, c.m, c.q, c.type);
    for (int day = 0; day <= c.q; ++day) {
        SCOPED_TRACE(day);
        const auto walked = WalkCandidates(d, day, 1'000'000);
        ASSERT_TRUE(walked.has_value());
        const pattern::DayTrack found = FindDayTrack(d, day);
        EXPECT_EQ(found.revolution, walked->revolution);
        EXPECT_EQ(found.TrackOffset, walked->TrackOffset);
        // In exact arithmetic the walk ends at floor(K |M| / Q), give or take
        // the one candidate that sits exactly on the spacing.
        const double exact = std::floor(day * std::fabs(c.m) / c.q);
        EXPECT_LE(std::fabs(found.revolution - exact), 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DayTrackSearch,
    testing::Values(SearchCase{"WorkedExample", 14, 1, 3, OrbitType::ChooseInclination},
                    SearchCase{"WorkedExampleSunSync", 14, 1, 3, OrbitType::SunSynchronous},
                    SearchCase{"WestwardM", 14, -1, 3, OrbitType::ChooseInclination},
                    SearchCase{"WestwardMSunSync", 14, -1, 3, OrbitType::SunSynchronous},
                    SearchCase{"NoExtraRevolutions", 15, 0, 1, OrbitType::SunSynchronous},
                    SearchCase{"ManyDays", 13, 7, 30, OrbitType::ChooseInclination},
                    SearchCase{"LargeM", 14, 15, 16, OrbitType::SunSynchronous},
                    SearchCase{"LargeNegativeM", 15, -15, 29, OrbitType::ChooseInclination},
                    SearchCase{"MBeyondQ", 2, 300, 7, OrbitType::ChooseInclination}),
    [](const testing::TestParamInfo<SearchCase>& testInfo) { return testInfo.param.name; });

// A spacing that no candidate can get under: the walk would count through
// the whole 32-bit range; the search reports the same "Overflow" at once.
TEST(DayTrackSearchFailures, SpacingThatIsNotPositiveIsOverflowAtOnce)
{
    // Reachable with the spin controls alone: the spacing comes out at -24 degrees.
    const DesignRecord negative = Design(0, -15, 1, OrbitType::ChooseInclination);
    ASSERT_LT(negative.NodeSpacingDeg, 0);

    DesignRecord zero = Design(14, 1, 3, OrbitType::ChooseInclination);
    zero.NodeSpacing = 0;
    zero.NodeSpacingDeg = 0;
    DesignRecord notANumber = zero;
    notANumber.NodeSpacing = notANumber.NodeSpacingDeg = std::numeric_limits<double>::quiet_NaN();
    DesignRecord infinite = zero;
    infinite.NodeSpacing = infinite.NodeSpacingDeg = std::numeric_limits<double>::infinity();

    for (const DesignRecord* d : std::initializer_list<const DesignRecord*>{&negative, &zero, &notANumber, &infinite}) {
        for (double day : {0.0, 1.0}) {
            try {
                FindDayTrack(*d, day);
                ADD_FAILURE() << "no error for spacing " << d->NodeSpacingDeg << " on day " << day;
            } catch (const orbit::OrbitError& e) {
                EXPECT_STREQ(e.what(), "Overflow");
            }
        }
    }
}

// A record whose two spacing fields disagree (a solve that failed part-way
// leaves such a mix): the walk passes from one side of the window to the other
// without landing in it, so it too would end in the counter's overflow.
TEST(DayTrackSearchFailures, CandidatesThatJumpOverTheWindowAreOverflow)
{
    DesignRecord d = Design(14, 1, 3, OrbitType::ChooseInclination);
    d.NodeSpacingDeg = 1e-3;  // far narrower than one step of the offset
    ASSERT_FALSE(WalkCandidates(d, 1, 100'000).has_value());
    EXPECT_THROW(FindDayTrack(d, 1), orbit::OrbitError);
    // Day 0 still lands on the reference track.
    EXPECT_EQ(FindDayTrack(d, 0).revolution, 0);
}

// Far-out candidates: the first accepted revolution lies deep in the 32-bit
// range, and one that lies beyond it is the counter's overflow.
TEST(DayTrackSearchRange, FindsRevolutionsDeepInTheCounterRange)
{
    DesignRecord d;
    d.N = 0;
    d.M = 1;
    d.Q = 1;
    // A spacing of 360/1e9 degrees in radians: day 1 needs about 1e9 revolutions.
    d.NodeSpacing = orbit::RepBas::TwoPi / 1e9;
    d.NodeSpacingDeg = d.NodeSpacing * 180 / orbit::RepBas::Pi;
    const pattern::DayTrack far = FindDayTrack(d, 1);
    EXPECT_NEAR(far.revolution, 1e9, 2);
    EXPECT_LT(std::fabs(far.TrackOffset), d.NodeSpacingDeg);
    // Neighbours confirm it is the first candidate inside the window.
    EXPECT_GE(std::fabs(pattern::CandidateOffsetDeg(d, 1, far.revolution - 1)), d.NodeSpacingDeg);

    d.NodeSpacing /= 4;  // day 1 would need about 4e9 revolutions
    d.NodeSpacingDeg = d.NodeSpacing * 180 / orbit::RepBas::Pi;
    try {
        FindDayTrack(d, 1);
        ADD_FAILURE() << "no error past the counter's range";
    } catch (const orbit::OrbitError& e) {
        EXPECT_STREQ(e.what(), "Overflow");
    }
}

}  // namespace

// The worst revisit's summary against the whole table's: the same figures to
// the last bit over short and long cycles, sun-synchronous and inclined
// orbits (retrograde and nearly equatorial), one to four satellites, each
// choice of passes, swaths from a few km to thousands, with full coverage
// everywhere, in a band away from the equator or nowhere.

#include "analysis/worst_revisit.h"
#include "core/orbit_error.h"

#include "tests/support/solved_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace orbit::analysis {
namespace {

using orbit::testing::SolvedDesign;

struct SummaryCase {
    std::string name;
    DesignRecord design;
    SwathRequest request;
};

std::vector<SummaryCase> Cases()
{
    constexpr auto kChosen = OrbitType::ChooseInclination;
    using P = PassDirection;
    return {
        {"SunSync10Days", SolvedDesign(14, 3, 10), {290, 1, P::Both, 1}},
        {"SunSync10DaysHalfDegreeGrid", SolvedDesign(14, 3, 10), {290, 1, P::Both, 0.5}},
        {"SunSync35DaysTwoAscending", SolvedDesign(14, 9, 35), {185, 2, P::Ascending, 1}},
        {"SunSync100DaysTwo", SolvedDesign(14, 51, 100), {290, 2, P::Both, 1}},
        {"SunSync100DaysDescending", SolvedDesign(14, 51, 100), {290, 1, P::Descending, 1}},
        {"SunSync1000Days", SolvedDesign(14, 497, 1000), {290, 1, P::Both, 1}},
        {"SunSync1000DaysTwoAscending", SolvedDesign(14, 497, 1000), {290, 2, P::Ascending, 1}},
        {"SunSync16DaysGapAtEquator", SolvedDesign(14, 9, 16), {120, 1, P::Descending, 1}},
        {"SunSync35DaysNarrowNoFullCoverage", SolvedDesign(14, 9, 35), {5, 1, P::Both, 1}},
        {"SunSync35DaysWide", SolvedDesign(14, 9, 35), {3000, 4, P::Both, 1}},
        {"SharedFactorThreeSatellites", SolvedDesign(14, 3, 9), {400, 3, P::Both, 1}},
        {"Inclined65TwoAscending", SolvedDesign(15, 1, 3, kChosen, 65), {50, 2, P::Ascending, 1}},
        {"Inclined62HalfNoFullCoverage", SolvedDesign(15, 1, 3, kChosen, 62, 5), {1, 1, P::Both, 1}},
        {"Inclined65LongCycle", SolvedDesign(15, 97, 200, kChosen, 65), {150, 1, P::Both, 1}},
        {"Retrograde120Descending", SolvedDesign(14, 1, 3, kChosen, 120), {300, 1, P::Descending, 1}},
        {"Retrograde120Four", SolvedDesign(14, 7, 20, kChosen, 120), {600, 4, P::Both, 1}},
        {"LowInclination10", SolvedDesign(15, 1, 7, kChosen, 10), {1000, 3, P::Both, 1}},
        {"LowInclination5Narrow", SolvedDesign(15, 2, 5, kChosen, 5), {100, 1, P::Ascending, 1}},
    };
}

// Exactly equal, not merely close: the fast summary computes the very same
// looks with the same operations, only in another order, and a longest
// wait is one difference of two of them, so any difference is a fault.
TEST(WorstRevisitSummary, EqualsTheWholeTablesSummary)
{
    for (const SummaryCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const CoverageSummary table = CoverageByLatitude(c.design, c.request).summary;
        const CoverageSummary fast = WorstRevisitSummary(c.design, c.request);
        EXPECT_EQ(fast.maxRevisitDays, table.maxRevisitDays);
        EXPECT_EQ(fast.fullCoverageNorth, table.fullCoverageNorth);
        EXPECT_EQ(fast.fullCoverageSouth, table.fullCoverageSouth);
        EXPECT_EQ(fast.sidelapPercent, table.sidelapPercent);
    }
}

// Parallel by parallel, finer than the summary's grid, poles included.
TEST(WorstRevisitSummary, EachParallelsWaitEqualsTheTables)
{
    for (const SummaryCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const SwathCoverage coverage(c.design, c.request.swathKm, c.request.satellites, c.request.passes);
        for (const double latitude : LatitudeGrid(0.25)) {
            const LatitudeCoverage row = coverage.AtLatitude(latitude);
            const std::optional<double> fast = coverage.MaxRevisitDaysIfFullyCovered(latitude);
            ASSERT_EQ(fast.has_value(), row.coveredFraction == 1) << latitude;
            if (fast) {
                ASSERT_EQ(*fast, row.maxRevisitDays.value()) << latitude;
            }
        }
    }
}

// The table above reaches each kind of summary, or it would prove little.
TEST(WorstRevisitSummary, CasesReachEveryKindOfSummary)
{
    bool none = false, fromEquator = false, awayFromEquator = false, longCycle = false;
    for (const SummaryCase& c : Cases()) {
        const CoverageSummary summary = CoverageByLatitude(c.design, c.request).summary;
        none = none || !summary.maxRevisitDays;
        fromEquator = fromEquator || summary.FullCoverageFromEquator();
        awayFromEquator = awayFromEquator || (summary.maxRevisitDays && !summary.FullCoverageFromEquator());
        longCycle = longCycle || (summary.maxRevisitDays && *summary.maxRevisitDays > 100);
    }
    EXPECT_TRUE(none);
    EXPECT_TRUE(fromEquator);
    EXPECT_TRUE(awayFromEquator);
    EXPECT_TRUE(longCycle);
}

// The floor against the table's rows: its wait is the longest over the
// sampled parallels covered whole, at most the summary's, and when it says
// the band stops short of the equator the summary's band does.
void ExpectFloorUnder(const RevisitFloor& floor, const CoverageTable& table, double sampleStepDeg)
{
    double longest = 0;
    for (const LatitudeCoverage& row : table.rows)
        if (std::fmod(row.latitudeDeg, sampleStepDeg) == 0 && row.coveredFraction == 1)
            longest = std::max(longest, row.maxRevisitDays.value());
    EXPECT_EQ(floor.days, longest);
    if (floor.days > 0) {
        ASSERT_TRUE(table.summary.maxRevisitDays.has_value());
        EXPECT_LE(floor.days, *table.summary.maxRevisitDays);
    }
    if (!floor.bandMayReachEquator) {
        EXPECT_FALSE(table.summary.FullCoverageFromEquator()) << "a band from the equator past a gap";
    }
}

constexpr double kSampleSteps[] = {90, 10, 5, 1};

TEST(WorstRevisitFloor, IsTheLongestSampledWaitAndLiesUnderTheSummary)
{
    bool reaches = false, stops = false, loose = false;
    for (const SummaryCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const CoverageTable table = CoverageByLatitude(c.design, c.request);
        for (const double step : kSampleSteps) {
            SCOPED_TRACE(step);
            const RevisitFloor floor = WorstRevisitFloor(c.design, c.request, step);
            ExpectFloorUnder(floor, table, step);
            reaches = reaches || floor.bandMayReachEquator;
            stops = stops || !floor.bandMayReachEquator;
            loose = loose || (table.summary.maxRevisitDays && floor.days < *table.summary.maxRevisitDays);
        }
        // Every parallel sampled, the floor is the summary.
        const RevisitFloor whole = WorstRevisitFloor(c.design, c.request, c.request.latitudeStepDeg);
        EXPECT_EQ(whole.days, table.summary.maxRevisitDays.value_or(0));
        EXPECT_EQ(whole.bandMayReachEquator, table.summary.FullCoverageFromEquator());
    }
    EXPECT_TRUE(reaches);
    EXPECT_TRUE(stops);
    EXPECT_TRUE(loose) << "no case tells a floor from the figure";
}

// Gaps at the equator and up to 40 degrees keep the band covered whole from
// 44 degrees up from the equator, however coarse the sampling.
TEST(WorstRevisitFloor, AnEquatorWithGapsStopsTheBand)
{
    const SwathRequest request{120, 1, PassDirection::Descending, 1};
    const DesignRecord design = SolvedDesign(14, 9, 16);
    const CoverageTable table = CoverageByLatitude(design, request);
    for (const double step : kSampleSteps) {
        const RevisitFloor floor = WorstRevisitFloor(design, request, step);
        EXPECT_FALSE(floor.bandMayReachEquator) << step;
        ExpectFloorUnder(floor, table, step);
    }
}

// A Sun turning round the Earth once a day at a fixed declination, for 60
// days: a morning orbit sees the equator lit only on one kind of pass.
SubSolarTrack TurningSun(double declinationDeg)
{
    constexpr double kDeg = std::numbers::pi / 180;
    constexpr double kStepS = 600;
    std::vector<SubSolarTrack::Sample> samples;
    for (int k = 0; k <= 60 * 144; ++k) {
        samples.push_back({declinationDeg * kDeg, -2 * std::numbers::pi * k * kStepS / 86400});
    }
    return SubSolarTrack(kStepS, samples);
}

TEST(WorstRevisitFloor, WithTheLightTestIsTheEquatorsRowOfThatTable)
{
    struct LitCase {
        std::string name;
        DesignRecord design;
        SwathRequest request;
        LightCondition light;
        double declinationDeg;
    };
    const LitCase cases[] = {
        {"SunSync10DaysMorning", SolvedDesign(14, 3, 10), {290, 1, PassDirection::Both, 1}, {10, 0.3, 1}, 0},
        {"SunSync10DaysTwoCycles", SolvedDesign(14, 3, 10), {400, 2, PassDirection::Both, 1}, {0, -2.0, 2}, 12},
        {"SunSync16DaysNarrow", SolvedDesign(14, 9, 16), {120, 1, PassDirection::Descending, 1}, {5, 1.0, 1}, -20},
        {"Inclined65Twilight", SolvedDesign(15, 1, 3, OrbitType::ChooseInclination, 65), {800, 1, PassDirection::Both, 1},
         {-6, 0, 3}, 23},
    };
    for (const LitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SubSolarTrack sun = TurningSun(c.declinationDeg);
        const CoverageTable table = CoverageByLatitude(c.design, c.request, c.light, sun);
        for (const double step : kSampleSteps)
            ExpectFloorUnder(WorstRevisitFloor(c.design, c.request, c.light, sun, step), table, step);
        // Every parallel sampled, the floor knows each hemisphere's band as
        // the summary does, however differently the Sun lights the two.
        const RevisitFloor whole = WorstRevisitFloor(c.design, c.request, c.light, sun, c.request.latitudeStepDeg);
        EXPECT_EQ(whole.bandMayReachEquator, table.summary.FullCoverageFromEquator());
    }
    const SubSolarTrack shortSun(600, std::vector<SubSolarTrack::Sample>(10));
    EXPECT_THROW(WorstRevisitFloor(SolvedDesign(14, 3, 10), {290, 1, PassDirection::Both, 1}, {0, 0, 1}, shortSun, 10),
                 orbit::OrbitError);
}

}  // namespace
}  // namespace orbit::analysis

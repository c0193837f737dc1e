// The coverage with the light test, under Suns laid down by hand: a Sun
// that lights every look gives the table without light back, whatever the
// node, the cycle, the satellites or the direction of pass; one that lights
// half the Earth sees half the passes; and the worst over cycles, the
// condition's checks and the Sun's reach.

#include "analysis/ground_track.h"
#include "analysis/swath_coverage.h"
#include "tests/support/error_text.h"

#include "tests/support/solved_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace orbit::analysis {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

using orbit::testing::SolvedDesign;

// A Sun that stands still over one point of the Earth, for `days`.
SubSolarTrack FixedSun(double declinationDeg, double longitudeDeg, double days = 40)
{
    const SubSolarTrack::Sample sample{declinationDeg * kDeg, longitudeDeg * kDeg};
    return SubSolarTrack(3600, std::vector<SubSolarTrack::Sample>(static_cast<std::size_t>(days * 24) + 1, sample));
}

struct LitCase {
    const char* name;
    DesignRecord design;
    double swathKm;
    int satellites;
    PassDirection direction;
    double nodeLongitudeDeg;
    std::int64_t cycle;
};

// The Sun over the north pole stands at each place's latitude above its
// horizon: every look north of the equator is lit at a least elevation of 0,
// and none south of it.
TEST(DaylightCoverage, SunOverThePoleLightsTheNorthAsTheTableWithoutLight)
{
    const LitCase cases[] = {
        {"sun-sync 14/3/10, 290 km", SolvedDesign(14, 3, 10), 290, 1, PassDirection::Both, 0, 0},
        {"sun-sync 14/3/10, node moved, third cycle", SolvedDesign(14, 3, 10), 290, 1, PassDirection::Both, -123.4, 2},
        {"inclined 65 deg, two satellites, ascending", SolvedDesign(15, 1, 3, OrbitType::ChooseInclination, 65), 50, 2,
         PassDirection::Ascending, 47, 1},
        {"retrograde 120 deg, descending, wide", SolvedDesign(14, 1, 3, OrbitType::ChooseInclination, 120), 1500, 1,
         PassDirection::Descending, 10, 0},
        {"sun-sync 14/1/3, three coinciding satellites", SolvedDesign(14, 1, 3), 500, 3, PassDirection::Both, 200, 0},
    };
    const SubSolarTrack sun = FixedSun(90, 0);
    for (const LitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SwathCoverage coverage(c.design, c.swathKm, c.satellites, c.direction);
        LightCondition light;
        light.minSunElevationDeg = 0;
        light.nodeLongitudeRad = c.nodeLongitudeDeg * kDeg;
        for (const double latitude : {0.5, 10.0, 45.0, 59.0, 61.0, 64.9, 65.3, 80.0, 81.5, 82.6, 88.0, 90.0}) {
            SCOPED_TRACE(latitude);
            const LatitudeCoverage plain = coverage.AtLatitude(latitude);
            const LatitudeCoverage lit = coverage.AtLatitude(latitude, light, sun, c.cycle);
            EXPECT_EQ(lit.passes, plain.passes);
            EXPECT_NEAR(lit.coveredFraction, plain.coveredFraction, 1e-9);
            ASSERT_EQ(lit.maxRevisitDays.has_value(), plain.maxRevisitDays.has_value());
            if (plain.maxRevisitDays) {
                // The waits are read at the pieces' ends, and the light test
                // cuts the parallel into more pieces (at most 1 degree
                // long): a look's time is interpolated along its stretch,
                // so the longest wait may come out a second longer.
                EXPECT_NEAR(*lit.maxRevisitDays, *plain.maxRevisitDays, 1.2e-5);
                EXPECT_NEAR(*lit.meanRevisitDays, *plain.meanRevisitDays, 1e-9);
            }
            const LatitudeCoverage dark = coverage.AtLatitude(-latitude, light, sun, c.cycle);
            EXPECT_EQ(dark.passes, 0);
            EXPECT_EQ(dark.coveredFraction, 0);
            EXPECT_FALSE(dark.maxRevisitDays.has_value());
        }
    }
}

// A Sun that stands over the equator at longitude 0 lights the half of the
// Earth from 90 degrees west to 90 east: on a parallel the swath covers
// whole, half the longitudes are seen, by the passes that cross that half,
// as often as without light.
TEST(DaylightCoverage, SunOverTheEquatorLightsHalfOfEachParallel)
{
    const DesignRecord design = SolvedDesign(14, 3, 10);
    const SwathCoverage coverage(design, 290, 1, PassDirection::Both);
    const SubSolarTrack sun = FixedSun(0, 0);
    LightCondition light;
    light.minSunElevationDeg = 0;
    for (const double latitude : {0.0, 30.0, -60.0}) {
        SCOPED_TRACE(latitude);
        const LatitudeCoverage plain = coverage.AtLatitude(latitude);
        const LatitudeCoverage lit = coverage.AtLatitude(latitude, light, sun, 0);
        EXPECT_NEAR(lit.coveredFraction, plain.coveredFraction / 2, 1e-6);
        // Each kind of pass crosses the parallel at 143 evenly spaced
        // longitudes, one stretch a pass: half of them in the light, and
        // those that straddle each edge, a few more where the stretches
        // are long (the swath crossing the parallel obliquely).
        EXPECT_GE(static_cast<double>(lit.passes), static_cast<double>(plain.passes) / 2);
        EXPECT_LE(static_cast<double>(lit.passes), static_cast<double>(plain.passes) / 2 + 8);
        EXPECT_NEAR(*lit.meanRevisitDays, *plain.meanRevisitDays, 0.02 * *plain.meanRevisitDays);
    }
    // 60 degrees above the horizon and more: a cap of radius 30 degrees
    // round the sub-solar point, which the parallel at 40 degrees misses.
    light.minSunElevationDeg = 60;
    EXPECT_EQ(coverage.AtLatitude(40, light, sun, 0).passes, 0);
    EXPECT_GT(coverage.AtLatitude(20, light, sun, 0).passes, 0);
}

TEST(DaylightCoverage, WorstOverCycles)
{
    const auto row = [](std::int64_t passes, double fraction, std::optional<double> maxDays,
                        std::optional<double> meanDays) {
        LatitudeCoverage r;
        r.latitudeDeg = 70;
        r.passes = passes;
        r.coveredFraction = fraction;
        r.maxRevisitDays = maxDays;
        r.meanRevisitDays = meanDays;
        return r;
    };
    struct Case {
        const char* name;
        std::vector<LatitudeCoverage> cycles;
        LatitudeCoverage worst;
    } const cases[] = {
        {"one cycle as it is", {row(10, 0.5, 4, 2)}, row(10, 0.5, 4, 2)},
        {"fewest, least, longest, mean of means",
         {row(10, 1, 3, 2), row(8, 0.9, 5, 3), row(12, 0.95, 4, 4)},
         row(8, 0.9, 5, 3)},
        {"a dark cycle: none seen, the waits of the others",
         {row(10, 1, 3, 2), row(0, 0, std::nullopt, std::nullopt)},
         row(0, 0, 3, 2)},
        {"dark throughout", {row(0, 0, std::nullopt, std::nullopt), row(0, 0, std::nullopt, std::nullopt)},
         row(0, 0, std::nullopt, std::nullopt)},
    };
    for (const Case& c : cases) {
        const LatitudeCoverage worst = WorstOverCycles(c.cycles);
        EXPECT_EQ(worst.latitudeDeg, 70) << c.name;
        EXPECT_EQ(worst.passes, c.worst.passes) << c.name;
        EXPECT_EQ(worst.coveredFraction, c.worst.coveredFraction) << c.name;
        EXPECT_EQ(worst.maxRevisitDays, c.worst.maxRevisitDays) << c.name;
        EXPECT_EQ(worst.meanRevisitDays, c.worst.meanRevisitDays) << c.name;
    }
}

TEST(DaylightCoverage, RefusesBadConditionsAndASunThatEndsTooSoon)
{
    struct Case {
        double least;
        int cycles;
        const char* error;
    } const cases[] = {
        {-18.5, 1, "the Sun's least elevation must lie from -18 to 90 degrees"},
        {90.5, 1, "the Sun's least elevation must lie from -18 to 90 degrees"},
        {std::nan(""), 1, "the Sun's least elevation must lie from -18 to 90 degrees"},
        {10, 0, "from 1 to 400 cycles"},
        {10, 401, "from 1 to 400 cycles"},
        {-18, 400, ""},
        {90, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { ValidateLightCondition({c.least, 0, c.cycles}); }), c.error) << c.least;

    const DesignRecord design = SolvedDesign(14, 3, 10);  // a cycle of 10 days
    const SwathRequest request{290, 1, PassDirection::Both, 30};
    EXPECT_EQ(ErrorOf([&] { CoverageByLatitude(design, request, {10, 0, 367}, FixedSun(0, 0, 4000)); }),
              "the cycles together must last at most 3660 days (ten years)");
    EXPECT_EQ(ErrorOf([&] { CoverageByLatitude(design, request, {10, 0, 3}, FixedSun(0, 0, 29.9)); }),
              "The Sun's track ends before the last cycle does");
    const CoverageTable table = CoverageByLatitude(design, request, {10, 0, 3}, FixedSun(0, 0, 30.1));
    EXPECT_EQ(table.rows.size(), 7u);
}

// The Sun's track read between its samples: straight lines, the longitude
// unwrapped, clamped outside.
TEST(SubSolarTrack, ReadsBetweenSamplesAndClampsOutside)
{
    const SubSolarTrack sun(100, {{0, 0}, {0.2, -0.5}, {0.4, -1.0}});
    EXPECT_EQ(sun.SpanS(), 200);
    // At 150 s, half way: the sine and cosine of the declination halfway
    // between their samples', the longitude -0.75.
    EXPECT_NEAR(sun.SinElevation(150, 0, 1, -0.75), (std::cos(0.2) + std::cos(0.4)) / 2, 1e-12);
    EXPECT_NEAR(sun.SinElevation(150, 1, 0, 1.23), (std::sin(0.2) + std::sin(0.4)) / 2, 1e-12);
    EXPECT_NEAR(sun.SinElevation(150, 0, 1, -0.75 + std::numbers::pi / 2), 0, 1e-12);
    EXPECT_NEAR(sun.SinElevation(-50, 0, 1, 0), 1, 1e-12);
    EXPECT_NEAR(sun.SinElevation(900, 0, 1, -1.0), std::cos(0.4), 1e-12);
    EXPECT_EQ(SubSolarTrack().SpanS(), 0);
    EXPECT_EQ(ErrorOf([] { SubSolarTrack(0, {{0, 0}, {0, 0}}); }),
              "The Sun's track over the ground needs a positive step and at least two samples");
    EXPECT_EQ(ErrorOf([] { SubSolarTrack(1, {{0, 0}}); }),
              "The Sun's track over the ground needs a positive step and at least two samples");
}

}  // namespace
}  // namespace orbit::analysis

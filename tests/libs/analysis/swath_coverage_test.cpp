// Swath coverage: what must hold of every design, the sidelap against a
// distance measured on the track, the summary and the request's checks.

#include "analysis/ground_track.h"
#include "analysis/swath_coverage.h"
#include "core/repbas.h"
#include "tests/support/error_text.h"

#include "tests/support/solved_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::analysis {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

using orbit::testing::SolvedDesign;

struct DesignCase {
    DesignRecord design;
    double swathKm;
    int satellites;
    PassDirection direction;
};

const DesignCase kDesigns[] = {
    {SolvedDesign(14, 3, 10), 290, 1, PassDirection::Both},
    {SolvedDesign(14, 9, 35), 185, 1, PassDirection::Both},
    {SolvedDesign(15, 1, 3, OrbitType::ChooseInclination, 65), 50, 2, PassDirection::Ascending},
    {SolvedDesign(14, 1, 3, OrbitType::ChooseInclination, 120), 300, 1, PassDirection::Descending},
};

// Every pass crosses every parallel below its turning latitude, so each one
// sees some of it, in both hemispheres; and the hemispheres mirror each other.
TEST(SwathCoverage, EveryPassSeesEveryParallelBelowTheTurningLatitude)
{
    for (const DesignCase& c : kDesigns) {
        const SwathCoverage coverage(c.design, c.swathKm, c.satellites, c.direction);
        const std::int64_t passes = coverage.Cycle().revolutions * c.satellites *
                                    (c.direction == PassDirection::Both ? 2 : 1);
        const double turning = GroundTrack(c.design).TurningLatitudeDeg();
        for (double latitude = 0.25; latitude < turning; latitude += 0.5) {
            const LatitudeCoverage north = coverage.AtLatitude(latitude), south = coverage.AtLatitude(-latitude);
            ASSERT_EQ(north.passes, passes) << latitude;
            EXPECT_GT(north.coveredFraction, 0) << latitude;
            EXPECT_EQ(south.passes, north.passes) << latitude;
            EXPECT_NEAR(south.coveredFraction, north.coveredFraction, 1e-9) << latitude;
            EXPECT_NEAR(south.maxRevisitDays.value(), north.maxRevisitDays.value(), 1e-6) << latitude;
            EXPECT_NEAR(south.meanRevisitDays.value(), north.meanRevisitDays.value(), 1e-6) << latitude;
        }
    }
}

// A place seen once a cycle waits the whole cycle; the pole, seen at every
// turning point, waits one nodal period, shared among the satellites.
TEST(SwathCoverage, RevisitOfRegularPatterns)
{
    const DesignRecord flown = SolvedDesign(14, 9, 16);
    const SwathCoverage descending(flown, 185, 1, PassDirection::Descending);
    EXPECT_NEAR(descending.Cycle().LengthDays(), 16, 1e-9);  // sun-synchronous: exactly Q days
    EXPECT_DOUBLE_EQ(descending.AtLatitude(0).maxRevisitDays.value(), descending.Cycle().LengthDays());

    const DesignRecord design = SolvedDesign(14, 1, 3);
    const double periodDays = design.NodalPeriod / 86400;
    for (const int satellites : {1, 2}) {
        const LatitudeCoverage pole = SwathCoverage(design, 2500, satellites).AtLatitude(90);
        EXPECT_EQ(pole.passes, 2 * 43 * satellites);
        EXPECT_EQ(pole.coveredFraction, 1);
        EXPECT_NEAR(pole.maxRevisitDays.value(), periodDays / satellites, 1e-12);
    }
    const LatitudeCoverage unseen = SwathCoverage(design, 185).AtLatitude(-90);
    EXPECT_EQ(unseen.passes, 0);
    EXPECT_EQ(unseen.coveredFraction, 0);
    EXPECT_FALSE(unseen.maxRevisitDays.has_value());
}

// The closed form against the distance measured on the ground track: from
// the neighbouring ascending node to the nearest sample of the track.
TEST(EquatorialSidelap, MatchesTheDistanceMeasuredAcrossTheTrack)
{
    for (const DesignRecord& design : {SolvedDesign(14, 9, 16), SolvedDesign(15, 1, 3, OrbitType::ChooseInclination, 65)}) {
        const GroundTrack track(design);
        const double revolutions = design.N * design.Q + design.M;
        const double neighbourLonRad = 2 * std::numbers::pi / revolutions;
        double nearest = 1;
        for (double t = -0.05 * design.NodalPeriod; t < 0.05 * design.NodalPeriod; t += 0.01) {
            const GroundPoint p = track.At(t);
            const double cosDistance = std::cos(p.latitudeDeg * kDeg) * std::cos(p.longitudeDeg * kDeg - neighbourLonRad);
            nearest = std::min(nearest, std::acos(std::min(1.0, cosDistance)));
        }
        const double swathKm = 185;
        EXPECT_NEAR(EquatorialSidelapPercent(design, swathKm), (swathKm - RepBas::Re * nearest) / swathKm * 100, 0.01);
    }
}

TEST(EquatorialSidelap, FlownExampleAndSatellites)
{
    const DesignRecord flown = SolvedDesign(14, 9, 16);
    // 233 tracks 171.99 km apart along the equator: 7.03 % measured along it,
    // a little more across the track.
    const double single = EquatorialSidelapPercent(flown, 185);
    EXPECT_GT(single, (185 - 2 * std::numbers::pi * RepBas::Re / 233) / 185 * 100);
    EXPECT_LT(single, 10);
    // A second satellite half a revolution behind flies tracks the first
    // flies 8 days later; a third does not, and thins the grid threefold.
    EXPECT_DOUBLE_EQ(EquatorialSidelapPercent(flown, 185, 2), single);
    const double gapKm = 185 * (1 - single / 100);
    EXPECT_NEAR(EquatorialSidelapPercent(flown, 185, 3), (185 - gapKm / 3) / 185 * 100, 1e-3);
}

TEST(CoverageSummary, BandOfFullCoverageReachingHighest)
{
    const auto row = [](double lat, double fraction, double maxDays) {
        LatitudeCoverage r;
        r.latitudeDeg = lat;
        r.coveredFraction = fraction;
        if (fraction > 0)
            r.maxRevisitDays = r.meanRevisitDays = maxDays;
        return r;
    };
    using Band = std::optional<LatitudeBand>;
    struct Case {
        const char* name;
        std::vector<LatitudeCoverage> rows;
        Band north, south;
        std::optional<double> maxDays;
    } const cases[] = {
        {"all full", {row(-1, 1, 3), row(0, 1, 5), row(1, 1, 3)}, LatitudeBand{0, 1}, LatitudeBand{0, 1}, 5},
        {"gaps near the equator",
         {row(-2, 1, 2), row(-1, 1, 3), row(0, 0.8, 9), row(1, 1, 3), row(2, 1, 2)},
         LatitudeBand{1, 2},
         LatitudeBand{1, 2},
         3},
        {"partly seen rim above",
         {row(-3, 0.2, 9), row(-2, 1, 2), row(0, 1, 4), row(2, 1, 2), row(3, 0.3, 9)},
         LatitudeBand{0, 2},
         LatitudeBand{0, 2},
         4},
        // A gap in one hemisphere cuts that hemisphere's band alone.
        {"one hemisphere short",
         {row(-2, 1, 2), row(-1, 0.5, 9), row(1, 1, 3), row(2, 1, 2)},
         LatitudeBand{1, 2},
         LatitudeBand{2, 2},
         3},
        {"south lower than north",
         {row(-2, 0.4, 9), row(-1, 1, 3), row(0, 1, 5), row(1, 1, 3), row(2, 1, 2)},
         LatitudeBand{0, 2},
         LatitudeBand{0, 1},
         5},
        {"south dark", {row(-1, 0, 0), row(0, 0.5, 9), row(1, 1, 3)}, LatitudeBand{1, 1}, std::nullopt, 3},
        {"nothing full", {row(-1, 0.5, 9), row(1, 0, 0)}, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const CoverageSummary s = SummarizeCoverage(c.rows, 4.5);
        EXPECT_EQ(s.sidelapPercent, 4.5);
        EXPECT_EQ(s.fullCoverageNorth, c.north) << c.name;
        EXPECT_EQ(s.fullCoverageSouth, c.south) << c.name;
        EXPECT_EQ(s.FullCoverageFromEquator(), c.north && c.north->fromLatDeg == 0 && c.south && c.south->fromLatDeg == 0)
            << c.name;
        EXPECT_EQ(s.maxRevisitDays, c.maxDays) << c.name;
    }
}

TEST(CoverageTable, LatitudeGridFromPoleToPole)
{
    EXPECT_EQ(LatitudeGrid(1).size(), 181u);
    EXPECT_EQ(LatitudeGrid(1).back(), 90);
    EXPECT_EQ(LatitudeGrid(0.1)[1], -89.9);
    EXPECT_EQ(LatitudeGrid(0.7).back(), 89.9);
    EXPECT_EQ(LatitudeGrid(90), (std::vector<double>{-90, 0, 90}));
    const CoverageTable table = CoverageByLatitude(SolvedDesign(14, 1, 3), {290, 1, PassDirection::Both, 45});
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.rows[2].latitudeDeg, 0);
    EXPECT_EQ(table.summary.sidelapPercent, EquatorialSidelapPercent(SolvedDesign(14, 1, 3), 290));
}

TEST(CoverageTable, RefusesBadRequestsAndDesignsWithoutACycle)
{
    struct Case {
        SwathRequest request;
        const char* error;
    } const cases[] = {
        {{0, 1, PassDirection::Both, 1}, "the swath must be a positive number of km"},
        {{-5, 1, PassDirection::Both, 1}, "the swath must be a positive number of km"},
        {{std::nan(""), 1, PassDirection::Both, 1}, "the swath must be a positive number of km"},
        {{1e-300, 1, PassDirection::Both, 1}, "the narrowest swath is 0.001 km (one metre)"},
        {{20040, 1, PassDirection::Both, 1}, "the swath must not be wider than half the Earth's circumference (20037.6 km)"},
        {{100, 0, PassDirection::Both, 1}, "from 1 to 100 satellites"},
        {{100, 101, PassDirection::Both, 1}, "from 1 to 100 satellites"},
        {{100, 1, PassDirection::Both, 0}, "the latitude step must lie above 0 and at most 90 degrees"},
        {{100, 1, PassDirection::Both, 90.5}, "the latitude step must lie above 0 and at most 90 degrees"},
        {{100, 1, PassDirection::Both, 0.0001}, "the finest latitude step is 0.001 degrees"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { ValidateSwathRequest(c.request); }), c.error);
    EXPECT_EQ(ErrorOf([] { ValidateSwathRequest({20037.5, 100, PassDirection::Both, 90}); }), "");
    // The sidelap alone checks its swath and satellites too: a hair-thin
    // swath would otherwise give minus infinity, no satellite a division by zero.
    EXPECT_EQ(ErrorOf([] { EquatorialSidelapPercent(SolvedDesign(14, 1, 3), 1e-300); }),
              "the narrowest swath is 0.001 km (one metre)");
    EXPECT_EQ(ErrorOf([] { EquatorialSidelapPercent(SolvedDesign(14, 1, 3), 290, 0); }),
              "from 1 to 100 satellites");

    DesignRecord fractional = SolvedDesign(14, 1, 3);
    fractional.M = 1.5;
    EXPECT_EQ(ErrorOf([&] { RepeatCycleOf(fractional); }),
              "The coverage needs a repeat cycle: whole numbers N, M and Q, with Q at least 1");
    const DesignRecord geostationary = SolvedDesign(1, 0, 1, OrbitType::ChooseInclination, 0);
    EXPECT_EQ(ErrorOf([&] { SwathCoverage(geostationary, 500); }),
              "The ground track of this design stands still over the Earth: it makes no passes to count");
    DesignRecord backwards = SolvedDesign(14, 1, 3);
    backwards.M = -42;
    EXPECT_EQ(ErrorOf([&] { RepeatCycleOf(backwards); }),
              "The coverage needs a repeat cycle: N Q + M must be at least one revolution");
}

}  // namespace
}  // namespace orbit::analysis

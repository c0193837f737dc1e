// The coverage's light test under the real Sun: the Sun's track over the
// ground against the ephemeris itself, the whole count against brute force
// (every pass laid down, every look tested against the Sun's table), and
// what a dawn-dusk-like morning orbit must show: its descending passes lit
// and its ascending ones dark, the polar night dark.

#include "sun/sub_solar_sampling.h"

#include "analysis/swath_coverage.h"
#include "ephemeris/orbit_node.h"
#include "ephemeris/sun_position.h"
#include "sun/sun_table.h"
#include "tests/libs/analysis/coverage_brute_force.h"

#include "tests/support/solved_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace orbit::sun {
namespace {

using analysis::LatitudeCoverage;
using analysis::LightCondition;
using analysis::PassDirection;
using orbit::SubSolarTrack;
using analysis::SwathCoverage;

constexpr double kRad = std::numbers::pi / 180;

using orbit::testing::SolvedDesign;

ephemeris::OrbitNode NodeAt(const DesignRecord& design, const ephemeris::Instant& epoch, ephemeris::NodeRequest node)
{
    return ephemeris::ResolveNode(epoch, node, design.Incl, design.NodeRate);
}

TEST(SubSolarSampling, SunOverTheGroundMatchesTheEphemeris)
{
    const ephemeris::Instant start = ephemeris::ParseIsoUtc("2027-01-03T05:00Z");
    const SubSolarTrack track = SubSolarTrackOver(start, 400 * 86400.0);
    EXPECT_GE(track.SpanS(), 400 * 86400.0);
    double worst = 0;
    for (double hours = 0.37; hours <= 400 * 24; hours += 71.3) {
        const double t = hours * 3600;
        const ephemeris::Instant at = start.PlusSeconds(t);
        const ephemeris::EarthOrientation earth = ephemeris::EarthOrientationAt(at);
        const ephemeris::SunPosition sun = ephemeris::SunAt(at, earth);
        for (const double latitudeDeg : {-70.0, -20.0, 0.0, 35.0, 89.0}) {
            for (const double longitudeDeg : {-170.0, -45.0, 10.0, 100.0}) {
                // The place's up direction in the true frame of date.
                const double lat = latitudeDeg * kRad;
                const double ra = earth.gastRad + longitudeDeg * kRad;
                const ephemeris::Vector3& s = sun.directionTrueOfDate;
                const double exact = std::cos(lat) * (std::cos(ra) * s[0] + std::sin(ra) * s[1]) + std::sin(lat) * s[2];
                const double read = track.SinElevation(t, std::sin(lat), std::cos(lat), longitudeDeg * kRad);
                worst = std::max(worst, std::fabs(read - exact));
            }
        }
    }
    // The Sun's table is good to 1e-6 rad; the straight lines between the
    // ten-minute samples add next to nothing.
    EXPECT_LT(worst, 2e-6);
}

// The Sun's table, read at each look the brute force finds, `cycle` cycles
// after the epoch: an elevation of at least `leastDeg` counts.
struct BruteForceLight {
    const SunTable* table;
    double nodeLongitudeRad, cycleS, leastDeg;
    std::int64_t cycle;

    bool operator()(double timeS, double latitudeRad, double longitudeRad) const
    {
        // Straight from the Sun's direction of date: the place's up
        // direction turned by sidereal time, dotted with it.
        const SunState sun = table->At(static_cast<double>(cycle) * cycleS + timeS);
        const double ra = sun.gastRad + nodeLongitudeRad + longitudeRad;
        const ephemeris::Vector3& s = sun.directionTrueOfDate;
        const double sine = std::cos(latitudeRad) * (std::cos(ra) * s[0] + std::sin(ra) * s[1]) +
                            std::sin(latitudeRad) * s[2];
        return sine >= std::sin(leastDeg * kRad);
    }
};

struct LitBruteForceCase {
    std::string name;
    DesignRecord design;
    double swathKm;
    PassDirection direction;
    const char* epoch;
    ephemeris::NodeRequest node;
    double leastDeg;
    std::vector<std::int64_t> cycles;
    std::vector<double> latitudesDeg;
};

void PrintTo(const LitBruteForceCase& c, std::ostream* out) { *out << c.name; }

class LitCoverageAgainstBruteForce : public ::testing::TestWithParam<LitBruteForceCase> {};

TEST_P(LitCoverageAgainstBruteForce, AgreesAtEveryLatitudeAndCycle)
{
    const LitBruteForceCase& c = GetParam();
    const ephemeris::Instant epoch = ephemeris::ParseIsoUtc(c.epoch);
    const ephemeris::OrbitNode node = NodeAt(c.design, epoch, c.node);
    const SwathCoverage coverage(c.design, c.swathKm, 1, c.direction);
    const double cycleS = coverage.Cycle().LengthDays() * 86400;
    std::int64_t lastCycle = 0;
    for (const std::int64_t cycle : c.cycles)
        lastCycle = std::max(lastCycle, cycle);
    const double spanS = static_cast<double>(lastCycle + 1) * cycleS;
    const SubSolarTrack sun = SubSolarTrackOver(epoch, spanS);
    const SunTable table(epoch, spanS);
    LightCondition light;
    light.minSunElevationDeg = c.leastDeg;
    light.nodeLongitudeRad = node.longitudeRad;
    for (const std::int64_t cycle : c.cycles) {
        for (const double latitude : c.latitudesDeg) {
            SCOPED_TRACE("cycle " + std::to_string(cycle) + ", latitude " + std::to_string(latitude));
            const LatitudeCoverage row = coverage.AtLatitude(latitude, light, sun, cycle);
            analysis::testing::BruteForceSettings settings;
            settings.lookCounts = BruteForceLight{&table, node.longitudeRad, cycleS, c.leastDeg, cycle};
            const analysis::testing::BruteForceRow brute =
                analysis::testing::BruteForceCoverage(c.design, c.swathKm, 1, c.direction, latitude, settings);
            // A pass lit over a sliver narrower than the brute force's point
            // spacing (1.1 km) may escape it.
            EXPECT_NEAR(static_cast<double>(row.passes), static_cast<double>(brute.passes), 1);
            EXPECT_NEAR(row.coveredFraction, brute.coveredFraction, 0.005);
            ASSERT_EQ(row.maxRevisitDays.has_value(), brute.maxRevisitDays > 0);
            if (!row.maxRevisitDays)
                continue;
            EXPECT_NEAR(*row.maxRevisitDays, brute.maxRevisitDays, 0.002);
            EXPECT_NEAR(*row.meanRevisitDays, brute.meanRevisitDays, 0.005 * brute.meanRevisitDays);
        }
    }
}

const LitBruteForceCase kLitCases[] = {
    // A morning orbit at the equinox: lit descending passes, dark ascending
    // ones, and near the turning latitude the terminator across the swath.
    {"SunSync14_1_3Swath500MorningEquinox", SolvedDesign(14, 1, 3), 500, PassDirection::Both, "2027-03-21T00:00Z",
     {ephemeris::NodeGiven::Ltdn, 10.5}, 10, {0, 1, 4}, {0, 40, -55, 70, 78, 81.5}},
    // At the June solstice: the southern polar night, the northern
    // midnight Sun seen by the ascending passes too.
    {"SunSync14_1_3Swath500MorningSolstice", SolvedDesign(14, 1, 3), 500, PassDirection::Both, "2027-06-21T00:00Z",
     {ephemeris::NodeGiven::Ltdn, 10.5}, 10, {0, 2}, {-75, 62, 72, 80}},
    // An inclined orbit, whose passes come at every local time, dusk and
    // twilight included.
    {"Inclined15_0_1At65Swath300Twilight", SolvedDesign(15, 0, 1, OrbitType::ChooseInclination, 65), 300,
     PassDirection::Both, "2027-11-05T07:30Z", {ephemeris::NodeGiven::Ltan, 15.25}, -6, {0, 3}, {0, 30, -45, 64}},
};

INSTANTIATE_TEST_SUITE_P(Designs, LitCoverageAgainstBruteForce, ::testing::ValuesIn(kLitCases),
                         [](const ::testing::TestParamInfo<LitBruteForceCase>& param) { return param.param.name; });

struct Flight {
    DesignRecord design = SolvedDesign(14, 3, 10);
    SubSolarTrack sun;
    LightCondition light;
};

Flight MorningFlight(const char* epochText, double days = 10.1)
{
    Flight f;
    const ephemeris::Instant epoch = ephemeris::ParseIsoUtc(epochText);
    f.sun = SubSolarTrackOver(epoch, days * 86400);
    f.light.minSunElevationDeg = 10;
    f.light.nodeLongitudeRad = NodeAt(f.design, epoch, {ephemeris::NodeGiven::Ltdn, 10.5}).longitudeRad;
    return f;
}

// At 10:30 the descending passes fly over a lit Earth and, at 22:30, the
// ascending ones over a dark one: below the high latitudes, the lit passes
// are the descending ones, exactly as counted without light.
TEST(MorningOrbit, SeesItsDescendingPassesInDaylightAndNotItsAscendingOnes)
{
    const Flight f = MorningFlight("2027-03-21T00:00Z");
    const SwathCoverage both(f.design, 290, 1, PassDirection::Both);
    const SwathCoverage descending(f.design, 290, 1, PassDirection::Descending);
    const SwathCoverage ascending(f.design, 290, 1, PassDirection::Ascending);
    for (const double latitude : {0.0, 20.0, -20.0, 45.0, -45.0, 60.0}) {
        SCOPED_TRACE(latitude);
        const LatitudeCoverage lit = both.AtLatitude(latitude, f.light, f.sun, 0);
        const LatitudeCoverage plainBoth = both.AtLatitude(latitude);
        const LatitudeCoverage plainDescending = descending.AtLatitude(latitude);
        EXPECT_EQ(lit.passes, plainBoth.passes / 2);
        EXPECT_EQ(lit.passes, plainDescending.passes);
        EXPECT_NEAR(lit.coveredFraction, plainDescending.coveredFraction, 1e-9);
        EXPECT_NEAR(*lit.maxRevisitDays, *plainDescending.maxRevisitDays, 1e-9);
        EXPECT_NEAR(*lit.meanRevisitDays, *plainDescending.meanRevisitDays, 1e-9);
        EXPECT_EQ(ascending.AtLatitude(latitude, f.light, f.sun, 0).passes, 0);
    }
}

// In the December polar night the Arctic sees nothing; the Antarctic, in
// its midnight Sun, sees every look, as without light.
TEST(MorningOrbit, PolarNightSeesNothingAndMidnightSunEverything)
{
    const Flight f = MorningFlight("2027-12-16T00:00Z");
    const SwathCoverage coverage(f.design, 290, 1, PassDirection::Both);
    for (const double latitude : {78.0, 80.0, 82.0, 90.0}) {
        SCOPED_TRACE(latitude);
        const LatitudeCoverage night = coverage.AtLatitude(latitude, f.light, f.sun, 0);
        EXPECT_EQ(night.passes, 0);
        EXPECT_EQ(night.coveredFraction, 0);
        EXPECT_FALSE(night.maxRevisitDays.has_value());
        EXPECT_FALSE(night.meanRevisitDays.has_value());
        const LatitudeCoverage day = coverage.AtLatitude(-latitude, f.light, f.sun, 0);
        const LatitudeCoverage plain = coverage.AtLatitude(-latitude);
        EXPECT_EQ(day.passes, plain.passes);
        EXPECT_NEAR(day.coveredFraction, plain.coveredFraction, 1e-9);
        ASSERT_EQ(day.maxRevisitDays.has_value(), plain.maxRevisitDays.has_value());
        if (plain.maxRevisitDays) {
            EXPECT_NEAR(*day.maxRevisitDays, *plain.maxRevisitDays, 1e-9);
        }
    }
}

// Cycle c of a flight is the first cycle of the same track flown c cycles
// later: the closed track is back over the same node, the Sun has moved on.
TEST(MorningOrbit, LaterCycleIsTheFirstCycleOfALaterEpoch)
{
    const Flight f = MorningFlight("2027-03-21T00:00Z", 40.1);
    const SwathCoverage coverage(f.design, 290, 1, PassDirection::Both);
    const double cycleS = coverage.Cycle().LengthDays() * 86400;
    const ephemeris::Instant later = ephemeris::ParseIsoUtc("2027-03-21T00:00Z").PlusSeconds(3 * cycleS);
    const SubSolarTrack laterSun = SubSolarTrackOver(later, 10.1 * 86400);
    for (const double latitude : {0.0, 50.0, 79.0, -79.0, 82.0, -90.0}) {
        SCOPED_TRACE(latitude);
        const LatitudeCoverage third = coverage.AtLatitude(latitude, f.light, f.sun, 3);
        const LatitudeCoverage first = coverage.AtLatitude(latitude, f.light, laterSun, 0);
        EXPECT_EQ(third.passes, first.passes);
        EXPECT_NEAR(third.coveredFraction, first.coveredFraction, 1e-5);
        ASSERT_EQ(third.maxRevisitDays.has_value(), first.maxRevisitDays.has_value());
        if (first.maxRevisitDays) {
            EXPECT_NEAR(*third.maxRevisitDays, *first.maxRevisitDays, 1e-5);
            EXPECT_NEAR(*third.meanRevisitDays, *first.meanRevisitDays, 1e-5);
        }
    }
}

}  // namespace
}  // namespace orbit::sun

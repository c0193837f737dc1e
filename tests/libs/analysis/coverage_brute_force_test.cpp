// The coverage against brute force: the covered fraction within 0.5 %, the
// same number of passes and the same revisit figures, on designs that cover
// the equator fully and partly, at latitudes near the turning latitude (where
// the ascending and descending passes merge) and beyond it.

#include "analysis/swath_coverage.h"
#include "tests/libs/analysis/coverage_brute_force.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace orbit::analysis {
namespace {

struct BruteForceCase {
    std::string name;
    double n, m, q;
    OrbitType type;
    double inclDeg;
    double swathKm;
    int satellites;
    PassDirection direction;
    std::vector<double> latitudesDeg;
};

void PrintTo(const BruteForceCase& c, std::ostream* out) { *out << c.name; }

DesignRecord Solved(const BruteForceCase& c)
{
    DesignRecord record;
    SolveRepeatOrbit(RepeatOrbitInputs::Fixed(c.n, c.m, c.q, c.type, c.inclDeg, 0), {}, record);
    return record;
}

class CoverageAgainstBruteForce : public ::testing::TestWithParam<BruteForceCase> {};

TEST_P(CoverageAgainstBruteForce, AgreesAtEveryLatitude)
{
    const BruteForceCase& c = GetParam();
    const DesignRecord design = Solved(c);
    const SwathCoverage coverage(design, c.swathKm, c.satellites, c.direction);
    for (const double latitude : c.latitudesDeg) {
        SCOPED_TRACE("latitude " + std::to_string(latitude));
        const LatitudeCoverage row = coverage.AtLatitude(latitude);
        const testing::BruteForceRow brute =
            testing::BruteForceCoverage(design, c.swathKm, c.satellites, c.direction, latitude);
        EXPECT_EQ(row.passes, brute.passes);
        EXPECT_NEAR(row.coveredFraction, brute.coveredFraction, 0.005);
        ASSERT_EQ(row.maxRevisitDays.has_value(), brute.maxRevisitDays > 0);
        if (!row.maxRevisitDays)
            continue;
        // Looks are timed to a few seconds either way; the figures shown are
        // hundredths of a day.
        EXPECT_NEAR(*row.maxRevisitDays, brute.maxRevisitDays, 0.002);
        EXPECT_NEAR(*row.meanRevisitDays, brute.meanRevisitDays, 0.005 * brute.meanRevisitDays);
    }
}

const BruteForceCase kCases[] = {
    // The flown example: neighbours overlap at the equator, one look a cycle
    // there; the turning latitude is 81.81 degrees, the swath reaches 82.65.
    {"SunSync14_9_16Swath185Descending", 14, 9, 16, OrbitType::SunSynchronous, 0, 185, 1,
     PassDirection::Descending, {0, 50, 81.5, 82, 82.5}},
    {"SunSync14_3_10Swath290Both", 14, 3, 10, OrbitType::SunSynchronous, 0, 290, 1, PassDirection::Both,
     {-40, 0, 81, 81.456, 82.6}},
    // Gaps at low latitudes, a partly seen rim beyond the turning latitude.
    {"Inclined15_0_1At65Swath100Both", 15, 0, 1, OrbitType::ChooseInclination, 65, 100, 1, PassDirection::Both,
     {0, 64, 64.9, 65.3, 65.8}},
    {"Inclined15_0_1At65Swath100Ascending", 15, 0, 1, OrbitType::ChooseInclination, 65, 100, 1,
     PassDirection::Ascending, {30, 64.9, 65.3}},
    // Three satellites whose tracks fall on one another.
    {"SunSync14_1_3Swath500ThreeSatellites", 14, 1, 3, OrbitType::SunSynchronous, 0, 500, 3, PassDirection::Both,
     {0, 45, 82}},
    // A swath so wide that the normal circle near a crossing stops reaching
    // the parallel inside it, and reaching over the pole, where a pass sees
    // the parallel on both sides.
    {"SunSync14_1_3Swath2500Both", 14, 1, 3, OrbitType::SunSynchronous, 0, 2500, 1, PassDirection::Both,
     {80, 88}},
    {"Retrograde14_1_3At120Swath800Both", 14, 1, 3, OrbitType::ChooseInclination, 120, 800, 1,
     PassDirection::Both, {0, 59, 61}},
};

INSTANTIATE_TEST_SUITE_P(Designs, CoverageAgainstBruteForce, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BruteForceCase>& param) { return param.param.name; });

}  // namespace
}  // namespace orbit::analysis

// The map's day and night against the coverage's light test, at the
// terminator: both read the one sampled Sun (core/sub_solar_track.h), so on
// a place a hair either side of the line between day and night they must
// call it the same. Through a day at the equinox, when the terminator runs
// over the poles, and at the solstice, when it swings furthest.

#include "map/daylight.h"

#include "analysis/swath_coverage.h"
#include "core/constants.h"
#include "ephemeris/instant.h"
#include "ephemeris/sub_solar_sampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using orbit::kDegreesPerRadian;
using orbit::kRadiansPerDegree;
using orbit::ephemeris::Instant;
using orbit::ephemeris::ParseIsoUtc;
using world_map::LonLat;

// The coverage's light test as `repeat-orbit coverage --sun-min 0` makes it:
// the least elevation's sine from the light condition, the latitude's sine
// and cosine once per parallel, lit from a margin of 0 up.
bool CoverageSeesLight(const orbit::SubSolarTrack& sun, double t, const LonLat& place)
{
    orbit::analysis::LightCondition light;
    light.minSunElevationDeg = 0;
    const double sinLeast = std::sin(light.minSunElevationDeg * kRadiansPerDegree);
    const double latitudeRad = place.latDeg * kRadiansPerDegree;
    return sun.LightMargin(t, std::sin(latitudeRad), std::cos(latitudeRad), place.lonDeg * kRadiansPerDegree,
                           sinLeast) >= 0;
}

struct Day {
    const char* name;
    const char* start;
};

class TerminatorAgreement : public testing::TestWithParam<Day> {};

TEST_P(TerminatorAgreement, TheMapsDaylightIsTheCoveragesLightTest)
{
    const Instant start = ParseIsoUtc(GetParam().start);
    const double dayS = 86400;
    const orbit::SubSolarTrack sun = orbit::ephemeris::ExactSubSolarTrack(start, dayS);
    int lit = 0, dark = 0, compared = 0;
    for (double t = 0; t <= dayS; t += 600) {
        // The terminator's longitudes on each parallel, from the exact point
        // the sampled Sun follows: cos(lon - lonSun) = -tan(lat) tan(dec).
        const LonLat overhead = world_map::SubSolarPoint(start.PlusSeconds(t));
        const double tanDec = std::tan(overhead.latDeg * kRadiansPerDegree);
        for (double lat = -80; lat <= 80; lat += 10) {
            const double c = -std::tan(lat * kRadiansPerDegree) * tanDec;
            if (std::fabs(c) > 1)
                continue;  // a parallel all day or all night
            const double halfDayDeg = std::acos(c) * kDegreesPerRadian;
            for (const double side : {-1.0, 1.0})
                for (const double offsetDeg : {-1e-3, -1e-6, -1e-9, -1e-12, 0.0, 1e-12, 1e-9, 1e-6, 1e-3}) {
                    const LonLat place{overhead.lonDeg + side * halfDayDeg + offsetDeg, lat};
                    const bool onMap = world_map::IsLit(place, sun, t);
                    EXPECT_EQ(onMap, CoverageSeesLight(sun, t, place))
                        << "at " << t << " s, " << place.lonDeg << ", " << place.latDeg;
                    ++compared;
                    (onMap ? lit : dark) += 1;
                }
        }
    }
    // Both sides of the line were reached: the places straddle it.
    EXPECT_GT(compared, 1000);
    EXPECT_GT(lit, compared / 4);
    EXPECT_GT(dark, compared / 4);
}

const Day kDays[] = {
    {"MarchEquinox", "2027-03-20T00:00Z"},
    {"JuneSolstice", "2027-06-21T00:00Z"},
};

INSTANTIATE_TEST_SUITE_P(Days, TerminatorAgreement, testing::ValuesIn(kDays),
                         [](const testing::TestParamInfo<Day>& testInfo) { return std::string(testInfo.param.name); });

}  // namespace

// The interpolated Sun against ERFA's exact one between its samples.

#include "sun/sun_table.h"
#include "core/sun_elevation.h"
#include "sun/sub_solar_sampling.h"

#include "ephemeris/sun_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::sun {
namespace {

TEST(SunTable, InterpolatedSunMatchesTheExactOne)
{
    const ephemeris::Instant start = ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    const SunTable table(start, 400 * 86400.0);
    for (double hours = 0; hours <= 400 * 24; hours += 29.3) {
        SCOPED_TRACE(hours);
        const double t = hours * 3600;
        const ephemeris::Instant at = start.PlusSeconds(t);
        const ephemeris::EarthOrientation earth = ephemeris::EarthOrientationAt(at);
        const ephemeris::SunPosition exact = ephemeris::SunAt(at, earth);
        const SunState read = table.At(t);
        const double dot = read.directionTrueOfDate[0] * exact.directionTrueOfDate[0] +
                           read.directionTrueOfDate[1] * exact.directionTrueOfDate[1] +
                           read.directionTrueOfDate[2] * exact.directionTrueOfDate[2];
        EXPECT_LT(std::acos(std::min(1.0, dot)), 1e-6);  // 0.00006 deg
        // The Moon swings the Earth 4700 km about their barycentre each month.
        EXPECT_NEAR(read.distanceKm, exact.distanceKm, 100);
        // Nutation's 13.7-day term moves sidereal time by 1e-6 rad; its
        // shorter terms are read to under half of that.
        EXPECT_NEAR(std::remainder(read.gastRad - earth.gastRad, 2 * std::numbers::pi), 0, 6e-7);
        EXPECT_NEAR(read.equationOfTimeMin, ephemeris::EquationOfTimeMin(at, earth, exact), 5e-4);  // 0.03 s
    }
}

// The subsolar point has the Sun overhead; the point opposite has it at the nadir.
TEST(SunTable, ElevationAtTheSubsolarPoint)
{
    const ephemeris::Instant start = ephemeris::ParseIsoUtc("2027-06-21T12:00Z");
    const SunTable table(start, 86400.0);
    const SubSolarTrack::Sample overhead = SubSolarPointOf(table.At(0));
    const double declination = overhead.declinationRad;
    const double longitude = overhead.longitudeRad;
    EXPECT_NEAR(SunElevationRad(declination, longitude, declination, longitude), std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(SunElevationRad(-declination, longitude + std::numbers::pi, declination, longitude),
                -std::numbers::pi / 2, 1e-6);
    // On the June solstice at 12:00 UT the Sun stands over the tropic of
    // Cancer, and, the equation of time being -1.7 min there (apparent noon
    // comes late), still 1.7 min (0.42 deg) east of Greenwich's meridian.
    EXPECT_NEAR(declination * 180 / std::numbers::pi, 23.44, 0.01);
    EXPECT_NEAR(std::remainder(longitude, 2 * std::numbers::pi) * 180 / std::numbers::pi,
                -15 * table.At(0).equationOfTimeMin / 60, 1e-6);
    EXPECT_NEAR(table.At(0).equationOfTimeMin, -1.7, 0.1);
}

}  // namespace
}  // namespace orbit::sun

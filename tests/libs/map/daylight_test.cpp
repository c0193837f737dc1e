// Day and night on the map: the sub-solar point against published instants
// and the Astronomical Almanac's low-precision Sun, and the night's rings
// against the Sun's height at every place.

#include "map/daylight.h"

#include "core/constants.h"
#include "ephemeris/instant.h"
#include "ephemeris/sub_solar_sampling.h"
#include "tests/libs/map/map_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using orbit::ephemeris::Instant;
using orbit::ephemeris::ParseIsoUtc;
using world_map::LonLat;

constexpr double kDeg = orbit::kRadiansPerDegree;

// The Astronomical Almanac's low-precision Sun (section C, good to 0.01
// degrees from 1950 to 2050) and mean sidereal time: where the Sun stands
// overhead, worked out without the ephemeris.
LonLat AlmanacSubSolar(const Instant& t)
{
    const double n = t.Utc().Sum() - 2451545.0;
    const double meanLongitude = 280.460 + 0.9856474 * n;
    const double anomaly = (357.528 + 0.9856003 * n) * kDeg;
    const double eclipticLongitude = (meanLongitude + 1.915 * std::sin(anomaly) + 0.020 * std::sin(2 * anomaly)) * kDeg;
    const double obliquity = (23.439 - 0.0000004 * n) * kDeg;
    const double ra = std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude));
    const double dec = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude));
    const double gmstHours = 18.697374558 + 24.06570982441908 * n;
    const double lon = std::remainder(ra / kDeg - 15 * gmstHours, 360.0);
    return {lon, dec / kDeg};
}

TEST(SubSolarPoint, AgreesWithTheAlmanacsSun)
{
    for (const char* text : {"2027-03-20T20:25Z", "2027-06-21T14:11Z", "2027-09-23T06:00Z", "2027-11-03T12:00Z",
                             "2028-02-11T12:00Z", "2030-07-04T19:45:30Z", "2000-01-01T12:00Z"}) {
        const Instant t = ParseIsoUtc(text);
        const LonLat got = world_map::SubSolarPoint(t);
        const LonLat almanac = AlmanacSubSolar(t);
        EXPECT_NEAR(got.latDeg, almanac.latDeg, 0.02) << text;
        EXPECT_NEAR(std::remainder(got.lonDeg - almanac.lonDeg, 360.0), 0, 0.1) << text;
        EXPECT_GT(got.lonDeg, -180) << text;
        EXPECT_LE(got.lonDeg, 180) << text;
    }
}

// Published instants: the March equinox of 2027 at 20:25 UTC, the June
// solstice at 14:11 UTC and the December one at 02:42 UTC with the
// obliquity of 23.436 degrees, and the
// equation of time of about +16.4 minutes on 3 November and -14.2 minutes on
// 11 February (the Sun stands east of the mean noon meridian by a quarter
// degree a minute).
TEST(SubSolarPoint, StandsOverTheEquatorAtTheEquinoxAndTheTropicAtTheSolstice)
{
    EXPECT_NEAR(world_map::SubSolarPoint(ParseIsoUtc("2027-03-20T20:25Z")).latDeg, 0, 0.01);
    EXPECT_NEAR(world_map::SubSolarPoint(ParseIsoUtc("2027-06-21T14:11Z")).latDeg, 23.436, 0.005);
    EXPECT_NEAR(world_map::SubSolarPoint(ParseIsoUtc("2027-12-22T02:42Z")).latDeg, -23.436, 0.005);
    struct Case {
        const char* at;
        double utcHours, equationOfTimeMin;
    } const cases[] = {{"2027-11-03T12:00Z", 12, 16.4}, {"2028-02-11T15:00Z", 15, -14.2}};
    for (const Case& c : cases) {
        const double expected = -15 * (c.utcHours - 12) - c.equationOfTimeMin / 4;
        EXPECT_NEAR(world_map::SubSolarPoint(ParseIsoUtc(c.at)).lonDeg, expected, 0.1) << c.at;
    }
}

TEST(SubSolarPoint, RunsWestFifteenDegreesAnHour)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const LonLat a = world_map::SubSolarPoint(t), b = world_map::SubSolarPoint(t.PlusSeconds(3600));
    EXPECT_NEAR(std::remainder(a.lonDeg - b.lonDeg, 360.0), 15.0, 0.01);
}

TEST(SunElevation, IsNinetyOverheadAndMinusNinetyOpposite)
{
    const LonLat sun{-30, 20};
    EXPECT_NEAR(world_map::SunElevationDeg(sun, sun), 90, 1e-6);
    EXPECT_NEAR(world_map::SunElevationDeg({150, -20}, sun), -90, 1e-6);
    EXPECT_NEAR(world_map::SunElevationDeg({60, 0}, {-30, 0}), 0, 1e-9);
    EXPECT_TRUE(world_map::IsLit({-20, 25}, sun));
    EXPECT_FALSE(world_map::IsLit({140, 0}, sun));
}

// Filled with the nonzero rule, the rings cover exactly the places where the
// Sun stands lower than asked: checked on a grid of places, for the Sun over
// the equator (the terminator through the poles), at either tropic, and
// wherever the cap crosses the map's edge.
TEST(NightRings, CoverWhereTheSunIsLowerThanAsked)
{
    for (const LonLat sun : {LonLat{0, 0}, LonLat{-37.5, 23.44}, LonLat{179.9, -23.44}, LonLat{100, 3}, LonLat{-150, -0.001}})
        for (const double elevation : {0.0, world_map::kCivilTwilightDeg}) {
            const std::vector<world_map::Ring> rings = world_map::NightRings(sun, elevation);
            ASSERT_FALSE(rings.empty());
            int wrong = 0;
            for (double lat = -89.5; lat < 90; lat += 3)
                for (double lon = -179.5; lon < 180; lon += 3) {
                    const double height = world_map::SunElevationDeg({lon, lat}, sun);
                    if (std::fabs(height - elevation) < 0.05)
                        continue;  // on the line itself, within its sampling
                    if (map_test::Covered(rings, {lon, lat}) != (height < elevation))
                        ++wrong;
                }
            EXPECT_EQ(wrong, 0) << "Sun over " << sun.lonDeg << ", " << sun.latDeg << ", elevation " << elevation;
        }
}

TEST(Terminator, RunsWhereTheSunIsOnTheHorizon)
{
    for (const LonLat sun : {LonLat{0, 0}, LonLat{-37.5, 23.44}, LonLat{120, -10}}) {
        const std::vector<world_map::Polyline> pieces = world_map::Terminator(sun);
        ASSERT_FALSE(pieces.empty());
        for (const world_map::Polyline& piece : pieces)
            for (const LonLat& p : piece) {
                EXPECT_NEAR(world_map::SunElevationDeg(p, sun), 0, 0.01) << p.lonDeg << ", " << p.latDeg;
                EXPECT_GE(p.lonDeg, -180);
                EXPECT_LE(p.lonDeg, 180);
            }
    }
}

TEST(SubSolarTrack, TheMapsSunStaysWithTheExactPointBetweenItsSamples)
{
    const Instant start = ParseIsoUtc("2027-06-01T00:00Z");
    const double span = 10 * 86400.0;
    const orbit::SubSolarTrack track = orbit::ephemeris::ExactSubSolarTrack(start, span);
    EXPECT_EQ(track.SpanS(), span);
    EXPECT_LE(track.StepS(), orbit::ephemeris::kExactSubSolarStepS);
    for (const double s : {0.0, 1234.5, 5.5 * 3600, 86400.0 * 3.3, span - 1, span}) {
        const LonLat exact = world_map::SubSolarPoint(start.PlusSeconds(s));
        // Away from the point itself, where the elevation's arc sine hides a
        // small error of its sine.
        for (const LonLat place : {LonLat{0, 0}, LonLat{exact.lonDeg + 90, 0}, LonLat{-120, 60}, LonLat{45, -30},
                                   LonLat{exact.lonDeg + 60, exact.latDeg - 20}}) {
            const double latitudeRad = place.latDeg * kDeg;
            const double read = std::asin(track.SinElevation(s, std::sin(latitudeRad), std::cos(latitudeRad),
                                                             place.lonDeg * kDeg)) /
                                kDeg;
            EXPECT_NEAR(read, world_map::SunElevationDeg(place, exact), 1e-3) << s << " s at " << place.lonDeg;
        }
    }
    const orbit::SubSolarTrack none = orbit::ephemeris::ExactSubSolarTrack(start, 0);
    EXPECT_EQ(none.SpanS(), orbit::ephemeris::kExactSubSolarStepS);
}

}  // namespace

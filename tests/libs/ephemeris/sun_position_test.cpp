// The Sun against published figures: Meeus, Astronomical Algorithms (2nd ed.),
// examples 25.b (the Sun's apparent place, 1992 October 13.0 TD) and 28.a (the
// equation of time there); the seasons of 2000 as the U.S. Naval Observatory
// publishes them; the equation of time's turning values of the almanac.

#include "ephemeris/sun_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {
namespace {

constexpr double kDeg = 180 / std::numbers::pi;

// 1992 October 13.0 TD is 59.184 s of TT after 23:59:00.816 UTC on October
// 12 (TAI - UTC was 27 s from 1992-07-01).
Instant MeeusInstant() { return ParseIsoUtc("1992-10-12T23:59:00.816Z"); }

TEST(SunPosition, ApparentPlaceOfMeeusExample25b)
{
    const SunPosition sun = SunAt(MeeusInstant());
    EXPECT_NEAR(sun.rightAscensionOfDateRad * kDeg, 198.378178, 0.001);
    EXPECT_NEAR(sun.declinationRad * kDeg, -7.783871, 0.001);
    EXPECT_NEAR(sun.distanceKm / kAstronomicalUnitKm, 0.99760775, 2e-6);
}

TEST(SunPosition, EquationOfTimeOfMeeusExample28a)
{
    EXPECT_NEAR(EquationOfTimeMin(MeeusInstant()), 13 + 42.6 / 60, 0.02);  // +13 m 42.6 s
}

struct Season {
    const char* name;
    const char* utc;
    double rightAscensionDeg;  // the true Sun's, of date
};

// At an equinox the Sun crosses the equator of date (its right ascension is
// 0 h or 12 h); at a solstice its right ascension is 6 h or 18 h. Seasons of
// 2000 (UTC, to the minute): the Sun moves 0.0007 degrees a minute.
TEST(SunPosition, SeasonsOf2000)
{
    const Season seasons[] = {{"March equinox", "2000-03-20T07:35Z", 0},
                              {"June solstice", "2000-06-21T01:48Z", 90},
                              {"September equinox", "2000-09-22T17:27Z", 180},
                              {"December solstice", "2000-12-21T13:37Z", 270}};
    for (const Season& s : seasons) {
        SCOPED_TRACE(s.name);
        const SunPosition sun = SunAt(ParseIsoUtc(s.utc));
        EXPECT_NEAR(std::remainder(sun.rightAscensionOfDateRad * kDeg - s.rightAscensionDeg, 360.0), 0, 0.001);
        // The true obliquity of 2000 is 23.4393 degrees, less nutation's few arcseconds.
        const double expectedDeclination = std::sin(s.rightAscensionDeg / kDeg) * 23.4393;
        EXPECT_NEAR(sun.declinationRad * kDeg, expectedDeclination, 0.01);
    }
}

// The equation of time's turning values in the almanac, every year within a
// few seconds: about -14 m 13 s near February 11 and +16 m 25 s near November 3.
TEST(SunPosition, EquationOfTimeTurningValues)
{
    auto extreme = [](const char* startUtc, int days, double sign) {
        const Instant start = ParseIsoUtc(startUtc);
        double best = -1e9;
        for (int hour = 0; hour <= days * 24; hour += 3) best = std::max(best, sign * EquationOfTimeMin(start.PlusSeconds(hour * 3600.0)));
        return sign * best;
    };
    EXPECT_NEAR(extreme("2027-02-01T00:00Z", 20, -1), -14.22, 0.1);
    EXPECT_NEAR(extreme("2027-10-25T00:00Z", 20, +1), 16.42, 0.1);
}

TEST(SunPosition, DistanceThroughTheYear)
{
    // Perihelion near January 3 at 0.98329 AU, aphelion near July 4 at 1.01671 AU.
    EXPECT_NEAR(SunAt(ParseIsoUtc("2027-01-03T00:00Z")).distanceKm / kAstronomicalUnitKm, 0.98329, 0.0001);
    EXPECT_NEAR(SunAt(ParseIsoUtc("2027-07-05T00:00Z")).distanceKm / kAstronomicalUnitKm, 1.01671, 0.0001);
}

TEST(SunPosition, DirectionsAreUnitVectorsOfTheSameSun)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const SunPosition sun = SunAt(t);
    auto norm = [](const Vector3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); };
    EXPECT_NEAR(norm(sun.directionEme2000), 1, 1e-14);
    EXPECT_NEAR(norm(sun.directionTrueOfDate), 1, 1e-14);
    const Vector3 back = MultiplyTransposed(Eme2000ToTrueOfDate(t), sun.directionTrueOfDate);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(back[i], sun.directionEme2000[i], 1e-14);
}

}  // namespace
}  // namespace orbit::ephemeris

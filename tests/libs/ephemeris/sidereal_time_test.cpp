// Sidereal time against Meeus, Astronomical Algorithms (2nd ed.), examples
// 12.a and 12.b, and the precession-nutation matrices against their own
// geometry.

#include "ephemeris/earth_orientation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {
namespace {

constexpr double kSecondsOfTimePerRad = 86400.0 / (2 * std::numbers::pi);

double Hms(double h, double m, double s) { return (h * 3600 + m * 60 + s); }

// The IAU 2006 sidereal time and Meeus's IAU 1982 expression agree to a few
// milliseconds in 1987; UT1 = UTC here by construction.
TEST(SiderealTime, MeanAndApparentAtMeeusInstants)
{
    const Instant midnight = ParseIsoUtc("1987-04-10T00:00Z");
    EXPECT_NEAR(GreenwichMeanSiderealTimeRad(midnight) * kSecondsOfTimePerRad, Hms(13, 10, 46.3668), 0.005);
    EXPECT_NEAR(GreenwichApparentSiderealTimeRad(midnight) * kSecondsOfTimePerRad, Hms(13, 10, 46.1351), 0.005);
    const Instant evening = ParseIsoUtc("1987-04-10T19:21:00Z");
    EXPECT_NEAR(GreenwichMeanSiderealTimeRad(evening) * kSecondsOfTimePerRad, Hms(8, 34, 57.0896), 0.005);
    // Meeus's equation of the equinoxes there: -0.2317 s.
    EXPECT_NEAR(EquationOfEquinoxesRad(midnight) * kSecondsOfTimePerRad, -0.2317, 0.002);
}

TEST(SiderealTime, OneSolarDayTurnsTheSkyBy3Minutes56Seconds)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const double turn = std::remainder(
        GreenwichMeanSiderealTimeRad(t.PlusSeconds(86400)) - GreenwichMeanSiderealTimeRad(t), 2 * std::numbers::pi);
    // A mean solar day is 24 h 3 m 56.5554 s of sidereal time.
    EXPECT_NEAR(turn * kSecondsOfTimePerRad, 236.5554, 0.001);
}

TEST(EarthOrientation, MatricesAreRotations)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    for (const Matrix3& m : {Eme2000ToMeanOfDate(t), Eme2000ToTrueOfDate(t), EarthOrientationAt(t).eme2000ToTrueOfDate}) {
        for (std::size_t i = 0; i < 3; ++i) {
            Vector3 axis{};
            axis[i] = 1;
            const Vector3 back = MultiplyTransposed(m, Multiply(m, axis));
            for (std::size_t j = 0; j < 3; ++j) EXPECT_NEAR(back[j], axis[j], 1e-14);
        }
    }
}

// The general precession in longitude is 5028.8 arcseconds a century: the
// J2000 equinox, seen in the mean frame of 2027.2, lies that much times 0.272
// centuries east along the ecliptic; its equator pole has moved by the
// precession in declination, 2004.19 arcseconds a century.
TEST(EarthOrientation, PrecessionMovesThePoleAndTheEquinox)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const double centuries = (t.Tt().Sum() - 2451545.0) / 36525.0;
    const Matrix3 m = Eme2000ToMeanOfDate(t);
    const Vector3 pole = Multiply(m, Vector3{0, 0, 1});
    const double poleShiftArcsec = std::acos(pole[2]) * 180 / std::numbers::pi * 3600;
    EXPECT_NEAR(poleShiftArcsec, 2004.19 * centuries, 0.5);
    const Vector3 meanPoleInJ2000 = MultiplyTransposed(m, Vector3{0, 0, 1});
    // The pole moves towards the equinox's right ascension of 0 h: +x in J2000.
    EXPECT_GT(meanPoleInJ2000[0], 0);
    // Nutation: the true frame differs from the mean by the nutation, under 20 arcseconds.
    const Vector3 truePole = Multiply(Eme2000ToTrueOfDate(t), Vector3{0, 0, 1});
    const double nutationArcsec = std::acos(std::min(1.0, pole[0] * truePole[0] + pole[1] * truePole[1] +
                                                             pole[2] * truePole[2])) *
                                  180 / std::numbers::pi * 3600;
    EXPECT_GT(nutationArcsec, 1);
    EXPECT_LT(nutationArcsec, 20);
}

}  // namespace
}  // namespace orbit::ephemeris

// WGS84 points against the ellipsoid's published figures, and the Earth's
// orientation from EME2000 against the equinox-based route to the same frame.

#include "ephemeris/geodetic.h"

#include "core/orbit_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace orbit::ephemeris {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

TEST(Wgs84Points, LieWhereTheEllipsoidsFiguresPutThem)
{
    // a = 6378.137 km, b = a (1 - f) = 6356.752314245 km; at 45 degrees
    // geodetic the geocentric latitude is 44.8076 degrees (tan psi =
    // (1 - e^2) tan phi).
    struct Case {
        std::string name;
        GeodeticPoint point;
        Vector3 expectedKm;
    } const cases[] = {
        {"EquatorAtGreenwich", {0, 0, 0}, {6378.137, 0, 0}},
        {"EquatorNinetyEastOneKmUp", {0, 90, 1}, {0, 6379.137, 0}},
        {"NorthPole", {90, 0, 0}, {0, 0, 6356.752314245}},
        {"SouthPoleTwoKmDown", {-90, 0, -2}, {0, 0, -6354.752314245}},
    };
    for (const Case& c : cases) {
        const Vector3 p = Wgs84EarthFixedKm(c.point);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(p[i], c.expectedKm[i], 1e-9) << c.name;
    }
    const Vector3 mid = Wgs84EarthFixedKm({45, -120, 0});
    EXPECT_NEAR(std::atan2(mid[2], std::hypot(mid[0], mid[1])) / kDeg, 44.80757, 1e-5);
    EXPECT_NEAR(std::atan2(mid[1], mid[0]) / kDeg, -120, 1e-12);
}

TEST(Wgs84Points, GoThereAndBack)
{
    for (const GeodeticPoint& g : {GeodeticPoint{67.86, 20.96, 0.39}, GeodeticPoint{-33.9, 151.2, 0},
                                   GeodeticPoint{43.6, -1.44, 786}, GeodeticPoint{-0.4, -179.9, 35786}}) {
        const GeodeticPoint back = Wgs84GeodeticOf(Wgs84EarthFixedKm(g));
        EXPECT_NEAR(back.latitudeDeg, g.latitudeDeg, 1e-10);
        EXPECT_NEAR(back.longitudeDeg, g.longitudeDeg, 1e-10);
        EXPECT_NEAR(back.heightKm, g.heightKm, 1e-9);
    }
}

TEST(Wgs84Points, RefuseALatitudeBeyondThePole)
{
    for (const GeodeticPoint& g : {GeodeticPoint{90.5, 0, 0}, GeodeticPoint{std::nan(""), 0, 0},
                                   GeodeticPoint{0, INFINITY, 0}}) {
        try {
            Wgs84EarthFixedKm(g);
            ADD_FAILURE() << "no error for latitude " << g.latitudeDeg;
        } catch (const OrbitError& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::InvalidArgument);
        }
    }
}

TEST(EarthFixedFrame, IsTheTrueOfDateFrameTurnedByTheApparentSiderealTime)
{
    // The CIO-based rotation of eraC2t06a and the equinox-based one,
    // Rz(GAST) times bias-precession-nutation, meet to well under a
    // milliarcsecond; a swapped time scale (TT for UT1) would part them by
    // 69 s of the Earth's turn, 0.29 degrees.
    const Instant t = ParseIsoUtc("2027-03-21T06:30:00Z");
    const Matrix3 fixed = Eme2000ToEarthFixed(t);
    const EarthOrientation e = EarthOrientationAt(t);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        Vector3 v{};
        v[axis] = 1;
        const Vector3 ofDate = Multiply(e.eme2000ToTrueOfDate, v);
        const double c = std::cos(e.gastRad), s = std::sin(e.gastRad);
        const Vector3 expected = {c * ofDate[0] + s * ofDate[1], -s * ofDate[0] + c * ofDate[1], ofDate[2]};
        const Vector3 found = Multiply(fixed, v);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(found[i], expected[i], 5e-9) << "axis " << axis;
    }
}

TEST(EarthFixedFrame, SubSatellitePointOfAPositionTurnedFromTheGround)
{
    // A satellite 786 km over Kiruna, taken to EME2000 by the inverse
    // rotation, comes back over Kiruna.
    const Instant t = ParseIsoUtc("2027-09-01T12:00:00Z");
    const Vector3 overhead = Wgs84EarthFixedKm({67.86, 20.96, 786});
    const Vector3 inertial = MultiplyTransposed(Eme2000ToEarthFixed(t), overhead);
    const GeodeticPoint g = GeodeticOfEme2000(t, inertial);
    EXPECT_NEAR(g.latitudeDeg, 67.86, 1e-9);
    EXPECT_NEAR(g.longitudeDeg, 20.96, 1e-9);
    EXPECT_NEAR(g.heightKm, 786, 1e-6);
    // Half a sidereal day later the same inertial point lies on the other side.
    const GeodeticPoint later = GeodeticOfEme2000(t.PlusSeconds(86164.0905 / 2), inertial);
    EXPECT_NEAR(std::remainder(later.longitudeDeg - 20.96 - 180, 360), 0, 0.01);
}

}  // namespace
}  // namespace orbit::ephemeris

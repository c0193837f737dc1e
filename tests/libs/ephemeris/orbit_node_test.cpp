// The orbit's node at an epoch: the three ways of giving it lead to one node,
// the J2000 crossing agrees with a search along the orbit, and the local time
// drifts at the node's rate against the mean Sun.

#include "ephemeris/orbit_node.h"

#include "ephemeris/sun_position.h"
#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = 180 / kPi;

// The J2 node rate of a sun-synchronous orbit equals the mean Sun's.
constexpr double kSunSyncRate = kMeanSunRateRadS;

double HoursApart(double a, double b) { return std::remainder(a - b, 24.0); }

TEST(OrbitNode, LtanAndLtdnAreTwelveHoursApart)
{
    const Instant epoch = ParseIsoUtc("2027-03-21T00:00Z");
    const OrbitNode fromLtdn = ResolveNode(epoch, {NodeGiven::Ltdn, 10.5}, 98.6 / kDeg, kSunSyncRate);
    const OrbitNode fromLtan = ResolveNode(epoch, {NodeGiven::Ltan, 22.5}, 98.6 / kDeg, kSunSyncRate);
    EXPECT_NEAR(fromLtdn.ltanMeanH, 22.5, 1e-12);
    EXPECT_NEAR(fromLtdn.ltdnMeanH, 10.5, 1e-12);
    EXPECT_NEAR(fromLtdn.raanOfDateRad, fromLtan.raanOfDateRad, 1e-14);
    EXPECT_NEAR(std::abs(HoursApart(fromLtdn.ltdnTrueH, fromLtdn.ltanTrueH)), 12, 1e-12);  // either way round
    EXPECT_NEAR(HoursApart(fromLtan.ltanTrueH, fromLtan.ltanMeanH) * 60, fromLtan.equationOfTimeMin, 1e-9);
}

// At 00:00 UT a node at mean local time 22:30 lies 22.5 h east, 337.5
// degrees: longitude -22.5 degrees. Its right ascension is GAST plus that.
TEST(OrbitNode, LongitudeAndRightAscensionFromTheLocalTime)
{
    const Instant epoch = ParseIsoUtc("2027-03-21T06:00Z");
    const OrbitNode node = ResolveNode(epoch, {NodeGiven::Ltan, 10.5}, 98.6 / kDeg, kSunSyncRate);
    EXPECT_NEAR(node.longitudeRad * kDeg, 15 * (10.5 - 6), 1e-9);
    EXPECT_NEAR(std::remainder(node.raanOfDateRad - GreenwichApparentSiderealTimeRad(epoch) - node.longitudeRad, 2 * kPi),
                0, 1e-12);
    // The true local time is the Sun's hour angle there plus 12 h.
    const SunPosition sun = SunAt(epoch);
    const double trueH = (node.raanOfDateRad - sun.rightAscensionOfDateRad) * 12 / kPi + 12;
    EXPECT_NEAR(HoursApart(node.ltanTrueH, trueH), 0, 1e-9);
}

// The J2000 node found by walking the orbit: the point of the circle whose
// EME2000 z goes from negative to positive, found by bisection in the
// argument of latitude, with no use of the plane's pole.
double AscendingCrossingByBisection(const Instant& t, double raanOfDate, double incl)
{
    const Matrix3 m = Eme2000ToTrueOfDate(t);
    auto position = [&](double u) {
        const Vector3 ofDate{std::cos(raanOfDate) * std::cos(u) - std::sin(raanOfDate) * std::sin(u) * std::cos(incl),
                             std::sin(raanOfDate) * std::cos(u) + std::cos(raanOfDate) * std::sin(u) * std::cos(incl),
                             std::sin(u) * std::sin(incl)};
        return MultiplyTransposed(m, ofDate);
    };
    double lo = -0.2, hi = 0.2;  // the crossing is within a few tenths of a degree of the node of date
    for (int i = 0; i < 200 && hi - lo > 1e-15; ++i) {
        const double mid = (lo + hi) / 2;
        (position(mid)[2] < 0 ? lo : hi) = mid;
    }
    const Vector3 p = position((lo + hi) / 2);
    const double ra = std::atan2(p[1], p[0]);
    return ra < 0 ? ra + 2 * kPi : ra;
}

struct PlaneCase {
    const char* epoch;
    double inclDeg, ltanH;
};

TEST(OrbitNode, Eme2000NodeIsWhereThePlaneCrossesTheJ2000Equator)
{
    const PlaneCase cases[] = {{"2027-03-21T00:00Z", 98.6, 22.5}, {"2027-03-21T00:00Z", 65, 3},
                               {"2090-06-01T12:00Z", 51.6, 14}, {"1975-01-01T00:00Z", 30, 8}};
    for (const PlaneCase& c : cases) {
        SCOPED_TRACE(c.epoch);
        const Instant t = ParseIsoUtc(c.epoch);
        const OrbitNode node = ResolveNode(t, {NodeGiven::Ltan, c.ltanH}, c.inclDeg / kDeg, kSunSyncRate);
        EXPECT_NEAR(std::remainder(node.raanEme2000Rad - AscendingCrossingByBisection(t, node.raanOfDateRad, c.inclDeg / kDeg),
                                   2 * kPi) * kDeg,
                    0, 1e-9);
        // Precession turns the frame by m = 46.1 arcseconds a year about the
        // pole and n = 20.0 about the equinox's line; the node moves by m
        // plus up to n cot i.
        const double years = std::abs(t.SecondsSince(ParseIsoUtc("2000-01-01T12:00Z")) / (365.25 * 86400));
        const double gapArcsec = std::abs(std::remainder(node.raanOfDateRad - node.raanEme2000Rad, 2 * kPi)) * kDeg * 3600;
        const double tilt = 20.0 * std::abs(std::cos(c.inclDeg / kDeg) / std::sin(c.inclDeg / kDeg));
        EXPECT_GE(gapArcsec, years * (46.1 - tilt) * 0.97 - 20);  // less nutation's 20 arcseconds
        EXPECT_LE(gapArcsec, years * (46.1 + tilt) * 1.03 + 20);
    }
}

// The crossing is not the node of date's direction carried into J2000: the
// two differ by a few hundredths of a degree on an inclined orbit.
TEST(OrbitNode, CrossingDiffersFromTheCarriedNodeDirection)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const OrbitNode node = ResolveNode(t, {NodeGiven::Ltan, 22.5}, 98.6 / kDeg, kSunSyncRate);
    const Vector3 carried = MultiplyTransposed(Eme2000ToTrueOfDate(t),
                                               Vector3{std::cos(node.raanOfDateRad), std::sin(node.raanOfDateRad), 0});
    const double carriedRa = std::atan2(carried[1], carried[0]);
    const double gapDeg = std::abs(std::remainder(node.raanEme2000Rad - carriedRa, 2 * kPi)) * kDeg;
    EXPECT_GT(gapDeg, 0.001);
    EXPECT_LT(gapDeg, 0.1);
}

struct RaanCase {
    const char* what;
    double inclDeg, raanDeg;
};

TEST(OrbitNode, RaanInEme2000RoundTrips)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const RaanCase cases[] = {{"sun-synchronous", 98.6, 120},  {"inclined", 65, 0},
                              {"polar", 90, 359.999},          {"low inclination", 5, 200},
                              {"retrograde", 144, 45},         {"near the wrap", 51.6, 0.0001}};
    for (const RaanCase& c : cases) {
        SCOPED_TRACE(c.what);
        const OrbitNode node = ResolveNode(t, {NodeGiven::RaanEme2000, c.raanDeg}, c.inclDeg / kDeg, kSunSyncRate);
        EXPECT_NEAR(std::remainder(node.raanEme2000Rad * kDeg - c.raanDeg, 360.0), 0, 1e-9);
        // Given back as a local time, the node is the same one.
        const OrbitNode again = ResolveNode(t, {NodeGiven::Ltan, node.ltanMeanH}, c.inclDeg / kDeg, kSunSyncRate);
        EXPECT_NEAR(std::remainder(again.raanEme2000Rad * kDeg - c.raanDeg, 360.0), 0, 1e-9);
        EXPECT_NEAR(std::remainder(again.raanOfDateRad - node.raanOfDateRad, 2 * kPi), 0, 1e-12);
    }
}

TEST(OrbitNode, EquatorialPlaneHasNoNodeToSolveFor)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    EXPECT_EQ(ErrorKindOf([&] { ResolveNode(t, {NodeGiven::RaanEme2000, 90}, 0.0, kSunSyncRate); }),
              ErrorKind::NoConvergence);
    // Given as a local time, an equatorial orbit's node is still a place on the equator.
    EXPECT_NO_THROW(ResolveNode(t, {NodeGiven::Ltan, 6}, 0.0, kSunSyncRate));
}

// A sun-synchronous node keeps its local time; any other falls behind (or
// runs ahead of) the mean Sun's 360 / 365.2422 degrees a day, at 4 minutes of
// local time a degree.
TEST(OrbitNode, DriftIsTheNodeRateAgainstTheMeanSun)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    EXPECT_NEAR(ResolveNode(t, {NodeGiven::Ltan, 10}, 98 / kDeg, kSunSyncRate).ltanDriftMinPerDay, 0, 1e-12);
    // A node fixed in space falls back one day of local time in a tropical year:
    // 1440 / 365.2422 minutes a day.
    EXPECT_NEAR(LocalTimeDriftMinPerDay(0), -1440 / 365.2422, 1e-9);
    const double rate = -3.0 / kDeg / 86400;  // -3 degrees a day
    const OrbitNode node = ResolveNode(t, {NodeGiven::Ltan, 10}, 65 / kDeg, rate);
    EXPECT_NEAR(node.ltanDriftMinPerDay, (-3 - 360 / 365.2422) * 4, 1e-9);  // 4 minutes a degree
    // After ten days the local time has moved by ten days of drift.
    EXPECT_NEAR(HoursApart(MeanLtanAfter(node, 10 * 86400.0, rate), 10 + 10 * node.ltanDriftMinPerDay / 60), 0, 1e-9);
}

// The mean local time of the node, worked out from the node's right ascension
// and sidereal time on a later day, follows MeanLtanAfter.
TEST(OrbitNode, MeanLtanAfterFollowsTheNodeThroughTheSky)
{
    const Instant t = ParseIsoUtc("2027-03-21T00:00Z");
    const double rate = -3.0 / kDeg / 86400;
    const OrbitNode node = ResolveNode(t, {NodeGiven::Ltan, 10}, 65 / kDeg, rate);
    for (const double days : {1.0, 30.5, 200.25}) {
        const Instant later = t.PlusSeconds(days * 86400);
        const double raan = node.raanOfDateRad + rate * days * 86400;
        // Mean local time: UT1 plus the node's Earth-fixed longitude.
        const double lon = raan - GreenwichApparentSiderealTimeRad(later);
        const double meanH = 24 * later.Ut1DayFraction() + lon * 12 / kPi;
        // The node's right ascension of date is carried here at the J2 rate
        // alone; precession (50 arcseconds a year, 0.00009 h a day) and the
        // change of nutation (under 20 arcseconds, 0.0013 h) are left out.
        EXPECT_NEAR(HoursApart(MeanLtanAfter(node, days * 86400, rate), meanH), 0, 0.0015 + days * 1e-4) << days;
    }
}

}  // namespace
}  // namespace orbit::ephemeris

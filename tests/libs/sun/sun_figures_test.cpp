// The Sun's figures of whole designs over a year: the published figures of
// orbits like Sentinel-2's and Sentinel-1's, and each column against a
// computation made another way.

#include "sun/sun_figures.h"

#include "analysis/ground_track.h"
#include "core/orbit_error.h"
#include "ephemeris/sun_position.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::sun {
namespace {

constexpr double kDeg = 180 / std::numbers::pi;

struct Design {
    DesignRecord record;
    double axisKm = 0;
};

Design Solved(double n, double m, double q, OrbitType type, double inclDeg = 0)
{
    Design d;
    d.axisKm = SolveRepeatOrbit(RepeatOrbitInputs::Fixed(n, m, q, type, inclDeg, 0), {}, d.record).SemiMajorAxis;
    return d;
}

struct Flight {
    Design design;
    ephemeris::Instant epoch;
    ephemeris::OrbitNode node;
};

Flight Fly(const Design& design, const char* epochText, ephemeris::NodeRequest request)
{
    const ephemeris::Instant epoch = ephemeris::ParseIsoUtc(epochText);
    return {design, epoch, ephemeris::ResolveNode(epoch, request, design.record.Incl, design.record.NodeRate)};
}

SunFigures FiguresOf(const Flight& f, SunSpan span = {})
{
    return SunFiguresOf(f.design.record, f.design.axisKm, f.epoch, f.node, span);
}

// Sentinel-2 (786 km, 10:30 descending): the Sun stays 17 to 27 degrees off
// the orbit plane all year and every revolution spends about 34 minutes in
// the umbra; the true local time swings with the equation of time.
TEST(SunFigures, Sentinel2LikeOrbitThroughTheYear)
{
    const Flight f = Fly(Solved(14, 3, 10, OrbitType::SunSynchronous), "2027-03-21T00:00Z",
                         {ephemeris::NodeGiven::Ltdn, 10.5});
    const SunFigures figures = FiguresOf(f);
    ASSERT_EQ(figures.days.size(), 366u);
    EXPECT_NEAR(figures.summary.betaMinDeg, 17, 1.5);
    EXPECT_NEAR(figures.summary.betaMaxDeg, 27, 1.5);
    EXPECT_NEAR(figures.summary.umbraMaxMin, 34, 1.5);
    EXPECT_EQ(figures.summary.eclipseFreeRows, 0u);
    ASSERT_EQ(figures.summary.seasons.size(), 1u);  // the whole year is one season
    for (const SunDay& day : figures.days) {
        EXPECT_NEAR(day.eclipse.umbraMin, 34, 1.5);
        EXPECT_NEAR(day.ltanMeanH, 22.5, 0.001);  // the design matches the mean Sun to its digits
    }
    // Mid-February (day 327 after March 21) and early November (day 227).
    EXPECT_NEAR((figures.days[327].ltanTrueH - 22.5) * 60, -14.2, 0.15);
    EXPECT_NEAR((figures.days[227].ltdnTrueH - 10.5) * 60, 16.4, 0.15);
}

// Sentinel-1 (693 km, dawn-dusk, 18:00 ascending): in sunlight all year
// except weeks around the June solstice, when the umbra lasts up to about 19
// minutes.
TEST(SunFigures, Sentinel1LikeDawnDuskOrbit)
{
    const Flight f = Fly(Solved(14, 7, 12, OrbitType::SunSynchronous), "2027-01-01T00:00Z",
                         {ephemeris::NodeGiven::Ltan, 18});
    const SunFigures figures = FiguresOf(f);
    EXPECT_NEAR(figures.summary.umbraMaxMin, 19, 1.5);
    EXPECT_GT(figures.summary.eclipseFreeRows, 366u / 2);
    ASSERT_EQ(figures.summary.seasons.size(), 1u);
    const EclipseSeason& season = figures.summary.seasons.front();
    // June 21 is row 171 from January 1.
    EXPECT_LT(season.firstRow, 171u);
    EXPECT_GT(season.lastRow, 171u);
    EXPECT_NEAR(static_cast<double>(figures.summary.umbraMaxRow), 171, 10);
}

// An inclined orbit's node local time runs round the clock: N 15, M 1, Q 1 at
// 65 degrees loses 19 minutes a day, and beta swings through both signs.
TEST(SunFigures, InclinedOrbitDriftsThroughAllLocalTimes)
{
    const Flight f = Fly(Solved(15, 1, 1, OrbitType::ChooseInclination, 65), "2027-03-21T00:00Z",
                         {ephemeris::NodeGiven::Ltan, 12});
    const SunFigures figures = FiguresOf(f, {90, 1, 0});
    for (std::size_t k = 1; k < figures.days.size(); ++k) {
        const double change = std::remainder(figures.days[k].ltanMeanH - figures.days[k - 1].ltanMeanH, 24.0) * 60;
        EXPECT_NEAR(change, f.node.ltanDriftMinPerDay, 1e-6);
    }
    EXPECT_LT(figures.summary.betaMinDeg, -45);
    EXPECT_GT(figures.summary.betaMaxDeg, 45);
    EXPECT_GT(figures.summary.eclipseFreeRows, 0u);
}

// Beta from the plane's own points: the Sun's component along the normal
// of two of the orbit's positions, both carried from the node of date, with
// the Sun computed exactly at the row.
TEST(SunFigures, BetaIsTheSunsAngleToThePlane)
{
    const Flight f = Fly(Solved(14, 3, 10, OrbitType::SunSynchronous), "2027-03-21T00:00Z",
                         {ephemeris::NodeGiven::Ltdn, 10.5});
    const SunFigures figures = FiguresOf(f, {60, 7.5, 0});
    for (const SunDay& day : figures.days) {
        const ephemeris::Instant at = f.epoch.PlusSeconds(day.secondsAfterEpoch);
        const ephemeris::Vector3 s = ephemeris::SunAt(at).directionTrueOfDate;
        const double raan = f.node.raanOfDateRad + f.design.record.NodeRate * day.secondsAfterEpoch;
        const double i = f.design.record.Incl;
        const double node[3] = {std::cos(raan), std::sin(raan), 0};
        const double quarter[3] = {-std::sin(raan) * std::cos(i), std::cos(raan) * std::cos(i), std::sin(i)};
        const double normal[3] = {node[1] * quarter[2] - node[2] * quarter[1], node[2] * quarter[0] - node[0] * quarter[2],
                                  node[0] * quarter[1] - node[1] * quarter[0]};
        // The figures read the Sun from its eight-day table, good to 0.0002 deg.
        EXPECT_NEAR(day.betaDeg, std::asin(normal[0] * s[0] + normal[1] * s[1] + normal[2] * s[2]) * kDeg, 0.001);
    }
}

// A pass's local time follows from the node's: along the track the mean
// local time moves by the orbit's turn in right ascension from the node,
// atan2(cos i sin u, cos u), less the little the node and the mean Sun move
// apart meanwhile.
TEST(SunFigures, LatitudeLocalTimeFollowsFromTheNode)
{
    const Flight f = Fly(Solved(14, 3, 10, OrbitType::SunSynchronous), "2027-03-21T00:00Z",
                         {ephemeris::NodeGiven::Ltdn, 10.5});
    const SunFigures figures = FiguresOf(f, {30, 1, 10});
    const double i = f.design.record.Incl;
    ASSERT_EQ(figures.latitudes.size(), 17u);  // -80 to 80: the track turns at 81.5
    EXPECT_EQ(figures.latitudes.front().latitudeDeg, -80);
    for (const LatitudeLight& light : figures.latitudes) {
        SCOPED_TRACE(light.latitudeDeg);
        const double u = std::asin(std::sin(light.latitudeDeg / kDeg) / std::sin(i));
        const double northH = std::atan2(std::cos(i) * std::sin(u), std::cos(u)) * kDeg / 15;
        const double southH = std::atan2(std::cos(i) * std::sin(std::numbers::pi - u), std::cos(std::numbers::pi - u)) * kDeg / 15;
        for (std::size_t k = 0; k < figures.days.size(); ++k) {
            EXPECT_NEAR(std::remainder(light.ascending.localTimeH[k] - (22.5 + northH), 24.0), 0, 0.002);
            EXPECT_NEAR(std::remainder(light.descending.localTimeH[k] - (22.5 + southH), 24.0), 0, 0.002);
        }
    }
    // 10:30 descending over the equator.
    const LatitudeLight& equator = figures.latitudes[8];
    EXPECT_NEAR(equator.descending.localTimeH[0], 10.5, 0.002);
}

// The Sun's elevation under each pass against the exact Sun at the crossing,
// found here by stepping the track to the parallel.
TEST(SunFigures, SunElevationUnderThePass)
{
    const Flight f = Fly(Solved(15, 1, 1, OrbitType::ChooseInclination, 65), "2027-06-01T06:30Z",
                         {ephemeris::NodeGiven::RaanEme2000, 40});
    const SunFigures figures = FiguresOf(f, {5, 0.5, 15});
    const analysis::GroundTrack track(f.design.record);
    for (const LatitudeLight& light : figures.latitudes) {
        SCOPED_TRACE(light.latitudeDeg);
        for (std::size_t k = 0; k < figures.days.size(); ++k) {
            // Step forward from just before the row to the first northward
            // crossing, then close in on it by halving.
            double lo = figures.days[k].secondsAfterEpoch - 1e-3;
            while (!(track.At(lo).latitudeDeg < light.latitudeDeg && track.At(lo + 10).latitudeDeg >= light.latitudeDeg))
                lo += 10;
            double hi = lo + 10;
            for (int halving = 0; halving < 60; ++halving) {
                const double mid = (lo + hi) / 2;
                (track.At(mid).latitudeDeg < light.latitudeDeg ? lo : hi) = mid;
            }
            const double t = hi;
            const ephemeris::Instant at = f.epoch.PlusSeconds(t);
            const ephemeris::EarthOrientation earth = ephemeris::EarthOrientationAt(at);
            const ephemeris::Vector3 s = ephemeris::SunAt(at, earth).directionTrueOfDate;
            const double lon = f.node.longitudeRad + track.At(t).longitudeDeg / kDeg + earth.gastRad;
            const double lat = light.latitudeDeg / kDeg;
            const double up[3] = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
            const double elevation = std::asin(up[0] * s[0] + up[1] * s[1] + up[2] * s[2]) * kDeg;
            EXPECT_NEAR(light.ascending.sunElevationDeg[k], elevation, 0.01);
            const double localTime = 24 * at.Ut1DayFraction() + (f.node.longitudeRad * kDeg + track.At(t).longitudeDeg) / 15;
            EXPECT_NEAR(std::remainder(light.ascending.localTimeH[k] - localTime, 24.0), 0, 0.001);
        }
    }
}

TEST(SunFigures, RowsOfTheSpan)
{
    const Flight f = Fly(Solved(14, 3, 10, OrbitType::SunSynchronous), "2027-03-21T00:00Z",
                         {ephemeris::NodeGiven::Ltan, 22.5});
    EXPECT_EQ(FiguresOf(f, {1, 0.25, 0}).days.size(), 5u);
    EXPECT_EQ(FiguresOf(f, {0, 1, 0}).days.size(), 1u);
    EXPECT_EQ(FiguresOf(f, {1, 0.01, 0}).days.size(), 101u);
    EXPECT_EQ(FiguresOf(f, {10, 3, 0}).days.size(), 4u);
    const SunFigures quarters = FiguresOf(f, {1, 0.25, 0});
    EXPECT_NEAR(quarters.days[3].secondsAfterEpoch, 0.75 * 86400, 1e-9);
    EXPECT_NEAR(quarters.days[3].mjdUtc, 61485.75, 1e-9);
}

struct BadSpan {
    const char* what;
    SunSpan span;
    const char* reason;
};

TEST(SunFigures, BadSpansAreRefused)
{
    const BadSpan cases[] = {{"negative days", {-1, 1, 0}, "span"},
                             {"over ten years", {3661, 1, 0}, "span"},
                             {"step too fine", {10, 0.001, 0}, "step"},
                             {"step past the span", {10, 11, 0}, "step"},
                             {"step not a number", {10, std::nan(""), 0}, "step"},
                             {"latitude step 0.5", {10, 1, 0.5}, "latitude step"},
                             {"latitude step 91", {10, 1, 91}, "latitude step"}};
    for (const BadSpan& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            ValidateSunSpan(c.span);
            ADD_FAILURE() << "accepted";
        } catch (const OrbitError& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::Usage);
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
}

// An equatorial track lies on the equator and crosses no parallel.
TEST(SunFigures, EquatorialOrbitHasNoLatitudeRows)
{
    const Flight f = Fly(Solved(15, 1, 1, OrbitType::ChooseInclination, 0), "2027-03-21T00:00Z",
                         {ephemeris::NodeGiven::Ltan, 6});
    const SunFigures figures = FiguresOf(f, {10, 1, 10});
    EXPECT_TRUE(figures.latitudes.empty());
    EXPECT_EQ(figures.days.size(), 11u);
}

}  // namespace
}  // namespace orbit::sun

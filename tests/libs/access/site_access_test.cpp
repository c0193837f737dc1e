// The Sun and the local time at a pass, and which passes are looks.

#include "access/site_access.h"

#include "ephemeris/earth_orientation.h"
#include "ephemeris/orbit_node.h"
#include "ephemeris/sun_position.h"
#include "core/repbas.h"
#include "tests/libs/access/solved_orbit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::access {
namespace {

using testing::CycleSeconds;
using testing::SolvedOrbit;
using testing::Solve;
constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

ephemeris::Instant Epoch() { return ephemeris::ParseIsoUtc("2027-03-21T06:30:00Z"); }

ephemeris::OrbitNode NodeAtLtdn(const SolvedOrbit& orbit, double ltdnH)
{
    return ephemeris::ResolveNode(Epoch(), {ephemeris::NodeGiven::Ltdn, ltdnH}, orbit.record.Incl,
                                  orbit.record.NodeRate);
}

TEST(SunOverSpan, MatchesTheEphemerisAtEveryInstant)
{
    // The Sun's direction of date from the ephemeris, the place turned into
    // the frame of date by the apparent sidereal time; the clock time from
    // the calendar.
    const double spanS = 41.3 * 86400;
    const SunOverSpan sun(Epoch(), spanS);
    for (const auto& [lat, lon] : {std::pair{43.6, 1.44}, std::pair{-33.9, 151.2}, std::pair{78.2, 15.6},
                                   std::pair{0.0, -179.9}}) {
        for (double t = 0; t <= spanS; t += 86400 * 0.731) {
            const ephemeris::Instant at = Epoch().PlusSeconds(t);
            const ephemeris::SunPosition s = ephemeris::SunAt(at);
            const double turned = ephemeris::GreenwichApparentSiderealTimeRad(at) + lon * kDeg;
            const ephemeris::Vector3 up = {std::cos(lat * kDeg) * std::cos(turned),
                                           std::cos(lat * kDeg) * std::sin(turned), std::sin(lat * kDeg)};
            double sine = 0;
            for (std::size_t k = 0; k < 3; ++k)
                sine += s.directionTrueOfDate[k] * up[k];
            const SunSeen seen = sun.At(t, lat, lon);
            EXPECT_NEAR(seen.elevationDeg, std::asin(sine) / kDeg, 1e-4) << t;
            const ephemeris::UtcCalendar clock = at.Calendar();
            const double local = std::fmod(clock.hour + clock.minute / 60.0 + clock.second / 3600 + lon / 15 + 48, 24.0);
            EXPECT_NEAR(std::remainder(seen.meanLocalTimeH - local, 24.0), 0, 1e-9);
        }
    }
}

TEST(SiteAccess, PlaceOnTheEquatorUnderTheNodeIsSeenAtTheEpochAtTheNodesLocalTime)
{
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const ephemeris::OrbitNode node = NodeAtLtdn(orbit, 10.5);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, node.longitudeRad);
    const double spanS = CycleSeconds(orbit);
    const SiteAccess access = SiteAccessOver(TrackSamples(track, spanS), SunOverSpan(Epoch(), spanS),
                                             {0, node.longitudeRad / kDeg}, {LookLimit::Swath, 290, {}});
    ASSERT_FALSE(access.passes.empty());
    const SitePass& first = access.passes.front();
    EXPECT_NEAR(first.timeS, 0, 1e-6);
    EXPECT_NEAR(first.crossTrackKm, 0, 1e-6);
    EXPECT_NEAR(first.localTimeH, node.ltanMeanH, 1e-9);
    EXPECT_NEAR(first.localTimeH, 22.5, 1e-9);
    EXPECT_TRUE(first.look);
    EXPECT_EQ(access.summary.firstLookS, 0.0);
}

TEST(SiteAccess, DaylightLooksOfAMorningOrbitAreItsDescendingPasses)
{
    // On the 10:30 descending orbit the descending passes over Toulouse come
    // late in the morning and the ascending ones late in the evening: in
    // March the Sun is up for the first and down for the second.
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const ephemeris::OrbitNode node = NodeAtLtdn(orbit, 10.5);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, node.longitudeRad);
    const double spanS = CycleSeconds(orbit);
    const TrackSamples samples(track, spanS);
    const SunOverSpan sun(Epoch(), spanS);
    const Place toulouse{43.6, 1.44};
    const SiteAccess all = SiteAccessOver(samples, sun, toulouse, {LookLimit::Swath, 1000, {}});
    const SiteAccess daylight = SiteAccessOver(samples, sun, toulouse, {LookLimit::Swath, 1000, 0.0});
    ASSERT_EQ(all.passes.size(), daylight.passes.size());
    int descendingLooks = 0;
    for (std::size_t k = 0; k < all.passes.size(); ++k) {
        const SitePass& p = all.passes[k];
        EXPECT_EQ(daylight.passes[k].look, p.look && !p.ascending);
        EXPECT_EQ(p.sunElevationDeg > 0, !p.ascending) << k;
        // A look comes within an hour of the node's time: at 43.6 degrees
        // the track's slant and the Earth's turn since the node carry it
        // some 45 minutes of longitude from the node's meridian.
        const double expectedLocal = p.ascending ? 22.5 : 10.5;
        if (p.look) {
            EXPECT_LT(std::fabs(std::remainder(p.localTimeH - expectedLocal, 24.0)), 1.0) << k;
        }
        descendingLooks += p.look && !p.ascending;
    }
    EXPECT_GT(descendingLooks, 0);
    EXPECT_EQ(daylight.summary.looks, descendingLooks);
    EXPECT_LT(daylight.summary.looks, all.summary.looks);
    ASSERT_TRUE(daylight.summary.maxWaitDays && daylight.summary.meanWaitDays);
    EXPECT_LE(*daylight.summary.meanWaitDays, *daylight.summary.maxWaitDays);
    EXPECT_LE(*daylight.summary.maxWaitDays, spanS / 86400);
}

TEST(SiteAccess, OffNadirLooksReachAsFarAsTheAngleDoes)
{
    // A place is seen within an off-nadir angle exactly when it lies within
    // the ground reach of that angle; beyond the limb, up to the horizon.
    // The reach is the design's sphere's, the look the ellipsoid's: they may
    // part at the rim by the ellipsoid's flattening, under 1 % of the reach.
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, 0.2);
    const double spanS = CycleSeconds(orbit);
    const TrackSamples samples(track, spanS);
    const SunOverSpan sun(Epoch(), spanS);
    for (const double angle : {10.0, 30.0, 45.0, 80.0}) {
        const LookRule rule{LookLimit::OffNadir, angle, {}};
        const double reach = LookReachKm(rule, orbit.solution.SemiMajorAxis);
        const SiteAccess access = SiteAccessOver(samples, sun, {-20, 30}, rule);
        int looks = 0;
        for (const SitePass& p : access.passes) {
            if (std::fabs(std::fabs(p.crossTrackKm) - reach) > 5 + 0.01 * reach) {
                EXPECT_EQ(p.look, std::fabs(p.crossTrackKm) < reach) << angle << " " << p.crossTrackKm;
            }
            looks += p.look;
        }
        EXPECT_GT(looks, 0);
        EXPECT_EQ(looks, access.summary.looks);
    }
    // Beyond the limb the reach is the horizon, where the satellite's
    // elevation is zero.
    const double horizonKm = RepBas::Re * std::acos(RepBas::Re / orbit.solution.SemiMajorAxis);
    EXPECT_NEAR(LookReachKm({LookLimit::OffNadir, 80, {}}, orbit.solution.SemiMajorAxis), horizonKm, 1e-9);
    EXPECT_EQ(LookReachKm({LookLimit::Swath, 290, {}}, orbit.solution.SemiMajorAxis), 145);
}

}  // namespace
}  // namespace orbit::access

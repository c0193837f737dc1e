// Passes near a site: held against the ground track sampled every second and
// against the swath coverage's own account of which passes see a place.

#include "access/site_passes.h"

#include "analysis/ground_track.h"
#include "analysis/pass_swath.h"
#include "analysis/swath_coverage.h"
#include "core/repbas.h"
#include "tests/libs/access/solved_orbit.h"
#include "tests/libs/access/wgs84_points.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace orbit::access {
namespace {

using testing::CycleSeconds;
using testing::SolvedOrbit;
using testing::Solve;
constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

struct SiteCase {
    std::string name;
    SolvedOrbit orbit;
    Place place;
    double swathKm;
};

std::vector<SiteCase> SiteCases()
{
    return {
        {"ToulouseFromSunSynchronous14_3_10", Solve(14, 3, 10), {43.6, 1.44}, 290},
        {"SouthernMidLatitudeFromInclined65", Solve(15, 1, 3, OrbitType::ChooseInclination, 65), {-35.2, 149.1}, 400},
        {"ArcticFromSunSynchronous14_9_35", Solve(14, 9, 35), {69.7, 18.9}, 185},
        {"EquatorFromRetrograde120", Solve(14, 1, 3, OrbitType::ChooseInclination, 120), {0.4, -60.3}, 1200},
    };
}

void PrintTo(const SiteCase& c, std::ostream* out) { *out << c.name; }

constexpr double kNodeLongitudeRad = 0.3;

Vector3 Ecef(double latDeg, double lonDeg, double radius)
{
    const Vector3 u = UnitVectorAt(latDeg * kDeg, lonDeg * kDeg);
    return {radius * u[0], radius * u[1], radius * u[2]};
}

double AngleDeg(const Vector3& a, const Vector3& b)
{
    return std::acos(std::clamp(Dot(a, b) / (Norm(a) * Norm(b)), -1.0, 1.0)) / kDeg;
}

// The passes found the slow way: the satellite every second, the angle at
// the Earth's centre to the place on WGS84, a parabola through each local
// minimum; the geometry from the positions in kilometres: the cross-track
// distance as the shortest chord from the place to the track of geodetic
// sub-satellite points sampled every 0.05 s around the pass, taken to the
// arc, and the looks against the ellipsoid's normals.
std::vector<PassGeometry> BruteForcePasses(const SolvedOrbit& orbit, const Place& place, double spanS, double reachKm)
{
    const analysis::GroundTrack track(orbit.record);
    const double a = orbit.solution.SemiMajorAxis;
    const Vector3 site = testing::Wgs84Position(place.latitudeDeg, place.longitudeDeg, 0);
    const double siteRadius = Norm(site);
    const auto satelliteAt = [&](double t) {
        const analysis::GroundPoint g = track.At(t);
        return Ecef(g.latitudeDeg, g.longitudeDeg + kNodeLongitudeRad / kDeg, a);
    };
    const auto footAt = [&](double t) {
        const testing::Geodetic g = testing::Wgs84Of(satelliteAt(t));
        return testing::Wgs84Position(g.latDeg, g.lonDeg, 0);
    };
    const auto angle = [&](double t) { return AngleDeg(satelliteAt(t), site) * kDeg; };
    std::vector<PassGeometry> passes;
    double before = angle(-1), now = angle(0);
    for (double t = 0; t < spanS; t += 1) {
        const double after = angle(t + 1);
        if (now <= before && now < after && now * siteRadius < reachKm) {
            const double curvature = before - 2 * now + after;
            const double tMin = t + 0.5 * (before - after) / curvature;
            const Vector3 sat = satelliteAt(tMin), next = satelliteAt(tMin + 0.01);
            double chord = 1e9;
            for (double u = tMin - 30; u <= tMin + 30; u += 0.05)
                chord = std::min(chord, Norm(testing::Sub(footAt(u), site)));
            const testing::Geodetic below = testing::Wgs84Of(sat);
            const Vector3 heading = testing::Sub(next, sat);
            const Vector3 sight = testing::Sub(site, sat);
            const Vector3 down = testing::Wgs84Up(below.latDeg, below.lonDeg);
            const Vector3 nadir = {-down[0], -down[1], -down[2]};
            PassGeometry pass;
            pass.timeS = tMin;
            pass.ascending = next[2] > sat[2];
            pass.crossTrackKm = 2 * siteRadius * std::asin(chord / (2 * siteRadius)) *
                                (Dot(Cross(heading, sat), site) > 0 ? 1 : -1);
            pass.offNadirDeg = AngleDeg(sight, nadir);
            pass.elevationDeg = 90 - AngleDeg(testing::Sub(sat, site), testing::Wgs84Up(place.latitudeDeg, place.longitudeDeg));
            passes.push_back(pass);
        }
        before = now;
        now = after;
    }
    return passes;
}

// The looks the swath coverage counts at the place: every pass's seen
// stretches of the parallel, laid down at that pass's node, with the look
// times it interpolates along them, folded into one cycle.
std::vector<double> CoverageLookTimes(const SolvedOrbit& orbit, const Place& place, double swathKm)
{
    const analysis::RepeatCycle cycle = analysis::RepeatCycleOf(orbit.record);
    const double shift = 2 * kPi * static_cast<double>(cycle.days) / static_cast<double>(cycle.revolutions);
    const double cycleS = static_cast<double>(cycle.revolutions) * cycle.nodalPeriodS;
    std::vector<double> times;
    for (const analysis::PassHalf half : {analysis::PassHalf::Ascending, analysis::PassHalf::Descending}) {
        const analysis::PassSwath pass(half, cycle.inclinationRad, cycle.nodalPeriodS, shift,
                                       swathKm / 2 / RepBas::Re);
        for (const analysis::SeenStretch& s : pass.StretchesAt(place.latitudeDeg * kDeg)) {
            for (std::int64_t m = 0; m < cycle.revolutions; ++m) {
                const double node = kNodeLongitudeRad - static_cast<double>(m) * shift;
                const double relative = place.longitudeDeg * kDeg - node;
                const double r = s.WestRad() + std::fmod(std::fmod(relative - s.WestRad(), 2 * kPi) + 2 * kPi, 2 * kPi);
                if (r > s.EastRad())
                    continue;
                const double t = static_cast<double>(m) * cycle.nodalPeriodS + s.LookTimeS(r);
                times.push_back(std::fmod(std::fmod(t, cycleS) + cycleS, cycleS));
            }
        }
    }
    std::sort(times.begin(), times.end());
    return times;
}

class SitePasses : public ::testing::TestWithParam<SiteCase> {};

TEST_P(SitePasses, AgreeWithTheTrackSampledEverySecond)
{
    const SiteCase& c = GetParam();
    const double spanS = std::min(CycleSeconds(c.orbit), 3 * 86400.0);
    const SatelliteTrack track(c.orbit.record, c.orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const TrackSamples samples(track, spanS);
    const std::vector<PassGeometry> found = PassesNear(samples, c.place, kListedPassReachKm);
    const std::vector<PassGeometry> expected = BruteForcePasses(c.orbit, c.place, spanS, kListedPassReachKm);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
        SCOPED_TRACE("pass " + std::to_string(k));
        EXPECT_NEAR(found[k].timeS, expected[k].timeS, 0.05);
        EXPECT_EQ(found[k].ascending, expected[k].ascending);
        // The vertical plane's distance and the shortest chord, each taken
        // to an arc, measure the same ground distance on a sphere; on the
        // ellipsoid they part as its cube: 6 m at 500 km, 1 km at 2800 km.
        const double across = std::fabs(expected[k].crossTrackKm);
        EXPECT_NEAR(found[k].crossTrackKm, expected[k].crossTrackKm, 0.01 + 5e-11 * across * across * across);
        // Nearly overhead the angles turn fast: the sampled minimum's time,
        // good to a few hundredths of a second, moves them by some 1e-4 deg.
        EXPECT_NEAR(found[k].offNadirDeg, expected[k].offNadirDeg, 5e-4);
        EXPECT_NEAR(found[k].elevationDeg, expected[k].elevationDeg, 5e-4);
    }
}

// The coverage lays the swath on the design's sphere, so it is asked at the
// place's geocentric latitude: the same direction from the Earth's centre.
// The two then count the same looks, but for passes at the swath's rim, where
// the ground distance on the ellipsoid from the geodetic track and the one on
// the sphere from the geocentric track part by up to some 3 km and 0.6 %.
TEST_P(SitePasses, LooksOverACycleAreTheCoveragesLooksButAtTheSwathsRim)
{
    const SiteCase& c = GetParam();
    const SatelliteTrack track(c.orbit.record, c.orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const TrackSamples samples(track, CycleSeconds(c.orbit));
    const double half = c.swathKm / 2, rim = 3 + 0.006 * half;
    const Vector3 site = testing::Wgs84Position(c.place.latitudeDeg, c.place.longitudeDeg, 0);
    const Place geocentric{std::asin(site[2] / Norm(site)) / kDeg, c.place.longitudeDeg};
    const std::vector<double> counted = CoverageLookTimes(c.orbit, geocentric, c.swathKm);
    ASSERT_FALSE(counted.empty());
    std::size_t looks = 0, matched = 0;
    for (const PassGeometry& p : PassesNear(samples, c.place, kListedPassReachKm)) {
        const double distance = std::fabs(p.crossTrackKm);
        const auto found = std::find_if(counted.begin(), counted.end(),
                                        [&](double t) { return std::fabs(t - p.timeS) < 1.0; });
        const bool inCoverage = found != counted.end();
        looks += distance <= half;
        matched += inCoverage;
        if (std::fabs(distance - half) > rim) {
            EXPECT_EQ(inCoverage, distance < half) << "pass at " << p.timeS << " s, " << p.crossTrackKm << " km";
        }
    }
    // Every look the coverage counts is one of the passes.
    EXPECT_EQ(matched, counted.size());
    EXPECT_GT(looks, 0u);
}

INSTANTIATE_TEST_SUITE_P(Sites, SitePasses, ::testing::ValuesIn(SiteCases()),
                         [](const ::testing::TestParamInfo<SiteCase>& p) { return p.param.name; });

TEST(SitePasses, PlaceUnderTheEpochsNodeIsSeenAtTheEpochStraightBelow)
{
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const TrackSamples samples(track, CycleSeconds(orbit));
    const std::vector<PassGeometry> passes = PassesNear(samples, {0, kNodeLongitudeRad / kDeg}, 100);
    ASSERT_FALSE(passes.empty());
    EXPECT_NEAR(passes.front().timeS, 0, 1e-6);
    EXPECT_TRUE(passes.front().ascending);
    EXPECT_NEAR(passes.front().crossTrackKm, 0, 1e-6);
    EXPECT_NEAR(passes.front().offNadirDeg, 0, 1e-6);
    EXPECT_NEAR(passes.front().elevationDeg, 90, 1e-6);
}

TEST(SitePasses, CrossTrackIsPositiveToTheRightOfFlight)
{
    // An eighth of a revolution after the node the satellite flies
    // northward (north-east for a prograde orbit, north-west for a
    // retrograde one): a place east of the track lies to its right, west of
    // it to its left. Half a revolution later it flies southward and the
    // sides swap.
    for (const SolvedOrbit& orbit : {Solve(15, 1, 3, OrbitType::ChooseInclination, 65), Solve(14, 3, 10)}) {
        const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, 0);
        const double period = orbit.record.NodalPeriod;
        const TrackSamples samples(track, period);
        for (const double at : {period / 8, 5 * period / 8}) {
            const Vector3 p = track.PointAt(at);
            const testing::Geodetic foot = testing::Wgs84Of(
                {orbit.solution.SemiMajorAxis * p[0], orbit.solution.SemiMajorAxis * p[1], orbit.solution.SemiMajorAxis * p[2]});
            const double latDeg = foot.latDeg, lonDeg = foot.lonDeg;
            const bool northward = at < period / 2;
            for (const double side : {-1.0, 1.0}) {
                const std::vector<PassGeometry> passes = PassesNear(samples, {latDeg, lonDeg + side * 0.5}, 200);
                ASSERT_EQ(passes.size(), 1u);
                EXPECT_EQ(passes[0].ascending, northward);
                EXPECT_GT(passes[0].crossTrackKm * side * (northward ? 1 : -1), 0);
            }
        }
    }
}

}  // namespace
}  // namespace orbit::access

// Passes near a site: held against the ground track sampled every second and
// against the swath coverage's own account of which passes see a place.

#include "access/site_passes.h"

#include "analysis/ground_track.h"
#include "analysis/pass_swath.h"
#include "analysis/swath_coverage.h"
#include "core/repbas.h"
#include "tests/access/solved_orbit.h"

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

// The passes found the slow way: the relative ground track every second,
// the haversine distance to the place, a parabola through each local
// minimum; the geometry from the positions in kilometres.
std::vector<PassGeometry> BruteForcePasses(const SolvedOrbit& orbit, const Place& place, double spanS, double reachKm)
{
    const analysis::GroundTrack track(orbit.record);
    const double a = orbit.solution.SemiMajorAxis, re = RepBas::Re;
    const auto pointAt = [&](double t) {
        analysis::GroundPoint g = track.At(t);
        g.longitudeDeg += kNodeLongitudeRad / kDeg;
        return g;
    };
    const auto distance = [&](double t) {
        const analysis::GroundPoint g = pointAt(t);
        const double dLat = (g.latitudeDeg - place.latitudeDeg) * kDeg;
        const double dLon = (g.longitudeDeg - place.longitudeDeg) * kDeg;
        const double h = std::pow(std::sin(dLat / 2), 2) +
                         std::cos(g.latitudeDeg * kDeg) * std::cos(place.latitudeDeg * kDeg) * std::pow(std::sin(dLon / 2), 2);
        return 2 * re * std::asin(std::min(1.0, std::sqrt(h)));
    };
    std::vector<PassGeometry> passes;
    double before = distance(-1), now = distance(0);
    for (double t = 0; t < spanS; t += 1) {
        const double after = distance(t + 1);
        if (now <= before && now < after && now < reachKm) {
            const double curvature = before - 2 * now + after;
            const double tMin = t + 0.5 * (before - after) / curvature;
            const analysis::GroundPoint g = pointAt(tMin), next = pointAt(tMin + 0.01);
            const Vector3 p = Ecef(g.latitudeDeg, g.longitudeDeg, 1), q = Ecef(next.latitudeDeg, next.longitudeDeg, 1);
            const Vector3 site = Ecef(place.latitudeDeg, place.longitudeDeg, re);
            const Vector3 heading = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
            const Vector3 satellite = {a * p[0], a * p[1], a * p[2]};
            const Vector3 down = {-p[0], -p[1], -p[2]};
            const Vector3 sight = {site[0] - satellite[0], site[1] - satellite[1], site[2] - satellite[2]};
            const Vector3 back = {-sight[0], -sight[1], -sight[2]};
            PassGeometry pass;
            pass.timeS = tMin;
            pass.ascending = next.latitudeDeg > g.latitudeDeg;
            pass.crossTrackKm = distance(tMin) * (Dot(Cross(heading, p), site) > 0 ? 1 : -1);
            pass.offNadirDeg = AngleDeg(sight, down);
            pass.elevationDeg = 90 - AngleDeg(back, site);
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
        EXPECT_NEAR(found[k].crossTrackKm, expected[k].crossTrackKm, 0.01);
        EXPECT_NEAR(found[k].offNadirDeg, expected[k].offNadirDeg, 1e-4);
        EXPECT_NEAR(found[k].elevationDeg, expected[k].elevationDeg, 1e-4);
    }
}

TEST_P(SitePasses, LooksOverACycleAreTheCoveragesLooks)
{
    const SiteCase& c = GetParam();
    const SatelliteTrack track(c.orbit.record, c.orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const TrackSamples samples(track, CycleSeconds(c.orbit));
    std::vector<double> looks;
    for (const PassGeometry& p : PassesNear(samples, c.place, kListedPassReachKm))
        if (std::fabs(p.crossTrackKm) <= c.swathKm / 2)
            looks.push_back(p.timeS);
    const std::vector<double> counted = CoverageLookTimes(c.orbit, c.place, c.swathKm);
    ASSERT_FALSE(counted.empty());
    ASSERT_EQ(looks.size(), counted.size());
    for (std::size_t k = 0; k < looks.size(); ++k)
        EXPECT_NEAR(looks[k], counted[k], 1.0) << "look " << k;
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
            const double latDeg = std::asin(p[2]) / kDeg, lonDeg = std::atan2(p[1], p[0]) / kDeg;
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

// The absolute track: the relative ground track moved east by the node's
// longitude, and its rate of change.

#include "access/satellite_track.h"

#include "analysis/ground_track.h"
#include "core/orbit_error.h"
#include "tests/libs/access/solved_orbit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::access {
namespace {

using testing::Solve;
constexpr double kDeg = std::numbers::pi / 180;

TEST(SatelliteTrack, IsTheGroundTrackMovedToTheNodeLongitude)
{
    for (const auto& orbit : {Solve(14, 3, 10), Solve(15, 1, 3, OrbitType::ChooseInclination, 65),
                              Solve(13, -2, 7, OrbitType::ChooseInclination, 120)}) {
        const double nodeLongitudeDeg = -37.5;
        const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, nodeLongitudeDeg * kDeg);
        const analysis::GroundTrack relative(orbit.record);
        for (double t = -3000; t < 5e5; t += 1234.5) {
            const Vector3 p = track.PointAt(t);
            const analysis::GroundPoint g = relative.At(t);
            EXPECT_NEAR(std::asin(p[2]) / kDeg, g.latitudeDeg, 1e-9);
            const double longitudeDeg = std::atan2(p[1], p[0]) / kDeg;
            EXPECT_NEAR(analysis::WrapLongitudeDeg(longitudeDeg - nodeLongitudeDeg - g.longitudeDeg),
                        0, 1e-8)
                << "t " << t;
        }
    }
}

TEST(SatelliteTrack, VelocityIsTheRateOfThePoint)
{
    const auto orbit = Solve(14, 3, 10);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, 1.0);
    const double h = 0.01;
    for (double t = 0; t < 20000; t += 777) {
        const TrackState s = track.StateAt(t);
        const Vector3 before = track.PointAt(t - h), after = track.PointAt(t + h);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(s.velocity[i], (after[i] - before[i]) / (2 * h), 1e-9);
        EXPECT_LE(Norm(s.velocity), track.GreatestGroundRateRadS());
        EXPECT_NEAR(Norm(s.point), 1, 1e-15);
    }
}

TEST(SatelliteTrack, RefusesAnOrbitWithoutRadius)
{
    const auto orbit = Solve(14, 3, 10);
    try {
        SatelliteTrack(orbit.record, 0, 0);
        FAIL() << "no error";
    } catch (const OrbitError& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::InvalidArgument);
    }
}

}  // namespace
}  // namespace orbit::access

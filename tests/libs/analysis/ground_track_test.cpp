// The ground track against hand-worked points.

#include "analysis/ground_track.h"

#include "core/orbit_error.h"

#include "tests/support/solved_design.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orbit::analysis {
namespace {

using orbit::testing::SolvedDesign;

// Each ascending node lies one spacing west of the one before, on the equator.
TEST(GroundTrack, AscendingNodesStepWestByTheSpacing)
{
    for (const DesignRecord& d : {SolvedDesign(14, 1, 3, OrbitType::SunSynchronous), SolvedDesign(15, 1, 1, OrbitType::ChooseInclination, 65)}) {
        const GroundTrack track(d);
        for (const double rev : {0.0, 1.0, 2.0, 5.0}) {
            const GroundPoint p = track.At(rev * d.NodalPeriod);
            EXPECT_NEAR(p.latitudeDeg, 0, 1e-7) << rev;
            EXPECT_NEAR(p.longitudeDeg, WrapLongitudeDeg(-rev * d.NodeSpacingDeg), 1e-6) << rev;
        }
    }
}

// A quarter revolution after the node the track is at its northern turning
// point, the inclination (or 180 degrees minus it for a retrograde orbit).
TEST(GroundTrack, TurnsAtTheInclination)
{
    struct Case {
        double inclDeg, turningDeg;
    } const cases[] = {{65, 65}, {98.5, 81.5}, {0, 0}, {90, 90}, {144, 36}};
    for (const Case& c : cases) {
        const DesignRecord d = SolvedDesign(14, 1, 3, OrbitType::ChooseInclination, c.inclDeg);
        const GroundTrack track(d);
        EXPECT_NEAR(track.At(d.NodalPeriod / 4).latitudeDeg, c.turningDeg, 1e-7) << c.inclDeg;
        EXPECT_NEAR(track.At(3 * d.NodalPeriod / 4).latitudeDeg, -c.turningDeg, 1e-7) << c.inclDeg;
        EXPECT_NEAR(track.TurningLatitudeDeg(), c.turningDeg, 1e-7) << c.inclDeg;
    }
}

// Prograde tracks head east of the node's meridian in the node's frame,
// retrograde ones west; the Earth's turn moves both west as time goes on.
TEST(GroundTrack, QuarterRevolutionLongitude)
{
    const DesignRecord prograde = SolvedDesign(14, 1, 3, OrbitType::ChooseInclination, 65);
    const GroundTrack track(prograde);
    // A prograde orbit turns 90 degrees east of its node, less the Earth's turn.
    EXPECT_NEAR(track.At(prograde.NodalPeriod / 4).longitudeDeg, 90 - prograde.NodeSpacingDeg / 4, 1e-6);
    const DesignRecord retrograde = SolvedDesign(14, 1, 3, OrbitType::SunSynchronous);
    const GroundTrack sunSync(retrograde);
    // A retrograde orbit turns 90 degrees west of its node.
    EXPECT_NEAR(sunSync.At(retrograde.NodalPeriod / 4).longitudeDeg, -90 - retrograde.NodeSpacingDeg / 4, 1e-6);
    // Just after the node the retrograde track moves west of the meridian.
    EXPECT_LT(sunSync.At(1).longitudeDeg, 0);
    EXPECT_GT(track.At(1).longitudeDeg, -1e-3);
}

TEST(GroundTrack, LongitudesWrapIntoTheHalfOpenRange)
{
    const double cases[][2] = {{180, 180}, {-180, 180}, {540, 180}, {190, -170}, {-190, 170}, {0, 0}, {-360, 0}, {725, 5}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(WrapLongitudeDeg(c[0]), c[1]) << c[0];
}

TEST(GroundTrack, AnIncompleteDesignHasNoTrack)
{
    DesignRecord d = SolvedDesign(14, 1, 3, OrbitType::SunSynchronous);
    for (const double period : {0.0, -5.0, std::nan(""), HUGE_VAL}) {
        d.NodalPeriod = period;
        try {
            GroundTrack track(d);
            ADD_FAILURE() << period;
        } catch (const OrbitError& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::InvalidArgument);
        }
    }
}

}  // namespace
}  // namespace orbit::analysis

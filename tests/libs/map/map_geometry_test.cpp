// Lines and rings cut at the map's east and west edges, and rings round a pole.

#include "map/map_geometry.h"
#include "map/simplify.h"

#include "tests/libs/map/map_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using map_test::SignedArea2;
using world_map::LonLat;
using world_map::Polyline;
using world_map::Ring;

TEST(SplitAtMapEdge, CutsEachCrossingAtTheEdgeAndNowhereElse)
{
    struct Case {
        const char* name;
        Polyline line;
        std::vector<Polyline> pieces;
    } const cases[] = {
        {"Eastward", {{170, 0}, {-170, 10}}, {{{170, 0}, {180, 5}}, {{-180, 5}, {-170, 10}}}},
        {"Westward", {{-175, -2}, {175, 2}}, {{{-175, -2}, {-180, 0}}, {{180, 0}, {175, 2}}}},
        {"Inside", {{-10, 0}, {10, 1}, {20, 3}}, {{{-10, 0}, {10, 1}, {20, 3}}}},
        {"ThroughTheEdgePoint", {{170, 0}, {180, 1}, {-170, 2}}, {{{170, 0}, {180, 1}}, {{-180, 1}, {-170, 2}}}},
        {"RoundTheWorld",
         {{0, 0}, {120, 0}, {-120, 0}, {0, 0}, {120, 0}},
         {{{0, 0}, {120, 0}, {180, 0}}, {{-180, 0}, {-120, 0}, {0, 0}, {120, 0}}}},
        {"OnePoint", {{5, 5}}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(world_map::SplitAtMapEdge(c.line), c.pieces) << c.name;
}

TEST(ToMapRings, KeepsARingOnTheMapAsItIs)
{
    const Ring square{{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    EXPECT_EQ(world_map::ToMapRings(square), std::vector<Ring>{square});
    EXPECT_TRUE(world_map::ToMapRings(Ring{{0, 0}, {1, 1}}).empty());
}

// A 20 x 10 degree square over the date line comes out as its two halves,
// each on the map, turning as the square does.
TEST(ToMapRings, CutsARingAcrossTheDateLineIntoItsHalves)
{
    const Ring square{{170, 0}, {-170, 0}, {-170, 10}, {170, 10}};
    const std::vector<Ring> pieces = world_map::ToMapRings(square);
    ASSERT_EQ(pieces.size(), 2u);
    double area = 0;
    for (const Ring& piece : pieces) {
        EXPECT_GT(SignedArea2(piece), 0);
        area += SignedArea2(piece) / 2;
        for (const LonLat& p : piece)
            EXPECT_LE(std::fabs(p.lonDeg), 180);
    }
    EXPECT_NEAR(area, 200, 1e-9);
    EXPECT_TRUE(map_test::Covered(pieces, {175, 5}));
    EXPECT_TRUE(map_test::Covered(pieces, {-175, 5}));
    EXPECT_FALSE(map_test::Covered(pieces, {0, 5}));
}

// A ring along 70 degrees south, like Antarctica's coast, encloses the pole:
// on the map it is the band from the ring down to the bottom edge.
TEST(ToMapRings, ClosesARingRoundAPoleAlongTheMapsEdge)
{
    for (const double startDeg : {-180.0, -45.0, 100.0}) {
        Ring coast;
        for (int k = 0; k < 12; ++k)
            coast.push_back({world_map::WrapDeg(startDeg + 30 * k), -70});
        const std::vector<Ring> pieces = world_map::ToMapRings(coast);
        double area = 0;
        for (const Ring& piece : pieces)
            area += std::fabs(SignedArea2(piece)) / 2;
        EXPECT_NEAR(area, 360 * 20, 1e-6) << startDeg;
        EXPECT_TRUE(map_test::Covered(pieces, {0, -80})) << startDeg;
        EXPECT_TRUE(map_test::Covered(pieces, {179, -89})) << startDeg;
        EXPECT_FALSE(map_test::Covered(pieces, {0, -60})) << startDeg;
    }
}

}  // namespace

namespace {

// Thinning keeps exactly the points that stray from the simplified line by
// more than the tolerance.
TEST(Simplify, KeepsOnlyPointsBeyondTheTolerance)
{
    const Polyline wiggly{{0, 0}, {1, 0.005}, {2, -0.005}, {3, 0.5}, {4, 0}, {5, 0.004}, {6, 0}};
    EXPECT_EQ(world_map::Simplified(wiggly, 0.01), (Polyline{{0, 0}, {2, -0.005}, {3, 0.5}, {4, 0}, {6, 0}}));
    EXPECT_EQ(world_map::Simplified(wiggly, 0), wiggly);
    EXPECT_EQ(world_map::Simplified(wiggly, 1), (Polyline{{0, 0}, {6, 0}}));

    const Ring square{{0, 0}, {0.5, 0.001}, {1, 0}, {1, 1}, {0, 1}};
    EXPECT_EQ(world_map::SimplifiedRing(square, 0.01), (Ring{{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    EXPECT_TRUE(world_map::SimplifiedRing(Ring{{0, 0}, {0.001, 0}, {0.001, 0.001}, {0, 0.001}}, 0.01).empty());
}

// Each scale gets the coarsest detail that stays within half a pixel.
TEST(Simplify, ChoosesTheDetailTheScaleCanShow)
{
    struct Case {
        double degreesPerPixel;
        int level;
    } const cases[] = {
        {360.0 / 980, 0}, {360.0 / 1600, 1}, {360.0 / 1960, 1}, {360.0 / 980 / 16, 2}, {360.0 / 980 / 32, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(world_map::DetailLevelFor(c.degreesPerPixel), c.level) << c.degreesPerPixel;
}

}  // namespace

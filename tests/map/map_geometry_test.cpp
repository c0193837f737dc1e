// Lines and rings cut at the map's east and west edges, and rings round a pole.

#include "map/map_geometry.h"

#include "tests/map/map_fixtures.h"

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

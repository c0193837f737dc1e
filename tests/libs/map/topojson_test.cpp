// Reading land from TopoJSON: a topology made by hand, broken ones, and the
// Natural Earth file the program ships.

#include "map/topojson.h"
#include "map/world.h"

#include "core/orbit_error.h"
#include "tests/libs/map/map_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

using world_map::LonLat;
using world_map::Ring;

// A 2 x 1 degree square from two quantised, delta-encoded arcs on a grid of
// 0.5 x 0.25 degrees shifted by (-10, -5); the second polygon runs both arcs
// backwards, and has a hole given as plain arc 2.
constexpr const char* kTinyTopology = R"({
  "type": "Topology",
  "transform": {"scale": [0.5, 0.25], "translate": [-10, -5]},
  "objects": {"land": {"type": "GeometryCollection", "geometries": [
    {"type": "Polygon", "arcs": [[0, 1]]},
    {"type": "MultiPolygon", "arcs": [[[-2, -1], [2]]]},
    {"type": "LineString", "arcs": [0]},
    {"type": null}
  ]}},
  "arcs": [
    [[20, 20], [4, 0], [0, 4]],
    [[24, 24], [-4, 0], [0, -4]],
    [[21, 21], [1, 0], [0, 1], [-1, -1]]
  ]
})";

TEST(TopoJson, StitchesQuantisedDeltaArcsIntoRings)
{
    const std::vector<world_map::Polygon> polygons = world_map::DecodeTopoJsonPolygons(kTinyTopology, "land");
    ASSERT_EQ(polygons.size(), 2u);
    ASSERT_EQ(polygons[0].size(), 1u);
    EXPECT_EQ(polygons[0][0], (Ring{{0, 0}, {2, 0}, {2, 1}, {0, 1}}));
    ASSERT_EQ(polygons[1].size(), 2u);
    EXPECT_EQ(polygons[1][0], (Ring{{0, 0}, {0, 1}, {2, 1}, {2, 0}}));
    EXPECT_EQ(polygons[1][1], (Ring{{0.5, 0.25}, {1, 0.25}, {1, 0.5}}));
}

TEST(TopoJson, ReadsPlainArcsWithoutATransform)
{
    const auto polygons = world_map::DecodeTopoJsonPolygons(
        R"({"type":"Topology","objects":{"island":{"type":"Polygon","arcs":[[0]]}},
            "arcs":[[[170,-10],[179.5,-10],[179.5,-5],[170,-10]]]})",
        "island");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0][0], (Ring{{170, -10}, {179.5, -10}, {179.5, -5}}));
}

TEST(TopoJson, SaysWhatIsWrongWithABrokenTopology)
{
    struct Case {
        const char* name;
        const char* text;
        const char* says;
    } const cases[] = {
        {"NotJson", "{\"type\": ", "syntax error"},
        {"NotATopology", R"({"type":"FeatureCollection"})", "its type is not Topology"},
        {"NoSuchObject", R"({"type":"Topology","objects":{},"arcs":[]})", "no object 'land'"},
        {"MissingArc", R"({"type":"Topology","objects":{"land":{"type":"Polygon","arcs":[[3]]}},"arcs":[]})",
         "refers to arc 3"},
        {"OffTheGlobe",
         R"({"type":"Topology","objects":{"land":{"type":"Polygon","arcs":[[0]]}},"arcs":[[[0,0],[200,0],[0,1]]]})",
         "off the globe"},
        {"PositionNotAPair",
         R"({"type":"Topology","objects":{"land":{"type":"Polygon","arcs":[[0]]}},"arcs":[[[0]]]})", "not a pair"},
        {"IndexNotANumber",
         R"({"type":"Topology","objects":{"land":{"type":"Polygon","arcs":[["a"]]}},"arcs":[]})", "number"},
    };
    for (const Case& c : cases) {
        try {
            world_map::DecodeTopoJsonPolygons(c.text, "land");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const orbit::OrbitError& e) {
            EXPECT_EQ(e.Kind(), orbit::ErrorKind::File) << c.name;
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.name << ": " << e.what();
        }
    }
}

TEST(NaturalEarthLand, HasEveryPolygonOnTheGlobeAndOnTheMap)
{
    const world_map::World world = world_map::LoadWorld(LAND_FILE);
    EXPECT_EQ(world.land.size(), 1419u);
    std::size_t rings = 0;
    for (const world_map::Polygon& polygon : world.land)
        for (const Ring& ring : polygon) {
            ++rings;
            for (const LonLat& p : ring)
                ASSERT_TRUE(std::fabs(p.lonDeg) <= 180 && std::fabs(p.latDeg) <= 90) << p.lonDeg << " " << p.latDeg;
        }
    EXPECT_EQ(rings, 1421u);  // two holes
    // On the map: the rings that cross the date line come in two pieces, and
    // Antarctica reaches the bottom edge.
    std::size_t ringsOnMap = 0;
    bool reachesSouthPole = false;
    for (const world_map::Polygon& polygon : world.landOnMap)
        for (const Ring& ring : polygon) {
            ++ringsOnMap;
            for (const LonLat& p : ring) {
                ASSERT_TRUE(std::fabs(p.lonDeg) <= 180 && std::fabs(p.latDeg) <= 90);
                reachesSouthPole = reachesSouthPole || p.latDeg == -90;
            }
        }
    EXPECT_GT(ringsOnMap, rings);
    EXPECT_TRUE(reachesSouthPole);
}

TEST(LandFile, IsFoundBesideTheProgramsFolder)
{
    EXPECT_EQ(world_map::LandFilePath("/opt/orbit/bin"), "/opt/orbit/share/repeat-orbit/land-50m.json");
    EXPECT_EQ(world_map::LandFilePath("build/cli"), "build/share/repeat-orbit/land-50m.json");
}

TEST(LandFile, FailsNamingTheFileWhenMissingOrUnreadable)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "repeat-orbit-land-test";
    std::filesystem::create_directories(folder / "a-folder.json");
    std::ofstream(folder / "broken.json") << "{\"type\": \"Topology\"";
    for (const std::filesystem::path& file :
         {folder / "missing.json", folder / "a-folder.json", folder / "broken.json"}) {
        try {
            world_map::LoadWorld(file);
            ADD_FAILURE() << file << ": no error";
        } catch (const orbit::OrbitError& e) {
            EXPECT_EQ(e.Kind(), orbit::ErrorKind::File);
            EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace

#pragma once
// The world the map is drawn on: Natural Earth's land, read once from the
// data file shipped with the program.

#include "map/map_geometry.h"
#include "map/topojson.h"

#include <filesystem>
#include <vector>

namespace world_map {

inline constexpr const char* kLandFileName = "land-50m.json";
inline constexpr const char* kLandCredit = "Land: Natural Earth";

struct World {
    std::vector<Polygon> land;  // on the sphere, as the file has them
    // The same on the map, cut at its edges: each polygon's rings (its pieces
    // and holes) filled together even-odd.
    std::vector<Polygon> landOnMap;
};

// Where a program in `executableDir` finds the land file: in the build tree
// and in an installed tree alike, <executableDir>/../share/repeat-orbit/.
std::filesystem::path LandFilePath(const std::filesystem::path& executableDir);

// The land of the topology's object "land". Throws orbit::OrbitError (File)
// naming the file when it is missing, unreadable or not such a topology.
World LoadWorld(const std::filesystem::path& landFile);

// The same from the file's text, for what does not come from a file.
World DecodeWorld(std::string_view topoJson);

}  // namespace world_map

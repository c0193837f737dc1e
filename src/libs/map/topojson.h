#pragma once
// Reading the land polygons of a TopoJSON topology.
//
// TopoJSON keeps each stretch of coastline once, as an arc, and builds the
// polygons' rings from arc indices (a negative index ~i runs arc i
// backwards). A quantised topology stores positions as small integers on a
// grid given by its transform (position = integer * scale + translate), and
// each arc's positions after the first as differences from the one before.

#include "map/map_geometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace world_map {

// The outer ring first, then its holes.
using Polygon = std::vector<Ring>;

// Every polygon of the object `objectName` (a Polygon, a MultiPolygon or a
// GeometryCollection of them; other geometry types are skipped). Throws
// orbit::OrbitError (File) saying what is wrong when the text is not such a
// topology, refers to an arc it lacks, or holds a position off the globe.
std::vector<Polygon> DecodeTopoJsonPolygons(std::string_view text, const std::string& objectName);

}  // namespace world_map

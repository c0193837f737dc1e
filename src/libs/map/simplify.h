#pragma once
// Fewer points for the same look: lines and rings on the map thinned with
// the Douglas-Peucker rule, keeping every point that lies farther than a
// tolerance from the simplified line. A whole-world picture needs a point
// every few kilometres no more than a map zoomed in needs one every few
// hundred, so the drawing asks for the detail its scale can show.

#include "map/map_geometry.h"

#include <array>

namespace world_map {

// The levels of detail, coarsest first: the tolerance in degrees on the map.
// The last keeps every point.
inline constexpr std::array<double, 4> kDetailToleranceDeg{0.16, 0.04, 0.01, 0};

// The coarsest level whose tolerance stays within half a device pixel at
// `degreesPerPixel`.
int DetailLevelFor(double degreesPerPixel);

// The line with its first and last point and every point needed to stay
// within `toleranceDeg` of it.
Polyline Simplified(const Polyline& line, double toleranceDeg);

// The same for a closed ring; empty when fewer than three points remain.
Ring SimplifiedRing(const Ring& ring, double toleranceDeg);

}  // namespace world_map

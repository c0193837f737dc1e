#pragma once
// The world map's plane: an equirectangular map, longitude -180 to 180 from
// left to right and latitude -90 to 90 from bottom to top, one degree as wide
// as it is high.
//
// Lines and areas are given on the sphere, where longitude wraps around: a
// step from 179 to -179 degrees is two degrees east, not 358 west. On the map
// such a step leaves at the east edge and comes back at the west edge, so the
// functions here cut what crosses the edge into pieces that each lie on the
// map. Every step of an input is taken as the short way round (under 180
// degrees of longitude), so inputs must be sampled that finely.

#include <vector>

namespace world_map {

struct LonLat {
    double lonDeg = 0;
    double latDeg = 0;

    friend bool operator==(const LonLat&, const LonLat&) = default;
};

using Polyline = std::vector<LonLat>;
// A closed ring: the last point joins the first without repeating it.
using Ring = std::vector<LonLat>;

inline constexpr double kMapWestDeg = -180;
inline constexpr double kMapEastDeg = 180;

// A line on the sphere cut where it crosses the map's east or west edge. Each
// crossing ends one piece at the edge and starts the next on the opposite
// edge at the same (interpolated) latitude, so no piece runs across the map.
// Pieces of fewer than two points are dropped.
std::vector<Polyline> SplitAtMapEdge(const Polyline& line);

// A ring on the sphere as rings on the map, each inside the map's edges. A
// ring that crosses the edge comes out in pieces cut along it; a ring that
// goes round a pole (Antarctica) is closed along the map's top or bottom edge,
// on the side of the pole it lies nearer to. The turning sense of the ring is
// kept, so rings that all turn one way can be filled as one area.
std::vector<Ring> ToMapRings(const Ring& ring);

// A longitude brought into (-180, 180].
double WrapDeg(double lonDeg);

}  // namespace world_map

#pragma once
// Day and night on the world map: where the Sun stands overhead at an
// instant, where it is up, and the line between day and night.
//
// The Earth is taken as a sphere and the Sun as a point at infinity in the
// apparent direction: a place is lit when the Sun's centre is above its
// horizon. Refraction and the Sun's radius (which together lift the visible
// edge of the Sun by some 0.8 degrees) are left out; the map cannot show them.

#include "core/sub_solar_track.h"
#include "ephemeris/instant.h"
#include "map/map_geometry.h"

#include <vector>

namespace world_map {

// The place where the apparent Sun stands in the zenith at `t`: latitude its
// declination of date, longitude its right ascension less the Greenwich
// apparent sidereal time (UT1 taken as UTC), in (-180, 180].
LonLat SubSolarPoint(const orbit::ephemeris::Instant& t);

// The Sun's height above the horizon at `place` (degrees, -90 to 90) when it
// stands overhead at `subSolar` (core/sun_elevation.h).
double SunElevationDeg(const LonLat& place, const LonLat& subSolar);

// Whether `place` is in daylight, by the coverage's own light test with the
// least elevation 0 (core/sub_solar_track.h): lit from the horizon up. At an
// instant, with the Sun overhead at `subSolar`; or `secondsAfterStart` into
// the span of a sampled Sun.
bool IsLit(const LonLat& place, const LonLat& subSolar);
bool IsLit(const LonLat& place, const orbit::SubSolarTrack& sun, double secondsAfterStart);

// The civil twilight: the Sun up to this far below the horizon.
inline constexpr double kCivilTwilightDeg = -6;

// Where the Sun stands lower than `elevationDeg` (0 for the night,
// kCivilTwilightDeg for the night beyond civil twilight), as rings on the
// map to be filled with the nonzero rule. A region round a pole is closed
// along the map's top or bottom edge.
std::vector<Ring> NightRings(const LonLat& subSolar, double elevationDeg = 0);

// The line where the Sun's centre is on the horizon, cut at the map's edges.
std::vector<Polyline> Terminator(const LonLat& subSolar);

}  // namespace world_map

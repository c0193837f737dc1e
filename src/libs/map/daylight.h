#pragma once
// Day and night on the world map: where the Sun stands overhead at an
// instant, where it is up, and the line between day and night.
//
// The Earth is taken as a sphere and the Sun as a point at infinity in the
// apparent direction: a place is lit when the Sun's centre is above its
// horizon. Refraction and the Sun's radius (which together lift the visible
// edge of the Sun by some 0.8 degrees) are left out; the map cannot show them.

#include "ephemeris/instant.h"
#include "map/map_geometry.h"

#include <vector>

namespace world_map {

// The place where the apparent Sun stands in the zenith at `t`: latitude its
// declination of date, longitude its right ascension less the Greenwich
// apparent sidereal time (UT1 taken as UTC), in (-180, 180].
LonLat SubSolarPoint(const orbit::ephemeris::Instant& t);

// The Sun's height above the horizon at `place` (degrees, -90 to 90) when it
// stands overhead at `subSolar`.
double SunElevationDeg(const LonLat& place, const LonLat& subSolar);

inline bool IsLit(const LonLat& place, const LonLat& subSolar) { return SunElevationDeg(place, subSolar) > 0; }

// The civil twilight: the Sun up to this far below the horizon.
inline constexpr double kCivilTwilightDeg = -6;

// Where the Sun stands lower than `elevationDeg` (0 for the night,
// kCivilTwilightDeg for the night beyond civil twilight), as rings on the
// map to be filled with the nonzero rule. A region round a pole is closed
// along the map's top or bottom edge.
std::vector<Ring> NightRings(const LonLat& subSolar, double elevationDeg = 0);

// The line where the Sun's centre is on the horizon, cut at the map's edges.
std::vector<Polyline> Terminator(const LonLat& subSolar);

// The sub-solar point over a span of time, for asking at many instants: the
// exact point every few hours, and straight interpolation between. Over
// those hours the point runs west at an almost even 15 degrees an hour and
// its latitude changes by a fraction of a degree, so the interpolation stays
// within a thousandth of a degree.
class SubSolarTrack {
public:
    // From `start` to `spanS` seconds after it.
    SubSolarTrack(const orbit::ephemeris::Instant& start, double spanS);
    // `secondsAfterStart` within the span (clamped to it).
    LonLat At(double secondsAfterStart) const;

private:
    double stepS_;
    std::vector<LonLat> knots_;  // longitudes unwrapped, each within 180 degrees of the one before
};

}  // namespace world_map

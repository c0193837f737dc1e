#pragma once
// The passes of the track near a place on the ground, as geometry: when the
// track comes closest, in which direction it flies, how far to the side the
// place lies, and how the satellite and the place see each other then.
//
// The place is where its user's coordinates put it, at geodetic latitude and
// longitude on the WGS84 ellipsoid; the satellite flies the design's
// circular orbit above its absolute ground track (access/satellite_track.h).
// A pass comes when the satellite's direction from the Earth's centre comes
// closest to the place's. The satellite's nadir is the ellipsoid's normal
// through it, which meets the ground at its geodetic sub-satellite point.

#include "access/track_scan.h"

#include <vector>

namespace orbit::access {

// How far from the track a pass is still listed, whatever the instrument.
inline constexpr double kListedPassReachKm = 3000;

struct Place {
    double latitudeDeg = 0;   // geodetic, WGS84
    double longitudeDeg = 0;  // east positive
};

struct PassGeometry {
    double timeS = 0;  // closest approach, seconds since the epoch
    bool ascending = true;
    // Ground distance from the track of geodetic sub-satellite points,
    // across the direction of flight, positive when the place lies to its
    // right: the place's distance from the vertical plane along the track,
    // taken back to the arc of a sphere of the place's radius (within a few
    // metres of the ellipsoid's own arc for a few hundred kilometres).
    double crossTrackKm = 0;
    double offNadirDeg = 0;    // the look from the satellite to the place, from geodetic nadir, unsigned
    double elevationDeg = 0;   // the satellite above the place's horizon (the ellipsoid's normal)
};

// Every pass in [0, span) whose closest approach lies within `reachKm` of
// the place (ground distance, as the angle at the Earth's centre times the
// place's radius), in time order.
std::vector<PassGeometry> PassesNear(const TrackSamples& samples, const Place& place, double reachKm);

}  // namespace orbit::access

#pragma once
// The passes of the track near a place on the ground, as geometry: when the
// track comes closest, in which direction it flies, how far to the side the
// place lies, and how the satellite and the place see each other then.
//
// The place is on the model's sphere (radius Re of the design core), and so
// is the track; the satellite flies at the design's semi-major axis above
// the sub-satellite point.

#include "access/track_scan.h"

#include <vector>

namespace orbit::access {

// How far from the track a pass is still listed, whatever the instrument.
inline constexpr double kListedPassReachKm = 3000;

struct Place {
    double latitudeDeg = 0;
    double longitudeDeg = 0;  // east positive
};

struct PassGeometry {
    double timeS = 0;  // closest approach, seconds since the epoch
    bool ascending = true;
    // Ground distance from the track along the sphere, positive when the
    // place lies to the right of the direction of flight.
    double crossTrackKm = 0;
    double offNadirDeg = 0;    // the look from the satellite to the place, unsigned
    double elevationDeg = 0;   // the satellite above the place's horizon
};

// Every pass in [0, span) whose closest approach lies within `reachKm` of
// the place (ground distance), in time order.
std::vector<PassGeometry> PassesNear(const TrackSamples& samples, const Place& place, double reachKm);

}  // namespace orbit::access

#pragma once
// The ground track of a design as lines and bands on the sphere, day by day:
// the sampled track and the swath an instrument sweeps around it.

#include "analysis/ground_track.h"
#include "map/map_geometry.h"

#include <vector>

namespace world_map {

// One day of the design: the time the Earth takes to turn once under the
// orbit plane, N + M/Q nodal periods. Q such days close the track on itself.
double DayLengthS(const orbit::DesignRecord& design);

// The track from startS to endS (seconds after day 0's first ascending node)
// as points on the sphere, close enough that the straight chords between
// them stay within about a hundredth of a degree of the true track, also
// where it turns near the poles. `timesS`, when given, receives each
// sample's time.
Polyline SampleTrack(const orbit::analysis::GroundTrack& track, double startS, double endS,
                     std::vector<double>* timesS = nullptr);

// The swath of full width `swathKm` centred on the sampled track: every point
// within swathKm / 2 of the track, measured along the Earth's surface across
// the track's direction (so on the map it widens toward the poles). As rings
// on the map, all turning the same way: filled as one area with the nonzero
// rule they show the band's union without seams. Empty for a width of zero.
std::vector<Ring> SwathRings(const Polyline& samples, double swathKm);

}  // namespace world_map

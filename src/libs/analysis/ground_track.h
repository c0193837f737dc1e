#pragma once
// The ground track of a completed design: where on the rotating Earth the
// satellite is, t seconds after the first ascending node of day 0, which is
// placed at longitude 0. Everything that draws or measures the track (the
// swath coverage, the world map) asks this one function.
//
// The orbit is circular and its plane turns with the design's node rate, so
// in the frame of the node the satellite moves along a great circle at the
// nodal rate, while the Earth turns beneath by the design's westward shift
// per revolution, S:
//   u = 2 pi t / T                                   (argument of latitude)
//   latitude  = asin(sin i sin u)
//   longitude = atan2(cos i sin u, cos u) - S t / T   (wrapped to (-180, 180])
// Retrograde inclinations (above 90 degrees) need nothing special.
//
// The latitude is the one on the design's sphere (geocentric): the design,
// the pattern and the coverage stay on it. A geodetic latitude on WGS84, as
// access/ and the GeoJSON and KML exports give, lies up to 0.19 degrees
// poleward of it at mid-latitudes.

#include "core/repeat_orbit_solver.h"

namespace orbit::analysis {

struct GroundPoint {
    double latitudeDeg = 0;
    double longitudeDeg = 0;  // east positive, in (-180, 180]
};

class GroundTrack {
public:
    // Takes the inclination, nodal period and node spacing of `design`.
    // Throws OrbitError (InvalidArgument) when they describe no track: a
    // nodal period that is not a positive number, or a spacing or
    // inclination that is not finite.
    explicit GroundTrack(const DesignRecord& design);

    GroundPoint At(double secondsSinceNode) const;

    double NodalPeriodS() const { return nodalPeriodS_; }
    double InclinationRad() const { return inclinationRad_; }
    // The westward shift of the track from one ascending node to the next.
    double ShiftPerRevolutionRad() const { return shiftPerRevRad_; }
    // The highest latitude the track reaches: i, or 180 degrees minus i.
    double TurningLatitudeDeg() const;

private:
    double inclinationRad_;
    double nodalPeriodS_;
    double shiftPerRevRad_;
    double sinIncl_, cosIncl_;
};

// A longitude in degrees brought into (-180, 180].
double WrapLongitudeDeg(double longitudeDeg);

}  // namespace orbit::analysis

#pragma once
// The satellite over the rotating Earth on its absolute ground track: the
// track of analysis/ground_track.h (t = 0 at the first ascending node, the
// design's inclination, nodal period and westward shift per revolution),
// moved east by the Earth-fixed longitude of that node, lambda0, so that
// t = 0 is the epoch and the node lies where the epoch's node does.
//
// In vector form, with u = 2 pi t / T and the Earth-fixed longitude of the
// node turning as alpha(t) = lambda0 - S t / T:
//   s(t) = Rz(alpha) (cos u, cos i sin u, sin i sin u)
// is the unit vector to the sub-satellite point, and the satellite itself is
// at a s(t), a being the design's semi-major axis (the orbit is circular).

#include "access/vector3.h"
#include "core/repeat_orbit_solver.h"

namespace orbit::access {

struct TrackState {
    Vector3 point{};     // unit vector to the sub-satellite point
    Vector3 velocity{};  // its rate of change, per second
};

class SatelliteTrack {
public:
    // Throws OrbitError (InvalidArgument) as analysis::GroundTrack does for a
    // design with no track, and for an orbit radius that is not a positive number.
    SatelliteTrack(const DesignRecord& design, double semiMajorAxisKm, double nodeLongitudeRad);

    Vector3 PointAt(double secondsSinceEpoch) const;
    TrackState StateAt(double secondsSinceEpoch) const;

    double NodalPeriodS() const { return nodalPeriodS_; }
    double OrbitRadiusKm() const { return orbitRadiusKm_; }
    double NodeLongitudeRad() const { return nodeLongitudeRad_; }
    // An upper bound of the sub-satellite point's angular speed over the
    // ground (rad/s): the orbit's own rate plus the Earth's turn beneath it.
    double GreatestGroundRateRadS() const { return argumentRateRadS_ + std::abs(nodeLongitudeRateRadS_); }

private:
    double nodalPeriodS_;
    double orbitRadiusKm_;
    double nodeLongitudeRad_;
    double argumentRateRadS_;       // 2 pi / T
    double nodeLongitudeRateRadS_;  // -S / T
    double sinIncl_, cosIncl_;
};

}  // namespace orbit::access

#pragma once
// Orbital elements of a near-circular orbit in the propagator's frame, in a
// form without the singularity of a circular orbit: the eccentricity
// vector's components along the ascending node (ex = e cos w) and 90
// degrees ahead of it in the plane (ey = e sin w), and the mean argument of
// latitude (M + w) in place of the argument of perigee and the mean anomaly.
// Singular only in the equatorial plane (i = 0 or 180 degrees), where the
// node is undefined.

#include "core/angle_wrap.h"
#include "propagation/cartesian_state.h"

namespace orbit::propagation {

struct NonsingularElements {
    double semiMajorAxisKm = 0;
    double ex = 0;                     // e cos(argument of perigee)
    double ey = 0;                     // e sin(argument of perigee)
    double inclinationRad = 0;
    double raanRad = 0;                // right ascension of the ascending node
    double meanArgumentOfLatitudeRad = 0;  // mean anomaly + argument of perigee
};

// The classical (Keplerian) elements. On a circular orbit (e at most
// kCircularEccentricity) the perigee is undefined: it is put at the node, and
// the anomalies then count the argument of latitude.
struct ClassicalElements {
    double semiMajorAxisKm = 0;
    double eccentricity = 0;
    double inclinationRad = 0;
    double raanRad = 0;              // [0, 2 pi)
    double argumentOfPerigeeRad = 0; // [0, 2 pi); 0 for a circular orbit
    double meanAnomalyRad = 0;       // [0, 2 pi)
    double trueAnomalyRad = 0;       // [0, 2 pi); only from a state (ToClassical of a state)
};

// Below this eccentricity the perigee is taken as undefined: 1e-11 moves the
// perigee's point by under a tenth of a millimetre on any Earth orbit.
inline constexpr double kCircularEccentricity = 1e-11;

// Throws OrbitError (InvalidArgument) for e >= 1 or a non-positive axis.
CartesianState ToCartesian(const NonsingularElements& elements, double gmKm3S2);
// Throws OrbitError (InvalidArgument) for an orbit that is not elliptic or
// lies in the equatorial plane.
NonsingularElements ToNonsingular(const CartesianState& state, double gmKm3S2);
ClassicalElements ToClassical(const NonsingularElements& elements);
// The osculating classical elements of a state, the conic it would follow
// under `gmKm3S2` alone: the same conversion as ToNonsingular, but an
// equatorial orbit is taken too, its node put on the x axis. Throws OrbitError
// (InvalidArgument) for a state that is not finite or not on an ellipse.
ClassicalElements ToClassical(const CartesianState& state, double gmKm3S2);

// The true argument of latitude (rad) of the elements' position.
double TrueArgumentOfLatitude(const NonsingularElements& elements);

// An angle brought into (-pi, pi] and [0, 2 pi) (core/angle_wrap.h).
using orbit::WrapPlusMinusPi;
using orbit::WrapTwoPi;

}  // namespace orbit::propagation

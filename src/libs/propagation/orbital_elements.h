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

struct ClassicalElements {
    double semiMajorAxisKm = 0;
    double eccentricity = 0;
    double inclinationRad = 0;
    double raanRad = 0;              // [0, 2 pi)
    double argumentOfPerigeeRad = 0; // [0, 2 pi); 0 for a circular orbit
    double meanAnomalyRad = 0;       // [0, 2 pi)
};

// Throws OrbitError (InvalidArgument) for e >= 1 or a non-positive axis.
CartesianState ToCartesian(const NonsingularElements& elements, double gmKm3S2);
// Throws OrbitError (InvalidArgument) for an orbit that is not elliptic or
// lies in the equatorial plane.
NonsingularElements ToNonsingular(const CartesianState& state, double gmKm3S2);
ClassicalElements ToClassical(const NonsingularElements& elements);

// The true argument of latitude (rad) of the elements' position.
double TrueArgumentOfLatitude(const NonsingularElements& elements);

// An angle brought into (-pi, pi] and [0, 2 pi) (core/angle_wrap.h).
using orbit::WrapPlusMinusPi;
using orbit::WrapTwoPi;

}  // namespace orbit::propagation

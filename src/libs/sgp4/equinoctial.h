#pragma once
// The equinoctial form of a set of elements, in which the fit moves:
//   n, k = e cos(w + W), h = e sin(w + W), q = tan(i/2) cos W, p = tan(i/2) sin W,
//   lambda = M + w + W.
// Unlike e, w and M, these stay well defined for the near-circular orbits a
// repeat-ground-track design gives (w and M alone are then ill-conditioned,
// only their sum is fixed by the positions), and for an equatorial one.

#include "sgp4/elements.h"
#include "sgp4/sgp4_propagator.h"

#include <array>

namespace orbit::sgp4 {

struct Equinoctial {
    double meanMotionRadMin = 0;
    double k = 0, h = 0, q = 0, p = 0;
    double meanLongitudeRad = 0;

    std::array<double, 6> AsArray() const { return {meanMotionRadMin, k, h, q, p, meanLongitudeRad}; }
    static Equinoctial FromArray(const std::array<double, 6>& a) { return {a[0], a[1], a[2], a[3], a[4], a[5]}; }
};

Equinoctial ToEquinoctial(const MeanElements& elements);
// B* and the epoch are taken from `other`; angles come back in [0, 2 pi).
MeanElements FromEquinoctial(const Equinoctial& equinoctial, const MeanElements& other);

// The osculating two-body elements of a TEME state under WGS-72's mu, in the
// same form, the mean motion being sqrt(mu / a^3) of the osculating axis.
// Throws OrbitError (InvalidArgument) when the state is not an ellipse.
Equinoctial OsculatingEquinoctial(const TemeState& state);

// a - b with the mean longitude's difference reduced to (-pi, pi].
std::array<double, 6> Difference(const Equinoctial& a, const Equinoctial& b);

}  // namespace orbit::sgp4

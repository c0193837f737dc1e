#pragma once
// SGP4, the near-Earth analytical theory of Spacetrack Report No. 3 (Hoots and
// Roehrich, 1980) with the corrections of its 2006 revision (Vallado et al.):
// the secular effects of J2 and J4, the long-period effect of J3, the short-
// period effects of J2, and atmospheric drag through B* with the power-law
// density above the s/q_0 altitudes. Positions and velocities are in TEME
// (true equator, mean equinox of date).
//
// Orbits of a period of 225 minutes or more take SDP4's deep-space terms
// besides (sgp4/deep_space.h), as the revision's single theory does.

#include "sgp4/deep_space.h"
#include "sgp4/elements.h"

#include <array>
#include <optional>

namespace orbit::sgp4 {

struct TemeState {
    std::array<double, 3> positionKm{};
    std::array<double, 3> velocityKmS{};
};

class Sgp4Propagator {
public:
    // Throws OrbitError (InvalidArgument) for elements SGP4 cannot take: an
    // eccentricity outside [0, 1), a mean motion not above zero, an element
    // that is not finite, or a deep-space orbit without its epoch.
    explicit Sgp4Propagator(const MeanElements& elements);

    // The state `minutesSinceEpoch` after the epoch (negative before it).
    // Throws OrbitError (InvalidArgument) when drag has taken the orbit where
    // the theory fails (eccentricity out of range, a negative semi-latus
    // rectum) or the satellite has decayed (radius below one Earth radius);
    // for a deep-space orbit also when the Moon and the Sun take the
    // eccentricity out of [0, 1].
    TemeState At(double minutesSinceEpoch) const;

    const MeanElements& Elements() const { return elements_; }
    // The mean motion and semi-major axis with Kozai's J2 term taken out
    // (Brouwer's mean motion, rad/min, and Earth radii).
    double BrouwerMeanMotionRadMin() const { return n0_; }
    double SemiMajorAxisEarthRadii() const { return a0_; }

private:
    MeanElements elements_;
    double n0_ = 0, a0_ = 0;
    // Values fixed at the epoch, named after the report's symbols.
    double cosi_ = 0, sini_ = 0, con41_ = 0, x1mth2_ = 0, x7thm1_ = 0;
    double eta_ = 0, cc1_ = 0, cc4_ = 0, cc5_ = 0;
    double d2_ = 0, d3_ = 0, d4_ = 0, t2cof_ = 0, t3cof_ = 0, t4cof_ = 0, t5cof_ = 0;
    double mdot_ = 0, argpdot_ = 0, nodedot_ = 0, nodecf_ = 0, omgcof_ = 0, xmcof_ = 0;
    double xlcof_ = 0, aycof_ = 0, delmo_ = 0, sinmao_ = 0;
    bool simplifiedDrag_ = false;
    std::optional<DeepSpace> deepSpace_;

};

}  // namespace orbit::sgp4

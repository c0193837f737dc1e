#pragma once
// Mean and osculating elements under J2: the first-order short-period terms
// of every element of a near-circular orbit, written in the nonsingular
// elements so that they hold at zero eccentricity.
//
// The mean axis and inclination are those of the design core: the ones at
// which its first-order secular rates, the node's -1.5 n J2 (Re/a)^2 cos i
// and the argument of latitude's n [1 + 1.5 J2 (Re/a)^2 (4 cos^2 i - 1)],
// are the orbit's actual rates under J2. An orbit's true rates carry second-
// order terms as well (Brouwer's), which for the same Brouwer mean elements
// move a sun-synchronous node rate by -J2 (Re/a)^2 (1 - 4.75 cos^2 i), about
// -8e-4 of itself, and the period by a few parts in ten million: a kilometre
// at the node of a ten-day cycle. So the design's a and i are first taken to
// Brouwer's mean a and i (metres and millidegrees away) whose second-order
// rates are the design's first-order ones; the short-period terms are then
// added, and the osculating axis and inclination are set so that the state's
// energy and polar angular momentum are those of Brouwer's averaged
// Hamiltonian at those mean elements, which fixes the period to the second
// order where the first-order terms alone leave it uncertain by metres of
// axis. The other mean elements (eccentricity vector, node, argument of
// latitude) carry no short-period motion. The terms, with k = J2 (Re/a)^2
// and u the mean argument of latitude, follow from Gauss's equations
// integrated over the unperturbed circular orbit:
//   a  = a' + (J2 Re^2 / a) [(3c^2 - 1)/2 ((a/r)^3 - (1 - e^2)^-1.5)
//                             + 1.5 s^2 (a/r)^3 cos 2u*]     (Brouwer, u* true)
//   i  = i' + 3/8 k sin 2i cos 2u
//   O  = O' + 3/4 k c sin 2u
//   u  = u' + 3/8 k (3 - 5c^2) sin 2u        (mean argument of latitude)
//   ex = ex' + 3/2 k [(1 - 5/4 s^2) cos u + 7/12 s^2 cos 3u]
//   ey = ey' + 3/2 k [(1 - 7/4 s^2) sin u + 7/12 s^2 sin 3u]
// (c = cos i, s = sin i). Terms of order e J2 outside the axis, and J3 to J6,
// are left out: they move the state by metres and do not touch the period.
// Only the model's J2 enters: under a fuller field the mean elements are
// still those of the J2 theory.

#include "propagation/gravity_model.h"
#include "propagation/orbital_elements.h"

namespace orbit::propagation {

NonsingularElements MeanToOsculating(const NonsingularElements& mean, const GravityModel& model);

// The inverse: Brouwer's mean axis and inclination from the state's energy
// and polar angular momentum, the other elements by fixed-point iteration
// (mean = osc - terms(mean), until they change by less than 1e-13), then the
// axis and inclination taken to the design core's. Throws OrbitError
// (NoConvergence) after 50 rounds.
NonsingularElements OsculatingToMean(const NonsingularElements& osculating, const GravityModel& model);

// The design's state at its epoch: mean axis and inclination, mean
// eccentricity `e` with the argument of perigee at 90 degrees, the node at
// `raanRad`, mean argument of latitude 0; turned into the osculating state.
CartesianState DesignInitialState(double meanAxisKm, double meanInclinationRad, double raanRad,
                                  double meanEccentricity, const GravityModel& model);

}  // namespace orbit::propagation

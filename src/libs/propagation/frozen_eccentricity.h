#pragma once
// The frozen eccentricity of a near-circular orbit. The odd zonal harmonics
// push the eccentricity vector steadily one way (along the line 90 degrees
// from the node) while the even ones turn it about the origin at the rate of
// the perigee; where the two balance, with the perigee at 90 degrees, the
// mean eccentricity vector stands still.

#include "propagation/propagator.h"

namespace orbit::propagation {

// Under J2 and J3 alone, to first order: e = -(J3 / 2 J2) (Re / a) sin i.
double FrozenEccentricityJ2J3(const GravityModel& model, double meanAxisKm, double inclinationRad);

// Under every zonal harmonic of the model: the mean rate of the eccentricity
// vector from Lagrange's equations with the disturbing function averaged
// over a revolution (numerically, over the mean argument of latitude, so that
// all of J2 to J6 and every power of e enter), set to zero at a perigee of
// 90 degrees. Zero when the model has no odd harmonic. Throws OrbitError
// (NoConvergence) when the balance is not found.
double FrozenEccentricityZonal(const GravityModel& model, double meanAxisKm, double inclinationRad);

// The mean rate (rad/s) of the x component (along the node) of the
// eccentricity vector of a near-circular orbit with ex = 0, ey = `ey`: zero
// at the frozen eccentricity.
double MeanEccentricityVectorRate(const GravityModel& model, double meanAxisKm, double inclinationRad, double ey);

// The largest distance, over the cycle, of the eccentricity vector averaged
// over each revolution (ascending node to ascending node, in the frame of
// the node) from the mean of those averages.
double EccentricityExcursion(const Propagator& propagator, double durationS);

}  // namespace orbit::propagation

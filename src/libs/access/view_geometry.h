#pragma once
// The triangle of the Earth's centre, a point on the ground and the
// satellite: with the angle gamma at the centre between the point and the
// sub-satellite point, the satellite at radius a and the point at radius r,
// the off-nadir angle eta at the satellite and the elevation epsilon at the
// point close it:  eta + epsilon + gamma = 90 degrees, with
//   tan eta     = r sin gamma / (a - r cos gamma)
//   tan epsilon = (a cos gamma - r) / (a sin gamma).
// All angles in radians, radii in km.

namespace orbit::access {

double OffNadirRad(double centralAngleRad, double orbitRadiusKm, double pointRadiusKm);
double ElevationRad(double centralAngleRad, double orbitRadiusKm, double pointRadiusKm);

// The central angle at which the satellite stands at `elevationRad` above
// the point's horizon: gamma = acos(r cos epsilon / a) - epsilon.
double CentralAngleAtElevation(double elevationRad, double orbitRadiusKm, double pointRadiusKm);

// The central angle of the ground a look `offNadirRad` off nadir reaches:
// gamma = asin(a sin eta / r) - eta, or the horizon, acos(r / a), when the
// look passes beyond the Earth's limb.
double CentralAngleAtOffNadir(double offNadirRad, double orbitRadiusKm, double pointRadiusKm);

}  // namespace orbit::access

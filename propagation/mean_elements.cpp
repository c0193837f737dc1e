#include "propagation/mean_elements.h"

#include "core/orbit_error.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::propagation {
namespace {

// The short-period terms at the mean elements `mean` (osculating - mean).
NonsingularElements ShortPeriodTerms(const NonsingularElements& mean, const GravityModel& model)
{
    const double a = mean.semiMajorAxisKm;
    const double j2 = model.J(2);
    const double re = model.equatorialRadiusKm;
    const double k = j2 * (re / a) * (re / a);
    const double c = std::cos(mean.inclinationRad), s = std::sin(mean.inclinationRad);
    const double c2 = c * c, s2 = s * s;
    const double u = mean.meanArgumentOfLatitudeRad;

    // The axis: the energy integral makes its short-period part
    // (2 a^2 / GM) times that of the disturbing function, which Brouwer writes
    // with the radius and true argument of latitude of the orbit itself.
    const double e2 = mean.ex * mean.ex + mean.ey * mean.ey;
    const double uTrue = TrueArgumentOfLatitude(mean);
    const CartesianState unit = ToCartesian(mean, 1.0);
    const double aOverR = a / std::hypot(unit.positionKm[0], unit.positionKm[1], unit.positionKm[2]);
    const double aOverR3 = aOverR * aOverR * aOverR;

    NonsingularElements d;
    d.semiMajorAxisKm = j2 * re * re / a *
                        (0.5 * (3 * c2 - 1) * (aOverR3 - std::pow(1 - e2, -1.5)) + 1.5 * s2 * aOverR3 * std::cos(2 * uTrue));
    d.inclinationRad = 0.375 * k * std::sin(2 * mean.inclinationRad) * std::cos(2 * u);
    d.raanRad = 0.75 * k * c * std::sin(2 * u);
    d.meanArgumentOfLatitudeRad = 0.375 * k * (3 - 5 * c2) * std::sin(2 * u);
    d.ex = 1.5 * k * ((1 - 1.25 * s2) * std::cos(u) + 7.0 / 12.0 * s2 * std::cos(3 * u));
    d.ey = 1.5 * k * ((1 - 1.75 * s2) * std::sin(u) + 7.0 / 12.0 * s2 * std::sin(3 * u));
    return d;
}

NonsingularElements Add(const NonsingularElements& x, const NonsingularElements& d, double sign)
{
    NonsingularElements out;
    out.semiMajorAxisKm = x.semiMajorAxisKm + sign * d.semiMajorAxisKm;
    out.ex = x.ex + sign * d.ex;
    out.ey = x.ey + sign * d.ey;
    out.inclinationRad = x.inclinationRad + sign * d.inclinationRad;
    out.raanRad = x.raanRad + sign * d.raanRad;
    out.meanArgumentOfLatitudeRad = x.meanArgumentOfLatitudeRad + sign * d.meanArgumentOfLatitudeRad;
    return out;
}

constexpr int kInverseRoundCap = 50;

}  // namespace

NonsingularElements MeanToOsculating(const NonsingularElements& mean, const GravityModel& model)
{
    return Add(mean, ShortPeriodTerms(mean, model), +1);
}

NonsingularElements OsculatingToMean(const NonsingularElements& osculating, const GravityModel& model)
{
    NonsingularElements mean = osculating;
    for (int round = 0; round < kInverseRoundCap; ++round) {
        const NonsingularElements next = Add(osculating, ShortPeriodTerms(mean, model), -1);
        const double axisChange = std::abs(next.semiMajorAxisKm - mean.semiMajorAxisKm);
        const double angleChange =
            std::max({std::abs(next.ex - mean.ex), std::abs(next.ey - mean.ey),
                      std::abs(next.inclinationRad - mean.inclinationRad), std::abs(next.raanRad - mean.raanRad),
                      std::abs(next.meanArgumentOfLatitudeRad - mean.meanArgumentOfLatitudeRad)});
        mean = next;
        if (axisChange < 1e-9 && angleChange < 1e-12) {
            mean.raanRad = WrapTwoPi(mean.raanRad);
            mean.meanArgumentOfLatitudeRad = WrapTwoPi(mean.meanArgumentOfLatitudeRad);
            return mean;
        }
    }
    throw OrbitError(ErrorKind::NoConvergence, "The mean elements did not settle within 50 rounds");
}

CartesianState DesignInitialState(double meanAxisKm, double meanInclinationRad, double raanRad,
                                  double meanEccentricity, const GravityModel& model)
{
    NonsingularElements mean;
    mean.semiMajorAxisKm = meanAxisKm;
    mean.ex = 0;                 // argument of perigee 90 degrees
    mean.ey = meanEccentricity;
    mean.inclinationRad = meanInclinationRad;
    mean.raanRad = raanRad;
    mean.meanArgumentOfLatitudeRad = 0;
    return ToCartesian(MeanToOsculating(mean, model), model.gmKm3S2);
}

}  // namespace orbit::propagation

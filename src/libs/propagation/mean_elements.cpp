#include "propagation/mean_elements.h"

#include "core/orbit_error.h"
#include "propagation/propagator.h"

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

// The secular rates of a circular orbit under J2 (rad/s): the argument of
// latitude's and the node's, as functions of a mean axis and inclination.
struct SecularRates {
    double latitude = 0;
    double node = 0;
};

// With g = J2 Re^2 / (2 a^2), n = sqrt(GM / a^3) and c = cos i:
//   first order (the design core):  u' = n [1 + 3 g (4c^2 - 1)],  O' = -3 g n c;
//   second order adds, for Brouwer's mean elements at zero eccentricity,
//                     u'' = n g^2 (15/4 - 36 c^2 + 399/4 c^4),  O'' = n g^2 (6 c - 57/2 c^3)
// (Brouwer 1959, the sums of his l' and g' and his h' at eta = 1). Both are
// the derivatives of the averaged Hamiltonian of SecularEnergy below, as
// they must be: along the circular orbits u' = -dF/dL and O' = -dF/dH.
SecularRates FirstOrderRates(const GravityModel& model, double a, double i)
{
    const double n = std::sqrt(model.gmKm3S2 / (a * a * a));
    const double g = 0.5 * model.J(2) * (model.equatorialRadiusKm / a) * (model.equatorialRadiusKm / a);
    const double c = std::cos(i);
    return {n * (1 + 3 * g * (4 * c * c - 1)), -3 * g * n * c};
}

SecularRates SecondOrderRates(const GravityModel& model, double a, double i)
{
    const double n = std::sqrt(model.gmKm3S2 / (a * a * a));
    const double g = 0.5 * model.J(2) * (model.equatorialRadiusKm / a) * (model.equatorialRadiusKm / a);
    const double c = std::cos(i), c2 = c * c;
    SecularRates r = FirstOrderRates(model, a, i);
    r.latitude += n * g * g * (3.75 - 36 * c2 + 99.75 * c2 * c2);
    r.node += n * g * g * (6 * c - 28.5 * c2 * c);
    return r;
}

// The energy v^2/2 - U of an orbit under J2 as a function of its mean
// elements: minus Brouwer's averaged Hamiltonian to the second order,
//   F = (GM / a) [1/2 + g (3c^2 - 1)/2 (1 - e^2)^-1.5 + g^2 (3/8 - 3 c^2 + 57/8 c^4)].
// The transformation to mean elements is canonical, so this holds exactly
// for the osculating state's energy; and since the node's angle does not
// appear, the polar angular momentum sqrt(GM a (1 - e^2)) cos i is the same in
// mean and osculating elements. These two integrals pin the mean axis and
// inclination to the second order, which the first-order short-period terms
// alone leave uncertain by metres: enough to move the period by a part in a
// million.
double SecularEnergy(const GravityModel& model, double a, double i, double e2)
{
    const double g = 0.5 * model.J(2) * (model.equatorialRadiusKm / a) * (model.equatorialRadiusKm / a);
    const double c2 = std::cos(i) * std::cos(i);
    return -model.gmKm3S2 / a *
           (0.5 + g * 0.5 * (3 * c2 - 1) * std::pow(1 - e2, -1.5) + g * g * (0.375 - 3 * c2 + 7.125 * c2 * c2));
}

double PolarMomentum(const GravityModel& model, double a, double i, double e2)
{
    return std::sqrt(model.gmKm3S2 * a * (1 - e2)) * std::cos(i);
}

// The J2 part of the field alone: the mean elements are those of the J2
// theory, whatever other harmonics the model has.
GravityModel J2Only(const GravityModel& model)
{
    GravityModel j2 = model;
    j2.zonal = {model.J(2), 0, 0, 0, 0};
    return j2;
}

struct AxisInclination {
    double axisKm = 0;
    double inclinationRad = 0;
};

// Solves rates(x) = target for x = (a, i) by Newton's method from `start`,
// with the Jacobian by central differences; the two sets of rates differ by
// the second order only, so three or four rounds settle.
template <typename Rates>
AxisInclination SolveForRates(Rates rates, const SecularRates& target, AxisInclination start)
{
    AxisInclination x = start;
    const double ha = 1e-4, hi = 1e-8;
    for (int round = 0; round < kInverseRoundCap; ++round) {
        const SecularRates r = rates(x.axisKm, x.inclinationRad);
        const SecularRates ap = rates(x.axisKm + ha, x.inclinationRad), am = rates(x.axisKm - ha, x.inclinationRad);
        const SecularRates ip = rates(x.axisKm, x.inclinationRad + hi), im = rates(x.axisKm, x.inclinationRad - hi);
        const double lA = (ap.latitude - am.latitude) / (2 * ha), lI = (ip.latitude - im.latitude) / (2 * hi);
        const double nA = (ap.node - am.node) / (2 * ha), nI = (ip.node - im.node) / (2 * hi);
        const double fl = r.latitude - target.latitude, fn = r.node - target.node;
        double da = 0, di = 0;
        if (std::abs(std::sin(x.inclinationRad)) > 1e-6) {
            const double det = lA * nI - lI * nA;
            da = (fl * nI - lI * fn) / det;
            di = (lA * fn - fl * nA) / det;
        } else {
            // In the equatorial plane the rates do not change with the
            // inclination to first order: the axis alone takes the period.
            da = fl / lA;
        }
        x.axisKm -= da;
        x.inclinationRad -= di;
        if (std::abs(da) < 1e-10 && std::abs(di) < 1e-14) return x;
    }
    throw OrbitError(ErrorKind::NoConvergence, "The mean axis and inclination did not settle within 50 rounds");
}

// The design core's mean axis and inclination are defined by its formulas:
// an orbit has the mean a and i at which the first-order rates give its
// actual period and node rate. Brouwer's mean elements differ from these at
// the order J2 x (the first-order term): by metres in the axis and by a few
// millidegrees in the inclination, enough to move the node of a ten-day
// cycle by a kilometre.
AxisInclination BrouwerOfDesign(const GravityModel& model, double a, double i)
{
    return SolveForRates([&](double x, double y) { return SecondOrderRates(model, x, y); },
                         FirstOrderRates(model, a, i), {a, i});
}

AxisInclination DesignOfBrouwer(const GravityModel& model, double a, double i)
{
    return SolveForRates([&](double x, double y) { return FirstOrderRates(model, x, y); },
                         SecondOrderRates(model, a, i), {a, i});
}

// Brouwer's mean axis and inclination of an osculating state with mean
// eccentricity e2 (squared): the energy and the polar momentum solved for them.
AxisInclination BrouwerOfState(const GravityModel& j2, const CartesianState& state, double e2)
{
    const double energy = OrbitEnergy(j2, state);
    const Vector3& r = state.positionKm;
    const Vector3& v = state.velocityKmS;
    const double hz = r[0] * v[1] - r[1] * v[0];
    AxisInclination x{-j2.gmKm3S2 / (2 * energy), 0};
    for (int round = 0; round < kInverseRoundCap; ++round) {
        x.inclinationRad = std::acos(std::clamp(hz / std::sqrt(j2.gmKm3S2 * x.axisKm * (1 - e2)), -1.0, 1.0));
        const double h = 1e-4;
        const double f = SecularEnergy(j2, x.axisKm, x.inclinationRad, e2) - energy;
        // The energy's change with the axis at a fixed polar momentum.
        auto energyAt = [&](double a) {
            const double i = std::acos(std::clamp(hz / std::sqrt(j2.gmKm3S2 * a * (1 - e2)), -1.0, 1.0));
            return SecularEnergy(j2, a, i, e2);
        };
        const double df = (energyAt(x.axisKm + h) - energyAt(x.axisKm - h)) / (2 * h);
        const double step = f / df;
        x.axisKm -= step;
        if (std::abs(step) < 1e-11) {
            x.inclinationRad = std::acos(std::clamp(hz / std::sqrt(j2.gmKm3S2 * x.axisKm * (1 - e2)), -1.0, 1.0));
            return x;
        }
    }
    throw OrbitError(ErrorKind::NoConvergence, "The mean axis did not settle within 50 rounds");
}

}  // namespace

NonsingularElements MeanToOsculating(const NonsingularElements& mean, const GravityModel& model)
{
    const GravityModel j2 = J2Only(model);
    NonsingularElements brouwer = mean;
    const AxisInclination b = BrouwerOfDesign(j2, mean.semiMajorAxisKm, mean.inclinationRad);
    brouwer.semiMajorAxisKm = b.axisKm;
    brouwer.inclinationRad = b.inclinationRad;
    NonsingularElements osc = Add(brouwer, ShortPeriodTerms(brouwer, j2), +1);
    // The first-order terms leave the state's energy and polar momentum off
    // by the second order; the osculating axis and inclination are moved
    // until both are those of the mean elements.
    const double e2 = mean.ex * mean.ex + mean.ey * mean.ey;
    const double energy = SecularEnergy(j2, b.axisKm, b.inclinationRad, e2);
    const double hz = PolarMomentum(j2, b.axisKm, b.inclinationRad, e2);
    for (int round = 0; round < 4; ++round) {
        const CartesianState state = ToCartesian(osc, j2.gmKm3S2);
        const double a = osc.semiMajorAxisKm;
        osc.semiMajorAxisKm += (energy - OrbitEnergy(j2, state)) / (j2.gmKm3S2 / (2 * a * a));
        const double oscE2 = osc.ex * osc.ex + osc.ey * osc.ey;
        const double sinI = std::sin(osc.inclinationRad);
        if (std::abs(sinI) > 1e-9) {
            osc.inclinationRad -= (hz - PolarMomentum(j2, osc.semiMajorAxisKm, osc.inclinationRad, oscE2)) /
                                  (std::sqrt(j2.gmKm3S2 * osc.semiMajorAxisKm * (1 - oscE2)) * sinI);
        }
    }
    return osc;
}

NonsingularElements OsculatingToMean(const NonsingularElements& osculating, const GravityModel& model)
{
    const GravityModel j2 = J2Only(model);
    const CartesianState state = ToCartesian(osculating, j2.gmKm3S2);
    // The axis and inclination from the two integrals, the other elements by
    // fixed-point iteration: mean = osc - terms(mean).
    NonsingularElements mean = osculating;
    AxisInclination b{};
    for (int round = 0; round < kInverseRoundCap; ++round) {
        b = BrouwerOfState(j2, state, mean.ex * mean.ex + mean.ey * mean.ey);
        mean.semiMajorAxisKm = b.axisKm;
        mean.inclinationRad = b.inclinationRad;
        const NonsingularElements next = Add(osculating, ShortPeriodTerms(mean, j2), -1);
        const double angleChange =
            std::max({std::abs(next.ex - mean.ex), std::abs(next.ey - mean.ey), std::abs(next.raanRad - mean.raanRad),
                      std::abs(next.meanArgumentOfLatitudeRad - mean.meanArgumentOfLatitudeRad)});
        mean.ex = next.ex;
        mean.ey = next.ey;
        mean.raanRad = next.raanRad;
        mean.meanArgumentOfLatitudeRad = next.meanArgumentOfLatitudeRad;
        if (angleChange < 1e-13) {
            const AxisInclination d = DesignOfBrouwer(j2, b.axisKm, b.inclinationRad);
            mean.semiMajorAxisKm = d.axisKm;
            mean.inclinationRad = d.inclinationRad;
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

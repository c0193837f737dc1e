// In nonsingular elements (ex, ey) = e (cos w, sin w), Lagrange's equations
// with a disturbing function R that has been averaged over the revolution
// (so that it no longer depends on the mean argument of latitude) read
//   d ex/dt = -(eta / n a^2) dR/d ey + ey cot i dR/di / (n a^2 eta)
//   d ey/dt =  (eta / n a^2) dR/d ex - ex cot i dR/di / (n a^2 eta),
// eta = sqrt(1 - e^2). A zonal field's averaged R is even in ex, so at ex = 0
// the second rate vanishes and the frozen ey is the root of the first.

#include "propagation/frozen_eccentricity.h"

#include "core/orbit_error.h"
#include "propagation/orbital_elements.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::propagation {
namespace {

// Points of the average over the mean argument of latitude. The averaged
// function is smooth and periodic, so the trapezoid rule converges
// geometrically; 128 points are exact for every harmonic the field and the
// eccentricity expansion bring at these eccentricities.
constexpr int kAveragePoints = 128;

// The zonal part of the potential (everything but GM / r) averaged over one
// revolution of the elements (a, 0, ey, i).
double AveragedDisturbingFunction(const GravityModel& model, double a, double ey, double i)
{
    NonsingularElements el;
    el.semiMajorAxisKm = a;
    el.ey = ey;
    el.inclinationRad = i;
    double sum = 0;
    for (int k = 0; k < kAveragePoints; ++k) {
        el.meanArgumentOfLatitudeRad = 2 * std::numbers::pi * k / kAveragePoints;
        const Vector3 r = ToCartesian(el, model.gmKm3S2).positionKm;
        sum += ZonalPotential(model, r) - model.gmKm3S2 / std::hypot(r[0], r[1], r[2]);
    }
    return sum / kAveragePoints;
}

}  // namespace

double FrozenEccentricityJ2J3(const GravityModel& model, double meanAxisKm, double inclinationRad)
{
    if (model.J(3) == 0) return 0;
    return -(model.J(3) / (2 * model.J(2))) * (model.equatorialRadiusKm / meanAxisKm) * std::sin(inclinationRad);
}

double MeanEccentricityVectorRate(const GravityModel& model, double a, double i, double ey)
{
    const double he = 1e-5, hi = 1e-5;
    const double dRdey = (AveragedDisturbingFunction(model, a, ey + he, i) -
                          AveragedDisturbingFunction(model, a, ey - he, i)) / (2 * he);
    const double dRdi = (AveragedDisturbingFunction(model, a, ey, i + hi) -
                         AveragedDisturbingFunction(model, a, ey, i - hi)) / (2 * hi);
    const double n = std::sqrt(model.gmKm3S2 / (a * a * a));
    const double eta = std::sqrt(1 - ey * ey);
    return (-eta * dRdey + ey * dRdi / (std::tan(i) * eta)) / (n * a * a);
}

double FrozenEccentricityZonal(const GravityModel& model, double a, double i)
{
    if (model.J(3) == 0 && model.J(5) == 0) return 0;  // a field symmetric about the equator freezes at e = 0
    // The rate is nearly linear in ey: a secant iteration from the J2/J3 value.
    double e0 = FrozenEccentricityJ2J3(model, a, i);
    if (e0 == 0) e0 = 1e-3;
    double e1 = 1.05 * e0;
    double f0 = MeanEccentricityVectorRate(model, a, i, e0);
    double f1 = MeanEccentricityVectorRate(model, a, i, e1);
    for (int k = 0; k < 50; ++k) {
        if (f1 == f0) break;
        const double e2 = e1 - f1 * (e1 - e0) / (f1 - f0);
        if (std::abs(e2 - e1) < 1e-12) return e2;
        e0 = e1;
        f0 = f1;
        e1 = e2;
        f1 = MeanEccentricityVectorRate(model, a, i, e1);
    }
    throw OrbitError(ErrorKind::NoConvergence, "The frozen eccentricity was not found");
}

double EccentricityExcursion(const Propagator& propagator, double durationS)
{
    const GravityModel& model = propagator.Model();
    const std::vector<NodeCrossing> nodes = propagator.AscendingNodes(0, durationS, 0.0);
    if (nodes.size() < 2) throw OrbitError(ErrorKind::InvalidArgument, "Fewer than two nodes to average between");
    // Each revolution sampled at 36 evenly spaced instants: the short-period
    // motion of the eccentricity vector has harmonics up to the third of the
    // argument of latitude, which that many samples average out exactly.
    constexpr int samples = 36;
    std::vector<double> times;
    for (std::size_t k = 0; k + 1 < nodes.size(); ++k) {
        const double t0 = nodes[k].secondsAfterEpoch, t1 = nodes[k + 1].secondsAfterEpoch;
        for (int j = 0; j < samples; ++j) times.push_back(t0 + (t1 - t0) * j / samples);
    }
    const std::vector<CartesianState> states = propagator.StatesAt(times);
    const std::size_t revolutions = nodes.size() - 1;
    std::vector<double> ex(revolutions, 0.0), ey(revolutions, 0.0);
    for (std::size_t k = 0; k < states.size(); ++k) {
        const NonsingularElements el = ToNonsingular(states[k], model.gmKm3S2);
        ex[k / samples] += el.ex / samples;
        ey[k / samples] += el.ey / samples;
    }
    double meanX = 0, meanY = 0;
    for (std::size_t k = 0; k < revolutions; ++k) {
        meanX += ex[k] / static_cast<double>(revolutions);
        meanY += ey[k] / static_cast<double>(revolutions);
    }
    double largest = 0;
    for (std::size_t k = 0; k < revolutions; ++k) largest = std::max(largest, std::hypot(ex[k] - meanX, ey[k] - meanY));
    return largest;
}

}  // namespace orbit::propagation

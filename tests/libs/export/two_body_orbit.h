#pragma once
// The tests' own conic: the state on a Keplerian ellipse at any time, from
// Kepler's equation solved by Newton's method. It stands apart from the
// exports' element conversion, which the tests check against it.

#include "export/export_inputs.h"

#include <cmath>
#include <numbers>

namespace orbit::exports::testing {

struct Ellipse {
    double aKm, e, iDeg, raanDeg, argpDeg, meanAnomalyDeg;  // at t = 0
    double gmKm3S2 = 398600.4415;
};

inline CartesianState StateOnEllipse(const Ellipse& el, double t)
{
    constexpr double rad = std::numbers::pi / 180;
    const double n = std::sqrt(el.gmKm3S2 / (el.aKm * el.aKm * el.aKm));
    const double meanAnomaly = el.meanAnomalyDeg * rad + n * t;
    double E = meanAnomaly;
    for (int k = 0; k < 50; ++k)
        E -= (E - el.e * std::sin(E) - meanAnomaly) / (1 - el.e * std::cos(E));
    // Position and velocity in the perifocal frame.
    const double b = el.aKm * std::sqrt(1 - el.e * el.e);
    const double px = el.aKm * (std::cos(E) - el.e), py = b * std::sin(E);
    const double Edot = n / (1 - el.e * std::cos(E));
    const double vx = -el.aKm * std::sin(E) * Edot, vy = b * std::cos(E) * Edot;
    // Rotated by the argument of pericentre, the inclination and the node.
    const double co = std::cos(el.raanDeg * rad), so = std::sin(el.raanDeg * rad);
    const double cw = std::cos(el.argpDeg * rad), sw = std::sin(el.argpDeg * rad);
    const double ci = std::cos(el.iDeg * rad), si = std::sin(el.iDeg * rad);
    const double p[3] = {co * cw - so * sw * ci, so * cw + co * sw * ci, sw * si};
    const double q[3] = {-co * sw - so * cw * ci, -so * sw + co * cw * ci, cw * si};
    CartesianState s;
    s.secondsAfterEpoch = t;
    for (std::size_t k = 0; k < 3; ++k) {
        s.positionKm[k] = px * p[k] + py * q[k];
        s.velocityKmS[k] = vx * p[k] + vy * q[k];
    }
    return s;
}

}  // namespace orbit::exports::testing

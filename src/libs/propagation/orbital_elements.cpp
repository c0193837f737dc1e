// Nonsingular elements and Cartesian states. In the orbit plane, with the x
// axis P along the ascending node and y axis Q 90 degrees ahead, the position
// follows from the eccentric argument of latitude F (eccentric anomaly plus
// argument of perigee) as for equinoctial elements:
//   F - ex sin F + ey cos F = lambda           (Kepler's equation)
//   X = a [(1 - ey^2 b) cos F + ex ey b sin F - ex]
//   Y = a [(1 - ex^2 b) sin F + ex ey b cos F - ey],   b = 1 / (1 + sqrt(1 - e^2))
// with the velocity their time derivative, dF/dt = n a / r.

#include "propagation/orbital_elements.h"

#include "core/constants.h"
#include "core/orbit_error.h"
#include "core/vector3.h"

#include <cmath>

namespace orbit::propagation {
namespace {

// The eccentric argument of latitude, by Newton's method (at e < 0.1 about
// four rounds reach machine precision; 50 is a safe cap for any e < 1).
double EccentricArgumentOfLatitude(double lambda, double ex, double ey)
{
    double f = lambda;
    for (int k = 0; k < 50; ++k) {
        const double g = f - ex * std::sin(f) + ey * std::cos(f) - lambda;
        const double dg = 1 - ex * std::cos(f) - ey * std::sin(f);
        const double step = g / dg;
        f -= step;
        if (std::abs(step) < 1e-15) break;
    }
    return f;
}

struct InPlane {
    double x, y, vx, vy, r;
};

InPlane InPlaneState(const NonsingularElements& el, double gm)
{
    const double a = el.semiMajorAxisKm, ex = el.ex, ey = el.ey;
    const double e2 = ex * ex + ey * ey;
    if (!(a > 0) || !(e2 < 1)) {
        throw OrbitError(ErrorKind::InvalidArgument, "Elements of an orbit that is not an ellipse");
    }
    const double b = 1 / (1 + std::sqrt(1 - e2));
    const double f = EccentricArgumentOfLatitude(el.meanArgumentOfLatitudeRad, ex, ey);
    const double cf = std::cos(f), sf = std::sin(f);
    const double r = a * (1 - ex * cf - ey * sf);
    const double n = std::sqrt(gm / (a * a * a));
    const double rate = n * a * a / r;  // a dF/dt
    return {a * ((1 - ey * ey * b) * cf + ex * ey * b * sf - ex), a * ((1 - ex * ex * b) * sf + ex * ey * b * cf - ey),
            rate * (ex * ey * b * cf - (1 - ey * ey * b) * sf), rate * ((1 - ex * ex * b) * cf - ex * ey * b * sf), r};
}

}  // namespace

CartesianState ToCartesian(const NonsingularElements& el, double gm)
{
    const InPlane s = InPlaneState(el, gm);
    const double co = std::cos(el.raanRad), so = std::sin(el.raanRad);
    const double ci = std::cos(el.inclinationRad), si = std::sin(el.inclinationRad);
    const Vector3 p{co, so, 0};
    const Vector3 q{-ci * so, ci * co, si};
    CartesianState out;
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        out.positionKm[i] = s.x * p[i] + s.y * q[i];
        out.velocityKmS[i] = s.vx * p[i] + s.vy * q[i];
    }
    return out;
}

namespace {

// The one conversion of a state to elements, with the true argument of
// latitude it passes through. An equatorial orbit has no node: it is refused,
// or, where `nodeOnXAxis`, given the x axis as its node.
struct StateElements {
    NonsingularElements elements;
    double trueArgumentOfLatitudeRad = 0;
};

StateElements FromState(const CartesianState& state, double gm, bool nodeOnXAxis)
{
    const Vector3& r = state.positionKm;
    const Vector3& v = state.velocityKmS;
    const Vector3 h = Cross(r, v);
    const double hNorm = Norm(h), rNorm = Norm(r);
    const double energy = 0.5 * Dot(v, v) - gm / rNorm;
    if (!(energy < 0) || !(hNorm > 0)) {
        throw OrbitError(ErrorKind::InvalidArgument, "The state is not on an elliptic orbit");
    }
    const double horizontal = std::hypot(h[0], h[1]);
    const bool equatorial = !(horizontal > 1e-12 * hNorm);
    if (equatorial && !nodeOnXAxis) {
        throw OrbitError(ErrorKind::InvalidArgument, "An equatorial orbit has no ascending node");
    }
    NonsingularElements el;
    el.semiMajorAxisKm = -gm / (2 * energy);
    el.inclinationRad = std::atan2(horizontal, h[2]);
    el.raanRad = equatorial ? 0.0 : WrapTwoPi(std::atan2(h[0], -h[1]));
    const double co = std::cos(el.raanRad), so = std::sin(el.raanRad);
    const double ci = std::cos(el.inclinationRad), si = std::sin(el.inclinationRad);
    const Vector3 p{co, so, 0};
    const Vector3 q{-ci * so, ci * co, si};
    // Eccentricity vector (v x h) / GM - r / |r|.
    const Vector3 vh = Cross(v, h);
    Vector3 e{};
    for (std::size_t k = 0; k < 3; ++k) e[k] = vh[k] / gm - r[k] / rNorm;
    el.ex = Dot(e, p);
    el.ey = Dot(e, q);
    const double ecc = std::hypot(el.ex, el.ey);
    const double u = std::atan2(Dot(r, q), Dot(r, p));  // true argument of latitude
    const double w = std::atan2(el.ey, el.ex);            // 0 when e = 0
    const double f = u - w;
    const double eccentricAnomaly = std::atan2(std::sqrt(1 - ecc * ecc) * std::sin(f), ecc + std::cos(f));
    const double meanAnomaly = eccentricAnomaly - ecc * std::sin(eccentricAnomaly);
    el.meanArgumentOfLatitudeRad = WrapTwoPi(meanAnomaly + w);
    return {el, u};
}

}  // namespace

NonsingularElements ToNonsingular(const CartesianState& state, double gm)
{
    return FromState(state, gm, false).elements;
}

ClassicalElements ToClassical(const CartesianState& state, double gm)
{
    for (std::size_t k = 0; k < 3; ++k)
        if (!std::isfinite(state.positionKm[k]) || !std::isfinite(state.velocityKmS[k]))
            throw OrbitError(ErrorKind::InvalidArgument, "The state is not a finite number");
    const StateElements s = FromState(state, gm, true);
    ClassicalElements c = ToClassical(s.elements);
    c.trueAnomalyRad = WrapTwoPi(s.trueArgumentOfLatitudeRad - c.argumentOfPerigeeRad);
    return c;
}

ClassicalElements ToClassical(const NonsingularElements& el)
{
    ClassicalElements c;
    c.semiMajorAxisKm = el.semiMajorAxisKm;
    c.eccentricity = std::hypot(el.ex, el.ey);
    c.inclinationRad = el.inclinationRad;
    c.raanRad = WrapTwoPi(el.raanRad);
    c.argumentOfPerigeeRad = c.eccentricity > kCircularEccentricity ? WrapTwoPi(std::atan2(el.ey, el.ex)) : 0.0;
    c.meanAnomalyRad = WrapTwoPi(el.meanArgumentOfLatitudeRad - c.argumentOfPerigeeRad);
    return c;
}

double TrueArgumentOfLatitude(const NonsingularElements& el)
{
    const InPlane s = InPlaneState(el, 1.0);  // the direction does not depend on GM
    return std::atan2(s.y, s.x);
}

}  // namespace orbit::propagation

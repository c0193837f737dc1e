#include "export/kepler_elements.h"

#include "core/constants.h"
#include "core/orbit_error.h"
#include "core/vector3.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::exports {

namespace {

// Below these the pericentre, or the node, is taken as undefined: an
// eccentricity of 1e-11 moves the pericentre's point by under a tenth of a
// millimetre on any Earth orbit, so nothing of substance is lost.
constexpr double kCircular = 1e-11;
constexpr double kEquatorial = 1e-11;

// The angle from unit vector `from` to `to` in [0, 2 pi), turning about `axis`.
double AngleAbout(const Vector3& from, const Vector3& to, const Vector3& axis)
{
    const double angle = std::atan2(Dot(Cross(from, to), axis), Dot(from, to));
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

double Degrees0To360(double rad)
{
    const double deg = rad * kDegreesPerRadian;
    return deg >= 360 ? deg - 360 : deg;
}

}  // namespace

KeplerElements KeplerFromState(const CartesianState& state, double gmKm3S2)
{
    const Vector3& r = state.positionKm;
    const Vector3& v = state.velocityKmS;
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(r[k]) || !std::isfinite(v[k]))
            throw OrbitError(ErrorKind::InvalidArgument, "The state to export is not a finite number");
    const double radius = Norm(r);
    if (!(radius > 0) || !(gmKm3S2 > 0))
        throw OrbitError(ErrorKind::InvalidArgument, "The state to export has no orbit about the Earth");

    const Vector3 h = Cross(r, v);
    const double hNorm = Norm(h);
    // Eccentricity vector: (v x h) / GM - r / |r|, pointing to the pericentre.
    const Vector3 vxh = Cross(v, h);
    const Vector3 eVec{vxh[0] / gmKm3S2 - r[0] / radius, vxh[1] / gmKm3S2 - r[1] / radius,
                       vxh[2] / gmKm3S2 - r[2] / radius};
    const double e = Norm(eVec);
    const double energy = 0.5 * Dot(v, v) - gmKm3S2 / radius;
    if (!(hNorm > 0) || !(e < 1) || !(energy < 0))
        throw OrbitError(ErrorKind::InvalidArgument, "The state to export is not on an elliptic orbit");

    KeplerElements el;
    el.semiMajorAxisKm = -gmKm3S2 / (2 * energy);
    el.eccentricity = e;
    const Vector3 w{h[0] / hNorm, h[1] / hNorm, h[2] / hNorm};
    el.inclinationDeg = std::acos(std::clamp(w[2], -1.0, 1.0)) * kDegreesPerRadian;

    // The ascending node's direction: z x h, or the x axis on an equatorial orbit.
    const double nodeNorm = std::hypot(w[0], w[1]);
    const Vector3 node = nodeNorm > kEquatorial ? Vector3{-w[1] / nodeNorm, w[0] / nodeNorm, 0} : Vector3{1, 0, 0};
    el.raanDeg = Degrees0To360(AngleAbout({1, 0, 0}, node, {0, 0, 1}));
    const Vector3 rHat{r[0] / radius, r[1] / radius, r[2] / radius};
    double trueAnomalyRad = 0;
    if (e > kCircular) {
        const Vector3 eHat{eVec[0] / e, eVec[1] / e, eVec[2] / e};
        el.argPericenterDeg = Degrees0To360(AngleAbout(node, eHat, w));
        trueAnomalyRad = AngleAbout(eHat, rHat, w);
    } else {
        el.argPericenterDeg = 0;
        trueAnomalyRad = AngleAbout(node, rHat, w);
    }
    el.trueAnomalyDeg = Degrees0To360(trueAnomalyRad);
    // Eccentric anomaly from the true one, then Kepler's equation.
    const double eccentricAnomaly =
        2 * std::atan2(std::sqrt(1 - e) * std::sin(trueAnomalyRad / 2), std::sqrt(1 + e) * std::cos(trueAnomalyRad / 2));
    double meanAnomaly = eccentricAnomaly - e * std::sin(eccentricAnomaly);
    if (meanAnomaly < 0)
        meanAnomaly += 2 * std::numbers::pi;
    el.meanAnomalyDeg = Degrees0To360(meanAnomaly);
    return el;
}

}  // namespace orbit::exports

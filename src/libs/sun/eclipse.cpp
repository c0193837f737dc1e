#include "sun/eclipse.h"

#include <cmath>
#include <algorithm>
#include <limits>
#include <numbers>

namespace orbit::sun {

namespace {

// Along the orbit, the distance behind the Earth measured down the shadow
// axis is y = r cos(beta) cos(u), u from the point farthest from the Sun, and
// the distance from the axis is sqrt(r^2 - y^2). Inside a cone of half-angle
// a whose vertex lies at signed distance v on the axis (v > 0 behind):
//   r^2 - y^2 < tan^2(a) (v - y)^2,
// a quadratic in y; on a circle of radius r > Re the shadow is where y
// exceeds its larger root.
double ShadowEdge(double r, double vertexKm, double halfAngleRad)
{
    const double t2 = std::tan(halfAngleRad) * std::tan(halfAngleRad);
    const double disc = r * r * (1 + t2) - t2 * vertexKm * vertexKm;
    if (disc < 0)
        return std::numeric_limits<double>::infinity();  // the circle passes the cone without entering it
    return (t2 * vertexKm + std::sqrt(disc)) / (1 + t2);
}

// Fraction of the revolution with y = r cos(beta) cos(u) beyond `edge`.
double ArcFraction(double r, double cosBeta, double edge)
{
    const double reach = r * cosBeta;
    if (!(reach > edge))
        return 0;
    return std::acos(edge / reach) / std::numbers::pi;
}

}  // namespace

ShadowCones ShadowConesOf(double sunDistanceKm, double earthRadiusKm, double sunRadiusKm)
{
    // Each cone is tangent to the Earth: sin(a) = Re / (distance to vertex).
    const double umbraSin = (sunRadiusKm - earthRadiusKm) / sunDistanceKm;
    const double penumbraSin = (sunRadiusKm + earthRadiusKm) / sunDistanceKm;
    return {earthRadiusKm / umbraSin, std::asin(umbraSin), earthRadiusKm / penumbraSin, std::asin(penumbraSin)};
}

EclipseTimes EclipsePerRevolution(double orbitRadiusKm, double betaRad, double sunDistanceKm, double periodS,
                                  double earthRadiusKm, double sunRadiusKm)
{
    EclipseTimes times;
    if (!(orbitRadiusKm > earthRadiusKm))
        return times;
    const ShadowCones cones = ShadowConesOf(sunDistanceKm, earthRadiusKm, sunRadiusKm);
    const double cosBeta = std::cos(betaRad);
    // The umbra ends at its vertex: beyond it no point sees the Sun wholly hidden.
    double umbra = 0;
    if (orbitRadiusKm < cones.umbraVertexKm)
        umbra = ArcFraction(orbitRadiusKm, cosBeta,
                            ShadowEdge(orbitRadiusKm, cones.umbraVertexKm, cones.umbraHalfAngleRad));
    const double shadow =
        ArcFraction(orbitRadiusKm, cosBeta, ShadowEdge(orbitRadiusKm, -cones.penumbraVertexKm, cones.penumbraHalfAngleRad));
    const double periodMin = periodS / 60;
    times.umbraFraction = umbra;
    times.umbraMin = umbra * periodMin;
    times.penumbraMin = std::max(0.0, shadow - umbra) * periodMin;
    return times;
}

}  // namespace orbit::sun

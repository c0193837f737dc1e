#include "sgp4/equinoctial.h"

#include "core/angle_wrap.h"
#include "core/orbit_error.h"
#include "core/vector3.h"
#include "sgp4/wgs72.h"

#include <cmath>

namespace orbit::sgp4 {

Equinoctial ToEquinoctial(const MeanElements& el)
{
    const double perigeeLongitude = el.argumentOfPerigeeRad + el.raanRad;
    const double t = std::tan(el.inclinationRad / 2.0);
    Equinoctial q;
    q.meanMotionRadMin = el.meanMotionRadMin;
    q.k = el.eccentricity * std::cos(perigeeLongitude);
    q.h = el.eccentricity * std::sin(perigeeLongitude);
    q.q = t * std::cos(el.raanRad);
    q.p = t * std::sin(el.raanRad);
    q.meanLongitudeRad = WrapTwoPiOpen(el.meanAnomalyRad + perigeeLongitude);
    return q;
}

MeanElements FromEquinoctial(const Equinoctial& q, const MeanElements& other)
{
    MeanElements el = other;
    el.meanMotionRadMin = q.meanMotionRadMin;
    el.eccentricity = std::hypot(q.k, q.h);
    el.inclinationRad = 2.0 * std::atan(std::hypot(q.q, q.p));
    const double raan = std::atan2(q.p, q.q);
    const double perigeeLongitude = std::atan2(q.h, q.k);
    el.raanRad = WrapTwoPiOpen(raan);
    el.argumentOfPerigeeRad = WrapTwoPiOpen(perigeeLongitude - raan);
    el.meanAnomalyRad = WrapTwoPiOpen(q.meanLongitudeRad - perigeeLongitude);
    return el;
}

Equinoctial OsculatingEquinoctial(const TemeState& s)
{
    const auto& r = s.positionKm;
    const auto& v = s.velocityKmS;
    const double rMag = std::sqrt(Dot(r, r));
    const double v2 = Dot(v, v);
    const double energy = v2 / 2.0 - kMuKm3S2 / rMag;
    if (!(rMag > 0) || !(energy < 0)) {
        throw OrbitError(ErrorKind::InvalidArgument, "the state at the epoch is not an elliptic orbit");
    }
    const double a = -kMuKm3S2 / (2.0 * energy);
    const std::array<double, 3> hVec = Cross(r, v);
    const double hMag = std::sqrt(Dot(hVec, hVec));
    if (!(hMag > 0)) throw OrbitError(ErrorKind::InvalidArgument, "the state at the epoch is a radial trajectory");
    // Eccentricity vector e = (v x h) / mu - r / |r|.
    const std::array<double, 3> vxh = Cross(v, hVec);
    std::array<double, 3> e{};
    for (std::size_t k = 0; k < 3; ++k) e[k] = vxh[k] / kMuKm3S2 - r[k] / rMag;
    const double ecc = std::sqrt(Dot(e, e));

    const double cosi = hVec[2] / hMag;
    const double inclination = std::acos(std::fmax(-1.0, std::fmin(1.0, cosi)));
    const double nodeNorm = std::hypot(hVec[0], hVec[1]);
    // Node direction n = z x h; an equatorial orbit takes the x axis.
    const double raan = nodeNorm > 0 ? std::atan2(hVec[0], -hVec[1]) : 0.0;
    const std::array<double, 3> nodeDir{std::cos(raan), std::sin(raan), 0.0};
    const std::array<double, 3> inPlane = Cross(hVec, nodeDir);  // 90 deg ahead of the node, |h| long
    // Argument of latitude of the position and of the perigee, from the node.
    const double u = std::atan2(Dot(r, inPlane) / hMag, Dot(r, nodeDir));
    const double argp = ecc > 0 ? std::atan2(Dot(e, inPlane) / hMag, Dot(e, nodeDir)) : 0.0;
    const double trueAnomaly = u - argp;
    const double eccentricAnomaly =
        2.0 * std::atan2(std::sqrt(1.0 - ecc) * std::sin(trueAnomaly / 2.0), std::sqrt(1.0 + ecc) * std::cos(trueAnomaly / 2.0));
    const double meanAnomaly = eccentricAnomaly - ecc * std::sin(eccentricAnomaly);

    MeanElements el;
    el.meanMotionRadMin = std::sqrt(kMuKm3S2 / (a * a * a)) * 60.0;
    el.eccentricity = ecc;
    el.inclinationRad = inclination;
    el.raanRad = raan;
    el.argumentOfPerigeeRad = argp;
    el.meanAnomalyRad = meanAnomaly;
    return ToEquinoctial(el);
}

std::array<double, 6> Difference(const Equinoctial& a, const Equinoctial& b)
{
    const auto x = a.AsArray();
    const auto y = b.AsArray();
    std::array<double, 6> d{};
    for (std::size_t k = 0; k < 6; ++k) d[k] = x[k] - y[k];
    d[5] = std::remainder(d[5], kTwoPi);
    return d;
}

}  // namespace orbit::sgp4

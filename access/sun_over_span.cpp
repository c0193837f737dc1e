#include "access/sun_over_span.h"

#include "core/orbit_error.h"
#include "core/repbas.h"
#include "ephemeris/earth_orientation.h"
#include "ephemeris/sun_position.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::access {

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kRadiansPerMinuteOfTime = kPi / (12 * 60);
}  // namespace

SunOverSpan::SunOverSpan(const ephemeris::Instant& epoch, double spanS) : epoch_(epoch)
{
    if (!(spanS > 0) || !std::isfinite(spanS))
        throw OrbitError(ErrorKind::InvalidArgument, "The span of time must be a positive number of seconds");
    // One node before the epoch and two beyond the span's end, so that every
    // instant of the span has two nodes on either side.
    const auto inside = static_cast<std::size_t>(std::ceil(spanS / kSunNodeSpacingS));
    for (std::size_t k = 0; k < inside + 3; ++k) {
        const ephemeris::Instant t = epoch.PlusSeconds((static_cast<double>(k) - 1) * kSunNodeSpacingS);
        const ephemeris::EarthOrientation earth = ephemeris::EarthOrientationAt(t);
        const ephemeris::SunPosition sun = ephemeris::SunAt(t, earth);
        nodes_.push_back({sun.declinationRad, ephemeris::EquationOfTimeMin(t, earth, sun) * kRadiansPerMinuteOfTime,
                          sun.distanceKm});
    }
}

SunOverSpan::Node SunOverSpan::Interpolated(double t) const
{
    // Lagrange's cubic through nodes k - 1 .. k + 2, x in [0, 1] between k and k + 1.
    const double position = t / kSunNodeSpacingS + 1;
    const auto k = static_cast<std::size_t>(
        std::clamp(std::floor(position), 1.0, static_cast<double>(nodes_.size()) - 3));
    const double x = position - static_cast<double>(k);
    const double w[4] = {-x * (x - 1) * (x - 2) / 6, (x + 1) * (x - 1) * (x - 2) / 2,
                         -(x + 1) * x * (x - 2) / 2, (x + 1) * x * (x - 1) / 6};
    Node n{0, 0, 0};
    for (std::size_t j = 0; j < 4; ++j) {
        const Node& at = nodes_[k - 1 + j];
        n.declinationRad += w[j] * at.declinationRad;
        n.equationOfTimeRad += w[j] * at.equationOfTimeRad;
        n.distanceKm += w[j] * at.distanceKm;
    }
    return n;
}

SunSeen SunOverSpan::At(double t, double latitudeDeg, double longitudeDeg) const
{
    const Node sun = Interpolated(t);
    const double ut1Hours = 24 * epoch_.PlusSeconds(t).Ut1DayFraction();
    double localH = std::fmod(ut1Hours + longitudeDeg / 15, 24.0);
    if (localH < 0)
        localH += 24;
    if (localH >= 24)
        localH = 0;
    const double hourAngle = (localH - 12) * (kPi / 12) + sun.equationOfTimeRad;
    const double lat = latitudeDeg * kRadiansPerDegree;
    // The Sun's geocentric height above the place's horizon plane, then seen
    // from the place itself, Re nearer the Sun along the vertical.
    const double sinGeocentric =
        std::sin(lat) * std::sin(sun.declinationRad) + std::cos(lat) * std::cos(sun.declinationRad) * std::cos(hourAngle);
    const double cosGeocentric = std::sqrt(std::max(0.0, 1 - sinGeocentric * sinGeocentric));
    const double up = sun.distanceKm * sinGeocentric - RepBas::Re;
    const double across = sun.distanceKm * cosGeocentric;
    return {localH, std::atan2(up, across) / kRadiansPerDegree};
}

}  // namespace orbit::access

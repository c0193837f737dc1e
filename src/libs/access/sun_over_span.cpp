#include "access/sun_over_span.h"

#include "core/orbit_error.h"

#include <cmath>
#include <numbers>

namespace orbit::access {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;

double CheckedSpan(double spanS)
{
    if (!(spanS > 0) || !std::isfinite(spanS))
        throw OrbitError(ErrorKind::InvalidArgument, "The span of time must be a positive number of seconds");
    return spanS;
}

}  // namespace

SunOverSpan::SunOverSpan(const ephemeris::Instant& epoch, double spanS) : table_(epoch, CheckedSpan(spanS)) {}

SunSeen SunOverSpan::At(double t, double latitudeDeg, double longitudeDeg) const
{
    const double ut1Hours = 24 * table_.Start().PlusSeconds(t).Ut1DayFraction();
    double localH = std::fmod(ut1Hours + longitudeDeg / 15, 24.0);
    if (localH < 0)
        localH += 24;
    if (localH >= 24)
        localH = 0;
    const double elevation = sun::SunTable::ElevationRad(table_.At(t), latitudeDeg * kRadiansPerDegree,
                                                         longitudeDeg * kRadiansPerDegree);
    return {localH, elevation / kRadiansPerDegree};
}

}  // namespace orbit::access

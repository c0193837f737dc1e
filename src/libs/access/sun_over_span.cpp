#include "access/sun_over_span.h"

#include "core/angle_wrap.h"
#include "core/constants.h"
#include "core/orbit_error.h"

#include <cmath>

namespace orbit::access {

namespace {


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
    const double localH = WrapHours24(ut1Hours + longitudeDeg / 15);
    const double elevation = sun::SunTable::ElevationRad(table_.At(t), latitudeDeg * kRadiansPerDegree,
                                                         longitudeDeg * kRadiansPerDegree);
    return {localH, elevation / kRadiansPerDegree};
}

}  // namespace orbit::access

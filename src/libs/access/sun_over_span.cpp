#include "access/sun_over_span.h"

#include "core/angle_wrap.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "sun/sub_solar_sampling.h"

#include <algorithm>
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

SunOverSpan::SunOverSpan(const ephemeris::Instant& epoch, double spanS)
    : epoch_(epoch), overhead_(sun::SubSolarTrackOver(epoch, CheckedSpan(spanS)))
{
}

SunSeen SunOverSpan::At(double t, double latitudeDeg, double longitudeDeg) const
{
    const double ut1Hours = 24 * epoch_.PlusSeconds(t).Ut1DayFraction();
    const double localH = WrapHours24(ut1Hours + longitudeDeg / 15);
    const double latitudeRad = latitudeDeg * kRadiansPerDegree;
    const double sine = overhead_.SinElevation(t, std::sin(latitudeRad), std::cos(latitudeRad),
                                               longitudeDeg * kRadiansPerDegree);
    return {localH, std::asin(std::clamp(sine, -1.0, 1.0)) / kRadiansPerDegree};
}

}  // namespace orbit::access

#include "sgp4/elements.h"

#include "core/angle_wrap.h"
#include "core/constants.h"
#include "sgp4/wgs72.h"

#include <cmath>

namespace orbit::sgp4 {

namespace {

double DegreesInTurn(double rad) { return WrapModuloOpen(rad / kRadiansPerDegree, 360.0); }

}  // namespace

std::string CatalogNumberRange() { return "0 to " + std::to_string(kMaxCatalogNumber); }

MeanElements ToMeanElements(const TleElements& tle)
{
    MeanElements mean;
    mean.meanMotionRadMin = tle.meanMotionRevDay * kTwoPi / kMinutesPerDay;
    mean.eccentricity = tle.eccentricity;
    mean.inclinationRad = tle.inclinationDeg * kRadiansPerDegree;
    mean.raanRad = tle.raanDeg * kRadiansPerDegree;
    mean.argumentOfPerigeeRad = tle.argumentOfPerigeeDeg * kRadiansPerDegree;
    mean.meanAnomalyRad = tle.meanAnomalyDeg * kRadiansPerDegree;
    mean.bstarPerEarthRadius = tle.bstarPerEarthRadius;
    // Julian date of January 0.0 of the year (valid 1901 to 2099), plus the day.
    const int y = tle.epochYear;
    const double january0 = 367.0 * y - std::floor(7.0 * y / 4.0) + 30.0 + 1721013.5;
    mean.epochDaysFrom1950 = january0 + tle.epochDayOfYear - 2433281.5;
    return mean;
}

void StoreMeanElements(const MeanElements& mean, TleElements& tle)
{
    tle.meanMotionRevDay = mean.meanMotionRadMin * kMinutesPerDay / kTwoPi;
    tle.eccentricity = mean.eccentricity;
    tle.inclinationDeg = mean.inclinationRad / kRadiansPerDegree;
    tle.raanDeg = DegreesInTurn(mean.raanRad);
    tle.argumentOfPerigeeDeg = DegreesInTurn(mean.argumentOfPerigeeRad);
    tle.meanAnomalyDeg = DegreesInTurn(mean.meanAnomalyRad);
    tle.bstarPerEarthRadius = mean.bstarPerEarthRadius;
}

}  // namespace orbit::sgp4

#include "core/sub_solar_track.h"

#include "core/orbit_error.h"
#include "core/sun_elevation.h"

#include <algorithm>
#include <cmath>

namespace orbit {

SubSolarTrack::SubSolarTrack(double stepS, const std::vector<Sample>& samples) : stepS_(stepS)
{
    if (!(stepS > 0) || !std::isfinite(stepS) || samples.size() < 2)
        throw OrbitError(ErrorKind::InvalidArgument,
                         "The Sun's track over the ground needs a positive step and at least two samples");
    points_.reserve(samples.size());
    for (const Sample& s : samples)
        points_.push_back({std::sin(s.declinationRad), std::cos(s.declinationRad), s.longitudeRad});
}

double SubSolarTrack::SpanS() const
{
    return points_.empty() ? 0 : static_cast<double>(points_.size() - 1) * stepS_;
}

double SubSolarTrack::SinElevation(double secondsAfterStart, double sinLatitude, double cosLatitude,
                                   double longitudeRad) const
{
    if (points_.empty())
        return -1;
    const double x = std::clamp(secondsAfterStart / stepS_, 0.0, static_cast<double>(points_.size() - 1));
    const auto k = std::min(static_cast<std::size_t>(x), points_.size() - 2);
    const double f = x - static_cast<double>(k);
    const Point& a = points_[k];
    const Point& b = points_[k + 1];
    const double sinDeclination = a.sinDeclination + f * (b.sinDeclination - a.sinDeclination);
    const double cosDeclination = a.cosDeclination + f * (b.cosDeclination - a.cosDeclination);
    const double sunLongitude = a.longitudeRad + f * (b.longitudeRad - a.longitudeRad);
    return SinSunElevation(sinLatitude, cosLatitude, longitudeRad, sinDeclination, cosDeclination, sunLongitude);
}

}  // namespace orbit

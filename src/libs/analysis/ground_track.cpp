#include "analysis/ground_track.h"

#include "analysis/angles.h"
#include "core/angle_wrap.h"
#include "core/orbit_error.h"

#include <cmath>

namespace orbit::analysis {

// The design's own figures use the system's ten-digit pi; the track is pure
// geometry and uses the exact one (analysis/angles.h), so that every
// revolution closes exactly on the equator (the ten-digit 2 pi would drift
// 8e-10 rad a revolution).

GroundTrack::GroundTrack(const DesignRecord& design)
    : inclinationRad_(design.Incl),
      nodalPeriodS_(design.NodalPeriod),
      shiftPerRevRad_(design.NodeSpacing),
      sinIncl_(std::sin(design.Incl)),
      cosIncl_(std::cos(design.Incl))
{
    if (!(nodalPeriodS_ > 0) || !std::isfinite(nodalPeriodS_) || !std::isfinite(shiftPerRevRad_) ||
        !std::isfinite(inclinationRad_))
        throw OrbitError(ErrorKind::InvalidArgument,
                         "This design has no ground track: its nodal period is not a positive number");
}

GroundPoint GroundTrack::At(double secondsSinceNode) const
{
    const double revolutions = secondsSinceNode / nodalPeriodS_;
    const double u = kTwoPi * revolutions;
    const double sinU = std::sin(u), cosU = std::cos(u);
    const double latitude = std::asin(sinIncl_ * sinU);
    const double longitude = std::atan2(cosIncl_ * sinU, cosU) - shiftPerRevRad_ * revolutions;
    return {latitude * kDegreesPerRadian, WrapLongitudeDeg(longitude * kDegreesPerRadian)};
}

double GroundTrack::TurningLatitudeDeg() const { return std::asin(std::fabs(sinIncl_)) * kDegreesPerRadian; }

double WrapLongitudeDeg(double longitudeDeg) { return WrapDegrees180(longitudeDeg); }

}  // namespace orbit::analysis

#include "access/satellite_track.h"

#include "analysis/ground_track.h"
#include "core/orbit_error.h"

#include <cmath>
#include <numbers>

namespace orbit::access {

SatelliteTrack::SatelliteTrack(const DesignRecord& design, double semiMajorAxisKm, double nodeLongitudeRad)
    : nodalPeriodS_(0), orbitRadiusKm_(semiMajorAxisKm), nodeLongitudeRad_(nodeLongitudeRad),
      argumentRateRadS_(0), nodeLongitudeRateRadS_(0), sinIncl_(0), cosIncl_(0)
{
    const analysis::GroundTrack track(design);  // refuses a design without a track
    if (!(semiMajorAxisKm > 0) || !std::isfinite(semiMajorAxisKm) || !std::isfinite(nodeLongitudeRad))
        throw OrbitError(ErrorKind::InvalidArgument,
                         "This design has no orbit to follow: its semi-major axis is not a positive number");
    nodalPeriodS_ = track.NodalPeriodS();
    // The same exact pi as the ground track, so that both agree to the last digits.
    argumentRateRadS_ = 2 * std::numbers::pi / nodalPeriodS_;
    nodeLongitudeRateRadS_ = -track.ShiftPerRevolutionRad() / nodalPeriodS_;
    sinIncl_ = std::sin(track.InclinationRad());
    cosIncl_ = std::cos(track.InclinationRad());
}

Vector3 SatelliteTrack::PointAt(double t) const
{
    const double u = argumentRateRadS_ * t;
    const double alpha = nodeLongitudeRad_ + nodeLongitudeRateRadS_ * t;
    const double su = std::sin(u), cu = std::cos(u);
    const double sa = std::sin(alpha), ca = std::cos(alpha);
    const double x = cu, y = cosIncl_ * su;
    return {ca * x - sa * y, sa * x + ca * y, sinIncl_ * su};
}

TrackState SatelliteTrack::StateAt(double t) const
{
    const double u = argumentRateRadS_ * t;
    const double alpha = nodeLongitudeRad_ + nodeLongitudeRateRadS_ * t;
    const double su = std::sin(u), cu = std::cos(u);
    const double sa = std::sin(alpha), ca = std::cos(alpha);
    // In the frame of the node: the point, and its motion along the orbit
    // plus the frame's own turn about the pole (z cross p).
    const double x = cu, y = cosIncl_ * su;
    const double w = argumentRateRadS_, turn = nodeLongitudeRateRadS_;
    const double vx = -w * su - turn * y;
    const double vy = w * cosIncl_ * cu + turn * x;
    const double vz = w * sinIncl_ * cu;
    TrackState state;
    state.point = {ca * x - sa * y, sa * x + ca * y, sinIncl_ * su};
    state.velocity = {ca * vx - sa * vy, sa * vx + ca * vy, vz};
    return state;
}

}  // namespace orbit::access

#include "access/site_passes.h"

#include "access/view_geometry.h"
#include "core/repbas.h"

#include <cmath>
#include <numbers>

namespace orbit::access {

namespace {
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
}  // namespace

std::vector<PassGeometry> PassesNear(const TrackSamples& samples, const Place& place, double reachKm)
{
    const Vector3 target = UnitVectorAt(place.latitudeDeg * kRadiansPerDegree, place.longitudeDeg * kRadiansPerDegree);
    const SatelliteTrack& track = samples.Track();
    std::vector<PassGeometry> passes;
    for (const Approach& a : ClosestApproaches(samples, target, reachKm / RepBas::Re)) {
        const TrackState s = track.StateAt(a.timeS);
        // At the closest approach the place lies on the track's normal: in
        // the plane of the sub-satellite point and the unit vector to the
        // left of the track, s x v.
        const Vector3 left = Cross(s.point, s.velocity);
        const double leftNorm = Norm(left);
        const double toLeft = leftNorm > 0 ? Dot(target, left) / leftNorm : 0;
        const double centralAngle = std::atan2(-toLeft, Dot(target, s.point));  // signed, right positive
        const double gamma = std::fabs(centralAngle);
        PassGeometry pass;
        pass.timeS = a.timeS;
        pass.ascending = s.velocity[2] > 0;
        pass.crossTrackKm = RepBas::Re * centralAngle;
        pass.offNadirDeg = OffNadirRad(gamma, track.OrbitRadiusKm(), RepBas::Re) * kDegreesPerRadian;
        pass.elevationDeg = ElevationRad(gamma, track.OrbitRadiusKm(), RepBas::Re) * kDegreesPerRadian;
        passes.push_back(pass);
    }
    return passes;
}

}  // namespace orbit::access

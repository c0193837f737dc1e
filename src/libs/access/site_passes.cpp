#include "access/site_passes.h"

#include "access/ground_site.h"
#include "core/constants.h"
#include "ephemeris/geodetic.h"

#include <algorithm>
#include <cmath>

namespace orbit::access {

namespace {
}  // namespace

std::vector<PassGeometry> PassesNear(const TrackSamples& samples, const Place& place, double reachKm)
{
    const GroundSite site = GroundSiteAt(place.latitudeDeg, place.longitudeDeg, 0);
    const double radiusKm = Norm(site.positionKm);
    const SatelliteTrack& track = samples.Track();
    std::vector<PassGeometry> passes;
    for (const Approach& a : ClosestApproaches(samples, site.direction, reachKm / radiusKm)) {
        const TrackState s = track.StateAt(a.timeS);
        const Vector3 satelliteKm = Scaled(track.OrbitRadiusKm(), s.point);
        // The geodetic sub-satellite point and the ellipsoid's normal there,
        // which runs through the satellite.
        const ephemeris::GeodeticPoint foot = ephemeris::Wgs84GeodeticOf(satelliteKm);
        const GroundSite below = GroundSiteAt(foot.latitudeDeg, foot.longitudeDeg, 0);
        // Right of the flight: the horizontal part of the velocity there,
        // crossed with the normal.
        const Vector3 level = Minus(s.velocity, Scaled(Dot(s.velocity, below.up), below.up));
        const Vector3 right = Cross(level, below.up);
        const double rightNorm = Norm(right);
        const double across = rightNorm > 0 ? Dot(Minus(site.positionKm, below.positionKm), right) / rightNorm : 0;
        PassGeometry pass;
        pass.timeS = a.timeS;
        pass.ascending = s.velocity[2] > 0;
        pass.crossTrackKm = radiusKm * std::asin(std::clamp(across / radiusKm, -1.0, 1.0));
        const Vector3 sight = Minus(site.positionKm, satelliteKm);
        pass.offNadirDeg = AngleBetween(Scaled(-1, below.up), Scaled(1 / Norm(sight), sight)) * kDegreesPerRadian;
        pass.elevationDeg = ViewFrom(site, satelliteKm).elevationRad * kDegreesPerRadian;
        passes.push_back(pass);
    }
    return passes;
}

}  // namespace orbit::access

#pragma once
// A point of the ground as its user's coordinates give it, on the WGS84
// ellipsoid: its Earth-fixed position and its local frame, the plane normal
// to the ellipsoid (up) with geodetic north and east in it.

#include "access/vector3.h"

namespace orbit::access {

struct GroundSite {
    Vector3 positionKm{};  // Earth-fixed
    Vector3 direction{};   // the unit vector from the Earth's centre toward it
    Vector3 up{}, east{}, north{};
};

// Throws OrbitError (InvalidArgument) for a latitude beyond +-90 degrees or
// a coordinate that is not finite.
GroundSite GroundSiteAt(double latitudeDeg, double longitudeDeg, double heightKm);

// The elevation of the point `targetKm` (Earth-fixed) above the site's
// horizon and its azimuth from north through east, in radians; the azimuth
// in [0, 2 pi).
struct SiteView {
    double elevationRad = 0, azimuthRad = 0;
};
SiteView ViewFrom(const GroundSite& site, const Vector3& targetKm);

inline Vector3 Scaled(double k, const Vector3& v) { return {k * v[0], k * v[1], k * v[2]}; }
inline Vector3 Minus(const Vector3& a, const Vector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

}  // namespace orbit::access

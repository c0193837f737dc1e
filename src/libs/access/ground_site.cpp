#include "access/ground_site.h"

#include "core/constants.h"
#include "ephemeris/geodetic.h"

#include <cmath>
#include <numbers>

namespace orbit::access {

namespace {
}  // namespace

GroundSite GroundSiteAt(double latitudeDeg, double longitudeDeg, double heightKm)
{
    GroundSite site;
    site.positionKm = ephemeris::Wgs84EarthFixedKm({latitudeDeg, longitudeDeg, heightKm});
    site.direction = Scaled(1 / Norm(site.positionKm), site.positionKm);
    // The geodetic latitude is the normal's own angle to the equator. At a
    // pole the site's longitude fixes which way is north.
    const double lat = latitudeDeg * kRadiansPerDegree, lon = longitudeDeg * kRadiansPerDegree;
    site.up = UnitVectorAt(lat, lon);
    site.east = {-std::sin(lon), std::cos(lon), 0};
    site.north = {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
    return site;
}

SiteView ViewFrom(const GroundSite& site, const Vector3& targetKm)
{
    const Vector3 line = Minus(targetKm, site.positionKm);
    const double upward = Dot(line, site.up);
    const double across = std::hypot(Dot(line, site.east), Dot(line, site.north));
    double azimuth = std::atan2(Dot(line, site.east), Dot(line, site.north));
    if (azimuth < 0)
        azimuth += 2 * std::numbers::pi;
    if (azimuth >= 2 * std::numbers::pi)
        azimuth = 0;
    return {std::atan2(upward, across), azimuth};
}

}  // namespace orbit::access

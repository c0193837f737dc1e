#include "ephemeris/geodetic.h"

#include "core/constants.h"
#include "core/orbit_error.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace orbit::ephemeris {

namespace {

constexpr double kMetresPerKm = 1000;

}  // namespace

Vector3 Wgs84EarthFixedKm(const GeodeticPoint& point)
{
    if (!(std::fabs(point.latitudeDeg) <= 90) || !std::isfinite(point.longitudeDeg) || !std::isfinite(point.heightKm))
        throw OrbitError(ErrorKind::InvalidArgument, "A geodetic point needs a latitude within ±90 degrees and a finite "
                                                     "longitude and height");
    double xyz[3];
    if (eraGd2gc(ERFA_WGS84, point.longitudeDeg * kRadiansPerDegree, point.latitudeDeg * kRadiansPerDegree,
                 point.heightKm * kMetresPerKm, xyz) != 0)
        throw OrbitError(ErrorKind::InvalidArgument, "A geodetic point lies too far below the ellipsoid");
    return {xyz[0] / kMetresPerKm, xyz[1] / kMetresPerKm, xyz[2] / kMetresPerKm};
}

GeodeticPoint Wgs84GeodeticOf(const Vector3& earthFixedKm)
{
    double xyz[3];
    for (std::size_t i = 0; i < 3; ++i) {
        if (!std::isfinite(earthFixedKm[i]))
            throw OrbitError(ErrorKind::InvalidArgument, "An Earth-fixed position is not a finite vector");
        xyz[i] = earthFixedKm[i] * kMetresPerKm;
    }
    double longitude = 0, latitude = 0, height = 0;
    // The identifier and ellipsoid are ERFA's own: it fails on neither.
    eraGc2gd(ERFA_WGS84, xyz, &longitude, &latitude, &height);
    return {latitude / kRadiansPerDegree, longitude / kRadiansPerDegree, height / kMetresPerKm};
}

Matrix3 Eme2000ToEarthFixed(const Instant& t)
{
    const JulianDate tt = t.Tt(), ut1 = t.Ut1();
    double r[3][3];
    eraC2t06a(tt.jd1, tt.jd2, ut1.jd1, ut1.jd2, 0, 0, r);
    Matrix3 m{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            m[i][j] = r[i][j];
    return m;
}

GeodeticPoint GeodeticOfEme2000(const Instant& t, const Vector3& positionKm)
{
    return Wgs84GeodeticOf(Multiply(Eme2000ToEarthFixed(t), positionKm));
}

}  // namespace orbit::ephemeris

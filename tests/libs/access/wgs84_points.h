#pragma once
// The WGS84 ellipsoid worked out on its own for the access tests, from its
// two defining figures: a point's position from its geodetic coordinates in
// closed form, and back by fixed-point iteration on the latitude.

#include "access/vector3.h"

#include <cmath>
#include <numbers>

namespace orbit::access::testing {

inline constexpr double kWgs84AKm = 6378.137;
inline constexpr double kWgs84F = 1 / 298.257223563;
inline constexpr double kWgs84E2 = kWgs84F * (2 - kWgs84F);
inline constexpr double kRad = std::numbers::pi / 180;

inline Vector3 Wgs84Position(double latDeg, double lonDeg, double heightKm)
{
    const double lat = latDeg * kRad, lon = lonDeg * kRad;
    const double n = kWgs84AKm / std::sqrt(1 - kWgs84E2 * std::sin(lat) * std::sin(lat));
    return {(n + heightKm) * std::cos(lat) * std::cos(lon), (n + heightKm) * std::cos(lat) * std::sin(lon),
            (n * (1 - kWgs84E2) + heightKm) * std::sin(lat)};
}

// The ellipsoid's outward normal at a geodetic latitude and longitude.
inline Vector3 Wgs84Up(double latDeg, double lonDeg) { return UnitVectorAt(latDeg * kRad, lonDeg * kRad); }

struct Geodetic {
    double latDeg, lonDeg, heightKm;
};

inline Geodetic Wgs84Of(const Vector3& p)
{
    const double rho = std::hypot(p[0], p[1]);
    double lat = std::atan2(p[2], rho * (1 - kWgs84E2));
    for (int k = 0; k < 20; ++k) {
        const double n = kWgs84AKm / std::sqrt(1 - kWgs84E2 * std::sin(lat) * std::sin(lat));
        lat = std::atan2(p[2] + kWgs84E2 * n * std::sin(lat), rho);
    }
    const double n = kWgs84AKm / std::sqrt(1 - kWgs84E2 * std::sin(lat) * std::sin(lat));
    return {lat / kRad, std::atan2(p[1], p[0]) / kRad, rho / std::cos(lat) - n};
}

inline Vector3 Sub(const Vector3& a, const Vector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

}  // namespace orbit::access::testing

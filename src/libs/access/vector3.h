#pragma once
// Three-vectors of the Earth-fixed frame (x toward longitude 0 on the
// equator, z toward the north pole), as plain arrays.

#include <array>
#include <cmath>

namespace orbit::access {

using Vector3 = std::array<double, 3>;

inline double Dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

inline double Norm(const Vector3& a) { return std::sqrt(Dot(a, a)); }

// The unit vector from the Earth's centre toward a latitude and longitude (radians).
inline Vector3 UnitVectorAt(double latitudeRad, double longitudeRad)
{
    const double c = std::cos(latitudeRad);
    return {c * std::cos(longitudeRad), c * std::sin(longitudeRad), std::sin(latitudeRad)};
}

// The angle at the Earth's centre between two unit vectors, accurate near 0
// and near pi alike (an arc cosine alone loses half the digits at both ends).
inline double AngleBetween(const Vector3& a, const Vector3& b) { return std::atan2(Norm(Cross(a, b)), Dot(a, b)); }

}  // namespace orbit::access

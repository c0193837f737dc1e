#pragma once
// Three-vectors of the Earth-fixed frame (x toward longitude 0 on the
// equator, z toward the north pole), as plain arrays (core/vector3.h),
// and the directions on the sphere the looks are worked out with.

#include "core/vector3.h"

#include <array>
#include <cmath>

namespace orbit::access {

using orbit::Cross;
using orbit::Dot;
using orbit::Norm;
using orbit::Vector3;

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

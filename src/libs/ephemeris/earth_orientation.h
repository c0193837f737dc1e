#pragma once
// The Earth's orientation at an instant (IAU 2006/2000A through ERFA), with
// UT1 = UTC. Frames: EME2000 (the mean equator and equinox of J2000, taken as
// GCRS), the mean of date, and the true of date (true equator and equinox).

#include "ephemeris/instant.h"

#include <array>

namespace orbit::ephemeris {

using Vector3 = std::array<double, 3>;
using Matrix3 = std::array<std::array<double, 3>, 3>;  // row-major, r[i][j]

double GreenwichMeanSiderealTimeRad(const Instant& t);      // [0, 2 pi)
double GreenwichApparentSiderealTimeRad(const Instant& t);  // [0, 2 pi)
double EquationOfEquinoxesRad(const Instant& t);            // GAST - GMST

// Rotation taking a vector's EME2000 components into those of the mean
// equator and equinox of date (precession, with frame bias).
Matrix3 Eme2000ToMeanOfDate(const Instant& t);
// Into the true equator and equinox of date (precession-nutation, bias).
Matrix3 Eme2000ToTrueOfDate(const Instant& t);

// Everything of the Earth's orientation at one instant, each taken once: the
// precession-nutation model is the costly part, and GAST is formed from the
// same matrix.
struct EarthOrientation {
    Matrix3 eme2000ToTrueOfDate{};
    double gmstRad = 0;  // [0, 2 pi)
    double gastRad = 0;  // [0, 2 pi)
};
EarthOrientation EarthOrientationAt(const Instant& t);

Vector3 Multiply(const Matrix3& m, const Vector3& v);
Vector3 MultiplyTransposed(const Matrix3& m, const Vector3& v);  // m^T v

}  // namespace orbit::ephemeris

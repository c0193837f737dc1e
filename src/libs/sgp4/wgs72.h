#pragma once
// The Earth as SGP4 sees it: the WGS-72 constants of the 2006 revision of
// Spacetrack Report No. 3 (Vallado, Crawford, Hujsak and Kelso, "Revisiting
// Spacetrack Report #3"). The element sets the catalogues publish were fitted
// with these values, so a TLE is only read rightly with them; they are not the
// design core's J2 model and not WGS-84.

#include "core/constants.h"

#include <cmath>
#include <numbers>

namespace orbit::sgp4 {

inline constexpr double kMuKm3S2 = 398600.8;         // WGS-72 gravitational parameter
inline constexpr double kEarthRadiusKm = 6378.135;   // WGS-72 equatorial radius
inline constexpr double kJ2 = 0.001082616;
inline constexpr double kJ3 = -0.00000253881;
inline constexpr double kJ4 = -0.00000165597;
inline constexpr double kJ3OverJ2 = kJ3 / kJ2;

// SGP4 counts distance in Earth radii and time in minutes. ke is sqrt(mu) in
// those units: (earth radii)^1.5 per minute, derived from mu and the radius
// as the revision does (not the older rounded 0.0743669161).
inline const double kKe = 60.0 / std::sqrt(kEarthRadiusKm * kEarthRadiusKm * kEarthRadiusKm / kMuKm3S2);
// SGP4's unit of velocity (one Earth radius per 1/ke minutes) in km/s.
inline const double kVelocityKmS = kEarthRadiusKm * kKe / 60.0;

inline constexpr double kMinutesPerDay = 1440.0;

// Orbits of a period of 225 minutes or more are "deep space": the Moon's and
// the Sun's terms and the Earth's resonances join SGP4's (SDP4).
inline constexpr double kDeepSpacePeriodMin = 225.0;

}  // namespace orbit::sgp4

#pragma once
// The Sun seen from the Earth's centre, from the Earth's heliocentric and
// barycentric position (ERFA's eraEpv00), with the light time and the
// annual aberration applied (the apparent direction).

#include "ephemeris/earth_orientation.h"

namespace orbit::ephemeris {

inline constexpr double kSunRadiusKm = 696000.0;
inline constexpr double kAstronomicalUnitKm = 149597870.7;

struct SunPosition {
    Vector3 directionEme2000{};    // unit vector, apparent
    Vector3 directionTrueOfDate{}; // unit vector, apparent
    double distanceKm = 0;
    double rightAscensionOfDateRad = 0;  // [0, 2 pi), true equator and equinox of date
    double declinationRad = 0;           // true of date
};

SunPosition SunAt(const Instant& t);
// The same with the Earth's orientation at `t` already in hand.
SunPosition SunAt(const Instant& t, const EarthOrientation& earth);

// Apparent solar time minus mean solar time, minutes (positive when the
// true Sun runs ahead: about +16 min early in November, -14 min in mid-February).
double EquationOfTimeMin(const Instant& t);
// The same from figures already in hand at `t`: GAST less the Sun's apparent
// right ascension of date, plus 12 h, less mean solar time (UT1).
double EquationOfTimeMin(const Instant& t, const EarthOrientation& earth, const SunPosition& sun);

}  // namespace orbit::ephemeris

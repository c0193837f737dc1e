#pragma once
// The Sun's height above the horizon of a place on a spherical Earth, from
// the point where the Sun stands overhead: the one formula the map's day and
// night, the coverage's light test, an access's Sun and the Sun window's
// passes share, so that they agree at the terminator to the last digit.
//
// The spherical triangle of the pole, the place and the sub-solar point gives
//   sin(elevation) = sin(lat) sin(dec) + cos(lat) cos(dec) cos(lon - lonSun).
// The sines and cosines come in ready made: the coverage reads them off its
// samples at every look, far more often than they change.

#include <algorithm>
#include <cmath>

namespace orbit {

inline double SinSunElevation(double sinLatitude, double cosLatitude, double longitudeRad, double sinDeclination,
                              double cosDeclination, double subSolarLongitudeRad)
{
    return sinLatitude * sinDeclination + cosLatitude * cosDeclination * std::cos(longitudeRad - subSolarLongitudeRad);
}

// The same, as an angle (rad), for a reader that asks once rather than at
// every look: a pass's Sun, a single place's.
inline double SunElevationRad(double latitudeRad, double longitudeRad, double declinationRad,
                              double subSolarLongitudeRad)
{
    const double sine = SinSunElevation(std::sin(latitudeRad), std::cos(latitudeRad), longitudeRad,
                                        std::sin(declinationRad), std::cos(declinationRad), subSolarLongitudeRad);
    return std::asin(std::clamp(sine, -1.0, 1.0));
}

}  // namespace orbit

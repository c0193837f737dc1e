#pragma once
// The Earth the propagator flies in: a point mass with the zonal harmonics
// J2 to J6 of an axially symmetric field, and the rate at which the Earth
// turns about the pole of the inertial frame (for Earth-fixed longitudes).
//
// The field is symmetric about the frame's pole, which the orbits handed on
// take as the true pole of their epoch; the precession and nutation that move
// the real pole on from there (at most about 1.5 arcsec over a month) are
// left out, as they change a cycle's closure by far less than its tolerance.

#include <array>
#include <string>

namespace orbit::propagation {

struct GravityModel {
    std::string name;              // "j2" or "zonal"
    double gmKm3S2 = 0;            // gravitational parameter
    double equatorialRadiusKm = 0; // reference radius of the harmonics
    std::array<double, 5> zonal{}; // unnormalised J2, J3, J4, J5, J6
    double earthRateRadS = 0;      // sidereal rotation about the frame's pole

    double J(int degree) const { return zonal.at(static_cast<std::size_t>(degree - 2)); }
};

// The design core's own Earth: its Mu, Re, J2 and sidereal rate, J3 to J6
// zero. Propagating a design under it checks the design against itself.
GravityModel DesignJ2Model();

// The real Earth's turn in a frame held at an epoch: the rate of the Earth
// rotation angle, 2 pi 1.00273781191135448 per UT1 day (the IAU 2000
// definition ERFA's eraEra00 computes). Against the moving equinox of date
// the Earth turns faster, by the precession (the design core's sidereal
// rate); WGS 84's nominal 7.292115e-5 rad/s is rounded from it, by 8 m at the
// equator over ten days.
inline constexpr double kEarthRotationAngleRateRadS = 2 * 3.14159265358979323846 * 1.00273781191135448 / 86400.0;

// EGM2008's GM, radius and zonal harmonics J2 to J6 (data/egm2008-zonal.txt,
// compiled in), the Earth turning at the rate of its rotation angle.
GravityModel Egm2008ZonalModel();

// "j2" or "zonal"; throws OrbitError (Usage) naming the accepted words.
GravityModel GravityModelNamed(const std::string& name);

}  // namespace orbit::propagation

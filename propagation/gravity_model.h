#pragma once
// The Earth the propagator flies in: a point mass with the zonal harmonics
// J2 to J6 of an axially symmetric field, and the rate at which the Earth
// turns about the pole of the inertial frame (for Earth-fixed longitudes).
//
// The field is symmetric about the pole of EME2000; the precession and
// nutation that tilt the true pole away from it (about 0.3 arcsec over a
// month) are left out, as they change a cycle's closure by far less than its
// tolerance.

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

// EGM2008's GM, radius and zonal harmonics J2 to J6 (data/egm2008-zonal.txt,
// compiled in) with WGS 84's rotation rate.
GravityModel Egm2008ZonalModel();

// "j2" or "zonal"; throws OrbitError (Usage) naming the accepted words.
GravityModel GravityModelNamed(const std::string& name);

}  // namespace orbit::propagation

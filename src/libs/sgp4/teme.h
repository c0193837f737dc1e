#pragma once
// TEME, the frame of SGP4's positions: the true equator of date with the
// mean equinox of date measured along it (the "uniform" equinox). It is the
// true-of-date frame turned about its pole by the equation of the equinoxes,
// so that the Greenwich sidereal angle from its x axis is the mean sidereal
// time: r_TEME = R3(GAST - GMST) r_TOD. "Of date" is the date of the state
// (the convention of the 2006 revision of Spacetrack Report No. 3).
//
// The frame turns slowly (precession and nutation, under a milliarcsecond
// per second), so a velocity is turned with the same matrix as a position;
// the rate of the turn itself adds well under a micrometre per second.

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"

namespace orbit::sgp4 {

// Rotation taking EME2000 components into TEME components at `t`.
ephemeris::Matrix3 Eme2000ToTeme(const ephemeris::Instant& t);

ephemeris::Vector3 TemeToEme2000(const ephemeris::Instant& t, const ephemeris::Vector3& teme);
ephemeris::Vector3 Eme2000ToTemeVector(const ephemeris::Instant& t, const ephemeris::Vector3& eme2000);

}  // namespace orbit::sgp4

#pragma once
// The Sun over the ground for the coverage's light test: the sub-solar
// point (the Sun's declination, and its right ascension less Greenwich's
// sidereal angle) every few minutes of a span, from the ephemeris through
// the Sun's table (sun/sun_table.h). The coverage reads it at every look,
// far more often than even the table could be asked.

#include "core/sub_solar_track.h"
#include "ephemeris/instant.h"
#include "sun/sun_table.h"

namespace orbit::sun {

// Ten minutes: the sub-solar longitude then moves 2.5 degrees between
// samples, along a line so nearly straight that reading between them errs by
// less than 1e-9 rad; the table it is taken from is good to 1e-6 rad.
inline constexpr double kSubSolarStepS = 600;

// Where the Sun of one reading of the table stands overhead; its longitude
// is the right ascension less the sidereal angle, not wrapped.
SubSolarTrack::Sample SubSolarPointOf(const SunState& sun);

// Covers [start, start + spanS] at least. Throws OrbitError
// (InvalidArgument) for a span that is negative or not a number.
SubSolarTrack SubSolarTrackOver(const ephemeris::Instant& start, double spanS, double stepS = kSubSolarStepS);

}  // namespace orbit::sun

#pragma once
// The Sun's track over the ground from the exact ephemeris: the sub-solar
// point (the apparent Sun's declination of date, and its right ascension
// less Greenwich's apparent sidereal time, UT1 taken as UTC) at evenly
// spaced instants of a span. The world map's day and night read it; the
// coverage, which asks far more often, samples the Sun's table instead
// (sun/sub_solar_sampling.h).

#include "core/sub_solar_track.h"
#include "ephemeris/instant.h"

namespace orbit::ephemeris {

// Three hours: over them the point runs west at an almost even 15 degrees an
// hour and its latitude changes by a fraction of a degree, so reading between
// samples stays within a thousandth of a degree.
inline constexpr double kExactSubSolarStepS = 3 * 3600.0;

// From `start` to `spanS` seconds after it (a negative span is taken as
// none), cut into the fewest equal steps no longer than `largestStepS`; a
// span of none is one step of `largestStepS`.
SubSolarTrack ExactSubSolarTrack(const Instant& start, double spanS, double largestStepS = kExactSubSolarStepS);

}  // namespace orbit::ephemeris

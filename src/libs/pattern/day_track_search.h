#pragma once
// Finding each day's ground track within one orbit spacing of the reference
// track of day 0.

#include "core/repeat_orbit_solver.h"

#include <cstdint>

namespace pattern {

struct DayTrack {
    std::int32_t revolution = 0;  // the revolution counter i of the accepted candidate
    double TrackOffset = 0;       // degrees from the reference track, west positive
};

// The offset of day `day`'s track from the reference track. Candidate tracks
// are revolutions i = 0, 1, 2, ... (a signed 32-bit counter):
//   M >= 0:  (K 2pi - (i + K N) NodeSpacing) 180/pi
//   M <  0:  (K 2pi - (K N - i) NodeSpacing) 180/pi
// and the first with |offset| < NodeSpacingDeg is taken. Stepping past the
// counter's range is "Overflow", which is where a spacing that is zero,
// negative or not a number ends up.
//
// Walking the candidates one by one would take up to two thousand million
// steps before that overflow. The offset is monotone in i (every step of the
// formula is a rounded, monotone operation), so the first accepted candidate
// is found by galloping and bisection instead: the result, and the error, are
// those of the one-by-one walk, at a cost that grows with log(i).
DayTrack FindDayTrack(const orbit::DesignRecord& design, double day);

// The offset of candidate `revolution` for `day`, formed in the order above
// with every step checked ("Overflow" on a result that is not finite).
double CandidateOffsetDeg(const orbit::DesignRecord& design, double day, std::int32_t revolution);

}  // namespace pattern

#pragma once
// Coverage figures of a closed repeat cycle: how far apart neighbouring tracks
// lie at the equator once all revolutions of the cycle are flown, and after how
// many days the track next to day 0's track is first flown.

#include <cstdint>
#include <optional>

namespace orbit::analysis {

// Equatorial longitude step between neighbouring tracks, in degrees.
double GridSpacingDeg(std::int64_t revs);

// The same step as a distance along the equator, in km.
double GridSpacingKm(std::int64_t revs);

// The smallest k in 1..Q-1 with k*M = +1 or -1 (mod Q): the day on which the
// track first lands next to day 0's track. None for Q = 1, and none when M and
// Q share a factor (no such day exists then). M may be negative.
std::optional<std::int64_t> SubcycleDays(std::int64_t m, std::int64_t q);

struct RepeatGrid {
    std::int64_t revs = 0;  // revolutions of the closed cycle, in lowest terms
    double gridSpacingDeg = 0;
    double gridSpacingKm = 0;
    std::optional<std::int64_t> subcycleDays;
};

// The coverage of the design N + M/Q as given to the solver. The ratio is
// first brought to lowest terms, because N=15, M=2, Q=4 flies the same closed
// track set as N=15, M=1, Q=2 and its grid is that of the shorter cycle.
// None when N, M or Q is not a whole number, when Q is not positive, or when
// the cycle has no revolutions.
std::optional<RepeatGrid> RepeatGridOf(double n, double m, double q);

}  // namespace orbit::analysis

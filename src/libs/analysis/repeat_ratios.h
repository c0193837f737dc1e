#pragma once
// The candidate repeat conditions of a search: every distinct ratio
// nu = N + M/Q revolutions per day, each written once, in lowest terms.

#include <functional>
#include <vector>

namespace orbit::analysis {

struct RepeatRatio {
    int N = 0;  // whole revolutions per day, 1 or more
    int M = 0;  // extra revolutions, 0 <= M < Q, coprime with Q (M = 0 only for Q = 1)
    int Q = 1;  // days of the cycle
};

// Calls `visit` for every ratio with minDays <= Q <= maxDays, N >= 1 and
// revsPerDayMin <= N + M/Q <= revsPerDayMax, Q ascending, then M, then N.
void ForEachRepeatRatio(double revsPerDayMin, double revsPerDayMax, int minDays, int maxDays,
                        const std::function<void(const RepeatRatio&)>& visit);

std::vector<RepeatRatio> RepeatRatios(double revsPerDayMin, double revsPerDayMax, int minDays, int maxDays);

struct RevsPerDayRange {
    double min = 0;
    double max = 0;
};

// A range of nu that holds every circular orbit with a mean altitude between
// altMinKm and altMaxKm (altMinKm >= 0). It comes from the Kepler motion with a
// wide margin for the J2 terms, which change nu by a few percent at most above
// the Earth's surface; the search solves each candidate and keeps only those
// whose solved altitude lies in the band, so the margin costs time, not truth.
RevsPerDayRange RevsPerDayRangeFor(double altMinKm, double altMaxKm);

}  // namespace orbit::analysis

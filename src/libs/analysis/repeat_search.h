#pragma once
// Finding repeat orbits: every repeat condition whose solved mean altitude
// lies in an altitude band, solved exactly as a single design is, with the
// figures that decide between candidates.

#include "core/repeat_orbit_solver.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace orbit::analysis {

// Longest cycle a search accepts. The number of candidates grows with the
// square of the cycle length; a year and more is still answered in seconds.
inline constexpr int kLongestSearchDays = 1000;

struct SearchRequest {
    OrbitType type = OrbitType::SunSynchronous;
    double inclDegrees = 0;  // ChooseInclination only
    double inclTenths = 0;
    double altMinKm = 0;
    double altMaxKm = 0;
    int minDays = 1;
    int maxDays = 1;
    // Keep only this many rows, the highest; memory then stays bounded
    // however many designs lie in the band.
    std::optional<std::size_t> limit;
};

// Throws OrbitError naming the argument at fault: an altitude band upside down
// or below the surface, a cycle length below 1 or above kLongestSearchDays,
// --q-min above --q-max, or a limit of no rows.
void ValidateSearchRequest(const SearchRequest& request);

// One design found. A wide search finds millions, so a row keeps only the
// repeat condition and what the solve gave; the coverage figures follow from
// N, M and Q when asked for.
struct SearchRow {
    std::int32_t N = 0;
    std::int16_t M = 0, Q = 1;  // Q <= kLongestSearchDays, 0 <= M < Q
    double semiMajorAxisKm = 0;
    double meanAltitudeKm = 0;
    double inclinationDeg = 0;
    double nodalPeriodMin = 0;
    double meanMotionRevPerDay = 0;
    double orbitSpacingDeg = 0;

    std::int64_t revs() const { return static_cast<std::int64_t>(N) * Q + M; }
    double gridSpacingDeg() const;
    double gridSpacingKm() const;
    std::optional<std::int64_t> subcycleDays() const;
};

// Rows are kept in a deque: it grows block by block, never copying what it
// holds into an allocation twice the size as a vector does, so a search of
// millions of rows needs little more than the rows themselves.
using SearchRows = std::deque<SearchRow>;

struct SearchOutcome {
    SearchRows rows;                        // highest mean altitude first
    std::int64_t rowsInBand = 0;            // designs found, also those a limit left out
    std::map<std::string, int> failures;    // error text -> number of designs it stopped
    int notSunSynchronous = 0;              // in the band, but the inclination was clamped
    std::int64_t designsSolved = 0;         // candidates handed to the solver
    bool cancelled = false;                 // stopped early: the rows are those found so far

    int failureCount() const;
};

// How a search that runs off the caller's thread is followed and stopped.
// Both are called on the searching thread, every kSearchReportInterval
// candidates and once at the end (progress only); either may be empty.
struct SearchControl {
    std::function<void(std::int64_t candidatesDone, std::int64_t candidatesTotal)> progress;
    std::function<bool()> cancelRequested;  // true stops the search at the next check
};

inline constexpr std::int64_t kSearchReportInterval = 4096;

// Validates the request, then solves every candidate. A failing design is
// counted, never fatal.
SearchOutcome SearchRepeatOrbits(const SearchRequest& request, const SearchControl& control = {});

}  // namespace orbit::analysis

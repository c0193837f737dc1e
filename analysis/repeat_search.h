#pragma once
// Finding repeat orbits: every repeat condition whose solved mean altitude
// lies in an altitude band, solved exactly as a single design is, with the
// figures that decide between candidates.

#include "core/repeat_orbit_solver.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

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
};

// Throws OrbitError naming the argument at fault: an altitude band upside down
// or below the surface, a cycle length below 1 or above kLongestSearchDays, or
// --min-days above --max-days.
void ValidateSearchRequest(const SearchRequest& request);

struct SearchRow {
    int N = 0, M = 0, Q = 1;
    std::int64_t revs = 0;
    double semiMajorAxisKm = 0;
    double meanAltitudeKm = 0;
    double inclinationDeg = 0;
    double nodalPeriodMin = 0;
    double meanMotionRevPerDay = 0;
    double orbitSpacingDeg = 0;
    double gridSpacingDeg = 0;
    double gridSpacingKm = 0;
    std::optional<std::int64_t> subcycleDays;
};

struct SearchOutcome {
    std::vector<SearchRow> rows;            // highest mean altitude first
    std::map<std::string, int> failures;    // error text -> number of designs it stopped
    int notSunSynchronous = 0;              // in the band, but the inclination was clamped
    std::int64_t designsSolved = 0;         // candidates handed to the solver

    int failureCount() const;
};

// Validates the request, then solves every candidate. A failing design is
// counted, never fatal.
SearchOutcome SearchRepeatOrbits(const SearchRequest& request);

}  // namespace orbit::analysis

#pragma once
// What the explorer is asked, as plain values read from its inputs: the
// search (orbit type, altitude band, cycle lengths), the swath the coverage
// figures are worked out for, the filters on what was found, and the design
// the user carries over into the design window.

#include "analysis/repeat_search.h"
#include "analysis/swath_coverage.h"
#include "core/repeat_orbit_solver.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"

#include <optional>

namespace explorer {

struct ExplorerRequest {
    orbit::analysis::SearchRequest search;
    // Without a swath there are no coverage figures and no coverage columns.
    std::optional<double> swathKm;
    // From the mission: the satellites sharing the orbit and the passes
    // whose looks count, for the sidelap and the worst revisit.
    int satellites = 1;
    orbit::analysis::PassDirection passes = orbit::analysis::PassDirection::Both;
    // From the mission: count only looks with the Sun at least this high,
    // over each candidate's first cycle from the epoch, its node placed by
    // `node`. Without an epoch every look counts.
    std::optional<double> sunMinDeg;
    std::optional<orbit::ephemeris::Instant> epoch;
    orbit::ephemeris::NodeRequest node;

    bool CountsDaylightOnly() const { return sunMinDeg.has_value() && epoch.has_value(); }
};

// Whether two requests ask for the same search (the swath aside).
bool SameSearch(const orbit::analysis::SearchRequest& a, const orbit::analysis::SearchRequest& b);

struct CandidateFilter {
    std::optional<double> maxGridSpacingKm;
    // A cycle without a sub-cycle (one day) counts as its own length.
    std::optional<int> maxSubcycleDays;
    // Only rows whose swath leaves no gap between neighbouring tracks at the
    // equator (sidelap 0 % or more); ignored without a swath.
    bool equatorWithoutGaps = false;

    friend bool operator==(const CandidateFilter&, const CandidateFilter&) = default;
};

// A candidate as the design window takes it: its inputs, not its results.
struct DesignChoice {
    int N = 0;
    int M = 0;
    int Q = 1;
    orbit::OrbitType type = orbit::OrbitType::SunSynchronous;
    int inclDegrees = 0;  // ChooseInclination only
    int inclTenths = 0;

    friend bool operator==(const DesignChoice&, const DesignChoice&) = default;
};

}  // namespace explorer

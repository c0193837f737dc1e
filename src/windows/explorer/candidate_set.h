#pragma once
// What one search found: the rows of `repeat-orbit search` and, with a swath,
// each row's equatorial sidelap, which is cheap enough to come with every row.
// A set is made on a worker thread and then only read, from any thread.
//
// The worst revisit is not part of the set: it takes milliseconds a row and
// is worked out in the background afterwards (RevisitWorker).

#include "analysis/repeat_search.h"
#include "core/sub_solar_track.h"
#include "analysis/swath_coverage.h"
#include "analysis/worst_revisit.h"
#include "explorer/explorer_request.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace explorer {

struct CandidateSet {
    ExplorerRequest request;
    orbit::analysis::SearchOutcome outcome;  // rows highest first, failures counted
    // With a swath, one per row; NaN where the sidelap could not be worked out.
    std::vector<double> sidelapPercent;
    // With daylight looks only: the Sun over the ground from the epoch to
    // the end of the longest cycle searched, shared by every row's figures.
    std::shared_ptr<const orbit::SubSolarTrack> sun;

    std::size_t size() const { return outcome.rows.size(); }
    const orbit::analysis::SearchRow& Row(std::size_t row) const { return outcome.rows[row]; }
    bool HasSwath() const { return request.swathKm.has_value(); }
};

// Searches and works out the sidelaps. `progress` gets the share done (0 to
// 1) now and then; `cancel` set stops the work at the next check, and the
// set then comes back with `outcome.cancelled` true. When `earlier` holds
// the same search (another swath, say), its rows are taken over rather than
// searched again. Throws OrbitError for a request the search refuses.
std::shared_ptr<const CandidateSet> FindCandidates(const ExplorerRequest& request,
                                                   const std::function<void(double share)>& progress = {},
                                                   const std::atomic<bool>* cancel = nullptr,
                                                   const CandidateSet* earlier = nullptr);

// The design record of a row, solved again exactly as the search solved it.
orbit::DesignRecord DesignOf(const orbit::analysis::SearchRow& row, const orbit::analysis::SearchRequest& search);

// The longest wait between looks over the fully covered latitudes, as
// `repeat-orbit coverage` reports it for the row's design and the swath.
struct RevisitFigure {
    enum class State : std::uint8_t {
        Pending,         // not worked out yet
        Days,            // `days` holds it
        NoFullCoverage,  // no latitude is seen whole: some places are never seen
        Failed,          // the coverage could not be worked out
    };
    State state = State::Pending;
    double days = 0;
    // With `days`: each hemisphere's band of parallels covered whole, in
    // absolute latitude, as `repeat-orbit coverage` summarizes them (none in
    // a hemisphere with no parallel covered whole). A band that does not
    // reach the equator leaves the lower latitudes with gaps, which the
    // figure says nothing about.
    std::optional<orbit::analysis::LatitudeBand> north{}, south{};

    // Whether the parallels below either band are left with gaps.
    bool Partial() const
    {
        return state == State::Days &&
               !(north && north->fromLatDeg == 0 && south && south->fromLatDeg == 0);
    }

    friend bool operator==(const RevisitFigure&, const RevisitFigure&) = default;
};

RevisitFigure WorstRevisitOf(const CandidateSet& set, std::size_t row);

// What a sort by the worst revisit places a row by while its figure is
// pending: a floor under the figure (analysis/worst_revisit.h), worked out
// for about a tenth of the figure's cost.
struct RevisitFloorFigure {
    enum class State : std::uint8_t {
        Unknown,  // not worked out yet
        Known,    // `floor` holds it
        Failed,   // the coverage could not be worked out: nor can the figure
    };
    State state = State::Unknown;
    orbit::analysis::RevisitFloor floor;
};

RevisitFloorFigure WorstRevisitFloorOf(const CandidateSet& set, std::size_t row);

// The coverage by latitude of `design` for the request's swath, satellites
// and passes, with daylight looks only when the request asks for them and
// `sun` is given. Throws OrbitError as CoverageByLatitude does.
orbit::analysis::CoverageTable CoverageOf(const ExplorerRequest& request, const orbit::SubSolarTrack* sun,
                                          const orbit::DesignRecord& design);

// Figures worked out for rows of a set: (row, figure).
using RevisitBatch = std::vector<std::pair<std::int32_t, RevisitFigure>>;
using FloorBatch = std::vector<std::pair<std::int32_t, RevisitFloorFigure>>;

}  // namespace explorer

#include "explorer/candidate_set.h"

#include "analysis/worst_revisit.h"
#include "core/orbit_error.h"

#include <cmath>
#include <limits>

namespace explorer {

using orbit::analysis::SearchRequest;
using orbit::analysis::SearchRow;

namespace {

// Solving a candidate takes about twice as long as its sidelap; with a swath
// the search is this share of the whole work.
constexpr double kSearchShareWithSwath = 0.7;

// How many sidelaps are worked out between two looks at `cancel`.
constexpr std::size_t kSidelapCheckInterval = 4096;

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

}  // namespace

std::shared_ptr<const CandidateSet> FindCandidates(const ExplorerRequest& request,
                                                   const std::function<void(double share)>& progress,
                                                   const std::atomic<bool>* cancel, const CandidateSet* earlier)
{
    auto set = std::make_shared<CandidateSet>();
    set->request = request;
    const double searchShare = request.swathKm ? kSearchShareWithSwath : 1.0;

    orbit::analysis::SearchControl control;
    if (progress)
        control.progress = [&](std::int64_t done, std::int64_t total) {
            if (total > 0)
                progress(searchShare * static_cast<double>(done) / static_cast<double>(total));
        };
    control.cancelRequested = [cancel] { return Cancelled(cancel); };
    if (earlier && !earlier->outcome.cancelled && SameSearch(earlier->request.search, request.search))
        set->outcome = earlier->outcome;
    else
        set->outcome = orbit::analysis::SearchRepeatOrbits(request.search, control);
    if (set->outcome.cancelled || !request.swathKm)
        return set;

    const std::size_t rows = set->size();
    set->sidelapPercent.resize(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        if (i % kSidelapCheckInterval == 0 && i > 0) {
            if (Cancelled(cancel)) {
                set->outcome.cancelled = true;
                return set;
            }
            if (progress)
                progress(searchShare + (1 - searchShare) * static_cast<double>(i) / static_cast<double>(rows));
        }
        try {
            set->sidelapPercent[i] =
                orbit::analysis::EquatorialSidelapPercent(DesignOf(set->Row(i), request.search), *request.swathKm,
                                                          request.satellites);
        } catch (const orbit::OrbitError&) {
            set->sidelapPercent[i] = std::numeric_limits<double>::quiet_NaN();
        }
    }
    if (progress)
        progress(1);
    return set;
}

orbit::DesignRecord DesignOf(const SearchRow& row, const SearchRequest& search)
{
    orbit::DesignRecord record;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(row.N, row.M, row.Q, search.type, search.inclDegrees,
                                                            search.inclTenths),
                            {}, record);
    return record;
}

RevisitFigure WorstRevisitOf(const CandidateSet& set, std::size_t row)
{
    if (!set.request.swathKm)
        return {RevisitFigure::State::Failed, 0};
    try {
        orbit::analysis::SwathRequest swath;
        swath.swathKm = *set.request.swathKm;
        swath.satellites = set.request.satellites;
        swath.passes = set.request.passes;
        const orbit::analysis::CoverageSummary summary =
            orbit::analysis::WorstRevisitSummary(DesignOf(set.Row(row), set.request.search), swath);
        if (const auto days = summary.maxRevisitDays; days && std::isfinite(*days))
            return {RevisitFigure::State::Days, *days, summary.fullCoverageFromLatDeg.value_or(0),
                    summary.fullCoverageToLatDeg.value_or(0)};
        return {RevisitFigure::State::NoFullCoverage, 0};
    } catch (const orbit::OrbitError&) {
        return {RevisitFigure::State::Failed, 0};
    }
}

}  // namespace explorer

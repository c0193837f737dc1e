#include "explorer/candidate_set.h"

#include "analysis/swath_coverage.h"
#include "analysis/worst_revisit.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "sun/sub_solar_sampling.h"

#include <cmath>
#include <limits>

namespace explorer {

using orbit::analysis::SearchRequest;
using orbit::analysis::SearchRow;

namespace {

// Solving a candidate takes about twice as long as its sidelap; with a swath
// the search is this share of the whole work.
constexpr double kSearchShareWithSwath = 0.7;

// The floors a sort by the worst revisit places pending rows by are taken
// over the parallels on multiples of this: a tenth of the work of the
// figure, and close under it, as a candidate's longest wait lies at middle
// latitudes more often than at the equator.
constexpr double kFloorSampleStepDeg = 10;

// How many sidelaps are worked out between two looks at `cancel`.
constexpr std::size_t kSidelapCheckInterval = 4096;

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

orbit::analysis::SwathRequest SwathRequestOf(const ExplorerRequest& request)
{
    orbit::analysis::SwathRequest swath;
    swath.swathKm = request.swathKm.value_or(0);
    swath.satellites = request.satellites;
    swath.passes = request.passes;
    return swath;
}

// The light test of a row counting daylight looks only: its own node, which
// its inclination and node rate place at the mission's local time on day 0.
orbit::analysis::LightCondition LightOf(const ExplorerRequest& request, const orbit::DesignRecord& design)
{
    const orbit::ephemeris::OrbitNode node =
        orbit::ephemeris::ResolveNode(*request.epoch, request.node, design.Incl, design.NodeRate);
    orbit::analysis::LightCondition light;
    light.minSunElevationDeg = *request.sunMinDeg;
    light.nodeLongitudeRad = node.longitudeRad;
    light.cycles = 1;
    return light;
}

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
    if (request.CountsDaylightOnly()) {
        // A cycle of Q days runs Q turns of the Earth against the node, which
        // differ from Q solar days by minutes a day for an inclined orbit:
        // two days more reach the end of every cycle searched.
        const double spanS = (request.search.maxDays + 2) * orbit::kSecondsPerDay;
        set->sun = std::make_shared<const orbit::SubSolarTrack>(
            orbit::sun::SubSolarTrackOver(*request.epoch, spanS));
    }

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
        const orbit::DesignRecord design = DesignOf(set.Row(row), set.request.search);
        // Without the light test the figure has its own, faster way, which
        // gives the table's summary to the last bit.
        const orbit::analysis::CoverageSummary summary =
            set.sun && set.request.CountsDaylightOnly()
                ? CoverageOf(set.request, set.sun.get(), design).summary
                : orbit::analysis::WorstRevisitSummary(design, SwathRequestOf(set.request));
        if (const auto days = summary.maxRevisitDays; days && std::isfinite(*days))
            return {RevisitFigure::State::Days, *days, summary.fullCoverageNorth, summary.fullCoverageSouth};
        return {RevisitFigure::State::NoFullCoverage, 0};
    } catch (const orbit::OrbitError&) {
        return {RevisitFigure::State::Failed, 0};
    }
}

RevisitFloorFigure WorstRevisitFloorOf(const CandidateSet& set, std::size_t row)
{
    if (!set.request.swathKm)
        return {RevisitFloorFigure::State::Failed, {}};
    try {
        const orbit::DesignRecord design = DesignOf(set.Row(row), set.request.search);
        const orbit::analysis::SwathRequest swath = SwathRequestOf(set.request);
        const orbit::analysis::RevisitFloor floor =
            set.sun && set.request.CountsDaylightOnly()
                ? orbit::analysis::WorstRevisitFloor(design, swath, LightOf(set.request, design), *set.sun,
                                                     kFloorSampleStepDeg)
                : orbit::analysis::WorstRevisitFloor(design, swath, kFloorSampleStepDeg);
        return {RevisitFloorFigure::State::Known, floor};
    } catch (const orbit::OrbitError&) {
        return {RevisitFloorFigure::State::Failed, {}};
    }
}

orbit::analysis::CoverageTable CoverageOf(const ExplorerRequest& request, const orbit::SubSolarTrack* sun,
                                          const orbit::DesignRecord& design)
{
    const orbit::analysis::SwathRequest swath = SwathRequestOf(request);
    if (!sun || !request.CountsDaylightOnly())
        return orbit::analysis::CoverageByLatitude(design, swath);
    return orbit::analysis::CoverageByLatitude(design, swath, LightOf(request, design), *sun);
}

}  // namespace explorer

#include "analysis/repeat_search.h"

#include "analysis/repeat_grid.h"
#include "analysis/repeat_ratios.h"
#include "core/orbit_error.h"
#include "core/repeat_orbit_solver.h"

#include <algorithm>
#include <string>

namespace orbit::analysis {

void ValidateSearchRequest(const SearchRequest& r)
{
    using In = RequestInput;
    if (!(r.altMinKm >= 0))
        throw OrbitError(In::AltitudeMinKm, r.altMinKm, "the band must lie above the Earth's surface (0 km or more)");
    if (r.altMinKm > r.altMaxKm)
        throw OrbitError(In::AltitudeMinKm, r.altMinKm, "the band's lowest altitude must not lie above its highest");
    if (r.maxDays < 1)
        throw OrbitError(In::MaxDays, r.maxDays, "the longest cycle must be at least 1 day");
    if (r.maxDays > kLongestSearchDays)
        throw OrbitError(In::MaxDays, r.maxDays, "at most " + std::to_string(kLongestSearchDays) + " days");
    if (r.minDays < 1)
        throw OrbitError(In::MinDays, r.minDays, "the shortest cycle must be at least 1 day");
    if (r.minDays > r.maxDays)
        throw OrbitError(In::MinDays, r.minDays, "the shortest cycle must not be longer than the longest");
    if (r.limit && *r.limit < 1)
        throw OrbitError(In::RowLimit, static_cast<double>(*r.limit), "keep at least 1 row");
}

static_assert(sizeof(SearchRow) <= 56, "a search row is kept by the million: keep it compact");

double SearchRow::gridSpacingDeg() const { return GridSpacingDeg(revs()); }

double SearchRow::gridSpacingKm() const { return GridSpacingKm(revs()); }

std::optional<std::int64_t> SearchRow::subcycleDays() const { return SubcycleDays(M, Q); }

int SearchOutcome::failureCount() const
{
    int count = 0;
    for (const auto& [text, n] : failures)
        count += n;
    return count;
}

namespace {

SearchRow RowOf(const RepeatRatio& ratio, const RepeatOrbitSolution& s, const DesignRecord& record,
                const SearchRequest& request)
{
    SearchRow row;
    row.N = ratio.N;
    row.M = static_cast<std::int16_t>(ratio.M);
    row.Q = static_cast<std::int16_t>(ratio.Q);
    row.semiMajorAxisKm = s.SemiMajorAxis;
    row.meanAltitudeKm = s.MeanAltitude;
    row.inclinationDeg = s.InclDeg ? *s.InclDeg : request.inclDegrees + request.inclTenths / 10;
    row.nodalPeriodMin = s.NodalPeriodMin;
    row.meanMotionRevPerDay = s.MeanMotion;
    row.orbitSpacingDeg = record.NodeSpacingDeg;
    return row;
}

// The order of the result: highest first, then the shorter cycle, then fewer
// revolutions. Two distinct ratios never tie (equal Q and revs mean equal
// N + M/Q), so a search keeping the first K rows of this order is exact.
bool RanksHigher(const SearchRow& a, const SearchRow& b)
{
    if (a.meanAltitudeKm != b.meanAltitudeKm)
        return a.meanAltitudeKm > b.meanAltitudeKm;
    if (a.Q != b.Q)
        return a.Q < b.Q;
    return a.revs() < b.revs();
}

// The rows found so far. With a limit they are a heap holding the lowest
// kept row on top, so a row that ranks higher can take its place at once.
class RowKeeper {
public:
    explicit RowKeeper(std::optional<std::size_t> limit) : limit_(limit) {}

    void Add(const SearchRow& row, SearchRows& rows)
    {
        if (!limit_) {
            rows.push_back(row);
            return;
        }
        if (rows.size() < *limit_) {
            rows.push_back(row);
            std::push_heap(rows.begin(), rows.end(), RanksHigher);
        } else if (RanksHigher(row, rows.front())) {
            std::pop_heap(rows.begin(), rows.end(), RanksHigher);
            rows.back() = row;
            std::push_heap(rows.begin(), rows.end(), RanksHigher);
        }
    }

    void Finish(SearchRows& rows) const
    {
        if (limit_)
            std::sort_heap(rows.begin(), rows.end(), RanksHigher);
        else
            std::sort(rows.begin(), rows.end(), RanksHigher);
    }

private:
    std::optional<std::size_t> limit_;
};

}  // namespace

SearchOutcome SearchRepeatOrbits(const SearchRequest& request, const SearchControl& control)
{
    ValidateSearchRequest(request);
    SearchOutcome outcome;
    const RevsPerDayRange range = RevsPerDayRangeFor(request.altMinKm, request.altMaxKm);
    const auto forEachCandidate = [&](const std::function<void(const RepeatRatio&)>& visit) {
        ForEachRepeatRatio(range.min, range.max, request.minDays, request.maxDays, visit);
    };

    // Counting the candidates first costs a small part of solving them.
    std::int64_t total = 0;
    if (control.progress)
        forEachCandidate([&](const RepeatRatio&) { ++total; });

    RowKeeper keeper(request.limit);
    std::int64_t sinceReport = 0;
    forEachCandidate([&](const RepeatRatio& ratio) {
        if (outcome.cancelled)
            return;
        if (++sinceReport == kSearchReportInterval) {
            sinceReport = 0;
            if (control.cancelRequested && control.cancelRequested()) {
                outcome.cancelled = true;
                return;
            }
            if (control.progress)
                control.progress(outcome.designsSolved, total);
        }
        ++outcome.designsSolved;
        DesignRecord record;
        try {
            const RepeatOrbitSolution s =
                SolveRepeatOrbit(RepeatOrbitInputs::Fixed(ratio.N, ratio.M, ratio.Q, request.type,
                                                          request.inclDegrees, request.inclTenths),
                                 {}, record);
            if (s.MeanAltitude < request.altMinKm || s.MeanAltitude > request.altMaxKm)
                return;
            if (request.type == OrbitType::SunSynchronous && NoSunSynchronousOrbitAt(s.SemiMajorAxis)) {
                ++outcome.notSunSynchronous;
                return;
            }
            ++outcome.rowsInBand;
            keeper.Add(RowOf(ratio, s, record, request), outcome.rows);
        } catch (const OrbitError& e) {
            ++outcome.failures[e.what()];
        }
    });

    keeper.Finish(outcome.rows);
    if (control.progress && !outcome.cancelled)
        control.progress(outcome.designsSolved, total);
    return outcome;
}

}  // namespace orbit::analysis

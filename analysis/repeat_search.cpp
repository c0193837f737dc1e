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
    if (!(r.altMinKm >= 0))
        throw OrbitError(ErrorKind::Usage, "--alt-min: the band must lie above the Earth's surface (0 km or more)");
    if (r.altMinKm > r.altMaxKm)
        throw OrbitError(ErrorKind::Usage, "--alt-min: must not lie above --alt-max");
    if (r.maxDays < 1)
        throw OrbitError(ErrorKind::Usage, "--max-days: the longest cycle must be at least 1 day");
    if (r.maxDays > kLongestSearchDays)
        throw OrbitError(ErrorKind::Usage, "--max-days: at most " + std::to_string(kLongestSearchDays) + " days");
    if (r.minDays < 1)
        throw OrbitError(ErrorKind::Usage, "--min-days: the shortest cycle must be at least 1 day");
    if (r.minDays > r.maxDays)
        throw OrbitError(ErrorKind::Usage, "--min-days: must not lie above --max-days");
}

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
    row.M = ratio.M;
    row.Q = ratio.Q;
    row.revs = static_cast<std::int64_t>(ratio.N) * ratio.Q + ratio.M;
    row.semiMajorAxisKm = s.SemiMajorAxis;
    row.meanAltitudeKm = s.MeanAltitude;
    row.inclinationDeg = s.InclDeg ? *s.InclDeg : request.inclDegrees + request.inclTenths / 10;
    row.nodalPeriodMin = s.NodalPeriodMin;
    row.meanMotionRevPerDay = s.MeanMotion;
    row.orbitSpacingDeg = record.NodeSpacingDeg;
    row.gridSpacingDeg = GridSpacingDeg(row.revs);
    row.gridSpacingKm = GridSpacingKm(row.revs);
    row.subcycleDays = SubcycleDays(ratio.M, ratio.Q);
    return row;
}

}  // namespace

SearchOutcome SearchRepeatOrbits(const SearchRequest& request)
{
    ValidateSearchRequest(request);
    SearchOutcome outcome;
    const RevsPerDayRange range = RevsPerDayRangeFor(request.altMinKm, request.altMaxKm);

    ForEachRepeatRatio(range.min, range.max, request.minDays, request.maxDays, [&](const RepeatRatio& ratio) {
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
            outcome.rows.push_back(RowOf(ratio, s, record, request));
        } catch (const OrbitError& e) {
            ++outcome.failures[e.what()];
        }
    });

    std::sort(outcome.rows.begin(), outcome.rows.end(), [](const SearchRow& a, const SearchRow& b) {
        if (a.meanAltitudeKm != b.meanAltitudeKm)
            return a.meanAltitudeKm > b.meanAltitudeKm;
        if (a.Q != b.Q)
            return a.Q < b.Q;
        return a.revs < b.revs;
    });
    return outcome;
}

}  // namespace orbit::analysis

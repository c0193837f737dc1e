#include "analysis/worst_revisit.h"

#include "analysis/time_order.h"
#include "analysis/whole_numbers.h"
#include "core/angle_wrap.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orbit::analysis {

namespace {


// SeenStretch::LookTimeS to the last bit, its bracket found by walking on
// from `after` (the index of the first point east of the longitude, as
// upper_bound finds it), which moves little from one call to the next.
double LookTimeNear(const SeenStretch& stretch, double longitudeRad, std::uint32_t& after)
{
    const std::vector<SeenStretch::Point>& points = stretch.points;
    if (longitudeRad <= points.front().longitudeRad)
        return points.front().timeS;
    if (longitudeRad >= points.back().longitudeRad)
        return points.back().timeS;
    const auto size = static_cast<std::uint32_t>(points.size());
    std::uint32_t j = std::min(after, size - 1);
    while (j < size && points[j].longitudeRad <= longitudeRad)
        ++j;
    while (j > 0 && points[j - 1].longitudeRad > longitudeRad)
        --j;
    after = j;
    const SeenStretch::Point& b = points[j];
    const SeenStretch::Point& a = points[j - 1];
    const double span = b.longitudeRad - a.longitudeRad;
    if (!(span > 0))
        return a.timeS;
    return a.timeS + (b.timeS - a.timeS) * ((longitudeRad - a.longitudeRad) / span);
}

// The longest wait between looks taken in order of time, counted round the
// cycle's end, as AtLatitude counts it; a look alone waits the cycle.
class WaitTracker {
public:
    void Add(double timeS)
    {
        if (count_++ == 0)
            frontS_ = timeS;
        else
            longestS_ = std::max(longestS_, timeS - previousS_);
        previousS_ = timeS;
    }
    double LongestS(double cycleS) const
    {
        return count_ == 1 ? cycleS : std::max(frontS_ + cycleS - previousS_, longestS_);
    }

private:
    double frontS_ = 0, previousS_ = 0, longestS_ = 0;
    std::size_t count_ = 0;
};

}  // namespace

std::optional<double> SwathCoverage::MaxRevisitDaysIfFullyCovered(double latitudeDeg) const
{
    if (std::fabs(latitudeDeg) >= 90) {
        const LatitudeCoverage pole = AtPole(latitudeDeg);
        if (pole.coveredFraction == 1)
            return pole.maxRevisitDays;
        return std::nullopt;
    }
    const std::vector<HalfStretch> halves = StretchesAt(latitudeDeg);
    if (halves.empty())
        return std::nullopt;

    // The pieces of one node spacing as AtLatitude cuts them, and which
    // positions' passes each stretch brings over each piece: a window of
    // positions, found from the piece's middle as there.
    const double spacing = positionSpacingRad_;
    const std::vector<double> bounds = PieceBounds(halves, spacing);
    const std::size_t stretchCount = halves.size();
    const std::size_t pieceCount = bounds.size() - 1;
    struct Window {
        std::int64_t first = 0, end = 0;  // positions [first, end)
        bool Holds(std::int64_t k) const { return k >= first && k < end; }
    };
    std::vector<Window> windows(pieceCount * stretchCount);
    for (std::size_t b = 0; b < pieceCount; ++b) {
        const double middle = 0.5 * (bounds[b] + bounds[b + 1]);
        bool seen = false;
        for (std::size_t s = 0; s < stretchCount; ++s) {
            const SeenStretch& stretch = halves[s].stretch;
            const auto first = static_cast<std::int64_t>(std::ceil((middle - stretch.EastRad()) / spacing));
            const auto last = static_cast<std::int64_t>(std::floor((middle - stretch.WestRad()) / spacing));
            const std::int64_t count = std::min(last - first + 1, positions_);
            if (count > 0) {
                windows[b * stretchCount + s] = {first, first + count};
                seen = true;
            }
        }
        if (!seen)
            return std::nullopt;  // a gap: the parallel is not fully covered
    }

    // Each cut between two pieces is the east end of one and the west end of
    // the next, and the looks there are the same but for the few stretches
    // whose windows move on at the cut: the union is worked out once and
    // each piece's waits read from it. From one cut to the next every look
    // moves steadily in time, so the order of the last cut nearly holds.
    struct Look {
        double timeS;
        std::int64_t position;
        std::int64_t pass;  // the first pass on the position, or one coinciding with it
        std::uint32_t stretch;
        std::uint32_t after;  // where the stretch's time was last read
        bool west, east;  // over the piece west of the cut, east of it
    };
    std::vector<Look> looks, added, scratch;
    std::vector<std::size_t> bucketStarts;
    std::vector<Window> held(stretchCount), holding(stretchCount);
    const auto timeOf = [&](const SeenStretch& stretch, double at, std::int64_t k, std::int64_t pass,
                            std::uint32_t& after) {
        const double lookS = LookTimeNear(stretch, at - static_cast<double>(k) * spacing, after);
        return WrapModulo(static_cast<double>(pass) * passIntervalS_ + lookS, cycleS_);
    };

    double longestWaitS = 0;
    for (std::size_t c = 0; c < bounds.size(); ++c) {
        const double at = bounds[c];
        const Window* westOf = c > 0 ? &windows[(c - 1) * stretchCount] : nullptr;
        const Window* eastOf = c < pieceCount ? &windows[c * stretchCount] : nullptr;
        const auto lookAt = [&](std::uint32_t stretch, std::int64_t k, std::int64_t pass, std::uint32_t after) {
            const double timeS = timeOf(halves[stretch].stretch, at, k, pass, after);
            return Look{timeS, k, pass, stretch, after, westOf && westOf[stretch].Holds(k),
                        eastOf && eastOf[stretch].Holds(k)};
        };
        for (std::size_t s = 0; s < stretchCount; ++s) {
            // The two windows overlap or meet (from one piece to the next a
            // window's ends move by one position at most); a look of their
            // hull over neither piece would be flagged so and read by none.
            Window hull;
            const auto join = [&hull](const Window& w) {
                if (w.end <= w.first)
                    return;
                if (hull.end <= hull.first)
                    hull = w;
                else
                    hull = {std::min(hull.first, w.first), std::max(hull.end, w.end)};
            };
            if (westOf)
                join(westOf[s]);
            if (eastOf)
                join(eastOf[s]);
            holding[s] = hull;
        }

        // The list holds every look of the union of the two windows, each
        // stretch's positions from `holding`. Those kept from the last cut,
        // in its order, at their new times:
        std::size_t kept = 0;
        for (std::size_t l = 0; l < looks.size(); ++l) {
            const Look& look = looks[l];
            if (holding[look.stretch].Holds(look.position))
                looks[kept++] = lookAt(look.stretch, look.position, look.pass, look.after);
        }
        looks.resize(kept);
        // And those new here: the ends of each window beyond the last.
        added.clear();
        for (std::size_t s = 0; s < stretchCount; ++s) {
            const Window now = holding[s];
            const Window before = c > 0 ? held[s] : Window{};
            for (std::int64_t k = now.first; k < now.end; ++k) {
                if (before.Holds(k))
                    continue;
                const std::int64_t firstPass = Modulo(-k * stepInverse_, positions_);
                for (std::int64_t i = 0; i < passesPerPosition_; ++i)
                    added.push_back(lookAt(static_cast<std::uint32_t>(s), k, firstPass + i * positions_, 1));
            }
        }
        held = holding;

        // Into order: the kept looks by insertion, which costs little when
        // they are nearly in order; the new ones, which may be all of them,
        // first spread over as many buckets of the cycle as they number
        // (the bucket only ever grows with the time), then merged in.
        SortNearlyInOrder(looks);
        if (!added.empty()) {
            if (added.size() > 1) {
                const std::size_t buckets = added.size();
                const auto bucketOf = [&](const Look& look) {
                    const auto b = static_cast<std::size_t>(look.timeS / cycleS_ * static_cast<double>(buckets));
                    return std::min(b, buckets - 1);
                };
                bucketStarts.assign(buckets + 1, 0);
                for (const Look& look : added)
                    ++bucketStarts[bucketOf(look) + 1];
                for (std::size_t b = 0; b < buckets; ++b)
                    bucketStarts[b + 1] += bucketStarts[b];
                scratch.resize(added.size());
                for (const Look& look : added)
                    scratch[bucketStarts[bucketOf(look)]++] = look;
                added.swap(scratch);
                SortNearlyInOrder(added);
            }
            const auto middle = static_cast<std::ptrdiff_t>(looks.size());
            looks.insert(looks.end(), added.begin(), added.end());
            std::inplace_merge(looks.begin(), looks.begin() + middle, looks.end(), ByTime<Look>);
        }

        // The longest wait of each piece at the cut, counted round the
        // cycle's end as AtLatitude counts it.
        WaitTracker westPiece, eastPiece;
        for (const Look& look : looks) {
            if (look.west)
                westPiece.Add(look.timeS);
            if (look.east)
                eastPiece.Add(look.timeS);
        }
        if (westOf)
            longestWaitS = std::max(longestWaitS, westPiece.LongestS(cycleS_));
        if (eastOf)
            longestWaitS = std::max(longestWaitS, eastPiece.LongestS(cycleS_));
    }
    return longestWaitS / RepBas::SecondsPerDay;
}

CoverageSummary WorstRevisitSummary(const DesignRecord& design, const SwathRequest& request)
{
    ValidateSwathRequest(request);
    const SwathCoverage coverage(design, request.swathKm, request.satellites, request.passes);
    // Rows that hold only what the summary reads: whether each parallel is
    // fully covered, and then its longest wait.
    std::vector<LatitudeCoverage> rows;
    for (const double latitude : LatitudeGrid(request.latitudeStepDeg)) {
        LatitudeCoverage row;
        row.latitudeDeg = latitude;
        row.maxRevisitDays = coverage.MaxRevisitDaysIfFullyCovered(latitude);
        row.coveredFraction = row.maxRevisitDays ? 1 : 0;
        rows.push_back(row);
    }
    return SummarizeCoverage(rows, EquatorialSidelapPercent(design, request.swathKm, request.satellites));
}

namespace {

// The grid's parallels on multiples of the sample step, by height.
std::vector<double> SampledParallels(double latitudeStepDeg, double sampleStepDeg)
{
    std::vector<double> sampled;
    for (const double latitude : LatitudeGrid(latitudeStepDeg)) {
        const double multiple = latitude / sampleStepDeg;
        if (multiple == std::round(multiple))
            sampled.push_back(latitude);
    }
    std::stable_sort(sampled.begin(), sampled.end(),
                     [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    return sampled;
}

// `coveredWait(latitude)`: the parallel's longest wait when it is covered
// whole, none when it has gaps.
template <typename CoveredWait>
RevisitFloor FloorOver(const std::vector<double>& sampled, CoveredWait&& coveredWait)
{
    RevisitFloor floor;
    // Each hemisphere's band is its own: a gap blocks the parallels above it
    // on its side of the equator only (the equator lies on both).
    bool equatorCovered = false, gapLowerNorth = false, gapLowerSouth = false, blocked = false;
    for (const double latitude : sampled) {  // from the equator up
        const bool north = latitude >= 0, south = latitude <= 0;
        const std::optional<double> wait = coveredWait(latitude);
        if (!wait) {
            gapLowerNorth = gapLowerNorth || north;
            gapLowerSouth = gapLowerSouth || south;
            continue;
        }
        if (latitude == 0)
            equatorCovered = true;
        blocked = blocked || (north && gapLowerNorth) || (south && gapLowerSouth);
        floor.days = std::max(floor.days, *wait);
    }
    floor.bandMayReachEquator = equatorCovered && !blocked;
    return floor;
}

}  // namespace

RevisitFloor WorstRevisitFloor(const DesignRecord& design, const SwathRequest& request, double sampleStepDeg)
{
    ValidateSwathRequest(request);
    const SwathCoverage coverage(design, request.swathKm, request.satellites, request.passes);
    return FloorOver(SampledParallels(request.latitudeStepDeg, sampleStepDeg),
                     [&](double latitude) { return coverage.MaxRevisitDaysIfFullyCovered(latitude); });
}

RevisitFloor WorstRevisitFloor(const DesignRecord& design, const SwathRequest& request, const LightCondition& light,
                               const SubSolarTrack& sun, double sampleStepDeg)
{
    ValidateSwathRequest(request);
    const SwathCoverage coverage(design, request.swathKm, request.satellites, request.passes);
    ValidateLightReach(coverage.Cycle(), light, sun);
    return FloorOver(SampledParallels(request.latitudeStepDeg, sampleStepDeg),
                     [&](double latitude) -> std::optional<double> {
                         const LatitudeCoverage row = coverage.WorstOverCyclesAt(latitude, light, sun);
                         return row.coveredFraction == 1 ? row.maxRevisitDays : std::nullopt;
                     });
}

}  // namespace orbit::analysis

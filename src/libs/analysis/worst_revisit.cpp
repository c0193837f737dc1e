#include "analysis/worst_revisit.h"

#include "analysis/time_order.h"
#include "analysis/whole_numbers.h"
#include "core/angle_wrap.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

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

// Positions [first, end) whose passes a stretch brings over a piece.
struct Window {
    std::int64_t first = 0, end = 0;
    bool Holds(std::int64_t k) const { return k >= first && k < end; }
};

// One look at a cut between two pieces.
struct Look {
    double timeS;
    std::int64_t position;
    std::int64_t pass;  // the first pass on the position, or one coinciding with it
    std::uint32_t stretch;
    std::uint32_t after;  // where the stretch's time was last read
    bool west, east;      // over the piece west of the cut, east of it
};

// How the passes of one kind lie round the parallel (SwathCoverage's own
// figures).
struct PassLayout {
    double spacingRad = 0;
    double passIntervalS = 0;
    double cycleS = 0;
    std::int64_t positions = 0;
    std::int64_t passesPerPosition = 1;
    std::int64_t stepInverse = 0;
};

// The longest wait over the pieces of one node spacing as AtLatitude cuts
// them, read cut by cut. Each cut between two pieces is the east end of one
// and the west end of the next, and the looks there are the same but for
// the few stretches whose windows move on at the cut: the union is worked
// out once and each piece's waits read from it. From one cut to the next
// every look moves steadily in time, so the order of the last cut nearly
// holds.
class CutWalk {
public:
    CutWalk(const PassLayout& layout, std::vector<const SeenStretch*> stretches, const std::vector<double>& bounds)
        : layout_(layout), stretches_(std::move(stretches)), bounds_(bounds), stretchCount_(stretches_.size()),
          pieceCount_(bounds.size() - 1), held_(stretchCount_), holding_(stretchCount_)
    {
    }

    // Which positions' passes each stretch brings over each piece: a window
    // of positions, found from the piece's middle as there. False at a gap:
    // a piece no stretch lies over, so the parallel is not fully covered.
    bool FindWindows()
    {
        windows_.assign(pieceCount_ * stretchCount_, Window{});
        for (std::size_t b = 0; b < pieceCount_; ++b) {
            const double middle = 0.5 * (bounds_[b] + bounds_[b + 1]);
            bool seen = false;
            for (std::size_t s = 0; s < stretchCount_; ++s) {
                const SeenStretch& stretch = *stretches_[s];
                const auto first =
                    static_cast<std::int64_t>(std::ceil((middle - stretch.EastRad()) / layout_.spacingRad));
                const auto last =
                    static_cast<std::int64_t>(std::floor((middle - stretch.WestRad()) / layout_.spacingRad));
                const std::int64_t count = std::min(last - first + 1, layout_.positions);
                if (count > 0) {
                    windows_[b * stretchCount_ + s] = {first, first + count};
                    seen = true;
                }
            }
            if (!seen)
                return false;
        }
        return true;
    }

    double LongestWaitS()
    {
        double longestWaitS = 0;
        for (std::size_t c = 0; c < bounds_.size(); ++c) {
            westOf_ = c > 0 ? &windows_[(c - 1) * stretchCount_] : nullptr;
            eastOf_ = c < pieceCount_ ? &windows_[c * stretchCount_] : nullptr;
            at_ = bounds_[c];
            HoldUnion();
            KeepLooks();
            AddNewLooks(c > 0);
            held_ = holding_;
            IntoOrder();
            longestWaitS = std::max(longestWaitS, LongestAtCut());
        }
        return longestWaitS;
    }

private:
    Look LookAt(std::uint32_t stretch, std::int64_t k, std::int64_t pass, std::uint32_t after) const
    {
        const double lookS =
            LookTimeNear(*stretches_[stretch], at_ - static_cast<double>(k) * layout_.spacingRad, after);
        const double timeS = WrapModulo(static_cast<double>(pass) * layout_.passIntervalS + lookS, layout_.cycleS);
        return Look{timeS, k, pass, stretch, after, westOf_ && westOf_[stretch].Holds(k),
                    eastOf_ && eastOf_[stretch].Holds(k)};
    }

    // The windows of the pieces either side of the cut, joined: they overlap
    // or meet (from one piece to the next a window's ends move by one
    // position at most); a look of their hull over neither piece would be
    // flagged so and read by none.
    void HoldUnion()
    {
        for (std::size_t s = 0; s < stretchCount_; ++s) {
            Window hull;
            const auto join = [&hull](const Window& w) {
                if (w.end <= w.first)
                    return;
                if (hull.end <= hull.first)
                    hull = w;
                else
                    hull = {std::min(hull.first, w.first), std::max(hull.end, w.end)};
            };
            if (westOf_)
                join(westOf_[s]);
            if (eastOf_)
                join(eastOf_[s]);
            holding_[s] = hull;
        }
    }

    // The list holds every look of the union of the two windows, each
    // stretch's positions from `holding_`. Those kept from the last cut, in
    // its order, at their new times:
    void KeepLooks()
    {
        std::size_t kept = 0;
        for (std::size_t l = 0; l < looks_.size(); ++l) {
            const Look& look = looks_[l];
            if (holding_[look.stretch].Holds(look.position))
                looks_[kept++] = LookAt(look.stretch, look.position, look.pass, look.after);
        }
        looks_.resize(kept);
    }

    // And those new here: the ends of each window beyond the last.
    void AddNewLooks(bool afterFirstCut)
    {
        added_.clear();
        for (std::size_t s = 0; s < stretchCount_; ++s) {
            const Window now = holding_[s];
            const Window before = afterFirstCut ? held_[s] : Window{};
            for (std::int64_t k = now.first; k < now.end; ++k) {
                if (before.Holds(k))
                    continue;
                const std::int64_t firstPass = Modulo(-k * layout_.stepInverse, layout_.positions);
                for (std::int64_t i = 0; i < layout_.passesPerPosition; ++i)
                    added_.push_back(
                        LookAt(static_cast<std::uint32_t>(s), k, firstPass + i * layout_.positions, 1));
            }
        }
    }

    // Into order: the kept looks by insertion, which costs little when they
    // are nearly in order; the new ones, which may be all of them, first
    // spread over as many buckets of the cycle as they number (the bucket
    // only ever grows with the time), then merged in.
    void IntoOrder()
    {
        SortNearlyInOrder(looks_);
        if (added_.empty())
            return;
        if (added_.size() > 1) {
            const std::size_t buckets = added_.size();
            const auto bucketOf = [&](const Look& look) {
                const auto b = static_cast<std::size_t>(look.timeS / layout_.cycleS * static_cast<double>(buckets));
                return std::min(b, buckets - 1);
            };
            bucketStarts_.assign(buckets + 1, 0);
            for (const Look& look : added_)
                ++bucketStarts_[bucketOf(look) + 1];
            for (std::size_t b = 0; b < buckets; ++b)
                bucketStarts_[b + 1] += bucketStarts_[b];
            scratch_.resize(added_.size());
            for (const Look& look : added_)
                scratch_[bucketStarts_[bucketOf(look)]++] = look;
            added_.swap(scratch_);
            SortNearlyInOrder(added_);
        }
        const auto middle = static_cast<std::ptrdiff_t>(looks_.size());
        looks_.insert(looks_.end(), added_.begin(), added_.end());
        std::inplace_merge(looks_.begin(), looks_.begin() + middle, looks_.end(), ByTime<Look>);
    }

    // The longest wait of each piece at the cut, counted round the cycle's
    // end as AtLatitude counts it.
    double LongestAtCut() const
    {
        WaitTracker westPiece, eastPiece;
        for (const Look& look : looks_) {
            if (look.west)
                westPiece.Add(look.timeS);
            if (look.east)
                eastPiece.Add(look.timeS);
        }
        double longestS = 0;
        if (westOf_)
            longestS = std::max(longestS, westPiece.LongestS(layout_.cycleS));
        if (eastOf_)
            longestS = std::max(longestS, eastPiece.LongestS(layout_.cycleS));
        return longestS;
    }

    PassLayout layout_;
    std::vector<const SeenStretch*> stretches_;
    const std::vector<double>& bounds_;
    std::size_t stretchCount_, pieceCount_;
    std::vector<Window> windows_;  // by piece, then by stretch
    // At the cut being read: its longitude and the windows either side.
    double at_ = 0;
    const Window* westOf_ = nullptr;
    const Window* eastOf_ = nullptr;
    std::vector<Look> looks_, added_, scratch_;
    std::vector<std::size_t> bucketStarts_;
    std::vector<Window> held_, holding_;
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

    const std::vector<double> bounds = PieceBounds(halves, positionSpacingRad_);
    std::vector<const SeenStretch*> stretches;
    for (const HalfStretch& half : halves)
        stretches.push_back(&half.stretch);
    const PassLayout layout{positionSpacingRad_, passIntervalS_, cycleS_,
                            positions_,          passesPerPosition_, stepInverse_};
    CutWalk walk(layout, std::move(stretches), bounds);
    if (!walk.FindWindows())
        return std::nullopt;
    return walk.LongestWaitS() / RepBas::SecondsPerDay;
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

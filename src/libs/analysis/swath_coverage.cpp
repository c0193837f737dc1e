#include "analysis/swath_coverage.h"

#include "analysis/angles.h"
#include "analysis/ground_track.h"
#include "analysis/whole_numbers.h"
#include "core/angle_wrap.h"
#include "core/orbit_error.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <utility>

namespace orbit::analysis {

namespace {

// Stretch ends closer than this (a few millimetres on the ground) are one
// longitude: the two halves of a pass meet exactly at the turning point, and
// the rounding of their separate computations must not open a gap there.
constexpr double kSameLongitudeRad = 1e-9;

// Near the light's edge a look is sampled along its stretch no more than
// this far apart, so that a look lit at two neighbouring samples is lit
// between them: along two degrees of a parallel the Sun's elevation turns
// back only right at its highest or lowest, and then by a few thousandths
// of a degree.
constexpr double kLightSampleRad = 2 * kRadiansPerDegree;
// Where a look passes into or out of the light: to a nano-radian (6 mm).
constexpr double kLightRootToleranceRad = 1e-9;
constexpr int kLightRootSteps = 60;
// Bounds on how fast the Sun moves over the ground: its longitude runs west
// at 7.27e-5 rad/s (a turn in a solar day, give or take the equation of
// time's drift), its declination changes by at most 0.4 degrees a day
// (8.1e-8 rad/s). Along a look's stretch the sine of its elevation can move
// no further than these allow, which settles most looks by one test.
constexpr double kSunLongitudeRateBoundRadS = 7.5e-5;
constexpr double kSunDeclinationRateBoundRadS = 1e-7;
constexpr double kLightReachSlack = 1e-6;  // the Sun's samples read between, and rounding

// Where `margin(x, wraps)` changes sign between a and b, by bisection.
template <typename Margin>
double RootBetween(double a, double b, const Margin& margin, double wraps)
{
    const bool litA = margin(a, wraps) >= 0;
    for (int step = 0; step < kLightRootSteps && b - a > kLightRootToleranceRad; ++step) {
        const double mid = 0.5 * (a + b);
        ((margin(mid, wraps) >= 0) == litA ? a : b) = mid;
    }
    return 0.5 * (a + b);
}



// The westward shift of the track per revolution of a closed cycle.
double ClosedShiftPerRevolutionRad(const RepeatCycle& cycle)
{
    return kTwoPi * static_cast<double>(cycle.days) / static_cast<double>(cycle.revolutions);
}

}  // namespace

void ValidateSwathRequest(const SwathRequest& request)
{
    using In = RequestInput;
    const double halfCircumferenceKm = kPi * RepBas::Re;
    const double swathKm = request.swathKm;
    if (!(swathKm > 0) || !std::isfinite(swathKm))
        throw OrbitError(In::SwathKm, swathKm, "the swath must be a positive number of km");
    if (swathKm < kNarrowestSwathKm)
        throw OrbitError(In::SwathKm, swathKm, "the narrowest swath is 0.001 km (one metre)");
    if (swathKm > halfCircumferenceKm)
        throw OrbitError(In::SwathKm, swathKm,
                         "the swath must not be wider than half the Earth's circumference (20037.6 km)");
    if (request.satellites < 1 || request.satellites > kMaxSatellites)
        throw OrbitError(In::Satellites, request.satellites,
                         "from 1 to " + std::to_string(kMaxSatellites) + " satellites");
    const double stepDeg = request.latitudeStepDeg;
    if (!(stepDeg > 0) || !(stepDeg <= 90))
        throw OrbitError(In::LatitudeStepDeg, stepDeg, "the latitude step must lie above 0 and at most 90 degrees");
    if (stepDeg < kFinestLatitudeStepDeg)
        throw OrbitError(In::LatitudeStepDeg, stepDeg, "the finest latitude step is 0.001 degrees");
}

double RepeatCycle::LengthDays() const
{
    return static_cast<double>(revolutions) * nodalPeriodS / RepBas::SecondsPerDay;
}

RepeatCycle RepeatCycleOf(const DesignRecord& design)
{
    const GroundTrack track(design);  // refuses a design without a track
    if (!IsModestWhole(design.N) || !IsModestWhole(design.M) || !IsModestWhole(design.Q) || design.Q < 1)
        throw OrbitError(ErrorKind::InvalidArgument,
                         "The coverage needs a repeat cycle: whole numbers N, M and Q, with Q at least 1");
    RepeatCycle cycle;
    cycle.days = static_cast<std::int64_t>(design.Q);
    cycle.revolutions = static_cast<std::int64_t>(design.N) * cycle.days + static_cast<std::int64_t>(design.M);
    if (cycle.revolutions < 1)
        throw OrbitError(ErrorKind::InvalidArgument,
                         "The coverage needs a repeat cycle: N Q + M must be at least one revolution");
    cycle.nodalPeriodS = track.NodalPeriodS();
    cycle.inclinationRad = track.InclinationRad();
    return cycle;
}

double EquatorialSidelapPercent(const DesignRecord& design, double swathKm, int satellites)
{
    SwathRequest request;
    request.swathKm = swathKm;
    request.satellites = satellites;
    ValidateSwathRequest(request);
    const RepeatCycle cycle = RepeatCycleOf(design);
    // The ascending nodes of all satellites fall on an even grid of the
    // equator; coinciding tracks (a shared factor of Q and R K) thin it.
    const std::int64_t passes = cycle.revolutions * satellites;
    const std::int64_t coinciding = std::gcd(cycle.days, passes);
    const double nodeStepRad = kTwoPi * static_cast<double>(coinciding) / static_cast<double>(passes);
    // The Earth-fixed heading at the node: northward sin i, eastward cos i
    // less the Earth's turn under the track.
    const double turn = ClosedShiftPerRevolutionRad(cycle) / kTwoPi;
    const double north = std::sin(cycle.inclinationRad);
    const double east = std::cos(cycle.inclinationRad) - turn;
    const double sinCrossing = std::fabs(north) / std::hypot(north, east);
    // The neighbour's node seen from this track: a right spherical triangle
    // on the equator. Beyond a quarter turn apart, tracks are as far apart
    // as they can be.
    const double across = std::asin(std::min(1.0, std::sin(std::min(nodeStepRad, kPi / 2)) * sinCrossing));
    const double distanceKm = RepBas::Re * across;
    return (swathKm - distanceKm) / swathKm * 100;
}

SwathCoverage::SwathCoverage(const DesignRecord& design, double swathKm, int satellites, PassDirection passes)
    : cycle_(RepeatCycleOf(design))
{
    SwathRequest request;
    request.swathKm = swathKm;
    request.satellites = satellites;
    ValidateSwathRequest(request);

    const double shift = ClosedShiftPerRevolutionRad(cycle_);
    const double halfSwath = HalfSwathRad(swathKm);
    if (passes != PassDirection::Descending)
        counted_.emplace_back(PassHalf::Ascending, cycle_.inclinationRad, cycle_.nodalPeriodS, shift, halfSwath);
    if (passes != PassDirection::Ascending)
        counted_.emplace_back(PassHalf::Descending, cycle_.inclinationRad, cycle_.nodalPeriodS, shift, halfSwath);
    if (!counted_.front().Moves())
        throw OrbitError(ErrorKind::InvalidArgument,
                         "The ground track of this design stands still over the Earth: it makes no passes to count");

    // Pass m (of either kind) flies m T / K after the first and its node lies
    // m 360 Q / (R K) degrees west of the first node: satellite j, a fraction
    // j / K of a revolution behind, is the first satellite's track moved back
    // by j / K of a revolution in time and in longitude.
    passesPerHalf_ = cycle_.revolutions * satellites;
    passesPerPosition_ = std::gcd(cycle_.days, passesPerHalf_);
    positions_ = passesPerHalf_ / passesPerPosition_;
    stepInverse_ = InverseModulo(cycle_.days / passesPerPosition_, positions_);
    positionSpacingRad_ = kTwoPi / static_cast<double>(positions_);
    passIntervalS_ = cycle_.nodalPeriodS / satellites;
    cycleS_ = static_cast<double>(cycle_.revolutions) * cycle_.nodalPeriodS;
}

LatitudeCoverage SwathCoverage::AtPole(double latitudeDeg) const
{
    // The pole is a single point. A pass sees it, if at all, at its turning
    // point, where its two halves meet: one look a revolution, whichever
    // halves count.
    LatitudeCoverage row;
    row.latitudeDeg = latitudeDeg;
    if (counted_.empty() || !counted_.front().SeesPole())
        return row;
    row.passes = passesPerHalf_ * static_cast<std::int64_t>(counted_.size());
    row.coveredFraction = 1;
    row.maxRevisitDays = passIntervalS_ / RepBas::SecondsPerDay;
    row.meanRevisitDays = passIntervalS_ / RepBas::SecondsPerDay;
    return row;
}

std::vector<SwathCoverage::HalfStretch> SwathCoverage::StretchesAt(double latitudeDeg) const
{
    std::vector<HalfStretch> stretches;
    for (std::size_t h = 0; h < counted_.size(); ++h)
        for (SeenStretch& s : counted_[h].StretchesAt(latitudeDeg * kRadiansPerDegree))
            stretches.push_back({std::move(s), h});
    return stretches;
}

std::vector<double> SwathCoverage::PieceBounds(const std::vector<HalfStretch>& stretches, double finestPieceRad) const
{
    const double spacing = positionSpacingRad_;
    std::vector<double> cuts = {0, spacing};
    for (const HalfStretch& s : stretches) {
        cuts.push_back(WrapModulo(s.stretch.WestRad(), spacing));
        cuts.push_back(WrapModulo(s.stretch.EastRad(), spacing));
    }
    const auto extra = static_cast<std::int64_t>(std::ceil(spacing / finestPieceRad));
    for (std::int64_t k = 1; k < extra; ++k)
        cuts.push_back(spacing * static_cast<double>(k) / static_cast<double>(extra));
    std::sort(cuts.begin(), cuts.end());
    std::vector<double> bounds;
    for (const double cut : cuts)
        if (bounds.empty() || cut - bounds.back() > kSameLongitudeRad)
            bounds.push_back(cut);
    if (spacing - bounds.back() <= kSameLongitudeRad)
        bounds.back() = spacing;
    else
        bounds.push_back(spacing);
    return bounds;
}

namespace {

// The longest wait between successive looks, given their times within the
// cycle in order: the wait across the cycle's end counts too, and a single
// look waits a whole cycle for itself.
double LongestGapS(const std::vector<double>& sortedTimesS, double cycleS)
{
    if (sortedTimesS.size() == 1)
        return cycleS;
    double longest = sortedTimesS.front() + cycleS - sortedTimesS.back();
    for (std::size_t i = 1; i < sortedTimesS.size(); ++i)
        longest = std::max(longest, sortedTimesS[i] - sortedTimesS[i - 1]);
    return longest;
}

// Which positions' passes a stretch brings over a longitude of the first
// position spacing: those whose node lies between the stretch's ends behind
// it, at most every position once.
struct PositionsOver {
    std::int64_t first = 0, count = 0;
};
PositionsOver PositionsOverLongitude(const SeenStretch& stretch, double longitudeRad, double spacingRad,
                                     std::int64_t positions)
{
    const auto first = static_cast<std::int64_t>(std::ceil((longitudeRad - stretch.EastRad()) / spacingRad));
    const auto last = static_cast<std::int64_t>(std::floor((longitudeRad - stretch.WestRad()) / spacingRad));
    return {first, std::min(last - first + 1, positions)};
}

}  // namespace

// What the looks over a piece of the parallel add up to: its width seen or
// unseen, the mean wait weighted by the width, and the longest wait.
struct SwathCoverage::CoverageTally {
    double seenRad = 0, unseenRad = 0, meanWaitTimesRad = 0, longestWaitS = 0;

    void Unseen(double widthRad) { unseenRad += widthRad; }
    void Seen(double widthRad, double cycleS, std::int64_t lookCount)
    {
        seenRad += widthRad;
        meanWaitTimesRad += widthRad * (cycleS / static_cast<double>(lookCount));
    }
    void Wait(double waitS) { longestWaitS = std::max(longestWaitS, waitS); }

    void Into(LatitudeCoverage& row) const
    {
        row.coveredFraction = unseenRad == 0 ? 1.0 : seenRad / (seenRad + unseenRad);
        if (seenRad > 0) {
            row.maxRevisitDays = longestWaitS / RepBas::SecondsPerDay;
            row.meanRevisitDays = meanWaitTimesRad / seenRad / RepBas::SecondsPerDay;
        }
    }
};

LatitudeCoverage SwathCoverage::AtLatitude(double latitudeDeg) const
{
    if (std::fabs(latitudeDeg) >= 90)
        return AtPole(latitudeDeg);

    LatitudeCoverage row;
    row.latitudeDeg = latitudeDeg;
    const std::vector<HalfStretch> halves = StretchesAt(latitudeDeg);
    std::vector<SeenStretch> stretches;
    std::vector<bool> halfSees(counted_.size(), false);
    for (const HalfStretch& s : halves) {
        halfSees[s.half] = true;
        stretches.push_back(s.stretch);
    }
    for (const bool sees : halfSees)
        if (sees)
            row.passes += passesPerHalf_;
    if (stretches.empty())
        return row;

    // The pattern of looks repeats from one node position to the next: moving
    // on by one position brings every stretch onto the next pass, which is the
    // whole set of passes renumbered, so the looks move round the cycle
    // together and their waits stay the same. One position spacing holds the
    // whole answer.
    const std::vector<double> bounds = PieceBounds(halves, positionSpacingRad_);
    CoverageTally tally;
    std::vector<double> looks;
    for (std::size_t b = 0; b + 1 < bounds.size(); ++b)
        TallyPiece(stretches, bounds[b], bounds[b + 1], tally, looks);
    tally.Into(row);
    return row;
}

void SwathCoverage::TallyPiece(const std::vector<SeenStretch>& stretches, double west, double east,
                               CoverageTally& tally, std::vector<double>& looks) const
{
    const double spacing = positionSpacingRad_;
    const double middle = 0.5 * (west + east);
    struct Over {
        const SeenStretch* stretch;
        std::int64_t firstPosition, count;
    };
    std::vector<Over> over;
    std::int64_t lookCount = 0;
    for (const SeenStretch& s : stretches) {
        const PositionsOver positions = PositionsOverLongitude(s, middle, spacing, positions_);
        if (positions.count > 0) {
            over.push_back({&s, positions.first, positions.count});
            lookCount += positions.count * passesPerPosition_;
        }
    }
    if (lookCount == 0) {
        tally.Unseen(east - west);
        return;
    }
    tally.Seen(east - west, cycleS_, lookCount);

    // The longest wait, at both ends of the piece: inside it each look
    // moves steadily in time with the longitude.
    for (const double at : {west, east}) {
        looks.clear();
        for (const Over& o : over) {
            for (std::int64_t k = o.firstPosition; k < o.firstPosition + o.count; ++k) {
                const double lookS = o.stretch->LookTimeS(at - static_cast<double>(k) * spacing);
                const std::int64_t firstPass = Modulo(-k * stepInverse_, positions_);
                for (std::int64_t i = 0; i < passesPerPosition_; ++i) {
                    const auto pass = static_cast<double>(firstPass + i * positions_);
                    looks.push_back(WrapModulo(pass * passIntervalS_ + lookS, cycleS_));
                }
            }
        }
        std::sort(looks.begin(), looks.end());
        tally.Wait(LongestGapS(looks, cycleS_));
    }
}

LatitudeCoverage SwathCoverage::AtPole(double latitudeDeg, const LightCondition& light, const SubSolarTrack& sun,
                                       std::int64_t cycle) const
{
    // The turning points, one a revolution, each lit or not: the Sun's
    // elevation at a pole is its declination there.
    LatitudeCoverage row;
    row.latitudeDeg = latitudeDeg;
    if (counted_.empty() || !counted_.front().SeesPole())
        return row;
    const bool north = latitudeDeg > 0;
    const double turnS = (north ? 0.25 : -0.25) * cycle_.nodalPeriodS;
    const double sinLeast = std::sin(light.minSunElevationDeg * kRadiansPerDegree);
    const double cycleStartS = static_cast<double>(cycle) * cycleS_;
    std::vector<double> looks;
    for (std::int64_t m = 0; m < passesPerHalf_; ++m) {
        const double lookS = WrapModulo(static_cast<double>(m) * passIntervalS_ + turnS, cycleS_);
        if (sun.LightMargin(cycleStartS + lookS, north ? 1 : -1, 0, 0, sinLeast) >= 0)
            looks.push_back(lookS);
    }
    if (looks.empty())
        return row;
    std::sort(looks.begin(), looks.end());
    row.passes = static_cast<std::int64_t>(looks.size() * counted_.size());
    row.coveredFraction = 1;
    row.maxRevisitDays = LongestGapS(looks, cycleS_) / RepBas::SecondsPerDay;
    row.meanRevisitDays = cycleS_ / static_cast<double>(looks.size()) / RepBas::SecondsPerDay;
    return row;
}

// The light test, in three steps: whether each look of the cycle is lit
// along its stretch (LightOfEachLook); the pieces of one position spacing
// and what lies over them (LitPieces); then every copy of each piece round
// the parallel, with only its lit looks counted (TallyLitCopy).

// Each look of the cycle once: stretch s flown by pass m, in the stretch's
// own longitudes (from the pass's node), lit at its west end or not, and
// where along the stretch it passes into or out of the light.
struct SwathCoverage::LitLooks {
    struct Look {
        std::uint32_t firstBreak = 0, breakCount = 0;
        bool litAtWest = false;
    };
    std::int64_t passes = 0;     // of one half
    std::vector<Look> looks;     // by stretch, then by pass
    std::vector<double> breaks;  // where a look passes into or out of the light, by look

    const Look& Of(std::size_t stretch, std::int64_t pass) const
    {
        return looks[stretch * static_cast<std::size_t>(passes) + static_cast<std::size_t>(pass)];
    }
    // Whether a look is lit at x of its stretch.
    bool LitAt(const Look& look, double x) const
    {
        bool lit = look.litAtWest;
        for (std::uint32_t b = 0; b < look.breakCount && breaks[look.firstBreak + b] <= x; ++b)
            lit = !lit;
        return lit;
    }
    // Whether it passes into or out of the light strictly between two
    // longitudes of its stretch.
    bool BreaksWithin(const Look& look, double from, double to) const
    {
        for (std::uint32_t b = 0; b < look.breakCount; ++b) {
            const double x = breaks[look.firstBreak + b];
            if (x > from && x < to)
                return true;
        }
        return false;
    }
};

// A piece of one position spacing, as without light: what lies over it is
// the same for every copy of the spacing round the parallel, and so is the
// order of its looks round the cycle, since moving on by a position shifts
// every look's time alike. Only which of them are lit changes from copy to
// copy.
struct SwathCoverage::LitPiece {
    struct Entry {
        std::size_t stretch;
        std::int64_t firstPass;   // at the first copy
        std::int64_t shiftPass;   // i P: the coinciding passes
        double westRel, eastRel;  // the piece's ends in the stretch's longitudes
        double westS, eastS;      // the look's time at them, at the first copy, within the cycle
    };
    double west, east;
    std::vector<Entry> entries;
    std::vector<std::uint32_t> westOrder, eastOrder;  // entries by time
    double allLitWaitS = 0;  // the longest wait at either end with every look lit
};

// The looks over one copy of a piece: which look each entry is, its pass,
// whether it is lit; and the working lists of its times and cuts.
struct SwathCoverage::LitCopy {
    std::vector<const LitLooks::Look*> looks;
    std::vector<std::int64_t> passOf;
    std::vector<char> lit;
    std::int64_t litCount = 0;
    bool uniform = true;  // no look passes into or out of the light inside the piece
    std::vector<double> times, cuts;
};

// One parallel under the light test, as it is worked through.
struct SwathCoverage::LitParallel {
    const std::vector<HalfStretch>& stretches;
    LitLooks light;
    std::vector<char> passSeen;  // by half, then by pass
    CoverageTally tally;
};

LatitudeCoverage SwathCoverage::AtLatitude(double latitudeDeg, const LightCondition& light, const SubSolarTrack& sun,
                                           std::int64_t cycle) const
{
    if (std::fabs(latitudeDeg) >= 90)
        return AtPole(latitudeDeg, light, sun, cycle);

    LatitudeCoverage row;
    row.latitudeDeg = latitudeDeg;
    const std::vector<HalfStretch> stretches = StretchesAt(latitudeDeg);
    if (stretches.empty())
        return row;

    LitParallel parallel{stretches, LightOfEachLook(stretches, latitudeDeg, light, sun, cycle), {}, {}};
    const std::vector<LitPiece> pieces = LitPieces(stretches, parallel.tally);

    parallel.passSeen.assign(static_cast<std::size_t>(passesPerHalf_) * counted_.size(), 0);
    LitCopy copy;
    for (std::int64_t j = 0; j < positions_; ++j) {
        const std::int64_t passStep = Modulo(-j * stepInverse_, positions_);
        for (const LitPiece& piece : pieces)
            TallyLitCopy(piece, passStep, parallel, copy);
    }

    row.passes = std::count(parallel.passSeen.begin(), parallel.passSeen.end(), 1);
    parallel.tally.Into(row);
    return row;
}

namespace {

// The earliest and latest time along a stretch.
std::pair<double, double> TimeSpanS(const SeenStretch& stretch)
{
    double earliestS = stretch.points.front().timeS, latestS = earliestS;
    for (const SeenStretch::Point& p : stretch.points) {
        earliestS = std::min(earliestS, p.timeS);
        latestS = std::max(latestS, p.timeS);
    }
    return {earliestS, latestS};
}

// The longitudes a look near the light's edge is tested at: every point of
// its stretch, and between them at most kLightSampleRad apart.
void SampleAlong(const SeenStretch& stretch, std::vector<double>& samples)
{
    samples.clear();
    for (std::size_t p = 0; p < stretch.points.size(); ++p) {
        const double x = stretch.points[p].longitudeRad;
        if (!samples.empty()) {
            const double from = samples.back();
            const auto extra = static_cast<int>(std::ceil((x - from) / kLightSampleRad));
            for (int e = 1; e < extra; ++e)
                samples.push_back(from + (x - from) * e / extra);
        }
        if (samples.empty() || x > samples.back())
            samples.push_back(x);
    }
}

// Where between a and b the look's time crosses the cycle's end, by
// bisection.
template <typename WrapsAt>
double CycleEndBetween(double a, double b, const WrapsAt& wrapsAt)
{
    double before = a, after = b;
    const double wrapsBefore = wrapsAt(a);
    for (int step = 0; step < kLightRootSteps && after - before > kLightRootToleranceRad; ++step) {
        const double mid = 0.5 * (before + after);
        (wrapsAt(mid) == wrapsBefore ? before : after) = mid;
    }
    return 0.5 * (before + after);
}

// Where along the samples a look, lit at the first or not, passes into or
// out of the light, appended to `breaks` in order.
template <typename WrapsAt, typename Margin>
void AppendLightBreaks(const std::vector<double>& samples, bool litAtWest, const WrapsAt& wrapsAt,
                       const Margin& margin, std::vector<double>& breaks)
{
    bool lit = litAtWest;
    for (std::size_t k = 0; k + 1 < samples.size(); ++k) {
        double a = samples[k];
        const double b = samples[k + 1];
        if (wrapsAt(a) != wrapsAt(b)) {
            // Split where the look's time crosses the cycle's end.
            const double wrapsBefore = wrapsAt(a);
            const double split = CycleEndBetween(a, b, wrapsAt);
            const bool litBefore = margin(split, wrapsBefore) >= 0;
            if (litBefore != lit) {
                breaks.push_back(RootBetween(a, split, margin, wrapsBefore));
                lit = litBefore;
            }
            // The look's time may run either way along the stretch.
            const bool litAfter = margin(split, wrapsAt(b)) >= 0;
            if (litAfter != lit) {
                breaks.push_back(split);
                lit = litAfter;
            }
            a = split;
        }
        const double segmentWraps = wrapsAt(0.5 * (a + b));
        if ((margin(a, segmentWraps) >= 0) != lit) {
            breaks.push_back(a);
            lit = !lit;
        }
        if ((margin(b, segmentWraps) >= 0) != lit) {
            breaks.push_back(RootBetween(a, b, margin, segmentWraps));
            lit = !lit;
        }
    }
}

}  // namespace

SwathCoverage::LitLooks SwathCoverage::LightOfEachLook(const std::vector<HalfStretch>& stretches, double latitudeDeg,
                                                       const LightCondition& light, const SubSolarTrack& sun,
                                                       std::int64_t cycle) const
{
    const double spacing = positionSpacingRad_;
    const double latitudeRad = latitudeDeg * kRadiansPerDegree;
    const double sinLat = std::sin(latitudeRad), cosLat = std::cos(latitudeRad);
    const double sinLeast = std::sin(light.minSunElevationDeg * kRadiansPerDegree);
    const double cycleStartS = static_cast<double>(cycle) * cycleS_;
    const std::int64_t passes = passesPerHalf_;
    const std::int64_t stepQ = cycle_.days / passesPerPosition_;  // positions a pass moves on, westward

    // A look's place is the pass's node, at its position round the parallel,
    // plus its longitude along the stretch; its time the pass's plus the
    // stretch's. A look made before the cycle's start or after its end is
    // made at the same place by the pass a whole cycle on or back, and is
    // tested at that time.
    LitLooks lit;
    lit.passes = passes;
    lit.looks.resize(stretches.size() * static_cast<std::size_t>(passes));
    std::vector<double> samples;
    for (std::size_t s = 0; s < stretches.size(); ++s) {
        const SeenStretch& stretch = stretches[s].stretch;
        const auto [earliestS, latestS] = TimeSpanS(stretch);
        // How far the sine of the Sun's elevation can move along the
        // stretch: with the place's longitude against the Sun's (which runs
        // west at the Earth's turn), and with the Sun's declination.
        const double reach = cosLat * (stretch.EastRad() - stretch.WestRad() +
                                       kSunLongitudeRateBoundRadS * (latestS - earliestS)) +
                             kSunDeclinationRateBoundRadS * (latestS - earliestS) + kLightReachSlack;
        for (std::int64_t m = 0; m < passes; ++m) {
            const double passS = static_cast<double>(m) * passIntervalS_;
            const double placeRad = light.nodeLongitudeRad +
                                    static_cast<double>(Modulo(-m * stepQ, positions_)) * spacing;
            const auto wrapsAt = [&](double x) { return std::floor((passS + stretch.LookTimeS(x)) / cycleS_); };
            const auto margin = [&](double x, double wraps) {
                const double t = cycleStartS + passS + stretch.LookTimeS(x) - wraps * cycleS_;
                return sun.LightMargin(t, sinLat, cosLat, placeRad + x, sinLeast);
            };
            LitLooks::Look& look = lit.looks[s * static_cast<std::size_t>(passes) + static_cast<std::size_t>(m)];
            look.firstBreak = static_cast<std::uint32_t>(lit.breaks.size());
            const bool wraps = std::floor((passS + earliestS) / cycleS_) != std::floor((passS + latestS) / cycleS_);
            const double west = stretch.WestRad();
            const double atWest = margin(west, wrapsAt(west));
            look.litAtWest = atWest >= 0;
            if (!wraps && std::fabs(atWest) > reach)
                continue;  // lit, or dark, throughout

            // Near the light's edge: sampled along the stretch.
            SampleAlong(stretch, samples);
            AppendLightBreaks(samples, look.litAtWest, wrapsAt, margin, lit.breaks);
            look.breakCount = static_cast<std::uint32_t>(lit.breaks.size() - look.firstBreak);
        }
    }
    return lit;
}

std::vector<SwathCoverage::LitPiece> SwathCoverage::LitPieces(const std::vector<HalfStretch>& stretches,
                                                             CoverageTally& tally) const
{
    std::vector<LitPiece> pieces;
    const std::vector<double> bounds = PieceBounds(stretches, positionSpacingRad_);
    for (std::size_t b = 0; b + 1 < bounds.size(); ++b) {
        LitPiece piece{bounds[b], bounds[b + 1], {}, {}, {}};
        AddEntriesOver(piece, stretches);
        if (piece.entries.empty()) {
            tally.Unseen((piece.east - piece.west) * static_cast<double>(positions_));
            continue;
        }
        OrderLooksByTime(piece);
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

void SwathCoverage::AddEntriesOver(LitPiece& piece, const std::vector<HalfStretch>& stretches) const
{
    const double spacing = positionSpacingRad_;
    const double middle = 0.5 * (piece.west + piece.east);
    for (std::size_t s = 0; s < stretches.size(); ++s) {
        const SeenStretch& stretch = stretches[s].stretch;
        const PositionsOver positions = PositionsOverLongitude(stretch, middle, spacing, positions_);
        for (std::int64_t k = positions.first; k < positions.first + positions.count; ++k) {
            const double shift = static_cast<double>(k) * spacing;
            const std::int64_t firstPass = Modulo(-k * stepInverse_, positions_);
            for (std::int64_t i = 0; i < passesPerPosition_; ++i) {
                const double passS = static_cast<double>(firstPass + i * positions_) * passIntervalS_;
                piece.entries.push_back({s, firstPass, i * positions_, piece.west - shift, piece.east - shift,
                                         WrapModulo(passS + stretch.LookTimeS(piece.west - shift), cycleS_),
                                         WrapModulo(passS + stretch.LookTimeS(piece.east - shift), cycleS_)});
            }
        }
    }
}

void SwathCoverage::OrderLooksByTime(LitPiece& piece) const
{
    for (std::uint32_t e = 0; e < piece.entries.size(); ++e) {
        piece.westOrder.push_back(e);
        piece.eastOrder.push_back(e);
    }
    std::sort(piece.westOrder.begin(), piece.westOrder.end(),
              [&](std::uint32_t x, std::uint32_t y) { return piece.entries[x].westS < piece.entries[y].westS; });
    std::sort(piece.eastOrder.begin(), piece.eastOrder.end(),
              [&](std::uint32_t x, std::uint32_t y) { return piece.entries[x].eastS < piece.entries[y].eastS; });
    std::vector<double> times;
    for (const bool atWest : {true, false}) {
        times.clear();
        for (const std::uint32_t e : atWest ? piece.westOrder : piece.eastOrder)
            times.push_back(atWest ? piece.entries[e].westS : piece.entries[e].eastS);
        piece.allLitWaitS = std::max(piece.allLitWaitS, LongestGapS(times, cycleS_));
    }
}

void SwathCoverage::TallyLitCopy(const LitPiece& piece, std::int64_t passStep, LitParallel& parallel,
                                 LitCopy& copy) const
{
    copy.looks.clear();
    copy.passOf.clear();
    copy.lit.clear();
    copy.uniform = true;
    copy.litCount = 0;
    for (const LitPiece::Entry& e : piece.entries) {
        std::int64_t firstPass = e.firstPass + passStep;
        if (firstPass >= positions_)
            firstPass -= positions_;
        const std::int64_t pass = firstPass + e.shiftPass;
        const LitLooks::Look& look = parallel.light.Of(e.stretch, pass);
        copy.looks.push_back(&look);
        copy.passOf.push_back(pass);
        const bool isLit = parallel.light.LitAt(look, e.westRel);
        copy.lit.push_back(isLit ? 1 : 0);
        copy.litCount += isLit ? 1 : 0;
        if (look.breakCount > 0 && parallel.light.BreaksWithin(look, e.westRel, e.eastRel))
            copy.uniform = false;
    }
    if (copy.uniform)
        TallyUniformCopy(piece, parallel, copy);
    else
        TallyCutCopy(piece, parallel, copy);
}

void SwathCoverage::MarkSeen(const LitPiece& piece, LitParallel& parallel, const LitCopy& copy) const
{
    for (std::size_t e = 0; e < copy.looks.size(); ++e)
        if (copy.lit[e])
            parallel.passSeen[parallel.stretches[piece.entries[e].stretch].half *
                                  static_cast<std::size_t>(passesPerHalf_) +
                              static_cast<std::size_t>(copy.passOf[e])] = 1;
}

void SwathCoverage::TallyUniformCopy(const LitPiece& piece, LitParallel& parallel, LitCopy& copy) const
{
    const double width = piece.east - piece.west;
    if (copy.litCount == 0) {
        parallel.tally.Unseen(width);
        return;
    }
    parallel.tally.Seen(width, cycleS_, copy.litCount);
    MarkSeen(piece, parallel, copy);
    if (copy.litCount == static_cast<std::int64_t>(copy.looks.size())) {
        parallel.tally.Wait(piece.allLitWaitS);
        return;
    }
    // The first copy's times, in their order round the cycle: this copy's
    // are all moved on alike, which leaves the waits.
    for (const bool atWest : {true, false}) {
        copy.times.clear();
        for (const std::uint32_t e : atWest ? piece.westOrder : piece.eastOrder)
            if (copy.lit[e])
                copy.times.push_back(atWest ? piece.entries[e].westS : piece.entries[e].eastS);
        parallel.tally.Wait(LongestGapS(copy.times, cycleS_));
    }
}

void SwathCoverage::TallyCutCopy(const LitPiece& piece, LitParallel& parallel, LitCopy& copy) const
{
    // Some look passes into or out of the light inside the piece: cut it
    // there, and between the cuts work each look out afresh.
    copy.cuts.assign({piece.west, piece.east});
    for (std::size_t e = 0; e < copy.looks.size(); ++e) {
        const LitPiece::Entry& entry = piece.entries[e];
        const double shift = piece.west - entry.westRel;
        for (std::uint32_t b = 0; b < copy.looks[e]->breakCount; ++b) {
            const double x = parallel.light.breaks[copy.looks[e]->firstBreak + b];
            if (x > entry.westRel && x < entry.eastRel)
                copy.cuts.push_back(x + shift);
        }
    }
    std::sort(copy.cuts.begin(), copy.cuts.end());
    for (std::size_t c = 0; c + 1 < copy.cuts.size(); ++c) {
        const double a = copy.cuts[c], b = copy.cuts[c + 1];
        if (!(b - a > 0))
            continue;
        copy.litCount = 0;
        for (std::size_t e = 0; e < copy.looks.size(); ++e) {
            const LitPiece::Entry& entry = piece.entries[e];
            const bool isLit = parallel.light.LitAt(*copy.looks[e], 0.5 * (a + b) - (piece.west - entry.westRel));
            copy.lit[e] = isLit ? 1 : 0;
            copy.litCount += isLit ? 1 : 0;
        }
        if (copy.litCount == 0) {
            parallel.tally.Unseen(b - a);
            continue;
        }
        parallel.tally.Seen(b - a, cycleS_, copy.litCount);
        MarkSeen(piece, parallel, copy);
        for (const double at : {a, b}) {
            copy.times.clear();
            for (std::size_t e = 0; e < copy.looks.size(); ++e) {
                if (!copy.lit[e])
                    continue;
                const LitPiece::Entry& entry = piece.entries[e];
                const double x = at - (piece.west - entry.westRel);
                copy.times.push_back(WrapModulo(static_cast<double>(copy.passOf[e]) * passIntervalS_ +
                                                   parallel.stretches[entry.stretch].stretch.LookTimeS(x),
                                               cycleS_));
            }
            std::sort(copy.times.begin(), copy.times.end());
            parallel.tally.Wait(LongestGapS(copy.times, cycleS_));
        }
    }
}

std::vector<double> LatitudeGrid(double stepDeg)
{
    std::vector<double> latitudes;
    const auto steps = static_cast<std::int64_t>(std::floor(180 / stepDeg + 1e-9));
    latitudes.reserve(static_cast<std::size_t>(steps) + 1);
    for (std::int64_t k = 0; k <= steps; ++k) {
        // Rounded to a nano-degree, so that a step of 0.1 gives -89.9, not
        // -89.90000000000001.
        const double latitude = std::round((-90 + static_cast<double>(k) * stepDeg) * 1e9) / 1e9;
        latitudes.push_back(std::min(latitude, 90.0));
    }
    return latitudes;
}

namespace {

// The band of fully covered parallels of one hemisphere that reaches
// highest: from the highest fully covered parallel down, as long as every
// parallel stays fully covered. Partly covered parallels above it are the
// thin rim where the swath's reach runs out.
std::optional<LatitudeBand> HemisphereBand(const std::vector<LatitudeCoverage>& rows, bool north)
{
    std::vector<const LatitudeCoverage*> byHeight;
    for (const LatitudeCoverage& row : rows)
        if (north ? row.latitudeDeg >= 0 : row.latitudeDeg <= 0)
            byHeight.push_back(&row);
    std::stable_sort(byHeight.begin(), byHeight.end(), [](const LatitudeCoverage* a, const LatitudeCoverage* b) {
        return std::fabs(a->latitudeDeg) > std::fabs(b->latitudeDeg);
    });
    auto it = std::find_if(byHeight.begin(), byHeight.end(),
                           [](const LatitudeCoverage* r) { return r->coveredFraction == 1; });
    if (it == byHeight.end())
        return std::nullopt;
    LatitudeBand band;
    band.toLatDeg = std::fabs((*it)->latitudeDeg);
    for (; it != byHeight.end() && (*it)->coveredFraction == 1; ++it)
        band.fromLatDeg = std::fabs((*it)->latitudeDeg);
    return band;
}

}  // namespace

CoverageSummary SummarizeCoverage(const std::vector<LatitudeCoverage>& rows, double sidelapPercent)
{
    CoverageSummary summary;
    summary.sidelapPercent = sidelapPercent;
    for (const LatitudeCoverage& row : rows)
        if (row.coveredFraction == 1 && row.maxRevisitDays)
            summary.maxRevisitDays = std::max(summary.maxRevisitDays.value_or(0), *row.maxRevisitDays);
    summary.fullCoverageNorth = HemisphereBand(rows, true);
    summary.fullCoverageSouth = HemisphereBand(rows, false);
    return summary;
}

CoverageTable CoverageByLatitude(const DesignRecord& design, const SwathRequest& request)
{
    ValidateSwathRequest(request);
    const SwathCoverage coverage(design, request.swathKm, request.satellites, request.passes);
    CoverageTable table;
    for (const double latitude : LatitudeGrid(request.latitudeStepDeg))
        table.rows.push_back(coverage.AtLatitude(latitude));
    table.summary = SummarizeCoverage(
        table.rows, EquatorialSidelapPercent(design, request.swathKm, request.satellites));
    return table;
}

LatitudeCoverage WorstOverCycles(const std::vector<LatitudeCoverage>& cycles)
{
    LatitudeCoverage worst;
    if (cycles.empty())
        return worst;
    worst = cycles.front();
    double meanSum = 0;
    int meanCount = 0;
    for (const LatitudeCoverage& c : cycles) {
        worst.passes = std::min(worst.passes, c.passes);
        worst.coveredFraction = std::min(worst.coveredFraction, c.coveredFraction);
        if (c.maxRevisitDays)
            worst.maxRevisitDays = std::max(worst.maxRevisitDays.value_or(0), *c.maxRevisitDays);
        if (c.meanRevisitDays) {
            meanSum += *c.meanRevisitDays;
            ++meanCount;
        }
    }
    worst.meanRevisitDays = std::nullopt;
    if (meanCount > 0)
        worst.meanRevisitDays = meanSum / meanCount;
    return worst;
}

void ValidateLightCondition(const LightCondition& light)
{
    const double least = light.minSunElevationDeg;
    if (!(least >= kLowestSunElevationDeg && least <= 90))
        throw OrbitError(ErrorKind::Usage, "the Sun's least elevation must lie from -18 to 90 degrees");
    if (light.cycles < 1 || light.cycles > kMaxCycles)
        throw OrbitError(ErrorKind::Usage, "from 1 to " + std::to_string(kMaxCycles) + " cycles");
}

void ValidateLightReach(const RepeatCycle& cycle, const LightCondition& light, const SubSolarTrack& sun)
{
    ValidateLightCondition(light);
    const double spanDays = light.cycles * cycle.LengthDays();
    if (spanDays > kMaxLightSpanDays)
        throw OrbitError(ErrorKind::Usage, "the cycles together must last at most 3660 days (ten years)");
    if (sun.SpanS() < spanDays * RepBas::SecondsPerDay)
        throw OrbitError(ErrorKind::InvalidArgument, "The Sun's track ends before the last cycle does");
}

LatitudeCoverage SwathCoverage::WorstOverCyclesAt(double latitudeDeg, const LightCondition& light,
                                                  const SubSolarTrack& sun) const
{
    std::vector<LatitudeCoverage> cycles;
    cycles.reserve(static_cast<std::size_t>(std::max(light.cycles, 0)));
    for (int c = 0; c < light.cycles; ++c)
        cycles.push_back(AtLatitude(latitudeDeg, light, sun, c));
    return WorstOverCycles(cycles);
}

CoverageTable CoverageByLatitude(const DesignRecord& design, const SwathRequest& request,
                                 const LightCondition& light, const SubSolarTrack& sun)
{
    ValidateSwathRequest(request);
    const SwathCoverage coverage(design, request.swathKm, request.satellites, request.passes);
    ValidateLightReach(coverage.Cycle(), light, sun);
    CoverageTable table;
    for (const double latitude : LatitudeGrid(request.latitudeStepDeg))
        table.rows.push_back(coverage.WorstOverCyclesAt(latitude, light, sun));
    table.summary = SummarizeCoverage(
        table.rows, EquatorialSidelapPercent(design, request.swathKm, request.satellites));
    return table;
}

}  // namespace orbit::analysis

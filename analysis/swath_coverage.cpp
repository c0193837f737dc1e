#include "analysis/swath_coverage.h"

#include "analysis/angles.h"
#include "analysis/ground_track.h"
#include "analysis/whole_numbers.h"
#include "core/orbit_error.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

namespace orbit::analysis {

namespace {

// Stretch ends closer than this (a few millimetres on the ground) are one
// longitude: the two halves of a pass meet exactly at the turning point, and
// the rounding of their separate computations must not open a gap there.
constexpr double kSameLongitudeRad = 1e-9;

// a mod n in [0, n) for angles, never n itself however a rounds.
double ModuloRad(double a, double n)
{
    double r = std::fmod(a, n);
    if (r < 0)
        r += n;
    return r >= n ? 0 : r;
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

LatitudeCoverage SwathCoverage::AtLatitude(double latitudeDeg) const
{
    if (std::fabs(latitudeDeg) >= 90)
        return AtPole(latitudeDeg);

    LatitudeCoverage row;
    row.latitudeDeg = latitudeDeg;
    std::vector<SeenStretch> stretches;
    for (const PassSwath& half : counted_) {
        std::vector<SeenStretch> seen = half.StretchesAt(latitudeDeg * kRadiansPerDegree);
        if (!seen.empty())
            row.passes += passesPerHalf_;
        for (SeenStretch& s : seen)
            stretches.push_back(std::move(s));
    }
    if (stretches.empty())
        return row;

    // The pattern of looks repeats from one node position to the next: moving
    // on by one position brings every stretch onto the next pass, which is the
    // whole set of passes renumbered, so the looks move round the cycle
    // together and their waits stay the same. One position spacing holds the
    // whole answer.
    const double spacing = positionSpacingRad_;
    std::vector<double> cuts = {0, spacing};
    for (const SeenStretch& s : stretches) {
        cuts.push_back(ModuloRad(s.WestRad(), spacing));
        cuts.push_back(ModuloRad(s.EastRad(), spacing));
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<double> bounds;
    for (const double cut : cuts)
        if (bounds.empty() || cut - bounds.back() > kSameLongitudeRad)
            bounds.push_back(cut);
    if (spacing - bounds.back() <= kSameLongitudeRad)
        bounds.back() = spacing;
    else
        bounds.push_back(spacing);

    double seenRad = 0, unseenRad = 0, meanWaitTimesRad = 0, longestWaitS = 0;
    std::vector<double> looks;
    for (std::size_t b = 0; b + 1 < bounds.size(); ++b) {
        const double west = bounds[b], east = bounds[b + 1];
        const double middle = 0.5 * (west + east);
        // Which positions' passes each stretch brings over the middle: those
        // whose node lies between the stretch's ends behind it.
        struct Over {
            const SeenStretch* stretch;
            std::int64_t firstPosition, count;
        };
        std::vector<Over> over;
        std::int64_t lookCount = 0;
        for (const SeenStretch& s : stretches) {
            const auto first = static_cast<std::int64_t>(std::ceil((middle - s.EastRad()) / spacing));
            const auto last = static_cast<std::int64_t>(std::floor((middle - s.WestRad()) / spacing));
            const std::int64_t count = std::min(last - first + 1, positions_);
            if (count > 0) {
                over.push_back({&s, first, count});
                lookCount += count * passesPerPosition_;
            }
        }
        if (lookCount == 0) {
            unseenRad += east - west;
            continue;
        }
        seenRad += east - west;
        meanWaitTimesRad += (east - west) * (cycleS_ / static_cast<double>(lookCount));

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
                        looks.push_back(ModuloRad(pass * passIntervalS_ + lookS, cycleS_));
                    }
                }
            }
            std::sort(looks.begin(), looks.end());
            double longest = looks.front() + cycleS_ - looks.back();  // across the cycle's end
            for (std::size_t i = 1; i < looks.size(); ++i)
                longest = std::max(longest, looks[i] - looks[i - 1]);
            if (looks.size() == 1)
                longest = cycleS_;
            longestWaitS = std::max(longestWaitS, longest);
        }
    }

    row.coveredFraction = unseenRad == 0 ? 1.0 : seenRad / (seenRad + unseenRad);
    if (seenRad > 0) {
        row.maxRevisitDays = longestWaitS / RepBas::SecondsPerDay;
        row.meanRevisitDays = meanWaitTimesRad / seenRad / RepBas::SecondsPerDay;
    }
    return row;
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

CoverageSummary SummarizeCoverage(const std::vector<LatitudeCoverage>& rows, double sidelapPercent)
{
    CoverageSummary summary;
    summary.sidelapPercent = sidelapPercent;

    std::vector<const LatitudeCoverage*> byHeight;
    for (const LatitudeCoverage& row : rows) {
        byHeight.push_back(&row);
        if (row.coveredFraction == 1 && row.maxRevisitDays)
            summary.maxRevisitDays = std::max(summary.maxRevisitDays.value_or(0), *row.maxRevisitDays);
    }
    std::stable_sort(byHeight.begin(), byHeight.end(), [](const LatitudeCoverage* a, const LatitudeCoverage* b) {
        return std::fabs(a->latitudeDeg) > std::fabs(b->latitudeDeg);
    });
    // From the highest fully covered parallel down, as long as every parallel
    // (north and south) stays fully covered. Partly covered parallels above
    // it are the thin rim where the swath's reach runs out.
    auto it = std::find_if(byHeight.begin(), byHeight.end(),
                           [](const LatitudeCoverage* r) { return r->coveredFraction == 1; });
    if (it == byHeight.end())
        return summary;
    summary.fullCoverageToLatDeg = std::fabs((*it)->latitudeDeg);
    for (; it != byHeight.end() && (*it)->coveredFraction == 1; ++it)
        summary.fullCoverageFromLatDeg = std::fabs((*it)->latitudeDeg);
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

}  // namespace orbit::analysis

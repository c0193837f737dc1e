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

// The light test cuts the parallel in pieces no longer than this, so that a
// look lit at both ends of a piece is lit throughout: the Sun's elevation
// along a degree of a parallel turns back only right at its highest or
// lowest, and by far less than any threshold's meaning.
constexpr double kLightPieceRad = 1 * kRadiansPerDegree;
// Where a look passes into or out of the light: to a nano-radian (6 mm).
constexpr double kLightRootToleranceRad = 1e-9;
constexpr int kLightRootSteps = 60;

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
        cuts.push_back(ModuloRad(s.stretch.WestRad(), spacing));
        cuts.push_back(ModuloRad(s.stretch.EastRad(), spacing));
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
    const double spacing = positionSpacingRad_;
    const std::vector<double> bounds = PieceBounds(halves, spacing);

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
        const double lookS = ModuloRad(static_cast<double>(m) * passIntervalS_ + turnS, cycleS_);
        if (sun.SinElevation(cycleStartS + lookS, north ? 1 : -1, 0, 0) >= sinLeast)
            looks.push_back(lookS);
    }
    if (looks.empty())
        return row;
    std::sort(looks.begin(), looks.end());
    double longest = looks.size() == 1 ? cycleS_ : looks.front() + cycleS_ - looks.back();
    for (std::size_t i = 1; i < looks.size(); ++i)
        longest = std::max(longest, looks[i] - looks[i - 1]);
    row.passes = static_cast<std::int64_t>(looks.size() * counted_.size());
    row.coveredFraction = 1;
    row.maxRevisitDays = longest / RepBas::SecondsPerDay;
    row.meanRevisitDays = cycleS_ / static_cast<double>(looks.size()) / RepBas::SecondsPerDay;
    return row;
}

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

    // Which stretches, moved to which node positions, lie over each piece of
    // one position spacing: the same for every copy of the spacing round the
    // parallel, as in the table without light. What differs from copy to
    // copy is the Sun, so every copy is laid out and each look tested.
    const double spacing = positionSpacingRad_;
    const std::vector<double> bounds = PieceBounds(stretches, kLightPieceRad);
    struct Over {
        const HalfStretch* stretch;
        std::int64_t firstPosition, count;
    };
    struct Piece {
        double west, east;
        std::vector<Over> over;
    };
    std::vector<Piece> pieces;
    double unseenRad = 0;
    for (std::size_t b = 0; b + 1 < bounds.size(); ++b) {
        Piece piece{bounds[b], bounds[b + 1], {}};
        const double middle = 0.5 * (piece.west + piece.east);
        for (const HalfStretch& s : stretches) {
            const auto first = static_cast<std::int64_t>(std::ceil((middle - s.stretch.EastRad()) / spacing));
            const auto last = static_cast<std::int64_t>(std::floor((middle - s.stretch.WestRad()) / spacing));
            const std::int64_t count = std::min(last - first + 1, positions_);
            if (count > 0)
                piece.over.push_back({&s, first, count});
        }
        if (piece.over.empty())
            unseenRad += (piece.east - piece.west) * static_cast<double>(positions_);
        else
            pieces.push_back(std::move(piece));
    }

    const double latitudeRad = latitudeDeg * kRadiansPerDegree;
    const double sinLat = std::sin(latitudeRad), cosLat = std::cos(latitudeRad);
    const double sinLeast = std::sin(light.minSunElevationDeg * kRadiansPerDegree);
    const double cycleStartS = static_cast<double>(cycle) * cycleS_;

    // One look over a piece: the parallel at x (from the copy's first node)
    // is seen from `stretch` at x - shiftRad, at passS + the stretch's look
    // time there. A look before the cycle's start or after its end is made
    // by the pass a whole cycle on or back, at the same place: `wraps`
    // counts the cycles taken off.
    struct Look {
        const SeenStretch* stretch;
        double shiftRad, passS;
        std::size_t pass;  // half and pass of the cycle, for the count of passes
        double wraps;
        bool lit;
    };
    const auto rawTimeS = [](const Look& l, double x) { return l.passS + l.stretch->LookTimeS(x - l.shiftRad); };
    const auto wrapsAt = [&](const Look& l, double x) { return std::floor(rawTimeS(l, x) / cycleS_); };

    std::vector<char> passSeen(static_cast<std::size_t>(passesPerHalf_) * counted_.size(), 0);
    double seenRad = 0, meanWaitTimesRad = 0, longestWaitS = 0;
    std::vector<Look> looks;
    std::vector<double> cuts, times;

    for (std::int64_t j = 0; j < positions_; ++j) {
        const double copyLongitudeRad = light.nodeLongitudeRad + static_cast<double>(j) * spacing;
        const auto margin = [&](const Look& l, double x, double wraps) {
            const double t = cycleStartS + rawTimeS(l, x) - wraps * cycleS_;
            return sun.SinElevation(t, sinLat, cosLat, copyLongitudeRad + x) - sinLeast;
        };
        // Where a look's margin changes sign between a and b.
        const auto rootBetween = [&](const Look& l, double a, double b, double wraps) {
            const bool litA = margin(l, a, wraps) >= 0;
            for (int step = 0; step < kLightRootSteps && b - a > kLightRootToleranceRad; ++step) {
                const double mid = 0.5 * (a + b);
                ((margin(l, mid, wraps) >= 0) == litA ? a : b) = mid;
            }
            return 0.5 * (a + b);
        };
        // Where a look's own time crosses the cycle's end between a and b.
        const auto wrapBetween = [&](const Look& l, double a, double b) {
            const double wrapsA = wrapsAt(l, a);
            for (int step = 0; step < kLightRootSteps && b - a > kLightRootToleranceRad; ++step) {
                const double mid = 0.5 * (a + b);
                (wrapsAt(l, mid) == wrapsA ? a : b) = mid;
            }
            return 0.5 * (a + b);
        };
        // The looks lit over [a, b] (their `lit` and `wraps` set for it).
        const auto count = [&](double a, double b) {
            std::int64_t lit = 0;
            for (const Look& l : looks)
                lit += l.lit ? 1 : 0;
            if (lit == 0) {
                unseenRad += b - a;
                return;
            }
            seenRad += b - a;
            meanWaitTimesRad += (b - a) * (cycleS_ / static_cast<double>(lit));
            for (const Look& l : looks)
                if (l.lit)
                    passSeen[l.pass] = 1;
            for (const double at : {a, b}) {
                times.clear();
                for (const Look& l : looks)
                    if (l.lit)
                        times.push_back(rawTimeS(l, at) - l.wraps * cycleS_);
                std::sort(times.begin(), times.end());
                double longest = times.size() == 1 ? cycleS_ : times.front() + cycleS_ - times.back();
                for (std::size_t i = 1; i < times.size(); ++i)
                    longest = std::max(longest, times[i] - times[i - 1]);
                longestWaitS = std::max(longestWaitS, longest);
            }
        };

        for (const Piece& piece : pieces) {
            looks.clear();
            for (const Over& o : piece.over) {
                for (std::int64_t k = o.firstPosition; k < o.firstPosition + o.count; ++k) {
                    const std::int64_t firstPass = Modulo(-(k + j) * stepInverse_, positions_);
                    for (std::int64_t i = 0; i < passesPerPosition_; ++i) {
                        const std::int64_t pass = firstPass + i * positions_;
                        looks.push_back({&o.stretch->stretch, static_cast<double>(k) * spacing,
                                         static_cast<double>(pass) * passIntervalS_,
                                         static_cast<std::size_t>(static_cast<std::int64_t>(o.stretch->half) *
                                                                      passesPerHalf_ +
                                                                  pass),
                                         0, false});
                    }
                }
            }
            // Cut the piece where some look wraps round the cycle's end or
            // passes into or out of the light; between the cuts each look is
            // lit or not throughout.
            cuts.assign({piece.west, piece.east});
            for (Look& l : looks) {
                const double wrapsWest = wrapsAt(l, piece.west), wrapsEast = wrapsAt(l, piece.east);
                double split = piece.east;
                if (wrapsWest != wrapsEast) {
                    split = wrapBetween(l, piece.west, piece.east);
                    cuts.push_back(split);
                }
                const bool litWest = margin(l, piece.west, wrapsWest) >= 0;
                if ((margin(l, split, wrapsWest) >= 0) != litWest)
                    cuts.push_back(rootBetween(l, piece.west, split, wrapsWest));
                if (split != piece.east && (margin(l, split, wrapsEast) >= 0) != (margin(l, piece.east, wrapsEast) >= 0))
                    cuts.push_back(rootBetween(l, split, piece.east, wrapsEast));
                l.wraps = wrapsWest;
                l.lit = litWest;
            }
            if (cuts.size() == 2) {
                count(piece.west, piece.east);
                continue;
            }
            std::sort(cuts.begin(), cuts.end());
            for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
                const double a = cuts[c], b = cuts[c + 1];
                if (!(b - a > 0))
                    continue;
                const double middle = 0.5 * (a + b);
                for (Look& l : looks) {
                    l.wraps = wrapsAt(l, middle);
                    l.lit = margin(l, middle, l.wraps) >= 0;
                }
                count(a, b);
            }
        }
    }

    row.passes = std::count(passSeen.begin(), passSeen.end(), 1);
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

CoverageTable CoverageByLatitude(const DesignRecord& design, const SwathRequest& request,
                                 const LightCondition& light, const SubSolarTrack& sun)
{
    ValidateSwathRequest(request);
    ValidateLightCondition(light);
    const SwathCoverage coverage(design, request.swathKm, request.satellites, request.passes);
    const double spanDays = light.cycles * coverage.Cycle().LengthDays();
    if (spanDays > kMaxLightSpanDays)
        throw OrbitError(ErrorKind::Usage, "the cycles together must last at most 3660 days (ten years)");
    if (sun.SpanS() < spanDays * RepBas::SecondsPerDay)
        throw OrbitError(ErrorKind::InvalidArgument, "The Sun's track ends before the last cycle does");
    CoverageTable table;
    std::vector<LatitudeCoverage> cycles(static_cast<std::size_t>(light.cycles));
    for (const double latitude : LatitudeGrid(request.latitudeStepDeg)) {
        for (int c = 0; c < light.cycles; ++c)
            cycles[static_cast<std::size_t>(c)] = coverage.AtLatitude(latitude, light, sun, c);
        table.rows.push_back(WorstOverCycles(cycles));
    }
    table.summary = SummarizeCoverage(
        table.rows, EquatorialSidelapPercent(design, request.swathKm, request.satellites));
    return table;
}

}  // namespace orbit::analysis

#include "access/track_scan.h"

#include "access/root_finding.h"
#include "core/orbit_error.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace orbit::access {

namespace {

// The lowest cosine a bracket's ends may show and still hold a point within
// `angleRad` of the target: anywhere in it the track is within half the
// step's ground arc of one end.
double ReachableCosine(const TrackSamples& samples, double angleRad)
{
    const double halfStepArc = 0.5 * samples.StepS() * samples.Track().GreatestGroundRateRadS();
    const double widest = angleRad + halfStepArc;
    return widest >= std::numbers::pi ? -2.0 : std::cos(widest);
}

struct Bracket {
    double ta, tb;
    double ca, cb;  // cosines
    double ga, gb;  // their rates
};

// The extremum of c inside a bracket whose rate changes sign.
Approach RefineExtremum(const SatelliteTrack& track, const Vector3& target, const Bracket& b)
{
    const auto rate = [&](double t) {
        const TrackState s = track.StateAt(t);
        return Dot(s.velocity, target);
    };
    const double t = FindRoot(rate, b.ta, b.tb, b.ga, b.gb, kTimeToleranceS);
    return {t, Dot(track.PointAt(t), target)};
}

Bracket BracketAt(const TrackSamples& samples, const Vector3& target, std::size_t k)
{
    const TrackState& a = samples.StateAt(k);
    const TrackState& b = samples.StateAt(k + 1);
    return {samples.TimeAt(k), samples.TimeAt(k + 1), Dot(a.point, target), Dot(b.point, target),
            Dot(a.velocity, target), Dot(b.velocity, target)};
}

}  // namespace

TrackSamples::TrackSamples(const SatelliteTrack& track, double spanS) : track_(track), spanS_(spanS), stepS_(0)
{
    if (!(spanS > 0) || !std::isfinite(spanS))
        throw OrbitError(ErrorKind::InvalidArgument, "The span of time must be a positive number of seconds");
    const double wanted = track.NodalPeriodS() / kSamplesPerRevolution;
    const double steps = std::ceil(spanS / wanted);
    if (steps > 1e8)
        throw OrbitError(ErrorKind::InvalidArgument, "The span of time holds too many revolutions to follow");
    const auto n = static_cast<std::size_t>(steps);
    stepS_ = spanS / static_cast<double>(n);
    times_.reserve(n + 3);
    states_.reserve(n + 3);
    for (std::size_t k = 0; k < n + 3; ++k) {
        const double t = k == n + 1 ? spanS : (static_cast<double>(k) - 1) * stepS_;
        times_.push_back(t);
        states_.push_back(track.StateAt(t));
    }
}

std::vector<Approach> ClosestApproaches(const TrackSamples& samples, const Vector3& target, double maxAngleRad)
{
    std::vector<Approach> approaches;
    const double reachable = ReachableCosine(samples, maxAngleRad);
    const double least = std::cos(std::min(maxAngleRad, std::numbers::pi));
    for (std::size_t k = 0; k + 1 < samples.Count(); ++k) {
        const Bracket b = BracketAt(samples, target, k);
        if (!(b.ga > 0 && b.gb <= 0) || std::max(b.ca, b.cb) < reachable)
            continue;
        Approach a = RefineExtremum(samples.Track(), target, b);
        // A closest approach at the epoch itself may come out a rounding
        // before it.
        if (a.timeS < 0 && a.timeS > -kTimeToleranceS)
            a.timeS = 0;
        if (a.timeS < 0 || a.timeS >= samples.SpanS() || a.cosine < least)
            continue;
        approaches.push_back(a);
    }
    return approaches;
}

std::vector<Window> WindowsWithin(const TrackSamples& samples, const Vector3& target, double maxAngleRad)
{
    const SatelliteTrack& track = samples.Track();
    const double level = std::cos(std::min(maxAngleRad, std::numbers::pi));
    const double reachable = ReachableCosine(samples, maxAngleRad);
    const auto excess = [&](double t) { return Dot(track.PointAt(t), target) - level; };

    std::vector<Window> windows;
    std::optional<Window> open;
    const auto consider = [&](const Approach& a) {
        if (open && a.cosine > open->highest.cosine)
            open->highest = a;
    };
    // One monotonic piece of c: at most one crossing of the level.
    const auto piece = [&](double ta, double tb, double ca, double cb) {
        const double fa = ca - level, fb = cb - level;
        if ((fa >= 0) == (fb >= 0))
            return;
        const double t = FindRoot(excess, ta, tb, fa, fb, kTimeToleranceS);
        if (fb >= 0) {
            open = Window{t, t, false, false, {t, Dot(track.PointAt(t), target)}};
        } else if (open) {
            open->endS = t;
            consider({t, Dot(track.PointAt(t), target)});
            windows.push_back(*open);
            open.reset();
        }
    };

    // The track from the epoch (sample 1) to the span's end (sample Count - 2).
    const std::size_t first = 1, last = samples.Count() - 2;
    const double c0 = Dot(samples.StateAt(first).point, target);
    if (c0 >= level)
        open = Window{0, 0, true, false, {0, c0}};
    for (std::size_t k = first; k < last; ++k) {
        const Bracket b = BracketAt(samples, target, k);
        const bool maximum = b.ga > 0 && b.gb <= 0 && std::max(b.ca, b.cb) >= reachable;
        // A minimum matters only where both ends are within the angle: the
        // dip between them may leave it.
        const bool minimum = b.ga < 0 && b.gb >= 0 && std::min(b.ca, b.cb) >= level;
        if (maximum || minimum) {
            const Approach e = RefineExtremum(track, target, b);
            piece(b.ta, e.timeS, b.ca, e.cosine);
            if (maximum && e.cosine >= level) {
                if (!open)  // touching the level exactly
                    open = Window{e.timeS, e.timeS, false, false, e};
                consider(e);
            }
            piece(e.timeS, b.tb, e.cosine, b.cb);
        } else {
            piece(b.ta, b.tb, b.ca, b.cb);
        }
    }
    if (open) {
        open->endS = samples.SpanS();
        open->endCut = true;
        consider({samples.SpanS(), Dot(samples.StateAt(last).point, target)});
        windows.push_back(*open);
    }
    return windows;
}

}  // namespace orbit::access

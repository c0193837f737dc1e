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

std::vector<Window> WindowsAbove(const TrackSamples& samples, const Vector3& near, double reachRad,
                                 const Measure& measure, double level)
{
    const SatelliteTrack& track = samples.Track();
    const double reachable = ReachableCosine(samples, reachRad);
    const auto at = [&](double t) { return measure(track.StateAt(t)); };
    const auto excess = [&](double t) { return at(t).value - level; };
    const auto rate = [&](double t) { return at(t).rate; };

    std::vector<Window> windows;
    std::optional<Window> open;
    const auto consider = [&](double t, double value) {
        if (open && value > open->highestValue) {
            open->highestS = t;
            open->highestValue = value;
        }
    };
    // One monotonic piece of the measure: at most one crossing of the level.
    const auto piece = [&](double ta, double tb, double va, double vb) {
        const double fa = va - level, fb = vb - level;
        if ((fa >= 0) == (fb >= 0))
            return;
        const double t = FindRoot(excess, ta, tb, fa, fb, kTimeToleranceS);
        if (fb >= 0) {
            open = Window{t, t, false, false, t, at(t).value};
        } else if (open) {
            open->endS = t;
            consider(t, at(t).value);
            windows.push_back(*open);
            open.reset();
        }
    };

    // The track from the epoch (sample 1) to the span's end (sample Count - 2).
    const std::size_t first = 1, last = samples.Count() - 2;
    const Reading r0 = measure(samples.StateAt(first));
    if (r0.value >= level)
        open = Window{0, 0, true, false, 0, r0.value};
    for (std::size_t k = first; k < last; ++k) {
        // No point of an interval out of reach is at the level, so no
        // window is open across it and none starts in it.
        const double ca = Dot(samples.StateAt(k).point, near), cb = Dot(samples.StateAt(k + 1).point, near);
        if (std::max(ca, cb) < reachable)
            continue;
        const double ta = samples.TimeAt(k), tb = samples.TimeAt(k + 1);
        const Reading a = measure(samples.StateAt(k)), b = measure(samples.StateAt(k + 1));
        const bool maximum = a.rate > 0 && b.rate <= 0;
        // A minimum matters only where both ends are at the level: the dip
        // between them may leave it.
        const bool minimum = a.rate < 0 && b.rate >= 0 && std::min(a.value, b.value) >= level;
        if (maximum || minimum) {
            const double te = FindRoot(rate, ta, tb, a.rate, b.rate, kTimeToleranceS);
            const double ve = at(te).value;
            piece(ta, te, a.value, ve);
            if (maximum && ve >= level) {
                if (!open)  // touching the level exactly
                    open = Window{te, te, false, false, te, ve};
                consider(te, ve);
            }
            piece(te, tb, ve, b.value);
        } else {
            piece(ta, tb, a.value, b.value);
        }
    }
    if (open) {
        open->endS = samples.SpanS();
        open->endCut = true;
        consider(samples.SpanS(), measure(samples.StateAt(last)).value);
        windows.push_back(*open);
    }
    return windows;
}

}  // namespace orbit::access

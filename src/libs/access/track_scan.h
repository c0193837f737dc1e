#pragma once
// Where the satellite's track comes near a point of the Earth, and when it is
// within a given angle of it, found exactly rather than by sampling alone.
//
// For a target point x (a unit vector), c(t) = s(t) . x is the cosine of the
// angle at the Earth's centre between the sub-satellite point and the
// target. The track's closest approaches are the maxima of c, where its rate
// g(t) = s'(t) . x falls through zero; a pass over the target is one such
// maximum, and the satellite is within an angle gamma of the target where
// c(t) >= cos gamma. Between its extrema c is monotonic, so every crossing of
// a level lies alone in a bracket once the extrema are known. The same scan
// serves any measure that behaves as c does near its target (the sine of a
// station's elevation over the ellipsoid's horizon, whose normal leans up to
// 0.19 degrees from the target's direction): WindowsAbove.
//
// The track is first sampled at 32 points a revolution, shared by every
// target; each target then costs two dot products a sample. A sample interval
// holds at most one extremum of c for any orbit of a repeat design (c runs
// through one maximum and one minimum a revolution, half a revolution apart),
// and only the brackets that can reach the angle asked for are refined, by
// Brent's method on g to a microsecond.

#include "access/satellite_track.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace orbit::access {

inline constexpr int kSamplesPerRevolution = 32;
// Closest approaches and crossings are refined to this, in seconds.
inline constexpr double kTimeToleranceS = 1e-6;

// The track sampled over the span [0, spanS] from the epoch, one sample
// beyond it at each end.
class TrackSamples {
public:
    // Throws OrbitError (InvalidArgument) for a span that is not a positive number.
    TrackSamples(const SatelliteTrack& track, double spanS);

    const SatelliteTrack& Track() const { return track_; }
    double SpanS() const { return spanS_; }
    double StepS() const { return stepS_; }
    std::size_t Count() const { return states_.size(); }
    double TimeAt(std::size_t k) const { return times_[k]; }
    const TrackState& StateAt(std::size_t k) const { return states_[k]; }

private:
    SatelliteTrack track_;
    double spanS_;
    double stepS_;
    std::vector<double> times_;  // times_[1] = 0, times_[Count() - 2] = spanS
    std::vector<TrackState> states_;
};

// A closest approach: when, and the cosine of the angle at the Earth's centre.
struct Approach {
    double timeS = 0;
    double cosine = 1;
};

// Every closest approach to `target` in [0, span) within `maxAngleRad` of it,
// in time order.
std::vector<Approach> ClosestApproaches(const TrackSamples& samples, const Vector3& target, double maxAngleRad);

// A smooth figure of the satellite's place as one point of the Earth sees
// it (the sine of its elevation above a station's horizon, say), and the
// figure's rate of change, per second, at a state of the track.
struct Reading {
    double value = 0;
    double rate = 0;
};
using Measure = std::function<Reading(const TrackState&)>;

// A stretch of time in which a measure stays at or above a level; a stretch
// cut by the span's start or end says so.
struct Window {
    double startS = 0, endS = 0;
    bool startCut = false, endCut = false;
    // The measure's highest value in the stretch (or at its nearer cut end), and when.
    double highestS = 0, highestValue = 0;
};

// Every window over [0, span] in which `measure` is at least `level`, in
// time order. The measure must stay below the level wherever the
// sub-satellite point is farther than `reachRad` from `near` (a unit
// vector), and, like the cosine above, run through at most one extremum in a
// sample interval: every interval that cannot come within the reach is
// passed over, and only those that can are read and refined.
std::vector<Window> WindowsAbove(const TrackSamples& samples, const Vector3& near, double reachRad,
                                 const Measure& measure, double level);

}  // namespace orbit::access

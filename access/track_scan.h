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
// a level lies alone in a bracket once the extrema are known.
//
// The track is first sampled at 32 points a revolution, shared by every
// target; each target then costs two dot products a sample. A sample interval
// holds at most one extremum of c for any orbit of a repeat design (c runs
// through one maximum and one minimum a revolution, half a revolution apart),
// and only the brackets that can reach the angle asked for are refined, by
// Brent's method on g to a microsecond.

#include "access/satellite_track.h"

#include <cstddef>
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

// A stretch of time in which the sub-satellite point stays within an angle
// of the target; a stretch cut by the span's start or end says so.
struct Window {
    double startS = 0, endS = 0;
    bool startCut = false, endCut = false;
    Approach highest;  // the closest approach in the stretch (or its nearer cut end)
};

// Every window over [0, span] in which the angle to `target` is at most
// `maxAngleRad`, in time order.
std::vector<Window> WindowsWithin(const TrackSamples& samples, const Vector3& target, double maxAngleRad);

}  // namespace orbit::access

#pragma once
// Swath coverage and revisit by latitude: with an instrument of a given swath
// on a completed repeat design, which share of each parallel is seen in one
// repeat cycle, and how long each place waits between two looks.
//
// The repeat cycle is R = N Q + M revolutions of the nodal period T, and it
// repeats for ever: the track is taken to close exactly, shifting westward by
// 360 Q / R degrees a revolution (the design's own node spacing agrees with
// that to its solver's tolerance). K satellites share the orbit, evenly spaced
// in argument of latitude.
//
// Everything here is a pure function of its arguments: no globals, no caches,
// safe to call from many threads at once.

#include "analysis/pass_swath.h"
#include "core/repeat_orbit_solver.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orbit::analysis {

enum class PassDirection { Both, Ascending, Descending };

inline constexpr int kMaxSatellites = 100;
// A finer latitude grid than this would take minutes and gigabytes.
inline constexpr double kFinestLatitudeStepDeg = 0.001;
// A swath narrower than a metre sees nothing an instrument could use, and
// its sidelap, (W - d) / W, would run past any number.
inline constexpr double kNarrowestSwathKm = 0.001;

struct SwathRequest {
    double swathKm = 0;
    int satellites = 1;
    PassDirection passes = PassDirection::Both;
    double latitudeStepDeg = 1;
};

// Throws OrbitError (Usage) naming the value at fault: a swath that is not a
// number of at least kNarrowestSwathKm or is wider than half the Earth's circumference, fewer than
// 1 or more than kMaxSatellites satellites, a latitude step outside
// (0, 90] or finer than kFinestLatitudeStepDeg.
void ValidateSwathRequest(const SwathRequest& request);

struct LatitudeCoverage {
    double latitudeDeg = 0;
    // Passes per cycle (ascending or descending halves of one satellite's
    // revolution) that see some point of the parallel.
    std::int64_t passes = 0;
    double coveredFraction = 0;  // share of the parallel's longitudes seen per cycle
    // Over the seen longitudes: the longest wait between successive looks, and
    // the mean wait (cycle / looks) averaged. None where nothing is seen.
    std::optional<double> maxRevisitDays;
    std::optional<double> meanRevisitDays;
};

struct CoverageSummary {
    double sidelapPercent = 0;
    // The band of fully covered parallels that reaches highest: from its
    // lowest latitude (absolute value) to its highest. None when no parallel
    // of the grid is fully covered.
    std::optional<double> fullCoverageFromLatDeg;
    std::optional<double> fullCoverageToLatDeg;
    // The longest max revisit over every fully covered parallel.
    std::optional<double> maxRevisitDays;
};

struct CoverageTable {
    std::vector<LatitudeCoverage> rows;  // south to north
    CoverageSummary summary;
};

// The repeat cycle of a completed design: R = N Q + M revolutions in
// R T seconds. Throws OrbitError (InvalidArgument) when N, M or Q is not a
// whole number, Q is below 1, the cycle has no revolution, or the design has
// no ground track (GroundTrack's own checks).
struct RepeatCycle {
    std::int64_t revolutions = 0;
    std::int64_t days = 0;  // Q
    double nodalPeriodS = 0;
    double inclinationRad = 0;

    double LengthDays() const;
};
RepeatCycle RepeatCycleOf(const DesignRecord& design);

// The equatorial sidelap in percent, (W - d) / W * 100, with d the distance
// between neighbouring ascending tracks of all K satellites, measured on the
// sphere perpendicular to the Earth-fixed track; negative when there is a
// gap. Cheap: a closed form, no track is laid down. Throws as RepeatCycleOf
// and ValidateSwathRequest do.
double EquatorialSidelapPercent(const DesignRecord& design, double swathKm, int satellites = 1);

// The coverage of one design by one swath, parallel by parallel. Building it
// lays out the passes once; each parallel then costs a few microseconds for a
// design of a few hundred revolutions.
class SwathCoverage {
public:
    // Throws as RepeatCycleOf and ValidateSwathRequest do (the latitude step
    // is not looked at here), and OrbitError (InvalidArgument) for a track
    // that stands still over the ground, which makes no passes.
    SwathCoverage(const DesignRecord& design, double swathKm, int satellites = 1,
                  PassDirection passes = PassDirection::Both);

    LatitudeCoverage AtLatitude(double latitudeDeg) const;
    const RepeatCycle& Cycle() const { return cycle_; }

private:
    LatitudeCoverage AtPole(double latitudeDeg) const;

    RepeatCycle cycle_;
    std::vector<PassSwath> counted_;  // the halves whose looks count
    // The passes of one kind (ascending or descending halves) number
    // R K. Their nodes fall on `positions_` evenly spaced longitudes,
    // `passesPerPosition_` passes on each (more than one when the
    // satellites' tracks coincide, or N, M, Q is not in lowest terms).
    std::int64_t passesPerHalf_ = 0;
    std::int64_t positions_ = 0;
    std::int64_t passesPerPosition_ = 1;
    std::int64_t stepInverse_ = 0;  // turns a position into the first pass on it
    double positionSpacingRad_ = 0;
    double passIntervalS_ = 0;  // between successive passes of one kind: T / K
    double cycleS_ = 0;
};

// The latitudes of the grid: from -90 every `stepDeg` up to 90 at most.
std::vector<double> LatitudeGrid(double stepDeg);

// The summary of rows computed for one request.
CoverageSummary SummarizeCoverage(const std::vector<LatitudeCoverage>& rows, double sidelapPercent);

// The whole table: validates the request, then every parallel of the grid.
CoverageTable CoverageByLatitude(const DesignRecord& design, const SwathRequest& request);

}  // namespace orbit::analysis
